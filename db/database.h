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
        CreateIfMissing,   // a missing SQLite file is created with schema and demo data
        MustExist,         // a missing SQLite file is an error
        CreateEmpty        // a missing SQLite file is created without schema
    };

    static QString connectionName();

    // Opens (or reopens) the connection described by cfg. On failure returns
    // false and a message naming the server or file in *error.
    static bool open(const DbConfig &cfg, QString *error, OpenMode mode = CreateIfMissing);
    static void close();
    static bool isOpen();
    static QSqlDatabase connection();
    static const DbConfig &config();
    static bool isSqlite();

    // Drops and reopens the MySQL connection once the server has gone away.
    static bool reconnect(QString *error = nullptr);

    // MySQL statement text as the embedded SQLite backend understands it:
    // current_timestamp/current_date become local-time expressions (SQLite's
    // own are UTC). Text inside quotes is left alone.
    static QString adaptSql(const QString &sql);

    // Login and password shown in the README for the embedded demo database.
    static const char *demoLogin();
    static const char *demoPassword();

private:
    static bool openSqlite(const DbConfig &cfg, QString *error, OpenMode mode);
    static bool openMysql(const DbConfig &cfg, QString *error);
};

// Registers the MySQL functions the program's statements use (IF,
// FIND_IN_SET, LPAD, CONCAT, ...) on an open SQLite connection.
bool registerMysqlFunctions(QSqlDatabase &db, QString *error);
