#pragma once

#include <QString>

// What the event log needs beyond the tables themselves: indexes for every
// sort of the global list and the text index of the search, kept in step
// with the events by triggers. Nothing of a table's own columns changes.
namespace Schema {

// Creates what is missing (indexes, the search table with its triggers, and
// fills the search table from the events once). Idempotent; run by
// Schema::ensureExtras, so new databases get it from "zrnctl init" and existing
// embedded files on their next start, any database by "zrnctl init".
bool ensureEventLogSearch(QString *error);
// Drops the search table and its triggers (bulk loading of events is much
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

} // namespace Schema
