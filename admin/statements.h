#pragma once

#include <QString>
#include <QStringList>

// The statements of the administration pages, as named constants so that
// the statement suite runs exactly what the pages run. Values are bound.
namespace AdminSql {

// "Přístupy" saved whole.
inline const char UpdatePristupy[] =
    "update tellmark_strediska set EAGRI_UZIVATEL=:eagri_uzivatel, EAGRI_HESLO=:eagri_heslo,"
    " KU_CMSCH_UZIVATEL=:ku_cmsch_uzivatel, KU_CMSCH_HESLO=:ku_cmsch_heslo where id=:id";

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

// All 24 values in one statement, the unchanged ones too, then the centre id.
inline QString updateConnections()
{
    QStringList sets;
    for (const QString &column : connectionColumns())
        sets << column + QStringLiteral("=?");
    return QStringLiteral("update tellmark_strediska set ") + sets.join(QStringLiteral(", "))
        + QStringLiteral(" where id=?");
}

} // namespace AdminSql
