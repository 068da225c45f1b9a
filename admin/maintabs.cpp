#include "admin/maintabs.h"

#include "admin/controlpaneltab.h"
#include "admin/userstab.h"
#include "core/maintabs.h"

namespace AdminPages {

void addMainTabs(MainTabs::Registry &registry)
{
    registry.add({QStringLiteral("tab_uzivatele"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      return new UsersTab(context.session, parent);
                  }});
    registry.add({QStringLiteral("tab_cp"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      return new ControlPanelTab(context.session, parent);
                  }});
}

} // namespace AdminPages
