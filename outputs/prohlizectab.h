#pragma once

#include <QObject>
#include <QUrl>
#include <QWidget>

class Session;
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

// The "Prohlížeč" tab: a small web browser with back/forward/reload/stop, the
// map image export and an address line; pages talk back through the web
// channel object "events".
class ProhlizecTab : public QWidget
{
    Q_OBJECT
public:
    explicit ProhlizecTab(Session *session, QWidget *parent = nullptr);
    ~ProhlizecTab() override;

    QWebEngineView *view() const;
    QLineEdit *addressLine() const { return m_address; }
    webclass *bridge() const { return m_bridge; }

signals:
    // A page asked for an enterprise; the main window shows it in the register.
    void enterpriseRequested(const QString &id);

public slots:
    void onURLReturnPressed();
    void onUrlChanged(const QUrl &url);
    void podnikVybran(const QString &id);
    // Filled in by the map export.
    void onMapaSavePng();
    void managerMapFinished(QNetworkReply *reply);

private:
    Ui::ProhlizecTab *ui;
    Session *m_session;
    QToolBar *m_toolbar;
    QLineEdit *m_address;
    QWebChannel *m_channel;
    webclass *m_bridge;
    QNetworkAccessManager *m_mapManager;
};
