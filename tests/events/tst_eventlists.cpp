#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "db/database.h"
#include "db/qsapitellmark.h"
#include "db/qssql.h"
#include "events/dialogauudalost.h"
#include "core/usersettings.h"
#include "core/viewstate.h"
#include "events/eventlist.h"
#include "events/eventpane.h"
#include "events/eventthreads.h"
#include "events/eventtreemodel.h"
#include "events/eventworker.h"
#include "events/qsattachment.h"
#include "events/udalostipage.h"
#include "events/udalostitab.h"
#include "support/httpstub.h"
#include "support/testdb.h"

#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QStandardItemModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QTreeView>
#include <QLabel>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

using namespace EventList;

namespace {

// Alfa (1) with the centre Alfa Sever (10); Beta (2).
//   1 root of Alfa, reported, priority normal, 31.12.2024 23:50
//     2 reply  3 reply of 2
//   5 root of Alfa Sever, 01.02.2025, with a file
//   9 root of Beta
const char *const kFixture[] = {
    "insert into tellmark_podniky(id,podnik_nazev) values(1,'Alfa'),(2,'Beta')",
    "insert into tellmark_strediska(id,id_podnik,akce_nazev) values(10,1,'Alfa Sever')",
    "insert into tellmark_udalosti(id,id_parent,id_podnik,id_strediska,ts_zacatek,kategorie,stav,"
    "odpovedna_osoba,predmet,popis,smazano,priorita,zdroj,typ_synchronizace,cesta,lokalita) values"
    "(1,NULL,1,NULL,'2024-12-31 23:50:00',8,1,'JN','Kontrola','<p>Původní text</p>',0,2,1,0,0,'Stáj')," 
    "(2,1,NULL,NULL,'2025-01-02 08:00:00',0,0,'PK','Re: Kontrola','',0,0,0,0,0,NULL),"
    "(3,2,NULL,NULL,'2025-01-03 08:00:00',0,0,'','Re: Re: Kontrola','',0,0,0,0,0,NULL),"
    "(5,NULL,NULL,10,'2025-02-01 00:00:00',32,2,'PK','Nabídka','<p>N</p>',0,0,2,0,0,NULL),"
    "(9,NULL,2,NULL,'2025-04-01 11:00:00',8,1,'ES','Servis','',0,0,2,0,0,NULL)",
    "insert into tellmark_udalosti_prilohy(id,id_udalosti,nazev_souboru,data) values(1,5,'nabidka.pdf','PDF')",
};

QVariant scalar(const QString &sql)
{
    QSSQL q;
    if (!q.exec(sql) || !q.next())
        return QVariant(QStringLiteral("<no row>"));
    return q.value(0);
}

int idAt(const QAbstractItemModel *, const QModelIndex &index)
{
    return index.sibling(index.row(), ColId).data().toInt();
}

// Answers each event dialog that opens with the next step of a script.
class DialogScript : public QObject
{
public:
    explicit DialogScript(QList<std::function<void(DialogAUUdalost *)>> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(10);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            auto *dialog = qobject_cast<DialogAUUdalost *>(QApplication::activeModalWidget());
            if (!dialog || dialog == m_last)
                return;
            m_last = dialog;
            if (m_steps.isEmpty()) {
                dialog->reject();
                return;
            }
            ++shown;
            m_steps.takeFirst()(dialog);
            // The same dialog may come back: answer it again.
            QTimer::singleShot(0, this, [this] { m_last = nullptr; });
        });
        m_timer.start();
    }
    int shown = 0;

private:
    QList<std::function<void(DialogAUUdalost *)>> m_steps;
    QTimer m_timer;
    QPointer<DialogAUUdalost> m_last;
};

// Makes every save of an event fail (on) or work again (off).
bool lockEventUpdates(bool on)
{
    if (!on)
        return TestDb::exec(QStringLiteral("drop trigger locked"));
    return TestDb::exec(TestDb::isMariaDb() ? QStringLiteral("create trigger locked before update on tellmark_udalosti for each row "
                                                             "signal sqlstate '45000' set message_text='zamčeno'")
                                            : QStringLiteral("create trigger locked before update on tellmark_udalosti "
                                                             "begin select raise(abort,'zamčeno'); end"));
}

