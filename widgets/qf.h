#pragma once

#include <QDate>
#include <QString>

// Date texts of the pages and the tree. Widget-free, so the tree builder and
// the report builders use the same rules as the date edits.
namespace Qf {

// The format of every date text the pages show and write ("dd.MM.yyyy").
QString defaultDateFormat();

// A date in the default format; an empty text for a null or invalid date.
QString formatDate(const QDate &date);

// Reads a date typed by a user. Accepted: "d.M.yyyy" (also with a space after
// each dot, "1. 2. 2024"), "d.M.yy" and ISO "yyyy-MM-dd". A two-digit year is
// taken in this century unless that lands more than 20 years ahead, then in the
// previous one ("30" is 2030 until 2010, 1930 after). Anything else, and
// impossible days like 31.2., give a null date. With fullYearOnly a two-digit
// year is refused, so that a text still being typed ("1.2.20" on the way to
// "1.2.2024") is not taken for a date.
QDate parseDate(const QString &text, bool fullYearOnly = false);

} // namespace Qf
