#pragma once

#include "core/page.h"

#include <QModelIndex>

class EventPane;
class QSMySortFilterProxyModel;
class QStandardItemModel;
class QTreeView;

namespace Ui {
class UdalostiPage;
}

// "Události" of the register tab: the event threads of the enterprise or
// centre selected in the tree, with the event pane beside the list. Unsaved
// pane edits are not offered for saving when the tree selection changes
// (a reload drops them), so the page never reports itself dirty.
class UdalostiPage : public ZrnPage
{
    Q_OBJECT
public:
    explicit UdalostiPage(Session *session, QWidget *parent = nullptr);
    ~UdalostiPage() override;

    // Both empty the list and reset the pane to "Vyberte prosím událost".
    void load() override;
    void clear() override;

    QTreeView *view() const;
    EventPane *pane() const { return m_pane; }
    QStandardItemModel *model() const { return m_model; }
    QSMySortFilterProxyModel *proxy() const { return m_proxy; }

public slots:
    // The event list: filled by the event-list work.
    void onRefreshModelUdalosti(int id);
    void onUCollapse();
    void onUExpand();
    void onKategorie();
    void onRowUdalostiChanged(const QModelIndex &current);
    void onAddUdalost();
    void onAddUdalostReplay();
    void onDelUdalost();

    // Event pane.
    void onUdalostChanged();
    void onUdalostShowWidgetNotifyFrom(int state);
    void onUdalostShowWidgetCalendar(int synchronisation);
    void onSelectOO();
    void onUdalostSave();

private:
    void wire();
    void resetPane();

    Ui::UdalostiPage *ui;
    EventPane *m_pane;
    QStandardItemModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
};