void typeSubjectAndAccept(DialogAUUdalost *d, const QString &subject)
{
    d->findChild<QLineEdit *>(QStringLiteral("predmet"))->setText(subject);
    d->onAccept();
}

} // namespace

class TstEventLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void threadsNamesAndColours();
    void columnsFitTheirContents_data();
    void columnsFitTheirContents();
    void dateSortAcrossYearEnd_data();
    void dateSortAcrossYearEnd();
    void typingWhileSearching();
    void paneShowsRootAndReply();
    void pickFieldsTakeNoTyping();
    void eventGoneMeanwhile();
    void paneSaveKeepsWhatWasNotEdited();
    void leavingDirtyPane_data();
    void leavingDirtyPane();
    void failedSaveKeepsRowAndEdits();
    void refusedReloadKeepsTheFilter_data();
    void refusedReloadKeepsTheFilter();
    void reloadAsksFirst();
    void actionsUseTheCurrentRowOnly();
    void addEventAndReply();
    void serviceWithoutHash_data();
    void serviceWithoutHash();
    void deleteLeafOnly();

private:
    UdalostiPage *page();
    void select(QTreeView *view, int id);

    Session m_session;
    HttpStub m_stub;
    QSAPITellmark *m_api = nullptr;
    UdalostiPage *m_page = nullptr;
};

void TstEventLists::initTestCase()
{
    ZRN_OPEN_TEST_DB();
    QVERIFY(m_stub.listen());
    m_api = new QSAPITellmark(this);
    m_api->setBaseUrl(m_stub.url().toString());
    m_api->setTimeout(3000);
    m_session.api = m_api;
    m_session.user.login = QStringLiteral("jan.novotny");
    m_session.user.udalosti = 2;
}

void TstEventLists::init()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    for (const char *sql : kFixture)
        QVERIFY2(TestDb::exec(QString::fromUtf8(sql), &error), qPrintable(error));
    m_stub.on(QStringLiteral("/events/hash"), HttpStub::json(R"({"hash":"h-123"})"));
    m_stub.on(QStringLiteral("/events/sync"), HttpStub::json("{}"));
    m_stub.clearRequests();
    {
        // Each list reads its filter from the settings when it is made.
        ZrnSettings settings;
        EventListFilter().save(settings, true);
        EventListFilter().save(settings, false);
    }
    m_session.setSelection(1, QVariant());
}

void TstEventLists::cleanup()
{
    delete m_page;
    m_page = nullptr;
}

UdalostiPage *TstEventLists::page()
{
    m_page = new UdalostiPage(&m_session);
    m_page->resize(1200, 700);
    m_page->show();
    m_page->load(TreeRow::enterprise(1));
    return m_page;
}

