#include "httpstub.h"

#include <QFile>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

QByteArray tlsFile(const char *name)
{
    QFile f(QStringLiteral(ZRN_TEST_TLS_DIR "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Hands out TLS sockets once it has a certificate.
class Server : public QTcpServer
{
public:
    using QTcpServer::QTcpServer;
    QSslConfiguration tls;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (tls.isNull()) {
            QTcpServer::incomingConnection(descriptor);
            return;
        }
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setSslConfiguration(tls);
        socket->startServerEncryption();
        addPendingConnection(socket);
    }
};

} // namespace

HttpStub::HttpStub(QObject *parent) : QObject(parent), m_server(new Server(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &HttpStub::onNewConnection);
}

bool HttpStub::listen()
{
    return m_server->isListening() || m_server->listen(QHostAddress::LocalHost, 0);
}

bool HttpStub::listenTls()
{
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(tlsFile("loopback.crt")));
    tls.setPrivateKey(QSslKey(tlsFile("loopback.key"), QSsl::Ec));
    if (tls.localCertificate().isNull() || tls.privateKey().isNull())
        return false;
    static_cast<Server *>(m_server)->tls = tls;
    m_tls = true;
    return listen();
}

void HttpStub::trustTestCertificate()
{
    QSslConfiguration c = QSslConfiguration::defaultConfiguration();
    c.addCaCertificate(QSslCertificate(tlsFile("loopback.crt")));
    QSslConfiguration::setDefaultConfiguration(c);
}

quint16 HttpStub::port() const
{
    return m_server->serverPort();
}

QUrl HttpStub::url(const QString &path) const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2%3").arg(m_tls ? "https" : "http").arg(port()).arg(path));
}

quint16 HttpStub::closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

HttpStub::Response HttpStub::data(const QByteArray &body, const QByteArray &contentType, int status)
{
    return Response{status, {{QByteArrayLiteral("Content-Type"), contentType}}, body};
}

void HttpStub::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        socket->setParent(this);
        m_buffers.insert(socket, QByteArray());
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            m_buffers.remove(socket);
            socket->deleteLater();
        });
    }
}

void HttpStub::onReadyRead(QTcpSocket *socket)
{
    if (!m_buffers.contains(socket))
        return; // answered already; ignore anything further
    QByteArray &buf = m_buffers[socket];
    buf += socket->readAll();
    const int headEnd = buf.indexOf("\r\n\r\n");
    if (headEnd < 0)
        return;

    Request req;
    const QList<QByteArray> lines = buf.left(headEnd).split('\n');
    const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
    req.method = first.value(0);
    const QByteArray target = first.value(1);
    const int q = target.indexOf('?');
    req.path = QUrl::fromPercentEncoding(q < 0 ? target : target.left(q));
    req.query = q < 0 ? QByteArray() : target.mid(q + 1);
    for (int i = 1; i < lines.size(); ++i) {
        const int colon = lines[i].indexOf(':');
        if (colon > 0)
            req.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
    }
    const int length = req.headers.value("content-length").toInt();
    if (buf.size() < headEnd + 4 + length)
        return; // body incomplete
    req.body = buf.mid(headEnd + 4, length);
    m_buffers.remove(socket);

    m_requests.append(req);
    respond(socket, m_responses.value(req.path, data("no such path", "text/plain", 404)));
}

void HttpStub::respond(QTcpSocket *socket, const Response &r)
{
    if (socket->state() != QAbstractSocket::ConnectedState || r.mode == Response::NeverAnswer)
        return;
    if (r.mode == Response::Close) {
        socket->disconnectFromHost();
        return;
    }
    QByteArray out = "HTTP/1.1 " + QByteArray::number(r.status) + " Stub\r\n";
    for (const auto &h : r.headers)
        out += h.first + ": " + h.second + "\r\n";
    out += "Content-Length: " + QByteArray::number(r.body.size()) + "\r\n";
    const bool partial = r.mode == Response::Truncate || r.mode == Response::Stall;
    out += "Connection: close\r\n\r\n" + (partial ? r.body.left(r.partialBytes) : r.body);
    socket->write(out);
    socket->flush();
    if (r.mode != Response::Stall)
        socket->disconnectFromHost(); // after the pending bytes are written
}
