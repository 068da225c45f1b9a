// The self-update at start-up against the loopback stub: when it downloads,
// what it refuses to install, the script it leaves and how that script
// behaves under /bin/sh, and which processes count as another copy.

#include "app/selfupdate.h"
#include "core/usersettings.h"
#include "db/qsapitellmark.h"
#include "db/servicekeys.h"
#include "platform/processes.h"
#include "platform/updatescript.h"
#include "support/httpstub.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

#include "support/testmain.h"

namespace {

const QString OldDate = QStringLiteral("2024-11-04");
const QString NewDate = QStringLiteral("2025-02-17");
const QString ReleasePath = QStringLiteral("/api/releases/zrn/latest");

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char ch : data) {
        crc ^= quint8(ch);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void put16(QByteArray &b, quint32 v)
{
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}

void put32(QByteArray &b, quint32 v)
{
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

struct ZipEntry {
    QString name;
    QByteArray data;
    quint32 mode = 0100644;
};

// A stored (uncompressed) zip made on "Unix", so unzip restores the modes.
QByteArray makeZip(const QList<ZipEntry> &entries)
{
    QByteArray out, central;
    for (const ZipEntry &e : entries) {
        const QByteArray name = e.name.toUtf8();
        const quint32 crc = crc32(e.data);
        const quint32 offset = quint32(out.size());
        put32(out, 0x04034b50);
        put16(out, 20); put16(out, 0); put16(out, 0); put16(out, 0); put16(out, 0x21);
        put32(out, crc); put32(out, quint32(e.data.size())); put32(out, quint32(e.data.size()));
        put16(out, quint32(name.size())); put16(out, 0);
        out += name;
        out += e.data;
        put32(central, 0x02014b50);
        put16(central, (3 << 8) | 20); put16(central, 20); put16(central, 0); put16(central, 0);
        put16(central, 0); put16(central, 0x21);
        put32(central, crc); put32(central, quint32(e.data.size())); put32(central, quint32(e.data.size()));
        put16(central, quint32(name.size())); put16(central, 0); put16(central, 0); put16(central, 0);
        put16(central, 0); put32(central, e.mode << 16); put32(central, offset);
        central += name;
    }
    const quint32 cdOffset = quint32(out.size());
    out += central;
    put32(out, 0x06054b50);
    put16(out, 0); put16(out, 0);
    put16(out, quint32(entries.size())); put16(out, quint32(entries.size()));
    put32(out, quint32(central.size())); put32(out, cdOffset); put16(out, 0);
    return out;
}

// The new release: the program (a shell script that notes its start) and a file beside it.
QByteArray goodPackage(const QByteArray &marker = "new")
{
    return makeZip({{QStringLiteral("zrn"), "#!/bin/sh\necho " + marker + " > started\n", 0100755},
                    {QStringLiteral("README.txt"), "ZRN " + marker + "\n"}});
}

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

QString storedDate()
{
    ZrnSettings s;
    return s.textValue(ServiceKeys::LastRelease);
}

void setStoredDate(const QString &date)
{
    ZrnSettings s;
    s.remove(SelfUpdate::DateBeforeUpdateKey);
    if (date.isEmpty())
        s.remove(ServiceKeys::LastRelease);
    else
        s.setValue(ServiceKeys::LastRelease, date);
}

QString sha256(const QByteArray &data)
{
    return QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
}

// The service's answer; the links of the stub are plain http, so it carries
// the package's checksum (none when sha is empty).
QByteArray releaseJson(const QString &date, const QString &link, const QString &sha = sha256(goodPackage()))
{
    const QString checksum = sha.isEmpty() ? QString() : QStringLiteral(R"(, "sha256": "%1")").arg(sha);
    return QStringLiteral(R"({"link": "%1", "version": {"major": "3", "minor": "13", "date": "%2"}%3})")
        .arg(link, date, checksum)
        .toUtf8();
}

bool haveUnzip()
{
    return !QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty();
}

struct Started {
    QString program;
    QStringList arguments;
    QString workDir;
};

// One program folder (with a space), the stub as the maker's service, and
// the hooks recording what the update told the user and started.
struct Env {
    QTemporaryDir tmp;
    QString dir;
    QString programPath;
    QString procRoot;
    HttpStub stub;
    QSAPITellmark api;
    QStringList reports;
    QList<Started> started;
    bool startSucceeds = true;

    Env()
    {
        dir = tmp.filePath(QStringLiteral("Program ZRN"));
        QDir().mkpath(dir);
        programPath = QDir(dir).filePath(QStringLiteral("zrn"));
        writeFile(programPath, "old program");
        procRoot = tmp.filePath(QStringLiteral("proc"));
        QDir().mkpath(procRoot);
        stub.listen();
        api.setBaseUrl(stub.url(QStringLiteral("/api")).toString());
        api.setTimeout(3000);
    }

    SelfUpdate::Hooks hooks()
    {
        SelfUpdate::Hooks h;
        h.report = [this](const QString &text) { reports.append(text); };
        h.start = [this](const QString &program, const QStringList &args, const QString &workDir, QString *error) {
            started.append({program, args, workDir});
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
    bool exists(const QString &name) const { return QFileInfo::exists(file(name)); }
    int requestsFor(const QString &path) const
    {
        int n = 0;
        for (const HttpStub::Request &r : stub.requests())
            n += r.path == path ? 1 : 0;
        return n;
    }
    QStringList updateFiles() const
    {
        return QDir(dir).entryList({QStringLiteral("zrn*.zip*"), QStringLiteral("upgrade*")}, QDir::Files);
    }
};

// access() asks for the real user: as root, the checks run as "nobody"
// (the effective user stays root, so the test can switch back).
struct AsNobody {
    bool active = false;
    explicit AsNobody(bool on)
    {
        if (on && ::geteuid() == 0)
            active = ::setreuid(65534, 0) == 0;
    }
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
    void init() { setStoredDate(QString()); }

    void releaseFromAnswer_data();
    void releaseFromAnswer();
    void firstStartStoresDate();
    void sameDateNoDownload();
    void noUpdate_data();
    void noUpdate();
    void newReleaseDownloadsAndStartsScript();
    void refusedPackage_data();
    void refusedPackage();
    void linkPolicy_data();
    void linkPolicy();
    void leftoverPartialDownload_data();
    void leftoverPartialDownload();
    void linkWithComma();
    void scriptThatCannotStart();
    void folderNotOurs_data();
    void folderNotOurs();
    void otherCopy_data();
    void otherCopy();
    void failedUpdateIsReportedAndRetried();

    void batchText();
    void scriptFileIsOwnerOnly();
    void scriptRun_data();
    void scriptRun();
};

void TestSelfUpdate::releaseFromAnswer_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("major");

    QTest::newRow("full") << releaseJson(NewDate, QStringLiteral("https://x.cz/zrn.zip")) << NewDate
                          << QStringLiteral("https://x.cz/zrn.zip") << QStringLiteral("3");
    QTest::newRow("link with comma") << releaseJson(NewDate, QStringLiteral("https://x.cz/a,b.zip")) << NewDate
                                     << QStringLiteral("https://x.cz/a,b.zip") << QStringLiteral("3");
    QTest::newRow("null link") << QByteArray(R"({"link": null, "version": {"major": "3", "date": "2025-02-17"}})")
                               << NewDate << QString() << QStringLiteral("3");
    QTest::newRow("null date") << QByteArray(R"({"link": "https://x.cz/z.zip", "version": {"date": null}})")
                               << QString() << QStringLiteral("https://x.cz/z.zip") << QString();
    QTest::newRow("numbers as text") << QByteArray(R"({"link": "u", "version": {"major": 3, "date": 20250217}})")
                                     << QStringLiteral("20250217") << QStringLiteral("u") << QStringLiteral("3");
    QTest::newRow("no version") << QByteArray(R"({"link": "u"})") << QString() << QStringLiteral("u") << QString();
    QTest::newRow("not json") << QByteArray("<html>502</html>") << QString() << QString() << QString();
    QTest::newRow("array") << QByteArray("[1,2]") << QString() << QString() << QString();
    QTest::newRow("blank date") << QByteArray(R"({"link": "u", "version": {"date": "  "}})") << QString()
                                << QStringLiteral("u") << QString();
}

void TestSelfUpdate::releaseFromAnswer()
{
    QFETCH(QByteArray, body);
    const Release r = Release::fromJson(body);
    QTEST(r.date, "date");
    QTEST(r.link, "link");
    QTEST(r.major, "major");
}

void TestSelfUpdate::firstStartStoresDate()
{
    Env env;
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    QVERIFY(env.run());
    QCOMPARE(storedDate(), NewDate);
    QCOMPARE(env.stub.requestCount(), 1);
    QVERIFY(env.reports.isEmpty());
    QVERIFY(env.started.isEmpty());
    QVERIFY(env.updateFiles().isEmpty());
}

void TestSelfUpdate::sameDateNoDownload()
{
    Env env;
    setStoredDate(NewDate);
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(goodPackage()));
    QVERIFY(env.run());
    QVERIFY(env.run());
    QCOMPARE(env.requestsFor(QStringLiteral("/pkg/zrn.zip")), 0);
    QCOMPARE(env.requestsFor(ReleasePath), 2);
    QCOMPARE(storedDate(), NewDate);
    QVERIFY(env.reports.isEmpty());
    QVERIFY(env.updateFiles().isEmpty());
}

void TestSelfUpdate::noUpdate_data()
{
    QTest::addColumn<HttpStub::Response>("answer");
    QTest::addColumn<bool>("unreachable");

    QTest::newRow("null link") << HttpStub::json(R"({"link": null, "version": {"date": "2025-02-17"}})") << false;
    QTest::newRow("empty link") << HttpStub::json(R"({"link": "", "version": {"date": "2025-02-17"}})") << false;
    QTest::newRow("null date") << HttpStub::json(R"({"link": "PKG", "version": {"date": null}})") << false;
    QTest::newRow("no version") << HttpStub::json(R"({"link": "PKG"})") << false;
    QTest::newRow("not json") << HttpStub::data("Service Unavailable", "text/plain") << false;
    QTest::newRow("HTTP 500") << HttpStub::json(releaseJson(NewDate, QStringLiteral("PKG")), 500) << false;
    QTest::newRow("connection closed") << HttpStub::Response::close() << false;
    QTest::newRow("server unreachable") << HttpStub::Response() << true;
}

void TestSelfUpdate::noUpdate()
{
    QFETCH(HttpStub::Response, answer);
    QFETCH(bool, unreachable);
    Env env;
    setStoredDate(OldDate);
    answer.body.replace("PKG", env.stub.url("/pkg/zrn.zip").toEncoded());
    env.stub.on(ReleasePath, answer);
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(goodPackage()));
    if (unreachable)
        env.api.setBaseUrl(QStringLiteral("http://127.0.0.1:%1/api").arg(HttpStub::closedPort()));

    // Every start alike: nothing downloaded, nothing said, the date kept.
    QVERIFY(env.run());
    QVERIFY(env.run());
    QCOMPARE(env.requestsFor(QStringLiteral("/pkg/zrn.zip")), 0);
    QCOMPARE(storedDate(), OldDate);
    QVERIFY(env.reports.isEmpty());
    QVERIFY(env.started.isEmpty());
    QVERIFY(env.updateFiles().isEmpty());
}

void TestSelfUpdate::newReleaseDownloadsAndStartsScript()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
    Env env;
    // Started from elsewhere: nothing may land in the working folder.
    QTemporaryDir cwd;
    const QString oldCwd = QDir::currentPath();
    QVERIFY(QDir::setCurrent(cwd.path()));
    setStoredDate(OldDate);
    const QByteArray package = goodPackage();
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(package));

    const bool goOn = env.run();
    QDir::setCurrent(oldCwd);
    QVERIFY(!goOn);
    QVERIFY2(env.reports.isEmpty(), qPrintable(env.reports.join(QLatin1Char('|'))));
    QCOMPARE(readFile(env.file("zrn.zip")), package);
    QVERIFY(!env.exists(QStringLiteral("zrn_proc.zip")));
    QVERIFY(QDir(cwd.path()).isEmpty());

    const QString script = env.file(QStringLiteral("upgrade.sh"));
    QCOMPARE(QFileInfo(script).permissions() & 0x7777,
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser
                 | QFile::ExeUser);
    // It waits for this copy (scriptRun runs such scripts).
    QVERIFY(readFile(script).contains(QStringLiteral("while kill -0 %1 ").arg(QCoreApplication::applicationPid()).toUtf8()));

    QCOMPARE(env.started.size(), 1);
    QCOMPARE(env.started.first().program, QStringLiteral("/bin/sh"));
    QCOMPARE(env.started.first().arguments, QStringList{script});
    QCOMPARE(env.started.first().workDir, env.dir);

    QCOMPARE(storedDate(), NewDate);
    ZrnSettings s;
    QCOMPARE(s.textValue(SelfUpdate::DateBeforeUpdateKey), OldDate);
}

