#include "db/qssql.h"

#include "db/database.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QSqlError>
#include <QTime>

namespace {

// MySQL client errors that mean the connection is gone: "server has gone
// away", "lost connection", "can't connect", "lost connection at reading".
bool isConnectionLost(const QSqlError &e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("2006") || code == QLatin1String("2013")
        || code == QLatin1String("2002") || code == QLatin1String("2003")
        || code == QLatin1String("2055") || code == QLatin1String("1927");
}

// SQLite stores dates as text; bind them in the form MySQL prints them, so
// comparisons with current_date/current_timestamp and ordering work.
QVariant toSqliteValue(const QVariant &v)
{
    if (v.isNull())
        return v;
    switch (v.type()) {
    case QVariant::DateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QVariant::Date:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QVariant::Time:
        return v.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QVariant::Bool:
        return v.toBool() ? 1 : 0;
    default:
        return v;
    }
}

// Text read back from SQLite that looks like a stored date comes back as the
// date type the MySQL driver delivers for DATE/DATETIME/TIME columns.
QVariant fromSqliteValue(const QVariant &v)
{
    if (v.type() != QVariant::String)
        return v;
    const QString s = v.toString();
    const int n = s.size();
    if (n != 8 && n != 10 && n != 19 && n != 23)
        return v;
    // Most texts are not dates: look at the separators before the pattern.
    if (n == 8 ? s.at(2) != QLatin1Char(':') : (s.at(4) != QLatin1Char('-') || s.at(7) != QLatin1Char('-')))
        return v;
    static const QRegularExpression re(QStringLiteral(
        "^(?:(\\d{4})-(\\d\\d)-(\\d\\d))?(?:[ T]?(\\d\\d):(\\d\\d):(\\d\\d)(?:\\.(\\d{3}))?)?$"));
    const QRegularExpressionMatch m = re.match(s);
    if (!m.hasMatch())
        return v;
    const bool hasDate = !m.captured(1).isEmpty();
    const bool hasTime = !m.captured(4).isEmpty();
    if (hasDate && hasTime) {
        const QDateTime dt(QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt()),
                           QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(),
                                 m.captured(7).isEmpty() ? 0 : m.captured(7).toInt()));
        return dt.isValid() ? QVariant(dt) : v;
    }
    if (hasDate && n == 10) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return d.isValid() ? QVariant(d) : v;
    }
    if (hasTime && n == 8) {
        const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        return t.isValid() ? QVariant(t) : v;
    }
    return v;
}

} // namespace

QSSQL::QSSQL(QObject *parent)
    : QObject(parent)
{
}

QSSQL::~QSSQL() = default;

bool QSSQL::exec(const QString &sql)
{
    m_sql = sql;
    m_positional.clear();
    m_named.clear();
    return run(false);
}

bool QSSQL::prepare(const QString &sql)
{
    m_sql = sql;
    m_positional.clear();
    m_named.clear();
    m_active = false;
    m_error.clear();
    // The statement is prepared on the connection when it runs, so that a
    // reconnect in between can prepare it again.
    return Database::isOpen();
}

void QSSQL::addBindValue(const QVariant &value)
{
    m_positional.append(value);
}

void QSSQL::bindValue(const QString &name, const QVariant &value)
{
    for (auto &p : m_named) {
        if (p.first == name) {
            p.second = value;
            return;
        }
    }
    m_named.append(qMakePair(name, value));
}

bool QSSQL::exec()
{
    return run(true);
}

bool QSSQL::run(bool prepared)
{
    m_active = false;
    m_error.clear();
    if (!Database::isOpen()) {
        m_error = QStringLiteral("Databáze není připojena.");
        qCDebug(lcSql) << "no connection for" << m_sql;
        return false;
    }
    m_sqlite = Database::isSqlite();
    if (runOnce(prepared))
        return true;
    const QSqlError err = m_query.lastError();
    if (!m_sqlite && isConnectionLost(err)) {
        QString reconnectError;
        qCDebug(lcSql) << "connection lost, reconnecting:" << err.text();
        if (Database::reconnect(&reconnectError))
            return runOnce(prepared);
        m_error = err.text() + QLatin1Char('\n') + reconnectError;
    }
    return false;
}

bool QSSQL::runOnce(bool prepared)
{
    const QString sql = m_sqlite ? Database::adaptSql(m_sql) : m_sql;
    m_query = QSqlQuery(Database::connection());
    m_query.setForwardOnly(true);
    bool ok;
    if (prepared) {
        ok = m_query.prepare(sql);
        if (ok) {
            for (const QVariant &v : qAsConst(m_positional))
                m_query.addBindValue(m_sqlite ? toSqliteValue(v) : v);
            for (const auto &p : qAsConst(m_named))
                m_query.bindValue(p.first, m_sqlite ? toSqliteValue(p.second) : p.second);
            ok = m_query.exec();
        }
    } else {
        ok = m_query.exec(sql);
    }
    if (ok) {
        qCDebug(lcSql).noquote() << "ok:" << sql.simplified();
        m_active = true;
        m_error.clear();
    } else {
        m_error = m_query.lastError().text().trimmed();
        if (m_error.isEmpty())
            m_error = QStringLiteral("Neznámá chyba databáze");
        qCDebug(lcSql).noquote() << "failed:" << sql.simplified() << "--" << m_error;
    }
    return ok;
}

bool QSSQL::next()
{
    if (!m_active)
        return false;
    return m_query.next();
}

QVariant QSSQL::value(int column) const
{
    if (!m_active)
        return QVariant();
    const QVariant v = m_query.value(column);
    return m_sqlite ? fromSqliteValue(v) : v;
}

QVariant QSSQL::lastInsertId() const
{
    return m_active ? m_query.lastInsertId() : QVariant();
}

int QSSQL::numRowsAffected() const
{
    return m_active ? m_query.numRowsAffected() : -1;
}

QSSQLError QSSQL::lastError() const
{
    return QSSQLError(m_error);
}
