#include "db/qsares.h"
#include "db/servicekeys.h"
#include "support/httpstub.h"

#include <QSettings>
#include <QtTest>

namespace {
// Shaped like an answer of the ARES REST interface (members trimmed).
const QByteArray kFound = R"({
  "ico": "00012345",
  "obchodniJmeno": "Zemědělské družstvo Hrušovany, a.s.",
  "dic": "CZ00012345",
  "sidlo": {
    "kodStatu": "CZ", "nazevStatu": "Česká republika",
    "nazevKraje": "Jihomoravský kraj", "nazevOkresu": "Brno-venkov",
    "nazevObce": "Hrušovany u Brna", "nazevCastiObce": "Hrušovany u Brna",
    "nazevUlice": "Hlavní", "cisloDomovni": 12, "psc": 66462,
    "textovaAdresa": "Hlavní 12, 66462 Hrušovany u Brna"
  },
  "adresaDorucovaci": {"radekAdresy1": "Hlavní 12", "radekAdresy2": "66462 Hrušovany u Brna"}
})";

const QByteArray kNotFound = R"({"kod":"NENALEZENO","popis":"Ekonomický subjekt nenalezen.","subKod":"VYSTUP_SUBJEKT_NENALEZEN"})";

QString seat(const ares_responce_t &r)
{
    return r.street + QStringLiteral(", ") + r.municipality; // as the enterprise is stored
}
}

class TestQSAres : public QObject
{
    Q_OBJECT
    HttpStub m_stub;

    void configure(QSAres &ares)
    {
        ares.setBaseUrl(m_stub.url(QStringLiteral("/rest")).toString());
        ares.setTimeout(3000);
    }

private slots:
    void initTestCase() { QVERIFY(m_stub.listen()); }
    void init() { m_stub.clearRequests(); }

    void defaultAddressAndSetting()
    {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"));
        s.remove(ServiceKeys::Ares);
        s.sync();
        QCOMPARE(QSAres().baseUrl(), QStringLiteral("https://ares.gov.cz/ekonomicke-subjekty-v-be/rest"));
        s.setValue(ServiceKeys::Ares, m_stub.url(QStringLiteral("/rest")).toString());
        s.sync();
        m_stub.on(QStringLiteral("/rest/ekonomicke-subjekty/00012345"), HttpStub::json(kFound));
        QSAres ares;
        QCOMPARE(ares.resolveICO(12345), 1);
        s.remove(ServiceKeys::Ares);
    }

    void foundCompany()
    {
        m_stub.on(QStringLiteral("/rest/ekonomicke-subjekty/00012345"), HttpStub::json(kFound));
        QSAres ares;
        configure(ares);
        QVERIFY(ares.resolveICO(12345) >= 0);
        const ares_responce_t r = ares.getLastResponce();
        QCOMPARE(r.status, QStringLiteral("1"));
        QCOMPARE(r.name, QStringLiteral("Zemědělské družstvo Hrušovany, a.s."));
        QCOMPARE(r.ico, QStringLiteral("00012345"));
        QCOMPARE(r.district, QStringLiteral("Brno-venkov"));
        QCOMPARE(seat(r), QStringLiteral("Hlavní 12, 664 62 Hrušovany u Brna"));
        QCOMPARE(r.dic, QStringLiteral("CZ00012345"));

        const HttpStub::Request req = m_stub.requests().first();
        QCOMPARE(req.method, QByteArray("GET"));
        QCOMPARE(req.header("accept"), QByteArray("application/json"));
    }

