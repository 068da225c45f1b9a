// The self-update against the loopback stub: downloads, refusals, the script under /bin/sh, other copies.

#include "app/selfupdate.h"
#include "core/usersettings.h"
#include "db/qsapitellmark.h"
#include "db/servicekeys.h"
#include "platform/processes.h"
#include "platform/updatescript.h"
#include "support/httpstub.h"
#include "support/testmain.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString OldDate = QStringLiteral("2024-11-04");
const QString NewDate = QStringLiteral("2025-02-17");
const QString ReleasePath = QStringLiteral("/api/releases/zrn/latest");
// The maker's links hold commas; PKG in a release answer stands for it.
const QString PackagePath = QStringLiteral("/pkg/zrn,3,13.zip");
// A release answer; SHA stands for the checksum of the package offered.
const QByteArray Offer = R"({"link": "PKG", "sha256": "SHA", "version": {"major": "3", "date": "2025-02-17"}})";

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

// A stored (uncompressed) zip of name, content pairs; names starting with "x:" are executable.
QByteArray makeZip(const QList<QPair<QString, QByteArray>> &entries)
{
    QTemporaryDir tmp;
    QStringList names;
    for (auto e : entries) {
        const bool exec = e.first.startsWith(QLatin1String("x:"));
        names << e.first.remove(QStringLiteral("x:"));
        QDir().mkpath(QFileInfo(tmp.filePath(e.first)).path());
        writeFile(tmp.filePath(e.first), e.second);
        QFile::setPermissions(tmp.filePath(e.first), QFile::ReadOwner | QFile::WriteOwner | (exec ? QFile::ExeOwner : QFile::Permissions()));
    }
    QProcess zip;
    zip.setWorkingDirectory(tmp.path());
    zip.start(QStringLiteral("zip"), QStringList{QStringLiteral("-0qXD"), QStringLiteral("p.zip")} + names);
    zip.waitForFinished();
    return readFile(tmp.filePath(QStringLiteral("p.zip")));
}

// The new release: the program (a shell script that notes its start) and a file beside it.
QByteArray goodPackage()
{
    return makeZip({{QStringLiteral("x:zrn"), "#!/bin/sh\necho new > started\n"}, {QStringLiteral("README.txt"), "ZRN new\n"}});
}

QString sha256(const QByteArray &data) { return QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex(); }

// The running program: a shell script that notes its start.
const QByteArray OldProgram = "#!/bin/sh\necho old > started\n";

// A program folder whose path sh must keep one word, the stub offering the good package, recording hooks.
struct Env {
    QTemporaryDir tmp;
    QString dir = tmp.filePath(QStringLiteral("Program 'ZRN' $HOME"));
    QString programPath = QDir(dir).filePath(QStringLiteral("zrn"));
    QString procRoot = tmp.filePath(QStringLiteral("proc"));
    HttpStub stub;
    QSAPITellmark api;
    QStringList reports;
    QStringList started;   // "program arguments | working folder"
    bool startSucceeds = true;

