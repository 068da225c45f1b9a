// The centre pages against the database: "O středisku", "Specifikace",
// "Přístupy" and "GPS" load a centre, save what the user typed with the
// register's storage rules, and keep a failed save on screen.

#include "support/testdb.h"

#include "admin/portalaccesspage.h"
#include "core/session.h"
#include "db/database.h"
#include "register/gpspage.h"
#include "register/specifikace.h"
#include "register/specifikacepage.h"
#include "register/strediskopage.h"
#include "widgets/qf.h"
#include "widgets/qfdateedit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const int kPodnik = 7;
const int kCentre = 70;
const int kOtherCentre = 71;

QVariant dbValue(const QString &col, int id = kCentre, const QString &table = QStringLiteral("tellmark_strediska"))
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("select %1 from %2 where id=?").arg(col, table));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return QVariant(QStringLiteral("<no row>"));
    return q.value(0);
}

void setCentreColumn(const QString &col, const QVariant &value)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("update tellmark_strediska set %1=? where id=?").arg(col));
    q.addBindValue(value);
    q.addBindValue(kCentre);
    QVERIFY2(q.exec(), qPrintable(col));
}

// A stored value as text (MariaDB hands TEXT columns over as bytes; a DATE
// reads as its ISO text on both backends).
QString asText(const QVariant &v)
{
    return v.type() == QVariant::ByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
}

template <typename T>
T *child(QWidget *page, const char *name)
{
    return childNamed<T>(page, name);
}

QString shownText(QWidget *page, const char *name)
{
    if (auto *label = page->findChild<QLabel *>(QLatin1String(name)))
        return label->text();
    return child<QLineEdit>(page, name)->text();
}

// What the technology sheet shows for a column: the entry, the ISO date or the note.
QString sheetValue(const SpecifikacePage &page, const QString &col)
{
    if (QComboBox *cb = page.comboFor(col))
        return cb->currentText();
    if (QFDateEdit *date = page.dateFor(col))
        return date->date().toString(Qt::ISODate);
    QLineEdit *note = page.noteFor(col);
    return note ? note->text() : QStringLiteral("<no field>");
}

} // namespace

class TestCentrePages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init();

    void strediskoLoadFillsThePage();
    void strediskoSaveStoresText_data();
    void strediskoSaveStoresText();
    void strediskoSaveInstallationAndNotes();
    void strediskoRights_data();
    void strediskoRights();

    void specifikaceSavesEveryColumn();
    void specifikaceMatchesStoredTextIgnoringCase_data();
    void specifikaceMatchesStoredTextIgnoringCase();

    void pristupyRoundTrip();

    void gpsSavesTheCurrentRow_data();
    void gpsSavesTheCurrentRow();

    void failedSaveStaysOnScreen_data();
    void failedSaveStaysOnScreen();
    void failedReadLeavesNothingToSave_data();
    void failedReadLeavesNothingToSave();

private:
    Session m_session;
};

void TestCentrePages::init()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    for (const QString &sql : {
             QStringLiteral("insert into tellmark_holding(id,nazev_holding) values(3,'Holding Jih')"),
             QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,id_holding,GPS) "
                            "values(%1,'Český statek s.r.o.',3,'49.1,14.1')").arg(kPodnik),
             QStringLiteral(
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,spusteni,DRUHE_SKOLENI,"
                 "UPDATE_OMEZEN,PODNIK_JMENO,PODNIK_TELEFON,PODNIK_EMAIL,ICO,DB_UUID,hospodarstvi,poznamkovy_blok,GPS,"
                 "CLOUD_CISLO,VERZE_PROGRAMU,AKTUALIZOVANO,POCET_AKTUALIZACI,POCET_KUSU,POCET_KRAV,POCET_OBOJKU,SKU_DATUM,"
                 "SKU_DOJNIC,SKU_STUPEN,EAGRI_UZIVATEL,EAGRI_HESLO) values(%1,%2,'Farma Lhota',1234,'2021-03-04',"
                 "'2021-05-06',0,'Jan Novák','777 111 222','jan@lhota.cz','12345678','uuid-1','CZ1234',"
                 "'Poznámka střediska','49.2,14.2','cloud-9','5.1.2','2024-02-03 10:11:12',42,300,150,140,'2024-01-31',"
                 "149,'A','eagri-jan','tajne')").arg(kCentre).arg(kPodnik),
             // The other centre has UPDATE_OMEZEN NULL.
             QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,EAGRI_UZIVATEL) "
                            "values(%1,%2,'Kravín Újezd','jiny')").arg(kOtherCentre).arg(kPodnik)})
        QVERIFY2(TestDb::exec(sql, &error), qPrintable(error));
    m_session.user = UserRights();
    m_session.user.os = 2;
    m_session.setSelection(kPodnik, kCentre);
}

