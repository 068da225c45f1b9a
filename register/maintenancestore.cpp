#include "register/maintenancestore.h"

#include "core/rowsave.h"
#include "db/database.h"
#include "db/qssql.h"

#include <QVector>

namespace {

using ChangeHistory::Entry;

const QString kPodniky = QStringLiteral("tellmark_podniky");
const QString kStrediska = QStringLiteral("tellmark_strediska");
const QVariant kNone = QVariant(QVariant::String);

// Prepares, binds and runs; false with the database's text.
bool run(QSSQL &q, const QString &sql, const QVariantList &values, QString *error)
{
    if (q.exec(sql, values))
        return true;
    *error = q.lastError().text();
    return false;
}

bool begin(DbTransaction *tx, QString *error)
{
    if (tx->isOpen())
        return true;
    *error = tx->error();
    return false;
}

// Records the operation in the history and commits.
bool finish(DbTransaction *tx, const QString &byLogin, const QVector<Entry> &entries, QString *error)
{
    if (!ChangeHistory::writeIfPresent(byLogin, entries, error))
        return false;
    if (tx->commit())
        return true;
    *error = tx->error();
    return false;
}

bool count(const QString &sql, const QVariant &id, int *n, QString *error)
{
    QSSQL q;
    if (!run(q, sql, {id.toLongLong()}, error))
        return false;
    if (!q.next()) {
        error->clear();
        return false;
    }
    *n = q.value(0).toInt();
    return true;
}

// The name of a holding ("" for none).
bool holdingName(const QVariant &id, QString *name, QString *error)
{
    name->clear();
    if (id.isNull())
        return true;
    QSSQL q;
    if (!run(q, QStringLiteral("select nazev_holding from tellmark_holding where id=?"), {id}, error))
        return false;
    if (q.next())
        *name = q.value(0).toString();
    return true;
}

// Inserts one row and records it as added under `shown`.
bool insertRecorded(const QString &sql, const QVariantList &values, const QString &table, const QString &shown,
                    const QVector<Entry> &more, const QString &byLogin, QVariant *newId, QString *error)
{
    DbTransaction tx;
    QSSQL q;
    if (!begin(&tx, error) || !run(q, sql, values, error))
        return false;
    // Read before the history row is written: SQLite reports the last insert of the connection.
    const QVariant id = q.lastInsertId();
    QVector<Entry> entries{{table, id, QLatin1String(ChangeHistory::RowAdded), kNone, shown}};
    entries += more;
    if (!finish(&tx, byLogin, entries, error))
        return false;
    *newId = id;
    return true;
}

} // namespace

