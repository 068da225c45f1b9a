// Maintenance of enterprises and centres as a user does it from the register
// tab: the prompts answered by the test, ARES served by a loopback stub, the
// tree rebuilt with the affected row current, and the refusals that keep
// centres and events from vanishing.

#include "admin/detailpages.h"
#include "core/session.h"
#include "core/usersettings.h"
#include "db/qsares.h"
#include "db/qssql.h"
#include "events/detailpages.h"
#include "register/evidencetab.h"
#include "register/maintenance.h"
#include "register/podnikpage.h"
#include "register/podnikytree.h"
#include "support/httpstub.h"
#include "support/testdb.h"
#include "support/uitest.h"
#include "ui_podnikpage.h"

#include <QTreeView>
#include <QtTest>

#include "register/historiepage.h"
#include "core/historyview.h"

#include <QStandardItemModel>

#include "support/testmain.h"

namespace {

const QByteArray kFound = R"({"ico":"00012345","obchodniJmeno":"Zemědělské družstvo Hrušovany, a.s.",
  "sidlo": {"kodStatu": "CZ", "nazevOkresu": "Brno-venkov", "nazevObce": "Hrušovany u Brna",
            "nazevUlice": "Hlavní", "cisloDomovni": 12, "psc": 66462}})";

int scalar(const QString &sql, const QVariant &bound = QVariant())
{
    QSSQL q;
    q.prepare(sql);
    if (bound.isValid())
        q.addBindValue(bound);
    return q.exec() && q.next() ? q.value(0).toInt() : -1;
}

QString text(const QString &sql, const QVariant &bound)
{
    QSSQL q;
    q.prepare(sql);
    q.addBindValue(bound);
    if (!q.exec() || !q.next())
        return QStringLiteral("<no row>");
    const QVariant v = q.value(0);
    return v.isNull() ? QStringLiteral("NULL") : v.toString();
}

// The change history of a row, newest first: "column|old|new|login".
QStringList history(const QString &table, const QVariant &id)
{
    QSSQL q;
    q.prepare(QStringLiteral("select sloupec,puvodni_hodnota,nova_hodnota,uzivatel from zrn_historie"
                             " where tabulka=? and id_radku=? order by id desc"));
    q.addBindValue(table);
    q.addBindValue(id);
    QStringList rows;
    if (!q.exec())
        return {QStringLiteral("<failed>")};
    while (q.next())
        rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()}
                    .join(QLatin1Char('|'));
    return rows;
}

} // namespace

class TstMaintenance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void addByName_data();
    void addByName();
    void addByIco_data();
    void addByIco();
    void deleteConfirmation_data();
    void deleteConfirmation();
    void deleteRefusedWhileSomethingDependsOnIt_data();
    void deleteRefusedWhileSomethingDependsOnIt();
    void centres();
    void renameAndRegroup();
    void renameOffersNoHoldingItCannotRead();
    void addedRowHiddenByFilterOrRights_data();
    void addedRowHiddenByFilterOrRights();
    void unsavedEditsAreSettledFirst();

private:
    void select(int podnik, int stredisko = 0)
    {
        QVERIFY(m_tab->tree()->setCurrentRow(podnik, stredisko ? QVariant(stredisko) : QVariant()));
    }
    RegisterMaintenance *m() const { return m_tab->maintenance(); }

    HttpStub m_stub;
    QSAres m_ares;
    Session m_session;
    EvidenceTab *m_tab = nullptr;
    QStringList m_answers;    // the next prompt answers, in order
    QStringList m_prompts;    // the titles asked
    QStringList m_messages;   // the messages shown
    int m_questions = 0;
};

void TstMaintenance::initTestCase()
{
    ZRN_OPEN_TEST_DB();
    QVERIFY(m_stub.listen());
    m_stub.on(QStringLiteral("/ares/ekonomicke-subjekty/00012345"), HttpStub::json(kFound));
    m_stub.on(QStringLiteral("/ares/ekonomicke-subjekty/00099999"),
              HttpStub::json(R"({"kod":"NENALEZENO","popis":"Subjekt nenalezen"})", 404));
    m_stub.on(QStringLiteral("/ares/ekonomicke-subjekty/00055555"), HttpStub::Response::close());
    m_ares.setBaseUrl(m_stub.url(QStringLiteral("/ares")).toString());
    m_ares.setTimeout(3000);
}

