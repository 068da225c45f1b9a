#include "events/detailpages.h"

#include "core/detailpage.h"
#include "core/session.h"
#include "events/udalostipage.h"

#include <QCoreApplication>

namespace EventsPages {

void addDetailPages(DetailPage::Registry &registry)
{
    using DetailPage::RowKind;
    registry.add({QStringLiteral("tab_udalosti"), QCoreApplication::translate("EventsPages", "Události"), 60,
                  [](const UserRights &r, RowKind kind) {
                      return kind != RowKind::None && !r.minimalPages() && r.seesEvents();
                  },
                  [](Session *session) -> ZrnPage * { return new UdalostiPage(session); }});
}

} // namespace EventsPages
