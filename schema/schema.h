#pragma once

#include <QString>
#include <QStringList>

// DDL of the central database, kept in schema/mysql.sql and schema/sqlite.sql
// and compiled into the program.
namespace Schema {
// The statements for the given backend, in order.
QStringList statements(bool sqlite);
// Splits DDL text at ';' outside quotes, dropping "--" comments.
QStringList splitStatements(const QString &text);
// The program's tables on the open connection's backend, in creation order;
// the control-panel table as "qml.acl".
QStringList tables();
// Creates every table and index that is missing on the open connection,
// the extras included. Idempotent; never drops or alters existing data.
bool create(QString *error);
// The tables and indexes the program adds beyond the register's own (the
// change history, the event log's sort indexes and search table with its
// triggers, see eventlog.h): created when missing, on a new
// database and on one that holds data alike. Idempotent; alters nothing.
QStringList extraStatements(bool sqlite);
bool ensureExtras(QString *error);
// An existing database as the program meets it at start: an embedded file
// of an older version gets the extras; a server's schema is left to
// "zrnctl init" (the program's account may lack the right to create
// tables), only whether its event search is there is looked at. Without
// the extras saves still work.
void meetExisting();
QStringList extraTables();
// True when the open connection already holds every table of the register
// (the extras are not asked for: the program works without them).
bool exists();
// Tests only: drops every table of the program (the extras too) on the open connection
// (qml.acl too; the qml database itself stays).
bool dropAll(QString *error);
}
