#pragma once

#include "register/treequery.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QVariant>

#include <QStandardItemModel>

#include <functional>


// Columns of the enterprise tree model. 6 to 13 are hidden in the view.
enum PodnikyTreeColumn {
    PtNazev = 0,        // "Podnik/Středisko"
    PtLicence,          // "Licence"
    PtSpusteni,         // "Spustění"
    PtFakturaceOd,      // "Fakturace od"
    PtSpecifikace,      // "Spec. AUTO"
    PtRegion,           // "Region"
    PtHidden6,
    PtHidden7,
    PtFHolding,         // "fholding": always "0"
    PtFPodnik,          // "fpodnik": "1" on enterprise rows
    PtFStredisko,       // "fstredisko": "1" on centre rows
    PtIdHolding,
    PtIdPodnik,         // enterprise id on enterprise rows
    PtIdStredisko,      // centre id on centre rows
    PtColumnCount
};

// Roles of the column-0 item besides the display text.
enum PodnikyTreeRole {
    PtSearchKeyRole = Qt::UserRole,      // stripDiacritics of the column-0 text
    PtPodnikIdRole = Qt::UserRole + 1,   // the row's enterprise id (also on centre rows)
    PtStrediskoIdRole = Qt::UserRole + 2,// the centre id, 0 on enterprise rows
    PtPodnikNameRole = Qt::UserRole + 3  // the enterprise name (also on centre rows)
};

// One row of the tree statement.
struct PodnikyTreeRow {
    int podnikId = 0;
    QString podnikNazev;
    int strediskoId = 0;     // 0: enterprise without centres
    QString akceNazev;
    QString licence;         // empty when NULL or "0"
    QDate spusteni;
    QDate fakturaceOd;
    QString specifikace;
    QString obr;

    bool licensed() const { return licence.toLongLong() > 0; }
};

// The counters line under the tree.
struct PodnikyTreeCounters {
    int podniky = 0;
    int strediska = 0;
    int licencovanePodniky = 0;
    int licencovanaStrediska = 0;

    // "CELKOVĚ - podniky: 3, střediska: 5 | TELLMARK - podniky: 2, střediska: 3"
    QString text() const;
};

// Fills the tree model (a PodnikyTreeModel, or any standard item model: then
// the hidden columns get items of their own) from the rows of the tree statement (ordered by
// enterprise id, then centre id). Two shapes: the two-level tree (enterprises
// with their centres below) and the flat list, one row per centre labelled
// "enterprise | centre". A centre is listed and counted once in both shapes,
// however often the statement returns it.
class PodnikyTreeBuilder
{
public:
    PodnikyTreeBuilder(QStandardItemModel *model, bool treeShape);

    void addRow(const PodnikyTreeRow &row);

    const PodnikyTreeCounters &counters() const { return m_counters; }
    // Column-0 items by id (enterprise items exist only in the tree shape).
    QStandardItem *podnikItem(int podnikId) const { return m_podniky.value(podnikId); }
    QStandardItem *strediskoItem(int strediskoId) const { return m_strediska.value(strediskoId); }
    const QHash<int, QStandardItem *> &strediskoItems() const { return m_strediska; }
    // Flat shape: the first row of each enterprise.
    QStandardItem *firstRowOfPodnik(int podnikId) const { return m_firstRow.value(podnikId); }

    // Empties the model and sets the 14 header labels.
    static void prepareModel(QStandardItemModel *model);

private:
    QStandardItemModel *m_model;
    bool m_tree;
    bool m_hiddenItems;
    bool m_lastPodnikLicensed = false;
    PodnikyTreeCounters m_counters;
    QHash<int, QStandardItem *> m_podniky;
    QHash<int, QStandardItem *> m_strediska;
    QHash<int, QStandardItem *> m_firstRow;
};

// The tree's item model. A rebuild replaces every row under one model reset:
// the proxy and the view see one reset instead of 20,000 insertions, and the
// header keeps its sections (widths, hidden columns).
//
// The hidden columns 8 to 13 (row-kind flags and ids) hold no items of their
// own: they answer from the roles of the row's column-0 item, which halves
// the items a rebuild creates and destroys.
class PodnikyTreeModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Starts a rebuild: every row is removed; add the new ones, then call
    // endRebuild(). No signal reaches the views in between.
    void beginRebuild();
    void endRebuild();
};

// Runs the tree statement and hands every row to `sink`. Returns false with
// the database error in *error.
bool runPodnikyTreeQuery(const TreeQuery &query,
                         const std::function<void(const PodnikyTreeRow &)> &sink,
                         QString *error);

// Updates the licence and start-date cells of a centre's row in place (after
// the centre page saved them).
void updatePodnikyTreeCentreRow(QStandardItem *centreItem, const QString &licence, const QDate &start);

// The text of a licence number as the tree shows it: empty for NULL and 0.
QString treeLicenceText(const QVariant &value);
