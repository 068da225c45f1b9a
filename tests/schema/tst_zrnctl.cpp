// zrnctl as an administrator runs it: against a settings file naming an
// SQLite database, with the password on standard input.

#include "db/database.h"
#include "db/dbconfig.h"
#include "db/qssql.h"
#include "db/users.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestZrnctl : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void wrongUse_data();
    void wrongUse();
    void initIsRepeatable();
    void userAddAndPasswd();
    void userAddOnMissingDatabase();
    void seedFillsDemoData();

private:
    struct Result {
        int code = -1;
        QString out;
        QString err;
    };
    Result zrnctl(const QStringList &args, const QByteArray &input = QByteArray()) const;
    QString writeConfig(const QString &name, const QString &dbPath) const;
    bool openDb(QString *error);

    QTemporaryDir m_dir;
    QString m_config;
    QString m_dbPath;
};

TestZrnctl::Result TestZrnctl::zrnctl(const QStringList &args, const QByteArray &input) const
{
    QProcess p;
    p.start(QStringLiteral(ZRNCTL_PATH), args);
    Result r;
    if (!p.waitForStarted(30000))
        return r;
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString TestZrnctl::writeConfig(const QString &name, const QString &dbPath) const
{
    const QString path = m_dir.filePath(name);
    QSettings s(path, QSettings::IniFormat);
    s.setValue(DbKeys::Driver, QStringLiteral("sqlite"));
    s.setValue(DbKeys::Path, dbPath);
    s.sync();
    return path;
}

bool TestZrnctl::openDb(QString *error)
{
    return Database::open(DbConfig::load(m_config), error, Database::MustExist);
}

void TestZrnctl::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(QFileInfo(QStringLiteral(ZRNCTL_PATH)).isExecutable(), ZRNCTL_PATH);
    m_dbPath = m_dir.filePath(QStringLiteral("zrn.sqlite"));
    m_config = writeConfig(QStringLiteral("zrn.ini"), m_dbPath);
}

void TestZrnctl::cleanup()
{
    // zrnctl works on the file while the test does not hold it open.
    Database::close();
}

void TestZrnctl::wrongUse_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("message");
    QTest::newRow("no command") << QStringList() << QByteArray() << "no command";
    QTest::newRow("unknown command") << QStringList{"drop"} << QByteArray() << "unknown command";
    QTest::newRow("user without login") << QStringList{"user", "add"} << QByteArray() << "user add LOGIN";
    QTest::newRow("user, unknown action") << QStringList{"user", "del", "novak"} << QByteArray() << "user add LOGIN";
    QTest::newRow("right not a number") << QStringList{"user", "add", "novak", "--admin", "ano"} << QByteArray("x\n")
                                        << "--admin";
    QTest::newRow("negative right") << QStringList{"user", "add", "novak", "--vp", "-1"} << QByteArray("x\n") << "--vp";
    QTest::newRow("option of another command") << QStringList{"user", "add", "novak", "--events", "5"}
                                                << QByteArray("x\n") << "--events";
    QTest::newRow("seed count not a number") << QStringList{"seed", "--enterprises", "many"} << QByteArray() << "--enterprises";
    QTest::newRow("empty password") << QStringList{"user", "add", "novak"} << QByteArray("\n") << "empty password";
    QTest::newRow("no password at all") << QStringList{"user", "passwd", "novak"} << QByteArray() << "no password";
}

void TestZrnctl::wrongUse()
{
    QFETCH(QStringList, args);
    QFETCH(QByteArray, input);
    QFETCH(QString, message);
    const Result r = zrnctl(QStringList{"--config", m_config} + args, input);
    QCOMPARE(r.code, 1);
    QVERIFY2(r.err.contains(message), qPrintable(r.err));
}