void TstEventLists::select(QTreeView *view, int id)
{
    auto *proxy = static_cast<QSortFilterProxyModel *>(view->model());
    auto *model = static_cast<EventTreeModel *>(proxy->sourceModel());
    view->selectionModel()->setCurrentIndex(proxy->mapFromSource(model->indexOfId(id)),
                                            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TstEventLists::threadsNamesAndColours()
{
    UdalostiPage *p = page();
    EventTreeModel *m = p->model();
    QCOMPARE(m->rowCount(), 2);
    const QModelIndex three = m->indexOfId(3);
    QCOMPARE(idAt(m, three.parent()), 2);
    QCOMPARE(idAt(m, three.parent().parent()), 1);
    // The enterprise's page names the centre of an event.
    QCOMPARE(m->indexOfId(5).data().toString(), QStringLiteral("Alfa Sever"));
    QCOMPARE(m->indexOfId(1).data().toString(), QString());
    // Replies show no codes of their own.
    QCOMPARE(m->indexOfId(2).sibling(m->indexOfId(2).row(), ColStav).data().toString(), QString());
    QCOMPARE(m->indexOfId(1).sibling(m->indexOfId(1).row(), ColZacatek).data().toString(), QStringLiteral("31.12.24 23:50"));

    // A centre's page names the enterprise only for events filed under one.
    p->load(TreeRow::centre(10));
    QCOMPARE(m->rowCount(), 1);
    QCOMPARE(m->index(0, ColName).data().toString(), QString());

    UdalostiTab tab(&m_session);
    tab.onRefreshModelSUdalosti(-1);
    EventTreeModel *g = tab.model();
    QCOMPARE(g->rowCount(), 3);
    const QModelIndex one = g->indexOfId(1);
    QCOMPARE(one.data().toString(), QStringLiteral("Alfa | Stáj"));
    QCOMPARE(g->indexOfId(5).data().toString(), QStringLiteral("Alfa | Alfa Sever"));
    QCOMPARE(one.sibling(one.row(), ColStav).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 150, 150));
    QCOMPARE(one.sibling(one.row(), ColPriorita).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::green));
    QCOMPARE(one.sibling(one.row(), ColKategorie).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(Qt::gray));
    QVERIFY(!g->indexOfId(2).sibling(g->indexOfId(2).row(), ColStav).data(Qt::BackgroundRole).isValid());
    // The number columns keep the number and name it in the tool tip.
    QStringList shown, tips;
    for (int c : {ColZdroj, ColKategorie, ColStav, ColPriorita, ColSynchronizace}) {
        shown << one.sibling(one.row(), c).data().toString();
        tips << one.sibling(one.row(), c).data(Qt::ToolTipRole).toString();
    }
    QCOMPARE(shown.join('|'), QStringLiteral("1|8|1|2|0"));
    QCOMPARE(tips.join('|'), QStringLiteral("Tellmark|Tellmark|Nahlášeno|Normální|Žádná"));
    // The id columns are there for the actions, not for the eye.
    QVERIFY(tab.view()->isColumnHidden(ColId) && tab.view()->isColumnHidden(ColIdStredisko));
}

void TstEventLists::columnsFitTheirContents_data()
{
    QTest::addColumn<int>("stored");
    QTest::newRow("first start: fitted") << 0;
    QTest::newRow("stored widths win") << 40;
}

void TstEventLists::columnsFitTheirContents()
{
    QFETCH(int, stored);
    m_page = new UdalostiPage(&m_session);
    QHeaderView *h = m_page->view()->header();
    if (stored) {
        QSettings s(TestMain::home() + QStringLiteral("/widths.ini"), QSettings::IniFormat);
        for (int c = 0; c < ColumnCount; ++c)
            s.setValue(QStringLiteral("t/sectionSize") + QString::number(c), stored);
        restoreViewState(s, QStringLiteral("t"), h);
    }
    m_page->resize(1200, 700);
    m_page->show();
    m_page->load(TreeRow::enterprise(1));
    QCoreApplication::processEvents();
    // Nothing cut: the centre's name, the dates and the headers.
    for (int c : {ColName, ColZacatek, ColKonec, ColStav}) {
        const QAbstractItemView *view = m_page->view();
        const int needed = qMax(view->sizeHintForColumn(c), h->sectionSizeHint(c));
        QCOMPARE(h->sectionSize(c), stored ? stored : needed);
    }
}

void TstEventLists::dateSortAcrossYearEnd_data()
{
    QTest::addColumn<bool>("global");
    QTest::addColumn<int>("latest");
    QTest::newRow("global list") << true << 9;
    QTest::newRow("register's list") << false << 5;
}

