#include "app/windowshortcuts.h"

#include "core/qsmysortfilterproxymodel.h"

#include <QAbstractButton>
#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>
#include <QTreeView>

#include <functional>

namespace {

// Quick filters and the lists they narrow.
struct FilterList {
    const char *filter;
    const char *list;
};
constexpr FilterList kFilters[] = {
    {"sfilter", "treeView"},
    {"upfilter", "treeViewUdalosti"},
    {"ufilter", "treeViewSUdalosti"},
};
const char kTree[] = "treeView";

// How far from the top-level widget the deepest widget holding both `a`
// and `b` is (-1: none).
int sharedDepth(const QWidget *a, const QWidget *b)
{
    QList<const QWidget *> chain;
    for (const QWidget *w = a; w; w = w->parentWidget())
        chain.prepend(w);
    int depth = -1;
    for (const QWidget *w = b; w; w = w->parentWidget()) {
        depth = chain.indexOf(w);
        if (depth >= 0)
            break;
    }
    return depth;
}

// Of the widgets with these names, the one shown (and enabled, if asked)
// that shares the most with the focus: the page in front, and of two
// shown pages (the register's tree beside its event page) the one the user
// works in.
template<typename W>
W *inFront(const QWidget *window, const QStringList &names, bool enabledOnly)
{
    const QWidget *focus = QApplication::focusWidget();
    W *best = nullptr;
    int bestDepth = -2;
    for (const QString &name : names) {
        for (W *w : window->findChildren<W *>(name)) {
            if (!w->isVisible() || (enabledOnly && !w->isEnabled()))
                continue;
            const int depth = focus ? sharedDepth(w, focus) : -1;
            if (depth > bestDepth) {
                best = w;
                bestDepth = depth;
            }
        }
    }
    return best;
}

QString withKeys(QString tip, const QKeySequence &keys)
{
    tip.remove(QLatin1Char('&'));
    return tip + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + QLatin1Char(')');
}

} // namespace

QVector<WindowShortcuts::ButtonShortcut> WindowShortcuts::buttonShortcuts()
{
    return {
        {QKeySequence::Save,
         {"podnik_uloz", "stredisko_uloz", "specifikace_uloz", "gps_save", "rc_uloz", "pristupy_uloz", "udalost_uloz"}},
        {QKeySequence(Qt::Key_F5), {"tbPRefresh", "tbSRefresh", "fakturace_obnovit"}},
        {QKeySequence(Qt::CTRL + Qt::Key_N), {"tbUAdd", "tbSUAdd"}},
        {QKeySequence(Qt::CTRL + Qt::Key_R), {"tbUAddReplay", "tbSUAddReplay"}},
    };
}

WindowShortcuts::WindowShortcuts(QWidget *window, QTabWidget *tabs)
    : QObject(window), m_window(window), m_tabs(tabs)
{
    auto add = [this](const QKeySequence &keys, std::function<void()> run) {
        auto *shortcut = new QShortcut(keys, m_window);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, std::move(run));
    };
    for (const ButtonShortcut &s : buttonShortcuts()) {
        add(s.keys, [this, names = s.buttons] { clickButton(names); });
        for (const QString &name : s.buttons) {
            for (QAbstractButton *b : m_window->findChildren<QAbstractButton *>(name))
                b->setToolTip(withKeys(b->toolTip().isEmpty() ? b->text() : b->toolTip(), s.keys));
        }
    }

    const QKeySequence find(QKeySequence::Find);
    add(find, [this] { focusFilter(); });
    for (const FilterList &f : kFilters) {
        for (QLineEdit *edit : m_window->findChildren<QLineEdit *>(QLatin1String(f.filter))) {
            edit->installEventFilter(this);
            QString tip = edit->toolTip().isEmpty() ? tr("Rychlý filtr") : edit->toolTip();
            tip = withKeys(tip, find);
            if (qstrcmp(f.filter, "sfilter") == 0)
                tip += QLatin1Char('\n') + tr("Další a předchozí řádek: %1, %2")
                                               .arg(QKeySequence(Qt::ALT + Qt::Key_Down).toString(QKeySequence::NativeText),
                                                    QKeySequence(Qt::ALT + Qt::Key_Up).toString(QKeySequence::NativeText));
            edit->setToolTip(tip);
        }
    }

    add(QKeySequence(Qt::ALT + Qt::Key_Down), [this] { moveTreeRow(1); });
    add(QKeySequence(Qt::ALT + Qt::Key_Up), [this] { moveTreeRow(-1); });
    add(QKeySequence(Qt::CTRL + Qt::Key_PageDown), [this] { stepTab(1); });
    add(QKeySequence(Qt::CTRL + Qt::Key_PageUp), [this] { stepTab(-1); });
    for (int i = 0; i < 9; ++i) {
        const QKeySequence keys(Qt::CTRL + Qt::Key_1 + i);
        add(keys, [this, i] { showTab(i); });
        if (i < m_tabs->count())
            m_tabs->setTabToolTip(i, keys.toString(QKeySequence::NativeText));
    }
}

