#include "db/qsapitellmark.h"
#include "db/servicekeys.h"
#include "support/httpstub.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QtTest>

#include "support/testmain.h"

namespace {
// (No raw string: moc would take the "//" of an address inside one for a comment.)
const QByteArray kRelease = "{\"link\":\"https:\\/\\/dl.example\\/zrn-3.13.zip\","
                            "\"version\":{\"major\":\"3\",\"minor\":\"13\",\"date\":\"2025-02-01\"}}";
const QString kLatest = QStringLiteral("/api/releases/zrn/latest");

void writeSetting(const QString &key, const QString &value)
{
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN")).setValue(key, value);
}

QJsonObject replyObject(QSAPITellmark &api)
{
    return QJsonDocument::fromJson(api.getReplayData()).object();
}
} // namespace

class TestQSAPITellmark : public QObject
{
    Q_OBJECT
    HttpStub m_stub;

    // A client pointed at the stub through the settings, as the program is.
    std::unique_ptr<QSAPITellmark> client(int timeoutMs = 3000)
    {
        writeSetting(ServiceKeys::Api, m_stub.url(QStringLiteral("/api/")).toString());
        auto api = std::make_unique<QSAPITellmark>();
        api->setTimeout(timeoutMs);
        return api;
    }

private slots:
    void initTestCase() { QVERIFY(m_stub.listen()); }
    void init()
    {
        m_stub.clearRequests();
        for (const QString &key : {ServiceKeys::Api, ServiceKeys::ApiToken, ServiceKeys::LastRelease})
            writeSetting(key, QString());
    }

    // Local mode (no address): the running release with no link, dated as the release last seen, so the start-up
    // check finds no update; unique hashes; nothing sent.
    void localMode()
    {
        QSAPITellmark api;
        for (const QString &lastSeen : {QString(), QStringLiteral("2025-03-07")}) {
            writeSetting(ServiceKeys::LastRelease, lastSeen);
            QCOMPARE(api.update(QStringLiteral("zrn"), QString(), false, false, 1), 1);
            const QJsonObject o = replyObject(api);
            QCOMPARE(o.value("link").toString(), QString());
            QCOMPARE(o.value("version").toObject().value("date").toString(),
                     lastSeen.isEmpty() ? QSAPITellmark::builtInReleaseDate() : lastSeen);
        }
        // The setter wins over a configured address.
        writeSetting(ServiceKeys::Api, m_stub.url(QStringLiteral("/api")).toString());
        QSAPITellmark local;
        local.setBaseUrl(QString());
        QSet<QString> seen;
        const QRegularExpression hex(QStringLiteral("^[0-9a-f]{32}$"));
        for (int i = 0; i < 200; ++i) {
            QVERIFY(local.sendZRNHash(1) > 0);
            const QString hash = replyObject(local).value("hash").toString();
            QVERIFY2(hex.match(hash).hasMatch(), qPrintable(hash));
            seen.insert(hash);
        }
        QCOMPARE(seen.size(), 200);
        QVERIFY(local.sendZRNSync(QStringLiteral("42"), 1) >= 0);
        QCOMPARE(m_stub.requestCount(), 0);
    }

