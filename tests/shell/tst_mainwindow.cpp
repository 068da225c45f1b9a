// The main window as a user meets it: the tabs in order, the rights applied
// to them, the start-up outcomes of the sign-in, the layout and options that
// come back after a restart, and "Odhlásit a ukončit".

#include "app/mainwindow.h"
#include "app/sestavytab.h"
#include "app/settingskeys.h"
#include "app/udalostitab.h"
#include "app/usersettings.h"
#include "app/usertab.h"
#include "register/evidencetab.h"
#include "shellfixtures.h"
#include "support/testdb.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

using namespace ShellFixtures;

namespace {

// Start options whose dialog records its calls and answers as scripted.
struct Script {
    bool cancel = true;
    QString typedLogin, typedPassword;
    int asked = 0, denied = 0;
    QString shownLogin, shownPassword;

    MainWindow::StartOptions options()
    {
        MainWindow::StartOptions o;
        o.splash = false;
        o.login.askCredentials = [this](QString &l, QString &p) {
            ++asked;
            shownLogin = l;
            shownPassword = p;
            if (cancel)
                return false;
            l = typedLogin;
            p = typedPassword;
            return true;
        };
        o.login.denied = [this] { ++denied; };
        return o;
    }
};

void saveCredentials(const QString &login, const QString &password)
{
    ZrnSettings s;
    SavedCredentials{login, password}.save(s);
}

QStringList tabTitles(const MainWindow &w)
{
    QStringList t;
    for (int i = 0; i < w.mainTabs()->count(); ++i)
        t << w.mainTabs()->tabText(i);
    return t;
}

const QStringList AllTabs = {"Uživatel", "Sestavy", "Fakturace", "Podniky/střediska",
                             "Události", "Prohlížeč", "Uživatelé", "Control Panel"};

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void windowShapeAndObjectNames();
    void rightsRemoveTabs_data();
    void rightsRemoveTabs();
    void refusedOrCancelledLoginDoesNotStart_data();
    void refusedOrCancelledLoginDoesNotStart();
    void firstStartOpensFirstTabWithEmptyDialog();
    void layoutAndOptionsSurviveRestart();
    void logoutForgetsCredentials();
    void overviewIsBuiltOnFirstVisitOnly();
    void damagedSettingsStillStart();

private:
    static int s_user;
};

int TstMainWindow::s_user = 0;

void TstMainWindow::initTestCase()
{
    ZRN_OPEN_TEST_DB();
}

void TstMainWindow::init()
{
    QFile::remove(ZrnSettings::path());
}

