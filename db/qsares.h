#pragma once

#include <QObject>
#include <QString>

class QNetworkAccessManager;

// What the business register ARES says about one company.
struct ares_responce_t {
    QString status;        // "1" found; "0" not found or number rejected
    QString name;          // obchodniJmeno
    QString ico;           // IČO, 8 digits
    QString district;      // sidlo.nazevOkresu
    QString municipality;  // post code and municipality: "664 01 Hrušovany"
    QString dic;           // VAT id, when registered
    QString fullAddress;   // sidlo.textovaAdresa as ARES writes it
    QString street;        // street and numbers: "Hlavní 12"
};
// The seat reads street + ", " + municipality: "Hlavní 12, 664 01 Hrušovany".

// Look-up of a company in ARES by its identification number (IČO):
// GET {base}/ekonomicke-subjekty/{IČO zero-padded to 8} with
// Accept: application/json; base from the setting "services/ares", by
// default the public ARES REST interface.
class QSAres : public QObject
{
    Q_OBJECT
public:
    explicit QSAres(QObject *parent = nullptr);
    ~QSAres() override;

    // 1 found, 0 not found (or a number ARES rejects; status "0"), negative on
    // a failed look-up: -1 network, -2 timeout, -3 unexpected HTTP status,
    // -4 answer not understood, -5 bad address. Blocks until the answer.
    int resolveICO(qint64 ico);
    ares_responce_t getLastResponce();

    // Use this base URL instead of the setting.
    void setBaseUrl(const QString &url);
    QString baseUrl() const;
    void setTimeout(int ms);
    // Why the last look-up failed or found nothing (ARES's own text when it
    // gave one), for the debug output.
    QString lastError() const { return m_lastError; }

    // Maps a found-company answer of ARES onto the record; exposed for tests.
    static ares_responce_t fromJson(const QByteArray &json, bool *ok);

private:
    QNetworkAccessManager *m_nam;
    ares_responce_t m_last;
    QString m_lastError;
    QString m_baseUrl;
    bool m_baseUrlSet = false;
    int m_timeoutMs;
};
