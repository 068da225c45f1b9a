#pragma once

#include <QWidget>

struct UserRights;

// One main tab of the window. The window removes the tabs the signed-in
// user may not see, applies the rights to the rest, tells the one brought
// to front to show current data, lets each settle unsaved work before the
// window closes and keep its list layout when it goes - through this
// interface only, whatever the tab is.
class ZrnTab : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Whether the user sees this tab at all.
    virtual bool allowedFor(const UserRights &) const { return true; }
    // After login: what the user may do here.
    virtual void applyRights(const UserRights &) {}
    // The tab came to front: show current data.
    virtual void enter() {}
    // Before the window closes: unsaved work of the tab is saved or dropped
    // as the user answers; false keeps the window open.
    virtual bool settle() { return true; }
    // Keeps the layout of its lists (column widths, sort) in the settings.
    virtual void saveState() const {}
};
