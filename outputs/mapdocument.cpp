#include "outputs/mapdocument.h"

#include "db/qssql.h"
#include "db/servicehttp.h"

#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QRegExp>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrlQuery>

#include <cmath>

namespace MapDocument {

namespace {

// Enough ids per statement to keep the text short, few statements at 5,000.
constexpr int IdsPerStatement = 500;

// %2: the user's restriction.
const char kEnterprisesSql[] =
    "select pdq.id,pdq.podnik_nazev,pdq.OBR,pdq.GPS,pdq.SKOT_KS,pdq.DOJNICE_KS,pdq.SMLOUVA_FAKTURACE_CASTKA_ROK,"
    "pdq.O_ODPOVEDNA_OSOBA from tellmark_podniky pdq where %2 pdq.id in (%1)";
const char kCentresSql[] =
    "select stq.id_podnik,stq.SDOJ,stq.SPA,stq.licence_cislo from tellmark_strediska stq"
    " join tellmark_podniky pdq on pdq.id=stq.id_podnik where %2 stq.id_podnik in (%1) "
    "order by stq.id_podnik,stq.id";

// The Czech Republic as the print service expects it.
const char kCzBox[] = "48.68548210496329,50.92328275347886,12.540129156282946,18.455673452045595";

QString text(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return QString();
    // MariaDB hands DECIMAL over as "12000.00", SQLite as 12000.0: show both as 12000.
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (ok && std::isfinite(d))
        return QString::number(d, 'f', 2).remove(QRegExp(QStringLiteral("\\.?0+$")));
    return v.toString();
}

bool readNumber(const QString &part, double *value)
{
    bool ok = false;
    const double d = part.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d))
        return false;
    *value = d;
    return true;
}

// Key -> colour for one document; keys beyond the palette start it again.
class ColourTable
{
public:
    QString colour(const QString &key)
    {
        auto it = m_table.constFind(key);
        if (it != m_table.constEnd())
            return *it;
        const QString c = palette().at(m_table.size() % palette().size());
        m_table.insert(key, c);
        return c;
    }

private:
    QHash<QString, QString> m_table;
};

QString idList(const QList<int> &ids, int from, int count)
{
    QStringList parts;
    for (int i = from; i < from + count && i < ids.size(); ++i)
        parts << QString::number(ids.at(i));
    return parts.join(QLatin1Char(','));
}

} // namespace

QStringList ruleNames()
{
    return {QCoreApplication::translate("MapDocument", "Jedna barva"), QCoreApplication::translate("MapDocument", "Dle regionu"),
            QCoreApplication::translate("MapDocument", "Dle podniků využívající Tellmark"), QCoreApplication::translate("MapDocument", "Dle odpovědné osoby"),
            QCoreApplication::translate("MapDocument", "Dle dojírny"), QCoreApplication::translate("MapDocument", "Dle pohybové aktivity")};
}

const QStringList &palette()
{
    static const QStringList p = {QStringLiteral("#DC143C"), QStringLiteral("#FFD700"), QStringLiteral("#808000"),
                                  QStringLiteral("#556B2F"), QStringLiteral("#7FFF00"), QStringLiteral("#00FFFF"),
                                  QStringLiteral("#4682B4"), QStringLiteral("#0000CD")};
    return p;
}

bool parseGps(const QString &gps, double *lat, double *lon)
{
    const QStringList parts = gps.split(QLatin1Char(','));
    if (parts.size() != 2)
        return false;
    double la = 0, lo = 0;
    if (!readNumber(parts.at(0), &la) || !readNumber(parts.at(1), &lo))
        return false;
    if (la < -90 || la > 90 || lo < -180 || lo > 180)
        return false;
    *lat = la;
    *lon = lo;
    return true;
}

