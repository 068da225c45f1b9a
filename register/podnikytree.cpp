#include "register/podnikytree.h"
#include "core/report.h"

#include "core/session.h"
#include "register/podnikytreemodel.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/textutil.h"
#include "register/treequery.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

const char kYellow[] = "background-color: rgb(255, 255, 0);";
const char kCyan[] = "background-color: rgb(85, 255, 255);";

int toId(const QVariant &v)
{
    return v.isValid() && !v.isNull() ? v.toInt() : 0;
}

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

struct PodnikyTree::Private {
    Session *session = nullptr;
    QString advanced;
    std::function<bool()> guard;

    PodnikyTreeModel *model = nullptr;
    QSMySortFilterProxyModel *proxy = nullptr;
    PodnikyTreeCounters counters;

    QWidget *toolBar = nullptr;
    QToolButton *collapse = nullptr;
    QToolButton *expand = nullptr;
    QToolButton *add = nullptr;
    QToolButton *filtr = nullptr;
    QToolButton *refresh = nullptr;
    QToolButton *mapa = nullptr;
    QToolButton *exportButton = nullptr;
    QLineEdit *sfilter = nullptr;
    QTreeView *view = nullptr;
    QLabel *pocty = nullptr;

    QToolButton *button(QWidget *parent, const char *name, const QString &text, const QString &tip = QString())
    {
        auto *b = new QToolButton(parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(tip);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        return b;
    }

    // The proxy index of the centre's row, else of the enterprise's (its
    // first row in the flat shape).
    QModelIndex proxyIndexFor(const QVariant &podnikId, const QVariant &strediskoId) const
    {
        QModelIndex source;
        if (const int s = toId(strediskoId); s > 0)
            source = model->strediskoIndex(s);
        if (const int p = toId(podnikId); !source.isValid() && p > 0) {
            source = model->podnikIndex(p);
            if (!source.isValid())
                source = model->firstRowOfPodnik(p);
        }
        return source.isValid() ? proxy->mapFromSource(source) : QModelIndex();
    }
};

PodnikyTree::PodnikyTree(Session *session, QWidget *parent)
    : QWidget(parent)
    , d(new Private)
{
    setObjectName(QStringLiteral("PodnikyTree"));
    d->session = session;

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);

    d->toolBar = new QWidget(this);
    d->toolBar->setObjectName(QStringLiteral("tbPodniky"));
    auto *bar = new QHBoxLayout(d->toolBar);
    bar->setContentsMargins(0, 0, 0, 0);
    bar->setSpacing(2);
    d->collapse = d->button(d->toolBar, "collapse", QStringLiteral("−"), tr("Sbalit vše"));
    d->expand = d->button(d->toolBar, "expand", QStringLiteral("+"), tr("Rozbalit vše"));
    d->add = d->button(d->toolBar, "podnik_add", tr("Přidat"), tr("Nový podnik"));
    d->add->setIcon(QIcon(QStringLiteral(":/pics/add-48.png")));
    d->filtr = d->button(d->toolBar, "se_filtr", tr("Filtr"));
    d->refresh = d->button(d->toolBar, "tbPRefresh", tr("Obnovit"));
    d->mapa = d->button(d->toolBar, "se_mapa", tr("Mapa"));
    d->exportButton = d->button(d->toolBar, "se_export", tr("Export"));
    for (QToolButton *b : {d->collapse, d->expand, d->add, d->filtr, d->refresh, d->mapa, d->exportButton})
        bar->addWidget(b);
    bar->addStretch();
    layout->addWidget(d->toolBar);

    d->sfilter = new QLineEdit(this);
    d->sfilter->setObjectName(QStringLiteral("sfilter"));
    d->sfilter->setStyleSheet(QString::fromLatin1(kYellow));
    d->sfilter->setClearButtonEnabled(true);
    layout->addWidget(d->sfilter);

    d->model = new PodnikyTreeModel(this);
    d->proxy = new QSMySortFilterProxyModel(this);
    d->proxy->sortMode = QSMySortFilterProxyModel::SortText;
    d->proxy->treeColumns = {PtNazev};
    // The name column's filter looks through the hierarchy itself (a centre
    // under a matching enterprise, an enterprise with a matching centre);
    // the other columns filter the flat list of centres.
    d->proxy->setRecursiveFilteringEnabled(false);
    // Names in the user's language order: "Č" after "C", not after "Z".
    d->proxy->setSortLocaleAware(true);
    d->proxy->setSourceModel(d->model);