void TestCentrePages::strediskoLoadFillsThePage()
{
    StrediskoPage page(&m_session);
    page.load(kCentre);
    const QVector<QPair<const char *, QString>> shown = {
        {"stredisko_holding", "Holding Jih"}, {"stredisko_podnik", "Český statek s.r.o."},
        {"stredisko_nazev", "Farma Lhota"}, {"stredisko_licence", "1234"}, {"stredisko_kontakt", "Jan Novák"},
        {"stredisko_ico", "12345678"}, {"stredisko_hospodarstvi", "CZ1234"}, {"stredisko_db_uuid", "uuid-1"},
        {"stredisko_cloud_id", "cloud-9"}, {"stredisko_verze", "5.1.2"},
        {"stredisko_pocet_spusteni", Qf::formatDate(QDate(2024, 2, 3)) + " / 42"},
        {"stredisko_pocty", "300 / 150 / 140"}, {"stredisko_ku", Qf::formatDate(QDate(2024, 1, 31)) + " / 149 / A"}};
    for (const auto &field : shown)
        QCOMPARE(shownText(&page, field.first), field.second);
    QCOMPARE(child<QFDateEdit>(&page, "stredisko_spusteni")->date(), QDate(2021, 3, 4));
    QCOMPARE(child<QFDateEdit>(&page, "stredisko_druhe_skoleni")->date(), QDate(2021, 5, 6));
    QVERIFY(child<QCheckBox>(&page, "stredisko_aktualizace")->isChecked());   // UPDATE_OMEZEN 0
    QCOMPARE(page.notesEditor()->toPlainText(), QStringLiteral("Poznámka střediska"));
    QVERIFY(!page.saveButton()->isEnabled());

    // Another centre replaces everything; a centre that is gone empties the page.
    page.load(kOtherCentre);
    QCOMPARE(shownText(&page, "stredisko_nazev"), QStringLiteral("Kravín Újezd"));
    QCOMPARE(shownText(&page, "stredisko_licence"), QString());
    QCOMPARE(child<QFDateEdit>(&page, "stredisko_spusteni")->date(), QDate());
    QVERIFY(child<QCheckBox>(&page, "stredisko_aktualizace")->isChecked());   // NULL: updates allowed
    page.load(999);
    QCOMPARE(shownText(&page, "stredisko_nazev"), QString());
}

void TestCentrePages::strediskoSaveStoresText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("col");
    QTest::addColumn<QVariant>("stored");   // invalid: NULL; the page shows it again after a reload

    const QVariant null;
    QTest::newRow("contact") << "stredisko_kontakt" << "Eva Malá" << "PODNIK_JMENO" << QVariant("Eva Malá");
    QTest::newRow("contact empty") << "stredisko_kontakt" << "" << "PODNIK_JMENO" << null;
    QTest::newRow("ico groups") << "stredisko_ico" << "123 45 678" << "ICO" << QVariant("12345678");
    QTest::newRow("ico only spaces") << "stredisko_ico" << "   " << "ICO" << null;
    QTest::newRow("holding number") << "stredisko_hospodarstvi" << "CZ 11 22" << "hospodarstvi" << QVariant("CZ1122");
    QTest::newRow("licence") << "stredisko_licence" << "4711" << "licence_cislo" << QVariant(4711);
    QTest::newRow("licence 0") << "stredisko_licence" << "0" << "licence_cislo" << null;
    QTest::newRow("licence negative") << "stredisko_licence" << "-3" << "licence_cislo" << null;
    QTest::newRow("licence empty") << "stredisko_licence" << "" << "licence_cislo" << null;
    QTest::newRow("licence not a number") << "stredisko_licence" << "12.5" << "licence_cislo" << null;
}