void TstEventLists::dateSortAcrossYearEnd()
{
    QFETCH(bool, global);
    QFETCH(int, latest);
    UdalostiTab tab(&m_session);
    tab.onRefreshModelSUdalosti(-1);
    QTreeView *view = global ? tab.view() : page()->view();
    const QAbstractItemModel *m = view->model();
    const int last = m->rowCount() - 1;
    // As text "31.12.24" would come after "01.02.25".
    view->header()->setSortIndicator(ColZacatek, Qt::AscendingOrder);
    QCOMPARE(idAt(m, m->index(0, 0)), 1);
    QCOMPARE(idAt(m, m->index(last, 0)), latest);
    view->header()->setSortIndicator(ColZacatek, Qt::DescendingOrder);
    QCOMPARE(idAt(m, m->index(0, 0)), latest);
    QCOMPARE(idAt(m, m->index(last, 0)), 1);
    if (!global)
        return;
    // Read a thread at a time as the view asks for more: the same list.
    view->header()->setSortIndicator(ColZacatek, Qt::AscendingOrder);
    tab.threads()->setPageSize(1);
    view->header()->setSortIndicator(ColZacatek, Qt::DescendingOrder);
    // Counting every thread would read the whole log: the label says so.
    auto *count = tab.findChild<QLabel *>(QStringLiteral("lpocet"));
    QCOMPARE(count->text(), QStringLiteral("zobrazeno 1 z více"));
    while (view->model()->canFetchMore(QModelIndex()))
        view->model()->fetchMore(QModelIndex());
    QCOMPARE(count->text(), QStringLiteral("zobrazeno 3"));
    QCOMPARE(view->model()->rowCount(), 3);
    QCOMPARE(idAt(view->model(), view->model()->index(0, 0)), 9);
    QCOMPARE(idAt(view->model(), view->model()->index(2, 0)), 1);
    QCOMPARE(view->model()->rowCount(view->model()->index(2, 0)), 1);   // reply 2 (with 3 below it)
}

// A search that takes its time holds up neither typing nor the window; the
// answer for the text typed last is the one shown.
void TstEventLists::typingWhileSearching()
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
    auto *edit = tab.findChild<QLineEdit *>(QStringLiteral("ufilter"));
    QTest::keyClicks(edit, QStringLiteral("k"));
    QTRY_COMPARE(held.loadAcquire(), 1);
    QTest::keyClicks(edit, QStringLiteral("ontr"));
    QCOMPARE(edit->text(), QStringLiteral("kontr"));
    QVERIFY(tab.threads()->searching());
    gate.release(100);
    QTRY_VERIFY(!tab.threads()->searching());
    // Only the last text was searched: "k" was dropped when the gate
    // opened, the texts typed in between never started.
    QCOMPARE(held.loadAcquire(), 2);
    QCOMPARE(tab.model()->rowCount(), 1);
    QCOMPARE(idAt(tab.model(), tab.model()->index(0, 0)), 1);
    QCOMPARE(tab.model()->eventCount(), 3);

    // The register's page searches its enterprise's events (a description).
    UdalostiPage *p = page();
    QTest::keyClicks(p->findChild<QLineEdit *>(QStringLiteral("upfilter")), QStringLiteral("puvodni"));
    QTRY_VERIFY(!p->threads()->searching());
    QCOMPARE(p->model()->rowCount(), 1);
    QCOMPARE(idAt(p->model(), p->model()->index(0, 0)), 1);
}

void TstEventLists::paneShowsRootAndReply()
{
    UdalostiPage *p = page();
    EventPane *pane = p->pane();
    QVERIFY(!pane->findChild<QWidget *>(QStringLiteral("wudalost"))->isVisibleTo(p));
    select(p->view(), 5);
    QCOMPARE(pane->eventId(), 5);
    QCOMPARE(pane->subject()->text(), QStringLiteral("Nabídka"));
    QCOMPARE(pane->date()->date(), QDate(2025, 2, 1));
    QCOMPARE(pane->persons()->text(), QStringLiteral("Petr Král"));
    QCOMPARE(pane->attachments()->model()->rowCount(), 1);
    QVERIFY(pane->findChild<QWidget *>(QStringLiteral("wuroot"))->isVisibleTo(p));
    QVERIFY(pane->notifyFrom()->isVisibleTo(p));      // in progress
    QVERIFY(!pane->saveButton()->isEnabled());
    QVERIFY(!p->isDirty());

    select(p->view(), 2);
    QCOMPARE(pane->eventId(), 2);
    QVERIFY(!pane->findChild<QWidget *>(QStringLiteral("wuroot"))->isVisibleTo(p));
    // The previous event's file is not carried over.
    QCOMPARE(pane->attachments()->model()->rowCount(), 0);
}

