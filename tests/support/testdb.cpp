#include "testdb.h"

#include "db/database.h"
#include "schema/schema.h"
#include "support/testmain.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {
QString env(const char *name, const QString &def = QString())
{
    const QString v = qEnvironmentVariable(name);
    return v.isEmpty() ? def : v;
}

bool serverConfigured()
{
    return !qEnvironmentVariableIsEmpty("ZRN_TEST_MYSQL_PORT") || !qEnvironmentVariableIsEmpty("ZRN_TEST_MYSQL_SOCKET");
}
}

bool TestDb::isMariaDb()
{
    return env("ZRN_TEST_BACKEND", QStringLiteral("sqlite")) == QLatin1String("mariadb");
}

QString TestDb::mariaDbMissing()
{
    if (!isMariaDb() || serverConfigured() || !qEnvironmentVariableIsEmpty("ZRN_TEST_REQUIRE_MARIADB"))
        return QString();
    return QStringLiteral("no test MariaDB configured (ZRN_TEST_MYSQL_PORT or _SOCKET): "
                          "scripts/run-tests.sh starts one; \"ctest -L sqlite\" runs the SQLite suites only");
}

bool TestDb::exec(const QString &sql, QString *error)
{
    QSqlQuery q(Database::connection());
    if (q.exec(Database::isSqlite() ? Database::adaptSql(sql) : sql))
        return true;
    if (error)
        *error = q.lastError().text() + QStringLiteral(" in: ") + sql;
    return false;
}

bool TestDb::seed(const QStringList &statements, QString *error)
{
    for (const QString &sql : statements)
        if (!exec(sql, error))
            return false;
    return true;
}

QVariant TestDb::value(const QString &sql, const QVariantList &binds)
{
    QSqlQuery q(Database::connection());
    if (!q.prepare(Database::isSqlite() ? Database::adaptSql(sql) : sql))
        return QStringLiteral("<error: %1>").arg(q.lastError().text());
    for (const QVariant &v : binds)
        q.addBindValue(v);
    if (!q.exec())
        return QStringLiteral("<error: %1>").arg(q.lastError().text());
    return q.next() ? q.value(0) : QVariant();
}

bool TestDb::seedSmallRegister(QString *error)
{
    return seed({QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,obr,gps) values(1,'Alfa','TA','49.1,16.1'),"
                                "(2,'Beta','ST,TA','49.2,16.2'),(3,'Gama','ST','49.3,16.3'),(4,'Delta','TA','49.4,16.4')"),
                 QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo) values"
                                "(11,1,'a1',100),(12,1,'a2',200),(21,2,'b1',0),(22,2,'b2',300),(31,3,'g1',400)"),
                 QStringLiteral("insert into tellmark_strediska_acls(id_strediska,id_www_user) values"
                                "(12,6),(21,6),(11,7),(21,7),(31,7)"),
                 QStringLiteral("insert into tellmark_udalosti(id,id_parent,id_podnik,id_strediska,smazano,stav) values"
                                "(101,null,1,null,0,1),(102,null,null,11,0,1),(103,null,null,12,0,1),(104,null,2,null,0,1),"
                                "(105,null,null,21,0,1),(106,null,null,31,0,1),(107,null,3,null,0,1),(108,null,4,null,0,1),"
                                "(109,102,null,null,0,1),(110,103,null,null,0,1)")},
                error);
}

bool TestDb::open(QString *error)
{
    DbConfig cfg;
    if (isMariaDb()) {
        if (!serverConfigured()) {
            if (error)
                *error = QStringLiteral("no test MariaDB: run the suites through scripts/run-tests.sh");
            return false;
        }
        cfg.driver = DbConfig::MySQL;
        cfg.host = env("ZRN_TEST_MYSQL_HOST", QStringLiteral("127.0.0.1"));
        cfg.port = env("ZRN_TEST_MYSQL_PORT", QStringLiteral("3306")).toInt();
        cfg.socket = env("ZRN_TEST_MYSQL_SOCKET");
        cfg.user = env("ZRN_TEST_MYSQL_USER", QStringLiteral("zrn"));
        cfg.password = env("ZRN_TEST_MYSQL_PASSWORD", QStringLiteral("zrn"));
        cfg.name = env("ZRN_TEST_MYSQL_DATABASE", QStringLiteral("zrn_test"));
    } else {
        cfg.driver = DbConfig::SQLite;
        cfg.path = TestMain::home() + QStringLiteral("/zrn-test.sqlite"); // the process's own folder
    }
    // Every suite starts from the current DDL.
    return Database::open(cfg, error, isMariaDb() ? Database::MustExist : Database::CreateEmpty)
        && Schema::dropAll(error) && Schema::create(error);
}

bool TestDb::clear(QString *error)
{
    const bool sqlite = Database::isSqlite();
    if (!sqlite && !exec(QStringLiteral("SET FOREIGN_KEY_CHECKS=0"), error))
        return false;
    for (const QString &t : Schema::tables() + Schema::extraTables()) {
        const QString sql = sqlite ? QStringLiteral("delete from %1").arg(t) : QStringLiteral("truncate table %1").arg(t);
        if (!exec(sql, error))
            return false;
    }
    if (!sqlite)
        return exec(QStringLiteral("SET FOREIGN_KEY_CHECKS=1"), error);
    exec(QStringLiteral("delete from sqlite_sequence")); // ids start at 1 again, where there are any
    exec(QStringLiteral("delete from qml.sqlite_sequence"));
    return true;
}

void TestDb::close()
{
    Database::close();
}
