#pragma once

#include "events/eventstore.h"

#include <QModelIndex>
#include <QObject>
#include <functional>

class EventPane;
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

    EventTreeModel *model() const { return m_model; }
    QSMySortFilterProxyModel *proxy() const { return m_proxy; }

    // The filter of the list as it stands (selection, filters, rights).
    EventStore::Filter filter() const;
    // The global list's "Nedokončené" switch.
    void setUnfinishedSource(std::function<bool()> unfinished) { m_unfinished = std::move(unfinished); }

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

    // Text filter over the sorted column.
    void setTextFilter(const QString &text);

private:
    void onCurrentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void applySortMode();
    bool issueHash(QString *hash, QString *error);
    // Runs the event dialog until the event is stored or the user cancels;
    // the new id, or 0.
    int runDialog(const EventRecord &values, bool reply, const QVariant &rootId);

    bool m_global;
    Session *m_session;
    QTreeView *m_view;
    EventPane *m_pane;
    EventTreeModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
    std::function<bool()> m_unfinished;
    bool m_reverting = false;
};
