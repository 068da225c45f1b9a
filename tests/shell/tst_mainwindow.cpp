// The main window as a user meets it: the rights applied to the tabs, the
// start-up outcomes of the sign-in, the layout and options that come back
// after a restart, a damaged settings file, and "Odhlásit a ukončit".

#include "app/dialoguzivatel.h"
#include "app/mainwindow.h"
#include "app/startup.h"
#include "db/database.h"
#include "core/settingskeys.h"
#include "core/qsmysortfilterproxymodel.h"
#include "events/eventpane.h"
#include "events/eventtreemodel.h"
#include "events/eventthreads.h"
#include "events/udalostitab.h"
#include "core/usersettings.h"
#include "app/ownusertab.h"
#include "register/evidencetab.h"
#include "register/podnikytree.h"
#include "shellfixtures.h"
#include "support/testdb.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStatusBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QLabel>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QLoggingCategory>
#include <QTimer>
#include <QTreeView>

#include <memory>

#include "support/testmain.h"
#include "support/uitest.h"

using namespace ShellFixtures;

namespace {

// Start options with a scripted login dialog and no splash.
MainWindow::StartOptions startOptions(ScriptedDialog &dlg)
{
    MainWindow::StartOptions o;
    o.splash = false;
    o.login = dlg.callbacks();
    o.notice = [](const QString &) {};
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
    void nothingIsReadBeforeLogin_data();
    void nothingIsReadBeforeLogin();
    void unsavedEditsOnClose_data();
    void unsavedEditsOnClose();
    void databaseWithoutUsersSaysHowToAddOne();
    void pageAsksForAnEnterprise_data();
    void pageAsksForAnEnterprise();
    void eventListsAndTheRegister();
    void languageOfTheScreens_data();
    void languageOfTheScreens();
    void firstStartFitsTheScreen();
    void shortcutsDoWhatTheirButtonsDo_data();
    void shortcutsDoWhatTheirButtonsDo();
};

void TstMainWindow::pageAsksForAnEnterprise_data()
{
    QTest::addColumn<QString>("from");   // the tree row current before
    QTest::newRow("enterprise") << "enterprise";
    QTest::newRow("centre") << "centre";
    QTest::newRow("none (Výběr)") << "none";
}

void TstMainWindow::pageAsksForAnEnterprise()
{
    QFETCH(QString, from);
    if (scalar("select count(*) from www_users where login=?", QStringLiteral("mapa")) == 0) {
        QVERIFY(savedUser(QStringLiteral("mapa")));
        QVERIFY(TestDb::exec(QStringLiteral("update www_users set region='ST' where login='mapa'")));
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,obr) values"
                                            "(71,'Na mapě','ST'),(72,'Jinde','TM'),(73,'Vedle','ST')")));
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev) values(730,73,'Dvůr')")));
    } else {
        ZrnSettings s;
        SavedCredentials{QStringLiteral("mapa"), "p"}.save(s);
    }
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    w.mainTabs()->setCurrentIndex(0);
    w.findChild<EvidenceTab *>()->refresh();
    // The user last looked at another page of an enterprise.
    PodnikyTree *tree = w.findChild<EvidenceTab *>()->tree();
    QTabWidget *inner = w.findChild<EvidenceTab *>()->innerTabs();
    QVERIFY(tree->setCurrentRow(73, QVariant()));
    inner->setCurrentIndex(inner->count() - 1);
    QVERIFY(inner->currentWidget()->objectName() != QLatin1String("tab_podnik"));
    if (from == QLatin1String("centre"))
        QVERIFY(tree->setCurrentRow(73, 730));
    else if (from == QLatin1String("none"))
        tree->view()->setCurrentIndex(QModelIndex());

    // Outside the user's region: nothing changes.
    w.podnikVybran(QStringLiteral("72"));
    QCOMPARE(w.mainTabs()->currentIndex(), 0);
    w.podnikVybran(QStringLiteral("72') or ('1"));
    QCOMPARE(w.mainTabs()->currentIndex(), 0);
    // Shown by the tree: the register shows its "O podniku" page.
    w.podnikVybran(QStringLiteral("71"));
    QCOMPARE(w.mainTabs()->tabText(w.mainTabs()->currentIndex()), QStringLiteral("Podniky/střediska"));
    QCOMPARE(w.session()->s_id_podnik.toInt(), 71);
    QCOMPARE(inner->currentWidget()->objectName(), QStringLiteral("tab_podnik"));
}

