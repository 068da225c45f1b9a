// The centre pages load a centre, save what the user typed with the register's storage rules,
// and keep a failed save on screen.

#include "support/testdb.h"

#include "admin/portalaccesspage.h"
#include "admin/remoteaccesspage.h"
#include "core/session.h"
#include "register/gpspage.h"
#include "register/specifikace.h"
#include "register/specifikacepage.h"
#include "register/strediskopage.h"
#include "widgets/qf.h"
#include "widgets/qfdateedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const int kPodnik = 7, kCentre = 70, kOtherCentre = 71;

QVariant stored(const QString &col, int id = kCentre, const QString &table = QStringLiteral("tellmark_strediska"))
{
    return TestDb::value(QStringLiteral("select %1 from %2 where id=?").arg(col, table), {id});
}

QString shownText(QWidget *page, const char *name)
{
    if (auto *label = page->findChild<QLabel *>(QLatin1String(name)))
        return label->text();
    return childNamed<QLineEdit>(page, name)->text();
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

// What the user is told while the centres' table is gone.
QStringList withoutCentres(const std::function<void()> &action)
{
    MessageBoxAnswerer answerer;
    TestDb::exec(QStringLiteral("alter table tellmark_strediska rename to tellmark_strediska_pryc"));
    action();
    TestDb::exec(QStringLiteral("alter table tellmark_strediska_pryc rename to tellmark_strediska"));
    return answerer.messages;
}

} // namespace

