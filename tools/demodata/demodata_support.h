#pragma once

// Helpers of the demo data: a small deterministic random generator and a
// batched multi-row INSERT writer. Included only by the demo data sources.

#include <QDateTime>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSet>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <cstddef>

namespace DemoSupport {

// splitmix64: the same seed gives the same sequence on every platform, and a
// separate stream per table keeps enterprises unchanged when only the number
// of events changes.
class Rng
{
public:
    Rng(quint64 seed, quint64 stream)
        : m_state(seed * 0x9E3779B97F4A7C15ULL ^ (stream + 1) * 0xD1B54A32D192ED03ULL) {}
    explicit Rng(quint64 state) : m_state(state) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // 0 .. n-1
    int below(int n) { return n <= 1 ? 0 : int(next() % quint64(n)); }
    // lo .. hi inclusive
    int range(int lo, int hi) { return hi <= lo ? lo : lo + below(hi - lo + 1); }
    // [0, 1)
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    bool chance(double p) { return unit() < p; }

    template<typename T, std::size_t N>
    const T &pick(const T (&items)[N]) { return items[below(int(N))]; }

    // Index into weights, chosen in proportion to them.
    template<typename T, std::size_t N>
    int weighted(const T (&weights)[N])
    {
        int total = 0;
        for (const T &w : weights)
            total += int(w);
        int r = below(total);
        for (std::size_t i = 0; i < N; ++i) {
            r -= int(weights[i]);
            if (r < 0)
                return int(i);
        }
        return int(N) - 1;
    }

    QString digits(int count)
    {
        QString s;
        s.reserve(count);
        for (int i = 0; i < count; ++i)
            s += QLatin1Char(char('0' + below(10)));
        return s;
    }
    QString hex(int count)
    {
        static const char hexDigits[] = "0123456789abcdef";
        QString s;
        s.reserve(count);
        for (int i = 0; i < count; ++i)
            s += QLatin1Char(hexDigits[below(16)]);
        return s;
    }
    QString password(int count)
    {
        static const char chars[] = "abcdefghjkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
        QString s;
        for (int i = 0; i < count; ++i)
            s += QLatin1Char(chars[below(int(sizeof(chars)) - 1)]);
        return s;
    }

private:
    quint64 m_state;
};

// Unique licence numbers of the herd software from its three ranges
// (1-9999 Molvane with technology, 10000-39999 Molvane without, 40000-49999
// Tarvo). A crowded range hands over to the next; once all 49,999 numbers
// are taken it gives 0, so a large register gives fewer centres a licence
// instead of searching for ever.
class LicencePool
{
public:
    static constexpr int Ranges = 3;

    int take(Rng &rng, int range)
    {
        if (!nextOpen(&range))
            return 0;
        for (int tries = 0;; ++tries) {
            const int candidate = rng.range(low(range), high(range));
            if (!m_taken.contains(candidate)) {
                m_taken.insert(candidate);
                ++m_used[range];
                return candidate;
            }
            if (tries > 50) {
                range = (range + 1) % Ranges;
                nextOpen(&range);
            }
        }
    }

private:
    static int low(int range) { return range == 0 ? 1 : range == 1 ? 10000 : 40000; }
    static int high(int range) { return range == 0 ? 9999 : range == 1 ? 39999 : 49999; }
    bool full(int range) const { return m_used[range] > high(range) - low(range); }
    // The range itself or the first one after it with a free number.
    bool nextOpen(int *range) const
    {
        for (int step = 0; step < Ranges; ++step, *range = (*range + 1) % Ranges)
            if (!full(*range))
                return true;
        return false;
    }

    QSet<int> m_taken;
    int m_used[Ranges] = {};
};

// Dates are bound as the texts MySQL prints them in; both backends store
// them unchanged (SQLite keeps the text, MySQL parses it).
inline QVariant sqlDate(const QDate &d)
{
    return d.isValid() ? QVariant(d.toString(QStringLiteral("yyyy-MM-dd"))) : QVariant();
}
inline QVariant sqlDateTime(const QDateTime &dt)
{
    return dt.isValid() ? QVariant(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))) : QVariant();
}
inline QVariant orNull(const QString &s)
{
    return s.isEmpty() ? QVariant() : QVariant(s);
}

