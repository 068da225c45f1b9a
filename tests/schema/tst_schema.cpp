// The DDL on both backends: creating it again keeps the data and repairs what
// is missing, every statement of the program finds its tables and columns,
// stored values keep their meaning (numbers compare as numbers, dates as
// dates), the defaults the program relies on, and the unique login.

#include "programstatements.h"
#include "admin/remoteviewer.h"
#include "app/login.h"
#include "core/centrerecord.h"
#include "core/session.h"
#include "register/statements.h"
#include "register/treequery.h"
#include "support/testdb.h"

#include "db/database.h"
#include "db/qssql.h"
#include "db/users.h"
#include "schema/schema.h"

#include <QRegularExpression>
#include <QtTest>

#include "support/testmain.h"

namespace {

// Runs a statement with bound values; false with the message in *error.
bool run(const QString &sql, const QVariantList &values = {}, QString *error = nullptr)
{
    QSSQL q;
    const bool ok = q.exec(sql, values);
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

QVariant scalar(const QString &sql, const QVariantList &values = {})
{
    return TestDb::value(sql, values);
}

bool indexExists(const QString &table, const QString &name)
{
    return scalar(Database::isSqlite() ? QStringLiteral("select count(*) from sqlite_master where type='index' and tbl_name=? and name=?")
                                       : QStringLiteral("select count(*) from information_schema.statistics "
                                                        "where table_schema=database() and table_name=? and index_name=?"),
                  {table, name}).toInt() > 0;
}

} // namespace

class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init()
    {
        // The statement rows only read or touch no row (ids are NULL), so they
        // share the fixture of programStatements_data; clearing every table per
        // row is slow on MariaDB.
        if (qstrcmp(QTest::currentTestFunction(), "programStatements") == 0)
            return;
        QString error;
        QVERIFY2(TestDb::clear(&error), qPrintable(error));
    }

    void createAgainKeepsDataAndRepairs()
    {
        const bool sqlite = Database::isSqlite();
        QVERIFY(run(sqlite ? QStringLiteral("DROP INDEX idx_udalosti_parent_live") : QStringLiteral("DROP INDEX idx_udalosti_parent_live ON tellmark_udalosti")));
        // A MySQL database set up by other means may index vnc.uid under its own
        // name; create must neither fail nor add a second index over the column.
        // (SQLite matches indexes by name only.)
        if (!sqlite)
            QVERIFY(run(QStringLiteral("DROP INDEX idx_vnc_uid ON vnc")) && run(QStringLiteral("CREATE INDEX vnc_uid_key ON vnc (uid)")));
        QVERIFY(run(QStringLiteral("insert into tellmark_holding(nazev_holding) values(?)"), {QStringLiteral("Agro Holding")}));
        QVERIFY(run(QStringLiteral("insert into qml.acl(uzivatel) values(?)"), {QStringLiteral("cp-user")}));
        // A database from before the event search: its events are searchable
        // once create has run, a reply under its thread's root.
        QVERIFY(run(QStringLiteral("DROP TABLE tellmark_udalosti_hledani")));
        for (const char *trigger : {"ai", "au", "ad"})
            QVERIFY(run(QStringLiteral("DROP TRIGGER tellmark_udalosti_hledani_%1").arg(QLatin1String(trigger))));
        QVERIFY(run(QStringLiteral("insert into tellmark_udalosti(id,id_parent,predmet,popis) values"
                                   "(1,NULL,'Porucha','<p>x</p>'),(2,1,'Re:','<p>Dojírna <i>stojí</i></p>')")));
        QString error;
        for (int i = 0; i < 2; ++i)
            QVERIFY2(Schema::create(&error), qPrintable(error));
        QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_udalosti_hledani")).toInt(), 2);
        QCOMPARE(scalar(sqlite ? QStringLiteral("select id_vlakna from tellmark_udalosti_hledani where "
                                                "tellmark_udalosti_hledani match 'dojirna stoji'")
                               : QStringLiteral("select id_vlakna from tellmark_udalosti_hledani where "
                                                "match(obsah) against ('+dojirna +stoji' in boolean mode)"))
                     .toInt(),
                 1);
        QVERIFY(Schema::exists());
        QVERIFY(indexExists(QStringLiteral("tellmark_udalosti"), QStringLiteral("idx_udalosti_parent_live")));
        QCOMPARE(scalar(QStringLiteral("select nazev_holding from tellmark_holding")).toString(), QStringLiteral("Agro Holding"));
        QCOMPARE(scalar(QStringLiteral("select uzivatel from qml.acl")).toString(), QStringLiteral("cp-user"));
        if (!sqlite) {
            QVERIFY(!indexExists(QStringLiteral("vnc"), QStringLiteral("idx_vnc_uid")));
            // put the named index back for later suites
            QVERIFY(run(QStringLiteral("DROP INDEX vnc_uid_key ON vnc")));
            QVERIFY2(Schema::create(&error), qPrintable(error));
            QVERIFY(indexExists(QStringLiteral("vnc"), QStringLiteral("idx_vnc_uid")));
        }
    }