void TestSelfUpdate::refusedPackage_data()
{
    QTest::addColumn<HttpStub::Response>("package");
    QTest::addColumn<QString>("message");

    HttpStub::Response truncated = HttpStub::data(goodPackage());
    truncated.mode = HttpStub::Response::Truncate;
    truncated.partialBytes = 60;
    const QString download = QStringLiteral("Chyba stahování souboru.");

    QTest::newRow("404") << HttpStub::data("gone", "text/plain", 404) << download;
    QTest::newRow("truncated") << truncated << download;
    QTest::newRow("empty") << HttpStub::data(QByteArray()) << download;
    QTest::newRow("closed") << HttpStub::Response::close() << download;
    QTest::newRow("not a zip") << HttpStub::data(QByteArray("PK\x03\x04 but nothing more").repeated(20))
                               << QStringLiteral("Stažený soubor není platný archiv ZIP.");
    QTest::newRow("html page") << HttpStub::data("<html>login</html>", "text/html")
                               << QStringLiteral("Stažený soubor není platný archiv ZIP.");
    QTest::newRow("other platform") << HttpStub::data(makeZip({{QStringLiteral("zrn.exe"), "MZ"}}))
                                    << QStringLiteral("Stažený balíček neobsahuje program pro tento systém.");
    QTest::newRow("program in a folder") << HttpStub::data(makeZip({{QStringLiteral("bin/zrn"), "x", 0100755}}))
                                         << QStringLiteral("Stažený balíček neobsahuje program pro tento systém.");
}

