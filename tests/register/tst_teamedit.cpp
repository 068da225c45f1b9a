// Two users on one database: each saves the fields they changed; the same
// field changed by both is put to the second one to save, field by field;
// every change leaves a history row written with it, and the history
// shows what the user may see.

#include "support/testdb.h"

#include "admin/portalaccesspage.h"
#include "admin/remoteaccesspage.h"
#include "core/clashdialog.h"
#include "core/historyview.h"
#include "core/session.h"
#include "db/qssql.h"
#include "events/eventpane.h"
#include "register/gpspage.h"
#include "register/podnikpage.h"
#include "register/specifikacepage.h"
#include "register/strediskopage.h"
#include "schema/schema.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const int kPodnik = 7;
const int kCentre = 70;
const int kEvent = 5;

bool onCentre(const QString &kind)
{
    return kind != QStringLiteral("O podniku") && kind != QStringLiteral("GPS podniku");
}

TreeRow rowOf(const QString &kind)
{
    return onCentre(kind) ? TreeRow::centre(kCentre) : TreeRow::enterprise(kPodnik);
}

ZrnPage *makePage(const QString &kind, Session *session)
{
    if (kind == QStringLiteral("O podniku"))
        return new PodnikPage(session);
    if (kind == QStringLiteral("O středisku"))
        return new StrediskoPage(session);
    if (kind == QStringLiteral("Specifikace"))
        return new SpecifikacePage(session);
    if (kind == QStringLiteral("Vzdálený přístup"))
        return new RemoteAccessPage(session);
    if (kind == QStringLiteral("Přístupy"))
        return new PortalAccessPage(session);
    return new GpsPage(session);
}

QString stored(const QString &kind, const QString &column)
{
    QSSQL q;
    q.prepare(QStringLiteral("select %1 from %2 where id=?")
                  .arg(column, onCentre(kind) ? QStringLiteral("tellmark_strediska") : QStringLiteral("tellmark_podniky")));
    q.addBindValue(onCentre(kind) ? kCentre : kPodnik);
    return q.exec() && q.next() ? ChangeHistory::displayText(q.value(0)) : QStringLiteral("<no row>");
}

int count(const QString &sql)
{
    QSSQL q;
    return q.exec(sql) && q.next() ? q.value(0).toInt() : -1;
}

void type(QWidget *page, const QString &field, const QString &text)
{
    QLineEdit *edit = page->findChild<QLineEdit *>(field);
    QVERIFY2(edit, qPrintable(field));
    edit->setText(text);
}

QString shown(QWidget *page, const QString &field)
{
    return page->findChild<QLineEdit *>(field)->text();
}

} // namespace

class TstTeamEdit : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init();
    void cleanup() { ClashDialog::setResolver({}); }

    void disjointEditsAreBothKept_data();
    void disjointEditsAreBothKept();
    void sameFieldIsPutToTheSecond_data();
    void sameFieldIsPutToTheSecond();
    void rowDeletedMeanwhile_data();
    void rowDeletedMeanwhile();
    void clashOnOneCentrePageLeavesTheOthers();
    void clashDialogListsEachField();
    void historyOfASave();
    void failedSaveLeavesNoHistory();
    void worksWithoutHistoryTable();
    void eventPane();

private:
    // Records the clashes put to the user and answers with `answer`.
    void answerClashes(int answer);

    Session m_anna;
    Session m_petr;
    QVector<Clash> m_clashes;
    int m_asked = 0;
};

void TstTeamEdit::init()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    for (const QString &sql :
         {QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,KONTAKT_TELEFON,SMLOUVA_CISLO,GPS,"
                         "O_VZTAH_SE_ZAKAZNIKEM,O_PRIORITA) values(%1,'Statek','111','S-1','49.1,14.1',0,0)").arg(kPodnik),
          QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,PODNIK_TELEFON,GPS,EAGRI_HESLO) "
                         "values(%1,%2,'Farma','222','49.2,14.2','stare')").arg(kCentre).arg(kPodnik),
          QStringLiteral("insert into tellmark_udalosti(id,id_podnik,predmet,lokalita,smazano) "
                         "values(%1,%2,'Návštěva','Lhota',0)").arg(kEvent).arg(kPodnik)})
        QVERIFY2(TestDb::exec(sql, &error), qPrintable(error));
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

