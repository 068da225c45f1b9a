#pragma once

#include "core/visibility.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

// Settings keys of the map (same store as the other services/ keys).
namespace MapKeys {
// Base address of the map web service ("/generate", "/api/print"). Empty:
// the program draws the map itself.
inline const QString Service = QStringLiteral("services/maps");
// Tile address of the self-drawn map, so an office can use its own server.
inline const QString Tiles = QStringLiteral("services/map_tiles");
inline const QString TilesDefault = QStringLiteral("https://tile.openstreetmap.org/{z}/{x}/{y}.png");
}

// The GeoJSON document of the enterprises the tree shows, and the request
// details of the map service. No widgets: the tests call it directly.
namespace MapDocument {

enum Rule {
    JednaBarva = 0,
    DleRegionu = 1,
    DleProduktu = 2,
    DleOsoby = 3,
    DleDojirny = 4,
    DlePohybu = 5
};
// Item texts of the rule combo, in rule order.
QStringList ruleNames();
const QStringList &palette();
inline const QString OutlineColour = QStringLiteral("#ff7800");
inline const QString ProductColour = QStringLiteral("#0000FF");

// "lat,lon" as two decimal numbers in range (blanks around them allowed);
// anything else is no position - never 0,0.
bool parseGps(const QString &text, double *lat, double *lon);

// What the document needs of one enterprise.
struct Enterprise {
    int id = 0;
    QString name;
    QString region;        // OBR
    QString gps;
    QString person;        // O_ODPOVEDNA_OSOBA
    QVariant cattle;       // SKOT_KS
    QVariant cows;         // DOJNICE_KS
    QVariant yearlyPrice;  // SMLOUVA_FAKTURACE_CASTKA_ROK
    QStringList parlours;  // distinct non-empty SDOJ of its centres
    QStringList activity;  // distinct non-empty SPA of its centres
    bool usesProduct = false; // a centre the user sees with a licence number above 0
};

// The popup HTML of one enterprise; every value is escaped.
QString popup(const Enterprise &e);

// Compact GeoJSON (UTF-8) of the enterprises in the given order.
QByteArray build(int rule, const QList<Enterprise> &enterprises);

// Reads the enterprises of ids (kept in that order) and their centres, of
// both only those the user may see (the tree's: the product, parlour and
// activity of a centre the user does not see count for nothing); ids go into
// the statements as checked integers, a bounded number of them per
// statement, and no statement runs for an empty list. *statements counts
// what ran (for the benchmark).
bool read(const QList<int> &ids, const Visibility &visibility, QList<Enterprise> *out, QString *error,
          int *statements = nullptr);

// read() + build(); empty on failure with *error set.
QByteArray fromDatabase(int rule, const QList<int> &ids, const Visibility &visibility, QString *error,
                        int *statements = nullptr);

// Print export: paper sizes "a4" ... "a0", DPI as asked, lowered so the
// image stays within MaxPixels.
inline constexpr qint64 MaxPixels = 100'000'000;
struct PrintSize {
    int dpi = 0;      // what is used
    int asked = 0;    // what the user chose
    int width = 0;    // pixels, portrait
    int height = 0;
    bool lowered() const { return dpi < asked; }
};
// Invalid (dpi 0) for an unknown paper or a DPI below 1.
PrintSize printSize(const QString &paper, int dpi);

// The service's page generator and print endpoint. Extent 0 is the Czech
// Republic (the bounding box is sent), 1 "Dle bodu" (no box). Invalid when
// base is not an http(s) address.
QUrl generateUrl(const QString &base);
QUrl printUrl(const QString &base, int extent, const QString &paper, int dpi);

// Whether bytes decode as an image (a service error page does not).
bool isImage(const QByteArray &bytes);
bool isJpeg(const QByteArray &bytes);

} // namespace MapDocument
