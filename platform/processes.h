#pragma once

#include <QList>
#include <QString>

// The running processes of the machine, as far as the self-update needs
// them: is another copy of this program running?
namespace Processes {

struct Process {
    qint64 pid = 0;
    qint64 uid = -1;      // real user id; -1 when unknown
    QString executable;   // absolute path of the executable file
};

// The process table under procRoot (Linux: "/proc"; tests pass a folder of
// their own with <pid>/exe links and <pid>/status files). Processes whose
// executable cannot be read (other users' when not root) are left out.
QList<Process> list(const QString &procRoot = QStringLiteral("/proc"));

// Whether a process other than ownPid runs programPath for the user ownUid.
// A copy of the same name elsewhere or of another user does not count.
bool otherCopyRunning(const QString &programPath, qint64 ownPid, qint64 ownUid,
                      const QString &procRoot = QStringLiteral("/proc"));

// The same for this process and its user.
bool otherCopyRunning(const QString &programPath, const QString &procRoot = QStringLiteral("/proc"));

} // namespace Processes
