#include "register/podnikytreemodel.h"

#include "db/qssql.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/textutil.h"
#include "widgets/qf.h"

#include <QCollator>
#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace {

const int kMinRankedGroup = 32;

// Qf::formatDate parses its format on every call; the tree formats two
// dates per row, so the usual format is written directly.
QString dateText(const QDate &date)
{
    static const bool usual = Qf::defaultDateFormat() == QLatin1String("dd.MM.yyyy");
    if (!usual || !date.isValid() || date.year() < 1000 || date.year() > 9999)
        return Qf::formatDate(date);
    int y = 0, m = 0, d = 0;
    date.getDate(&y, &m, &d);
    const QChar text[10] = {
        QLatin1Char(char('0' + d / 10)), QLatin1Char(char('0' + d % 10)), QLatin1Char('.'),
        QLatin1Char(char('0' + m / 10)), QLatin1Char(char('0' + m % 10)), QLatin1Char('.'),
        QLatin1Char(char('0' + y / 1000)), QLatin1Char(char('0' + y / 100 % 10)),
        QLatin1Char(char('0' + y / 10 % 10)), QLatin1Char(char('0' + y % 10)),
    };
    return QString(text, 10);
}

// The key of the date comparison of QSMySortFilterProxyModel for the text
// dateText() makes; the usual format is its julian day without a round trip.
qint64 dateKey(const QDate &date)
{
    static const bool usual = Qf::defaultDateFormat() == QLatin1String("dd.MM.yyyy");
    if (usual && date.isValid() && date.year() >= 1000 && date.year() <= 9999)
        return date.toJulianDay();
    return QSMySortFilterProxyModel::dateSortKey(dateText(date));
}

} // namespace

QString PodnikyTreeCounters::text() const
{
    return QCoreApplication::translate("PodnikyTree", "CELKOVĚ - podniky:") + QLatin1Char(' ')
        + QString::number(podniky) + QLatin1String(", ")
        + QCoreApplication::translate("PodnikyTree", "střediska:") + QLatin1Char(' ')
        + QString::number(strediska)
        + QCoreApplication::translate("PodnikyTree", " | TELLMARK - podniky:") + QLatin1Char(' ')
        + QString::number(licencovanePodniky) + QLatin1String(", ")
        + QCoreApplication::translate("PodnikyTree", "střediska:") + QLatin1Char(' ')
        + QString::number(licencovanaStrediska);
}

bool runPodnikyTreeQuery(const TreeQuery &query,
                         const std::function<void(const PodnikyTreeRow &)> &sink,
                         QString *error)
{
    QSSQL q;
    q.setDirectRows(true);
    q.prepare(query.sql);
    for (const QVariant &v : query.binds)
        q.addBindValue(v);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    PodnikyTreeRow r;
    bool first = true;
    while (q.next()) {
        // The rows of one enterprise follow each other: its texts are read
        // once, not once per centre.
        const int podnikId = q.intValue(TqPodnikId);
        if (first || podnikId != r.podnikId) {
            r.podnikId = podnikId;
            r.podnikNazev = q.textValue(TqPodnikNazev);
            r.obr = q.textValue(TqObr);
            r.fakturaceOd = q.dateValue(TqFakturaceOd);
            first = false;
        }
        r.strediskoId = q.intValue(TqStrediskoId);
        r.akceNazev = q.textValue(TqAkceNazev);
        r.licence = q.textValue(TqLicence);
        if (r.licence == QLatin1String("0"))
            r.licence.clear();
        r.spusteni = q.dateValue(TqSpusteni);
        r.specifikace = q.textValue(TqSpecifikace);
        sink(r);
    }
    if (q.lastError().isValid()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    return true;
}

void PodnikyTreeModel::IdIndex::clear()
{
    std::fill(m_slots.begin(), m_slots.end(), std::make_pair(0, -1));
    m_used = 0;
}

size_t PodnikyTreeModel::IdIndex::slot(int id) const
{
    // Fibonacci hashing: consecutive ids spread over the table.
    return size_t((quint32(id) * 2654435769u) >> (32 - m_bits));
}

int PodnikyTreeModel::IdIndex::value(int id) const
{
    if (m_slots.empty())
        return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = slot(id);; i = (i + 1) & mask) {
        const auto &s = m_slots[i];
        if (s.second < 0)
            return -1;
        if (s.first == id)
            return s.second;
    }
}

