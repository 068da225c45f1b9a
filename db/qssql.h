#pragma once

#include <QObject>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>
#include <QVariant>
#include <QVector>
#include <QPair>

struct sqlite3_stmt;
class QDate;

// Readable text of the last failure of a query.
class QSSQLError
{
public:
    QSSQLError() = default;
    explicit QSSQLError(const QString &text) : m_text(text) {}
    QString text() const { return m_text; }
    bool isValid() const { return !m_text.isEmpty(); }

private:
    QString m_text;
};

// One short-lived query against the central database (the connection opened
// by Database::open). Inside a transaction a failed statement fails the
// transaction: later statements of it are refused and it cannot commit. Statements are MySQL dialect; on the embedded SQLite
// backend they are adapted on the way (see Database::adaptSql).
//
//   QSSQL q;
//   q.prepare("select nazev from tellmark_podniky where id=?");
//   q.addBindValue(id);
//   if (q.exec() && q.next()) name = q.value(0).toString();
class QSSQL : public QObject
{
    Q_OBJECT
public:
    explicit QSSQL(QObject *parent = nullptr);
    ~QSSQL() override;

    // Runs literal SQL.
    bool exec(const QString &sql);
    // SQL with positional "?" or named ":name" placeholders.
    bool prepare(const QString &sql);
    void addBindValue(const QVariant &value);
    // The name includes the colon (":GPS").
    void bindValue(const QString &name, const QVariant &value);
    // Runs the prepared statement with the bound values.
    bool exec();
    // Prepares `sql`, binds `values` in order and runs it.
    bool exec(const QString &sql, const QVariantList &values);

    // Whether a statement text only reads (select, show, explain, a with
    // that leads to a select): such a statement may be run again after a
    // lost connection.
    static bool isReadOnlyStatement(const QString &sql);
    // A text as a string literal for statement text of the open database:
    // quoted by its driver, or, when it holds a NUL character (which would
    // cut an SQLite statement short), written in hexadecimal.
    static QString textLiteral(const QString &text);
    // Whether a native error code of the MySQL client or server means the
    // connection is gone (the statement may be tried on a new one).
    static bool isConnectionLostCode(const QString &code);

    // Next row; false after a failed exec or when no row is left.
    bool next();
    QVariant value(int column) const;
    // The value of a result column by its name (case-insensitive, without
    // the table prefix); invalid when the result has no such column.
    QVariant value(const QString &columnName) const;
    // Typed reads of the current row: cheaper than value() for the rows of
    // a long list. textValue gives the text of a NULL as empty, and
    // dateValue an invalid date for NULL and for text that is no date.
    bool isNull(int column) const;
    int intValue(int column) const;
    QString textValue(int column) const;
    QDate dateValue(int column) const;
    // The reading statements of this query read their rows straight from
    // the embedded SQLite engine instead of the driver's row of QVariants:
    // each value is made only when it is read, text once from its UTF-8
    // (the enterprise tree's 15,000 rows in two thirds of the driver's
    // time). No effect on a server, for writes, or with named placeholders.
    void setDirectRows(bool on) { m_directWanted = on; }
    QVariant lastInsertId() const;
    int numRowsAffected() const;
    QSSQLError lastError() const;

private:
    // Where a failed run stopped: a statement that failed before it was
    // sent (no connection, or the prepare round trip failed) cannot have
    // been executed by the server.
    enum class Stage { NotSent, Executed };

    bool run(bool prepared);
    bool runStatement(bool prepared);
    bool runOnce(bool prepared, Stage *stage);
    QVariant converted(int column, const QVariant &v) const;
    bool runDirect(const QString &sql, Stage *stage);
    void dropDirect();
    QVariant directValue(int column) const;

    // SQLite keeps dates as text: how each column of the current result is
    // read back, decided once per result from the declared column type.
    enum class DateKind : char { Unknown, None, Sniff, Date, DateTime, Time };
    mutable QVector<DateKind> m_dateKinds;
    DateKind columnKind(int column) const;

    QSqlQuery m_query;
    QString m_sql;
    QVector<QVariant> m_positional;
    QVector<QPair<QString, QVariant>> m_named;
    QString m_error;
    bool m_active = false;
    bool m_sqlite = false;
    bool m_directWanted = false;
    sqlite3_stmt *m_direct = nullptr; // the running statement of a direct read
};
