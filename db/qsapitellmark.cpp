#include "db/qsapitellmark.h"

#include "db/servicehttp.h"
#include "db/servicekeys.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QUrlQuery>
#include <QUuid>

#ifndef ZRN_VERSION
#define ZRN_VERSION "3.12"
#endif

QSAPITellmark::QSAPITellmark(QObject *parent)
    : QObject(parent), m_nam(new QNetworkAccessManager(this)), m_timeoutMs(ServiceHttp::DefaultTimeoutMs)
{
}

QSAPITellmark::~QSAPITellmark() = default;

void QSAPITellmark::setBaseUrl(const QString &url)
{
    m_baseUrl = url.trimmed();
    m_baseUrlSet = true;
}

QString QSAPITellmark::baseUrl() const
{
    return m_baseUrlSet ? m_baseUrl : ServiceKeys::value(ServiceKeys::Api);
}

void QSAPITellmark::setTimeout(int ms)
{
    m_timeoutMs = ms > 0 ? ms : ServiceHttp::DefaultTimeoutMs;
}

QString QSAPITellmark::builtInReleaseDate()
{
    return QStringLiteral("2024-11-04");
}

QByteArray QSAPITellmark::getReplayData()
{
    return m_reply;
}

int QSAPITellmark::update(const QString &product, const QString &channel, const bool &prerelease,
                          const bool &full, int api)
{
    m_lastError.clear();
    if (baseUrl().isEmpty()) {
        // The running release is the current one. Dating it as the release
        // last seen keeps the start-up check from looking for a download even
        // after a switch from a server to the local mode.
        const QString version = QStringLiteral(ZRN_VERSION);
        const QString date = ServiceKeys::value(ServiceKeys::LastRelease, builtInReleaseDate());
        QJsonObject v;
        v.insert(QStringLiteral("major"), version.section(QLatin1Char('.'), 0, 0));
        v.insert(QStringLiteral("minor"), version.section(QLatin1Char('.'), 1));
        v.insert(QStringLiteral("date"), date);
        QJsonObject o;
        o.insert(QStringLiteral("link"), QString());
        o.insert(QStringLiteral("version"), v);
        m_reply = QJsonDocument(o).toJson(QJsonDocument::Compact);
        return 1;
    }
    QUrlQuery q;
    if (!channel.isEmpty())
        q.addQueryItem(QStringLiteral("channel"), channel);
    q.addQueryItem(QStringLiteral("prerelease"), prerelease ? QStringLiteral("1") : QStringLiteral("0"));
    q.addQueryItem(QStringLiteral("full"), full ? QStringLiteral("1") : QStringLiteral("0"));
    q.addQueryItem(QStringLiteral("api"), QString::number(api));
    const QString path = QStringLiteral("releases/%1/latest?%2")
                             .arg(QString::fromLatin1(QUrl::toPercentEncoding(product)),
                                  q.toString(QUrl::FullyEncoded));
    const int rc = call("GET", path, QByteArray());
    return rc == ServiceHttp::Ok ? 1 : rc;
}

int QSAPITellmark::sendZRNHash(int api)
{
    m_lastError.clear();
    if (baseUrl().isEmpty()) {
        QJsonObject o;
        o.insert(QStringLiteral("hash"), QUuid::createUuid().toString(QUuid::Id128));
        m_reply = QJsonDocument(o).toJson(QJsonDocument::Compact);
        return 1;
    }
    QJsonObject req;
    req.insert(QStringLiteral("api"), api);
    req.insert(QStringLiteral("client"), QString::fromLatin1(ServiceHttp::userAgent()));
    const int rc = call("POST", QStringLiteral("events/hash"), QJsonDocument(req).toJson(QJsonDocument::Compact));
    if (rc != ServiceHttp::Ok)
        return rc;
    const QJsonDocument doc = QJsonDocument::fromJson(m_reply);
    const QJsonValue hash = doc.object().value(QStringLiteral("hash"));
    if (!doc.isObject() || !hash.isString() || hash.toString().trimmed().isEmpty()) {
        m_lastError = QStringLiteral("answer without a hash");
        qWarning() << "QSAPITellmark::sendZRNHash:" << m_lastError;
        return ServiceHttp::BadAnswer;
    }
    return 1;
}

int QSAPITellmark::sendZRNSync(const QString &id, int api)
{
    m_lastError.clear();
    if (baseUrl().isEmpty()) {
        m_reply = QByteArrayLiteral("{}");
        return 1;
    }
    QJsonObject req;
    req.insert(QStringLiteral("api"), api);
    req.insert(QStringLiteral("id"), id);
    const int rc = call("POST", QStringLiteral("events/sync"), QJsonDocument(req).toJson(QJsonDocument::Compact));
    return rc == ServiceHttp::Ok ? 1 : rc;
}

int QSAPITellmark::call(const QByteArray &verb, const QString &path, const QByteArray &body)
{
    m_reply.clear();
    const QUrl url = ServiceHttp::join(baseUrl(), path);
    QNetworkRequest req(url);
    req.setRawHeader("Accept", "application/json");
    if (verb == "POST")
        req.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json"));
    const QString token = ServiceKeys::value(ServiceKeys::ApiToken);
    if (!token.isEmpty())
        req.setRawHeader("Authorization", "Bearer " + token.toUtf8());
    const ServiceHttp::Result r = ServiceHttp::exchange(*m_nam, req, verb, body, m_timeoutMs);
    m_reply = r.body;
    if (r.code != ServiceHttp::Ok) {
        m_lastError = r.errorText;
        qWarning().noquote() << "QSAPITellmark:" << verb << url.toString(QUrl::RemoveQuery) << "failed:" << r.errorText;
    }
    return r.code;
}