    Env()
    {
        QDir().mkpath(dir);
        QDir().mkpath(procRoot);
        writeFile(programPath, OldProgram);
        QFile::setPermissions(programPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        stub.listen();
        api.setBaseUrl(stub.url(QStringLiteral("/api")).toString());
        api.setTimeout(3000);
        offer(HttpStub::json(Offer), HttpStub::data(goodPackage()));
    }
    ~Env() { QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }

    void offer(HttpStub::Response release, const HttpStub::Response &package)
    {
        release.body.replace("PKG", stub.url(PackagePath).toEncoded()).replace("SHA", sha256(package.body).toLatin1());
        stub.on(ReleasePath, release);
        stub.on(PackagePath, package);
    }

    SelfUpdate::Hooks hooks()
    {
        SelfUpdate::Hooks h;
        h.report = [this](const QString &text) { reports.append(text); };
        h.start = [this](const QString &program, const QStringList &args, const QString &workDir, QString *error) {
            started << program + ' ' + args.join(' ') + " | " + workDir;
            if (!startSucceeds && error)
                *error = QStringLiteral("refused");
            return startSucceeds;
        };
        h.procRoot = procRoot;
        h.downloadTimeoutMs = 3000;
        return h;
    }

    bool run() { return SelfUpdate(programPath, &api, hooks()).runAtStart(); }

    QString file(const QString &name) const { return QDir(dir).filePath(name); }
    int downloads() const
    {
        const QList<HttpStub::Request> r = stub.requests();
        return int(std::count_if(r.cbegin(), r.cend(), [](const auto &q) { return q.path == PackagePath; }));
    }
    QStringList updateFiles() const { return QDir(dir).entryList({"zrn*.zip*", "upgrade*"}, QDir::Files); }
};

// access() asks for the real user: as root, checks run as "nobody" (effective root switches back).
struct AsNobody {
    const bool active;
    explicit AsNobody(bool on) : active(on && ::geteuid() == 0 && ::setreuid(65534, 0) == 0) {}
    ~AsNobody()
    {
        if (active && ::setreuid(0, 0) != 0)
            qFatal("cannot become root again");
    }
};

void addProcess(const QString &procRoot, qint64 pid, qint64 uid, const QString &exe)
{
    const QString d = QDir(procRoot).filePath(QString::number(pid));
    QDir().mkpath(d);
    QFile::link(exe, d + QStringLiteral("/exe"));
    writeFile(d + QStringLiteral("/status"),
              QStringLiteral("Name:\tzrn\nPid:\t%1\nUid:\t%2\t%2\t%2\t%2\n").arg(pid).arg(uid).toUtf8());
}

} // namespace

