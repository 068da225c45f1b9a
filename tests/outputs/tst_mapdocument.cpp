// The map's GeoJSON document: positions, colouring rules, escaped popups,
// what is read from the database, and the print requests' details.

#include "outputs/mapdocument.h"
#include "outputs/mapprint.h"
#include "support/testdb.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>
#include <QtTest>

#include "support/testmain.h"

using namespace MapDocument;

namespace {

void sql(const QString &statement)
{
    QString error;
    if (!TestDb::exec(statement, &error))
        QFAIL(qPrintable(statement + QStringLiteral(" -- ") + error));
}

QJsonArray features(const QByteArray &doc)
{
    const QJsonObject o = QJsonDocument::fromJson(doc).object();
    if (o.value(QStringLiteral("type")).toString() != QLatin1String("FeatureCollection"))
        qWarning("not a FeatureCollection: %s", doc.constData());
    return o.value(QStringLiteral("features")).toArray();
}

// "id:fillColor" per feature, "-" without style, for comparing at a glance.
QString colours(const QByteArray &doc)
{
    QStringList out;
    for (const QJsonValue &f : features(doc)) {
        const QJsonObject p = f.toObject().value(QStringLiteral("properties")).toObject();
        const QJsonObject style = p.value(QStringLiteral("style")).toObject();
        out << p.value(QStringLiteral("id")).toString() + QLatin1Char(':')
                + (p.contains(QStringLiteral("style")) ? style.value(QStringLiteral("fillColor")).toString()
                                                       : QStringLiteral("-"));
        if (p.contains(QStringLiteral("style")) && style.value(QStringLiteral("color")).toString() != OutlineColour)
            out << QStringLiteral("bad outline");
    }
    return out.join(QLatin1Char(' '));
}

Enterprise enterprise(int id, const QString &region, const QString &person, const QString &gps,
                      const QStringList &parlours = {}, const QStringList &activity = {}, bool product = false)
{
    Enterprise e;
    e.id = id;
    e.name = QStringLiteral("Podnik %1").arg(id);
    e.region = region;
    e.person = person;
    e.gps = gps;
    e.parlours = parlours;
    e.activity = activity;
    e.usesProduct = product;
    return e;
}

QList<Enterprise> sample()
{
    return {enterprise(1, "TA", "Novák", "49.19,16.61", {"DeLaval"}, {}, true),
            enterprise(2, "BR", "", "49.5, 17.0", {}, {"Afimilk"}),
            enterprise(3, "TA", "Novák", "abc,def", {"DeLaval"}, {"Afimilk"}, true),
            enterprise(4, "", "Svoboda", "50,15", {"DeLaval", "GEA"}, {"Afimilk"}, true)};
}

} // namespace

class TestMapDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void cleanupTestCase() { TestDb::close(); }

    void gps_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("lat");
        QTest::addColumn<double>("lon");
        QTest::newRow("plain") << "49.19,16.61" << true << 49.19 << 16.61;
        QTest::newRow("blank after comma") << "49.19, 16.61" << true << 49.19 << 16.61;
        QTest::newRow("blanks around") << " 49.19 , 16.61 " << true << 49.19 << 16.61;
        QTest::newRow("edges") << "-90,180" << true << -90.0 << 180.0;
        QTest::newRow("words") << "abc,def" << false << 0.0 << 0.0;
        QTest::newRow("out of range") << "95,200" << false << 0.0 << 0.0;
        QTest::newRow("longitude out of range") << "49,181" << false << 0.0 << 0.0;
        QTest::newRow("semicolon") << "49.19;16.61" << false << 0.0 << 0.0;
        QTest::newRow("three parts") << "49.19,16.61,3" << false << 0.0 << 0.0;
        QTest::newRow("decimal comma") << "49,19,16,61" << false << 0.0 << 0.0;
        QTest::newRow("empty") << "" << false << 0.0 << 0.0;
        QTest::newRow("half") << "49.19," << false << 0.0 << 0.0;
        QTest::newRow("not finite") << "nan,inf" << false << 0.0 << 0.0;
    }
    void gps()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, lat);
        QFETCH(double, lon);
        double la = -1, lo = -1;
        QCOMPARE(parseGps(text, &la, &lo), ok);
        if (ok) {
            QCOMPARE(la, lat);
            QCOMPARE(lo, lon);
        }
    }

    void rules_data()
    {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("expected");
        // Enterprise 3 has no usable position under every rule.
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
        QFETCH(QString, expected);
        QCOMPARE(colours(build(rule, sample())), expected);
    }

    void lonLatOrder()
    {
        const QJsonArray f = features(build(JednaBarva, sample()));
        QCOMPARE(f.size(), 3);
        const QJsonObject g = f.at(0).toObject().value(QStringLiteral("geometry")).toObject();
        QCOMPARE(g.value(QStringLiteral("type")).toString(), QStringLiteral("Point"));
        QCOMPARE(g.value(QStringLiteral("coordinates")).toArray(), (QJsonArray{16.61, 49.19}));
        const QJsonObject p = f.at(0).toObject().value(QStringLiteral("properties")).toObject();
        QCOMPARE(p.value(QStringLiteral("id")).toString(), QStringLiteral("1"));
        QCOMPARE(p.value(QStringLiteral("name")).toString(), QStringLiteral("Podnik 1"));
        QCOMPARE(f.at(1).toObject().value("geometry").toObject().value("coordinates").toArray(), (QJsonArray{17.0, 49.5}));
    }

    void coloursCycleBeyondPalette()
    {
        QList<Enterprise> list;
        for (int i = 1; i <= 10; ++i)
            list << enterprise(i, QStringLiteral("R%1").arg(i), QString(), "49,16");
        list << enterprise(11, "R2", QString(), "49,16");
        QCOMPARE(colours(build(DleRegionu, list)),
                 QStringLiteral("1:#DC143C 2:#FFD700 3:#808000 4:#556B2F 5:#7FFF00 6:#00FFFF 7:#4682B4 8:#0000CD "
                                "9:#DC143C 10:#FFD700 11:#FFD700"));
    }

    void popupEscaped()
    {
        Enterprise e = enterprise(7, "<script>alert(1)</script>", "Novák & syn", "49,16", {"<b>DeLaval</b>"});
        e.name = QStringLiteral("<b>&</td><script>");
        e.cattle = 120;
        e.cows = QStringLiteral("45.00"); // a DECIMAL as MariaDB hands it over
        e.yearlyPrice = 12500.5;
        const QString text = popup(e);
        QCOMPARE(text, QStringLiteral("Region: &lt;script&gt;alert(1)&lt;/script&gt;<br>Odpovědná osoba: Novák &amp; syn<br>"
                                      "Počet zvířat: 120<br>Počet dojnice: 45<br>Cena TM/rok: 12500.5<br>"
                                      "Dojírna: &lt;b&gt;DeLaval&lt;/b&gt;<br>Aktivita: <br>"));
        // The name stays data; the page shows it as text.
        const QJsonObject p = features(build(JednaBarva, {e})).at(0).toObject().value("properties").toObject();
        QCOMPARE(p.value("name").toString(), e.name);
        QCOMPARE(p.value("description").toString(), text);
    }

    void emptyDocument()
    {
        QCOMPARE(build(DleRegionu, {}), QByteArray(R"({"features":[],"type":"FeatureCollection"})"));
    }

    void fromTheDatabase()
    {
        sql("insert into tellmark_podniky (id,podnik_nazev,OBR,GPS,SKOT_KS,DOJNICE_KS,SMLOUVA_FAKTURACE_CASTKA_ROK,O_ODPOVEDNA_OSOBA) values "
            "(1,'Agro <b>&</td><script>','TA','49.19, 16.61',300,120,12000,'Novák'),"
            "(2,'Farma B','BR','abc,def',10,5,NULL,''),"
            "(3,'Farma C','TA','95,200',NULL,NULL,NULL,'Novák'),"
            "(4,'Farma D','BR','50.1,14.4',NULL,NULL,NULL,NULL),"
            "(5,'Skrytý','TA','49,16',NULL,NULL,NULL,'Novák')");
        sql("insert into tellmark_strediska (id,id_podnik,SDOJ,SPA,licence_cislo) values "
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
        QVERIFY(rows.at(1).usesProduct);
        QVERIFY(!rows.at(0).usesProduct);

        const QByteArray doc = fromDatabase(DleRegionu, {4, 1, 2, 3}, Visibility::everything(), &error);
        // 2 and 3 have no usable position; the tree's order is kept.
        QCOMPARE(colours(doc), QStringLiteral("4:#DC143C 1:#FFD700"));
        QCOMPARE(colours(fromDatabase(DleDojirny, {4, 1, 2, 3}, Visibility::everything(), &error)), QStringLiteral("1:#DC143C"));
        const QJsonObject p = features(doc).at(1).toObject().value("properties").toObject();
        QCOMPARE(p.value("name").toString(), QStringLiteral("Agro <b>&</td><script>"));
        QCOMPARE(p.value("description").toString(),
                 QStringLiteral("Region: TA<br>Odpovědná osoba: Novák<br>Počet zvířat: 300<br>Počet dojnice: 120<br>"
                                "Cena TM/rok: 12000<br>Dojírna: DeLaval,GEA<br>Aktivita: Afimilk<br>"));
    }

    void emptyTreeRunsNothing()
    {
        QString error;
        int statements = -1;
        const QByteArray doc = fromDatabase(DleRegionu, {}, Visibility::everything(), &error, &statements);
        QCOMPARE(statements, 0);
        QCOMPARE(features(doc).size(), 0);
    }

    void manyIdsFewStatements()
    {
        QList<int> ids;
        for (int i = 1; i <= 1200; ++i)
            ids << 100000 + i;
        QList<Enterprise> rows;
        QString error;
        int statements = -1;
        QVERIFY2(read(ids, Visibility::everything(), &rows, &error, &statements), qPrintable(error));
        QCOMPARE(statements, 6);
        QVERIFY(rows.isEmpty());
    }

    void printUrls_data()
    {
        QTest::addColumn<int>("extent");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("query");
        QTest::newRow("Česká republika A4/300") << 0 << "a4" << 300
            << "format=a4&minLat=48.68548210496329&maxLat=50.92328275347886&minLon=12.540129156282946&maxLon=18.455673452045595&dpi=300";
        QTest::newRow("Dle bodu A3/600") << 1 << "A3" << 600 << "format=a3&dpi=600";
    }
    void printUrls()
    {
        QFETCH(int, extent);
        QFETCH(QString, paper);
        QFETCH(int, dpi);
        QFETCH(QString, query);
        const QUrl url = printUrl(QStringLiteral("https://mapy.example.cz/base/"), extent, paper, dpi);
        QCOMPARE(url.path(), QStringLiteral("/base/api/print"));
        QCOMPARE(url.query(), query);
        QCOMPARE(generateUrl(QStringLiteral("https://mapy.example.cz")).toString(),
                 QStringLiteral("https://mapy.example.cz/generate"));
        QVERIFY(!printUrl(QStringLiteral("file:///etc"), extent, paper, dpi).isValid());
    }

    void printSizes_data()
    {
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<int>("used");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::newRow("A4/300") << "a4" << 300 << 300 << 2480 << 3508;
        QTest::newRow("A3/600 stays (70 MP)") << "a3" << 600 << 600 << 7016 << 9921;
        QTest::newRow("A2/600 lowered") << "a2" << 600 << 508 << 8400 << 11880;
        QTest::newRow("A0/300 lowered") << "a0" << 300 << 254 << 8410 << 11890;
        QTest::newRow("A0/600 lowered") << "a0" << 600 << 254 << 8410 << 11890;
        QTest::newRow("unknown paper") << "b5" << 300 << 0 << 0 << 0;
        QTest::newRow("no dpi") << "a4" << 0 << 0 << 0 << 0;
    }
    void printSizes()
    {
        QFETCH(QString, paper);
        QFETCH(int, dpi);
        QFETCH(int, used);
        QFETCH(int, width);
        QFETCH(int, height);
        const PrintSize s = printSize(paper, dpi);
        QCOMPARE(s.dpi, used);
        if (used) {
            QCOMPARE(s.width, width);
            QCOMPARE(s.height, height);
            QCOMPARE(s.lowered(), used < dpi);
            QVERIFY(qint64(s.width) * s.height <= MaxPixels);
            // The map drawn here for that paper: all of the Czech Republic, turned
            // landscape, within the tile budget.
            const MapPrint::Plan p = MapPrint::plan(QByteArray(), 0, s);
            QCOMPARE(p.size, QSize(height, width));
            QVERIFY(!p.tiles.isEmpty() && p.tiles.size() <= MapPrint::MaxTiles);
            QVERIFY(p.west <= 12.55 && p.east >= 18.45 && p.north >= 50.92 && p.south <= 48.69);
        }
    }

    void images()
    {
        QImage img(4, 4, QImage::Format_RGB32);
        img.fill(Qt::red);
        QByteArray png, jpg;
        QBuffer b1(&png), b2(&jpg);
        b1.open(QIODevice::WriteOnly);
        b2.open(QIODevice::WriteOnly);
        QVERIFY(img.save(&b1, "PNG"));
        QVERIFY(img.save(&b2, "JPG"));
        QVERIFY(isImage(png));
        QVERIFY(!isJpeg(png));
        QVERIFY(isJpeg(jpg));
        QVERIFY(!isImage("<html><body>Internal error</body></html>"));
        QVERIFY(!isImage(QByteArray()));
    }
};

ZRN_TEST_GUILESS_MAIN(TestMapDocument)
#include "tst_mapdocument.moc"
