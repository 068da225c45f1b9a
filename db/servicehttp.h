#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QNetworkRequest;

// One blocking HTTP exchange for the service clients: the request is sent,
// the caller waits in a local event loop (user input is held back until the
// answer is there) and gets the outcome as one of the codes below.
namespace ServiceHttp {

// Negative results shared by the service clients.
enum Code {
    Ok = 0,
    NetworkError = -1,  // no connection, refused, closed, TLS failure
    Timeout = -2,       // no complete answer within the time limit
    HttpError = -3,     // the server answered with a status outside 2xx
    BadAnswer = -4,     // the answer is not what the protocol expects
    BadAddress = -5     // the configured base URL is not a usable http(s) URL
};

constexpr int DefaultTimeoutMs = 5000;

struct Result {
    int code = NetworkError;
    int httpStatus = 0;     // 0 when no HTTP answer came
    QByteArray body;        // the answer body, also for error statuses
    QString errorText;      // for the debug output
};

// verb "GET" or "POST" (any other is sent as a custom verb).
Result exchange(QNetworkAccessManager &nam, QNetworkRequest request, const QByteArray &verb,
                const QByteArray &body, int timeoutMs);

// base + "/" + path with exactly one slash between them; an invalid URL
// when base is not an absolute http or https URL.
QUrl join(const QString &base, const QString &path);

// Whether received bytes make the whole body the reply announced. A server
// that closes the connection early is not always reported as an error.
bool bodyComplete(const QNetworkReply *reply, qint64 received);

// "ZRN/<version>"
QByteArray userAgent();
}
