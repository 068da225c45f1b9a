// The centre pages against the database: "O středisku", "Specifikace",
// "Přístupy" and "GPS" load a centre, save what the user typed with the
// register's storage rules, and keep a failed save on screen.

#include "support/testdb.h"

#include "admin/pristupypage.h"
#include "app/session.h"
#include "db/database.h"
#include "register/documentfolders.h"
#include "register/gpspage.h"
#include "register/specifikace.h"
#include "register/specifikacepage.h"
#include "register/strediskopage.h"
#include "widgets/qf.h"
#include "widgets/qfdateedit.h"

#include <QAbstractButton>
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

namespace {

const int kPodnik = 7;
const int kCentre = 70;
const int kOtherCentre = 71;

QVariant column(const QString &table, const QString &col, int id)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("select %1 from %2 where id=?").arg(col, table));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return QVariant(QStringLiteral("<no row>"));
    return q.value(0);
}

QVariant centreColumn(const QString &col, int id = kCentre)
{
    return column(QStringLiteral("tellmark_strediska"), col, id);
}

void setCentreColumn(const QString &col, const QVariant &value, int id = kCentre)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("update tellmark_strediska set %1=? where id=?").arg(col));
    q.addBindValue(value);
    q.addBindValue(id);
    QVERIFY2(q.exec(), qPrintable(col));
}

QString asText(const QVariant &v)
{
    if (v.type() == QVariant::ByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

QDate asDate(const QVariant &v)
{
    if (v.type() == QVariant::Date || v.type() == QVariant::DateTime)
        return v.toDate();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

// Answers the next message box and remembers what it said.
struct MessageCatcher {
    QString title;
    QString text;
    void arm()
    {
        QTimer::singleShot(0, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
            }
        });
    }
};

template <typename T>
T *child(QWidget *page, const char *name)
{
    T *w = page->findChild<T *>(QLatin1String(name));
    if (!w)
        qWarning("no widget %s", name);
    return w;
}

} // namespace

class TestCentrePages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init();

    void strediskoLoadFillsThePage();
    void strediskoUpdateFlagShowsInverse_data();
    void strediskoUpdateFlagShowsInverse();
    void strediskoSaveStoresText_data();
    void strediskoSaveStoresText();
    void strediskoSaveDatesFlagAndNotes();
    void strediskoSaveButtonFollowsEdits();
    void strediskoSavedSignalCarriesLicenceAndStart();
    void strediskoRights_data();
    void strediskoRights();
    void strediskoFilesOpenTheEnterpriseFolder();

    void specifikaceSavesEveryColumn();
    void specifikaceEmptyPageStoresNull();
    void specifikaceMatchesStoredTextIgnoringCase_data();
    void specifikaceMatchesStoredTextIgnoringCase();
    void specifikaceStaysEditableForReadOnlyRight();

    void pristupyRoundTrip();
    void pristupyReloadReplacesEdits();

    void gpsSavesTheCurrentRow_data();
    void gpsSavesTheCurrentRow();

    void failedSaveStaysOnScreen_data();
    void failedSaveStaysOnScreen();

private:
    Session m_session;
};

void TestCentrePages::init()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_holding(id,nazev_holding) values(3,'Holding Jih')"), &error));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,id_holding,GPS) "
                                         "values(%1,'Český statek s.r.o.',3,'49.1,14.1')").arg(kPodnik), &error),
             qPrintable(error));
    QVERIFY2(TestDb::exec(QStringLiteral(
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,spusteni,DRUHE_SKOLENI,UPDATE_OMEZEN,"
        "PODNIK_JMENO,PODNIK_TELEFON,PODNIK_EMAIL,ICO,DB_UUID,hospodarstvi,poznamkovy_blok,GPS,CLOUD_CISLO,"
        "VERZE_PROGRAMU,AKTUALIZOVANO,POCET_AKTUALIZACI,POCET_KUSU,POCET_KRAV,POCET_OBOJKU,SKU_DATUM,SKU_DOJNIC,"
        "SKU_STUPEN,EAGRI_UZIVATEL,EAGRI_HESLO) values(%1,%2,'Farma Lhota',1234,'2021-03-04','2021-05-06',0,"
        "'Jan Novák','777 111 222','jan@lhota.cz','12345678','uuid-1','CZ1234','Poznámka střediska','49.2,14.2',"
        "'cloud-9','5.1.2','2024-02-03 10:11:12',42,300,150,140,'2024-01-31',149,'A','eagri-jan','tajne')")
                              .arg(kCentre).arg(kPodnik), &error),
             qPrintable(error));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,EAGRI_UZIVATEL) "
                                         "values(%1,%2,'Kravín Újezd','jiny')").arg(kOtherCentre).arg(kPodnik), &error),
             qPrintable(error));
    m_session.user = UserRights();
    m_session.user.os = 2;
    m_session.setSelection(kPodnik, kCentre);
}

