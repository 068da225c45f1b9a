#pragma once

#include <QModelIndex>
#include <QWidget>

class Session;
class EventPane;
class QSMySortFilterProxyModel;
class QStandardItemModel;
class QTreeView;
struct UserRights;

namespace Ui {
class UdalostiTab;
}

// The main "Události" tab: the global event list (all enterprises, narrowed
// by "Nedokončené", categories and responsible persons) with its tool bar,
// and the event pane beside it. The list and pane logic is filled in by the
// event modules; this class owns the form, the model and the wiring.
class UdalostiTab : public QWidget
{
    Q_OBJECT
public:
    // Columns of the list model; 12 to 15 carry ids and are hidden.
    enum Column { ColName = 0, ColId = 12, ColIdParent = 13, ColIdPodnik = 14, ColIdStredisko = 15, ColumnCount = 16 };

    explicit UdalostiTab(Session *session, QWidget *parent = nullptr);
    ~UdalostiTab() override;

    QTreeView *view() const;
    EventPane *pane() const { return m_pane; }
    QStandardItemModel *model() const { return m_model; }
    QSMySortFilterProxyModel *proxy() const { return m_proxy; }

    // The "Nedokončené" switch, set from the settings without reloading.
    bool nedokoncene() const;
    void setNedokoncene(bool on);

    // Rights of the signed-in user that concern this tab.
    void applyRights(const UserRights &user);

public slots:
    // Filled in by the event list module.
    void onRefreshModelSUdalosti(int id);
    void onRefreshModelSUdalosti();
    void onRefreshSUdalost();
    void onSUCollapse();
    void onSUExpand();
    void onUFilter(const QString &text);
    void onUFilterReset();
    void onSKategorie();
    void onOO();
    void onRowSUdalostiChanged(const QModelIndex &current);
    void tableViewSUdalostiDoubleClicked(const QModelIndex &index);

    // Event pane.
    void onSUdalostChanged();
    void onSUdalostShowWidgetNotifyFrom(int state);
    void onSUdalostShowWidgetCalendar(int synchronisation);
    void onSelectSOO();
    void selectSPodnik();
    void selectSStredisko();
    void onSUdalostSave();
    void onAddSUdalost();
    void onAddSUdalostReplay();
    void onDelSUdalost();

private:
    void wire();

    Ui::UdalostiTab *ui;
    Session *m_session;
    QStandardItemModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
    EventPane *m_pane;
};