void TstEventLists::pickFieldsTakeNoTyping()
{
    UdalostiTab tab(&m_session);
    tab.show();
    tab.onRefreshModelSUdalosti(5);
    EventPane *pane = tab.pane();
    // Typing into the names, and emptying the centre's, changes nothing.
    for (QFEditWithButton *field : {pane->persons(), pane->enterprisePicker(), pane->centrePicker()}) {
        const QString shown = field->text();
        QTest::keyClicks(field->lineEdit(), QStringLiteral("x"));
        field->lineEdit()->selectAll();
        QTest::keyClick(field->lineEdit(), Qt::Key_Delete);
        QCOMPARE(field->text(), shown);
    }
    QCOMPARE(pane->centrePicker()->text(), QStringLiteral("Alfa Sever"));
    QVERIFY(!pane->saveButton()->isEnabled());
}

void TstEventLists::eventGoneMeanwhile()
{
    UdalostiPage *p = page();
    QVERIFY(TestDb::exec(QStringLiteral("delete from tellmark_udalosti where id=9 or id=5")));
    select(p->view(), 5);
    // Nothing shown and no row current, so that a click on it reads again.
    QCOMPARE(p->pane()->eventId(), 0);
    QVERIFY(!p->view()->currentIndex().isValid());
    QVERIFY(!p->pane()->findChild<QWidget *>(QStringLiteral("wprilohy"))->isVisibleTo(p));
}

void TstEventLists::paneSaveKeepsWhatWasNotEdited()
{
    // Values the program has no item for, NULLs (texts too) and an empty calendar.
    QVERIFY(TestDb::exec(QStringLiteral("update tellmark_udalosti set kategorie=64, stav=7, zdroj=NULL, ts_kal_zacatek=NULL,"
                                        " ts_konec='2025-02-03 16:30:00', upozornit_od=NULL, cislo_projektu=NULL,"
                                        " odpovedna_osoba=NULL, notifikace=1, notifikacef=0, cesta=1 where id=5")));
    const QString columns = QStringLiteral(
        "select id_parent,id_podnik,id_strediska,ts_zacatek,ts_kal_zacatek,ts_konec,notifikace,notifikacef,zdroj,"
        "kategorie,stav,priorita,typ_synchronizace,cesta,cislo_projektu,odpovedna_osoba,lokalita,hash,upozornit_od "
        "from tellmark_udalosti where id=5");
    auto row = [&] {
        QSSQL q;
        QStringList values;
        if (q.exec(columns) && q.next())
            for (int i = 0; i < 19; ++i)
                values << (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString());
        return values;
    };
    const QStringList before = row();
    UdalostiTab tab(&m_session);
    tab.onRefreshModelSUdalosti(5);
    QCOMPARE(tab.pane()->eventId(), 5);
    tab.pane()->subject()->setText(QStringLiteral("Sklad"));
    tab.onSUdalostSave();
    QCOMPARE(row(), before);
    QCOMPARE(scalar(QStringLiteral("select predmet from tellmark_udalosti where id=5")).toString(), QStringLiteral("Sklad"));
    QCOMPARE(tab.pane()->eventId(), 5);    // reloaded and selected again
}

void TstEventLists::leavingDirtyPane_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("viaAdd");   // "Přidat" (then cancelled) instead of another row
    QTest::newRow("Yes saves everything") << true << false;
    QTest::newRow("No drops the edits") << false << false;
    QTest::newRow("No shows the stored event again") << false << true;
}

