#include "core/columnvalues.h"

#include <QDateTime>

namespace ColumnValues {

QVariant text(const QString &fieldText)
{
    if (fieldText.isEmpty())
        return QVariant(QVariant::String);
    return fieldText;
}

QString identification(const QString &fieldText)
{
    // All Unicode white space: an IČO pasted from a web page often holds
    // non-breaking (U+00A0) or thin (U+2009) spaces.
    QString out;
    out.reserve(fieldText.size());
    for (const QChar c : fieldText) {
        if (!c.isSpace() && c != QChar(0x200B) && c != QChar(0xFEFF))
            out += c;
    }
    // An empty but non-null text, so that it is stored as "" and not NULL.
    return out.isEmpty() ? QStringLiteral("") : out;
}

QVariant identificationOrNull(const QString &fieldText)
{
    const QString value = identification(fieldText);
    return value.isEmpty() ? QVariant(QVariant::String) : QVariant(value);
}

QVariant date(const QDate &value)
{
    if (!value.isValid())
        return QVariant(QVariant::Date);
    return value;
}

QVariant codeListEntry(const QStringList &entries, int index)
{
    if (index <= 0 || index >= entries.size())
        return QVariant(QVariant::String);
    return entries.at(index);
}

int codeListIndex(const QStringList &entries, const QVariant &stored)
{
    const QString value = storedText(stored);
    if (value.isEmpty())
        return 0;
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).compare(value, Qt::CaseInsensitive) == 0)
            return i;
    }
    return 0;
}

int indexListIndex(int count, const QVariant &stored)
{
    bool ok = false;
    const int index = storedText(stored).trimmed().toInt(&ok);
    return ok && index >= 0 && index < count ? index : 0;
}

QDate storedDate(const QVariant &stored)
{
    if (stored.isNull())
        return QDate();
    if (stored.type() == QVariant::Date)
        return stored.toDate();
    if (stored.type() == QVariant::DateTime)
        return stored.toDateTime().date();
    // The embedded database hands dates back as ISO text, sometimes with a time.
    return QDate::fromString(stored.toString().left(10), Qt::ISODate);
}

QString storedText(const QVariant &stored)
{
    if (stored.isNull())
        return QString();
    if (stored.type() == QVariant::ByteArray)
        return QString::fromUtf8(stored.toByteArray());
    return stored.toString();
}

} // namespace ColumnValues