void TestCentrePages::strediskoSaveStoresText()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, col);
    QFETCH(QVariant, stored);

    StrediskoPage page(&m_session);
    page.load(kCentre);
    page.findChild<QLineEdit *>(field)->setText(typed);
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    const QVariant db = dbValue(col);
    if (!stored.isValid())
        QVERIFY2(db.isNull(), qPrintable(asText(db)));
    else
        QCOMPARE(asText(db), stored.toString());

    StrediskoPage fresh(&m_session);
    fresh.load(kCentre);
    QCOMPARE(fresh.findChild<QLineEdit *>(field)->text(), stored.toString());
    // The other columns of the page are written back as they were.
    QCOMPARE(asText(dbValue(QStringLiteral("PODNIK_JMENO"))),
             col == QLatin1String("PODNIK_JMENO") ? asText(db) : QStringLiteral("Jan Novák"));
}

void TestCentrePages::strediskoSaveInstallationAndNotes()
{
    StrediskoPage page(&m_session);
    QSignalSpy saved(&page, &StrediskoPage::centreSaved);
    page.load(kCentre);
    // Each kind of field alone enables "Uložit" and is stored.
    const auto saveAfter = [&page](const std::function<void()> &edit) {
        edit();
        QVERIFY(page.saveButton()->isEnabled());
        page.saveButton()->click();
        QVERIFY(!page.saveButton()->isEnabled());
    };
    saveAfter([&] { child<QLineEdit>(&page, "stredisko_licence")->setText(QStringLiteral("abc")); });
    saveAfter([&] { child<QFDateEdit>(&page, "stredisko_spusteni")->setDate(QDate(2023, 9, 1)); });
    saveAfter([&] { child<QFDateEdit>(&page, "stredisko_druhe_skoleni")->setDate(QDate()); });
    saveAfter([&] { child<QCheckBox>(&page, "stredisko_aktualizace")->setChecked(false); });
    saveAfter([&] { page.notesEditor()->setHtml(QStringLiteral("<p><b>Tučně</b> a dál</p>")); });

    // The tree refreshes its row with the licence as typed, even one the
    // database stores as NULL.
    QCOMPARE(saved.count(), 5);
    QCOMPARE(saved.last().at(0).toInt(), kCentre);
    QCOMPARE(saved.last().at(1).toString(), QStringLiteral("abc"));
    QCOMPARE(saved.last().at(2).toDate(), QDate(2023, 9, 1));
    QVERIFY(dbValue(QStringLiteral("licence_cislo")).isNull());
    QCOMPARE(asText(dbValue(QStringLiteral("spusteni"))).left(10), QStringLiteral("2023-09-01"));
    QVERIFY(dbValue(QStringLiteral("DRUHE_SKOLENI")).isNull());
    QCOMPARE(dbValue(QStringLiteral("UPDATE_OMEZEN")).toInt(), 1);
    const QString notes = asText(dbValue(QStringLiteral("poznamkovy_blok")));
    QVERIFY(notes.contains(QStringLiteral("<meta name=\"qrichtext\" content=\"1\" /><meta http-equiv=\"Content-Type\" "
                                          "content=\"text/html; charset=UTF-8\" />")));
    QVERIFY(notes.contains(QStringLiteral("Tučně")));

    StrediskoPage fresh(&m_session);
    fresh.load(kCentre);
    QCOMPARE(child<QFDateEdit>(&fresh, "stredisko_spusteni")->date(), QDate(2023, 9, 1));
    QCOMPARE(child<QFDateEdit>(&fresh, "stredisko_druhe_skoleni")->date(), QDate());
    QVERIFY(!child<QCheckBox>(&fresh, "stredisko_aktualizace")->isChecked());
    QCOMPARE(fresh.notesEditor()->toPlainText(), QStringLiteral("Tučně a dál"));
    QVERIFY(fresh.notesEditor()->document()->toHtml().contains(QStringLiteral("font-weight:600")));

    // Ticking "Aktualizace" again lifts the restriction.
    child<QCheckBox>(&fresh, "stredisko_aktualizace")->setChecked(true);
    fresh.saveButton()->click();
    QCOMPARE(dbValue(QStringLiteral("UPDATE_OMEZEN")).toInt(), 0);
}

