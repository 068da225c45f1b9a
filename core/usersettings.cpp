#include "core/usersettings.h"

#include "core/settingskeys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char *const Organisation = "Korbanit";
const char *const Application = "ZRN";
}

ZrnSettings::ZrnSettings()
    : QSettings(QSettings::IniFormat, QSettings::UserScope, QLatin1String(Organisation),
                QLatin1String(Application))
{
    // Before anything is written: a new file must never exist, even for a
    // moment, with the password readable by others. Rewrites keep the mode.
    if (!QFileInfo::exists(fileName()))
        protectFile(fileName());
}

ZrnSettings::~ZrnSettings()
{
    sync();
    protectFile(fileName());
}

QString ZrnSettings::path()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QLatin1String(Organisation),
                     QLatin1String(Application))
        .fileName();
}

bool ZrnSettings::protectFile(const QString &fileName)
{
    QFile file(fileName);
    if (!file.exists()) {
        QDir().mkpath(QFileInfo(fileName).absolutePath());
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.close();
    }
    return file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

int ZrnSettings::intValue(const QString &key, int defaultValue, int min, int max) const
{
    const QVariant v = value(key);
    if (!v.isValid())
        return defaultValue;
    bool ok = false;
    const qlonglong n = v.toString().trimmed().toLongLong(&ok);
    if (!ok || n < min || n > max)
        return defaultValue;
    return int(n);
}

bool ZrnSettings::boolValue(const QString &key, bool defaultValue) const
{
    const QVariant v = value(key);
    if (!v.isValid())
        return defaultValue;
    const QString t = v.toString().trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("1"))
        return true;
    if (t == QLatin1String("false") || t == QLatin1String("0") || t.isEmpty())
        return false;
    return defaultValue;
}

QString ZrnSettings::textValue(const QString &key) const
{
    const QVariant v = value(key);
    // A hand-edited list ("a, b") comes back as a string list; keep its text.
    if (v.type() == QVariant::StringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

QByteArray ZrnSettings::bytesValue(const QString &key) const
{
    return value(key).toByteArray();
}

UserOptions UserOptions::load(ZrnSettings &s)
{
    using namespace SettingsKeys;
    UserOptions o;
    o.nextcloud = s.textValue(UserNextcloud);
    o.kategorie = s.boolValue(UserKategorie);
    o.kategorieIdx = s.intValue(UserKategorieIdx, 0, 0, 1000);
    o.schranka = s.boolValue(UserSchranka);
    for (int i = 0; i < UserZCount; ++i)
        o.z[i] = s.textValue(userZ(i + 1));
    const QString language = s.textValue(UiLanguage);
    if (language == QLatin1String("en") || language == QLatin1String("system"))
        o.language = language;
    return o;
}

void UserOptions::save(ZrnSettings &s) const
{
    using namespace SettingsKeys;
    s.setValue(UserNextcloud, nextcloud);
    s.setValue(UserKategorie, kategorie);
    s.setValue(UserKategorieIdx, kategorieIdx);
    s.setValue(UserSchranka, schranka);
    for (int i = 0; i < UserZCount; ++i)
        s.setValue(userZ(i + 1), z.value(i));
    s.setValue(UiLanguage, language);
}

bool UserOptions::operator==(const UserOptions &o) const
{
    return nextcloud == o.nextcloud && kategorie == o.kategorie
        && kategorieIdx == o.kategorieIdx && schranka == o.schranka && z == o.z
        && language == o.language;
}

SavedCredentials SavedCredentials::load(ZrnSettings &s)
{
    return {s.textValue(SettingsKeys::AccessUsername), s.textValue(SettingsKeys::AccessPassword)};
}

void SavedCredentials::save(ZrnSettings &s) const
{
    s.setValue(SettingsKeys::AccessUsername, login);
    s.setValue(SettingsKeys::AccessPassword, password);
}

