// Maintenance of enterprises and centres from the register tab (prompts answered by the test, ARES
// by a loopback stub): the tree rebuilt with the row current, refusals that keep centres and events.

#include "core/session.h"
#include "core/usersettings.h"
#include "db/qsares.h"
#include "db/qssql.h"
#include "register/evidencetab.h"
#include "register/historiepage.h"
#include "register/maintenance.h"
#include "register/podnikpage.h"
#include "register/podnikytree.h"
#include "support/httpstub.h"
#include "support/testdb.h"
#include "support/uitest.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QtTest>

#include "support/testmain.h"

namespace {

const QByteArray kFound = R"({"ico":"00012345","obchodniJmeno":"Zemědělské družstvo Hrušovany, a.s.",
  "sidlo": {"kodStatu": "CZ", "nazevOkresu": "Brno-venkov", "nazevObce": "Hrušovany u Brna",
            "nazevUlice": "Hlavní", "cisloDomovni": 12, "psc": 66462}})";

// The change history of a row, newest first: "column|old|new|login".
QStringList history(const QString &table, const QVariant &id)
{
    QSSQL q;
    const bool ok = q.exec(QStringLiteral("select sloupec,puvodni_hodnota,nova_hodnota,uzivatel from zrn_historie"
                                          " where tabulka=? and id_radku=? order by id desc"), {table, id});
    QStringList rows;
    while (ok && q.next())
        rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()}
                    .join(QLatin1Char('|'));
    return rows;
}

} // namespace

