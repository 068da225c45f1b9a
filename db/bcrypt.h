#pragma once

#include <QByteArray>

// bcrypt password hashes over the system's libxcrypt.
//
// Reads "$2y$", "$2b$" and "$2a$" hashes (PHP's password_hash, OpenBSD and
// older tools respectively) and writes "$2y$", the form the web applications
// sharing the user table produce. Passwords are byte strings; the program
// passes the Latin-1 bytes of the typed text.

// 0 when password matches hash, -1 otherwise (also for a malformed hash).
int mcrypt_checkpw(const char *password, const char *hash);

// A fresh random salt "$2y$<cost>$<22 characters>"; empty on failure
// (cost outside 4..31 or no randomness available).
QByteArray mcrypt_gensalt(int cost = 10);

// The hash of password with salt (a salt from mcrypt_gensalt or a whole
// stored hash, whose salt part is used). "$2b$" output is returned as
// "$2y$" (the same algorithm). Empty on failure.
QByteArray mcrypt_hashpw(const char *password, const char *salt);