void WindowShortcuts::clickButton(const QStringList &names)
{
    if (QAbstractButton *b = inFront<QAbstractButton>(m_window, names, true))
        b->click();
}

QLineEdit *WindowShortcuts::filterInFront() const
{
    QStringList names;
    for (const FilterList &f : kFilters)
        names << QLatin1String(f.filter);
    return inFront<QLineEdit>(m_window, names, true);
}

void WindowShortcuts::focusFilter()
{
    if (QLineEdit *edit = filterInFront()) {
        edit->setFocus(Qt::ShortcutFocusReason);
        edit->selectAll();
    }
}

QTreeView *WindowShortcuts::listOf(const QLineEdit *filter) const
{
    for (const FilterList &f : kFilters) {
        if (filter->objectName() == QLatin1String(f.filter))
            return m_window->findChild<QTreeView *>(QLatin1String(f.list));
    }
    return nullptr;
}

void WindowShortcuts::goToFirstMatch(QLineEdit *filter)
{
    QTreeView *view = listOf(filter);
    QAbstractItemModel *model = view ? view->model() : nullptr;
    if (!model || model->rowCount() == 0)
        return;
    const QModelIndex first = model->index(0, 0);
    QModelIndex match;
    // The register's tree shows the enterprise of a matching centre too:
    // the first row that matches itself is wanted.
    auto *proxy = qobject_cast<QSMySortFilterProxyModel *>(model);
    if (proxy && proxy->treeColumns.contains(proxy->filterKeyColumn()) && !proxy->filterText().isEmpty()) {
        for (QModelIndex i = first; i.isValid() && !match.isValid(); i = view->indexBelow(i)) {
            const QString key = i.siblingAtColumn(proxy->filterKeyColumn()).data(Qt::UserRole).toString();
            if (key.contains(proxy->filterText(), Qt::CaseInsensitive))
                match = i;
        }
    }
    if (!match.isValid())
        match = first;
    view->setFocus(Qt::ShortcutFocusReason);
    view->selectionModel()->setCurrentIndex(match, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(match);
}

bool WindowShortcuts::eventFilter(QObject *watched, QEvent *event)
{
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (edit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Down:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            goToFirstMatch(edit);
            return true;
        case Qt::Key_Escape:
            if (edit->text().isEmpty())
                return false;
            edit->clear();
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowShortcuts::moveTreeRow(int step)
{
    auto *view = m_window->findChild<QTreeView *>(QLatin1String(kTree));
    if (!view || !view->isVisible() || !view->model())
        return;
    const QModelIndex current = view->currentIndex();
    const QModelIndex next = !current.isValid() ? view->model()->index(0, 0)
        : step > 0                               ? view->indexBelow(current)
                                                 : view->indexAbove(current);
    if (!next.isValid())
        return;
    // As a click on the row: the register asks about unsaved edits, and a
    // failed save keeps the row.
    view->selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    view->scrollTo(view->currentIndex());
}

void WindowShortcuts::stepTab(int step)
{
    const int count = m_tabs->count();
    if (count > 1)
        m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + count) % count);
}

void WindowShortcuts::showTab(int index)
{
    if (index < m_tabs->count())
        m_tabs->setCurrentIndex(index);
}