void TstTeamEdit::answerClashes(int answer)
{
    // -1 goes back to editing, 0 takes the colleague's value, 1 keeps mine.
    ClashDialog::setResolver([this, answer](QWidget *, QVector<Clash> *clashes) {
        ++m_asked;
        m_clashes = *clashes;
        for (Clash &c : *clashes)
            c.keepMine = answer == 1;
        return answer >= 0;
    });
}

void TstTeamEdit::disjointEditsAreBothKept_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fieldA");
    QTest::addColumn<QString>("columnA");
    QTest::addColumn<QString>("fieldB");   // empty: the page has one field
    QTest::addColumn<QString>("columnB");
    QTest::newRow("O podniku") << "O podniku" << "kontakt_telefon" << "KONTAKT_TELEFON" << "kontakt_email"
                               << "KONTAKT_EMAIL";
    QTest::newRow("O středisku") << "O středisku" << "stredisko_telefon" << "PODNIK_TELEFON" << "stredisko_email"
                                 << "PODNIK_EMAIL";
    QTest::newRow("Specifikace") << "Specifikace" << "ssbp" << "SSBP" << "sakbp" << "SAKBP";
    QTest::newRow("Vzdálený přístup") << "Vzdálený přístup" << "vnc1_host" << "uvnc1_host" << "tv2_id" << "tv2_id";
    QTest::newRow("Přístupy") << "Přístupy" << "aeagri_jmeno" << "EAGRI_UZIVATEL" << "aeskot_heslo"
                              << "KU_CMSCH_HESLO";
}

void TstTeamEdit::disjointEditsAreBothKept()
{
    QFETCH(QString, kind);
    QFETCH(QString, fieldA);
    QFETCH(QString, columnA);
    QFETCH(QString, fieldB);
    QFETCH(QString, columnB);
    QScopedPointer<ZrnPage> anna(makePage(kind, &m_anna)), petr(makePage(kind, &m_petr));
    anna->load(rowOf(kind));
    petr->load(rowOf(kind));
    type(anna.data(), fieldA, QStringLiteral("od Anny"));
    type(petr.data(), fieldB, QStringLiteral("od Petra"));
    QVERIFY(anna->save());
    QVERIFY(petr->save());
    QCOMPARE(m_asked, 0);
    QCOMPARE(stored(kind, columnA), QStringLiteral("od Anny"));
    QCOMPARE(stored(kind, columnB), QStringLiteral("od Petra"));
    // The second saver sees the colleague's value, not the one loaded.
    QCOMPARE(shown(petr.data(), fieldA), QStringLiteral("od Anny"));
    QCOMPARE(shown(petr.data(), fieldB), QStringLiteral("od Petra"));
}

void TstTeamEdit::sameFieldIsPutToTheSecond_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fieldA");
    QTest::addColumn<QString>("columnA");
    QTest::addColumn<QString>("fieldB");
    QTest::addColumn<QString>("columnB");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("label");
    const QStringList answers = {"back to editing", "theirs", "mine"};
    for (int answer = -1; answer <= 1; ++answer) {
        const QByteArray a = answers.at(answer + 1).toUtf8();
        QTest::addRow("O podniku, %s", a.constData()) << "O podniku" << "kontakt_telefon" << "KONTAKT_TELEFON"
                                                      << "kontakt_email" << "KONTAKT_EMAIL" << answer << "Telefon";
        QTest::addRow("O středisku, %s", a.constData()) << "O středisku" << "stredisko_telefon" << "PODNIK_TELEFON"
                                                        << "stredisko_email" << "PODNIK_EMAIL" << answer << "Telefon";
        QTest::addRow("Specifikace, %s", a.constData()) << "Specifikace" << "ssbp" << "SSBP" << "sakbp" << "SAKBP"
                                                        << answer << "Selekční branka (poznámka)";
        QTest::addRow("Vzdálený přístup, %s", a.constData()) << "Vzdálený přístup" << "vnc1_password"
                                                             << "uvnc1_password" << "tv2_id" << "tv2_id" << answer
                                                             << "VNC 1 Heslo";
        QTest::addRow("Přístupy, %s", a.constData()) << "Přístupy" << "aeagri_jmeno" << "EAGRI_UZIVATEL"
                                                     << "aeskot_heslo" << "KU_CMSCH_HESLO" << answer << "EAgri Jméno";
        QTest::addRow("GPS podniku, %s", a.constData()) << "GPS podniku" << "gps_souradnice" << "GPS" << "" << ""
                                                        << answer << "Souřadnice GPS";
        QTest::addRow("GPS střediska, %s", a.constData()) << "GPS střediska" << "gps_souradnice" << "GPS" << ""
                                                          << "" << answer << "Souřadnice GPS";
    }
}

