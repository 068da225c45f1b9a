#include "events/eventthreads.h"

#include "core/usersettings.h"
#include "core/report.h"

#include "core/eciselniky.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "db/database.h"
#include "db/qsapitellmark.h"
#include "events/dialogauudalost.h"
#include "events/eventlist.h"
#include "events/eventpane.h"
#include "events/eventtreemodel.h"
#include "events/eventworker.h"
#include "events/qsattachment.h"
#include "schema/eventlog.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QJsonDocument>
#include <QJsonObject>
#include <QScrollBar>
#include <QTimer>
#include <QTreeView>

using namespace EventList;

namespace {

// The global list comes from the database in the order of the header's
// sort: the proxy takes the sort (so that it is kept with the view's
// layout) and keeps the rows as they come, in either direction (the base
// class swaps the comparison for a descending sort).
class PagedProxy : public QSMySortFilterProxyModel
{
public:
    using QSMySortFilterProxyModel::QSMySortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override
    {
        return sortOrder() == Qt::AscendingOrder ? left.row() < right.row() : left.row() > right.row();
    }
};

// A selected event deeper than this many pages is not looked for.
constexpr int kSelectPages = 10;

} // namespace

EventThreads::EventThreads(bool global, Session *session, QTreeView *view, EventPane *pane, QObject *parent)
    : QObject(parent), m_global(global), m_session(session), m_view(view), m_pane(pane)
{
    {
        ZrnSettings settings;
        m_criteria = EventListFilter::load(settings, global);
    }
    m_model = new EventTreeModel(this);
    m_model->setHeaderTexts(headers(global ? tr("Podnik/Středisko/Lokalita") : tr("Podnik/Středisko")));
    m_proxy = global ? new PagedProxy(this) : new QSMySortFilterProxyModel(this);
    EventList::attach(view, m_model, m_proxy);
    m_model->setFetcher([this] {
        // A tree view asks for more rows with every layout of its own, seen
        // or not. Further threads are read as the user reaches the end of
        // the list (or while the rows do not fill the view), looked at once
        // the layout is done; a list nobody sees reads when asked.
        if (!m_view->isVisible()) {
            fetchNextPage();
            return;
        }
        if (m_fetchQueued)
            return;
        m_fetchQueued = true;
        QTimer::singleShot(0, this, [this] {
            m_fetchQueued = false;
            const QScrollBar *bar = m_view->verticalScrollBar();
            if (m_model->more() && bar->value() >= bar->maximum())
                fetchNextPage();
        });
    });
    // Rows of one line each: the view need not measure every row again as
    // pages are added to a long list.
    if (global)
        view->setUniformRowHeights(true);
    m_pane->setSession(session);

    connect(view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &EventThreads::onCurrentRowChanged);
    // "Datum/z." and "Datum/k." sort as date-times after every header click,
    // not only after a reload.
    connect(view->header(), &QHeaderView::sortIndicatorChanged, this, [this] {
        const int before = m_proxy->sortMode;
        applySortMode();
        if (m_proxy->sortMode != before)
            m_proxy->invalidate();
    });
}

EventThreads::~EventThreads()
{
    ZrnSettings settings;
    m_criteria.save(settings, m_global);
}

bool EventThreads::setCriteria(const EventListFilter &criteria, int selectId)
{
    const EventListFilter before = m_criteria;
    m_criteria = criteria;
    if (reload(selectId))
        return true;
    m_criteria = before;
    return false;
}

EventStore::Filter EventThreads::filter() const
{
    EventStore::Filter f;
    f.global = m_global;
    if (!m_session)
        return f;
    f.visibility = Visibility::of(m_session->user);
    if (m_global) {
        f.categories = m_criteria.categories;
        f.unfinished = m_criteria.unfinished;
        f.eventsRight = m_session->user.udalosti;
        f.login = m_session->user.login;
        f.persons = m_criteria.persons;
        f.furtherPersons = m_criteria.furtherPersons;
        f.search = m_search;
    } else {
        f.podnikId = m_row.podnikId();
        f.strediskoId = m_row.strediskoId();
        f.categories = m_criteria.categories;
        f.search = m_search;
    }
    return f;
}

void EventThreads::applySortMode()
{
    const int column = m_view->header()->sortIndicatorSection();
    m_proxy->sortMode = column == ColZacatek || column == ColKonec ? QSMySortFilterProxyModel::SortDateTime
                                                                   : QSMySortFilterProxyModel::SortText;
}

int EventThreads::currentEventId() const
{
    const QModelIndex current = m_view->currentIndex();
    if (!current.isValid())
        return 0;
    return current.sibling(current.row(), ColId).data().toInt();
}

EventTreeModel::NameMode EventThreads::nameMode() const
{
    if (m_global)
        return EventTreeModel::FullName;
    return m_row.isCentre() ? EventTreeModel::EnterpriseName : EventTreeModel::CentreName;
}

EventWorker *EventThreads::worker()
{
    if (!m_worker)
        m_worker = new EventWorker(this);
    return m_worker;
}

