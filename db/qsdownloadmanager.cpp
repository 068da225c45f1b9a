#include "db/qsdownloadmanager.h"

#include "db/servicehttp.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>

namespace {
constexpr int DefaultDownloadTimeoutMs = 30000;
}

QSDownloadManager::QSDownloadManager(QObject *parent)
    : QObject(parent), m_nam(new QNetworkAccessManager(this)), m_timeoutMs(DefaultDownloadTimeoutMs)
{
}

QSDownloadManager::~QSDownloadManager()
{
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    delete m_file; // an uncommitted save file removes its temporary file
}

void QSDownloadManager::setOutputDir(const QString &dir)
{
    m_outputDir = dir;
}

void QSDownloadManager::setTimeout(int ms)
{
    m_timeoutMs = ms > 0 ? ms : DefaultDownloadTimeoutMs;
}

void QSDownloadManager::append(const dm_request_t &request, bool startNow)
{
    if (m_resetOnNext) {
        m_done.clear();
        m_failed.clear();
        m_lastError.clear();
        m_resetOnNext = false;
    }
    m_queue.append(request);
    if (startNow)
        start();
}

void QSDownloadManager::start()
{
    if (m_running)
        return;
    m_running = true;
    QMetaObject::invokeMethod(this, &QSDownloadManager::next, Qt::QueuedConnection);
}

bool QSDownloadManager::isDownloaded() const
{
    return !m_done.isEmpty() && m_failed.isEmpty();
}

bool QSDownloadManager::isDownloaded(const QString &fileName) const
{
    return m_done.contains(fileName);
}

void QSDownloadManager::next()
{
    if (m_queue.isEmpty()) {
        m_running = false;
        m_resetOnNext = true;
        emit finishedDownload();
        return;
    }
    m_current = m_queue.takeFirst();
    m_triedMirror = false;
    if (m_current.fileName.trimmed().isEmpty()) {
        finishCurrent(false, QStringLiteral("no target file name"));
        return;
    }
    const QString target = QDir(m_outputDir).filePath(m_current.fileName);
    if (m_current.skipExisting && QFileInfo(target).isFile()) {
        finishCurrent(true, QString());
        return;
    }
    begin(m_current.url);
}

void QSDownloadManager::begin(const QUrl &url)
{
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        finishCurrent(false, QStringLiteral("invalid source address \"%1\"").arg(url.toString()));
        return;
    }
    const QString target = QDir(m_outputDir).filePath(m_current.fileName);
    QDir().mkpath(QFileInfo(target).absolutePath());
    m_file = new QSaveFile(target);
    m_file->setDirectWriteFallback(false);
    if (!m_file->open(QIODevice::WriteOnly)) {
        const QString err = m_file->errorString();
        delete m_file;
        m_file = nullptr;
        finishCurrent(false, QStringLiteral("cannot write %1: %2").arg(target, err));
        return;
    }

    QNetworkRequest req(url);
    req.setHeader(QNetworkRequest::UserAgentHeader, ServiceHttp::userAgent());
    req.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    req.setTransferTimeout(m_current.timeoutSec > 0 ? int(m_current.timeoutSec) * 1000 : m_timeoutMs);
    if (m_current.referer.isValid())
        req.setRawHeader("Referer", m_current.referer.toEncoded());
    m_hash.reset();
    m_received = 0;
    m_reply = m_nam->get(req);
    connect(m_reply, &QNetworkReply::readyRead, this, &QSDownloadManager::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &QSDownloadManager::onFinished);
}

static bool isSuccessStatus(const QNetworkReply *reply)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status < 300;
}

void QSDownloadManager::onReadyRead()
{
    // The body of an error page is not the file.
    if (!m_reply || !m_file || !isSuccessStatus(m_reply))
        return;
    onReadyReadFrom(m_reply);
    if (m_file->error() != QFileDevice::NoError)
        m_reply->abort();
}

void QSDownloadManager::onFinished()
{
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    if (!reply)
        return;
    reply->deleteLater();
    if (!m_file)
        return;
    if (reply->bytesAvailable() > 0)
        onReadyReadFrom(reply);

    QString error;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_file->error() != QFileDevice::NoError)
        error = m_file->errorString();
    else if (reply->error() == QNetworkReply::OperationCanceledError)
        error = QStringLiteral("no data within the time limit");
    else if (reply->error() != QNetworkReply::NoError && !(status >= 400))
        error = reply->errorString();
    else if (!isSuccessStatus(reply))
        error = QStringLiteral("HTTP %1").arg(status);
    else if (!ServiceHttp::bodyComplete(reply, m_received))
        error = QStringLiteral("connection closed before the whole file arrived");
    else if (!m_current.sha256.trimmed().isEmpty()
             && m_hash.result().toHex() != m_current.sha256.trimmed().toLower().toLatin1())
        error = QStringLiteral("checksum mismatch");

    bool ok = false;
    if (error.isEmpty()) {
        ok = m_file->commit();
        if (!ok)
            error = m_file->errorString();
    } else {
        m_file->cancelWriting();
    }
    delete m_file; // removes the temporary file unless committed
    m_file = nullptr;

    if (!ok && m_current.mirror.isValid() && !m_triedMirror) {
        qWarning().noquote() << "QSDownloadManager:" << reply->url().toString() << "failed:" << error
                             << "- trying the mirror";
        m_triedMirror = true;
        begin(m_current.mirror);
        return;
    }
    finishCurrent(ok, error);
}

void QSDownloadManager::onReadyReadFrom(QNetworkReply *reply)
{
    if (!m_file || !isSuccessStatus(reply))
        return;
    const QByteArray data = reply->readAll();
    m_hash.addData(data);
    m_received += data.size();
    m_file->write(data);
}

void QSDownloadManager::finishCurrent(bool ok, const QString &error)
{
    const QString name = m_current.fileName;
    if (ok) {
        m_done.insert(name);
    } else {
        m_failed.insert(name);
        m_lastError = error;
        qWarning().noquote() << "QSDownloadManager:"
                             << (m_current.label.isEmpty() ? m_current.url.toString() : m_current.label)
                             << "not downloaded:" << error;
    }
    emit fileFinished(name, ok);
    // The next file starts from the event loop, which also keeps
    // finishedDownload() out of append().
    QMetaObject::invokeMethod(this, &QSDownloadManager::next, Qt::QueuedConnection);
}
