#include "events/udalostitab.h"

#include "core/session.h"
#include "core/notice.h"
#include "events/calendarbutton.h"
#include "events/dialogkategorie.h"
#include "events/dialogoo.h"
#include "events/eventlist.h"
#include "events/eventpane.h"
#include "events/eventthreads.h"
#include "events/eventtreemodel.h"
#include "core/qsmysortfilterproxymodel.h"
#include "ui_udalostitab.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>

UdalostiTab::UdalostiTab(Session *session, QWidget *parent)
    : ZrnTab(parent), ui(new Ui::UdalostiTab), m_session(session)
{
    ui->setupUi(this);

    // The pane beside the list; it keeps the splitter splitter_8 of this tab.
    m_pane = new EventPane(EventPane::Global, ui->splitter_4);
    ui->splitter_4->addWidget(m_pane);
    m_threads = new EventThreads(true, session, ui->treeViewSUdalosti, m_pane, this);
    setNedokoncene(m_threads->criteria().unfinished);

    // Until a saved layout says otherwise: the pane gets over two fifths, so
    // that its fields show whole on a 1366 pixels wide screen.
    ui->splitter_4->setStretchFactor(0, 3);
    ui->splitter_4->setStretchFactor(1, 2);
    ui->splitter_4->setSizes({550, 450});
    // The tool bar gives way to the pane, the search field stays usable.
    ui->ufilter->setMinimumWidth(140);

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
    connect(ui->tbSUKalendar, &QToolButton::clicked, this,
            [this] {
                const QString file = CalendarButton::exportShown(this, m_threads);
                if (!file.isEmpty())
                    m_session->notify(Notice::exported(file));
            });

    connect(m_pane, &EventPane::personsClicked, this, &UdalostiTab::onSelectSOO);
    connect(m_pane, &EventPane::enterprisePickerClicked, this, &UdalostiTab::selectSPodnik);
    connect(m_pane, &EventPane::centrePickerClicked, this, &UdalostiTab::selectSStredisko);
    connect(m_pane, &EventPane::saveClicked, this, &UdalostiTab::onSUdalostSave);

    // How many threads the list shows (the list is read as it scrolls).
    auto *count = new QLabel(this);
    count->setObjectName(QStringLiteral("lpocet"));
    ui->horizontalLayout_sulist->addWidget(count);
    connect(m_threads, &EventThreads::shownChanged, count, [this, count] { count->setText(m_threads->shownText()); });
}

QTreeView *UdalostiTab::view() const
{
    return ui->treeViewSUdalosti;
}

EventTreeModel *UdalostiTab::model() const
{
    return m_threads->model();
}

QSMySortFilterProxyModel *UdalostiTab::proxy() const
{
    return m_threads->proxy();
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
    ui->oo->setVisible(!user.ownEventsOnly());
}

void UdalostiTab::onRefreshModelSUdalosti(int id)
{
    m_threads->reload(id);
}

void UdalostiTab::onRefreshModelSUdalosti()
{
    // The "Nedokončené" switch was toggled. A reload refused (the pane's
    // edits could not be saved) keeps the rows, so the switch goes back to
    // the filter they were read with.
    EventListFilter criteria = m_threads->criteria();
    criteria.unfinished = nedokoncene();
    if (!m_threads->setCriteria(criteria, m_pane->eventId()))
        setNedokoncene(!nedokoncene());
}

void UdalostiTab::onRefreshSUdalost()
{
    m_threads->reload(m_pane->eventId());
}

void UdalostiTab::onSUCollapse()
{
    ui->treeViewSUdalosti->collapseAll();
}

void UdalostiTab::onSUExpand()
{
    ui->treeViewSUdalosti->expandAll();
}

void UdalostiTab::onUFilter(const QString &text)
{
    m_threads->setSearch(text);
}

void UdalostiTab::onUFilterReset()
{
    {
        const QSignalBlocker blocker(ui->ufilter);
        ui->ufilter->clear();
    }
    if (!m_threads->search().isEmpty())
        m_threads->setSearch(QString());
    else
        m_threads->reload(m_pane->eventId());
}

void UdalostiTab::onSKategorie()
{
    EventListFilter criteria = m_threads->criteria();
    if (DialogKategorie::choose(this, &criteria.categories))
        m_threads->setCriteria(criteria, m_pane->eventId());
}

void UdalostiTab::onOO()
{
    EventListFilter criteria = m_threads->criteria();
    if (DialogOO::choose(this, &criteria.persons, &criteria.furtherPersons))
        m_threads->setCriteria(criteria, m_pane->eventId());
}

void UdalostiTab::tableViewSUdalostiDoubleClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const QVariant podnik = index.sibling(index.row(), EventList::ColIdPodnik).data();
    const QVariant stredisko = index.sibling(index.row(), EventList::ColIdStredisko).data();
    const bool hasPodnik = podnik.toLongLong() > 0;
    const bool hasStredisko = stredisko.toLongLong() > 0;
    if (!hasPodnik && !hasStredisko)
        return;
    // Replies are filed under nothing: there is no row to show.
    // The register shows it on its event page (the quick filter gives way).
    emit rowRequested({hasPodnik ? podnik : QVariant(), hasStredisko ? stredisko : QVariant(),
                       QStringLiteral("tab_udalosti"), RowRequest::Way::RevealAndGo});
}

void UdalostiTab::onSUdalostShowWidgetNotifyFrom(int state)
{
    m_pane->showNotifyFrom(state);
}

void UdalostiTab::onSUdalostShowWidgetCalendar(int synchronisation)
{
    m_pane->showCalendar(synchronisation);
}

void UdalostiTab::onSelectSOO()
{
    m_pane->choosePersons();
}

void UdalostiTab::selectSPodnik()
{
    m_pane->chooseEnterprise();
}

void UdalostiTab::selectSStredisko()
{
    m_pane->chooseCentre();
}

void UdalostiTab::onSUdalostSave()
{
    const int id = m_pane->eventId();
    if (m_pane->saveEvent())
        m_threads->reload(id, false);
}

void UdalostiTab::onAddSUdalost()
{
    m_threads->addEvent();
}

void UdalostiTab::onAddSUdalostReplay()
{
    m_threads->addReply();
}

void UdalostiTab::onDelSUdalost()
{
    m_threads->removeEvent();
}

bool UdalostiTab::allowedFor(const UserRights &user) const
{
    return user.hasEventsTab() && !user.minimalTabs();
}

bool UdalostiTab::settle()
{
    // The pane asks its own question.
    return m_pane->settle();
}
