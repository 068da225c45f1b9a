// The main window as a user meets it: the rights applied to the tabs, the
// start-up outcomes of the sign-in, the layout and options that come back
// after a restart, a damaged settings file, and "Odhlásit a ukončit".

#include "app/mainwindow.h"
#include "app/settingskeys.h"
#include "app/udalostitab.h"
#include "app/usersettings.h"
#include "app/usertab.h"
#include "shellfixtures.h"
#include "support/testdb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QMessageBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace ShellFixtures;

namespace {

// Start options with a scripted login dialog and no splash.
MainWindow::StartOptions startOptions(ScriptedDialog &dlg)
{
    MainWindow::StartOptions o;
    o.splash = false;
    o.login = dlg.callbacks();
    return o;
}

// A user with full rights whose credentials are saved: the window starts
// without asking.
bool savedUser(const QString &login)
{
    ZrnSettings s;
    SavedCredentials{login, "p"}.save(s);
    return addUser(fullRights(login), "p") > 0;
}

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init() { QFile::remove(ZrnSettings::path()); }

    void rightsRemoveTabs_data();
    void rightsRemoveTabs();
    void refusedOrCancelledLoginDoesNotStart_data();
    void refusedOrCancelledLoginDoesNotStart();
    void firstStartAndLogout();
    void layoutAndOptionsSurviveRestart();
    void damagedSettingsGiveDefaults_data();
    void damagedSettingsGiveDefaults();
};

void TstMainWindow::rightsRemoveTabs_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<int>("value");
    QTest::addColumn<QStringList>("missing");

    QTest::newRow("full rights") << "" << 0 << QStringList();
    QTest::newRow("admin 0") << "admin" << 0 << QStringList{"Uživatelé"};
    QTest::newRow("minimal 1") << "minimal" << 1 << QStringList{"Sestavy", "Události"};
    QTest::newRow("udalosti 0") << "udalosti" << 0 << QStringList{"Události"};
    QTest::newRow("udalosti 1: own events only") << "udalosti" << 1 << QStringList();
    QTest::newRow("sestavy 0") << "sestavy" << 0 << QStringList{"Sestavy"};
    QTest::newRow("fakturace 0") << "fakturace" << 0 << QStringList{"Fakturace"};
    QTest::newRow("fakturace 2") << "fakturace" << 2 << QStringList{"Fakturace"};
    QTest::newRow("cp 0") << "cp" << 0 << QStringList{"Control Panel"};
}

void TstMainWindow::rightsRemoveTabs()
{
    QFETCH(QString, column);
    QFETCH(int, value);
    QFETCH(QStringList, missing);

    const QString login = QString::fromUtf8(QTest::currentDataTag());
    QVERIFY(savedUser(login));
    if (!column.isEmpty()) {
        QSSQL q;
        q.prepare(QStringLiteral("update www_users set %1=? where login=?").arg(column));
        q.addBindValue(value);
        q.addBindValue(login);
        QVERIFY(q.exec());
    }
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    QCOMPARE(script.shown, 0);
    QCOMPARE(w.session()->user.login, login);

    QStringList expected = {"Uživatel", "Sestavy", "Fakturace", "Podniky/střediska",
                            "Události", "Prohlížeč", "Uživatelé", "Control Panel"};
    for (const QString &t : missing)
        expected.removeAll(t);
    QStringList titles;
    for (int i = 0; i < w.mainTabs()->count(); ++i)
        titles << w.mainTabs()->tabText(i);
    QCOMPARE(titles, expected);
    // Own events only: the global list offers no choice of persons.
    auto *oo = w.findChild<QWidget *>("oo");
    QVERIFY(oo);
    QCOMPARE(oo->isHidden(), column == "udalosti" && value == 1);
}

void TstMainWindow::refusedOrCancelledLoginDoesNotStart_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancel: no message") << true << "";
    QTest::newRow("wrong password") << false << "Přístup zamítnut.";
}

void TstMainWindow::refusedOrCancelledLoginDoesNotStart()
{
    QFETCH(bool, cancel);
    QFETCH(QString, message);
    const QString login = QString::fromUtf8(QTest::currentDataTag());
    QVERIFY(addUser(fullRights(login), "p") > 0);
    {
        ZrnSettings s;
        SavedCredentials{login, "stare"}.save(s);
        s.setValue(SettingsKeys::TabIndexMain, 4);
    }
    ScriptedDialog script;
    if (!cancel)
        script.typed = QStringList{login, "spatne"};
    MainWindow::StartOptions options = startOptions(script);
    options.login.denied = nullptr;
    QString shownMessage; // the real message box, answered as soon as it shows
    QTimer answer;
    connect(&answer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shownMessage = box->text();
            box->accept();
        }
    });
    answer.start(20);
    {
        MainWindow w(QString(), options);
        QVERIFY(!w.isStarted());
        QCOMPARE(w.exitCode(), -1);
        // The dialog comes pre-filled with the saved values.
        QCOMPARE(script.shown, 1);
        QCOMPARE(script.shownLogin, login);
        QCOMPARE(script.shownPassword, QStringLiteral("stare"));
    }
    QCOMPARE(shownMessage, message);
    // An unstarted window writes nothing back.
    ZrnSettings s;
    QCOMPARE(s.value(SettingsKeys::TabIndexMain).toInt(), 4);
    QCOMPARE(s.value(SettingsKeys::AccessPassword).toString(), QStringLiteral("stare"));
    QVERIFY(!s.contains(SettingsKeys::WindowGeometry));
}