void PodnikyTreeModel::IdIndex::insert(int id, int node)
{
    if ((m_used + 1) * 2 > m_slots.size()) {
        std::vector<std::pair<int, int>> old;
        old.swap(m_slots);
        m_bits = std::max(m_bits + 1, 10);
        m_slots.assign(size_t(1) << m_bits, std::make_pair(0, -1));
        m_used = 0;
        for (const auto &s : old) {
            if (s.second >= 0)
                insert(s.first, s.second);
        }
    }
    const size_t mask = m_slots.size() - 1;
    for (size_t i = slot(id);; i = (i + 1) & mask) {
        auto &s = m_slots[i];
        if (s.second < 0) {
            s = std::make_pair(id, node);
            ++m_used;
            return;
        }
        if (s.first == id) {
            s.second = node;
            return;
        }
    }
}

struct PodnikyTreeModel::Node {
    QString name;        // column 0
    QString podnikName;
    QString licence;
    QString specifikace;
    QString obr;
    QDate spusteni;
    QDate fakturaceOd;
    // Keys of the numeric and the date sort, made when first sorted by them.
    mutable quint64 licenceKey = 0;
    mutable bool licenceNumeric = true;
    mutable qint64 spusteniKey = 0;
    mutable qint64 fakturaceKey = 0;
    int podnikId = 0;
    int strediskoId = 0; // 0 on enterprise rows
    int parent = -1;     // the enterprise row of a centre in the tree shape
    int row = 0;
    QVector<int> children;

    bool centre() const { return strediskoId > 0; }
};

PodnikyTreeModel::PodnikyTreeModel(QObject *parent)
    : QAbstractItemModel(parent)
{
    m_headers = QStringList{
        QCoreApplication::translate("PodnikyTree", "Podnik/Středisko"),
        QCoreApplication::translate("PodnikyTree", "Licence"),
        QCoreApplication::translate("PodnikyTree", "Spustění"),
        QCoreApplication::translate("PodnikyTree", "Fakturace od"),
        QCoreApplication::translate("PodnikyTree", "Spec. AUTO"),
        QCoreApplication::translate("PodnikyTree", "Region"),
        QString(), QString(),
        QStringLiteral("fholding"), QStringLiteral("fpodnik"), QStringLiteral("fstredisko"),
        QStringLiteral("id_holding"), QStringLiteral("id_podnik"), QStringLiteral("id_stredisko"),
    };
}

PodnikyTreeModel::~PodnikyTreeModel() = default;

void PodnikyTreeModel::beginRebuild(bool treeShape)
{
    beginResetModel();
    m_tree = treeShape;
    m_sortKeysMade = false;
    m_lastPodnikLicensed = false;
    m_counters = PodnikyTreeCounters();
    // The next tree is about as large as the last one: no reallocation of
    // thousands of nodes while it is filled.
    const size_t expected = m_nodes.size();
    m_nodes.clear();
    m_nodes.reserve(expected);
    m_shape.clear();
    m_shape.reserve(expected);
    m_childStart.clear();
    m_children.clear();
    m_parentOf.clear();
    m_rowOf.clear();
    m_keys.clear();
    m_accept.clear();
    m_acceptText.clear();
    m_top.clear();
    m_podniky.clear();
    m_strediska.clear();
    m_firstRow.clear();
    for (auto &ranks : m_ranks)
        ranks.clear();
    for (auto &groups : m_rankedGroups)
        groups.clear();
    // Names collate in the locale in force, as QString::localeAwareCompare.
    if (m_collator && m_collator->locale() != QCollator().locale()) {
        m_collator.reset();
        m_sortKeys.clear();
    }
}

