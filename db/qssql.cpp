#include "db/qssql.h"

#include "db/database.h"
#include "db/sqlscan.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QElapsedTimer>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>
#include <QTime>

namespace {

bool isConnectionLost(const QSqlError &e)
{
    return QSSQL::isConnectionLostCode(e.nativeErrorCode());
}

// Skips white space, comments and quoted text from i on; returns the index
// of the next character that belongs to the statement proper.
int skipNoise(const QString &sql, int i)
{
    const int n = sql.size();
    while (i < n) {
        const QChar c = sql.at(i);
        int e;
        if (c.isSpace())
            ++i;
        else if (SqlScan::isQuote(c))
            i = SqlScan::quotedEnd(sql, i);
        else if ((e = SqlScan::commentEnd(sql, i)) != i)
            i = e;
        else
            break;
    }
    return i;
}

// Whether a word outside parentheses, quotes and comments writes: a common
// table expression may be followed by UPDATE, DELETE or INSERT.
bool writesOutsideParentheses(const QString &sql)
{
    static const QStringList writes{QStringLiteral("insert"), QStringLiteral("update"), QStringLiteral("delete"),
                                    QStringLiteral("replace")};
    const int n = sql.size();
    int depth = 0;
    int i = 0;
    while ((i = skipNoise(sql, i)) < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('(')) {
            ++depth;
            ++i;
        } else if (c == QLatin1Char(')')) {
            depth = qMax(0, depth - 1);
            ++i;
        } else if (c.isLetter() || c == QLatin1Char('_')) {
            int j = i;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == QLatin1Char('_') || sql.at(j) == QLatin1Char('$')))
                ++j;
            if (depth == 0 && writes.contains(sql.mid(i, j - i).toLower()))
                return true;
            i = j;
        } else {
            ++i;
        }
    }
    return false;
}

// The engine's own handle of the embedded database; null on a server.
sqlite3 *sqliteHandle()
{
    const QSqlDriver *driver = Database::connection().driver();
    const QVariant h = driver ? driver->handle() : QVariant();
    return h.isValid() && qstrcmp(h.typeName(), "sqlite3*") == 0 ? *static_cast<sqlite3 *const *>(h.data()) : nullptr;
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

// Digits at s[from, from+n) as a number; -1 when one is not a digit.
inline int digits(const QChar *s, int from, int n)
{
    int v = 0;
    for (int i = from; i < from + n; ++i) {
        const ushort c = s[i].unicode();
        if (c < '0' || c > '9')
            return -1;
        v = v * 10 + (c - '0');
    }
    return v;
}

// Text read back from SQLite that looks like a stored date comes back as the
// date type the MySQL driver delivers for DATE/DATETIME/TIME columns:
// "yyyy-MM-dd", "yyyy-MM-dd HH:mm:ss" (or with "T" and ".zzz"), "HH:mm:ss".
// Parsed by hand: this runs for every date of every row.
QVariant fromSqliteValue(const QVariant &v)
{
    if (v.type() != QVariant::String)
        return v;
    const QString s = v.toString();
    const int n = s.size();
    if (n != 8 && n != 10 && n != 19 && n != 23)
        return v;
    const QChar *c = s.constData();
    if (n == 8) {
        if (c[2] != QLatin1Char(':') || c[5] != QLatin1Char(':'))
            return v;
        const int h = digits(c, 0, 2), m = digits(c, 3, 2), sec = digits(c, 6, 2);
        const QTime t(h, m, sec);
        return h >= 0 && m >= 0 && sec >= 0 && t.isValid() ? QVariant(t) : v;
    }
    if (c[4] != QLatin1Char('-') || c[7] != QLatin1Char('-'))
        return v;
    const int y = digits(c, 0, 4), mo = digits(c, 5, 2), d = digits(c, 8, 2);
    if (y < 0 || mo < 0 || d < 0)
        return v;
    const QDate date(y, mo, d);
    if (!date.isValid())
        return v;
    if (n == 10)
        return date;
    if ((c[10] != QLatin1Char(' ') && c[10] != QLatin1Char('T')) || c[13] != QLatin1Char(':') || c[16] != QLatin1Char(':'))
        return v;
    const int h = digits(c, 11, 2), m = digits(c, 14, 2), sec = digits(c, 17, 2);
    int ms = 0;
    if (n == 23) {
        if (c[19] != QLatin1Char('.'))
            return v;
        ms = digits(c, 20, 3);
    }
    const QTime t(h, m, sec, ms);
    if (h < 0 || m < 0 || sec < 0 || ms < 0 || !t.isValid())
        return v;
    return QDateTime(date, t);
}

// One bound value as an SQL literal of the server's dialect; false for a
// type that is left to a prepared statement. A text goes as a hexadecimal
// literal with its character set, so no quote, backslash or server mode can
// change what it says.
bool literal(const QVariant &v, QString *out)
{
    if (!v.isValid() || v.isNull()) {
        *out = QStringLiteral("NULL");
        return true;
    }
    switch (v.type()) {
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong:
    case QVariant::ULongLong:
        *out = v.toString();
        return true;
    case QVariant::Bool:
        *out = v.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        return true;
    case QVariant::Date:
        *out = QLatin1Char('\'') + v.toDate().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
        return true;
    case QVariant::DateTime:
        *out = QLatin1Char('\'') + v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))
            + QLatin1Char('\'');
        return true;
    case QVariant::String:
        *out = QStringLiteral("_utf8mb4 X'") + QString::fromLatin1(v.toString().toUtf8().toHex()) + QLatin1Char('\'');
        return true;
    default:
        return false;
    }
}

