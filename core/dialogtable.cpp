#include "core/dialogtable.h"
#include "core/report.h"

#include "core/qsmysortfilterproxymodel.h"
#include "core/usersettings.h"
#include "core/viewstate.h"
#include "db/qssql.h"
#include "ui_dialogtable.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QScrollBar>
#include <QItemSelectionModel>
#include <QLayout>
#include <QPersistentModelIndex>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardItemModel>

namespace {

// Marks the rows of a picker that are listed first.
constexpr int FirstRole = Qt::UserRole + 1;

class PickerProxy : public QSMySortFilterProxyModel
{
protected:
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override
    {
        const bool l = left.sibling(left.row(), 0).data(FirstRole).toBool();
        const bool r = right.sibling(right.row(), 0).data(FirstRole).toBool();
        if (l != r)   // first in either direction
            return sortOrder() == Qt::AscendingOrder ? l : r;
        return QSMySortFilterProxyModel::lessThan(left, right);
    }
};

} // namespace

void filterSortedColumn(QSortFilterProxyModel *proxy, const QString &text)
{
    if (!proxy)
        return;
    proxy->setFilterKeyColumn(qMax(proxy->sortColumn(), 0));
    if (auto *own = qobject_cast<QSMySortFilterProxyModel *>(proxy))
        own->setFilterText(text);
    else
        proxy->setFilterRegularExpression(
            QRegularExpression(QRegularExpression::escape(text), QRegularExpression::CaseInsensitiveOption));
}

void restoreTableSettings(QTableView *view, const QString &name)
{
    QAbstractItemModel *model = view ? view->model() : nullptr;
    if (!model)
        return;
    ZrnSettings settings;
    QHeaderView *header = view->horizontalHeader();
    for (int i = 0; i < header->count(); ++i) {
        const int width = settings.intValue(name + QLatin1String("/sectionSize") + QString::number(i), 0, 1,
                                            MaxSectionWidth);
        if (width > 0)
            header->resizeSection(i, width);
    }
    const int column = settings.intValue(name + QLatin1String("/sectionSort"), 0, 0,
                                         qMax(model->columnCount() - 1, 0));
    const Qt::SortOrder order = settings.intValue(name + QLatin1String("/sectionSortOrder"), 0, 0, 1) == 1
        ? Qt::DescendingOrder
        : Qt::AscendingOrder;
    // The header emits nothing when its indicator already reads so, so the
    // model is sorted directly as well.
    model->sort(column, order);
    header->setSortIndicator(column, order);
}

void saveTableSettings(const QTableView *view, const QString &name)
{
    if (!view)
        return;
    ZrnSettings settings;
    saveViewState(settings, name, view->horizontalHeader());
}

DialogTable::DialogTable(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogTable)
{
    ui->setupUi(this);
    ui->buttonBox->button(QDialogButtonBox::Ok)->hide();
    ui->buttonBox->button(QDialogButtonBox::Reset)->hide();

    connect(ui->sfilter, &QLineEdit::textChanged, this, &DialogTable::onFilter);
    connect(ui->tableView, &QTableView::doubleClicked, this, &DialogTable::tableViewDoubleClicked);
    connect(ui->buttonBox->button(QDialogButtonBox::Reset), &QPushButton::clicked, this,
            &DialogTable::emptyClicked);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A typed text keeps searching the sorted column when the user sorts by
    // another one.
    connect(ui->tableView->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] {
        if (!ui->sfilter->text().isEmpty())
            onFilter();
    });
}

DialogTable::~DialogTable()
{
    delete ui;
}

void DialogTable::setModel(QAbstractItemModel *source, QSortFilterProxyModel *proxy)
{
    m_source = source;
    m_proxy = proxy;
    if (proxy && !proxy->sourceModel())
        proxy->setSourceModel(source);
    ui->tableView->setModel(proxy);
    if (proxy) {
        connect(ui->tableView->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                &DialogTable::syncSelection);
        // A reset drops the current row without telling the selection model's
        // listeners.
        connect(proxy, &QAbstractItemModel::modelReset, this, &DialogTable::syncSelection);
        connect(proxy, &QAbstractItemModel::layoutChanged, this, &DialogTable::syncSelection);
        if (proxy->rowCount() > 0)
            selectProxyRow(0);
    }
    syncSelection();
}

void DialogTable::hideColumn(int column)
{
    ui->tableView->hideColumn(column);
}

