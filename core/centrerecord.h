#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// The whole row of one centre as the centre statement reads it, with the
// enterprise and holding names. One read fills every centre page ("O
// středisku", "Specifikace", "Vzdálený přístup", "Přístupy", "GPS").
struct CentreRecord {
    // Result columns by position.
    enum Column {
        PodnikNazev = 0,
        Uvnc1Host = 1,           // 1-12: host, id, password of VNC 1-4
        Tv1Host = 13,            // 13-18: host, id, password of TeamViewer 1-2
        AkceNazevUpper = 19,
        LicenceCisloUpper = 20,
        Spusteni = 21,
        PocetKusu = 22,
        PocetKrav = 23,
        PocetObojku = 24,
        Aktualizovano = 25,
        PocetAktualizaci = 26,
        VerzeProgramu = 27,
        PoznamkovyBlok = 28,
        DruheSkoleni = 40,
        PodnikJmeno = 41,
        PodnikTelefon = 42,
        PodnikEmail = 43,
        UpdateOmezen = 44,
        Gps = 45,
        CloudCislo = 46,
        Id = 51,
        NazevHolding = 53,
        AkceNazev = 54,
        Ico = 55,
        DbUuid = 56,
        SpecFirst = 57,          // 57-110: the technology columns ("Specifikace")
        LicenceCislo = 111,
        Sakb = 112,
        Hospodarstvi = 113,
        SkuDatum = 114,
        SkuDojnic = 115,
        SkuStupen = 116,
        EagriUzivatel = 117,
        EagriHeslo = 118,
        KuCmschUzivatel = 119,
        KuCmschHeslo = 120,
        Uvnc5Host = 121,         // 121-126: host, id, password of VNC 5-6
        ColumnCount = 127
    };

    bool found = false;
    QVector<QVariant> values;

    QVariant value(int column) const { return column >= 0 && column < values.size() ? values.at(column) : QVariant(); }
    // A column of the centre by its name (case-insensitive).
    QVariant value(const QString &column) const { return value(position(column)); }
    // Position of a column of the centre in the row; -1 when not read.
    static int position(const QString &column);
    // A column as field text: NULL is empty, stored bytes are UTF-8.
    QString text(int column) const;
    // Position of a technology column ("Specifikace") (SSW ... SDOJPR) in the row; -1
    // when the statement does not read it (SAKB comes at Sakb).
    static int specColumn(const QString &name);

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
