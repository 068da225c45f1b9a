#include "events/udalostipage.h"

#include "core/qsmysortfilterproxymodel.h"
#include "events/eventlist.h"
#include "events/eventpane.h"
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

    // The pane beside the list; it keeps the splitters splitter_9 and
    // splitter_7 of this page.
    m_pane = new EventPane(EventPane::Enterprise, ui->splitter_2);
    ui->splitter_2->addWidget(m_pane);

    m_model = new QStandardItemModel(0, EventList::ColumnCount, this);
    m_model->setHorizontalHeaderLabels(EventList::headers(tr("Podnik/Středisko")));
    m_proxy = new QSMySortFilterProxyModel(this);
    EventList::attach(ui->treeViewUdalosti, m_model, m_proxy);

    // Until a saved layout says otherwise: the pane gets two fifths, the
    // description most of the pane's height.
    ui->splitter_2->setStretchFactor(0, 3);
    ui->splitter_2->setStretchFactor(1, 2);

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

    connect(m_pane, &EventPane::personsClicked, this, &UdalostiPage::onSelectOO);
    connect(m_pane, &EventPane::saveClicked, this, &UdalostiPage::onUdalostSave);
    connect(m_pane, &EventPane::changed, this, &UdalostiPage::onUdalostChanged);
}

QTreeView *UdalostiPage::view() const
{
    return ui->treeViewUdalosti;
}

void UdalostiPage::resetPane()
{
    m_pane->reset();
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

// The pane enables "Uložit" itself.
void UdalostiPage::onUdalostChanged() {}

void UdalostiPage::onUdalostShowWidgetNotifyFrom(int state)
{
    m_pane->showNotifyFrom(state);
}

void UdalostiPage::onUdalostShowWidgetCalendar(int synchronisation)
{
    m_pane->showCalendar(synchronisation);
}

// Filled by the event-list work.
void UdalostiPage::onSelectOO() {}
// Filled by the event-list work.
void UdalostiPage::onUdalostSave() {}
