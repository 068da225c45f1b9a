// The main window: tabs per rights, sign-in, restart, unsaved edits on closing, languages, shortcuts.

#include "app/dialoguzivatel.h"
#include "app/mainwindow.h"
#include "app/ownusertab.h"
#include "app/startup.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/settingskeys.h"
#include "core/usersettings.h"
#include "db/database.h"
#include "events/eventpane.h"
#include "events/eventthreads.h"
#include "events/eventtreemodel.h"
#include "events/udalostitab.h"
#include "register/evidencetab.h"
#include "register/podnikytree.h"
#include "shellfixtures.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "support/uitest.h"

#include <QtWidgets>
#include <memory>

using namespace ShellFixtures;

namespace {

// The scripted login, no splash screen, no release check, no box for the notice.
MainWindow::StartOptions startOptions(ScriptedDialog &d) { return {d.callbacks(), false, {}, [](const QString &) {}}; }

// Saved credentials of a user with full rights (added the first time): the window starts without asking.
bool savedUser(const QString &login)
{
    ZrnSettings s;
    SavedCredentials{login, "p"}.save(s);
    return TestDb::value(QStringLiteral("select count(*) from www_users where login=?"), {login}).toInt() > 0
        || addUser(fullRights(login), "p") > 0;
}

// A window w that starts, with the login dialog `script`.
#define ZRN_START_WINDOW(w)                                                                     \
    ScriptedDialog script;                                                                      \
    MainWindow w(QString(), startOptions(script));                                              \
    QVERIFY(w.isStarted())

// The window's parts, by object name.
QTabWidget *tw(const QWidget &w) { return w.findChild<QTabWidget *>(QStringLiteral("tw")); }
QTabWidget *twe(const QWidget &w) { return w.findChild<QTabWidget *>(QStringLiteral("twe")); }
EvidenceTab *evidence(const QWidget &w) { return w.findChild<EvidenceTab *>(QStringLiteral("EvidenceTab")); }
PodnikyTree *tree(const QWidget &w) { return w.findChild<PodnikyTree *>(QStringLiteral("PodnikyTree")); }
UdalostiTab *events(const QWidget &w) { return w.findChild<UdalostiTab *>(QStringLiteral("UdalostiTab")); }
OwnUserTab *ownUser(const QWidget &w) { return w.findChild<OwnUserTab *>(QStringLiteral("OwnUserTab")); }
QTreeView *eventList(const QWidget &w) { return w.findChild<QTreeView *>(QStringLiteral("treeViewSUdalosti")); }
QHeaderView *eventHeader(const QWidget &w) { return eventList(w)->header(); }
QString currentTitle(const QWidget &w) { return tw(w)->tabText(tw(w)->currentIndex()); }
QString currentPage(QTabWidget *t) { return t->currentWidget()->objectName(); }

// The statements the database layer runs, from its logging category.
QStringList g_statements;
QtMessageHandler g_previousHandler = nullptr;
void collectStatements(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool sql = context.category && qstrcmp(context.category, "zrn.sql") == 0;
    if (sql && (message.startsWith(QLatin1String("ok:")) || message.startsWith(QLatin1String("failed:"))))
        g_statements << message;
    else if (!sql && g_previousHandler)
        g_previousHandler(type, context, message);
}
// The enterprise tree's statement: enterprises joined with their centres.
const QRegularExpression kTreeStatement("(?is)tellmark_podniky.*tellmark_strediska");

} // namespace

class TstMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        ZRN_SEED("insert into tellmark_holding(id,nazev_holding) values(91,'AGRO Holding Vysočina')",
                 "insert into tellmark_podniky(id,podnik_nazev,obr,id_holding,kontakt_jmeno) values"
                 "(71,'Na mapě','ST',null,null),(72,'Jinde','TM',null,null),(73,'Vedle','ST',null,null),"
                 "(81,'Dvojklik',null,null,null),(82,'Druhý',null,null,null),(85,'Klávesy A',null,null,'Starý'),"
                 "(86,'Klávesy B',null,null,'Starý'),(91,'Zemědělské družstvo Hostomice a.s.',null,91,null),"
                 "(97,'Farm Ltd','ST',null,null),(87,'Zavírání',null,null,null)",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev) values"
                 "(730,73,'Dvůr'),(810,81,'Dvůr'),(910,91,'Farma Hostomice pod Brdy')",
                 "insert into tellmark_udalosti(id,id_strediska,id_podnik,ts_zacatek,predmet,stav,smazano) values"
                 "(801,810,NULL,'2025-05-01 08:00:00','Ve dvoře',NULL,0),(802,NULL,82,'2025-05-02 08:00:00','U druhého',NULL,0),"
                 "(901,NULL,91,'2026-03-01 08:00:00','Servis dojírny',1,0)");
    }
    void init() { QFile::remove(ZrnSettings::path()); }

    void rightsRemoveTabs_data()
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
    void rightsRemoveTabs()
    {
        QFETCH(QString, column);
        QFETCH(int, value);
        QFETCH(QStringList, missing);
        const QString login = QString::fromUtf8(QTest::currentDataTag());
        QVERIFY(savedUser(login));
        if (!column.isEmpty())
            QVERIFY(QSSQL().exec(QStringLiteral("update www_users set %1=? where login=?").arg(column), {value, login}));
        ZRN_START_WINDOW(w);
        QStringList expected = {"Uživatel", "Sestavy", "Fakturace", "Podniky/střediska",
                                "Události", "Prohlížeč", "Uživatelé", "Control Panel"};
        for (const QString &t : missing)
            expected.removeAll(t);
        QCOMPARE(tw(w)->count(), expected.size());
        for (int i = 0; i < tw(w)->count(); ++i) {
            QCOMPARE(tw(w)->tabText(i), expected.at(i));
            // Ctrl+1 ... go to the tabs shown, in their order.
            QCOMPARE(tw(w)->tabToolTip(i), QKeySequence(Qt::CTRL + Qt::Key_1 + i).toString(QKeySequence::NativeText));
        }
        // Own events only: the global list offers no choice of persons.
        QCOMPARE(w.findChild<QWidget *>("oo")->isHidden(), column == "udalosti" && value == 1);
    }

    // Refused or cancelled, the window stays unstarted; only users are read first; bad settings: defaults.
    void signInAtStart_data()
    {
        QTest::addColumn<QString>("saved");       // the saved password of the user
        QTest::addColumn<QByteArray>("file");     // the settings file instead
        QTest::addColumn<QString>("typed");       // into the dialog; empty: Cancel
        QTest::addColumn<int>("shown");           // times the dialog showed
        QTest::addColumn<QString>("message");     // the box shown
        const QByteArray junk = QCryptographicHash::hash("zrn", QCryptographicHash::Sha512).repeated(64);
        const QByteArray edited("[accessn]\nusername=poskozeny\npassword=p\n[tab]\nindex_main=999999999999\n"
                                "index_tellmark=-3\n[ui]\nlanguage=klingon\n[user]\nkategorie_idx=77777\n"
                                "kategorie=maybe\nschranka=@ByteArray(\\x1)\nz1=@Variant(garbage)\n[misc]\n"
                                "nedokoncene=maybe\n[splitterSUdalosti]\nstate=abc\n[window]\ngeometry=@ByteArray(xyz)\n"
                                "state=1\n[tableSUdalosti]\nsectionSize0=-20\nsectionSize1=99999999\nsectionSort=55\n"
                                "sectionSortOrder=7\n");
        QTest::newRow("first start, no settings") << "" << QByteArray() << "heslo" << 1 << "";
        QTest::newRow("binary garbage") << "" << junk << "heslo" << 1 << "";
        QTest::newRow("hand-edited values") << "" << edited << "heslo" << 1 << "";
        QTest::newRow("saved credentials") << "heslo" << QByteArray() << "" << 0 << "";
        QTest::newRow("saved password outdated") << "stare" << QByteArray() << "heslo" << 1 << "";
        QTest::newRow("cancel: no message") << "stare" << QByteArray() << "" << 1 << "";
        QTest::newRow("wrong password") << "stare" << QByteArray() << "spatne" << 1 << "Přístup zamítnut.";
    }
    void signInAtStart()
    {
        QFETCH(QString, saved);
        QFETCH(QByteArray, file);
        QFETCH(QString, typed);
        const QString login = QString::fromUtf8(QTest::currentDataTag()).left(15);
        QVERIFY(addUser(fullRights(login), "heslo") > 0);
        if (!saved.isEmpty()) {
            // The register tab in front, its tree sorted descending on column 2.
            ZrnSettings s;
            SavedCredentials{login, saved}.save(s);
            s.setValue(SettingsKeys::TabIndexMain, 3);
            s.setValue(QStringLiteral("tableUser/sectionSort"), 2);
            s.setValue(QStringLiteral("tableUser/sectionSortOrder"), 1);
        }
        QFile settings(ZrnSettings::path());
        QVERIFY(file.isEmpty() || (settings.open(QIODevice::WriteOnly) && settings.write(file) > 0 && settings.flush()));
        ScriptedDialog script;
        if (!typed.isEmpty())
            script.typed = QStringList{login, typed};
        MainWindow::StartOptions options = startOptions(script);
        options.login.denied = nullptr;
        QStringList beforeLogin, afterStart;
        auto ask = options.login.askCredentials;
        options.login.askCredentials = [&](QString &l, QString &p) {
            beforeLogin = g_statements;
            return ask(l, p);
        };
        MessageBoxAnswerer answer; // the real message box, answered as soon as it shows
        QLoggingCategory::setFilterRules(QStringLiteral("zrn.sql.debug=true"));
        g_statements.clear();
        g_previousHandler = qInstallMessageHandler(collectStatements);
        const quint64 start = Database::statementCount();
        const bool starts = typed == QLatin1String("heslo") || saved == QLatin1String("heslo");
        {
            MainWindow w(QString(), options);
            afterStart = g_statements;
            qInstallMessageHandler(g_previousHandler);
            QLoggingCategory::setFilterRules(QString());
            QCOMPARE(int(Database::statementCount() - start), afterStart.size());
            QCOMPARE(w.isStarted(), starts);
            QCOMPARE(w.exitCode(), starts ? 0 : -1);
            QCOMPARE(afterStart.filter(kTreeStatement).size(), starts ? 1 : 0);
            if (starts) { // the register (saved or by default), the tree read in the saved order
                QCOMPARE(currentPage(tw(w)), QStringLiteral("tab_evidence"));
                const QHeaderView *h = w.findChild<QTreeView *>(QStringLiteral("treeView"))->header();
                if (!saved.isEmpty())
                    QCOMPARE(qMakePair(h->sortIndicatorSection(), h->sortIndicatorOrder()),
                             qMakePair(2, Qt::DescendingOrder));
            }
            if (starts && saved.isEmpty()) {
                QCOMPARE(ownUser(w)->options(), UserOptions());
                QVERIFY(!w.findChild<QToolButton *>("nedokoncene")->isChecked());
                QVERIFY(QGuiApplication::primaryScreen()->availableGeometry().contains(w.geometry()));
                QVERIFY(eventHeader(w)->sectionSize(1) < 99999999);
                const QHeaderView *e = eventHeader(w); // the newest events first
                QCOMPARE(qMakePair(e->sortIndicatorSection(), e->sortIndicatorOrder()), qMakePair(2, Qt::DescendingOrder));
            }
        }
        QTEST(script.shown, "shown");
        QTEST(answer.messages.isEmpty() ? QString() : answer.messages.last().section(QLatin1Char(' '), 1), "message");
        for (const QString &statement : qAsConst(beforeLogin))
            QVERIFY2(statement.contains(QLatin1String("www_users")), qPrintable(statement));
        QCOMPARE(beforeLogin.filter(kTreeStatement).size(), 0);
        // Typed credentials are kept; an unstarted window writes nothing back.
        ZrnSettings s;
        QCOMPARE(SavedCredentials::load(s).password, starts ? QStringLiteral("heslo") : saved);
        QCOMPARE(s.contains(SettingsKeys::WindowGeometry), starts);
        if (!starts)
            QCOMPARE(s.value(SettingsKeys::TabIndexMain).toInt(), 3);
    }

    void layoutAndOptionsSurviveRestart()
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
            ZRN_START_WINDOW(w);
            ownUser(w)->setOptions(options);
            w.findChild<QAbstractButton *>("nedokoncene")->click();
            EventListFilter criteria = events(w)->threads()->criteria();
            criteria.categories = "8,32";
            QVERIFY(events(w)->threads()->setCriteria(criteria, 0));
            tw(w)->setCurrentWidget(w.findChild<QWidget *>("tab_sudalosti"));
            w.resize(1000, 700);
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            // The user drags the handle; it stays where he left it.
            auto *s4 = w.findChild<QSplitter *>("splitter_4");
            const QList<int> before = s4->sizes();
            s4->setSizes({before.at(0) + 150, before.at(1) - 150});
            sizes4 = s4->sizes();
            QVERIFY(sizes4 != before);
            eventHeader(w)->resizeSection(1, 333);
            eventList(w)->sortByColumn(1, Qt::AscendingOrder);
        }
        ZRN_START_WINDOW(w);
        QCOMPARE(ownUser(w)->options(), options);
        QVERIFY(w.findChild<QWidget *>("uKategorie_cb")->isEnabled());
        QVERIFY(w.findChild<QToolButton *>("nedokoncene")->isChecked());
        QCOMPARE(events(w)->threads()->criteria().categories, QStringLiteral("8,32"));
        QCOMPARE(currentPage(tw(w)), QStringLiteral("tab_sudalosti"));
        QCOMPARE(w.size(), QSize(1000, 700));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.findChild<QSplitter *>("splitter_4")->sizes(), sizes4);
        QCOMPARE(eventHeader(w)->sectionSize(1), 333);
        QCOMPARE(qMakePair(eventHeader(w)->sortIndicatorSection(), eventHeader(w)->sortIndicatorOrder()),
                 qMakePair(1, Qt::AscendingOrder));
    }

    void unsavedEditsOnClose_data()
    {
        // How the edit is left: "close", "logout" or "leave" (another main tab).
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("failingSave");
        const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
        QTest::newRow("yes saves and closes") << "close" << yes << false;
        QTest::newRow("no drops the edit") << "close" << no << false;
        QTest::newRow("cancel keeps the window") << "close" << cancel << false;
        QTest::newRow("failed save keeps the window") << "close" << yes << true;
        QTest::newRow("logout: cancel keeps login") << "logout" << cancel << false;
        QTest::newRow("logout: yes saves") << "logout" << yes << false;
        QTest::newRow("leaving: yes saves") << "leave" << yes << false;
        QTest::newRow("leaving: no drops") << "leave" << no << false;
        QTest::newRow("leaving: cancel stays") << "leave" << cancel << false;
    }
    void unsavedEditsOnClose()
    {
        QFETCH(QString, how);
        QFETCH(int, answer);
        QFETCH(bool, failingSave);
        // Cancel and a failed save keep the edit on screen (for "leave": on the register tab).
        const bool closes = answer != QMessageBox::Cancel && !failingSave;
        const QString stored = answer == QMessageBox::Yes && closes ? "Nový kontakt" : "Starý kontakt";
        const QString login = QString::fromUtf8(QTest::currentDataTag()).left(20);
        QVERIFY(savedUser(login));
        const int id = 87;
        QVERIFY(TestDb::exec(QStringLiteral("update tellmark_podniky set kontakt_jmeno='Starý kontakt' where id=87")));
        MessageBoxAnswerer errors;
        int asked = 0;
        {
            ZRN_START_WINDOW(w);
            // The row's answer, then No: the close that ends the case drops what is left.
            w.setCloseQuestion([&](QWidget *) { return ++asked == 1 ? answer : int(QMessageBox::No); });
            w.show();
            w.showInRegister(QStringLiteral("tab_podnik"));
            evidence(w)->refresh();
            QVERIFY(tree(w)->setCurrentRow(id, QVariant()));
            auto *contact = w.findChild<QLineEdit *>(QStringLiteral("kontakt_jmeno"));
            QVERIFY(contact && contact->isEnabled());
            contact->setText(QStringLiteral("Nový kontakt"));
            if (failingSave)
                QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_podniky rename to odlozene_podniky")));
            QWidget *registerTab = tw(w)->currentWidget();
            if (how == QLatin1String("leave"))
                tw(w)->setCurrentIndex(0);
            else if (how == QLatin1String("logout"))
                w.findChild<QAbstractButton *>("odhlasit")->click();
            else
                w.close();
            if (failingSave)
                QVERIFY(TestDb::exec(QStringLiteral("alter table odlozene_podniky rename to tellmark_podniky")));
            QCOMPARE(asked, 1);
            if (how == QLatin1String("leave")) {
                QCOMPARE(tw(w)->currentWidget() == registerTab, !closes);
                // Coming back keeps the row and its page, showing what is stored.
                tw(w)->setCurrentWidget(registerTab);
                QCOMPARE(asked, 1);
                QCOMPARE(w.session()->s_id_podnik.toInt(), id);
                QCOMPARE(currentPage(twe(w)), QStringLiteral("tab_podnik"));
                QCOMPARE(contact->text(), closes ? stored : QStringLiteral("Nový kontakt"));
            } else {
                QCOMPARE(w.isVisible(), !closes);
            }
            if (!closes) {
                // The edit is still on screen, unsaved.
                QCOMPARE(contact->text(), QStringLiteral("Nový kontakt"));
                QVERIFY(evidence(w)->hasUnsavedEdits());
                w.close();
                QVERIFY(!w.isVisible());
            }
        }
        QCOMPARE(errors.messages.size(), failingSave ? 1 : 0);
        QCOMPARE(TestDb::value(QStringLiteral("select kontakt_jmeno from tellmark_podniky where id=?"), {id}).toString(), stored);
        // "Odhlásit a ukončit" forgets the saved login; a cancelled logout keeps it.
        ZrnSettings s;
        QCOMPARE(SavedCredentials::load(s).login.isEmpty(), how == QLatin1String("logout") && closes);
        QCOMPARE(SavedCredentials::load(s).password.isEmpty(), how == QLatin1String("logout") && closes);
    }

    void pageAsksForAnEnterprise_data()
    {
        QTest::addColumn<QString>("from"); // the tree row current before
        QTest::newRow("enterprise") << "enterprise";
        QTest::newRow("centre") << "centre";
        QTest::newRow("none (Výběr)") << "none";
    }
    void pageAsksForAnEnterprise()
    {
        QFETCH(QString, from);
        QVERIFY(savedUser(QStringLiteral("mapa")));
        QVERIFY(TestDb::exec(QStringLiteral("update www_users set region='ST' where login='mapa'")));
        ZRN_START_WINDOW(w);
        tw(w)->setCurrentIndex(0);
        evidence(w)->refresh();
        // The user last looked at another page of an enterprise.
        QVERIFY(tree(w)->setCurrentRow(73, QVariant()));
        twe(w)->setCurrentIndex(twe(w)->count() - 1);
        QVERIFY(currentPage(twe(w)) != QLatin1String("tab_podnik"));
        if (from == QLatin1String("centre"))
            QVERIFY(tree(w)->setCurrentRow(73, 730));
        else if (from == QLatin1String("none"))
            tree(w)->view()->setCurrentIndex(QModelIndex());
        // Outside the user's region: nothing changes.
        for (const char *id : {"72", "72') or ('1"}) {
            w.podnikVybran(QString::fromUtf8(id));
            QCOMPARE(tw(w)->currentIndex(), 0);
        }
        // Shown by the tree: the register shows its "O podniku" page.
        w.podnikVybran(QStringLiteral("71"));
        QCOMPARE(currentTitle(w), QStringLiteral("Podniky/střediska"));
        QCOMPARE(w.session()->s_id_podnik.toInt(), 71);
        QCOMPARE(currentPage(twe(w)), QStringLiteral("tab_podnik"));
    }

    void eventListsAndTheRegister()
    {
        QVERIFY(savedUser(QStringLiteral("udalosti")));
        ZRN_START_WINDOW(w);
        w.show();
        UdalostiTab *list = events(w);
        tw(w)->setCurrentWidget(list->parentWidget());
        const QModelIndex row = list->proxy()->mapFromSource(list->model()->indexOfId(801));
        QVERIFY(row.isValid());
        // A double click shows the event's centre on the register's event page.
        list->tableViewSUdalostiDoubleClicked(row);
        QCOMPARE(currentTitle(w), QStringLiteral("Podniky/střediska"));
        QCOMPARE(w.session()->s_id_stredisko.toInt(), 810);
        QCOMPARE(currentPage(twe(w)), QStringLiteral("tab_udalosti"));
        QWidget *page = twe(w)->currentWidget();
        auto *pageList = page->findChild<QTreeView *>(QStringLiteral("treeViewUdalosti"));
        QCOMPARE(pageList->model()->rowCount(), 1);
        // Another enterprise while another page is in front: its events are read when shown.
        twe(w)->setCurrentIndex(0);
        const quint64 before = Database::statementCount();
        QVERIFY(tree(w)->setCurrentRow(82, QVariant()));
        const quint64 click = Database::statementCount() - before;
        QCOMPARE(pageList->model()->rowCount(), 0);
        twe(w)->setCurrentWidget(page);
        QCOMPARE(Database::statementCount() - before, click + 1);
        QCOMPARE(pageList->model()->rowCount(), 1);
        QCOMPARE(pageList->model()->index(0, 1).data().toString(), QStringLiteral("U druhého"));
        // Edits the register cannot save keep the user on the global list (made behind the
        // global list, as a failed save on leaving the register leaves them).
        pageList->setCurrentIndex(pageList->model()->index(0, 0));
        auto *subject = page->findChild<QLineEdit *>(QStringLiteral("udalostPredmet"));
        tw(w)->setCurrentWidget(list->parentWidget());
        subject->setText(QStringLiteral("Neuloží se"));
        evidence(w)->setSaveQuestion([](QWidget *) { return true; });
        QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_udalosti rename to odlozene_udalosti")));
        {
            MessageBoxAnswerer errors;
            list->tableViewSUdalostiDoubleClicked(list->proxy()->mapFromSource(list->model()->indexOfId(801)));
            QCOMPARE(errors.messages.size(), 1);
        }
        QVERIFY(TestDb::exec(QStringLiteral("alter table odlozene_udalosti rename to tellmark_udalosti")));
        QCOMPARE(tw(w)->currentWidget(), list->parentWidget());
        QCOMPARE(w.session()->s_id_podnik.toInt(), 82);
        QCOMPARE(subject->text(), QStringLiteral("Neuloží se"));
    }

    void languageOfTheScreens_data()
    {
        QTest::addColumn<QString>("setting");   // ui/language as the user page stores it
        QTest::addColumn<QString>("system");    // the machine's locale
        QTest::addColumn<QStringList>("shown"); // register tab, login title, page tab, Cancel
        const QStringList czech{"Podniky/střediska", "Přihlašovací údaje do ZRN", "O podniku", "Zrušit"};
        const QStringList english{"Enterprises/centres", "ZRN login", "About the enterprise", "Cancel"};
        QTest::newRow("cs") << "cs" << "en_GB" << czech;
        QTest::newRow("en") << "en" << "cs_CZ" << english;
        QTest::newRow("system: English") << "system" << "en_US" << english;
        QTest::newRow("system: no German translation") << "system" << "de_DE" << czech;
        QTest::newRow("unknown value") << "xx" << "en_GB" << czech;
    }
    void languageOfTheScreens()
    {
        QFETCH(QString, setting);
        QFETCH(QString, system);
        QFETCH(QStringList, shown);
        QVERIFY(savedUser(QStringLiteral("jazyk_") + setting + system));
        ZrnSettings().setValue(SettingsKeys::UiLanguage, setting);
        QVERIFY(Startup::applyStoredLanguage(QLocale(system)));
        struct Restore { ~Restore() { Startup::applyCzechLocale(); } } restore;
        DialogUzivatel login;
        ZRN_START_WINDOW(w);
        evidence(w)->refresh();
        w.podnikVybran(QStringLiteral("97")); // the register shows the enterprise page
        QCOMPARE(QStringList({currentTitle(w), login.windowTitle(), twe(w)->tabText(twe(w)->currentIndex()),
                              login.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text()}),
                 shown);
        if (shown.constFirst() != QLatin1String("Enterprises/centres"))
            return;
        // Every text of the program on the window, the enterprise page and the login dialog (edits hold data).
        QStringList texts;
        for (QWidget *top : {static_cast<QWidget *>(&w), static_cast<QWidget *>(&login)}) {
            texts << top->windowTitle();
            for (QWidget *c : top->findChildren<QWidget *>()) {
                const char *text = qobject_cast<QLineEdit *>(c) ? "" : "text";
                for (const char *name : {"toolTip", "title", "placeholderText", text})
                    texts << c->property(name).toString();
                if (auto *t = qobject_cast<QTabWidget *>(c))
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
        const QStringList czechLeft = texts.filter(czechText);
        QVERIFY2(czechLeft.isEmpty(), qPrintable(czechLeft.join(QStringLiteral(" | "))));
    }

    // Also run under Xvfb at 1366x768 and 1920x1080 (see tests.cmake).
    void firstStartFitsTheScreen()
    {
        QVERIFY(savedUser(QStringLiteral("obrazovka")));
        ZRN_START_WINDOW(w);
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.contains(w.geometry()));
        QCOMPARE(w.isMaximized(), screen.width() <= 1920 && screen.height() <= 1080);
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
        // Every page of the enterprise, the centre and the events shows all its fields whole.
        auto fits = [&](QWidget *page, const QString &where) {
            QApplication::processEvents();
            QVERIFY2(page->minimumSizeHint().width() <= page->width(), qPrintable(where));
            for (QScrollArea *area : page->findChildren<QScrollArea *>())
                QVERIFY2(!area->isVisible() || !area->horizontalScrollBar()->isVisible(), qPrintable(area->objectName()));
            for (QLabel *name : page->findChildren<QLabel *>())
                if (name->isVisible() && !name->text().isEmpty() && !name->wordWrap())
                    QVERIFY2(name->width() >= name->sizeHint().width(), qPrintable(name->text()));
            QCOMPARE(w.size(), size);
        };
        for (const QVariant &centre : {QVariant(), QVariant(910)}) {
            QVERIFY(tree(w)->setCurrentRow(91, centre));
            for (int i = 0; i < twe(w)->count(); ++i) {
                twe(w)->setCurrentIndex(i);
                fits(twe(w)->currentWidget(), twe(w)->tabText(i));
            }
        }
        tw(w)->setCurrentWidget(w.findChild<QWidget *>("tab_sudalosti"));
        QVERIFY(events(w)->pane()->loadEvent(901));
        fits(events(w), QStringLiteral("events"));
    }

    void shortcutsDoWhatTheirButtonsDo_data()
    {
        // Start on "Klávesy A" or "B" (the filter shows only these) with an unsaved contact, or on the events.
        QTest::addColumn<QString>("start");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("button"); // clicked by the keys
        QTest::addColumn<int>("asked");      // questions about the unsaved edit
        QTest::addColumn<QString>("after");  // what the user sees then
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
    void shortcutsDoWhatTheirButtonsDo()
    {
        QFETCH(QString, start);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, button);
        QFETCH(QString, after);
        QVERIFY(savedUser(QStringLiteral("klavesnice")));
        QVERIFY(TestDb::exec(QStringLiteral("update tellmark_podniky set kontakt_jmeno='Starý' where id in (85,86)")));
        int questions = 0; // outlives the window, which may ask on closing
        ZRN_START_WINDOW(w);
        w.setCloseQuestion([&](QWidget *) {
            ++questions;
            return int(QMessageBox::No);
        });
        evidence(w)->setSaveQuestion([&](QWidget *) {
            ++questions;
            return false;
        });
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        // Without a window manager the window system activates nothing.
        QApplication::setActiveWindow(&w);
        const int registerTab = tw(w)->currentIndex();
        auto *filter = w.findChild<QLineEdit *>("sfilter");
        if (start == QLatin1String("events")) {
            tw(w)->setCurrentWidget(w.findChild<QWidget *>("tab_sudalosti"));
        } else {
            filter->setText(QStringLiteral("Klávesy"));
            QVERIFY(tree(w)->setCurrentRow(start == QLatin1String("A") ? 85 : 86, QVariant()));
            w.findChild<QLineEdit *>("kontakt_jmeno")->setText(QStringLiteral("Nový"));
            w.findChild<QWidget *>("kontakt_jmeno")->setFocus();
        }
        QAbstractButton *target = button.isEmpty() ? nullptr : w.findChild<QAbstractButton *>(button);
        QVERIFY(button.isEmpty() || target);
        std::unique_ptr<QSignalSpy> clicked(target ? new QSignalSpy(target, &QAbstractButton::clicked) : nullptr);
        // The event dialog Ctrl+N opens is cancelled.
        ModalHandler dialog([](QWidget *modal) { return modal->close(); });
        QTest::keySequence(QApplication::focusWidget(), keys);
        if (keys == QKeySequence(QKeySequence::Find)) {
            QCOMPARE(QApplication::focusWidget(), filter);
            QTest::keyClick(filter, after == QLatin1String("no filter") ? Qt::Key_Escape : Qt::Key_Return);
        }
        if (target) {
            QCOMPARE(clicked->count(), 1);
            QVERIFY(target->toolTip().endsWith(QLatin1Char('(') + keys.toString(QKeySequence::NativeText) + QLatin1Char(')')));
        }
        QTEST(questions, "asked");
        QCOMPARE(dialog.handled(), after == QLatin1String("dialog"));
        QCOMPARE(TestDb::value(QStringLiteral("select kontakt_jmeno from tellmark_podniky where id=85")).toString(),
                 after == QLatin1String("saved") ? QStringLiteral("Nový") : QStringLiteral("Starý"));
        if (after == QLatin1String("saved"))
            QVERIFY2(QRegularExpression(QStringLiteral("^Uloženo \\d\\d:\\d\\d$")).match(w.statusBar()->currentMessage()).hasMatch(),
                     qPrintable(w.statusBar()->currentMessage()));
        if (after.startsWith(QLatin1String("row ")))
            QCOMPARE(w.session()->s_id_podnik.toInt(), after.endsWith(QLatin1Char('A')) ? 85 : 86);
        if (after.startsWith(QLatin1String("tab ")))
            QCOMPARE(tw(w)->currentIndex(), after == QLatin1String("tab 0") ? 0 : registerTab + after.mid(4).toInt());
        if (after == QLatin1String("no filter")) {
            QVERIFY(filter->text().isEmpty());
            QVERIFY(evidence(w)->hasUnsavedEdits());
        }
    }

    // Last: it empties the database.
    void databaseWithoutUsersSaysHowToAddOne()
    {
        ZRN_CLEAR_TEST_DB();
        ScriptedDialog script;
        MainWindow::StartOptions options = startOptions(script);
        QString notice;
        options.notice = [&](const QString &text) { notice = text; };
        MainWindow w(QString(), options);
        QVERIFY(!w.isStarted());
        QVERIFY2(notice.contains(QStringLiteral("zrnctl user add")), qPrintable(notice));
        QCOMPARE(script.shown, 1);
    }
};

ZRN_TEST_MAIN(TstMainWindow)
#include "tst_mainwindow.moc"
