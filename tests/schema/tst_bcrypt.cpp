#include "app/login.h"
#include "db/bcrypt.h"
#include "db/users.h"

#include <QtTest>

#include "support/testmain.h"

namespace {
// Published test vectors (OpenBSD / jBCrypt / Openwall), "$2a$" form.
const char *const kVectors[][2] = {
    {"", "$2a$06$DCq7YPn5Rq63x1Lad4cll.TV4S6ytwfsfvkgY8jIucDrjc8deX1s."},
    {"~!@#$%^&*()      ~!@#$%^&*()PNBFRD", "$2a$06$fPIsBO8qRqkjj273rfaOI.HtSV9jLDpTbZn782DC6/t7qT67P6FfO"},
    {"U*U", "$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW"},
};

QByteArray withPrefix(const char *hash, const char *prefix)
{
    return QByteArray(hash).replace(0, 4, prefix);
}
}

class TestBcrypt : public QObject
{
    Q_OBJECT

private slots:
    void checkpw_data()
    {
        QTest::addColumn<QByteArray>("password");
        QTest::addColumn<QByteArray>("hash");
        QTest::addColumn<bool>("matches");
        for (const auto &v : kVectors) {
            // Old implementations differ only in their 8-bit handling; for these passwords the hash is the same.
            for (const char *prefix : {"$2a$", "$2b$", "$2y$"})
                QTest::addRow("\"%s\" %s", v[0], prefix) << QByteArray(v[0]) << withPrefix(v[1], prefix) << true;
            QTest::addRow("\"%s\" wrong password", v[0]) << QByteArray(v[0]).append('x') << QByteArray(v[1]) << false;
        }
        const QByteArray uu("$2a$05$CCCCCCCCCCCCCCCCCCCCC.E5YPO9kmyuRGyh0XouQYb4YMJKvyOeW");
        QTest::newRow("8-bit password, $2y$") << QByteArray("\xa3") << QByteArray("$2y$05$/OK.fbVrR/bpIqNJ5ianF.Sa7shbm4.OzKpvFnX1pQLmQW96oUlCq") << true;
        QTest::newRow("case matters") << QByteArray("u*u") << uu << false;
        QTest::newRow("hash cut short") << QByteArray("U*U") << uu.chopped(1) << false;
        // Weak schemes of crypt(3) are not bcrypt: a row holding one never logs in.
        QTest::newRow("DES crypt of the right password") << QByteArray("secret") << QByteArray("abNANd1rDfiNc") << false;
    }
    void checkpw()
    {
        QFETCH(QByteArray, password);
        QFETCH(QByteArray, hash);
        QTEST(mcrypt_checkpw(password.constData(), hash.constData()) == 0, "matches");
    }

    void hashpw()
    {
        const QByteArray salt = mcrypt_gensalt();
        QVERIFY2(salt.startsWith("$2y$10$") && salt.size() == 29, salt.constData());
        QVERIFY2(salt != mcrypt_gensalt(), "two salts in a row are the same");
        QVERIFY(mcrypt_gensalt(4).startsWith("$2y$04$"));
        QVERIFY(mcrypt_gensalt(3).isEmpty());
        const QByteArray hash = mcrypt_hashpw("heslo123", salt.constData());
        QVERIFY2(hash.startsWith(salt) && hash.size() == 60, hash.constData());
        QCOMPARE(mcrypt_checkpw("heslo123", hash.constData()), 0);
        QVERIFY(mcrypt_checkpw("heslo124", hash.constData()) != 0);
        // A "$2b$" salt (other tools) still gives the "$2y$" form, same hash.
        QCOMPARE(mcrypt_hashpw("heslo123", withPrefix(salt.constData(), "$2b$").constData()), hash);
        QVERIFY(mcrypt_hashpw("x", "not a salt").isEmpty());
    }

    // Typed passwords against stored hashes: ours (over Latin-1 where the password fits, else over UTF-8), the web
    // applications' (bcryptjs over UTF-8) and earlier clients' (over Latin-1, "?" for any other letter).
    void typedPasswords_data()
    {
        QTest::addColumn<QString>("hash");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");
        const auto ours = [](const char *pw) { return QString::fromLatin1(Users::hashPassword(pw)); };
        const auto earlier = [](const QByteArray &pw) {
            return QString::fromLatin1(mcrypt_hashpw(pw.constData(), mcrypt_gensalt(4).constData()));
        };
        const QString web = QStringLiteral("$2y$10$ww8QwrDMGcHRIijAmaQsDuwpwNBZz5Uqi5bF4i.9NTe2dkdSnpVM2");
        const QString latin1 = earlier(QStringLiteral("Grüße").toLatin1());
        QTest::newRow("Latin-1 accents") << ours("Grüße café") << "Grüße café" << true;
        QTest::newRow("Latin-1 accent is not ?") << ours("café") << "caf?" << false;
        QTest::newRow("Czech letters") << ours("Žluťoučký kůň") << "Žluťoučký kůň" << true;
        QTest::newRow("Czech letter differs") << ours("Žluť") << "Žlut" << false;
        QTest::newRow("outside Latin-1 is not ?") << ours("Žluť") << "?lu?" << false;
        QTest::newRow("web application") << web << "Řeřicha žluťoučká" << true;
        QTest::newRow("web application, no accents") << web << "Rericha zlutoucka" << false;
        QTest::newRow("web application, ? for letters") << web << "?e?icha žlu?ou?ká" << false;
        QTest::newRow("earlier client, ? for letters") << earlier("?lu? k??") << "Žluť kůň" << true;
        QTest::newRow("earlier client, Latin-1") << latin1 << "Grüße" << true;
        QTest::newRow("earlier client, no accents") << latin1 << "Grusse" << false;
    }
    void typedPasswords()
    {
        QFETCH(QString, hash);
        QFETCH(QString, typed);
        QTEST(Login::passwordMatches(typed, hash), "matches");
    }
};

ZRN_TEST_GUILESS_MAIN(TestBcrypt)
#include "tst_bcrypt.moc"
