#include "register/webmap.h"

#include "db/servicekeys.h"

namespace WebMap {

QString base()
{
    return ServiceKeys::value(ServiceKeys::WebMap, DefaultBase);
}

QUrl url(const QString &base, const QString &coordinates)
{
    QString b = base;
    // "https://host/" and "https://host" name the same service.
    if (b.endsWith(QLatin1Char('/')))
        b.chop(1);
    const QString text = b + QStringLiteral("/maps") + QStringLiteral("?q=") + coordinates
        + QStringLiteral("&ll=") + coordinates + QStringLiteral("&z=12&t=m");
    return QUrl(text, QUrl::TolerantMode);
}

} // namespace WebMap
