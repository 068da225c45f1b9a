#pragma once

#include "core/progress.h"

#include <QList>
#include <QString>
#include <QStringList>

// The service jobs of the users tab, without widgets: the tab asks for the
// file and shows the report.
namespace ServiceImports {

// What a job found or did, for the user (a text dialog) and the debug log.
struct Report {
    QStringList lines;     // one finding per line
    int changedRows = 0;   // rows written (matched rows, counted the same on both backends)
    QString error;         // empty when the job ran; otherwise why it stopped
    QString summary;       // one sentence of counts, shown above the lines
    bool cancelled = false; // stopped by the user: nothing was written
    QString text() const;  // the summary and the lines, for the text dialog
};

// A CSV file as lines of fields separated by ";" (empty fields kept): UTF-8
// with or without a byte-order mark, else Windows-1250; CRLF or LF line ends.
// False with a message when the file cannot be read. Row i is line i + 1 of
// the file (a blank line gives no fields); the final line break starts no line.
bool readCsv(const QString &path, QList<QStringList> *rows, QString *error);

// Each job reports its progress and stops when asked to (see Progress).
// The imports write in one unit that a stop rolls back, the others only
// read, so a stopped job leaves the database as it was.
Report importKu(const Progress &progress = Progress());                                // "Import údajů KU"
Report importCh6(const QString &csvPath, const Progress &progress = Progress());        // "Import CH6 z kjjt32.csv"
Report eventDateCheck(const Progress &progress = Progress());                          // "ARES kontrola"
Report plemkoCompare(const QString &csvPath, const Progress &progress = Progress());    // "Plemko - uživatelé"
Report enterpriseImport(const QString &csvPath, const Progress &progress = Progress()); // "Import podniků"

// The centre key a Plemko line is matched by: kraj + staj padded left with
// "0" to 8, cut to 8 characters, padded right with "0" when shorter.
QString plemkoKey(const QString &kraj, const QString &staj);

// The staff login of a responsible person as an enterprise list names them:
// the name in either order, with or without accents, or the person's code.
// Empty when the person is not on the staff.
QString staffLogin(const QString &person);

} // namespace ServiceImports
