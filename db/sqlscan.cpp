#include "db/sqlscan.h"

namespace SqlScan {

int quotedEnd(const QString &sql, int i)
{
    const int n = sql.size();
    const QChar q = sql.at(i);
    int j = i + 1;
    while (j < n) {
        const QChar c = sql.at(j);
        if (c == QLatin1Char('\\') && q != QLatin1Char('`')) {
            j += 2;
            continue;
        }
        if (c == q) {
            if (j + 1 < n && sql.at(j + 1) == q) { // doubled quote
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return n;
}

int commentEnd(const QString &sql, int i)
{
    const int n = sql.size();
    const QChar c = sql.at(i);
    const bool dashes = c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')
        && (i + 2 >= n || sql.at(i + 2).isSpace());
    if (dashes || c == QLatin1Char('#')) {
        const int e = sql.indexOf(QLatin1Char('\n'), i);
        return e < 0 ? n : e;
    }
    if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
        const int e = sql.indexOf(QLatin1String("*/"), i + 2);
        return e < 0 ? n : e + 2;
    }
    return i;
}

} // namespace SqlScan