void TstMainWindow::languageOfTheScreens_data()
{
    QTest::addColumn<QString>("setting");     // ui/language as the user page stores it
    QTest::addColumn<QString>("system");      // the machine's locale
    QTest::addColumn<QStringList>("shown");   // register tab, login title, page tab, Cancel
    const QStringList czech{"Podniky/střediska", "Přihlašovací údaje do ZRN", "O podniku", "Zrušit"};
    const QStringList english{"Enterprises/centres", "ZRN login", "About the enterprise", "Cancel"};
    QTest::newRow("cs") << "cs" << "en_GB" << czech;
    QTest::newRow("en") << "en" << "cs_CZ" << english;
    QTest::newRow("system: English") << "system" << "en_US" << english;
    QTest::newRow("system: no German translation") << "system" << "de_DE" << czech;
    QTest::newRow("unknown value") << "xx" << "en_GB" << czech;
}

void TstMainWindow::languageOfTheScreens()
{
    QFETCH(QString, setting);
    QFETCH(QString, system);
    QFETCH(QStringList, shown);
    QVERIFY(savedUser(QStringLiteral("jazyk_") + setting + system));
    {
        ZrnSettings s;
        s.setValue(SettingsKeys::UiLanguage, setting);
    }
    if (scalar("select count(*) from tellmark_podniky where id=97") == 0)
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,obr) values(97,'Farm Ltd','ST')")));
    QVERIFY(Startup::applyStoredLanguage(QLocale(system)));
    struct Restore { ~Restore() { Startup::applyCzechLocale(); } } restore;

    DialogUzivatel login;
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    w.findChild<EvidenceTab *>()->refresh();
    w.podnikVybran(QStringLiteral("97"));   // the register shows the enterprise page
    QTabWidget *inner = w.findChild<EvidenceTab *>()->innerTabs();
    QCOMPARE(inner->currentWidget()->objectName(), QStringLiteral("tab_podnik"));
    QCOMPARE(QStringList({w.mainTabs()->tabText(w.mainTabs()->currentIndex()), login.windowTitle(), inner->tabText(inner->currentIndex()),
                          login.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text()}),
             shown);
    if (shown.constFirst() != QLatin1String("Enterprises/centres"))
        return;
    // Every text of the program on the window's tabs, the enterprise page and
    // the login dialog (the data shown are not texts of the program).
    QStringList texts;
    for (QWidget *top : {static_cast<QWidget *>(&w), static_cast<QWidget *>(&login)}) {
        texts << top->windowTitle();
        for (QWidget *c : top->findChildren<QWidget *>()) {
            texts << c->toolTip();
            if (auto *l = qobject_cast<QLabel *>(c))
                texts << l->text();
            else if (auto *b = qobject_cast<QAbstractButton *>(c))
                texts << b->text();
            else if (auto *g = qobject_cast<QGroupBox *>(c))
                texts << g->title();
            else if (auto *e = qobject_cast<QLineEdit *>(c))
                texts << e->placeholderText();
            else if (auto *t = qobject_cast<QTabWidget *>(c))
                for (int i = 0; i < t->count(); ++i)
                    texts << t->tabText(i) << t->tabToolTip(i);
            else if (auto *h = qobject_cast<QHeaderView *>(c); h && h->model())
                for (int i = 0; i < h->count(); ++i)
                    texts << h->model()->headerData(i, h->orientation()).toString();
        }
    }
    static const QRegularExpression czechText(
        QStringLiteral("[ěščřžýáíéúůďťňĚŠČŘŽÝÁÍÉÚŮĎŤŇ]|\\b(podnik\\w*|stredisk\\w*|heslo|smazat|opravit|obnovit|filtr|mapa|"
                       "sestavy|udalost\\w*|poznamk\\w*|stav|zdroj|kontakt|nastaveni|uzivatel\\w*|pridat|ulozit|"
                       "zrusit|vyber|kategorie|smlouva|fakturace)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList czech;
    for (const QString &t : qAsConst(texts))
        if (t.contains(czechText))
            czech << t;
    czech.removeDuplicates();
    QVERIFY2(czech.isEmpty(), qPrintable(czech.join(QStringLiteral(" | "))));
}

// Also run under Xvfb at 1366x768 and 1920x1080 (see shell.cmake).
void TstMainWindow::firstStartFitsTheScreen()
{
    const QString login = QStringLiteral("obrazovka");
    if (scalar("select count(*) from www_users where login=?", login) == 0) {
        QVERIFY(addUser(fullRights(login), "p") > 0);
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_holding(id,nazev_holding) values(91,'AGRO Holding Vysočina')")));
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,id_holding) "
                                            "values(91,'Zemědělské družstvo Hostomice a.s.',91)")));
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev) "
                                            "values(910,91,'Farma Hostomice pod Brdy')")));
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_udalosti(id_podnik,predmet,ts_zacatek,stav,smazano) "
                                            "values(91,'Servis dojírny','2026-03-01 08:00:00',1,0)")));
    }
    const int eventId = scalar(QStringLiteral("select id from tellmark_udalosti where id_podnik=91"));
    ZrnSettings().setValue(SettingsKeys::AccessUsername, login);
    ZrnSettings().setValue(SettingsKeys::AccessPassword, "p");
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(screen.contains(w.geometry()));
    QCOMPARE(w.isMaximized(), screen.width() <= 1920 && screen.height() <= 1080);
    QCOMPARE(w.mainTabs()->currentWidget()->objectName(), QStringLiteral("tab_evidence"));
    {
        // A later start with the window stored beside this screen, larger than it.
        QWidget elsewhere;
        elsewhere.setGeometry(screen.right() + 200, 40, screen.width() + 300, screen.height() + 200);
        ZrnSettings().setValue(SettingsKeys::WindowGeometry, elsewhere.saveGeometry());
        MainWindow later(QString(), startOptions(script));
        QVERIFY(later.isStarted());
        QVERIFY(screen.contains(later.geometry()));
    }
    if (screen.width() < 1366)
        QSKIP("The pages are laid out for screens from 1366 pixels wide.");
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QSize size = w.size();

    // Every page of the enterprise, the centre and the events shows all its
    // fields: nothing cut off, no horizontal scroll bar, the whole names.
    auto fits = [&](const char *where) {
        QApplication::processEvents();
        QWidget *page = w.findChild<EvidenceTab *>()->innerTabs()->currentWidget();
        if (qstrcmp(where, "events") == 0)
            page = w.findChild<UdalostiTab *>();
        QVERIFY2(page->minimumSizeHint().width() <= page->width(), where);
        for (QScrollArea *area : page->findChildren<QScrollArea *>()) {
            if (area->isVisible())
                QVERIFY2(!area->horizontalScrollBar()->isVisible(), qPrintable(area->objectName()));
        }
        for (QLabel *name : page->findChildren<QLabel *>()) {
            if (name->isVisible() && !name->text().isEmpty() && !name->wordWrap())
                QVERIFY2(name->width() >= name->sizeHint().width(), qPrintable(name->text()));
        }
        QCOMPARE(w.size(), size);
    };
    PodnikyTree *tree = w.findChild<EvidenceTab *>()->tree();
    QVERIFY(tree->setCurrentRow(91, QVariant()));
    for (int i = 0; i < w.findChild<EvidenceTab *>()->innerTabs()->count(); ++i) {
        w.findChild<EvidenceTab *>()->innerTabs()->setCurrentIndex(i);
        fits(qPrintable(w.findChild<EvidenceTab *>()->innerTabs()->tabText(i)));
    }
    QVERIFY(tree->setCurrentRow(91, 910));
    for (int i = 0; i < w.findChild<EvidenceTab *>()->innerTabs()->count(); ++i) {
        w.findChild<EvidenceTab *>()->innerTabs()->setCurrentIndex(i);
        fits(qPrintable(w.findChild<EvidenceTab *>()->innerTabs()->tabText(i)));
    }
    w.mainTabs()->setCurrentWidget(w.findChild<QWidget *>("tab_sudalosti"));
    QVERIFY(w.findChild<UdalostiTab *>()->pane()->loadEvent(eventId));
    fits("events");
}

