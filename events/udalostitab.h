#pragma once

#include "core/zrntab.h"

#include <QModelIndex>
#include <QVariant>
#include <QWidget>

class Session;
class EventPane;
class EventThreads;
class EventTreeModel;
class QSMySortFilterProxyModel;
class QTreeView;
struct UserRights;

namespace Ui {
class UdalostiTab;
}

// The main "Události" tab: the global event list (all enterprises, narrowed
// by "Nedokončené", categories and responsible persons) with its tool bar,
// and the event pane beside it.
class UdalostiTab : public ZrnTab
{
    Q_OBJECT
public:
    bool allowedFor(const UserRights &user) const override;
    void enter() override { onRefreshModelSUdalosti(-1); }
    bool settle() override;
    explicit UdalostiTab(Session *session, QWidget *parent = nullptr);
    ~UdalostiTab() override;

    QTreeView *view() const;
    EventPane *pane() const { return m_pane; }
    EventThreads *threads() const { return m_threads; }
    EventTreeModel *model() const;
    QSMySortFilterProxyModel *proxy() const;

    // The "Nedokončené" switch, set from the settings without reloading.
    bool nedokoncene() const;
    void setNedokoncene(bool on);

    // Rights of the signed-in user that concern this tab.
    void applyRights(const UserRights &user) override;

public slots:
    void onRefreshModelSUdalosti(int id);
    // Bound to "Nedokončené": reloads keeping the selected event; when the
    // reload is refused the switch goes back.
    void onRefreshModelSUdalosti();
    void onRefreshSUdalost();
    void onSUCollapse();
    void onSUExpand();
    void onUFilter(const QString &text);
    void onUFilterReset();
    void onSKategorie();
    void onOO();
    void tableViewSUdalostiDoubleClicked(const QModelIndex &index);

    // Event pane.
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
    EventPane *m_pane;
    EventThreads *m_threads;
};