    void updateFetchesRelease()
    {
        m_stub.on(kLatest, HttpStub::json(kRelease));
        auto api = client();
        QCOMPARE(api->update(QStringLiteral("zrn"), QStringLiteral("beta 2"), true, false, 1), 1);
        QCOMPARE(api->getReplayData(), kRelease);
        QCOMPARE(m_stub.requestCount(), 1);
        const HttpStub::Request req = m_stub.requests().first();
        QCOMPARE(req.method, QByteArray("GET"));
        QCOMPARE(req.query, QByteArray("channel=beta%202&prerelease=1&full=0&api=1"));
        QVERIFY(req.header("accept").contains("application/json"));
        QVERIFY(req.header("authorization").isEmpty());
        // An answer that is not JSON is handed over too: the caller reads it as no release (no update).
        m_stub.on(kLatest, HttpStub::data("<html>maintenance</html>", "text/html"));
        QCOMPARE(api->update(QStringLiteral("zrn"), QString(), false, false, 1), 1);
        QCOMPARE(api->getReplayData(), QByteArray("<html>maintenance</html>"));
    }
    void hashAndSyncWithToken()
    {
        writeSetting(ServiceKeys::ApiToken, QStringLiteral("s3cret"));
        m_stub.on(QStringLiteral("/api/events/hash"), HttpStub::json(R"({"hash":"9f86d081884c7d65"})"));
        m_stub.on(QStringLiteral("/api/events/sync"), HttpStub::json(R"({"queued":true})"));
        auto api = client();
        QVERIFY(api->sendZRNHash(1) > 0);
        QCOMPARE(replyObject(*api).value("hash").toString(), QStringLiteral("9f86d081884c7d65"));
        QCOMPARE(api->sendZRNSync(QStringLiteral("1234"), 1), 1);
        const QList<HttpStub::Request> req = m_stub.requests();
        QCOMPARE(req.size(), 2);
        QCOMPARE(req[0].method, QByteArray("POST"));
        QCOMPARE(QJsonDocument::fromJson(req[0].body).object().value("api").toInt(), 1);
        QCOMPARE(QJsonDocument::fromJson(req[1].body).object().value("id").toString(), QStringLiteral("1234"));
        QCOMPARE(req[1].header("authorization"), QByteArray("Bearer s3cret"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<QString>("base"); // empty: the stub
        QTest::addColumn<int>("expected");
        HttpStub::Response cut = HttpStub::json("{\"hash\":\"abcdef\",\"link\":\"https:\\/\\/dl.example\\/zrn.zip\"}");
        cut.mode = HttpStub::Response::Truncate;
        cut.partialBytes = 14;
        const HttpStub::Response ok = HttpStub::json(R"({"hash":"abc"})");
        for (const QString &call : {QStringLiteral("update"), QStringLiteral("hash"), QStringLiteral("sync")}) {
            QTest::newRow(qPrintable(call + " 500")) << call << HttpStub::json("{}", 500) << QString() << -3;
            QTest::newRow(qPrintable(call + " never answers")) << call << HttpStub::Response::neverAnswer() << QString() << -2;
            QTest::newRow(qPrintable(call + " connection closed")) << call << HttpStub::Response::close() << QString() << -1;
        }
        QTest::newRow("hash answer cut short") << "hash" << cut << QString() << -1;
        QTest::newRow("hash not json") << "hash" << HttpStub::json("hash=abc") << QString() << -4;
        QTest::newRow("hash missing") << "hash" << HttpStub::json(R"({"id":1})") << QString() << -4;
        QTest::newRow("hash empty") << "hash" << HttpStub::json(R"({"hash":""})") << QString() << -4;
        QTest::newRow("nobody listens") << "update" << ok
                                        << QStringLiteral("http://127.0.0.1:%1/api").arg(HttpStub::closedPort()) << -1;
        QTest::newRow("address without scheme") << "hash" << ok << "api.example.cz/zrn" << -5;
        QTest::newRow("ftp address") << "sync" << ok << "ftp://api.example.cz/zrn" << -5;
    }
    void failures()
    {
        QFETCH(QString, call);
        QFETCH(HttpStub::Response, response);
        QFETCH(QString, base);
        const bool update = call == QLatin1String("update");
        m_stub.on(update ? kLatest : QStringLiteral("/api/events/") + call, response);
        auto api = client(300);
        if (!base.isEmpty())
            api->setBaseUrl(base);
        QTEST(update ? api->update(QStringLiteral("zrn"), QString(), false, false, 1)
                     : call == QLatin1String("hash") ? api->sendZRNHash(1) : api->sendZRNSync(QStringLiteral("5"), 1),
              "expected");
        QVERIFY(!api->lastError().isEmpty());
    }
};

ZRN_TEST_GUILESS_MAIN(TestQSAPITellmark)
#include "tst_qsapitellmark.moc"
