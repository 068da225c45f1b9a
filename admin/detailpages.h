#pragma once

namespace DetailPage {
class Registry;
}

// The pages administration adds to the register's detail tab: remote access
// ("Vzdálený přístup") and the portal accesses ("Přístupy") of a centre.
namespace AdminPages {
void addDetailPages(DetailPage::Registry &registry);
}