    d->view = new QTreeView(this);
    d->view->setObjectName(QStringLiteral("treeView"));
    d->view->setModel(d->proxy);
    d->view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->view->setAlternatingRowColors(true);
    d->view->setSelectionBehavior(QAbstractItemView::SelectRows);
    d->view->setSelectionMode(QAbstractItemView::SingleSelection);
    d->view->setUniformRowHeights(true);
    for (int col = PtHidden6; col < PtColumnCount; ++col)
        d->view->setColumnHidden(col, true);
    // The tree sorts itself on a rebuild: a new sort column changes its shape.
    QHeaderView *header = d->view->header();
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(PtNazev, Qt::AscendingOrder);
    d->proxy->sort(PtNazev, Qt::AscendingOrder);
    // Widths for a first start; the saved widths of the user replace them.
    header->resizeSection(PtNazev, 280);
    header->resizeSection(PtLicence, 70);
    header->resizeSection(PtSpusteni, 95);
    header->resizeSection(PtFakturaceOd, 95);
    header->resizeSection(PtSpecifikace, 120);
    header->resizeSection(PtRegion, 60);
    layout->addWidget(d->view, 1);

    d->pocty = new QLabel(this);
    d->pocty->setObjectName(QStringLiteral("pocty"));
    d->pocty->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // A narrow tree wraps the counters instead of widening itself.
    d->pocty->setWordWrap(true);
    d->pocty->setText(d->counters.text());
    layout->addWidget(d->pocty);

    connect(d->collapse, &QToolButton::clicked, this, &PodnikyTree::onCollapse);
    connect(d->expand, &QToolButton::clicked, this, &PodnikyTree::onExpand);
    connect(d->refresh, &QToolButton::clicked, this, &PodnikyTree::onRefreshModelPodnikyStrediska);
    connect(d->add, &QToolButton::clicked, this, &PodnikyTree::onAddPodnik);
    connect(d->filtr, &QToolButton::clicked, this, &PodnikyTree::onFiltr);
    connect(d->mapa, &QToolButton::clicked, this, &PodnikyTree::onMapa);
    connect(d->exportButton, &QToolButton::clicked, this, &PodnikyTree::onExport);
    connect(d->sfilter, &QLineEdit::textChanged, this, &PodnikyTree::onFilter);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &PodnikyTree::onFilterReset);
    connect(d->view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current, const QModelIndex &) { onRowPodnikStrediskaChanged(current); });
}

PodnikyTree::~PodnikyTree()
{
    delete d;
}

QTreeView *PodnikyTree::view() const
{
    return d->view;
}

PodnikyTreeModel *PodnikyTree::model() const
{
    return d->model;
}

QSMySortFilterProxyModel *PodnikyTree::proxy() const
{
    return d->proxy;
}

const PodnikyTreeCounters &PodnikyTree::counters() const
{
    return d->counters;
}

void PodnikyTree::setAdvancedFilter(const QString &condition)
{
    d->advanced = condition;
}


void PodnikyTree::setRebuildGuard(std::function<bool()> guard)
{
    d->guard = std::move(guard);
}

bool PodnikyTree::guardAllows()
{
    return !d->guard || d->guard();
}

void PodnikyTree::applyRights()
{
    const UserRights &u = d->session->user;
    d->add->setVisible(u.maintainsEnterprises());
    d->toolBar->setVisible(!u.minimalTabs());
}

void PodnikyTree::refresh()
{
    rebuild(d->session->s_id_podnik, d->session->s_id_stredisko);
}

void PodnikyTree::refresh(const QVariant &podnikId, const QVariant &strediskoId)
{
    rebuild(podnikId, strediskoId);
}

void PodnikyTree::onRefreshModelPodnikyStrediska()
{
    if (guardAllows())
        refresh();
}