void TstTeamEdit::sameFieldIsPutToTheSecond()
{
    QFETCH(QString, kind);
    QFETCH(QString, fieldA);
    QFETCH(QString, columnA);
    QFETCH(QString, fieldB);
    QFETCH(QString, columnB);
    QFETCH(int, answer);
    QFETCH(QString, label);
    QScopedPointer<ZrnPage> anna(makePage(kind, &m_anna)), petr(makePage(kind, &m_petr));
    anna->load(rowOf(kind));
    petr->load(rowOf(kind));
    const QString before = fieldB.isEmpty() ? QString() : stored(kind, columnB);
    type(anna.data(), fieldA, QStringLiteral("Anna"));
    QVERIFY(anna->save());
    type(petr.data(), fieldA, QStringLiteral("Petr"));
    if (!fieldB.isEmpty())
        type(petr.data(), fieldB, QStringLiteral("Petr B"));
    answerClashes(answer);
    QCOMPARE(petr->save(), answer >= 0);

    // Asked once, about that field, with both values.
    QCOMPARE(m_asked, 1);
    QCOMPARE(m_clashes.size(), 1);
    QCOMPARE(m_clashes.first().label, label);
    QCOMPARE(ChangeHistory::displayText(m_clashes.first().theirs), QStringLiteral("Anna"));
    QCOMPARE(ChangeHistory::displayText(m_clashes.first().mine), QStringLiteral("Petr"));
    // The chosen value is stored and shown, the other change is written with it.
    const QString expected = answer == 1 ? QStringLiteral("Petr") : QStringLiteral("Anna");
    QCOMPARE(stored(kind, columnA), expected);
    if (!fieldB.isEmpty())
        QCOMPARE(stored(kind, columnB), answer < 0 ? before : QStringLiteral("Petr B"));
    QCOMPARE(shown(petr.data(), fieldA), answer < 0 ? QStringLiteral("Petr") : expected);
    QCOMPARE(petr->isDirty(), answer < 0);
}

void TstTeamEdit::rowDeletedMeanwhile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("field");
    QTest::newRow("O podniku") << "O podniku" << "kontakt_telefon";
    QTest::newRow("O středisku") << "O středisku" << "stredisko_telefon";
}

void TstTeamEdit::rowDeletedMeanwhile()
{
    QFETCH(QString, kind);
    QFETCH(QString, field);
    QScopedPointer<ZrnPage> page(makePage(kind, &m_anna));
    page->load(rowOf(kind));
    QVERIFY(TestDb::exec(QStringLiteral("delete from tellmark_strediska")));
    QVERIFY(TestDb::exec(QStringLiteral("delete from tellmark_podniky")));
    type(page.data(), field, QStringLiteral("nový"));
    MessageBoxAnswerer answerer;
    QVERIFY(!page->save());
    QCOMPARE(answerer.messages, QStringList{QStringLiteral("ZRN ") + ClashDialog::deletedMessage()});
    QVERIFY(page->isDirty());
    QCOMPARE(count(QStringLiteral("select count(*) from zrn_historie")), 0);
}

