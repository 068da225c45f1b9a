#pragma once

#include "db/dbconfig.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QString>

#include <functional>

// Statements and their errors; off by default, turn on with
// QT_LOGGING_RULES="zrn.sql.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcSql)

// The one connection to the central database, shared by every QSSQL of the
// GUI thread.
class Database
{
public:
    enum OpenMode {
        MustExist,         // a missing SQLite file is an error
        CreateEmpty        // a missing SQLite file is created without schema
    };

    static QString connectionName();

    // A second connection for the calling worker thread, to the same
    // database: while it is open, every QSSQL made on this thread uses it
    // (a long search then never holds up the GUI thread's statements).
    // A lost worker connection is not reopened; the worker reports the
    // failure. Closed by closeThreadConnection() on the same thread.
    static bool openThreadConnection(QString *error);
    static void closeThreadConnection();
    // Stops the statement running on the worker connection opened by the
    // thread `workerTag` (the value openThreadConnection's thread got from
    // threadConnectionTag()); safe from any thread. The statement fails.
    static quintptr threadConnectionTag();
    static void interruptThreadConnection(quintptr workerTag);

    // Opens (or reopens) the connection described by cfg. On failure returns
    // false and a message naming the server or file in *error.
    // A configuration that could not be read (DbConfig::error) is refused
    // with that message.
    static bool open(const DbConfig &cfg, QString *error, OpenMode mode = CreateEmpty);
    // Whether the last successful open created a new, empty SQLite file
    // (the caller then creates the schema).
    static bool createdFile();
    static void close();
    static bool isOpen();
    static QSqlDatabase connection();
    static const DbConfig &config();
    static bool isSqlite();

    // Reopens the MySQL connection once the server has gone away (the same
    // settings, the connect timeout of the configuration). False with the
    // reason while the server cannot be reached.
    static bool reconnect(QString *error = nullptr);
    // Whether a connection to a server was opened and may be opened again
    // (it was not closed on purpose).
    static bool canReconnect();

    // A transaction on the connection. A lost connection ends it: nothing
    // of it is repeated on the new connection. Transactions do not nest: a
    // second begin while one is open is refused.
    static bool beginTransaction(QString *error = nullptr);
    // Refused (and rolled back) once a statement inside the transaction has
    // failed; *error then names the first failure.
    static bool commit(QString *error = nullptr);
    static void rollback();
    static bool inTransaction();

    // A statement inside the open transaction failed (QSSQL reports every
    // failure here). From then on the transaction can only be rolled back:
    // QSSQL refuses further statements of it, and commit refuses too.
    // nativeCode is the server's error number ("1213", "1205"), or empty.
    static void noteFailedStatement(const QString &error, const QString &nativeCode);
    // Whether a statement of the open transaction has failed, and its text.
    static bool transactionFailed();
    static QString transactionError();

    // How a unit of work (runUnit) treats a deadlock (1213) or a lock wait
    // time-out (1205). Either way the whole unit is rolled back first.
    enum class RetryPolicy {
        // Report the conflict to the caller.
        Report,
        // Run the whole unit once more. Only for a unit that re-reads, inside
        // itself, everything its writes depend on (it checks again what
        // others changed), so a second run cannot write stale values.
        RepeatOnce
    };
    // Runs unit inside one transaction and commits it when unit returns true
    // and no statement inside it failed; otherwise rolls everything back and
    // returns false with the reason in *error (unit's own *error when it set
    // one, else the failed statement's text). unit may run more than once
    // under RepeatOnce: it must start from scratch each time (clear what it
    // collected). Not nestable: refused while a transaction is open.
    //
    //   QString error;
    //   const bool ok = Database::runUnit([&](QString *err) {
    //       QSSQL q;
    //       return q.exec("update ...", {v, id}) || (*err = q.lastError().text(), false);
    //   }, Database::RetryPolicy::RepeatOnce, &error);
    static bool runUnit(const std::function<bool(QString *error)> &unit, RetryPolicy policy,
                        QString *error = nullptr);
    // Whether the last runUnit ended in a deadlock or lock wait time-out
    // (after its repeat, under RepeatOnce).
    static bool lastUnitConflicted();

    // Statements sent to the database since the start (every QSSQL run,
    // a repeat after a reconnect included); benchmarks and tests read it to
    // count the statements of a user action.
    static quint64 statementCount();
    static void countStatement();

    // MySQL statement text as the embedded SQLite backend understands it:
    // current_timestamp/current_date become local-time expressions (SQLite's
    // own are UTC). Text inside quotes is left alone.
    static QString adaptSql(const QString &sql);


private:
    static bool openSqlite(const DbConfig &cfg, QString *error, OpenMode mode);
    static bool openMysql(const DbConfig &cfg, QString *error);
};

// A transaction for one scope: rolled back when the scope ends without a
// commit, so an early return of a failed step leaves nothing half-written.
// commit() refuses after any failed statement inside the scope (see
// Database::commit); error() then says why, for the user.
class DbTransaction
{
public:
    DbTransaction() { m_open = Database::beginTransaction(&m_error); }
    ~DbTransaction()
    {
        if (m_open)
            Database::rollback();
    }
    DbTransaction(const DbTransaction &) = delete;
    DbTransaction &operator=(const DbTransaction &) = delete;

    bool isOpen() const { return m_open; }
    QString error() const { return m_error; }
    // False once a lost connection has ended the transaction or a statement
    // in it has failed: the caller must stop rather than go on.
    bool alive() const { return Database::inTransaction() && !Database::transactionFailed(); }
    bool commit()
    {
        if (!m_open) {
            if (m_error.isEmpty())
                m_error = QCoreApplication::translate("Database", "Transakce není otevřena.");
            return false;
        }
        m_open = false;
        return Database::commit(&m_error);
    }

private:
    bool m_open = false;
    QString m_error;
};

// Registers the MySQL functions the program's statements use (IF,
// FIND_IN_SET, LPAD, CONCAT, ...) on an open SQLite connection.
bool registerMysqlFunctions(QSqlDatabase &db, QString *error);
