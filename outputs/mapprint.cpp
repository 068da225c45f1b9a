#include "outputs/mapprint.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace MapPrint {

namespace {

constexpr double TileSize = 256.0;
constexpr int MaxZoom = 18;
// The box the map service is asked for under "Česká republika".
constexpr double CzNorth = 50.92328275347886, CzSouth = 48.68548210496329;
constexpr double CzWest = 12.540129156282946, CzEast = 18.455673452045595;
// The smallest area "Dle bodu" shows around a lone point, in degrees.
constexpr double MinSpan = 0.05;

struct Point {
    double lat;
    double lon;
    QColor fill;
    QColor outline;
};

QVector<Point> points(const QByteArray &document)
{
    QVector<Point> out;
    const QJsonArray features = QJsonDocument::fromJson(document).object().value(QStringLiteral("features")).toArray();
    for (const QJsonValue &f : features) {
        const QJsonObject o = f.toObject();
        const QJsonArray c = o.value(QStringLiteral("geometry")).toObject().value(QStringLiteral("coordinates")).toArray();
        if (c.size() != 2)
            continue;
        const QJsonObject style = o.value(QStringLiteral("properties")).toObject().value(QStringLiteral("style")).toObject();
        // The map page's colours: its default blue where the rule gives none.
        const QColor fill(style.value(QStringLiteral("fillColor")).toString(QStringLiteral("#3388ff")));
        const QColor outline(style.value(QStringLiteral("color")).toString(QStringLiteral("#3388ff")));
        out.append({c.at(1).toDouble(), c.at(0).toDouble(), fill.isValid() ? fill : QColor(0x33, 0x88, 0xff),
                    outline.isValid() ? outline : QColor(0x33, 0x88, 0xff)});
    }
    return out;
}

// Web Mercator, 0..1 over the world.
double mercX(double lon) { return (lon + 180.0) / 360.0; }
double mercY(double lat)
{
    const double r = qBound(-85.0511, lat, 85.0511) * M_PI / 180.0;
    return (1.0 - std::asinh(std::tan(r)) / M_PI) / 2.0;
}
double lonOf(double x) { return x * 360.0 - 180.0; }
double latOf(double y) { return std::atan(std::sinh(M_PI * (1.0 - 2.0 * y))) * 180.0 / M_PI; }

} // namespace

Plan plan(const QByteArray &document, int extent, const MapDocument::PrintSize &size)
{
    Plan p;
    p.dpi = size.dpi;
    double north = CzNorth, south = CzSouth, west = CzWest, east = CzEast;
    const QVector<Point> pts = points(document);
    if (extent == 1 && !pts.isEmpty()) {
        north = south = pts.first().lat;
        west = east = pts.first().lon;
        for (const Point &pt : pts) {
            north = std::max(north, pt.lat);
            south = std::min(south, pt.lat);
            west = std::min(west, pt.lon);
            east = std::max(east, pt.lon);
        }
        // Room for the outermost points.
        const double padLat = std::max((north - south) * 0.1, MinSpan / 2);
        const double padLon = std::max((east - west) * 0.1, MinSpan / 2);
        north += padLat;
        south -= padLat;
        west -= padLon;
        east += padLon;
    }
    const double x0 = mercX(west), x1 = mercX(east), y0 = mercY(north), y1 = mercY(south);
    const bool landscape = x1 - x0 >= y1 - y0;
    const int longSide = std::max(size.width, size.height), shortSide = std::min(size.width, size.height);
    p.size = landscape ? QSize(longSide, shortSide) : QSize(shortSide, longSide);
    if (p.size.isEmpty())
        return p;

    // Image pixels per tile pixel at zoom 0 when the area just fits.
    const double fit = std::min(p.size.width() / ((x1 - x0) * TileSize), p.size.height() / ((y1 - y0) * TileSize));
    const double wanted = size.dpi / TilePixelsPerInch;
    p.zoom = qBound(0, int(std::lround(std::log2(fit / wanted))), MaxZoom);
    for (;; --p.zoom) {
        const double world = TileSize * std::pow(2.0, p.zoom);
        p.scale = fit / std::pow(2.0, p.zoom);
        const double w = p.size.width() / p.scale, h = p.size.height() / p.scale;
        p.origin = QPointF((x0 + x1) / 2 * world - w / 2, (y0 + y1) / 2 * world - h / 2);
        const int tx0 = int(std::floor(p.origin.x() / TileSize)), tx1 = int(std::floor((p.origin.x() + w - 1e-6) / TileSize));
        const int last = (1 << p.zoom) - 1;
        const int ty0 = qBound(0, int(std::floor(p.origin.y() / TileSize)), last);
        const int ty1 = qBound(0, int(std::floor((p.origin.y() + h - 1e-6) / TileSize)), last);
        if (p.zoom > 0 && qint64(tx1 - tx0 + 1) * (ty1 - ty0 + 1) > MaxTiles)
            continue;
        p.tiles.clear();
        for (int y = ty0; y <= ty1; ++y)
            for (int x = tx0; x <= tx1; ++x)
                p.tiles.append(QPoint(x, y));
        p.west = lonOf(p.origin.x() / world);
        p.east = lonOf((p.origin.x() + w) / world);
        p.north = latOf(std::max(0.0, p.origin.y() / world));
        p.south = latOf(std::min(1.0, (p.origin.y() + h) / world));
        return p;
    }
}

