#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QPair>
#include <QString>
#include <QUrl>

class QTcpServer;
class QTcpSocket;

// A tiny HTTP/1.1 server on 127.0.0.1 (random port) for testing network
// clients without the network, driven by the test thread's event loop. Paths
// match exactly, without the query; an unknown path gets 404 "no such path".
// Every answer closes the connection.
class HttpStub : public QObject
{
    Q_OBJECT
public:
    struct Response {
        enum Mode {
            Normal,        // status, headers and body
            NeverAnswer,   // read the request, then stay silent (provokes timeouts)
            Close,         // close the connection without answering
            Truncate,      // announce the whole body, send partialBytes of it, close
            Stall          // announce the whole body, send partialBytes of it, stay silent
        };
        int status = 200;
        QList<QPair<QByteArray, QByteArray>> headers;  // Content-Length is added
        QByteArray body;
        Mode mode = Normal;
        int partialBytes = 0;  // for Truncate and Stall

        static Response neverAnswer() { Response r; r.mode = NeverAnswer; return r; }
        static Response close() { Response r; r.mode = Close; return r; }
    };

    struct Request {
        QByteArray method;
        QString path;                           // decoded, without the query
        QByteArray query;                       // as sent, without "?"
        QMap<QByteArray, QByteArray> headers;   // names in lower case
        QByteArray body;
        QByteArray header(const QByteArray &name) const { return headers.value(name.toLower()); }
    };

    explicit HttpStub(QObject *parent = nullptr);

    bool listen();
    // HTTPS with the test-only certificate of 127.0.0.1.
    bool listenTls();
    quint16 port() const;
    // http(s)://127.0.0.1:<port><path>
    QUrl url(const QString &path = QString()) const;
    // Trusts the test-only certificate in every later TLS connection.
    static void trustTestCertificate();

    void on(const QString &path, const Response &response) { m_responses.insert(path, response); }
    // A loopback port nobody listens on (connections are refused).
    static quint16 closedPort();
    static Response json(const QByteArray &body, int status = 200)
    {
        return data(body, "application/json; charset=utf-8", status);
    }
    static Response data(const QByteArray &body, const QByteArray &contentType = "application/octet-stream",
                         int status = 200);

    QList<Request> requests() const { return m_requests; }
    int requestCount() const { return m_requests.size(); }
    void clearRequests() { m_requests.clear(); }

private:
    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void respond(QTcpSocket *socket, const Response &response);

    QTcpServer *m_server;
    bool m_tls = false;
    QHash<QString, Response> m_responses;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    QList<Request> m_requests;
};

Q_DECLARE_METATYPE(HttpStub::Response)
