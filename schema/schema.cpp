#include "schema/schema.h"

#include "db/database.h"
#include "db/sqlscan.h"
#include "schema/eventlog.h"

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

// zrncore is a static library: its resources must be registered by hand, or
// the linker leaves them out of the programs.
static void initSchemaResource()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(schema);
        return true;
    }();
    Q_UNUSED(done);
}

namespace {

QString resourceText(bool sqlite, bool extras = false)
{
    initSchemaResource();
    QFile f(QStringLiteral(":/schema/%1%2.sql")
                .arg(extras ? QStringLiteral("extras-") : QString(), sqlite ? QStringLiteral("sqlite") : QStringLiteral("mysql")));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

QString queryError(const QSqlQuery &q)
{
    const QSqlError e = q.lastError();
    QString t = e.databaseText();
    if (t.isEmpty())
        t = e.text();
    return t.trimmed();
}

QRegularExpression createTableRe()
{
    return QRegularExpression(QStringLiteral(R"(^CREATE\s+TABLE\s+IF\s+NOT\s+EXISTS\s+(?:(\w+)\.)?(\w+))"),
                              QRegularExpression::CaseInsensitiveOption);
}

// Names of the tables created by the statements, "qml.acl" with its schema.
QStringList tableNames(const QStringList &stmts)
{
    QStringList names;
    const QRegularExpression re = createTableRe();
    for (const QString &s : stmts) {
        const auto m = re.match(s);
        if (!m.hasMatch())
            continue;
        names << (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1) + QLatin1Char('.') + m.captured(2));
    }
    return names;
}

// MySQL has no "CREATE INDEX IF NOT EXISTS" (MariaDB has), and a production
// user may lack CREATE rights on objects that are already there; so on MySQL
// every statement is checked against information_schema first and skipped
// when its object exists. SQLite's own IF NOT EXISTS does the job there.
class MysqlCatalog
{
public:
    explicit MysqlCatalog(const QSqlDatabase &db) : m_db(db) {}

    // 1 = exists, 0 = missing, -1 = the catalogue could not be read.
    int schemaExists(const QString &schema)
    {
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("select count(*) from information_schema.schemata where schema_name=?"));
        q.addBindValue(schema);
        if (!q.exec() || !q.next())
            return fail(q);
        return q.value(0).toInt() > 0 ? 1 : 0;
    }

    int tableExists(const QString &schema, const QString &table)
    {
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("select count(*) from information_schema.tables "
                                 "where table_schema=coalesce(?,database()) and table_name=?"));
        q.addBindValue(schema.isEmpty() ? QVariant(QVariant::String) : QVariant(schema));
        q.addBindValue(table);
        if (!q.exec() || !q.next())
            return fail(q);
        return q.value(0).toInt() > 0 ? 1 : 0;
    }

    // An index counts as present when one of that name exists or another
    // index starts with the same columns (an older database may carry its
    // own index over the column under another name).
    int indexExists(const QString &schema, const QString &table, const QString &name, const QStringList &columns)
    {
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("select index_name,column_name from information_schema.statistics "
                                 "where table_schema=coalesce(?,database()) and table_name=? "
                                 "order by index_name,seq_in_index"));
        q.addBindValue(schema.isEmpty() ? QVariant(QVariant::String) : QVariant(schema));
        q.addBindValue(table);
        if (!q.exec())
            return fail(q);
        QMap<QString, QStringList> indexes;
        while (q.next())
            indexes[q.value(0).toString().toLower()] << q.value(1).toString().toLower();
        if (indexes.contains(name.toLower()))
            return 1;
        for (const QStringList &cols : qAsConst(indexes)) {
            if (cols.size() >= columns.size() && cols.mid(0, columns.size()) == columns)
                return 1;
        }
        return 0;
    }

    QString error;

private:
    int fail(const QSqlQuery &q)
    {
        error = queryError(q);
        return -1;
    }

    QSqlDatabase m_db;
};

