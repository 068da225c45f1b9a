#include "app/selfupdate.h"
#include "core/report.h"

#include "core/dialoginfo.h"
#include "core/usersettings.h"
#include "db/qsapitellmark.h"
#include "db/qsdownloadmanager.h"
#include "db/servicekeys.h"
#include "platform/processes.h"
#include "platform/updatescript.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSplashScreen>

const QString SelfUpdate::DateBeforeUpdateKey = QStringLiteral("version/server_before_update");

namespace {

constexpr int UnzipTimeoutMs = 120000;

QString jsonText(const QJsonValue &v)
{
    if (v.isNull() || v.isUndefined() || v.isObject() || v.isArray())
        return QString();
    return v.toVariant().toString().trimmed();
}

// The splash stays on top of everything; a message behind it is lost.
void hideSplash()
{
    const QWidgetList tops = QApplication::topLevelWidgets();
    for (QWidget *w : tops) {
        if (qobject_cast<QSplashScreen *>(w) && w->isVisible())
            w->hide();
    }
}

bool startDetached(const QString &program, const QStringList &arguments, const QString &workDir, QString *error)
{
    QProcess p;
    p.setProgram(program);
    p.setArguments(arguments);
    p.setWorkingDirectory(workDir);
    p.setStandardInputFile(QProcess::nullDevice());
    if (p.startDetached())
        return true;
    if (error)
        *error = p.errorString();
    return false;
}

QString fileSha256(const QString &path)
{
    QFile f(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!f.open(QIODevice::ReadOnly) || !hash.addData(&f))
        return QString();
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace

Release Release::fromJson(const QByteArray &body)
{
    Release r;
    const QJsonDocument doc = QJsonDocument::fromJson(body);
    if (!doc.isObject())
        return r;
    const QJsonObject o = doc.object();
    const QJsonObject v = o.value(QStringLiteral("version")).toObject();
    r.link = jsonText(o.value(QStringLiteral("link")));
    r.major = jsonText(v.value(QStringLiteral("major")));
    r.minor = jsonText(v.value(QStringLiteral("minor")));
    r.date = jsonText(v.value(QStringLiteral("date")));
    r.sha256 = jsonText(o.value(QStringLiteral("sha256")));
    return r;
}

SelfUpdate::SelfUpdate(const QString &programPath, QSAPITellmark *api, Hooks hooks)
    : m_programPath(QFileInfo(programPath).absoluteFilePath()),
      m_dir(QFileInfo(programPath).absolutePath()), m_api(api), m_hooks(std::move(hooks))
{
    if (!m_hooks.start)
        m_hooks.start = startDetached;
    if (!m_hooks.updatable)
        m_hooks.updatable = folderIsUpdatable;
}

bool SelfUpdate::folderIsUpdatable(const QString &dir)
{
    const QFileInfo fi(dir);
    if (!fi.isDir() || !fi.isWritable())
        return false;
#ifndef Q_OS_WIN
    // Installed from a package or by "cmake --install": root may write
    // there, but the files belong to whoever installed them.
    const QString canonical = fi.canonicalFilePath();
    if (canonical.startsWith(QLatin1String("/usr/")))
        return false;
#endif
    return true;
}

QString SelfUpdate::message(int result)
{
    switch (result) {
    case DownloadFailed:
        return QCoreApplication::translate("SelfUpdate", "Chyba stahování souboru.");
    case FileFailed:
        return QCoreApplication::translate("SelfUpdate", "Chyba vytváření souboru.");
    case ScriptFailed:
#ifdef Q_OS_WIN
        return QCoreApplication::translate("SelfUpdate", "Chyba vytváření souboru bat.");
#else
        return QCoreApplication::translate("SelfUpdate", "Chyba vytváření souboru upgrade.sh.");
#endif
    case NotArchive:
        return QCoreApplication::translate("SelfUpdate", "Stažený soubor není platný archiv ZIP.");
    case NoProgram:
        return QCoreApplication::translate("SelfUpdate", "Stažený balíček neobsahuje program pro tento systém.");
    case StartFailed:
        return QCoreApplication::translate("SelfUpdate", "Aktualizaci nelze spustit.");
    case NoUnzip:
        return QCoreApplication::translate("SelfUpdate", "Program unzip nelze spustit, aktualizace se neprovede.");
    case InsecureLink:
        return QCoreApplication::translate("SelfUpdate", "Nová verze se nestáhne: odkaz nepoužívá HTTPS a služba neposlala kontrolní součet SHA-256.");
    case ChecksumMismatch:
        return QCoreApplication::translate("SelfUpdate", "Stažený soubor neodpovídá kontrolnímu součtu, který poslala služba.");
    default:
        return QCoreApplication::translate("SelfUpdate", "Aktualizace se nezdařila.");
    }
}

void SelfUpdate::report(const QString &text)
{
    if (m_hooks.report) {
        m_hooks.report(text);
        return;
    }
    hideSplash();
    Report::info(nullptr, text);
}

void SelfUpdate::reportFailedUpdate()
{
    const QString marker = QDir(m_dir).filePath(UpdateScript::failureMarkerName());
    QFile f(marker);
    if (!f.exists())
        return;
    const QString why = f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()).trimmed() : QString();
    f.close();
    {
        // Back to the date before that update, so this start tries again.
        ZrnSettings s;
        const QString before = s.textValue(DateBeforeUpdateKey);
        if (before.isEmpty())
            s.remove(ServiceKeys::LastRelease);
        else
            s.setValue(ServiceKeys::LastRelease, before);
        s.remove(DateBeforeUpdateKey);
        s.sync();
    }
    if (!QFile::remove(marker))
        qWarning().noquote() << "SelfUpdate: cannot remove" << marker;
    report(QCoreApplication::translate("SelfUpdate", "Poslední aktualizace programu se nezdařila.") +
           (why.isEmpty() ? QString() : QLatin1Char('\n') + why));
}

Release SelfUpdate::fetchRelease()
{
    if (!m_api)
        return Release();
    const int rc = m_api->update(QStringLiteral("zrn"), QString(), false, false, 1);
    if (rc != 1) {
        // An unreachable service is no update, not a download at every start.
        qWarning().noquote() << "SelfUpdate: release check failed:" << m_api->lastError();
        return Release();
    }
    return Release::fromJson(m_api->getReplayData());
}

bool SelfUpdate::runAtStart()
{
    reportFailedUpdate();
    if (!m_hooks.updatable(m_dir)) {
        qInfo().noquote() << "SelfUpdate:" << m_dir << "is not ours to update";
        return true;
    }
    const Release release = fetchRelease();
    if (release.date.isEmpty())
        return true;

    QString stored;
    {
        ZrnSettings s;
        stored = s.textValue(ServiceKeys::LastRelease).trimmed();
        if (stored.isEmpty()) {
            s.setValue(ServiceKeys::LastRelease, release.date);
            return true;
        }
    }
    // Any other date counts, an older one too: the maker may withdraw a release.
    if (stored == release.date || release.link.isEmpty())
        return true;

    if (Processes::otherCopyRunning(m_programPath, m_hooks.procRoot))
        return false;

    int rc;
    {
        hideSplash();
        DialogInfo info(nullptr, true, false, false, false, false);
        info.setInfo(QCoreApplication::translate("SelfUpdate", "Stahování nové verze ..."));
        info.show();
        QApplication::processEvents();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        rc = onDownloadAndUpgrade(release.link, release.sha256);
        if (rc == Done)
            rc = startScript();
        QApplication::restoreOverrideCursor();
    }
    if (rc != Done) {
        qWarning().noquote() << "SelfUpdate:" << message(rc) << m_lastError;
        report(message(rc));
        return true;
    }

    ZrnSettings s;
    s.setValue(DateBeforeUpdateKey, stored);
    s.setValue(ServiceKeys::LastRelease, release.date);
    s.sync();
    if (s.status() != QSettings::NoError)
        qWarning() << "SelfUpdate: the release date could not be stored";
    return false;
}

int SelfUpdate::onDownloadAndUpgrade(const QString &link, const QString &sha256)
{
    m_lastError.clear();
    const QUrl url(link.trimmed(), QUrl::TolerantMode);
    const QString expected = sha256.trimmed().toLower();
    const bool hasChecksum = QRegularExpression(QStringLiteral("^[0-9a-f]{64}$")).match(expected).hasMatch();
    // Only TLS, or a checksum from the (TLS) release answer, vouches for
    // the package; anything else could have been swapped on the way.
    if (url.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0
        && !(hasChecksum && url.scheme().compare(QLatin1String("http"), Qt::CaseInsensitive) == 0)) {
        m_lastError = QStringLiteral("refused link %1").arg(url.toDisplayString());
        return InsecureLink;
    }
    const QDir dir(m_dir);
    const QString download = dir.filePath(UpdateScript::downloadName());
    const QString package = dir.filePath(UpdateScript::packageName());

    // Leftovers of a broken run, with the download manager's temporary files.
    const QStringList leftovers =
        dir.entryList({UpdateScript::downloadName() + QLatin1Char('*'), UpdateScript::packageName()},
                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : leftovers) {
        if (!QFile::remove(dir.filePath(name))) {
            m_lastError = QStringLiteral("cannot remove %1").arg(dir.filePath(name));
            return FileFailed;
        }
    }

    QSDownloadManager dm;
    dm.setOutputDir(m_dir);
    if (m_hooks.downloadTimeoutMs > 0)
        dm.setTimeout(m_hooks.downloadTimeoutMs);
    QEventLoop loop;
    QObject::connect(&dm, &QSDownloadManager::finishedDownload, &loop, &QEventLoop::quit);
    dm.append(dm_request_t{QUrl(), QUrl(), url, UpdateScript::downloadName(), QString(),
                           QStringLiteral("update package"), 0, 0},
              true);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!dm.isDownloaded(UpdateScript::downloadName())) {
        m_lastError = dm.lastError();
        return DownloadFailed;
    }
    const QFileInfo fi(download);
    if (!fi.isFile()) {
        m_lastError = QStringLiteral("%1 missing").arg(download);
        return FileFailed;
    }
    if (fi.size() == 0) {
        m_lastError = QStringLiteral("empty download");
        QFile::remove(download);
        return DownloadFailed;
    }
    if (hasChecksum && fileSha256(download) != expected) {
        m_lastError = QStringLiteral("SHA-256 of %1 differs from the release answer").arg(download);
        QFile::remove(download);
        return ChecksumMismatch;
    }
    const int checked = checkArchive(download);
    if (checked != Done) {
        QFile::remove(download);
        return checked;
    }
    if (!QFile::rename(download, package)) {
        m_lastError = QStringLiteral("cannot rename %1").arg(download);
        return FileFailed;
    }