void TestCentrePages::strediskoRights_data()
{
    QTest::addColumn<int>("techCteni");
    QTest::addColumn<int>("os");
    QTest::addColumn<QString>("visibleButtons");
    QTest::newRow("tech 0, os 2") << 0 << 2 << "stredisko_edit stredisko_del";
    QTest::newRow("tech 1, os 1: no delete") << 1 << 1 << "stredisko_edit";
    QTest::newRow("tech 1, os 0: no maintenance") << 1 << 0 << "";
}

void TestCentrePages::strediskoRights()
{
    QFETCH(int, techCteni);
    QFETCH(int, os);
    QFETCH(QString, visibleButtons);
    const bool locked = techCteni == 1;

    m_session.user.stredisko_tech_cteni = techCteni;
    m_session.user.os = os;
    StrediskoPage page(&m_session);
    page.applyRights();
    page.load(kCentre);

    // Exactly the installation data is locked, nothing else here nor on the technology sheet.
    const QStringList installation = {"stredisko_db_uuid", "stredisko_licence", "stredisko_spusteni",
                                      "stredisko_druhe_skoleni"};
    for (QLineEdit *e : page.findChildren<QLineEdit *>(QRegularExpression("^stredisko_")))
        QVERIFY2(e->isReadOnly() == (locked && installation.contains(e->objectName())), qPrintable(e->objectName()));
    for (QFDateEdit *e : page.findChildren<QFDateEdit *>())
        QVERIFY2(e->isReadOnly() == (locked && installation.contains(e->objectName())), qPrintable(e->objectName()));
    auto *flag = child<QCheckBox>(&page, "stredisko_aktualizace");
    QCOMPARE(flag->testAttribute(Qt::WA_TransparentForMouseEvents), locked);
    QCOMPARE(flag->focusPolicy() == Qt::NoFocus, locked);
    QVERIFY(flag->isEnabled());
    QVERIFY(!page.notesEditor()->isReadOnly());
    SpecifikacePage sheet(&m_session);
    sheet.applyRights();
    sheet.load(kCentre);
    for (QComboBox *cb : sheet.findChildren<QComboBox *>())
        QVERIFY2(cb->isEnabled(), qPrintable(cb->objectName()));
    for (QLineEdit *e : sheet.findChildren<QLineEdit *>())
        QVERIFY2(!e->isReadOnly(), qPrintable(e->objectName()));

    // Contacts stay editable and saveable under the lock.
    child<QLineEdit>(&page, "stredisko_kontakt")->setText(QStringLiteral("Nový kontakt"));
    QVERIFY(page.save());
    QCOMPARE(asText(dbValue(QStringLiteral("PODNIK_JMENO"))), QStringLiteral("Nový kontakt"));
    QCOMPARE(dbValue(QStringLiteral("licence_cislo")).toInt(), 1234);

    QStringList shown;
    for (QAbstractButton *b : {page.editButton(), page.deleteButton()})
        if (!b->isHidden())
            shown << b->objectName();
    QCOMPARE(shown.join(QLatin1Char(' ')), visibleButtons);
}

