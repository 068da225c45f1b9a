#include "db/users.h"

#include "db/bcrypt.h"
#include "db/qssql.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QVariant>

namespace {

// On/off rights are stored as the administration dialog stores them: the
// value when set, NULL when not.
QVariant flagValue(int v)
{
    return v > 0 ? QVariant(v) : QVariant(QVariant::Int);
}

// Id of the user with this login (exactly as typed): > 0 found, 0 none,
// -1 error.
int findUser(const QString &login, QString *error)
{
    QSSQL q;
    q.prepare(QStringLiteral("select id from www_users where login=?"));
    q.addBindValue(login);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return -1;
    }
    return q.next() ? q.value(0).toInt() : 0;
}

QString loginKey(const QString &login)
{
    int end = login.size();
    while (end > 0 && login.at(end - 1) == QLatin1Char(' '))
        --end;
    return login.left(end).toCaseFolded();
}

} // namespace

namespace Users {

QByteArray passwordBytes(const QString &password)
{
    // Latin-1 as the stored hashes were always made; a password with a
    // letter outside it (ř, č, ě, ...) would lose that letter as "?", so it
    // is hashed over UTF-8, as the web applications do.
    bool latin1 = true;
    for (const QChar c : password) {
        if (c.unicode() > 0xFF) {
            latin1 = false;
            break;
        }
    }
    return latin1 ? password.toLatin1() : password.toUtf8();
}

QByteArray hashPassword(const QString &password)
{
    const QByteArray salt = mcrypt_gensalt(10);
    if (salt.isEmpty())
        return QByteArray();
    return mcrypt_hashpw(passwordBytes(password).constData(), salt.constData());
}

bool isBcryptHash(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral("^\\$2[aby]\\$(0[4-9]|[12][0-9]|3[01])\\$[./A-Za-z0-9]{53}$"));
    return form.match(text).hasMatch();
}

bool sameLogin(const QString &a, const QString &b)
{
    return loginKey(a) == loginKey(b);
}

int findSameLogin(const QString &login, int exceptId, QString *error)
{
    // Compared here rather than by the database: SQLite folds only ASCII
    // letters, and "Řezáč" next to "řezáč" must not pass on either backend.
    QSSQL q;
    if (!q.exec(QStringLiteral("select id,login from www_users"))) {
        if (error)
            *error = q.lastError().text();
        return -1;
    }
    const QString key = loginKey(login);
    while (q.next()) {
        const int id = q.value(0).toInt();
        if (id != exceptId && loginKey(q.value(1).toString()) == key)
            return id;
    }
    return 0;
}

bool checkPassword(const QString &password, const QString &hash)
{
    if (hash.isEmpty())
        return false;
    const QByteArray h = hash.toLatin1();
    // Latin-1 first: the hashes stored so far rely on it.
    if (mcrypt_checkpw(password.toLatin1().constData(), h.constData()) == 0)
        return true;
    // A hash made over UTF-8 (the web applications, or a password with
    // letters outside Latin-1) matches the UTF-8 bytes.
    bool ascii = true;
    for (const QChar c : password) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    return !ascii && mcrypt_checkpw(password.toUtf8().constData(), h.constData()) == 0;
}

namespace {

// The stored form of a password; false with the message when no salt came.
bool storedHash(const QString &password, QByteArray *hash, QString *error)
{
    *hash = hashPassword(password);
    if (!hash->isEmpty())
        return true;
    if (error)
        *error = QCoreApplication::translate("Users", "Heslo nelze zašifrovat (bcrypt).");
    return false;
}

bool ran(QSSQL &q, QString *error)
{
    if (q.exec())
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

} // namespace

bool createUser(const QString &login, const QString &password, const UserFlags &f, QString *error, int *newId)
{
    if (login.trimmed().isEmpty()) {
        if (error)
            *error = QCoreApplication::translate("Users", "Přihlašovací jméno nesmí být prázdné.");
        return false;
    }
    const int existing = findSameLogin(login, 0, error);
    if (existing < 0)
        return false;
    if (existing > 0) {
        if (error)
            *error = QCoreApplication::translate("Users", "Uživatel \"%1\" už existuje.").arg(login);
        return false;
    }
    QByteArray hash;
    if (!storedHash(password, &hash, error))
        return false;

    QSSQL q;
    q.prepare(QStringLiteral("insert into www_users(login,password,vp,admin,minimal,acls,os,region,sestavy,"
                             "pristupy,udalosti,fakturace,cp,stredisko_tech_cteni) "
                             "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    q.addBindValue(login);
    q.addBindValue(QString::fromLatin1(hash));
    q.addBindValue(f.vp);
    q.addBindValue(flagValue(f.admin));
    q.addBindValue(flagValue(f.minimal));
    q.addBindValue(flagValue(f.acls));
    q.addBindValue(f.os);
    q.addBindValue(f.region.isEmpty() ? QVariant(QVariant::String) : QVariant(f.region));
    q.addBindValue(flagValue(f.sestavy));
    q.addBindValue(flagValue(f.pristupy));
    q.addBindValue(f.udalosti);
    q.addBindValue(f.fakturace);
    q.addBindValue(flagValue(f.cp));
    q.addBindValue(flagValue(f.stredisko_tech_cteni));
    if (!ran(q, error))
        return false;
    if (newId)
        *newId = q.lastInsertId().toInt();
    return true;
}

bool setPassword(const QString &login, const QString &password, QString *error)
{
    const int id = findUser(login, error);
    if (id < 0)
        return false;
    if (id == 0) {
        if (error)
            *error = QCoreApplication::translate("Users", "Uživatel \"%1\" neexistuje.").arg(login);
        return false;
    }
    QByteArray hash;
    if (!storedHash(password, &hash, error))
        return false;
    QSSQL q;
    q.prepare(QStringLiteral("update www_users set password=? where id=?"));
    q.addBindValue(QString::fromLatin1(hash));
    q.addBindValue(id);
    if (!ran(q, error))
        return false;
    return true;
}

} // namespace Users
