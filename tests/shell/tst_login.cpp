// Signing in: the saved credentials, the dialog once, the refusal, the user's
// rights as read from www_users, the login statistics and the audit row.

#include "app/dialoguzivatel.h"
#include "app/login.h"
#include "shellfixtures.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

using namespace ShellFixtures;

namespace {

// A scripted login dialog: records what it was shown and answers.
struct FakeDialog {
    bool cancel = false;
    QString typedLogin;
    QString typedPassword;
    int shown = 0;
    QString shownLogin;
    QString shownPassword;
    int denied = 0;

    Login::Callbacks callbacks()
    {
        Login::Callbacks c;
        c.askCredentials = [this](QString &login, QString &password) {
            ++shown;
            shownLogin = login;
            shownPassword = password;
            if (cancel)
                return false;
            login = typedLogin;
            password = typedPassword;
            return true;
        };
        c.denied = [this] { ++denied; };
        return c;
    }
};

} // namespace

class TstLogin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void signIn_data();
    void signIn();
    void rightsAreReadColumnByColumn();
    void quotesInLoginFindExactlyThatRow_data();
    void quotesInLoginFindExactlyThatRow();
    void successCountsAndAudits();
    void refusalWritesNothing();
    void dialogShowsAndReturnsCredentials();
    void dialogCancelReturnsFalse();

private:
    int m_novak = 0;
};

void TstLogin::initTestCase()
{
    ZRN_OPEN_TEST_DB();
    m_novak = addUser(fullRights("novak"), "Heslo-1");
    QVERIFY(m_novak > 0);
    QVERIFY(addUser(fullRights("o'neil"), "apostrof") > 0);
    QVERIFY(addUser(fullRights("neil"), "bez") > 0);
    QVERIFY(addUser(fullRights("x\\' or 1=1 -- "), "zpetne") > 0);
}

void TstLogin::signIn_data()
{
    QTest::addColumn<QString>("savedLogin");
    QTest::addColumn<QString>("savedPassword");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("typedLogin");
    QTest::addColumn<QString>("typedPassword");
    QTest::addColumn<int>("result");
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<bool>("credentialsChanged");

    const int ok = int(Login::Result::Accepted), no = int(Login::Result::Denied),
              cancel = int(Login::Result::Cancelled);
    QTest::newRow("saved match: no dialog") << "novak" << "Heslo-1" << false << "" << "" << ok << false << false;
    QTest::newRow("saved mismatch, dialog right") << "novak" << "stare" << false << "novak" << "Heslo-1" << ok << true << true;
    QTest::newRow("first start, dialog right") << "" << "" << false << "novak" << "Heslo-1" << ok << true << true;
    QTest::newRow("dialog wrong password") << "novak" << "stare" << false << "novak" << "heslo-1" << no << true << false;
    QTest::newRow("dialog unknown user") << "" << "" << false << "nikdo" << "Heslo-1" << no << true << false;
    QTest::newRow("dialog empty password") << "" << "" << false << "novak" << "" << no << true << false;
    QTest::newRow("cancel") << "novak" << "stare" << true << "" << "" << cancel << true << false;
    QTest::newRow("cancel at first start") << "" << "" << true << "" << "" << cancel << true << false;
}

void TstLogin::signIn()
{
    QFETCH(QString, savedLogin);
    QFETCH(QString, savedPassword);
    QFETCH(bool, cancel);
    QFETCH(QString, typedLogin);
    QFETCH(QString, typedPassword);
    QFETCH(int, result);
    QFETCH(bool, dialogShown);
    QFETCH(bool, credentialsChanged);

    FakeDialog dlg;
    dlg.cancel = cancel;
    dlg.typedLogin = typedLogin;
    dlg.typedPassword = typedPassword;
    QString login = savedLogin, password = savedPassword;
    const Login::Outcome out = Login::signIn(login, password, dlg.callbacks());

    QCOMPARE(int(out.result), result);
    QCOMPARE(dlg.shown, dialogShown ? 1 : 0);
    if (dialogShown) {
        // The dialog comes pre-filled with the saved values.
        QCOMPARE(dlg.shownLogin, savedLogin);
        QCOMPARE(dlg.shownPassword, savedPassword);
    }
    // "Přístup zamítnut." only for a refusal, never for Cancel.
    QCOMPARE(dlg.denied, out.result == Login::Result::Denied ? 1 : 0);
    QCOMPARE(out.credentialsChanged, credentialsChanged);
    if (out.result == Login::Result::Accepted) {
        QCOMPARE(out.user.login, QStringLiteral("novak"));
        QCOMPARE(out.user.id, m_novak);
        QCOMPARE(login, QStringLiteral("novak"));
        QCOMPARE(password, QStringLiteral("Heslo-1"));
    }
}

void TstLogin::rightsAreReadColumnByColumn()
{
    UserRights r;
    r.login = "pravo";
    r.vp = 1;
    r.admin = 2;
    r.minimal = 3;
    r.acls = 4;
    r.os = 5;
    r.region = "VY";
    r.udalosti = 6;
    r.sestavy = 7;
    r.fakturace = 8;
    r.cp = 9;
    r.stredisko_tech_cteni = 10;
    r.pristupy = 11;
    const int id = addUser(r, "p");
    QVERIFY(id > 0);
    QString hash;
    UserRights got;
    QVERIFY(Login::readUser("pravo", &hash, &got));
    QVERIFY(hash.startsWith("$2"));
    QCOMPARE(got.id, id);
    QCOMPARE(got.login, QStringLiteral("pravo"));
    QCOMPARE(got.vp, 1);
    QCOMPARE(got.admin, 2);
    QCOMPARE(got.minimal, 3);
    QCOMPARE(got.acls, 4);
    QCOMPARE(got.os, 5);
    QCOMPARE(got.region, QStringLiteral("VY"));
    QCOMPARE(got.udalosti, 6);
    QCOMPARE(got.sestavy, 7);
    QCOMPARE(got.fakturace, 8);
    QCOMPARE(got.cp, 9);
    QCOMPARE(got.stredisko_tech_cteni, 10);
    QCOMPARE(got.pristupy, 11);
}

