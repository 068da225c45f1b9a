#pragma once

#include <QString>

class QThread;
class RelayServer;

// A loopback TCP relay that holds every chunk for a fixed time in each
// direction, so that a database on this machine answers like one across a
// slow office link. Its sockets live in a thread of their own: the GUI
// thread blocks in the database client while waiting for the answers the
// relay has to pass on.
//
//   DelayRelay relay;
//   const quint16 port = relay.start(host, 3306, 25, &error);  // 0 on failure
//   ... connect to 127.0.0.1:port ...
//   relay.stop();
class DelayRelay
{
public:
    DelayRelay();
    ~DelayRelay();
    DelayRelay(const DelayRelay &) = delete;
    DelayRelay &operator=(const DelayRelay &) = delete;

    // Listens on 127.0.0.1 on a free port and forwards every connection to
    // host:port. Returns the port, or 0 with the reason in *error.
    quint16 start(const QString &host, quint16 port, int delayMs, QString *error);
    // Closes the listener and every relayed connection.
    void stop();

    int delayMs() const { return m_delayMs; }

private:
    QThread *m_thread = nullptr;
    RelayServer *m_server = nullptr;
    int m_delayMs = 0;
};