void TestSelfUpdate::linkPolicy_data()
{
    QTest::addColumn<QString>("sha");          // in the release answer
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("downloads");
    QTest::newRow("http without checksum") << QString()
        << QStringLiteral("Nová verze se nestáhne: odkaz nepoužívá HTTPS a služba neposlala kontrolní součet SHA-256.") << 0;
    QTest::newRow("checksum not a SHA-256") << QStringLiteral("abc")
        << QStringLiteral("Nová verze se nestáhne: odkaz nepoužívá HTTPS a služba neposlala kontrolní součet SHA-256.") << 0;
    QTest::newRow("checksum of another file") << sha256("another file")
        << QStringLiteral("Stažený soubor neodpovídá kontrolnímu součtu, který poslala služba.") << 1;
}

void TestSelfUpdate::linkPolicy()
{
    QFETCH(QString, sha);
    QFETCH(QString, message);
    QFETCH(int, downloads);
    Env env;
    setStoredDate(OldDate);
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString(), sha)));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(goodPackage()));
    QVERIFY(env.run());
    QCOMPARE(env.reports, QStringList{message});
    QCOMPARE(env.requestsFor(QStringLiteral("/pkg/zrn.zip")), downloads);
    QVERIFY(env.started.isEmpty());
    QCOMPARE(env.updateFiles(), QStringList());
    QCOMPARE(storedDate(), OldDate);
}

