#pragma once

#include <QString>

// A fresh database for a test suite on the backend named by the environment
// variable ZRN_TEST_BACKEND: "sqlite" (a file in a temporary folder) or
// "mariadb" (database zrn_test on the private server the test command
// starts; ZRN_TEST_MYSQL_HOST/PORT/SOCKET/USER/PASSWORD say where).
namespace TestDb {
bool isMariaDb();
// Why a MariaDB suite cannot run here (no server configured), or empty. The
// test command sets ZRN_TEST_REQUIRE_MARIADB, and then a missing server is
// a failure instead.
QString mariaDbMissing();
// Opens the connection as the program would (Database::open) with the
// schema created and no rows. Returns false with a message.
bool open(QString *error);
// Deletes every row of every table, keeping the schema.
bool clear(QString *error);
void close();
// Runs one statement and fails loudly (qFatal-free: returns false and the
// error) - for fixtures.
bool exec(const QString &sql, QString *error = nullptr);
}

// Use in initTestCase(): opens the test database or fails the test.
#define ZRN_OPEN_TEST_DB()                                            \
    do {                                                              \
        const QString zrnMissing_ = TestDb::mariaDbMissing();         \
        if (!zrnMissing_.isEmpty())                                   \
            QSKIP(qPrintable(zrnMissing_));                           \
        QString zrnDbError_;                                          \
        if (!TestDb::open(&zrnDbError_))                              \
            QFAIL(qPrintable(QStringLiteral("test database: ") + zrnDbError_)); \
    } while (0)
