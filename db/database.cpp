#include "db/database.h"
#include "db/sqlscan.h"
#include "db/qssql.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QMutex>
#include <QThread>

#include <atomic>
#include <sqlite3.h>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

Q_LOGGING_CATEGORY(lcSql, "zrn.sql", QtInfoMsg)

namespace {
DbConfig g_config;
bool g_open = false;
std::atomic<quint64> g_statements{0};
bool g_reconnectable = false;
bool g_inTransaction = false;
bool g_txFailed = false;
bool g_txLost = false;
QString g_txError;
QString g_txCode;
bool g_lastUnitConflicted = false;

bool isConflict(const QString &nativeCode)
{
    // ER_LOCK_DEADLOCK, ER_LOCK_WAIT_TIMEOUT
    return nativeCode == QLatin1String("1213") || nativeCode == QLatin1String("1205");
}

void resetTransactionState()
{
    g_inTransaction = false;
    g_txFailed = false;
    g_txLost = false;
    g_txError.clear();
    g_txCode.clear();
}
bool g_created = false;

// The worker connection of the calling thread (empty: the shared one).
thread_local QString t_connection;

// What stops a worker's running statement from another thread: the SQLite
// handle, or the server's id of the connection.
struct WorkerHandle {
    sqlite3 *sqlite = nullptr;
    qlonglong serverId = 0;
};
QMutex g_workersMutex;
QHash<quintptr, WorkerHandle> g_workers;

bool execOn(QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text();
    qCDebug(lcSql).noquote() << "failed:" << sql << "--" << q.lastError().text();
    return false;
}

// SQLite's own "file is not a database" says nothing about which file.
QString sqliteMessage(const DbConfig &cfg, const QString &detail)
{
    return QCoreApplication::translate("Database", "Databázi %1 nelze otevřít: %2").arg(cfg.describe(), detail);
}
}

QString Database::connectionName()
{
    return QStringLiteral("zrn");
}

bool Database::createdFile()
{
    return g_created;
}

QSqlDatabase Database::connection()
{
    return QSqlDatabase::database(t_connection.isEmpty() ? connectionName() : t_connection, false);
}

quintptr Database::threadConnectionTag()
{
    return quintptr(QThread::currentThread());
}

bool Database::openThreadConnection(QString *error)
{
    if (!t_connection.isEmpty())
        return true;
    const QString name = QStringLiteral("zrn-worker-%1").arg(threadConnectionTag());
    // The settings of the shared connection, read once under its name.
    QSqlDatabase db = QSqlDatabase::cloneDatabase(connectionName(), name);
    if (!db.isValid() || !db.open()) {
        if (error)
            *error = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        return false;
    }
    WorkerHandle handle;
    bool ok = true;
    if (g_config.driver == DbConfig::SQLite) {
        ok = registerMysqlFunctions(db, error);
        const QVariant h = db.driver()->handle();
        if (ok && qstrcmp(h.typeName(), "sqlite3*") == 0)
            handle.sqlite = *static_cast<sqlite3 *const *>(h.data());
    } else {
        QSqlQuery q(db);
        ok = execOn(db, QStringLiteral("SET NAMES utf8mb4"), error) && q.exec(QStringLiteral("select connection_id()"))
            && q.next();
        if (ok)
            handle.serverId = q.value(0).toLongLong();
        else if (error && error->isEmpty())
            *error = q.lastError().text();
    }
    if (!ok) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
        return false;
    }
    {
        QMutexLocker lock(&g_workersMutex);
        g_workers.insert(threadConnectionTag(), handle);
    }
    t_connection = name;
    return true;
}

void Database::closeThreadConnection()
{
    if (t_connection.isEmpty())
        return;
    {
        QMutexLocker lock(&g_workersMutex);
        g_workers.remove(threadConnectionTag());
    }
    const QString name = t_connection;
    t_connection.clear();
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void Database::interruptThreadConnection(quintptr workerTag)
{
    WorkerHandle handle;
    {
        QMutexLocker lock(&g_workersMutex);
        handle = g_workers.value(workerTag);
    }
    if (handle.sqlite) {
        sqlite3_interrupt(handle.sqlite);
    } else if (handle.serverId > 0 && t_connection.isEmpty() && isOpen()) {
        QSqlDatabase db = connection();
        QSqlQuery q(db);
        q.exec(QStringLiteral("KILL QUERY %1").arg(handle.serverId));
    }
}

const DbConfig &Database::config()
{
    return g_config;
}

bool Database::isOpen()
{
    if (!t_connection.isEmpty())
        return connection().isOpen();
    return g_open && connection().isOpen();
}

quint64 Database::statementCount()
{
    return g_statements;
}

void Database::countStatement()
{
    ++g_statements;
}

bool Database::isSqlite()
{
    return g_config.driver == DbConfig::SQLite;
}

void Database::close()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName(), false);
        if (db.isValid())
            db.close();
    }
    if (QSqlDatabase::contains(connectionName()))
        QSqlDatabase::removeDatabase(connectionName());
    g_open = false;
    g_reconnectable = false;
    resetTransactionState();
}