void PodnikyTreeModel::endRebuild()
{
    m_childStart.assign(m_nodes.size(), 0);
    m_children.clear();
    m_children.reserve(m_nodes.size());
    for (size_t n = 0; n < m_nodes.size(); ++n) {
        m_childStart[n] = int(m_children.size());
        m_children.insert(m_children.end(), m_nodes[n].children.cbegin(), m_nodes[n].children.cend());
    }
    endResetModel();
}

// Only the flat shape sorts by licence or date: the keys are made when the
// proxy first asks for one.
void PodnikyTreeModel::makeSortKeys() const
{
    if (m_sortKeysMade)
        return;
    for (const Node &n : m_nodes)
        setSortKeys(n);
    m_sortKeysMade = true;
}

void PodnikyTreeModel::setSortKeys(const Node &n) const
{
    const bool centre = n.centre();
    n.licenceNumeric = QSMySortFilterProxyModel::numericSortKey(centre ? n.licence : QString(), &n.licenceKey);
    n.spusteniKey = dateKey(centre ? n.spusteni : QDate());
    n.fakturaceKey = dateKey(centre ? n.fakturaceOd : QDate());
}

void PodnikyTreeModel::addRow(const PodnikyTreeRow &r)
{
    const bool hasCentre = r.strediskoId > 0;
    if (hasCentre && m_strediska.contains(r.strediskoId))
        return; // the same centre again (several linked users)
    if (!m_tree && !hasCentre)
        return; // the flat shape lists centres only

    const bool newPodnik = !m_podniky.contains(r.podnikId) && !m_firstRow.contains(r.podnikId);
    if (newPodnik) {
        ++m_counters.podniky;
        m_lastPodnikLicensed = false;
    }

    // A new row under `parent` (-1: the root), filled in place.
    auto append = [this](int parent) -> Node & {
        const int id = int(m_nodes.size());
        QVector<int> &siblings = parent < 0 ? m_top : m_nodes[size_t(parent)].children;
        const int row = siblings.size();
        siblings.append(id);
        if (parent >= 0)
            ++m_shape[size_t(parent)];
        m_shape.push_back(0);
        m_parentOf.push_back(parent);
        m_rowOf.push_back(row);
        Node &n = m_nodes.emplace_back();
        n.parent = parent;
        n.row = row;
        return n;
    };
    auto fillCentre = [this, &r](Node &n) {
        m_shape.back() = -1;
        n.strediskoId = r.strediskoId;
        n.licence = r.licence;
        n.spusteni = r.spusteni;
        n.fakturaceOd = r.fakturaceOd;
        n.specifikace = r.specifikace;
    };

    if (m_tree) {
        int podnik = m_podniky.value(r.podnikId);
        if (podnik < 0) {
            podnik = int(m_nodes.size());
            Node &n = append(-1);
            n.name = r.podnikNazev;
            n.podnikName = r.podnikNazev;
            n.podnikId = r.podnikId;
            n.obr = r.obr;
            m_podniky.insert(r.podnikId, podnik);
        }
        if (hasCentre) {
            const int id = int(m_nodes.size());
            Node &n = append(podnik);
            const Node &p = m_nodes[size_t(podnik)];
            n.name = r.akceNazev;
            // The enterprise's texts are shared, not copied per centre.
            n.podnikName = p.name;
            n.obr = p.obr;
            n.podnikId = r.podnikId;
            fillCentre(n);
            m_strediska.insert(r.strediskoId, id);
        }
    } else {
        const int id = int(m_nodes.size());
        Node &n = append(-1);
        n.name = r.podnikNazev + QLatin1String(" | ") + r.akceNazev;
        n.podnikName = r.podnikNazev;
        n.podnikId = r.podnikId;
        n.obr = r.obr;
        fillCentre(n);
        m_strediska.insert(r.strediskoId, id);
        if (!m_firstRow.contains(r.podnikId))
            m_firstRow.insert(r.podnikId, id);
    }

    if (hasCentre) {
        ++m_counters.strediska;
        if (r.licensed()) {
            ++m_counters.licencovanaStrediska;
            if (!m_lastPodnikLicensed) {
                m_lastPodnikLicensed = true;
                ++m_counters.licencovanePodniky;
            }
        }
    }
}

