#pragma once

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
