#include "events/eventworker.h"

#include "db/database.h"

#include <QCoreApplication>
#include <QThread>

namespace {
// Up to this many matching threads are looked up ahead by id.
constexpr int kResolveLimit = 10000;
}

EventWorker::EventWorker(QObject *parent)
    : QObject(parent), m_thread(new QThread(this)), m_inThread(new QObject)
{
    m_thread->setObjectName(QStringLiteral("event search"));
    // Database::threadConnectionTag() of the worker thread.
    m_tag = quintptr(m_thread);
    m_inThread->moveToThread(m_thread);
    connect(m_thread, &QThread::finished, m_inThread, [] { Database::closeThreadConnection(); },
            Qt::DirectConnection);
    m_thread->start();
}

EventWorker::~EventWorker()
{
    cancel();
    m_thread->quit();
    m_thread->wait();
    delete m_inThread;
}

void EventWorker::cancel()
{
    m_latest.fetchAndAddOrdered(1 << 20);
    if (m_running.loadAcquire() != 0 && m_tag != 0) {
        m_interrupts.ref();
        Database::interruptThreadConnection(m_tag);
    }
}

void EventWorker::submit(const Request &request, QObject *context, std::function<void(const Result &)> done)
{
    m_latest.storeRelease(request.generation);
    // A search still running for an older text is of no use any more.
    const int running = m_running.loadAcquire();
    if (running != 0 && running < request.generation && m_tag != 0) {
        m_interrupts.ref();
        Database::interruptThreadConnection(m_tag);
    }
    QPointer<QObject> guard(context);
    QMetaObject::invokeMethod(m_inThread, [this, request, guard, done] { run(request, guard, done); },
                              Qt::QueuedConnection);
}

void EventWorker::run(const Request &request, QPointer<QObject> context, std::function<void(const Result &)> done)
{
    auto stale = [&] { return request.generation < m_latest.loadAcquire(); };
    if (stale())
        return;
    if (m_beforeRun)
        m_beforeRun(request);
    if (stale())
        return;
    Result result;
    result.generation = request.generation;
    QString error;
    if (!Database::openThreadConnection(&error)) {
        result.error = error;
    } else {
        // An interruption meant for the request before may reach this one
        // (the two can cross): then it runs once more.
        for (int attempt = 0; attempt < 2 && !result.ok && !stale(); ++attempt) {
            const int interrupts = m_interrupts.loadAcquire();
            m_running.storeRelease(request.generation);
            result.filter = request.filter;
            result.error.clear();
            // A search that few threads match is looked up once for all pages
            // (and the page not read when a newer text came meanwhile).
            result.ok = !request.paged
                ? EventStore::readList(result.filter, &result.rows, &result.error)
                : EventStore::resolveSearch(&result.filter, kResolveLimit, &result.error)
                    && (stale()
                        || EventStore::readPage(result.filter, request.sort, request.cursor, request.limit,
                                                &result.page, &result.error));
            m_running.storeRelease(0);
            if (m_interrupts.loadAcquire() == interrupts)
                break;
        }
        // A connection that failed (the server went away) is opened anew
        // for the next search.
        if (!result.ok)
            Database::closeThreadConnection();
    }
    if (stale() || !context)
        return;
    QMetaObject::invokeMethod(
        context.data(),
        [context, done, result] {
            if (context)
                done(result);
        },
        Qt::QueuedConnection);
}