QModelIndex PodnikyTreeModel::indexOfNode(int n, int column) const
{
    if (n < 0 || size_t(n) >= m_nodes.size())
        return QModelIndex();
    return createIndex(m_rowOf[size_t(n)], column, quintptr(n) + 1);
}

QModelIndex PodnikyTreeModel::podnikIndex(int podnikId) const
{
    return indexOfNode(m_podniky.value(podnikId));
}

QModelIndex PodnikyTreeModel::strediskoIndex(int strediskoId) const
{
    return indexOfNode(m_strediska.value(strediskoId));
}

QModelIndex PodnikyTreeModel::firstRowOfPodnik(int podnikId) const
{
    return indexOfNode(m_firstRow.value(podnikId));
}

bool PodnikyTreeModel::updateCentreRow(int strediskoId, const QString &licence, const QDate &start)
{
    const int id = m_strediska.value(strediskoId);
    if (id < 0)
        return false;
    Node &n = m_nodes[size_t(id)];
    n.licence = licence == QLatin1String("0") ? QString() : licence;
    n.spusteni = start;
    if (m_sortKeysMade)
        setSortKeys(n);
    for (int column : {PtLicence, PtSpusteni}) {
        m_ranks[size_t(column)].clear();
        m_rankedGroups[size_t(column)].clear();
    }
    emit dataChanged(indexOfNode(id, PtLicence), indexOfNode(id, PtSpusteni));
    return true;
}

const PodnikyTreeModel::Node &PodnikyTreeModel::node(const QModelIndex &index) const
{
    return m_nodes[size_t(index.internalId() - 1)];
}

QModelIndex PodnikyTreeModel::index(int row, int column, const QModelIndex &parent) const
{
    if (row < 0 || column < 0 || column >= PtColumnCount)
        return QModelIndex();
    if (parent.isValid() && parent.model() != this)
        return QModelIndex();
    if (!parent.isValid())
        return row < m_top.size() ? createIndex(row, column, quintptr(m_top.at(row)) + 1) : QModelIndex();
    const size_t p = size_t(parent.internalId() - 1);
    if (p >= m_childStart.size() || row >= m_shape[p])
        return QModelIndex();
    return createIndex(row, column, quintptr(m_children[size_t(m_childStart[p] + row)]) + 1);
}

QModelIndex PodnikyTreeModel::parent(const QModelIndex &child) const
{
    if (!child.isValid())
        return QModelIndex();
    return indexOfNode(m_parentOf[size_t(child.internalId() - 1)]);
}

QModelIndex PodnikyTreeModel::sibling(int row, int column, const QModelIndex &index) const
{
    if (index.isValid() && row == index.row() && column >= 0 && column < PtColumnCount)
        return createIndex(row, column, index.internalId());
    return QAbstractItemModel::sibling(row, column, index);
}

int PodnikyTreeModel::rowCount(const QModelIndex &parent) const
{
    if (!parent.isValid())
        return m_top.size();
    return parent.column() == 0 ? qMax(0, m_shape[size_t(parent.internalId() - 1)]) : 0;
}

int PodnikyTreeModel::columnCount(const QModelIndex &) const
{
    return PtColumnCount;
}

bool PodnikyTreeModel::hasChildren(const QModelIndex &parent) const
{
    return rowCount(parent) > 0;
}