// The statement with its bound values written in as literals. Quoted text
// and comments are left alone. False when a placeholder has no value or a
// value is of a type left to a prepared statement.
bool inlineValues(const QString &sql, const QVector<QVariant> &positional,
                  const QVector<QPair<QString, QVariant>> &named, QString *out)
{
    QString value;
    const int n = sql.size();
    out->clear();
    out->reserve(n + 16 * (positional.size() + named.size()));
    int next = 0;
    int i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        const int e = SqlScan::isQuote(c) ? SqlScan::quotedEnd(sql, i) : SqlScan::commentEnd(sql, i);
        if (e != i) {
            out->append(sql.midRef(i, e - i));
            i = e;
            continue;
        }
        if (c == QLatin1Char('?')) {
            if (next >= positional.size())
                return false;
            if (!literal(positional.at(next++), &value))
                return false;
            out->append(value);
            ++i;
            continue;
        }
        if (c == QLatin1Char(':') && i + 1 < n && (sql.at(i + 1).isLetter() || sql.at(i + 1) == QLatin1Char('_'))
            && (i == 0 || sql.at(i - 1) != QLatin1Char(':'))) {
            int j = i + 1;
            while (j < n && (sql.at(j).isLetterOrNumber() || sql.at(j) == QLatin1Char('_')))
                ++j;
            const QString name = sql.mid(i, j - i);
            bool found = false;
            for (const auto &p : named) {
                if (p.first == name) {
                    if (!literal(p.second, &value))
                        return false;
                    out->append(value);
                    found = true;
                    break;
                }
            }
            if (!found)
                return false;
            i = j;
            continue;
        }
        out->append(c);
        ++i;
    }
    return next == positional.size();
}

} // namespace

QSSQL::QSSQL(QObject *parent)
    : QObject(parent)
{
}

QSSQL::~QSSQL()
{
    dropDirect();
}

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
    dropDirect();
    m_active = false;
    m_error.clear();
    // The statement is prepared on the connection when it runs, so that a
    // reconnect in between can prepare it again. A connection lost earlier
    // is tried again when the statement runs.
    if (Database::isOpen() || Database::canReconnect())
        return true;
    m_error = QCoreApplication::translate("QSSQL", "Databáze není připojena.");
    return false;
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

bool QSSQL::exec(const QString &sql, const QVariantList &values)
{
    if (!prepare(sql))
        return false;
    for (const QVariant &v : values)
        addBindValue(v);
    return exec();
}

bool QSSQL::exec()
{
    return run(true);
}

