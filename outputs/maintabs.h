#pragma once

namespace MainTabs {
class Registry;
}

// The main tabs of the outputs: the reports ("Sestavy"), the invoicing
// ("Fakturace") and the browser with the maps ("Prohlížeč").
namespace OutputsPages {
void addMainTabs(MainTabs::Registry &registry);
}