QUrl tileUrl(const QString &pattern, int zoom, const QPoint &tile)
{
    const int n = 1 << zoom;
    const int x = ((tile.x() % n) + n) % n;
    QString s = pattern;
    s.replace(QLatin1String("{z}"), QString::number(zoom))
        .replace(QLatin1String("{x}"), QString::number(x))
        .replace(QLatin1String("{y}"), QString::number(tile.y()));
    return QUrl(s);
}

QImage render(const Plan &plan, const QByteArray &document, const QVector<QImage> &tiles)
{
    if (plan.size.isEmpty() || plan.tiles.isEmpty())
        return QImage();
    // The tiles side by side first, then one scaled copy: no seams between them.
    int tx0 = plan.tiles.first().x(), ty0 = plan.tiles.first().y();
    int tx1 = tx0, ty1 = ty0;
    for (const QPoint &t : plan.tiles) {
        tx0 = std::min(tx0, t.x());
        ty0 = std::min(ty0, t.y());
        tx1 = std::max(tx1, t.x());
        ty1 = std::max(ty1, t.y());
    }
    QImage mosaic((tx1 - tx0 + 1) * int(TileSize), (ty1 - ty0 + 1) * int(TileSize), QImage::Format_RGB32);
    mosaic.fill(QColor(0xdd, 0xdd, 0xdd));
    {
        QPainter m(&mosaic);
        for (int i = 0; i < plan.tiles.size() && i < tiles.size(); ++i)
            if (!tiles.at(i).isNull())
                m.drawImage(QRectF((plan.tiles.at(i).x() - tx0) * TileSize, (plan.tiles.at(i).y() - ty0) * TileSize,
                                   TileSize, TileSize),
                            tiles.at(i));
    }

    QImage image(plan.size, QImage::Format_RGB888);
    image.fill(QColor(0xdd, 0xdd, 0xdd));
    const int dotsPerMeter = int(plan.dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QPainter p(&image);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF shown(plan.origin.x() - tx0 * TileSize, plan.origin.y() - ty0 * TileSize,
                       plan.size.width() / plan.scale, plan.size.height() / plan.scale);
    p.drawImage(QRectF(QPointF(0, 0), QSizeF(plan.size)), mosaic, shown);
    mosaic = QImage();

    // The points as the map page draws them on screen, at their size on paper.
    const double world = TileSize * std::pow(2.0, plan.zoom);
    const double screenPixel = plan.dpi / 96.0;
    const double radius = 7 * screenPixel;
    for (const Point &pt : points(document)) {
        const QPointF at((mercX(pt.lon) * world - plan.origin.x()) * plan.scale,
                         (mercY(pt.lat) * world - plan.origin.y()) * plan.scale);
        QColor fill = pt.fill;
        fill.setAlphaF(0.8);
        p.setPen(QPen(pt.outline, 2 * screenPixel));
        p.setBrush(fill);
        p.drawEllipse(at, radius, radius);
    }

    // The attribution the tiles' licence asks for.
    QFont font;
    font.setPixelSize(std::max(8, int(std::lround(8.0 / 72.0 * plan.dpi))));
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const double pad = font.pixelSize() * 0.4;
    const QSizeF box(metrics.horizontalAdvance(Attribution) + 2 * pad, metrics.height() + 2 * pad);
    const QRectF label(QPointF(plan.size.width() - box.width(), plan.size.height() - box.height()), box);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 210));
    p.drawRect(label);
    p.setPen(QColor(0x33, 0x33, 0x33));
    p.drawText(label, Qt::AlignCenter, Attribution);
    return image;
}

} // namespace MapPrint