void TstLogin::quotesInLoginFindExactlyThatRow_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expectedLogin"); // empty: no row
    QTest::newRow("apostrophe") << "o'neil" << "apostrof" << "o'neil";
    QTest::newRow("apostrophe, other user's password") << "o'neil" << "bez" << "";
    QTest::newRow("backslash and comment") << "x\\' or 1=1 -- " << "zpetne" << "x\\' or 1=1 -- ";
    QTest::newRow("injection with a real password") << "' or '1'='1" << "Heslo-1" << "";
    QTest::newRow("injection by comment") << "novak' -- " << "Heslo-1" << "";
}

void TstLogin::quotesInLoginFindExactlyThatRow()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, expectedLogin);
    FakeDialog dlg;
    dlg.cancel = true;
    QString l = login, p = password;
    const Login::Outcome out = Login::signIn(l, p, dlg.callbacks());
    if (expectedLogin.isEmpty()) {
        QVERIFY(out.result != Login::Result::Accepted);
        return;
    }
    QCOMPARE(int(out.result), int(Login::Result::Accepted));
    QCOMPARE(dlg.shown, 0);
    QCOMPARE(out.user.id, scalar("select id from www_users where login=?", expectedLogin));
}

void TstLogin::successCountsAndAudits()
{
    const UserRights r = fullRights("statistika");
    const int id = addUser(r, "s");
    QVERIFY(id > 0);
    QCOMPARE(scalar("select stat_zrn_cnt from www_users where id=?", id), 0);
    for (int i = 1; i <= 2; ++i) {
        QString l = "statistika", p = "s";
        QCOMPARE(int(Login::signIn(l, p, FakeDialog().callbacks()).result), int(Login::Result::Accepted));
        QCOMPARE(scalar("select stat_zrn_cnt from www_users where id=?", id), i);
    }
    QSSQL q;
    q.prepare("select ts,operace,stat_zrn_last from logovani, www_users "
              "where uzivatel=? and www_users.id=? order by ts");
    q.addBindValue("statistika");
    q.addBindValue(id);
    QVERIFY(q.exec());
    int rows = 0;
    while (q.next()) {
        ++rows;
        QCOMPARE(q.value(1).toInt(), Login::AuditLogin);
        QVERIFY(q.value(0).toDateTime().isValid());
        QCOMPARE(q.value(0).toDateTime().date(), QDate::currentDate());
        QCOMPARE(q.value(2).toDateTime().date(), QDate::currentDate());
    }
    QCOMPARE(rows, 2);
}

void TstLogin::refusalWritesNothing()
{
    const int before = scalar("select count(*) from logovani");
    const int count = scalar("select stat_zrn_cnt from www_users where id=?", m_novak);
    FakeDialog dlg;
    dlg.typedLogin = "novak";
    dlg.typedPassword = "spatne";
    QString l = "novak", p = "spatne";
    QCOMPARE(int(Login::signIn(l, p, dlg.callbacks()).result), int(Login::Result::Denied));
    QCOMPARE(scalar("select count(*) from logovani"), before);
    QCOMPARE(scalar("select stat_zrn_cnt from www_users where id=?", m_novak), count);
}

void TstLogin::dialogShowsAndReturnsCredentials()
{
    QString login = "novak", password = "stare";
    QString seenTitle, seenLogin, seenPassword;
    QSize seenSize;
    int minimumHeight = 0;
    bool passwordHidden = false;
    QTimer::singleShot(0, [&] {
        auto *dlg = qobject_cast<DialogUzivatel *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        seenTitle = dlg->windowTitle();
        seenSize = dlg->size();
        minimumHeight = dlg->minimumSizeHint().height();
        auto *jmeno = dlg->findChild<QLineEdit *>("le_jmeno");
        auto *heslo = dlg->findChild<QLineEdit *>("le_heslo");
        QVERIFY(jmeno && heslo);
        seenLogin = jmeno->text();
        seenPassword = heslo->text();
        passwordHidden = heslo->echoMode() == QLineEdit::Password;
        jmeno->setText("jana");
        heslo->setText("nove");
        dlg->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    });
    QVERIFY(DialogUzivatel::ask(login, password));
    QCOMPARE(seenTitle, QStringLiteral("Přihlašovací údaje do ZRN"));
    // 398 x 116 as designed, unless the platform's fonts need more height.
    QCOMPARE(seenSize, QSize(398, qMax(116, minimumHeight)));
    QCOMPARE(seenLogin, QStringLiteral("novak"));
    QCOMPARE(seenPassword, QStringLiteral("stare"));
    QVERIFY(passwordHidden);
    QCOMPARE(login, QStringLiteral("jana"));
    QCOMPARE(password, QStringLiteral("nove"));
}

void TstLogin::dialogCancelReturnsFalse()
{
    QString login = "novak", password = "stare";
    QTimer::singleShot(0, [] {
        auto *dlg = QApplication::activeModalWidget();
        QVERIFY(dlg);
        dlg->findChild<QLineEdit *>("le_jmeno")->setText("jiny");
        dlg->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    });
    QVERIFY(!DialogUzivatel::ask(login, password));
    QCOMPARE(login, QStringLiteral("novak"));
}

QTEST_MAIN(TstLogin)
#include "tst_login.moc"
