#pragma once

#include <QString>
#include <QStringList>

// The files of a self-update in the program's folder and the script that
// replaces the program once it has ended. Windows gets the batch file the
// maker's releases have always used; Linux a shell script doing the same
// steps with the checks the batch file lacks.
namespace UpdateScript {

// The package once complete and checked.
QString packageName();
// The download in progress.
QString downloadName();
// "upgrade.bat" on Windows, "upgrade.sh" elsewhere.
QString scriptName();
// The folder beside the program the package is unpacked into first.
QString stagingName();
// Left by the script when the update did not happen; holds the reason.
QString failureMarkerName();

// The batch file, lines separated by "\n", none after the last.
QString batchText();

struct ShellParams {
    QString programDir;   // absolute, no trailing slash
    QString programName;  // the executable's file name
    qint64 pid = 0;       // the copy that wrote the script
    int waitSeconds = 60; // how long it may take that copy to end
};
// The shell script, one "\n" after every line.
QString shellText(const ShellParams &p);
// A text as one word for /bin/sh, whatever it holds.
QString shellQuote(const QString &text);

// The script text for this platform.
QString text(const ShellParams &p);

// Writes the script anew (a file of that name is removed first) with
// owner-only rights (0700 on Linux). On failure *error says why.
bool write(const QString &path, const QString &text, QString *error);

// How the script at the absolute path scriptPath is started.
struct Command {
    QString program;
    QStringList arguments;
};
Command command(const QString &scriptPath);

} // namespace UpdateScript
