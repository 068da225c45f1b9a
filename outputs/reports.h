#pragma once

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
};

// Overview: centres per licence range, contracts, and the contracts of the
// twelve months back from the month of `today`.
Result overview(const QDate &today, const Visibility &visibility);

// The economic table of the enterprises (print style).
Result economic(const Visibility &visibility);

Result centres(const Visibility &visibility);
Result updates(const Visibility &visibility);

// The host names of the two VNC repeaters head the columns of the counts.
Result vnc(const QString &firstServer, const QString &secondServer, const Visibility &visibility);

// The page shown before any report is chosen.
QString welcome();

// setHtml places the page in a percent-encoded data: URL that may not exceed
// 2 MB; a longer page has to be loaded from a file.
bool fitsSetHtml(const QString &html);

// The host part of "host" or "host:port".
QString hostOf(const QString &endpoint);

} // namespace Reports
