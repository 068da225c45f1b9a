#pragma once

#include <QCryptographicHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QSaveFile;

// One file to download. Only url and fileName are required.
struct dm_request_t {
    QUrl referer;          // sent as the Referer header when valid
    QUrl mirror;           // tried when the source fails, when valid
    QUrl url;              // the source
    QString fileName;      // target file name, relative to the output directory
    QString sha256;        // expected SHA-256 (hex); when set, a mismatch fails the file
    QString label;         // what the debug output calls the download
    quint16 timeoutSec;    // time without data after which it fails; 0 = the default
    quint8 skipExisting;   // 1: an existing target counts as downloaded and is kept
};

// Queue of file downloads into one output directory. Each file is written
// under a temporary name and gets its target name only when the whole body
// arrived with a 2xx status (and the checksum matched); on an HTTP error,
// a broken connection or a timeout no file and no partial file is left and
// an existing file of the target name stays untouched.
//
// finishedDownload() is emitted when the queue has run empty - always from
// the event loop, never from inside append(), so a caller may append first
// and then wait for the signal in a local event loop.
class QSDownloadManager : public QObject
{
    Q_OBJECT
public:
    explicit QSDownloadManager(QObject *parent = nullptr);
    ~QSDownloadManager() override;

    void setOutputDir(const QString &dir);
    QString outputDir() const { return m_outputDir; }
    // The time without data after which a download fails, for requests that
    // leave timeoutSec at 0.
    void setTimeout(int ms);

    // Queues a request; with start the queue starts (on the next turn of the
    // event loop) unless it runs already. Without start, call start() later.
    void append(const dm_request_t &request, bool start);
    void start();

    bool isRunning() const { return m_running; }
    // Whether every file queued since the queue last finished arrived.
    bool isDownloaded() const;
    // Whether the file of this target name arrived (relative name as queued).
    bool isDownloaded(const QString &fileName) const;
    int downloadedCount() const { return m_done.size(); }
    int failedCount() const { return m_failed.size(); }
    QString lastError() const { return m_lastError; }

signals:
    // One file done; ok tells whether it arrived.
    void fileFinished(const QString &fileName, bool ok);
    void finishedDownload();

private:
    void next();
    void begin(const QUrl &url);
    void onReadyRead();
    void onFinished();
    void onReadyReadFrom(QNetworkReply *reply);
    void finishCurrent(bool ok, const QString &error);

    QNetworkAccessManager *m_nam;
    QString m_outputDir;
    int m_timeoutMs;
    QList<dm_request_t> m_queue;
    dm_request_t m_current {};
    bool m_running = false;
    bool m_triedMirror = false;
    QPointer<QNetworkReply> m_reply;
    QSaveFile *m_file = nullptr;
    QCryptographicHash m_hash {QCryptographicHash::Sha256};
    qint64 m_received = 0;
    QSet<QString> m_done;
    QSet<QString> m_failed;
    bool m_resetOnNext = false;
    QString m_lastError;
};