void TestCentrePages::strediskoLoadFillsThePage()
{
    StrediskoPage page(&m_session);
    page.load();
    QCOMPARE(child<QLabel>(&page, "stredisko_holding")->text(), QStringLiteral("Holding Jih"));
    QCOMPARE(child<QLabel>(&page, "stredisko_podnik")->text(), QStringLiteral("Český statek s.r.o."));
    QCOMPARE(child<QLabel>(&page, "stredisko_nazev")->text(), QStringLiteral("Farma Lhota"));
    QCOMPARE(child<QLineEdit>(&page, "stredisko_licence")->text(), QStringLiteral("1234"));
    QCOMPARE(child<QLineEdit>(&page, "stredisko_kontakt")->text(), QStringLiteral("Jan Novák"));
    QCOMPARE(child<QLineEdit>(&page, "stredisko_ico")->text(), QStringLiteral("12345678"));
    QCOMPARE(child<QLineEdit>(&page, "stredisko_hospodarstvi")->text(), QStringLiteral("CZ1234"));
    QCOMPARE(child<QLineEdit>(&page, "stredisko_db_uuid")->text(), QStringLiteral("uuid-1"));
    QCOMPARE(child<QLabel>(&page, "stredisko_cloud_id")->text(), QStringLiteral("cloud-9"));
    QCOMPARE(child<QLabel>(&page, "stredisko_verze")->text(), QStringLiteral("5.1.2"));
    QCOMPARE(child<QLabel>(&page, "stredisko_pocet_spusteni")->text(),
             Qf::formatDate(QDate(2024, 2, 3)) + QStringLiteral(" / 42"));
    QCOMPARE(child<QLabel>(&page, "stredisko_pocty")->text(), QStringLiteral("300 / 150 / 140"));
    QCOMPARE(child<QLabel>(&page, "stredisko_ku")->text(), Qf::formatDate(QDate(2024, 1, 31)) + QStringLiteral(" / 149 / A"));
    QCOMPARE(child<QFDateEdit>(&page, "stredisko_spusteni")->date(), QDate(2021, 3, 4));
    QCOMPARE(child<QFDateEdit>(&page, "stredisko_druhe_skoleni")->date(), QDate(2021, 5, 6));
    QCOMPARE(page.notesEditor()->toPlainText(), QStringLiteral("Poznámka střediska"));
    QVERIFY(!page.saveButton()->isEnabled());
    QVERIFY(!page.isDirty());

    // Another centre replaces everything; a centre that is gone empties the page.
    m_session.setSelection(kPodnik, kOtherCentre);
    page.load();
    QCOMPARE(child<QLabel>(&page, "stredisko_nazev")->text(), QStringLiteral("Kravín Újezd"));
    QCOMPARE(child<QLineEdit>(&page, "stredisko_licence")->text(), QString());
    QCOMPARE(child<QFDateEdit>(&page, "stredisko_spusteni")->date(), QDate());
    m_session.setSelection(kPodnik, 999);
    page.load();
    QCOMPARE(child<QLabel>(&page, "stredisko_nazev")->text(), QString());
}

void TestCentrePages::strediskoUpdateFlagShowsInverse_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("ticked");
    QTest::newRow("0: updates allowed") << QVariant(0) << true;
    QTest::newRow("1: restricted") << QVariant(1) << false;
    QTest::newRow("NULL: allowed") << QVariant(QVariant::Int) << true;
}

