// bcrypt over libxcrypt: hashes written by other bcrypt implementations are
// accepted in all three prefixes, and what we write is the "$2y$" form the
// web applications sharing www_users expect.

#include "db/bcrypt.h"
#include "db/users.h"

#include <QtTest>

class TestBcrypt : public QObject
{
    Q_OBJECT

private slots:
    void checkpw_data();
    void checkpw();
    void gensalt_data();
    void gensalt();
    void hashpwRoundTrip();
    void hashpwReusesStoredHashAsSalt();
    void typedPasswords_data();
    void typedPasswords();
};

namespace {
// Published test vectors (OpenBSD / jBCrypt / Openwall), "$2a$" form.
struct Vector {
    const char *password;
    const char *hash;
};
const Vector kVectors[] = {
    {"", "$2a$06$DCq7YPn5Rq63x1Lad4cll.TV4S6ytwfsfvkgY8jIucDrjc8deX1s."},
    {"a", "$2a$06$m0CrhHm10qJ3lXRY.5zDGO3rS2KdeeWLuGmsfGlMfOxih58VYVfxe"},
    {"abc", "$2a$06$If6bvum7DFjUnE9p2uDeDu0YHzrHM6tf.iqN8.yx.jNN1ILEf7h0i"},
    {"abcdefghijklmnopqrstuvwxyz", "$2a$06$.rCVZVOThsIa97pEDOxvGuRRgzG64bvtJ0938xuqzv18d3ZpQhstC"},
    {"~!@#$%^&*()      ~!@#$%^&*()PNBFRD", "$2a$06$fPIsBO8qRqkjj273rfaOI.HtSV9jLDpTbZn782DC6/t7qT67P6FfO"},
    {"", "$2a$10$k1wbIrmNyFAPwPVPSVa/zecw2BCEnBwVS2GbrmgzxFUOqW9dk4TCW"},
    {"U*U", "$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW"},
};

QByteArray withPrefix(const char *hash, const char *prefix)
{
    QByteArray h(hash);
    h.replace(0, 4, prefix);
    return h;
}
}

void TestBcrypt::checkpw_data()
{
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("hash");
    QTest::addColumn<bool>("matches");

    int i = 0;
    for (const Vector &v : kVectors) {
        ++i;
        // The three prefixes differ only for broken 8-bit handling of old
        // implementations; for these passwords the hash is the same.
        for (const char *prefix : {"$2a$", "$2b$", "$2y$"}) {
            const QByteArray hash = withPrefix(v.hash, prefix);
            QTest::addRow("vector %d %s", i, prefix) << QByteArray(v.password) << hash << true;
        }
        QTest::addRow("vector %d wrong password", i) << QByteArray(v.password).append('x') << QByteArray(v.hash) << false;
    }
    QTest::newRow("8-bit password, $2y$")
        << QByteArray("\xa3") << QByteArray("$2y$05$/OK.fbVrR/bpIqNJ5ianF.Sa7shbm4.OzKpvFnX1pQLmQW96oUlCq") << true;
    QTest::newRow("case matters") << QByteArray("u*u")
                                  << QByteArray("$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW") << false;
    QTest::newRow("hash cut short") << QByteArray("U*U")
                                    << QByteArray("$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOe") << false;
    QTest::newRow("hash with one character changed")
        << QByteArray("U*U") << QByteArray("$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeX") << false;
    QTest::newRow("empty hash") << QByteArray("") << QByteArray("") << false;
    QTest::newRow("not a hash") << QByteArray("secret") << QByteArray("secret") << false;
    // Weak schemes of crypt(3) are not bcrypt: a row holding one never logs in.
    QTest::newRow("DES crypt of the right password") << QByteArray("secret") << QByteArray("abNANd1rDfiNc") << false;
    QTest::newRow("MD5 crypt of the right password")
        << QByteArray("secret") << QByteArray("$1$abcdefgh$cHJi5PXp/ki/ktXzqlk6I1") << false;
}

