#include "db/qsdownloadmanager.h"
#include "support/httpstub.h"

#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QByteArray package()
{
    QByteArray b;
    for (int i = 0; i < 200000; ++i)
        b += char('A' + i % 23);
    return b;
}

dm_request_t request(const QUrl &source, const QString &fileName)
{
    dm_request_t r {};
    r.url = source;
    r.fileName = fileName;
    return r;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}
}

class TestQSDownloadManager : public QObject
{
    Q_OBJECT
    HttpStub m_stub;
    QScopedPointer<QTemporaryDir> m_dir;

    QStringList filesInDir() const
    {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    // Appends and waits the way the self-update does: a local event loop
    // entered after append() returned.
    void runToEnd(QSDownloadManager &dm, const QList<dm_request_t> &requests)
    {
        QSignalSpy finished(&dm, &QSDownloadManager::finishedDownload);
        QEventLoop loop;
        connect(&dm, &QSDownloadManager::finishedDownload, &loop, &QEventLoop::quit);
        for (const dm_request_t &r : requests)
            dm.append(r, true);
        QCOMPARE(finished.count(), 0); // never from inside append()
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        loop.exec();
        QCOMPARE(finished.count(), 1);
    }

private slots:
    void initTestCase() { QVERIFY(m_stub.listen()); }
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
        m_stub.clearRequests();
    }

