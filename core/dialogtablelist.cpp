#include "core/dialogtablelist.h"
#include "core/report.h"

#include "core/ids.h"

#include "core/dialogtable.h"
#include "core/qsmysortfilterproxymodel.h"
#include "db/qssql.h"
#include "ui_dialogtablelist.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QSet>
#include <QStandardItemModel>

namespace {

const char *const PickerSettings = "spodnik";

QString headerText()
{
    return QCoreApplication::translate("DialogTableList", "Podnik");
}

void reportError(QWidget *parent, const QSSQL &q)
{
    Report::saveFailed(parent, q.lastError().text());
}

} // namespace

DialogTableList::DialogTableList(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogTableList), m_model(new QStandardItemModel(this)),
      m_proxy(new QSMySortFilterProxyModel(this))
{
    ui->setupUi(this);
    m_model->setHorizontalHeaderItem(0, new QStandardItem(headerText()));
    m_proxy->sortMode = QSMySortFilterProxyModel::SortText;
    m_proxy->setSourceModel(m_model);
    ui->tableView->setModel(m_proxy);
    ui->tableView->horizontalHeader()->setStretchLastSection(true);

    connect(ui->sfilter, &QLineEdit::textChanged, this, &DialogTableList::onFilter);
    connect(ui->pridat, &QPushButton::clicked, this, &DialogTableList::onAdd);
    connect(ui->odebrat, &QPushButton::clicked, this, &DialogTableList::onDelete);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(ui->tableView->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] {
        if (!ui->sfilter->text().isEmpty())
            onFilter();
    });
}

DialogTableList::~DialogTableList()
{
    delete ui;
}

QString DialogTableList::cleanIds(const QString &ids)
{
    return cleanIdList(ids);
}

void DialogTableList::setList(const QString &baseQuery, const QString &idColumn, const QString &ids,
                              int selectId)
{
    m_baseQuery = baseQuery;
    m_idColumn = idColumn;
    m_ids = cleanIds(ids);
    m_model->clear();
    m_model->setHorizontalHeaderItem(0, new QStandardItem(headerText()));
    if (m_ids.isEmpty())
        return;

    // m_ids holds digits and commas only.
    QSSQL q;
    if (!q.exec(baseQuery + QLatin1String(" where ") + idColumn + QLatin1String(" in (") + m_ids
                + QLatin1Char(')'))) {
        reportError(this, q);
        return;
    }
    int current = -1;
    while (q.next()) {
        auto *item = new QStandardItem(q.value(1).toString());
        item->setData(q.value(0).toString(), Qt::UserRole);
        item->setEditable(false);
        m_model->appendRow(item);
        const int row = m_model->rowCount() - 1;
        if (q.value(0).toInt() == selectId || (row == 0 && selectId == -1))
            current = row;
    }
    if (current >= 0)
        selectSourceRow(current);
}

QString DialogTableList::ids() const
{
    return m_ids;
}

void DialogTableList::restoreSettings(const QString &name)
{
    restoreTableSettings(ui->tableView, name);
}

void DialogTableList::saveSettings(const QString &name)
{
    saveTableSettings(ui->tableView, name);
}

void DialogTableList::onAdd()
{
    QSSQL q;
    if (!q.exec(m_baseQuery)) {
        reportError(this, q);
        return;
    }
    QStandardItemModel choices(0, 2);
    choices.setHorizontalHeaderLabels({QString(), headerText()});
    while (q.next())
        choices.appendRow({new QStandardItem(q.value(0).toString()), new QStandardItem(q.value(1).toString())});
    QSMySortFilterProxyModel proxy;
    proxy.sortMode = QSMySortFilterProxyModel::SortNumeric;
    proxy.setSourceModel(&choices);

    DialogTable picker(this);
    picker.setWindowTitle(QCoreApplication::translate("DialogTableList", "Výběr podniku"));
    picker.setModel(&choices, &proxy);
    picker.hideColumn(0);
    picker.restoreSettings(QLatin1String(PickerSettings));
    picker.setButtons(true, true);
    const bool accepted = picker.exec() == QDialog::Accepted;
    picker.saveSettings(QLatin1String(PickerSettings));
    if (!accepted)
        return;

    bool ok = false;
    const int id = picker.value(0).toString().toInt(&ok);
    if (!ok || id <= 0)
        return;
    QStringList list = m_ids.isEmpty() ? QStringList() : m_ids.split(QLatin1Char(','));
    const QString idText = QString::number(id);
    if (!list.contains(idText))
        list << idText;
    // Reloaded even for an id already listed, so that its row is selected.
    setList(m_baseQuery, m_idColumn, list.join(QLatin1Char(',')), id);
}

void DialogTableList::onDelete()
{
    const QModelIndexList rows = ui->tableView->selectionModel()->selectedRows();
    if (rows.size() != 1)
        return;
    const QString id = m_proxy->mapToSource(rows.first()).data(Qt::UserRole).toString();
    QStringList list = m_ids.split(QLatin1Char(','));
    list.removeAll(id);
    setList(m_baseQuery, m_idColumn, list.join(QLatin1Char(',')), -1);
}

void DialogTableList::onFilter()
{
    filterSortedColumn(m_proxy, ui->sfilter->text());
}

void DialogTableList::selectSourceRow(int row)
{
    const QModelIndex index = m_proxy->mapFromSource(m_model->index(row, 0));
    if (!index.isValid())
        return;
    ui->tableView->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ui->tableView->scrollTo(index);
}
