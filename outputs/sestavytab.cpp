#include "outputs/sestavytab.h"

#include "ui_sestavytab.h"

#include <QToolButton>
#include <QWebEngineView>

SestavyTab::SestavyTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::SestavyTab), m_session(session)
{
    ui->setupUi(this);
    m_view = new QWebEngineView(ui->wreport);
    m_view->setObjectName(QStringLiteral("webView"));
    ui->wreport->layout()->addWidget(m_view);

    connect(ui->rep1, &QToolButton::clicked, this, &SestavyTab::onSetSestavaPrehled);
    connect(ui->rep2, &QToolButton::clicked, this, &SestavyTab::onSetSestavaPodniky);
    connect(ui->rep3, &QToolButton::clicked, this, &SestavyTab::onSetSestavaStrediska);
    connect(ui->rep4, &QToolButton::clicked, this, &SestavyTab::onSetSestavaAktualizace);
    connect(ui->rep5, &QToolButton::clicked, this, &SestavyTab::onSetSestavaVNC);
    connect(ui->rep_tisk, &QToolButton::clicked, this, &SestavyTab::onPrint);
}

SestavyTab::~SestavyTab()
{
    delete ui;
}

void SestavyTab::enter()
{
    if (m_overviewShown)
        return;
    m_overviewShown = true;
    onSetSestavaPrehled();
}

void SestavyTab::onSetSestavaPrehled()
{
    emit overviewRequested();
}

void SestavyTab::onSetSestavaPodniky() {}
void SestavyTab::onSetSestavaStrediska() {}
void SestavyTab::onSetSestavaAktualizace() {}
void SestavyTab::onSetSestavaVNC() {}
void SestavyTab::onPrint() {}
void SestavyTab::onSestavaVyber() {}
void SestavyTab::printDocument(QPrinter *) {}
