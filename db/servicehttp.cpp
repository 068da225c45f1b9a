#include "db/servicehttp.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#ifndef ZRN_VERSION
#define ZRN_VERSION "3.12"
#endif

namespace ServiceHttp {

Result exchange(QNetworkAccessManager &nam, QNetworkRequest request, const QByteArray &verb,
                const QByteArray &body, int timeoutMs)
{
    Result r;
    if (!request.url().isValid()) {
        r.code = BadAddress;
        r.errorText = QStringLiteral("invalid service address");
        return r;
    }
    request.setHeader(QNetworkRequest::UserAgentHeader, userAgent());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);

    QNetworkReply *reply = nullptr;
    if (verb == "GET")
        reply = nam.get(request);
    else if (verb == "POST")
        reply = nam.post(request, body);
    else
        reply = nam.sendCustomRequest(request, verb, body);

    bool timedOut = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort(); // emits finished, which ends the loop
    });
    if (!reply->isFinished()) {
        timer.start(qMax(1, timeoutMs));
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    timer.stop();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (timedOut) {
        r.code = Timeout;
        r.errorText = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
    } else if (status.isValid() && status.toInt() > 0) {
        r.httpStatus = status.toInt();
        r.body = reply->readAll();
        const bool broken = reply->error() != QNetworkReply::NoError || !bodyComplete(reply, r.body.size());
        if (broken && r.httpStatus >= 200 && r.httpStatus < 300) {
            // The status came but the body broke off.
            r.code = NetworkError;
            r.body.clear();
            r.errorText = reply->errorString();
        } else if (r.httpStatus >= 200 && r.httpStatus < 300) {
            r.code = Ok;
        } else {
            r.code = HttpError;
            r.errorText = QStringLiteral("HTTP %1").arg(r.httpStatus);
        }
    } else {
        r.code = NetworkError;
        r.errorText = reply->errorString();
    }
    reply->deleteLater();
    return r;
}

QUrl join(const QString &base, const QString &path)
{
    QString b = base.trimmed();
    while (b.endsWith(QLatin1Char('/')))
        b.chop(1);
    QString p = path;
    while (p.startsWith(QLatin1Char('/')))
        p.remove(0, 1);
    const QUrl url(b + QLatin1Char('/') + p, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return QUrl();
    return url;
}

bool bodyComplete(const QNetworkReply *reply, qint64 received)
{
    // With a content coding the announced length is that of the coded body.
    const QByteArray coding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!coding.isEmpty() && coding != "identity")
        return true;
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    return !length.isValid() || received >= length.toLongLong();
}

QByteArray userAgent()
{
    return QByteArrayLiteral("ZRN/" ZRN_VERSION);
}
}
