#include "app/login.h"

#include "db/users.h"
#include "db/qssql.h"

#include <QDateTime>

namespace Login {

bool readUser(const QString &login, QString *hash, UserRights *rights)
{
    QSSQL q;
    q.prepare(QLatin1String(UserQuery));
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

bool passwordMatches(const QString &password, const QString &hash)
{
    return Users::checkPassword(password, hash);
}

void recordLogin(const UserRights &user)
{
    QSSQL q;
    q.exec(QLatin1String(StatisticsUpdate) + QString::number(user.id));
    QSSQL a;
    a.prepare(QLatin1String(AuditInsert));
    a.addBindValue(user.login);
    a.addBindValue(QDateTime::currentDateTime());
    a.addBindValue(AuditLogin);
    a.exec();
}

namespace {
bool check(const QString &login, const QString &password, UserRights *user)
{
    QString hash;
    return readUser(login, &hash, user) && passwordMatches(password, hash);
}
} // namespace

Outcome signIn(QString &login, QString &password, const Callbacks &callbacks)
{
    Outcome out;
    if (!check(login, password, &out.user)) {
        QString l = login, p = password;
        if (!callbacks.askCredentials || !callbacks.askCredentials(l, p)) {
            out.result = Result::Cancelled;
            return out;
        }
        login = l;
        password = p;
        if (!check(login, password, &out.user)) {
            if (callbacks.denied)
                callbacks.denied();
            out.result = Result::Denied;
            return out;
        }
        out.credentialsChanged = true;
    }
    recordLogin(out.user);
    out.result = Result::Accepted;
    return out;
}

} // namespace Login