bool QSSQL::isReadOnlyStatement(const QString &sql)
{
    // The first word after white space, comments and opening parentheses.
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c.isSpace() || c == QLatin1Char('(')) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('#')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const int e = sql.indexOf(QLatin1String("*/"), i + 2);
            i = e < 0 ? n : e + 2;
        } else {
            break;
        }
    }
    int j = i;
    while (j < n && sql.at(j).isLetter())
        ++j;
    const QString word = sql.mid(i, j - i).toLower();
    if (word == QLatin1String("select") || word == QLatin1String("with")) {
        // A locking read belongs to a transaction that a new connection
        // no longer has; a common table expression may lead to a write.
        return !sql.contains(QLatin1String("for update"), Qt::CaseInsensitive)
            && (word == QLatin1String("select") || !writesOutsideParentheses(sql));
    }
    return word == QLatin1String("show") || word == QLatin1String("explain") || word == QLatin1String("describe")
        || word == QLatin1String("desc");
}

QString QSSQL::textLiteral(const QString &text)
{
    if (text.contains(QChar(0))) {
        const QString hex = QString::fromLatin1(text.toUtf8().toHex());
        return Database::isSqlite() ? QStringLiteral("CAST(X'%1' AS TEXT)").arg(hex)
                                    : QStringLiteral("_utf8mb4 X'%1'").arg(hex);
    }
    QSqlField field(QString(), QVariant::String);
    field.setValue(text);
    if (const QSqlDriver *driver = Database::connection().driver())
        return driver->formatValue(field);
    QString t = text;
    return QLatin1Char('\'') + t.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

bool QSSQL::isConnectionLostCode(const QString &code)
{
    // "Server has gone away", "lost connection", "can't connect", "lost
    // connection at reading", "connection was killed", and MySQL 8's "the
    // client was disconnected for being inactive" (an idle night).
    static const QStringList lost{QStringLiteral("2006"), QStringLiteral("2013"), QStringLiteral("2002"),
                                  QStringLiteral("2003"), QStringLiteral("2055"), QStringLiteral("1927"),
                                  QStringLiteral("4031")};
    return lost.contains(code.trimmed());
}

bool QSSQL::run(bool prepared)
{
    if (Database::transactionFailed()) {
        // After a failed statement the transaction can only be rolled back;
        // after a deadlock the server has already done so, and anything run
        // now would be committed on its own.
        m_active = false;
        m_dateKinds.clear();
        m_error = QCoreApplication::translate("QSSQL", "Předchozí příkaz transakce selhal, transakce bude vrácena: %1")
                      .arg(Database::transactionError());
        qCDebug(lcSql) << "refused after a failed statement:" << m_sql;
        return false;
    }
    if (runStatement(prepared))
        return true;
    Database::noteFailedStatement(m_error, m_query.lastError().nativeErrorCode());
    return false;
}

bool QSSQL::runStatement(bool prepared)
{
    dropDirect();
    m_active = false;
    m_error.clear();
    m_dateKinds.clear();
    if (!Database::isOpen()) {
        // A server that went away earlier may be back: try once.
        QString why;
        m_query = QSqlQuery();
        if (!Database::canReconnect() || !Database::reconnect(&why)) {
            m_error = QCoreApplication::translate("QSSQL", "Databáze není připojena.");
            if (!why.isEmpty())
                m_error = QCoreApplication::translate("QSSQL", "Databázový server není dostupný.") + QLatin1Char('\n') + why;
            qCDebug(lcSql) << "no connection for" << m_sql;
            return false;
        }
    }
    m_sqlite = Database::isSqlite();
    Stage stage = Stage::NotSent;
    QElapsedTimer clock;
    clock.start();
    if (runOnce(prepared, &stage))
        return true;
    const QSqlError err = m_query.lastError();
    if (m_sqlite || !isConnectionLost(err))
        return false;

    // The client gave up waiting for the answer: the server may still be
    // working on it, so running it again would only wait as long again
    // (and a write could be stored twice). The connection is renewed for
    // the statements that follow.
    const int limitSec = Database::config().readTimeoutSec;
    if (stage == Stage::Executed && clock.elapsed() >= qint64(limitSec) * 1000 - 500) {
        const bool read = isReadOnlyStatement(m_sql);
        qCDebug(lcSql) << "no answer within" << limitSec << "s:" << err.text();
        m_query = QSqlQuery();
        Database::reconnect();
        m_error = QCoreApplication::translate("QSSQL", "Databázový server neodpověděl včas (do %1 s), operace byla přerušena.").arg(limitSec)
            + QLatin1Char('\n')
            + (read ? QCoreApplication::translate("QSSQL", "Zkuste to prosím znovu; trvá-li to stále, obraťte se na správce databáze.")
                    : QCoreApplication::translate("QSSQL", "Zápis nemusel proběhnout. Zkontrolujte údaje a případně je uložte znovu."));
        return false;
    }

    // The connection is gone. Reconnect once; run the statement again only
    // when the server cannot have executed it, or when it only reads.
    // A write that broke while running may have been stored: repeating it
    // could store it twice, so it is reported as failed.
    const bool repeat = !Database::inTransaction()
        && (stage == Stage::NotSent || isReadOnlyStatement(m_sql));
    const QString firstError = m_error;
    qCDebug(lcSql) << "connection lost, reconnecting:" << err.text();
    m_query = QSqlQuery();
    QString reconnectError;
    if (!Database::reconnect(&reconnectError)) {
        m_error = QCoreApplication::translate("QSSQL", "Spojení s databázovým serverem se přerušilo a nepodařilo se je obnovit.")
            + QLatin1Char('\n') + reconnectError;
        return false;
    }
    if (!repeat) {
        m_error = firstError + QLatin1Char('\n')
            + QCoreApplication::translate("QSSQL", "Spojení s databází se přerušilo během zápisu; zápis nemusel proběhnout. "
                             "Zkontrolujte údaje a případně je uložte znovu.");
        return false;
    }
    stage = Stage::NotSent;
    return runOnce(prepared, &stage);
}

bool QSSQL::runOnce(bool prepared, Stage *stage)
{
    const QString sql = m_sqlite ? Database::adaptSql(m_sql) : m_sql;
    if (m_sqlite && m_directWanted && m_named.isEmpty() && sqliteHandle() && isReadOnlyStatement(sql))
        return runDirect(sql, stage);
    m_query = QSqlQuery(Database::connection());
    m_query.setForwardOnly(true);
    *stage = Stage::NotSent;
    Database::countStatement();
    bool ok;
    // On the server a write always goes through the prepare round trip: a
    // dead connection is then noticed before anything has been executed.
    // A read with bound values goes as one text statement with the values
    // written in as literals: one round trip instead of the three of a
    // prepared statement (prepare, reset, execute), which a slow link feels
    // on every click.
    // Inside a transaction a write goes the same way: a connection lost
    // there ends the whole transaction, which is never repeated, so nothing
    // is gained by the prepare round trip.
    QString text = sql;
    if (!m_sqlite) {
        const bool read = isReadOnlyStatement(sql);
        const bool oneTrip = read || Database::inTransaction();
        if (!prepared && !oneTrip) {
            prepared = true;
        } else if (prepared && oneTrip && inlineValues(sql, m_positional, m_named, &text)) {
            prepared = false;
        }
    }
    if (prepared) {
        ok = m_query.prepare(sql);
        if (ok) {
            for (const QVariant &v : qAsConst(m_positional))
                m_query.addBindValue(m_sqlite ? toSqliteValue(v) : v);
            for (const auto &p : qAsConst(m_named))
                m_query.bindValue(p.first, m_sqlite ? toSqliteValue(p.second) : p.second);
            *stage = Stage::Executed;
            ok = m_query.exec();
        }
    } else {
        *stage = Stage::Executed;
        ok = m_query.exec(text);
    }
    if (ok) {
        qCDebug(lcSql).noquote() << "ok:" << sql.simplified();
        m_active = true;
        m_error.clear();
    } else {
        m_error = m_query.lastError().text().trimmed();
        if (m_error.isEmpty())
            m_error = QCoreApplication::translate("QSSQL", "Neznámá chyba databáze");
        qCDebug(lcSql).noquote() << "failed:" << sql.simplified() << "--" << m_error;
    }
    return ok;
}

bool QSSQL::runDirect(const QString &sql, Stage *stage)
{
    m_query = QSqlQuery();
    sqlite3 *db = sqliteHandle();
    Database::countStatement();
    *stage = Stage::Executed;
    const QByteArray text = sql.toUtf8();
    int rc = sqlite3_prepare_v2(db, text.constData(), text.size(), &m_direct, nullptr);
    if (rc == SQLITE_OK && m_direct && sqlite3_bind_parameter_count(m_direct) != m_positional.size()) {
        m_error = QCoreApplication::translate("QSSQL", "Počet hodnot neodpovídá příkazu.");
        qCDebug(lcSql).noquote() << "failed:" << sql.simplified() << "--" << m_error;
        dropDirect();
        return false;
    }
    for (int i = 0; rc == SQLITE_OK && m_direct && i < m_positional.size(); ++i) {
        // As the driver binds them.
        const QVariant v = toSqliteValue(m_positional.at(i));
        if (v.isNull()) {
            rc = sqlite3_bind_null(m_direct, i + 1);
            continue;
        }
        switch (v.type()) {
        case QVariant::ByteArray: {
            const QByteArray bytes = v.toByteArray();
            rc = sqlite3_bind_blob(m_direct, i + 1, bytes.constData(), bytes.size(), SQLITE_TRANSIENT);
            break;
        }
        case QVariant::Int:
        case QVariant::UInt:
        case QVariant::LongLong:
            rc = sqlite3_bind_int64(m_direct, i + 1, v.toLongLong());
            break;
        case QVariant::Double:
            rc = sqlite3_bind_double(m_direct, i + 1, v.toDouble());
            break;
        default: {
            const QString t = v.toString();
            rc = sqlite3_bind_text16(m_direct, i + 1, t.utf16(), int(t.size() * sizeof(QChar)), SQLITE_TRANSIENT);
            break;
        }
        }
    }
    if (rc != SQLITE_OK || !m_direct) {
        // No statement at all (only a comment) is a failure too, as with the driver.
        m_error = rc != SQLITE_OK ? QString::fromUtf8(sqlite3_errmsg(db))
                                  : QCoreApplication::translate("QSSQL", "Neznámá chyba databáze");
        qCDebug(lcSql).noquote() << "failed:" << sql.simplified() << "--" << m_error;
        dropDirect();
        return false;
    }
    qCDebug(lcSql).noquote() << "ok:" << sql.simplified();
    m_active = true;
    return true;
}

void QSSQL::dropDirect()
{
    if (m_direct)
        sqlite3_finalize(m_direct);
    m_direct = nullptr;
}

bool QSSQL::next()
{
    if (!m_active)
        return false;
    if (!m_direct)
        return m_query.next();
    const int rc = sqlite3_step(m_direct);
    if (rc == SQLITE_ROW)
        return true;
    // A read stopped half-way (interrupted, the file locked by a writer)
    // leaves its reason, so that a partial list is not taken for the whole.
    if (rc != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_direct)));
        qCDebug(lcSql).noquote() << "read failed:" << m_sql.simplified() << "--" << m_error;
    }
    dropDirect();
    m_active = false;
    return false;
}

