#pragma once

#include <QStringList>

class QSMySortFilterProxyModel;
class QAbstractItemModel;
class QTreeView;

// The two event lists (the selected enterprise's and the global one) share
// their columns; only the header of the name column differs.
namespace EventList {

enum Column {
    ColName = 0,
    ColPredmet,
    ColZacatek,
    ColKonec,
    ColZdroj,
    ColKategorie,
    ColStav,
    ColPriorita,
    ColOO,
    ColSynchronizace,
    ColCesta,
    ColHash,
    ColId,
    ColIdParent,
    ColIdPodnik,
    ColIdStredisko,
    ColumnCount
};

// Header texts in column order, the first one given.
QStringList headers(const QString &nameHeader);

// Puts the model behind the proxy (recursive filtering, so a matching reply
// keeps its thread) on the view and hides the id columns; the columns fit
// their contents until the user resizes one (or stored widths are restored).
void attach(QTreeView *view, QAbstractItemModel *model, QSMySortFilterProxyModel *proxy);

} // namespace EventList
