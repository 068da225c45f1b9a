#pragma once

#include "events/eventstore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

// Events as an iCalendar file (RFC 5545), written with libical: one VEVENT
// per event with a start, its times in the Prague time zone (the stored
// times are Prague wall-clock times), a VTIMEZONE that says so, and a UID
// that stays the same from one export to the next.
namespace CalendarExport {

struct Entry {
    int id = 0;
    QString hash;          // issued by the service for the event; may be empty
    QString subject;
    QString description;   // plain text
    QString location;      // enterprise and centre names
    QDateTime start;       // Prague wall-clock time
    QDateTime end;         // null, or not after the start: see write()
};

// The events to export, in list order: each with the thread root whose
// enterprise and centre name its place (a reply is filed under nothing of
// its own). Events without a start are left out.
struct Listed {
    int id = 0;
    int rootId = 0;
};

// The events of a list's rows (EventStore::readList), each with its
// thread's root.
QVector<Listed> listed(const QVector<EventStore::ListRow> &rows);

// Reads the events (one statement per few hundred ids; the ids are bound),
// descriptions as plain text. False with the database's text on failure.
bool read(const QVector<Listed> &listed, QVector<Entry> *entries, QString *error);

// "udalost-<id>-<hash>@zrn", or "udalost-<id>@zrn" for an event without a
// hash: both are set once, when the event is stored, and the service's hash
// keeps events of different databases apart.
QString uid(const Entry &entry);

// The file. A start at midnight with no end, or with an end at midnight,
// is an all-day entry up to and including the end's day; otherwise the
// entry ends at the stored end, or an hour after the start when there is
// no end after it. Empty with *error on failure.
QByteArray write(const QVector<Entry> &entries, QString *error);

// The time zone of the stored times.
inline const char *timeZoneId() { return "Europe/Prague"; }

} // namespace CalendarExport
