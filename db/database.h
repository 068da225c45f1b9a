#pragma once

#include "db/dbconfig.h"

#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QString>

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
    // of it is repeated on the new connection.
    static bool beginTransaction(QString *error = nullptr);
    static bool commit(QString *error = nullptr);
    static void rollback();
    static bool inTransaction();

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
    // False once a lost connection has ended the transaction: what was
    // written so far is gone, so the caller must stop rather than go on
    // outside it.
    bool alive() const { return Database::inTransaction(); }
    bool commit()
    {
        m_open = false;
        if (Database::commit(&m_error))
            return true;
        Database::rollback();
        return false;
    }

private:
    bool m_open = false;
    QString m_error;
};

// Registers the MySQL functions the program's statements use (IF,
// FIND_IN_SET, LPAD, CONCAT, ...) on an open SQLite connection.
bool registerMysqlFunctions(QSqlDatabase &db, QString *error);