void TstMaintenance::init()
{
    QString e;
    QVERIFY2(TestDb::clear(&e), qPrintable(e));
    QFile::remove(ZrnSettings::path());
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_holding(id,nazev_holding) values(5,'Jih')"), &e), qPrintable(e));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,obr,id_holding,ico) values"
                                         "(1,'Agro Alfa','ST',5,'12345678'),(2,'Beta statek','TM',NULL,NULL)"), &e),
             qPrintable(e));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev) values(10,1,'Farma Alfa')"), &e),
             qPrintable(e));
    m_session.user = UserRights();
    m_session.user.id = 3;
    m_session.user.login = QStringLiteral("spravce");
    m_session.user.os = 2;
    m_session.user.fakturace = 2;
    m_session.setSelection(QVariant(), QVariant());
    m_answers.clear();
    m_prompts.clear();
    m_messages.clear();
    m_questions = 0;

    m_tab = new EvidenceTab(&m_session);
    m_tab->setSaveQuestion([this](QWidget *) {
        ++m_questions;
        return true;
    });
    m()->setAres(&m_ares);
    m()->setPrompt([this](QWidget *, const QString &title, const QString &, QString *answer) {
        m_prompts << title;
        if (m_answers.isEmpty())
            return false;
        *answer = m_answers.takeFirst();
        return true;
    });
    m()->setNotify([this](QWidget *, const QString &message) { m_messages << message; });
    m_tab->applyRights();
    m_tab->resize(1200, 800);
    m_tab->show();
    m_tab->refresh();
}

void TstMaintenance::cleanup()
{
    delete m_tab;
    m_tab = nullptr;
}

void TstMaintenance::addByName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("name") << "  Statek Nový  " << "Statek Nový";
    QTest::newRow("digits then letters") << "123 Farma" << "123 Farma";
    QTest::newRow("zero is a name") << "0" << "0";
    QTest::newRow("empty name") << "" << "";
    QTest::newRow("apostrophe") << "O'Neil s.r.o." << "O'Neil s.r.o.";
}

void TstMaintenance::addByName()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    m_answers << typed;
    m()->onAddPodnik();
    QCOMPARE(m_prompts, QStringList{"Přidání podniku"});
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join('|')));
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky")), 3);
    const int id = scalar(QStringLiteral("select max(id) from tellmark_podniky"));
    QCOMPARE(text(QStringLiteral("select podnik_nazev from tellmark_podniky where id=?"), id), stored);
    QCOMPARE(history(QStringLiteral("tellmark_podniky"), id), QStringList{"*zalozeni||" + stored + "|spravce"});
    // The new enterprise is the current row, its page loaded.
    QCOMPARE(m_session.s_id_podnik.toInt(), id);
    auto *page = m_tab->findChild<PodnikPage *>(QStringLiteral("tab_podnik"));
    QVERIFY(page->hasRow());
    QCOMPARE(page->podnikName(), stored);
}

void TstMaintenance::addByIco_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");   // the IČO as an enterprise already has it
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("enterprises");
    QTest::newRow("found") << "12345" << "" << "" << 3;
    QTest::newRow("not found") << "99999" << "" << "IČO nenalezeno." << 2;
    QTest::newRow("network error") << "55555" << "" << "Chyba vyhledávání." << 2;
    QTest::newRow("stored without its zeros") << "12345" << "12345" << "Zadané IČO je již založeno." << 3;
    QTest::newRow("stored with blanks, no zeros") << "12345" << "123 45" << "Zadané IČO je již založeno." << 3;
    QTest::newRow("stored, another number ending alike") << "12345" << "112345" << "" << 4;
}

void TstMaintenance::addByIco()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    QFETCH(int, enterprises);
    if (!stored.isEmpty())
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,ico) values(3,'Dřívější','%1')").arg(stored)));
    m_answers << typed;
    m()->onAddPodnik();
    QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky")), enterprises);
    if (!message.isEmpty())
        return;
    const int id = m_session.s_id_podnik.toInt();
    QCOMPARE(text(QStringLiteral("select podnik_nazev from tellmark_podniky where id=?"), id),
             QStringLiteral("Zemědělské družstvo Hrušovany, a.s."));
    QCOMPARE(text(QStringLiteral("select kontakt_adresa from tellmark_podniky where id=?"), id),
             QStringLiteral("Hlavní 12, 664 62 Hrušovany u Brna"));
    QCOMPARE(text(QStringLiteral("select ico from tellmark_podniky where id=?"), id), QStringLiteral("00012345"));
    QCOMPARE(text(QStringLiteral("select okres from tellmark_podniky where id=?"), id), QStringLiteral("Brno-venkov"));
    QCOMPARE(text(QStringLiteral("select zeme from tellmark_podniky where id=?"), id), QStringLiteral("CZ"));

    // The same number again, typed with its zeros: found as a duplicate.
    m_answers << QStringLiteral("00012345");
    m()->onAddPodnik();
    QCOMPARE(m_messages, QStringList{"Zadané IČO je již založeno."});
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky")), enterprises);
}

