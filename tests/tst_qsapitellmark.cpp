#include "db/qsapitellmark.h"
#include "db/servicekeys.h"
#include "support/httpstub.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <QSettings>
#include <QtTest>

namespace {
// (No raw string: moc would take the "//" of an address inside one for a comment.)
const QByteArray kRelease = "{\"link\":\"https:\\/\\/dl.example\\/zrn-3.13.zip\","
                            "\"version\":{\"major\":\"3\",\"minor\":\"13\",\"date\":\"2025-02-01\"}}";

void writeSetting(const QString &key, const QVariant &value)
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"));
    if (value.isNull())
        s.remove(key);
    else
        s.setValue(key, value);
}

QJsonObject replyObject(QSAPITellmark &api)
{
    return QJsonDocument::fromJson(api.getReplayData()).object();
}
}

class TestQSAPITellmark : public QObject
{
    Q_OBJECT
    HttpStub m_stub;

    // A client pointed at the stub through the settings, as the program is.
    void configure(QSAPITellmark &api)
    {
        writeSetting(ServiceKeys::Api, m_stub.url(QStringLiteral("/api/")).toString());
        api.setTimeout(3000);
    }

private slots:
    void initTestCase() { QVERIFY(m_stub.listen()); }
    void init()
    {
        m_stub.clearRequests();
        writeSetting(ServiceKeys::Api, QVariant());
        writeSetting(ServiceKeys::ApiToken, QVariant());
        writeSetting(ServiceKeys::LastRelease, QVariant());
    }

    // --- local mode (no address configured) ---
    void localUpdateReportsRunningRelease()
    {
        QSAPITellmark api;
        QVERIFY(api.baseUrl().isEmpty());
        QCOMPARE(api.update(QStringLiteral("zrn"), QString(), false, false, 1), 1);
        const QJsonObject o = replyObject(api);
        QCOMPARE(o.value("link").toString(), QString());
        const QJsonObject v = o.value("version").toObject();
        QCOMPARE(v.value("major").toString(), QStringLiteral("3"));
        QCOMPARE(v.value("minor").toString(), QStringLiteral("12"));
        QCOMPARE(v.value("date").toString(), QSAPITellmark::builtInReleaseDate());
        QCOMPARE(m_stub.requestCount(), 0);
    }
    void localUpdateNeverLooksNewerThanWhatWasSeen()
    {
        // A release seen while a server was configured: the local mode must
        // not make the start-up check try a download.
        writeSetting(ServiceKeys::LastRelease, QStringLiteral("2025-03-07"));
        QSAPITellmark api;
        QCOMPARE(api.update(QStringLiteral("zrn"), QString(), false, false, 1), 1);
        QCOMPARE(replyObject(api).value("version").toObject().value("date").toString(), QStringLiteral("2025-03-07"));
    }
    void localHashesAreFreshAndUnique()
    {
        QSAPITellmark api;
        QSet<QString> seen;
        const QRegularExpression hex(QStringLiteral("^[0-9a-f]{32}$"));
        for (int i = 0; i < 200; ++i) {
            QVERIFY(api.sendZRNHash(1) > 0);
            const QString hash = replyObject(api).value("hash").toString();
            QVERIFY2(hex.match(hash).hasMatch(), qPrintable(hash));
            seen.insert(hash);
        }
        QCOMPARE(seen.size(), 200);
        QSAPITellmark other; // another client (another program run) too
        QVERIFY(other.sendZRNHash(1) > 0);
        QVERIFY(!seen.contains(replyObject(other).value("hash").toString()));
    }
    void localSyncDoesNothing()
    {
        QSAPITellmark api;
        QVERIFY(api.sendZRNSync(QStringLiteral("42"), 1) >= 0);
        QCOMPARE(m_stub.requestCount(), 0);
    }
    void setterOverridesSetting()
    {
        writeSetting(ServiceKeys::Api, m_stub.url(QStringLiteral("/api")).toString());
        QSAPITellmark api;
        api.setBaseUrl(QString()); // local mode despite the setting
        QVERIFY(api.sendZRNHash(1) > 0);
        QCOMPARE(m_stub.requestCount(), 0);
    }

