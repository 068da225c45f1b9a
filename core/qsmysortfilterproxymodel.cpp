#include "core/qsmysortfilterproxymodel.h"

#include "widgets/qf.h"

#include <QDate>
#include <QDateTime>
#include <QRegExp>
#include <QRegularExpression>

#include <limits>

namespace {

inline int digit(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') ? int(u - '0') : -1;
}

inline int twoDigits(const QChar *p)
{
    const int a = digit(p[0]), b = digit(p[1]);
    return (a < 0 || b < 0) ? -1 : a * 10 + b;
}

// Digits only (the empty text included): the text as a number, else false.
bool unsignedValue(const QString &text, quint64 *value)
{
    quint64 v = 0;
    for (const QChar c : text) {
        const int d = digit(c);
        if (d < 0)
            return false;
        v = v * 10 + quint64(d);
    }
    *value = v;
    return true;
}

// Sorting parses every compared text many times over; the texts the program
// writes itself ("dd.MM.yyyy", "dd.MM.yy hh:mm") are read directly, anything
// else through QDate/QDateTime with the same format.
QDate parseDate(const QString &text)
{
    static const QString format = Qf::defaultDateFormat();
    if (format == QLatin1String("dd.MM.yyyy") && text.size() == 10) {
        const QChar *p = text.constData();
        if (p[2] == QLatin1Char('.') && p[5] == QLatin1Char('.')) {
            const int d = twoDigits(p), m = twoDigits(p + 3);
            const int y1 = twoDigits(p + 6), y2 = twoDigits(p + 8);
            if (d >= 0 && m >= 0 && y1 >= 0 && y2 >= 0)
                return QDate(y1 * 100 + y2, m, d);
        }
    }
    if (text.isEmpty())
        return QDate();
    return QDate::fromString(text, format);
}

QDateTime parseDateTime(const QString &text)
{
    if (text.size() == 14) {
        const QChar *p = text.constData();
        if (p[2] == QLatin1Char('.') && p[5] == QLatin1Char('.') && p[8] == QLatin1Char(' ')
            && p[11] == QLatin1Char(':')) {
            const int d = twoDigits(p), m = twoDigits(p + 3), y = twoDigits(p + 6);
            const int h = twoDigits(p + 9), mi = twoDigits(p + 12);
            if (d >= 0 && m >= 0 && y >= 0 && h >= 0 && mi >= 0) {
                // Two-digit years read as 19yy, as QDateTime::fromString does.
                const QDate date(1900 + y, m, d);
                const QTime time(h, mi);
                return (date.isValid() && time.isValid()) ? QDateTime(date, time) : QDateTime();
            }
        }
    }
    if (text.isEmpty())
        return QDateTime();
    return QDateTime::fromString(text, QSMySortFilterProxyModel::dateTimeFormat());
}

// "a\.b" -> "a.b": a pattern made by escaping a typed text, read back as text.
QString unescape(const QString &pattern)
{
    if (!pattern.contains(QLatin1Char('\\')))
        return pattern;
    QString out;
    out.reserve(pattern.size());
    for (int i = 0; i < pattern.size(); ++i) {
        if (pattern.at(i) == QLatin1Char('\\') && i + 1 < pattern.size())
            ++i;
        out += pattern.at(i);
    }
    return out;
}

} // namespace

QSMySortFilterProxyModel::QSMySortFilterProxyModel(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    setRecursiveFilteringEnabled(true);
    setFilterCaseSensitivity(Qt::CaseInsensitive);
}

void QSMySortFilterProxyModel::setSourceModel(QAbstractItemModel *model)
{
    m_treeSource = dynamic_cast<const TreeFilterSource *>(model);
    QSortFilterProxyModel::setSourceModel(model);
}

QString QSMySortFilterProxyModel::dateTimeFormat()
{
    return QStringLiteral("dd.MM.yy hh:mm");
}

void QSMySortFilterProxyModel::setFilterText(const QString &text)
{
    // The view asks for the text with every row it lays out: it is kept
    // here, beside the base class pattern it stands for.
    m_text = text;
    m_textPattern = QRegularExpression::escape(text);
    m_hasText = true;
    setFilterRegularExpression(QRegularExpression(m_textPattern, QRegularExpression::CaseInsensitiveOption));
}

QString QSMySortFilterProxyModel::filterText() const
{
    return needle();
}

