#pragma once

#include <QString>

class ZrnSettings;

// What the user narrowed an event list to, beside the rights: the
// categories and, on the global list, the responsible persons, the further
// mailboxes and "Nedokončené". Each list keeps its own; it is read from the
// settings when the list is made and written back when the list goes
// ("misc/filtr_*", "misc/nedokoncene").
struct EventListFilter {
    QString categories;      // codes joined by ","
    QString persons;         // "" all, "none" nobody, or codes (global list)
    QString furtherPersons;  // further mailboxes (global list)
    bool unfinished = false; // "Nedokončené" (global list)

    static EventListFilter load(ZrnSettings &s, bool global);
    void save(ZrnSettings &s, bool global) const;
    bool operator==(const EventListFilter &o) const
    {
        return categories == o.categories && persons == o.persons && furtherPersons == o.furtherPersons
            && unfinished == o.unfinished;
    }
    bool operator!=(const EventListFilter &o) const { return !(*this == o); }
};