    // --- against a server ---
    void updateFetchesRelease()
    {
        m_stub.on(QStringLiteral("/api/releases/zrn/latest"), HttpStub::json(kRelease));
        QSAPITellmark api;
        configure(api);
        QCOMPARE(api.update(QStringLiteral("zrn"), QString(), false, false, 1), 1);
        QCOMPARE(api.getReplayData(), kRelease);
        QCOMPARE(m_stub.requestCount(), 1);
        const HttpStub::Request req = m_stub.requests().first();
        QCOMPARE(req.method, QByteArray("GET"));
        QCOMPARE(req.query, QByteArray("prerelease=0&full=0&api=1"));
        QVERIFY(req.header("accept").contains("application/json"));
        QVERIFY(req.header("user-agent").startsWith("ZRN/"));
        QVERIFY(req.header("authorization").isEmpty());
    }
    void updateHandsOverAnswerThatIsNotJson()
    {
        // The caller decides what a broken release answer means.
        m_stub.on(QStringLiteral("/api/releases/zrn/latest"), HttpStub::data("<html>maintenance</html>", "text/html"));
        QSAPITellmark api;
        configure(api);
        QCOMPARE(api.update(QStringLiteral("zrn"), QString(), false, false, 1), 1);
        QCOMPARE(api.getReplayData(), QByteArray("<html>maintenance</html>"));
    }
    void updateAsksForChannel()
    {
        m_stub.on(QStringLiteral("/api/releases/zrn/latest"), HttpStub::json(kRelease));
        QSAPITellmark api;
        configure(api);
        QCOMPARE(api.update(QStringLiteral("zrn"), QStringLiteral("beta 2"), true, true, 1), 1);
        QCOMPARE(m_stub.requests().first().query, QByteArray("channel=beta%202&prerelease=1&full=1&api=1"));
    }
    void tokenIsSent()
    {
        writeSetting(ServiceKeys::ApiToken, QStringLiteral("s3cret"));
        m_stub.on(QStringLiteral("/api/events/sync"), HttpStub::json("{}"));
        QSAPITellmark api;
        configure(api);
        QCOMPARE(api.sendZRNSync(QStringLiteral("7"), 1), 1);
        QCOMPARE(m_stub.requests().first().header("authorization"), QByteArray("Bearer s3cret"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("path");
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<int>("expected");
        HttpStub::Response slow = HttpStub::json(kRelease);
        slow.delayMs = 900;
        HttpStub::Response cut = HttpStub::json("{\"hash\":\"abcdef\",\"link\":\"https:\\/\\/dl.example\\/zrn.zip\"}");
        cut.mode = HttpStub::Response::Truncate;
        cut.partialBytes = 14;
        for (const QString &call : {QStringLiteral("update"), QStringLiteral("hash"), QStringLiteral("sync")}) {
            const QString path = call == QLatin1String("update") ? QStringLiteral("/api/releases/zrn/latest")
                                                                 : QStringLiteral("/api/events/") + call;
            QTest::newRow(qPrintable(call + " 500")) << call << path << HttpStub::json("{}", 500) << -3;
            QTest::newRow(qPrintable(call + " 404")) << call << path << HttpStub::data("no", "text/plain", 404) << -3;
            QTest::newRow(qPrintable(call + " never answers")) << call << path << HttpStub::Response::neverAnswer() << -2;
            QTest::newRow(qPrintable(call + " answers too late")) << call << path << slow << -2;
            QTest::newRow(qPrintable(call + " connection closed")) << call << path << HttpStub::Response::close() << -1;
            QTest::newRow(qPrintable(call + " answer cut short")) << call << path << cut << -1;
        }
        const QString hash = QStringLiteral("/api/events/hash");
        QTest::newRow("hash not json") << "hash" << hash << HttpStub::json("hash=abc") << -4;
        QTest::newRow("hash missing") << "hash" << hash << HttpStub::json(R"({"id":1})") << -4;
        QTest::newRow("hash empty") << "hash" << hash << HttpStub::json(R"({"hash":""})") << -4;
        QTest::newRow("hash not text") << "hash" << hash << HttpStub::json(R"({"hash":12})") << -4;
        QTest::newRow("hash array") << "hash" << hash << HttpStub::json(R"(["abc"])") << -4;
    }
    void failures()
    {
        QFETCH(QString, call);
        QFETCH(QString, path);
        QFETCH(HttpStub::Response, response);
        QFETCH(int, expected);
        m_stub.on(path, response);
        QSAPITellmark api;
        configure(api);
        api.setTimeout(300);
        int rc = 0;
        if (call == QLatin1String("update"))
            rc = api.update(QStringLiteral("zrn"), QString(), false, false, 1);
        else if (call == QLatin1String("hash"))
            rc = api.sendZRNHash(1);
        else
            rc = api.sendZRNSync(QStringLiteral("5"), 1);
        QCOMPARE(rc, expected);
        QVERIFY(!api.lastError().isEmpty());
    }

    void hashIsIssuedByServer()
    {
        m_stub.on(QStringLiteral("/api/events/hash"), HttpStub::json(R"({"hash":"9f86d081884c7d65"})"));
        QSAPITellmark api;
        configure(api);
        QVERIFY(api.sendZRNHash(1) > 0);
        QCOMPARE(replyObject(api).value("hash").toString(), QStringLiteral("9f86d081884c7d65"));
        const HttpStub::Request req = m_stub.requests().first();
        QCOMPARE(req.method, QByteArray("POST"));
        QVERIFY(req.header("content-type").startsWith("application/json"));
        QCOMPARE(QJsonDocument::fromJson(req.body).object().value("api").toInt(), 1);
    }
    void syncNamesTheEvent()
    {
        m_stub.on(QStringLiteral("/api/events/sync"), HttpStub::json(R"({"queued":true})"));
        QSAPITellmark api;
        configure(api);
        QCOMPARE(api.sendZRNSync(QStringLiteral("1234"), 1), 1);
        const QJsonObject body = QJsonDocument::fromJson(m_stub.requests().first().body).object();
        QCOMPARE(body.value("id").toString(), QStringLiteral("1234"));
    }
    void unreachableServer()
    {
        QSAPITellmark api;
        api.setTimeout(2000);
        api.setBaseUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(HttpStub::closedPort()));
        QCOMPARE(api.update(QStringLiteral("zrn"), QString(), false, false, 1), -1);
        QVERIFY(api.getReplayData().isEmpty());
    }
    void badAddress_data()
    {
        QTest::addColumn<QString>("base");
        QTest::newRow("no scheme") << "api.example.cz/zrn";
        QTest::newRow("ftp") << "ftp://api.example.cz/zrn";
        QTest::newRow("garbage") << "::::";
    }
    void badAddress()
    {
        QFETCH(QString, base);
        QSAPITellmark api;
        api.setBaseUrl(base);
        QCOMPARE(api.sendZRNHash(1), -5);
    }
};


QTEST_GUILESS_MAIN(TestQSAPITellmark)
#include "tst_qsapitellmark.moc"
