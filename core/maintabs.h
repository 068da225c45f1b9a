#pragma once

#include <QList>
#include <QString>

#include <functional>

class Session;
class QWidget;
class ZrnTab;

namespace DetailPage {
class Registry;
}

// The main tabs come from several subsystems. Each subsystem registers a
// factory for the tab pages of the window's form it fills (by the page's
// object name, "tab_sestavy"); the window builds what is registered, in the
// order of its form, and talks to the tabs through ZrnTab only.
namespace MainTabs {

// What a tab is built with.
struct Context {
    Session *session = nullptr;
    // The pages the subsystems offer for the register's detail tab.
    const DetailPage::Registry *detailPages = nullptr;
};

struct TabEntry {
    QString objectName;   // the tab page of the window that holds the tab
    // Makes the tab as a child of that page (once, at start-up).
    std::function<ZrnTab *(const Context &, QWidget *parent)> create;
};

class Registry
{
public:
    // A second entry for the same page replaces the first.
    void add(const TabEntry &entry);
    // The entry for a tab page; null when nothing fills it.
    const TabEntry *find(const QString &objectName) const;

private:
    QList<TabEntry> m_tabs;
};

} // namespace MainTabs