class TestCentrePages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        ZRN_SEED(QStringLiteral("insert into tellmark_holding(id,nazev_holding) values(3,'Holding Jih')"),
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
                                "values(%1,%2,'Kravín Újezd','jiny')").arg(kOtherCentre).arg(kPodnik));
        m_session.user = UserRights();
        m_session.user.os = 2;
    }

    void strediskoLoadFillsThePage()
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
        QCOMPARE(childNamed<QFDateEdit>(&page, "stredisko_spusteni")->date(), QDate(2021, 3, 4));
        QCOMPARE(childNamed<QFDateEdit>(&page, "stredisko_druhe_skoleni")->date(), QDate(2021, 5, 6));
        QVERIFY(childNamed<QCheckBox>(&page, "stredisko_aktualizace")->isChecked());   // UPDATE_OMEZEN 0
        QCOMPARE(childNamed<QTextEdit>(&page, "poznamkovy_blok")->toPlainText(), QStringLiteral("Poznámka střediska"));
        QVERIFY(!childNamed<QAbstractButton>(&page, "stredisko_uloz")->isEnabled());
        // Another centre replaces everything; a centre that is gone empties the page.
        page.load(kOtherCentre);
        QCOMPARE(shownText(&page, "stredisko_nazev"), QStringLiteral("Kravín Újezd"));
        QCOMPARE(shownText(&page, "stredisko_licence"), QString());
        QCOMPARE(childNamed<QFDateEdit>(&page, "stredisko_spusteni")->date(), QDate());
        QVERIFY(childNamed<QCheckBox>(&page, "stredisko_aktualizace")->isChecked());   // NULL: updates allowed
        page.load(999);
        QCOMPARE(shownText(&page, "stredisko_nazev"), QString());
    }

    void savesWhatWasTyped_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("col");
        QTest::addColumn<QVariant>("saved");   // invalid: NULL; the page shows it again after a reload

        const QVariant null;
        QTest::newRow("contact") << 0 << "stredisko_kontakt" << "Eva Malá" << "PODNIK_JMENO" << QVariant("Eva Malá");
        QTest::newRow("contact empty") << 0 << "stredisko_kontakt" << "" << "PODNIK_JMENO" << null;
        QTest::newRow("ico groups") << 0 << "stredisko_ico" << "123 45 678" << "ICO" << QVariant("12345678");
        QTest::newRow("ico only spaces") << 0 << "stredisko_ico" << "   " << "ICO" << null;
        QTest::newRow("holding number") << 0 << "stredisko_hospodarstvi" << "CZ 11 22" << "hospodarstvi" << QVariant("CZ1122");
        QTest::newRow("licence") << 0 << "stredisko_licence" << "4711" << "licence_cislo" << QVariant(4711);
        QTest::newRow("licence 0") << 0 << "stredisko_licence" << "0" << "licence_cislo" << null;
        QTest::newRow("licence negative") << 0 << "stredisko_licence" << "-3" << "licence_cislo" << null;
        QTest::newRow("licence empty") << 0 << "stredisko_licence" << "" << "licence_cislo" << null;
        QTest::newRow("licence not a number") << 0 << "stredisko_licence" << "12.5" << "licence_cislo" << null;
        QTest::newRow("ESkot password") << 2 << "aeskot_heslo" << "h'eslo; --" << "KU_CMSCH_HESLO" << QVariant("h'eslo; --");
        QTest::newRow("EAgri password emptied") << 2 << "aeagri_heslo" << "" << "EAGRI_HESLO" << null;
        QTest::newRow("GPS of the centre") << 4 << "gps_souradnice" << "48.5,16.5" << "GPS" << QVariant("48.5,16.5");
        QTest::newRow("GPS of the centre emptied") << 4 << "gps_souradnice" << "" << "GPS" << null;
        QTest::newRow("GPS of the enterprise") << 5 << "gps_souradnice" << "50.0,15.0" << "GPS" << QVariant("50.0,15.0");
        QTest::newRow("GPS of the enterprise emptied") << 5 << "gps_souradnice" << "" << "GPS" << null;
    }

    void savesWhatWasTyped()
    {
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, col);
        QFETCH(QVariant, saved);

        const bool enterprise = kind == 5;
        const auto db = [&](const QString &c) { return enterprise ? stored(c, kPodnik, "tellmark_podniky") : stored(c); };
        const QStringList others = {"PODNIK_JMENO", "ICO", "EAGRI_UZIVATEL", "EAGRI_HESLO", "GPS"};
        QStringList before;
        for (const QString &c : others)
            before << stored(c).toString();
        QScopedPointer<ZrnPage> p(page(kind));
        p->load(rowOf(kind));
        QVERIFY(!p->isDirty());
        QCOMPARE(p->findChild<QLineEdit *>(field)->text(), db(col).toString());
        p->findChild<QLineEdit *>(field)->setText(typed);
        QVERIFY(p->isDirty());
        QSignalSpy notices(&m_session, &Session::notice);
        QVERIFY(p->save() && !p->isDirty());
        QCOMPARE(notices.count(), 1);   // "Uloženo 14:02" in the status bar
        QVERIFY(notices.first().first().toString().startsWith(QStringLiteral("Uloženo ")));

        QCOMPARE(db(col).isNull(), saved.isNull());
        QCOMPARE(saved.isNull() ? QString() : db(col).toString(), saved.toString());
        QScopedPointer<ZrnPage> fresh(page(kind));
        fresh->load(rowOf(kind));
        QCOMPARE(fresh->findChild<QLineEdit *>(field)->text(), saved.toString());
        // The other columns of the page and of the other rows are written back as they were.
        for (int i = 0; i < others.size(); ++i)
            if (enterprise || others.at(i) != col)
                QCOMPARE(stored(others.at(i)).toString(), before.at(i));
        QCOMPARE(stored("GPS", kPodnik, "tellmark_podniky").toString(), enterprise ? saved.toString() : QStringLiteral("49.1,14.1"));
        QCOMPARE(stored("EAGRI_UZIVATEL", kOtherCentre).toString(), QStringLiteral("jiny"));
        QVERIFY(stored("GPS", kOtherCentre).isNull());
    }

    void strediskoSaveInstallationAndNotes()
    {
        StrediskoPage page(&m_session);
        QSignalSpy saved(&page, &StrediskoPage::centreSaved);
        page.load(kCentre);
        auto *save = childNamed<QAbstractButton>(&page, "stredisko_uloz");
        // Each kind of field alone enables "Uložit" and is stored.
        const QVector<std::function<void()>> edits = {
            [&] { childNamed<QLineEdit>(&page, "stredisko_licence")->setText(QStringLiteral("abc")); },
            [&] { childNamed<QFDateEdit>(&page, "stredisko_spusteni")->setDate(QDate(2023, 9, 1)); },
            [&] { childNamed<QFDateEdit>(&page, "stredisko_druhe_skoleni")->setDate(QDate()); },
            [&] { childNamed<QCheckBox>(&page, "stredisko_aktualizace")->setChecked(false); },
            [&] { childNamed<QTextEdit>(&page, "poznamkovy_blok")->setHtml(QStringLiteral("<p><b>Tučně</b> a dál</p>")); }};
        for (const auto &edit : edits) {
            edit();
            QVERIFY(save->isEnabled());
            save->click();
            QVERIFY(!save->isEnabled());
        }
        // The tree refreshes its row with the licence as typed, even one stored as NULL.
        QCOMPARE(saved.count(), 5);
        QCOMPARE(saved.last(), (QVariantList{kCentre, QStringLiteral("abc"), QDate(2023, 9, 1)}));
        QVERIFY(stored("licence_cislo").isNull());
        QCOMPARE(stored("spusteni").toString().left(10), QStringLiteral("2023-09-01"));
        QVERIFY(stored("DRUHE_SKOLENI").isNull());
        QCOMPARE(stored("UPDATE_OMEZEN").toInt(), 1);
        const QString notes = stored("poznamkovy_blok").toString();
        QVERIFY(notes.contains(QStringLiteral("<meta name=\"qrichtext\" content=\"1\" /><meta http-equiv=\"Content-Type\" "
                                              "content=\"text/html; charset=UTF-8\" />")));
        QVERIFY(notes.contains(QStringLiteral("Tučně")));

        StrediskoPage fresh(&m_session);
        fresh.load(kCentre);
        QCOMPARE(childNamed<QFDateEdit>(&fresh, "stredisko_spusteni")->date(), QDate(2023, 9, 1));
        QCOMPARE(childNamed<QFDateEdit>(&fresh, "stredisko_druhe_skoleni")->date(), QDate());
        QVERIFY(!childNamed<QCheckBox>(&fresh, "stredisko_aktualizace")->isChecked());
        auto *freshNotes = childNamed<QTextEdit>(&fresh, "poznamkovy_blok");
        QCOMPARE(freshNotes->toPlainText(), QStringLiteral("Tučně a dál"));
        QVERIFY(freshNotes->document()->toHtml().contains(QStringLiteral("font-weight:600")));
        // Ticking "Aktualizace" again lifts the restriction.
        childNamed<QCheckBox>(&fresh, "stredisko_aktualizace")->setChecked(true);
        childNamed<QAbstractButton>(&fresh, "stredisko_uloz")->click();
        QCOMPARE(stored("UPDATE_OMEZEN").toInt(), 0);
    }

    void strediskoRights_data()
    {
        QTest::addColumn<int>("techCteni");
        QTest::addColumn<int>("os");
        QTest::addColumn<QString>("visibleButtons");
        QTest::newRow("tech 0, os 2") << 0 << 2 << "stredisko_edit stredisko_del";
        QTest::newRow("tech 1, os 1: no delete") << 1 << 1 << "stredisko_edit";
        QTest::newRow("tech 1, os 0: no maintenance") << 1 << 0 << "";
    }

    void strediskoRights()
    {
        QFETCH(int, techCteni);
        QFETCH(int, os);
        const bool locked = techCteni == 1;

        m_session.user.stredisko_tech_cteni = techCteni;
        m_session.user.os = os;
        StrediskoPage page(&m_session);
        page.applyRights();
        page.load(kCentre);
        // Exactly the installation data is locked, nothing else here nor on the technology sheet.
        const QStringList installation = {"stredisko_db_uuid", "stredisko_licence", "stredisko_spusteni",
                                          "stredisko_druhe_skoleni"};
        for (QWidget *e : page.findChildren<QWidget *>(QRegularExpression("^stredisko_")))
            if (const QVariant ro = e->property("readOnly"); ro.isValid())   // the line and date edits
                QVERIFY2(ro.toBool() == (locked && installation.contains(e->objectName())), qPrintable(e->objectName()));
        auto *flag = childNamed<QCheckBox>(&page, "stredisko_aktualizace");
        QCOMPARE(flag->testAttribute(Qt::WA_TransparentForMouseEvents), locked);
        QCOMPARE(flag->focusPolicy() == Qt::NoFocus, locked);
        QVERIFY(flag->isEnabled());
        QVERIFY(!childNamed<QTextEdit>(&page, "poznamkovy_blok")->isReadOnly());
        SpecifikacePage sheet(&m_session);
        sheet.applyRights();
        sheet.load(kCentre);
        for (QComboBox *cb : sheet.findChildren<QComboBox *>())
            QVERIFY2(cb->isEnabled(), qPrintable(cb->objectName()));
        for (QLineEdit *e : sheet.findChildren<QLineEdit *>())
            QVERIFY2(!e->isReadOnly(), qPrintable(e->objectName()));
        // Contacts stay editable and saveable under the lock.
        childNamed<QLineEdit>(&page, "stredisko_kontakt")->setText(QStringLiteral("Nový kontakt"));
        QVERIFY(page.save());
        QCOMPARE(stored("PODNIK_JMENO").toString(), QStringLiteral("Nový kontakt"));
        QCOMPARE(stored("licence_cislo").toInt(), 1234);

        QStringList shown;
        for (const char *name : {"stredisko_edit", "stredisko_del"})
            if (!childNamed<QAbstractButton>(&page, name)->isHidden())
                shown << name;
        QTEST(shown.join(QLatin1Char(' ')), "visibleButtons");
    }

    void specifikaceSavesEveryColumn()
    {
        SpecifikacePage page(&m_session);
        page.load(kCentre);
        auto *save = childNamed<QAbstractButton>(&page, "specifikace_uloz");
        QVERIFY(!save->isEnabled());
        // Every code list gets its last entry (SAKB: "Ukončeno"), every date and note a value of its own.
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
        childNamed<QTextEdit>(&page, "spoznamka")->setPlainText(QStringLiteral("Technologie"));
        save->click();
        QVERIFY(!save->isEnabled());
        // Each column edited holds what the page showed and shows it again.
        SpecifikacePage fresh(&m_session);
        fresh.load(kCentre);
        for (const QString &col : edited) {
            const QString shown = sheetValue(page, col);
            QVERIFY2(!shown.isEmpty() && shown != QStringLiteral("Neurčeno"), qPrintable(col));
            const QString db = stored(col).toString();
            QCOMPARE(page.dateFor(col) ? db.left(10) : db, shown);
            QCOMPARE(sheetValue(fresh, col), shown);
        }
        QCOMPARE(stored("SAKB").toString(), QStringLiteral("Ukončeno"));
        QVERIFY(stored(Specifikace::NotesColumn).toString().contains(QStringLiteral("charset=UTF-8")));
        QCOMPARE(childNamed<QTextEdit>(&fresh, "spoznamka")->toPlainText(), QStringLiteral("Technologie"));
        QVERIFY(!fresh.isDirty());
        // The centre page's columns are not touched, nor is the other centre.
        QCOMPARE(stored("PODNIK_JMENO").toString(), QStringLiteral("Jan Novák"));
        QVERIFY(stored("SSW", kOtherCentre).isNull());
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
            QVERIFY2(col == Specifikace::NotesColumn || stored(col).isNull(), qPrintable(col));
    }

    void specifikaceMatchesStoredTextIgnoringCase_data()
    {
        QTest::addColumn<QString>("col");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("shown");   // saved back unchanged; "Neurčeno" as NULL
        QTest::newRow("capitals with accents") << "SID" << "ŽÁDNÁ" << "Žádná";
        QTest::newRow("unknown value") << "SSW" << "Jiný program" << "Neurčeno";
        QTest::newRow("trailing blank is no match") << "SDOJ" << "Lely " << "Neurčeno";
        QTest::newRow("stored Neurčeno") << "SKU" << "neurčeno" << "Neurčeno";
    }

    void specifikaceMatchesStoredTextIgnoringCase()
    {
        QFETCH(QString, col);
        QFETCH(QString, before);
        QFETCH(QString, shown);

        QCOMPARE(TestDb::value(QStringLiteral("update tellmark_strediska set %1=? where id=?").arg(col), {before, kCentre}), QVariant());
        SpecifikacePage page(&m_session);
        page.load(kCentre);
        QCOMPARE(page.comboFor(col)->currentText(), shown);
        QVERIFY(!page.isDirty());
        QVERIFY(page.save());
        const bool unknown = shown == QStringLiteral("Neurčeno");
        QCOMPARE(stored(col).isNull(), unknown);
        QCOMPARE(stored(col).toString(), unknown ? QString() : shown);
    }

    void failuresKeepTheEdit_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("col");
        QTest::newRow("O středisku") << 0 << "stredisko_kontakt" << "PODNIK_JMENO";
        QTest::newRow("Specifikace") << 1 << "sstp" << "SSTP";
        QTest::newRow("Přístupy") << 2 << "aeagri_jmeno" << "EAGRI_UZIVATEL";
        QTest::newRow("Vzdálený přístup") << 3 << "vnc6_id" << "uvnc6_id";
        QTest::newRow("GPS") << 4 << "gps_souradnice" << "GPS";
    }

    // The table is gone while saving, then while reading: the database refuses.
    void failuresKeepTheEdit()
    {
        QFETCH(int, kind);
        QFETCH(QString, field);
        QFETCH(QString, col);
        QScopedPointer<ZrnPage> p(page(kind));
        auto *button = p->findChildren<QAbstractButton *>(QRegularExpression("_uloz$|^gps_save$")).value(0);
        auto *edit = p->findChild<QLineEdit *>(field);
        const QVariant before = stored(col);
        p->show();
        p->load(rowOf(kind));
        edit->setText(QStringLiteral("12'34"));
        QVERIFY(button->isEnabled());
        QStringList messages = withoutCentres([&] { button->click(); });
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith(QStringLiteral("ZRN Chyba: ")) && messages.first().size() > 12,
                 qPrintable(messages.first()));
        QVERIFY(button->isEnabled() && p->isDirty());
        QCOMPARE(edit->text(), QStringLiteral("12'34"));
        QCOMPARE(stored(col), before);
        // A failed read: told once; the page is empty and locked, typing cannot enable "Uložit", nothing is written.
        messages = withoutCentres([&] { p->load(rowOf(kind)); });
        QCOMPARE(messages.size(), 1);   // its text: tst_evidencetab
        QVERIFY(!p->hasRow());
        QVERIFY(edit->text().isEmpty() && !edit->isEnabled());
        edit->setText(QStringLiteral("přes prázdnou stránku"));
        QVERIFY(!button->isEnabled() && !p->isDirty());
        QVERIFY(p->save());
        QCOMPARE(stored(col), before);
        // The next read unlocks the page, and an edit is stored, quote and all.
        p->load(rowOf(kind));
        QVERIFY(p->hasRow() && edit->isEnabled());
        QCOMPARE(edit->text(), before.toString());
        edit->setText(QStringLiteral("12'34"));
        button->click();
        QVERIFY(!button->isEnabled() && !p->isDirty());
        QCOMPARE(stored(col).toString(), QStringLiteral("12'34"));
    }

private:
    // The pages of the tables by their "kind" column.
    ZrnPage *page(int kind)
    {
        return kind == 0 ? new StrediskoPage(&m_session)
             : kind == 1 ? new SpecifikacePage(&m_session)
             : kind == 2 ? new PortalAccessPage(&m_session)
             : kind == 3 ? static_cast<ZrnPage *>(new RemoteAccessPage(&m_session))
                         : new GpsPage(&m_session);   // 4 of the centre, 5 of the enterprise
    }
    static TreeRow rowOf(int kind) { return kind == 5 ? TreeRow::enterprise(kPodnik) : TreeRow::centre(kCentre); }

    Session m_session;
};

ZRN_TEST_MAIN(TestCentrePages)
#include "tst_centrepages.moc"