QVariant QSSQL::directValue(int column) const
{
    if (column < 0 || column >= sqlite3_column_count(m_direct))
        return QVariant();
    switch (sqlite3_column_type(m_direct, column)) {
    case SQLITE_INTEGER:
        return qlonglong(sqlite3_column_int64(m_direct, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(m_direct, column);
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(m_direct, column)),
                          sqlite3_column_bytes(m_direct, column));
    case SQLITE_NULL:
        return QVariant(QVariant::String);
    default:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_direct, column)),
                                 sqlite3_column_bytes(m_direct, column));
    }
}

bool QSSQL::isNull(int column) const
{
    if (m_direct)
        return column < 0 || column >= sqlite3_column_count(m_direct)
            || sqlite3_column_type(m_direct, column) == SQLITE_NULL;
    return value(column).isNull();
}

int QSSQL::intValue(int column) const
{
    if (m_direct && column >= 0 && column < sqlite3_column_count(m_direct)
        && sqlite3_column_type(m_direct, column) == SQLITE_INTEGER)
        return sqlite3_column_int(m_direct, column);
    return value(column).toInt();
}

QString QSSQL::textValue(int column) const
{
    // Text and whole numbers of a column declared as neither a date nor a
    // time read as stored; everything else as value() shows it.
    if (m_direct && column >= 0 && column < sqlite3_column_count(m_direct)) {
        const int type = sqlite3_column_type(m_direct, column);
        if (type == SQLITE_NULL)
            return QString();
        if ((type == SQLITE_TEXT || type == SQLITE_INTEGER) && columnKind(column) == DateKind::None)
            return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_direct, column)),
                                     sqlite3_column_bytes(m_direct, column));
    }
    return value(column).toString();
}

