#include "core/detailpage.h"

#include "core/session.h"

#include <algorithm>

namespace DetailPage {

void Registry::add(const PageEntry &entry)
{
    for (PageEntry &known : m_pages) {
        if (known.objectName == entry.objectName) {
            known = entry;
            return;
        }
    }
    m_pages << entry;
    std::stable_sort(m_pages.begin(), m_pages.end(), [](const PageEntry &a, const PageEntry &b) { return a.order < b.order; });
}

QList<PageEntry> Registry::pages() const
{
    return m_pages;
}

QStringList Registry::pagesFor(const UserRights &rights, RowKind kind) const
{
    QStringList names;
    for (const PageEntry &entry : m_pages) {
        if (entry.shownFor && entry.shownFor(rights, kind))
            names << entry.objectName;
    }
    return names;
}

} // namespace DetailPage