void TestCentrePages::specifikaceSavesEveryColumn()
{
    SpecifikacePage page(&m_session);
    page.load(kCentre);
    QVERIFY(!page.saveButton()->isEnabled());

    // Every code list gets its last entry (SAKB: "Ukončeno"), every date and
    // note a value of its own; each of them is a column the update writes.
    const QStringList written = Specifikace::columns();
    QStringList edited = Specifikace::codeListColumns();
    for (const QString &col : edited)
        page.comboFor(col)->setCurrentIndex(page.comboFor(col)->count() - 1);
    int day = 1;
    for (const Specifikace::Row &row : Specifikace::rows()) {
        if (row.kind == Specifikace::Kind::Date) {
            page.dateFor(row.column)->setDate(QDate(2019, 4, day++));
            edited << row.column;
        }
        page.noteFor(row.note)->setText("pozn. " + row.note);
        edited << row.note;
    }
    for (const QString &col : edited)
        QVERIFY2(written.contains(col), qPrintable(col));
    page.notesEditor()->setPlainText(QStringLiteral("Technologie"));
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    // Each column the update writes holds what the page showed and shows it again.
    SpecifikacePage fresh(&m_session);
    fresh.load(kCentre);
    for (const QString &col : Specifikace::columns()) {
        if (col == Specifikace::NotesColumn)
            continue;
        const QString shown = sheetValue(page, col);
        QVERIFY2(!shown.isEmpty() && shown != QStringLiteral("Neurčeno"), qPrintable(col));
        const QString db = asText(dbValue(col));
        QCOMPARE(page.dateFor(col) ? db.left(10) : db, shown);
        QCOMPARE(sheetValue(fresh, col), shown);
    }
    QCOMPARE(asText(dbValue(QStringLiteral("SAKB"))), QStringLiteral("Ukončeno"));
    QVERIFY(asText(dbValue(Specifikace::NotesColumn)).contains(QStringLiteral("charset=UTF-8")));
    QCOMPARE(fresh.notesEditor()->toPlainText(), QStringLiteral("Technologie"));
    QVERIFY(!fresh.saveButton()->isEnabled());
    // The centre page's columns are not touched, nor is the other centre.
    QCOMPARE(asText(dbValue(QStringLiteral("PODNIK_JMENO"))), QStringLiteral("Jan Novák"));
    QVERIFY(dbValue(QStringLiteral("SSW"), kOtherCentre).isNull());

    // "Neurčeno", an empty note and no date are stored as NULL.
    for (const QString &col : Specifikace::codeListColumns())
        fresh.comboFor(col)->setCurrentIndex(0);
    for (const Specifikace::Row &row : Specifikace::rows()) {
        fresh.noteFor(row.note)->clear();
        if (row.kind == Specifikace::Kind::Date)
            fresh.dateFor(row.column)->setDate(QDate());
    }
    QVERIFY(fresh.save());
    for (const QString &col : Specifikace::columns())
        QVERIFY2(col == Specifikace::NotesColumn || dbValue(col).isNull(), qPrintable(col));
}

void TestCentrePages::specifikaceMatchesStoredTextIgnoringCase_data()
{
    QTest::addColumn<QString>("col");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");   // saved back unchanged; "Neurčeno" as NULL
    QTest::newRow("capitals with accents") << "SID" << "ŽÁDNÁ" << "Žádná";
    QTest::newRow("second list") << "SIDT" << "noha" << "Noha";
    QTest::newRow("AKB") << "SAKB" << "ukončeno" << "Ukončeno";
    QTest::newRow("unknown value") << "SSW" << "Jiný program" << "Neurčeno";
    QTest::newRow("AKB unknown") << "SAKB" << "snad" << "Neurčeno";
    QTest::newRow("trailing blank is no match") << "SDOJ" << "Lely " << "Neurčeno";
    QTest::newRow("stored Neurčeno") << "SKU" << "neurčeno" << "Neurčeno";
}

void TestCentrePages::specifikaceMatchesStoredTextIgnoringCase()
{
    QFETCH(QString, col);
    QFETCH(QString, stored);
    QFETCH(QString, shown);

    setCentreColumn(col, stored);
    SpecifikacePage page(&m_session);
    page.load(kCentre);
    QCOMPARE(page.comboFor(col)->currentText(), shown);
    QVERIFY(!page.saveButton()->isEnabled());
    QVERIFY(page.save());
    const QVariant db = dbValue(col);
    if (shown == QStringLiteral("Neurčeno"))
        QVERIFY2(db.isNull(), qPrintable(asText(db)));
    else
        QCOMPARE(asText(db), shown);
}

