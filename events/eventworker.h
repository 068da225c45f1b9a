#pragma once

#include "events/eventstore.h"

#include <QAtomicInt>
#include <QObject>
#include <QPointer>

#include <functional>

class QThread;

// Runs the event searches on a thread of their own, with its own database
// connection, so that typing never waits for a statement. Only the newest
// request counts: an older one still waiting is dropped, one running is
// interrupted, and the answer of an older one is never delivered.
class EventWorker : public QObject
{
    Q_OBJECT
public:
    struct Request {
        int generation = 0;
        bool paged = false;           // a page of the global list, else a whole list
        EventStore::Filter filter;
        EventStore::Sort sort;
        EventStore::PageCursor cursor;
        int limit = 200;
    };
    struct Result {
        int generation = 0;
        bool ok = false;
        QString error;
        EventStore::Page page;        // paged
        EventStore::Filter filter;    // the request's, its search looked up
        QVector<EventStore::ListRow> rows; // whole list
    };

    explicit EventWorker(QObject *parent = nullptr);
    ~EventWorker() override;

    // Queues `request` (its generation must grow) and calls `done` on the
    // calling thread with the answer, unless a newer request came first.
    void submit(const Request &request, QObject *context, std::function<void(const Result &)> done);
    // Drops whatever is queued or running.
    void cancel();
    // Runs on the worker thread before each request (tests slow it down).
    void setBeforeRun(std::function<void(const Request &)> hook) { m_beforeRun = std::move(hook); }

private:
    void run(const Request &request, QPointer<QObject> context, std::function<void(const Result &)> done);

    QThread *m_thread;
    QObject *m_inThread;            // lives on m_thread; runs the requests
    QAtomicInt m_latest;
    QAtomicInt m_running;           // generation of the running request, 0 none
    QAtomicInt m_interrupts;        // interruptions sent so far
    quintptr m_tag = 0;             // the worker's connection (its thread)
    std::function<void(const Request &)> m_beforeRun;
};
