#pragma once

#include <QByteArray>
#include <QString>

// Rights of a row of www_users as the user administration stores them: the
// levelled rights (vp, os, udalosti, fakturace) as numbers, the on/off rights
// as their value when set and NULL when not.
struct UserFlags {
    int vp = 0;
    int admin = 0;
    int minimal = 0;
    int acls = 0;
    int os = 0;
    QString region;          // empty = no region restriction (NULL)
    int udalosti = 0;
    int sestavy = 0;
    int fakturace = 0;
    int cp = 0;
    int stredisko_tech_cteni = 0;
    int pristupy = 0;
};

namespace Users {
// The stored form of a typed password: bcrypt "$2y$", cost 10, over the
// Latin-1 bytes of the text, or over its UTF-8 bytes when it holds a letter
// outside Latin-1 (which Latin-1 would turn into '?'). Empty on failure.
QByteArray hashPassword(const QString &password);

// The bytes hashPassword hashes: Latin-1, or UTF-8 for a password with a
// letter outside Latin-1. bcrypt reads only the first 72 of them.
QByteArray passwordBytes(const QString &password);

// Whether text has the form of a bcrypt hash: "$2a$", "$2b$" or "$2y$", a
// cost of two digits (04..31), "$" and 53 characters of bcrypt's alphabet.
bool isBcryptHash(const QString &text);

// Whether two logins name the same user: equal ignoring case and trailing
// spaces, as MySQL's collation compares them at sign-in.
bool sameLogin(const QString &a, const QString &b);

// Id of a user other than exceptId whose login is the same as login
// (sameLogin); 0 when there is none, -1 when the read failed (*error).
int findSameLogin(const QString &login, int exceptId, QString *error);

// True when password matches the stored hash: over the Latin-1 bytes (the
// hashes stored so far), else, for a password with non-ASCII letters, over
// the UTF-8 bytes (hashes made by the web applications).
bool checkPassword(const QString &password, const QString &hash);

// Inserts a user on the open connection. Refuses an empty or already used
// login. On success *newId (if given) holds the new row's id.
bool createUser(const QString &login, const QString &password, const UserFlags &flags,
                QString *error, int *newId = nullptr);

// Replaces the password of the user with this login.
bool setPassword(const QString &login, const QString &password, QString *error);
}
