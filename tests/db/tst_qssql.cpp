#include "db/database.h"
#include "db/qssql.h"
#include "support/testdb.h"

#include <QProcess>
#include <QSemaphore>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QtTest>

#include "support/testmain.h"

namespace {
QVariantList column(QSSQL &q)
{
    QVariantList out;
    while (q.next())
        out << q.value(0);
    return out;
}

// The first value through the query object (bound values as the program binds them).
QVariant first(const QString &sql, const QVariantList &binds = {})
{
    QSSQL q;
    return q.exec(sql, binds) && q.next() ? q.value(0) : QVariant();
}

int countNamed(const QString &name)
{
    return first(QStringLiteral("select count(*) from tellmark_podniky where podnik_nazev=?"), {name}).toInt();
}

bool runScript(const char *variable)
{
    return QProcess::execute(QStringLiteral("bash"), {QStringLiteral("-c"), qEnvironmentVariable(variable)}) == 0;
}

// A second session on the test server.
QSqlDatabase openOther(const QString &name)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), name);
    const DbConfig &cfg = Database::config();
    db.setHostName(cfg.host);
    db.setPort(cfg.port);
    db.setUserName(cfg.user);
    db.setPassword(cfg.password);
    db.setDatabaseName(cfg.name);
    if (cfg.socket.size())
        db.setConnectOptions(QStringLiteral("UNIX_SOCKET=%1").arg(cfg.socket));
    db.open();
    return db;
}
} // namespace