QDate QSSQL::dateValue(int column) const
{
    if (m_direct && column >= 0 && column < sqlite3_column_count(m_direct)
        && sqlite3_column_type(m_direct, column) == SQLITE_TEXT) {
        // "yyyy-MM-dd", alone or followed by a time.
        const auto *t = sqlite3_column_text(m_direct, column);
        const int n = sqlite3_column_bytes(m_direct, column);
        auto digit = [t](int i) { return t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : -1000; };
        if (n < 10 || t[4] != '-' || t[7] != '-' || (n > 10 && t[10] != ' ' && t[10] != 'T'))
            return QDate();
        const int y = digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3);
        const int m = digit(5) * 10 + digit(6);
        const int d = digit(8) * 10 + digit(9);
        return y > 0 && m > 0 && d > 0 ? QDate(y, m, d) : QDate();
    }
    const QVariant v = value(column);
    if (v.isNull())
        return QDate();
    if (v.type() == QVariant::Date || v.type() == QVariant::DateTime)
        return v.toDate();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QVariant QSSQL::value(int column) const
{
    if (!m_active)
        return QVariant();
    if (m_direct)
        return converted(column, directValue(column));
    const QVariant v = m_query.value(column);
    return m_sqlite ? converted(column, v) : v;
}

QVariant QSSQL::value(const QString &columnName) const
{
    if (!m_active)
        return QVariant();
    int column = -1;
    if (m_direct) {
        const QByteArray name = columnName.toUtf8();
        for (int i = 0; column < 0 && i < sqlite3_column_count(m_direct); ++i) {
            if (qstricmp(sqlite3_column_name(m_direct, i), name.constData()) == 0)
                column = i;
        }
    } else {
        column = m_query.record().indexOf(columnName);
    }
    return column < 0 ? QVariant() : value(column);
}

