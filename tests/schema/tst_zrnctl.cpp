#include "db/database.h"
#include "db/dbconfig.h"
#include "db/qssql.h"
#include "db/users.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/testmain.h"

namespace {

// Runs zrnctl with the settings file `config`; *err gets its standard error.
int zrnctl(const QString &config, const QStringList &args, const QByteArray &input = {}, QString *err = nullptr)
{
    QProcess p;
    p.start(QStringLiteral(ZRNCTL_PATH), QStringList{"--config", config} + args);
    if (!p.waitForStarted(30000))
        return -1;
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (err)
        *err = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

// The first `columns` values of the first row of sql in the database of config, opened only for this query.
QVariantList query(const QString &config, const QString &sql, const QVariantList &binds = {}, int columns = 1)
{
    QVariantList out;
    QString error;
    if (Database::open(DbConfig::load(config), &error, Database::MustExist)) {
        QSSQL q;
        if (q.exec(sql, binds) && q.next())
            for (int i = 0; i < columns; ++i)
                out << q.value(i);
    } else {
        qWarning() << error;
    }
    Database::close();
    return out;
}

} // namespace

class TestZrnctl : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_config;

    // A settings file naming the SQLite database <name>.sqlite.
    QString writeConfig(const QString &name) const
    {
        const QString path = m_dir.filePath(name + QStringLiteral(".ini"));
        QSettings s(path, QSettings::IniFormat);
        s.setValue(DbKeys::Driver, QStringLiteral("sqlite"));
        s.setValue(DbKeys::Path, m_dir.filePath(name + QStringLiteral(".sqlite")));
        return path;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY2(QFileInfo(QStringLiteral(ZRNCTL_PATH)).isExecutable(), ZRNCTL_PATH);
        m_config = writeConfig(QStringLiteral("zrn"));
    }

    void wrongUse_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown command") << QStringList{"drop"} << QByteArray() << "unknown command";
        QTest::newRow("right not a number") << QStringList{"user", "add", "novak", "--admin", "ano"} << QByteArray("x\n") << "--admin";
        QTest::newRow("option of another command") << QStringList{"user", "add", "novak", "--events", "5"} << QByteArray("x\n") << "--events";
        QTest::newRow("empty password") << QStringList{"user", "add", "novak"} << QByteArray("\n") << "empty password";
        QTest::newRow("register too large") << QStringList{"seed", "--enterprises", "1000001"} << QByteArray() << "--enterprises can be at most";
    }
    void wrongUse()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(QString, message);
        QString err;
        QCOMPARE(zrnctl(m_config, args, input, &err), 1);
        QVERIFY2(err.contains(message), qPrintable(err));
    }

    void initAndUsers()
    {
        QString err;
        QVERIFY2(zrnctl(m_config, {"init"}, {}, &err) == 0, qPrintable(err));
        query(m_config, QStringLiteral("insert into tellmark_podniky(podnik_nazev) values(?)"), {QStringLiteral("Zůstane")});
        QVERIFY2(zrnctl(m_config, {"init"}, {}, &err) == 0, qPrintable(err));
        QCOMPARE(query(m_config, QStringLiteral("select podnik_nazev from tellmark_podniky")), QVariantList{QStringLiteral("Zůstane")});
        QVERIFY2(zrnctl(m_config, {"user", "add", "novak", "--admin", "1", "--vp", "2", "--tech-read", "1", "--region", "LI"},
                        "První heslo\n", &err) == 0, qPrintable(err));
        QVERIFY2(zrnctl(m_config, {"user", "add", "jiny"}, "jeho\n", &err) == 0, qPrintable(err));
        // Same login again: refused by the database side, nothing changed.
        QCOMPARE(zrnctl(m_config, {"user", "add", "novak"}, "jine\n", &err), 2);
        QVERIFY2(err.contains(QStringLiteral("novak")), qPrintable(err));
        const QString select = QStringLiteral("select password,admin,vp,stredisko_tech_cteni,region,os,minimal from www_users where login=?");
        const QVariantList row = query(m_config, select, {QStringLiteral("novak")}, 7);
        QCOMPARE(row.size(), 7);
        QVERIFY2(row.at(0).toString().startsWith(QLatin1String("$2y$10$")), qPrintable(row.at(0).toString()));
        QVERIFY(Users::checkPassword(QStringLiteral("První heslo"), row.at(0).toString()));
        QCOMPARE(row.mid(1, 5), (QVariantList{1, 2, 1, QStringLiteral("LI"), 0}));
        // Levels not given store 0; an unchecked on/off right is NULL.
        QVERIFY(!row.at(5).isNull() && row.at(6).isNull());
        // Windows line end on the password line is not part of the password.
        QVERIFY2(zrnctl(m_config, {"user", "passwd", "novak"}, "Druhé\r\n", &err) == 0, qPrintable(err));
        const QString hash = query(m_config, select, {QStringLiteral("novak")}).value(0).toString();
        QVERIFY(Users::checkPassword(QStringLiteral("Druhé"), hash));
        QVERIFY(!Users::checkPassword(QStringLiteral("První heslo"), hash));
        // Only that user's row changed.
        QVERIFY(Users::checkPassword(QStringLiteral("jeho"), query(m_config, select, {QStringLiteral("jiny")}).value(0).toString()));
        QCOMPARE(zrnctl(m_config, {"user", "passwd", "nikdo"}, "x\n", &err), 2);
        QVERIFY2(err.contains(QStringLiteral("nikdo")), qPrintable(err));
        // A user command on a database that is not there does not make one.
        QCOMPARE(zrnctl(writeConfig(QStringLiteral("missing")), {"user", "add", "novak"}, "x\n", &err), 2);
        QVERIFY(!err.isEmpty());
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("missing.sqlite"))));
    }

    void seedFillsDemoData()
    {
        const QString config = writeConfig(QStringLiteral("demo"));
        QString err;
        QVERIFY2(zrnctl(config, {"seed", "--seed", "7", "--enterprises", "3", "--events", "5", "--attachments", "1"}, {}, &err) == 0,
                 qPrintable(err));
        QCOMPARE(query(config, QStringLiteral("select count(*),(select count(*) from tellmark_udalosti) from tellmark_podniky"), {}, 2),
                 (QVariantList{3, 5}));
    }
};

ZRN_TEST_GUILESS_MAIN(TestZrnctl)
#include "tst_zrnctl.moc"