bool EventThreads::reload(int selectId, bool askFirst)
{
    if (askFirst && !m_pane->settle())
        return false;
    applySortMode();
    // An answer still on its way belongs to the list being replaced.
    ++m_generation;
    m_pending = false;
    if (m_worker)
        m_worker->cancel();
    {
        // The reset is no row change the pane should answer.
        m_reverting = true;
        m_pane->reset();
        m_model->clear();
        m_reverting = false;
    }
    emit shownChanged();
    m_selectId = selectId;
    m_selectPages = 0;
    const EventStore::Filter f = filter();
    if (m_global) {
        m_pageFilter = f;
        m_sort.column = m_view->header()->sortIndicatorSection();
        m_sort.descending = m_view->header()->sortIndicatorOrder() == Qt::DescendingOrder;
        m_cursor = EventStore::PageCursor();
        if (!f.search.trimmed().isEmpty()) {
            requestAsync(true);
            return true;
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        fetchNextPage();
        QApplication::restoreOverrideCursor();
        return true;
    }
    if (!f.search.trimmed().isEmpty()) {
        requestAsync(false);
        return true;
    }
    QVector<EventStore::ListRow> rows;
    QString error;
    if (!EventStore::readList(f, &rows, &error)) {
        Report::statementFailed(m_view, error);
        return true;
    }
    showList(rows);
    return true;
}

void EventThreads::fetchNextPage()
{
    if (!m_global || m_pending)
        return;
    if (!m_pageFilter.search.trimmed().isEmpty()) {
        requestAsync(true);
        return;
    }
    EventStore::Page page;
    QString error;
    m_model->setMore(false);
    if (!EventStore::readPage(m_pageFilter, m_sort, m_cursor, m_pageSize, &page, &error)) {
        Report::statementFailed(m_view, error);
        return;
    }
    showPage(page);
}

void EventThreads::requestAsync(bool paged)
{
    EventWorker::Request request;
    request.generation = ++m_generation;
    request.paged = paged;
    request.filter = paged ? m_pageFilter : filter();
    request.sort = m_sort;
    request.cursor = m_cursor;
    request.limit = m_pageSize;
    m_pending = true;
    m_model->setMore(false);
    worker()->submit(request, this, [this](const EventWorker::Result &result) {
        if (result.generation != m_generation)
            return;
        m_pending = false;
        if (!result.ok) {
            Report::statementFailed(m_view, result.error);
        } else if (m_global) {
            m_pageFilter = result.filter;
            showPage(result.page);
        } else {
            showList(result.rows);
        }
        emit searchFinished();
    });
}

void EventThreads::showPage(const EventStore::Page &page)
{
    m_reverting = true;
    m_model->appendThreads(page.roots, page.rows, nameMode(), true);
    m_reverting = false;
    m_cursor = page.last;
    m_model->setMore(page.more);
    ++m_selectPages;
    selectPending();
    emit shownChanged();
}

void EventThreads::showList(const QVector<EventStore::ListRow> &rows)
{
    m_reverting = true;
    m_model->setRows(rows, nameMode(), m_global);
    m_reverting = false;
    selectPending();
    emit shownChanged();
}

QString EventThreads::shownText() const
{
    const int threads = m_model->threadCount();
    QString text = m_model->more() ? tr("zobrazeno %1 z více").arg(threads) : tr("zobrazeno %1").arg(threads);
    if (!m_search.trimmed().isEmpty() && !Schema::eventLogSearchReady())
        text += QLatin1Char(' ')
            + tr("(hledá se jen v předmětu a v názvech; hledání v popisech zapne správce příkazem „zrnctl init“)");
    return text;
}

void EventThreads::selectPending()
{
    if (m_selectId <= 0)
        return;
    const QModelIndex source = m_model->indexOfId(m_selectId);
    if (!source.isValid()) {
        // Further down the global list: read on, up to a point.
        if (m_global && m_model->more() && m_selectPages < kSelectPages)
            fetchNextPage();
        else
            m_selectId = 0;
        return;
    }
    m_selectId = 0;
    const QModelIndex shown = m_proxy->mapFromSource(source);
    if (shown.isValid()) {
        m_view->scrollTo(shown);
        m_view->selectionModel()->setCurrentIndex(shown,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

void EventThreads::onCurrentRowChanged(const QModelIndex &current, const QModelIndex &previous)
{
    if (m_reverting)
        return;
    const int id = current.isValid() ? current.sibling(current.row(), ColId).data().toInt() : 0;
    if (id > 0 && id == m_pane->eventId())
        return;
    if (!m_pane->settle()) {
        // The edits could not be saved: back to their row, edits kept.
        m_reverting = true;
        m_view->selectionModel()->setCurrentIndex(previous,
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        m_reverting = false;
        return;
    }
    if (id <= 0) {
        m_pane->reset();
        return;
    }
    if (!m_pane->loadEvent(id)) {
        // Nothing is shown for the row: a click on it tries again.
        m_reverting = true;
        m_view->selectionModel()->clear();
        m_reverting = false;
    }
}

void EventThreads::setSearch(const QString &text)
{
    if (text == m_search)
        return;
    const QString before = m_search;
    m_search = text;
    if (!reload(m_pane->eventId()))
        m_search = before;
}

bool EventThreads::issueHash(QString *hash, QString *error)
{
    QSAPITellmark *api = m_session ? m_session->api : nullptr;
    if (!api) {
        *error = tr("Služba pro události není k dispozici.");
        return false;
    }
    if (api->sendZRNHash(1) <= 0) {
        *error = api->lastError();
        return false;
    }
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(api->getReplayData(), &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject()) {
        *error = tr("Odpověď služby nelze přečíst.");
        return false;
    }
    *hash = doc.object().value(QStringLiteral("hash")).toString();
    if (hash->isEmpty()) {
        *error = tr("Služba nevydala identifikátor události.");
        return false;
    }
    return true;
}

int EventThreads::runDialog(const EventRecord &values, bool reply, const QVariant &rootId)
{
    QWidget *parent = m_view->window();
    DialogAUUdalost dialog(parent, QApplication::font(), m_session ? m_session->addressees : QStringList());
    dialog.setWindowTitle(tr("Přidání události"));
    dialog.setValues(values);
    dialog.setReplyForm(reply);
    dialog.setVisibility(m_session ? Visibility::of(m_session->user) : Visibility());
    // The dialog comes back with everything typed (attachments too) until
    // the event is stored or the user gives up.
    while (dialog.exec() == QDialog::Accepted) {
        EventRecord r = dialog.values();
        r.parentId = values.parentId;
        QString hash;
        QString error;
        if (!issueHash(&hash, &error)) {
            Report::failed(parent, tr("událost nelze uložit."), error);
            continue;
        }
        QVariant newId;
        bool ok = false;
        {
            DbTransaction tx;
            ok = tx.isOpen() && EventStore::insert(r, hash, rootId, &newId, &error)
                && dialog.attachments()->save(newId, &error) && tx.commit();
            if (!ok && error.isEmpty())
                error = tx.error();
        }
        if (!ok) {
            Report::failed(parent, tr("událost nelze uložit."), error);
            continue;
        }
        if (m_session && m_session->api)
            m_session->api->sendZRNSync(newId.toString(), 1);
        return newId.toInt();
    }
    return 0;
}

void EventThreads::addEvent()
{
    if (!m_pane->settle())
        return;
    EventRecord r;
    r.start = QDateTime::currentDateTime();
    r.persons = ECiselniky::codeForLogin(m_session ? m_session->user.login : QString());
    r.source = 2;
    r.category = m_session && !m_session->defaultCategory.isNull() ? m_session->defaultCategory : QVariant(0);
    r.state = 3;
    r.synchronisation = 0;
    r.priority = 0;
    if (!m_global) {
        r.podnikId = m_row.podnikId();
        r.strediskoId = m_row.strediskoId();
    }
    const int id = runDialog(r, false, QVariant());
    if (id > 0)
        reload(id, false);
}

void EventThreads::addReply()
{
    const int parentId = currentEventId();
    if (parentId <= 0 || !m_pane->settle())
        return;
    EventRecord parent;
    bool found = false;
    QString error;
    if (!EventStore::read(parentId, &parent, &found, &error) || !found) {
        if (!error.isEmpty())
            Report::readFailed(m_view, error);
        return;
    }
    int rootId = 0;
    QVariant rootState;
    if (!EventStore::threadRoot(parentId, &rootId, &rootState, &error)) {
        Report::saveFailed(m_view, error);
        return;
    }
    EventRecord r;
    r.parentId = parentId;
    r.start = QDateTime::currentDateTime();
    r.persons = parent.persons;
    r.subject = parent.subject;
    r.description = EventStore::quotation(parent.start, parent.description);
    r.source = 2;
    r.category = 0;
    r.state = rootState.isNull() ? QVariant(3) : rootState;
    r.synchronisation = 0;
    const int id = runDialog(r, true, rootId);
    if (id > 0)
        reload(id, false);
}

void EventThreads::removeEvent()
{
    const int id = currentEventId();
    if (id <= 0 || !m_pane->settle())
        return;
    const QString notLeaf = tr("Není možno smazat událost neboť není koncová.");
    // The list shows the live replies; the delete checks again under a lock.
    if (m_model->hasChildren(m_model->indexOfId(id))) {
        Report::info(m_view, notLeaf);
        return;
    }
    if (!Report::ask(m_view, tr("Přejete si smazat událost?")))
        return;
    QString error;
    switch (EventStore::removeLeaf(id, &error)) {
    case EventStore::DeleteResult::HasReplies:
        Report::info(m_view, notLeaf);
        return;
    case EventStore::DeleteResult::Failed:
        Report::failed(m_view, tr("událost nelze smazat."), error);
        return;
    case EventStore::DeleteResult::Deleted:
        break;
    }
    if (m_session && m_session->api)
        m_session->api->sendZRNSync(QString::number(id), 1);
    reload(0, false);
}
