#pragma once

#include <QStringList>

struct UserRights;

// Which detail pages of the register tab a row of the tree offers, as object
// names in tab order. Decided anew on every selection from the user's rights.
namespace DetailPages {

enum class RowKind { None, Enterprise, Centre };

// Object names of the pages of `twe`, in their tab order.
extern const char *const Podnik;            // "O podniku"
extern const char *const Stredisko;         // "O středisku"
extern const char *const Specifikace;       // "Specifikace"
extern const char *const VzdalenyPristup;   // "Vzdálený přístup"
extern const char *const Pristupy;          // "Přístupy"
extern const char *const Gps;               // "GPS"
extern const char *const Udalosti;          // "Události"
extern const char *const Vyber;             // "Výběr"

QStringList pagesFor(const UserRights &rights, RowKind kind);

} // namespace DetailPages
