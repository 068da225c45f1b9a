// "Uživatelé" and "Control Panel": what the dialogs store, who signs in after, refusals, list state, missing rights.

#include "admin/controlpaneltab.h"
#include "admin/dialogaucp.h"
#include "admin/dialogauuzivatel.h"
#include "admin/userstab.h"
#include "app/login.h"
#include "core/session.h"
#include "core/usersettings.h"
#include "db/bcrypt.h"
#include "db/database.h"
#include "db/qssql.h"
#include "support/testdb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTextEdit>
#include <QtTest>

#include "core/clashdialog.h"
#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const QString salt = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXY./");
const QString legacy = QStringLiteral("5f4dcc3b5aa765d61d8327deb882cf99");

void insert(const QString &login, const char *admin = "NULL")
{
    const QString hash = QString::fromLatin1(mcrypt_hashpw("p", mcrypt_gensalt(4).constData()));
    ZRN_SEED(QStringLiteral("insert into www_users(login,password,admin,stat_zrn_cnt) values('%1','%2',%3,0)")
                 .arg(login, hash, QLatin1String(admin)),
             QStringLiteral("insert into qml.acl(uzivatel) values('%1')").arg(login));
}

// Logins of both tables and the admin column, to see whether anything changed.
QString snapshot()
{
    QSSQL q;
    q.exec(QStringLiteral("select login,admin from www_users order by id"));
    QString all;
    while (q.next())
        all += q.value(0).toString() + '=' + q.value(1).toString() + ' ';
    q.exec(QStringLiteral("select uzivatel from qml.acl order by id"));
    while (q.next())
        all += q.value(0).toString() + ' ';
    return all;
}

QString selectedLogin(QTableView *view)
{
    const QModelIndexList s = view->selectionModel()->selectedIndexes();
    return s.isEmpty() ? QString() : view->model()->index(s.first().row(), 1).data().toString();
}

// Both tabs with their lists loaded.
struct Tabs {
    UsersTab users;
    ControlPanelTab panel;
    QTableView *usersView = childNamed<QTableView>(&users, "twu");
    QTableView *panelView = childNamed<QTableView>(&panel, "tcp");
    explicit Tabs(Session *s) : users(s), panel(s)
    {
        users.enter();
        panel.enter();
    }
    // Selects the user in both lists, as they are after a save; "" none.
    void select(const QString &login)
    {
        usersView->clearSelection();
        panelView->clearSelection();
        if (!login.isEmpty()) {
            users.onRefreshModelAccess(TestDb::value("select id from www_users where login=?", {login}).toInt());
            panel.onRefreshModelCP(TestDb::value("select id from qml.acl where uzivatel=?", {login}).toInt());
        }
    }
    // Clicks the button; a dialog it opens gets fill and OK, one left open (refused) is cancelled. True: accepted.
    bool run(const QString &button, const std::function<void(QDialog *)> &fill = {})
    {
        bool accepted = false;
        ModalHandler handler([&](QWidget *modal) {
            auto *d = qobject_cast<QDialog *>(modal);
            if (!d || qobject_cast<QMessageBox *>(modal))
                return false;
            if (fill)
                fill(d);
            childNamed<QDialogButtonBox>(d, "buttonBox")->button(QDialogButtonBox::Ok)->click();
            accepted = !d->isVisible() && d->result() == QDialog::Accepted;
            if (d->isVisible())
                d->reject();
            return true;
        });
        QWidget *tab = button.endsWith("_cp") ? static_cast<QWidget *>(&panel) : &users;
        tab->findChild<QAbstractButton *>(button)->click();
        return accepted;
    }
};

} // namespace

