#include "db/qsares.h"
#include "db/servicekeys.h"
#include "support/httpstub.h"

#include <QSettings>
#include <QtTest>

#include "support/testmain.h"

namespace {
// Shaped like an answer of the ARES REST interface (members trimmed; no "ico": the asked number is taken).
const QByteArray kFound = R"({"obchodniJmeno": "Zemědělské družstvo Hrušovany, a.s.", "dic": "CZ00012345",
  "sidlo": {"kodStatu": "CZ", "nazevOkresu": "Brno-venkov", "nazevObce": "Hrušovany u Brna",
            "nazevCastiObce": "Hrušovany u Brna", "nazevUlice": "Hlavní", "cisloDomovni": 12, "psc": 66462,
            "textovaAdresa": "Hlavní 12, 66462 Hrušovany u Brna"}})";
const QString kPath = QStringLiteral("/rest/ekonomicke-subjekty/");
} // namespace

class TestQSAres : public QObject
{
    Q_OBJECT
    HttpStub m_stub;

private slots:
    void initTestCase() { QVERIFY(m_stub.listen()); }
    void init() { m_stub.clearRequests(); }

    void addressMapping_data()
    {
        QTest::addColumn<QByteArray>("sidlo");
        QTest::addColumn<QString>("street");
        QTest::addColumn<QString>("municipality");
        QTest::newRow("orientation number with letter")
            << QByteArray(R"({"nazevOkresu":"Hlavní město Praha","nazevObce":"Praha","nazevCastiObce":"Malá Strana",
                 "nazevUlice":"Letenská","cisloDomovni":525,"cisloOrientacni":15,"cisloOrientacniPismeno":"a","psc":11800})")
            << "Letenská 525/15a" << "118 00 Praha";
        QTest::newRow("village without streets")
            << QByteArray(R"({"nazevOkresu":"Žďár nad Sázavou","nazevObce":"Bohdalec","nazevCastiObce":"Chobot",
                 "cisloDomovni":45,"psc":59255})")
            << "Chobot 45" << "592 55 Bohdalec";
        QTest::newRow("post code as text, no part of municipality")
            << QByteArray(R"({"nazevObce":"Kámen","cisloDomovni":"7","psc":"39413"})")
            << "Kámen 7" << "394 13 Kámen";
        QTest::newRow("only the address text")
            << QByteArray(R"({"textovaAdresa":"Na Výsluní 201/13, Strašnice, 10000 Praha 10"})")
            << "Na Výsluní 201/13, Strašnice" << "10000 Praha 10";
        QTest::newRow("no seat at all") << QByteArray("null") << "" << "";
    }
    void addressMapping()
    {
        QFETCH(QByteArray, sidlo);
        QFETCH(QString, street);
        QFETCH(QString, municipality);
        bool ok = false;
        const ares_responce_t r = QSAres::fromJson(R"({"ico":"27074358","obchodniJmeno":"Statek Č. s.r.o.","sidlo":)" + sidlo + "}", &ok);
        QVERIFY(ok);
        QCOMPARE(QStringList({r.status, r.name, r.street, r.municipality}),
                 QStringList({"1", "Statek Č. s.r.o.", street, municipality}));
    }
    // A company found (the asked number when the answer has none), then one not found (0, with ARES's own text;
    // a number that cannot be an IČO is not even asked) or a failed look-up: nothing found before is left to store.
    void notFoundOrFailed_data()
    {
        QTest::addColumn<qint64>("ico");
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("message"); // empty: not checked
        const qint64 ico = 54321;
        const QByteArray notFound = R"({"kod":"NENALEZENO","popis":"Ekonomický subjekt nenalezen."})";
        QTest::newRow("404") << ico << HttpStub::json(notFound, 404) << 0 << "Ekonomický subjekt nenalezen.";
        QTest::newRow("400") << ico << HttpStub::json(R"({"kod":"CHYBA_VSTUPU","popis":"Chybný formát IČO."})", 400) << 0
                             << "Chybný formát IČO.";
        QTest::newRow("404 without body") << ico << HttpStub::data(QByteArray(), "text/plain", 404) << 0 << "HTTP 404";
        QTest::newRow("negative number") << qint64(-5) << HttpStub::Response() << 0 << "";
        QTest::newRow("nine digits") << qint64(123456789) << HttpStub::Response() << 0 << "";
        QTest::newRow("server error") << ico << HttpStub::json(R"({"kod":"CHYBA"})", 500) << -3 << "";
        QTest::newRow("malformed json") << ico << HttpStub::json(R"({"ico":"00054321","obchodniJmeno":)") << -4 << "";
        QTest::newRow("not a record") << ico << HttpStub::json(R"({"kod":"X"})") << -4 << "";
        QTest::newRow("never answers") << ico << HttpStub::Response::neverAnswer() << -2 << "";
        QTest::newRow("connection closed") << ico << HttpStub::Response::close() << -1 << "";
    }
    void notFoundOrFailed()
    {
        QFETCH(qint64, ico);
        QFETCH(HttpStub::Response, response);
        QFETCH(int, expected);
        QFETCH(QString, message);
        m_stub.on(kPath + "00012345", HttpStub::json(kFound));
        m_stub.on(kPath + "00054321", response);
        // Pointed at the stub through the settings, as the program is.
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"))
            .setValue(ServiceKeys::Ares, m_stub.url(QStringLiteral("/rest")).toString());
        QSAres ares;
        QCOMPARE(ares.resolveICO(12345), 1);
        const ares_responce_t found = ares.getLastResponce();
        QCOMPARE(QStringList({found.status, found.ico, found.dic}), QStringList({"1", "00012345", "CZ00012345"}));
        QCOMPARE(m_stub.requests().first().header("accept"), QByteArray("application/json"));
        ares.setTimeout(300);
        QCOMPARE(ares.resolveICO(ico), expected);
        QCOMPARE(m_stub.requestCount() > 1, ico == 54321); // asked or not
        const ares_responce_t r = ares.getLastResponce();
        QVERIFY(r.status != QLatin1String("1"));
        if (expected == 0)
            QCOMPARE(r.status, QStringLiteral("0"));
        QVERIFY(r.name.isEmpty());
        if (!message.isEmpty())
            QCOMPARE(ares.lastError(), message);
    }
};

ZRN_TEST_GUILESS_MAIN(TestQSAres)
#include "tst_qsares.moc"
