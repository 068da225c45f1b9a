#pragma once

namespace MainTabs {
class Registry;
}

// The administration's main tabs: the program's users ("Uživatelé") and the
// users of the control panel ("Control Panel").
namespace AdminPages {
void addMainTabs(MainTabs::Registry &registry);
}