void TestSelfUpdate::refusedPackage()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
    QFETCH(HttpStub::Response, package);
    QFETCH(QString, message);
    Env env;
    setStoredDate(OldDate);
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString(), sha256(package.body))));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), package);

    // Told once, and the running version carries on.
    QVERIFY(env.run());
    QCOMPARE(env.reports, QStringList{message});
    QCOMPARE(storedDate(), OldDate);
    QVERIFY(env.started.isEmpty());
    QCOMPARE(env.updateFiles(), QStringList());
    QCOMPARE(readFile(env.programPath), QByteArray("old program"));
}

void TestSelfUpdate::leftoverPartialDownload_data()
{
    QTest::addColumn<bool>("serverOk");
    QTest::newRow("download succeeds") << true;
    QTest::newRow("download fails") << false;
}

void TestSelfUpdate::leftoverPartialDownload()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
    QFETCH(bool, serverOk);
    Env env;
    setStoredDate(OldDate);
    // A run that broke off: half a download, a temporary file, an old package.
    QVERIFY(writeFile(env.file("zrn_proc.zip"), goodPackage("half").left(50)));
    QVERIFY(writeFile(env.file("zrn_proc.zip.aB3xYz"), "temp"));
    QVERIFY(writeFile(env.file("zrn.zip"), goodPackage("stale")));
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"),
                serverOk ? HttpStub::data(goodPackage()) : HttpStub::data("busy", "text/plain", 503));

    QCOMPARE(env.run(), !serverOk);
    QVERIFY(!env.exists(QStringLiteral("zrn_proc.zip")));
    QVERIFY(!env.exists(QStringLiteral("zrn_proc.zip.aB3xYz")));
    if (serverOk) {
        QCOMPARE(readFile(env.file("zrn.zip")), goodPackage());
        QCOMPARE(storedDate(), NewDate);
    } else {
        // The stale package is not left to be unpacked by anybody.
        QVERIFY(!env.exists(QStringLiteral("zrn.zip")));
        QCOMPARE(env.reports, QStringList{QStringLiteral("Chyba stahování souboru.")});
        QCOMPARE(storedDate(), OldDate);
    }
}

