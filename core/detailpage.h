#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "core/treerow.h"

#include <functional>

class Session;
class ZrnPage;
struct UserRights;

// The pages of the register's detail tab come from several subsystems (the
// register's own, remote and portal access, the events). Each subsystem
// describes its pages here; the main window collects them at start-up and
// the register shows them without knowing where they come from.
namespace DetailPage {

struct PageEntry {
    QString objectName;   // also the page's object name ("tab_podnik")
    QString title;        // the tab's text
    int order = 0;        // tab order, smallest first
    // Whether the page is shown for a row of that kind to that user.
    std::function<bool(const UserRights &, RowKind)> shownFor;
    // Makes the page (once, when the tab is built).
    std::function<ZrnPage *(Session *)> create;
};

class Registry
{
public:
    void add(const PageEntry &entry);
    // In tab order.
    QList<PageEntry> pages() const;
    // Object names of the pages shown for a row, in tab order.
    QStringList pagesFor(const UserRights &rights, RowKind kind) const;

private:
    QList<PageEntry> m_pages;
};

} // namespace DetailPage