const QString &QSMySortFilterProxyModel::needle() const
{
    if (m_hasText) {
        // Still the text of setFilterText, unless a base class setter came since.
        if (filterRegularExpression().pattern() == m_textPattern)
            return m_text;
        m_hasText = false;
    }
    const QString re = filterRegularExpression().pattern();
    if (!re.isEmpty()) {
        if (m_patternKind != 1 || re != m_pattern) {
            m_pattern = re;
            m_patternKind = 1;
            m_needle = unescape(re);
        }
        return m_needle;
    }
    const QRegExp rx = filterRegExp();
    const int kind = rx.patternSyntax() == QRegExp::FixedString ? 2 : 3;
    if (m_patternKind != kind || rx.pattern() != m_pattern) {
        m_pattern = rx.pattern();
        m_patternKind = kind;
        m_needle = kind == 2 ? m_pattern : unescape(m_pattern);
    }
    return m_needle;
}

bool QSMySortFilterProxyModel::hasChildren(const QModelIndex &parent) const
{
    const QAbstractItemModel *source = sourceModel();
    if (source && needle().isEmpty()) {
        // Every row is accepted: the children are visible when there are any.
        const QModelIndex sourceParent = mapToSource(parent);
        if (parent.isValid() && !sourceParent.isValid())
            return false;
        return source->hasChildren(sourceParent) && source->columnCount(sourceParent) > 0;
    }
    return QSortFilterProxyModel::hasChildren(parent);
}

bool QSMySortFilterProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const
{
    const QModelIndex index = sourceModel()->index(sourceRow, filterKeyColumn(), sourceParent);
    if (treeColumns.contains(filterKeyColumn())) {
        if (m_treeSource) {
            const int decided = m_treeSource->acceptsFolded(index, needle());
            if (decided >= 0)
                return decided != 0;
        }
        return acceptIndex(index);
    }
    const QString &text = needle();
    return text.isEmpty() || index.data(Qt::DisplayRole).toString().contains(text, Qt::CaseInsensitive);
}

bool QSMySortFilterProxyModel::acceptIndex(QModelIndex index) const
{
    const QString &text = needle();
    if (text.isEmpty())
        return true;
    if (index.data(Qt::UserRole).toString().contains(text, Qt::CaseInsensitive))
        return true;
    const QAbstractItemModel *model = index.model();
    if (!model)
        return false;
    if (!model->hasChildren(index)) {
        // A centre is shown when its enterprise matches.
        return index.parent().data(Qt::UserRole).toString().contains(text, Qt::CaseInsensitive);
    }
    for (int row = 0;; ++row) {
        const QModelIndex child = model->index(row, index.column(), index);
        if (!child.isValid())
            return false;
        if (acceptIndex(child))
            return true;
    }
}

bool QSMySortFilterProxyModel::numericSortKey(const QString &text, quint64 *key)
{
    return unsignedValue(text, key);
}

qint64 QSMySortFilterProxyModel::dateSortKey(const QString &text)
{
    const QDate date = parseDate(text);
    return date.isValid() ? date.toJulianDay() : std::numeric_limits<qint64>::min();
}

bool QSMySortFilterProxyModel::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (sortMode == SortNumeric || sortMode == SortDate || sortMode == SortDateTime
        || (sortMode == SortText && isSortLocaleAware() && sortRole() == Qt::DisplayRole)) {
        if (m_treeSource) {
            qint64 l = 0, r = 0;
            if (m_treeSource->sortKey(left, sortMode, &l) && m_treeSource->sortKey(right, sortMode, &r))
                return sortMode == SortNumeric ? quint64(l) < quint64(r) : l < r;
        } else if (const QVariant l = left.data(SortKeyRole + sortMode); l.isValid()) {
            const QVariant r = right.data(SortKeyRole + sortMode);
            if (r.isValid())
                return sortMode == SortNumeric ? l.toULongLong() < r.toULongLong() : l.toLongLong() < r.toLongLong();
        }
    }
    switch (sortMode) {
    case SortNumeric: {
        quint64 l = 0, r = 0;
        if (unsignedValue(left.data(Qt::DisplayRole).toString(), &l)
            && unsignedValue(right.data(Qt::DisplayRole).toString(), &r))
            return l < r;
        return QSortFilterProxyModel::lessThan(left, right);
    }
    case SortDate: {
        const QDate l = parseDate(left.data(Qt::DisplayRole).toString());
        const QDate r = parseDate(right.data(Qt::DisplayRole).toString());
        if (!l.isValid() || !r.isValid())
            return !l.isValid() && r.isValid();
        return l < r;
    }
    case SortDateTime: {
        const QDateTime l = parseDateTime(left.data(Qt::DisplayRole).toString());
        const QDateTime r = parseDateTime(right.data(Qt::DisplayRole).toString());
        if (!l.isValid() || !r.isValid())
            return !l.isValid() && r.isValid();
        return l < r;
    }
    default:
        return QSortFilterProxyModel::lessThan(left, right);
    }
}
