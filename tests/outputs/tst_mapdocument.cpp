// The map's GeoJSON document: positions, colouring rules, escaped popups, database reads, print sizes.

#include "outputs/mapdocument.h"
#include "outputs/mapprint.h"
#include "support/testdb.h"

#include <QtTest>

#include "support/testmain.h"

using namespace MapDocument;

namespace {

QJsonArray features(const QByteArray &doc)
{
    return QJsonDocument::fromJson(doc).object().value(QStringLiteral("features")).toArray();
}

QJsonObject properties(const QByteArray &doc, int i)
{
    return features(doc).at(i).toObject().value(QStringLiteral("properties")).toObject();
}

// "id:fillColor" per feature, "-" without style, for comparing at a glance.
QString colours(const QByteArray &doc)
{
    QStringList out;
    for (int i = 0; i < features(doc).size(); ++i) {
        const QJsonObject p = properties(doc, i);
        const QJsonObject style = p.value(QStringLiteral("style")).toObject();
        out << p.value(QStringLiteral("id")).toString() + QLatin1Char(':')
                + (p.contains(QStringLiteral("style")) ? style.value(QStringLiteral("fillColor")).toString()
                                                       : QStringLiteral("-"));
        if (p.contains(QStringLiteral("style")) && style.value(QStringLiteral("color")).toString() != OutlineColour)
            out << QStringLiteral("bad outline");
    }
    return out.join(QLatin1Char(' '));
}

// Enterprise 3 has no usable position.
QList<Enterprise> sample()
{
    return {{1, "Podnik 1", "TA", "49.19,16.61", "Novák", {}, {}, {}, {"DeLaval"}, {}, true},
            {2, "Podnik 2", "BR", "49.5, 17.0", "", {}, {}, {}, {}, {"Afimilk"}},
            {3, "Podnik 3", "TA", "abc,def", "Novák", {}, {}, {}, {"DeLaval"}, {"Afimilk"}, true},
            {4, "Podnik 4", "", "50,15", "Svoboda", {}, {}, {}, {"DeLaval", "GEA"}, {"Afimilk"}, true}};
}

} // namespace

class TestMapDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void gps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("position");   // "lat lon"; empty: none
        QTest::newRow("plain") << "49.19,16.61" << "49.19 16.61";
        QTest::newRow("blanks around") << " 49.19 , 16.61 " << "49.19 16.61";
        QTest::newRow("edges") << "-90,180" << "-90 180";
        QTest::newRow("words") << "abc,def" << "";
        QTest::newRow("out of range") << "95,200" << "";
        QTest::newRow("longitude out of range") << "49,181" << "";
        QTest::newRow("semicolon") << "49.19;16.61" << "";
        QTest::newRow("decimal comma") << "49,19,16,61" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("half") << "49.19," << "";
        QTest::newRow("not finite") << "nan,inf" << "";
    }
    void gps()
    {
        QFETCH(QString, text);
        QFETCH(QString, position);
        double lat = -1, lon = -1;
        QCOMPARE(parseGps(text, &lat, &lon), !position.isEmpty());
        if (!position.isEmpty())
            QCOMPARE(QString::number(lat) + QLatin1Char(' ') + QString::number(lon), position);
    }

    void rules_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Jedna barva") << int(JednaBarva) << "1:- 2:- 4:-";
        QTest::newRow("Dle regionu") << int(DleRegionu) << "1:#DC143C 2:#FFD700 4:-";
        QTest::newRow("Tellmark") << int(DleProduktu) << "1:#0000FF 2:- 4:#0000FF";
        QTest::newRow("Dle osoby") << int(DleOsoby) << "1:#DC143C 2:- 4:#FFD700";
        QTest::newRow("Dle dojírny") << int(DleDojirny) << "1:#DC143C 4:#FFD700";
        QTest::newRow("Dle pohybové aktivity") << int(DlePohybu) << "2:#DC143C 4:#DC143C";
    }
    void rules()
    {
        QFETCH(int, rule);
        QTEST(colours(build(rule, sample())), "expected");
    }

    void coloursCycleBeyondPalette()
    {
        QList<Enterprise> list;
        for (int i = 1; i <= 11; ++i)
            list << Enterprise{i, {}, QStringLiteral("R%1").arg(i == 11 ? 2 : i), "49,16"};
        QCOMPARE(colours(build(DleRegionu, list)),
                 QStringLiteral("1:#DC143C 2:#FFD700 3:#808000 4:#556B2F 5:#7FFF00 6:#00FFFF 7:#4682B4 8:#0000CD "
                                "9:#DC143C 10:#FFD700 11:#FFD700"));
    }

    void popupEscaped()
    {
        // The cows as MariaDB hands a DECIMAL over.
        const Enterprise e{7, "<b>&</td><script>", "<script>alert(1)</script>", "49,16", "Novák & syn", 120, "45.00",
                           12500.5, {"<b>DeLaval</b>"}};
        const QString text = popup(e);
        QCOMPARE(text, QStringLiteral("Region: &lt;script&gt;alert(1)&lt;/script&gt;<br>Odpovědná osoba: Novák &amp; syn<br>"
                                      "Počet zvířat: 120<br>Počet dojnice: 45<br>Cena TM/rok: 12500.5<br>"
                                      "Dojírna: &lt;b&gt;DeLaval&lt;/b&gt;<br>Aktivita: <br>"));
        // The name stays data; the page shows it as text.
        const QJsonObject p = properties(build(JednaBarva, {e}), 0);
        QCOMPARE(p.value("name").toString(), e.name);
        QCOMPARE(p.value("description").toString(), text);
    }

    void fromTheDatabase()
    {
        ZRN_SEED("insert into tellmark_podniky (id,podnik_nazev,OBR,GPS,SKOT_KS,DOJNICE_KS,SMLOUVA_FAKTURACE_CASTKA_ROK,"
                 "O_ODPOVEDNA_OSOBA) values (1,'Agro <b>&</td><script>','TA','49.19, 16.61',300,120,12000,'Novák'),"
                 "(2,'Farma B','BR','abc,def',10,5,NULL,''),(3,'Farma C','TA','95,200',NULL,NULL,NULL,'Novák'),"
                 "(4,'Farma D','BR','50.1,14.4',NULL,NULL,NULL,NULL),(5,'Skrytý','TA','49,16',NULL,NULL,NULL,'Novák')",
                 "insert into tellmark_strediska (id,id_podnik,SDOJ,SPA,licence_cislo) values "
                 "(10,1,'DeLaval','',0),(11,1,'DeLaval','Afimilk',77),(12,1,'GEA',NULL,NULL),"
                 "(13,4,'',NULL,0),(14,5,'Fullwood','Afimilk',5)");
        QList<Enterprise> rows;
        QString error;
        int statements = -1;
        // Tree order, a stray id and a repeated one; 5 is filtered out of the tree.
        QVERIFY2(read({4, 1, 0, 2, 3, 1, 99}, Visibility::everything(), &rows, &error, &statements), qPrintable(error));
        QCOMPARE(statements, 2);
        QCOMPARE(rows.size(), 4);
        QCOMPARE(rows.at(0).id, 4);
        QCOMPARE(rows.at(1).id, 1);
        QCOMPARE(rows.at(1).parlours, (QStringList{"DeLaval", "GEA"}));
        QCOMPARE(rows.at(1).activity, QStringList{"Afimilk"});
        QVERIFY(rows.at(1).usesProduct && !rows.at(0).usesProduct);

        const QByteArray doc = fromDatabase(DleRegionu, {4, 1, 2, 3}, Visibility::everything(), &error);
        // 2 and 3 have no usable position; the tree's order is kept.
        QCOMPARE(colours(doc), QStringLiteral("4:#DC143C 1:#FFD700"));
        QCOMPARE(colours(fromDatabase(DleDojirny, {4, 1, 2, 3}, Visibility::everything(), &error)), QStringLiteral("1:#DC143C"));
        QCOMPARE(properties(doc, 1).value("name").toString(), QStringLiteral("Agro <b>&</td><script>"));
        QCOMPARE(properties(doc, 1).value("description").toString(),
                 QStringLiteral("Region: TA<br>Odpovědná osoba: Novák<br>Počet zvířat: 300<br>Počet dojnice: 120<br>"
                                "Cena TM/rok: 12000<br>Dojírna: DeLaval,GEA<br>Aktivita: Afimilk<br>"));
    }

    // The ids go to the database in chunks; an empty tree asks nothing.
    void statements_data()
    {
        QTest::addColumn<int>("ids");
        QTest::addColumn<int>("statements");
        QTest::newRow("empty tree") << 0 << 0;
        QTest::newRow("1200 ids") << 1200 << 6;
    }
    void statements()
    {
        QFETCH(int, ids);
        QList<int> list;
        for (int i = 1; i <= ids; ++i)
            list << 100000 + i;
        QString error;
        int n = -1;
        const QByteArray doc = fromDatabase(DleRegionu, list, Visibility::everything(), &error, &n);
        QTEST(n, "statements");
        QCOMPARE(doc, QByteArray(R"({"features":[],"type":"FeatureCollection"})"));
    }

    // The queries are checked at the service in the browser suite.
    void printUrls()
    {
        QCOMPARE(printUrl(QStringLiteral("https://mapy.example.cz/base/"), 1, QStringLiteral("A3"), 600).toString(),
                 QStringLiteral("https://mapy.example.cz/base/api/print?format=a3&dpi=600"));
        QCOMPARE(generateUrl(QStringLiteral("https://mapy.example.cz/base")).toString(),
                 QStringLiteral("https://mapy.example.cz/base/generate"));
        QVERIFY(!printUrl(QStringLiteral("file:///etc"), 1, QStringLiteral("a4"), 300).isValid());
        QVERIFY(!generateUrl(QStringLiteral("file:///etc")).isValid());
    }

    void printSizes_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("used");
        QTest::addColumn<QSize>("size");
        QTest::newRow("A4/300") << "a4" << 300 << 300 << QSize(2480, 3508);
        QTest::newRow("A3/600 stays (70 MP)") << "a3" << 600 << 600 << QSize(7016, 9921);
        QTest::newRow("A2/600 lowered") << "a2" << 600 << 508 << QSize(8400, 11880);
        QTest::newRow("A0/300 lowered") << "a0" << 300 << 254 << QSize(8410, 11890);
        QTest::newRow("A0/600 lowered") << "a0" << 600 << 254 << QSize(8410, 11890);
        QTest::newRow("unknown paper") << "b5" << 300 << 0 << QSize();
        QTest::newRow("no dpi") << "a4" << 0 << 0 << QSize();
    }
    void printSizes()
    {
        QFETCH(QString, paper);
        QFETCH(int, dpi);
        QFETCH(int, used);
        QFETCH(QSize, size);
        const PrintSize s = printSize(paper, dpi);
        QCOMPARE(s.dpi, used);
        if (!used)
            return;
        QCOMPARE(QSize(s.width, s.height), size);
        QCOMPARE(s.lowered(), used < dpi);
        QVERIFY(qint64(s.width) * s.height <= MaxPixels);
        // The map drawn here for that paper: all of the Czech Republic, turned landscape, within the tile budget.
        const MapPrint::Plan p = MapPrint::plan(QByteArray(), 0, s);
        QCOMPARE(p.size, size.transposed());
        QVERIFY(!p.tiles.isEmpty() && p.tiles.size() <= MapPrint::MaxTiles);
        QVERIFY(p.west <= 12.55 && p.east >= 18.45 && p.north >= 50.92 && p.south <= 48.69);
    }
};

ZRN_TEST_GUILESS_MAIN(TestMapDocument)
#include "tst_mapdocument.moc"