// Collects rows of one table and writes them with multi-row INSERTs of
// bound values; the full-size statement is prepared once and reused.
class BatchInsert
{
public:
    BatchInsert(const QSqlDatabase &db, const QString &table, const QStringList &columns)
        : m_db(db), m_table(table), m_columns(columns)
    {
        // At most 999 values per statement: the oldest SQLite limit, and far
        // below MySQL's.
        m_rowsPerStatement = qMax(1, 999 / int(columns.size()));
        for (int c = 0; c < columns.size(); ++c)
            m_index.insert(columns.at(c), c);
    }

    int columnCount() const { return int(m_columns.size()); }
    int column(const QString &name) const { return m_index.value(name, -1); }
    const QString &error() const { return m_error; }
    qint64 written() const { return m_written; }

    // A row of NULLs to fill with set().
    QVector<QVariant> emptyRow() const { return QVector<QVariant>(m_columns.size()); }
    // Sets a column of row by name; a name that is not a column is a
    // programming error and stops in debug builds.
    void set(QVector<QVariant> &row, const QString &name, const QVariant &value) const
    {
        const int c = column(name);
        Q_ASSERT_X(c >= 0, "BatchInsert::set", qPrintable(name));
        if (c >= 0)
            row[c] = value;
    }

    bool add(const QVector<QVariant> &row)
    {
        m_pending.append(row);
        if (m_pending.size() >= m_rowsPerStatement)
            return writePending();
        return true;
    }

    // Writes what is left.
    bool flush() { return writePending(); }

private:
    QString statement(int rows) const
    {
        QString one = QStringLiteral("(");
        for (int c = 0; c < m_columns.size(); ++c)
            one += c ? QStringLiteral(",?") : QStringLiteral("?");
        one += QLatin1Char(')');
        QString sql = QStringLiteral("insert into ") + m_table + QLatin1Char('(')
                      + m_columns.join(QLatin1Char(',')) + QStringLiteral(") values ");
        for (int r = 0; r < rows; ++r) {
            if (r)
                sql += QLatin1Char(',');
            sql += one;
        }
        return sql;
    }

    bool writeRows(QSqlQuery &q, int from, int rows)
    {
        int pos = 0;
        for (int r = from; r < from + rows; ++r)
            for (const QVariant &v : qAsConst(m_pending[r]))
                q.bindValue(pos++, v);
        if (!q.exec()) {
            m_error = m_table + QStringLiteral(": ") + q.lastError().text();
            return false;
        }
        m_written += rows;
        return true;
    }

    bool writePending()
    {
        int done = 0;
        const int total = int(m_pending.size());
        while (total - done >= m_rowsPerStatement) {
            if (!m_fullPrepared) {
                m_full = QSqlQuery(m_db);
                if (!m_full.prepare(statement(m_rowsPerStatement))) {
                    m_error = m_table + QStringLiteral(": ") + m_full.lastError().text();
                    return false;
                }
                m_fullPrepared = true;
            }
            if (!writeRows(m_full, done, m_rowsPerStatement))
                return false;
            done += m_rowsPerStatement;
        }
        if (done < total) {
            QSqlQuery tail(m_db);
            if (!tail.prepare(statement(total - done))) {
                m_error = m_table + QStringLiteral(": ") + tail.lastError().text();
                return false;
            }
            if (!writeRows(tail, done, total - done))
                return false;
        }
        m_pending.clear();
        return true;
    }

    QSqlDatabase m_db;
    QString m_table;
    QStringList m_columns;
    QHash<QString, int> m_index;
    int m_rowsPerStatement = 1;
    QVector<QVector<QVariant>> m_pending;
    QSqlQuery m_full;
    bool m_fullPrepared = false;
    QString m_error;
    qint64 m_written = 0;
};

} // namespace DemoSupport
