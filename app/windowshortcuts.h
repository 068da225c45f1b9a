#pragma once

#include <QKeySequence>
#include <QObject>
#include <QStringList>
#include <QVector>

class QAbstractButton;
class QLineEdit;
class QTabWidget;
class QTreeView;
class QWidget;

// The keyboard shortcuts of the main window. A shortcut of a button clicks
// the button of the page in front, so it does exactly what the mouse does,
// the question about unsaved edits included; the others do what the mouse
// would: another row of the register's tree, another main tab. The key is
// added to the tool tip of its button.
//
// Quick filters: Ctrl+F moves into the filter of the list in front, Down or
// Enter there to the first match of the list, Esc empties it.
class WindowShortcuts : public QObject
{
    Q_OBJECT
public:
    // A shortcut that clicks one of these buttons (object names): the one
    // shown and enabled, nearest the focus when the page shows several.
    struct ButtonShortcut {
        QKeySequence keys;
        QStringList buttons;
    };
    static QVector<ButtonShortcut> buttonShortcuts();

    // `tabs`: the main tab widget; the register's tree is found by name.
    WindowShortcuts(QWidget *window, QTabWidget *tabs);

    // Ctrl+F: the quick filter of the list in front, or null.
    QLineEdit *filterInFront() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void clickButton(const QStringList &names);
    void focusFilter();
    void moveTreeRow(int step);
    void stepTab(int step);
    void showTab(int index);
    // The list a quick filter narrows.
    QTreeView *listOf(const QLineEdit *filter) const;
    void goToFirstMatch(QLineEdit *filter);

    QWidget *m_window;
    QTabWidget *m_tabs;
};