bool Database::open(const DbConfig &cfg, QString *error, OpenMode mode)
{
    close();
    g_created = false;
    if (!cfg.error.isEmpty()) {
        if (error)
            *error = cfg.error;
        return false;
    }
    g_config = cfg;
    const bool ok = cfg.driver == DbConfig::SQLite ? openSqlite(cfg, error, mode) : openMysql(cfg, error);
    g_open = ok;
    if (!ok)
        close();
    g_reconnectable = ok && cfg.driver == DbConfig::MySQL;
    return ok;
}

bool Database::openSqlite(const DbConfig &cfg, QString *error, OpenMode mode)
{
    const QFileInfo fi(cfg.path);
    const bool existed = fi.exists();
    if (!existed) {
        if (mode == MustExist) {
            if (error)
                *error = sqliteMessage(cfg, QCoreApplication::translate("Database", "soubor neexistuje."));
            return false;
        }
        if (!QDir().mkpath(fi.absolutePath())) {
            if (error)
                *error = sqliteMessage(cfg, QCoreApplication::translate("Database", "složku %1 nelze vytvořit.").arg(fi.absolutePath()));
            return false;
        }
    } else if (!fi.isFile()) {
        if (error)
            *error = sqliteMessage(cfg, QCoreApplication::translate("Database", "cesta není soubor."));
        return false;
    } else if (!fi.isWritable()
               || !(QFile::permissions(cfg.path) & QFileDevice::WriteOwner)) {
        // Checked on the permission bits too: an administrator account can
        // write anywhere, but a file marked read-only is meant to stay so.
        if (error)
            *error = sqliteMessage(cfg, QCoreApplication::translate("Database", "soubor je jen pro čtení."));
        return false;
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName());
    db.setDatabaseName(cfg.path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        if (error)
            *error = sqliteMessage(cfg, db.lastError().text());
        return false;
    }
    // Reading the catalogue is the first access that notices a file that is
    // not a database.
    QString detail;
    if (!execOn(db, QStringLiteral("select count(*) from sqlite_master"), &detail)) {
        if (error)
            *error = sqliteMessage(cfg, detail);
        return false;
    }
    execOn(db, QStringLiteral("PRAGMA foreign_keys=ON"), nullptr);
    execOn(db, QStringLiteral("PRAGMA journal_mode=WAL"), nullptr);
    execOn(db, QStringLiteral("PRAGMA synchronous=NORMAL"), nullptr);

    QString attachError;
    QSqlQuery attach(db);
    attach.prepare(QStringLiteral("ATTACH DATABASE ? AS qml"));
    attach.addBindValue(cfg.qmlSqlitePath());
    if (!attach.exec()) {
        if (error)
            *error = sqliteMessage(cfg, attach.lastError().text());
        return false;
    }
    execOn(db, QStringLiteral("PRAGMA qml.journal_mode=WAL"), nullptr);

    if (!registerMysqlFunctions(db, error))
        return false;
    g_open = true;

    g_created = !existed;
    return true;
}

