#pragma once

#include <QSet>
#include <QStringList>
#include <QVariant>

// Ids of the register are whole numbers above 0; 0, NULL, an empty or
// non-numeric value means "none" (outside systems store 0 for no parent).
inline bool isValidId(const QVariant &id)
{
    if (!id.isValid() || id.isNull())
        return false;
    bool ok = false;
    const qlonglong n = id.toLongLong(&ok);
    return ok && n > 0;
}

// The whole numbers above 0 of a comma-separated id list, in order, each
// once, joined by ","; anything else (words, "1) or (1=1", 0, -3) is dropped.
inline QString cleanIdList(const QString &ids)
{
    QStringList kept;
    QSet<qlonglong> seen;
    for (const QString &part : ids.split(QLatin1Char(','))) {
        bool ok = false;
        const qlonglong id = part.trimmed().toLongLong(&ok);
        if (!ok || id <= 0 || seen.contains(id))
            continue;
        seen.insert(id);
        kept << QString::number(id);
    }
    return kept.join(QLatin1Char(','));
}
