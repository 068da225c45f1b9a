#include "events/udalostipage.h"

#include "core/session.h"
#include "core/notice.h"
#include "events/calendarbutton.h"
#include "events/dialogkategorie.h"
#include "events/eventpane.h"
#include "events/eventthreads.h"
#include "events/eventtreemodel.h"
#include "ui_udalostipage.h"

#include <QStackedWidget>

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
    m_threads = new EventThreads(false, session, ui->treeViewUdalosti, m_pane, this);

    // Until a saved layout says otherwise: the pane gets over two fifths (its fields
    // show whole on a 1366 pixels wide screen), the description most of the
    // pane's height.
    ui->splitter_2->setStretchFactor(0, 3);
    ui->splitter_2->setStretchFactor(1, 2);
    ui->splitter_2->setSizes({550, 450});
    ui->upfilter->setMinimumWidth(140);

    wire();
}

UdalostiPage::~UdalostiPage()
{
    delete ui;
}

void UdalostiPage::wire()
{
    connect(ui->tbUAdd, &QToolButton::clicked, this, &UdalostiPage::onAddUdalost);
    connect(ui->tbUAddReplay, &QToolButton::clicked, this, &UdalostiPage::onAddUdalostReplay);
    connect(ui->tbUdel, &QToolButton::clicked, this, &UdalostiPage::onDelUdalost);
    connect(ui->ucollapse, &QToolButton::clicked, this, &UdalostiPage::onUCollapse);
    connect(ui->uexpand, &QToolButton::clicked, this, &UdalostiPage::onUExpand);
    connect(ui->kategorie, &QToolButton::clicked, this, &UdalostiPage::onKategorie);
    connect(ui->tbUKalendar, &QToolButton::clicked, this,
            [this] {
                const QString file = CalendarButton::exportShown(this, m_threads);
                if (!file.isEmpty())
                    session()->notify(Notice::exported(file));
            });
    // Searches the events of the enterprise or centre shown.
    connect(ui->upfilter, &QLineEdit::textChanged, m_threads, &EventThreads::setSearch);

    connect(m_pane, &EventPane::personsClicked, this, &UdalostiPage::onSelectOO);
    connect(m_pane, &EventPane::saveClicked, this, &UdalostiPage::onUdalostSave);
    connect(m_pane, &EventPane::dirtyChanged, this, [this](bool dirty) {
        if (dirty)
            markChanged();
        else
            setClean();
    });
}

QTreeView *UdalostiPage::view() const
{
    return ui->treeViewUdalosti;
}

bool UdalostiPage::shownToUser() const
{
    // Another page of the register's tabs is in front: read when shown.
    if (auto *stack = qobject_cast<QStackedWidget *>(parentWidget()))
        return stack->currentWidget() == this;
    return true;
}

void UdalostiPage::load(const TreeRow &row)
{
    m_threads->setTreeRow(row);
    // The register has settled the pane's edits already.
    setHasRow(true);
    if (!shownToUser()) {
        // Nothing of the previous selection stays behind the other page.
        m_stale = true;
        m_threads->model()->clear();
        m_pane->reset();
        return;
    }
    m_stale = false;
    m_threads->reload(0, false);
}

void UdalostiPage::reload()
{
    load(m_threads->treeRow());
}

void UdalostiPage::clear()
{
    // Empty until told another row: a search lists nothing meanwhile.
    m_threads->setTreeRow(TreeRow());
    m_stale = false;
    m_threads->model()->clear();
    m_pane->reset();
    setHasRow(false);
}

bool UdalostiPage::save()
{
    return m_pane->saveEvent();
}

void UdalostiPage::showEvent(QShowEvent *event)
{
    ZrnPage::showEvent(event);
    if (m_stale) {
        m_stale = false;
        m_threads->reload(0, false);
    }
}

void UdalostiPage::onRefreshModelUdalosti(int id)
{
    m_threads->reload(id);
}

void UdalostiPage::onUCollapse()
{
    ui->treeViewUdalosti->collapseAll();
}

void UdalostiPage::onUExpand()
{
    ui->treeViewUdalosti->expandAll();
}

void UdalostiPage::onKategorie()
{
    EventListFilter criteria = m_threads->criteria();
    if (DialogKategorie::choose(this, &criteria.categories))
        m_threads->setCriteria(criteria, m_pane->eventId());
}

void UdalostiPage::onAddUdalost()
{
    m_threads->addEvent();
}

void UdalostiPage::onAddUdalostReplay()
{
    m_threads->addReply();
}

void UdalostiPage::onDelUdalost()
{
    m_threads->removeEvent();
}

void UdalostiPage::onUdalostShowWidgetNotifyFrom(int state)
{
    m_pane->showNotifyFrom(state);
}

void UdalostiPage::onUdalostShowWidgetCalendar(int synchronisation)
{
    m_pane->showCalendar(synchronisation);
}

void UdalostiPage::onSelectOO()
{
    m_pane->choosePersons();
}

void UdalostiPage::onUdalostSave()
{
    const int id = m_pane->eventId();
    if (m_pane->saveEvent())
        m_threads->reload(id, false);
}
