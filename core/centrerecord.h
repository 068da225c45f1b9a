#pragma once

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The whole row of one centre as the centre statement reads it, with the
// enterprise and holding names. One read fills every centre page ("O
// středisku", "Specifikace", "Vzdálený přístup", "Přístupy", "GPS").
// Columns are found by name ("AKCE_NAZEV", "uvnc1_host", "SDOJ"; any letter
// case), never by their place in the statement.
struct CentreRecord {
    bool found = false;
    QHash<QString, QVariant> values;   // by the upper-case column name

    QVariant value(const QString &column) const { return values.value(column.toUpper()); }
    QVariant value(const char *column) const { return value(QLatin1String(column)); }
    // A column as field text: NULL is empty, stored bytes are UTF-8.
    QString text(const QString &column) const;
    QString text(const char *column) const { return text(QLatin1String(column)); }
    // Whether the statement reads this column.
    static bool reads(const QString &column);

    // The centre statement; the centre id is its one bound value.
    static QString statement();

    // Reads the centre with the given id. A centre that does not exist gives
    // found == false and true; a failing statement gives false and *error.
    static bool read(const QVariant &centreId, CentreRecord *record, QString *error = nullptr);
};

namespace CentreStore {
// An id of the session (int or text) as the value bound to "where id=".
QVariant idValue(const QVariant &id);
// A licence number is stored only when the text is an integer greater than 0;
// anything else (empty, 0, not a number) is NULL.
QVariant licenceOrNull(const QString &text);
}
