#include "db/qsdownloadmanager.h"
#include "support/httpstub.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "support/testmain.h"

namespace {
QByteArray package()
{
    return QByteArray("ZRN 3.13 package ").repeated(12000);
}

dm_request_t request(const QUrl &source, const QString &fileName)
{
    return dm_request_t{QUrl(), QUrl(), source, fileName, QString(), QString(), 0, 0};
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}
} // namespace

class TestQSDownloadManager : public QObject
{
    Q_OBJECT
    HttpStub m_stub;
    QScopedPointer<QTemporaryDir> m_dir;

    QStringList filesInDir() const
    {
        return QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    QString target() const { return m_dir->filePath(QStringLiteral("zrn_proc.zip")); }
    // Appends and waits the way the self-update does: a local event loop entered after append() returned.
    void runToEnd(QSDownloadManager &dm, const QList<dm_request_t> &requests)
    {
        dm.setOutputDir(m_dir->path());
        QSignalSpy finished(&dm, &QSDownloadManager::finishedDownload);
        for (const dm_request_t &r : requests)
            dm.append(r, true);
        QCOMPARE(finished.count(), 0); // never from inside append()
        QVERIFY(finished.wait(5000));
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

    // One file arrives whole, or no file and no partial file is left and a file of that name stays as it was.
    void oneFile_data()
    {
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<QString>("source");
        QTest::addColumn<bool>("existing"); // an older file of the target name is there
        QTest::addColumn<QByteArray>("content"); // of the target afterwards; empty: none
        const QString path = QStringLiteral("/zrn.zip");
        HttpStub::Response truncated = HttpStub::data(package());
        truncated.mode = HttpStub::Response::Truncate;
        truncated.partialBytes = 70000;
        HttpStub::Response stalled = truncated;
        stalled.mode = HttpStub::Response::Stall;
        QTest::newRow("arrives over an older file") << HttpStub::data(package()) << path << true << package();
        QTest::newRow("404") << HttpStub::data("<h1>Not found</h1>", "text/html", 404) << path << false << QByteArray();
        QTest::newRow("connection broken mid-body") << truncated << path << false << QByteArray();
        QTest::newRow("no more data mid-body") << stalled << path << false << QByteArray();
        QTest::newRow("never answers") << HttpStub::Response::neverAnswer() << path << false << QByteArray();
        QTest::newRow("closed without answer") << HttpStub::Response::close() << path << false << QByteArray();
        QTest::newRow("empty link") << HttpStub::Response() << QString() << false << QByteArray();
        QTest::newRow("not a web address") << HttpStub::Response() << "file:///etc/hostname" << false << QByteArray();
        QTest::newRow("503 over an older file") << HttpStub::data("x", "text/plain", 503) << path << true << QByteArray("old");
        QTest::newRow("broken mid-body over an older file") << truncated << path << true << QByteArray("old");
    }
    void oneFile()
    {
        QFETCH(HttpStub::Response, response);
        QFETCH(QString, source);
        QFETCH(bool, existing);
        QFETCH(QByteArray, content);
        if (existing)
            QVERIFY(writeFile(target(), "old"));
        m_stub.on(QStringLiteral("/zrn.zip"), response);
        QSDownloadManager dm;
        dm.setTimeout(300);
        const QUrl url = source.startsWith(QLatin1Char('/')) ? m_stub.url(source) : QUrl::fromEncoded(source.toLatin1());
        runToEnd(dm, {request(url, QStringLiteral("zrn_proc.zip"))});
        const bool arrived = content == package();
        QCOMPARE(dm.isDownloaded(), arrived);
        QCOMPARE(dm.isDownloaded(QStringLiteral("zrn_proc.zip")), arrived);
        QCOMPARE(dm.lastError().isEmpty(), arrived);
        QCOMPARE(filesInDir(), content.isEmpty() ? QStringList() : QStringList{QStringLiteral("zrn_proc.zip")});
        if (!content.isEmpty())
            QCOMPARE(readFile(target()), content);
    }

    // Each file of a queue has its own outcome: arrived, missing on the server, checksum right or wrong, kept.
    void queueReportsEachFile()
    {
        m_stub.on(QStringLiteral("/a"), HttpStub::data("first"));
        m_stub.on(QStringLiteral("/zrn.zip"), HttpStub::data(package()));
        QVERIFY(writeFile(m_dir->filePath(QStringLiteral("map.png")), "cached"));
        const QUrl zip = m_stub.url(QStringLiteral("/zrn.zip"));
        dm_request_t sumOk = request(zip, QStringLiteral("ok.zip")), sumBad = request(zip, QStringLiteral("bad.zip"));
        sumOk.sha256 = QCryptographicHash::hash(package(), QCryptographicHash::Sha256).toHex().toUpper();
        sumBad.sha256 = QCryptographicHash::hash("x", QCryptographicHash::Sha256).toHex();
        dm_request_t cached = request(m_stub.url(QStringLiteral("/map.png")), QStringLiteral("map.png"));
        cached.skipExisting = 1;
        QSDownloadManager dm;
        QSignalSpy perFile(&dm, &QSDownloadManager::fileFinished);
        runToEnd(dm, {request(m_stub.url(QStringLiteral("/a")), QStringLiteral("a.txt")),
                      request(m_stub.url(QStringLiteral("/missing")), QStringLiteral("b.txt")), sumOk, sumBad, cached});
        QCOMPARE(perFile.count(), 5);
        QVERIFY(!dm.isDownloaded()); // not everything arrived
        const QStringList arrived = {"a.txt", "map.png", "ok.zip"};
        for (const QString &name : arrived + QStringList{"b.txt", "bad.zip"})
            QCOMPARE(dm.isDownloaded(name), arrived.contains(name));
        QCOMPARE(filesInDir(), arrived);
        QCOMPARE(readFile(m_dir->filePath(QStringLiteral("map.png"))), QByteArray("cached"));
        QCOMPARE(m_stub.requestCount(), 4);
        // A new round starts with a clean slate.
        runToEnd(dm, {request(m_stub.url(QStringLiteral("/a")), QStringLiteral("again.txt"))});
        QVERIFY(dm.isDownloaded());
    }

    void mirrorTakesOver()
    {
        m_stub.on(QStringLiteral("/mirror.zip"), HttpStub::data("from mirror"));
        dm_request_t r = request(m_stub.url(QStringLiteral("/gone.zip")), QStringLiteral("zrn_proc.zip"));
        r.mirror = m_stub.url(QStringLiteral("/mirror.zip"));
        r.referer = QUrl(QStringLiteral("https://www.example.cz/zrn"));
        QSDownloadManager dm;
        runToEnd(dm, {r});
        QVERIFY(dm.isDownloaded());
        QCOMPARE(readFile(target()), QByteArray("from mirror"));
        QCOMPARE(m_stub.requestCount(), 2);
        QCOMPARE(m_stub.requests().first().header("referer"), QByteArray("https://www.example.cz/zrn"));
    }
};

ZRN_TEST_GUILESS_MAIN(TestQSDownloadManager)
#include "tst_qsdownloadmanager.moc"
