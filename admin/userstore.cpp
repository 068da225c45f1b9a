#include "admin/userstore.h"

#include "db/database.h"
#include "db/qssql.h"
#include "db/users.h"

#include <QCoreApplication>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("UserStore", text);
}

QString failure(const QString &error)
{
    return QCoreApplication::translate("UserStore", "Chyba:") + QLatin1Char(' ') + error;
}

// Runs an insert and its history row in one transaction; the new id is read
// before the history row is written (SQLite reports the connection's last insert).
bool insertRecorded(const QString &sql, const QVariantList &values, const QString &table, const QVariant &shown,
                    const QString &byLogin, int *newId, QString *message)
{
    DbTransaction tx;
    QString error = tx.error();
    if (tx.isOpen()) {
        QSSQL q;
        q.prepare(sql);
        for (const QVariant &v : values)
            q.addBindValue(v);
        if (q.exec()) {
            const int id = q.lastInsertId().toInt();
            if (ChangeHistory::writeIfPresent(byLogin, {{table, id, QLatin1String(ChangeHistory::RowAdded), QVariant(), shown}},
                                              &error)
                && tx.commit()) {
                *newId = id;
                return true;
            }
        } else {
            error = q.lastError().text();
        }
    }
    *message = failure(error.isEmpty() ? tx.error() : error);
    return false;
}

} // namespace

namespace UserStore {

QString table()
{
    return QStringLiteral("www_users");
}

QString listStatement()
{
    return QStringLiteral("select id,login,password,vp,admin,minimal,acls,os,region,sestavy,       udalosti,fakturace,cp,"
                          "stredisko_tech_cteni,pristupy,stat_zrn_last,stat_zrn_cnt        from www_users order by 2");
}

Read read(int id)
{
    // Read anew: the list shows texts, where NULL and an empty text look alike.
    Read row;
    QSSQL q;
    q.prepare(QStringLiteral("select login,password,vp,admin,minimal,acls,os,region,sestavy,pristupy,udalosti,"
                             "fakturace,cp,stredisko_tech_cteni from www_users where id=?"));
    q.addBindValue(id);
    row.ok = q.exec();
    if (!row.ok) {
        row.error = q.lastError().text();
        return row;
    }
    row.found = q.next();
    if (row.found) {
        User &v = row.values;
        QVariant *fields[] = {&v.login, &v.password, &v.vp, &v.admin, &v.minimal, &v.acls, &v.os,
                              &v.region, &v.sestavy, &v.pristupy, &v.udalosti, &v.fakturace, &v.cp,
                              &v.stredisko};
        for (int i = 0; i < 14; ++i)
            *fields[i] = q.value(i);
    }
    return row;
}

bool insert(const User &v, const QString &byLogin, int *newId, QString *message)
{
    return insertRecorded(QStringLiteral("insert into www_users(login,password,vp,admin,minimal,acls,os,region,sestavy,"
                                         "pristupy,udalosti,fakturace,cp,stredisko_tech_cteni)        "
                                         "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                          {v.login, v.password, v.vp, v.admin, v.minimal, v.acls, v.os, v.region, v.sestavy,
                           v.pristupy, v.udalosti, v.fakturace, v.cp, v.stredisko},
                          table(), v.login, byLogin, newId, message);
}

bool remove(int id, const QVariant &login, const QString &byLogin, QString *message)
{
    DbTransaction tx;
    QString error = tx.error();
    if (tx.isOpen()) {
        QSSQL q;
        q.prepare(QStringLiteral("delete from www_users where id=?"));
        q.addBindValue(id);
        if (!q.exec())
            error = q.lastError().text();
        else if (ChangeHistory::writeIfPresent(byLogin, {{table(), id, QLatin1String(ChangeHistory::RowDeleted), login, QVariant()}},
                                               &error)
                 && tx.commit())
            return true;
    }
    *message = failure(error.isEmpty() ? tx.error() : error);
    return false;
}

bool loginFree(const QVariant &login, int exceptId, QString *message)
{
    QString error;
    const int other = Users::findSameLogin(login.toString(), exceptId, &error);
    if (other < 0)
        *message = failure(error);
    else if (other > 0)
        *message = tr("Přihlašovací jméno \"%1\" už má jiný uživatel (velikost písmen se nerozlišuje).")
                       .arg(login.toString());
    return other == 0;
}

int otherAdmins(int id, QString *error)
{
    QSSQL q;
    q.prepare(QStringLiteral("select count(*) from www_users where admin>0 and id<>?"));
    q.addBindValue(id);
    if (!q.exec() || !q.next()) {
        *error = q.lastError().text();
        return -1;
    }
    return q.value(0).toInt();
}

FieldValues fields(const User &v)
{
    // The history names them as the dialog does and keeps no password.
    return {{QStringLiteral("login"), v.login},         {QStringLiteral("password"), v.password},
            {QStringLiteral("vp"), v.vp},               {QStringLiteral("admin"), v.admin},
            {QStringLiteral("minimal"), v.minimal},     {QStringLiteral("acls"), v.acls},
            {QStringLiteral("os"), v.os},               {QStringLiteral("region"), v.region},
            {QStringLiteral("sestavy"), v.sestavy},     {QStringLiteral("pristupy"), v.pristupy},
            {QStringLiteral("udalosti"), v.udalosti},   {QStringLiteral("fakturace"), v.fakturace},
            {QStringLiteral("cp"), v.cp},               {QStringLiteral("stredisko_tech_cteni"), v.stredisko}};
}

void describeColumns()
{
    ChangeHistory::describe(table(), {{QStringLiteral("login"), tr("Uživatel")},
                                      {QStringLiteral("password"), tr("Heslo"), ColumnLabel::Secret},
                                      {QStringLiteral("vp"), tr("Vzdálený přístup")},
                                      {QStringLiteral("admin"), tr("Admin")},
                                      {QStringLiteral("minimal"), tr("Minimal")},
                                      {QStringLiteral("acls"), tr("ACLS")},
                                      {QStringLiteral("os"), tr("Spravovat organizační strukturu")},
                                      {QStringLiteral("region"), tr("Omezit region")},
                                      {QStringLiteral("sestavy"), tr("Sestavy")},
                                      {QStringLiteral("pristupy"), tr("Přístupy")},
                                      {QStringLiteral("udalosti"), tr("Události")},
                                      {QStringLiteral("fakturace"), tr("Fakturace")},
                                      {QStringLiteral("cp"), tr("Control Panel")},
                                      {QStringLiteral("stredisko_tech_cteni"), tr("Středisko, technologické údáje RO")}});
}

} // namespace UserStore

