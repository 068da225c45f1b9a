#pragma once

// Users of the sign-in tests, stored as the user administration stores them.

#include "app/session.h"
#include "db/bcrypt.h"
#include "db/qssql.h"

#include <QString>
#include <QTest>

namespace ShellFixtures {

// Inserts a user with the given rights (r.login is the login) and returns
// its id, or 0 on failure.
inline int addUser(const UserRights &r, const QString &password)
{
    const QByteArray hash = mcrypt_hashpw(password.toLatin1().constData(), mcrypt_gensalt(4).constData());
    QSSQL q;
    q.prepare(QStringLiteral(
        "insert into www_users(login,password,vp,admin,minimal,acls,os,region,udalosti,sestavy,"
        "fakturace,cp,stredisko_tech_cteni,pristupy,stat_zrn_cnt) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,0)"));
    for (const QVariant &v : {QVariant(r.login), QVariant(QString::fromLatin1(hash)), QVariant(r.vp),
                              QVariant(r.admin), QVariant(r.minimal), QVariant(r.acls), QVariant(r.os),
                              QVariant(r.region), QVariant(r.udalosti), QVariant(r.sestavy),
                              QVariant(r.fakturace), QVariant(r.cp), QVariant(r.stredisko_tech_cteni),
                              QVariant(r.pristupy)})
        q.addBindValue(v);
    if (!q.exec()) {
        qWarning() << "addUser:" << q.lastError().text();
        return 0;
    }
    return q.lastInsertId().toInt();
}

inline UserRights fullRights(const QString &login)
{
    UserRights r;
    r.login = login;
    r.vp = 2;
    r.admin = 1;
    r.os = 2;
    r.udalosti = 2;
    r.sestavy = 1;
    r.fakturace = 3;
    r.cp = 1;
    r.pristupy = 1;
    return r;
}

inline int scalar(const QString &sql, const QVariant &bound = QVariant())
{
    QSSQL q;
    q.prepare(sql);
    if (bound.isValid())
        q.addBindValue(bound);
    if (!q.exec() || !q.next())
        return -1;
    return q.value(0).toInt();
}

} // namespace ShellFixtures
