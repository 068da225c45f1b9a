#include "core/notice.h"

#include <QCoreApplication>

namespace Notice {

namespace {
QString clock(const QTime &at)
{
    return at.toString(QStringLiteral("HH:mm"));
}
} // namespace

QString saved(const QTime &at)
{
    return QCoreApplication::translate("Notice", "Uloženo %1").arg(clock(at));
}

QString exported(const QString &file, const QTime &at)
{
    return QCoreApplication::translate("Notice", "Exportováno %1: %2").arg(clock(at), file);
}

QString attachmentStored(const QString &file, const QTime &at)
{
    return QCoreApplication::translate("Notice", "Příloha uložena %1: %2").arg(clock(at), file);
}

} // namespace Notice
