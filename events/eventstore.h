#pragma once

#include "core/rowsave.h"
#include "core/visibility.h"
#include "events/eventrecord.h"

#include <QString>
#include <QVariant>
#include <QMetaType>
#include <QVariantList>
#include <QVector>

// The statements of events: the two thread lists, one event, and the
// writes of the pane, the event dialog and the delete. Every value reaches
// the database bound; every write is checked and its failure reported to the
// caller with the database's text.
namespace EventStore {

// What narrows an event list.
struct Filter {
    bool global = false;       // the main "Události" tab; else the register's page
    // Register's page: the enterprise or the centre selected in the tree.
    // An enterprise lists the events filed under it and under its centres.
    QVariant podnikId;
    QVariant strediskoId;
    QString categories;        // category codes joined by ","; empty = all
    // Global list only:
    bool unfinished = false;   // "Nedokončené": roots reported or in progress, due today
    int eventsRight = 0;       // 1 own events only, 2 free choice of persons
    QString login;             // of the signed-in user (right 1)
    QString persons;           // "" all, "none" nobody, or codes joined by ","
    QString furtherPersons;    // further mailboxes joined by ","
    // "Hledat": threads with an event whose subject or description holds
    // every word (as a word's beginning, accents and case aside), or whose
    // enterprise or centre name holds the text.
    QString search;
    // The threads the search found, when resolveSearch found few enough:
    // then they stand for the search (an indexed look-up by id instead of
    // walking the list's order past every thread that does not match).
    bool searchResolved = false;
    QVector<int> searchRoots;
    // What the signed-in user may see: every statement of the lists is
    // restricted by it (a default one sees nothing).
    Visibility visibility;
};

// The root conditions of a filter: SQL over the alias `pp` (the event),
// each piece followed by " and ", with "?" for every value in `binds`.
struct Condition {
    QString sql;
    QVariantList binds;
};
// Categories, "Nedokončené" and responsible persons (not the enterprise or
// centre, which choose where the roots come from).
Condition condition(const Filter &filter);
// The responsible persons a filter asks for (empty: no person condition;
// a list that names nobody gives no rows at all, see matchesNobody).
QStringList personCodes(const Filter &filter, bool *matchesNobody);

// The list statement and its values: the live roots that pass the filter
// and that the user may see (filed under an enterprise or centre of the
// tree), and every live reply below them, at any depth, in id order, with
// the names of the enterprise and centre.
QString listStatement(const Filter &filter, QVariantList *binds);

// The words of a search as the text index is asked for them: folded like
// the tree's quick filter, lower case, split at everything but letters
// and digits.
QStringList searchWords(const QString &text);

// Looks the search's threads up ahead (subject, description and names),
// when there are at most `limit`; otherwise the filter stays as it is and
// the list's statement searches as it goes, which is quick exactly when
// many threads match. False with the database's text on failure.
bool resolveSearch(Filter *filter, int limit, QString *error);

// The order of the global list: threads by a column of their root (the
// list's column numbers), the event id breaking ties in the same direction.
struct Sort {
    int column = 12;           // EventList::ColId
    bool descending = false;
};
// Where the next page starts: after this root (its sort value and id).
struct PageCursor {
    bool started = false;      // false: the first page
    QVariant key;
    int id = 0;
};
// The roots of one page: at most `limit` thread roots after `cursor`, in
// the order of `sort`; *more tells whether any follow.
bool readPageRoots(const Filter &filter, const Sort &sort, const PageCursor &cursor, int limit, QVector<int> *roots,
                   PageCursor *last, bool *more, QString *error);
// The statement of those roots (for query plans), with its values.
QString pageRootsStatement(const Filter &filter, const Sort &sort, const PageCursor &cursor, int limit,
                           QVariantList *binds);

// One row of a list.
struct ListRow {
    int id = 0;
    int parentId = 0;          // 0 for a root
    QVariant podnikId;
    QVariant strediskoId;
    QString podnikName;
    QString centreName;
    QString place;
    QString subject;
    QString persons;
    QString hash;
    QDateTime start;
    QDateTime end;
    QVariant source, category, state, priority, synchronisation, journey;
};
// Runs the list statement. An unfiltered register's page (nothing
// selected) lists nothing without asking the database.
bool readList(const Filter &filter, QVector<ListRow> *rows, QString *error);
// The threads of the given roots: the roots and every live reply below
// them, in id order (the roots as they are, without a filter).
bool readThreads(const QVector<int> &roots, QVector<ListRow> *rows, QString *error);

// A page of the global list: the roots in their order and the rows of
// their threads (id order).
struct Page {
    QVector<int> roots;
    QVector<ListRow> rows;
    PageCursor last;
    bool more = false;
};
bool readPage(const Filter &filter, const Sort &sort, const PageCursor &cursor, int limit, Page *page,
              QString *error);

// One event with the names of its enterprise and centre; *found false when
// there is no such row.
bool read(int id, EventRecord *record, bool *found, QString *error);

// The columns the pane edits and the values it writes for them, in the
// order of the pane's save; `global` adds the enterprise and the centre (the
// global pane moves events). An empty place, project number or person list
// is NULL, as a new event stores it.
FieldValues formValues(const EventRecord &record, bool global);
// Every edited column written at once (ts_modifikovano too).
bool update(const EventRecord &record, bool global, QString *error);

// Stores a new root event, or a reply when record.parentId is set (a reply
// keeps no enterprise, centre, codes or dates of its own; its state goes to
// the thread's root, `rootId`). *newId is the new event's id.
bool insert(const EventRecord &record, const QString &hash, const QVariant &rootId, QVariant *newId,
            QString *error);

// The root of the thread an event belongs to, and the root's state.
bool threadRoot(int id, int *rootId, QVariant *rootState, QString *error);

// Deletes a leaf event: in one transaction checks (with a lock) that no
// live reply names it, marks it deleted and removes its attachments.
enum class DeleteResult { Deleted, HasReplies, Failed };
DeleteResult removeLeaf(int id, QString *error);

// The stored HTML of a description: the editor's rich-text marker gets the
// UTF-8 charset declaration right after it (once).
QString withCharset(const QString &html);

// The description of a reply: the parent's text quoted under "Dne ...,
// napsáno:". A start at midnight is written as the date alone; a parent
// without a start is quoted under "Napsáno:".
QString quotation(const QDateTime &parentStart, const QString &parentDescription);

} // namespace EventStore
Q_DECLARE_METATYPE(EventStore::Filter)
Q_DECLARE_METATYPE(EventStore::Sort)