// 1 = run the statement, 0 = its object is there, -1 = error (in *error).
int mysqlNeedsStatement(MysqlCatalog &cat, const QString &stmt, QString *error)
{
    static const QRegularExpression dbRe(QStringLiteral(R"(^CREATE\s+DATABASE\s+IF\s+NOT\s+EXISTS\s+(\w+))"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression tableRe = createTableRe();
    static const QRegularExpression indexRe(
        QStringLiteral(R"(^CREATE\s+(?:UNIQUE\s+)?INDEX\s+(\w+)\s+ON\s+(?:(\w+)\.)?(\w+)\s*\(([^)]*)\))"),
        QRegularExpression::CaseInsensitiveOption);

    int present = 0;
    if (const auto m = dbRe.match(stmt); m.hasMatch()) {
        present = cat.schemaExists(m.captured(1));
    } else if (const auto m = tableRe.match(stmt); m.hasMatch()) {
        present = cat.tableExists(m.captured(1), m.captured(2));
    } else if (const auto m = indexRe.match(stmt); m.hasMatch()) {
        QStringList cols;
        const QStringList parts = m.captured(4).split(QLatin1Char(','));
        for (const QString &c : parts)
            cols << c.trimmed().toLower();
        present = cat.indexExists(m.captured(2), m.captured(3), m.captured(1), cols);
    }
    if (present < 0) {
        if (error)
            *error = cat.error;
        return -1;
    }
    return present ? 0 : 1;
}

} // namespace

namespace Schema {

QStringList splitStatements(const QString &text)
{
    QStringList out;
    QString cur;
    const int n = text.size();
    auto finish = [&out, &cur] {
        const QString s = cur.trimmed();
        if (!s.isEmpty())
            out << s;
        cur.clear();
    };
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        const int e = SqlScan::isQuote(c) ? SqlScan::quotedEnd(text, i) : SqlScan::commentEnd(text, i);
        if (SqlScan::isQuote(c))
            cur += text.midRef(i, e - i);
        else if (e != i)
            cur += QLatin1Char(' '); // a comment
        else if (c == QLatin1Char(';'))
            finish();
        else
            cur += c;
        i = qMax(e, i + 1);
    }
    finish();
    return out;
}

QStringList statements(bool sqlite)
{
    return splitStatements(resourceText(sqlite));
}

QStringList tables()
{
    // The event search and sort key tables come from ensureEventLogSearch, not the DDL.
    return tableNames(statements(Database::isSqlite())) << QLatin1String(kSearchTable) << QLatin1String(kSortTable);
}

// Runs the statements whose objects are missing (see MysqlCatalog).
bool runMissing(const QStringList &stmts, QString *error)
{
    if (!Database::isOpen()) {
        if (error)
            *error = QStringLiteral("Databáze není otevřena.");
        return false;
    }
    if (stmts.isEmpty()) {
        if (error)
            *error = QStringLiteral("Popis schématu databáze chybí v programu.");
        return false;
    }
    const bool sqlite = Database::isSqlite();
    QSqlDatabase db = Database::connection();
    // SQLite: one transaction, so a failure leaves nothing half made (DDL is
    // transactional there) and the file is synced once, not per table.
    const bool inTransaction = sqlite && db.transaction();
    MysqlCatalog catalog(db);
    QStringList errors;
    for (const QString &stmt : stmts) {
        if (!sqlite) {
            QString err;
            const int need = mysqlNeedsStatement(catalog, stmt, &err);
            if (need < 0) {
                errors << err;
                break;
            }
            if (need == 0)
                continue;
        }
        QSqlQuery q(db);
        if (!q.exec(stmt)) {
            errors << QStringLiteral("%1\n(%2)").arg(queryError(q), stmt.section(QLatin1Char('('), 0, 0).simplified());
            // An index refused on an old table (say duplicate logins) must
            // not stop the rest on MySQL; SQLite rolls the whole run back.
            if (sqlite)
                break;
        }
    }
    if (inTransaction) {
        if (errors.isEmpty()) {
            if (!db.commit())
                errors << db.lastError().text();
        } else {
            db.rollback();
        }
    }
    if (!errors.isEmpty()) {
        if (error)
            *error = errors.join(QLatin1Char('\n'));
        return false;
    }
    return true;
}

bool create(QString *error)
{
    return runMissing(statements(Database::isSqlite()), error) && ensureExtras(error);
}

QStringList extraStatements(bool sqlite)
{
    return splitStatements(resourceText(sqlite, true));
}

QStringList extraTables()
{
    return tableNames(extraStatements(Database::isSqlite()));
}

void meetExisting()
{
    QString ignored;
    if (Database::isSqlite())
        ensureExtras(&ignored);
    else
        // Filling the event search of a large log takes minutes: the lists
        // do without it (and say so) until "zrnctl init" has run.
        checkEventLogSearch();
}

bool ensureExtras(QString *error)
{
    // The history table, then the event log's indexes and search table.
    return runMissing(extraStatements(Database::isSqlite()), error) && ensureEventLogSearch(error);
}

bool exists()
{
    if (!Database::isOpen())
        return false;
    QSqlDatabase db = Database::connection();
    const QStringList names = tables();
    if (names.isEmpty())
        return false;
    QStringList present;
    for (const QString &t : db.tables(QSql::Tables))
        present << t.toLower();
    for (const QString &name : names) {
        if (name.contains(QLatin1Char('.'))) {
            // qml.acl: ask the attached/sibling schema itself
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("select count(*) from %1").arg(name)))
                return false;
        } else if (!present.contains(name.toLower())) {
            return false;
        }
    }
    return true;
}

bool dropAll(QString *error)
{
    if (!Database::isOpen()) {
        if (error)
            *error = QStringLiteral("Databáze není otevřena.");
        return false;
    }
    QSqlDatabase db = Database::connection();
    QStringList names = tables() + extraTables();
    for (int i = names.size() - 1; i >= 0; --i) {
        QSqlQuery q(db);
        if (!q.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(names.at(i)))) {
            if (error)
                *error = queryError(q);
            return false;
        }
    }
    return true;
}

} // namespace Schema