void TstMaintenance::deleteConfirmation_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("smazat") << "smazat" << true;
    QTest::newRow("capital") << "Smazat" << false;
    QTest::newRow("leading space") << " smazat" << false;
    QTest::newRow("other word") << "ano" << false;
}

void TstMaintenance::deleteConfirmation()
{
    QFETCH(QString, typed);
    QFETCH(bool, deleted);
    select(2);
    m_answers << typed;
    m()->onDelPodnik();
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky where id=2")), deleted ? 0 : 1);
    QCOMPARE(history(QStringLiteral("tellmark_podniky"), 2),
             deleted ? QStringList{"*smazani|Beta statek||spravce"} : QStringList());
    if (deleted) {
        // Gone from the screen too: nothing current, the prompt shown.
        QVERIFY(!m_tab->tree()->view()->currentIndex().isValid());
        QCOMPARE(m_tab->innerTabs()->currentWidget()->objectName(), QStringLiteral("tab_vyber"));
        QVERIFY(!m_session.s_id_podnik.isValid());
    }
}

void TstMaintenance::deleteRefusedWhileSomethingDependsOnIt_data()
{
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("message");
    QTest::newRow("enterprise with a centre") << false << "" << "Podnik nelze smazat, protože má střediska (počet: 1).";
    QTest::newRow("enterprise with live events")
        << false << "delete from tellmark_strediska;insert into tellmark_udalosti(id_podnik,smazano) values(1,0),(1,0),(1,1)"
        << "Podnik nelze smazat, protože má nesmazané události (počet: 2).";
    QTest::newRow("centre with a live event") << true << "insert into tellmark_udalosti(id_strediska,smazano) values(10,0)"
                                              << "Středisko nelze smazat, protože má nesmazané události (počet: 1).";
}

void TstMaintenance::deleteRefusedWhileSomethingDependsOnIt()
{
    QFETCH(bool, centre);
    QFETCH(QString, fixture);
    QFETCH(QString, message);
    for (const QString &sql : fixture.split(';', Qt::SkipEmptyParts))
        QVERIFY(TestDb::exec(sql));
    m_tab->refresh();
    select(1, centre ? 10 : 0);
    m_answers << QStringLiteral("smazat");
    if (centre)
        m()->onDelStredisko();
    else
        m()->onDelPodnik();
    QCOMPARE(m_messages.size(), 1);
    QVERIFY2(m_messages.first().startsWith(message), qPrintable(m_messages.first()));
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky where id=1")), 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_strediska where id=10")), centre || fixture.isEmpty() ? 1 : 0);
}

void TstMaintenance::centres()
{
    // Added under the current enterprise and made current.
    select(2);
    m_answers << QStringLiteral("  Farma Nová ");
    m()->onAddStredisko();
    const int id = m_session.s_id_stredisko.toInt();
    QVERIFY(id > 0);
    QCOMPARE(text(QStringLiteral("select akce_nazev from tellmark_strediska where id=?"), id), QStringLiteral("Farma Nová"));
    QCOMPARE(scalar(QStringLiteral("select id_podnik from tellmark_strediska where id=?"), id), 2);

    // Renamed: the prompt shows the current name; the answer is stored as typed.
    m_answers << QStringLiteral(" Farma Stará");
    m()->onEditStredisko();
    QCOMPARE(text(QStringLiteral("select akce_nazev from tellmark_strediska where id=?"), id), QStringLiteral(" Farma Stará"));
    QCOMPARE(m_session.s_id_stredisko.toInt(), id);

    // Deleted: its enterprise becomes current.
    m_answers << QStringLiteral("smazat");
    m()->onDelStredisko();
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_strediska where id=?"), id), 0);
    QCOMPARE(m_session.s_id_podnik.toInt(), 2);
    QVERIFY(!m_session.s_id_stredisko.isValid());
    QCOMPARE(m_prompts, (QStringList{"Přidání střediska", "Oprava střediska", "Smazání střediska"}));

    // Each step is in the history of the centre, the adding and deleting
    // also in that of its enterprise, whose "Historie" page lists them.
    QCOMPARE(history(QStringLiteral("tellmark_strediska"), id),
             (QStringList{"*smazani| Farma Stará||spravce", "akce_nazev|Farma Nová| Farma Stará|spravce",
                          "*zalozeni||Farma Nová|spravce"}));
    QCOMPARE(history(QStringLiteral("tellmark_podniky"), 2),
             (QStringList{"*stredisko_smazano| Farma Stará||spravce", "*stredisko_pridano||Farma Nová|spravce"}));
    auto *page = m_tab->findChild<HistoriePage *>(QStringLiteral("tab_historie"));
    m_tab->innerTabs()->setCurrentWidget(page);
    const QAbstractItemModel *listed = page->view()->model();
    QCOMPARE(listed->rowCount(), 2);
    QCOMPARE(listed->index(0, 1).data().toString(), QStringLiteral("spravce"));
    QCOMPARE(listed->index(0, 2).data().toString(), QStringLiteral("Středisko smazáno"));
    QCOMPARE(listed->index(1, 2).data().toString(), QStringLiteral("Středisko přidáno"));
    QCOMPARE(listed->index(1, 4).data().toString(), QStringLiteral("Farma Nová"));
}

