#include "events/eventcodes.h"

#include "core/eciselniky.h"

#include <QCoreApplication>

namespace EventCodes {

QString name(Kind kind, const QVariant &code)
{
    bool ok = false;
    const int value = code.toInt(&ok);
    if (code.isNull() || !ok)
        return QString();
    if (kind == Category)
        return ECiselniky().categories().value(value);
    auto tr = [](const char *text) { return QCoreApplication::translate("EventCodes", text); };
    QStringList names;
    switch (kind) {
    case Source:
        names = QStringList{tr("Nespecifikováno"), tr("Tellmark"), tr("ZRN"), tr("Mail"), tr("Nextcloud")};
        break;
    case State:
        names = QStringList{tr("Nespecifikováno"), tr("Nahlášeno"), tr("Rozpracováno"), tr("Uzavřeno")};
        break;
    case Priority:
        names = QStringList{tr("Nespecifikováno"), tr("Nízká"), tr("Normální"), tr("Vysoká")};
        break;
    case Synchronisation:
        names = QStringList{tr("Žádná"), tr("Kalendář")};
        break;
    case Category:
        break;
    }
    return names.value(value);
}

} // namespace EventCodes
