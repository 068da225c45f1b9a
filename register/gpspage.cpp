#include "register/gpspage.h"

#include "ui_gpspage.h"

#include "db/qssql.h"
#include "core/centrerecord.h"
#include "core/columnvalues.h"
#include "register/statements.h"
#include "register/webmap.h"

#include <QWebEngineView>

GpsPage::GpsPage(Session *session, QWidget *parent)
    : ZrnPage(session, parent), ui(new Ui::GpsPage)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("tab_gps"));
    setWindowTitle(tr("GPS"));
    ui->gps_url->setText(QStringLiteral("about:blank"));

    connect(ui->gps_souradnice, &QLineEdit::textChanged, this, &GpsPage::onGPSChanged);
    connect(ui->gps_save, &QPushButton::clicked, this, &GpsPage::onGPSSave);
    connect(ui->gps_show_google, &QPushButton::clicked, this, &GpsPage::onGPSShowGoogle);
    for (const char *table : {"tellmark_podniky", "tellmark_strediska"})
        ChangeHistory::describe(QLatin1String(table), {{QStringLiteral("GPS"), tr("Souřadnice GPS")}});
    setSaveButton(ui->gps_save);
    setEditorAreas({ui->gps_souradnice, ui->gps_show_google});
    setHasRow(false);
}

GpsPage::~GpsPage()
{
    delete ui;
}


QWebEngineView *GpsPage::mapView()
{
    if (!m_view) {
        m_view = new QWebEngineView(ui->gps_view_box);
        m_view->setObjectName(QStringLiteral("wvgps"));
        ui->gps_view_box->layout()->addWidget(m_view);
        connect(m_view, &QWebEngineView::urlChanged, this, &GpsPage::onGPSUrlChanged);
        m_view->setUrl(QUrl(QStringLiteral("about:blank")));
    }
    return m_view;
}

QUrl GpsPage::mapUrl() const
{
    return WebMap::url(WebMap::base(), ui->gps_souradnice->text());
}

void GpsPage::blankView()
{
    if (m_view)
        m_view->setUrl(QUrl(QStringLiteral("about:blank")));
    else
        ui->gps_url->setText(QStringLiteral("about:blank"));
}

void GpsPage::load(const TreeRow &row)
{
    if (row.isNone()) {
        clear();
        return;
    }
    QSSQL q;
    q.prepare(row.isCentre() ? QLatin1String(RegisterSql::GpsSelectStredisko) : QLatin1String(RegisterSql::GpsSelectPodnik));
    q.addBindValue(CentreStore::idValue(row.id));
    if (!q.exec()) {
        showReadFailure(q.lastError().text());
        return;
    }
    if (!q.next()) {
        clear();
        return;
    }
    loadFrom(row, q.value(0));
}

void GpsPage::loadFrom(const TreeRow &row, const QVariant &gps)
{
    m_row = row;
    beginFill();
    ui->gps_souradnice->setText(ColumnValues::storedText(gps));
    m_snapshot = RowSnapshot(row.isCentre() ? QStringLiteral("tellmark_strediska") : QStringLiteral("tellmark_podniky"));
    if (!row.isNone())
        m_snapshot.take(row.id, [&gps](const QString &) { return gps; }, formValues());
    endFill();
    blankView();
    setHasRow(!row.isNone());
}

void GpsPage::clear()
{
    m_row = TreeRow();
    m_snapshot.reset();
    beginFill();
    ui->gps_souradnice->clear();
    endFill();
    blankView();
    setHasRow(false);
}

void GpsPage::onGPSChanged()
{
    markChanged();
}

FieldValues GpsPage::formValues() const
{
    return {{QStringLiteral("GPS"), ColumnValues::text(ui->gps_souradnice->text())}};
}

bool GpsPage::save()
{
    if (!hasRow() || m_row.isNone())
        return true;
    // The row the coordinates were read from: the centre when one was
    // current, otherwise its enterprise - never both.
    return saveRow(&m_snapshot, [this] { return formValues(); });
}

void GpsPage::onGPSSave()
{
    save();
}

void GpsPage::onGPSShowGoogle()
{
    mapView()->load(mapUrl());
}

void GpsPage::onGPSUrlChanged(const QUrl &url)
{
    ui->gps_url->setText(url.toString());
}

void GpsPage::applyRights()
{
}