Qt::ItemFlags PodnikyTreeModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (m_shape[size_t(index.internalId() - 1)] < 0)
        f |= Qt::ItemNeverHasChildren;
    return f;
}

QVariant PodnikyTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && (role == Qt::DisplayRole || role == Qt::EditRole)
        && section >= 0 && section < m_headers.size())
        return m_headers.at(section);
    return QAbstractItemModel::headerData(section, orientation, role);
}

QString PodnikyTreeModel::text(const Node &n, int column) const
{
    const bool centre = n.centre();
    switch (column) {
    case PtNazev:
        return n.name;
    case PtLicence:
        return centre ? n.licence : QString();
    case PtSpusteni:
        return centre ? dateText(n.spusteni) : QString();
    case PtFakturaceOd:
        return centre ? dateText(n.fakturaceOd) : QString();
    case PtSpecifikace:
        return centre ? n.specifikace : QString();
    case PtRegion:
        return n.obr;
    case PtFHolding:
        return QStringLiteral("0");
    case PtFPodnik:
        return centre ? QStringLiteral("0") : QStringLiteral("1");
    case PtFStredisko:
        return centre ? QStringLiteral("1") : QStringLiteral("0");
    case PtIdPodnik:
        return centre ? QString() : QString::number(n.podnikId);
    case PtIdStredisko:
        return centre ? QString::number(n.strediskoId) : QString();
    default:
        return QString();
    }
}

void PodnikyTreeModel::makeKeys() const
{
    if (m_keys.size() == m_nodes.size())
        return;
    m_keys.resize(m_nodes.size());
    for (size_t i = 0; i < m_nodes.size(); ++i)
        m_keys[i] = stripDiacritics(m_nodes[i].name);
}

int PodnikyTreeModel::acceptsFolded(const QModelIndex &index, const QString &text) const
{
    if (!index.isValid() || index.column() != PtNazev)
        return -1;
    if (text.isEmpty())
        return 1;
    const size_t count = m_nodes.size();
    if (m_accept.size() != count || text != m_acceptText) {
        makeKeys();
        // A row passes when its name holds the text, when a row under it
        // does, and a centre also when its enterprise's name does.
        std::vector<char> self(count);
        for (size_t n = 0; n < count; ++n)
            self[n] = m_keys[n].contains(text, Qt::CaseInsensitive);
        m_accept = self;
        for (size_t n = 0; n < count; ++n) {
            const int parent = m_parentOf[n];
            if (parent < 0)
                continue;
            if (self[n])
                m_accept[size_t(parent)] = 1;
            if (m_shape[n] <= 0 && self[size_t(parent)])
                m_accept[n] = 1;
        }
        m_acceptText = text;
    }
    return m_accept[size_t(index.internalId() - 1)];
}

QVariant PodnikyTreeModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return QVariant();
    const Node &n = node(index);
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        // An empty cell has no value, as an empty cell of a standard item model.
        const QString t = text(n, column);
        return t.isEmpty() ? QVariant() : QVariant(t);
    }
    case PtSearchKeyRole:
        if (column != PtNazev)
            return QVariant();
        makeKeys();
        return m_keys[size_t(index.internalId() - 1)];
    case PtPodnikIdRole:
        return column == PtNazev ? QVariant(n.podnikId) : QVariant();
    case PtStrediskoIdRole:
        return column == PtNazev ? QVariant(n.strediskoId) : QVariant();
    case PtPodnikNameRole:
        return column == PtNazev ? QVariant(n.podnikName) : QVariant();
    case QSMySortFilterProxyModel::SortKeyRole + QSMySortFilterProxyModel::SortText:
    case QSMySortFilterProxyModel::SortKeyRole + QSMySortFilterProxyModel::SortNumeric:
    case QSMySortFilterProxyModel::SortKeyRole + QSMySortFilterProxyModel::SortDate: {
        qint64 key = 0;
        const int mode = role - QSMySortFilterProxyModel::SortKeyRole;
        if (!sortKey(index, mode, &key))
            return QVariant();
        return mode == QSMySortFilterProxyModel::SortNumeric ? QVariant(quint64(key)) : QVariant(key);
    }
    default:
        return QVariant();
    }
}

