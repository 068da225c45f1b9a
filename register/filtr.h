#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QSettings;

// The advanced filter of the enterprise tree: the confirmed state of the
// filter dialog and the condition built from it over the tree statement's
// aliases pdq (enterprises), hdq (holdings) and stq (centres).
//
// The tree never runs condition text read from the settings: the condition
// is built anew from the stored state, whose values are checked on the way
// in - enterprise ids and the cow count as whole numbers, list entries as
// one of the list's own texts, typed texts as literals quoted by the
// database driver (a "%" or "_" typed into IČO stays a wildcard of the
// like, as the user would expect of a "contains" search).
namespace Filtr {

// A criterion with a list beside its check box. `entry` is the text of the
// chosen entry, stored beside its index so that a list filled from the
// database (holdings, persons) restores the same entry after rows came or
// went; the index is the fall-back of older settings.
struct ListChoice {
    bool on = false;
    int index = 0;
    QString entry;
};

struct State {
    ListChoice holding;
    bool podniky = false;
    QString podnikyIds;       // comma-separated enterprise ids
    bool ico = false;
    QString icoText;
    ListChoice zeme;
    bool region = false;
    bool regionSt = false, regionTa = false, regionLi = false, regionUh = false, regionTm = false;
    ListChoice chsw;
    ListChoice oo;
    bool dojniceOd = false;
    QString dojniceText;
    bool poznamka = false;
    QString poznamkaText;
    ListChoice stavSw;
    ListChoice stavTech;
    bool licence = false;
    ListChoice techSw;
    ListChoice dojirna;
    ListChoice aktivita;
    ListChoice reprodukce;
    bool negace = false;

    // The "df/..." keys; a missing key reads as false, 0 or empty.
    static State load(QSettings &settings);
    void save(QSettings &settings) const;
};

// The fixed lists of the dialog ("Neurčeno" first), in the order shown.
QStringList zemeList();
QStringList chovatelskySwList();
QStringList stavSwList();
QStringList stavTechList();
QStringList techSwList();
QStringList dojirnaList();
QStringList aktivitaList();
QStringList reprodukceList();

// The lists filled from the database ("Neurčeno" first). False with the
// database error when a statement fails.
bool holdingList(QStringList *list, QString *error);
bool personList(QStringList *list, QString *error);

// The whole numbers above 0 of a comma-separated list, in order, without
// duplicates, joined by ",".
QString cleanIds(const QString &ids);
// "Počet vybraných podniků :" and the number of ids.
QString podnikyText(const QString &ids);

// The lists from the database, asked for only when a stored entry text is
// missing (settings of older versions) and the index must be resolved.
struct Lists {
    std::function<QStringList()> holdings;
    std::function<QStringList()> persons;
};

// The condition of a confirmed state; empty switches the filter off.
// `quote` makes an SQL string literal of a text (the driver's own quoting).
QString condition(const State &state, const Lists &lists, const std::function<QString(const QString &)> &quote);

// The same with the open database's driver quoting and its lists.
QString conditionForDatabase(const State &state);

} // namespace Filtr