void TestBcrypt::checkpw()
{
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, hash);
    QFETCH(bool, matches);
    QCOMPARE(mcrypt_checkpw(password.constData(), hash.constData()) == 0, matches);
}

void TestBcrypt::gensalt_data()
{
    QTest::addColumn<int>("cost");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("default cost 10") << -1 << QByteArray("$2y$10$");
    QTest::newRow("cost 4") << 4 << QByteArray("$2y$04$");
    QTest::newRow("cost 12") << 12 << QByteArray("$2y$12$");
    QTest::newRow("cost 3 refused") << 3 << QByteArray();
    QTest::newRow("cost 32 refused") << 32 << QByteArray();
}

void TestBcrypt::gensalt()
{
    QFETCH(int, cost);
    QFETCH(QByteArray, prefix);
    const QByteArray a = cost < 0 ? mcrypt_gensalt() : mcrypt_gensalt(cost);
    if (prefix.isEmpty()) {
        QVERIFY(a.isEmpty());
        return;
    }
    QVERIFY2(a.startsWith(prefix), a.constData());
    QCOMPARE(a.size(), 29);
    const QByteArray b = cost < 0 ? mcrypt_gensalt() : mcrypt_gensalt(cost);
    QVERIFY2(a != b, "two salts in a row are the same");
}

void TestBcrypt::hashpwRoundTrip()
{
    const QByteArray salt = mcrypt_gensalt(10);
    const QByteArray hash = mcrypt_hashpw("heslo123", salt.constData());
    QVERIFY2(hash.startsWith(salt), hash.constData());
    QCOMPARE(hash.size(), 60);
    QCOMPARE(mcrypt_checkpw("heslo123", hash.constData()), 0);
    QVERIFY(mcrypt_checkpw("heslo124", hash.constData()) != 0);
    QVERIFY(mcrypt_checkpw("", hash.constData()) != 0);

    // A "$2b$" salt (other tools) still gives the "$2y$" form, same hash.
    const QByteArray bsalt = withPrefix(salt.constData(), "$2b$");
    const QByteArray fromB = mcrypt_hashpw("heslo123", bsalt.constData());
    QCOMPARE(fromB, hash);

    QVERIFY(mcrypt_hashpw("x", "not a salt").isEmpty());
}

void TestBcrypt::hashpwReusesStoredHashAsSalt()
{
    for (const Vector &v : kVectors) {
        const QByteArray y = withPrefix(v.hash, "$2y$");
        QCOMPARE(mcrypt_hashpw(v.password, y.constData()), y);
        QCOMPARE(mcrypt_hashpw(v.password, withPrefix(v.hash, "$2b$").constData()), y);
    }
}

void TestBcrypt::typedPasswords_data()
{
    QTest::addColumn<QString>("stored");   // the typed text that was hashed
    QTest::addColumn<QString>("typed");    // the text typed at login
    QTest::addColumn<bool>("matches");
    QTest::newRow("same text") << QStringLiteral("Heslo-2024") << QStringLiteral("Heslo-2024") << true;
    QTest::newRow("different text") << QStringLiteral("Heslo-2024") << QStringLiteral("heslo-2024") << false;
    QTest::newRow("Latin-1 accents") << QStringLiteral("Grüße café") << QStringLiteral("Grüße café") << true;
    QTest::newRow("Latin-1 accent is not ?") << QStringLiteral("café") << QStringLiteral("caf?") << false;
    // The login check hashes Latin-1 bytes: characters outside Latin-1 all
    // become '?', so such passwords are only as strong as that allows.
    QTest::newRow("outside Latin-1 reads as ?") << QStringLiteral("Žluť") << QStringLiteral("?lu?") << true;
}

void TestBcrypt::typedPasswords()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    QFETCH(bool, matches);
    const QByteArray hash = Users::hashPassword(stored);
    QVERIFY2(hash.startsWith("$2y$10$"), hash.constData());
    QCOMPARE(Users::checkPassword(typed, QString::fromLatin1(hash)), matches);
}

QTEST_APPLESS_MAIN(TestBcrypt)
#include "tst_bcrypt.moc"