class TstMaintenance : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
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

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        QFile::remove(ZrnSettings::path());
        ZRN_SEED("insert into tellmark_holding(id,nazev_holding) values(5,'Jih')",
                 "insert into tellmark_podniky(id,podnik_nazev,obr,id_holding,ico) values"
                 "(1,'Agro Alfa','ST',5,'12345678'),(2,'Beta statek','TM',NULL,NULL)",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev) values(10,1,'Farma Alfa')");
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

    void cleanup() { delete m_tab; }

    void addEnterprise_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fixture");   // "ico:...": an enterprise has that IČO; "TM": a region user; "filter"
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("enterprises");
        QTest::addColumn<QString>("name");      // of the new enterprise
        const QString ares = "Zemědělské družstvo Hrušovany, a.s.", twice = "Zadané IČO je již založeno.";
        QTest::newRow("name") << "  Statek Nový  " << "" << "" << 3 << "Statek Nový";
        QTest::newRow("digits then letters") << "123 Farma" << "" << "" << 3 << "123 Farma";
        QTest::newRow("zero is a name") << "0" << "" << "" << 3 << "0";
        QTest::newRow("empty name") << "" << "" << "" << 3 << "";
        QTest::newRow("apostrophe") << "O'Neil s.r.o." << "" << "" << 3 << "O'Neil s.r.o.";
        QTest::newRow("IČO found") << "12345" << "" << "" << 3 << ares;
        QTest::newRow("IČO not found") << "99999" << "" << "IČO nenalezeno." << 2 << "";
        QTest::newRow("IČO, network error") << "55555" << "" << "Chyba vyhledávání." << 2 << "";
        QTest::newRow("IČO stored without its zeros") << "12345" << "ico:12345" << twice << 3 << "";
        QTest::newRow("IČO stored with blanks, no zeros") << "12345" << "ico:123 45" << twice << 3 << "";
        QTest::newRow("IČO stored, another number ending alike") << "12345" << "ico:112345" << "" << 4 << ares;
        const QString hidden = RegisterMaintenance::hiddenMessage(false);
        QTest::newRow("hidden from a region user") << "Skrytý statek" << "TM" << hidden << 3 << "Skrytý statek";
        QTest::newRow("hidden by the active filter") << "Skrytý statek" << "filter" << hidden << 3 << "Skrytý statek";
    }

    void addEnterprise()
    {
        QFETCH(QString, typed);
        QFETCH(QString, fixture);
        QFETCH(QString, message);
        QFETCH(int, enterprises);
        QFETCH(QString, name);
        if (fixture.startsWith("ico:"))
            ZRN_SEED(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,ico) values(3,'Dřívější','%1')").arg(fixture.mid(4)));
        else if (fixture == "filter")
            m_tab->tree()->setAdvancedFilter(QStringLiteral(" pdq.obr='ST' "));
        else if (!fixture.isEmpty())
            m_session.user.region = fixture;
        m_tab->refresh();
        m_answers << typed;
        m()->onAddPodnik();
        QCOMPARE(m_prompts, QStringList{"Přidání podniku"});
        QCOMPARE(m_messages, message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(TestDb::value("select count(*) from tellmark_podniky").toInt(), enterprises);
        if (enterprises == 2 || message == "Zadané IČO je již založeno.")
            return;
        const int id = TestDb::value("select max(id) from tellmark_podniky").toInt();
        const QVariant stored = TestDb::value("select podnik_nazev from tellmark_podniky where id=?", {id});
        QVERIFY(!stored.isNull());   // an empty name is stored as ''
        QCOMPARE(stored.toString(), name);
        QCOMPARE(history(QStringLiteral("tellmark_podniky"), id), QStringList{"*zalozeni||" + name + "|spravce"});
        if (!message.isEmpty())
            return;
        // The new enterprise is the current row, its page loaded.
        QCOMPARE(m_session.s_id_podnik.toInt(), id);
        QCOMPARE(shownName(), name);
        if (typed != "12345")
            return;
        const QStringList fromAres = {"Hlavní 12, 664 62 Hrušovany u Brna", "00012345", "Brno-venkov", "CZ"};
        const QStringList columns = {"kontakt_adresa", "ico", "okres", "zeme"};
        for (int i = 0; i < columns.size(); ++i)
            QCOMPARE(TestDb::value("select " + columns.at(i) + " from tellmark_podniky where id=?", {id}).toString(),
                     fromAres.at(i));
        // The same number again, typed with its zeros: found as a duplicate.
        m_answers << QStringLiteral("00012345");
        m()->onAddPodnik();
        QCOMPARE(m_messages, QStringList{"Zadané IČO je již založeno."});
        QCOMPARE(TestDb::value("select count(*) from tellmark_podniky").toInt(), enterprises);
    }

    void deleteEnterprise_data()
    {
        QTest::addColumn<int>("centre");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("message");   // empty: deleted when "smazat" was typed
        QTest::newRow("smazat") << 0 << "smazat" << "" << "";
        QTest::newRow("capital") << 0 << "Smazat" << "" << "";
        QTest::newRow("leading space") << 0 << " smazat" << "" << "";
        QTest::newRow("other word") << 0 << "ano" << "" << "";
        QTest::newRow("enterprise with a centre") << 0 << "smazat" << "update tellmark_strediska set id_podnik=2"
                                                  << "Podnik nelze smazat, protože má střediska (počet: 1).";
        QTest::newRow("enterprise with live events")
            << 0 << "smazat" << "insert into tellmark_udalosti(id_podnik,smazano) values(2,0),(2,0),(2,1)"
            << "Podnik nelze smazat, protože má nesmazané události (počet: 2).";
        QTest::newRow("centre with a live event") << 10 << "smazat" << "insert into tellmark_udalosti(id_strediska,smazano) values(10,0)"
                                                  << "Středisko nelze smazat, protože má nesmazané události (počet: 1).";
    }

    void deleteEnterprise()
    {
        QFETCH(int, centre);
        QFETCH(QString, typed);
        QFETCH(QString, fixture);
        QFETCH(QString, message);
        if (!fixture.isEmpty())
            ZRN_SEED(fixture);
        m_tab->refresh();
        const int podnik = centre ? 1 : 2;
        select(podnik, centre);
        m_answers << typed;
        QVERIFY(QMetaObject::invokeMethod(m(), centre ? "onDelStredisko" : "onDelPodnik"));
        const bool deleted = typed == "smazat" && message.isEmpty();
        QCOMPARE(m_messages.size(), message.isEmpty() ? 0 : 1);
        QVERIFY2(m_messages.value(0, "").startsWith(message), qPrintable(m_messages.value(0)));
        QCOMPARE(TestDb::value("select count(*) from tellmark_podniky where id=?", {podnik}).toInt(), deleted ? 0 : 1);
        QCOMPARE(TestDb::value("select count(*) from tellmark_strediska where id=10").toInt(), 1);
        QCOMPARE(history(QStringLiteral("tellmark_podniky"), podnik),
                 deleted ? QStringList{"*smazani|Beta statek||spravce"} : QStringList());
        // Gone from the screen too: nothing current, the prompt shown.
        QCOMPARE(m_tab->tree()->view()->currentIndex().isValid(), !deleted);
        QCOMPARE((centre ? m_session.s_id_stredisko : m_session.s_id_podnik).isValid(), !deleted);
        if (deleted)
            QCOMPARE(m_tab->innerTabs()->currentWidget()->objectName(), QStringLiteral("tab_vyber"));
    }

    void centres()
    {
        // Added under the current enterprise and made current.
        select(2);
        m_answers << QStringLiteral("  Farma Nová ");
        m()->onAddStredisko();
        const int id = m_session.s_id_stredisko.toInt();
        QVERIFY(id > 0);
        QCOMPARE(TestDb::value("select akce_nazev from tellmark_strediska where id=?", {id}).toString(), "Farma Nová");
        QCOMPARE(TestDb::value("select id_podnik from tellmark_strediska where id=?", {id}).toInt(), 2);
        // Renamed: the prompt shows the current name; the answer is stored as typed.
        m_answers << QStringLiteral(" Farma Stará");
        m()->onEditStredisko();
        QCOMPARE(TestDb::value("select akce_nazev from tellmark_strediska where id=?", {id}).toString(), " Farma Stará");
        QCOMPARE(m_session.s_id_stredisko.toInt(), id);
        // Deleted: its enterprise becomes current.
        m_answers << QStringLiteral("smazat");
        m()->onDelStredisko();
        QCOMPARE(TestDb::value("select count(*) from tellmark_strediska where id=?", {id}).toInt(), 0);
        QCOMPARE(m_session.s_id_podnik.toInt(), 2);
        QVERIFY(!m_session.s_id_stredisko.isValid());
        QCOMPARE(m_prompts, (QStringList{"Přidání střediska", "Oprava střediska", "Smazání střediska"}));
        // Each step is in the centre's history, adding and deleting also in its enterprise's "Historie".
        QCOMPARE(history(QStringLiteral("tellmark_strediska"), id),
                 (QStringList{"*smazani| Farma Stará||spravce", "akce_nazev|Farma Nová| Farma Stará|spravce",
                              "*zalozeni||Farma Nová|spravce"}));
        QCOMPARE(history(QStringLiteral("tellmark_podniky"), 2),
                 (QStringList{"*stredisko_smazano| Farma Stará||spravce", "*stredisko_pridano||Farma Nová|spravce"}));
        auto *page = m_tab->findChild<HistoriePage *>(QStringLiteral("tab_historie"));
        m_tab->innerTabs()->setCurrentWidget(page);
        const QAbstractItemModel *listed = page->findChild<QTableView *>(QStringLiteral("historie"))->model();
        QCOMPARE(listed->rowCount(), 2);
        QCOMPARE(listed->index(0, 1).data().toString(), QStringLiteral("spravce"));
        QCOMPARE(listed->index(0, 2).data().toString(), QStringLiteral("Středisko smazáno"));
        QCOMPARE(listed->index(1, 2).data().toString(), QStringLiteral("Středisko přidáno"));
        QCOMPARE(listed->index(1, 4).data().toString(), QStringLiteral("Farma Nová"));
    }

    void renameAndRegroup()
    {
        select(1);
        // The dialog itself offers no holding when it cannot read them: nothing is asked or changed.
        m()->setEditEnterprise(nullptr);
        QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_holding rename to holding_away")));
        {
            const auto restore = qScopeGuard([] { TestDb::exec(QStringLiteral("alter table holding_away rename to tellmark_holding")); });
            ModalHandler confirm([](QWidget *modal) { return QMetaObject::invokeMethod(modal, "accept"); });
            m()->onEditPodnik();
            QVERIFY(!confirm.handled());
        }
        QCOMPARE(m_messages.size(), 1);
        QCOMPARE(TestDb::value("select id_holding from tellmark_podniky where id=1").toInt(), 5);

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
        QCOMPARE(TestDb::value("select podnik_nazev from tellmark_podniky where id=1").toString(), "Agro Alfa Nová");
        QVERIFY(TestDb::value("select id_holding from tellmark_podniky where id=1").isNull());
        QCOMPARE(this->shownName(), QStringLiteral("Agro Alfa Nová"));
        // The history names the holdings.
        QCOMPARE(history(QStringLiteral("tellmark_podniky"), 1),
                 (QStringList{"id_holding|Jih||spravce", "podnik_nazev|Agro Alfa|Agro Alfa Nová|spravce"}));
    }

    void unsavedEditsAreSettledFirst()
    {
        select(2);
        auto *page = m_tab->findChild<PodnikPage *>(QStringLiteral("tab_podnik"));
        auto *contact = page->findChild<QLineEdit *>(QStringLiteral("kontakt_jmeno"));
        contact->setText(QStringLiteral("Bára Nová"));
        QVERIFY(page->isDirty());
        m_answers << QStringLiteral("smazat");
        m()->onDelPodnik();
        // Asked once, saved before the delete; the delete then went through.
        QCOMPARE(m_questions, 1);
        QCOMPARE(TestDb::value("select count(*) from tellmark_podniky where id=2").toInt(), 0);
        QVERIFY(!page->isDirty());

        select(1);
        contact->setText(QStringLiteral("Adam"));
        m_answers << QStringLiteral("Další statek");
        m()->onAddPodnik();
        QCOMPARE(m_questions, 2);
        QCOMPARE(TestDb::value("select kontakt_jmeno from tellmark_podniky where id=1").toString(), "Adam");
    }

private:
    void select(int podnik, int stredisko = 0)
    {
        QVERIFY(m_tab->tree()->setCurrentRow(podnik, stredisko ? QVariant(stredisko) : QVariant()));
    }
    RegisterMaintenance *m() const { return m_tab->findChild<RegisterMaintenance *>(); }
    QString shownName() const { return m_tab->findChild<QLabel *>(QStringLiteral("ppodnik"))->text(); }

    HttpStub m_stub;
    QSAres m_ares;
    Session m_session;
    EvidenceTab *m_tab = nullptr;
    QStringList m_answers;    // the next prompt answers, in order
    QStringList m_prompts;    // the titles asked
    QStringList m_messages;   // the messages shown
    int m_questions = 0;
};

ZRN_TEST_MAIN(TstMaintenance)
#include "tst_maintenance.moc"
