// The viewers of "Vzdálený přístup": a stand-in's command line, the audit row before it, failures, the generated id.

#include "support/httpstub.h"
#include "support/testdb.h"

#include "admin/remoteaccesspage.h"
#include "core/dialogtextedit.h"
#include "core/session.h"
#include "db/qssql.h"
#include "db/servicekeys.h"
#include "platform/launcher.h"

#include <QLineEdit>
#include <QTextEdit>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const int kCentre = 70;
const QString kRepeater = QStringLiteral("rep.example.cz");

QSettings store()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"));
}

// A stand-in viewer: writes its arguments, one a line, to <path>.args.
bool writeStandIn(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write("#!/bin/sh\n"
            "for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.part\"\n"
            "/bin/mv \"$0.part\" \"$0.args\"\n");
    f.close();
    return f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// What the stand-in at `path` was started with; null when it never ran.
QStringList argumentsOf(const QString &path)
{
    QFile f(path + QStringLiteral(".args"));
    (void)QTest::qWaitFor([&] { return f.exists(); }, 10000);
    if (!f.open(QIODevice::ReadOnly))
        return QStringList();
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    lines.removeLast();   // after the last line break
    return lines;
}

// The audit rows as "user operace vnc_id".
QStringList auditRows()
{
    QSSQL q;
    QStringList rows;
    if (!q.exec("select uzivatel,operace,vnc_id from logovani order by id"))
        return {"<" + q.lastError().text() + ">"};
    while (q.next())
        rows << QStringLiteral("%1 %2 %3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
    return rows;
}

} // namespace

class TestRemoteLaunch : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        QVERIFY(m_dir.isValid() && QDir(m_dir.path()).mkdir("empty"));
        QVERIFY(writeStandIn(m_dir.filePath("vncviewer")) && writeStandIn(m_dir.filePath("teamviewer")));
        m_path = QFile::encodeName(m_dir.path());
        HttpStub::trustTestCertificate();
    }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        // Every field holds a decoy (its own name), so a button reading another row shows.
        QStringList cols;
        for (const char *row : {"uvnc1", "uvnc2", "uvnc3", "uvnc4", "uvnc5", "uvnc6", "tv1", "tv2"})
            for (const char *part : {"_host", "_id", "_password"})
                cols << QString(row) + part;
        ZRN_SEED(QStringLiteral("insert into tellmark_strediska(id,akce_nazev,%1) values(%2,'Farma','%3')")
                     .arg(cols.join(','), QString::number(kCentre), cols.join("','")));
        m_session.user = UserRights();
        m_session.user.login = QStringLiteral("technik");
        m_session.user.vp = 2;
        m_session.setSelection(QVariant(), kCentre);
        store().setValue(ServiceKeys::VncRepeater, kRepeater);
        store().remove(ServiceKeys::VncRepeater2);
        QFile::remove(m_dir.filePath("vncviewer.args"));
        QFile::remove(m_dir.filePath("teamviewer.args"));
        qputenv("PATH", m_path);
        m_program.clear();
        m_auditAtStart.clear();
        m_starts = 0;
    }

    void launch_data()
    {
        QTest::addColumn<QString>("row");     // "1".."6" VNC, "tv1", "tv2" TeamViewer
        QTest::addColumn<QString>("speed");   // radio button clicked, "" keeps the default
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("quick");   // of the VNC command line; "" TeamViewer
        QTest::addColumn<QStringList>("audit");
        QTest::addColumn<QString>("message"); // the box instead of a launch
        const auto audit = [](int vncId) { return QStringList{QStringLiteral("technik 1 %1").arg(vncId)}; };
        const QString dir = QCoreApplication::applicationDirPath();
        QTest::newRow("row 1, Lan") << "1" << "r1" << "1234" << "tajne" << "2" << audit(1234) << "";
        QTest::newRow("row 2, default Medium") << "2" << "" << "5678" << "pa ss" << "3" << audit(5678) << "";
        QTest::newRow("row 3, Modem") << "3" << "r3" << "42" << "x" << "4" << audit(42) << "";
        QTest::newRow("row 4, Medium again, id not a number") << "4" << "r2" << "12a4" << "p" << "3" << audit(0) << "";
        QTest::newRow("row 5, shell and quotes stay one argument")
            << "5" << "r1" << "7 7; ls" << "a'b\"c $(touch x) `id` \\ ž *" << "2" << audit(0) << "";
        QTest::newRow("row 6, empty id and password") << "6" << "r3" << "" << "" << "4" << audit(0) << "";
        QTest::newRow("row 1, number with blanks") << "1" << "" << " 99 " << "p" << "3" << audit(99) << "";
        // Only VNC launches are audited.
        QTest::newRow("TV 1") << "tv1" << "" << "123 456 789" << "heslo" << "" << QStringList() << "";
        QTest::newRow("TV 2, quotes and backslash") << "tv2" << "" << "987654321" << "a'b \\ \"c\" ž" << "" << QStringList() << "";
        QTest::newRow("TV 1, empty") << "tv1" << "" << "" << "" << "" << QStringList() << "";
        QTest::newRow("no repeater configured") << "1" << "" << "1" << "p" << "3" << QStringList() << "services/vnc_repeater";
        QTest::newRow("audit row refused") << "1" << "" << "1" << "p" << "3" << QStringList() << "zaznamenat";
        // A viewer neither beside the program nor on the PATH: the attempt is on record all the same.
        QTest::newRow("VNC viewer nowhere") << "2" << "" << "5" << "p" << "3" << audit(5) << dir + "/vncviewer";
        QTest::newRow("TeamViewer nowhere") << "tv2" << "" << "5" << "p" << "" << QStringList() << dir + "/tv/teamviewer";
    }
    void launch()
    {
        QFETCH(QString, row);
        QFETCH(QString, speed);
        QFETCH(QString, id);
        QFETCH(QString, password);
        QFETCH(QString, quick);
        QFETCH(QStringList, audit);
        QFETCH(QString, message);
        const QString field = row.startsWith("tv") ? row : "vnc" + row;
        if (message == "services/vnc_repeater")
            store().remove(ServiceKeys::VncRepeater);
        if (message == "zaznamenat")
            QVERIFY(TestDb::exec("alter table logovani rename to logovani_pryc"));
        if (message.endsWith("viewer"))
            qputenv("PATH", QFile::encodeName(m_dir.filePath("empty")));
        RemoteAccessPage page(&m_session);
        recordStarts(page);
        page.load(kCentre);
        page.findChild<QLineEdit *>(field + "_id")->setText(id);
        page.findChild<QLineEdit *>(field + "_password")->setText(password);
        if (!speed.isEmpty())
            page.findChild<QAbstractButton *>(speed)->click();

        MessageBoxAnswerer answerer;
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        page.findChild<QAbstractButton *>("con" + row)->click();
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);
        if (message == "zaznamenat")
            QVERIFY(TestDb::exec("alter table logovani_pryc rename to logovani"));

        QCOMPARE(auditRows(), audit);
        QCOMPARE(answerer.messages.size(), int(!message.isEmpty()));
        if (!message.isEmpty()) {
            QVERIFY2(answerer.messages.first().startsWith("ZRN ") && answerer.messages.first().contains(message),
                     qPrintable(answerer.messages.first()));
            QCOMPARE(m_starts, message.endsWith("viewer") ? 1 : 0);   // an unrecorded connection is not made
            return;
        }
        QCOMPARE(m_program, m_dir.filePath(quick.isEmpty() ? "teamviewer" : "vncviewer"));
        QCOMPARE(argumentsOf(m_program),
                 (quick.isEmpty() ? QStringList{"-i", id, "--Password", password}
                                  : QStringList{"-proxy", kRepeater + ":5901", "ID:" + id, "-dsmplugin",
                                                "SecureVNCPlugin.dsm", "-password", password, "-quickoption", quick,
                                                "-compresslevel", "9", "-autoscaling", "-nocursorshape",
                                                "-normalcursor", "-shared", "-quality", "9"}));
        QCOMPARE(m_auditAtStart, audit);   // on record before the viewer started
        const QDateTime ts = TestDb::value("select ts from logovani").toDateTime();
        QVERIFY2(audit.isEmpty() || (ts >= before && ts <= after), qPrintable(ts.toString(Qt::ISODate)));
    }

    void repeater_data()
    {
        QTest::addColumn<int>("repeater");
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("endpoint");
        QTest::newRow("host and port") << 1 << "rep.example.cz:5500" << "rep.example.cz:5500";
        QTest::newRow("blanks around") << 1 << "  10.0.0.7 " << "10.0.0.7:5901";
        QTest::newRow("colon without port") << 1 << "rep:" << "rep:5901";
        QTest::newRow("bracketed IPv6") << 1 << "[fd00::7]" << "[fd00::7]:5901";
        QTest::newRow("second repeater") << 2 << "rep2.example.cz" << "rep2.example.cz:5901";
    }
    void repeater()
    {
        QFETCH(int, repeater);
        QFETCH(QString, setting);
        store().setValue(repeater == 2 ? ServiceKeys::VncRepeater2 : ServiceKeys::VncRepeater, setting);
        RemoteAccessPage page(&m_session);
        recordStarts(page);
        page.launchVnc("55", "pw", repeater);
        QTEST(argumentsOf(m_dir.filePath("vncviewer")).value(1), "endpoint");
    }

    void generatedId_data()
    {
        QTest::addColumn<QString>("server");   // "tls", "http" (spelled out), "plain" (host without TLS), "refused", "unset"
        QTest::addColumn<HttpStub::Response>("response");
        QTest::addColumn<QString>("shown");    // in the id dialog; "ZRN ..." the start of the message box instead
        const QString failed = "ZRN Generované ID se nepodařilo získat";
        HttpStub::Response truncated = HttpStub::data("123456789");
        truncated.mode = HttpStub::Response::Truncate;
        truncated.partialBytes = 3;
        QTest::newRow("host: over TLS, markup shown as text")
            << "tls" << HttpStub::data("<b>4711</b> & <i>x</i>\n", "text/plain; charset=utf-8") << "<b>4711</b> & <i>x</i>";
        QTest::newRow("http spelled out, blanks and UTF-8 kept")
            << "http" << HttpStub::data("ID:  12 34 \xc5\xbe\r\n", "text/plain; charset=utf-8") << "ID:  12 34 ž";
        QTest::newRow("not found") << "tls" << HttpStub::data("nic", "text/plain", 404) << failed;
        QTest::newRow("closed without answer") << "tls" << HttpStub::Response::close() << failed;
        QTest::newRow("body cut short") << "tls" << truncated << failed;
        QTest::newRow("empty answer") << "tls" << HttpStub::data("\n", "text/plain") << failed;
        QTest::newRow("never answers") << "tls" << HttpStub::Response::neverAnswer() << failed;
        QTest::newRow("host without TLS") << "plain" << HttpStub::data("4711", "text/plain") << failed;
        QTest::newRow("connection refused") << "refused" << HttpStub::Response() << failed;
        QTest::newRow("no server configured") << "unset" << HttpStub::Response() << "ZRN Server pro generované ID není nastaven";
    }
    void generatedId()
    {
        QFETCH(QString, server);
        QFETCH(HttpStub::Response, response);
        QFETCH(QString, shown);
        HttpStub stub;
        QVERIFY(server == "http" || server == "plain" ? stub.listen() : stub.listenTls());
        stub.on("/generated_id.txt", response);
        const QString host = QStringLiteral("127.0.0.1:%1").arg(server == "refused" ? HttpStub::closedPort() : stub.port());
        if (server == "unset")
            store().remove(ServiceKeys::Update);
        else
            store().setValue(ServiceKeys::Update, server == "http" ? "http://" + host + "/" : host);

        QString text;
        ModalHandler handler([&](QWidget *modal) {
            auto *dialog = qobject_cast<DialogTextEdit *>(modal);
            if (dialog)
                text = dialog->windowTitle() + ": " + dialog->findChild<QTextEdit *>()->toPlainText();
            return dialog && dialog->close();
        }, 30000);
        MessageBoxAnswerer answerer(QMessageBox::NoButton, 2000);
        RemoteAccessPage page(&m_session);
        auto *button = page.findChild<QAbstractButton *>("se_generovane_id");
        button->click();
        QTRY_VERIFY_WITH_TIMEOUT(handler.handled() || !answerer.messages.isEmpty(), 15000);
        if (shown.startsWith("ZRN ")) {
            QCOMPARE(answerer.messages.size(), 1);
            QVERIFY2(answerer.messages.first().startsWith(shown), qPrintable(answerer.messages.first()));
        } else {
            QCOMPARE(text, "Generované ID: " + shown);
            QCOMPARE(stub.requestCount(), 1);
            QCOMPARE(stub.requests().first().method, QByteArray("GET"));
            QCOMPARE(stub.requests().first().path, QStringLiteral("/generated_id.txt"));
            QVERIFY(answerer.messages.isEmpty());
        }
        QVERIFY(button->isEnabled());   // ready for the next one
    }

private:
    // Records the program the page located and the audit rows there were at that moment, then starts it.
    void recordStarts(RemoteAccessPage &page)
    {
        page.setStarter([this](const QString &program, const QStringList &arguments, QString *error) {
            ++m_starts;
            m_program = program;
            m_auditAtStart = auditRows();
            return Launcher::startDetached(program, arguments, error);
        });
    }

    Session m_session;
    QTemporaryDir m_dir;
    QString m_program;
    QStringList m_auditAtStart;
    int m_starts = 0;
    QByteArray m_path;
};

ZRN_TEST_MAIN(TestRemoteLaunch)
#include "tst_remotelaunch.moc"
