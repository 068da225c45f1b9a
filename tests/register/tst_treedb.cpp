// The tree statement on the database: who sees which enterprises and
// centres (acls, region), both shapes, the advanced filter, and a centre
// linked to several users listed and counted once.

#include "db/database.h"
#include "register/podnikytreemodel.h"
#include "register/treequery.h"
#include "support/testdb.h"

#include <QStandardItemModel>
#include <QtTest>

namespace {

struct Result {
    QStringList rows;     // "enterprise" and "enterprise/centre", or the flat labels
    QString counters;
    QString error;
    bool ok = false;
};

QStringList rowsOf(const QStandardItemModel &m, const QModelIndex &parent = QModelIndex(),
                   const QString &prefix = QString())
{
    QStringList out;
    for (int r = 0; r < m.rowCount(parent); ++r) {
        const QModelIndex i = m.index(r, 0, parent);
        out << prefix + i.data().toString();
        out += rowsOf(m, i, prefix + i.data().toString() + QLatin1Char('/'));
    }
    return out;
}

Result load(int acls, int userId, const QString &region, int sortSection, const QString &advanced = QString(),
            QStandardItemModel *keep = nullptr)
{
    TreeQueryOptions o;
    o.acls = acls;
    o.userId = userId;
    o.region = region;
    o.sortSection = sortSection;
    o.advancedCondition = advanced;
    QStandardItemModel local;
    QStandardItemModel *model = keep ? keep : &local;
    PodnikyTreeBuilder::prepareModel(model);
    PodnikyTreeBuilder b(model, sortSection == 0);
    Result r;
    r.ok = runPodnikyTreeQuery(buildTreeQuery(o), [&b](const PodnikyTreeRow &row) { b.addRow(row); }, &r.error);
    r.rows = rowsOf(*model);
    r.counters = b.counters().text();
    return r;
}

QString counters(int p, int s, int lp, int ls)
{
    return QStringLiteral("CELKOVĚ - podniky: %1, střediska: %2 | TELLMARK - podniky: %3, střediska: %4")
        .arg(p).arg(s).arg(lp).arg(ls);
}

} // namespace

class TestTreeDb : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { TestDb::close(); }
    void visibility_data();
    void visibility();
    void columnsAsTheTreeShowsThem();
    void badConditionReportsTheDatabaseError();
};

void TestTreeDb::initTestCase()
{
    ZRN_OPEN_TEST_DB();
    QString err;
    QVERIFY2(TestDb::clear(&err), qPrintable(err));
    const QStringList fixture = {
        "insert into tellmark_holding(id,nazev_holding) values(1,'Holding Jih')",
        "insert into tellmark_podniky(id,podnik_nazev,id_holding,OBR,SMLOUVA_FAKTURACE_OD) "
        "values(1,'Český statek',1,'ST','2024-01-15')",
        "insert into tellmark_podniky(id,podnik_nazev,OBR) values(2,'Agro Morava','LI,ST')",
        "insert into tellmark_podniky(id,podnik_nazev,OBR) values(3,'Zemědělská a.s.','TA')",
        "insert into tellmark_podniky(id,podnik_nazev,OBR) values(4,'Bez licence','ST')",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,spusteni,specifikace) "
        "values(10,1,'Farma Lhota',12,'2020-05-01','DeLaval 2x12')",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo) values(11,1,'Kravín',NULL)",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,spusteni) "
        "values(20,2,'Český Brod',100,'2019-03-02')",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo) values(21,2,'Dvůr',9)",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo) values(40,4,'Stáj',0)",
        // Centre 10 is linked to users 7 and 8.
        "insert into tellmark_strediska_acls(id_strediska,id_www_user) values(10,7)",
        "insert into tellmark_strediska_acls(id_strediska,id_www_user) values(10,8)",
        "insert into tellmark_strediska_acls(id_strediska,id_www_user) values(20,7)",
    };
    for (const QString &sql : fixture)
        QVERIFY2(TestDb::exec(sql, &err), qPrintable(err));
}