void TestSelfUpdate::linkWithComma()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
    Env env;
    setStoredDate(OldDate);
    const QString path = QStringLiteral("/pkg/zrn,3,13.zip");
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url(path).toString())));
    env.stub.on(path, HttpStub::data(goodPackage()));
    QVERIFY(!env.run());
    QCOMPARE(env.requestsFor(path), 1);
    QCOMPARE(readFile(env.file("zrn.zip")), goodPackage());
    QCOMPARE(storedDate(), NewDate);
}

void TestSelfUpdate::scriptThatCannotStart()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
    Env env;
    env.startSucceeds = false;
    setStoredDate(OldDate);
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(goodPackage()));
    QVERIFY(env.run());
    QCOMPARE(env.started.size(), 1);
    QCOMPARE(env.reports, QStringList{QStringLiteral("Aktualizaci nelze spustit.")});
    // Not started, so not installed: the next start tries again.
    QCOMPARE(storedDate(), OldDate);
}

void TestSelfUpdate::folderNotOurs_data()
{
    QTest::addColumn<QString>("where");
    QTest::newRow("read-only folder") << QStringLiteral("readonly");
    QTest::newRow("installed under /usr") << QStringLiteral("/usr/bin");
    QTest::newRow("missing folder") << QStringLiteral("missing");
}