void TestCentrePages::pristupyRoundTrip()
{
    PortalAccessPage page(&m_session);
    page.load(kCentre);
    QCOMPARE(page.eagriJmeno()->text(), QStringLiteral("eagri-jan"));
    QCOMPARE(page.eagriHeslo()->text(), QStringLiteral("tajne"));
    QCOMPARE(page.eskotJmeno()->text(), QString());
    QVERIFY(!page.saveButton()->isEnabled());

    page.eskotJmeno()->setText(QStringLiteral("skot-jan"));
    page.eskotHeslo()->setText(QStringLiteral("h'eslo; --"));
    page.eagriHeslo()->clear();
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    QCOMPARE(asText(dbValue(QStringLiteral("EAGRI_UZIVATEL"))), QStringLiteral("eagri-jan"));
    QVERIFY(dbValue(QStringLiteral("EAGRI_HESLO")).isNull());
    QCOMPARE(asText(dbValue(QStringLiteral("KU_CMSCH_UZIVATEL"))), QStringLiteral("skot-jan"));
    QCOMPARE(asText(dbValue(QStringLiteral("KU_CMSCH_HESLO"))), QStringLiteral("h'eslo; --"));
    QCOMPARE(asText(dbValue(QStringLiteral("EAGRI_UZIVATEL"), kOtherCentre)), QStringLiteral("jiny"));

    PortalAccessPage fresh(&m_session);
    fresh.load(kCentre);
    QCOMPARE(fresh.eskotHeslo()->text(), QStringLiteral("h'eslo; --"));
    QCOMPARE(fresh.eagriHeslo()->text(), QString());
}

void TestCentrePages::gpsSavesTheCurrentRow_data()
{
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QString>("typed");
    QTest::newRow("enterprise") << false << "50.0,15.0";
    QTest::newRow("centre") << true << "48.5,16.5";
    QTest::newRow("enterprise emptied") << false << "";
    QTest::newRow("centre emptied") << true << "";
}

void TestCentrePages::gpsSavesTheCurrentRow()
{
    QFETCH(bool, centre);
    QFETCH(QString, typed);

    GpsPage page(&m_session);
    page.load(TreeRow::of(kPodnik, centre ? QVariant(kCentre) : QVariant()));
    QCOMPARE(page.coordinatesEdit()->text(), centre ? QStringLiteral("49.2,14.2") : QStringLiteral("49.1,14.1"));
    QVERIFY(!page.saveButton()->isEnabled());
    QVERIFY(!page.hasMapView());

    page.coordinatesEdit()->setText(typed);
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    const QVariant podnikGps = dbValue(QStringLiteral("GPS"), kPodnik, QStringLiteral("tellmark_podniky"));
    const QVariant centreGps = dbValue(QStringLiteral("GPS"));
    const QVariant written = centre ? centreGps : podnikGps;
    if (typed.isEmpty())
        QVERIFY(written.isNull());
    else
        QCOMPARE(written.toString(), typed);
    QCOMPARE((centre ? podnikGps : centreGps).toString(), centre ? QStringLiteral("49.1,14.1") : QStringLiteral("49.2,14.2"));
    QVERIFY(dbValue(QStringLiteral("GPS"), kOtherCentre).isNull());
}

void TestCentrePages::failedSaveStaysOnScreen_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("O středisku") << 0;
    QTest::newRow("Specifikace") << 1;
    QTest::newRow("Přístupy") << 2;
    QTest::newRow("GPS") << 3;
}

void TestCentrePages::failedSaveStaysOnScreen()
{
    QFETCH(int, kind);
    StrediskoPage stredisko(&m_session);
    SpecifikacePage specifikace(&m_session);
    PortalAccessPage pristupy(&m_session);
    GpsPage gps(&m_session);
    ZrnPage *page = QVector<ZrnPage *>{&stredisko, &specifikace, &pristupy, &gps}.at(kind);
    QAbstractButton *button = QVector<QAbstractButton *>{stredisko.saveButton(), specifikace.saveButton(),
                                                         pristupy.saveButton(), gps.saveButton()}.at(kind);
    page->load(TreeRow::centre(kCentre));
    if (kind == 0)
        child<QLineEdit>(page, "stredisko_kontakt")->setText(QStringLiteral("x"));
    else if (kind == 1)
        specifikace.comboFor(QStringLiteral("SST"))->setCurrentIndex(2);
    else if (kind == 2)
        pristupy.eagriJmeno()->setText(QStringLiteral("x"));
    else
        gps.coordinatesEdit()->setText(QStringLiteral("1,2"));
    QVERIFY(button->isEnabled());

    // The table is gone while saving: the database refuses the update.
    QString error;
    QVERIFY2(TestDb::exec(QStringLiteral("alter table tellmark_strediska rename to tellmark_strediska_pryc"), &error),
             qPrintable(error));
    MessageBoxAnswerer answerer;
    button->click();
    QVERIFY2(TestDb::exec(QStringLiteral("alter table tellmark_strediska_pryc rename to tellmark_strediska"), &error),
             qPrintable(error));

    QCOMPARE(answerer.messages.size(), 1);
    const QString text = answerer.messages.first();
    QVERIFY2(text.startsWith(QStringLiteral("ZRN Chyba: ")) && text.size() > 12, qPrintable(text));
    QVERIFY(button->isEnabled());
    QVERIFY(page->isDirty());

    // The edit is still there and the next press stores it.
    button->click();
    QVERIFY(!button->isEnabled());
    QVERIFY(!page->isDirty());
}