QString popup(const Enterprise &e)
{
    const auto line = [](const char *label, const QString &value) {
        return QCoreApplication::translate("MapDocument", label) + value.toHtmlEscaped() + QStringLiteral("<br>");
    };
    return line(QT_TRANSLATE_NOOP("MapDocument", "Region: "), e.region) + line(QT_TRANSLATE_NOOP("MapDocument", "Odpovědná osoba: "), e.person) + line(QT_TRANSLATE_NOOP("MapDocument", "Počet zvířat: "), text(e.cattle))
        + line(QT_TRANSLATE_NOOP("MapDocument", "Počet dojnice: "), text(e.cows)) + line(QT_TRANSLATE_NOOP("MapDocument", "Cena TM/rok: "), text(e.yearlyPrice))
        + line(QT_TRANSLATE_NOOP("MapDocument", "Dojírna: "), e.parlours.join(QLatin1Char(','))) + line(QT_TRANSLATE_NOOP("MapDocument", "Aktivita: "), e.activity.join(QLatin1Char(',')));
}

QByteArray build(int rule, const QList<Enterprise> &enterprises)
{
    ColourTable table;
    QJsonArray features;
    for (const Enterprise &e : enterprises) {
        double lat = 0, lon = 0;
        if (!parseGps(e.gps, &lat, &lon))
            continue;
        QString colour;
        switch (rule) {
        case DleRegionu:
        case DleOsoby: {
            const QString key = rule == DleRegionu ? e.region : e.person;
            if (!key.isEmpty())
                colour = table.colour(key);
            break;
        }
        case DleProduktu:
            if (e.usesProduct)
                colour = ProductColour;
            break;
        case DleDojirny:
        case DlePohybu: {
            const QString key = (rule == DleDojirny ? e.parlours : e.activity).join(QLatin1Char(','));
            if (key.isEmpty())
                continue;
            colour = table.colour(key);
            break;
        }
        default:
            break;
        }
        QJsonObject properties{{QStringLiteral("id"), QString::number(e.id)},
                               {QStringLiteral("name"), e.name},
                               {QStringLiteral("description"), popup(e)}};
        if (!colour.isEmpty())
            properties.insert(QStringLiteral("style"),
                              QJsonObject{{QStringLiteral("fillColor"), colour}, {QStringLiteral("color"), OutlineColour}});
        const QJsonObject geometry{{QStringLiteral("type"), QStringLiteral("Point")},
                                   {QStringLiteral("coordinates"), QJsonArray{lon, lat}}};
        features.append(QJsonObject{{QStringLiteral("type"), QStringLiteral("Feature")},
                                    {QStringLiteral("properties"), properties},
                                    {QStringLiteral("geometry"), geometry}});
    }
    const QJsonObject doc{{QStringLiteral("type"), QStringLiteral("FeatureCollection")},
                          {QStringLiteral("features"), features}};
    return QJsonDocument(doc).toJson(QJsonDocument::Compact);
}

