#pragma once

#include <QString>

// What the event log needs beyond the tables themselves: indexes for every
// sort of the global list and the text index of the search, kept in step
// with the events by triggers. Nothing of a table's own columns changes.
namespace Schema {

// Creates what is missing (indexes, the search table and the sort keys with
// their triggers, and fills both tables from the events once). Idempotent; run by
// Schema::ensureExtras, so new databases get it from "zrnctl init" and existing
// embedded files on their next start, any database by "zrnctl init".
bool ensureEventLogSearch(QString *error);
// Whether the search table and the sort keys are there: true once
// ensureEventLogSearch has run in this program, else what the last
// checkEventLogSearch found (true until it is asked). A server database
// that "zrnctl init" has not brought up to date yet lacks them: its lists
// then sort the text columns without an index and search only the subjects
// and the names.
bool eventLogSearchReady();
// Looks at the open database (its main connection) and remembers the answer.
bool checkEventLogSearch();
// Drops the search table, the sort keys and their triggers (bulk loading of events is much
// quicker without them; ensureEventLogSearch builds them again and fills
// the table in one pass afterwards).
bool dropEventLogSearch(QString *error);

// SQL of `expr` lower-cased with the Czech accents folded as the tree's
// quick filter folds them (the same text runs on both backends).
QString foldedSql(const QString &expr);
// The two halves of it (SQLite's parser takes only so many nested calls):
// capitals to plain small letters, then small accented letters to plain
// ones and lower case.
QString foldCapitalsSql(const QString &expr);
QString foldSmallSql(const QString &expr);

// The search table: one row per event, keyed by the event's id, with the
// id of its thread's root (id_vlakna) and the folded plain text of its
// subject and description (obsah). Deleted events keep an empty text.
constexpr const char *kSearchTable = "tellmark_udalosti_hledani";

// The sort keys of the global list's text columns, which no index of the
// events can serve: one row per root event, keyed by its id, with the name
// column's text (jmeno), the subject (predmet) and the responsible persons
// (osoba), each cut to kSortKeyLength characters and indexed with the id.
// Triggers keep them in step with the events and with renamed enterprises
// and centres.
constexpr const char *kSortTable = "tellmark_udalosti_razeni";
constexpr int kSortKeyLength = 255;

} // namespace Schema