QSSQL::DateKind QSSQL::columnKind(int column) const
{
    if (m_dateKinds.isEmpty()) {
        // Decided once per result: a column declared DATE/DATETIME/TIME is
        // read as that type, any other declared column as it is; only
        // expressions (no declared type) are looked at value by value.
        const QVariant handle = m_direct || !m_query.result() ? QVariant() : m_query.result()->handle();
        sqlite3_stmt *stmt = m_direct ? m_direct
            : handle.isValid() && qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0
            ? *static_cast<sqlite3_stmt *const *>(handle.data())
            : nullptr;
        const int n = stmt ? sqlite3_column_count(stmt) : m_query.record().count();
        m_dateKinds.resize(qMax(n, 1));
        for (int i = 0; i < n; ++i) {
            const char *decl = stmt ? sqlite3_column_decltype(stmt, i) : nullptr;
            const QByteArray t = QByteArray(decl).toLower();
            if (!stmt || t.isEmpty())
                m_dateKinds[i] = DateKind::Sniff;
            else if (t == "date")
                m_dateKinds[i] = DateKind::Date;
            else if (t == "datetime" || t == "timestamp")
                m_dateKinds[i] = DateKind::DateTime;
            else if (t == "time")
                m_dateKinds[i] = DateKind::Time;
            else
                m_dateKinds[i] = DateKind::None;
        }
    }
    return column < m_dateKinds.size() ? m_dateKinds.at(column) : DateKind::Sniff;
}

QVariant QSSQL::converted(int column, const QVariant &v) const
{
    if (column < 0)
        return v;
    switch (columnKind(column)) {
    case DateKind::None:
        return v;
    case DateKind::Unknown:
    case DateKind::Sniff:
    case DateKind::Date:
    case DateKind::DateTime:
    case DateKind::Time:
        // Declared date columns take the same parse; a text that is not a
        // date (a legacy "0000-00-00") stays text.
        return fromSqliteValue(v);
    }
    return v;
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
