#pragma once

#include <QDate>
#include <QStringList>
#include <QVariant>

// How the fields of the register pages are written to and read from their
// columns (the same for enterprises and centres):
// - single-line text: an empty field is written as NULL;
// - identification numbers: every white-space character (any Unicode
//   space, line break, zero-width space) removed;
// - code lists: the first entry ("Neurčeno") is NULL, any other entry is its
//   text; a stored text selects the entry that equals it ignoring case, or
//   the first entry when none does;
// - dates: a null date is NULL.
namespace ColumnValues {

QVariant text(const QString &fieldText);
// Identification number with the white space taken out; "" when nothing remains.
QString identification(const QString &fieldText);
// As identification(), NULL when nothing remains (the centre's IČO and holding number).
QVariant identificationOrNull(const QString &fieldText);
QVariant date(const QDate &date);
QVariant codeListEntry(const QStringList &entries, int index);

int codeListIndex(const QStringList &entries, const QVariant &stored);
// A stored index of an index list (0..count-1); anything else is 0.
int indexListIndex(int count, const QVariant &stored);
// A stored date (a date, or a text beginning with "yyyy-MM-dd").
QDate storedDate(const QVariant &stored);
// A stored value as field text (NULL is empty).
QString storedText(const QVariant &stored);

} // namespace ColumnValues