void TstMainWindow::shortcutsDoWhatTheirButtonsDo_data()
{
    // Register rows start on the enterprise "Klávesy A" or "Klávesy B" (the
    // quick filter shows just these two) with an unsaved contact; "events"
    // on the global event list.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("button");   // clicked by the keys
    QTest::addColumn<int>("asked");        // questions about the unsaved edit
    QTest::addColumn<QString>("after");    // what the user sees then
    QTest::newRow("Ctrl+S saves") << "A" << QKeySequence(QKeySequence::Save) << "podnik_uloz" << 0 << "saved";
    QTest::newRow("F5 refreshes the tree") << "A" << QKeySequence(Qt::Key_F5) << "tbPRefresh" << 1 << "";
    QTest::newRow("Alt+Down: next row") << "A" << QKeySequence(Qt::ALT + Qt::Key_Down) << "" << 1 << "row B";
    QTest::newRow("Alt+Up: row above") << "B" << QKeySequence(Qt::ALT + Qt::Key_Up) << "" << 1 << "row A";
    QTest::newRow("Ctrl+PgDown: next tab") << "A" << QKeySequence(Qt::CTRL + Qt::Key_PageDown) << "" << 1 << "tab +1";
    QTest::newRow("Ctrl+PgUp: tab before") << "A" << QKeySequence(Qt::CTRL + Qt::Key_PageUp) << "" << 1 << "tab -1";
    QTest::newRow("Ctrl+1: first tab") << "A" << QKeySequence(Qt::CTRL + Qt::Key_1) << "" << 1 << "tab 0";
    QTest::newRow("Ctrl+F, Enter: first match") << "B" << QKeySequence(QKeySequence::Find) << "" << 1 << "row A";
    QTest::newRow("Ctrl+F, Esc: filter emptied") << "B" << QKeySequence(QKeySequence::Find) << "" << 0 << "no filter";
    QTest::newRow("Ctrl+N: new event") << "events" << QKeySequence(Qt::CTRL + Qt::Key_N) << "tbSUAdd" << 0 << "dialog";
    QTest::newRow("Ctrl+R: reply") << "events" << QKeySequence(Qt::CTRL + Qt::Key_R) << "tbSUAddReplay" << 0 << "";
    QTest::newRow("F5 refreshes the events") << "events" << QKeySequence(Qt::Key_F5) << "tbSRefresh" << 0 << "";
}

