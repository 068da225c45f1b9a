#include "core/rowsave.h"

#include "db/database.h"
#include "db/qssql.h"
#include "widgets/qf.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextDocumentFragment>

namespace {

QHash<QString, QHash<QString, ColumnLabel>> &labels()
{
    static QHash<QString, QHash<QString, ColumnLabel>> h;
    return h;
}

QVariant idValue(const QVariant &id)
{
    bool ok = false;
    const qlonglong n = id.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(id.toString());
}

bool isNumber(const QVariant &v)
{
    switch (v.type()) {
    case QVariant::Int:
    case QVariant::UInt:
    case QVariant::LongLong:
    case QVariant::ULongLong:
    case QVariant::Double:
    case QVariant::Bool:
        return true;
    default:
        return false;
    }
}

bool isDate(const QVariant &v)
{
    return v.type() == QVariant::Date || v.type() == QVariant::DateTime;
}

QString plain(const QVariant &v)
{
    if (v.isNull())
        return QString();
    if (v.type() == QVariant::ByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

// A date or date-time as "yyyy-MM-dd hh:mm:ss" (a date alone as its day);
// the embedded database hands them back as such texts.
QString dateText(const QVariant &v)
{
    if (v.type() == QVariant::Date)
        return v.toDate().toString(Qt::ISODate);
    if (v.type() == QVariant::DateTime)
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QString s = plain(v).trimmed();
    s.replace(QLatin1Char('T'), QLatin1Char(' '));
    return s.left(19);
}

// The history keeps values as text.
QVariant historyText(const QVariant &v)
{
    if (v.isNull() || (v.type() != QVariant::ByteArray && v.toString().isEmpty() && v.type() == QVariant::String))
        return QVariant(QVariant::String);
    if (isDate(v))
        return dateText(v);
    return plain(v);
}

bool fail(QString *error, const QSSQL &q)
{
    if (error)
        *error = q.lastError().text();
    return false;
}

} // namespace

namespace ChangeHistory {

void describe(const QString &table, const QVector<ColumnLabel> &columns)
{
    QHash<QString, ColumnLabel> &h = labels()[table.toLower()];
    for (const ColumnLabel &c : columns)
        h.insert(c.column.toUpper(), c);
}

ColumnLabel column(const QString &table, const QString &name)
{
    const ColumnLabel found = labels().value(table.toLower()).value(name.toUpper());
    if (!found.column.isEmpty())
        return found;
    // The maintenance's own rows.
    static const QHash<QString, QString> maintenance = {
        {QLatin1String(RowAdded), QCoreApplication::translate("ChangeHistory", "Založení")},
        {QLatin1String(RowDeleted), QCoreApplication::translate("ChangeHistory", "Smazání")},
        {QLatin1String(CentreAdded), QCoreApplication::translate("ChangeHistory", "Středisko přidáno")},
        {QLatin1String(CentreDeleted), QCoreApplication::translate("ChangeHistory", "Středisko smazáno")},
    };
    return {name, maintenance.value(name, name), 0};
}

QString presenceExpression()
{
    return Database::isSqlite()
        ? QStringLiteral("(select count(*) from sqlite_master where type='table' and name='%1')").arg(QLatin1String(Table))
        : QStringLiteral("(select count(*) from information_schema.tables where table_schema=database()"
                         " and table_name='%1')").arg(QLatin1String(Table));
}

bool exists(QString *error)
{
    QSSQL q;
    if (!q.exec(QStringLiteral("select ") + presenceExpression()))
        return fail(error, q);
    return q.next() && q.value(0).toInt() > 0;
}

bool write(const QString &login, const QVector<Entry> &entries, QString *error)
{
    if (entries.isEmpty())
        return true;
    QStringList rows;
    QVariantList values;
    for (const Entry &e : entries) {
        const bool secret = column(e.table, e.column).flags & ColumnLabel::Secret;
        rows << QStringLiteral("(current_timestamp,?,?,?,?,?,?)");
        values << login << e.table << idValue(e.rowId) << e.column
               << (secret ? QVariant(QVariant::String) : historyText(e.oldValue))
               << (secret ? QVariant(QVariant::String) : historyText(e.newValue));
    }
    QSSQL q;
    if (!q.exec(QStringLiteral("insert into %1(ts,uzivatel,tabulka,id_radku,sloupec,puvodni_hodnota,nova_hodnota)"
                               " values ").arg(QLatin1String(Table))
                    + rows.join(QLatin1Char(',')),
                values))
        return fail(error, q);
    return true;
}

bool writeIfPresent(const QString &login, const QVector<Entry> &entries, QString *error)
{
    QString why;
    if (exists(&why))
        return write(login, entries, error);
    if (error)
        *error = why;
    return why.isEmpty();
}

bool read(const QString &table, const QVariant &rowId, QVector<Row> *rows, bool *present, QString *error)
{
    rows->clear();
    *present = false;
    QString why;
    const bool there = exists(&why);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return false;
    }
    if (!there)
        return true;
    *present = true;
    QSSQL q;
    if (!q.exec(QStringLiteral("select ts,uzivatel,sloupec,puvodni_hodnota,nova_hodnota from %1"
                               " where tabulka=? and id_radku=? order by ts desc, id desc").arg(QLatin1String(Table)),
                {table, idValue(rowId)}))
        return fail(error, q);
    while (q.next()) {
        Row r;
        r.when = q.value(0).toDateTime();
        r.login = plain(q.value(1));
        r.column = plain(q.value(2));
        r.oldValue = q.value(3);
        r.newValue = q.value(4);
        rows->append(r);
    }
    return true;
}

QString displayText(const QVariant &value)
{
    if (value.type() == QVariant::Date)
        return Qf::formatDate(value.toDate());
    QString text = plain(value);
    static const QRegularExpression isoDay(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (isoDay.match(text).hasMatch())
        return Qf::formatDate(QDate::fromString(text, Qt::ISODate));
    if (text.contains(QLatin1String("<html"), Qt::CaseInsensitive)
        || text.startsWith(QLatin1String("<!DOCTYPE"), Qt::CaseInsensitive))
        text = QTextDocumentFragment::fromHtml(text).toPlainText().trimmed();
    return text;
}

} // namespace ChangeHistory

RowSnapshot::RowSnapshot(const QString &table) : m_table(table)
{
}

void RowSnapshot::reset()
{
    m_id = QVariant();
    m_columns.clear();
    m_pending.clear();
    m_tookTheirs = false;
    m_othersChanged = false;
}

bool RowSnapshot::same(const QVariant &a, const QVariant &b)
{
    const QString pa = plain(a);
    const QString pb = plain(b);
    if (pa.isEmpty() || pb.isEmpty())
        return pa.isEmpty() && pb.isEmpty();
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]*)([.][0-9]+)?$"));
    if (isNumber(a) || isNumber(b)
        || (number.match(pa.trimmed()).hasMatch() && number.match(pb.trimmed()).hasMatch())) {
        bool oka = false, okb = false;
        const double da = pa.trimmed().toDouble(&oka);
        const double db = pb.trimmed().toDouble(&okb);
        if (oka && okb)
            return qFuzzyCompare(1.0 + da, 1.0 + db);
    }
    if (isDate(a) || isDate(b)) {
        const QString ta = dateText(a);
        const QString tb = dateText(b);
        // A date against a date-time: the day decides.
        if (ta.size() == 10 || tb.size() == 10)
            return ta.left(10) == tb.left(10);
        return ta == tb;
    }
    return pa == pb;
}

