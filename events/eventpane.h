#pragma once

#include <QList>
#include <QStringList>

#include <functional>

class QCheckBox;
class QComboBox;
class QFDateEdit;
class QFEditWithButton;
class QLineEdit;
class QObject;
class QPushButton;
class QSMySortFilterProxyModel;
class QSTBTextedit;
class QStandardItemModel;
class QTextEdit;
class QTimeEdit;
class QTreeView;
class QWidget;

// The two event lists (the selected enterprise's and the global one) share
// their columns; only the header of the name column differs.
namespace EventList {

enum Column {
    ColName = 0,
    ColPredmet,
    ColZacatek,
    ColKonec,
    ColZdroj,
    ColKategorie,
    ColStav,
    ColPriorita,
    ColOO,
    ColSynchronizace,
    ColCesta,
    ColHash,
    ColId,
    ColIdParent,
    ColIdPodnik,
    ColIdStredisko,
    ColumnCount
};

// Header texts in column order, the first one given.
QStringList headers(const QString &nameHeader);

// Puts the model behind the proxy (recursive filtering, so a matching reply
// keeps its thread) on the view and hides the id columns.
void attach(QTreeView *view, QStandardItemModel *model, QSMySortFilterProxyModel *proxy);

} // namespace EventList

// The widgets an event pane has in both event tabs, under each tab's own
// object names. The helpers below keep the two panes behaving alike.
struct EventPaneWidgets {
    QWidget *placeholder = nullptr;     // "Vyberte prosím událost"
    QWidget *form = nullptr;
    QWidget *header = nullptr;
    QPushButton *save = nullptr;

    QFDateEdit *date = nullptr;         // ts_zacatek
    QTimeEdit *time = nullptr;
    QLineEdit *subject = nullptr;
    QLineEdit *place = nullptr;
    QLineEdit *project = nullptr;
    QComboBox *source = nullptr;
    QComboBox *category = nullptr;
    QComboBox *priority = nullptr;
    QComboBox *state = nullptr;
    QComboBox *synchronisation = nullptr;
    QFEditWithButton *persons = nullptr;
    QList<QFEditWithButton *> pickers;  // enterprise and centre (global pane only)
    QCheckBox *mail = nullptr;
    QCheckBox *service = nullptr;
    QCheckBox *journey = nullptr;

    QWidget *notifyFromLabel = nullptr; // "Nedokončené od"
    QFDateEdit *notifyFrom = nullptr;
    QWidget *startLabel = nullptr;      // "Začátek" / "Konec" and their groups
    QWidget *endLabel = nullptr;
    QWidget *start = nullptr;
    QWidget *end = nullptr;
    QFDateEdit *startDate = nullptr;
    QTimeEdit *startTime = nullptr;
    QFDateEdit *endDate = nullptr;
    QTimeEdit *endTime = nullptr;

    QWidget *descriptionToolBar = nullptr;
    QTextEdit *description = nullptr;
};

namespace EventPane {

// One-time set-up: the rich-text tool bar above the description (owned by
// owner, returned), colour squares on the priority and state items, the
// categories, the save button disabled, the placeholder shown and the
// optional widgets hidden until their combos ask for them.
QSTBTextedit *setUp(const EventPaneWidgets &w, QObject *owner);

// Calls changed for every change of a field (which makes the pane dirty).
void connectChanges(const EventPaneWidgets &w, QObject *context, const std::function<void()> &changed);

// "Nedokončené od" matters only while the event is reported or in progress.
void showNotifyFrom(const EventPaneWidgets &w, int state);
// The labels for a synchronised event, the calendar editors for "Kalendář".
void showCalendar(const EventPaneWidgets &w, int synchronisation);

// Back to "nothing selected": placeholder shown, form hidden, every field
// emptied. Not an edit: the save button ends disabled.
void reset(const EventPaneWidgets &w);

} // namespace EventPane