void TstMainWindow::shortcutsDoWhatTheirButtonsDo()
{
    QFETCH(QString, start);
    QFETCH(QKeySequence, keys);
    QFETCH(QString, button);
    QFETCH(int, asked);
    QFETCH(QString, after);
    const QString login = QStringLiteral("klavesnice");
    if (scalar("select count(*) from www_users where login=?", login) == 0) {
        QVERIFY(addUser(fullRights(login), "p") > 0);
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,kontakt_jmeno) "
                                            "values(85,'Klávesy A','Starý'),(86,'Klávesy B','Starý')")));
    }
    QVERIFY(TestDb::exec(QStringLiteral("update tellmark_podniky set kontakt_jmeno='Starý' where id in (85,86)")));
    ZrnSettings().setValue(SettingsKeys::AccessUsername, login);
    ZrnSettings().setValue(SettingsKeys::AccessPassword, "p");
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    int questions = 0;
    w.setCloseQuestion([&](QWidget *) {
        ++questions;
        return int(QMessageBox::No);
    });
    w.findChild<EvidenceTab *>()->setSaveQuestion([&](QWidget *) {
        ++questions;
        return false;
    });
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Without a window manager the window system activates nothing.
    QApplication::setActiveWindow(&w);
    const int registerTab = w.mainTabs()->currentIndex();
    auto *filter = w.findChild<QLineEdit *>("sfilter");
    if (start == QLatin1String("events")) {
        w.mainTabs()->setCurrentWidget(w.findChild<QWidget *>("tab_sudalosti"));
    } else {
        filter->setText(QStringLiteral("Klávesy"));
        QVERIFY(w.findChild<EvidenceTab *>()->tree()->setCurrentRow(start == QLatin1String("A") ? 85 : 86, QVariant()));
        w.findChild<QLineEdit *>("kontakt_jmeno")->setText(QStringLiteral("Nový"));
        w.findChild<QWidget *>("kontakt_jmeno")->setFocus();
    }
    QAbstractButton *target = button.isEmpty() ? nullptr : w.findChild<QAbstractButton *>(button);
    QVERIFY(button.isEmpty() || target);
    std::unique_ptr<QSignalSpy> clicked(target ? new QSignalSpy(target, &QAbstractButton::clicked) : nullptr);
    // The event dialog Ctrl+N opens is cancelled.
    ModalHandler dialog([](QWidget *modal) {
        modal->close();
        return true;
    });

    QTest::keySequence(QApplication::focusWidget(), keys);
    if (keys == QKeySequence(QKeySequence::Find)) {
        QCOMPARE(QApplication::focusWidget(), filter);
        QTest::keyClick(filter, after == QLatin1String("no filter") ? Qt::Key_Escape : Qt::Key_Return);
    }
    if (target) {
        QCOMPARE(clicked->count(), 1);
        QVERIFY(target->toolTip().endsWith(QLatin1Char('(') + keys.toString(QKeySequence::NativeText) + QLatin1Char(')')));
    }
    QCOMPARE(questions, asked);
    QCOMPARE(dialog.handled(), after == QLatin1String("dialog"));
    const QString stored = after == QLatin1String("saved") ? QStringLiteral("Nový") : QStringLiteral("Starý");
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky where id=85 and kontakt_jmeno=?"), stored), 1);
    if (after == QLatin1String("saved"))
        QVERIFY2(QRegularExpression(QStringLiteral("^Uloženo \\d\\d:\\d\\d$")).match(w.statusBar()->currentMessage()).hasMatch(),
                 qPrintable(w.statusBar()->currentMessage()));
    if (after.startsWith(QLatin1String("row ")))
        QCOMPARE(w.session()->s_id_podnik.toInt(), after.endsWith(QLatin1Char('A')) ? 85 : 86);
    if (after == QLatin1String("tab +1") || after == QLatin1String("tab -1"))
        QCOMPARE(w.mainTabs()->currentIndex(), registerTab + (after.endsWith(QLatin1String("+1")) ? 1 : -1));
    if (after == QLatin1String("tab 0"))
        QCOMPARE(w.mainTabs()->currentIndex(), 0);
    if (after == QLatin1String("no filter")) {
        QVERIFY(filter->text().isEmpty());
        QVERIFY(w.findChild<EvidenceTab *>()->hasUnsavedEdits());
    }
    w.setCloseQuestion([](QWidget *) { return int(QMessageBox::No); });
}

