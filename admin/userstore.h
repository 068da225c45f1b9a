#pragma once

#include "core/rowsave.h"

#include <QString>
#include <QVariant>

// The statements of user administration, without widgets: the program's
// users (www_users) and the control panel's (qml.acl). Every write records
// its history row in the same transaction; messages come ready to show
// ("Chyba: …" with the database's text, or why the change is refused).
namespace UserStore {

struct User {
    QVariant login, password, vp, admin, minimal, acls, os, region, sestavy, pristupy, udalosti,
        fakturace, cp, stredisko;
};

struct Read {
    bool ok = false;     // the statement ran
    bool found = false;  // and the user exists
    QString error;
    User values;
};

// The list of the users tab, one row per user, id first.
QString listStatement();
Read read(int id);
bool insert(const User &u, const QString &byLogin, int *newId, QString *message);
bool remove(int id, const QVariant &login, const QString &byLogin, QString *message);
// False with the message when another user already has this login, in any
// letter case (the sign-in finds users by login).
bool loginFree(const QVariant &login, int exceptId, QString *message);
// Whether a user other than id holds the admin right; -1 when unknown.
int otherAdmins(int id, QString *error);
// The columns the dialog edits, as the history and the clash check see them.
FieldValues fields(const User &u);
QString table();
// Names the columns in the history (once per program run is enough).
void describeColumns();

} // namespace UserStore

namespace ControlPanelStore {

struct User {
    QVariant uzivatel, heslo, poznamka, idlist;   // NULL when empty
};

QString listStatement();
bool read(int id, User *values, bool *found, QString *error);
bool insert(const User &u, const QString &byLogin, int *newId, QString *message);
bool remove(int id, QString *error);
bool loginFree(const QVariant &login, int exceptId, QString *message);
FieldValues fields(const User &u);
QString table();
void describeColumns();

} // namespace ControlPanelStore