class TstUserAdmin : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init()
    {
        TestDb::exec(QStringLiteral("drop trigger if exists zrn_refuse"));
        TestDb::exec(QStringLiteral("drop trigger if exists qml.zrn_refuse"));
        ZRN_CLEAR_TEST_DB();
        QFile::remove(ZrnSettings::path());
        insert(QStringLiteral("spravce"), "1");
        m_session.user = UserRights();
        m_session.user.login = QStringLiteral("spravce");
        m_session.user.id = TestDb::value("select id from www_users where login='spravce'").toInt();
        m_session.user.admin = 1;
        m_session.user.cp = 1;
    }

    void addStoresEveryRule_data()
    {
        QTest::addColumn<bool>("on");
        QTest::newRow("boxes off, first items, password only typed") << false;
        QTest::newRow("boxes on, last items, hashed with the button") << true;
    }
    void addStoresEveryRule()
    {
        QFETCH(bool, on);
        MessageBoxAnswerer boxes;
        Tabs tabs(&m_session);
        const bool accepted = tabs.run("add_uzivatel", [&](QDialog *d) {
            childNamed<QLineEdit>(d, "uzivatel")->setText("nova");
            childNamed<QLineEdit>(d, "heslo")->setText("Tajne-1");
            if (on)
                childNamed<QPushButton>(d, "pushButton")->click();
            for (QCheckBox *b : d->findChildren<QCheckBox *>())
                b->setChecked(on);
            QCOMPARE(childNamed<QWidget>(d, "wacls")->isEnabled(), on);
            for (QComboBox *c : d->findChildren<QComboBox *>())
                c->setCurrentIndex(on ? c->count() - 1 : 0);
            childNamed<QLineEdit>(d, "region")->setText(on ? "TA" : "");
        });
        QVERIFY2(accepted, qPrintable(boxes.messages.join('\n')));

        QSSQL q;
        q.exec("select admin,minimal,acls,sestavy,pristupy,cp,stredisko_tech_cteni,vp,os,udalosti,fakturace,region "
               "from www_users where login='nova'");
        QVERIFY(q.next());
        QStringList stored;
        for (int i = 0; i < 12; ++i)
            stored << (q.value(i).isNull() ? "NULL" : q.value(i).toString());
        QCOMPARE(stored.join(','), on ? QStringLiteral("1,1,1,1,1,1,1,2,2,2,3,TA")
                                      : QStringLiteral("NULL,NULL,NULL,NULL,NULL,NULL,NULL,0,0,0,0,NULL"));
        // The new user signs in with the typed password and these rights.
        QString hash;
        UserRights rights;
        QVERIFY(UserRights::read("nova", &hash, &rights));
        QVERIFY(hash.startsWith("$2y$10$"));
        QVERIFY(Login::passwordMatches("Tajne-1", hash));
        QCOMPARE(rights.hasInvoicingTab(), on);
        QCOMPARE(rights.hasUsersTab(), on);
        QCOMPARE(selectedLogin(tabs.usersView), QStringLiteral("nova"));
    }

    void editKeepsWhatIsNotChanged_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("stored");   // vp,fakturace,password
        QTest::newRow("untouched: 5 and NULL stay") << "" << "NULL,5,legacy";
        QTest::newRow("chosen items store their index") << "combos" << "0,1,legacy";
        QTest::newRow("emptied hash stores NULL") << "hash" << "NULL,5,NULL";
        QTest::newRow("typed password replaces the hash") << "password" << "NULL,5,new";
    }
    void editKeepsWhatIsNotChanged()
    {
        QFETCH(QString, change);
        QVERIFY(TestDb::exec("insert into www_users(login,password,vp,admin,minimal,os,udalosti,fakturace,region,"
                             "stat_zrn_last,stat_zrn_cnt) values('upravit','" + legacy + "',NULL,2,0,1,2,5,'TA',"
                             "'2024-03-05 07:08:09',4)"));
        MessageBoxAnswerer boxes;
        Tabs tabs(&m_session);
        tabs.select("upravit");
        const QModelIndex cell = tabs.usersView->selectionModel()->selectedIndexes().value(0);
        QCOMPARE(cell.siblingAtColumn(15).data().toString(), QStringLiteral("05.03.2024 07:08:09"));
        QStringList shown;
        const bool accepted = tabs.run("edit_uzivatel", [&](QDialog *d) {
            for (const char *c : {"vp", "fakturace", "os"})
                shown << childNamed<QComboBox>(d, c)->currentText();
            shown << childNamed<QLineEdit>(d, "heslobcrypted")->text() << (childNamed<QCheckBox>(d, "admin")->isChecked() ? "on" : "off");
            if (change == "combos") {
                childNamed<QComboBox>(d, "vp")->setCurrentIndex(0);
                childNamed<QComboBox>(d, "fakturace")->setCurrentIndex(1);
            } else if (change == "hash") {
                childNamed<QLineEdit>(d, "heslobcrypted")->clear();
            } else if (change == "password") {
                childNamed<QLineEdit>(d, "heslo")->setText("Nove-2");
            }
        });
        QVERIFY2(accepted, qPrintable(boxes.messages.join('\n')));
        QCOMPARE(shown, (QStringList{"(nevyplněno)", "5 (uložená hodnota)", "Střediska", legacy, "on"}));

        QSSQL q;
        q.exec("select vp,fakturace,password,admin,minimal,os,udalosti,region from www_users where login='upravit'");
        QVERIFY(q.next());
        QString password = q.value(2).isNull() ? "NULL" : q.value(2).toString();
        if (password == legacy)
            password = "legacy";
        else if (Login::passwordMatches("Nove-2", password))
            password = "new";
        QTEST((q.value(0).isNull() ? "NULL" : q.value(0).toString()) + ',' + q.value(1).toString() + ',' + password,
              "stored");
        // admin 2 comes back as the box's 1, minimal 0 as NULL, the rest as loaded.
        QCOMPARE(q.value(3).toInt(), 1);
        QVERIFY(q.value(4).isNull());
        QCOMPARE(q.value(5).toString() + ',' + q.value(6).toString() + ',' + q.value(7).toString(), QStringLiteral("1,2,TA"));
        QCOMPARE(selectedLogin(tabs.usersView), QStringLiteral("upravit"));
    }

    void editClashesWithAColleague()
    {
        QVERIFY(TestDb::exec("insert into www_users(login,password,region,os,udalosti) values('upravit','$2a$10$" + salt
                             + "','TA',1,1)"));
        QVector<Clash> asked;
        ClashDialog::setResolver([&](QWidget *, QVector<Clash> *clashes) {
            asked = *clashes;   // the user keeps the own value
            return true;
        });
        Tabs tabs(&m_session);
        tabs.select("upravit");
        const bool accepted = tabs.run("edit_uzivatel", [&](QDialog *d) {
            // While the dialog is open a colleague changes the region and the events right.
            QVERIFY(TestDb::exec("update www_users set region='ST', udalosti=2 where login='upravit'"));
            childNamed<QLineEdit>(d, "region")->setText("LI");
            childNamed<QLineEdit>(d, "heslobcrypted")->setText("$2b$10$" + salt);
        });
        ClashDialog::setResolver({});
        QVERIFY(accepted);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().label, QStringLiteral("Omezit region"));
        QSSQL q;
        QVERIFY(q.exec("select region,udalosti,password from www_users where login='upravit'") && q.next());
        QCOMPARE(q.value(0).toString() + ',' + q.value(1).toString() + ',' + q.value(2).toString().left(4),
                 QStringLiteral("LI,2,$2b$"));
        // The history has the new password without any value of it.
        QCOMPARE(TestDb::value("select count(*) from zrn_historie where tabulka='www_users' and sloupec='password'"
                        " and puvodni_hodnota is null and nova_hodnota is null").toInt(), 1);
        QCOMPARE(TestDb::value("select count(*) from zrn_historie where puvodni_hodnota like '%$2%' or nova_hodnota like '%$2%'").toInt(), 0);
    }

    void passwordFields_data()
    {
        QTest::addColumn<bool>("cp");
        QTest::addColumn<QString>("loaded");     // the stored hash the dialog opens with
        QTest::addColumn<QString>("hash");       // typed into the hash field; null: left
        QTest::addColumn<QString>("password");   // typed and hashed with the button; null: not
        QTest::addColumn<QString>("message");    // how the first box begins; "" none
        QTest::addColumn<bool>("accepted");      // by OK; a question is answered so
        const QString sha1 = QStringLiteral("5baa61e4c9b93f3f0682250b6cf8331b7ee68fd8");
        const QString none, form = "ZRN Pole zašifrovaného hesla neobsahuje platný ";
        QTest::newRow("users: $2a$ hash") << false << "" << "$2a$10$" + salt << none << "" << true;
        QTest::newRow("users: one character short") << false << "" << "$2y$10$" + salt.left(52) << none << form << false;
        QTest::newRow("users: cost 99") << false << "" << "$2b$99$" + salt << none << form << false;
        QTest::newRow("users: a plain password") << false << "" << "heslo123" << none << form << false;
        QTest::newRow("users: loaded legacy hash") << false << legacy << legacy << none << "" << true;
        QTest::newRow("users: emptied") << false << legacy << "" << none << "" << true;
        QTest::newRow("cp: sha-1") << true << "" << sha1 << none << "" << true;
        QTest::newRow("cp: upper-case sha-1") << true << "" << sha1.toUpper() << none << form << false;
        QTest::newRow("cp: 39 digits") << true << "" << sha1.left(39) << none << form << false;
        QTest::newRow("cp: a bcrypt hash") << true << "" << "$2a$10$" + salt << none << form << false;
        QTest::newRow("cp: loaded legacy hash") << true << legacy << legacy << none << "" << true;
        // OK does not let a typed password through that could not be hashed.
        QTest::newRow("typed: empty") << false << legacy << none << "" << "ZRN Zadejte heslo" << true;
        QTest::newRow("typed: outside Latin-1, go on") << false << legacy << none << "Řepa-1" << "Otázka Heslo obsahuje znaky mimo" << true;
        QTest::newRow("typed: outside Latin-1, stop") << false << legacy << none << "Řepa-1" << "Otázka Heslo obsahuje znaky mimo" << false;
        QTest::newRow("typed: over 72 bytes, go on") << false << legacy << none << QString(80, 'a') << "Otázka Heslo je delší než 72" << true;
        QTest::newRow("typed: salt generation fails") << false << legacy << none << "x" << "ZRN Heslo nelze zašifrovat" << false;
    }
    void passwordFields()
    {
        QFETCH(bool, cp);
        QFETCH(QString, loaded);
        QFETCH(QString, hash);
        QFETCH(QString, password);
        QFETCH(QString, message);
        QFETCH(bool, accepted);
        MessageBoxAnswerer boxes(accepted ? QMessageBox::Yes : QMessageBox::No);
        DialogAUUzivatel users;
        DialogAUCP panel;
        users.setValues({"x", loaded, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
        panel.setValues({"x", loaded, {}, {}});
        if (QByteArray(QTest::currentDataTag()) == "typed: salt generation fails")
            users.setHasher([](const QString &) { return QByteArray(); });
        QDialog *d = cp ? static_cast<QDialog *>(&panel) : &users;
        auto *hashField = childNamed<QLineEdit>(d, "heslobcrypted");
        if (!hash.isNull())
            hashField->setText(hash);
        if (!password.isNull()) {
            childNamed<QLineEdit>(d, "heslo")->setText(password);
            childNamed<QPushButton>(d, "pushButton")->click();
            const bool hashed = accepted && !password.isEmpty();
            QCOMPARE(hashField->text() != loaded, hashed);
            QCOMPARE(childNamed<QLineEdit>(d, "heslo")->text().isEmpty(), hashed || password.isEmpty());
            if (hashed)
                QVERIFY(Login::passwordMatches(password, hashField->text()));
        }
        const QString shown = hashField->text();
        childNamed<QDialogButtonBox>(d, "buttonBox")->button(QDialogButtonBox::Ok)->click();
        QCOMPARE(d->result() == QDialog::Accepted, accepted);
        QVERIFY2(message.isEmpty() ? boxes.messages.isEmpty() : boxes.messages.value(0).startsWith(message),
                 qPrintable(boxes.messages.join('\n')));
        if (password.isNull())
            QCOMPARE(boxes.messages.size(), message.isEmpty() ? 0 : 1);
        QCOMPARE(hashField->text(), shown);   // a refused hash stays to be corrected
        if (!accepted && !password.isNull())
            QCOMPARE(users.getValues().password.toString(), loaded);
    }

    void controlPanel()
    {
        // SHA-1 of the UTF-8 bytes, as the control panel compares at its login.
        const QString sha1 = QStringLiteral("85fd76f9e0d393cdb909d41645ced571d7aff75a");
        MessageBoxAnswerer boxes(QMessageBox::No);
        Tabs tabs(&m_session);
        QVERIFY(tabs.run("add_cp", [](QDialog *d) {
            childNamed<QLineEdit>(d, "uzivatel")->setText("zeta");
            childNamed<QLineEdit>(d, "heslo")->setText("žluťoučký kůň");   // typed, not hashed
            childNamed<QLineEdit>(d, "poznamka")->setText("pozn");
            childNamed<QLineEdit>(d, "idlist")->setText("3, 1,x");
        }));
        const QString row = "select concat(heslo,'|',coalesce(poznamka,'NULL'),'|',idlist) from qml.acl"
                            " where uzivatel='zeta'";
        QCOMPARE(TestDb::value(row).toString(), sha1 + "|pozn|3, 1,x");
        QCOMPARE(selectedLogin(tabs.panelView), QStringLiteral("zeta"));

        QVERIFY(tabs.run("edit_cp", [](QDialog *d) { childNamed<QLineEdit>(d, "poznamka")->clear(); }));
        QCOMPARE(TestDb::value(row).toString(), sha1 + "|NULL|3, 1,x");

        tabs.run("del_cp");
        boxes.setAnswer(QMessageBox::Yes);
        tabs.run("del_cp");
        const QString question = QStringLiteral("Otázka Přejete si smazat vybraného uživatele pro CP?");
        QCOMPARE(boxes.messages, QStringList({question, question}));
        QCOMPARE(snapshot(), QStringLiteral("spravce=1 spravce "));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("row");       // selected before; "" none
        QTest::addColumn<QString>("login");     // typed into "Uživatel"; "" unchanged
        QTest::addColumn<QString>("setup");     // "admin": another administrator; "refuse": statements fail
        QTest::addColumn<QString>("message");   // the last message; "" none and the write happens; a question: No
        const QString taken = "ZRN Přihlašovací jméno", failed = "ZRN Chyba: ";
        for (const char *a : {"edit_uzivatel", "del_uzivatel", "edit_cp", "del_cp"})
            QTest::newRow(qPrintable(QString(a) + ": nothing selected")) << a << "" << "" << "" << "ZRN Vyberte v seznamu";
        QTest::newRow("users delete: last administrator") << "del_uzivatel" << "spravce" << "" << "" << "ZRN Uživatele nelze smazat";
        QTest::newRow("users delete: own row, No") << "del_uzivatel" << "spravce" << "" << "admin" << "Otázka Vybraný uživatel \"spravce\" jste vy";
        QTest::newRow("users delete: own row, Yes") << "del_uzivatel" << "spravce" << "" << "admin" << "";
        QTest::newRow("users edit: last administrator") << "edit_uzivatel" << "spravce" << "" << "" << "ZRN Uživatel je jediný s právem Admin";
        QTest::newRow("users add: same login") << "add_uzivatel" << "" << "Novak" << "" << taken;
        QTest::newRow("users add: other case, non-ASCII") << "add_uzivatel" << "" << "řEZÁČ" << "" << taken;
        QTest::newRow("users edit: another's login") << "edit_uzivatel" << "Řezáč" << "novak" << "" << taken;
        QTest::newRow("users edit: own login, other case") << "edit_uzivatel" << "Novak" << "NOVAK" << "" << "";
        QTest::newRow("cp add: other case") << "add_cp" << "" << "novak" << "" << taken;
        QTest::newRow("cp edit: another's login") << "edit_cp" << "Řezáč" << "NOVAK" << "" << taken;
        for (const char *a : {"add_uzivatel", "edit_uzivatel", "del_uzivatel", "add_cp", "edit_cp", "del_cp"})
            QTest::newRow(qPrintable(QString(a) + ": statement fails")) << a << "Novak" << "Nový" << "refuse" << failed;
    }
    void refusals()
    {
        QFETCH(QString, button);
        QFETCH(QString, row);
        QFETCH(QString, login);
        QFETCH(QString, setup);
        QFETCH(QString, message);
        insert("Novak");
        insert("Řezáč");
        if (setup == "admin")
            insert("druhy", "3");
        if (setup == "refuse") {
            const bool cp = button.endsWith("_cp");
            const QString verb = button.section('_', 0, 0);
            const QString event = verb == "add" ? "insert" : verb == "edit" ? "update" : "delete";
            const QString sql = TestDb::isMariaDb()
                ? "create trigger %1zrn_refuse before %2 on %1%3 for each row signal sqlstate '45000' set message_text='zapis odmitnut'"
                : "create trigger %1zrn_refuse before %2 on %3 begin select raise(abort,'zapis odmitnut'); end";
            QVERIFY(TestDb::exec(QString(sql).arg(cp ? "qml." : "", event, cp ? "acl" : "www_users")));
        }
        const QString before = snapshot();
        MessageBoxAnswerer boxes(message.startsWith("Otázka") ? QMessageBox::No : QMessageBox::Yes);
        Tabs tabs(&m_session);
        tabs.select(row);
        const bool accepted = tabs.run(button, [&](QDialog *d) {
            if (!login.isEmpty())
                childNamed<QLineEdit>(d, "uzivatel")->setText(login);
            if (auto *admin = d->findChild<QCheckBox *>("admin"))
                admin->setChecked(false);
        });
        const QString last = boxes.messages.isEmpty() ? QString() : boxes.messages.last();
        if (message.isEmpty()) {
            QVERIFY(!last.startsWith("ZRN"));
            QVERIFY(snapshot() != before);
        } else {
            QVERIFY2(last.startsWith(message), qPrintable(boxes.messages.join('\n')));
            QCOMPARE(snapshot(), before);
            QVERIFY(!accepted);   // a dialog that was open stays with the edit
        }
        if (setup == "refuse")
            QVERIFY2(last.contains("zapis odmitnut"), qPrintable(last));
    }

    void listStateSurvivesRestart()
    {
        for (const char *l : {"alfa", "zeta", "beta"})
            insert(l);
        for (bool cp : {false, true}) {   // the users list, then the control panel's
            // One run of the program: the tab built, entered or not, then destroyed.
            auto runProgram = [&](bool enter, const std::function<void(QTableView *)> &use) {
                UsersTab users(&m_session);
                ControlPanelTab panel(&m_session);
                ZrnTab *tab = cp ? static_cast<ZrnTab *>(&panel) : &users;
                if (enter)
                    tab->enter();
                if (use)
                    use(tab->findChild<QTableView *>());
            };
            runProgram(true, [](QTableView *v) {
                v->sortByColumn(1, Qt::DescendingOrder);
                v->horizontalHeader()->resizeSection(2, 222);
            });
            runProgram(false, nullptr);   // never entered: must not overwrite
            QString state;
            runProgram(true, [&](QTableView *v) {
                QHeaderView *h = v->horizontalHeader();
                state = QStringLiteral("%1 %2 %3 %4").arg(v->model()->index(0, 1).data().toString())
                            .arg(h->sectionSize(2)).arg(h->sortIndicatorSection()).arg(h->sortIndicatorOrder());
            });
            QCOMPARE(state, QStringLiteral("zeta 222 1 1"));
        }
    }

    void withoutRightNothingLoads_data()
    {
        QTest::addColumn<int>("admin");
        QTest::addColumn<int>("cp");
        QTest::newRow("admin 0, cp 0") << 0 << 0;
        QTest::newRow("admin -1, cp 1") << -1 << 1;
        QTest::newRow("admin 1, cp 0") << 1 << 0;
    }
    void withoutRightNothingLoads()
    {
        QFETCH(int, admin);
        QFETCH(int, cp);
        m_session.user.admin = admin;
        m_session.user.cp = cp;
        MessageBoxAnswerer boxes(QMessageBox::Yes);
        ModalHandler anyDialog([](QWidget *m) { return m->close(); });
        const quint64 start = Database::statementCount();
        UsersTab users(&m_session);
        ControlPanelTab panel(&m_session);
        users.setFileChooser([](QWidget *, const QString &title, const QString &) {
            QTest::qFail(qPrintable("asked for a file: " + title), __FILE__, __LINE__);
            return QString();
        });
        users.enter();
        const quint64 afterUsers = Database::statementCount();
        panel.enter();
        const quint64 afterCp = Database::statementCount();
        QCOMPARE(users.findChild<QTableView *>()->model()->rowCount(), admin > 0 ? 1 : 0);
        QCOMPARE(panel.findChild<QTableView *>()->model()->rowCount(), cp != 0 ? 1 : 0);
        QCOMPARE(afterUsers > start, admin > 0);
        QCOMPARE(afterCp > afterUsers, cp != 0);
        // Every button of a tab without its right does nothing.
        for (QAbstractButton *b : users.findChildren<QAbstractButton *>() + panel.findChildren<QAbstractButton *>()) {
            if (b->window() == &users ? admin <= 0 : cp == 0)
                b->click();
        }
        QCOMPARE(Database::statementCount(), afterCp);
        QVERIFY(!anyDialog.handled() && boxes.messages.isEmpty());
    }

    void serviceJobs_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("fileTitle");
        QTest::addColumn<QString>("summary");   // how the job's own report begins
        QTest::newRow("podniky") << "servis_import_podniku" << "Import podniků - výběr souboru" << "Podniků v souboru: 0,";
        QTest::newRow("KU") << "servis_import_ku" << "" << "Údaje KU zapsány";
        QTest::newRow("CH6") << "servis_import_ch6" << "Import CH6 - výběr souboru" << "CH6 zapsáno";
        QTest::newRow("ARES") << "servis_ares_kontrola" << "" << "Událostí s jiným dnem";
        QTest::newRow("Plemko") << "servis_plemko_uzivatele" << "Plemko porovnání podniků - výběr souboru" << "Shod se středisky: 0.";
    }
    void serviceJobs()
    {
        QFETCH(QString, button);
        QFETCH(QString, fileTitle);
        UsersTab tab(&m_session);
        QStringList asked;
        // A header every file job understands, and no data.
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("zrn.csv"));
        QFile csv(path);
        QVERIFY(csv.open(QIODevice::WriteOnly) && csv.write("IČO;kraj;staj\n") > 0 && csv.flush());
        tab.setFileChooser([&](QWidget *, const QString &title, const QString &filter) {
            asked << title + " | " + filter;
            return path;
        });
        auto *b = tab.findChild<QPushButton *>(button);
        QString shown;
        auto click = [&] {
            shown.clear();
            ModalHandler report([&](QWidget *m) {
                auto *text = m->findChild<QTextEdit *>();
                shown = m->windowTitle() + ": " + (text ? text->toPlainText() : QString());
                return m->close();
            });
            b->click();
        };
        click();
        QFETCH(QString, summary);
        QVERIFY2(shown.startsWith(b->text() + ": " + summary), qPrintable(shown));
        QCOMPARE(asked, fileTitle.isEmpty() ? QStringList() : QStringList(fileTitle + " | CSV-Files (*.csv)"));
        if (!fileTitle.isEmpty()) {
            path.clear();   // the file dialog cancelled: nothing runs
            click();
            QVERIFY(shown.isEmpty());
        }
    }

private:
    Session m_session;
};

ZRN_TEST_MAIN(TstUserAdmin)
#include "tst_useradmin.moc"