void TstMainWindow::eventListsAndTheRegister()
{
    QVERIFY(savedUser(QStringLiteral("udalosti")));
    QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev) values(81,'Dvojklik'),(82,'Druhý')")));
    QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev) values(810,81,'Dvůr')")));
    QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_udalosti(id,id_strediska,id_podnik,ts_zacatek,predmet,smazano) values"
                                        "(801,810,NULL,'2025-05-01 08:00:00','Ve dvoře',0),"
                                        "(802,NULL,82,'2025-05-02 08:00:00','U druhého',0)")));
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    w.show();
    UdalostiTab *events = w.findChild<UdalostiTab *>();
    w.mainTabs()->setCurrentWidget(events->parentWidget());
    const QModelIndex row = events->proxy()->mapFromSource(events->model()->indexOfId(801));
    QVERIFY(row.isValid());

    // A double click shows the event's centre on the register's event page.
    events->tableViewSUdalostiDoubleClicked(row);
    QCOMPARE(w.mainTabs()->tabText(w.mainTabs()->currentIndex()), QStringLiteral("Podniky/střediska"));
    QCOMPARE(w.session()->s_id_stredisko.toInt(), 810);
    QTabWidget *inner = w.findChild<EvidenceTab *>()->innerTabs();
    QCOMPARE(inner->currentWidget()->objectName(), QStringLiteral("tab_udalosti"));
    auto *page = inner->currentWidget();
    auto *list = page->findChild<QTreeView *>(QStringLiteral("treeViewUdalosti"));
    QVERIFY(list);
    QCOMPARE(list->model()->rowCount(), 1);

    // Another enterprise while another page is in front: its events are
    // read when their page is shown, not before.
    inner->setCurrentIndex(0);
    const quint64 before = Database::statementCount();
    QVERIFY(w.findChild<EvidenceTab *>()->tree()->setCurrentRow(82, QVariant()));
    const quint64 click = Database::statementCount() - before;
    QCOMPARE(list->model()->rowCount(), 0);
    inner->setCurrentWidget(page);
    QCOMPARE(Database::statementCount() - before, click + 1);
    QCOMPARE(list->model()->rowCount(), 1);
    QCOMPARE(list->model()->index(0, 1).data().toString(), QStringLiteral("U druhého"));

    // Edits the register cannot save keep the user on the global list.
    list->setCurrentIndex(list->model()->index(0, 0));
    auto *subject = page->findChild<QLineEdit *>(QStringLiteral("udalostPredmet"));
    // (Leaving the register asks about its edits, so they are made behind
    // the global list, as a failed save on leaving leaves them.)
    w.mainTabs()->setCurrentWidget(events->parentWidget());
    subject->setText(QStringLiteral("Neuloží se"));
    w.findChild<EvidenceTab *>()->setSaveQuestion([](QWidget *) { return true; });
    QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_udalosti rename to odlozene_udalosti")));
    {
        MessageBoxAnswerer errors;
        events->tableViewSUdalostiDoubleClicked(events->proxy()->mapFromSource(events->model()->indexOfId(801)));
        QCOMPARE(errors.messages.size(), 1);
    }
    QVERIFY(TestDb::exec(QStringLiteral("alter table odlozene_udalosti rename to tellmark_udalosti")));
    QCOMPARE(w.mainTabs()->currentWidget(), events->parentWidget());
    QCOMPARE(w.session()->s_id_podnik.toInt(), 82);
    QCOMPARE(subject->text(), QStringLiteral("Neuloží se"));
}

