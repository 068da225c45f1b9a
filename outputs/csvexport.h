#pragma once

#include "core/progress.h"
#include "core/visibility.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The enterprise export to a CSV file, without widgets: settings, titles,
// the file's bytes and writing them. The dialog and the entry point of the
// main window are in outputs/dialogcsvform.h.
namespace CsvExport {

// Remembered choices of the export dialog.
inline const QString KeyFilename = QStringLiteral("export/filename");
inline const QString KeyWithHeader = QStringLiteral("export/withHeader");
inline const QString KeySeparator = QStringLiteral("export/separator");
inline const QString KeyDateFormat = QStringLiteral("export/dformat");
inline const QString KeyCodec = QStringLiteral("export/codec");
// The one login that may export the contract columns; read from the
// system-wide settings file only, so no user can grant it to himself.
inline const QString KeyContractsLogin = QStringLiteral("export/contracts_login");

inline const QString CodecUtf8 = QStringLiteral("UTF-8");
inline const QString CodecWin1250 = QStringLiteral("WIN-1250");

// The choices the dialog offers, in combo order.
QStringList separators();
QStringList dateFormats();
QStringList codecs();

struct CsvOptions {
    QChar separator = QLatin1Char(';');
    QString dateFormat = QStringLiteral("dd.MM.yyyy");
    QString codec = CodecWin1250;  // an unknown name writes UTF-8
    bool withHeader = true;
    bool withGps = false;          // the user's admin right
    bool withContracts = false;    // the designated login only
};

// The five remembered choices with their defaults; the file name defaults to
// podniky.csv in `desktop`.
struct StoredChoices {
    QString fileName;
    bool withHeader = true;
    QString separator;
    QString dateFormat;
    QString codec;

    static StoredChoices load(const QString &desktop);
    void save() const;
};

// 29 titles, 40 with the contract columns.
QStringList titles(bool withContracts);

// What a built file holds beyond its bytes.
struct CsvReport {
    int enterprises = 0;        // data lines
    // "Title: value" of every value the chosen encoding cannot hold (it
    // would turn into "?"); empty for UTF-8.
    QStringList unencodable;
    // Stopped through the progress: the array is empty, nothing is to be written.
    bool cancelled = false;
};

// The whole file: header line (when asked) and one line per enterprise in
// the order of `ids`; ids without a row, and enterprises the user may not
// see, get no line. Every line ends with CR LF. All enterprises are read with
// one statement. On a failed read returns an empty array and the reason in
// *error (which is emptied on success).
// progress counts the enterprises read and then the lines made.
QByteArray buildCsv(const QList<int> &ids, const Visibility &visibility, const CsvOptions &options,
                    QString *error, CsvReport *report = nullptr, const Progress &progress = Progress());

// One field as the file holds it: quoted with doubled quotes when it
// contains the separator, a quote or a line break.
QString field(const QString &value, QChar separator);
// One line of the file: every field (quoted as above) followed by the
// separator, and CR LF.
QString line(const QStringList &values, QChar separator);
// The file's text in the chosen encoding (WIN-1250, anything else UTF-8).
QByteArray encode(const QString &text, const QString &codec);
// Whether the chosen encoding holds the value (UTF-8 holds everything).
bool canEncode(const QString &value, const QString &codec);
// A number as the file holds it: plain decimal with a point (1200.5).
QString numberText(const QVariant &value);
// A text value a spreadsheet would take for a formula (it starts with =, +,
// - or @) gets a leading apostrophe, so the cell shows it as text.
QString textValue(const QString &value);

// Replaces the file with the bytes (written completely or not at all).
// False with the reason, in Czech, in *error.
bool writeFile(const QString &fileName, const QByteArray &bytes, QString *error);

// "1 podnik", "3 podniky", "12 podniků".
QString enterprisesText(int count);

// The login allowed to see contract columns ("" = nobody), from the
// system-wide settings file.
QString contractsLogin();
// The system-wide settings file read for it; tests point it elsewhere
// (an empty path restores the system one).
QString systemSettingsFile();
void setSystemSettingsFile(const QString &path);

} // namespace CsvExport