    void downloadsFile()
    {
        m_stub.on(QStringLiteral("/zrn.zip"), HttpStub::data(package()));
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        runToEnd(dm, {request(m_stub.url(QStringLiteral("/zrn.zip")), QStringLiteral("zrn_proc.zip"))});
        QVERIFY(dm.isDownloaded());
        QVERIFY(dm.isDownloaded(QStringLiteral("zrn_proc.zip")));
        QCOMPARE(filesInDir(), QStringList{QStringLiteral("zrn_proc.zip")});
        QCOMPARE(readFile(m_dir->filePath(QStringLiteral("zrn_proc.zip"))), package());
    }
    void replacesOlderFile()
    {
        QFile old(m_dir->filePath(QStringLiteral("zrn_proc.zip")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("an older package that is longer than the new one......................");
        old.close();
        m_stub.on(QStringLiteral("/new.zip"), HttpStub::data("new"));
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        runToEnd(dm, {request(m_stub.url(QStringLiteral("/new.zip")), QStringLiteral("zrn_proc.zip"))});
        QVERIFY(dm.isDownloaded());
        QCOMPARE(readFile(old.fileName()), QByteArray("new"));
    }

    void failureLeavesNoFile_data()
    {
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<QString>("source");
        const QString path = QStringLiteral("/zrn.zip");
        HttpStub::Response truncated = HttpStub::data(package());
        truncated.mode = HttpStub::Response::Truncate;
        truncated.partialBytes = 70000;
        HttpStub::Response stalled = truncated;
        stalled.mode = HttpStub::Response::Stall;
        QTest::newRow("404") << HttpStub::data("<h1>Not found</h1>", "text/html", 404) << path;
        QTest::newRow("500") << HttpStub::data("oops", "text/plain", 500) << path;
        QTest::newRow("connection broken mid-body") << truncated << path;
        QTest::newRow("no more data mid-body") << stalled << path;
        QTest::newRow("never answers") << HttpStub::Response::neverAnswer() << path;
        QTest::newRow("closed without answer") << HttpStub::Response::close() << path;
        QTest::newRow("empty link") << HttpStub::Response() << QString();
        QTest::newRow("not a web address") << HttpStub::Response() << QStringLiteral("file:///etc/hostname");
    }
    void failureLeavesNoFile()
    {
        QFETCH(HttpStub::Response, response);
        QFETCH(QString, source);
        m_stub.on(QStringLiteral("/zrn.zip"), response);
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        dm.setTimeout(300);
        const QUrl url = source.startsWith(QLatin1Char('/')) ? m_stub.url(source) : QUrl::fromEncoded(source.toLatin1());
        runToEnd(dm, {request(url, QStringLiteral("zrn_proc.zip"))});
        QVERIFY(!dm.isDownloaded());
        QVERIFY(!dm.isDownloaded(QStringLiteral("zrn_proc.zip")));
        QCOMPARE(filesInDir(), QStringList());
        QVERIFY(!dm.lastError().isEmpty());
    }
    void failureKeepsExistingFile()
    {
        QFile existing(m_dir->filePath(QStringLiteral("data.csv")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("kept");
        existing.close();
        m_stub.on(QStringLiteral("/data.csv"), HttpStub::data("x", "text/plain", 503));
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        runToEnd(dm, {request(m_stub.url(QStringLiteral("/data.csv")), QStringLiteral("data.csv"))});
        QVERIFY(!dm.isDownloaded());
        QCOMPARE(filesInDir(), QStringList{QStringLiteral("data.csv")});
        QCOMPARE(readFile(existing.fileName()), QByteArray("kept"));
    }

    void queueReportsEachFile()
    {
        m_stub.on(QStringLiteral("/a"), HttpStub::data("first"));
        m_stub.on(QStringLiteral("/c"), HttpStub::data("third"));
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        QSignalSpy perFile(&dm, &QSDownloadManager::fileFinished);
        runToEnd(dm, {request(m_stub.url(QStringLiteral("/a")), QStringLiteral("a.txt")),
                      request(m_stub.url(QStringLiteral("/missing")), QStringLiteral("b.txt")),
                      request(m_stub.url(QStringLiteral("/c")), QStringLiteral("c.txt"))});
        QCOMPARE(perFile.count(), 3);
        QVERIFY(!dm.isDownloaded()); // not everything arrived
        QVERIFY(dm.isDownloaded(QStringLiteral("a.txt")));
        QVERIFY(!dm.isDownloaded(QStringLiteral("b.txt")));
        QVERIFY(dm.isDownloaded(QStringLiteral("c.txt")));
        QCOMPARE(filesInDir(), (QStringList{QStringLiteral("a.txt"), QStringLiteral("c.txt")}));

        // A new round starts with a clean slate.
        runToEnd(dm, {request(m_stub.url(QStringLiteral("/a")), QStringLiteral("again.txt"))});
        QVERIFY(dm.isDownloaded());
    }
    void queuedWithoutStartWaitsForStart()
    {
        m_stub.on(QStringLiteral("/a"), HttpStub::data("first"));
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        dm.append(request(m_stub.url(QStringLiteral("/a")), QStringLiteral("a.txt")), false);
        QTest::qWait(100);
        QCOMPARE(m_stub.requestCount(), 0);
        QSignalSpy finished(&dm, &QSDownloadManager::finishedDownload);
        dm.start();
        QVERIFY(finished.wait(5000));
        QVERIFY(dm.isDownloaded());
    }

    void mirrorTakesOver()
    {
        m_stub.on(QStringLiteral("/mirror.zip"), HttpStub::data("from mirror"));
        dm_request_t r = request(m_stub.url(QStringLiteral("/gone.zip")), QStringLiteral("zrn_proc.zip"));
        r.mirror = m_stub.url(QStringLiteral("/mirror.zip"));
        r.referer = QUrl(QStringLiteral("https://www.example.cz/zrn"));
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        runToEnd(dm, {r});
        QVERIFY(dm.isDownloaded());
        QCOMPARE(readFile(m_dir->filePath(QStringLiteral("zrn_proc.zip"))), QByteArray("from mirror"));
        QCOMPARE(m_stub.requestCount(), 2);
        QCOMPARE(m_stub.requests().first().header("referer"), QByteArray("https://www.example.cz/zrn"));
    }
    void checksumMustMatch_data()
    {
        QTest::addColumn<QString>("sha256");
        QTest::addColumn<bool>("downloaded");
        QTest::newRow("matching") << QString::fromLatin1(QCryptographicHash::hash(package(), QCryptographicHash::Sha256).toHex().toUpper()) << true;
        QTest::newRow("other") << QString::fromLatin1(QCryptographicHash::hash("x", QCryptographicHash::Sha256).toHex()) << false;
    }
    void checksumMustMatch()
    {
        QFETCH(QString, sha256);
        QFETCH(bool, downloaded);
        m_stub.on(QStringLiteral("/zrn.zip"), HttpStub::data(package()));
        dm_request_t r = request(m_stub.url(QStringLiteral("/zrn.zip")), QStringLiteral("zrn_proc.zip"));
        r.sha256 = sha256;
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        runToEnd(dm, {r});
        QCOMPARE(dm.isDownloaded(), downloaded);
        QCOMPARE(filesInDir().size(), downloaded ? 1 : 0);
    }
    void skipExistingKeepsFile()
    {
        QFile existing(m_dir->filePath(QStringLiteral("map.png")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("cached");
        existing.close();
        dm_request_t r = request(m_stub.url(QStringLiteral("/map.png")), QStringLiteral("map.png"));
        r.skipExisting = 1;
        QSDownloadManager dm;
        dm.setOutputDir(m_dir->path());
        runToEnd(dm, {r});
        QVERIFY(dm.isDownloaded());
        QCOMPARE(m_stub.requestCount(), 0);
        QCOMPARE(readFile(existing.fileName()), QByteArray("cached"));
    }
};

QTEST_GUILESS_MAIN(TestQSDownloadManager)
#include "tst_qsdownloadmanager.moc"