    UpdateScript::ShellParams params;
    params.programDir = m_dir;
    params.programName = QFileInfo(m_programPath).fileName();
    params.pid = QCoreApplication::applicationPid();
    params.waitSeconds = m_hooks.scriptWaitSeconds;
    if (!UpdateScript::write(dir.filePath(UpdateScript::scriptName()), UpdateScript::text(params), &m_lastError))
        return ScriptFailed;
    return Done;
}

int SelfUpdate::checkArchive(const QString &path)
{
    auto run = [this](const QStringList &args, QByteArray *out) {
        QProcess p;
        p.setProgram(m_hooks.unzip);
        p.setArguments(args);
        p.setStandardInputFile(QProcess::nullDevice());
        p.start();
        if (!p.waitForStarted()) {
            m_lastError = p.errorString();
            return int(NoUnzip);
        }
        if (!p.waitForFinished(UnzipTimeoutMs) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            m_lastError = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
            p.kill();
            return int(NotArchive);
        }
        if (out)
            *out = p.readAllStandardOutput();
        return int(Done);
    };
    int rc = run({QStringLiteral("-tqq"), path}, nullptr);
    if (rc != Done)
        return rc;
    QByteArray listing;
    rc = run({QStringLiteral("-Z1"), path}, &listing);
    if (rc != Done)
        return rc;
    // The program must lie at the top, where the script unpacks it to.
    const QString program = QFileInfo(m_programPath).fileName();
    const QStringList names = QString::fromUtf8(listing).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString name : names) {
        name = name.trimmed();
        if (name.startsWith(QLatin1String("./")))
            name = name.mid(2);
#ifdef Q_OS_WIN
        if (name.compare(program, Qt::CaseInsensitive) == 0)
#else
        if (name == program)
#endif
            return Done;
    }
    m_lastError = QStringLiteral("%1 not in the package").arg(program);
    return NoProgram;
}

int SelfUpdate::startScript()
{
    const QString script = QDir(m_dir).filePath(UpdateScript::scriptName());
    const UpdateScript::Command c = UpdateScript::command(script);
    QString error;
    if (!m_hooks.start(c.program, c.arguments, m_dir, &error)) {
        m_lastError = error;
        return StartFailed;
    }
    return Done;
}
