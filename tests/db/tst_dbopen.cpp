#include "app/startup.h"
#include "db/database.h"
#include "db/dbconfig.h"
#include "db/qssql.h"
#include "schema/schema.h"
#include "support/testdb.h"

#include <QFile>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "support/testmain.h"

class TestDbOpen : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { Database::close(); }

    // What the settings file says, as messages describe the connection, and how long a statement may take.
    void settingsFile_data()
    {
        QTest::addColumn<QVariantMap>("settings"); // under "database/"
        QTest::addColumn<QString>("described");    // "describe|user|password|read time-out"; empty: refused
        QTest::newRow("server") << QVariantMap{{"driver", "mysql"}, {"host", "db.firma.cz"}, {"port", 3307}, {"name", "registr"},
                                               {"user", "zrn"}, {"password", " tajné "}, {"read_timeout", 7}}
                                << "MySQL db.firma.cz:3307/registr|zrn| tajné |7"; // passwords are not trimmed
        QTest::newRow("MariaDB, garbage port, empty name") << QVariantMap{{"driver", "MariaDB"}, {"host", "h"}, {"port", "99999999999"}, {"name", ""}}
                                                           << "MySQL h:3306/zrn|";
        QTest::newRow("nothing set: the embedded file") << QVariantMap() << "zrn.sqlite|";
        QTest::newRow("empty driver") << QVariantMap{{"driver", ""}} << "zrn.sqlite|";
        QTest::newRow("sqlite") << QVariantMap{{"driver", "sqlite"}, {"path", "x.sqlite"}} << "x.sqlite|";
        QTest::newRow("typo") << QVariantMap{{"driver", "mysq"}, {"path", "x.sqlite"}} << "";
        QTest::newRow("other product") << QVariantMap{{"driver", "postgres"}, {"path", "x.sqlite"}} << "";
    }
    void settingsFile()
    {
        QFETCH(QVariantMap, settings);
        QFETCH(QString, described);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("zrn.ini"));
        {
            QSettings s(file, QSettings::IniFormat);
            for (auto it = settings.cbegin(); it != settings.cend(); ++it)
                s.setValue(QStringLiteral("database/") + it.key(), it.key() == QLatin1String("path") ? dir.filePath(it.value().toString()) : it.value());
        }
        const DbConfig c = DbConfig::load(file);
        if (!described.isEmpty()) {
            QVERIFY2(c.error.isEmpty(), qPrintable(c.error));
            const QString shown = QStringList{c.describe(), c.user, c.password, QString::number(c.readTimeoutSec)}.join(QLatin1Char('|'));
            QVERIFY2(shown.contains(described), qPrintable(shown));
            if (described.startsWith(QLatin1String("zrn.sqlite"))) // the embedded default, beside its control-panel file
                QVERIFY(c.isDefaultEmbedded() && c.qmlSqlitePath().endsWith(QStringLiteral("zrn-qml.sqlite")));
            return;
        }
        // A typing error is a clear start-up error naming the key and the value; no file is created in its place.
        QVERIFY(c.error.contains(QStringLiteral("database/driver")));
        QVERIFY2(c.error.contains(settings.value(QStringLiteral("driver")).toString()), qPrintable(c.error));
        QString err;
        QVERIFY(!Startup::openDatabase(c, &err));
        QCOMPARE(err, c.error);
        QVERIFY(!Database::isOpen());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("x.sqlite"))));
    }

    // A new embedded file: the default one gets the demo data, a configured one the schema only (and the login
    // then tells how to add the first user).
    void newFile_data()
    {
        QTest::addColumn<bool>("byDefault");
        QTest::newRow("default file") << true;
        QTest::newRow("configured file") << false;
    }
    void newFile()
    {
        QFETCH(bool, byDefault);
        QTemporaryDir dir;
        DbConfig c;
        // The default file lives in the test's own data home.
        c.path = byDefault ? DbConfig::defaultSqlitePath() : dir.filePath(QStringLiteral("nova/zrn.sqlite"));
        QFile::remove(c.path);
        QFile::remove(c.qmlSqlitePath());
        QString err;
        QVERIFY2(Startup::openDatabase(c, &err), qPrintable(err));
        QVERIFY(Schema::exists());
        for (const char *table : {"www_users", "tellmark_podniky", "tellmark_udalosti"})
            QCOMPARE(TestDb::value(QString("select count(*) from ") + table).toInt() > 0, byDefault);
        const QString notice = Startup::firstUserNotice();
        if (byDefault) {
            QVERIFY(QFile::exists(c.qmlSqlitePath()));
            QVERIFY(notice.isEmpty());
        } else {
            QVERIFY2(notice.contains(QStringLiteral("zrnctl user add")), qPrintable(notice));
            QVERIFY(notice.contains(QStringLiteral("nova")));
        }
        Database::close();
        // Opening it again keeps what is there.
        QVERIFY2(Startup::openDatabase(c, &err), qPrintable(err));
        QCOMPARE(TestDb::value(QStringLiteral("select count(*) from tellmark_podniky")).toInt() > 0, byDefault);
    }

    // A file that cannot be opened is left as it was, with a message.
    void fileThatCannotOpen_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a database") << "zrn.sqlite" << "zrn.sqlite";
        QTest::newRow("read only") << "ro.sqlite" << "jen pro čtení";
        QTest::newRow("missing, must exist") << "neni.sqlite" << "neni.sqlite";
    }
    void fileThatCannotOpen()
    {
        QFETCH(QString, file);
        QFETCH(QString, message);
        QTemporaryDir dir;
        DbConfig c;
        c.path = dir.filePath(file);
        QString err;
        if (file == QLatin1String("zrn.sqlite")) {
            QFile f(c.path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, 'x'));
        } else if (file == QLatin1String("ro.sqlite")) {
            QVERIFY2(Database::open(c, &err, Database::CreateEmpty), qPrintable(err));
            Database::close();
            QVERIFY(QFile::setPermissions(c.path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        }
        const qint64 size = QFileInfo(c.path).size();
        QVERIFY(!Database::open(c, &err, file == QLatin1String("neni.sqlite") ? Database::MustExist : Database::CreateEmpty));
        QVERIFY2(err.contains(message), qPrintable(err));
        QVERIFY(!Database::isOpen());
        QCOMPARE(QFileInfo(c.path).size(), size);
        QCOMPARE(QFile::exists(c.path), file != QLatin1String("neni.sqlite"));
    }

    void serverThatCannotBeReached_data()
    {
        QTest::addColumn<bool>("listening"); // accepts the connection but never speaks
        QTest::newRow("nobody listens") << false;
        QTest::newRow("never answers") << true;
    }
    void serverThatCannotBeReached()
    {
        QFETCH(bool, listening);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const quint16 port = server.serverPort();
        if (!listening)
            server.close();
        DbConfig c;
        c.driver = DbConfig::MySQL;
        c.host = QStringLiteral("127.0.0.1");
        c.port = port;
        c.connectTimeoutSec = 2;
        QString err;
        QVERIFY(!Database::open(c, &err));
        QVERIFY2(err.contains(QStringLiteral("127.0.0.1:%1").arg(port)), qPrintable(err));
        QVERIFY(!Database::isOpen());
        QSSQL q;
        QVERIFY(!q.exec(QStringLiteral("select 1")));
        QVERIFY(!q.next());
        QVERIFY(!q.lastError().text().isEmpty());
    }
};

ZRN_TEST_GUILESS_MAIN(TestDbOpen)
#include "tst_dbopen.moc"