void TstEventLists::leavingDirtyPane()
{
    QFETCH(bool, yes);
    QFETCH(bool, viaAdd);
    UdalostiPage *p = page();
    select(p->view(), 5);
    p->pane()->subject()->setText(QStringLiteral("Upravená nabídka"));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("cenik.txt"));
    {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("ceník");
    }
    QVERIFY(p->pane()->attachments()->addFile(file));
    QVERIFY(p->isDirty());

    MessageBoxAnswerer answers(yes ? QMessageBox::Yes : QMessageBox::No);
    if (viaAdd) {
        DialogScript script({});
        p->onAddUdalost();
    } else {
        select(p->view(), 1);
    }
    QCOMPARE(answers.messages, QStringList{QStringLiteral("Otázka Přejete si uložit rozpracovanou událost?")});
    QCOMPARE(p->pane()->eventId(), viaAdd ? 5 : 1);
    QVERIFY(!p->isDirty());
    if (viaAdd) {
        QCOMPARE(p->pane()->subject()->text(), QStringLiteral("Nabídka"));
        QCOMPARE(p->pane()->attachments()->model()->rowCount(), 1);
    }
    QCOMPARE(scalar(QStringLiteral("select predmet from tellmark_udalosti where id=5")).toString(),
             yes ? QStringLiteral("Upravená nabídka") : QStringLiteral("Nabídka"));
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_udalosti_prilohy where id_udalosti=5")).toInt(),
             yes ? 2 : 1);
    bool synced = false;
    for (const HttpStub::Request &r : m_stub.requests())
        synced = synced || (r.path == QLatin1String("/events/sync") && r.body.contains("\"5\""));
    QCOMPARE(synced, yes);
}

void TstEventLists::failedSaveKeepsRowAndEdits()
{
    QVERIFY(lockEventUpdates(true));
    UdalostiPage *p = page();
    select(p->view(), 5);
    p->pane()->subject()->setText(QStringLiteral("Neuloží se"));
    QStringList messages;
    {
        MessageBoxAnswerer answers(QMessageBox::Yes);
        select(p->view(), 1);
        messages = answers.messages;
    }
    QVERIFY(lockEventUpdates(false));
    QCOMPARE(messages.size(), 2);
    QVERIFY2(messages.at(1).startsWith(QStringLiteral("ZRN Chyba: událost nelze uložit.")), qPrintable(messages.at(1)));
    // Back on the event with the edit, still to be saved; nothing announced.
    QCOMPARE(idAt(p->view()->model(), p->view()->currentIndex()), 5);
    QCOMPARE(p->pane()->eventId(), 5);
    QCOMPARE(p->pane()->subject()->text(), QStringLiteral("Neuloží se"));
    QVERIFY(p->isDirty());
    QCOMPARE(m_stub.requestCount(), 0);
}

void TstEventLists::refusedReloadKeepsTheFilter_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("category of the register's list") << "kategorie";
    QTest::newRow("category") << "skategorie";
    QTest::newRow("persons") << "oo";
    QTest::newRow("Nedokončené") << "nedokoncene";
}

void TstEventLists::refusedReloadKeepsTheFilter()
{
    QFETCH(QString, control);
    const bool global = control != QLatin1String("kategorie");
    UdalostiTab tab(&m_session);
    QWidget *host = &tab;
    EventPane *pane = tab.pane();
    if (global) {
        tab.onRefreshModelSUdalosti(5);
    } else {
        host = page();
        pane = m_page->pane();
        select(m_page->view(), 5);
    }
    pane->subject()->setText(QStringLiteral("Neuloží se"));
    QVERIFY(lockEventUpdates(true));
    {
        // The filter dialogs: the first box unticked and confirmed; then
        // "Yes" to saving, which fails.
        MessageBoxAnswerer answers(QMessageBox::Yes);
        ModalHandler chooser([](QWidget *modal) {
            if (qobject_cast<QMessageBox *>(modal))
                return false;
            modal->findChild<QCheckBox *>()->setChecked(false);
            static_cast<QDialog *>(modal)->accept();
            return true;
        });
        host->findChild<QAbstractButton *>(control)->click();
        QCOMPARE(answers.messages.size(), 2);
    }
    QVERIFY(lockEventUpdates(false));
    QCOMPARE(tab.threads()->criteria(), EventListFilter());
    if (!global)
        QCOMPARE(m_page->threads()->criteria(), EventListFilter());
    QVERIFY(!tab.nedokoncene());
    QCOMPARE(pane->eventId(), 5);
    QCOMPARE(pane->subject()->text(), QStringLiteral("Neuloží se"));
    QVERIFY(pane->saveButton()->isEnabled());
}

