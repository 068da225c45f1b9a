#pragma once

#include <QtGlobal>

// The staff as the events know them. Responsible persons are stored by code
// (one or two letters) or by mailbox address in `odpovedna_osoba` and
// `O_ODPOVEDNA_OSOBA`, so these values must stay as the existing rows have
// them. Plain data: the code lists (events/eciselniky.h), the person chooser
// and the demo data all read this one table.
namespace StaffTable {

struct Member {
    const char *login;     // lower-case fragment of the member's login
    const char *code;      // responsible-person code
    const char *name;      // display name
    bool listed;           // in the persons list (names shown, filters)
    bool chooser;          // a person box of the responsible-person chooser
};

// Václav Kopal has left: his code stays in the list so that old events keep
// showing his name, but he is no longer offered in the chooser. Radek
// Růžička joined after the list was fixed; he can be chosen, and his code is
// shown as it is.
inline constexpr Member members[] = {
    {"novotny", "JN", QT_TRANSLATE_NOOP("ECiselniky", "Jan Novotný"), true, true},
    {"kral", "PK", QT_TRANSLATE_NOOP("ECiselniky", "Petr Král"), true, true},
    {"dvorak", "MD", QT_TRANSLATE_NOOP("ECiselniky", "Martin Dvořák"), true, true},
    {"havel", "LH", QT_TRANSLATE_NOOP("ECiselniky", "Lukáš Havel"), true, true},
    {"sediva", "ES", QT_TRANSLATE_NOOP("ECiselniky", "Eva Šedivá"), true, true},
    {"brabec", "TB", QT_TRANSLATE_NOOP("ECiselniky", "Tomáš Brabec"), true, true},
    {"mares", "JM", QT_TRANSLATE_NOOP("ECiselniky", "Jiří Mareš"), true, true},
    {"kopal", "VK", QT_TRANSLATE_NOOP("ECiselniky", "Václav Kopal"), true, false},
    {"ruzicka", "R", QT_TRANSLATE_NOOP("ECiselniky", "Radek Růžička"), false, true},
};

// Shared mailboxes of support and technology (general, Russian, Polish).
inline constexpr const char *mailboxes[] = {
    "podpora@tellmark.cz", "podpora.ru@tellmark.cz", "podpora.pl@tellmark.cz",
    "technologie@tellmark.cz", "technologie.ru@tellmark.cz", "technologie.pl@tellmark.cz",
};

} // namespace StaffTable
