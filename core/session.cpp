#include "core/session.h"

#include "db/qssql.h"

bool UserRights::read(const QString &login, QString *hash, UserRights *rights)
{
    QSSQL q;
    q.prepare(QLatin1String(Query));
    q.addBindValue(login);
    if (!q.exec() || !q.next())
        return false;
    UserRights r;
    r.login = login;
    if (hash)
        *hash = q.value(0).toString();
    r.vp = q.value(1).toInt();
    r.admin = q.value(2).toInt();
    r.acls = q.value(3).toInt();
    r.minimal = q.value(4).toInt();
    r.id = q.value(5).toInt();
    r.os = q.value(6).toInt();
    r.region = q.value(7).toString();
    r.udalosti = q.value(8).toInt();
    r.sestavy = q.value(9).toInt();
    r.fakturace = q.value(10).toInt();
    r.cp = q.value(11).toInt();
    r.stredisko_tech_cteni = q.value(12).toInt();
    r.pristupy = q.value(13).toInt();
    if (rights)
        *rights = r;
    return true;
}
