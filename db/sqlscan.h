#pragma once

#include <QString>

// Walking SQL text without a parser: where quoted text and comments end, so
// that a scan over a statement never looks inside them. Both dialects the
// program speaks are covered: backslash escapes and doubled quotes in '…'
// and "…", none in `…`; "-- " and "#" to the end of the line, "/* … */".
namespace SqlScan {

inline bool isQuote(QChar c)
{
    return c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`');
}

// Index just past the quoted text that starts at i (sql[i] is a quote);
// the text's size when it is not closed.
int quotedEnd(const QString &sql, int i);

// Index just past the comment that starts at i, or i when none starts there.
// A line comment ends before its newline.
int commentEnd(const QString &sql, int i);

} // namespace SqlScan