namespace ControlPanelStore {

QString table()
{
    return QStringLiteral("qml.acl");
}

QString listStatement()
{
    return QStringLiteral("select id,uzivatel,heslo,poznamka,idlist        from qml.acl order by 2");
}

bool read(int id, User *values, bool *found, QString *error)
{
    QSSQL q;
    q.prepare(QStringLiteral("select uzivatel,heslo,poznamka,idlist from qml.acl where id=?"));
    q.addBindValue(id);
    if (!q.exec()) {
        *error = q.lastError().text();
        return false;
    }
    *found = q.next();
    if (*found)
        *values = {q.value(0), q.value(1), q.value(2), q.value(3)};
    return true;
}

bool insert(const User &v, const QString &byLogin, int *newId, QString *message)
{
    return insertRecorded(QStringLiteral("insert into qml.acl(uzivatel,heslo,poznamka,idlist)        values(?,?,?,?)"),
                          {v.uzivatel, v.heslo, v.poznamka, v.idlist}, table(), v.uzivatel, byLogin, newId, message);
}

bool remove(int id, QString *error)
{
    QSSQL q;
    q.prepare(QStringLiteral("delete from qml.acl where id=?"));
    q.addBindValue(id);
    if (q.exec())
        return true;
    *error = q.lastError().text();
    return false;
}

bool loginFree(const QVariant &login, int exceptId, QString *message)
{
    QSSQL q;
    if (!q.exec(QStringLiteral("select id,uzivatel from qml.acl"))) {
        *message = failure(q.lastError().text());
        return false;
    }
    while (q.next()) {
        if (q.value(0).toInt() != exceptId && Users::sameLogin(q.value(1).toString(), login.toString())) {
            *message = QCoreApplication::translate("UserStore", "Přihlašovací jméno \"%1\" už má jiný uživatel CP (velikost písmen se nerozlišuje).")
                           .arg(login.toString());
            return false;
        }
    }
    return true;
}

FieldValues fields(const User &v)
{
    return {{QStringLiteral("uzivatel"), v.uzivatel}, {QStringLiteral("heslo"), v.heslo},
            {QStringLiteral("poznamka"), v.poznamka}, {QStringLiteral("idlist"), v.idlist}};
}

void describeColumns()
{
    ChangeHistory::describe(table(), {{QStringLiteral("uzivatel"), QCoreApplication::translate("UserStore", "Uživatel")},
                                      {QStringLiteral("heslo"), QCoreApplication::translate("UserStore", "Heslo"), ColumnLabel::Secret},
                                      {QStringLiteral("poznamka"), QCoreApplication::translate("UserStore", "Poznámka")},
                                      {QStringLiteral("idlist"), QCoreApplication::translate("UserStore", "IDList")}});
}

} // namespace ControlPanelStore
