#include "platform/processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#include <tlhelp32.h>
#else
#include <unistd.h>
#endif

namespace Processes {

namespace {

QString canonical(const QString &path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return QDir::cleanPath(c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c);
}

#ifndef Q_OS_WIN
QString readLink(const QString &link)
{
    QByteArray buf(4096, '\0');
    const ssize_t n = ::readlink(QFile::encodeName(link).constData(), buf.data(), size_t(buf.size()));
    if (n <= 0)
        return QString();
    QString target = QFile::decodeName(buf.left(int(n)));
    // A program replaced on disk while it runs still is that program.
    const QString deleted = QStringLiteral(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target;
}

qint64 realUid(const QString &statusFile)
{
    QFile f(statusFile);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    while (!f.atEnd()) {
        const QByteArray line = f.readLine();
        if (line.startsWith("Uid:")) {
            const QList<QByteArray> parts = line.mid(4).simplified().split(' ');
            bool ok = false;
            const qint64 uid = parts.value(0).toLongLong(&ok);
            return ok ? uid : -1;
        }
    }
    return -1;
}
#endif

} // namespace

QList<Process> list(const QString &procRoot)
{
    QList<Process> out;
#ifdef Q_OS_WIN
    Q_UNUSED(procRoot)
    // Another user's processes cannot be opened by a normal user, so their
    // paths stay unknown and they never count as a copy.
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return out;
    PROCESSENTRY32W e;
    e.dwSize = sizeof(e);
    for (BOOL ok = Process32FirstW(snap, &e); ok; ok = Process32NextW(snap, &e)) {
        HANDLE h = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, e.th32ProcessID);
        if (!h)
            continue;
        wchar_t path[MAX_PATH * 4];
        DWORD size = DWORD(sizeof(path) / sizeof(path[0]));
        if (QueryFullProcessImageNameW(h, 0, path, &size)) {
            Process p;
            p.pid = qint64(e.th32ProcessID);
            p.executable = QDir::fromNativeSeparators(QString::fromWCharArray(path, int(size)));
            out.append(p);
        }
        CloseHandle(h);
    }
    CloseHandle(snap);
#else
    const QDir root(procRoot);
    const QStringList entries = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : entries) {
        bool numeric = false;
        const qint64 pid = name.toLongLong(&numeric);
        if (!numeric)
            continue;
        const QString exe = readLink(root.filePath(name + QStringLiteral("/exe")));
        if (exe.isEmpty())
            continue;
        Process p;
        p.pid = pid;
        p.uid = realUid(root.filePath(name + QStringLiteral("/status")));
        p.executable = exe;
        out.append(p);
    }
#endif
    return out;
}

bool otherCopyRunning(const QString &programPath, qint64 ownPid, qint64 ownUid, const QString &procRoot)
{
    const QString own = canonical(programPath);
    const Qt::CaseSensitivity cs =
#ifdef Q_OS_WIN
        Qt::CaseInsensitive;
#else
        Qt::CaseSensitive;
#endif
    const QList<Process> all = list(procRoot);
    for (const Process &p : all) {
        if (p.pid == ownPid)
            continue;
#ifndef Q_OS_WIN
        if (p.uid != ownUid)
            continue;
#else
        Q_UNUSED(ownUid)
#endif
        if (QString::compare(canonical(p.executable), own, cs) == 0)
            return true;
    }
    return false;
}

bool otherCopyRunning(const QString &programPath, const QString &procRoot)
{
#ifdef Q_OS_WIN
    const qint64 uid = -1;
#else
    const qint64 uid = qint64(::getuid());
#endif
    return otherCopyRunning(programPath, QCoreApplication::applicationPid(), uid, procRoot);
}

} // namespace Processes