class TestQSSQL : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        // The reconnect cases stop and start the server with these commands.
        for (const char *script : {"ZRN_TEST_MYSQL_RESTART", "ZRN_TEST_MYSQL_STOP", "ZRN_TEST_MYSQL_START"})
            QVERIFY2(!TestDb::isMariaDb() || !qEnvironmentVariableIsEmpty(script), script);
    }
    void init() { ZRN_CLEAR_TEST_DB(); }
    void cleanupTestCase() { TestDb::close(); }

    void boundValuesReadBackExactly_data()
    {
        QTest::addColumn<QVariant>("value");
        QTest::newRow("Czech text") << QVariant(QStringLiteral("Zemědělské družstvo Hrušovany"));
        QTest::newRow("quote and backslash") << QVariant(QStringLiteral("O'Neil \\' \" \\\\ ; -- x"));
        QTest::newRow("statement in a text") << QVariant(QStringLiteral("Statek 'U Lípy'; drop table x"));
        QTest::newRow("comment and placeholders") << QVariant(QStringLiteral("/* ? :id */ # ?"));
        QTest::newRow("Czech and emoji") << QVariant(QStringLiteral("Žluťoučký kůň 🐄"));
        QTest::newRow("wildcards") << QVariant(QStringLiteral("50% _x_"));
        QTest::newRow("empty text") << QVariant(QStringLiteral(""));
        QTest::newRow("null") << QVariant(QVariant::String);
        QTest::newRow("number") << QVariant(-42);
        QTest::newRow("big number") << QVariant(qlonglong(9007199254740993LL));
        QTest::newRow("date") << QVariant(QDate(2026, 12, 6));
    }
    void boundValuesReadBackExactly()
    {
        // Reads with bound values go to the server as one text statement: what comes back must not change.
        QFETCH(QVariant, value);
        // Numbers and dates are kept as text in the name column.
        const QVariant name = value.isNull() || value.type() == QVariant::String ? value : QVariant(value.toString());
        QSSQL ins;
        QVERIFY(ins.exec(QStringLiteral("insert into tellmark_podniky(podnik_nazev,okres) values('vedle','x')")));
        const int before = ins.lastInsertId().toInt();
        // A name may appear twice.
        QVERIFY(ins.prepare(QStringLiteral("insert into tellmark_podniky(podnik_nazev,OBR_POZNAMKA,okres) values(:name,:name,:okres)")));
        ins.bindValue(QStringLiteral(":name"), name);
        ins.bindValue(QStringLiteral(":okres"), QStringLiteral("x"));
        QVERIFY2(ins.exec(), qPrintable(ins.lastError().text()));
        const int id = ins.lastInsertId().toInt();
        QVERIFY(id > before);
        // Named placeholders; a colon and question marks inside quotes stay text.
        QSSQL q;
        q.prepare(value.isNull()
                      ? QStringLiteral("select id, ':id ? ''?''' as t, OBR_POZNAMKA from tellmark_podniky where okres=:okres and podnik_nazev is null")
                      : QStringLiteral("select id, ':id ? ''?''' as t, OBR_POZNAMKA from tellmark_podniky where okres=:okres and podnik_nazev=:name"));
        q.bindValue(QStringLiteral(":okres"), QStringLiteral("x"));
        if (!value.isNull())
            q.bindValue(QStringLiteral(":name"), name);
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), id);
        QCOMPARE(q.value(1).toString(), QStringLiteral(":id ? '?'"));
        QCOMPARE(q.value(2).toString(), name.toString());
        QVERIFY(!q.next());
        QVERIFY(q.exec(QStringLiteral("select count(*) from tellmark_podniky where okres=? and id>=? and id<=?"),
                       {QStringLiteral("x"), id, qlonglong(id)}));
        QCOMPARE(column(q), QVariantList{1});
        QVERIFY(q.exec(QStringLiteral("select ?"), {value}) && q.next());
        const QVariant got = q.value(0);
        if (value.isNull())
            QVERIFY(got.isNull());
        else if (value.type() == QVariant::String)
            QCOMPARE(got.type() == QVariant::ByteArray ? QString::fromUtf8(got.toByteArray()) : got.toString(), value.toString());
        else if (value.type() == QVariant::Date)
            QCOMPARE(got.toDate(), value.toDate());
        else
            QCOMPARE(got.toLongLong(), value.toLongLong());
    }

    void failedStatementReadsAsEmpty()
    {
        QSSQL q;
        QVERIFY(!q.exec(QStringLiteral("select nic from tabulka_ktera_neni")));
        QVERIFY(!q.next());
        QVERIFY(q.value(0).isNull());
        QVERIFY(!q.lastError().text().isEmpty());
        QVERIFY(!q.exec(QStringLiteral("selec id from tellmark_podniky where id=?"), {1}));
        QVERIFY(!q.next());
        QVERIFY(!q.lastError().text().isEmpty());
        // The object stays usable after a failure.
        QVERIFY(q.exec(QStringLiteral("select 1")));
        QCOMPARE(column(q), QVariantList{1});
        QVERIFY(q.lastError().text().isEmpty());
    }

    void mysqlFunctions_data()
    {
        QTest::addColumn<QString>("expr");
        QTest::addColumn<QVariant>("expected"); // invalid = SQL NULL
        QTest::newRow("if false") << "if(0,'a','b')" << QVariant("b");
        QTest::newRow("if null") << "if(NULL,'a','b')" << QVariant("b");
        QTest::newRow("if comparison") << "if(2>1,'ano','ne')" << QVariant("ano");
        QTest::newRow("if text zero") << "if('0','a','b')" << QVariant("b");
        QTest::newRow("if number text") << "if('12','a','b')" << QVariant("a");
        QTest::newRow("if null branch") << "if(1,NULL,'b')" << QVariant();
        QTest::newRow("find second") << "find_in_set('TA','ST,TA,LI')" << QVariant(2);
        QTest::newRow("find absent") << "find_in_set('UH','ST,TA')" << QVariant(0);
        QTest::newRow("find in empty") << "find_in_set('ST','')" << QVariant(0);
        QTest::newRow("find case") << "find_in_set('st','ST,TA')" << QVariant(1);
        QTest::newRow("find no partial") << "find_in_set('S','ST,TA')" << QVariant(0);
        QTest::newRow("find null list") << "find_in_set('ST',NULL)" << QVariant();
        QTest::newRow("find null needle") << "find_in_set(NULL,'ST')" << QVariant();
        QTest::newRow("find comma needle") << "find_in_set('ST,TA','ST,TA')" << QVariant(0);
        QTest::newRow("find email") << "find_in_set('jan@firma.cz','pn,jan@firma.cz')" << QVariant(2);
        QTest::newRow("lpad number") << "lpad(42,5,'0')" << QVariant("00042");
        QTest::newRow("lpad cuts") << "lpad('123456',3,'0')" << QVariant("123");
        QTest::newRow("lpad exact") << "lpad('abc',3,'x')" << QVariant("abc");
        QTest::newRow("lpad pattern") << "lpad('ab',7,'xy')" << QVariant("xyxyxab");
        QTest::newRow("lpad characters") << "lpad('č',3,'ř')" << QVariant("řřč");
        QTest::newRow("lpad null") << "lpad(NULL,3,'0')" << QVariant();
        QTest::newRow("lpad null pad") << "lpad('a',3,NULL)" << QVariant();
        QTest::newRow("lpad negative") << "lpad('a',-1,'0')" << QVariant();
        QTest::newRow("lpad zero") << "lpad('abc',0,'0')" << QVariant("");
        QTest::newRow("concat") << "concat('a','-',3)" << QVariant("a-3");
        QTest::newRow("concat null") << "concat('a',NULL)" << QVariant();
        // The clock functions are the local clock on both backends; their names inside a text are text.
        QTest::newRow("clock word in a text") << "concat('it''s current_date', ' current_timestamp')"
                                               << QVariant("it's current_date current_timestamp");
        QTest::newRow("today") << "current_date = current_date ( )" << QVariant(1);
    }
    void mysqlFunctions()
    {
        QFETCH(QString, expr);
        QFETCH(QVariant, expected);
        QSSQL q;
        QVERIFY2(q.exec(QStringLiteral("select ") + expr), qPrintable(q.lastError().text()));
        QVERIFY(q.next());
        const QVariant v = q.value(0);
        QCOMPARE(v.isNull(), !expected.isValid());
        if (expected.isValid())
            QCOMPARE(v.toString(), expected.toString());
    }

    void datesRoundTrip()
    {
        const QDateTime start(QDate(2026, 3, 4), QTime(5, 6, 7));
        const QDate today = QDate::currentDate();
        QSSQL q;
        QVERIFY2(q.exec(QStringLiteral("insert into tellmark_udalosti(ts_zacatek,upozornit_od,ts_zalozeno,smazano,stav) "
                                       "values(?,?,current_timestamp,0,1)"),
                        {start, today}),
                 qPrintable(q.lastError().text()));
        const QVariant past = q.lastInsertId();
        QVERIFY(q.exec(QStringLiteral("insert into tellmark_udalosti(ts_zacatek,upozornit_od,smazano,stav) values(?,?,0,1)"),
                       {QVariant(QVariant::DateTime), today.addDays(1)}));
        QVERIFY(q.exec(QStringLiteral("select ts_zacatek,upozornit_od,ts_zalozeno from tellmark_udalosti where id=?"), {past}));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toDateTime(), start);
        QCOMPARE(q.value(1).toDate(), today);
        const QDateTime created = q.value(2).toDateTime();
        QVERIFY2(qAbs(created.secsTo(QDateTime::currentDateTime())) < 600, qPrintable(created.toString()));
        const QString count = QStringLiteral("select count(*) from tellmark_udalosti where ");
        QCOMPARE(first(count + "(upozornit_od is null) or (upozornit_od<=current_date)").toInt(), 1);
        const QVariantList march4 = {QDateTime(QDate(2026, 3, 4), QTime(0, 0)), QDate(2026, 3, 5)};
        QCOMPARE(first(count + "ts_zacatek>=? and ts_zacatek<?", march4).toInt(), 1);
        QCOMPARE(first(count + "ts_zacatek is null").toInt(), 1);
    }

    void textsThatLookLikeDates_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QVariant>("read");
        QTest::newRow("date") << "2026-03-04" << QVariant(QDate(2026, 3, 4));
        QTest::newRow("date and time") << "2026-03-04 05:06:07" << QVariant(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
        QTest::newRow("T and milliseconds") << "2026-03-04T05:06:07.089"
                                            << QVariant(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7, 89)));
        QTest::newRow("midnight, date and time") << "2026-03-04 00:00:00" << QVariant(QDateTime(QDate(2026, 3, 4), QTime(0, 0)));
        QTest::newRow("time") << "23:59:58" << QVariant(QTime(23, 59, 58));
        QTest::newRow("midnight") << "00:00:00" << QVariant(QTime(0, 0));
        QTest::newRow("no such day stays text") << "2026-02-30" << QVariant(QStringLiteral("2026-02-30"));
        QTest::newRow("zero date stays text") << "0000-00-00" << QVariant(QStringLiteral("0000-00-00"));
        QTest::newRow("letters stay text") << "2026-0a-04" << QVariant(QStringLiteral("2026-0a-04"));
        QTest::newRow("licence-like text") << "12:34:5x" << QVariant(QStringLiteral("12:34:5x"));
        QTest::newRow("minute 61 stays text") << "12:61:00" << QVariant(QStringLiteral("12:61:00"));
        QTest::newRow("hour 24 stays text") << "2026-03-04 24:00:00" << QVariant(QStringLiteral("2026-03-04 24:00:00"));
    }
    void textsThatLookLikeDates()
    {
        if (TestDb::isMariaDb())
            QSKIP("the server types its values itself");
        QFETCH(QString, stored);
        QFETCH(QVariant, read);
        for (const bool direct : {false, true}) {
            QSSQL q;
            q.setDirectRows(direct);
            QVERIFY(q.exec(QStringLiteral("select ?"), {stored}) && q.next());
            QCOMPARE(q.value(0).type(), read.type());
            QCOMPARE(q.value(0), read);
        }
    }

    // The typed reads of a long list give what value() gives, whether the
    // rows come through the driver or straight from the engine.
    void typedReads_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("null");
        QTest::addColumn<int>("number"); // -1: not a number
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        const QDate march4(2026, 3, 4);
        QTest::newRow("text") << "akce_nazev" << false << -1 << "Dojírna Lhota 🐄" << QDate();
        QTest::newRow("number") << "licence_cislo" << false << 12 << "12" << QDate();
        QTest::newRow("null") << "PODNIK_JMENO" << true << 0 << "" << QDate();
        QTest::newRow("date") << "spusteni" << false << -1 << "2026-03-04" << march4;
        QTest::newRow("date and time") << "AKTUALIZOVANO" << false << -1 << "2026-03-04T05:06:07.000" << march4;
        QTest::newRow("expression") << "concat(licence_cislo,'/',akce_nazev)" << false << -1 << "12/Dojírna Lhota 🐄" << QDate();
        QTest::newRow("no such day") << "'2026-02-30'" << false << -1 << "2026-02-30" << QDate();
        QTest::newRow("fraction") << "1.5" << false << -1 << "1.5" << QDate();
    }
    void typedReads()
    {
        QFETCH(QString, column);
        QSSQL ins;
        QVERIFY2(ins.exec(QStringLiteral("insert into tellmark_strediska(id_podnik,akce_nazev,licence_cislo,spusteni,AKTUALIZOVANO) "
                                         "values(1,?,?,?,?)"),
                          {QStringLiteral("Dojírna Lhota 🐄"), 12, QDate(2026, 3, 4), QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7))}),
                 qPrintable(ins.lastError().text()));
        for (const bool direct : {false, true}) {
            QSSQL q;
            q.setDirectRows(direct);
            QVERIFY2(q.exec(QStringLiteral("select %1 from tellmark_strediska where id=?").arg(column), {ins.lastInsertId()}),
                     qPrintable(q.lastError().text()));
            QVERIFY(q.next());
            QTEST(q.isNull(0), "null");
            QFETCH(int, number);
            if (number >= 0)
                QCOMPARE(q.intValue(0), number);
            QTEST(q.textValue(0), "text");
            QTEST(q.dateValue(0), "date");
            QVERIFY(!q.next());
        }
    }

    void directReadFailures()
    {
        QSSQL q;
        q.setDirectRows(true);
        const quint64 before = Database::statementCount();
        QVERIFY(!q.exec(QStringLiteral("selec 1")));
        QVERIFY(!q.lastError().text().isEmpty());
        QVERIFY(!q.next());
        QVERIFY(!q.exec(QStringLiteral("select ?, ?"), {1}));
        QVERIFY(!q.lastError().text().isEmpty());
        QVERIFY(q.exec(QStringLiteral("select ? as kus, ? as nazev"), {7, QStringLiteral("Žďár")}) && q.next());
        QCOMPARE(q.value(QStringLiteral("NAZEV")).toString(), QStringLiteral("Žďár"));
        QCOMPARE(q.value(QStringLiteral("kus")).toInt(), 7);
        QVERIFY(q.lastError().text().isEmpty());
        QCOMPARE(Database::statementCount() - before, quint64(3));
        if (TestDb::isMariaDb())
            return;
        // A read that fails after its first rows says so: a part is not the whole.
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev) values(1,'A'),(2,'B')");
        QVERIFY(q.exec(QStringLiteral("select id, case when id>1 then abs(-9223372036854775807-1) end from tellmark_podniky order by id")));
        QVERIFY(q.next());
        QVERIFY(!q.next());
        QVERIFY2(q.lastError().text().contains(QStringLiteral("overflow")), qPrintable(q.lastError().text()));
    }

    // Only a read is tried again on a renewed connection, and only after an error of a lost connection.
    void retried_data()
    {
        QTest::addColumn<QString>("sql");   // a statement, or "code <n>": an error of the server
        QTest::addColumn<bool>("read");
        QTest::newRow("server has gone away") << "code 2006" << true;
        QTest::newRow("idle client disconnected (MySQL 8)") << "code 4031" << true;
        QTest::newRow("syntax error") << "code 1064" << false;
        QTest::newRow("select") << "select 1" << true;
        QTest::newRow("upper case, blanks") << "  \n SELECT id FROM t" << true;
        QTest::newRow("parenthesised") << "(select 1) union (select 2)" << true;
        QTest::newRow("comment first") << "/* tree */ select 1" << true;
        QTest::newRow("line comment") << "-- x\nselect 1" << true;
        QTest::newRow("cte") << "with recursive c as (select 1) select * from c" << true;
        QTest::newRow("show") << "show tables" << true;
        QTest::newRow("locking read") << "select id from t where id=1 for update" << false;
        QTest::newRow("insert") << "insert into t values(1)" << false;
        QTest::newRow("update") << "update t set a=1" << false;
        QTest::newRow("delete") << "delete from t" << false;
        QTest::newRow("replace") << "replace into t values(1)" << false;
        QTest::newRow("insert select") << "insert into t select * from u" << false;
        QTest::newRow("comment hides a write") << "/* select */ update t set a=1" << false;
        QTest::newRow("selected word") << "selectx" << false;
        QTest::newRow("cte, then update") << "with c as (select 1 as id) update t join c using(id) set a=1" << false;
        QTest::newRow("cte, then delete") << "WITH RECURSIVE c(id) AS (SELECT 1)\nDELETE FROM t WHERE id IN (SELECT id FROM c)"
                                          << false;
        QTest::newRow("cte, write word quoted") << "with c as (select 'update' as `delete`) select * from c" << true;
    }
    void retried()
    {
        QFETCH(QString, sql);
        QTEST(sql.startsWith("code ") ? QSSQL::isConnectionLostCode(sql.mid(5)) : QSSQL::isReadOnlyStatement(sql),
              "read");
    }

    void readCutOffByTheTimeOutIsNotRepeated()
    {
        if (!TestDb::isMariaDb())
            QSKIP("only a server keeps the client waiting");
        DbConfig cut = Database::config();
        const DbConfig before = cut;
        cut.readTimeoutSec = 1;
        QString error;
        QVERIFY2(Database::open(cut, &error), qPrintable(error));
        const auto reopen = qScopeGuard([&before] { Database::open(before, nullptr); });
        QSSQL q;
        QVERIFY(q.exec(QStringLiteral("select connection_id()")) && q.next());
        const qlonglong connection = q.value(0).toLongLong();
        const quint64 start = Database::statementCount();
        QVERIFY(!q.exec(QStringLiteral("select sleep(20)")));
        QCOMPARE(Database::statementCount() - start, quint64(1));
        QVERIFY2(q.lastError().text().contains(QStringLiteral("neodpověděl včas")), qPrintable(q.lastError().text()));
        // The next statement works on a fresh connection (which ends the abandoned one's wait).
        QVERIFY2(q.exec(QStringLiteral("kill query %1").arg(connection)), qPrintable(q.lastError().text()));
    }

    // The server restarted, then away for some seconds.
    void survivesServerRestartAndOutage()
    {
        if (!TestDb::isMariaDb())
            QSKIP("only a server can go away");
        ZRN_SEED("insert into tellmark_podniky(podnik_nazev) values('Před restartem')");
        QVERIFY(runScript("ZRN_TEST_MYSQL_RESTART"));
        QSSQL q;
        QVERIFY2(q.exec(QStringLiteral("select podnik_nazev from tellmark_podniky")), qPrintable(q.lastError().text()));
        QCOMPARE(column(q), QVariantList{QStringLiteral("Před restartem")});
        // Prepared statements are prepared again on the new connection.
        QVERIFY(q.exec(QStringLiteral("select count(*) from tellmark_podniky where podnik_nazev=?"), {QStringLiteral("Před restartem")}));
        QCOMPARE(column(q), QVariantList{1});
        // A write on a connection that died while idle was never executed: it goes through on the new one, once.
        QVERIFY(runScript("ZRN_TEST_MYSQL_RESTART"));
        QSSQL w;
        QVERIFY2(w.exec(QStringLiteral("insert into tellmark_podniky(podnik_nazev) values(?)"), {QStringLiteral("Po restartu")}),
                 qPrintable(w.lastError().text()));
        QCOMPARE(countNamed(QStringLiteral("Po restartu")), 1);
        // So does a transaction (every page saves in one).
        QVERIFY(runScript("ZRN_TEST_MYSQL_RESTART"));
        QString error;
        const QString sql = QStringLiteral("insert into tellmark_podniky(podnik_nazev) values('V transakci')");
        const auto unit = [&sql](QString *) { return QSSQL().exec(sql); };
        QVERIFY2(Database::runUnit(unit, Database::RetryPolicy::Report, &error), qPrintable(error));
        QCOMPARE(countNamed(QStringLiteral("V transakci")), 1);
        ZRN_SEED("insert into tellmark_podniky(podnik_nazev) values('Výpadek')");
        QVERIFY(runScript("ZRN_TEST_MYSQL_STOP"));
        // While the server is down every statement fails with a message, and reconnecting is tried again each time.
        for (int i = 0; i < 3; ++i) {
            QSSQL q;
            QVERIFY(!q.exec(QStringLiteral("select podnik_nazev from tellmark_podniky")));
            QVERIFY(!q.lastError().text().isEmpty());
            QVERIFY(!q.next());
        }
        QVERIFY(!QSSQL().exec(QStringLiteral("update tellmark_podniky set okres=? where podnik_nazev='Výpadek'"), {QStringLiteral("Tábor")}));
        QVERIFY(runScript("ZRN_TEST_MYSQL_START"));
        // The first statement after the server is back works without reopening anything by hand, a prepared one too.
        QSSQL back;
        QVERIFY(back.prepare(QStringLiteral("select podnik_nazev, okres from tellmark_podniky where podnik_nazev=?")));
        back.addBindValue(QStringLiteral("Výpadek"));
        QVERIFY2(back.exec(), qPrintable(back.lastError().text()));
        QVERIFY(back.next());
        QCOMPARE(back.value(0).toString(), QStringLiteral("Výpadek"));
        QVERIFY(back.value(1).isNull()); // the failed update did not happen later either
        QVERIFY(Database::isOpen());
    }

    void writeKilledWhileRunningIsNotRepeated()
    {
        if (!TestDb::isMariaDb())
            QSKIP("only a server connection can be killed");
        const qlonglong connection = first(QStringLiteral("select connection_id()")).toLongLong();
        // A second session kills the program's connection while its insert runs (sleeping before it stores its row).
        QString killError;
        QScopedPointer<QThread> killer(QThread::create([connection, &killError] {
            QThread::msleep(700);
            {
                QSqlDatabase db = openOther(QStringLiteral("killer"));
                QSqlQuery k(db);
                if (!k.exec(QStringLiteral("KILL %1").arg(connection)))
                    killError = k.lastError().text();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("killer"));
        }));
        killer->start();
        QSSQL w;
        const bool ok = w.exec(QStringLiteral("insert into tellmark_podniky(podnik_nazev, okres) select ?, sleep(3)"),
                               {QStringLiteral("Zabitý zápis")});
        killer->wait();
        QVERIFY2(killError.isEmpty(), qPrintable(killError));
        // Reported as failed, and stored at most once: not repeated on the new connection.
        QVERIFY(!ok);
        QVERIFY(!w.lastError().text().isEmpty());
        QSSQL q;
        QVERIFY2(q.exec(QStringLiteral("select 1")) && q.next(), qPrintable(q.lastError().text()));
        QThread::sleep(3);
        QVERIFY(countNamed(QStringLiteral("Zabitý zápis")) <= 1);
    }

    // A unit of work is all or nothing: a failed statement, a deadlock or a lock wait time-out leaves none of its
    // rows; a conflict is repeated once only when the unit declares it may be.
    void unitIsAllOrNothing_data()
    {
        QTest::addColumn<QString>("trouble");
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("runs");
        QTest::addColumn<bool>("committed");
        QTest::newRow("failed statement") << "failed statement" << true << 1 << false;
        QTest::newRow("deadlock, reported") << "deadlock" << false << 1 << false;
        QTest::newRow("deadlock, repeated") << "deadlock" << true << 2 << true;
        QTest::newRow("lock wait, reported") << "lock wait" << false << 1 << false;
        QTest::newRow("lock wait, repeated once") << "lock wait" << true << 2 << false;
    }
    void unitIsAllOrNothing()
    {
        QFETCH(QString, trouble);
        QFETCH(bool, repeat);
        QFETCH(bool, committed);
        if (trouble != QLatin1String("failed statement") && !TestDb::isMariaDb())
            QSKIP("row locks are a server's");
        for (int id = 1; id <= 40; ++id)
            ZRN_SEED(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev) values(%1,'P')").arg(id));
        // Another session: for the deadlock it holds rows 2.. (the heavier transaction, so the server picks the unit
        // as the victim) and then wants row 1; for the lock wait it holds row 2 until the end.
        QSemaphore locked, go;
        QString otherError;
        QScopedPointer<QThread> other;
        if (trouble == QLatin1String("deadlock")) {
            other.reset(QThread::create([&] {
                {
                    QSqlDatabase db = openOther(QStringLiteral("deadlock"));
                    QSqlQuery q(db);
                    auto run = [&](const QString &sql) {
                        if (!q.exec(sql) && otherError.isEmpty())
                            otherError = q.lastError().text();
                    };
                    run(QStringLiteral("start transaction"));
                    run(QStringLiteral("update tellmark_podniky set okres='jiný' where id>=2"));
                    locked.release();
                    go.acquire();
                    run(QStringLiteral("update tellmark_podniky set okres='jiný' where id=1"));
                    run(QStringLiteral("commit"));
                }
                QSqlDatabase::removeDatabase(QStringLiteral("deadlock"));
            }));
            other->start();
            locked.acquire();
        }
        QSqlDatabase holder;
        if (trouble == QLatin1String("lock wait")) {
            holder = openOther(QStringLiteral("holder"));
            QSqlQuery q(holder);
            QVERIFY(q.exec(QStringLiteral("start transaction")));
            QVERIFY(q.exec(QStringLiteral("update tellmark_podniky set okres='jiný' where id=2")));
            ZRN_SEED("set session innodb_lock_wait_timeout=1");
        }
        int ran = 0;
        QString error;
        // The unit ignores its failures on purpose: the guard must not commit them anyway.
        const bool ok = Database::runUnit(
            [&](QString *) {
                ++ran;
                QSSQL().exec(QStringLiteral("update tellmark_podniky set okres=? where id=1"), {QStringLiteral("jednotka")});
                if (ran == 1 && other)
                    go.release();
                if (trouble == QLatin1String("failed statement"))
                    QSSQL().exec(QStringLiteral("update no_such_table set x=1"));
                QSSQL().exec(QStringLiteral("update tellmark_podniky set okres=? where id=2"), {QStringLiteral("jednotka")});
                return true;
            },
            repeat ? Database::RetryPolicy::RepeatOnce : Database::RetryPolicy::Report, &error);
        if (other)
            other->wait();
        if (holder.isValid()) {
            QSqlQuery(holder).exec(QStringLiteral("rollback"));
            holder = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("holder"));
            ZRN_SEED("set session innodb_lock_wait_timeout=50");
        }
        QVERIFY2(otherError.isEmpty(), qPrintable(otherError));
        QCOMPARE(ok, committed);
        QTEST(ran, "runs");
        QCOMPARE(error.isEmpty(), committed);
        QVERIFY(!Database::inTransaction());
        const QString count = QStringLiteral("select count(*) from tellmark_podniky where okres=?");
        QCOMPARE(TestDb::value(count, {QStringLiteral("jednotka")}).toInt(), committed ? 2 : 0);
        if (trouble == QLatin1String("failed statement")) {
            // The scoped guard refuses the same way and says why; the statements after the failure read nothing.
            DbTransaction tx;
            QSSQL first, bad;
            QVERIFY(first.exec(QStringLiteral("update tellmark_podniky set okres='guard' where id=1")));
            QVERIFY(first.exec(QStringLiteral("select id from tellmark_podniky")));
            QVERIFY(!bad.exec(QStringLiteral("update no_such_table set x=1")));
            QVERIFY(!first.exec(QStringLiteral("select id from tellmark_podniky")));
            QVERIFY(!first.next());
            QVERIFY(!tx.commit());
            QVERIFY(!tx.error().isEmpty());
            QCOMPARE(TestDb::value(count, {QStringLiteral("guard")}).toInt(), 0);
        }
    }
};

ZRN_TEST_GUILESS_MAIN(TestQSSQL)
#include "tst_qssql.moc"