void TestCentrePages::strediskoUpdateFlagShowsInverse()
{
    QFETCH(QVariant, stored);
    QFETCH(bool, ticked);
    setCentreColumn(QStringLiteral("UPDATE_OMEZEN"), stored);
    StrediskoPage page(&m_session);
    page.load();
    QCOMPARE(child<QCheckBox>(&page, "stredisko_aktualizace")->isChecked(), ticked);
}

void TestCentrePages::strediskoSaveStoresText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("col");
    QTest::addColumn<QVariant>("stored");   // invalid: NULL
    QTest::addColumn<QString>("reloaded");

    const QVariant null;
    QTest::newRow("contact") << "stredisko_kontakt" << "Eva Malá" << "PODNIK_JMENO" << QVariant("Eva Malá") << "Eva Malá";
    QTest::newRow("contact empty") << "stredisko_kontakt" << "" << "PODNIK_JMENO" << null << "";
    QTest::newRow("telephone") << "stredisko_telefon" << "+420 1" << "PODNIK_TELEFON" << QVariant("+420 1") << "+420 1";
    QTest::newRow("telephone empty") << "stredisko_telefon" << "" << "PODNIK_TELEFON" << null << "";
    QTest::newRow("email") << "stredisko_email" << "a@b.cz" << "PODNIK_EMAIL" << QVariant("a@b.cz") << "a@b.cz";
    QTest::newRow("email empty") << "stredisko_email" << "" << "PODNIK_EMAIL" << null << "";
    QTest::newRow("db uuid") << "stredisko_db_uuid" << "x-y" << "DB_UUID" << QVariant("x-y") << "x-y";
    QTest::newRow("db uuid empty") << "stredisko_db_uuid" << "" << "DB_UUID" << null << "";
    QTest::newRow("ico groups") << "stredisko_ico" << "123 45 678" << "ICO" << QVariant("12345678") << "12345678";
    QTest::newRow("ico line break") << "stredisko_ico" << "123\n456" << "ICO" << QVariant("123456") << "123456";
    QTest::newRow("ico only spaces") << "stredisko_ico" << "   " << "ICO" << null << "";
    QTest::newRow("holding number") << "stredisko_hospodarstvi" << "CZ 11 22" << "hospodarstvi" << QVariant("CZ1122") << "CZ1122";
    QTest::newRow("holding number blank") << "stredisko_hospodarstvi" << " " << "hospodarstvi" << null << "";
    QTest::newRow("licence") << "stredisko_licence" << "4711" << "licence_cislo" << QVariant(4711) << "4711";
    QTest::newRow("licence 0") << "stredisko_licence" << "0" << "licence_cislo" << null << "";
    QTest::newRow("licence negative") << "stredisko_licence" << "-3" << "licence_cislo" << null << "";
    QTest::newRow("licence empty") << "stredisko_licence" << "" << "licence_cislo" << null << "";
    QTest::newRow("licence not a number") << "stredisko_licence" << "12a" << "licence_cislo" << null << "";
}

void TestCentrePages::strediskoSaveStoresText()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, col);
    QFETCH(QVariant, stored);
    QFETCH(QString, reloaded);

    StrediskoPage page(&m_session);
    page.load();
    auto *edit = page.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setText(typed);
    QVERIFY(page.saveButton()->isEnabled());
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    const QVariant db = centreColumn(col);
    if (!stored.isValid())
        QVERIFY2(db.isNull(), qPrintable(asText(db)));
    else
        QCOMPARE(asText(db), stored.toString());

    StrediskoPage fresh(&m_session);
    fresh.load();
    QCOMPARE(fresh.findChild<QLineEdit *>(field)->text(), reloaded);
    // The other columns of the page are written back as they were.
    QCOMPARE(asText(centreColumn(QStringLiteral("PODNIK_JMENO"))),
             col == QLatin1String("PODNIK_JMENO") ? asText(db) : QStringLiteral("Jan Novák"));
}