bool read(const QList<int> &ids, const Visibility &visibility, QList<Enterprise> *out, QString *error,
          int *statements)
{
    const Visibility::Sql enterprise = visibility.enterprise(QStringLiteral("pdq"));
    const Visibility::Sql centre = visibility.centreRow(QStringLiteral("stq"), QStringLiteral("pdq"));
    out->clear();
    int ran = 0;
    QList<int> clean;
    QHash<int, int> slot; // id -> index in out
    for (int id : ids) {
        if (id <= 0 || slot.contains(id))
            continue;
        slot.insert(id, clean.size());
        clean << id;
        Enterprise e;
        e.id = id;
        out->append(e);
    }
    QVector<bool> found(clean.size(), false);
    for (int from = 0; from < clean.size(); from += IdsPerStatement) {
        const QString list = idList(clean, from, IdsPerStatement);
        QSSQL q;
        ++ran;
        if (!q.exec(QString::fromLatin1(kEnterprisesSql).arg(list, enterprise.andThen()), enterprise.binds)) {
            *error = q.lastError().text();
            return false;
        }
        while (q.next()) {
            const int i = slot.value(q.value(0).toInt(), -1);
            if (i < 0)
                continue;
            Enterprise &e = (*out)[i];
            e.name = q.value(1).toString();
            e.region = q.value(2).toString();
            e.gps = q.value(3).toString();
            e.cattle = q.value(4);
            e.cows = q.value(5);
            e.yearlyPrice = q.value(6);
            e.person = q.value(7).toString();
            found[i] = true;
        }
        QSSQL c;
        ++ran;
        if (!c.exec(QString::fromLatin1(kCentresSql).arg(list, centre.andThen()), centre.binds)) {
            *error = c.lastError().text();
            return false;
        }
        while (c.next()) {
            const int i = slot.value(c.value(0).toInt(), -1);
            if (i < 0)
                continue;
            Enterprise &e = (*out)[i];
            const QString sdoj = c.value(1).toString().trimmed();
            const QString spa = c.value(2).toString().trimmed();
            if (!sdoj.isEmpty() && !e.parlours.contains(sdoj))
                e.parlours << sdoj;
            if (!spa.isEmpty() && !e.activity.contains(spa))
                e.activity << spa;
            if (c.value(3).toLongLong() > 0)
                e.usesProduct = true;
        }
    }
    // Deleted meanwhile: nothing to draw.
    for (int i = found.size() - 1; i >= 0; --i)
        if (!found.at(i))
            out->removeAt(i);
    if (statements)
        *statements = ran;
    return true;
}

QByteArray fromDatabase(int rule, const QList<int> &ids, const Visibility &visibility, QString *error,
                        int *statements)
{
    QList<Enterprise> rows;
    if (!read(ids, visibility, &rows, error, statements))
        return QByteArray();
    return build(rule, rows);
}

PrintSize printSize(const QString &paper, int dpi)
{
    static const QHash<QString, QPair<int, int>> mm = {{QStringLiteral("a4"), {210, 297}},
                                                       {QStringLiteral("a3"), {297, 420}},
                                                       {QStringLiteral("a2"), {420, 594}},
                                                       {QStringLiteral("a1"), {594, 841}},
                                                       {QStringLiteral("a0"), {841, 1189}}};
    PrintSize s;
    const auto it = mm.constFind(paper.toLower());
    if (it == mm.constEnd() || dpi < 1)
        return s;
    s.asked = dpi;
    const auto pixels = [&](int d, int *w, int *h) {
        *w = int(std::lround(it->first / 25.4 * d));
        *h = int(std::lround(it->second / 25.4 * d));
        return qint64(*w) * *h;
    };
    int d = dpi;
    if (pixels(d, &s.width, &s.height) > MaxPixels) {
        d = int(dpi * std::sqrt(double(MaxPixels) / (double(s.width) * s.height)));
        while (d > 1 && pixels(d, &s.width, &s.height) > MaxPixels)
            --d;
    }
    s.dpi = d;
    return s;
}

QUrl generateUrl(const QString &base)
{
    return ServiceHttp::join(base, QStringLiteral("generate"));
}

QUrl printUrl(const QString &base, int extent, const QString &paper, int dpi)
{
    QUrl url = ServiceHttp::join(base, QStringLiteral("api/print"));
    if (!url.isValid())
        return url;
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("format"), paper.toLower());
    if (extent == 0) {
        const QStringList box = QString::fromLatin1(kCzBox).split(QLatin1Char(','));
        query.addQueryItem(QStringLiteral("minLat"), box.at(0));
        query.addQueryItem(QStringLiteral("maxLat"), box.at(1));
        query.addQueryItem(QStringLiteral("minLon"), box.at(2));
        query.addQueryItem(QStringLiteral("maxLon"), box.at(3));
    }
    query.addQueryItem(QStringLiteral("dpi"), QString::number(dpi));
    url.setQuery(query);
    return url;
}

bool isImage(const QByteArray &bytes)
{
    return !bytes.isEmpty() && !QImage::fromData(bytes).isNull();
}

bool isJpeg(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xD8\xFF") && isImage(bytes);
}

} // namespace MapDocument
