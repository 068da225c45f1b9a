#pragma once

#include "core/page.h"

#include <QModelIndex>

class EventPane;
class EventThreads;
class QTreeView;

namespace Ui {
class UdalostiPage;
}

// "Události" of the register tab: the event threads of the enterprise or
// centre of the tree row it is told, with the event pane beside the list. The
// pane's unsaved edits make the page dirty, so the register asks about them
// before another row is shown. The list is read only while the page is
// shown: a tree click on another page costs no event statement.
class UdalostiPage : public ZrnPage
{
    Q_OBJECT
public:
    explicit UdalostiPage(Session *session, QWidget *parent = nullptr);
    ~UdalostiPage() override;

    // Lists the events of the row (now, or when next shown). Unsaved pane
    // edits are dropped: the register has asked about them.
    void load(const TreeRow &row) override;
    void reload() override;
    void clear() override;
    bool save() override;

    QTreeView *view() const;
    EventThreads *threads() const { return m_threads; }

public slots:
    void onRefreshModelUdalosti(int id);
    void onUCollapse();
    void onUExpand();
    void onKategorie();
    void onAddUdalost();
    void onAddUdalostReplay();
    void onDelUdalost();

    // Event pane.
    void onUdalostShowWidgetNotifyFrom(int state);
    void onUdalostShowWidgetCalendar(int synchronisation);
    void onSelectOO();
    void onUdalostSave();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void wire();
    bool shownToUser() const;

    Ui::UdalostiPage *ui;
    EventPane *m_pane;
    EventThreads *m_threads;
    bool m_stale = false;
};
