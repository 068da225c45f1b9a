#pragma once

#include "core/zrntab.h"

#include <QByteArray>
#include <QImage>
#include <QVector>
#include <QObject>
#include <QUrl>
#include <QWidget>

class Session;
class WorkProgress;
namespace MapPrint {
struct Plan;
}
class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
class QToolBar;
class QWebChannel;
class QWebEngineView;

namespace Ui {
class ProhlizecTab;
}

// The object offered to the pages of the browser tab as "events": a page
// script calls podnikVybran(id) to have the register show an enterprise.
class webclass : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    Q_INVOKABLE void podnikVybran(const QString &id) { emit onPodnikVybran(id); }

signals:
    void onPodnikVybran(const QString &id);
};

// What the self-drawn map page reads over the channel ("mapa"): the GeoJSON
// text and the tile address. The document is handed only to our own page,
// never to another site opened in the tab.
class MapPageData : public QObject
{
    Q_OBJECT
    // Read once when the page opens the channel; a new map reloads the page.
    Q_PROPERTY(QString document READ document CONSTANT)
    Q_PROPERTY(QString tiles READ tiles CONSTANT)
public:
    MapPageData(QWebEngineView *view, QObject *parent) : QObject(parent), m_view(view) {}

    static QUrl pageUrl() { return QUrl(QStringLiteral("qrc:/map/map.html")); }

    QString document() const;
    QString tiles() const;
    void setDocument(const QByteArray &json) { m_document = QString::fromUtf8(json); }

    // points: the features drawn, -1 when Leaflet is missing.
    Q_INVOKABLE void pageReady(int points) { emit ready(points); }

signals:
    void ready(int points);

private:
    QWebEngineView *m_view;
    QString m_document;
};

// The "Prohlížeč" tab: a small web browser with back/forward/reload/stop, the
// map image export and an address line; pages talk back through the web
// channel object "events".
class ProhlizecTab : public ZrnTab
{
    Q_OBJECT
public:
    explicit ProhlizecTab(Session *session, QWidget *parent = nullptr);
    ~ProhlizecTab() override;

    // "Mapa" of the register: asks for the colouring rule and shows the map
    // of the enterprises the tree shows here; true when it was shown.
    bool showEnterpriseMap(QWidget *window) override;

    // Shows a map document: drawn by our own page when no map service is
    // configured (services/maps), otherwise the service's "/generate" page.
    // The rule is remembered for the image export.
    void showMap(const QByteArray &document, int rule);
    int mapRule() const { return m_rule; }

    // The image export without its dialogs: the map of the shown enterprises
    // (the rule last shown) at paper and DPI written to path as JPEG. False
    // with the message for the user. *note says when the DPI was lowered.
    bool saveMapImage(int extent, const QString &paper, int dpi, const QString &path, QString *error,
                      QString *note = nullptr);
    // The two halves of it: the JPEG bytes of the map, and writing them.
    bool renderMapImage(int extent, const QString &paper, int dpi, QByteArray *jpeg, QString *error,
                        QString *note = nullptr);
    static bool writeJpeg(const QString &path, const QByteArray &jpeg, QString *error);

    // How long the map service may take for an image.
    void setPrintTimeout(int ms) { m_printTimeoutMs = ms; }

signals:
    // A page asked for an enterprise (the id as the page gave it); the
    // register is asked for it by rowRequested right after.
    void enterpriseRequested(const QString &id);
    // A print reply has been handled (m_mapResult says how).
    void onRequestMapDone();

public slots:
    void onURLReturnPressed();
    void onUrlChanged(const QUrl &url);
    void podnikVybran(const QString &id);
    // Asks for extent, paper and DPI, then saves the map as a JPEG file.
    void onMapaSavePng();
    void managerMapFinished(QNetworkReply *reply);

private:
    // "events" and "mapa" go to the program's own map pages only.
    void offerChannelObjects(bool own);
    // Both wait for the network until done, the time-out or "Zrušit" of
    // the progress window.
    bool printByService(const QString &base, const QByteArray &doc, int extent, const QString &paper, int dpi,
                        QByteArray *bytes, QString *error, WorkProgress *progress);
    // The tiles the plan names (a null image where one failed); false when
    // none arrived or the user stopped it.
    bool fetchTiles(const MapPrint::Plan &plan, QVector<QImage> *images, QString *error, WorkProgress *progress);

    Ui::ProhlizecTab *ui;
    Session *m_session;
    QToolBar *m_toolbar;
    QLineEdit *m_address;
    QWebChannel *m_channel;
    webclass *m_bridge;
    QNetworkAccessManager *m_mapManager;
    MapPageData *m_mapData;
    int m_rule = 0;
    // The last print reply: bytes and 1 success, -1 failure.
    QByteArray m_mapReply;
    int m_mapResult = 0;
    QString m_mapError;
    int m_printTimeoutMs = 180000;
};
