// The reports of the "Sestavy" tab as a user reads them: each table as rows of cell texts, colours marked.

#include "db/database.h"
#include "db/qssql.h"
#include "outputs/reports.h"
#include "support/testdb.h"
#include "support/testmain.h"

#include <QtTest>

namespace {

const QString kMarkup = QStringLiteral("<b>&</td><script>");

QString unescape(QString s)
{
    return s.remove(QRegularExpression(QStringLiteral("<[^>]*>"))).replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">")).replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
}

// Every data row but the headers as "cell|cell|...": a pink or light-blue cell prefixed "{pink}"/"{blue}",
// a yellow or light-green row "yellow:"/"green:", a group title "title:...".
QStringList tableRows(const QString &html)
{
    static const QRegularExpression rowRe(QStringLiteral("<tr([^>]*)>(.*?)</tr>"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression cellRe(QStringLiteral("<t([dh])([^>]*)>(.*?)</t[dh]>"),
                                           QRegularExpression::DotMatchesEverythingOption);
    QStringList out;
    for (auto rows = rowRe.globalMatch(html); rows.hasNext();) {
        const auto r = rows.next();
        if (r.captured(1).contains(QLatin1String("noBorder"))) {
            out << QStringLiteral("title:") + unescape(r.captured(2));
            continue;
        }
        QStringList cells;
        QString prefix;
        bool header = false;
        for (auto it = cellRe.globalMatch(r.captured(2)); it.hasNext();) {
            const auto c = it.next();
            header = header || c.captured(1) == QLatin1String("h");
            const QString attrs = c.captured(2);
            if (attrs.contains("'yellow'") || attrs.contains("'lightgreen'"))
                prefix = attrs.contains("'yellow'") ? "yellow:" : "green:";
            const QString mark = attrs.contains("#ffdad9") ? "{pink}" : attrs.contains("'lightblue'") ? "{blue}" : "";
            cells << mark + unescape(c.captured(3));
        }
        if (!header && !cells.isEmpty())
            out << prefix + cells.join(QLatin1Char('|'));
    }
    return out;
}

// A row of the table; the columns without a value stay NULL.
void insert(const QString &table, const QString &columns, const QVariantList &values)
{
    QSSQL q;
    const int n = columns.count(QLatin1Char(',')) + 1;
    q.prepare(QStringLiteral("insert into %1(%2) values(?%3)").arg(table, columns, QStringLiteral(",?").repeated(n - 1)));
    for (int i = 0; i < n; ++i)
        q.addBindValue(values.value(i));
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

// Enterprise: the values in the order of the columns below; CZK after an amount alone.
void addFirm(QVariantList v)
{
    if (v.size() == 4)
        v << QStringLiteral("CZK");
    insert("tellmark_podniky", "id,podnik_nazev,OBR,SMLOUVA_FAKTURACE_CASTKA_ROK,SMLOUVA_FAKTURACE_MENA,SMLOUVA_PODEPSANO,"
           "SKOT_KS,DOJNICE_KS,SMLOUVA_CISLO,SMLOUVA_ORGANIZACE,SMLOUVA_POZNAMKA,SMLOUVA_FAKTURACE_OD", v);
}

// Centre: enterprise, name, licence, updated, POCET_KUSU, POCET_KRAV, POCET_OBOJKU, pocet_pedometru, version.
void addCentre(const QVariantList &v)
{
    insert("tellmark_strediska", "id_podnik,akce_nazev,licence_cislo,AKTUALIZOVANO,POCET_KUSU,POCET_KRAV,POCET_OBOJKU,"
           "pocet_pedometru,VERZE_PROGRAMU", v);
}

const QVariant kNull;
const QString t1 = QStringLiteral("2026-03-01 08:00:00");
const QString t2 = QStringLiteral("2026-05-01 09:30:00");
const QString t3 = QStringLiteral("2026-06-15 14:45:00");

// Three regions: a region list, namesakes in one region and across two, a one-letter region, a licence too high.
void seedEconomic()
{
    addFirm({1, "Alfa", "ST", 1000, "CZK", "2019-05-01", 100, 50, "S-1", "ZS*Agro", "pozn"});
    addCentre({1, "a1", 500, t2, 20, 10, 5, 1});
    addCentre({1, "a2", 1500, t1, 30, 15, 6, 1});
    addCentre({1, "a3", 2000, t3, 40, 20, 8, 2});
    addCentre({1, "a4", 2500, kNull, 99, 99, 99, 99});
    addFirm({2, "Beta", "ST", 100, "Eur", "2021-03-01", 60, 30, "S-2", "ZS", ""});
    addCentre({2, "b", 3000, t1, 10, 5, 0, 0});
    addFirm({3, "Beta", "ST", 0, "CZK", "2020-01-01", kNull, kNull, "", "", ""});
    addCentre({3, "b", 3100, t1, 7, 3, kNull, kNull});
    addFirm({4, "Beta", "ta", 200, "CZK", kNull, 10, 5, "T-4", "", ""});
    addCentre({4, "b", 3200, t2, 4, 2, 1, 1});
    addFirm({5, kMarkup, "TA", 50.5, "CZK", "2020-01-02", 1, 1, "C-5", "X*", kMarkup});
    addCentre({5, "m", 3300, t3, 1, 1, 1, 1});
    addFirm({6, "Gama", "ST,LI", 10, "CZK", kNull, kNull, kNull, "", "", ""});
    addCentre({6, "g", 3400, t1, 2, 2, 0, 0});
    addFirm({7, "Delta", "S", 99, "CZK"});
    addCentre({7, "d", 3500, t1, 5, 5, 5, 5});
    addFirm({8, "Omega", "ST", 99, "CZK"});
    addCentre({8, "o", 42000, t1, 5, 5, 5, 5});
}

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init() { ZRN_CLEAR_TEST_DB(); }

    void overview_data()
    {
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QStringList>("months");
        QTest::newRow("January") << QDate(2027, 1, 15)
                                 << QStringList{"Leden 2027|2", "Prosinec 2026|1", "Listopad 2026|0", "Říjen 2026|0",
                                                "Září 2026|0", "Srpen 2026|0", "Červenec 2026|0", "Červen 2026|0",
                                                "Květen 2026|0", "Duben 2026|0", "Březen 2026|1", "Únor 2026|1"};
        QTest::newRow("last day of March")
            << QDate(2026, 3, 31) << QStringList{"Březen 2026|1", "Únor 2026|1", "Leden 2026|1", "Prosinec 2025|0",
                                                 "Listopad 2025|0", "Říjen 2025|0", "Září 2025|0", "Srpen 2025|0",
                                                 "Červenec 2025|0", "Červen 2025|0", "Květen 2025|0", "Duben 2025|0"};
    }
    void overview()
    {
        QFETCH(QDate, today);
        QFETCH(QStringList, months);
        const QVariant firmAmount[] = {100, 0, 5, kNull};
        for (int i = 0; i < 4; ++i)
            addFirm({i + 1, QString(QLatin1Char(char('A' + i))), "ST", firmAmount[i]});
        // Licence ranges with borders on both sides; 0, 50000 and NULL count nowhere.
        for (int l : {1, 9999, 10000, 39999, 40000, 49999, 50000, 0})
            addCentre({l < 40000 ? 1 : 2, "s", l});
        addCentre({4, "s", kNull});
        addCentre({3, "s", 50000});
        // Contracts by the start of invoicing; no amount is no contract.
        const char *from[] = {"2027-01-01", "2027-01-31", "2026-12-31", "2026-03-15",
                              "2026-02-01", "2026-01-31", "2027-01-10", "2026-12-10"};
        const QVariant amount[] = {1000, 1000, 1000, 1000, 1000, 1000, 0, kNull};
        for (int i = 0; i < 8; ++i)
            addFirm({11 + i, "P", "TA", amount[i], "CZK", {}, {}, {}, {}, {}, {}, QString::fromLatin1(from[i])});
        const Reports::Result r = Reports::overview(today, Visibility::everything());
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(tableRows(r.html), QStringList({"Počet licencí 1-9999, Molvane|2",
                                                 "Počet licencí 10000-39999, Molvane bez technologie|2",
                                                 "Počet licencí 40000-49999, Tarvo|2", "yellow:Suma|6",
                                                 "yellow:Uzavřených smluv|8", "yellow:Celkem podniků se středisky|2"})
                                        + months);
    }

    void economicTable_data()
    {
        QTest::addColumn<QString>("region");
        QTest::addColumn<QStringList>("rows");
        const QString alfa = "1|Alfa|{blue}4|{pink}S-1 (Agro)|pozn|{pink}01.05.2019|1000|100|50|15.06.2026 14:45|40|20|8|2";
        const QString beta2 = "2|Beta|1|S-2||01.03.2021|2500|60|30|01.03.2026 08:00|10|5|0|0";
        const QString beta3 = "3|Beta|1|||{pink}01.01.2020||||01.03.2026 08:00|7|3||";
        const QString markup = "1|" + kMarkup + "|1|{pink}C-5|" + kMarkup + "|02.01.2020|50.50|1|1|15.06.2026 14:45|1|1|1|1";
        const QString beta4 = "2|Beta|1|T-4|||200|10|5|01.05.2026 09:30|4|2|1|1";
        const QString gama = "1|Gama|1||||10|||01.03.2026 08:00|2|2|0|0";
        QTest::newRow("everyone")
            << QString() << QStringList{"title:Strakonice", alfa, beta2, beta3, "yellow:|ST|||||3500||||57|28||",
                                        "title:ST,LI", gama, "yellow:|ST,LI|||||10||||2|2||", "title:Tábor", markup,
                                        beta4, "yellow:|TA|||||250.50||||5|3||", "title:Molvane - souhrn",
                                        "green:|Molvane|||||3760.50|||||31||"};
        // The last group of a region user closes with its line and totals.
        QTest::newRow("region user, case ignored")
            << "ta" << QStringList{"title:Tábor", markup, beta4, "yellow:|TA|||||250.50||||5|3||",
                                   "title:Molvane - souhrn", "green:|Molvane|||||250.50|||||3||"};
        QTest::newRow("no partial region") << "S"
                                           << QStringList{"title:Molvane - souhrn", "green:|Molvane|||||0|||||0||"};
    }
    void economicTable()
    {
        QFETCH(QString, region);
        seedEconomic();
        const Reports::Result r = Reports::economic(Visibility(0, 0, region));
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QTEST(tableRows(r.html), "rows");
    }

    void headCountsFromNewestUpdate_data()
    {
        QTest::addColumn<QStringList>("order");
        QTest::newRow("null t3 t1 t2") << QStringList{QString(), t3, t1, t2};
        QTest::newRow("t3 null t2 t1") << QStringList{t3, QString(), t2, t1};
        QTest::newRow("only null") << QStringList{QString()};
    }
    void headCountsFromNewestUpdate()
    {
        QFETCH(QStringList, order);
        addFirm({1, "Alfa", "ST", 10});
        // Each centre's counts tell which update they come from.
        for (const QString &t : order) {
            const int n = t == t1 ? 1 : t == t2 ? 2 : t == t3 ? 3 : 9;
            addCentre({1, "c", 1000 + n, t.isEmpty() ? kNull : QVariant(t), n * 10, n, n, n});
        }
        const QString expected = order.contains(t3) ? QStringLiteral("15.06.2026 14:45|30|3|3|3") : QStringLiteral("|90|9|9|9");
        QCOMPARE(tableRows(Reports::economic(Visibility::everything()).html).value(1),
                 QStringLiteral("1|Alfa|%1||||10|||").arg(order.size()) + expected);
    }

    void centresAndUpdates()
    {
        addFirm({1, "Alfa", "ST", 100});
        addFirm({2, "Beta", "ST", 100});
        addFirm({3, "Beta", "TA", 0}); // a namesake without a contract
        addCentre({1, "A jih", 20, "2026-02-03 04:05:06", kNull, kNull, kNull, kNull, "3.2"});
        addCentre({1, "A sever", 10, kNull, kNull, kNull, kNull, kNull, "3.10"});
        addCentre({2, "B", 49999, "2026-01-01 00:00:00", kNull, kNull, kNull, kNull, "2.9"});
        addCentre({3, "B2", 30, "2026-01-01 00:00:00", kNull, kNull, kNull, kNull, "1.0"});
        addCentre({1, "bez licence", 0, kNull, kNull, kNull, kNull, kNull, "3.0"});
        addCentre({2, "mimo rozsah", 50000, kNull, kNull, kNull, kNull, kNull, "3.0"});

        const Reports::Result c = Reports::centres(Visibility::everything());
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        QCOMPARE(tableRows(c.html), (QStringList{"10|Alfa|A sever", "20|Alfa|A jih", "30|Beta|B2", "49999|Beta|B"}));

        const Reports::Result u = Reports::updates(Visibility::everything());
        QVERIFY2(u.error.isEmpty(), qPrintable(u.error));
        // Ordered by the version as text.
        QCOMPARE(tableRows(u.html), (QStringList{"49999|Beta|2.9|2026-01-01 00:00:00", "50000|Beta|3.0|", "10|Alfa|3.10|",
                                                  "20|Alfa|3.2|2026-02-03 04:05:06"}));
    }

    void vncReport()
    {
        addFirm({1, "Alfa", "ST", 100});
        addFirm({2, "Beta", "ST", 100});
        auto centre = [](int podnik, const char *name, int licence, const char *vnc, const char *id, const QVariant &af) {
            insert("tellmark_strediska", QStringLiteral("id_podnik,akce_nazev,licence_cislo,%1_id,%2_AF")
                                             .arg(QLatin1String(vnc), QString::fromLatin1(vnc).toUpper()),
                   {podnik, name, licence, id, af});
        };
        centre(2, "Sever", 10, "uvnc1", "123", kNull);
        centre(1, "Jih", 11, "uvnc1", "456", 0);
        centre(1, "Druhý", 12, "uvnc1", "789", 1);
        centre(1, "Nula", 13, "uvnc1", "0", kNull);        // no id
        centre(1, "Bez licence", 0, "uvnc1", "555", kNull); // not licensed
        centre(1, "Čtvrtý", 14, "uvnc4", "900", kNull);
        centre(2, "Druhý 4", 15, "uvnc4", "901", 1);
        centre(2, "Druhý 4b", 16, "uvnc4", "902", 1);
        for (const char *row : {"('123','2026-01-01 10:00:00')", "('123','2026-03-05 10:00:00')",
                                "('123','2026-02-01 10:00:00')", "('0456','2026-04-01 10:00:00')",
                                "('900','2025-12-24 18:00:00')"})
            QVERIFY(TestDb::exec(QStringLiteral("insert into vnc(uid,ts) values") + QLatin1String(row)));

        const Reports::Result r = Reports::vnc(QStringLiteral("rep1.example.cz"), QStringLiteral("rep2.example.cz"),
                                               Visibility::everything());
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QVERIFY(r.html.contains(QLatin1String("<th>Text</th><th>rep1.example.cz</th><th>rep2.example.cz</th>")));
        QCOMPARE(tableRows(r.html), (QStringList{"VNC1|2|1", "VNC2|0|0", "VNC3|0|0", "VNC4|1|2",
                                                 // ordered by enterprise, then centre; "0456" is not "456"
                                                 "Alfa, Jih|11|456|", "Beta, Sever|10|123|2026-03-05",
                                                 "Alfa, Čtvrtý|14|900|2025-12-24"}));

        // A failed statement is reported; the counts still show.
        QVERIFY(TestDb::exec(QStringLiteral("alter table vnc rename to vnc_pryc")));
        const Reports::Result failed = Reports::vnc(QString(), QString(), Visibility::everything());
        QVERIFY(TestDb::exec(QStringLiteral("alter table vnc_pryc rename to vnc")));
        QVERIFY(!failed.error.isEmpty());
        QVERIFY(tableRows(failed.html).contains(QStringLiteral("VNC1|2|1")));
    }

    // A region user's 40 enterprises take each report a fixed number of statements; markup stays text in its cell.
    void statementsAndMarkup_data()
    {
        QTest::addColumn<int>("report");
        QTest::addColumn<int>("statements");
        QTest::addColumn<QString>("cells");   // of each row showing the markup
        QTest::newRow("overview") << 0 << 2 << "";
        QTest::newRow("economic table: enterprise, region total") << 1 << 1 << "14 14";
        QTest::newRow("centres") << 2 << 1 << "3";
        QTest::newRow("updates") << 3 << 1 << "4";
        QTest::newRow("VNC") << 4 << 2 << "4";
    }
    void statementsAndMarkup()
    {
        QFETCH(int, report);
        addFirm({1, kMarkup, kMarkup + ",ST", 100});
        insert("tellmark_strediska", "id_podnik,akce_nazev,licence_cislo,VERZE_PROGRAMU,uvnc1_id,AKTUALIZOVANO",
               {1, kMarkup, 100, kMarkup, "77", t1});
        for (int i = 2; i <= 40; ++i) {
            addFirm({i, QStringLiteral("P%1").arg(i), i % 2 ? "ST" : "TA", 100});
            for (int c = 0; c < 3; ++c)
                insert("tellmark_strediska", "id_podnik,akce_nazev,licence_cislo,uvnc1_id,uvnc2_id",
                       {i, "c", i * 10 + c, QString::number(i * 10 + c), QString::number(i * 100 + c)});
        }
        const Visibility st(0, 0, QStringLiteral("ST"));
        const quint64 before = Database::statementCount();
        const Reports::Result r = report == 0 ? Reports::overview(QDate(2026, 1, 1), st)
            : report == 1 ? Reports::economic(st) : report == 2 ? Reports::centres(st)
            : report == 3 ? Reports::updates(st) : Reports::vnc(kMarkup, QStringLiteral("x"), st);
        QTEST(int(Database::statementCount() - before), "statements");
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QVERIFY(!r.html.contains(QLatin1String("<script>")));
        QVERIFY(!r.html.contains(QLatin1String("<b>&")));
        QStringList cells;
        for (const QString &row : tableRows(r.html))
            if (!row.startsWith(QLatin1String("title:")) && row.contains(kMarkup))
                cells << QString::number(row.count(QLatin1Char('|')) + 1);
        QTEST(cells.join(' '), "cells");
    }

    void setHtmlLimit_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<bool>("fits");
        QTest::newRow("1.9 MB plain") << QString(1900 * 1024, QLatin1Char('x')) << true;
        QTest::newRow("2.1 MB plain") << QString(2100 * 1024, QLatin1Char('x')) << false;
        // Percent-encoded, "č" takes six bytes of the URL.
        QTest::newRow("0.4 MB of č") << QString(400 * 1024, QChar(0x10D)) << false;
        QTest::newRow("1.9 MB of spaces") << QString(1900 * 1024, QLatin1Char(' ')) << false;
    }
    void setHtmlLimit()
    {
        QFETCH(QString, html);
        QTEST(Reports::fitsSetHtml(html), "fits");
    }
};

ZRN_TEST_GUILESS_MAIN(TestReports)
#include "tst_reports.moc"