namespace {
// The statements the database layer runs, from its logging category.
QStringList g_statements;
QtMessageHandler g_previousHandler = nullptr;
void collectStatements(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (context.category && qstrcmp(context.category, "zrn.sql") == 0) {
        if (message.startsWith(QLatin1String("ok:")) || message.startsWith(QLatin1String("failed:")))
            g_statements << message;
        return;
    }
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}
// The enterprise tree's statement: enterprises joined with their centres.
int treeStatements(const QStringList &statements)
{
    int n = 0;
    for (const QString &s : statements) {
        if (s.contains(QLatin1String("tellmark_podniky"), Qt::CaseInsensitive)
            && s.contains(QLatin1String("tellmark_strediska"), Qt::CaseInsensitive))
            ++n;
    }
    return n;
}
} // namespace

void TstMainWindow::nothingIsReadBeforeLogin_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("login") << false;
    QTest::newRow("cancelled login") << true;
}

void TstMainWindow::nothingIsReadBeforeLogin()
{
    QFETCH(bool, cancel);
    const QString login = cancel ? QStringLiteral("zrusil") : QStringLiteral("razeni");
    QVERIFY(addUser(fullRights(login), "p") > 0);
    QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_podniky(podnik_nazev) values('Agro Řazení')")));
    {
        // A saved descending sort on column 2 of the tree, the register tab
        // current, and saved credentials that no longer work: the login
        // dialog is needed.
        ZrnSettings s;
        SavedCredentials{login, "stare"}.save(s);
        s.setValue(SettingsKeys::TabIndexMain, 3);
        s.setValue(QStringLiteral("tableUser/sectionSort"), 2);
        s.setValue(QStringLiteral("tableUser/sectionSortOrder"), 1);
    }
    ScriptedDialog script;
    if (!cancel)
        script.typed = QStringList{login, "p"};
    MainWindow::StartOptions options = startOptions(script);
    QStringList beforeLogin;
    auto ask = options.login.askCredentials;
    options.login.askCredentials = [&](QString &l, QString &p) {
        beforeLogin = g_statements;
        return ask(l, p);
    };

    QLoggingCategory::setFilterRules(QStringLiteral("zrn.sql.debug=true"));
    g_statements.clear();
    g_previousHandler = qInstallMessageHandler(collectStatements);
    const quint64 start = Database::statementCount();
    QStringList afterStart;
    bool started = false;
    int sortColumn = -1;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    {
        MainWindow w(QString(), options);
        started = w.isStarted();
        afterStart = g_statements;
        if (started) {
            QCOMPARE(w.mainTabs()->tabText(w.mainTabs()->currentIndex()), QStringLiteral("Podniky/střediska"));
            auto *tree = w.findChild<QTreeView *>(QStringLiteral("treeView"));
            sortColumn = tree->header()->sortIndicatorSection();
            sortOrder = tree->header()->sortIndicatorOrder();
        }
    }
    qInstallMessageHandler(g_previousHandler);
    QLoggingCategory::setFilterRules(QString());

    QCOMPARE(script.shown, 1);
    QCOMPARE(started, !cancel);
    // Before the login only the user table is read.
    QVERIFY2(!beforeLogin.isEmpty(), "the statement log is empty");
    for (const QString &statement : qAsConst(beforeLogin))
        QVERIFY2(statement.contains(QLatin1String("www_users")), qPrintable(statement));
    QCOMPARE(treeStatements(beforeLogin), 0);
    // After it the tree is read once, already in the saved order.
    QCOMPARE(treeStatements(afterStart), cancel ? 0 : 1);
    QCOMPARE(int(Database::statementCount() - start), afterStart.size());
    if (!cancel) {
        QCOMPARE(sortColumn, 2);
        QCOMPARE(sortOrder, Qt::DescendingOrder);
    }
}

void TstMainWindow::unsavedEditsOnClose_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("failingSave");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("viaLogout");
    QTest::addColumn<bool>("leaveTab");    // another main tab instead of closing ("closes": the tab is left)
    QTest::newRow("yes saves and closes") << int(QMessageBox::Yes) << false << true << "Nový kontakt" << false << false;
    QTest::newRow("no drops the edit") << int(QMessageBox::No) << false << true << "Starý kontakt" << false << false;
    QTest::newRow("cancel keeps the window") << int(QMessageBox::Cancel) << false << false << "Starý kontakt" << false
                                             << false;
    QTest::newRow("failed save keeps the window") << int(QMessageBox::Yes) << true << false << "Starý kontakt" << false
                                                  << false;
    QTest::newRow("logout: cancel keeps login") << int(QMessageBox::Cancel) << false << false << "Starý kontakt" << true
                                                << false;
    QTest::newRow("logout: yes saves") << int(QMessageBox::Yes) << false << true << "Nový kontakt" << true << false;
    QTest::newRow("leaving: yes saves") << int(QMessageBox::Yes) << false << true << "Nový kontakt" << false << true;
    QTest::newRow("leaving: no drops") << int(QMessageBox::No) << false << true << "Starý kontakt" << false << true;
    QTest::newRow("leaving: cancel stays") << int(QMessageBox::Cancel) << false << false << "Starý kontakt" << false
                                           << true;
}

