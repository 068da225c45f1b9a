#include "register/detailpages.h"

#include "app/session.h"

namespace DetailPages {

const char *const Podnik = "tab_podnik";
const char *const Stredisko = "tab_stredisko";
const char *const Specifikace = "tab_specifikace";
const char *const VzdalenyPristup = "tab_vzdaleny_pristup";
const char *const Pristupy = "tab_pristupy";
const char *const Gps = "tab_gps";
const char *const Udalosti = "tab_udalosti";
const char *const Vyber = "tab_vyber";

QStringList pagesFor(const UserRights &rights, RowKind kind)
{
    QStringList pages;
    switch (kind) {
    case RowKind::None:
        pages << Vyber;
        break;
    case RowKind::Enterprise:
        // The minimal view has no enterprise pages at all: only the prompt.
        if (rights.minimal != 0) {
            pages << Vyber;
            break;
        }
        pages << Podnik << Gps;
        if (rights.udalosti > 0)
            pages << Udalosti;
        break;
    case RowKind::Centre:
        if (rights.minimal != 0) {
            pages << VzdalenyPristup;
            break;
        }
        pages << Stredisko << Specifikace;
        if (rights.vp != 0)
            pages << VzdalenyPristup;
        if (rights.pristupy != 0)
            pages << Pristupy;
        pages << Gps;
        if (rights.udalosti > 0)
            pages << Udalosti;
        break;
    }
    return pages;
}

} // namespace DetailPages