bool Database::openMysql(const DbConfig &cfg, QString *error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), connectionName());
    if (!db.isValid()) {
        if (error)
            *error = QCoreApplication::translate("Database", "Ovladač databáze MySQL (QMYSQL) není nainstalován.");
        return false;
    }
    db.setHostName(cfg.host);
    db.setPort(cfg.port);
    db.setDatabaseName(cfg.name);
    db.setUserName(cfg.user);
    db.setPassword(cfg.password);
    QStringList options;
    options << QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(cfg.connectTimeoutSec)
            << QStringLiteral("MYSQL_OPT_READ_TIMEOUT=%1").arg(cfg.readTimeoutSec)
            << QStringLiteral("MYSQL_OPT_WRITE_TIMEOUT=%1").arg(qMax(30, cfg.connectTimeoutSec));
    if (!cfg.socket.isEmpty())
        options << QStringLiteral("UNIX_SOCKET=%1").arg(cfg.socket);
    db.setConnectOptions(options.join(QLatin1Char(';')));
    if (!db.open()) {
        if (error)
            *error = QCoreApplication::translate("Database", "Nelze se připojit k databázovému serveru %1: %2")
                         .arg(cfg.describe(), db.lastError().text());
        return false;
    }
    QString why;
    if (!execOn(db, QStringLiteral("SET NAMES utf8mb4"), &why)) {
        if (error)
            *error = QCoreApplication::translate("Database", "Databázový server %1 nepřijal znakovou sadu utf8mb4: %2").arg(cfg.describe(), why);
        return false;
    }
    return true;
}

bool Database::reconnect(QString *error)
{
    if (g_config.driver != DbConfig::MySQL || !QSqlDatabase::contains(connectionName()))
        return false;
    if (g_inTransaction) {
        // The server rolled the transaction back with the old connection;
        // what its scope still runs must not land outside it, committed one
        // statement at a time on the new connection.
        g_txLost = true;
        g_txFailed = true;
        g_txError = QCoreApplication::translate("Database", "Spojení s databází se přerušilo uprostřed transakce.");
        g_txCode.clear();
    }
    g_inTransaction = false;
    // The same connection object is opened again, so that nothing else
    // holding it is left with a removed connection.
    QSqlDatabase db = connection();
    db.close();
    g_open = false;
    if (!db.open()) {
        if (error)
            *error = QCoreApplication::translate("Database", "Nelze se připojit k databázovému serveru %1: %2")
                         .arg(g_config.describe(), db.lastError().text());
        qCDebug(lcSql) << "reconnect failed:" << db.lastError().text();
        return false;
    }
    QString why;
    if (!execOn(db, QStringLiteral("SET NAMES utf8mb4"), &why)) {
        if (error)
            *error = QCoreApplication::translate("Database", "Databázový server %1 nepřijal znakovou sadu utf8mb4: %2").arg(g_config.describe(), why);
        db.close();
        return false;
    }
    g_open = true;
    qCDebug(lcSql) << "reconnected to" << g_config.describe();
    return true;
}

bool Database::canReconnect()
{
    // A worker's connection is its own business (see openThreadConnection).
    if (!t_connection.isEmpty())
        return false;
    return g_reconnectable && QSqlDatabase::contains(connectionName());
}

bool Database::beginTransaction(QString *error)
{
    if (g_inTransaction) {
        // MySQL would commit the open one silently.
        if (error)
            *error = QCoreApplication::translate("Database", "Transakce už probíhá; vnořená transakce není dovolena.");
        return false;
    }
    QSqlDatabase db = connection();
    bool started = isOpen() && db.transaction();
    // A connection the server dropped (a restart, a night idle) is opened
    // again: nothing of the transaction has run yet, so starting it once
    // more is safe.
    if (!started && isOpen() && canReconnect() && QSSQL::isConnectionLostCode(db.lastError().nativeErrorCode())
        && reconnect()) {
        db = connection();
        started = db.transaction();
    }
    if (!started) {
        if (error)
            *error = isOpen() ? db.lastError().text() : QCoreApplication::translate("Database", "Databáze není připojena.");
        return false;
    }
    resetTransactionState();
    g_inTransaction = true;
    return true;
}

bool Database::commit(QString *error)
{
    QSqlDatabase db = connection();
    const bool was = g_inTransaction;
    if (was && g_txFailed) {
        if (error)
            *error = QCoreApplication::translate("Database", "Příkaz v transakci selhal, nic z ní nebylo uloženo: %1").arg(g_txError);
        rollback();
        return false;
    }
    if (!was) {
        if (error)
            *error = QCoreApplication::translate("Database", "Transakce byla přerušena ztrátou spojení.");
        resetTransactionState();
        return false;
    }
    if (!db.commit()) {
        const QSqlError e = db.lastError();
        g_txCode = e.nativeErrorCode();
        if (error)
            *error = e.text();
        // A refused commit leaves the transaction to be rolled back.
        const QString code = g_txCode;
        rollback();
        g_txCode = code;
        return false;
    }
    resetTransactionState();
    return true;
}

void Database::rollback()
{
    if (g_inTransaction)
        connection().rollback();
    resetTransactionState();
}

