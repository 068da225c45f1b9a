#pragma once

#include "core/session.h"

#include <QString>
#include <functional>

// Signing in against www_users: the saved credentials first, then the login
// dialog once; the password is checked against the stored bcrypt hash.
namespace Login {

inline const char *const StatisticsUpdate =
    "update www_users set    stat_zrn_last=current_timestamp,   stat_zrn_cnt=stat_zrn_cnt+1 where id=?";
inline const char *const AuditInsert =
    "insert into logovani(uzivatel,ts,operace)        values(?,?,?)";
// logovani.operace of a login.
constexpr int AuditLogin = 2;

// Reads the row of a login; false when there is none (a failed select reads
// as no row). On success *hash holds the stored hash and *rights the rights.
bool readUser(const QString &login, QString *hash, UserRights *rights);

// bcrypt check ($2y$, $2b$, $2a$): the Latin-1 bytes of the password, then,
// for a password with non-ASCII letters, its UTF-8 bytes.
bool passwordMatches(const QString &password, const QString &hash);

// Counts the login in the user's statistics and writes the audit row.
// Failures are ignored.
void recordLogin(const UserRights &user);

enum class Result { Accepted, Cancelled, Denied };

struct Callbacks {
    // Shows the login dialog filled with login and password; returns false
    // on Cancel, else true with the values typed.
    std::function<bool(QString &login, QString &password)> askCredentials;
    // Tells the user "Přístup zamítnut.".
    std::function<void()> denied;
};

struct Outcome {
    Result result = Result::Denied;
    UserRights user;
    // Set when the dialog was needed and its values were accepted: they are
    // stored on exit.
    bool credentialsChanged = false;
};

// The whole sign-in: login and password are the saved values on entry and
// the values in use on return. On success the statistics and the audit row
// are written.
Outcome signIn(QString &login, QString &password, const Callbacks &callbacks);

} // namespace Login
