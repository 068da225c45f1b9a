#pragma once

#include <QString>

// Keys of the per-user settings file (INI, user scope, "Korbanit"/"ZRN").
// Other areas keep their own keys in the same store (export/, df/, version/,
// database/, services/, the table dialogs' column states).
namespace SettingsKeys {

// User page options.
inline const QString UserNextcloud = QStringLiteral("user/nextcloud");
inline const QString UserKategorie = QStringLiteral("user/kategorie");
inline const QString UserKategorieIdx = QStringLiteral("user/kategorie_idx");
inline const QString UserSchranka = QStringLiteral("user/schranka");
// "user/z1" ... "user/z6": the further addressees kept at hand.
inline QString userZ(int i) { return QStringLiteral("user/z%1").arg(i); }
inline constexpr int UserZCount = 6;
// Language of the texts from the next start: "cs" (the default), "en" or "system".
inline const QString UiLanguage = QStringLiteral("ui/language");

// Layout of the main window.
inline const QString TabIndexMain = QStringLiteral("tab/index_main");
inline const QString TabIndexTellmark = QStringLiteral("tab/index_tellmark");
inline const QString WindowGeometry = QStringLiteral("window/geometry");
inline const QString WindowState = QStringLiteral("window/state");

// Saved credentials (the password as typed).
inline const QString AccessUsername = QStringLiteral("accessn/username");
inline const QString AccessPassword = QStringLiteral("accessn/password");

// Filters of the event lists.
inline const QString MiscNedokoncene = QStringLiteral("misc/nedokoncene");
inline const QString MiscFiltrSKategorie = QStringLiteral("misc/filtr_skategorie");
inline const QString MiscFiltrSoo = QStringLiteral("misc/filtr_soo");
inline const QString MiscFiltrSooDalsi = QStringLiteral("misc/filtr_soo_dalsi");
inline const QString MiscFiltrKategorie = QStringLiteral("misc/filtr_kategorie");

// The advanced filter's condition.
inline const QString FiltrSql = QStringLiteral("filtr/sql");

// Splitters of the window: settings group and object name of the splitter.
struct SplitterKey {
    const char *key;
    const char *objectName;
};
inline constexpr SplitterKey Splitters[] = {
    {"splitter/state", "splitter"},
    {"splitterNavstevy/state", "splitter_2"},
    {"splitterPodnik/state", "splitter_3"},
    {"splitterSUdalosti/state", "splitter_4"},
    {"splitterStredisko/state", "splitter_5"},
    {"splitterSpecifikace/state", "splitter_6"},
    {"splitterUdalost/state", "splitter_7"},
    {"splitterSUdalostPrilohy/state", "splitter_8"},
    {"splitterUdalostPrilohy/state", "splitter_9"},
    {"splitterSUdalost/state", "splitter_s7"},
};

// Column widths and sort of the item views: prefix and the view's object name.
struct ViewKey {
    const char *prefix;
    const char *objectName;
};
inline constexpr ViewKey ViewTree = {"tableUser", "treeView"};
inline constexpr ViewKey ViewUdalosti = {"tableUdalosti", "treeViewUdalosti"};
inline constexpr ViewKey ViewSUdalosti = {"tableSUdalosti", "treeViewSUdalosti"};
inline constexpr ViewKey ViewAccess = {"tableAccess", "twu"};
inline constexpr ViewKey ViewCP = {"tableCP", "tcp"};

} // namespace SettingsKeys
