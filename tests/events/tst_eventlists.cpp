#include "app/windowlayout.h"
#include "core/session.h"
#include "core/usersettings.h"
#include "core/viewstate.h"
#include "db/qsapitellmark.h"
#include "events/dialogauudalost.h"
#include "events/eventlist.h"
#include "events/eventpane.h"
#include "events/eventthreads.h"
#include "events/eventworker.h"
#include "events/qsattachment.h"
#include "events/udalostipage.h"
#include "events/udalostitab.h"
#include "support/httpstub.h"
#include "support/testdb.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"

#include <QtWidgets>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

using namespace EventList;

namespace {

// The event list of the global tab or of the register's page.
QTreeView *list(QWidget *host)
{
    auto *view = host->findChild<QTreeView *>(QStringLiteral("treeViewSUdalosti"));
    return view ? view : host->findChild<QTreeView *>(QStringLiteral("treeViewUdalosti"));
}

// The row of an event in the list, at any depth (first column).
QModelIndex rowOf(QWidget *host, int id)
{
    const QAbstractItemModel *m = list(host)->model();
    const QModelIndex hit = m->match(m->index(0, ColId), Qt::DisplayRole, id, 1,
                                     Qt::MatchFixedString | Qt::MatchRecursive).value(0);
    return hit.siblingAtColumn(0);
}

int idAt(const QModelIndex &index) { return index.siblingAtColumn(ColId).data().toInt(); }
void select(QWidget *host, int id)
{
    list(host)->selectionModel()->setCurrentIndex(rowOf(host, id),
                                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

// The event the pane shows (0: none), its subject and its files.
int shownId(QWidget *host) { return host->findChild<EventPane *>()->eventId(); }
QLineEdit *subject(QWidget *host) { return childNamed<QLineEdit>(host, "udalostPredmet"); }
int files(QWidget *host)
{
    return childNamed<QWidget>(host, "wprilohy")->findChild<QTableView *>()->model()->rowCount();
}

// Runs `step` on the event dialog; whether it was one.
bool eventDialog(QWidget *modal, const std::function<void(DialogAUUdalost *)> &step)
{
    auto *dialog = qobject_cast<DialogAUUdalost *>(modal);
    if (dialog)
        step(dialog);
    return dialog;
}

} // namespace

class TstEventLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        QVERIFY(m_stub.listen());
        auto *api = new QSAPITellmark(this);
        api->setBaseUrl(m_stub.url().toString());
        api->setTimeout(3000);
        m_session.api = api;
        m_session.user.login = QStringLiteral("jan.novotny");
        m_session.user.udalosti = 2;
    }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        // Alfa (1) with the centre Alfa Sever (10); Beta (2). Root 1 of Alfa, reported, priority normal,
        // 31.12.2024 23:50 (reply 2, its reply 3); 5 of Alfa Sever, 01.02.2025, with a file; 9 of Beta.
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev) values(1,'Alfa'),(2,'Beta')",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev) values(10,1,'Alfa Sever')",
                 "insert into tellmark_udalosti(id,id_parent,id_podnik,id_strediska,ts_zacatek,kategorie,stav,"
                 "odpovedna_osoba,predmet,popis,smazano,priorita,zdroj,typ_synchronizace,cesta,lokalita) values"
                 "(1,NULL,1,NULL,'2024-12-31 23:50:00',8,1,'JN','Kontrola','<p>Původní text</p>',0,2,1,0,0,'Stáj')," 
                 "(2,1,NULL,NULL,'2025-01-02 08:00:00',0,0,'PK','Re: Kontrola','',0,0,0,0,0,NULL),"
                 "(3,2,NULL,NULL,'2025-01-03 08:00:00',0,0,'','Re: Re: Kontrola','',0,0,0,0,0,NULL),"
                 "(5,NULL,NULL,10,'2025-02-01 00:00:00',32,2,'PK','Nabídka','<p>N</p>',0,0,2,0,0,NULL),"
                 "(9,NULL,2,NULL,'2025-04-01 11:00:00',8,1,'ES','Servis','',0,0,2,0,0,NULL)",
                 "insert into tellmark_udalosti_prilohy(id,id_udalosti,nazev_souboru,data)"
                 " values(1,5,'nabidka.pdf','PDF')");
        m_stub.on(QStringLiteral("/events/hash"), HttpStub::json(R"({"hash":"h-123"})"));
        m_stub.on(QStringLiteral("/events/sync"), HttpStub::json("{}"));
        m_stub.clearRequests();
        ZrnSettings settings;   // each list reads its filter from the settings when it is made
        EventListFilter().save(settings, true);
        EventListFilter().save(settings, false);
        m_session.setSelection(1, QVariant());
    }

    void cleanup() { m_page.reset(); }

    void emptyPane()
    {
        // The id columns are there for the actions, not for the eye.
        UdalostiPage *p = page(false);
        for (int c = 0; c < ColumnCount; ++c)
            QCOMPARE(list(p)->isColumnHidden(c), c >= ColId);
        // Without an event the pane has nothing to save: typing into the empty form enables nothing.
        subject(p)->setText("Dojezd na farmu");
        childNamed<QComboBox>(p, "cbStav")->setCurrentIndex(2);
        childNamed<QTextEdit>(p, "udalostPopis")->setHtml("<b>Kontrola dojírny</b>");
        QVERIFY(!childNamed<QPushButton>(p, "udalost_uloz")->isEnabled());
        QVERIFY(!p->isDirty());
        p->clear();
        QVERIFY(!childNamed<QWidget>(p, "wudalost_vyber")->isHidden());   // the placeholder is back
        QVERIFY(childNamed<QWidget>(p, "wudalost")->isHidden());
        QVERIFY(subject(p)->text().isEmpty());
        QCOMPARE(childNamed<QComboBox>(p, "cbStav")->currentIndex(), 0);
        // The window restores splitters by object name; the page's three have their own keys.
        QMainWindow window;
        window.setCentralWidget(new UdalostiPage(&m_session));
        ZrnSettings s;
        WindowLayout::saveSplitters(s, &window);
        for (const char *key : {"splitterNavstevy/state", "splitterUdalost/state", "splitterUdalostPrilohy/state"})
            QVERIFY2(!s.value(key).toByteArray().isEmpty(), key);
    }

    void optionalWidgetsFollowCombos_data()
    {
        QTest::addColumn<QString>("combo");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QStringList>("hidden");
        QStringList notify{"lupozornit2", "upozornit"}, labels{"lzacatek2", "lkonec2"}, editors{"uzacatek", "ukonec"};
        QTest::newRow("Nespecifikováno") << "cbStav" << 0 << QStringList() << notify;
        QTest::newRow("Nahlášeno") << "cbStav" << 1 << notify << QStringList();
        QTest::newRow("Uzavřeno") << "cbStav" << 3 << QStringList() << notify;
        QTest::newRow("Žádná") << "cbSynchronizace" << 0 << QStringList() << labels + editors;
        QTest::newRow("Kalendář") << "cbSynchronizace" << 1 << labels + editors << QStringList();
        QTest::newRow("2: labels only") << "cbSynchronizace" << 2 << labels << editors;
    }
    void optionalWidgetsFollowCombos()
    {
        QFETCH(QString, combo);
        QFETCH(int, index);
        QFETCH(QStringList, shown);
        QFETCH(QStringList, hidden);
        UdalostiPage *p = page(false);
        for (const QString &name : shown + hidden)   // hidden until the combo asks
            QVERIFY2(childNamed<QWidget>(p, qPrintable(name))->isHidden(), qPrintable(name));
        auto *box = childNamed<QComboBox>(p, qPrintable(combo));
        box->setCurrentIndex(1);   // shows everything of the row first
        if (index < box->count())
            box->setCurrentIndex(index);
        else   // synchronisation 2 has no item of its own; the rule still holds
            p->onUdalostShowWidgetCalendar(index);
        for (const QString &name : shown + hidden)
            QVERIFY2(childNamed<QWidget>(p, qPrintable(name))->isHidden() == hidden.contains(name), qPrintable(name));
    }

    void threadsNamesAndColours()
    {
        UdalostiPage *p = page();
        QCOMPARE(list(p)->model()->rowCount(), 2);
        QCOMPARE(idAt(rowOf(p, 3).parent()), 2);
        QCOMPARE(idAt(rowOf(p, 3).parent().parent()), 1);
        // The enterprise's page names the centre of an event.
        QCOMPARE(rowOf(p, 5).data().toString(), QStringLiteral("Alfa Sever"));
        QCOMPARE(rowOf(p, 1).data().toString(), QString());
        // Replies show no codes of their own.
        QCOMPARE(rowOf(p, 2).siblingAtColumn(ColStav).data().toString(), QString());
        QCOMPARE(rowOf(p, 1).siblingAtColumn(ColZacatek).data().toString(), QStringLiteral("31.12.24 23:50"));
        // A centre's page names the enterprise only for events filed under one.
        p->load(TreeRow::centre(10));
        QCOMPARE(list(p)->model()->rowCount(), 1);
        QCOMPARE(rowOf(p, 5).data().toString(), QString());
        UdalostiTab tab(&m_session);
        tab.onRefreshModelSUdalosti(-1);
        QCOMPARE(list(&tab)->model()->rowCount(), 3);
        const QModelIndex one = rowOf(&tab, 1);
        QCOMPARE(one.data().toString(), QStringLiteral("Alfa | Stáj"));
        QCOMPARE(rowOf(&tab, 5).data().toString(), QStringLiteral("Alfa | Alfa Sever"));
        QCOMPARE(one.siblingAtColumn(ColStav).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 150, 150));
        QCOMPARE(one.siblingAtColumn(ColPriorita).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::green));
        QCOMPARE(one.siblingAtColumn(ColKategorie).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::gray));
        QVERIFY(!rowOf(&tab, 2).siblingAtColumn(ColStav).data(Qt::BackgroundRole).isValid());
        // Number columns keep the number and name it in the tool tip, persons' codes their names.
        QStringList shown, tips;
        for (int c : {ColZdroj, ColKategorie, ColStav, ColPriorita, ColOO, ColSynchronizace}) {
            shown << one.siblingAtColumn(c).data().toString();
            tips << one.siblingAtColumn(c).data(Qt::ToolTipRole).toString();
        }
        QCOMPARE(shown.join('|'), QStringLiteral("1|8|1|2|JN|0"));
        QCOMPARE(tips.join('|'), QStringLiteral("Tellmark|Tellmark|Nahlášeno|Normální|Jan Novotný|Žádná"));
    }

    void columnsFitTheirContents_data()
    {
        QTest::addColumn<int>("stored");
        QTest::newRow("first start: fitted") << 0;
        QTest::newRow("stored widths win") << 40;
    }
    void columnsFitTheirContents()
    {
        QFETCH(int, stored);
        QTreeView *view = list(page(false));
        QHeaderView *h = view->header();
        if (stored) {
            QSettings s(TestMain::home() + QStringLiteral("/widths.ini"), QSettings::IniFormat);
            for (int c = 0; c < ColumnCount; ++c)
                s.setValue(QStringLiteral("t/sectionSize") + QString::number(c), stored);
            restoreViewState(s, QStringLiteral("t"), h);
        }
        m_page->show();
        m_page->load(TreeRow::enterprise(1));
        QCoreApplication::processEvents();
        // Nothing cut: the centre's name, the dates and the headers.
        for (int c : {ColName, ColZacatek, ColKonec, ColStav}) {
            const int needed = qMax(static_cast<QAbstractItemView *>(view)->sizeHintForColumn(c), h->sectionSizeHint(c));
            QCOMPARE(h->sectionSize(c), stored ? stored : needed);
        }
    }

    void dateSortAcrossYearEnd_data()
    {
        QTest::addColumn<bool>("global");
        QTest::addColumn<int>("latest");
        QTest::newRow("global list") << true << 9;
        QTest::newRow("register's list") << false << 5;
    }
    void dateSortAcrossYearEnd()
    {
        QFETCH(bool, global);
        QFETCH(int, latest);
        UdalostiTab tab(&m_session);
        tab.onRefreshModelSUdalosti(-1);
        QTreeView *view = list(global ? static_cast<QWidget *>(&tab) : page());
        const QAbstractItemModel *m = view->model();
        const int last = m->rowCount() - 1;
        // As text "31.12.24" would come after "01.02.25".
        view->header()->setSortIndicator(ColZacatek, Qt::AscendingOrder);
        QCOMPARE(idAt(m->index(0, 0)), 1);
        QCOMPARE(idAt(m->index(last, 0)), latest);
        view->header()->setSortIndicator(ColZacatek, Qt::DescendingOrder);
        QCOMPARE(idAt(m->index(0, 0)), latest);
        QCOMPARE(idAt(m->index(last, 0)), 1);
        if (!global)
            return;
        // Read a thread at a time as the view asks for more: the same list.
        view->header()->setSortIndicator(ColZacatek, Qt::AscendingOrder);
        tab.threads()->setPageSize(1);
        view->header()->setSortIndicator(ColZacatek, Qt::DescendingOrder);
        // Counting every thread would read the whole log: the label says so.
        auto *count = childNamed<QLabel>(&tab, "lpocet");
        QCOMPARE(count->text(), QStringLiteral("zobrazeno 1 z více"));
        while (view->model()->canFetchMore(QModelIndex()))
            view->model()->fetchMore(QModelIndex());
        QCOMPARE(count->text(), QStringLiteral("zobrazeno 3"));
        QCOMPARE(m->rowCount(), 3);
        QCOMPARE(idAt(m->index(0, 0)), 9);
        QCOMPARE(idAt(m->index(2, 0)), 1);
        QCOMPARE(m->rowCount(m->index(2, 0)), 1);   // reply 2 (with 3 below it)
    }

    // Found threads are read as the user scrolls to them, not all on their own as the view lays out.
    void searchReadsAsTheViewScrolls()
    {
        UdalostiTab tab(&m_session);
        QTreeView *view = list(&tab);
        view->setFixedHeight(view->header()->sizeHint().height() + 2 * view->fontMetrics().height());
        tab.show();
        tab.threads()->setPageSize(1);
        QTest::keyClicks(childNamed<QLineEdit>(&tab, "ufilter"), QStringLiteral("a"));   // Alfa, Alfa Sever, Beta
        QTRY_VERIFY(!tab.threads()->searching());
        QTest::qWait(100);
        QVERIFY(tab.model()->threadCount() < 3);
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
        QTRY_COMPARE(tab.model()->threadCount(), 3);
    }

    // A slow search holds up neither typing nor the window; the answer for the text typed last is shown.
    void typingWhileSearching()
    {
        UdalostiTab tab(&m_session);
        tab.show();
        tab.onRefreshModelSUdalosti(-1);
        QSemaphore gate;
        QAtomicInt held;
        tab.threads()->worker()->setBeforeRun([&](const EventWorker::Request &) {
            held.ref();
            gate.acquire();
        });
        auto *edit = childNamed<QLineEdit>(&tab, "ufilter");
        QTest::keyClicks(edit, QStringLiteral("k"));
        QTRY_COMPARE(held.loadAcquire(), 1);
        QTest::keyClicks(edit, QStringLiteral("ontr"));
        QCOMPARE(edit->text(), QStringLiteral("kontr"));
        QVERIFY(tab.threads()->searching());
        gate.release(100);
        QTRY_VERIFY(!tab.threads()->searching());
        // Only the last text was searched: "k" was dropped, the texts typed in between never started.
        QCOMPARE(held.loadAcquire(), 2);
        QCOMPARE(list(&tab)->model()->rowCount(), 1);
        QCOMPARE(idAt(rowOf(&tab, 3).parent().parent()), 1);   // the whole thread
        // The register's page searches its enterprise's events (a description).
        UdalostiPage *p = page();
        QTest::keyClicks(childNamed<QLineEdit>(p, "upfilter"), QStringLiteral("puvodni"));
        QTRY_VERIFY(!p->threads()->searching());
        QCOMPARE(list(p)->model()->rowCount(), 1);
        QVERIFY(rowOf(p, 1).isValid());
    }

    void paneShowsRootAndReply()
    {
        UdalostiPage *p = page();
        QVERIFY(!childNamed<QWidget>(p, "wudalost")->isVisibleTo(p));
        select(p, 5);
        QCOMPARE(shownId(p), 5);
        QCOMPARE(childNamed<QFDateEdit>(p, "ud")->date(), QDate(2025, 2, 1));
        QCOMPARE(childNamed<QFEditWithButton>(p, "uoo")->text(), QStringLiteral("Petr Král"));
        QCOMPARE(files(p), 1);
        QVERIFY(childNamed<QWidget>(p, "wuroot")->isVisibleTo(p));
        QVERIFY(childNamed<QWidget>(p, "upozornit")->isVisibleTo(p));      // in progress
        select(p, 2);
        QCOMPARE(shownId(p), 2);
        QVERIFY(!childNamed<QWidget>(p, "wuroot")->isVisibleTo(p));
        // The previous event's file is not carried over.
        QCOMPARE(files(p), 0);
        // Gone meanwhile: nothing shown and no row current, so that a click on it reads again.
        QVERIFY(TestDb::exec(QStringLiteral("delete from tellmark_udalosti where id=9 or id=5")));
        select(p, 5);
        QCOMPARE(shownId(p), 0);
        QVERIFY(!list(p)->currentIndex().isValid());
        QVERIFY(!childNamed<QWidget>(p, "wprilohy")->isVisibleTo(p));
    }

    // The name fields are chosen, never typed; a save writes back only what was edited.
    void paneSaveKeepsWhatWasNotEdited()
    {
        // Values the program has no item for, NULLs (texts too) and an empty calendar.
        QVERIFY(TestDb::exec("update tellmark_udalosti set kategorie=64, stav=7, zdroj=NULL, ts_kal_zacatek=NULL,"
                             " ts_konec='2025-02-03 16:30:00', upozornit_od=NULL, cislo_projektu=NULL,"
                             " odpovedna_osoba=NULL, notifikace=1, notifikacef=0, cesta=1 where id=5"));
        const QString row = "select concat_ws('|',id_parent,id_podnik,id_strediska,ts_zacatek,ts_kal_zacatek,"
                            "ts_konec,notifikace,notifikacef,zdroj,kategorie,stav,priorita,typ_synchronizace,"
                            "cesta,cislo_projektu,odpovedna_osoba,lokalita,hash,upozornit_od) "
                            "from tellmark_udalosti where id=5";
        const QVariant before = TestDb::value(row);
        UdalostiTab tab(&m_session);
        tab.show();
        tab.onRefreshModelSUdalosti(5);
        QCOMPARE(shownId(&tab), 5);
        // Typing into the names, and emptying the centre's, changes nothing.
        for (const char *name : {"uoo", "upodnik", "ustredisko"}) {
            auto *field = childNamed<QFEditWithButton>(&tab, name);
            const QString shown = field->text();
            QTest::keyClicks(field->lineEdit(), QStringLiteral("x"));
            field->lineEdit()->selectAll();
            QTest::keyClick(field->lineEdit(), Qt::Key_Delete);
            QCOMPARE(field->text(), shown);
        }
        QCOMPARE(childNamed<QFEditWithButton>(&tab, "ustredisko")->text(), QStringLiteral("Alfa Sever"));
        QVERIFY(!childNamed<QPushButton>(&tab, "udalost_uloz")->isEnabled());
        subject(&tab)->setText(QStringLiteral("Sklad"));
        tab.onSUdalostSave();
        QCOMPARE(TestDb::value(row), before);
        QCOMPARE(TestDb::value(QStringLiteral("select predmet from tellmark_udalosti where id=5")).toString(), "Sklad");
        QCOMPARE(shownId(&tab), 5);    // reloaded and selected again
    }

    void leavingDirtyPane_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("leave");   // another row, "Přidat" (then cancelled) or a reload
        QTest::addColumn<int>("shown");
        QTest::newRow("Yes saves everything") << true << "row" << 1;
        QTest::newRow("No drops the edits") << false << "row" << 1;
        QTest::newRow("No shows the stored event again") << false << "add" << 5;
        QTest::newRow("a reload asks too") << true << "reload" << 5;
    }
    void leavingDirtyPane()
    {
        QFETCH(bool, yes);
        QFETCH(QString, leave);
        QFETCH(int, shown);
        UdalostiPage *p = page();
        select(p, 5);
        subject(p)->setText(QStringLiteral("Upravená nabídka"));
        QTemporaryFile file;
        QVERIFY(file.open());
        QSAttachment::fileChooser = [&file](bool, const QString &, const QString &) { return file.fileName(); };
        childNamed<QWidget>(p, "wprilohy")->findChild<QToolButton *>()->click();
        QSAttachment::fileChooser = nullptr;
        QCOMPARE(files(p), 2);
        QVERIFY(p->isDirty());
        MessageBoxAnswerer answers(yes ? QMessageBox::Yes : QMessageBox::No);
        ModalHandler cancel([](QWidget *m) { return eventDialog(m, [](DialogAUUdalost *d) { d->close(); }); });
        if (leave == QLatin1String("add"))
            p->onAddUdalost();
        else if (leave == QLatin1String("reload"))
            p->onRefreshModelUdalosti(5);
        else
            select(p, 1);
        QCOMPARE(answers.messages, QStringList{QStringLiteral("Otázka Přejete si uložit rozpracovanou událost?")});
        QCOMPARE(shownId(p), shown);
        QVERIFY(!p->isDirty());
        const QString stored = yes ? QStringLiteral("Upravená nabídka") : QStringLiteral("Nabídka");
        if (shown == 5) {
            QCOMPARE(subject(p)->text(), stored);
            QCOMPARE(files(p), yes ? 2 : 1);
        }
        QCOMPARE(TestDb::value(QStringLiteral("select predmet from tellmark_udalosti where id=5")).toString(), stored);
        QCOMPARE(TestDb::value("select count(*) from tellmark_udalosti_prilohy where id_udalosti=5").toInt(),
                 yes ? 2 : 1);
        bool synced = false;
        for (const HttpStub::Request &r : m_stub.requests())
            synced = synced || (r.path == QLatin1String("/events/sync") && r.body.contains("\"5\""));
        QCOMPARE(synced, yes);
    }

    void failedSaveKeepsEverything_data()
    {
        QTest::addColumn<QString>("control");   // clicked after the edit; none: another row
        QTest::newRow("another row") << "";
        QTest::newRow("category of the register's list") << "kategorie";
        QTest::newRow("category") << "skategorie";
        QTest::newRow("persons") << "oo";
        QTest::newRow("Nedokončené") << "nedokoncene";
    }

    // "Yes" to saving before the list changes, and the save fails: filter, row and edits stay, nothing is sent.
    void failedSaveKeepsEverything()
    {
        QFETCH(QString, control);
        const bool global = !control.isEmpty() && control != QLatin1String("kategorie");
        UdalostiTab tab(&m_session);
        if (global)
            tab.onRefreshModelSUdalosti(5);
        QWidget *host = global ? static_cast<QWidget *>(&tab) : page();
        select(host, 5);
        subject(host)->setText(QStringLiteral("Neuloží se"));
        const QString lock = "create trigger locked before update on tellmark_udalosti for each row ";   // saves fail
        QVERIFY(TestDb::exec(lock + (TestDb::isMariaDb() ? "signal sqlstate '45000' set message_text='zamčeno'"
                                                         : "begin select raise(abort,'zamčeno'); end")));
        QStringList messages;
        {
            // The filter dialogs: the first box unticked and confirmed.
            MessageBoxAnswerer answers(QMessageBox::Yes);
            ModalHandler chooser([](QWidget *modal) {
                if (qobject_cast<QMessageBox *>(modal))
                    return false;
                modal->findChild<QCheckBox *>()->setChecked(false);
                static_cast<QDialog *>(modal)->accept();
                return true;
            });
            if (control.isEmpty())
                select(host, 1);
            else
                childNamed<QAbstractButton>(host, qPrintable(control))->click();
            messages = answers.messages;
        }
        QVERIFY(TestDb::exec(QStringLiteral("drop trigger locked")));
        QCOMPARE(messages.size(), 2);
        QVERIFY2(messages.at(1).startsWith("ZRN Chyba: událost nelze uložit."), qPrintable(messages.at(1)));
        QCOMPARE(tab.threads()->criteria(), EventListFilter());
        if (!global)
            QCOMPARE(m_page->threads()->criteria(), EventListFilter());
        QVERIFY(!childNamed<QToolButton>(&tab, "nedokoncene")->isChecked());
        QCOMPARE(idAt(list(host)->currentIndex()), 5);
        QCOMPARE(shownId(host), 5);
        QCOMPARE(subject(host)->text(), QStringLiteral("Neuloží se"));
        QVERIFY(childNamed<QPushButton>(host, "udalost_uloz")->isEnabled());
        QCOMPARE(m_stub.requestCount(), 0);
    }

    void addEventAndReply()
    {
        m_session.defaultCategory = 256;
        UdalostiPage *p = page();
        {
            ModalHandler add([](QWidget *m) { return eventDialog(m, [](DialogAUUdalost *d) {
                const EventRecord v = d->values();
                // Defaults of a new event of this enterprise: enterprise, persons, source, category, state.
                QCOMPARE(QStringList({v.podnikId.toString(), v.persons, v.source.toString(), v.category.toString(),
                                      v.state.toString()}), QStringList({"1", "JN", "2", "256", "3"}));
                QVERIFY(!v.calendarStart.isValid());
                d->findChild<QLineEdit *>(QStringLiteral("predmet"))->setText(QStringLiteral("Nová návštěva"));
                d->onAccept();
            }); });
            p->onAddUdalost();
            QVERIFY(add.handled());
        }
        const QString newest = QStringLiteral("select max(id) from tellmark_udalosti");
        const QString column = QStringLiteral("select %1 from tellmark_udalosti where id=?");
        const QVariant rootId = TestDb::value(newest);
        QCOMPARE(TestDb::value(column.arg("concat_ws('|',predmet,hash)"), {rootId}).toString(), "Nová návštěva|h-123");
        QCOMPARE(shownId(p), rootId.toInt());
        QVERIFY(m_stub.requests().last().body.contains(rootId.toString().toUtf8()));
        // A reply to the reply 2 quotes 2 and moves the state of the root 1.
        select(p, 2);
        {
            ModalHandler reply([](QWidget *m) { return eventDialog(m, [](DialogAUUdalost *d) {
                const EventRecord v = d->values();   // the state is the root's
                QCOMPARE(QStringList({v.subject, v.persons, v.state.toString()}),
                         QStringList({"Re: Kontrola", "PK", "1"}));
                QVERIFY(!d->findChild<QWidget *>(QStringLiteral("podnik"))->isVisibleTo(d));
                QTest::keyClicks(d->findChild<QTextEdit *>(QStringLiteral("popis")), QStringLiteral("Hotovo."));
                d->findChild<QComboBox *>(QStringLiteral("cbStav"))->setCurrentIndex(3);
                d->onAccept();
            }); });
            p->onAddUdalostReplay();
            QVERIFY(reply.handled());
        }
        const QVariant reply = TestDb::value(newest);
        QCOMPARE(TestDb::value(column.arg("id_parent"), {reply}).toInt(), 2);
        // The reply's own text, then the quotation.
        const QString html = TestDb::value(column.arg("popis"), {reply}).toString();
        const QString text = QTextDocumentFragment::fromHtml(html).toPlainText();
        QVERIFY2(text.startsWith(QStringLiteral("Hotovo.\n\n\nDne 02.01.2025 08:00, napsáno:")), qPrintable(text));
        QCOMPARE(TestDb::value(column.arg("stav"), {1}).toInt(), 3);
        QCOMPARE(shownId(p), reply.toInt());
        QCOMPARE(idAt(rowOf(p, reply.toInt()).parent()), 2);
        m_session.defaultCategory = QVariant();
    }

    // The service issues no id (the client's failures are told apart in its own suite).
    void serviceWithoutHash()
    {
        m_stub.on(QStringLiteral("/events/hash"), HttpStub::json("{}", 500));
        UdalostiPage *p = page();
        const QString count = QStringLiteral("select count(*) from tellmark_udalosti");
        const int before = TestDb::value(count).toInt();
        MessageBoxAnswerer answers(QMessageBox::Yes);
        // The dialog comes back with what was typed, and giving it up is asked.
        QStringList shown;
        ModalHandler twice([&](QWidget *m) {
            return eventDialog(m, [&](DialogAUUdalost *d) {
                       shown << d->values().subject;
                       d->findChild<QLineEdit *>(QStringLiteral("predmet"))->setText(QStringLiteral("Neztratit"));
                       if (shown.size() == 1)
                           d->onAccept();
                       else
                           d->reject();
                   })
                && shown.size() == 2;
        });
        p->onAddUdalost();
        QCOMPARE(shown, (QStringList{QString(), QStringLiteral("Neztratit")}));
        QCOMPARE(answers.messages.size(), 2);
        QCOMPARE(answers.messages.last(), QStringLiteral("Otázka Přejete si zahodit rozpracovanou událost?"));
        QCOMPARE(TestDb::value(count).toInt(), before);
        for (const HttpStub::Request &r : m_stub.requests())
            QVERIFY(r.path != QLatin1String("/events/sync"));
    }

    void deleteLeafOnly()
    {
        UdalostiPage *p = page();
        for (int id : {2, 5}) {
            select(p, id);
            MessageBoxAnswerer answers(QMessageBox::Yes);
            p->onDelUdalost();
            QCOMPARE(answers.messages, QStringList{id == 2 ? QString("ZRN Není možno smazat událost neboť není koncová.")
                                                           : QStringLiteral("Otázka Přejete si smazat událost?")});
        }
        QVERIFY(!rowOf(p, 5).isValid());
        QCOMPARE(shownId(p), 0);
        QCOMPARE(m_stub.requests().last().path, QStringLiteral("/events/sync"));
        // A tree click on another enterprise: nothing is current there to delete or answer.
        select(p, 3);
        QCOMPARE(shownId(p), 3);
        p->load(TreeRow::enterprise(2));
        QCOMPARE(shownId(p), 0);
        MessageBoxAnswerer answers(QMessageBox::Yes);
        ModalHandler dialog([](QWidget *m) { return eventDialog(m, [](DialogAUUdalost *d) { d->close(); }); });
        p->onDelUdalost();
        p->onAddUdalostReplay();
        QCOMPARE(answers.messages, QStringList());
        QVERIFY(!dialog.handled());
        QCOMPARE(TestDb::value(QStringLiteral("select smazano from tellmark_udalosti where id=3")).toInt(), 0);
    }

private:
    UdalostiPage *page(bool show = true)
    {
        m_page.reset(new UdalostiPage(&m_session));
        m_page->resize(1200, 700);
        if (show) {
            m_page->show();
            m_page->load(TreeRow::enterprise(1));
        }
        return m_page.get();
    }

    Session m_session;
    HttpStub m_stub;
    std::unique_ptr<UdalostiPage> m_page;
};

ZRN_TEST_MAIN(TstEventLists)
#include "tst_eventlists.moc"
