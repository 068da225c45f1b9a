#include "core/session.h"
#include "register/documentfolders.h"
#include "register/podnikpage.h"
#include "support/testdb.h"
#include "support/uitest.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"

#include <QClipboard>
#include <QGroupBox>
#include <QRegularExpression>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include "support/testmain.h"

namespace {

QVariant column(int id, const QString &name)
{
    return TestDb::value(QStringLiteral("select %1 from tellmark_podniky where id=?").arg(name), {id});
}

// The fields of the form, named after their columns (lower case), without the inner edits of compound fields.
template<typename W>
QList<W *> fields(const QWidget *form)
{
    QList<W *> list;
    for (W *w : form->findChildren<W *>())
        if (qobject_cast<QGroupBox *>(w->parentWidget()))
            list << w;
    return list;
}

// The fields as "name=value", as shown or (with `row`) as stored: NULL as "NULL", "13.00" as 13.
QStringList fieldValues(const QWidget *page, int row = 0)
{
    const auto *form = childNamed<QWidget>(page, "podnik_form");
    const auto *persons = childNamed<QFEditWithButton>(page, "oodpovedna_osoba");
    QStringList list;
    auto add = [&](const QWidget *field, QString value) {
        if (row) {
            const QVariant v = column(row, field->objectName() == "oodpovedna_osoba" ? "O_ODPOVEDNA_OSOBA" : field->objectName().toUpper());
            value = v.isNull() ? QStringLiteral("NULL") : v.toString();
        }
        bool number = false;
        const double d = value.toDouble(&number);
        list << field->objectName() + QLatin1Char('=') + (number ? QString::number(d, 'g', 15) : value);
    };
    for (QLineEdit *edit : fields<QLineEdit>(form))
        add(edit, edit->text());
    for (QFDateEdit *date : fields<QFDateEdit>(form))
        add(date, date->date().toString(Qt::ISODate));
    for (QComboBox *box : fields<QComboBox>(form))
        add(box, box->currentText());
    add(persons, persons->Id());
    return list;
}

const int kId = 3;   // the enterprise of the fixture

} // namespace

class TstPodnikPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        ZRN_SEED("insert into tellmark_holding(id,nazev_holding) values(7,'Agro Holding')",
                 "insert into tellmark_podniky(id,podnik_nazev,id_holding,ICO,GPS,KONTAKT_JMENO,UE,O_PRIORITA,SMLOUVA_CISLO,"
                 "SMLOUVA_FAKTURACE_OD) values(3,'Agro Vysočina, a.s.',7,'12345678','49.4,15.6','Jan Novák','Zootechnici',2,"
                 "'S-15','2022-06-01')");
        m_session.user = UserRights();
        m_session.user.fakturace = 2;
        m_session.user.os = 2;
        m_session.copyNameToClipboard = false;
        m_page = new PodnikPage(&m_session);
        m_page->applyRights();
    }

    void cleanup() { delete m_page; }

    void roundTrip_data()
    {
        QTest::addColumn<bool>("filled");
        QTest::newRow("every field filled") << true;
        QTest::newRow("every field emptied") << false;
    }

    void roundTrip()
    {
        QFETCH(bool, filled);
        m_page->setCodesToNames([](const QString &codes) { return codes.isEmpty() ? codes : QStringLiteral("jména ") + codes; });
        m_page->setPersonChooser([filled](QWidget *, QString *codes) { *codes = filled ? QStringLiteral("EV,JN") : QString(); return true; });
        m_page->load(kId);
        QCOMPARE(w<QLabel>("pholding")->text(), QStringLiteral("Agro Holding"));
        QVERIFY(!w<QAbstractButton>("podnik_uloz")->isEnabled());
        // Distinct values, so that a field stored in another field's column shows.
        int n = 10;
        for (QLineEdit *edit : fields<QLineEdit>(w<QWidget>("podnik_form")))
            edit->setText(filled ? QString::number(++n) : QString());
        for (QFDateEdit *date : fields<QFDateEdit>(w<QWidget>("podnik_form")))
            date->setDate(filled ? QDate(2025, 1, 1).addDays(++n) : QDate());
        for (QComboBox *box : fields<QComboBox>(w<QWidget>("podnik_form")))
            box->setCurrentIndex(filled ? 1 + ++n % (box->count() - 1) : 0);
        if (filled) {
            // Pasted from a web page: a non-breaking and a thin space among the digits.
            w<QLineEdit>("ico")->setText(QStringLiteral(" 876\u00a054\n321\u2009"));
            w<QLineEdit>("kontakt_jmeno")->setText(QStringLiteral("Žofie Řeháková"));
            w<QTextEdit>("smlouva_poznamky")->setHtml(QStringLiteral("<b>Důležité</b>"));
        }
        m_page->onSelectOOO();
        QTest::mouseClick(w<QAbstractButton>("podnik_uloz"), Qt::LeftButton);
        QVERIFY(!w<QAbstractButton>("podnik_uloz")->isEnabled() && !m_page->isDirty());
        QStringList onScreen = fieldValues(m_page);
        onScreen.replaceInStrings(QRegularExpression(QStringLiteral("^ico=.*"), QRegularExpression::DotMatchesEverythingOption),
                                  filled ? QStringLiteral("ico=87654321") : QStringLiteral("ico="));  // without white space
        // Empty fields and "Neurčeno" are stored as NULL, the index lists their index, an empty IČO as ''.
        QStringList inColumns = onScreen;
        inColumns.replaceInStrings(QRegularExpression(QStringLiteral("=(Neurčeno)?$")), QStringLiteral("=NULL"))
            .replaceInStrings(QStringLiteral("ico=NULL"), QStringLiteral("ico="));
        QCOMPARE(fieldValues(m_page, kId), inColumns);
        // Columns the page does not edit are left alone.
        QCOMPARE(column(kId, "podnik_nazev").toString(), "Agro Vysočina, a.s.");
        QCOMPARE(column(kId, "GPS").toString(), "49.4,15.6");
        // Loaded again, the page shows what was saved, clean.
        m_page->clear();
        m_page->load(kId);
        QCOMPARE(fieldValues(m_page), onScreen);
        QCOMPARE(w<QTextEdit>("smlouva_poznamky")->toPlainText(), filled ? QStringLiteral("Důležité") : QString());
        QCOMPARE(w<QFEditWithButton>("oodpovedna_osoba")->text(), filled ? QStringLiteral("jména EV,JN") : QString());
        QCOMPARE(m_page->loadedGps().toString(), QStringLiteral("49.4,15.6"));
        QVERIFY(!w<QAbstractButton>("podnik_uloz")->isEnabled());
    }

    void storedCodeLists_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("savedBack");  // null: NULL
        // Entries match ignoring case and are written back in their own spelling.
        QTest::newRow("country, lower case") << "ZEME" << "cz" << "CZ" << "CZ";
        QTest::newRow("accounting, upper case") << "UCTO" << "BÍLÝ MOTÝL" << "Bílý motýl" << "Bílý motýl";
        // A value another tool wrote, not among the entries, shows as "Neurčeno" and is written back as NULL.
        QTest::newRow("unknown software") << "SW" << "Excel" << "Neurčeno" << QString();
        QTest::newRow("entry of another list") << "O_STAVT" << "Vypovězeno" << "Neurčeno" << QString();
        QTest::newRow("index list out of range") << "O_PRIORITA" << "9" << "0" << "0";
    }

    void storedCodeLists()
    {
        QFETCH(QString, name);
        QFETCH(QString, stored);
        QFETCH(QString, savedBack);
        QCOMPARE(TestDb::value(QStringLiteral("update tellmark_podniky set %1=? where id=?").arg(name), {stored, kId}), QVariant());
        m_page->load(kId);
        QTEST(m_page->findChild<QComboBox *>(name.toLower())->currentText(), "shown");

        QVERIFY(m_page->save());
        QCOMPARE(column(kId, name).isNull(), savedBack.isNull());
        QCOMPARE(column(kId, name).toString(), savedBack);
    }

    void saveButtonFollowsEdits()
    {
        m_page->setPersonChooser([](QWidget *, QString *codes) { *codes = QStringLiteral("XY"); return true; });
        const QList<QPair<const char *, std::function<void()>>> edits = {
            {"line edit", [this] { QTest::keyClicks(w<QLineEdit>("kontakt_telefon"), QStringLiteral("9")); }},
            {"code list", [this] { w<QComboBox>("ue")->setCurrentIndex(1); }},
            {"date", [this] { w<QFDateEdit>("o_dalsi_kontakt")->setDate(QDate(2030, 1, 1)); }},
            {"notes", [this] { QTest::keyClicks(w<QTextEdit>("smlouva_poznamky"), QStringLiteral("x")); }},
            {"person", [this] { QTest::mouseClick(w<QFEditWithButton>("oodpovedna_osoba")->button(), Qt::LeftButton); }},
        };
        for (const auto &edit : edits) {
            m_page->load(kId);
            QSignalSpy dirty(m_page, &ZrnPage::dirtyChanged);
            edit.second();
            QVERIFY2(w<QAbstractButton>("podnik_uloz")->isEnabled() && m_page->isDirty() && dirty.count() == 1, edit.first);
            QTest::mouseClick(w<QAbstractButton>("podnik_uloz"), Qt::LeftButton);
            QVERIFY2(!w<QAbstractButton>("podnik_uloz")->isEnabled() && !m_page->isDirty(), edit.first);
        }
    }

    void rights_data()
    {
        // One level for both `fakturace` (invoicing block) and `os` (maintenance buttons).
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("invoicing");
        QTest::addColumn<QString>("maintenance");
        QTest::newRow("0") << 0 << "hidden" << "";
        QTest::newRow("1") << 1 << "read-only" << "stredisko_add";
        QTest::newRow("2") << 2 << "editable" << "podnik_edit podnik_del stredisko_add";
        QTest::newRow("3") << 3 << "editable" << "podnik_edit podnik_del stredisko_add";
    }

    void rights()
    {
        QFETCH(int, level);
        QFETCH(QString, invoicing);
        m_session.user.fakturace = level;
        m_session.user.os = level;
        m_page->applyRights();
        m_page->load(kId);

        QStringList shownButtons;
        for (QWidget *button : {w<QWidget>("podnik_edit"), w<QWidget>("podnik_del"), w<QWidget>("stredisko_add")})
            if (!button->isHidden())
                shownButtons << button->objectName();
        QTEST(shownButtons.join(QLatin1Char(' ')), "maintenance");
        QCOMPARE(w<QWidget>("fakturace_box")->isHidden(), invoicing == QLatin1String("hidden"));
        if (w<QWidget>("fakturace_box")->isHidden())
            return;
        // Read-only still shows the values; the other blocks are never locked.
        QCOMPARE(w<QLineEdit>("smlouva_cislo")->text(), QStringLiteral("S-15"));
        QCOMPARE(w<QFDateEdit>("smlouva_fakturace_od")->date(), QDate(2022, 6, 1));
        const bool locked = invoicing == QLatin1String("read-only");
        for (QLineEdit *edit : fields<QLineEdit>(w<QWidget>("fakturace_box")))
            QVERIFY2(edit->isReadOnly() == locked, qPrintable(edit->objectName()));
        for (QFDateEdit *date : fields<QFDateEdit>(w<QWidget>("fakturace_box")))
            QVERIFY2(date->isReadOnly() == locked, qPrintable(date->objectName()));
        QVERIFY(!w<QLineEdit>("kontakt_jmeno")->isReadOnly() && !w<QFDateEdit>("o_dalsi_kontakt")->isReadOnly());
    }

    // The name goes to the clipboard only when asked; "pdir" and a centre open the enterprise's folder.
    void clipboardAndFolder()
    {
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("předtím"));
        m_page->load(kId);
        QCOMPARE(clipboard->text(), QStringLiteral("předtím"));
        m_session.copyNameToClipboard = true;
        m_session.documentRoot = QStringLiteral("/data/Nextcloud");
        m_page->load(kId);
        QCOMPARE(clipboard->text(), QStringLiteral("Agro Vysočina, a.s."));

        QStringList opened;
        setFolderOpener([&opened](const QString &path) { opened << path; });
        QTest::mouseClick(w<QAbstractButton>("pdir"), Qt::LeftButton);
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev) values(20,%1,'Farma')").arg(kId)));
        QVERIFY(openCentreFolder(20, m_session.documentRoot));
        QVERIFY(!openEnterpriseFolder(kId + 1000, m_session.documentRoot));
        setFolderOpener(FolderOpener());
        QCOMPARE(opened, (QStringList{QStringLiteral("/data/Nextcloud/ZRN/Agro Vysočina"),
                                      QStringLiteral("/data/Nextcloud/ZRN/Agro Vysočina")}));
    }

private:
    Session m_session;
    template<typename T>
    T *w(const char *name) const { return childNamed<T>(m_page, name); }

    PodnikPage *m_page = nullptr;
};

ZRN_TEST_MAIN(TstPodnikPage)
#include "tst_podnikpage.moc"
