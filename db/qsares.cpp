#include "db/qsares.h"

#include "db/servicehttp.h"
#include "db/servicekeys.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>

namespace {
// ARES sends numbers (post code, house numbers) as JSON numbers.
QString text(const QJsonObject &o, const char *key)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isString())
        return v.toString().trimmed();
    if (v.isDouble())
        return QString::number(qint64(v.toDouble()));
    return QString();
}

QString postCode(const QString &psc)
{
    QString digits = psc;
    digits.remove(QLatin1Char(' '));
    if (digits.size() == 5)
        return digits.left(3) + QLatin1Char(' ') + digits.mid(3);
    return psc;
}

// "525/15a", "525", "15a" - the descriptive number, then the orientation one.
QString houseNumbers(const QJsonObject &s)
{
    const QString domovni = text(s, "cisloDomovni");
    QString orientacni = text(s, "cisloOrientacni");
    if (!orientacni.isEmpty())
        orientacni += text(s, "cisloOrientacniPismeno");
    if (domovni.isEmpty())
        return orientacni;
    if (orientacni.isEmpty())
        return domovni;
    return domovni + QLatin1Char('/') + orientacni;
}

QString joined(const QString &a, const QString &b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    return a + QLatin1Char(' ') + b;
}
}

QSAres::QSAres(QObject *parent)
    : QObject(parent), m_nam(new QNetworkAccessManager(this)), m_timeoutMs(ServiceHttp::DefaultTimeoutMs)
{
}

QSAres::~QSAres() = default;

void QSAres::setBaseUrl(const QString &url)
{
    m_baseUrl = url.trimmed();
    m_baseUrlSet = true;
}

QString QSAres::baseUrl() const
{
    if (m_baseUrlSet && !m_baseUrl.isEmpty())
        return m_baseUrl;
    return ServiceKeys::value(ServiceKeys::Ares, ServiceKeys::AresDefault);
}

void QSAres::setTimeout(int ms)
{
    m_timeoutMs = ms > 0 ? ms : ServiceHttp::DefaultTimeoutMs;
}

ares_responce_t QSAres::getLastResponce()
{
    return m_last;
}

int QSAres::resolveICO(qint64 ico)
{
    m_last = ares_responce_t();
    m_lastError.clear();
    if (ico <= 0 || ico > 99999999) {
        // Not an IČO at all: ARES would reject it (400) just the same.
        m_last.status = QStringLiteral("0");
        m_lastError = QStringLiteral("not an IČO: %1").arg(ico);
        return 0;
    }
    const QString padded = QStringLiteral("%1").arg(ico, 8, 10, QLatin1Char('0'));
    QNetworkRequest req(ServiceHttp::join(baseUrl(), QStringLiteral("ekonomicke-subjekty/") + padded));
    req.setRawHeader("Accept", "application/json");
    const ServiceHttp::Result r = ServiceHttp::exchange(*m_nam, req, "GET", QByteArray(), m_timeoutMs);

    if (r.code == ServiceHttp::HttpError && (r.httpStatus == 404 || r.httpStatus == 400)) {
        m_last.status = QStringLiteral("0");
        const QJsonObject err = QJsonDocument::fromJson(r.body).object();
        m_lastError = text(err, "popis");
        if (m_lastError.isEmpty())
            m_lastError = QStringLiteral("HTTP %1").arg(r.httpStatus);
        return 0;
    }
    if (r.code != ServiceHttp::Ok) {
        m_lastError = r.errorText;
        qWarning().noquote() << "QSAres: look-up of" << padded << "failed:" << r.errorText;
        return r.code;
    }
    bool ok = false;
    const ares_responce_t found = fromJson(r.body, &ok);
    if (!ok) {
        m_lastError = QStringLiteral("answer not understood");
        qWarning().noquote() << "QSAres: look-up of" << padded << "gave an answer that is not a company record";
        return ServiceHttp::BadAnswer;
    }
    m_last = found;
    if (m_last.ico.isEmpty())
        m_last.ico = padded;
    return 1;
}

ares_responce_t QSAres::fromJson(const QByteArray &json, bool *ok)
{
    ares_responce_t r;
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
    const QJsonObject o = doc.object();
    // A company record names the company or its number at least.
    const bool valid = pe.error == QJsonParseError::NoError && doc.isObject()
                       && (o.contains(QLatin1String("ico")) || o.contains(QLatin1String("obchodniJmeno")));
    if (ok)
        *ok = valid;
    if (!valid)
        return r;

    r.status = QStringLiteral("1");
    r.name = text(o, "obchodniJmeno");
    r.ico = text(o, "ico");
    if (!r.ico.isEmpty() && r.ico.size() < 8 && r.ico.toLongLong() > 0)
        r.ico = r.ico.rightJustified(8, QLatin1Char('0'));
    r.dic = text(o, "dic");

    const QJsonObject s = o.value(QLatin1String("sidlo")).toObject();
    r.district = text(s, "nazevOkresu");
    r.fullAddress = text(s, "textovaAdresa");

    const QString obec = text(s, "nazevObce");
    r.municipality = joined(postCode(text(s, "psc")), obec);
    // Places without streets are addressed by the part of the municipality.
    QString place = text(s, "nazevUlice");
    if (place.isEmpty())
        place = text(s, "nazevCastiObce");
    if (place.isEmpty())
        place = obec;
    const QString numbers = houseNumbers(s);
    r.street = numbers.isEmpty() && text(s, "nazevUlice").isEmpty() ? QString() : joined(place, numbers);

    if (obec.isEmpty() && !r.fullAddress.isEmpty()) {
        // Only the address text: its last comma separates the municipality.
        const int comma = r.fullAddress.lastIndexOf(QLatin1Char(','));
        if (comma > 0) {
            r.street = r.fullAddress.left(comma).trimmed();
            r.municipality = r.fullAddress.mid(comma + 1).trimmed();
        } else {
            r.street.clear();
            r.municipality = r.fullAddress;
        }
    }
    return r;
}