FieldValues RowSnapshot::changes(const FieldValues &form) const
{
    FieldValues out;
    for (const FieldValue &f : form) {
        const auto it = m_columns.constFind(f.column.toUpper());
        if (it == m_columns.cend() || !same(it->initial, f.value))
            out << f;
    }
    return out;
}

RowSnapshot::Result RowSnapshot::save(const FieldValues &form, const QString &login, QVector<Clash> *clashes,
                                      QString *error, const FieldValues &always)
{
    if (changes(form).isEmpty() && always.isEmpty())
        return Result::Unchanged;
    // The unit re-reads every column it writes, so a deadlock or a lock wait
    // time-out may run it once more from the start.
    Result r = Result::Failed;
    const bool ok = Database::runUnit(
        [&](QString *unitError) {
            r = write(form, login, clashes, unitError, always);
            return r == Result::Saved;
        },
        Database::RetryPolicy::RepeatOnce, error);
    if (r != Result::Saved)
        return r;   // rolled back; clashes, a deleted row or the failure are told by the caller
    if (!ok)
        return Result::Failed;
    committed();
    return Result::Saved;
}

RowSnapshot::Result RowSnapshot::write(const FieldValues &form, const QString &login, QVector<Clash> *clashes,
                                       QString *error, const FieldValues &always)
{
    clashes->clear();
    const FieldValues changed = changes(form);
    if (changed.isEmpty() && always.isEmpty())
        return Result::Unchanged;

    // The stored values of the changed columns, locked until the end of the
    // transaction (the embedded database writes one transaction at a time);
    // in the same round trip whether the history table is there.
    // The form's other columns come along in the same read: a colleague's
    // change there is kept, and the page shows it after the save.
    QStringList columns;
    for (const FieldValue &f : changed)
        columns << f.column;
    const int n = changed.size();
    QStringList untouched;
    for (auto it = m_columns.cbegin(); it != m_columns.cend(); ++it) {
        if (!columns.contains(it.key(), Qt::CaseInsensitive))
            untouched << it.key();
    }
    columns << untouched;
    const int deletedAt = columns.size();
    if (!m_deletedFlag.isEmpty())
        columns << m_deletedFlag;
    columns << ChangeHistory::presenceExpression();
    QSSQL read;
    const QString select = QStringLiteral("select ") + columns.join(QLatin1Char(','))
        + QStringLiteral(" from ") + m_table + QStringLiteral(" where id=?")
        + (Database::isSqlite() ? QString() : QStringLiteral(" for update"));
    if (!read.exec(select, {idValue(m_id)})) {
        fail(error, read);
        return Result::Failed;
    }
    if (!read.next())
        return Result::Deleted;
    if (!m_deletedFlag.isEmpty() && read.value(deletedAt).toInt() != 0)
        return Result::Deleted;
    m_othersChanged = false;
    for (int i = 0; i < untouched.size(); ++i) {
        if (!same(read.value(n + i), m_columns.value(untouched.at(i)).base))
            m_othersChanged = true;
    }
    const bool history = read.value(columns.size() - 1).toInt() > 0;

    QVector<ChangeHistory::Entry> entries;
    for (int i = 0; i < n; ++i) {
        const FieldValue &f = changed.at(i);
        const QVariant stored = read.value(i);
        const QVariant base = m_columns.value(f.column.toUpper()).base;
        if (!same(stored, base) && !same(stored, f.value))
            clashes->append({f.column, ChangeHistory::column(m_table, f.column).label, stored, f.value, true});
        entries.append({m_table, m_id, f.column, stored, f.value});
    }
    if (!clashes->isEmpty())
        return Result::Clashed;

    // Each column gets the placeholder of its own name (":ICO").
    const FieldValues written = changed + always;
    QStringList sets;
    for (const FieldValue &f : written)
        sets << f.column + QStringLiteral("=:") + f.column;
    QSSQL update;
    update.prepare(QStringLiteral("update ") + m_table + QStringLiteral(" set ") + sets.join(QLatin1Char(','))
                   + QStringLiteral(" where id=:id"));
    for (const FieldValue &f : written)
        update.bindValue(QLatin1Char(':') + f.column, f.value);
    update.bindValue(QStringLiteral(":id"), idValue(m_id));
    if (!update.exec()) {
        fail(error, update);
        return Result::Failed;
    }
    if (history && !entries.isEmpty() && !ChangeHistory::write(login, entries, error))
        return Result::Failed;
    m_pending = changed;
    return Result::Saved;
}

void RowSnapshot::committed()
{
    for (const FieldValue &f : qAsConst(m_pending)) {
        Column &c = m_columns[f.column.toUpper()];
        c.base = f.value;
        c.initial = f.value;
    }
    m_pending.clear();
}

void RowSnapshot::settle(const QVector<Clash> &clashes)
{
    for (const Clash &c : clashes) {
        Column &col = m_columns[c.column.toUpper()];
        // Seen: a later save clashes only when it changes again.
        col.base = c.theirs;
        if (!c.keepMine) {
            // Not written; the page shows the stored value after reloading.
            col.initial = c.mine;
            m_tookTheirs = true;
        }
    }
}