bool PodnikyTreeModel::sortKey(const QModelIndex &index, int mode, qint64 *key) const
{
    if (!index.isValid())
        return false;
    const Node &n = node(index);
    const int column = index.column();
    switch (mode) {
    case QSMySortFilterProxyModel::SortText:
        return textRank(int(index.internalId() - 1), column, key);
    case QSMySortFilterProxyModel::SortNumeric:
        makeSortKeys();
        *key = qint64(n.licenceKey);
        return column == PtLicence && n.licenceNumeric;
    case QSMySortFilterProxyModel::SortDate:
        makeSortKeys();
        *key = column == PtSpusteni ? n.spusteniKey : n.fakturaceKey;
        return column == PtSpusteni || column == PtFakturaceOd;
    default:
        return false;
    }
}

// The rank of a cell among its siblings in the order of
// QString::localeAwareCompare (cells without text last). A group is ranked
// when the proxy first sorts it, from one collation key per cell; small
// groups are not ranked (the proxy compares their texts).
bool PodnikyTreeModel::textRank(int n, int column, qint64 *out) const
{
    std::vector<qint64> &ranks = m_ranks[size_t(column)];
    std::vector<char> &ranked = m_rankedGroups[size_t(column)];
    if (ranks.empty()) {
        ranks.assign(m_nodes.size(), 0);
        ranked.assign(m_nodes.size() + 1, 0);
    }
    const int parent = m_nodes[size_t(n)].parent;
    const QVector<int> &group = parent < 0 ? m_top : m_nodes[size_t(parent)].children;
    // A few siblings compare their texts faster than they are ranked.
    if (group.size() < kMinRankedGroup)
        return false;
    if (ranked[size_t(parent + 1)]) {
        *out = ranks[size_t(n)];
        return true;
    }
    ranked[size_t(parent + 1)] = 1;

    std::vector<std::pair<QString, int>> texts;
    texts.reserve(size_t(group.size()));
    for (int member : group) {
        QString t = text(m_nodes[size_t(member)], column);
        if (t.isEmpty())
            ranks[size_t(member)] = std::numeric_limits<qint64>::max();
        else
            texts.emplace_back(std::move(t), member);
    }
    if (!m_collator)
        m_collator = std::make_unique<QCollator>();
    const QCollator &collator = *m_collator;
    auto assign = [&](auto less) {
        std::vector<size_t> order(texts.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), less);
        qint64 rank = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            if (i > 0 && less(order[i - 1], order[i]))
                ++rank;
            ranks[size_t(texts[order[i]].second)] = rank;
        }
    };
    if (collator.locale().language() == QLocale::C) {
        // Without a collation the texts compare by their characters.
        assign([&](size_t a, size_t b) { return texts[a].first < texts[b].first; });
    } else {
        // A collation key costs more than sorting by it, and most names are
        // the same from one rebuild to the next: the keys are kept.
        if (m_sortKeys.size() > 2 * int(m_nodes.size()) + 1000)
            m_sortKeys.clear();
        std::vector<QCollatorSortKey> keys;
        keys.reserve(texts.size());
        for (const auto &t : texts) {
            auto it = m_sortKeys.constFind(t.first);
            if (it == m_sortKeys.constEnd())
                it = m_sortKeys.insert(t.first, collator.sortKey(t.first));
            keys.push_back(*it);
        }
        assign([&](size_t a, size_t b) { return keys[a].compare(keys[b]) < 0; });
    }
    *out = ranks[size_t(n)];
    return true;
}
