#pragma once

namespace DetailPage {
class Registry;
}

// The page the events add to the register's detail tab: the events of the
// selected enterprise or centre ("Události").
namespace EventsPages {
void addDetailPages(DetailPage::Registry &registry);
}
