// Opening the database: configuration from the settings store, the embedded
// file created on first start, and the clear messages for what cannot open.

#include "app/startup.h"
#include "db/database.h"
#include "db/dbconfig.h"
#include "db/qssql.h"
#include "schema/schema.h"
#include "tools/demodata/demodata.h"

#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTcpServer>
#include <QtTest>

#include "support/testmain.h"

class TestDbOpen : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    void configFromSettings()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("zrn.ini"));
        {
            QSettings s(file, QSettings::IniFormat);
            s.setValue(DbKeys::Driver, QStringLiteral("mysql"));
            s.setValue(DbKeys::Host, QStringLiteral("db.firma.cz"));
            s.setValue(DbKeys::Port, 3307);
            s.setValue(DbKeys::Name, QStringLiteral("registr"));
            s.setValue(DbKeys::User, QStringLiteral("zrn"));
            s.setValue(DbKeys::Password, QStringLiteral(" tajné "));
        }
        const DbConfig c = DbConfig::load(file);
        QCOMPARE(c.driver, DbConfig::MySQL);
        QCOMPARE(c.host, QStringLiteral("db.firma.cz"));
        QCOMPARE(c.port, 3307);
        QCOMPARE(c.name, QStringLiteral("registr"));
        QCOMPARE(c.user, QStringLiteral("zrn"));
        QCOMPARE(c.password, QStringLiteral(" tajné ")); // passwords are not trimmed
        QVERIFY(c.describe().contains(QStringLiteral("db.firma.cz:3307")));
    }

    void configDefaultsAndGarbage()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("zrn.ini"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[database]\nport=99999999999\nname=\n");
        }
        const DbConfig c = DbConfig::load(file);
        QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
        QCOMPARE(c.driver, DbConfig::SQLite);
        QCOMPARE(c.port, 3306);
        QCOMPARE(c.name, QStringLiteral("zrn"));
        QVERIFY(c.path.endsWith(QStringLiteral("zrn.sqlite")));
        QVERIFY(c.isDefaultEmbedded());
        QVERIFY(c.qmlSqlitePath().endsWith(QStringLiteral("zrn-qml.sqlite")));
    }

    void driverValues_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("driver"); // -1: refused
        QTest::newRow("empty") << "" << int(DbConfig::SQLite);
        QTest::newRow("sqlite") << "sqlite" << int(DbConfig::SQLite);
        QTest::newRow("mysql") << "mysql" << int(DbConfig::MySQL);
        QTest::newRow("MariaDB") << "MariaDB" << int(DbConfig::MySQL);
        QTest::newRow("typo") << "mysq" << -1;
        QTest::newRow("other product") << "postgres" << -1;
    }

    void driverValues()
    {
        QFETCH(QString, value);
        QFETCH(int, driver);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("zrn.ini"));
        {
            QSettings s(file, QSettings::IniFormat);
            s.setValue(DbKeys::Driver, value);
            s.setValue(DbKeys::Path, dir.filePath(QStringLiteral("x.sqlite")));
        }
        const DbConfig c = DbConfig::load(file);
        if (driver >= 0) {
            QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
            QCOMPARE(int(c.driver), driver);
            return;
        }
        // A typing error is a clear start-up error naming the key and the
        // value; no file is created in its place.
        QVERIFY(c.error.contains(QStringLiteral("database/driver")));
        QVERIFY2(c.error.contains(value), qPrintable(c.error));
        QString err;
        QVERIFY(!Startup::openDatabase(c, &err));
        QCOMPARE(err, c.error);
        QVERIFY(!Database::isOpen());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.sqlite"))));
    }

    void adaptSql_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("plain") << "select 1" << "select 1";
        QTest::newRow("timestamp") << "update t set a=current_timestamp where id=1"
                                   << "update t set a=(datetime('now','localtime')) where id=1";
        QTest::newRow("timestamp parens") << "values(CURRENT_TIMESTAMP ( ))" << "values((datetime('now','localtime')))";
        QTest::newRow("date") << "x<=current_date and" << "x<=(date('now','localtime')) and";
        QTest::newRow("quoted") << "select 'current_date', \"current_timestamp\"" << "select 'current_date', \"current_timestamp\"";
        QTest::newRow("escaped quote") << "select 'it''s current_date' , current_date"
                                       << "select 'it''s current_date' , (date('now','localtime'))";
        QTest::newRow("longer name") << "select current_date_x, my_current_date" << "select current_date_x, my_current_date";
    }

    void adaptSql()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(Database::adaptSql(in), out);
    }

    void defaultEmbeddedFileGetsDemoData()
    {
        // The test's own data home: the default file is created there.
        DbConfig c;
        c.path = DbConfig::defaultSqlitePath();
        QVERIFY(c.isDefaultEmbedded());
        QFile::remove(c.path);
        QFile::remove(c.qmlSqlitePath());
        QString err;
        QVERIFY2(Startup::openDatabase(c, &err), qPrintable(err));
        QVERIFY(Schema::exists());
        QVERIFY(QFile::exists(c.qmlSqlitePath()));
        QSSQL q;
        q.prepare(QStringLiteral("select count(*) from www_users where login=?"));
        q.addBindValue(QString::fromLatin1(DemoData::demoLogin()));
        QVERIFY(q.exec() && q.next());
        QCOMPARE(q.value(0).toInt(), 1);
        QVERIFY(q.exec(QStringLiteral("select count(*) from tellmark_podniky")) && q.next());
        QVERIFY(q.value(0).toInt() > 0);
        QVERIFY(Startup::firstUserNotice().isEmpty());
        Database::close();

        // Opening it again keeps what is there.
        QVERIFY2(Startup::openDatabase(c, &err), qPrintable(err));
        QVERIFY(q.exec(QStringLiteral("select count(*) from www_users")) && q.next());
        QVERIFY(q.value(0).toInt() >= 1);
    }

    void configuredFileGetsSchemaOnly()
    {
        QTemporaryDir dir;
        DbConfig c;
        c.path = dir.filePath(QStringLiteral("nova/zrn.sqlite"));
        QVERIFY(!c.isDefaultEmbedded());
        QString err;
        QVERIFY2(Startup::openDatabase(c, &err), qPrintable(err));
        QVERIFY(Schema::exists());
        QSSQL q;
        for (const char *table : {"www_users", "tellmark_podniky", "tellmark_udalosti"}) {
            QVERIFY(q.exec(QStringLiteral("select count(*) from ") + QLatin1String(table)) && q.next());
            QCOMPARE(q.value(0).toInt(), 0);
        }
        // The login tells how to add the first user.
        const QString notice = Startup::firstUserNotice();
        QVERIFY2(notice.contains(QStringLiteral("zrnctl user add")), qPrintable(notice));
        QVERIFY(notice.contains(QStringLiteral("nova")));
    }

    void fileThatIsNotADatabase()
    {
        QTemporaryDir dir;
        DbConfig c;
        c.path = dir.filePath(QStringLiteral("zrn.sqlite"));
        QFile f(c.path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        QString err;
        QVERIFY(!Database::open(c, &err));
        QVERIFY2(err.contains(QStringLiteral("zrn.sqlite")), qPrintable(err));
        QVERIFY(!Database::isOpen());
        QCOMPARE(QFile(c.path).size(), qint64(4096)); // left as it was
    }

    void readOnlyFile()
    {
        QTemporaryDir dir;
        DbConfig c;
        c.path = dir.filePath(QStringLiteral("zrn.sqlite"));
        QString err;
        QVERIFY2(Database::open(c, &err, Database::CreateEmpty), qPrintable(err));
        Database::close();
        QVERIFY(QFile::setPermissions(c.path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        QVERIFY(!Database::open(c, &err));
        QVERIFY2(err.contains(QStringLiteral("jen pro čtení")), qPrintable(err));
    }

    void missingFileWhenItMustExist()
    {
        QTemporaryDir dir;
        DbConfig c;
        c.path = dir.filePath(QStringLiteral("neni.sqlite"));
        QString err;
        QVERIFY(!Database::open(c, &err, Database::MustExist));
        QVERIFY(err.contains(QStringLiteral("neni.sqlite")));
        QVERIFY(!QFile::exists(c.path));
    }

    void serverThatIsDown()
    {
        // A port nobody listens on: take a free one and close it again.
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost));
        const quint16 port = probe.serverPort();
        probe.close();

        DbConfig c;
        c.driver = DbConfig::MySQL;
        c.host = QStringLiteral("127.0.0.1");
        c.port = port;
        c.user = QStringLiteral("zrn");
        c.connectTimeoutSec = 3;
        QString err;
        QVERIFY(!Database::open(c, &err));
        QVERIFY2(err.contains(QStringLiteral("127.0.0.1:%1").arg(port)), qPrintable(err));
        QVERIFY(!Database::isOpen());

        QSSQL q;
        QVERIFY(!q.exec(QStringLiteral("select 1")));
        QVERIFY(!q.next());
        QVERIFY(!q.lastError().text().isEmpty());
    }

    void serverThatNeverAnswers()
    {
        // Accepts the connection but never speaks: the connect timeout ends it.
        QTcpServer silent;
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        DbConfig c;
        c.driver = DbConfig::MySQL;
        c.host = QStringLiteral("127.0.0.1");
        c.port = silent.serverPort();
        c.connectTimeoutSec = 2;
        QString err;
        QVERIFY(!Database::open(c, &err));
        QVERIFY2(err.contains(QStringLiteral("127.0.0.1")), qPrintable(err));
    }
};

ZRN_TEST_GUILESS_MAIN(TestDbOpen)
#include "tst_dbopen.moc"
