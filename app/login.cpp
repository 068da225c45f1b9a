#include "app/login.h"

#include "db/users.h"
#include "db/qssql.h"

#include <QDateTime>

namespace Login {

bool readUser(const QString &login, QString *hash, UserRights *rights)
{
    return UserRights::read(login, hash, rights);
}

bool passwordMatches(const QString &password, const QString &hash)
{
    return Users::checkPassword(password, hash);
}

void recordLogin(const UserRights &user)
{
    QSSQL q;
    q.prepare(QLatin1String(StatisticsUpdate));
    q.addBindValue(user.id);
    q.exec();
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
