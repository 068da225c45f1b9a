#pragma once

#include "outputs/mapdocument.h"

#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QUrl>
#include <QVector>

// The program's own map drawn for paper, without the map service: the area
// "Mapa" asks for, tiles at the zoom that gives that paper its detail, the
// points of the document and the attribution. No widgets; the caller fetches
// the tiles the plan names.
namespace MapPrint {

// Tiles one export fetches at most: the tile servers' usage policy forbids
// bulk downloads, so a large paper gets a lower zoom drawn larger.
inline constexpr int MaxTiles = 256;
// Tile pixels per inch of paper: streets and names print at a readable size.
inline constexpr double TilePixelsPerInch = 150.0;
inline const QString Attribution = QStringLiteral("© OpenStreetMap contributors");

struct Plan {
    QSize size;            // of the image, turned as the area is
    int dpi = 0;
    int zoom = 0;
    double scale = 1;      // image pixels per tile pixel
    QPointF origin;        // the image's top left in tile pixels of the zoom
    QVector<QPoint> tiles; // at the zoom; x may lie outside 0..2^zoom-1 (wraps)
    // What the image shows, in degrees.
    double north = 0, south = 0, west = 0, east = 0;
};

// extent 0: the Czech Republic; 1 ("Dle bodu"): the points of the document
// (the Czech Republic when it has none). size: MapDocument::printSize().
Plan plan(const QByteArray &document, int extent, const MapDocument::PrintSize &size);

// The address of a tile from a pattern with {z}, {x} and {y}.
QUrl tileUrl(const QString &pattern, int zoom, const QPoint &tile);

// The image: tiles (in the order of plan.tiles; a null image is left grey),
// the points as the map page draws them, the attribution in the corner.
QImage render(const Plan &plan, const QByteArray &document, const QVector<QImage> &tiles);

} // namespace MapPrint
