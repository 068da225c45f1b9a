#include "events/eventtreemodel.h"

#include <functional>

#include "core/qsmysortfilterproxymodel.h"
#include "core/eciselniky.h"
#include "events/eventcodes.h"
#include "events/eventlist.h"

#include <QBrush>
#include <QColor>

#include <limits>

using namespace EventList;

namespace {

QString numberText(const QVariant &v)
{
    return v.isNull() ? QString() : QString::number(v.toInt());
}

void twoDigits(QChar *out, int value)
{
    out[0] = QLatin1Char(char('0' + (value / 10) % 10));
    out[1] = QLatin1Char(char('0' + value % 10));
}

// Seconds since the start of the julian calendar, read off the shown date
// and time without any time-zone arithmetic (which would cost more than the
// whole sort). No date sorts before every date, as the text comparison has it.
qint64 sortKey(const QDateTime &dt)
{
    if (!dt.isValid())
        return std::numeric_limits<qint64>::min();
    return dt.date().toJulianDay() * 86400 + dt.time().msecsSinceStartOfDay() / 1000;
}

} // namespace

EventTreeModel::EventTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
}

void EventTreeModel::setHeaderTexts(const QStringList &headers)
{
    m_headers = headers;
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

QString EventTreeModel::shortDateTime(const QDateTime &dt)
{
    if (!dt.isValid())
        return QString();
    // Written by hand: a long list formats two of these per row.
    QString text(14, QLatin1Char(' '));
    QChar *p = text.data();
    const QDate d = dt.date();
    const QTime t = dt.time();
    twoDigits(p, d.day());
    p[2] = QLatin1Char('.');
    twoDigits(p + 3, d.month());
    p[5] = QLatin1Char('.');
    twoDigits(p + 6, d.year() % 100);
    twoDigits(p + 9, t.hour());
    p[11] = QLatin1Char(':');
    twoDigits(p + 12, t.minute());
    return text;
}

EventTreeModel::Node EventTreeModel::makeNode(const EventStore::ListRow &row, int parent, NameMode mode,
                                              QHash<QString, QString> *names) const
{
    Node n;
    n.row = row;
    n.parent = parent;
    n.startText = shortDateTime(row.start);
    n.startKey = sortKey(row.start);
    n.endKey = sortKey(QDateTime());
    if (parent < 0) {
        n.endText = shortDateTime(row.end);
        n.endKey = sortKey(row.end);
        QStringList parts;
        switch (mode) {
        case CentreName:
            parts << row.centreName;
            break;
        case EnterpriseName:
            if (row.podnikId.toLongLong() > 0)
                parts << row.podnikName;
            break;
        case FullName:
            parts << row.podnikName << row.centreName << row.place;
            break;
        }
        parts.removeAll(QString());
        const QString name = parts.join(QStringLiteral(" | "));
        // Many threads share an enterprise: their name texts share one string.
        auto shared = names->constFind(name);
        if (shared == names->constEnd())
            shared = names->insert(name, name);
        n.name = *shared;
    }
    // Shown only through the name column.
    n.row.podnikName.clear();
    n.row.centreName.clear();
    n.row.place.clear();
    return n;
}

void EventTreeModel::setRows(const QVector<EventStore::ListRow> &rows, NameMode mode, bool colours)
{
    beginResetModel();
    m_nodes.clear();
    m_roots.clear();
    m_byId.clear();
    m_more = false;
    m_colours = colours;
    m_today = QDate::currentDate();
    m_nodes.reserve(rows.size());
    m_byId.reserve(rows.size());
    QHash<QString, QString> names;
    for (const EventStore::ListRow &row : rows) {
        int parent = -1;
        if (row.parentId != 0) {
            const auto it = m_byId.constFind(row.parentId);
            if (it == m_byId.constEnd())
                continue;
            parent = it.value();
        }
        Node n = makeNode(row, parent, mode, &names);
        const int index = m_nodes.size();
        QVector<int> &siblings = parent < 0 ? m_roots : m_nodes[parent].children;
        n.rowInParent = siblings.size();
        siblings.append(index);
        m_nodes.append(std::move(n));
        m_byId.insert(row.id, index);
    }
    endResetModel();
}

void EventTreeModel::appendThreads(const QVector<int> &roots, const QVector<EventStore::ListRow> &rows, NameMode mode,
                                   bool colours)
{
    m_colours = colours;
    if (m_nodes.isEmpty())
        m_today = QDate::currentDate();
    // The new threads' events, placed under their parents before the roots
    // are shown; nothing of them is visible until the roots are inserted.
    QHash<int, int> added;
    QHash<QString, QString> names;
    for (const EventStore::ListRow &row : rows) {
        if (m_byId.contains(row.id))
            continue;
        int parent = -1;
        if (row.parentId != 0) {
            const auto it = added.constFind(row.parentId);
            if (it == added.constEnd())
                continue;
            parent = it.value();
        }
        Node n = makeNode(row, parent, mode, &names);
        const int index = m_nodes.size();
        if (parent >= 0) {
            n.rowInParent = m_nodes[parent].children.size();
            m_nodes[parent].children.append(index);
        }
        m_nodes.append(std::move(n));
        added.insert(row.id, index);
    }
    QVector<int> shown;
    for (int id : roots) {
        const auto it = added.constFind(id);
        if (it != added.constEnd() && m_nodes.at(it.value()).parent < 0)
            shown << it.value();
    }
    for (auto it = added.cbegin(); it != added.cend(); ++it)
        m_byId.insert(it.key(), it.value());
    if (shown.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_roots.size(), m_roots.size() + shown.size() - 1);
    for (int index : qAsConst(shown)) {
        m_nodes[index].rowInParent = m_roots.size();
        m_roots.append(index);
    }
    endInsertRows();
}

bool EventTreeModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_more && m_fetch;
}

void EventTreeModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        m_fetch();
}

void EventTreeModel::clear()
{
    setRows({}, FullName, false);
}

QModelIndex EventTreeModel::indexOfId(int id) const
{
    const auto it = m_byId.constFind(id);
    if (it == m_byId.constEnd())
        return QModelIndex();
    return createIndex(m_nodes.at(it.value()).rowInParent, 0, quintptr(it.value()));
}

const EventTreeModel::Node *EventTreeModel::node(const QModelIndex &index) const
{
    if (!index.isValid() || index.model() != this)
        return nullptr;
    const int i = int(index.internalId());
    return i >= 0 && i < m_nodes.size() ? &m_nodes.at(i) : nullptr;
}

QModelIndex EventTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (column < 0 || column >= ColumnCount || row < 0)
        return QModelIndex();
    const QVector<int> *siblings = &m_roots;
    if (parent.isValid()) {
        const Node *p = node(parent);
        if (!p || parent.column() != 0)
            return QModelIndex();
        siblings = &p->children;
    }
    if (row >= siblings->size())
        return QModelIndex();
    return createIndex(row, column, quintptr(siblings->at(row)));
}

QModelIndex EventTreeModel::parent(const QModelIndex &child) const
{
    const Node *n = node(child);
    if (!n || n->parent < 0)
        return QModelIndex();
    return createIndex(m_nodes.at(n->parent).rowInParent, 0, quintptr(n->parent));
}

int EventTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_roots.size();
    if (parent.column() != 0)
        return 0;
    const Node *n = node(parent);
    return n ? n->children.size() : 0;
}

int EventTreeModel::columnCount(const QModelIndex &) const
{
    return ColumnCount;
}

bool EventTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