namespace MaintenanceStore {

QString icoKey(const QString &ico)
{
    QString key = ico;
    key.remove(QLatin1Char(' '));
    while (key.startsWith(QLatin1Char('0')))
        key.remove(0, 1);
    return key;
}

bool icoTaken(const QString &ico, bool *taken, QString *error)
{
    // The same number may be stored with or without its leading zeros and
    // with blanks: the candidates ending in its digits are compared as numbers.
    const QString key = icoKey(ico);
    QSSQL q;
    if (!run(q, QStringLiteral("select ico from tellmark_podniky where replace(ico,' ','') like ?"),
             {QLatin1Char('%') + key}, error))
        return false;
    *taken = false;
    while (q.next()) {
        if (icoKey(q.value(0).toString()) == key) {
            *taken = true;
            break;
        }
    }
    return true;
}

bool addEnterprise(const QString &name, const QString &byLogin, QVariant *newId, QString *error)
{
    return insertRecorded(QStringLiteral("insert into tellmark_podniky(podnik_nazev) values(?)"), {name}, kPodniky, name, {},
                          byLogin, newId, error);
}

bool addRegistered(const Registered &found, const QString &byLogin, QVariant *newId, QString *error)
{
    return insertRecorded(
        QStringLiteral("insert into tellmark_podniky(podnik_nazev,KONTAKT_ADRESA,ICO,OKRES,ZEME) values(?,?,?,?,?)"),
        {found.name, found.address, found.ico, found.district, QStringLiteral("CZ")}, kPodniky, found.name, {}, byLogin,
        newId, error);
}

bool readEnterprise(const QVariant &id, Enterprise *values, bool *found, QString *error)
{
    QSSQL q;
    if (!run(q, QStringLiteral("select podnik_nazev,id_holding from tellmark_podniky where id=?"), {id.toLongLong()}, error))
        return false;
    *found = q.next();
    if (*found)
        *values = {q.value(0), q.value(1)};
    return true;
}

bool updateEnterprise(const QVariant &id, const Enterprise &before, const Enterprise &after, const QString &byLogin,
                      QString *error)
{
    DbTransaction tx;
    QSSQL u;
    if (!begin(&tx, error)
        || !run(u, QStringLiteral("update tellmark_podniky set podnik_nazev=?,id_holding=? where id=?"),
                {after.name, after.holdingId, id.toLongLong()}, error))
        return false;
    // The history names holdings, not their numbers.
    QVector<Entry> entries;
    if (!RowSnapshot::same(before.name, after.name))
        entries.append({kPodniky, id, QStringLiteral("podnik_nazev"), before.name, after.name});
    if (!RowSnapshot::same(before.holdingId, after.holdingId)) {
        QString from, to;
        if (!holdingName(before.holdingId, &from, error) || !holdingName(after.holdingId, &to, error))
            return false;
        entries.append({kPodniky, id, QStringLiteral("id_holding"), from, to});
    }
    return finish(&tx, byLogin, entries, error);
}

bool deleteEnterprise(const QVariant &id, const QString &byLogin, QString *error)
{
    DbTransaction tx;
    QSSQL name;
    QSSQL d;
    if (!begin(&tx, error)
        || !run(name, QStringLiteral("select podnik_nazev from tellmark_podniky where id=?"), {id.toLongLong()}, error)
        || !run(d, QStringLiteral("delete from tellmark_podniky where id=?"), {id.toLongLong()}, error))
        return false;
    const QVariant oldName = name.next() ? name.value(0) : QVariant();
    return finish(&tx, byLogin, {{kPodniky, id, QLatin1String(ChangeHistory::RowDeleted), oldName, kNone}}, error);
}

bool countCentres(const QVariant &podnikId, int *n, QString *error)
{
    return count(QStringLiteral("select count(*) from tellmark_strediska where id_podnik=?"), podnikId, n, error);
}

bool countEnterpriseEvents(const QVariant &podnikId, int *n, QString *error)
{
    return count(QStringLiteral("select count(*) from tellmark_udalosti where id_podnik=? and +smazano=0"), podnikId, n,
                 error);
}

bool countCentreEvents(const QVariant &strediskoId, int *n, QString *error)
{
    return count(QStringLiteral("select count(*) from tellmark_udalosti where id_strediska=? and +smazano=0"), strediskoId,
                 n, error);
}

bool addCentre(const QVariant &podnikId, const QString &name, const QString &byLogin, QVariant *newId, QString *error)
{
    return insertRecorded(QStringLiteral("insert into tellmark_strediska(id_podnik,akce_nazev) values(?,?)"),
                          {podnikId.toLongLong(), name}, kStrediska, name,
                          {{kPodniky, podnikId, QLatin1String(ChangeHistory::CentreAdded), kNone, name}}, byLogin, newId,
                          error);
}

bool readCentreName(const QVariant &id, QVariant *name, bool *found, QString *error)
{
    QSSQL q;
    if (!run(q, QStringLiteral("select akce_nazev from tellmark_strediska where id=?"), {id.toLongLong()}, error))
        return false;
    *found = q.next();
    if (*found)
        *name = q.value(0);
    return true;
}

bool renameCentre(const QVariant &id, const QVariant &before, const QString &after, const QString &byLogin,
                  QString *error)
{
    DbTransaction tx;
    QSSQL u;
    if (!begin(&tx, error)
        || !run(u, QStringLiteral("update tellmark_strediska set akce_nazev=? where id=?"), {after, id.toLongLong()}, error))
        return false;
    QVector<Entry> entries;
    if (!RowSnapshot::same(before, after))
        entries.append({kStrediska, id, QStringLiteral("akce_nazev"), before, after});
    return finish(&tx, byLogin, entries, error);
}

bool deleteCentre(const QVariant &id, const QString &byLogin, QVariant *podnikId, bool *found, QString *error)
{
    *found = false;
    DbTransaction tx;
    QSSQL q;
    if (!begin(&tx, error)
        || !run(q, QStringLiteral("select id_podnik,akce_nazev from tellmark_strediska where id=?"), {id.toLongLong()},
                error))
        return false;
    if (!q.next())
        return true;
    *found = true;
    *podnikId = q.value(0);
    const QVariant name = q.value(1);
    QSSQL d;
    if (!run(d, QStringLiteral("delete from tellmark_strediska where id=?"), {id.toLongLong()}, error))
        return false;
    return finish(&tx, byLogin,
                  {{kStrediska, id, QLatin1String(ChangeHistory::RowDeleted), name, kNone},
                   {kPodniky, *podnikId, QLatin1String(ChangeHistory::CentreDeleted), name, kNone}},
                  error);
}

} // namespace MaintenanceStore