void TestCentrePages::strediskoSaveDatesFlagAndNotes()
{
    StrediskoPage page(&m_session);
    page.load();
    child<QFDateEdit>(&page, "stredisko_spusteni")->setDate(QDate(2023, 9, 1));
    child<QFDateEdit>(&page, "stredisko_druhe_skoleni")->setDate(QDate());
    child<QCheckBox>(&page, "stredisko_aktualizace")->setChecked(false);
    page.notesEditor()->setHtml(QStringLiteral("<p><b>Tučně</b> a dál</p>"));
    page.saveButton()->click();

    QCOMPARE(asDate(centreColumn(QStringLiteral("spusteni"))), QDate(2023, 9, 1));
    QVERIFY(centreColumn(QStringLiteral("DRUHE_SKOLENI")).isNull());
    QCOMPARE(centreColumn(QStringLiteral("UPDATE_OMEZEN")).toInt(), 1);
    const QString notes = asText(centreColumn(QStringLiteral("poznamkovy_blok")));
    QVERIFY(notes.contains(QStringLiteral("<meta name=\"qrichtext\" content=\"1\" /><meta http-equiv=\"Content-Type\" "
                                          "content=\"text/html; charset=UTF-8\" />")));
    QVERIFY(notes.contains(QStringLiteral("Tučně")));

    StrediskoPage fresh(&m_session);
    fresh.load();
    QCOMPARE(child<QFDateEdit>(&fresh, "stredisko_spusteni")->date(), QDate(2023, 9, 1));
    QCOMPARE(child<QFDateEdit>(&fresh, "stredisko_druhe_skoleni")->date(), QDate());
    QVERIFY(!child<QCheckBox>(&fresh, "stredisko_aktualizace")->isChecked());
    QCOMPARE(fresh.notesEditor()->toPlainText(), QStringLiteral("Tučně a dál"));
    QVERIFY(fresh.notesEditor()->document()->toHtml().contains(QStringLiteral("font-weight:600")));

    // Ticking "Aktualizace" again lifts the restriction.
    child<QCheckBox>(&fresh, "stredisko_aktualizace")->setChecked(true);
    fresh.saveButton()->click();
    QCOMPARE(centreColumn(QStringLiteral("UPDATE_OMEZEN")).toInt(), 0);
}

void TestCentrePages::strediskoSaveButtonFollowsEdits()
{
    StrediskoPage page(&m_session);
    QSignalSpy dirty(&page, &ZrnPage::dirtyChanged);
    page.load();
    QVERIFY(!page.saveButton()->isEnabled());
    QCOMPARE(dirty.count(), 0);

    // Every kind of field marks the page dirty.
    const auto edits = QVector<std::function<void()>>{
        [&] { child<QLineEdit>(&page, "stredisko_telefon")->setText(QStringLiteral("1")); },
        [&] { page.notesEditor()->setPlainText(QStringLiteral("x")); },
        [&] { child<QFDateEdit>(&page, "stredisko_druhe_skoleni")->setDate(QDate(2020, 1, 1)); },
        [&] { child<QCheckBox>(&page, "stredisko_aktualizace")->toggle(); },
    };
    for (const auto &edit : edits) {
        page.load();
        QVERIFY(!page.saveButton()->isEnabled());
        edit();
        QVERIFY(page.saveButton()->isEnabled());
        QVERIFY(page.isDirty());
    }
    QVERIFY(page.save());
    QVERIFY(!page.saveButton()->isEnabled());
    QVERIFY(!page.isDirty());
}

void TestCentrePages::strediskoSavedSignalCarriesLicenceAndStart()
{
    StrediskoPage page(&m_session);
    QSignalSpy saved(&page, &StrediskoPage::centreSaved);
    page.load();
    // The tree shows the licence as typed, even one the database stores as NULL.
    child<QLineEdit>(&page, "stredisko_licence")->setText(QStringLiteral("abc"));
    child<QFDateEdit>(&page, "stredisko_spusteni")->setDate(QDate(2022, 2, 2));
    page.saveButton()->click();
    QCOMPARE(saved.count(), 1);
    QCOMPARE(saved.at(0).at(0).toInt(), kCentre);
    QCOMPARE(saved.at(0).at(1).toString(), QStringLiteral("abc"));
    QCOMPARE(saved.at(0).at(2).toDate(), QDate(2022, 2, 2));
    QVERIFY(centreColumn(QStringLiteral("licence_cislo")).isNull());
}

