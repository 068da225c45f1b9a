#pragma once

// Users stored as the user administration stores them, and a scripted login dialog.

#include "app/login.h"
#include "core/session.h"
#include "db/bcrypt.h"
#include "db/qssql.h"

#include <QTest>

namespace ShellFixtures {

// The rights columns of a user, in the order of the insert below.
inline QVariantList rightsValues(const UserRights &r)
{
    return {r.login, r.vp, r.admin, r.minimal, r.acls, r.os, r.region, r.udalosti,
            r.sestavy, r.fakturace, r.cp, r.stredisko_tech_cteni, r.pristupy};
}

// Inserts a user with the given rights (r.login is the login); its id, or 0.
inline int addUser(const UserRights &r, const QString &password)
{
    QSSQL q;
    const QString hash = QString::fromLatin1(mcrypt_hashpw(password.toLatin1().constData(), mcrypt_gensalt(4).constData()));
    if (!q.exec(QStringLiteral("insert into www_users(login,vp,admin,minimal,acls,os,region,udalosti,sestavy,fakturace,cp,"
                               "stredisko_tech_cteni,pristupy,password,stat_zrn_cnt) values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,0)"),
                rightsValues(r) << hash))
        qWarning() << "addUser:" << q.lastError().text();
    return q.lastInsertId().toInt(); // 0 when it failed
}

// Every tab and right on.
inline UserRights fullRights(const QString &login) { return {0, login, 2, 1, 0, 0, 2, QString(), 2, 1, 3, 1, 0, 1}; }

// A login dialog that records what it was shown and answers what is typed, or Cancel when nothing is.
struct ScriptedDialog {
    QStringList typed;
    int shown = 0, denied = 0;
    QString shownLogin, shownPassword;

    Login::Callbacks callbacks()
    {
        return {[this](QString &login, QString &password) {
                    ++shown;
                    shownLogin = login;
                    shownPassword = password;
                    if (typed.isEmpty())
                        return false;
                    login = typed.value(0);
                    password = typed.value(1);
                    return true;
                },
                [this] { ++denied; }};
    }
};

} // namespace ShellFixtures