void TstEventLists::reloadAsksFirst()
{
    UdalostiPage *p = page();
    select(p->view(), 1);
    p->pane()->place()->setText(QStringLiteral("Jinde"));
    MessageBoxAnswerer answers(QMessageBox::Yes);
    p->onRefreshModelUdalosti(1);
    QCOMPARE(answers.messages, QStringList{QStringLiteral("Otázka Přejete si uložit rozpracovanou událost?")});
    QCOMPARE(scalar(QStringLiteral("select lokalita from tellmark_udalosti where id=1")).toString(), QStringLiteral("Jinde"));
    QCOMPARE(p->pane()->eventId(), 1);
}

void TstEventLists::actionsUseTheCurrentRowOnly()
{
    UdalostiPage *p = page();
    select(p->view(), 3);
    QCOMPARE(p->pane()->eventId(), 3);
    // A tree click on another enterprise: nothing is current there.
    p->load(TreeRow::enterprise(2));
    QCOMPARE(p->pane()->eventId(), 0);
    MessageBoxAnswerer answers(QMessageBox::Yes);
    DialogScript script({});
    p->onDelUdalost();
    p->onAddUdalostReplay();
    QCOMPARE(answers.messages, QStringList());
    QCOMPARE(script.shown, 0);
    QCOMPARE(scalar(QStringLiteral("select smazano from tellmark_udalosti where id=3")).toInt(), 0);
}

void TstEventLists::addEventAndReply()
{
    m_session.defaultCategory = 256;
    UdalostiPage *p = page();
    QVariant rootId;
    {
        DialogScript script({[](DialogAUUdalost *d) {
            const EventRecord v = d->values();
            // Defaults of a new event of this enterprise.
            QCOMPARE(v.podnikId.toInt(), 1);
            QCOMPARE(v.persons, QStringLiteral("JN"));
            QCOMPARE(v.source.toInt(), 2);
            QCOMPARE(v.category.toInt(), 256);
            QCOMPARE(v.state.toInt(), 3);
            QVERIFY(!v.calendarStart.isValid());
            typeSubjectAndAccept(d, QStringLiteral("Nová návštěva"));
        }});
        p->onAddUdalost();
        QCOMPARE(script.shown, 1);
    }
    rootId = scalar(QStringLiteral("select max(id) from tellmark_udalosti"));
    QCOMPARE(scalar(QStringLiteral("select predmet from tellmark_udalosti where id=") + rootId.toString()).toString(),
             QStringLiteral("Nová návštěva"));
    QCOMPARE(scalar(QStringLiteral("select hash from tellmark_udalosti where id=") + rootId.toString()).toString(),
             QStringLiteral("h-123"));
    QCOMPARE(p->pane()->eventId(), rootId.toInt());
    QVERIFY(m_stub.requests().last().body.contains(rootId.toString().toUtf8()));

    // A reply to the reply 2 quotes 2 and moves the state of the root 1.
    select(p->view(), 2);
    {
        DialogScript script({[](DialogAUUdalost *d) {
            const EventRecord v = d->values();
            QCOMPARE(v.subject, QStringLiteral("Re: Kontrola"));
            QCOMPARE(v.persons, QStringLiteral("PK"));
            QCOMPARE(v.state.toInt(), 1);     // the root's state
            QVERIFY(!d->findChild<QWidget *>(QStringLiteral("podnik"))->isVisibleTo(d));
            QTest::keyClicks(d->findChild<QTextEdit *>(QStringLiteral("popis")), QStringLiteral("Hotovo."));
            d->findChild<QComboBox *>(QStringLiteral("cbStav"))->setCurrentIndex(3);
            d->onAccept();
        }});
        p->onAddUdalostReplay();
        QCOMPARE(script.shown, 1);
    }
    const QString reply = scalar(QStringLiteral("select max(id) from tellmark_udalosti")).toString();
    QCOMPARE(scalar(QStringLiteral("select id_parent from tellmark_udalosti where id=") + reply).toInt(), 2);
    // The reply's own text, then the quotation.
    const QString text = QTextDocumentFragment::fromHtml(
        scalar(QStringLiteral("select popis from tellmark_udalosti where id=") + reply).toString()).toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("Hotovo.\n\n\nDne 02.01.2025 08:00, napsáno:")), qPrintable(text));
    QCOMPARE(scalar(QStringLiteral("select stav from tellmark_udalosti where id=1")).toInt(), 3);
    QCOMPARE(scalar(QStringLiteral("select stav from tellmark_udalosti where id=2")).toInt(), 0);
    QCOMPARE(p->pane()->eventId(), reply.toInt());
    QCOMPARE(idAt(p->model(), p->model()->indexOfId(reply.toInt()).parent()), 2);
    m_session.defaultCategory = QVariant();
}