void TestTreeDb::visibility_data()
{
    QTest::addColumn<int>("acls");
    QTest::addColumn<int>("user");
    QTest::addColumn<QString>("region");
    QTest::addColumn<int>("sort");
    QTest::addColumn<QString>("advanced");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("counters");

    const QString cs = QStringLiteral("Český statek"), am = QStringLiteral("Agro Morava");
    QTest::newRow("everything, the linked centre once")
        << 0 << 7 << QString() << 0 << QString()
        << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín", am, am + "/Český Brod", am + "/Dvůr",
                       "Zemědělská a.s.", "Bez licence", "Bez licence/Stáj"}
        << counters(4, 5, 2, 3);
    QTest::newRow("flat: licensed centres once")
        << 0 << 7 << QString() << 1 << QString()
        << QStringList{cs + " | Farma Lhota", am + " | Český Brod", am + " | Dvůr"}
        << counters(2, 3, 2, 3);
    QTest::newRow("acls: only the user's centres")
        << 1 << 7 << QString() << 0 << QString()
        << QStringList{cs, cs + "/Farma Lhota", am, am + "/Český Brod"} << counters(2, 2, 2, 2);
    QTest::newRow("acls: the other user of the shared centre")
        << 1 << 8 << QString() << 0 << QString() << QStringList{cs, cs + "/Farma Lhota"} << counters(1, 1, 1, 1);
    QTest::newRow("acls: flat")
        << 1 << 8 << QString() << 3 << QString() << QStringList{cs + " | Farma Lhota"} << counters(1, 1, 1, 1);
    QTest::newRow("acls: a user without centres sees nothing")
        << 1 << 99 << QString() << 0 << QString() << QStringList() << counters(0, 0, 0, 0);
    QTest::newRow("region in a list of regions")
        << 0 << 7 << QStringLiteral("LI") << 0 << QString()
        << QStringList{am, am + "/Český Brod", am + "/Dvůr"} << counters(1, 2, 1, 2);
    QTest::newRow("region matches whole codes only")
        << 0 << 7 << QStringLiteral("T") << 0 << QString() << QStringList() << counters(0, 0, 0, 0);
    QTest::newRow("region with a quote selects nothing")
        << 0 << 7 << QStringLiteral("ST') or ('1'='1") << 0 << QString() << QStringList() << counters(0, 0, 0, 0);
    QTest::newRow("region and acls")
        << 1 << 7 << QStringLiteral("LI") << 0 << QString()
        << QStringList{am, am + "/Český Brod"} << counters(1, 1, 1, 1);
    QTest::newRow("advanced filter on the holding")
        << 0 << 7 << QString() << 0 << QStringLiteral(" hdq.nazev_holding='Holding Jih' ")
        << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín"} << counters(1, 2, 1, 1);
    QTest::newRow("negated licence filter keeps unlicensed centres with a number")
        << 0 << 7 << QString() << 0 << QStringLiteral(" ( not ( (stq.licence_cislo>0) ) )")
        << QStringList{"Bez licence", "Bez licence/Stáj"} << counters(1, 1, 0, 0);
    QTest::newRow("an or in the filter cannot widen the user's rights")
        << 1 << 8 << QString() << 0 << QStringLiteral("pdq.id=1 or pdq.id=2")
        << QStringList{cs, cs + "/Farma Lhota"} << counters(1, 1, 1, 1);
}

void TestTreeDb::visibility()
{
    QFETCH(int, acls);
    QFETCH(int, user);
    QFETCH(QString, region);
    QFETCH(int, sort);
    QFETCH(QString, advanced);
    QFETCH(QStringList, rows);
    QFETCH(QString, counters);

    const Result r = load(acls, user, region, sort, advanced);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(r.rows, rows);
    QCOMPARE(r.counters, counters);
}

void TestTreeDb::columnsAsTheTreeShowsThem()
{
    QStandardItemModel tree;
    QVERIFY(load(0, 0, QString(), 0, QString(), &tree).ok);
    const QModelIndex statek = tree.index(0, 0);
    const QModelIndex lhota = tree.index(0, 0, statek);
    auto cell = [](const QModelIndex &i, int col) { return i.siblingAtColumn(col).data().toString(); };
    QCOMPARE(cell(lhota, PtLicence), QStringLiteral("12"));
    QCOMPARE(cell(lhota, PtSpusteni), QStringLiteral("01.05.2020"));
    QCOMPARE(cell(lhota, PtFakturaceOd), QStringLiteral("15.01.2024"));
    QCOMPARE(cell(lhota, PtSpecifikace), QStringLiteral("DeLaval 2x12"));
    QCOMPARE(cell(lhota, PtRegion), QStringLiteral("ST"));
    QCOMPARE(cell(lhota, PtIdStredisko), QStringLiteral("10"));
    QCOMPARE(cell(statek, PtIdPodnik), QStringLiteral("1"));
    QCOMPARE(cell(statek, PtFakturaceOd), QString());
    // Licence NULL and 0 both show empty.
    QCOMPARE(cell(tree.index(1, 0, statek), PtLicence), QString());
    const QModelIndex bez = tree.index(3, 0);
    QCOMPARE(bez.data().toString(), QStringLiteral("Bez licence"));
    QCOMPARE(cell(tree.index(0, 0, bez), PtLicence), QString());

    // Flat, sorted later by "Fakturace od": the enterprise's date on every row.
    QStandardItemModel flat;
    QVERIFY(load(0, 0, QString(), 3, QString(), &flat).ok);
    QCOMPARE(cell(flat.index(0, 0), PtFakturaceOd), QStringLiteral("15.01.2024"));
    QCOMPARE(cell(flat.index(1, 0), PtSpusteni), QStringLiteral("02.03.2019"));
}

void TestTreeDb::badConditionReportsTheDatabaseError()
{
    const Result r = load(0, 0, QString(), 0, QStringLiteral("pdq.dojnice_ks>=abc'"));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(r.rows.isEmpty());
    QCOMPARE(r.counters, counters(0, 0, 0, 0));
}

QTEST_GUILESS_MAIN(TestTreeDb)
#include "tst_treedb.moc"
