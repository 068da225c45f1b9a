#include "events/udalostipage.h"

#include "register/qsmysortfilterproxymodel.h"
#include "ui_udalostipage.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>

UdalostiPage::UdalostiPage(Session *session, QWidget *parent)
    : ZrnPage(session, parent), ui(new Ui::UdalostiPage)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("tab_udalosti"));
    setWindowTitle(tr("Události"));

    m_pane.placeholder = ui->wudalost_vyber;
    m_pane.form = ui->wudalost;
    m_pane.header = ui->wheader;
    m_pane.save = ui->udalost_uloz;
    m_pane.date = ui->ud;
    m_pane.time = ui->uc;
    m_pane.subject = ui->udalostPredmet;
    m_pane.place = ui->lokalita;
    m_pane.project = ui->cprojektu;
    m_pane.source = ui->cbZdroj;
    m_pane.category = ui->cbKategorie;
    m_pane.priority = ui->cbPriorita;
    m_pane.state = ui->cbStav;
    m_pane.synchronisation = ui->cbSynchronizace;
    m_pane.persons = ui->uoo;
    m_pane.mail = ui->cbNotifikace;
    m_pane.service = ui->cbNotifikaceF;
    m_pane.journey = ui->cbCesta;
    m_pane.notifyFromLabel = ui->lupozornit2;
    m_pane.notifyFrom = ui->upozornit;
    m_pane.startLabel = ui->lzacatek2;
    m_pane.endLabel = ui->lkonec2;
    m_pane.start = ui->uzacatek;
    m_pane.end = ui->ukonec;
    m_pane.startDate = ui->uzd;
    m_pane.startTime = ui->uzc;
    m_pane.endDate = ui->ukd;
    m_pane.endTime = ui->ukc;
    m_pane.descriptionToolBar = ui->TBudalostPopis;
    m_pane.description = ui->udalostPopis;
    m_popisToolbar = EventPane::setUp(m_pane, this);

    // The events are those of the selected enterprise or centre: the pane
    // has no enterprise and centre fields.
    ui->label_54->hide();
    ui->widget_36->hide();

    m_model = new QStandardItemModel(0, EventList::ColumnCount, this);
    m_model->setHorizontalHeaderLabels(EventList::headers(tr("Podnik/Středisko")));
    m_proxy = new QSMySortFilterProxyModel(this);
    EventList::attach(ui->treeViewUdalosti, m_model, m_proxy);

    // Until a saved layout says otherwise: the pane gets two fifths, the
    // description most of the pane's height.
    ui->splitter_2->setStretchFactor(0, 3);
    ui->splitter_2->setStretchFactor(1, 2);
    ui->splitter_7->setStretchFactor(0, 0);
    ui->splitter_7->setStretchFactor(1, 1);
    ui->splitter_9->setStretchFactor(0, 4);
    ui->splitter_9->setStretchFactor(1, 1);

    wire();
}

UdalostiPage::~UdalostiPage()
{
    delete ui;
}

void UdalostiPage::wire()
{
    connect(ui->treeViewUdalosti->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &UdalostiPage::onRowUdalostiChanged);
    connect(ui->tbUAdd, &QToolButton::clicked, this, &UdalostiPage::onAddUdalost);
    connect(ui->tbUAddReplay, &QToolButton::clicked, this, &UdalostiPage::onAddUdalostReplay);
    connect(ui->tbUdel, &QToolButton::clicked, this, &UdalostiPage::onDelUdalost);
    connect(ui->ucollapse, &QToolButton::clicked, this, &UdalostiPage::onUCollapse);
    connect(ui->uexpand, &QToolButton::clicked, this, &UdalostiPage::onUExpand);
    connect(ui->kategorie, &QToolButton::clicked, this, &UdalostiPage::onKategorie);

    connect(ui->cbStav, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &UdalostiPage::onUdalostShowWidgetNotifyFrom);
    connect(ui->cbSynchronizace, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &UdalostiPage::onUdalostShowWidgetCalendar);
    connect(ui->uoo, &QFEditWithButton::buttonClicked, this, &UdalostiPage::onSelectOO);
    connect(ui->udalost_uloz, &QPushButton::clicked, this, &UdalostiPage::onUdalostSave);
    EventPane::connectChanges(m_pane, this, [this] { onUdalostChanged(); });
}

QTreeView *UdalostiPage::view() const
{
    return ui->treeViewUdalosti;
}

void UdalostiPage::resetPane()
{
    EventPane::reset(m_pane);
}

void UdalostiPage::load()
{
    m_model->removeRows(0, m_model->rowCount());
    resetPane();
}

void UdalostiPage::clear()
{
    m_model->removeRows(0, m_model->rowCount());
    resetPane();
}

// Filled by the event-list work.
void UdalostiPage::onRefreshModelUdalosti(int) {}

void UdalostiPage::onUCollapse()
{
    ui->treeViewUdalosti->collapseAll();
}

void UdalostiPage::onUExpand()
{
    ui->treeViewUdalosti->expandAll();
}

// Filled by the event-list work.
void UdalostiPage::onKategorie() {}
// Filled by the event-list work.
void UdalostiPage::onRowUdalostiChanged(const QModelIndex &) {}
// Filled by the event-list work.
void UdalostiPage::onAddUdalost() {}
// Filled by the event-list work.
void UdalostiPage::onAddUdalostReplay() {}
// Filled by the event-list work.
void UdalostiPage::onDelUdalost() {}

void UdalostiPage::onUdalostChanged()
{
    ui->udalost_uloz->setEnabled(true);
}

void UdalostiPage::onUdalostShowWidgetNotifyFrom(int state)
{
    EventPane::showNotifyFrom(m_pane, state);
}

void UdalostiPage::onUdalostShowWidgetCalendar(int synchronisation)
{
    EventPane::showCalendar(m_pane, synchronisation);
}

// Filled by the event-list work.
void UdalostiPage::onSelectOO() {}
// Filled by the event-list work.
void UdalostiPage::onUdalostSave() {}
