#include "admin/detailpages.h"

#include "admin/portalaccesspage.h"
#include "admin/remoteaccesspage.h"
#include "core/detailpage.h"
#include "core/session.h"

#include <QCoreApplication>

namespace AdminPages {

void addDetailPages(DetailPage::Registry &registry)
{
    using DetailPage::RowKind;
    auto tr = [](const char *text) { return QCoreApplication::translate("AdminPages", text); };
    // In the minimal view a centre shows remote access and nothing else.
    registry.add({QStringLiteral("tab_vzdaleny_pristup"), tr("Vzdálený přístup"), 30,
                  [](const UserRights &r, RowKind kind) {
                      return kind == RowKind::Centre && (r.minimalPages() || r.seesRemoteAccess());
                  },
                  [](Session *session) -> ZrnPage * { return new RemoteAccessPage(session); }});
    registry.add({QStringLiteral("tab_pristupy"), tr("Přístupy"), 40,
                  [](const UserRights &r, RowKind kind) {
                      return kind == RowKind::Centre && !r.minimalPages() && r.seesPortalAccess();
                  },
                  [](Session *session) -> ZrnPage * { return new PortalAccessPage(session); }});
}

} // namespace AdminPages