void TstMainWindow::windowShapeAndObjectNames()
{
    QVERIFY(addUser(fullRights("plny"), "p") > 0);
    saveCredentials("plny", "p");
    Script script;
    MainWindow w(QStringLiteral("/opt/zrn/zrn"), script.options());
    QVERIFY(w.isStarted());
    QCOMPARE(script.asked, 0);
    QCOMPARE(w.windowTitle(), QStringLiteral("ZRN 3.12"));
    QCOMPARE(w.size(), QSize(1200, 824));
    QCOMPARE(tabTitles(w), AllTabs);
    const QStringList pageNames = {"tab_uzivatel", "tab_sestavy", "tab_fakturace", "tab_evidence",
                                   "tab_sudalosti", "tab_prohlizec", "tab_uzivatele", "tab_cp"};
    for (int i = 0; i < pageNames.size(); ++i)
        QCOMPARE(w.mainTabs()->widget(i)->objectName(), pageNames.at(i));
    QVERIFY(w.evidenceTab()->innerTabs());
    QVERIFY(w.mainTabs()->widget(3)->isAncestorOf(w.evidenceTab()->innerTabs()));

    // The controls other modules fill in are all there, on their tabs.
    const QMap<QString, QStringList> controls = {
        {"tab_uzivatel", {"nextcloud", "uschranka", "uKategorie", "uKategorie_cb", "skategorie_obchod",
                          "uz1", "uz2", "uz3", "uz4", "uz5", "uz6", "odhlasit"}},
        {"tab_sestavy", {"rep1", "rep2", "rep3", "rep4", "rep5", "rep_tisk", "webView"}},
        {"tab_sudalosti", {"treeViewSUdalosti", "ufilter", "nedokoncene", "tbSUAdd", "tbSUAddReplay",
                           "tbSUdel", "tbSRefresh", "sucollapse", "suexpand", "skategorie", "oo",
                           "sudalost_uloz", "cbSStav", "cbSSynchronizace", "cbSPriorita", "soo",
                           "spodnik", "sstredisko", "udalostSPopis", "TBudalostSPopis", "lsudalost",
                           "splitter_4", "splitter_8", "wsudalost", "wsudalost_vyber"}},
        {"tab_prohlizec", {"wbrowser", "wtoolbar", "adresa"}},
        {"tab_uzivatele", {"twu", "add_uzivatel", "edit_uzivatel", "del_uzivatel", "servis_import_podniku",
                           "servis_import_ku", "servis_import_ch6", "servis_ares_kontrola",
                           "servis_plemko_uzivatele"}},
        {"tab_cp", {"tcp", "add_cp", "edit_cp", "del_cp"}},
    };
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        QWidget *page = w.findChild<QWidget *>(it.key());
        QVERIFY(page);
        for (const QString &name : it.value())
            QVERIFY2(page->findChild<QObject *>(name), qPrintable(it.key() + ": " + name));
    }
    // The user page shows who signed in; the event pane starts clean.
    QCOMPARE(w.userTab()->login(), QStringLiteral("plny"));
    QVERIFY(!w.findChild<QWidget *>("sudalost_uloz")->isEnabled());
    QVERIFY(w.findChild<QComboBox *>("uKategorie_cb")->count() > 0);
}

void TstMainWindow::rightsRemoveTabs_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("missing");

    QTest::newRow("full rights") << "" << 0 << QStringList();
    QTest::newRow("admin 0") << "admin" << 0 << QStringList{"Uživatelé"};
    QTest::newRow("minimal 1") << "minimal" << 1 << QStringList{"Sestavy", "Události"};
    QTest::newRow("udalosti 0") << "udalosti" << 0 << QStringList{"Události"};
    QTest::newRow("udalosti 1") << "udalosti" << 1 << QStringList();
    QTest::newRow("sestavy 0") << "sestavy" << 0 << QStringList{"Sestavy"};
    QTest::newRow("fakturace 0") << "fakturace" << 0 << QStringList{"Fakturace"};
    QTest::newRow("fakturace 1") << "fakturace" << 1 << QStringList{"Fakturace"};
    QTest::newRow("fakturace 2") << "fakturace" << 2 << QStringList{"Fakturace"};
    QTest::newRow("cp 0") << "cp" << 0 << QStringList{"Control Panel"};
}

void TstMainWindow::rightsRemoveTabs()
{
    QFETCH(QString, column);
    QFETCH(int, value);
    QFETCH(QStringList, missing);

    const QString login = QStringLiteral("r%1").arg(++s_user);
    QVERIFY(addUser(fullRights(login), "p") > 0);
    if (!column.isEmpty()) {
        QSSQL q;
        q.prepare(QStringLiteral("update www_users set %1=? where login=?").arg(column));
        q.addBindValue(value);
        q.addBindValue(login);
        QVERIFY(q.exec());
    }
    saveCredentials(login, "p");
    Script script;
    MainWindow w(QString(), script.options());
    QVERIFY(w.isStarted());

    QStringList expected = AllTabs;
    for (const QString &t : missing)
        expected.removeAll(t);
    QCOMPARE(tabTitles(w), expected);
    QCOMPARE(w.session()->user.login, login);

    // Own events only: the global list offers no choice of persons.
    auto *oo = w.findChild<QWidget *>("oo");
    QVERIFY(oo);
    QCOMPARE(oo->isHidden(), column == "udalosti" && value == 1);
}