void Database::noteFailedStatement(const QString &error, const QString &nativeCode)
{
    if (!g_inTransaction || g_txFailed)
        return;
    g_txFailed = true;
    g_txError = error;
    g_txCode = nativeCode;
}

bool Database::transactionFailed()
{
    return g_txFailed && (g_inTransaction || g_txLost);
}

QString Database::transactionError()
{
    return g_txFailed ? g_txError : QString();
}

bool Database::lastUnitConflicted()
{
    return g_lastUnitConflicted;
}

bool Database::runUnit(const std::function<bool(QString *error)> &unit, RetryPolicy policy, QString *error)
{
    g_lastUnitConflicted = false;
    const int attempts = policy == RetryPolicy::RepeatOnce ? 2 : 1;
    QString why;
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        why.clear();
        if (!beginTransaction(&why))
            break;
        QString unitError;
        const bool done = unit(&unitError);
        // What failed first decides whether this was a conflict; the unit's
        // own text, when it gave one, is what the user reads.
        QString failed = transactionFailed() ? g_txError : QString();
        QString code = transactionFailed() ? g_txCode : QString();
        if (done && !transactionFailed() && g_inTransaction) {
            QString commitError;
            if (commit(&commitError)) {
                if (error)
                    error->clear();
                return true;
            }
            failed = commitError;
            code = g_txCode;
            g_txCode.clear();
        } else {
            const bool lost = !g_inTransaction;
            rollback();
            if (failed.isEmpty() && lost)
                failed = QCoreApplication::translate("Database", "Transakce byla přerušena ztrátou spojení.");
        }
        why = !unitError.isEmpty() ? unitError : failed;
        if (why.isEmpty())
            why = QCoreApplication::translate("Database", "Zápis byl odvolán.");
        g_lastUnitConflicted = isConflict(code);
        qCDebug(lcSql) << "unit rolled back, attempt" << attempt << "code" << code << why;
        if (!g_lastUnitConflicted)
            break;
    }
    if (g_lastUnitConflicted)
        why = QCoreApplication::translate("Database", "Zápis se střetl se současnou prací jiného uživatele a byl celý vrácen; "
                             "nic z něj nebylo uloženo. Zkuste to prosím znovu.")
            + QLatin1Char('\n') + why;
    if (error)
        *error = why;
    return false;
}

bool Database::inTransaction()
{
    return g_inTransaction;
}

QString Database::adaptSql(const QString &sql)
{
    // Walks the text once, copying quoted parts unchanged and replacing the
    // two MySQL keywords whose SQLite meaning differs (UTC instead of local).
    static const QString ts = QStringLiteral("current_timestamp");
    static const QString cd = QStringLiteral("current_date");
    if (!sql.contains(QLatin1String("current_"), Qt::CaseInsensitive))
        return sql;
    QString out;
    out.reserve(sql.size() + 32);
    const int n = sql.size();
    int i = 0;
    auto isWord = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    // MySQL also accepts current_timestamp() with empty parentheses.
    auto skipEmptyParens = [&sql, n](int k) {
        int j = k;
        while (j < n && sql.at(j).isSpace())
            ++j;
        if (j < n && sql.at(j) == QLatin1Char('(')) {
            int e = j + 1;
            while (e < n && sql.at(e).isSpace())
                ++e;
            if (e < n && sql.at(e) == QLatin1Char(')'))
                return e + 1;
        }
        return k;
    };
    while (i < n) {
        const QChar c = sql.at(i);
        if (SqlScan::isQuote(c)) {
            const int e = SqlScan::quotedEnd(sql, i);
            out += sql.midRef(i, e - i);
            i = e;
            continue;
        }
        const bool boundary = i == 0 || !isWord(sql.at(i - 1));
        if (boundary && sql.midRef(i, ts.size()).compare(ts, Qt::CaseInsensitive) == 0
            && (i + ts.size() >= n || !isWord(sql.at(i + ts.size())))) {
            out += QLatin1String("(datetime('now','localtime'))");
            i = skipEmptyParens(i + ts.size());
            continue;
        }
        if (boundary && sql.midRef(i, cd.size()).compare(cd, Qt::CaseInsensitive) == 0
            && (i + cd.size() >= n || !isWord(sql.at(i + cd.size())))) {
            out += QLatin1String("(date('now','localtime'))");
            i = skipEmptyParens(i + cd.size());
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}
