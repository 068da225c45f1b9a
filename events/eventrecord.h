#pragma once

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVariant>

// One event as the pane, the event dialog and the store pass it around: the
// columns of `tellmark_udalosti` the user sees and edits. Values that may be
// NULL in the table are variants or null dates, so that a NULL stays NULL
// through a load and a save. Coded values (source, category, state,
// priority, synchronisation) are variants too: a stored value the program
// has no item for (a category 64, a state 7, NULL) comes back unchanged.
struct EventRecord {
    QVariant id;              // null for an event not stored yet
    QVariant parentId;        // null (or 0) for a root event
    QVariant podnikId;        // enterprise the event is filed under
    QVariant strediskoId;     // centre the event is filed under
    QString podnikName;       // read only: name of podnikId
    QString strediskoName;    // read only: name of strediskoId

    QDateTime start;          // ts_zacatek
    QDateTime calendarStart;  // ts_kal_zacatek; null = no calendar entry
    QDateTime end;            // ts_konec
    QString place;            // lokalita
    QVariant source;          // zdroj
    QVariant category;        // kategorie
    QVariant state;           // stav
    QVariant priority;        // priorita
    QVariant synchronisation; // typ_synchronizace
    bool journey = false;     // cesta
    QString project;          // cislo_projektu
    QString persons;          // odpovedna_osoba: codes and addresses joined by ","
    bool mail = false;        // notifikace
    bool service = false;     // notifikacef
    QString subject;          // predmet
    QString description;      // popis (rich-text HTML)
    QString hash;             // issued by the service client
    QDate notifyFrom;         // upozornit_od; null = at once

    // The stored values as read, by upper-case column name (EventStore::read):
    // what a save compares against to notice a colleague's change.
    QHash<QString, QVariant> stored;

    bool isRoot() const { return parentId.isNull() || parentId.toLongLong() == 0; }
};