void TstMainWindow::refusedOrCancelledLoginDoesNotStart_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("typedPassword");
    QTest::addColumn<int>("denied");
    QTest::newRow("cancel") << true << "" << 0;
    QTest::newRow("wrong password") << false << "spatne" << 1;
}

void TstMainWindow::refusedOrCancelledLoginDoesNotStart()
{
    QFETCH(bool, cancel);
    QFETCH(QString, typedPassword);
    QFETCH(int, denied);
    QVERIFY(addUser(fullRights(QStringLiteral("odmitnuty%1").arg(++s_user)), "p") > 0);
    saveCredentials("odmitnuty", "stare");
    {
        ZrnSettings s;
        s.setValue(SettingsKeys::TabIndexMain, 4);
    }
    Script script;
    script.cancel = cancel;
    script.typedLogin = QStringLiteral("odmitnuty%1").arg(s_user);
    script.typedPassword = typedPassword;
    {
        MainWindow w(QString(), script.options());
        QVERIFY(!w.isStarted());
        QCOMPARE(w.exitCode(), -1);
        QCOMPARE(script.asked, 1);
        QCOMPARE(script.denied, denied);
    }
    // An unstarted window writes nothing back.
    ZrnSettings s;
    QCOMPARE(s.value(SettingsKeys::TabIndexMain).toInt(), 4);
    QCOMPARE(s.value(SettingsKeys::AccessPassword).toString(), QStringLiteral("stare"));
    QVERIFY(!s.contains(SettingsKeys::WindowGeometry));
}

void TstMainWindow::firstStartOpensFirstTabWithEmptyDialog()
{
    QVERIFY(addUser(fullRights("prvni"), "heslo") > 0);
    Script script;
    script.cancel = false;
    script.typedLogin = "prvni";
    script.typedPassword = "heslo";
    {
        MainWindow w(QString(), script.options());
        QVERIFY(w.isStarted());
        QCOMPARE(script.asked, 1);
        QVERIFY(script.shownLogin.isEmpty() && script.shownPassword.isEmpty());
        QCOMPARE(w.mainTabs()->currentIndex(), 0);
        QVERIFY(!w.findChild<QAbstractButton *>("uschranka")->isChecked());
        QVERIFY(!w.findChild<QAbstractButton *>("uKategorie")->isChecked());
        QVERIFY(!w.findChild<QWidget *>("uKategorie_cb")->isEnabled());
        QVERIFY(w.credentialsChanged());
    }
    // Credentials typed into the dialog are kept: the next start asks nothing.
    ZrnSettings s;
    QCOMPARE(SavedCredentials::load(s).login, QStringLiteral("prvni"));
    Script again;
    MainWindow w(QString(), again.options());
    QVERIFY(w.isStarted());
    QCOMPARE(again.asked, 0);
}

