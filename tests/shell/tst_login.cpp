// Signing in: saved credentials, the dialog once, the refusal, the rights, statistics and audit row.

#include "app/dialoguzivatel.h"
#include "app/login.h"
#include "shellfixtures.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "support/uitest.h"

#include <QtWidgets>

using namespace ShellFixtures;

class TstLogin : public QObject
{
    Q_OBJECT
    QHash<QString, UserRights> m_users;
private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        // "pravo" has distinct values: a column read into the wrong field shows.
        const QList<QPair<UserRights, QString>> users{
            {fullRights("novak"), "Heslo-1"}, {fullRights("o'neil"), "apostrof"}, {fullRights("neil"), "bez"},
            {fullRights("x\\' or 1=1 -- "), "zpetne"},
            {UserRights{0, "pravo", 1, 2, 4, 3, 5, "VY", 6, 7, 8, 9, 10, 11}, "p"}};
        for (auto u : users) {
            u.first.id = addUser(u.first, u.second);
            QVERIFY(u.first.id > 0);
            m_users.insert(u.first.login, u.first);
        }
    }

    void signIn_data()
    {
        QTest::addColumn<QString>("savedLogin");
        QTest::addColumn<QString>("savedPassword");
        QTest::addColumn<QStringList>("typed"); // empty: the dialog is cancelled
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("dialogShown");
        QTest::addColumn<QString>("user"); // the row signed in
        const int ok = int(Login::Result::Accepted), no = int(Login::Result::Denied),
                  cancel = int(Login::Result::Cancelled);
        const QStringList right{"novak", "Heslo-1"};
        QTest::newRow("saved match: no dialog") << "novak" << "Heslo-1" << QStringList() << ok << false << "novak";
        QTest::newRow("saved mismatch, dialog right") << "novak" << "stare" << right << ok << true << "novak";
        QTest::newRow("first start, dialog right") << "" << "" << right << ok << true << "novak";
        QTest::newRow("distinct rights") << "pravo" << "p" << QStringList() << ok << false << "pravo";
        QTest::newRow("dialog wrong password") << "novak" << "stare" << QStringList{"novak", "heslo-1"} << no << true << "";
        QTest::newRow("dialog unknown user") << "" << "" << QStringList{"nikdo", "Heslo-1"} << no << true << "";
        QTest::newRow("dialog empty password") << "" << "" << QStringList{"novak", ""} << no << true << "";
        QTest::newRow("cancel") << "novak" << "stare" << QStringList() << cancel << true << "";
        // The login is a bound value: quotes find exactly the row of that text.
        QTest::newRow("apostrophe") << "o'neil" << "apostrof" << QStringList() << ok << false << "o'neil";
        QTest::newRow("apostrophe, other user's password") << "o'neil" << "bez" << QStringList() << cancel << true << "";
        QTest::newRow("backslash and comment") << "x\\' or 1=1 -- " << "zpetne" << QStringList() << ok << false
                                               << "x\\' or 1=1 -- ";
        QTest::newRow("injection") << "' or '1'='1" << "Heslo-1" << QStringList() << cancel << true << "";
        QTest::newRow("injection by comment") << "novak' -- " << "Heslo-1" << QStringList() << cancel << true << "";
    }
    void signIn()
    {
        QFETCH(QString, savedLogin);
        QFETCH(QString, savedPassword);
        QFETCH(QStringList, typed);
        QFETCH(bool, dialogShown);
        QFETCH(QString, user);
        // Only a success counts in www_users and leaves an audit row.
        const QString tried = typed.value(0, savedLogin);
        const QString count = "select stat_zrn_cnt from www_users where login=?";
        const QString audits = "select count(*) from logovani where uzivatel=? and operace=?";
        const int counted = TestDb::value(count, {tried}).toInt();
        const int audited = TestDb::value(audits, {tried, Login::AuditLogin}).toInt();
        ScriptedDialog dlg;
        dlg.typed = typed;
        QString login = savedLogin, password = savedPassword;
        const Login::Outcome out = Login::signIn(login, password, dlg.callbacks());
        const int success = out.result == Login::Result::Accepted ? 1 : 0;
        QCOMPARE(TestDb::value(count, {tried}).toInt(), counted + success);
        QCOMPARE(TestDb::value(audits, {tried, Login::AuditLogin}).toInt(), audited + success);
        QTEST(int(out.result), "result");
        QCOMPARE(dlg.shown, dialogShown ? 1 : 0);
        // The dialog comes pre-filled with the saved values.
        QCOMPARE(dlg.shownLogin, dialogShown ? savedLogin : QString());
        QCOMPARE(dlg.shownPassword, dialogShown ? savedPassword : QString());
        // "Přístup zamítnut." only for a refusal, never for Cancel.
        QCOMPARE(dlg.denied, out.result == Login::Result::Denied ? 1 : 0);
        // Credentials typed into the dialog are kept for the next start.
        QCOMPARE(out.credentialsChanged, dialogShown && out.result == Login::Result::Accepted);
        if (out.result == Login::Result::Accepted) {
            QCOMPARE(out.user.id, m_users.value(user).id);
            QCOMPARE(rightsValues(out.user), rightsValues(m_users.value(user)));
            QCOMPARE(login, user);
            const QDate today = QDate::currentDate();
            QCOMPARE(TestDb::value("select max(ts) from logovani where uzivatel=?", {user}).toDateTime().date(), today);
            const QString lastLogin = "select stat_zrn_last from www_users where login=?";
            QCOMPARE(TestDb::value(lastLogin, {user}).toDateTime().date(), today);
        }
    }

    void dialog_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("OK") << true;
        QTest::newRow("Cancel") << false;
    }
    void dialog()
    {
        QFETCH(bool, ok);
        QString login = "novak", password = "stare";
        QStringList seen; // login, password, echo mode of the password
        ModalHandler answer([&](QWidget *modal) {
            auto *jmeno = modal->findChild<QLineEdit *>("le_jmeno");
            auto *heslo = modal->findChild<QLineEdit *>("le_heslo");
            if (!qobject_cast<DialogUzivatel *>(modal) || !jmeno || !heslo)
                return false;
            seen << jmeno->text() << heslo->text() << QString::number(heslo->echoMode());
            jmeno->setText("jana");
            heslo->setText("nove");
            modal->findChild<QDialogButtonBox *>()->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
            return true;
        });
        QCOMPARE(DialogUzivatel::ask(login, password), ok);
        QVERIFY(answer.handled());
        QCOMPARE(seen, (QStringList{"novak", "stare", QString::number(QLineEdit::Password)}));
        // Cancel hands back nothing of what was typed.
        QCOMPARE(login, ok ? QStringLiteral("jana") : QStringLiteral("novak"));
        QCOMPARE(password, ok ? QStringLiteral("nove") : QStringLiteral("stare"));
    }
};

ZRN_TEST_MAIN(TstLogin)
#include "tst_login.moc"