void TestSelfUpdate::folderNotOurs()
{
    QFETCH(QString, where);
    Env env;
    QString dir = env.dir;
    const bool readOnly = where == QLatin1String("readonly");
    if (readOnly) {
        if (::geteuid() == 0) {
            // A folder of "nobody" that "nobody" may write, then may not.
            QVERIFY(QFile::setPermissions(env.tmp.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                              | QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
            QCOMPARE(::chown(QFile::encodeName(dir).constData(), 65534, 65534), 0);
            AsNobody nobody(true);
            QVERIFY(nobody.active);
            QVERIFY(SelfUpdate::folderIsUpdatable(dir));
        }
        QVERIFY(QFile::setPermissions(dir, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
    } else if (where == QLatin1String("missing")) {
        dir = env.tmp.filePath(QStringLiteral("gone"));
    } else {
        dir = where;
    }
    QVERIFY(SelfUpdate::folderIsUpdatable(env.tmp.path()));

    setStoredDate(OldDate);
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(goodPackage()));
    bool goOn = false;
    {
        AsNobody nobody(readOnly);
        QVERIFY(!SelfUpdate::folderIsUpdatable(dir));
        goOn = SelfUpdate(QDir(dir).filePath(QStringLiteral("zrn")), &env.api, env.hooks()).runAtStart();
    }
    QVERIFY(goOn);
    // The package manager updates it: not even the service is asked.
    QCOMPARE(env.stub.requestCount(), 0);
    QVERIFY(env.reports.isEmpty());
    QVERIFY(env.started.isEmpty());
    QCOMPARE(storedDate(), OldDate);
    QVERIFY(QDir(dir).entryList({QStringLiteral("zrn*.zip*"), QStringLiteral("upgrade*")}, QDir::Files).isEmpty());
    QFile::setPermissions(env.dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void TestSelfUpdate::otherCopy_data()
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

void TestSelfUpdate::otherCopy()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
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

    setStoredDate(OldDate);
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(goodPackage()));
    // Both end this copy: a real copy quietly, otherwise through the script.
    QVERIFY(!env.run());
    QVERIFY(env.reports.isEmpty());
    QCOMPARE(env.requestsFor(QStringLiteral("/pkg/zrn.zip")), isCopy ? 0 : 1);
    QCOMPARE(env.started.size(), isCopy ? 0 : 1);
    QCOMPARE(storedDate(), isCopy ? OldDate : NewDate);
}

void TestSelfUpdate::failedUpdateIsReportedAndRetried()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
    Env env;
    // What a failed script run leaves: the new date stored, the old one kept aside.
    {
        ZrnSettings s;
        s.setValue(ServiceKeys::LastRelease, NewDate);
        s.setValue(SelfUpdate::DateBeforeUpdateKey, OldDate);
    }
    QVERIFY(writeFile(env.file("upgrade.failed"), "Balíček se nepodařilo rozbalit (unzip: 9).\n"));
    env.stub.on(ReleasePath, HttpStub::json(releaseJson(NewDate, env.stub.url("/pkg/zrn.zip").toString())));
    env.stub.on(QStringLiteral("/pkg/zrn.zip"), HttpStub::data(goodPackage()));

    QVERIFY(!env.run());
    QCOMPARE(env.reports.size(), 1);
    QCOMPARE(env.reports.first(), QStringLiteral("Poslední aktualizace programu se nezdařila.\n"
                                                 "Balíček se nepodařilo rozbalit (unzip: 9)."));
    QVERIFY(!env.exists(QStringLiteral("upgrade.failed")));
    QCOMPARE(env.requestsFor(QStringLiteral("/pkg/zrn.zip")), 1);
    QCOMPARE(env.started.size(), 1);
}

void TestSelfUpdate::batchText()
{
    const QStringList lines = UpdateScript::batchText().split(QLatin1Char('\n'));
    const QStringList expected = {
        QStringLiteral(":LOOP"),
        QStringLiteral(R"(tasklist /fi "ImageName eq zrn.exe" /fo csv 2>NUL | find /I "zrn.exe">NUL)"),
        QStringLiteral(R"(if "%ERRORLEVEL%"=="0" ()"),
        QStringLiteral("  ECHO ZRN is still running"),
        QStringLiteral("  TIMEOUT /T 1"),
        QStringLiteral("  GOTO LOOP"),
        QStringLiteral(")"),
        QString(),
        QStringLiteral("unzip -xo zrn.zip"),
        QStringLiteral("start /b zrn.exe"),
    };
    QCOMPARE(lines, expected);
    QVERIFY(!UpdateScript::batchText().endsWith(QLatin1Char('\n')));
}

void TestSelfUpdate::scriptFileIsOwnerOnly()
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("upgrade.sh"));
    // An old script (even a link elsewhere) is replaced, not written through.
    const QString victim = tmp.filePath(QStringLiteral("victim"));
    QVERIFY(writeFile(victim, "keep"));
    QVERIFY(QFile::link(victim, path));
    const mode_t old = ::umask(0);
    QString error;
    const bool ok = UpdateScript::write(path, QStringLiteral("echo hi\n"), &error);
    ::umask(old);
    QVERIFY2(ok, qPrintable(error));
    QCOMPARE(readFile(victim), QByteArray("keep"));
    QVERIFY(!QFileInfo(path).isSymLink());
    struct stat st;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
    QCOMPARE(int(st.st_mode & 07777), 0700);
    QCOMPARE(readFile(path), QByteArray("echo hi\n"));

    QVERIFY(!UpdateScript::write(tmp.filePath(QStringLiteral("no/such/dir/upgrade.sh")), QStringLiteral("x"), &error));
    QVERIFY(!error.isEmpty());
}