void TstMainWindow::layoutAndOptionsSurviveRestart()
{
    QVERIFY(addUser(fullRights("navrat"), "p") > 0);
    saveCredentials("navrat", "p");
    UserOptions options;
    options.nextcloud = "/home/navrat/Nextcloud";
    options.kategorie = true;
    options.kategorieIdx = 3;
    options.schranka = true;
    options.z = QStringList{"a@example.cz", "b@example.cz", "", "", "", "f@example.cz"};
    QByteArray state4;
    {
        Script script;
        MainWindow w(QString(), script.options());
        QVERIFY(w.isStarted());
        w.userTab()->setOptions(options);
        w.udalostiTab()->setNedokoncene(true);
        w.session()->filtrSKategorie = "8,32";
        w.session()->filtrSoo = "none";
        w.mainTabs()->setCurrentIndex(w.mainTabs()->indexOf(w.findChild<QWidget *>("tab_sudalosti")));
        w.resize(1000, 700);
        auto *s4 = w.findChild<QSplitter *>("splitter_4");
        s4->setSizes({300, 700});
        state4 = s4->saveState();
        QTreeView *list = w.udalostiTab()->view();
        list->header()->resizeSection(1, 333);
        list->sortByColumn(2, Qt::DescendingOrder);
    }
    Script script;
    MainWindow w(QString(), script.options());
    QVERIFY(w.isStarted());
    QCOMPARE(w.userTab()->options(), options);
    QVERIFY(w.findChild<QWidget *>("uKategorie_cb")->isEnabled());
    QCOMPARE(w.session()->documentRoot, options.nextcloud);
    QVERIFY(w.session()->copyNameToClipboard);
    QVERIFY(w.udalostiTab()->nedokoncene());
    QCOMPARE(w.session()->filtrSKategorie, QStringLiteral("8,32"));
    QCOMPARE(w.session()->filtrSoo, QStringLiteral("none"));
    QCOMPARE(w.mainTabs()->currentWidget()->objectName(), QStringLiteral("tab_sudalosti"));
    QCOMPARE(w.size(), QSize(1000, 700));
    QCOMPARE(w.findChild<QSplitter *>("splitter_4")->saveState(), state4);
    QTreeView *list = w.udalostiTab()->view();
    QCOMPARE(list->header()->sectionSize(1), 333);
    QCOMPARE(list->header()->sortIndicatorSection(), 2);
    QCOMPARE(list->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(script.asked, 0);
}

void TstMainWindow::logoutForgetsCredentials()
{
    QVERIFY(addUser(fullRights("odchod"), "p") > 0);
    saveCredentials("odchod", "p");
    {
        Script script;
        MainWindow w(QString(), script.options());
        QVERIFY(w.isStarted());
        w.show();
        w.findChild<QAbstractButton *>("odhlasit")->click();
        QVERIFY(!w.isVisible());
        QVERIFY(w.login().isEmpty());
    }
    ZrnSettings s;
    QVERIFY(SavedCredentials::load(s).login.isEmpty());
    QVERIFY(SavedCredentials::load(s).password.isEmpty());
    Script script;
    MainWindow w(QString(), script.options());
    QCOMPARE(script.asked, 1);
    QVERIFY(script.shownLogin.isEmpty());
    QVERIFY(script.shownPassword.isEmpty());
    QCOMPARE(w.exitCode(), -1);
}

void TstMainWindow::overviewIsBuiltOnFirstVisitOnly()
{
    QVERIFY(addUser(fullRights("prehled"), "p") > 0);
    saveCredentials("prehled", "p");
    Script script;
    MainWindow w(QString(), script.options());
    QVERIFY(w.isStarted());
    QSignalSpy spy(w.sestavyTab(), &SestavyTab::overviewRequested);
    QTabWidget *tw = w.mainTabs();
    QVERIFY(!w.sestavyTab()->overviewShown());
    tw->setCurrentWidget(w.findChild<QWidget *>("tab_sestavy"));
    tw->setCurrentIndex(0);
    tw->setCurrentWidget(w.findChild<QWidget *>("tab_sestavy"));
    QCOMPARE(spy.count(), 1);
}

void TstMainWindow::damagedSettingsStillStart()
{
    QVERIFY(addUser(fullRights("poskozeny"), "p") > 0);
    {
        QFile f(ZrnSettings::path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[accessn]\nusername=poskozeny\npassword=p\n"
                "[tab]\nindex_main=999999999999\nindex_tellmark=-3\n"
                "[user]\nkategorie_idx=77777\nz1=@Variant(garbage)\n"
                "[splitterSUdalosti]\nstate=abc\n[window]\ngeometry=@ByteArray(xyz)\nstate=1\n"
                "[tableSUdalosti]\nsectionSize0=-20\nsectionSize1=99999999\nsectionSort=55\n");
    }
    Script script;
    MainWindow w(QString(), script.options());
    QVERIFY(w.isStarted());
    QCOMPARE(w.mainTabs()->currentIndex(), 0);
    QCOMPARE(w.userTab()->options().kategorieIdx, 0);
    QCOMPARE(w.size(), QSize(1200, 824));
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
