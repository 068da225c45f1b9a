#include "core/historyview.h"

#include "core/qsmysortfilterproxymodel.h"
#include "core/rowsave.h"
#include "core/session.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

HistoryView::HistoryView(QWidget *parent)
    : QWidget(parent), m_model(new QStandardItemModel(0, 5, this)), m_view(new QTableView(this)),
      m_message(new QLabel(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // Shown instead of the list when there is nothing to list it from (no
    // history table, or reading failed).
    m_message->setObjectName(QStringLiteral("historie_zprava"));
    m_message->setWordWrap(true);
    m_message->hide();
    layout->addWidget(m_message);
    layout->addWidget(m_view);
    m_model->setHorizontalHeaderLabels({tr("Datum"), tr("Uživatel"), tr("Pole"), tr("Původní hodnota"), tr("Nová hodnota")});
    m_view->setObjectName(QStringLiteral("historie"));
    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setWordWrap(false);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
}

void HistoryView::clear()
{
    m_model->removeRows(0, m_model->rowCount());
    m_message->hide();
    m_view->show();
}

void HistoryView::showRow(const QString &table, const QVariant &rowId, const UserRights &rights)
{
    clear();
    QVector<ChangeHistory::Row> rows;
    bool present = false;
    QString error;
    if (!ChangeHistory::read(table, rowId, &rows, &present, &error)) {
        m_message->setText(tr("Chyba: historii nelze načíst.") + QLatin1Char('\n') + error);
    } else if (!present) {
        m_message->setText(tr("Historie změn není v této databázi nastavena (založí ji příkaz „zrnctl init“)."));
    } else {
        for (const ChangeHistory::Row &r : qAsConst(rows)) {
            const ColumnLabel column = ChangeHistory::column(table, r.column);
            // What the user's pages do not show, the history does not show either.
            if (((column.flags & ColumnLabel::Invoicing) && !rights.seesInvoicing())
                || ((column.flags & ColumnLabel::RemoteAccess) && !rights.seesRemoteAccess())
                || ((column.flags & ColumnLabel::PortalAccess) && !rights.seesPortalAccess()))
                continue;
            const bool secret = column.flags & ColumnLabel::Secret;
            m_model->appendRow({new QStandardItem(r.when.toString(QSMySortFilterProxyModel::dateTimeFormat())),
                                new QStandardItem(r.login), new QStandardItem(column.label),
                                new QStandardItem(secret ? QString() : ChangeHistory::displayText(r.oldValue)),
                                new QStandardItem(secret ? tr("změněno") : ChangeHistory::displayText(r.newValue))});
        }
        m_view->resizeColumnsToContents();
        return;
    }
    m_message->show();
    m_view->hide();
}

void HistoryView::showDialog(QWidget *parent, const QString &title, const QString &table, const QVariant &rowId,
                             const UserRights &rights)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    dialog.resize(760, 420);
    auto *layout = new QVBoxLayout(&dialog);
    auto *view = new HistoryView(&dialog);
    layout->addWidget(view);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    view->showRow(table, rowId, rights);
    dialog.exec();
}
