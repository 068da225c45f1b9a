#include "bench/delayrelay.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QMetaObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

#include <deque>
#include <utility>

// One direction of a relayed connection: what `from` sends reaches `to`
// delayMs later, chunk by chunk and in order.
class DelayedPipe : public QObject
{
    Q_OBJECT
public:
    DelayedPipe(QTcpSocket *from, QTcpSocket *to, int delayMs, QObject *parent)
        : QObject(parent)
        , m_from(from)
        , m_to(to)
        , m_delayMs(delayMs)
    {
        m_clock.start();
        m_timer.setSingleShot(true);
        // A coarse timer may add up to 5 % to the delay.
        m_timer.setTimerType(Qt::PreciseTimer);
        connect(&m_timer, &QTimer::timeout, this, &DelayedPipe::flush);
        connect(from, &QTcpSocket::readyRead, this, &DelayedPipe::take);
        connect(from, &QTcpSocket::disconnected, this, &DelayedPipe::sourceClosed);
    }

private:
    void take()
    {
        const QByteArray data = m_from->readAll();
        if (data.isEmpty())
            return;
        m_queue.emplace_back(m_clock.elapsed() + m_delayMs, data);
        if (!m_timer.isActive())
            schedule();
    }

    void sourceClosed()
    {
        // Qt may have closed the device already; what it still buffers counts.
        if (m_from->bytesAvailable() > 0)
            take();
        m_sourceClosed = true;
        if (!m_timer.isActive())
            schedule();
    }

    void flush()
    {
        const qint64 now = m_clock.elapsed();
        while (!m_queue.empty() && m_queue.front().first <= now) {
            m_to->write(m_queue.front().second);
            m_queue.pop_front();
        }
        schedule();
    }

    void schedule()
    {
        if (!m_queue.empty()) {
            m_timer.start(int(qMax<qint64>(0, m_queue.front().first - m_clock.elapsed())));
            return;
        }
        // The far side learns of the close only after the last chunk.
        if (m_sourceClosed && m_to->state() != QAbstractSocket::UnconnectedState) {
            if (m_to->state() == QAbstractSocket::ConnectedState)
                m_to->disconnectFromHost();
            else
                m_to->abort();
        }
    }

    QTcpSocket *m_from;
    QTcpSocket *m_to;
    int m_delayMs;
    QElapsedTimer m_clock;
    QTimer m_timer;
    std::deque<std::pair<qint64, QByteArray>> m_queue;
    bool m_sourceClosed = false;
};

// A client of the relay and its connection to the real server.
class RelayLink : public QObject
{
    Q_OBJECT
public:
    RelayLink(QTcpSocket *client, const QString &host, quint16 port, int delayMs, QObject *parent)
        : QObject(parent)
        , m_client(client)
        , m_upstream(new QTcpSocket(this))
    {
        client->setParent(this);
        // Nagle would hold small protocol packets back on top of the delay.
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        connect(m_upstream, &QTcpSocket::connected, this,
                [this] { m_upstream->setSocketOption(QAbstractSocket::LowDelayOption, 1); });
        new DelayedPipe(client, m_upstream, delayMs, this);
        new DelayedPipe(m_upstream, client, delayMs, this);
        // A server that cannot be reached closes the client at once.
        connect(m_upstream, &QAbstractSocket::errorOccurred, this, [this] {
            if (m_upstream->state() == QAbstractSocket::UnconnectedState && m_client->state() != QAbstractSocket::UnconnectedState)
                m_client->disconnectFromHost();
        });
        connect(m_client, &QAbstractSocket::stateChanged, this, &RelayLink::maybeDone);
        connect(m_upstream, &QAbstractSocket::stateChanged, this, &RelayLink::maybeDone);
        m_upstream->connectToHost(host, port);
    }

private:
    void maybeDone()
    {
        if (m_client->state() == QAbstractSocket::UnconnectedState
            && m_upstream->state() == QAbstractSocket::UnconnectedState)
            deleteLater();
    }

    QTcpSocket *m_client;
    QTcpSocket *m_upstream;
};

// Lives in the relay's thread with everything it creates.
class RelayServer : public QObject
{
    Q_OBJECT
public:
    quint16 listen(const QString &host, quint16 port, int delayMs, QString *error)
    {
        m_server = new QTcpServer(this);
        if (!m_server->listen(QHostAddress::LocalHost, 0)) {
            *error = m_server->errorString();
            return 0;
        }
        connect(m_server, &QTcpServer::newConnection, this, [this, host, port, delayMs] {
            while (QTcpSocket *client = m_server->nextPendingConnection())
                new RelayLink(client, host, port, delayMs, this);
        });
        return m_server->serverPort();
    }

private:
    QTcpServer *m_server = nullptr;
};

DelayRelay::DelayRelay() = default;

DelayRelay::~DelayRelay()
{
    stop();
}

quint16 DelayRelay::start(const QString &host, quint16 port, int delayMs, QString *error)
{
    stop();
    m_delayMs = delayMs;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("delayrelay"));
    m_server = new RelayServer;
    m_server->moveToThread(m_thread);
    // Sockets and timers have to go in the thread that owns them.
    QObject::connect(m_thread, &QThread::finished, m_server, &QObject::deleteLater);
    m_thread->start();
    quint16 listening = 0;
    QString why;
    QMetaObject::invokeMethod(
        m_server, [&] { listening = m_server->listen(host, port, delayMs, &why); }, Qt::BlockingQueuedConnection);
    if (!listening) {
        if (error)
            *error = why;
        stop();
    }
    return listening;
}

void DelayRelay::stop()
{
    if (!m_thread)
        return;
    m_server = nullptr;
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

#include "delayrelay.moc"
