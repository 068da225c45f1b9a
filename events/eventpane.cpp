#include "events/eventpane.h"

#include "app/categories.h"
#include "register/qsmysortfilterproxymodel.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"
#include "widgets/qstbtextedit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTimeEdit>
#include <QTreeView>

namespace EventList {

QStringList headers(const QString &nameHeader)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("EventList", text); };
    return {nameHeader,     tr("Předmět"), tr("Datum/z."), tr("Datum/k."), tr("Zd."),
            tr("Kat."),     tr("St."),     tr("Pr."),      tr("OO"),       tr("Syn"),
            tr("C"),        tr("Hash"),    tr("ID"),       tr("ID parent"), tr("id_podnik"),
            tr("id_stredisko")};
}

void attach(QTreeView *view, QStandardItemModel *model, QSMySortFilterProxyModel *proxy)
{
    proxy->setRecursiveFilteringEnabled(true);
    proxy->setSourceModel(model);
    view->setModel(proxy);
    for (int c = ColId; c < ColumnCount; ++c)
        view->setColumnHidden(c, true);
}

} // namespace EventList

namespace EventPane {

namespace {

QList<QWidget *> optionalWidgets(const EventPaneWidgets &w)
{
    return {w.notifyFromLabel, w.notifyFrom, w.startLabel, w.endLabel, w.start, w.end};
}

} // namespace

QSTBTextedit *setUp(const EventPaneWidgets &w, QObject *owner)
{
    auto *toolBar = new QSTBTextedit(owner);
    toolBar->createTB(w.descriptionToolBar, w.description, QApplication::font(), false);
    setColourSquares(w.priority, priorityColours());
    setColourSquares(w.state, stateColours());
    fillCategoryCombo(w.category);
    for (QWidget *o : optionalWidgets(w))
        o->hide();
    w.form->hide();
    w.placeholder->show();
    w.save->setEnabled(false);
    return toolBar;
}

void connectChanges(const EventPaneWidgets &w, QObject *context, const std::function<void()> &changed)
{
    for (QTimeEdit *t : {w.time, w.startTime, w.endTime})
        QObject::connect(t, &QTimeEdit::timeChanged, context, changed);
    for (QFDateEdit *d : {w.date, w.notifyFrom, w.startDate, w.endDate})
        QObject::connect(d, &QFDateEdit::dateChanged, context, changed);
    for (QLineEdit *e : {w.subject, w.place, w.project})
        QObject::connect(e, &QLineEdit::textChanged, context, changed);
    for (QFEditWithButton *e : QList<QFEditWithButton *>{w.persons} + w.pickers)
        QObject::connect(e, &QFEditWithButton::textChanged, context, changed);
    for (QComboBox *c : {w.source, w.category, w.priority, w.state, w.synchronisation})
        QObject::connect(c, qOverload<int>(&QComboBox::currentIndexChanged), context, changed);
    for (QCheckBox *c : {w.mail, w.service, w.journey})
        QObject::connect(c, &QCheckBox::stateChanged, context, changed);
    QObject::connect(w.description, &QTextEdit::textChanged, context, changed);
}

void showNotifyFrom(const EventPaneWidgets &w, int state)
{
    const bool open = state == 1 || state == 2;
    w.notifyFromLabel->setVisible(open);
    w.notifyFrom->setVisible(open);
}

void showCalendar(const EventPaneWidgets &w, int synchronisation)
{
    const bool labels = synchronisation == 1 || synchronisation == 2;
    w.startLabel->setVisible(labels);
    w.endLabel->setVisible(labels);
    w.start->setVisible(synchronisation == 1);
    w.end->setVisible(synchronisation == 1);
}

void reset(const EventPaneWidgets &w)
{
    w.placeholder->show();
    w.form->hide();
    w.header->hide();
    for (QFDateEdit *d : {w.date, w.notifyFrom, w.startDate, w.endDate})
        d->setDate(QDate());
    for (QTimeEdit *t : {w.time, w.startTime, w.endTime})
        t->setTime(QTime(0, 0));
    for (QLineEdit *e : {w.subject, w.place, w.project})
        e->clear();
    for (QFEditWithButton *e : QList<QFEditWithButton *>{w.persons} + w.pickers)
        e->clear();
    for (QComboBox *c : {w.source, w.category, w.priority, w.state, w.synchronisation})
        c->setCurrentIndex(0);
    for (QCheckBox *c : {w.mail, w.service, w.journey})
        c->setChecked(false);
    w.description->clear();
    w.save->setEnabled(false);
}

} // namespace EventPane