void TstMainWindow::unsavedEditsOnClose()
{
    QFETCH(int, answer);
    QFETCH(bool, failingSave);
    QFETCH(bool, closes);
    QFETCH(QString, stored);
    QFETCH(bool, viaLogout);
    QFETCH(bool, leaveTab);
    const QString login = QString::fromUtf8(QTest::currentDataTag()).left(20);
    QVERIFY(savedUser(login));
    QSSQL ins;
    ins.prepare(QStringLiteral("insert into tellmark_podniky(podnik_nazev,kontakt_jmeno) values(?,?)"));
    ins.addBindValue(QStringLiteral("Zavírání ") + login);
    ins.addBindValue(QStringLiteral("Starý kontakt"));
    QVERIFY(ins.exec());
    const int id = ins.lastInsertId().toInt();

    ScriptedDialog script;
    MessageBoxAnswerer errors;
    int asked = 0;
    {
        MainWindow w(QString(), startOptions(script));
        QVERIFY(w.isStarted());
        w.setCloseQuestion([&](QWidget *) {
            ++asked;
            return answer;
        });
        w.show();
        w.showInRegister(QStringLiteral("tab_podnik"));
        w.findChild<EvidenceTab *>()->refresh();
        QVERIFY(w.findChild<EvidenceTab *>()->tree()->setCurrentRow(id, QVariant()));
        auto *contact = w.findChild<QLineEdit *>(QStringLiteral("kontakt_jmeno"));
        QVERIFY(contact && contact->isEnabled());
        contact->setText(QStringLiteral("Nový kontakt"));
        if (failingSave)
            QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_podniky rename to odlozene_podniky")));
        QWidget *registerTab = w.mainTabs()->currentWidget();
        if (leaveTab)
            w.mainTabs()->setCurrentIndex(0);
        else if (viaLogout)
            w.findChild<QAbstractButton *>("odhlasit")->click();
        else
            w.close();
        if (failingSave)
            QVERIFY(TestDb::exec(QStringLiteral("alter table odlozene_podniky rename to tellmark_podniky")));
        QCOMPARE(asked, 1);
        if (leaveTab) {
            QCOMPARE(w.mainTabs()->currentWidget() == registerTab, !closes);
            // Coming back keeps the row and its page, showing what is stored.
            w.mainTabs()->setCurrentWidget(registerTab);
            QCOMPARE(asked, 1);
            QCOMPARE(w.session()->s_id_podnik.toInt(), id);
            QCOMPARE(w.findChild<EvidenceTab *>()->innerTabs()->currentWidget()->objectName(), QStringLiteral("tab_podnik"));
            QCOMPARE(contact->text(), closes ? stored : QStringLiteral("Nový kontakt"));
            w.setCloseQuestion([](QWidget *) { return int(QMessageBox::No); });
        } else {
            QCOMPARE(w.isVisible(), !closes);
        }
        if (!closes) {
            // The edit is still on screen, unsaved.
            QCOMPARE(contact->text(), QStringLiteral("Nový kontakt"));
            QVERIFY(w.findChild<EvidenceTab *>()->hasUnsavedEdits());
            // The close that follows may drop it on purpose.
            w.setCloseQuestion([](QWidget *) { return int(QMessageBox::No); });
            w.close();
            QVERIFY(!w.isVisible());
        }
    }
    QCOMPARE(errors.messages.size(), failingSave ? 1 : 0);
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky where id=? and kontakt_jmeno='") + stored
                        + QLatin1Char('\''),
                    id),
             1);
    // A cancelled logout keeps the saved login.
    ZrnSettings s;
    QCOMPARE(SavedCredentials::load(s).login.isEmpty(), viaLogout && closes);
}

