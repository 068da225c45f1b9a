#pragma once

#include <QLocale>
#include <QString>

struct DbConfig;

// What main() does before the window exists: the program's language and
// the database it works on.
namespace Startup {

// The program is Czech whatever the machine says: Czech collation for
// sorting, Czech number and date formats, and Qt's own Czech texts for the
// standard buttons ("Zrušit", "Ano", "Ne") when they are installed.
// Returns false when Qt's Czech translation could not be loaded.
bool applyCzechLocale();

// The language of the program's texts for the "ui/language" setting: "cs"
// (the default, also for an unknown value), "en", or "system", the language
// of `system` when the program has a translation for it, else Czech.
QString uiLanguage(const QString &setting, const QLocale &system = QLocale::system());

// Installs the texts of the language chosen by `setting` (see uiLanguage):
// the program's own translation and Qt's texts of the standard buttons in
// that language, replacing the ones installed before. Czech is the language
// of the sources, so it needs no translation of its own. Numbers, dates and
// sorting stay Czech in every language (the data are Czech). Returns false
// when a translation could not be loaded.
bool applyLanguage(const QString &setting, const QLocale &system = QLocale::system());
// The same for the setting stored in the user's settings file; called in
// main() before any window is built.
bool applyStoredLanguage(const QLocale &system = QLocale::system());

// The executable's own absolute path, whatever the working folder and
// however it was started (through PATH, a link, a folder with Czech
// letters): the viewer, update and document paths are built from it.
QString programPath();

// Opens the configured database. A new default embedded file gets the
// schema and the demo data (demo/demo); a new file elsewhere gets the
// schema only and no users. False with a message that names the file, the
// server or the setting at fault.
bool openDatabase(const DbConfig &cfg, QString *error);

// The hint shown before the login when the database has no user yet: how
// to add the first one with zrnctl. Empty when a user exists (or the
// table cannot be read: the login then says what it says).
QString firstUserNotice();

} // namespace Startup
