#pragma once

#include "events/eventlistfilter.h"
#include "events/eventstore.h"
#include "events/eventtreemodel.h"
#include "core/treerow.h"

#include <QModelIndex>
#include <QObject>
#include <functional>

class EventPane;
class EventWorker;
class EventTreeModel;
class QSMySortFilterProxyModel;
class QTreeView;
class Session;

// What both event lists do: the thread list beside its event pane, the
// reload with an event to select, the row change, and adding, replying to
// and deleting events. The register's page and the global tab each own one
// and differ only in their filter.
class EventThreads : public QObject
{
    Q_OBJECT
public:
    EventThreads(bool global, Session *session, QTreeView *view, EventPane *pane, QObject *parent = nullptr);
    ~EventThreads() override;

    EventTreeModel *model() const { return m_model; }
    QSMySortFilterProxyModel *proxy() const { return m_proxy; }

    // The register's list: the enterprise or centre whose events it lists
    // (the page is told it; the global list has none).
    void setTreeRow(const TreeRow &row) { m_row = row; }
    const TreeRow &treeRow() const { return m_row; }
    // The filter of the list as it stands (tree row, filters, rights).
    EventStore::Filter filter() const;
    // What the user narrowed the list to (categories, persons,
    // "Nedokončené"), read from the settings when the list is made and
    // written back when it goes.
    const EventListFilter &criteria() const { return m_criteria; }
    // Reloads the list with other criteria; when the reload is refused (the
    // pane's edits could not be saved) the list keeps the criteria its rows
    // were read with, and false.
    bool setCriteria(const EventListFilter &criteria, int selectId);

    // Reloads the list and makes the row of `selectId` current (none when 0
    // or less). Unsaved pane edits are settled first (asking); false, and
    // nothing reloaded, when the user wanted them saved and that failed.
    // With `askFirst` false the edits are dropped (the caller has asked).
    bool reload(int selectId, bool askFirst = true);
    // The event of the list's current row (0: none).
    int currentEventId() const;

    // Adding a root event, replying to the current row's event, deleting it.
    void addEvent();
    void addReply();
    void removeEvent();

    // "Hledat": the threads with an event that matches (see
    // EventStore::Filter::search); searched off the GUI thread, the list
    // refilled when the answer comes. Unsaved pane edits are settled first.
    void setSearch(const QString &text);
    QString search() const { return m_search; }
    // Whether a search is on its way (the list shows its answer when it comes).
    bool searching() const { return m_pending; }
    EventWorker *worker();

    // The global list is read page by page (this many threads each) as the
    // view scrolls; the register's page is read whole.
    static constexpr int kPageSize = 200;
    void setPageSize(int threads) { m_pageSize = threads; }

    // What the list holds, for its count label: "zobrazeno N" when every
    // matching thread is listed; "zobrazeno N z více" while the global list
    // has further pages (counting them all would read the whole log).
    QString shownText() const;

signals:
    // A search's answer is shown (or failed).
    void searchFinished();
    // Rows were added to the list or it was emptied.
    void shownChanged();

private:
    void fetchNextPage();
    void requestAsync(bool paged);
    void showPage(const EventStore::Page &page);
    void showList(const QVector<EventStore::ListRow> &rows);
    void selectPending();
    EventTreeModel::NameMode nameMode() const;
    void onCurrentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void applySortMode();
    bool issueHash(QString *hash, QString *error);
    // Runs the event dialog until the event is stored or the user cancels;
    // the new id, or 0.
    int runDialog(const EventRecord &values, bool reply, const QVariant &rootId);

    bool m_global;
    Session *m_session;
    TreeRow m_row;
    QTreeView *m_view;
    EventPane *m_pane;
    EventTreeModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
    EventListFilter m_criteria;
    bool m_reverting = false;

    QString m_search;
    EventWorker *m_worker = nullptr;
    int m_generation = 0;
    bool m_pending = false;
    bool m_fetchQueued = false;
    // The global list's reading: its filter, order and where it stands.
    EventStore::Filter m_pageFilter;
    EventStore::Sort m_sort;
    EventStore::PageCursor m_cursor;
    int m_selectId = 0;
    int m_selectPages = 0;
    int m_pageSize = kPageSize;
};
