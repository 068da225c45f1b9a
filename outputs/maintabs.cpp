#include "outputs/maintabs.h"

#include "core/maintabs.h"
#include "outputs/fakturacetab.h"
#include "outputs/prohlizectab.h"
#include "outputs/sestavytab.h"

namespace OutputsPages {

void addMainTabs(MainTabs::Registry &registry)
{
    registry.add({QStringLiteral("tab_sestavy"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      return new SestavyTab(context.session, parent);
                  }});
    registry.add({QStringLiteral("tab_fakturace"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      return new FakturaceTab(context.session, parent);
                  }});
    registry.add({QStringLiteral("tab_prohlizec"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      return new ProhlizecTab(context.session, parent);
                  }});
}

} // namespace OutputsPages
