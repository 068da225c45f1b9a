#pragma once

#include <QString>
#include <QUrl>

// The public web map the "GPS" page shows a position on.
namespace WebMap {

// Used when the settings store names no map service (key services/webmap).
inline const QString DefaultBase = QStringLiteral("https://maps.google.com");

// The base address from the settings store, or DefaultBase.
QString base();

// base + "/maps?q=<coordinates>&ll=<coordinates>&z=12&t=m": the coordinate
// text goes in twice, as typed; an empty text gives empty q and ll.
QUrl url(const QString &base, const QString &coordinates);

} // namespace WebMap
