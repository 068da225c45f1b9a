#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

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
// Runs the statements in order; stops at the first failure.
bool seed(const QStringList &statements, QString *error = nullptr);
// The first column of the first row of a statement with bound values: what
// the database holds. An invalid QVariant when no row comes back, and the
// text "<error: ...>" when the statement fails, so a comparison shows why.
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