void TestCentrePages::strediskoRights_data()
{
    QTest::addColumn<int>("techCteni");
    QTest::addColumn<int>("os");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("visibleButtons");
    QTest::newRow("tech 0, os 2") << 0 << 2 << false << "stredisko_edit stredisko_del";
    QTest::newRow("tech 1, os 2") << 1 << 2 << true << "stredisko_edit stredisko_del";
    QTest::newRow("os 1: no delete") << 0 << 1 << false << "stredisko_edit";
    QTest::newRow("os 0: no maintenance") << 1 << 0 << true << "";
}

void TestCentrePages::strediskoRights()
{
    QFETCH(int, techCteni);
    QFETCH(int, os);
    QFETCH(bool, locked);
    QFETCH(QString, visibleButtons);

    m_session.user.stredisko_tech_cteni = techCteni;
    m_session.user.os = os;
    StrediskoPage page(&m_session);
    page.applyRights();
    page.load();

    // Exactly the installation data is locked.
    for (const char *name : {"stredisko_db_uuid", "stredisko_licence"})
        QCOMPARE(child<QLineEdit>(&page, name)->isReadOnly(), locked);
    for (const char *name : {"stredisko_spusteni", "stredisko_druhe_skoleni"})
        QCOMPARE(child<QFDateEdit>(&page, name)->isReadOnly(), locked);
    auto *flag = child<QCheckBox>(&page, "stredisko_aktualizace");
    QCOMPARE(flag->testAttribute(Qt::WA_TransparentForMouseEvents), locked);
    QCOMPARE(flag->focusPolicy() == Qt::NoFocus, locked);
    QVERIFY(flag->isEnabled());
    for (const char *name : {"stredisko_ico", "stredisko_kontakt", "stredisko_telefon", "stredisko_email",
                             "stredisko_hospodarstvi"})
        QVERIFY2(!child<QLineEdit>(&page, name)->isReadOnly(), name);
    QVERIFY(!page.notesEditor()->isReadOnly());

    // Contacts stay editable and saveable under the lock.
    child<QLineEdit>(&page, "stredisko_kontakt")->setText(QStringLiteral("Nový kontakt"));
    QVERIFY(page.save());
    QCOMPARE(asText(centreColumn(QStringLiteral("PODNIK_JMENO"))), QStringLiteral("Nový kontakt"));
    QCOMPARE(centreColumn(QStringLiteral("licence_cislo")).toInt(), 1234);

    QStringList shown;
    for (QAbstractButton *b : {page.editButton(), page.deleteButton()})
        if (!b->isHidden())
            shown << b->objectName();
    QCOMPARE(shown.join(QLatin1Char(' ')), visibleButtons);
}

void TestCentrePages::strediskoFilesOpenTheEnterpriseFolder()
{
    QStringList opened;
    setFolderOpener([&opened](const QString &path) { opened << path; });
    m_session.documentRoot = QStringLiteral("/home/obchod/Nextcloud");
    StrediskoPage page(&m_session);
    page.load();
    page.filesButton()->click();
    m_session.setSelection(kPodnik, kOtherCentre);
    page.load();
    page.filesButton()->click();
    setFolderOpener(FolderOpener());
    // Both centres share the folder of their enterprise, named without the legal form.
    QCOMPARE(opened, QStringList({QStringLiteral("/home/obchod/Nextcloud/ZRN/Český statek"),
                                  QStringLiteral("/home/obchod/Nextcloud/ZRN/Český statek")}));
}

