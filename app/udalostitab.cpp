#include "app/udalostitab.h"

#include "app/session.h"
#include "events/eventpane.h"
#include "register/qsmysortfilterproxymodel.h"
#include "ui_udalostitab.h"
#include "widgets/qstbtextedit.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>

UdalostiTab::UdalostiTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::UdalostiTab), m_session(session)
{
    ui->setupUi(this);

    m_pane = new EventPaneWidgets;
    EventPaneWidgets &p = *m_pane;
    p.placeholder = ui->wsudalost_vyber;
    p.form = ui->wsudalost;
    p.header = ui->wsheader;
    p.save = ui->sudalost_uloz;
    p.date = ui->sd;
    p.time = ui->sc;
    p.subject = ui->udalostSPredmet;
    p.place = ui->slokalita;
    p.project = ui->scprojektu;
    p.source = ui->cbSZdroj;
    p.category = ui->cbSKategorie;
    p.priority = ui->cbSPriorita;
    p.state = ui->cbSStav;
    p.synchronisation = ui->cbSSynchronizace;
    p.persons = ui->soo;
    p.pickers = {ui->spodnik, ui->sstredisko};
    p.mail = ui->cbSNotifikace;
    p.service = ui->cbSNotifikaceF;
    p.journey = ui->cbSCesta;
    p.notifyFromLabel = ui->lupozornit;
    p.notifyFrom = ui->supozornit;
    p.startLabel = ui->lzacatek;
    p.endLabel = ui->lkonec;
    p.start = ui->szacatek;
    p.end = ui->skonec;
    p.startDate = ui->szd;
    p.startTime = ui->szc;
    p.endDate = ui->skd;
    p.endTime = ui->skc;
    p.descriptionToolBar = ui->TBudalostSPopis;
    p.description = ui->udalostSPopis;
    // Tool bar, colour squares, categories; save disabled, optional widgets hidden.
    m_popisToolbar = EventPane::setUp(p, this);
    ui->lsudalost->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_model = new QStandardItemModel(0, ColumnCount, this);
    m_model->setHorizontalHeaderLabels(EventList::headers(tr("Podnik/Středisko/Lokalita")));
    m_proxy = new QSMySortFilterProxyModel(this);
    EventList::attach(ui->treeViewSUdalosti, m_model, m_proxy);

    // Until a saved layout says otherwise: the pane gets two fifths.
    ui->splitter_4->setStretchFactor(0, 3);
    ui->splitter_4->setStretchFactor(1, 2);
    ui->splitter_8->setStretchFactor(0, 4);
    ui->splitter_8->setStretchFactor(1, 1);

    wire();
}

UdalostiTab::~UdalostiTab()
{
    delete m_pane;
    delete ui;
}

void UdalostiTab::wire()
{
    auto *view = ui->treeViewSUdalosti;
    connect(ui->ufilter, &QLineEdit::textChanged, this, &UdalostiTab::onUFilter);
    connect(view->header(), &QHeaderView::sortIndicatorChanged, this, &UdalostiTab::onUFilterReset);
    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &UdalostiTab::onRowSUdalostiChanged);
    connect(view, &QTreeView::doubleClicked, this, &UdalostiTab::tableViewSUdalostiDoubleClicked);
    connect(ui->sucollapse, &QToolButton::clicked, this, &UdalostiTab::onSUCollapse);
    connect(ui->suexpand, &QToolButton::clicked, this, &UdalostiTab::onSUExpand);
    connect(ui->nedokoncene, &QToolButton::toggled, this,
            qOverload<>(&UdalostiTab::onRefreshModelSUdalosti));
    connect(ui->skategorie, &QToolButton::clicked, this, &UdalostiTab::onSKategorie);
    connect(ui->oo, &QToolButton::clicked, this, &UdalostiTab::onOO);
    connect(ui->tbSUAdd, &QToolButton::clicked, this, &UdalostiTab::onAddSUdalost);
    connect(ui->tbSUAddReplay, &QToolButton::clicked, this, &UdalostiTab::onAddSUdalostReplay);
    connect(ui->tbSUdel, &QToolButton::clicked, this, &UdalostiTab::onDelSUdalost);
    connect(ui->tbSRefresh, &QToolButton::clicked, this, &UdalostiTab::onRefreshSUdalost);

    connect(ui->cbSStav, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &UdalostiTab::onSUdalostShowWidgetNotifyFrom);
    connect(ui->cbSSynchronizace, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &UdalostiTab::onSUdalostShowWidgetCalendar);
    connect(ui->soo, &QFEditWithButton::buttonClicked, this, &UdalostiTab::onSelectSOO);
    connect(ui->spodnik, &QFEditWithButton::buttonClicked, this, &UdalostiTab::selectSPodnik);
    connect(ui->sstredisko, &QFEditWithButton::buttonClicked, this, &UdalostiTab::selectSStredisko);
    connect(ui->sudalost_uloz, &QPushButton::clicked, this, &UdalostiTab::onSUdalostSave);

    // Every field change makes the pane dirty.
    EventPane::connectChanges(*m_pane, this, [this] { onSUdalostChanged(); });
}

QTreeView *UdalostiTab::view() const
{
    return ui->treeViewSUdalosti;
}

bool UdalostiTab::nedokoncene() const
{
    return ui->nedokoncene->isChecked();
}

void UdalostiTab::setNedokoncene(bool on)
{
    const QSignalBlocker blocker(ui->nedokoncene);
    ui->nedokoncene->setChecked(on);
}

void UdalostiTab::applyRights(const UserRights &user)
{
    // Users who see only their own events cannot choose persons.
    if (user.udalosti == 1)
        ui->oo->hide();
}

void UdalostiTab::onRefreshModelSUdalosti(int) {}
void UdalostiTab::onRefreshModelSUdalosti() {}
void UdalostiTab::onRefreshSUdalost() {}

void UdalostiTab::onSUCollapse()
{
    ui->treeViewSUdalosti->collapseAll();
}

void UdalostiTab::onSUExpand()
{
    ui->treeViewSUdalosti->expandAll();
}

void UdalostiTab::onUFilter(const QString &) {}
void UdalostiTab::onUFilterReset() {}
void UdalostiTab::onSKategorie() {}
void UdalostiTab::onOO() {}
void UdalostiTab::onRowSUdalostiChanged(const QModelIndex &) {}
void UdalostiTab::tableViewSUdalostiDoubleClicked(const QModelIndex &) {}

void UdalostiTab::onSUdalostChanged()
{
    ui->sudalost_uloz->setEnabled(true);
}

void UdalostiTab::onSUdalostShowWidgetNotifyFrom(int state)
{
    EventPane::showNotifyFrom(*m_pane, state);
}

void UdalostiTab::onSUdalostShowWidgetCalendar(int synchronisation)
{
    EventPane::showCalendar(*m_pane, synchronisation);
}

void UdalostiTab::onSelectSOO() {}
void UdalostiTab::selectSPodnik() {}
void UdalostiTab::selectSStredisko() {}
void UdalostiTab::onSUdalostSave() {}
void UdalostiTab::onAddSUdalost() {}
void UdalostiTab::onAddSUdalostReplay() {}
void UdalostiTab::onDelSUdalost() {}
