#pragma once

#include <QDate>
#include <QVariant>
#include <QWidget>

#include <functional>

class Session;
class QTreeView;
class PodnikyTreeModel;
class QSMySortFilterProxyModel;
struct PodnikyTreeCounters;

// The enterprise/centre tree of "Podniky/střediska" with its tool bar, the
// yellow quick filter `sfilter` and the counters line.
//
// Sorted by the first column the tree has two levels (enterprises, their
// centres below); sorted by any other column it is a flat list of licensed
// centres. Changing the sort rebuilds it. The tree reads the signed-in user
// and the remembered selection from the Session; the host stores the
// selection there when it handles selectionChanged.
class PodnikyTree : public QWidget
{
    Q_OBJECT
public:
    explicit PodnikyTree(Session *session, QWidget *parent = nullptr);
    ~PodnikyTree() override;

    // Rebuilds the model from the database and reselects the row of the
    // current enterprise/centre (onRefreshModelPodnikyStrediska).
    void refresh();
    // After a centre is saved: updates licence and start date of its row in place.
    void updateCentreRow(int centreId, const QString &licence, const QDate &start);
    QTreeView *view() const;

    // Rebuilds and highlights the row of this enterprise and/or centre (a
    // centre wins over its enterprise); the current row does not change.
    void refresh(const QVariant &podnikId, const QVariant &strediskoId);
    // Makes the row of the centre (or, without one, of the enterprise) the
    // current row, which runs the selection handling. False when the tree
    // does not show it.
    bool setCurrentRow(const QVariant &podnikId, const QVariant &strediskoId);
    // Empties the quick filter.
    void clearFilter();
    // The enterprises of the rows shown, each once, in the order shown.
    QList<int> shownEnterpriseIds() const;

    // Condition of the advanced filter (SQL over the aliases pdq, hdq, stq,
    // made by the filter dialog); empty = off. Takes effect on the next rebuild.
    void setAdvancedFilter(const QString &condition);

    // Called before every rebuild the tree starts itself ("Obnovit", a change
    // of the sort column). Returning false leaves the tree as it is; the host
    // offers to save edits here and clears its pages.
    void setRebuildGuard(std::function<bool()> guard);

    // Hides "Přidat" (right `os` 0 or 1) and the tool bar (right `minimal`).
    void applyRights();

    PodnikyTreeModel *model() const;
    QSMySortFilterProxyModel *proxy() const;
    const PodnikyTreeCounters &counters() const;

signals:
    // The current row changed: enterprise id, centre id (invalid for an
    // enterprise row) and the enterprise name. For a centre row the enterprise
    // id is its enterprise's. All invalid/empty when no row is current.
    void selectionChanged(const QVariant &podnikId, const QVariant &strediskoId, const QString &podnikName);

    // Buttons whose work belongs to other parts of the window.
    void addPodnikRequested();   // "Přidat" (podnik_add)
    void filtrRequested();       // "Filtr" (se_filtr)
    void mapaRequested();        // "Mapa" (se_mapa)
    void exportRequested();      // "Export" (se_export)

public slots:
    void onRefreshModelPodnikyStrediska();
    void onFilter();
    void onFilterReset();
    void onCollapse();
    void onExpand();
    void onRowPodnikStrediskaChanged(const QModelIndex &current);
    // The buttons of the tool bar whose work lives elsewhere (new enterprise,
    // advanced filter, map, export) announce themselves through the signals above.
    void onAddPodnik() { emit addPodnikRequested(); }
    void onFiltr() { emit filtrRequested(); }
    void onMapa() { emit mapaRequested(); }
    void onExport() { emit exportRequested(); }

private:
    void rebuild(const QVariant &podnikId, const QVariant &strediskoId);
    bool guardAllows();

    struct Private;
    Private *d;
};