void TestCentrePages::specifikaceSavesEveryColumn()
{
    SpecifikacePage page(&m_session);
    page.load();
    QVERIFY(!page.saveButton()->isEnabled());

    // Every code list gets its last entry, every note a text naming its column.
    QHash<QString, QString> expected;
    for (const QString &col : Specifikace::codeListColumns()) {
        QComboBox *cb = page.comboFor(col);
        QVERIFY2(cb, qPrintable(col));
        QCOMPARE(cb->count(), Specifikace::codeList(col).size());
        cb->setCurrentIndex(cb->count() - 1);
        expected.insert(col, cb->currentText());
    }
    for (const Specifikace::Row &row : Specifikace::rows()) {
        page.noteFor(row.note)->setText(QStringLiteral("pozn. ") + row.note);
        expected.insert(row.note, QStringLiteral("pozn. ") + row.note);
    }
    page.dateFor(QStringLiteral("SDOJSPUSTENI"))->setDate(QDate(2019, 4, 5));
    page.dateFor(QStringLiteral("SPASPUSTENI"))->setDate(QDate(2020, 6, 7));
    page.notesEditor()->setPlainText(QStringLiteral("Technologie"));
    QVERIFY(page.saveButton()->isEnabled());
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(asText(centreColumn(it.key())), it.value());
    QCOMPARE(centreColumn(QStringLiteral("SAKB")).toString(), QStringLiteral("Ukončeno"));
    QCOMPARE(asDate(centreColumn(QStringLiteral("SDOJSPUSTENI"))), QDate(2019, 4, 5));
    QCOMPARE(asDate(centreColumn(QStringLiteral("SPASPUSTENI"))), QDate(2020, 6, 7));
    const QString notes = asText(centreColumn(QStringLiteral("SPOZNAMKA")));
    QVERIFY(notes.contains(QStringLiteral("charset=UTF-8")));
    // The centre page's columns are not touched, nor is the other centre.
    QCOMPARE(asText(centreColumn(QStringLiteral("PODNIK_JMENO"))), QStringLiteral("Jan Novák"));
    QVERIFY(centreColumn(QStringLiteral("SSW"), kOtherCentre).isNull());

    SpecifikacePage fresh(&m_session);
    fresh.load();
    for (const QString &col : Specifikace::codeListColumns())
        QCOMPARE(fresh.comboFor(col)->currentText(), expected.value(col));
    for (const Specifikace::Row &row : Specifikace::rows())
        QCOMPARE(fresh.noteFor(row.note)->text(), expected.value(row.note));
    QCOMPARE(fresh.dateFor(QStringLiteral("SPASPUSTENI"))->date(), QDate(2020, 6, 7));
    QCOMPARE(fresh.notesEditor()->toPlainText(), QStringLiteral("Technologie"));
    QVERIFY(!fresh.saveButton()->isEnabled());
}

void TestCentrePages::specifikaceEmptyPageStoresNull()
{
    setCentreColumn(QStringLiteral("SDOJ"), QStringLiteral("Lely"));
    setCentreColumn(QStringLiteral("SDOJP"), QStringLiteral("stará"));
    setCentreColumn(QStringLiteral("SDOJSPUSTENI"), QStringLiteral("2018-01-01"));
    SpecifikacePage page(&m_session);
    page.load();
    QCOMPARE(page.comboFor(QStringLiteral("SDOJ"))->currentText(), QStringLiteral("Lely"));
    page.comboFor(QStringLiteral("SDOJ"))->setCurrentIndex(0);
    QCOMPARE(page.comboFor(QStringLiteral("SDOJ"))->currentText(), QStringLiteral("Neurčeno"));
    page.noteFor(QStringLiteral("SDOJP"))->clear();
    page.dateFor(QStringLiteral("SDOJSPUSTENI"))->setDate(QDate());
    QVERIFY(page.save());
    for (const auto &b : Specifikace::updateBindings()) {
        if (b.first != Specifikace::NotesColumn)
            QVERIFY2(centreColumn(b.first).isNull(), qPrintable(b.first));
    }
}

void TestCentrePages::specifikaceMatchesStoredTextIgnoringCase_data()
{
    QTest::addColumn<QString>("col");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QVariant>("savedBack");   // invalid: NULL
    QTest::newRow("small letters") << "SDOJ" << "molvane" << "Molvane" << QVariant("Molvane");
    QTest::newRow("capitals with accents") << "SID" << "ŽÁDNÁ" << "Žádná" << QVariant("Žádná");
    QTest::newRow("mixed case, blanks") << "SCHTYP" << "2 X 8000 - TANK" << "2 x 8000 - tank" << QVariant("2 x 8000 - tank");
    QTest::newRow("second list") << "SIDT" << "noha" << "Noha" << QVariant("Noha");
    QTest::newRow("AKB") << "SAKB" << "ukončeno" << "Ukončeno" << QVariant("Ukončeno");
    QTest::newRow("link state") << "SDOJPR" << "propojeno s tm" << "Propojeno s TM" << QVariant("Propojeno s TM");
    QTest::newRow("unknown value") << "SSW" << "Jiný program" << "Neurčeno" << QVariant();
    QTest::newRow("trailing blank is no match") << "SDOJ" << "Lely " << "Neurčeno" << QVariant();
    QTest::newRow("stored Neurčeno") << "SKU" << "neurčeno" << "Neurčeno" << QVariant();
}

