#pragma once

#include "core/qsmysortfilterproxymodel.h"
#include "register/treequery.h"

#include <QAbstractItemModel>
#include <QCollator>
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <vector>



// Columns of the enterprise tree model. 6 to 13 are hidden in the view.
enum PodnikyTreeColumn {
    PtNazev = 0,        // "Podnik/Středisko"
    PtLicence,          // "Licence"
    PtSpusteni,         // "Spustění"
    PtFakturaceOd,      // "Fakturace od"
    PtSpecifikace,      // automation summary of the technology sheet
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

// The tree's item model: 14 columns, enterprises with their centres below
// (tree shape) or one row per centre labelled "enterprise | centre" (flat
// shape). A centre is listed and counted once in both shapes, however often
// the statement returns it.
//
// The rows are kept as plain records: the texts of the cells are made when
// the view asks for them, and the search key (PtSearchKeyRole) and the sort
// keys of QSMySortFilterProxyModel (SortKeyRole) once per row when first
// needed, not once per comparison. A rebuild replaces every row under one
// model reset; the header keeps its sections (widths, hidden columns).
class PodnikyTreeModel : public QAbstractItemModel, public TreeFilterSource
{
    Q_OBJECT
public:
    explicit PodnikyTreeModel(QObject *parent = nullptr);
    ~PodnikyTreeModel() override;

    // A rebuild: beginRebuild() removes every row, addRow() takes the rows of
    // the tree statement (ordered by enterprise id, then centre id), and
    // endRebuild() shows them. No signal reaches the views in between.
    void beginRebuild(bool treeShape);
    void addRow(const PodnikyTreeRow &row);
    void endRebuild();
    bool isTreeShape() const { return m_tree; }

    const PodnikyTreeCounters &counters() const { return m_counters; }
    // Column-0 index of an enterprise row (tree shape only), of a centre's row,
    // and of the first row of an enterprise (flat shape); invalid when absent.
    QModelIndex podnikIndex(int podnikId) const;
    QModelIndex strediskoIndex(int strediskoId) const;
    QModelIndex firstRowOfPodnik(int podnikId) const;

    // After the centre page saved them: the licence ("0" shows empty) and the
    // start date of the centre's row. False when the tree does not show it.
    bool updateCentreRow(int strediskoId, const QString &licence, const QDate &start);

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    QModelIndex sibling(int row, int column, const QModelIndex &index) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    int acceptsFolded(const QModelIndex &index, const QString &text) const override;
    bool sortKey(const QModelIndex &index, int mode, qint64 *key) const override;

private:
    struct Node;
    // Node numbers by record id: an open-addressing table, cheap to fill and
    // to empty on every rebuild (a QHash allocates and frees one node per entry).
    class IdIndex
    {
    public:
        void clear();
        int value(int id) const; // -1 when absent
        bool contains(int id) const { return value(id) >= 0; }
        void insert(int id, int node);

    private:
        size_t slot(int id) const;
        std::vector<std::pair<int, int>> m_slots; // (id, node), node -1 = free
        size_t m_used = 0;
        int m_bits = 0;
    };

    const Node &node(const QModelIndex &index) const;
    QModelIndex indexOfNode(int n, int column = 0) const;
    QString text(const Node &n, int column) const;
    bool textRank(int n, int column, qint64 *out) const;
    void makeSortKeys() const;
    void setSortKeys(const Node &n) const;

    bool m_tree = true;
    bool m_lastPodnikLicensed = false;
    mutable bool m_sortKeysMade = false;
    PodnikyTreeCounters m_counters;
    std::vector<Node> m_nodes;
    // Per node: its number of children, -1 for a centre (which never has
    // any). The view asks for these of every row it lays out; a small array
    // answers without touching the large nodes.
    std::vector<int> m_shape;
    std::vector<int> m_parentOf;        // per node: its parent node, -1 at the top
    std::vector<int> m_rowOf;           // per node: its row among its siblings
    // Per node: the search key of its name, all made when the first is asked for.
    mutable std::vector<QString> m_keys;
    void makeKeys() const;
    // Per node: whether it passes the quick filter for m_acceptText, all
    // decided in one pass when the text changes.
    mutable QString m_acceptText;
    mutable std::vector<char> m_accept;
    // The children of every node side by side (those of node n from
    // m_childStart[n] on), made when the rebuild ends.
    std::vector<int> m_childStart;
    std::vector<int> m_children;
    QVector<int> m_top;                 // top-level rows
    IdIndex m_podniky;                  // enterprise id -> node (tree shape)
    IdIndex m_strediska;                // centre id -> node
    IdIndex m_firstRow;                 // enterprise id -> its first node (flat shape)
    // Collation ranks of the cells per column, made per sibling group
    // (indexed by parent node + 1) when the proxy first sorts it.
    mutable std::array<std::vector<qint64>, PtColumnCount> m_ranks;
    mutable std::array<std::vector<char>, PtColumnCount> m_rankedGroups;
    mutable std::unique_ptr<QCollator> m_collator;
    mutable QHash<QString, QCollatorSortKey> m_sortKeys; // collation keys by text
    QStringList m_headers;
};

// Runs the tree statement and hands every row to `sink`. Returns false with
// the database error in *error.
bool runPodnikyTreeQuery(const TreeQuery &query,
                         const std::function<void(const PodnikyTreeRow &)> &sink,
                         QString *error);