    void programStatements_data()
    {
        QTest::addColumn<QString>("sql");
        for (const ProgramStatement &s : kProgramStatements)
            QTest::newRow(s.name) << QString::fromUtf8(s.sql);
        // The program's own statements.
        QTest::newRow("login") << QString::fromLatin1(UserRights::Query);
        QTest::newRow("login statistics") << QString::fromLatin1(Login::StatisticsUpdate);
        QTest::newRow("login audit") << QString::fromLatin1(Login::AuditInsert);
        QTest::newRow("centre load") << CentreRecord::statement();
        QTest::newRow("VNC audit") << QString::fromLatin1(RemoteViewer::AuditInsert);
        QTest::newRow("repeater log") << QString::fromLatin1(RemoteViewer::RepeaterLog);
        for (const char *gps : {RegisterSql::GpsSelectPodnik, RegisterSql::GpsSelectStredisko})
            QTest::newRow(gps) << QString::fromUtf8(gps);
        for (int acls : {0, 1}) {
            for (int sort : {0, 2}) {
                const TreeQuery tree = buildTreeQuery({1, acls, QStringLiteral("ST"), sort, QStringLiteral("hdq.nazev_holding is null")});
                QTest::addRow("tree acls=%d sort=%d", acls, sort) << tree.sql;
            }
        }

        // A few rows so joins and recursive parts have data to walk.
        QString error;
        QVERIFY2(TestDb::clear(&error), qPrintable(error));
        QVERIFY(run(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,obr,SMLOUVA_FAKTURACE_CASTKA_ROK) values(1,'Agro','ST,LI',100)")));
        QVERIFY(run(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,hospodarstvi) values(2,1,'Farma',120,'1234567')")));
        QVERIFY(run(QStringLiteral("insert into tellmark_udalosti(id,id_podnik,stav,kategorie,odpovedna_osoba) values(1,1,1,8,'JN')")));
        QVERIFY(run(QStringLiteral("insert into tellmark_udalosti(id,id_parent,stav) values(2,1,1)")));
    }
    void programStatements()
    {
        QFETCH(QString, sql);
        // Every placeholder gets NULL, except the priority of an event save,
        // which the pane always writes as a number.
        QSSQL q;
        q.prepare(sql);
        const QString unquoted = QString(sql).replace(QRegularExpression(QStringLiteral("'[^']*'")), QStringLiteral("''"));
        QSet<QString> names;
        auto it = QRegularExpression(QStringLiteral(":(\\w+)")).globalMatch(unquoted);
        while (it.hasNext())
            names << QLatin1Char(':') + it.next().captured(1);
        for (const QString &n : qAsConst(names))
            q.bindValue(n, QVariant());
        const int priorityAt = unquoted.indexOf(QLatin1String("PRIORITA=?"));
        const int priority = priorityAt < 0 ? -1 : unquoted.left(priorityAt).count(QLatin1Char('?'));
        for (int i = 0, n = unquoted.count(QLatin1Char('?')); i < n; ++i)
            q.addBindValue(i == priority ? QVariant(2) : QVariant());
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
    }

    void valuesKeepTheirMeaning_data()
    {
        QTest::addColumn<QString>("column");   // table.column
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("matches");
        const QString february = QStringLiteral("SMLOUVA_FAKTURACE_OD>='2024-02-01' and SMLOUVA_FAKTURACE_OD<='2024-02-29'");
        const QDate today = QDate::currentDate();
        // Field texts are written as typed; the column type makes them numbers.
        QTest::newRow("licence 9 is below 10000") << "tellmark_strediska.licence_cislo" << QVariant("9") << "licence_cislo>0 and licence_cislo<10000" << true;
        QTest::newRow("cows 120 from 99") << "tellmark_podniky.DOJNICE_KS" << QVariant("120") << "DOJNICE_KS>=99" << true;
        QTest::newRow("amount with decimals") << "tellmark_podniky.SMLOUVA_FAKTURACE_CASTKA_ROK" << QVariant("12000.5") << "SMLOUVA_FAKTURACE_CASTKA_ROK>12000" << true;
        QTest::newRow("invoicing start on the last day") << "tellmark_podniky.SMLOUVA_FAKTURACE_OD" << QVariant(QDate(2024, 2, 29)) << february << true;
        QTest::newRow("invoicing start next month") << "tellmark_podniky.SMLOUVA_FAKTURACE_OD" << QVariant(QDate(2024, 3, 1)) << february << false;
        QTest::newRow("region list") << "tellmark_podniky.OBR" << QVariant("ST,LI") << "FIND_IN_SET('LI',OBR)" << true;
        QTest::newRow("region list, no partial code") << "tellmark_podniky.OBR" << QVariant("ST,LI") << "FIND_IN_SET('L',OBR)" << false;
        QTest::newRow("unfinished from today") << "tellmark_udalosti.upozornit_od" << QVariant(today) << "upozornit_od<=current_date" << true;
        QTest::newRow("unfinished from tomorrow") << "tellmark_udalosti.upozornit_od" << QVariant(today.addDays(1)) << "upozornit_od<=current_date" << false;
        QTest::newRow("event start later that day") << "tellmark_udalosti.ts_zacatek" << QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 30)))
                                                    << "ts_zacatek>'2024-03-01 09:00:00' and ts_zacatek<'2024-03-02'" << true;
        QTest::newRow("holding padded to 8") << "tellmark_strediska.hospodarstvi" << QVariant("1234567") << "lpad(hospodarstvi,8,'0')='01234567'" << true;
    }
    void valuesKeepTheirMeaning()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, value);
        QFETCH(QString, condition);
        QFETCH(bool, matches);
        const QString table = column.section(QLatin1Char('.'), 0, 0);
        QString error;
        QVERIFY2(run(QStringLiteral("insert into %1(%2) values(?)").arg(table, column.section(QLatin1Char('.'), 1)), {value}, &error),
                 qPrintable(error));
        QCOMPARE(scalar(QStringLiteral("select count(*) from %1 where %2").arg(table, condition)).toInt(), matches ? 1 : 0);
    }

    void textsRoundTrip()
    {
        const QString name = QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy");
        const QString html = QStringLiteral("<html><body><p>Řeřicha &amp; čaj – 20 %</p></body></html>");
        // Rich-text notes go in as UTF-8 bytes and come back as the same text.
        QVERIFY(run(QStringLiteral("insert into tellmark_podniky(podnik_nazev,SMLOUVA_POZNAMKY) values(?,?)"), {name, html.toUtf8()}));
        QSSQL q;
        QVERIFY(q.exec(QStringLiteral("select podnik_nazev,SMLOUVA_POZNAMKY from tellmark_podniky where podnik_nazev=?"), {name}) && q.next());
        QCOMPARE(q.value(0).toString(), name);
        QCOMPARE(q.value(1).toString(), html);
    }

    void defaultsOfNewRows()
    {
        // The event insert of the program does not name priorita or smazano;
        // the event lists select smazano=0.
        QVERIFY(run(QStringLiteral("insert into tellmark_udalosti(id_podnik,predmet,stav) values(?,?,?)"), {1, QStringLiteral("Návštěva"), 1}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_udalosti where smazano=0 and priorita=0")).toInt(), 1);

        // A new user has counted no logins; the login statistics count from 0.
        QVERIFY(run(QStringLiteral("insert into www_users(login) values(?)"), {QStringLiteral("novak")}));
        const QString stats = QStringLiteral("select stat_zrn_cnt,stat_zrn_last from www_users where login='novak'");
        QSSQL q;
        QVERIFY(q.exec(stats) && q.next());
        QCOMPARE(q.value(0).toInt(), 0);
        QVERIFY(q.value(1).isNull());
        for (int i = 0; i < 2; ++i)
            QVERIFY(run(QStringLiteral("update www_users set stat_zrn_last=current_timestamp, stat_zrn_cnt=stat_zrn_cnt+1 where login='novak'")));
        QVERIFY(q.exec(stats) && q.next());
        QCOMPARE(q.value(0).toInt(), 2);
        const QDateTime last = q.value(1).toDateTime();
        QVERIFY2(qAbs(last.secsTo(QDateTime::currentDateTime())) < 600, qPrintable(last.toString(Qt::ISODate)));
    }

    void loginIsUnique()
    {
        UserFlags f;
        QString error;
        QVERIFY2(Users::createUser(QStringLiteral("novak"), QStringLiteral("heslo"), f, &error), qPrintable(error));
        QVERIFY(!Users::createUser(QStringLiteral("novak"), QStringLiteral("jine"), f, &error));
        QVERIFY2(error.contains(QStringLiteral("novak")), qPrintable(error));
        QVERIFY(!Users::createUser(QStringLiteral("  "), QStringLiteral("x"), f, &error));

        // The database itself refuses the second row, also when the login
        // differs only in letter case (the same person at the login prompt).
        const QString insert = QStringLiteral("insert into www_users(login) values(?)");
        QVERIFY(!run(insert, {QStringLiteral("novak")}));
        QVERIFY(!run(insert, {QStringLiteral("NOVAK")}));
        // The administration dialog writes an empty login as NULL; such rows
        // do not collide with each other.
        QVERIFY(run(insert, {QVariant(QVariant::String)}));
        QVERIFY(run(insert, {QVariant(QVariant::String)}));
        QCOMPARE(scalar(QStringLiteral("select count(*) from www_users")).toInt(), 3);
    }
};

ZRN_TEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
