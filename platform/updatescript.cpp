#include "platform/updatescript.h"

#include <QDir>
#include <QFile>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace UpdateScript {

QString packageName()
{
    return QStringLiteral("zrn.zip");
}

QString downloadName()
{
    return QStringLiteral("zrn_proc.zip");
}

QString scriptName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("upgrade.bat");
#else
    return QStringLiteral("upgrade.sh");
#endif
}

QString stagingName()
{
    return QStringLiteral("zrn_update.tmp");
}

QString failureMarkerName()
{
    return QStringLiteral("upgrade.failed");
}

QString batchText()
{
    const QStringList lines = {
        QStringLiteral(":LOOP"),
        QStringLiteral("tasklist /fi \"ImageName eq zrn.exe\" /fo csv 2>NUL | find /I \"zrn.exe\">NUL"),
        QStringLiteral("if \"%ERRORLEVEL%\"==\"0\" ("),
        QStringLiteral("  ECHO ZRN is still running"),
        QStringLiteral("  TIMEOUT /T 1"),
        QStringLiteral("  GOTO LOOP"),
        QStringLiteral(")"),
        QString(),
        QStringLiteral("unzip -xo zrn.zip"),
        QStringLiteral("start /b zrn.exe"),
    };
    return lines.join(QLatin1Char('\n'));
}

QString shellQuote(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QString shellText(const ShellParams &p)
{
    const QDir dir(p.programDir);
    const QString d = shellQuote(p.programDir);
    const QString pkg = shellQuote(dir.filePath(packageName()));
    const QString prog = shellQuote(dir.filePath(p.programName));
    const QString marker = shellQuote(dir.filePath(failureMarkerName()));
    const QString stage = shellQuote(dir.filePath(stagingName()));
    const QString wait = QString::number(p.waitSeconds);
    // kill -0 also fails for a process id that now belongs to another
    // user, so only the copy that wrote the script is waited for.
    const QStringList lines = {
        QStringLiteral("#!/bin/sh"),
        QStringLiteral("# ZRN update: wait for the copy that wrote this, unpack beside the program,"),
        QStringLiteral("# swap the files in only when all of them are there, start again."),
        QStringLiteral("cd %1 || exit 1").arg(d),
        QStringLiteral("rm -f %1").arg(marker),
        QStringLiteral("n=0"),
        QStringLiteral("while kill -0 %1 2>/dev/null; do").arg(p.pid),
        QStringLiteral("  n=$((n + 1))"),
        QStringLiteral("  if [ \"$n\" -gt %1 ]; then").arg(wait),
        QStringLiteral("    echo 'ZRN neskončil do %1 s, aktualizace neproběhla.' > %2").arg(wait, marker),
        QStringLiteral("    exit 1"),
        QStringLiteral("  fi"),
        QStringLiteral("  sleep 1"),
        QStringLiteral("done"),
        QStringLiteral("rm -rf %1").arg(stage),
        QStringLiteral("unzip -oq %1 -d %2").arg(pkg, stage),
        QStringLiteral("rc=$?"),
        QStringLiteral("if [ \"$rc\" -ne 0 ]; then"),
        QStringLiteral("  echo \"Balíček se nepodařilo rozbalit (unzip: $rc).\" > %1").arg(marker),
        QStringLiteral("elif [ ! -x %1/%2 ]; then").arg(stage, shellQuote(p.programName)),
        QStringLiteral("  echo 'Po rozbalení chybí spustitelný program.' > %1").arg(marker),
        // Each file replaces its old one by a rename within the folder.
        QStringLiteral("elif ! (cd %1 && find . ! -type d -exec sh -c "
                       "'d=$1; shift; for f; do mkdir -p \"$d/${f%/*}\" && mv -f \"$f\" \"$d/$f\" || exit 1; done' "
                       "sh %2 {} +); then")
            .arg(stage, d),
        QStringLiteral("  echo 'Nové soubory se nepodařilo přesunout na místo.' > %1").arg(marker),
        QStringLiteral("fi"),
        QStringLiteral("rm -rf %1").arg(stage),
        QStringLiteral("exec %1").arg(prog),
    };
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString text(const ShellParams &p)
{
#ifdef Q_OS_WIN
    Q_UNUSED(p)
    return batchText();
#else
    return shellText(p);
#endif
}

bool write(const QString &path, const QString &text, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (QFile::exists(path) && !QFile::remove(path))
        return fail(QStringLiteral("%1 nelze smazat").arg(QDir::toNativeSeparators(path)));
#ifdef Q_OS_WIN
    // Text mode: cmd wants CR LF line ends.
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::NewOnly))
        return fail(f.errorString());
    const QByteArray data = text.toLocal8Bit();
    if (f.write(data) != data.size() || !f.flush())
        return fail(f.errorString());
    return true;
#else
    // Created with its rights: never a moment readable or writable by others.
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0700);
    if (fd < 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    const QByteArray data = text.toUtf8();
    bool ok = ::fchmod(fd, 0700) == 0; // the umask may have taken bits away
    qint64 done = 0;
    while (ok && done < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        done += n > 0 ? n : 0;
    }
    const QString why = ok ? QString() : QString::fromLocal8Bit(std::strerror(errno));
    if (::close(fd) != 0 && ok)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    if (!ok) {
        QFile::remove(path);
        return fail(why);
    }
    return true;
#endif
}

Command command(const QString &scriptPath)
{
#ifdef Q_OS_WIN
    return {QStringLiteral("cmd"), {QStringLiteral("/c"), QDir::toNativeSeparators(scriptPath)}};
#else
    return {QStringLiteral("/bin/sh"), {scriptPath}};
#endif
}

} // namespace UpdateScript
