#include "core/maintabs.h"

namespace MainTabs {

void Registry::add(const TabEntry &entry)
{
    for (TabEntry &known : m_tabs) {
        if (known.objectName == entry.objectName) {
            known = entry;
            return;
        }
    }
    m_tabs << entry;
}

const TabEntry *Registry::find(const QString &objectName) const
{
    for (const TabEntry &entry : m_tabs) {
        if (entry.objectName == objectName)
            return &entry;
    }
    return nullptr;
}

} // namespace MainTabs