void PodnikyTree::rebuild(const QVariant &podnikId, const QVariant &strediskoId)
{
    QHeaderView *header = d->view->header();
    int section = header->sortIndicatorSection();
    if (section < 0 || section >= PtColumnCount)
        section = PtNazev;
    const Qt::SortOrder order = header->sortIndicatorOrder();
    const bool tree = section == PtNazev;

    QString error;
    bool ok = true;
    {
        WaitCursor wait;
        d->proxy->sortMode = section == PtLicence ? QSMySortFilterProxyModel::SortNumeric
            : (section == PtSpusteni || section == PtFakturaceOd) ? QSMySortFilterProxyModel::SortDate
            : QSMySortFilterProxyModel::SortText;
        d->view->setRootIsDecorated(tree);

        TreeQueryOptions options;
        options.userId = d->session->user.id;
        options.acls = d->session->user.acls;
        options.region = d->session->user.region;
        options.sortSection = section;
        options.advancedCondition = d->advanced;

        PodnikyTreeModel *model = d->model;
        model->beginRebuild(tree);
        ok = runPodnikyTreeQuery(buildTreeQuery(options),
                                 [model](const PodnikyTreeRow &row) { model->addRow(row); }, &error);
        model->endRebuild();
        // The reset re-sorts with the new mode; a new column sorts here.
        d->proxy->sort(section, order);
        d->counters = model->counters();

        // Highlight the remembered row without making it current; a centre
        // wins over its enterprise.
        bool expand = !d->sfilter->text().isEmpty(); // the quick filter still applies
        const QModelIndex index = d->proxyIndexFor(podnikId, strediskoId);
        if (index.isValid()) {
            d->view->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            expand = true;
        }
        if (expand) {
            d->view->expandAll();
            const QModelIndexList selected = d->view->selectionModel()->selectedRows();
            if (!selected.isEmpty())
                d->view->scrollTo(selected.first());
        }
    }
    if (!ok) {
        d->counters = PodnikyTreeCounters();
        Report::statementFailed(this, error);
    }
    d->sfilter->setFocus();
    d->filtr->setStyleSheet(d->advanced.trimmed().isEmpty() ? QString() : QString::fromLatin1(kCyan));
    d->pocty->setText(d->counters.text());
}

void PodnikyTree::onFilter()
{
    int column = d->proxy->sortColumn();
    if (column < 0)
        column = PtNazev;
    QString text = d->sfilter->text();
    if (d->proxy->treeColumns.contains(column))
        text = stripDiacritics(text);
    // Every expanded row is a persistent index the proxy must move with each
    // row it hides or shows: with thousands of them one keystroke took
    // seconds. The tree is expanded anew afterwards anyway.
    d->view->collapseAll();
    if (d->proxy->filterKeyColumn() != column)
        d->proxy->setFilterKeyColumn(column);
    d->proxy->setFilterText(text);
    d->view->expandAll();
}

QList<int> PodnikyTree::shownEnterpriseIds() const
{
    // Top-level rows are enterprises (tree) or centres (flat list); either
    // carries its enterprise id.
    QList<int> ids;
    QSet<int> seen;
    const int rows = d->proxy->rowCount();
    for (int row = 0; row < rows; ++row) {
        const int id = d->proxy->index(row, PtNazev).data(PtPodnikIdRole).toInt();
        if (id > 0 && !seen.contains(id)) {
            seen.insert(id);
            ids << id;
        }
    }
    return ids;
}

void PodnikyTree::clearFilter()
{
    d->sfilter->clear();
}

void PodnikyTree::onFilterReset()
{
    if (!guardAllows()) {
        // Keep the shape the tree has: put the indicator back.
        QHeaderView *header = d->view->header();
        const QSignalBlocker blocker(header);
        header->setSortIndicator(d->proxy->sortColumn(), d->proxy->sortOrder());
        return;
    }
    {
        // The rebuild below filters anew; no need to filter the old rows first.
        const QSignalBlocker blocker(d->sfilter);
        d->sfilter->clear();
    }
    d->proxy->setFilterText(QString());
    refresh();
}

void PodnikyTree::onCollapse()
{
    d->view->collapseAll();
}

void PodnikyTree::onExpand()
{
    d->view->expandAll();
}

void PodnikyTree::onRowPodnikStrediskaChanged(const QModelIndex &current)
{
    if (!current.isValid()) {
        emit selectionChanged(QVariant(), QVariant(), QString());
        return;
    }
    const QModelIndex source = d->proxy->mapToSource(current);
    const QModelIndex name = source.siblingAtColumn(PtNazev);
    const bool isPodnik = source.siblingAtColumn(PtFPodnik).data().toString() == QLatin1String("1");
    const bool isStredisko = source.siblingAtColumn(PtFStredisko).data().toString() == QLatin1String("1");
    const QString podnikName = name.data(PtPodnikNameRole).toString();
    if (isStredisko) {
        emit selectionChanged(name.data(PtPodnikIdRole),
                              source.siblingAtColumn(PtIdStredisko).data().toInt(), podnikName);
    } else if (isPodnik) {
        emit selectionChanged(source.siblingAtColumn(PtIdPodnik).data().toInt(), QVariant(), podnikName);
    } else {
        emit selectionChanged(QVariant(), QVariant(), QString());
    }
}

bool PodnikyTree::setCurrentRow(const QVariant &podnikId, const QVariant &strediskoId)
{
    const QModelIndex index = d->proxyIndexFor(podnikId, strediskoId);
    if (!index.isValid())
        return false;
    d->view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    d->view->scrollTo(index);
    return true;
}

void PodnikyTree::updateCentreRow(int centreId, const QString &licence, const QDate &start)
{
    d->model->updateCentreRow(centreId, licence, start);
}
