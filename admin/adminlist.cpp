#include "admin/adminlist.h"
#include "core/report.h"

#include "core/dialogtable.h"
#include "core/qsmysortfilterproxymodel.h"
#include "db/qssql.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QTableView>

AdminList::AdminList(QTableView *view, QStandardItemModel *model, QSMySortFilterProxyModel *proxy,
                     const QString &settingsPrefix)
    : m_view(view), m_model(model), m_proxy(proxy), m_prefix(settingsPrefix)
{
}

bool AdminList::refresh(const QString &sql, const QStringList &headers, int lid, QString *error,
                        const Formatter &format)
{
    saveState();
    const QVariant before = selectedId();
    const QString wanted = lid >= 0 ? QString::number(lid) : (before.isValid() ? before.toString() : QString());

    QSSQL q;
    const bool ok = q.exec(sql);
    m_model->removeRows(0, m_model->rowCount());
    m_model->setColumnCount(headers.size() + 1);
    if (ok) {
        while (q.next()) {
            QList<QStandardItem *> row;
            for (int c = 0; c <= headers.size(); ++c) {
                const QVariant v = q.value(c);
                auto *item = new QStandardItem(format ? format(c, v) : v.toString());
                item->setEditable(false);
                row << item;
            }
            m_model->appendRow(row);
        }
    } else if (error) {
        *error = q.lastError().text();
    }
    m_model->setHorizontalHeaderLabels(QStringList(QString()) + headers);
    m_view->hideColumn(0);
    restoreTableSettings(m_view, m_prefix);
    m_filled = true;
    selectId(wanted);
    return ok;
}

void AdminList::selectId(const QString &id)
{
    QItemSelectionModel *selection = m_view->selectionModel();
    if (m_proxy->rowCount() == 0) {
        selection->clear();
        return;
    }
    int proxyRow = 0;
    if (!id.isEmpty()) {
        for (int row = 0; row < m_model->rowCount(); ++row) {
            if (m_model->index(row, 0).data().toString() != id)
                continue;
            const QModelIndex shown = m_proxy->mapFromSource(m_model->index(row, 0));
            if (shown.isValid())
                proxyRow = shown.row();
            break;
        }
    }
    const QModelIndex index = m_proxy->index(proxyRow, 1);
    selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    m_view->scrollTo(index);
}

QVariant AdminList::selectedId() const
{
    const QModelIndexList selected = m_view->selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return QVariant();
    const QModelIndex source = m_proxy->mapToSource(selected.first());
    if (!source.isValid())
        return QVariant();
    return m_model->index(source.row(), 0).data();
}

void AdminList::saveState() const
{
    if (m_filled)
        saveTableSettings(m_view, m_prefix);
}