void TestCentrePages::specifikaceMatchesStoredTextIgnoringCase()
{
    QFETCH(QString, col);
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QFETCH(QVariant, savedBack);

    setCentreColumn(col, stored);
    SpecifikacePage page(&m_session);
    page.load();
    QCOMPARE(page.comboFor(col)->currentText(), shown);
    QVERIFY(!page.saveButton()->isEnabled());
    // Saved unchanged: the entry's own text, or NULL for no match.
    QVERIFY(page.save());
    const QVariant db = centreColumn(col);
    if (savedBack.isValid())
        QCOMPARE(db.toString(), savedBack.toString());
    else
        QVERIFY2(db.isNull(), qPrintable(db.toString()));
}

void TestCentrePages::specifikaceStaysEditableForReadOnlyRight()
{
    m_session.user.stredisko_tech_cteni = 1;
    SpecifikacePage page(&m_session);
    page.applyRights();
    page.load();
    for (QComboBox *cb : page.findChildren<QComboBox *>())
        QVERIFY2(cb->isEnabled(), qPrintable(cb->objectName()));
    for (QLineEdit *e : page.findChildren<QLineEdit *>())
        QVERIFY2(!e->isReadOnly(), qPrintable(e->objectName()));
    QVERIFY(!page.dateFor(QStringLiteral("SDOJSPUSTENI"))->isReadOnly());
    QVERIFY(!page.notesEditor()->isReadOnly());
}

void TestCentrePages::pristupyRoundTrip()
{
    PristupyPage page(&m_session);
    page.load();
    QCOMPARE(page.eagriJmeno()->text(), QStringLiteral("eagri-jan"));
    QCOMPARE(page.eagriHeslo()->text(), QStringLiteral("tajne"));
    QCOMPARE(page.eskotJmeno()->text(), QString());
    QVERIFY(!page.saveButton()->isEnabled());

    page.eskotJmeno()->setText(QStringLiteral("skot-jan"));
    QVERIFY(page.saveButton()->isEnabled());
    page.eskotHeslo()->setText(QStringLiteral("h'eslo; --"));
    page.eagriHeslo()->clear();
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    QCOMPARE(centreColumn(QStringLiteral("EAGRI_UZIVATEL")).toString(), QStringLiteral("eagri-jan"));
    QVERIFY(centreColumn(QStringLiteral("EAGRI_HESLO")).isNull());
    QCOMPARE(centreColumn(QStringLiteral("KU_CMSCH_UZIVATEL")).toString(), QStringLiteral("skot-jan"));
    QCOMPARE(centreColumn(QStringLiteral("KU_CMSCH_HESLO")).toString(), QStringLiteral("h'eslo; --"));
    QCOMPARE(centreColumn(QStringLiteral("EAGRI_UZIVATEL"), kOtherCentre).toString(), QStringLiteral("jiny"));

    PristupyPage fresh(&m_session);
    fresh.load();
    QCOMPARE(fresh.eskotHeslo()->text(), QStringLiteral("h'eslo; --"));
    QCOMPARE(fresh.eagriHeslo()->text(), QString());
}