void TestSelfUpdate::scriptRun_data()
{
    QTest::addColumn<QByteArray>("package");
    QTest::addColumn<bool>("waitForUs");      // the writer never ends
    QTest::addColumn<QByteArray>("started");  // what the program notes at start; empty: not started
    QTest::addColumn<QString>("failure");     // start of the marker's text; empty: no marker

    QTest::newRow("unpacks and starts the new program") << goodPackage() << false << QByteArray("new\n") << QString();
    QTest::newRow("broken package") << QByteArray("not a zip") << false << QByteArray("old\n")
                                    << QStringLiteral("Balíček se nepodařilo rozbalit");
    // The running version stays whole and starts again.
    QTest::newRow("program not executable")
        << makeZip({{QStringLiteral("zrn"), "#!/bin/sh\necho new > started\n", 0100644}}) << false << QByteArray("old\n")
        << QStringLiteral("Po rozbalení chybí");
    QTest::newRow("unpacking breaks off") << QByteArray(goodPackage()).replace("ZRN new", "ZRN bad") << false
                                          << QByteArray("old\n") << QStringLiteral("Balíček se nepodařilo rozbalit");
    QTest::newRow("writer still running") << goodPackage() << true << QByteArray()
                                          << QStringLiteral("ZRN neskončil do 1 s");
}

void TestSelfUpdate::scriptRun()
{
    if (!haveUnzip())
        QSKIP("unzip is not installed");
    QFETCH(QByteArray, package);
    QFETCH(bool, waitForUs);
    QFETCH(QByteArray, started);
    QFETCH(QString, failure);

    QTemporaryDir tmp;
    // Every path of the script stays one word for sh, whatever it holds.
    const QString dir = tmp.filePath(QStringLiteral("Program 'ZRN' $HOME"));
    QVERIFY(QDir().mkpath(dir));
    const QString program = QDir(dir).filePath(QStringLiteral("zrn"));
    QVERIFY(writeFile(program, "#!/bin/sh\necho old > started\n"));
    QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(writeFile(QDir(dir).filePath(QStringLiteral("zrn.zip")), package));

    // A writer that has ended (and been reaped), or this test itself.
    qint64 writer = QCoreApplication::applicationPid();
    if (!waitForUs) {
        QProcess done;
        done.start(QStringLiteral("/bin/true"), QStringList());
        QVERIFY(done.waitForFinished());
        writer = done.processId() ? done.processId() : 999999;
    }
    UpdateScript::ShellParams p;
    p.programDir = dir;
    p.programName = QStringLiteral("zrn");
    p.pid = writer;
    p.waitSeconds = 1;
    const QString script = QDir(dir).filePath(QStringLiteral("upgrade.sh"));
    QString error;
    QVERIFY2(UpdateScript::write(script, UpdateScript::shellText(p), &error), qPrintable(error));

    QProcess sh;
    sh.setWorkingDirectory(tmp.path());
    const UpdateScript::Command c = UpdateScript::command(script);
    sh.start(c.program, c.arguments);
    QVERIFY(sh.waitForFinished(20000));

    const QString startedFile = QDir(dir).filePath(QStringLiteral("started"));
    if (started.isEmpty())
        QVERIFY(!QFileInfo::exists(startedFile));
    else
        QCOMPARE(readFile(startedFile), started);
    const QString marker = QDir(dir).filePath(QStringLiteral("upgrade.failed"));
    if (failure.isEmpty()) {
        QVERIFY(!QFileInfo::exists(marker));
        QCOMPARE(readFile(QDir(dir).filePath(QStringLiteral("README.txt"))), QByteArray("ZRN new\n"));
    } else {
        QVERIFY2(QString::fromUtf8(readFile(marker)).startsWith(failure), readFile(marker).constData());
        QVERIFY(!QFileInfo::exists(QDir(dir).filePath(QStringLiteral("README.txt"))));
    }
    QVERIFY(!QFileInfo::exists(QDir(dir).filePath(QStringLiteral("zrn_update.tmp"))));
}

ZRN_TEST_MAIN(TestSelfUpdate)
#include "tst_selfupdate.moc"
