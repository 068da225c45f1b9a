#include "events/maintabs.h"

#include "core/maintabs.h"
#include "events/udalostitab.h"

namespace EventsPages {

void addMainTabs(MainTabs::Registry &registry)
{
    registry.add({QStringLiteral("tab_sudalosti"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      return new UdalostiTab(context.session, parent);
                  }});
}

} // namespace EventsPages