class TestSelfUpdate : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("zip")).isEmpty())
            QSKIP("zip or unzip is not installed");
        ZrnSettings s;
        s.remove(SelfUpdate::DateBeforeUpdateKey);
        s.setValue(ServiceKeys::LastRelease, OldDate);
    }

    void startUp_data()
    {
        QTest::addColumn<QString>("stored");   // the release date the last start stored
        QTest::addColumn<HttpStub::Response>("release");
        QTest::addColumn<HttpStub::Response>("package");
        QTest::addColumn<bool>("fetched");   // the package
        QTest::addColumn<bool>("started");     // the update script
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("date");     // stored afterwards
        const HttpStub::Response offer = HttpStub::json(Offer), good = HttpStub::data(goodPackage());
        HttpStub::Response truncated = good;
        truncated.mode = HttpStub::Response::Truncate;
        truncated.partialBytes = 60;
        const QString download = QStringLiteral("Chyba stahování souboru.");
        const QString notZip = QStringLiteral("Stažený soubor není platný archiv ZIP.");
        const QString noProgram = QStringLiteral("Stažený balíček neobsahuje program pro tento systém.");
        const QString insecure = QStringLiteral("Nová verze se nestáhne: odkaz nepoužívá HTTPS a služba neposlala kontrolní součet SHA-256.");
        auto answer = [](const char *json) { return HttpStub::json(json); };
        // No usable answer is no update: nothing downloaded or stored, said only when insecure.
        const auto notFetched = [&](const char *tag, const HttpStub::Response &release, const QString &message = {}) {
            QTest::newRow(tag) << OldDate << release << good << false << false << message << OldDate;
        };
        // Told once, and the running version carries on.
        const auto refused = [&](const char *tag, const HttpStub::Response &package, const QString &message) {
            QTest::newRow(tag) << OldDate << offer << package << true << false << message << OldDate;
        };
        QTest::newRow("first start stores the date") << "" << offer << good << false << false << "" << NewDate;
        QTest::newRow("same date") << NewDate << offer << good << false << false << "" << NewDate;
        QTest::newRow("new release") << OldDate << offer << good << true << true << "" << NewDate;
        QTest::newRow("date given as a number")
            << OldDate << answer(R"({"link": "PKG", "sha256": "SHA", "version": {"date": 20250217}})") << good << true
            << true << "" << "20250217";
        notFetched("null link", answer(R"({"link": null, "version": {"date": "2025-02-17"}})"));
        notFetched("empty link", answer(R"({"link": "", "version": {"date": "2025-02-17"}})"));
        notFetched("null date", answer(R"({"link": "PKG", "version": {"date": null}})"));
        notFetched("blank date", answer(R"({"link": "PKG", "version": {"date": "  "}})"));
        notFetched("no version", answer(R"({"link": "PKG"})"));
        notFetched("array", answer("[1,2]"));
        notFetched("not json", HttpStub::data("Service Unavailable", "text/plain"));
        notFetched("HTTP 500", HttpStub::json(Offer, 500));
        notFetched("connection closed", HttpStub::Response::close());
        notFetched("service unreachable", offer);
        notFetched("http without checksum", answer(R"({"link": "PKG", "version": {"date": "2025-02-17"}})"), insecure);
        notFetched("checksum not a SHA-256",
                   answer(R"({"link": "PKG", "sha256": "abc", "version": {"date": "2025-02-17"}})"), insecure);
        // A folder the user may not write is the package manager's: not even the service is asked.
        notFetched("read-only folder", offer);
        notFetched("installed under /usr", offer);
        notFetched("missing folder", offer);
        refused("404", HttpStub::data("gone", "text/plain", 404), download);
        refused("truncated", truncated, download);
        refused("empty", HttpStub::data(QByteArray()), download);
        refused("closed", HttpStub::Response::close(), download);
        refused("not a zip", HttpStub::data(QByteArray("PK\x03\x04 but nothing more").repeated(20)), notZip);
        refused("html page", HttpStub::data("<html>login</html>", "text/html"), notZip);
        refused("other platform", HttpStub::data(makeZip({{QStringLiteral("zrn.exe"), "MZ"}})), noProgram);
        refused("program in a folder", HttpStub::data(makeZip({{QStringLiteral("x:bin/zrn"), "x"}})), noProgram);
        QTest::newRow("checksum of another file")
            << OldDate << HttpStub::json(QByteArray(Offer).replace("SHA", sha256("x").toLatin1())) << good << true << false
            << "Stažený soubor neodpovídá kontrolnímu součtu, který poslala služba." << OldDate;
        // Not started, so not installed: the next start tries again.
        QTest::newRow("script cannot start") << OldDate << offer << good << true << true << "Aktualizaci nelze spustit."
                                             << OldDate;
        QTest::newRow("last update failed: told, tried again")
            << OldDate << offer << good << true << true
            << "Poslední aktualizace programu se nezdařila.\nBalíček se nepodařilo rozbalit (unzip: 9)." << NewDate;
        // Half a download, a temporary file and a stale package of a run that broke off.
        QTest::newRow("after a broken run, download succeeds") << OldDate << offer << good << true << true << "" << NewDate;
        refused("after a broken run, download fails", HttpStub::data("busy", "text/plain", 503), download);
    }
    void startUp()
    {
        QFETCH(QString, stored);
        QFETCH(HttpStub::Response, release);
        QFETCH(HttpStub::Response, package);
        QFETCH(bool, started);
        QFETCH(QString, message);
        const QByteArray tag = QTest::currentDataTag();
        Env env;
        ZrnSettings().setValue(ServiceKeys::LastRelease, stored);
        env.offer(release, package);
        if (tag == "service unreachable")
            env.api.setBaseUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(HttpStub::closedPort()));
        env.startSucceeds = tag != "script cannot start";
        if (tag.startsWith("last update failed")) { // what a failed script run leaves
            ZrnSettings().setValue(ServiceKeys::LastRelease, NewDate);
            ZrnSettings().setValue(SelfUpdate::DateBeforeUpdateKey, OldDate);
            QVERIFY(writeFile(env.file("upgrade.failed"), "Balíček se nepodařilo rozbalit (unzip: 9).\n"));
        }
        if (tag.startsWith("after a broken run")) {
            QVERIFY(writeFile(env.file("zrn_proc.zip"), goodPackage().left(50)));
            QVERIFY(writeFile(env.file("zrn_proc.zip.aB3xYz"), "temp"));
            QVERIFY(writeFile(env.file("zrn.zip"), "stale"));
        }
        const bool readOnly = tag == "read-only folder";
        const bool notOurs = readOnly || tag == "installed under /usr" || tag == "missing folder";
        if (readOnly && ::geteuid() == 0) { // a folder of "nobody" that "nobody" may write, then may not
            QVERIFY(QFile::setPermissions(env.tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                          | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
            QCOMPARE(::chown(QFile::encodeName(env.dir).constData(), 65534, 65534), 0);
            AsNobody nobody(true);
            QVERIFY(nobody.active && SelfUpdate::folderIsUpdatable(env.dir));
        }
        if (readOnly)
            QVERIFY(QFile::setPermissions(env.dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        if (notOurs && !readOnly)
            env.programPath = tag == "missing folder" ? env.tmp.filePath("gone/zrn") : "/usr/bin/zrn";
        AsNobody nobody(readOnly);
        QCOMPARE(SelfUpdate::folderIsUpdatable(QFileInfo(env.programPath).path()), !notOurs);
        // Started from elsewhere: nothing may land in the working folder.
        QTemporaryDir cwd;
        const QString oldCwd = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd.path()));
        const bool goOn = env.run();
        QDir::setCurrent(oldCwd);
        QCOMPARE(goOn, !(started && env.startSucceeds));
        QVERIFY(QDir(cwd.path()).isEmpty());
        QCOMPARE(env.reports, message.isEmpty() ? QStringList() : QStringList{message});
        QTEST(env.downloads() > 0, "fetched");
        QTEST(ZrnSettings().textValue(ServiceKeys::LastRelease), "date");
        QCOMPARE(readFile(env.file("zrn")), OldProgram);
        if (notOurs)
            QCOMPARE(env.stub.requestCount(), 0);
        // A refused package is not left to be unpacked by anybody.
        QCOMPARE(env.updateFiles(), started ? QStringList({"upgrade.sh", "zrn.zip"}) : QStringList());
        if (started) {
            const QString script = env.file("upgrade.sh");
            QCOMPARE(env.started, QStringList{"/bin/sh " + script + " | " + env.dir});
            QCOMPARE(readFile(env.file("zrn.zip")), package.body);
            // It waits for this copy (scriptRun runs such scripts).
            QVERIFY(readFile(script).contains(QStringLiteral("while kill -0 %1 ").arg(QCoreApplication::applicationPid()).toUtf8()));
            QCOMPARE(ZrnSettings().textValue(SelfUpdate::DateBeforeUpdateKey), env.startSucceeds ? stored : QString());
        } else {
            QVERIFY(env.started.isEmpty());
        }
        if (!started && message.isEmpty()) {
            // Every start alike.
            QVERIFY(env.run());
            QCOMPARE(env.downloads(), 0);
            QVERIFY(env.reports.isEmpty());
        }
    }

    void otherCopy_data()
    {
        QTest::addColumn<qint64>("uidOffset");   // added to our uid
        QTest::addColumn<QString>("exe");        // "SELF": our program
        QTest::addColumn<bool>("ownPid");
        QTest::addColumn<bool>("isCopy");
        QTest::newRow("same user, same program") << qint64(0) << QStringLiteral("SELF") << false << true;
        QTest::newRow("replaced on disk") << qint64(0) << QStringLiteral("SELF (deleted)") << false << true;
        QTest::newRow("another user's copy") << qint64(1) << QStringLiteral("SELF") << false << false;
        QTest::newRow("same name elsewhere") << qint64(0) << QStringLiteral("/opt/other/zrn") << false << false;
        QTest::newRow("this process") << qint64(0) << QStringLiteral("SELF") << true << false;
        QTest::newRow("other program") << qint64(0) << QStringLiteral("/bin/bash") << false << false;
    }
    void otherCopy()
    {
        QFETCH(qint64, uidOffset);
        QFETCH(QString, exe);
        QFETCH(bool, ownPid);
        QFETCH(bool, isCopy);
        Env env;
        exe.replace(QStringLiteral("SELF"), env.programPath);
        const qint64 pid = ownPid ? QCoreApplication::applicationPid() : 999999;
        addProcess(env.procRoot, pid, qint64(::getuid()) + uidOffset, exe);
        addProcess(env.procRoot, 1, 0, QStringLiteral("/sbin/init"));
        QCOMPARE(Processes::otherCopyRunning(env.programPath, env.procRoot), isCopy);
        // Both end this copy: a real copy quietly, otherwise through the script.
        QVERIFY(!env.run());
        QVERIFY(env.reports.isEmpty());
        QCOMPARE(env.downloads(), isCopy ? 0 : 1);
        QCOMPARE(env.started.size(), isCopy ? 0 : 1);
        QCOMPARE(ZrnSettings().textValue(ServiceKeys::LastRelease), isCopy ? OldDate : NewDate);
    }

    void scriptRun_data()
    {
        QTest::addColumn<QByteArray>("package");
        QTest::addColumn<bool>("waitForUs");      // the writer never ends
        QTest::addColumn<QByteArray>("started");  // what the program notes at start; empty: not started
        QTest::addColumn<QString>("failure");     // start of the marker's text; empty: no marker
        const QString unpack = QStringLiteral("Balíček se nepodařilo rozbalit");
        QTest::newRow("unpacks and starts the new program") << goodPackage() << false << QByteArray("new\n") << QString();
        // The running version stays whole and starts again.
        QTest::newRow("broken package") << QByteArray("not a zip") << false << QByteArray("old\n") << unpack;
        QTest::newRow("program not executable") << makeZip({{QStringLiteral("zrn"), "#!/bin/sh\necho new > started\n"}}) << false
                                                << QByteArray("old\n") << QStringLiteral("Po rozbalení chybí");
        QTest::newRow("unpacking breaks off") << goodPackage().replace("ZRN new", "ZRN bad") << false << QByteArray("old\n") << unpack;
        QTest::newRow("writer still running") << goodPackage() << true << QByteArray() << QStringLiteral("ZRN neskončil do 1 s");
    }
    void scriptRun()
    {
        QFETCH(QByteArray, package);
        QFETCH(bool, waitForUs);
        QFETCH(QByteArray, started);
        QFETCH(QString, failure);
        Env env;
        QVERIFY(writeFile(env.file("zrn.zip"), package));
        // A writer that has ended (no such process), or this test itself.
        const qint64 writer = waitForUs ? QCoreApplication::applicationPid() : 999999;
        const UpdateScript::ShellParams p{env.dir, QStringLiteral("zrn"), writer, 1};
        const QString script = env.file("upgrade.sh");
        // An old script (even a link elsewhere) is replaced, not written through; owner only under any umask.
        const QString victim = env.tmp.filePath(QStringLiteral("victim"));
        QVERIFY(writeFile(victim, "keep") && QFile::link(victim, script));
        const mode_t umask = ::umask(0);
        QString error;
        const bool written = UpdateScript::write(script, UpdateScript::shellText(p), &error);
        ::umask(umask);
        QVERIFY2(written, qPrintable(error));
        QCOMPARE(readFile(victim), QByteArray("keep"));
        struct stat st;
        QCOMPARE(::stat(QFile::encodeName(script).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 07777), 0700);
        QVERIFY(!UpdateScript::write(env.file("no/such/dir/upgrade.sh"), QStringLiteral("x"), &error));
        QVERIFY(!error.isEmpty());
        QProcess sh;
        sh.setWorkingDirectory(env.tmp.path());
        const UpdateScript::Command c = UpdateScript::command(script);
        sh.start(c.program, c.arguments);
        QVERIFY(sh.waitForFinished(20000));
        QCOMPARE(readFile(env.file("started")), started.isEmpty() ? QByteArray("<missing>") : started);
        const QByteArray marker = readFile(env.file("upgrade.failed"));
        QVERIFY2(failure.isEmpty() ? marker == "<missing>" : QString::fromUtf8(marker).startsWith(failure), marker.constData());
        QCOMPARE(readFile(env.file("README.txt")), QByteArray(failure.isEmpty() ? "ZRN new\n" : "<missing>"));
        QVERIFY(!QFileInfo::exists(env.file("zrn_update.tmp")));
    }
};

ZRN_TEST_MAIN(TestSelfUpdate)
#include "tst_selfupdate.moc"
