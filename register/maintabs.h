#pragma once

namespace MainTabs {
class Registry;
}

// The register's main tab: the enterprise tree with the detail pages
// ("Podniky/střediska").
namespace RegisterPages {
void addMainTabs(MainTabs::Registry &registry);
}