void TestZrnctl::initIsRepeatable()
{
    Result r = zrnctl({"--config", m_config, "init"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY(QFileInfo::exists(m_dbPath));

    QString error;
    QVERIFY2(openDb(&error), qPrintable(error));
    {
        QSSQL q;
        QVERIFY(q.exec(QStringLiteral("insert into tellmark_podniky(podnik_nazev) values('Zůstane')")));
    }
    Database::close();

    r = zrnctl({"--config", m_config, "init"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(openDb(&error), qPrintable(error));
    QSSQL q;
    QVERIFY(q.exec(QStringLiteral("select podnik_nazev from tellmark_podniky")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QStringLiteral("Zůstane"));
}

void TestZrnctl::userAddAndPasswd()
{
    Result r = zrnctl({"--config", m_config, "init"});
    QVERIFY2(r.code == 0, qPrintable(r.err));

    r = zrnctl({"--config", m_config, "user", "add", "novak", "--admin", "1", "--vp", "2", "--udalosti", "2",
                "--tech-read", "1", "--region", "LI"},
               "První heslo\n");
    QVERIFY2(r.code == 0, qPrintable(r.err));

    // Same login again: refused by the database side, nothing changed.
    r = zrnctl({"--config", m_config, "user", "add", "novak"}, "jine\n");
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral("novak")), qPrintable(r.err));

    QString error;
    QVERIFY2(openDb(&error), qPrintable(error));
    {
        QSSQL q;
        q.prepare(QStringLiteral("select password,admin,vp,udalosti,stredisko_tech_cteni,region,minimal,os "
                                 "from www_users where login=?"));
        q.addBindValue(QStringLiteral("novak"));
        QVERIFY(q.exec());
        QVERIFY(q.next());
        const QString hash = q.value(0).toString();
        QVERIFY2(hash.startsWith(QLatin1String("$2y$10$")), qPrintable(hash));
        QVERIFY(Users::checkPassword(QStringLiteral("První heslo"), hash));
        QCOMPARE(q.value(1).toInt(), 1);
        QCOMPARE(q.value(2).toInt(), 2);
        QCOMPARE(q.value(3).toInt(), 2);
        QCOMPARE(q.value(4).toInt(), 1);
        QCOMPARE(q.value(5).toString(), QStringLiteral("LI"));
        QVERIFY(q.value(6).isNull());
        QCOMPARE(q.value(7).toInt(), 0);
        QVERIFY(!q.next());
    }
    Database::close();

    // Windows line end on the password line is not part of the password.
    r = zrnctl({"--config", m_config, "user", "passwd", "novak"}, "Druhé\r\n");
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QVERIFY2(openDb(&error), qPrintable(error));
    {
        QSSQL q;
        q.prepare(QStringLiteral("select password from www_users where login=?"));
        q.addBindValue(QStringLiteral("novak"));
        QVERIFY(q.exec() && q.next());
        const QString hash = q.value(0).toString();
        QVERIFY(Users::checkPassword(QStringLiteral("Druhé"), hash));
        QVERIFY(!Users::checkPassword(QStringLiteral("První heslo"), hash));
    }
    Database::close();

    r = zrnctl({"--config", m_config, "user", "passwd", "nikdo"}, "x\n");
    QCOMPARE(r.code, 2);
    QVERIFY2(r.err.contains(QStringLiteral("nikdo")), qPrintable(r.err));
}

void TestZrnctl::userAddOnMissingDatabase()
{
    const QString missing = m_dir.filePath(QStringLiteral("missing.sqlite"));
    const QString config = writeConfig(QStringLiteral("missing.ini"), missing);
    const Result r = zrnctl({"--config", config, "user", "add", "novak"}, "x\n");
    QCOMPARE(r.code, 2);
    QVERIFY(!r.err.isEmpty());
    QVERIFY2(!QFileInfo::exists(missing), "a user command must not create a database");
}

void TestZrnctl::seedFillsDemoData()
{
    const QString path = m_dir.filePath(QStringLiteral("demo.sqlite"));
    const QString config = writeConfig(QStringLiteral("demo.ini"), path);
    const Result r = zrnctl({"--config", config, "seed", "--seed", "7", "--enterprises", "3", "--events", "5",
                             "--attachments", "1"});
    QVERIFY2(r.code == 0, qPrintable(r.err));
    QString error;
    QVERIFY2(Database::open(DbConfig::load(config), &error, Database::MustExist), qPrintable(error));
    QSSQL q;
    QVERIFY(q.exec(QStringLiteral("select count(*) from tellmark_podniky")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), 3);
}

QTEST_GUILESS_MAIN(TestZrnctl)
#include "tst_zrnctl.moc"