void TstMainWindow::firstStartAndLogout()
{
    // First start, no settings file: an empty dialog, the first tab.
    QVERIFY(addUser(fullRights("prvni"), "heslo") > 0);
    {
        ScriptedDialog script;
        script.typed = QStringList{"prvni", "heslo"};
        MainWindow w(QString(), startOptions(script));
        QVERIFY(w.isStarted());
        QCOMPARE(script.shown, 1);
        QVERIFY(script.shownLogin.isEmpty() && script.shownPassword.isEmpty());
        QCOMPARE(w.mainTabs()->currentIndex(), 0);
        QCOMPARE(w.userTab()->options(), UserOptions());
    }
    // The typed credentials are kept: the next start asks nothing.
    {
        ScriptedDialog script;
        MainWindow w(QString(), startOptions(script));
        QVERIFY(w.isStarted());
        QCOMPARE(script.shown, 0);
        w.show();
        w.findChild<QAbstractButton *>("odhlasit")->click();
        QVERIFY(!w.isVisible());
    }
    // "Odhlásit a ukončit" forgot them: an empty dialog again.
    ZrnSettings s;
    QVERIFY(SavedCredentials::load(s).login.isEmpty());
    QVERIFY(SavedCredentials::load(s).password.isEmpty());
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QCOMPARE(script.shown, 1);
    QVERIFY(script.shownLogin.isEmpty() && script.shownPassword.isEmpty());
    QCOMPARE(w.exitCode(), -1);
}

void TstMainWindow::layoutAndOptionsSurviveRestart()
{
    QVERIFY(savedUser("navrat"));
    UserOptions options;
    options.nextcloud = "/home/navrat/Nextcloud";
    options.kategorie = true;
    options.kategorieIdx = 3;
    options.z[5] = "f@example.cz";
    QByteArray state4;
    {
        ScriptedDialog script;
        MainWindow w(QString(), startOptions(script));
        QVERIFY(w.isStarted());
        w.userTab()->setOptions(options);
        w.udalostiTab()->setNedokoncene(true);
        w.session()->filtrSKategorie = "8,32";
        w.mainTabs()->setCurrentWidget(w.findChild<QWidget *>("tab_sudalosti"));
        w.resize(1000, 700);
        auto *s4 = w.findChild<QSplitter *>("splitter_4");
        s4->setSizes({300, 700});
        state4 = s4->saveState();
        QTreeView *list = w.udalostiTab()->view();
        list->header()->resizeSection(1, 333);
        list->sortByColumn(2, Qt::DescendingOrder);
    }
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    QCOMPARE(script.shown, 0);
    QCOMPARE(w.userTab()->options(), options);
    QVERIFY(w.findChild<QWidget *>("uKategorie_cb")->isEnabled());
    QVERIFY(w.udalostiTab()->nedokoncene());
    QCOMPARE(w.session()->filtrSKategorie, QStringLiteral("8,32"));
    QCOMPARE(w.mainTabs()->currentWidget()->objectName(), QStringLiteral("tab_sudalosti"));
    QCOMPARE(w.size(), QSize(1000, 700));
    QCOMPARE(w.findChild<QSplitter *>("splitter_4")->saveState(), state4);
    QHeaderView *header = w.udalostiTab()->view()->header();
    QCOMPARE(header->sectionSize(1), 333);
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

void TstMainWindow::damagedSettingsGiveDefaults_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 7919) % 256));
    QTest::newRow("binary garbage") << junk;
    QTest::newRow("hand-edited values")
        << QByteArray("[accessn]\nusername=poskozeny\npassword=p\n"
                      "[tab]\nindex_main=999999999999\nindex_tellmark=-3\n"
                      "[user]\nkategorie_idx=77777\nkategorie=maybe\nschranka=@ByteArray(\\x1)\nz1=@Variant(garbage)\n"
                      "[misc]\nnedokoncene=maybe\n[splitterSUdalosti]\nstate=abc\n"
                      "[window]\ngeometry=@ByteArray(xyz)\nstate=1\n"
                      "[tableSUdalosti]\nsectionSize0=-20\nsectionSize1=99999999\nsectionSort=55\nsectionSortOrder=7\n");
}

void TstMainWindow::damagedSettingsGiveDefaults()
{
    QFETCH(QByteArray, content);
    const QString login = QStringLiteral("poskozeny");
    if (scalar("select count(*) from www_users where login=?", login) == 0)
        QVERIFY(addUser(fullRights(login), "p") > 0);
    {
        QFile f(ZrnSettings::path());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    ScriptedDialog script;
    script.typed = QStringList{login, "p"};
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    QCOMPARE(w.mainTabs()->currentIndex(), 0);
    QCOMPARE(w.userTab()->options(), UserOptions());
    QVERIFY(!w.udalostiTab()->nedokoncene());
    QCOMPARE(w.size(), QSize(1200, 824));
    QHeaderView *header = w.udalostiTab()->view()->header();
    QVERIFY(header->sectionSize(1) < 99999999);
    QCOMPARE(header->sortIndicatorSection(), 0);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
}

QTEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
