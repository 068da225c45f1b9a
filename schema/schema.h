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
// Creates every table and index that is missing on the open connection.
// Idempotent; never drops or alters existing data.
bool create(QString *error);
// True when the open connection already holds every table of the program.
bool exists();
// Tests only: drops every table of the program on the open connection
// (qml.acl too; the qml database itself stays).
bool dropAll(QString *error);
}
