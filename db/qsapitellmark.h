#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QNetworkAccessManager;

// Client of the maker's web service: release check, issuing of event hashes
// and synchronisation of events (mail and calendar notifications).
//
// Every call blocks in a local event loop until the answer is there or the
// time limit passes, and returns 1 on success or a negative ServiceHttp
// code (-1 network, -2 timeout, -3 HTTP error status, -4 unexpected answer,
// -5 bad address). getReplayData() holds the body of the last answer.
//
// Protocol (JSON over HTTPS; base URL from the setting "services/api"; the
// last int argument of every call is the protocol version, 1 today):
//
//   GET  {base}/releases/{product}/latest?[channel=&]prerelease=0|1&full=0|1&api=1
//        -> 200 {"link": "https://.../zrn.zip",
//                "version": {"major": "3", "minor": "12", "date": "2024-11-04"}}
//        Any 2xx answer counts as success; the caller reads the body itself
//        (an answer that is not JSON leaves it with no release and no update).
//   POST {base}/events/hash   {"api": 1, "client": "ZRN/3.12"}
//        -> 200 {"hash": "<text>"}; success needs a non-empty "hash".
//   POST {base}/events/sync   {"api": 1, "id": "<event id>"}
//        -> any 2xx.
//   Requests carry "Authorization: Bearer <token>" when "services/api_token"
//   is set.
//
// Local mode: with no base URL (the default) nothing leaves the computer.
// update() reports the running release with no link, dated as the release
// last seen (so the start-up check finds nothing newer), sendZRNHash()
// issues a fresh random 32-digit hexadecimal hash, sendZRNSync() succeeds
// doing nothing. The program is fully usable without the service.
class QSAPITellmark : public QObject
{
    Q_OBJECT
public:
    explicit QSAPITellmark(QObject *parent = nullptr);
    ~QSAPITellmark() override;

    // product, channel (empty = stable), prerelease (also offer test
    // releases), full (a full package rather than an update), api version.
    int update(const QString &product, const QString &channel, const bool &prerelease, const bool &full, int api);
    int sendZRNHash(int api);
    int sendZRNSync(const QString &id, int api);
    QByteArray getReplayData();

    // Use this base URL instead of the setting (empty = local mode).
    void setBaseUrl(const QString &url);
    // The base URL the next call uses.
    QString baseUrl() const;
    void setTimeout(int ms);
    int timeout() const { return m_timeoutMs; }
    // Why the last call failed, for the debug output.
    QString lastError() const { return m_lastError; }

    // Release date the local mode reports when no release has been seen yet.
    static QString builtInReleaseDate();

private:
    int call(const QByteArray &verb, const QString &path, const QByteArray &body);

    QNetworkAccessManager *m_nam;
    QByteArray m_reply;
    QString m_lastError;
    QString m_baseUrl;
    bool m_baseUrlSet = false;
    int m_timeoutMs;
};