QVariant EventTreeModel::display(const Node &n, int column) const
{
    const EventStore::ListRow &r = n.row;
    const bool root = n.parent < 0;
    switch (column) {
    case ColName: return n.name;
    case ColPredmet: return r.subject;
    case ColZacatek: return n.startText;
    case ColKonec: return n.endText;
    case ColZdroj: return root ? numberText(r.source) : QString();
    case ColKategorie: return root ? numberText(r.category) : QString();
    case ColStav: return root ? numberText(r.state) : QString();
    case ColPriorita: return root ? numberText(r.priority) : QString();
    case ColOO: return root ? r.persons : QString();
    case ColSynchronizace: return root ? numberText(r.synchronisation) : QString();
    case ColCesta: return root ? numberText(r.journey) : QString();
    case ColHash: return r.hash;
    case ColId: return QString::number(r.id);
    case ColIdParent: return r.parentId != 0 ? QString::number(r.parentId) : QString();
    case ColIdPodnik: return r.podnikId.isNull() ? QString() : r.podnikId.toString();
    case ColIdStredisko: return r.strediskoId.isNull() ? QString() : r.strediskoId.toString();
    default: return QVariant();
    }
}

QVariant EventTreeModel::background(const Node &n, int column) const
{
    if (!m_colours || n.parent >= 0)
        return QVariant();
    const EventStore::ListRow &r = n.row;
    QColor c;
    switch (column) {
    case ColZacatek:
        if (r.start.date() == m_today)
            c = Qt::lightGray;
        break;
    case ColKategorie:
        switch (r.category.isNull() ? -1 : r.category.toInt()) {
        case 8: c = Qt::gray; break;
        case 32: c = Qt::green; break;
        case 4096: c = Qt::lightGray; break;
        case 16384: c = Qt::yellow; break;
        default: break;
        }
        break;
    case ColStav:
        switch (r.state.isNull() ? -1 : r.state.toInt()) {
        case 0: c = Qt::gray; break;
        case 1: c = QColor(255, 150, 150); break;
        case 2: c = Qt::magenta; break;
        case 3: c = Qt::green; break;
        default: break;
        }
        break;
    case ColPriorita:
        switch (r.priority.isNull() ? -1 : r.priority.toInt()) {
        case 1: c = Qt::blue; break;
        case 2: c = Qt::green; break;
        case 3: c = Qt::red; break;
        default: break;
        }
        break;
    default:
        break;
    }
    return c.isValid() ? QVariant(QBrush(c)) : QVariant();
}

// The number columns keep the stored number; the tip names it.
QVariant EventTreeModel::toolTip(const Node &n, int column) const
{
    const EventStore::ListRow &r = n.row;
    QString name;
    if (n.parent < 0) {
        switch (column) {
        case ColZdroj: name = EventCodes::name(EventCodes::Source, r.source); break;
        case ColKategorie: name = EventCodes::name(EventCodes::Category, r.category); break;
        case ColStav: name = EventCodes::name(EventCodes::State, r.state); break;
        case ColPriorita: name = EventCodes::name(EventCodes::Priority, r.priority); break;
        case ColSynchronizace: name = EventCodes::name(EventCodes::Synchronisation, r.synchronisation); break;
        case ColOO: name = ECiselniky().codesToNames(r.persons); break;
        default: break;
        }
    }
    return name.isEmpty() ? display(n, column) : QVariant(name);
}

QVariant EventTreeModel::data(const QModelIndex &index, int role) const
{
    const Node *n = node(index);
    if (!n)
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return display(*n, index.column());
    case Qt::ToolTipRole:
        return toolTip(*n, index.column());
    case Qt::BackgroundRole:
        return background(*n, index.column());
    case QSMySortFilterProxyModel::SortKeyRole + QSMySortFilterProxyModel::SortDateTime:
        if (index.column() == ColZacatek)
            return n->startKey;
        if (index.column() == ColKonec)
            return n->endKey;
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant EventTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return QAbstractItemModel::headerData(section, orientation, role);
}

Qt::ItemFlags EventTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

QVector<EventStore::ListRow> EventTreeModel::listedRows() const
{
    QVector<EventStore::ListRow> out;
    out.reserve(m_nodes.size());
    std::function<void(int)> walk = [&](int n) {
        out.append(m_nodes.at(n).row);
        for (int child : m_nodes.at(n).children)
            walk(child);
    };
    for (int root : m_roots)
        walk(root);
    return out;
}
