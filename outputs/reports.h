#pragma once

#include "core/progress.h"
#include "core/visibility.h"

#include <QDate>
#include <QString>

// The HTML reports of the "Sestavy" tab, built from the database without any
// widget. Each report reads with a fixed number of statements, whatever the
// number of rows. Every value read is HTML-escaped. Each counts and lists
// only the enterprises and centres the user may see (their tree's).
namespace Reports {

struct Result {
    QString html;
    // The first statement that failed, or empty. The HTML is still complete,
    // with the tables of the failed statement left empty.
    QString error;
    // Stopped through the progress (nothing is written, so any time is
    // safe): the HTML is incomplete and not to be shown.
    bool cancelled = false;
};

// Each report tells its progress as it reads (the rows read; the total is
// not known beforehand) and stops when the progress answers false.

// Overview: centres per licence range, contracts, and the contracts of the
// twelve months back from the month of `today`.
Result overview(const QDate &today, const Visibility &visibility, const Progress &progress = Progress());

// The economic table of the enterprises (print style).
Result economic(const Visibility &visibility, const Progress &progress = Progress());

Result centres(const Visibility &visibility, const Progress &progress = Progress());
Result updates(const Visibility &visibility, const Progress &progress = Progress());

// The host names of the two VNC repeaters head the columns of the counts.
Result vnc(const QString &firstServer, const QString &secondServer, const Visibility &visibility,
           const Progress &progress = Progress());

// The page shown before any report is chosen.
QString welcome();

// setHtml places the page in a percent-encoded data: URL that may not exceed
// 2 MB; a longer page has to be loaded from a file.
bool fitsSetHtml(const QString &html);

// The host part of "host" or "host:port".
QString hostOf(const QString &endpoint);

} // namespace Reports