    void addressMapping_data()
    {
        QTest::addColumn<QByteArray>("sidlo");
        QTest::addColumn<QString>("street");
        QTest::addColumn<QString>("municipality");
        QTest::addColumn<QString>("district");
        QTest::newRow("orientation number with letter")
            << QByteArray(R"({"nazevOkresu":"Hlavní město Praha","nazevObce":"Praha","nazevCastiObce":"Malá Strana",
                 "nazevUlice":"Letenská","cisloDomovni":525,"cisloOrientacni":15,"cisloOrientacniPismeno":"a","psc":11800})")
            << "Letenská 525/15a" << "118 00 Praha" << "Hlavní město Praha";
        QTest::newRow("village without streets")
            << QByteArray(R"({"nazevOkresu":"Žďár nad Sázavou","nazevObce":"Bohdalec","nazevCastiObce":"Chobot",
                 "cisloDomovni":45,"psc":59255})")
            << "Chobot 45" << "592 55 Bohdalec" << "Žďár nad Sázavou";
        QTest::newRow("post code as text, no part of municipality")
            << QByteArray(R"({"nazevObce":"Kámen","cisloDomovni":"7","psc":"39413"})")
            << "Kámen 7" << "394 13 Kámen" << "";
        QTest::newRow("only the address text")
            << QByteArray(R"({"textovaAdresa":"Na Výsluní 201/13, Strašnice, 10000 Praha 10"})")
            << "Na Výsluní 201/13, Strašnice" << "10000 Praha 10" << "";
        QTest::newRow("no numbers, no post code")
            << QByteArray(R"({"nazevObce":"Úštěk"})") << "" << "Úštěk" << "";
        QTest::newRow("no seat at all") << QByteArray("null") << "" << "" << "";
    }
    void addressMapping()
    {
        QFETCH(QByteArray, sidlo);
        QFETCH(QString, street);
        QFETCH(QString, municipality);
        QFETCH(QString, district);
        bool ok = false;
        const ares_responce_t r = QSAres::fromJson(R"({"ico":"27074358","obchodniJmeno":"Statek Č. s.r.o.","sidlo":)" + sidlo + "}", &ok);
        QVERIFY(ok);
        QCOMPARE(r.status, QStringLiteral("1"));
        QCOMPARE(r.name, QStringLiteral("Statek Č. s.r.o."));
        QCOMPARE(r.street, street);
        QCOMPARE(r.municipality, municipality);
        QCOMPARE(r.district, district);
    }
    void missingIcoInAnswerTakesTheAskedOne()
    {
        m_stub.on(QStringLiteral("/rest/ekonomicke-subjekty/00000123"), HttpStub::json(R"({"obchodniJmeno":"Farma Ústí"})"));
        QSAres ares;
        configure(ares);
        QCOMPARE(ares.resolveICO(123), 1);
        QCOMPARE(ares.getLastResponce().ico, QStringLiteral("00000123"));
        QCOMPARE(ares.getLastResponce().name, QStringLiteral("Farma Ústí"));
    }

    void notFound_data()
    {
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<QString>("message");
        QTest::newRow("404") << HttpStub::json(kNotFound, 404) << QStringLiteral("Ekonomický subjekt nenalezen.");
        QTest::newRow("400") << HttpStub::json(R"({"kod":"CHYBA_VSTUPU","popis":"Chybný formát IČO."})", 400)
                             << QStringLiteral("Chybný formát IČO.");
        QTest::newRow("404 without body") << HttpStub::data(QByteArray(), "text/plain", 404) << QStringLiteral("HTTP 404");
    }
    void notFound()
    {
        QFETCH(HttpStub::Response, response);
        QFETCH(QString, message);
        m_stub.on(QStringLiteral("/rest/ekonomicke-subjekty/99999999"), response);
        QSAres ares;
        configure(ares);
        QCOMPARE(ares.resolveICO(99999999), 0);
        QCOMPARE(ares.getLastResponce().status, QStringLiteral("0"));
        QVERIFY(ares.getLastResponce().name.isEmpty());
        QCOMPARE(ares.lastError(), message);
    }
    void notAnIcoIsNotAsked_data()
    {
        QTest::addColumn<qint64>("ico");
        QTest::newRow("negative") << qint64(-5);
        QTest::newRow("nine digits") << qint64(123456789);
    }
    void notAnIcoIsNotAsked()
    {
        QFETCH(qint64, ico);
        QSAres ares;
        configure(ares);
        QCOMPARE(ares.resolveICO(ico), 0);
        QCOMPARE(ares.getLastResponce().status, QStringLiteral("0"));
        QCOMPARE(m_stub.requestCount(), 0);
    }

    void lookupFails_data()
    {
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<int>("expected");
        QTest::newRow("server error") << HttpStub::json(R"({"kod":"CHYBA"})", 500) << -3;
        QTest::newRow("unavailable") << HttpStub::data("busy", "text/plain", 503) << -3;
        QTest::newRow("malformed json") << HttpStub::json(R"({"ico":"00012345","obchodniJmeno":)") << -4;
        QTest::newRow("not a record") << HttpStub::json(R"({"kod":"X"})") << -4;
        QTest::newRow("html page") << HttpStub::data("<html></html>", "text/html") << -4;
        QTest::newRow("never answers") << HttpStub::Response::neverAnswer() << -2;
        QTest::newRow("connection closed") << HttpStub::Response::close() << -1;
    }
    void lookupFails()
    {
        QFETCH(HttpStub::Response, response);
        QFETCH(int, expected);
        m_stub.on(QStringLiteral("/rest/ekonomicke-subjekty/00012345"), HttpStub::json(kFound));
        m_stub.on(QStringLiteral("/rest/ekonomicke-subjekty/00054321"), response);
        QSAres ares;
        configure(ares);
        QCOMPARE(ares.resolveICO(12345), 1);
        ares.setTimeout(300);
        QCOMPARE(ares.resolveICO(54321), expected);
        // Nothing of the earlier company is left to be stored by mistake.
        QVERIFY(ares.getLastResponce().status != QLatin1String("1"));
        QVERIFY(ares.getLastResponce().name.isEmpty());
    }
    void unreachable()
    {
        QSAres ares;
        ares.setTimeout(2000);
        ares.setBaseUrl(QStringLiteral("http://127.0.0.1:%1/rest").arg(HttpStub::closedPort()));
        QCOMPARE(ares.resolveICO(12345), -1);
    }
};

QTEST_GUILESS_MAIN(TestQSAres)
#include "tst_qsares.moc"
