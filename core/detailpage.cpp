#include "core/detailpage.h"

#include "core/session.h"

#include <algorithm>

namespace DetailPage {

void Registry::add(const Spec &spec)
{
    for (Spec &known : m_pages) {
        if (known.objectName == spec.objectName) {
            known = spec;
            return;
        }
    }
    m_pages << spec;
    std::stable_sort(m_pages.begin(), m_pages.end(), [](const Spec &a, const Spec &b) { return a.order < b.order; });
}

QList<Spec> Registry::pages() const
{
    return m_pages;
}

QStringList Registry::pagesFor(const UserRights &rights, RowKind kind) const
{
    QStringList names;
    for (const Spec &spec : m_pages) {
        if (spec.shownFor && spec.shownFor(rights, kind))
            names << spec.objectName;
    }
    return names;
}

} // namespace DetailPage