void TstMaintenance::renameAndRegroup()
{
    select(1);
    QVariant shownName, shownHolding;
    m()->setEditEnterprise([&](QWidget *, QVariant *name, QVariant *holding) {
        shownName = *name;
        shownHolding = *holding;
        *name = QStringLiteral("Agro Alfa Nová");
        *holding = QVariant(QVariant::LongLong); // cleared with the empty button
        return true;
    });
    m()->onEditPodnik();
    QCOMPARE(shownName.toString(), QStringLiteral("Agro Alfa"));
    QCOMPARE(shownHolding.toInt(), 5);
    QCOMPARE(text(QStringLiteral("select podnik_nazev from tellmark_podniky where id=?"), 1), QStringLiteral("Agro Alfa Nová"));
    QCOMPARE(text(QStringLiteral("select id_holding from tellmark_podniky where id=?"), 1), QStringLiteral("NULL"));
    QCOMPARE(m_tab->findChild<PodnikPage *>(QStringLiteral("tab_podnik"))->podnikName(), QStringLiteral("Agro Alfa Nová"));
    // The history names the holdings.
    QCOMPARE(history(QStringLiteral("tellmark_podniky"), 1),
             (QStringList{"id_holding|Jih||spravce", "podnik_nazev|Agro Alfa|Agro Alfa Nová|spravce"}));
}

void TstMaintenance::renameOffersNoHoldingItCannotRead()
{
    select(1);
    m()->setEditEnterprise(nullptr); // the dialog itself
    QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_holding rename to holding_away")));
    {
        const auto restore = qScopeGuard([] { TestDb::exec(QStringLiteral("alter table holding_away rename to tellmark_holding")); });
        ModalHandler confirm([](QWidget *modal) { return QMetaObject::invokeMethod(modal, "accept"); });
        m()->onEditPodnik();
        QVERIFY(!confirm.handled());
    }
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(text(QStringLiteral("select id_holding from tellmark_podniky where id=?"), 1), QStringLiteral("5"));
}

void TstMaintenance::addedRowHiddenByFilterOrRights_data()
{
    QTest::addColumn<QString>("region");
    QTest::addColumn<bool>("filter");
    QTest::newRow("region user") << "TM" << false;
    QTest::newRow("active filter") << "" << true;
}

void TstMaintenance::addedRowHiddenByFilterOrRights()
{
    QFETCH(QString, region);
    QFETCH(bool, filter);
    m_session.user.region = region;
    if (filter)
        m_tab->tree()->setAdvancedFilter(QStringLiteral(" pdq.obr='ST' "));
    m_tab->refresh();
    m_answers << QStringLiteral("Skrytý statek");
    m()->onAddPodnik();
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky where podnik_nazev='Skrytý statek'")), 1);
    QCOMPARE(m_messages, QStringList{RegisterMaintenance::hiddenMessage(false)});
}

void TstMaintenance::unsavedEditsAreSettledFirst()
{
    select(2);
    auto *page = m_tab->findChild<PodnikPage *>(QStringLiteral("tab_podnik"));
    page->form()->kontakt_jmeno->setText(QStringLiteral("Bára Nová"));
    QVERIFY(page->isDirty());
    m_answers << QStringLiteral("smazat");
    m()->onDelPodnik();
    // Asked once, saved before the delete; the delete then went through.
    QCOMPARE(m_questions, 1);
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_podniky where id=2")), 0);
    QVERIFY(!page->isDirty());

    select(1);
    page->form()->kontakt_jmeno->setText(QStringLiteral("Adam"));
    m_answers << QStringLiteral("Další statek");
    m()->onAddPodnik();
    QCOMPARE(m_questions, 2);
    QCOMPARE(text(QStringLiteral("select kontakt_jmeno from tellmark_podniky where id=?"), 1), QStringLiteral("Adam"));
}

ZRN_TEST_MAIN(TstMaintenance)
#include "tst_maintenance.moc"
