#include "events/eventlist.h"

#include "core/qsmysortfilterproxymodel.h"
#include "core/viewstate.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTreeView>

namespace EventList {

QStringList headers(const QString &nameHeader)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("EventList", text); };
    return {nameHeader,     tr("Předmět"), tr("Datum/z."), tr("Datum/k."), tr("Zd."),
            tr("Kat."),     tr("St."),     tr("Pr."),      tr("OO"),       tr("Syn"),
            tr("C"),        tr("Hash"),    tr("ID"),       tr("ID parent"), tr("id_podnik"),
            tr("id_stredisko")};
}

void attach(QTreeView *view, QAbstractItemModel *model, QSMySortFilterProxyModel *proxy)
{
    proxy->setRecursiveFilteringEnabled(true);
    proxy->setSourceModel(model);
    view->setModel(proxy);
    for (int c = ColId; c < ColumnCount; ++c)
        view->setColumnHidden(c, true);
    // Dates, names and headers readable on the first start.
    fitColumnsToContents(view, view->header());
}

} // namespace EventList