void DialogTable::fitColumns()
{
    QTableView *view = ui->tableView;
    QHeaderView *header = view->horizontalHeader();
    const QRect screen = (window()->screen() ? window()->screen() : QGuiApplication::primaryScreen())->availableGeometry();
    int last = -1;
    for (int v = header->count() - 1; v >= 0 && last < 0; --v) {
        if (!header->isSectionHidden(header->logicalIndex(v)))
            last = header->logicalIndex(v);
    }
    int total = 0;
    for (int c = 0; c < header->count(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        const int contents = qMin(qMax(static_cast<QAbstractItemView *>(view)->sizeHintForColumn(c),
                                       header->sectionSizeHint(c)),
                                  screen.width() / 2);
        // The last column's stored width is whatever the dialog gave it.
        const int width = c == last ? contents : qMax(header->sectionSize(c), contents);
        header->resizeSection(c, width);
        total += width;
    }
    header->setStretchLastSection(true);
    // The frame, the vertical header and a scroll bar beside the columns,
    // measured with the dialog laid out at its present size.
    if (layout())
        layout()->activate();
    const int extra = width() - view->width() + 2 * view->frameWidth() + view->verticalHeader()->sizeHint().width()
        + view->verticalScrollBar()->sizeHint().width();
    const int wanted = qMin(total + extra, screen.width() * 9 / 10);
    if (wanted > width())
        resize(wanted, height());
}

void DialogTable::restoreSettings(const QString &name)
{
    // The first row made current by setModel stays the first one shown,
    // wherever the stored sort moves its row.
    const bool top = ui->tableView->currentIndex().row() == 0;
    restoreTableSettings(ui->tableView, name);
    if (top && m_proxy && m_proxy->rowCount() > 0)
        selectProxyRow(0);
}

void DialogTable::saveSettings(const QString &name)
{
    saveTableSettings(ui->tableView, name);
}

void DialogTable::selectValue(int column, const QString &text)
{
    if (!m_source || !m_proxy)
        return;
    for (int row = 0; row < m_source->rowCount(); ++row) {
        const QModelIndex index = m_source->index(row, column);
        if (index.data(Qt::DisplayRole).toString() != text)
            continue;
        // A row the filter hides cannot be made current; look further.
        const QModelIndex shown = m_proxy->mapFromSource(index);
        if (shown.isValid()) {
            selectProxyRow(shown.row());
            return;
        }
    }
}

void DialogTable::setButtons(bool ok, bool empty)
{
    ui->buttonBox->button(QDialogButtonBox::Ok)->setVisible(ok);
    ui->buttonBox->button(QDialogButtonBox::Reset)->setVisible(empty);
}

void DialogTable::setFilterVisible(bool visible)
{
    ui->sfilter->setVisible(visible);
}

QVariant DialogTable::value(int column) const
{
    if (emptied || !m_source || !m_proxy)
        return QVariant();
    const QModelIndex current = ui->tableView->currentIndex();
    if (!current.isValid())
        return QVariant();
    const QModelIndex source = m_proxy->mapToSource(current);
    if (!source.isValid())
        return QVariant();
    return m_source->index(source.row(), column).data(Qt::DisplayRole);
}

void DialogTable::tableViewDoubleClicked(const QModelIndex &index)
{
    if (index.isValid())
        accept();
}

void DialogTable::emptyClicked()
{
    emptied = true;
    accept();
}

void DialogTable::onFilter()
{
    if (!m_proxy)
        return;
    const QPersistentModelIndex before = m_proxy->mapToSource(ui->tableView->currentIndex());
    filterSortedColumn(m_proxy, ui->sfilter->text());
    // The highlighted row must be the one OK returns: the current row stays
    // when it is still shown; otherwise the first match takes its place
    // rather than whichever neighbour the view moved to.
    const QModelIndex still = before.isValid() ? m_proxy->mapFromSource(before) : QModelIndex();
    if (still.isValid())
        selectProxyRow(still.row());
    else if (m_proxy->rowCount() > 0)
        selectProxyRow(0);
    syncSelection();
}

void DialogTable::selectProxyRow(int row)
{
    int column = 0;
    while (column < m_proxy->columnCount() - 1 && ui->tableView->isColumnHidden(column))
        ++column;
    const QModelIndex index = m_proxy->index(row, column);
    ui->tableView->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ui->tableView->scrollTo(index);
}

void DialogTable::syncSelection()
{
    // Without a current row OK would hand back nothing and clear the
    // caller's link, which is the empty button's job.
    ui->buttonBox->button(QDialogButtonBox::Ok)->setEnabled(ui->tableView->currentIndex().isValid());
}

bool DialogTable::pick(QWidget *parent, const PickerSpec &picker, QString *id, QString *text)
{
    QSSQL q;
    if (!q.exec(picker.sql, picker.binds)) {
        Report::saveFailed(parent, q.lastError().text());
        return false;
    }
    const int columns = qMax(picker.headers.size() + 1, picker.textColumn + 1);
    QStandardItemModel model(0, columns);
    model.setHorizontalHeaderLabels(QStringList(QString()) + picker.headers);
    while (q.next()) {
        QList<QStandardItem *> row;
        for (int c = 0; c < columns; ++c)
            row << new QStandardItem(q.value(c).toString());
        if (picker.firstColumn >= 0 && !picker.firstValue.isNull())
            row.first()->setData(q.value(picker.firstColumn).toString() == picker.firstValue.toString(), FirstRole);
        model.appendRow(row);
    }
    PickerProxy proxy;
    proxy.sortMode = QSMySortFilterProxyModel::SortNumeric;
    proxy.setSourceModel(&model);

    DialogTable dialog(parent);
    dialog.setWindowTitle(picker.title);
    dialog.setModel(&model, &proxy);
    dialog.hideColumn(0);
    dialog.restoreSettings(picker.settingsName);
    // Sorted (and so searched) by the hidden id column, the yellow line
    // would find nothing a user types: start on the text column instead.
    const int sorted = proxy.sortColumn();
    if (sorted < 0 || dialog.ui->tableView->isColumnHidden(sorted)) {
        dialog.ui->tableView->sortByColumn(picker.textColumn, Qt::AscendingOrder);
        dialog.onFilter();
        // The first row by name, not the lowest id wherever the sort took it.
        if (proxy.rowCount() > 0)
            dialog.selectProxyRow(0);
    }
    if (id)
        dialog.selectValue(0, *id);
    dialog.setButtons(true, true);
    dialog.fitColumns();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    dialog.saveSettings(picker.settingsName);
    if (!accepted)
        return false;
    if (id)
        *id = dialog.value(0).toString();
    if (text)
        *text = dialog.value(picker.textColumn).toString();
    return true;
}
