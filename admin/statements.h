#pragma once

#include <QString>
#include <QStringList>

// The statements of the administration pages, as named constants so that
// the statement suite runs exactly what the pages run. Values are bound.
namespace AdminSql {

// Columns of the 24 remote-access fields: VNC 1-6, then TeamViewer 1-2, each
// as host, id, password.
inline QStringList connectionColumns()
{
    QStringList columns;
    for (int n = 1; n <= 6; ++n) {
        for (const char *part : {"host", "id", "password"})
            columns << QStringLiteral("uvnc%1_%2").arg(n).arg(QLatin1String(part));
    }
    for (int n = 1; n <= 2; ++n) {
        for (const char *part : {"host", "id", "password"})
            columns << QStringLiteral("tv%1_%2").arg(n).arg(QLatin1String(part));
    }
    return columns;
}

} // namespace AdminSql
