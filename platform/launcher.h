#pragma once

#include <QString>
#include <QStringList>

// Where the external viewers live and how they are started. The viewers
// ship beside the program on Windows; on Linux a copy beside the program
// wins over the one installed on the PATH.
namespace Launcher {

enum class Program { VncViewer, TeamViewer };

// The places a program is looked for, in order.
QStringList candidates(Program program);

// The first candidate that is an executable file; when none is, the first
// candidate, so that a failed start names where the program belongs.
QString locate(Program program);

// Starts the program detached (it outlives this one). Each argument reaches
// the program as it is: no shell sees it. On failure *error says why.
bool startDetached(const QString &program, const QStringList &arguments, QString *error);

} // namespace Launcher
