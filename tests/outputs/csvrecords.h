#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// The records of a CSV text as a spreadsheet reads them (RFC 4180): CR LF
// ends a record; a quoted field may hold the separator, doubled quotes and
// line breaks. A line ending in the separator gives an empty last field.
inline QList<QStringList> parseCsv(const QString &text, QChar sep)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == QLatin1Char('"') && text.mid(i + 1, 1) == QLatin1String("\"")) {
            field += text.at(++i);
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && c == sep) {
            record << std::exchange(field, QString());
        } else if (!quoted && c == QLatin1Char('\r') && text.mid(i + 1, 1) == QLatin1String("\n")) {
            ++i;
            record << std::exchange(field, QString());
            records << std::exchange(record, QStringList());
        } else {
            field += c;
        }
    }
    return records;
}
