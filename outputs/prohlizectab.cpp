#include "outputs/prohlizectab.h"

#include "ui_prohlizectab.h"

#include <QAction>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QToolBar>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineView>

ProhlizecTab::ProhlizecTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::ProhlizecTab), m_session(session)
{
    ui->setupUi(this);

    m_toolbar = new QToolBar(ui->wtoolbar);
    m_toolbar->setStyleSheet(QStringLiteral("QToolBar { border: 0px }"));
    QWebEngineView *view = ui->wbrowser;
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Back));
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Forward));
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Reload));
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Stop));
    QAction *exportPng = m_toolbar->addAction(QIcon(QStringLiteral(":/pics/exportjpg.png")), QString());
    exportPng->setObjectName(QStringLiteral("actionMapaSavePng"));
    connect(exportPng, &QAction::triggered, this, &ProhlizecTab::onMapaSavePng);
    m_address = new QLineEdit(m_toolbar);
    m_address->setObjectName(QStringLiteral("adresa"));
    m_address->setSizePolicy(QSizePolicy::Expanding, m_address->sizePolicy().verticalPolicy());
    m_toolbar->addWidget(m_address);
    ui->horizontalLayoutBrowser->addWidget(m_toolbar);

    m_bridge = new webclass(this);
    m_channel = new QWebChannel(this);
    m_channel->registerObject(QStringLiteral("events"), m_bridge);
    view->page()->setWebChannel(m_channel);

    connect(m_address, &QLineEdit::returnPressed, this, &ProhlizecTab::onURLReturnPressed);
    connect(view, &QWebEngineView::urlChanged, this, &ProhlizecTab::onUrlChanged);
    connect(m_bridge, &webclass::onPodnikVybran, this, &ProhlizecTab::podnikVybran);

    // Map service replies (the map export's rendering requests) arrive here.
    m_mapManager = new QNetworkAccessManager(this);
    connect(m_mapManager, &QNetworkAccessManager::finished, this, &ProhlizecTab::managerMapFinished);
}

ProhlizecTab::~ProhlizecTab()
{
    delete ui;
}

QWebEngineView *ProhlizecTab::view() const
{
    return ui->wbrowser;
}

void ProhlizecTab::onURLReturnPressed()
{
    ui->wbrowser->load(QUrl::fromUserInput(m_address->text()));
}

void ProhlizecTab::onUrlChanged(const QUrl &url)
{
    m_address->setText(url.toString());
}

void ProhlizecTab::podnikVybran(const QString &id)
{
    emit enterpriseRequested(id);
}

void ProhlizecTab::onMapaSavePng() {}

void ProhlizecTab::managerMapFinished(QNetworkReply *reply)
{
    // Filled in by the map export; until then the reply is only released.
    reply->deleteLater();
}
