#pragma once

namespace MainTabs {
class Registry;
}

// The events' main tab: the global event list ("Události").
namespace EventsPages {
void addMainTabs(MainTabs::Registry &registry);
}