void TestCentrePages::failedReadLeavesNothingToSave_data()
{
    failedSaveStaysOnScreen_data();
}

void TestCentrePages::failedReadLeavesNothingToSave()
{
    QFETCH(int, kind);
    StrediskoPage stredisko(&m_session);
    SpecifikacePage specifikace(&m_session);
    PortalAccessPage pristupy(&m_session);
    GpsPage gps(&m_session);
    ZrnPage *page = QVector<ZrnPage *>{&stredisko, &specifikace, &pristupy, &gps}.at(kind);
    QAbstractButton *button = QVector<QAbstractButton *>{stredisko.saveButton(), specifikace.saveButton(),
                                                         pristupy.saveButton(), gps.saveButton()}.at(kind);
    QLineEdit *field = QVector<QLineEdit *>{child<QLineEdit>(page, "stredisko_kontakt"),
                                            specifikace.noteFor(QStringLiteral("SSTP")), pristupy.eagriJmeno(),
                                            gps.coordinatesEdit()}.at(kind);
    auto storedRow = [] {
        return asText(dbValue(QStringLiteral("PODNIK_JMENO"))) + QLatin1Char('|') + asText(dbValue(QStringLiteral("SSTP")))
            + QLatin1Char('|') + asText(dbValue(QStringLiteral("EAGRI_UZIVATEL"))) + QLatin1Char('|')
            + asText(dbValue(QStringLiteral("GPS")));
    };
    const QString before = storedRow();
    page->show();
    page->load(TreeRow::centre(kCentre));
    QVERIFY(page->hasRow());
    QVERIFY(field->isEnabled());

    QString error;
    QVERIFY2(TestDb::exec(QStringLiteral("alter table tellmark_strediska rename to tellmark_strediska_pryc"), &error),
             qPrintable(error));
    {
        MessageBoxAnswerer answerer;
        page->load(TreeRow::centre(kCentre));
        QVERIFY2(TestDb::exec(QStringLiteral("alter table tellmark_strediska_pryc rename to tellmark_strediska"), &error),
                 qPrintable(error));
        // Told once, with the database's reason.
        QCOMPARE(answerer.messages.size(), 1);
        QVERIFY2(answerer.messages.first().startsWith(QStringLiteral("ZRN Chyba: údaje nelze načíst.")),
                 qPrintable(answerer.messages.first()));
        QVERIFY2(answerer.messages.first().contains(QStringLiteral("tellmark_strediska"), Qt::CaseInsensitive),
                 qPrintable(answerer.messages.first()));
    }
    // Empty, not editable, nothing to save: typing cannot enable "Uložit".
    QVERIFY(!page->hasRow());
    QVERIFY(field->text().isEmpty());
    QVERIFY(!field->isEnabled());
    field->setText(QStringLiteral("přes prázdnou stránku"));
    QVERIFY(!button->isEnabled());
    QVERIFY(!page->isDirty());
    QVERIFY(page->save());
    QCOMPARE(storedRow(), before);

    // The next read works and unlocks the page.
    page->load(TreeRow::centre(kCentre));
    QVERIFY(page->hasRow());
    QVERIFY(field->isEnabled());
    QVERIFY(field->text() != QStringLiteral("přes prázdnou stránku"));
}

ZRN_TEST_MAIN(TestCentrePages)
#include "tst_centrepages.moc"
