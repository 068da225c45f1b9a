#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// A fresh database for a test suite on the backend named by ZRN_TEST_BACKEND:
// "sqlite" (a file in the process's own folder) or "mariadb" (the private
// server of the test command, ZRN_TEST_MYSQL_HOST/PORT/SOCKET/USER/PASSWORD).
namespace TestDb {
bool isMariaDb();
// Why a MariaDB suite cannot run here, or empty (a missing server is a
// failure instead when ZRN_TEST_REQUIRE_MARIADB is set).
QString mariaDbMissing();
// Opens the connection as the program would, with the schema and no rows.
bool open(QString *error);
// Deletes every row of every table, keeping the schema.
bool clear(QString *error);
void close();
// Runs one statement, or returns false with the error - for fixtures.
bool exec(const QString &sql, QString *error = nullptr);
// Runs the statements in order; stops at the first failure.
bool seed(const QStringList &statements, QString *error = nullptr);
// The first column of the first row (bound values): what the database holds.
// Invalid when no row comes back, "<error: ...>" when the statement fails.
QVariant value(const QString &sql, const QVariantList &binds = {});

// The small register most suites start from:
//   enterprise 1 "Alfa" (region TA, gps 49.1,16.1): centres 11 "a1" (licence 100), 12 "a2" (200);
//   enterprise 2 "Beta" (ST,TA): centres 21 "b1" (no licence), 22 "b2" (300);
//   enterprise 3 "Gama" (ST): centre 31 "g1" (400); enterprise 4 "Delta" (TA): no centre.
//   User 6 is assigned centres 12 and 21, user 7 centres 11, 21 and 31
//   (the users themselves are not inserted).
//   Root events: 101 under Alfa, 102 under centre 11 (reply 109), 103 under
//   centre 12 (reply 110), 104 under Beta, 105 under 21, 106 under 31, 107
//   under Gama, 108 under Delta; all open and not deleted.
bool seedSmallRegister(QString *error = nullptr);
}

// Use in init(): empties every table or fails the test.
#define ZRN_CLEAR_TEST_DB()                                           \
    do {                                                              \
        QString zrnClearError_;                                       \
        QVERIFY2(TestDb::clear(&zrnClearError_), qPrintable(zrnClearError_)); \
    } while (0)

// Fails the test with the database's message when a seed statement fails.
#define ZRN_SEED(...)                                                 \
    do {                                                              \
        QString zrnSeedError_;                                        \
        QVERIFY2(TestDb::seed(QStringList{__VA_ARGS__}, &zrnSeedError_), qPrintable(zrnSeedError_)); \
    } while (0)

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
