#pragma once

#include "events/eventstore.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QStringList>
#include <QVector>

#include <functional>

// The threads of an event list: a root row per thread, the replies nested
// below their parents at any depth, 16 columns (see events/eventlist.h).
// Filled in one go from the list statement's rows; it keeps the texts and
// the sort keys of the date columns ready, so that sorting and filtering a
// long list neither formats nor parses dates on every comparison.
class EventTreeModel : public QAbstractItemModel
{
    Q_OBJECT
public:
    // What the name column of a root row shows.
    enum NameMode {
        CentreName,       // the register's page of an enterprise: the centre
        EnterpriseName,   // the register's page of a centre: the enterprise
        FullName          // the global list: enterprise | centre | place
    };

    explicit EventTreeModel(QObject *parent = nullptr);

    void setHeaderTexts(const QStringList &headers);

    // Replaces the rows. Rows come in id order, so a parent is always placed
    // before its replies; a row whose parent is not in the list is left out.
    // `colours`: the global list's cell backgrounds of root rows.
    void setRows(const QVector<EventStore::ListRow> &rows, NameMode mode, bool colours);
    void clear();

    // Paging (the global list): the threads of `roots`, in that order, are
    // added at the end; `rows` are their events in id order. A thread that
    // is listed already is left out.
    void appendThreads(const QVector<int> &roots, const QVector<EventStore::ListRow> &rows, NameMode mode,
                       bool colours);
    // What the view's fetchMore calls while `more` is set; cleared with
    // setMore(false) when the list is complete (or a page is on its way).
    void setFetcher(std::function<void()> fetch) { m_fetch = std::move(fetch); }
    void setMore(bool more) { m_more = more; }
    bool more() const { return m_more; }
    int threadCount() const { return m_roots.size(); }
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    // The first column's index of an event; invalid when it is not listed.
    QModelIndex indexOfId(int id) const;
    // The events listed so far, each thread's root before its replies, in
    // the order the list shows the threads.
    QVector<EventStore::ListRow> listedRows() const;

    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // "dd.MM.yy hh:mm", empty for no date.
    static QString shortDateTime(const QDateTime &dt);

private:
    struct Node {
        EventStore::ListRow row;
        QString name;
        QString startText;
        QString endText;
        qint64 startKey = 0;    // sort keys of the two date columns
        qint64 endKey = 0;
        int parent = -1;        // node index, -1 for a root
        int rowInParent = 0;
        QVector<int> children;
    };
    const Node *node(const QModelIndex &index) const;
    // A node for `row` under `parent` (-1: a root), with its texts; not yet
    // linked into its siblings.
    Node makeNode(const EventStore::ListRow &row, int parent, NameMode mode, QHash<QString, QString> *names) const;
    QVariant display(const Node &n, int column) const;
    QVariant toolTip(const Node &n, int column) const;
    QVariant background(const Node &n, int column) const;

    QVector<Node> m_nodes;
    QVector<int> m_roots;
    QHash<int, int> m_byId;     // event id -> node index
    QStringList m_headers;
    bool m_colours = false;
    QDate m_today;
    std::function<void()> m_fetch;
    bool m_more = false;
};
