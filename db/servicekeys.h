#pragma once

#include <QSettings>
#include <QString>

// Addresses of the web services, kept in the program's settings store beside
// the database keys. QSettings falls back to the system-wide file with the
// same keys, so an administrator can roll out one configuration.
namespace ServiceKeys {
// Base URL of the maker's service (releases, event hashes, synchronisation).
// Empty: the client works locally (see QSAPITellmark).
inline const QString Api = QStringLiteral("services/api");
// Optional bearer token sent to the maker's service.
inline const QString ApiToken = QStringLiteral("services/api_token");
// Base URL of the ARES REST interface.
inline const QString Ares = QStringLiteral("services/ares");
// Base URL of the map-rendering service.
inline const QString WebMap = QStringLiteral("services/webmap");

inline const QString AresDefault = QStringLiteral("https://ares.gov.cz/ekonomicke-subjekty-v-be/rest");

// The VNC repeaters, "host" or "host:port". Every launch button uses the
// first one; the second is kept for the launcher to be pointed at. No
// default: without a repeater the viewer reaches nobody.
inline const QString VncRepeater = QStringLiteral("services/vnc_repeater");
inline const QString VncRepeater2 = QStringLiteral("services/vnc_repeater2");
inline constexpr int VncRepeaterPort = 5901;
// The maker's update server that hands out fresh VNC ids at
// "/generated_id.txt": a host (with an optional port, asked over https) or a
// whole address (plain http only when it says "http://").
inline const QString Update = QStringLiteral("services/update");

// The release date last installed or first seen; written by the self-update
// at start-up, read by the local mode of QSAPITellmark.
inline const QString LastRelease = QStringLiteral("version/server_last");

// A text value of the settings store, trimmed; def when missing or empty.
inline QString value(const QString &key, const QString &def = QString())
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"));
    const QString v = s.value(key).toString().trimmed();
    return v.isEmpty() ? def : v;
}
}
