#pragma once

#include "core/visibility.h"
#include "outputs/csvexport.h"

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

// The contracts of the "Fakturace" tab, without widgets: the one statement
// that reads them, the text filter, the totals per currency, the CSV file
// and the printed table.
//
// A contract is an enterprise with any contract data: an organisation or a
// number, a start of invoicing, a yearly amount above 0 or a signing date.
namespace FakturaceStore {

struct Contract {
    int id = 0;                // tellmark_podniky.id
    QString organisation;      // SMLOUVA_ORGANIZACE
    QString number;            // SMLOUVA_CISLO
    QString enterprise;        // podnik_nazev
    QDate from;                // SMLOUVA_FAKTURACE_OD
    QVariant amount;           // SMLOUVA_FAKTURACE_CASTKA_ROK (double, null when none)
    QString currency;          // SMLOUVA_FAKTURACE_MENA
    QVariant discount;         // SMLOUVA_FAKTURACE_SLEVA
    QVariant discountMonths;   // SMLOUVA_FAKTURACE_SLEVA_OBDOBI
    QString months;            // SMLOUVA_FAKTURACE_MESICE
    QString period;            // SMLOUVA_FAKTURACE_OBDOBI
    QString retroactive;       // SMLOUVA_FAKTURACE_ZPETNE
    QDate signedOn;            // SMLOUVA_PODEPSANO
    QString note;              // SMLOUVA_POZNAMKA
};

enum class Signed { All, SignedOnly, UnsignedOnly };

struct Filter {
    Signed state = Signed::All;
    // Start of invoicing within [from, to]; an invalid date leaves that end
    // open. With either end set, contracts without a start are left out.
    QDate from, to;
    // Searched in every text column and the enterprise's name, without
    // regard to case and accents (as the tree's quick filter).
    QString text;
};

// The columns in order, as the tab and the file title them.
enum Column {
    Organisation, Number, Enterprise, From, Amount, Currency, Discount, DiscountMonths,
    Months, Period, Retroactive, SignedOn, Note, ColumnCount
};
QStringList titles();
// The cell of a column as the table, the file and the print show it
// (dates in dateFormat, numbers plain with a point).
QString text(const Contract &c, int column, const QString &dateFormat = QStringLiteral("dd.MM.yyyy"));
// The cell as the table and the print show it: the amount in the Czech
// number format with two decimals ("14 800,00").
QString shownText(const Contract &c, int column);

// Reads the contracts the user may see that pass the state and the date
// range of the filter (the text is left to matches()), with one statement.
// False with the database's reason in *error.
bool read(const Visibility &visibility, const Filter &filter, QList<Contract> *out, QString *error);

// Whether the contract passes the filter's text.
bool matches(const Contract &c, const QString &text);
// read() and then the text.
QList<Contract> shown(const QList<Contract> &all, const QString &text);

// Sum of the yearly amounts per currency (upper case, blanks trimmed; the
// empty currency stays a key of its own), in hundredths so that sums are
// exact. Contracts without an amount add nothing.
QMap<QString, qint64> totals(const QList<Contract> &contracts);
// "CZK 12 345,50; EUR 1 000,00" in the Czech number format.
QString totalsText(const QMap<QString, qint64> &totals);

// The file: titles (when asked) and one line per contract in the given
// order, quoted and encoded as the enterprise export writes them.
// *unencodable lists the values the chosen encoding cannot hold.
QByteArray csv(const QList<Contract> &contracts, const CsvExport::CsvOptions &options,
               QStringList *unencodable = nullptr);

// The table as an HTML page for printing (every value escaped), with the
// filter described above it and the totals below.
QString html(const QList<Contract> &contracts, const QString &filterText);

} // namespace FakturaceStore
