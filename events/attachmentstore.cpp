#include "events/attachmentstore.h"

#include "db/database.h"
#include "db/qssql.h"

namespace AttachmentStore {

namespace {

bool run(const QString &sql, const QVariantList &values, QString *error, QSSQL *q)
{
    if (q->exec(sql, values))
        return true;
    if (error)
        *error = q->lastError().text();
    return false;
}

} // namespace

bool list(const QVariant &eventId, QVector<Item> *items, QString *error)
{
    items->clear();
    QSSQL q;
    if (!run(QStringLiteral("select id,nazev_souboru from tellmark_udalosti_prilohy where id_udalosti=? order by 1"),
             {eventId}, error, &q))
        return false;
    while (q.next())
        items->append({q.value(0), q.value(1).toString()});
    return true;
}

bool data(const QVariant &id, QByteArray *bytes, bool *found, QString *error)
{
    QSSQL q;
    if (!run(QStringLiteral("select data from tellmark_udalosti_prilohy where id=?"), {id}, error, &q))
        return false;
    *found = q.next();
    *bytes = *found ? q.value(0).toByteArray() : QByteArray();
    return true;
}

bool insert(const QVariant &eventId, const QString &name, const QByteArray &bytes, QString *error)
{
    QSSQL q;
    // An empty file is stored as empty bytes, not as a missing one.
    return run(QStringLiteral("insert into tellmark_udalosti_prilohy(id_udalosti,nazev_souboru,data) values(?,?,?)"),
               {eventId, name, bytes.isNull() ? QByteArray("", 0) : bytes}, error, &q);
}

bool rename(const QVariant &id, const QString &name, QString *error)
{
    QSSQL q;
    return run(QStringLiteral("update tellmark_udalosti_prilohy set nazev_souboru=? where id=?"), {name, id}, error, &q);
}

bool remove(const QVariant &id, QString *error)
{
    QSSQL q;
    return run(QStringLiteral("delete from tellmark_udalosti_prilohy where id=?"), {id}, error, &q);
}

qint64 packetLimit()
{
    if (Database::isSqlite())
        return 0;
    // Read at each file: an administrator may change the limit while the
    // program runs. This connection keeps the value it started with, a
    // reconnect gets the server's current one; the smaller counts.
    QSSQL q;
    if (!q.exec(QStringLiteral("select least(@@session.max_allowed_packet,@@global.max_allowed_packet)")) || !q.next())
        return 0;
    return qMax<qint64>(0, q.value(0).toLongLong());
}

} // namespace AttachmentStore
