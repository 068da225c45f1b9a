#include "events/udalostitab.h"

#include "core/session.h"
#include "events/eventlist.h"
#include "events/eventpane.h"
#include "core/qsmysortfilterproxymodel.h"
#include "ui_udalostitab.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>

UdalostiTab::UdalostiTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::UdalostiTab), m_session(session)
{
    ui->setupUi(this);

    // The pane beside the list; it keeps the splitter splitter_8 of this tab.
    m_pane = new EventPane(EventPane::Global, ui->splitter_4);
    ui->splitter_4->addWidget(m_pane);

    m_model = new QStandardItemModel(0, ColumnCount, this);
    m_model->setHorizontalHeaderLabels(EventList::headers(tr("Podnik/Středisko/Lokalita")));
    m_proxy = new QSMySortFilterProxyModel(this);
    EventList::attach(ui->treeViewSUdalosti, m_model, m_proxy);

    // Until a saved layout says otherwise: the pane gets two fifths.
    ui->splitter_4->setStretchFactor(0, 3);
    ui->splitter_4->setStretchFactor(1, 2);

    wire();
}

UdalostiTab::~UdalostiTab()
{
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

    connect(m_pane, &EventPane::personsClicked, this, &UdalostiTab::onSelectSOO);
    connect(m_pane, &EventPane::enterprisePickerClicked, this, &UdalostiTab::selectSPodnik);
    connect(m_pane, &EventPane::centrePickerClicked, this, &UdalostiTab::selectSStredisko);
    connect(m_pane, &EventPane::saveClicked, this, &UdalostiTab::onSUdalostSave);
    connect(m_pane, &EventPane::changed, this, &UdalostiTab::onSUdalostChanged);
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
    if (user.ownEventsOnly())
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

// The pane enables "Uložit" itself.
void UdalostiTab::onSUdalostChanged() {}

void UdalostiTab::onSUdalostShowWidgetNotifyFrom(int state)
{
    m_pane->showNotifyFrom(state);
}

void UdalostiTab::onSUdalostShowWidgetCalendar(int synchronisation)
{
    m_pane->showCalendar(synchronisation);
}

void UdalostiTab::onSelectSOO() {}
void UdalostiTab::selectSPodnik() {}
void UdalostiTab::selectSStredisko() {}
void UdalostiTab::onSUdalostSave() {}
void UdalostiTab::onAddSUdalost() {}
void UdalostiTab::onAddSUdalostReplay() {}
void UdalostiTab::onDelSUdalost() {}