void TstMainWindow::databaseWithoutUsersSaysHowToAddOne()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    ScriptedDialog script;
    MainWindow::StartOptions options = startOptions(script);
    QString notice;
    options.notice = [&](const QString &text) { notice = text; };
    MainWindow w(QString(), options);
    QVERIFY(!w.isStarted());
    QVERIFY2(notice.contains(QStringLiteral("zrnctl user add")), qPrintable(notice));
    QCOMPARE(script.shown, 1);
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
    for (int i = 0; i < w.mainTabs()->count(); ++i) {
        titles << w.mainTabs()->tabText(i);
        // Ctrl+1 ... go to the tabs shown, in their order.
        QCOMPARE(w.mainTabs()->tabToolTip(i), QKeySequence(Qt::CTRL + Qt::Key_1 + i).toString(QKeySequence::NativeText));
    }
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
    MessageBoxAnswerer answer; // the real message box, answered as soon as it shows
    {
        MainWindow w(QString(), options);
        QVERIFY(!w.isStarted());
        QCOMPARE(w.exitCode(), -1);
        // The dialog comes pre-filled with the saved values.
        QCOMPARE(script.shown, 1);
        QCOMPARE(script.shownLogin, login);
        QCOMPARE(script.shownPassword, QStringLiteral("stare"));
    }
    QCOMPARE(answer.messages.isEmpty() ? QString() : answer.messages.last().section(QLatin1Char(' '), 1), message);
    // An unstarted window writes nothing back.
    ZrnSettings s;
    QCOMPARE(s.value(SettingsKeys::TabIndexMain).toInt(), 4);
    QCOMPARE(s.value(SettingsKeys::AccessPassword).toString(), QStringLiteral("stare"));
    QVERIFY(!s.contains(SettingsKeys::WindowGeometry));
}

void TstMainWindow::firstStartAndLogout()
{
    // First start, no settings file: an empty dialog, the register.
    QVERIFY(addUser(fullRights("prvni"), "heslo") > 0);
    {
        ScriptedDialog script;
        script.typed = QStringList{"prvni", "heslo"};
        MainWindow w(QString(), startOptions(script));
        QVERIFY(w.isStarted());
        QCOMPARE(script.shown, 1);
        QVERIFY(script.shownLogin.isEmpty() && script.shownPassword.isEmpty());
        QCOMPARE(w.mainTabs()->currentWidget()->objectName(), QStringLiteral("tab_evidence"));
        QCOMPARE(w.findChild<OwnUserTab *>()->options(), UserOptions());
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
    options.language = "en";
    QList<int> sizes4;
    {
        ScriptedDialog script;
        MainWindow w(QString(), startOptions(script));
        QVERIFY(w.isStarted());
        w.findChild<OwnUserTab *>()->setOptions(options);
        w.findChild<QAbstractButton *>("nedokoncene")->click();
        EventListFilter criteria = w.findChild<UdalostiTab *>()->threads()->criteria();
        criteria.categories = "8,32";
        QVERIFY(w.findChild<UdalostiTab *>()->threads()->setCriteria(criteria, 0));
        w.mainTabs()->setCurrentWidget(w.findChild<QWidget *>("tab_sudalosti"));
        w.resize(1000, 700);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *s4 = w.findChild<QSplitter *>("splitter_4");
        // The user drags the handle; it stays where he left it.
        const QList<int> before = s4->sizes();
        s4->setSizes({before.at(0) + 150, before.at(1) - 150});
        sizes4 = s4->sizes();
        QVERIFY(sizes4 != before);
        QTreeView *list = w.findChild<UdalostiTab *>()->view();
        list->header()->resizeSection(1, 333);
        list->sortByColumn(2, Qt::DescendingOrder);
    }
    ScriptedDialog script;
    MainWindow w(QString(), startOptions(script));
    QVERIFY(w.isStarted());
    QCOMPARE(script.shown, 0);
    QCOMPARE(w.findChild<OwnUserTab *>()->options(), options);
    QVERIFY(w.findChild<QWidget *>("uKategorie_cb")->isEnabled());
    QVERIFY(w.findChild<UdalostiTab *>()->nedokoncene());
    QVERIFY(w.findChild<UdalostiTab *>()->threads()->criteria().unfinished);
    QCOMPARE(w.findChild<UdalostiTab *>()->threads()->criteria().categories, QStringLiteral("8,32"));
    QCOMPARE(w.mainTabs()->currentWidget()->objectName(), QStringLiteral("tab_sudalosti"));
    QCOMPARE(w.size(), QSize(1000, 700));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.findChild<QSplitter *>("splitter_4")->sizes(), sizes4);
    QHeaderView *header = w.findChild<UdalostiTab *>()->view()->header();
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
                      "[ui]\nlanguage=klingon\n[user]\nkategorie_idx=77777\nkategorie=maybe\nschranka=@ByteArray(\\x1)\nz1=@Variant(garbage)\n"
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
    QCOMPARE(w.mainTabs()->currentWidget()->objectName(), QStringLiteral("tab_evidence"));
    QCOMPARE(w.findChild<OwnUserTab *>()->options(), UserOptions());
    QVERIFY(!w.findChild<UdalostiTab *>()->nedokoncene());
    QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w.geometry()));
    QHeaderView *header = w.findChild<UdalostiTab *>()->view()->header();
    QVERIFY(header->sectionSize(1) < 99999999);
    // The default: the newest events first.
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

ZRN_TEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