void TstTeamEdit::clashOnOneCentrePageLeavesTheOthers()
{
    // Petr saves the contact and a remote connection; Anna's centre page,
    // loaded before, clashes on the contact and writes only its own column.
    StrediskoPage anna(&m_anna);
    QScopedPointer<ZrnPage> petrCentre(makePage(QStringLiteral("O středisku"), &m_petr));
    QScopedPointer<ZrnPage> petrRemote(makePage(QStringLiteral("Vzdálený přístup"), &m_petr));
    anna.load(kCentre);
    petrCentre->load(TreeRow::centre(kCentre));
    petrRemote->load(TreeRow::centre(kCentre));
    type(petrCentre.data(), QStringLiteral("stredisko_telefon"), QStringLiteral("Petr"));
    type(petrRemote.data(), QStringLiteral("vnc1_host"), QStringLiteral("host.petr"));
    QVERIFY(petrCentre->save() && petrRemote->save());
    type(&anna, QStringLiteral("stredisko_telefon"), QStringLiteral("Anna"));
    answerClashes(1);
    QVERIFY(anna.save());
    QCOMPARE(m_clashes.size(), 1);
    QCOMPARE(stored(QStringLiteral("O středisku"), QStringLiteral("PODNIK_TELEFON")), QStringLiteral("Anna"));
    QCOMPARE(stored(QStringLiteral("O středisku"), QStringLiteral("uvnc1_host")), QStringLiteral("host.petr"));
}

void TstTeamEdit::clashDialogListsEachField()
{
    ClashDialog dialog({{"KONTAKT_TELEFON", "Telefon", "Anna", "Petr", true},
                        {"O_DALSI_KONTAKT", "Další kontakt", QDate(2025, 1, 2), QVariant(), true}});
    QStringList labels;
    for (QLabel *l : dialog.findChildren<QLabel *>())
        labels << l->text();
    for (const char *text : {"Telefon", "Další kontakt", "uložil(a) jiný uživatel", "Vaše hodnota"})
        QVERIFY2(labels.join('|').contains(QString::fromUtf8(text)), text);
    auto *theirs = dialog.findChild<QRadioButton *>(QStringLiteral("theirs_KONTAKT_TELEFON"));
    QCOMPARE(theirs->text(), QStringLiteral("Anna"));
    QCOMPARE(dialog.findChild<QRadioButton *>(QStringLiteral("mine_KONTAKT_TELEFON"))->text(), QStringLiteral("Petr"));
    QCOMPARE(dialog.findChild<QRadioButton *>(QStringLiteral("theirs_O_DALSI_KONTAKT"))->text(),
             ChangeHistory::displayText(QDate(2025, 1, 2)));
    QCOMPARE(dialog.findChild<QRadioButton *>(QStringLiteral("mine_O_DALSI_KONTAKT"))->text(), QStringLiteral("(prázdné)"));
    theirs->click();
    const QVector<Clash> chosen = dialog.choices();
    QVERIFY(!chosen.at(0).keepMine);
    QVERIFY(chosen.at(1).keepMine);
}

void TstTeamEdit::historyOfASave()
{
    // Anna changes a phone, an invoicing value and a portal password.
    QScopedPointer<ZrnPage> podnik(makePage(QStringLiteral("O podniku"), &m_anna));
    podnik->load(TreeRow::enterprise(kPodnik));
    type(podnik.data(), QStringLiteral("kontakt_telefon"), QStringLiteral("999"));
    type(podnik.data(), QStringLiteral("smlouva_cislo"), QStringLiteral("S-2"));
    QVERIFY(podnik->save());
    QScopedPointer<ZrnPage> pristupy(makePage(QStringLiteral("Přístupy"), &m_anna));
    pristupy->load(TreeRow::centre(kCentre));
    type(pristupy.data(), QStringLiteral("aeagri_heslo"), QStringLiteral("nove"));
    QVERIFY(pristupy->save());
    // No password value is stored, neither old nor new.
    QCOMPARE(count(QStringLiteral("select count(*) from zrn_historie where puvodni_hodnota like '%stare%'"
                                  " or nova_hodnota like '%nove%'")), 0);

    struct Case {
        Session *who;
        QString table;
        int id;
        QStringList rows;   // "Uživatel|Pole|Původní hodnota|Nová hodnota", newest first
    };
    // Petr may not see invoicing, Anna not the portal accesses; passwords
    // are "změněno" for everybody.
    const QVector<Case> cases = {
        {&m_anna, QStringLiteral("tellmark_podniky"), kPodnik,
         {"anna|Telefon|111|999", "anna|Smlouva číslo|S-1|S-2"}},
        {&m_petr, QStringLiteral("tellmark_podniky"), kPodnik, {"anna|Telefon|111|999"}},
        {&m_petr, QStringLiteral("tellmark_strediska"), kCentre, {"anna|EAgri Heslo||změněno"}},
        {&m_anna, QStringLiteral("tellmark_strediska"), kCentre, {}},
    };
    for (const Case &c : cases) {
        HistoryView view;
        view.showRow(c.table, c.id, c.who->user);
        QStringList rows;
        for (int r = 0; r < view.model()->rowCount(); ++r) {
            QStringList cells;
            for (int col = 1; col < 5; ++col)
                cells << view.model()->index(r, col).data().toString();
            rows << cells.join(QLatin1Char('|'));
        }
        rows.sort();
        QStringList expected = c.rows;
        expected.sort();
        QCOMPARE(rows, expected);
        QVERIFY(rows.isEmpty() || !view.model()->index(0, 0).data().toString().isEmpty());
    }
}

