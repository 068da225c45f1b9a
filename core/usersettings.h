#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

// The program's settings store: INI file in the user scope, organisation
// "Korbanit", application "ZRN". Every load or save opens its own object.
// The file holds the saved password, so it is kept readable by its owner
// only: created that way before the first write and re-protected after the
// object has written it.
class ZrnSettings : public QSettings
{
public:
    ZrnSettings();
    ~ZrnSettings() override;

    // Hand-edited or damaged values read as the default: an int outside
    // [min, max] or not a number, a bool that is not one of the usual
    // spellings.
    int intValue(const QString &key, int defaultValue, int min, int max) const;
    bool boolValue(const QString &key, bool defaultValue = false) const;
    QString textValue(const QString &key) const;
    QByteArray bytesValue(const QString &key) const;

    // Where the file lies (the platform's user-scope location).
    static QString path();
    // Owner read/write only; creates an empty file when missing.
    static bool protectFile(const QString &fileName);
};

// Options of the user page.
struct UserOptions {
    QString nextcloud;           // root of the document folders
    bool kategorie = false;      // pre-fill the category of a new event
    int kategorieIdx = 0;        // index in the category combo box
    bool schranka = false;       // copy the enterprise name to the clipboard
    QStringList z = {QString(), QString(), QString(), QString(), QString(), QString()}; // "Záložky opravněných osob"
    QString language = QStringLiteral("cs"); // "cs", "en" or "system"; anything else reads as "cs"

    static UserOptions load(ZrnSettings &s);
    void save(ZrnSettings &s) const;
    bool operator==(const UserOptions &o) const;
};

// The login and password used at the last successful dialog login.
struct SavedCredentials {
    QString login;
    QString password;

    static SavedCredentials load(ZrnSettings &s);
    void save(ZrnSettings &s) const;
};

