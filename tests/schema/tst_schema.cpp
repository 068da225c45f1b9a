#include "support/testdb.h"

#include "db/database.h"
#include "db/qssql.h"
#include "db/users.h"
#include "schema/schema.h"

#include <QtTest>

#include "support/testmain.h"

namespace {

bool run(const QString &sql, const QVariantList &values = {})
{
    return QSSQL().exec(sql, values);
}

bool indexExists(const QString &table, const QString &name)
{
    const QString sql = Database::isSqlite()
        ? QStringLiteral("select count(*) from sqlite_master where type='index' and tbl_name=? and name=?")
        : QStringLiteral("select count(*) from information_schema.statistics where table_schema=database() "
                         "and table_name=? and index_name=?");
    return TestDb::value(sql, {table, name}).toInt() > 0;
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init() { ZRN_CLEAR_TEST_DB(); }

    void createAgainKeepsDataAndRepairs()
    {
        const bool sqlite = Database::isSqlite();
        QVERIFY(run(sqlite ? QStringLiteral("DROP INDEX idx_udalosti_parent_live") : QStringLiteral("DROP INDEX idx_udalosti_parent_live ON tellmark_udalosti")));
        // A MySQL database set up by other means may index vnc.uid under its own name; create must neither fail
        // nor add a second index over the column (SQLite matches indexes by name only).
        if (!sqlite)
            QVERIFY(run(QStringLiteral("DROP INDEX idx_vnc_uid ON vnc")) && run(QStringLiteral("CREATE INDEX vnc_uid_key ON vnc (uid)")));
        QVERIFY(run(QStringLiteral("insert into tellmark_holding(nazev_holding) values(?)"), {QStringLiteral("Agro Holding")}));
        QVERIFY(run(QStringLiteral("insert into qml.acl(uzivatel) values(?)"), {QStringLiteral("cp-user")}));
        // A database from before the event search: create makes its events searchable, a reply under its root.
        QVERIFY(run(QStringLiteral("DROP TABLE tellmark_udalosti_hledani")));
        for (const char *trigger : {"ai", "au", "ad"})
            QVERIFY(run(QStringLiteral("DROP TRIGGER tellmark_udalosti_hledani_%1").arg(QLatin1String(trigger))));
        QVERIFY(run(QStringLiteral("insert into tellmark_udalosti(id,id_parent,predmet,popis) values"
                                   "(1,NULL,'Porucha','<p>x</p>'),(2,1,'Re:','<p>Dojírna <i>stojí</i></p>')")));
        QString error;
        for (int i = 0; i < 2; ++i)
            QVERIFY2(Schema::create(&error), qPrintable(error));
        QCOMPARE(TestDb::value(QStringLiteral("select count(*) from tellmark_udalosti_hledani")).toInt(), 2);
        const QString match = sqlite ? QStringLiteral("tellmark_udalosti_hledani match 'dojirna stoji'")
                                     : QStringLiteral("match(obsah) against ('+dojirna +stoji' in boolean mode)");
        QCOMPARE(TestDb::value("select id_vlakna from tellmark_udalosti_hledani where " + match).toInt(), 1);
        QVERIFY(Schema::exists());
        QVERIFY(indexExists(QStringLiteral("tellmark_udalosti"), QStringLiteral("idx_udalosti_parent_live")));
        QCOMPARE(TestDb::value("select nazev_holding from tellmark_holding").toString(), QString("Agro Holding"));
        QCOMPARE(TestDb::value(QStringLiteral("select uzivatel from qml.acl")).toString(), QStringLiteral("cp-user"));
        if (!sqlite)
            QVERIFY(!indexExists(QStringLiteral("vnc"), QStringLiteral("idx_vnc_uid")));
    }

    void valuesKeepTheirMeaning_data()
    {
        QTest::addColumn<QString>("column");   // table.column
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("matches");
        const QString february = QStringLiteral("SMLOUVA_FAKTURACE_OD>='2024-02-01' and SMLOUVA_FAKTURACE_OD<='2024-02-29'");
        // Field texts are written as typed; the column type makes them numbers.
        QTest::newRow("licence 9 is below 10000") << "tellmark_strediska.licence_cislo" << QVariant("9") << "licence_cislo>0 and licence_cislo<10000" << true;
        QTest::newRow("cows 120 from 99") << "tellmark_podniky.DOJNICE_KS" << QVariant("120") << "DOJNICE_KS>=99" << true;
        QTest::newRow("amount with decimals") << "tellmark_podniky.SMLOUVA_FAKTURACE_CASTKA_ROK" << QVariant("12000.5") << "SMLOUVA_FAKTURACE_CASTKA_ROK>12000" << true;
        QTest::newRow("invoicing start on the last day") << "tellmark_podniky.SMLOUVA_FAKTURACE_OD" << QVariant(QDate(2024, 2, 29)) << february << true;
        QTest::newRow("invoicing start next month") << "tellmark_podniky.SMLOUVA_FAKTURACE_OD" << QVariant(QDate(2024, 3, 1)) << february << false;
        QTest::newRow("event start later that day") << "tellmark_udalosti.ts_zacatek" << QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 30)))
                                                    << "ts_zacatek>'2024-03-01 09:00:00' and ts_zacatek<'2024-03-02'" << true;
        // Defaults: the program's event insert names neither priorita nor smazano (the lists select smazano=0);
        // a new user has counted no logins (the login counts on from there).
        QTest::newRow("new event") << "tellmark_udalosti.predmet" << QVariant("x") << "smazano=0 and priorita=0" << true;
        QTest::newRow("new user") << "www_users.login" << QVariant("x")
                                  << "stat_zrn_cnt=0 and stat_zrn_last is null" << true;
    }
    void valuesKeepTheirMeaning()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, condition);
        QFETCH(bool, matches);
        const QString table = column.section(QLatin1Char('.'), 0, 0);
        QSSQL q;
        const QString insert = QString("insert into %1(%2) values(?)").arg(table, column.section('.', 1));
        QVERIFY2(q.exec(insert, {value}), qPrintable(q.lastError().text()));
        const QString count = QStringLiteral("select count(*) from %1 where %2").arg(table, condition);
        QCOMPARE(TestDb::value(count).toInt(), matches ? 1 : 0);
    }

    void noteInUtf8ReadsAsText()
    {
        // Rich-text notes go in as UTF-8 bytes and come back as the same text.
        const QString html = QStringLiteral("<html><body><p>Řeřicha &amp; čaj – 20 %</p></body></html>");
        QVERIFY(run(QStringLiteral("insert into tellmark_podniky(SMLOUVA_POZNAMKY) values(?)"), {html.toUtf8()}));
        QSSQL q;
        QVERIFY(q.exec(QStringLiteral("select SMLOUVA_POZNAMKY from tellmark_podniky")) && q.next());
        QCOMPARE(q.value(0).toString(), html);
    }

    void loginIsUnique()
    {
        UserFlags f;
        QString error;
        QVERIFY2(Users::createUser(QStringLiteral("novak"), QStringLiteral("heslo"), f, &error), qPrintable(error));
        QVERIFY(!Users::createUser(QStringLiteral("  "), QStringLiteral("x"), f, &error));
        // The database itself refuses the second row, also when the login differs only in letter case.
        const QString insert = QStringLiteral("insert into www_users(login) values(?)");
        QVERIFY(!run(insert, {QStringLiteral("novak")}));
        QVERIFY(!run(insert, {QStringLiteral("NOVAK")}));
        // The administration dialog writes an empty login as NULL; such rows do not collide with each other.
        QVERIFY(run(insert, {QVariant(QVariant::String)}));
        QVERIFY(run(insert, {QVariant(QVariant::String)}));
        QCOMPARE(TestDb::value(QStringLiteral("select count(*) from www_users")).toInt(), 3);
    }
};

ZRN_TEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