void TestCentrePages::pristupyReloadReplacesEdits()
{
    PristupyPage page(&m_session);
    page.load();
    page.eagriJmeno()->setText(QStringLiteral("neuloženo"));
    m_session.setSelection(kPodnik, kOtherCentre);
    page.load();
    QCOMPARE(page.eagriJmeno()->text(), QStringLiteral("jiny"));
    QCOMPARE(page.eagriHeslo()->text(), QString());
    QVERIFY(!page.saveButton()->isEnabled());
    QCOMPARE(centreColumn(QStringLiteral("EAGRI_UZIVATEL")).toString(), QStringLiteral("eagri-jan"));
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

    m_session.setSelection(kPodnik, centre ? QVariant(kCentre) : QVariant());
    GpsPage page(&m_session);
    page.load();
    QCOMPARE(page.coordinatesEdit()->text(), centre ? QStringLiteral("49.2,14.2") : QStringLiteral("49.1,14.1"));
    QVERIFY(!page.saveButton()->isEnabled());
    QVERIFY(!page.hasMapView());

    page.coordinatesEdit()->setText(typed);
    QVERIFY(page.saveButton()->isEnabled());
    page.saveButton()->click();
    QVERIFY(!page.saveButton()->isEnabled());

    const QVariant podnikGps = column(QStringLiteral("tellmark_podniky"), QStringLiteral("GPS"), kPodnik);
    const QVariant centreGps = centreColumn(QStringLiteral("GPS"));
    const QVariant written = centre ? centreGps : podnikGps;
    const QVariant untouched = centre ? podnikGps : centreGps;
    if (typed.isEmpty())
        QVERIFY(written.isNull());
    else
        QCOMPARE(written.toString(), typed);
    QCOMPARE(untouched.toString(), centre ? QStringLiteral("49.1,14.1") : QStringLiteral("49.2,14.2"));
    QVERIFY(centreColumn(QStringLiteral("GPS"), kOtherCentre).isNull());
}

void TestCentrePages::failedSaveStaysOnScreen_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("O středisku") << "stredisko";
    QTest::newRow("Specifikace") << "specifikace";
    QTest::newRow("Přístupy") << "pristupy";
    QTest::newRow("GPS") << "gps";
}

void TestCentrePages::failedSaveStaysOnScreen()
{
    QFETCH(QString, kind);

    QScopedPointer<ZrnPage> page;
    QAbstractButton *button = nullptr;
    std::function<void()> edit;
    if (kind == QLatin1String("stredisko")) {
        auto *p = new StrediskoPage(&m_session);
        button = p->saveButton();
        edit = [p] { p->findChild<QLineEdit *>(QStringLiteral("stredisko_kontakt"))->setText(QStringLiteral("x")); };
        page.reset(p);
    } else if (kind == QLatin1String("specifikace")) {
        auto *p = new SpecifikacePage(&m_session);
        button = p->saveButton();
        edit = [p] { p->comboFor(QStringLiteral("SST"))->setCurrentIndex(2); };
        page.reset(p);
    } else if (kind == QLatin1String("pristupy")) {
        auto *p = new PristupyPage(&m_session);
        button = p->saveButton();
        edit = [p] { p->eagriJmeno()->setText(QStringLiteral("x")); };
        page.reset(p);
    } else {
        auto *p = new GpsPage(&m_session);
        button = p->saveButton();
        edit = [p] { p->coordinatesEdit()->setText(QStringLiteral("1,2")); };
        page.reset(p);
    }
    page->load();
    edit();
    QVERIFY(button->isEnabled());

    // The table is gone while saving: the database refuses the update.
    QString error;
    QVERIFY2(TestDb::exec(QStringLiteral("alter table tellmark_strediska rename to tellmark_strediska_pryc"), &error),
             qPrintable(error));
    MessageCatcher box;
    box.arm();
    button->click();
    QVERIFY2(TestDb::exec(QStringLiteral("alter table tellmark_strediska_pryc rename to tellmark_strediska"), &error),
             qPrintable(error));

    QCOMPARE(box.title, QStringLiteral("ZRN"));
    QVERIFY2(box.text.startsWith(QStringLiteral("Chyba: ")) && box.text.size() > 8, qPrintable(box.text));
    QVERIFY(button->isEnabled());
    QVERIFY(page->isDirty());

    // The edit is still there and the next press stores it.
    button->click();
    QVERIFY(!button->isEnabled());
    QVERIFY(!page->isDirty());
}

QTEST_MAIN(TestCentrePages)
#include "tst_centrepages.moc"
