#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QSAPITellmark;

// The release the maker's service announces.
struct Release {
    QString major;
    QString minor;
    QString date;
    QString link;
    QString sha256;   // of the package, when the service sends it ("sha256")

    // Read from the answer's fields; a missing or null member, or an answer
    // that is not a JSON object, leaves it empty. Values are taken as text.
    static Release fromJson(const QByteArray &body);
};

// Where the self-update reaches outside the program; tests replace them.
struct SelfUpdateHooks {
    // Starts program detached with workDir as its working folder.
    std::function<bool(const QString &program, const QStringList &arguments, const QString &workDir,
                       QString *error)>
        start;
    // Tells the user; empty: an information box titled "ZRN".
    std::function<void(const QString &text)> report;
    // Whether the program's folder may be updated by us; empty: folderIsUpdatable().
    std::function<bool(const QString &dir)> updatable;
    QString procRoot = QStringLiteral("/proc");
    QString unzip = QStringLiteral("unzip");
    int downloadTimeoutMs = 0;   // 0: the download manager's default
    int scriptWaitSeconds = 60;
};

// The release check at start-up: a newer release is downloaded into the
// program's folder, checked, and handed to the update script, which
// replaces the program once this copy has ended and starts it again.
//
// Any failure is told to the user and the running version carries on;
// "version/server_last" then keeps its value, so the next start retries.
class SelfUpdate
{
public:
    // Results of onDownloadAndUpgrade(); the first four as the maker's
    // clients have always numbered them.
    enum Result {
        Done = 0,
        DownloadFailed = -1,
        FileFailed = -2,
        ScriptFailed = -3,
        NotArchive = -4,
        NoProgram = -5,
        StartFailed = -6,
        NoUnzip = -7,
        InsecureLink = -8,
        ChecksumMismatch = -9,
    };

    using Hooks = SelfUpdateHooks;

    // The stored date before the last update was started; put back when
    // that update failed.
    static const QString DateBeforeUpdateKey;

    SelfUpdate(const QString &programPath, QSAPITellmark *api, Hooks hooks = Hooks());

    // The whole start-up check. False when this copy is to end now (exit
    // code 0): the update script runs, or another copy of the program does.
    bool runAtStart();

    // Downloads the package from link, checks it and writes the script
    // (not started). Done or a negative Result. A plain-http link is
    // refused unless sha256 (hex) is given; a given sha256 must match.
    int onDownloadAndUpgrade(const QString &link, const QString &sha256 = QString());
    // Starts the written script. Done or StartFailed.
    int startScript();

    // What the user is told for a negative Result.
    static QString message(int result);
    // Not when the folder is not writable or belongs to a package manager.
    static bool folderIsUpdatable(const QString &dir);

    QString programDir() const { return m_dir; }
    QString lastError() const { return m_lastError; }

private:
    void reportFailedUpdate();
    Release fetchRelease();
    int checkArchive(const QString &path);
    void report(const QString &text);

    QString m_programPath;
    QString m_dir;
    QSAPITellmark *m_api;
    Hooks m_hooks;
    QString m_lastError;
};