void TstEventLists::serviceWithoutHash_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("error status") << 500 << QByteArray("{}");
    QTest::newRow("malformed JSON") << 200 << QByteArray("{\"hash\":");
    QTest::newRow("empty hash") << 200 << QByteArray("{\"hash\":\"\"}");
}

void TstEventLists::serviceWithoutHash()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    m_stub.on(QStringLiteral("/events/hash"), HttpStub::json(body, status));
    UdalostiPage *p = page();
    const int before = scalar(QStringLiteral("select count(*) from tellmark_udalosti")).toInt();
    MessageBoxAnswerer answers(QMessageBox::Yes);
    QString typedAgain;
    DialogScript script({[](DialogAUUdalost *d) { typeSubjectAndAccept(d, QStringLiteral("Neztratit")); },
                         [&](DialogAUUdalost *d) {
                             // The dialog comes back with what was typed,
                             // and giving it up is asked.
                             typedAgain = d->values().subject;
                             d->reject();
                         }});
    p->onAddUdalost();
    QCOMPARE(script.shown, 2);
    QCOMPARE(typedAgain, QStringLiteral("Neztratit"));
    QCOMPARE(answers.messages.size(), 2);
    QCOMPARE(answers.messages.last(), QStringLiteral("Otázka Přejete si zahodit rozpracovanou událost?"));
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_udalosti")).toInt(), before);
    for (const HttpStub::Request &r : m_stub.requests())
        QVERIFY(r.path != QLatin1String("/events/sync"));
}

void TstEventLists::deleteLeafOnly()
{
    UdalostiPage *p = page();
    select(p->view(), 2);
    {
        MessageBoxAnswerer answers(QMessageBox::Yes);
        p->onDelUdalost();
        QCOMPARE(answers.messages, QStringList{QStringLiteral("ZRN Není možno smazat událost neboť není koncová.")});
    }
    select(p->view(), 5);
    {
        MessageBoxAnswerer answers(QMessageBox::Yes);
        p->onDelUdalost();
        QCOMPARE(answers.messages, QStringList{QStringLiteral("Otázka Přejete si smazat událost?")});
    }
    QCOMPARE(scalar(QStringLiteral("select smazano from tellmark_udalosti where id=5")).toInt(), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_udalosti_prilohy")).toInt(), 0);
    QVERIFY(!p->model()->indexOfId(5).isValid());
    QCOMPARE(p->pane()->eventId(), 0);
    QCOMPARE(m_stub.requests().last().path, QStringLiteral("/events/sync"));
}

ZRN_TEST_MAIN(TstEventLists)
#include "tst_eventlists.moc"
