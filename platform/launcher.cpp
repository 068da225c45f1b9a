#include "platform/launcher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace Launcher {

namespace {

QString programDir()
{
    return QFileInfo(QCoreApplication::applicationFilePath()).absolutePath();
}

} // namespace

QStringList candidates(Program program)
{
    const QString dir = programDir();
#ifdef Q_OS_WIN
    // The viewers are installed with the program, in these places only.
    if (program == Program::VncViewer)
        return {dir + QStringLiteral("/vncviewer")};
    return {dir + QStringLiteral("/tv/TeamViewer.exe")};
#else
    const QString own = program == Program::VncViewer ? dir + QStringLiteral("/vncviewer")
                                                      : dir + QStringLiteral("/tv/teamviewer");
    const QString onPath = QStandardPaths::findExecutable(
        program == Program::VncViewer ? QStringLiteral("vncviewer") : QStringLiteral("teamviewer"));
    QStringList found{own};
    if (!onPath.isEmpty() && onPath != own)
        found << onPath;
    return found;
#endif
}

QString locate(Program program)
{
    const QStringList places = candidates(program);
    for (const QString &path : places) {
        const QFileInfo info(path);
        if (info.isFile() && info.isExecutable())
            return path;
    }
    return places.first();
}

bool startDetached(const QString &program, const QStringList &arguments, QString *error)
{
    const QFileInfo info(program);
#ifndef Q_OS_WIN
    // Said plainly here; QProcess would only report an unknown error.
    if (!info.exists()) {
        if (error)
            *error = QCoreApplication::translate("Launcher", "Soubor neexistuje.");
        return false;
    }
    if (!info.isFile() || !info.isExecutable()) {
        if (error)
            *error = QCoreApplication::translate("Launcher", "Soubor není spustitelný program.");
        return false;
    }
#endif
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    if (process.startDetached())
        return true;
    if (error)
        *error = process.errorString();
    return false;
}

} // namespace Launcher