void TstTeamEdit::failedSaveLeavesNoHistory()
{
    // The history row cannot be written: the change is not stored either.
    const QString trigger = TestDb::isMariaDb()
        ? QStringLiteral("create trigger zrn_odmitnuti before insert on zrn_historie for each row "
                         "signal sqlstate '45000' set message_text='odmitnuto'")
        : QStringLiteral("create trigger zrn_odmitnuti before insert on zrn_historie "
                         "begin select raise(abort,'odmitnuto'); end");
    QString error;
    QVERIFY2(TestDb::exec(trigger, &error), qPrintable(error));
    QScopedPointer<ZrnPage> page(makePage(QStringLiteral("O podniku"), &m_anna));
    page->load(TreeRow::enterprise(kPodnik));
    type(page.data(), QStringLiteral("kontakt_telefon"), QStringLiteral("999"));
    MessageBoxAnswerer answerer;
    const bool saved = page->save();
    QVERIFY(TestDb::exec(QStringLiteral("drop trigger zrn_odmitnuti")));
    QVERIFY(!saved);
    QCOMPARE(answerer.messages.size(), 1);
    QVERIFY(page->isDirty());
    QCOMPARE(stored(QStringLiteral("O podniku"), QStringLiteral("KONTAKT_TELEFON")), QStringLiteral("111"));
    QCOMPARE(count(QStringLiteral("select count(*) from zrn_historie")), 0);
}

void TstTeamEdit::worksWithoutHistoryTable()
{
    QVERIFY(TestDb::exec(QStringLiteral("drop table zrn_historie")));
    QScopedPointer<ZrnPage> page(makePage(QStringLiteral("O podniku"), &m_anna));
    page->load(TreeRow::enterprise(kPodnik));
    type(page.data(), QStringLiteral("kontakt_telefon"), QStringLiteral("999"));
    QVERIFY(page->save());
    QCOMPARE(stored(QStringLiteral("O podniku"), QStringLiteral("KONTAKT_TELEFON")), QStringLiteral("999"));
    HistoryView view;
    view.showRow(QStringLiteral("tellmark_podniky"), kPodnik, m_anna.user);
    QVERIFY2(view.message().contains(QStringLiteral("není v této databázi nastavena")), qPrintable(view.message()));

    // Added to the existing database, without touching its rows.
    QString error;
    QVERIFY2(Schema::ensureExtras(&error), qPrintable(error));
    QVERIFY2(Schema::ensureExtras(&error), qPrintable(error));
    QCOMPARE(count(QStringLiteral("select count(*) from zrn_historie")), 0);
    QCOMPARE(stored(QStringLiteral("O podniku"), QStringLiteral("KONTAKT_TELEFON")), QStringLiteral("999"));
}

void TstTeamEdit::eventPane()
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
    QCOMPARE(count(QStringLiteral("select count(*) from tellmark_udalosti where predmet='Servis' and lokalita='Újezd'")), 1);
    QCOMPARE(count(QStringLiteral("select count(*) from zrn_historie where tabulka='tellmark_udalosti'")), 2);

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
    QCOMPARE(count(QStringLiteral("select count(*) from tellmark_udalosti where lokalita='Újezd'")), 1);
}

ZRN_TEST_MAIN(TstTeamEdit)
#include "tst_teamedit.moc"
