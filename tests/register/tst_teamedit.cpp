// Two users on one database: each saves the fields they changed, a field both changed is put to
// the second saver; every change leaves a history row, and the history shows what the user may see.

#include "support/testdb.h"

#include "admin/portalaccesspage.h"
#include "admin/remoteaccesspage.h"
#include "core/clashdialog.h"
#include "core/historyview.h"
#include "core/session.h"
#include "events/eventpane.h"
#include "register/gpspage.h"
#include "register/podnikpage.h"
#include "register/specifikacepage.h"
#include "register/strediskopage.h"
#include "schema/schema.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const int kPodnik = 7, kCentre = 70, kEvent = 5;

bool onCentre(const QString &kind) { return kind != "O podniku" && kind != "GPS podniku"; }
TreeRow rowOf(const QString &kind) { return onCentre(kind) ? TreeRow::centre(kCentre) : TreeRow::enterprise(kPodnik); }

ZrnPage *makePage(const QString &kind, Session *s)
{
    return kind == "O podniku" ? new PodnikPage(s)
         : kind == "O středisku" ? new StrediskoPage(s)
         : kind == "Specifikace" ? new SpecifikacePage(s)
         : kind == "Vzdálený přístup" ? new RemoteAccessPage(s)
         : kind == "Přístupy" ? static_cast<ZrnPage *>(new PortalAccessPage(s)) : new GpsPage(s);
}

QString stored(const QString &kind, const QString &column)
{
    const bool centre = onCentre(kind);
    return ChangeHistory::displayText(TestDb::value(QStringLiteral("select %1 from %2 where id=?")
        .arg(column, centre ? QStringLiteral("tellmark_strediska") : QStringLiteral("tellmark_podniky")), {centre ? kCentre : kPodnik}));
}

QLineEdit *field(QWidget *page, const QString &name) { return childNamed<QLineEdit>(page, qPrintable(name)); }

} // namespace

class TstTeamEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        ZRN_SEED(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,KONTAKT_TELEFON,SMLOUVA_CISLO,GPS,"
                                "O_VZTAH_SE_ZAKAZNIKEM,O_PRIORITA) values(%1,'Statek','111','S-1','49.1,14.1',0,0)").arg(kPodnik),
                 QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,PODNIK_TELEFON,GPS,EAGRI_HESLO) "
                                "values(%1,%2,'Farma','222','49.2,14.2','stare')").arg(kCentre).arg(kPodnik),
                 QStringLiteral("insert into tellmark_udalosti(id,id_podnik,predmet,lokalita,smazano) "
                                "values(%1,%2,'Návštěva','Lhota',0)").arg(kEvent).arg(kPodnik));
        m_anna.user = UserRights();
        m_anna.user.login = QStringLiteral("anna");
        m_anna.user.fakturace = 2;
        m_petr.user = UserRights();
        m_petr.user.login = QStringLiteral("petr");
        m_petr.user.pristupy = 1;
        m_clashes.clear();
        m_asked = 0;
        answerClashes(-1);
    }

    void cleanup() { ClashDialog::setResolver({}); }

    void twoUsersSave_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fieldA");
        QTest::addColumn<QString>("columnA");
        QTest::addColumn<QString>("fieldB");   // empty: the page has one field
        QTest::addColumn<QString>("columnB");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("answer");       // 2: Petr changes only field B, no clash
        const QStringList answers = {"back to editing", "theirs", "mine", "different fields"};
        const QVector<QStringList> pages = {
            {"O podniku", "kontakt_telefon", "KONTAKT_TELEFON", "kontakt_email", "KONTAKT_EMAIL", "Telefon"},
            {"O středisku", "stredisko_telefon", "PODNIK_TELEFON", "stredisko_email", "PODNIK_EMAIL", "Telefon"},
            {"Specifikace", "ssbp", "SSBP", "sakbp", "SAKBP", "Selekční branka (poznámka)"},
            {"Vzdálený přístup", "vnc1_password", "uvnc1_password", "tv2_id", "tv2_id", "VNC 1 Heslo"},
            {"Přístupy", "aeagri_jmeno", "EAGRI_UZIVATEL", "aeskot_heslo", "KU_CMSCH_HESLO", "EAgri Jméno"},
            {"GPS podniku", "gps_souradnice", "GPS", "", "", "Souřadnice GPS"},
            {"GPS střediska", "gps_souradnice", "GPS", "", "", "Souřadnice GPS"}};
        for (int answer = -1; answer <= 2; ++answer)
            for (const QStringList &p : pages)
                if (answer < 2 || !p.at(3).isEmpty())
                    QTest::addRow("%s, %s", qUtf8Printable(p.at(0)), qUtf8Printable(answers.at(answer + 1)))
                        << p.at(0) << p.at(1) << p.at(2) << p.at(3) << p.at(4) << p.at(5) << answer;
    }

    // Anna saves field A; Petr, loaded before, saves A too (a clash, answered by the row) or only B (no clash).
    void twoUsersSave()
    {
        QFETCH(QString, kind);
        QFETCH(QString, fieldA);
        QFETCH(QString, columnA);
        QFETCH(QString, fieldB);
        QFETCH(QString, columnB);
        QFETCH(int, answer);
        const bool clash = answer < 2, back = answer < 0;
        QScopedPointer<ZrnPage> anna(makePage(kind, &m_anna)), petr(makePage(kind, &m_petr));
        anna->load(rowOf(kind));
        petr->load(rowOf(kind));
        const QString before = fieldB.isEmpty() ? QString() : stored(kind, columnB);
        field(anna.data(), fieldA)->setText(QStringLiteral("Anna"));
        QVERIFY(anna->save());
        if (clash)
            field(petr.data(), fieldA)->setText(QStringLiteral("Petr"));
        if (!fieldB.isEmpty())
            field(petr.data(), fieldB)->setText(QStringLiteral("Petr B"));
        answerClashes(answer);
        QCOMPARE(petr->save(), !back);
        QCOMPARE(m_asked, clash ? 1 : 0);
        if (clash) {
            QCOMPARE(m_clashes.size(), 1);
            QTEST(m_clashes.first().label, "label");
            QCOMPARE(ChangeHistory::displayText(m_clashes.first().theirs), QStringLiteral("Anna"));
            QCOMPARE(ChangeHistory::displayText(m_clashes.first().mine), QStringLiteral("Petr"));
        }
        // The chosen value is stored and shown (not the one loaded); the other change is written with it.
        const QString expected = answer == 1 ? QStringLiteral("Petr") : QStringLiteral("Anna");
        QCOMPARE(stored(kind, columnA), expected);
        QCOMPARE(field(petr.data(), fieldA)->text(), back ? QStringLiteral("Petr") : expected);
        if (!fieldB.isEmpty()) {
            QCOMPARE(stored(kind, columnB), back ? before : QStringLiteral("Petr B"));
            QCOMPARE(field(petr.data(), fieldB)->text(), QStringLiteral("Petr B"));
        }
        QCOMPARE(petr->isDirty(), back);
    }

    void refusedSaveWritesNothing_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("message");
        const QString gone = "delete from tellmark_strediska\ndelete from tellmark_podniky";
        QTest::newRow("O podniku deleted meanwhile") << "O podniku" << gone << ClashDialog::deletedMessage();
        QTest::newRow("O středisku deleted meanwhile") << "O středisku" << gone << ClashDialog::deletedMessage();
        // The history row cannot be written: the change is not stored either.
        QTest::newRow("history refused") << "O podniku"
            << (TestDb::isMariaDb() ? "create trigger zrn_odmitnuti before insert on zrn_historie for each row "
                                      "signal sqlstate '45000' set message_text='odmitnuto'"
                                    : "create trigger zrn_odmitnuti before insert on zrn_historie "
                                      "begin select raise(abort,'odmitnuto'); end")
            << "Chyba";
    }

    void refusedSaveWritesNothing()
    {
        QFETCH(QString, kind);
        QFETCH(QString, fixture);
        QFETCH(QString, message);
        QScopedPointer<ZrnPage> page(makePage(kind, &m_anna));
        page->load(rowOf(kind));
        ZRN_SEED(fixture.split('\n'));
        field(page.data(), onCentre(kind) ? "stredisko_telefon" : "kontakt_telefon")->setText(QStringLiteral("999"));
        MessageBoxAnswerer answerer;
        const bool saved = page->save();
        QVERIFY(TestDb::exec(QStringLiteral("drop trigger if exists zrn_odmitnuti")));
        QVERIFY(!saved);
        QCOMPARE(answerer.messages.size(), 1);
        QVERIFY2(answerer.messages.first().startsWith("ZRN " + message), qPrintable(answerer.messages.first()));
        QVERIFY(page->isDirty());
        QCOMPARE(TestDb::value("select count(*) from tellmark_podniky where KONTAKT_TELEFON='999'").toInt(), 0);
        QCOMPARE(TestDb::value("select count(*) from zrn_historie").toInt(), 0);
    }

    // Petr saves the contact and a remote connection; Anna's centre page clashes on the contact and writes only it.
    void clashOnOneCentrePageLeavesTheOthers()
    {
        StrediskoPage anna(&m_anna), petrCentre(&m_petr);
        RemoteAccessPage petrRemote(&m_petr);
        for (ZrnPage *page : std::initializer_list<ZrnPage *>{&anna, &petrCentre, &petrRemote})
            page->load(TreeRow::centre(kCentre));
        field(&petrCentre, QStringLiteral("stredisko_telefon"))->setText(QStringLiteral("Petr"));
        field(&petrRemote, QStringLiteral("vnc1_host"))->setText(QStringLiteral("host.petr"));
        QVERIFY(petrCentre.save() && petrRemote.save());
        field(&anna, QStringLiteral("stredisko_telefon"))->setText(QStringLiteral("Anna"));
        answerClashes(1);
        QVERIFY(anna.save());
        QCOMPARE(m_clashes.size(), 1);
        QCOMPARE(stored(QStringLiteral("O středisku"), QStringLiteral("PODNIK_TELEFON")), QStringLiteral("Anna"));
        QCOMPARE(stored(QStringLiteral("O středisku"), QStringLiteral("uvnc1_host")), QStringLiteral("host.petr"));
    }

    void clashDialogListsEachField()
    {
        ClashDialog dialog({{"KONTAKT_TELEFON", "Telefon", "Anna", "Petr", true},
                            {"O_DALSI_KONTAKT", "Další kontakt", QDate(2025, 1, 2), QVariant(), true}});
        QStringList labels, radios;
        for (QLabel *l : dialog.findChildren<QLabel *>())
            labels << l->text();
        QVERIFY2(labels.contains("Telefon") && labels.contains("Další kontakt"), qPrintable(labels.join('|')));
        for (const char *name : {"theirs_KONTAKT_TELEFON", "mine_KONTAKT_TELEFON", "theirs_O_DALSI_KONTAKT",
                                 "mine_O_DALSI_KONTAKT"})
            radios << childNamed<QRadioButton>(&dialog, name)->text();
        QCOMPARE(radios, (QStringList{"Anna", "Petr", ChangeHistory::displayText(QDate(2025, 1, 2)), "(prázdné)"}));
        childNamed<QRadioButton>(&dialog, "theirs_KONTAKT_TELEFON")->click();
        const QVector<Clash> chosen = dialog.choices();
        QVERIFY(!chosen.at(0).keepMine);
        QVERIFY(chosen.at(1).keepMine);
    }

    void historyShowsWhatTheUserMaySee_data()
    {
        QTest::addColumn<QString>("who");
        QTest::addColumn<bool>("centre");
        QTest::addColumn<QStringList>("rows");   // "Uživatel|Pole|Původní hodnota|Nová hodnota"
        // Petr may not see invoicing, Anna not the portal accesses; passwords are "změněno" for everybody.
        QTest::newRow("anna, enterprise") << "anna" << false << QStringList{"anna|Smlouva číslo|S-1|S-2", "anna|Telefon|111|999"};
        QTest::newRow("petr, enterprise") << "petr" << false << QStringList{"anna|Telefon|111|999"};
        QTest::newRow("petr, centre") << "petr" << true << QStringList{"anna|EAgri Heslo||změněno"};
        QTest::newRow("anna, centre") << "anna" << true << QStringList();
    }

    // Anna changes a phone, an invoicing value and a portal password.
    void historyShowsWhatTheUserMaySee()
    {
        QFETCH(QString, who);
        QFETCH(bool, centre);
        QScopedPointer<ZrnPage> podnik(makePage(QStringLiteral("O podniku"), &m_anna));
        podnik->load(TreeRow::enterprise(kPodnik));
        field(podnik.data(), QStringLiteral("kontakt_telefon"))->setText(QStringLiteral("999"));
        field(podnik.data(), QStringLiteral("smlouva_cislo"))->setText(QStringLiteral("S-2"));
        QVERIFY(podnik->save());
        QScopedPointer<ZrnPage> pristupy(makePage(QStringLiteral("Přístupy"), &m_anna));
        pristupy->load(TreeRow::centre(kCentre));
        field(pristupy.data(), QStringLiteral("aeagri_heslo"))->setText(QStringLiteral("nove"));
        QVERIFY(pristupy->save());
        // No password value is stored, neither old nor new.
        QCOMPARE(TestDb::value("select count(*) from zrn_historie where puvodni_hodnota like '%stare%'"
                                " or nova_hodnota like '%nove%'").toInt(), 0);

        HistoryView view;
        view.showRow(centre ? "tellmark_strediska" : "tellmark_podniky", centre ? kCentre : kPodnik,
                     (who == "anna" ? m_anna : m_petr).user);
        const QAbstractItemModel *model = view.findChild<QTableView *>(QStringLiteral("historie"))->model();
        QStringList shown;
        for (int r = 0; r < model->rowCount(); ++r) {
            QVERIFY(!model->index(r, 0).data().toString().isEmpty());   // the time
            QStringList cells;
            for (int col = 1; col < 5; ++col)
                cells << model->index(r, col).data().toString();
            shown << cells.join(QLatin1Char('|'));
        }
        shown.sort();
        QTEST(shown, "rows");
    }

    void worksWithoutHistoryTable()
    {
        QVERIFY(TestDb::exec(QStringLiteral("drop table zrn_historie")));
        QScopedPointer<ZrnPage> page(makePage(QStringLiteral("O podniku"), &m_anna));
        page->load(TreeRow::enterprise(kPodnik));
        field(page.data(), QStringLiteral("kontakt_telefon"))->setText(QStringLiteral("999"));
        QVERIFY(page->save());
        QCOMPARE(stored(QStringLiteral("O podniku"), QStringLiteral("KONTAKT_TELEFON")), QStringLiteral("999"));
        HistoryView view;
        view.showRow(QStringLiteral("tellmark_podniky"), kPodnik, m_anna.user);
        const QLabel *message = view.findChild<QLabel *>(QStringLiteral("historie_zprava"));
        QVERIFY2(!message->isHidden() && message->text().contains(QStringLiteral("není v této databázi nastavena")),
                 qPrintable(message->text()));
        // Added to the existing database, without touching its rows.
        QString error;
        QVERIFY2(Schema::ensureExtras(&error), qPrintable(error));
        QVERIFY2(Schema::ensureExtras(&error), qPrintable(error));
        QCOMPARE(TestDb::value("select count(*) from zrn_historie").toInt(), 0);
        QCOMPARE(stored(QStringLiteral("O podniku"), QStringLiteral("KONTAKT_TELEFON")), QStringLiteral("999"));
    }

    void eventPane()
    {
        EventPane anna(EventPane::Enterprise), petr(EventPane::Enterprise);
        anna.setSession(&m_anna);
        petr.setSession(&m_petr);
        QVERIFY(anna.loadEvent(kEvent) && petr.loadEvent(kEvent));
        // Different fields: both kept.
        anna.subject()->setText(QStringLiteral("Servis"));
        petr.place()->setText(QStringLiteral("Újezd"));
        QVERIFY(anna.saveEvent() && petr.saveEvent());
        QCOMPARE(m_asked, 0);
        QCOMPARE(TestDb::value("select count(*) from tellmark_udalosti where predmet='Servis' and lokalita='Újezd'").toInt(), 1);
        QCOMPARE(TestDb::value("select count(*) from zrn_historie where tabulka='tellmark_udalosti'").toInt(), 2);
        // The same field: put to Petr.
        anna.subject()->setText(QStringLiteral("Opravit dojírnu"));
        QVERIFY(anna.saveEvent());
        petr.subject()->setText(QStringLiteral("Zrušeno"));
        answerClashes(0);
        QVERIFY(petr.saveEvent());
        QCOMPARE(m_clashes.size(), 1);
        QCOMPARE(m_clashes.first().label, QStringLiteral("Předmět"));
        QCOMPARE(petr.subject()->text(), QStringLiteral("Opravit dojírnu"));
        // Deleted by a colleague: refused, nothing written.
        QVERIFY(TestDb::exec(QStringLiteral("update tellmark_udalosti set smazano=1 where id=%1").arg(kEvent)));
        anna.place()->setText(QStringLiteral("Lhota"));
        MessageBoxAnswerer answerer;
        QVERIFY(!anna.saveEvent());
        QCOMPARE(answerer.messages.size(), 1);
        QVERIFY2(answerer.messages.first().contains(QStringLiteral("smazal jiný uživatel")), qPrintable(answerer.messages.first()));
        QCOMPARE(TestDb::value("select count(*) from tellmark_udalosti where lokalita='Újezd'").toInt(), 1);
    }

private:
    // Records the clashes put to the user and answers: -1 back to editing, 0 the colleague's value, 1 mine.
    void answerClashes(int answer)
    {
        ClashDialog::setResolver([this, answer](QWidget *, QVector<Clash> *clashes) {
            ++m_asked;
            m_clashes = *clashes;
            for (Clash &c : *clashes)
                c.keepMine = answer == 1;
            return answer >= 0;
        });
    }

    Session m_anna;
    Session m_petr;
    QVector<Clash> m_clashes;
    int m_asked = 0;
};

ZRN_TEST_MAIN(TstTeamEdit)
#include "tst_teamedit.moc"
