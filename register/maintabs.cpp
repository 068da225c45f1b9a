#include "register/maintabs.h"

#include "core/maintabs.h"
#include "register/evidencetab.h"

namespace RegisterPages {

void addMainTabs(MainTabs::Registry &registry)
{
    registry.add({QStringLiteral("tab_evidence"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      auto *tab = new EvidenceTab(context.session, parent);
                      // The detail tab shows pages of the other subsystems too.
                      if (context.detailPages)
                          tab->addPages(*context.detailPages);
                      return tab;
                  }});
}

} // namespace RegisterPages
