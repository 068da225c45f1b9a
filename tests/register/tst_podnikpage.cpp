#include "app/session.h"
#include "db/qssql.h"
#include "register/documentfolders.h"
#include "register/podnikpage.h"
#include "support/testdb.h"
#include "ui_podnikpage.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QToolButton>
#include <QTimer>
#include <QtTest>

namespace {

// Answers the next message box with OK and keeps what it said.
struct MessageCatcher {
    QString title;
    QString text;
    QTimer timer;
    MessageCatcher()
    {
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                title = box->windowTitle();
                text = box->text();
                box->accept();
                timer.stop();
            }
        });
        timer.start();
    }
};

QVariant column(int id, const QString &name)
{
    QSSQL q;
    q.prepare(QStringLiteral("select %1 from tellmark_podniky where id=?").arg(name));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return QVariant(QStringLiteral("<no row>"));
    return q.value(0);
}

QString columnText(int id, const QString &name)
{
    const QVariant v = column(id, name);
    if (v.type() == QVariant::ByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v.toString();
}

QDate columnDate(int id, const QString &name)
{
    return QDate::fromString(column(id, name).toString().left(10), Qt::ISODate);
}

} // namespace

class TstPodnikPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadFillsEveryField();
    void loadMatchesCodeListsIgnoringCase();
    void editAndSaveRoundTrip();
    void emptyFieldsStoreNull();
    void unknownCodeListValueIsDropped();
    void saveButtonFollowsEdits_data();
    void saveButtonFollowsEdits();
    void failedSaveKeepsTheEdit();
    void invoicingRights_data();
    void invoicingRights();
    void maintenanceRights_data();
    void maintenanceRights();
    void clipboardOption();
    void documentFolder();

private:
    int insertEnterprise(const QString &name);
    Session m_session;
    PodnikPage *m_page = nullptr;
    Ui::PodnikPage *ui = nullptr;
    int m_id = 0;
};

void TstPodnikPage::initTestCase()
{
    ZRN_OPEN_TEST_DB();
}

int TstPodnikPage::insertEnterprise(const QString &name)
{
    QSSQL q;
    q.prepare(QStringLiteral("insert into tellmark_podniky(podnik_nazev) values(?)"));
    q.addBindValue(name);
    if (!q.exec())
        return 0;
    return q.lastInsertId().toInt();
}

void TstPodnikPage::init()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_holding(id,nazev_holding) values(7,'Agro Holding')"), &error), qPrintable(error));
    m_id = insertEnterprise(QStringLiteral("Agro Vysočina, a.s."));
    QVERIFY(m_id > 0);
    QVERIFY2(TestDb::exec(QStringLiteral(
        "update tellmark_podniky set id_holding=7, ICO='12345678', CH6='123456', ZEME='CZ', OKRES='Jihlava',"
        " OBR='ST,TA', OBR_POZNAMKA='dva regiony', KONTAKT_JMENO='Jan Novák', KONTAKT_ADRESA='Lipová 1, Jihlava',"
        " KONTAKT_TELEFON='777 111 222', KONTAKT_EMAIL='jan@agro.cz', GPS='49.4,15.6', SKOT_KS=1200, DOJNICE_KS=500,"
        " DOJNICE_PLEMENO='H', MASNY_KS=40, MASNY_PLEMENO='Charolais', SW='Tellmark', SW_POZNAMKA='od 2010',"
        " UE='Zootechnici', UE_POZNAMKA='ručně', UCTO='Winfas', UCTO_POZNAMKA='účetní', O_ODPOVEDNA_OSOBA='JN,PK',"
        " O_VZTAH_SE_ZAKAZNIKEM=4, O_KONTAKTNI_OSOBA='Petr', O_PRIORITA=2, O_TELEFON='602', O_EMAIL='p@agro.cz',"
        " O_POSLEDNI_KONTAKT='2024-03-01', O_POSLEDNI_KONTAKT_OSOBA='Eva', O_DALSI_KONTAKT='2024-06-30',"
        " O_PREDVEDENI='2023-11-15', O_PREDVEDENI_OSOBA='Karel', O_NABIDKA_ODESLANA='2023-12-01', O_STAV='Poptávka',"
        " O_POZNAMKA='sw pozn', O_NABIDKAT_ODESLANA='2024-01-10', O_STAVT='Podepsáno', O_POZNAMKAT='tech pozn',"
        " SMLOUVA_ORGANIZACE='Agro a.s.', SMLOUVA_CISLO='S-15', SMLOUVA_PODEPSANO='2022-05-05',"
        " SMLOUVA_FAKTURACE_OD='2022-06-01', SMLOUVA_FAKTURACE_CASTKA_ROK=1500, SMLOUVA_FAKTURACE_MENA='CZK',"
        " SMLOUVA_FAKTURACE_SLEVA=10, SMLOUVA_FAKTURACE_SLEVA_OBDOBI=6, SMLOUVA_FAKTURACE_MESICE='1,7',"
        " SMLOUVA_FAKTURACE_OBDOBI='pololetí', SMLOUVA_FAKTURACE_ZPETNE='ne', SMLOUVA_POZNAMKA='pozn. smlouvy',"
        " SMLOUVA_POZNAMKY='<p>poznámky</p>' where id=%1").arg(m_id), &error), qPrintable(error));

    m_session.user = UserRights();
    m_session.user.fakturace = 2;
    m_session.user.os = 2;
    m_session.copyNameToClipboard = false;
    m_session.setSelection(m_id, QVariant());
    m_page = new PodnikPage(&m_session);
    ui = m_page->form();
    m_page->applyRights();
}

void TstPodnikPage::cleanup()
{
    delete m_page;
    m_page = nullptr;
    ui = nullptr;
}

void TstPodnikPage::loadFillsEveryField()
{
    m_page->setCodesToNames([](const QString &codes) { return codes == QLatin1String("JN,PK") ? QStringLiteral("Jan Novák,Petr Kos") : codes; });
    m_page->load();

    QCOMPARE(ui->ppodnik->text(), QStringLiteral("Agro Vysočina, a.s."));
    QCOMPARE(ui->pholding->text(), QStringLiteral("Agro Holding"));
    QCOMPARE(ui->ico->text(), QStringLiteral("12345678"));
    QCOMPARE(ui->ch6->text(), QStringLiteral("123456"));
    QCOMPARE(ui->zeme->currentText(), QStringLiteral("CZ"));
    QCOMPARE(ui->okres->text(), QStringLiteral("Jihlava"));
    QCOMPARE(ui->obr->text(), QStringLiteral("ST,TA"));
    QCOMPARE(ui->obr_poznamka->text(), QStringLiteral("dva regiony"));
    QCOMPARE(ui->kontakt_jmeno->text(), QStringLiteral("Jan Novák"));
    QCOMPARE(ui->kontakt_adresa->text(), QStringLiteral("Lipová 1, Jihlava"));
    QCOMPARE(ui->kontakt_telefon->text(), QStringLiteral("777 111 222"));
    QCOMPARE(ui->kontakt_email->text(), QStringLiteral("jan@agro.cz"));
    QCOMPARE(ui->skot_ks->text(), QStringLiteral("1200"));
    QCOMPARE(ui->dojnice_ks->text(), QStringLiteral("500"));
    QCOMPARE(ui->dojnice_plemeno->text(), QStringLiteral("H"));
    QCOMPARE(ui->masny_ks->text(), QStringLiteral("40"));
    QCOMPARE(ui->masny_plemeno->text(), QStringLiteral("Charolais"));
    QCOMPARE(ui->sw->currentText(), QStringLiteral("Tellmark"));
    QCOMPARE(ui->sw_poznamka->text(), QStringLiteral("od 2010"));
    QCOMPARE(ui->ue->currentText(), QStringLiteral("Zootechnici"));
    QCOMPARE(ui->ue_poznamka->text(), QStringLiteral("ručně"));
    QCOMPARE(ui->ucto->currentText(), QStringLiteral("Winfas"));
    QCOMPARE(ui->ucto_poznamka->text(), QStringLiteral("účetní"));
    // The person field keeps the codes and shows the names.
    QCOMPARE(ui->oodpovedna_osoba->Id(), QStringLiteral("JN,PK"));
    QCOMPARE(ui->oodpovedna_osoba->text(), QStringLiteral("Jan Novák,Petr Kos"));
    QCOMPARE(ui->o_vztah_se_zakaznikem->currentIndex(), 4);
    QCOMPARE(ui->o_kontaktni_osoba->text(), QStringLiteral("Petr"));
    QCOMPARE(ui->o_priorita->currentIndex(), 2);
    QCOMPARE(ui->o_telefon->text(), QStringLiteral("602"));
    QCOMPARE(ui->o_email->text(), QStringLiteral("p@agro.cz"));
    QCOMPARE(ui->o_posledni_kontakt->date(), QDate(2024, 3, 1));
    QCOMPARE(ui->o_posledni_kontakt_osoba->text(), QStringLiteral("Eva"));
    QCOMPARE(ui->o_dalsi_kontakt->date(), QDate(2024, 6, 30));
    QCOMPARE(ui->o_predvedeni->date(), QDate(2023, 11, 15));
    QCOMPARE(ui->o_predvedeni_osoba->text(), QStringLiteral("Karel"));
    QCOMPARE(ui->o_nabidka_odeslana->date(), QDate(2023, 12, 1));
    QCOMPARE(ui->o_stav->currentText(), QStringLiteral("Poptávka"));
    QCOMPARE(ui->o_poznamka->text(), QStringLiteral("sw pozn"));
    QCOMPARE(ui->o_nabidkat_odeslana->date(), QDate(2024, 1, 10));
    QCOMPARE(ui->o_stavt->currentText(), QStringLiteral("Podepsáno"));
    QCOMPARE(ui->o_poznamkat->text(), QStringLiteral("tech pozn"));
    QCOMPARE(ui->smlouva_organizace->text(), QStringLiteral("Agro a.s."));
    QCOMPARE(ui->smlouva_cislo->text(), QStringLiteral("S-15"));
    QCOMPARE(ui->smlouva_podepsano->date(), QDate(2022, 5, 5));
    QCOMPARE(ui->smlouva_fakturace_od->date(), QDate(2022, 6, 1));
    QCOMPARE(ui->smlouva_fakturace_castka_rok->text().toDouble(), 1500.0);
    QCOMPARE(ui->smlouva_fakturace_mena->text(), QStringLiteral("CZK"));
    QCOMPARE(ui->smlouva_fakturace_sleva->text().toDouble(), 10.0);
    QCOMPARE(ui->smlouva_fakturace_sleva_obdobi->text().toDouble(), 6.0);
    QCOMPARE(ui->smlouva_fakturace_mesice->text(), QStringLiteral("1,7"));
    QCOMPARE(ui->smlouva_fakturace_obdobi->text(), QStringLiteral("pololetí"));
    QCOMPARE(ui->smlouva_fakturace_zpetne->text(), QStringLiteral("ne"));
    QCOMPARE(ui->smlouva_poznamka->text(), QStringLiteral("pozn. smlouvy"));
    QCOMPARE(ui->smlouva_poznamky->toPlainText(), QStringLiteral("poznámky"));
    QCOMPARE(m_page->loadedGps().toString(), QStringLiteral("49.4,15.6"));

    // A freshly loaded page is clean.
    QVERIFY(!ui->podnik_uloz->isEnabled());
    QVERIFY(!m_page->isDirty());
}

void TstPodnikPage::loadMatchesCodeListsIgnoringCase()
{
    QVERIFY(TestDb::exec(QStringLiteral("update tellmark_podniky set ZEME='cz', SW='KORBANIT skot', UE='portál FARMÁŘE',"
                                        " UCTO='bílý motýl', O_STAV='vypovězeno', O_STAVT='zamítnuto' where id=%1").arg(m_id)));
    m_page->load();
    QCOMPARE(ui->zeme->currentText(), QStringLiteral("CZ"));
    QCOMPARE(ui->sw->currentText(), QStringLiteral("Korbanit Skot"));
    QCOMPARE(ui->ue->currentText(), QStringLiteral("Portál farmáře"));
    QCOMPARE(ui->ucto->currentText(), QStringLiteral("Bílý motýl"));
    QCOMPARE(ui->o_stav->currentText(), QStringLiteral("Vypovězeno"));
    QCOMPARE(ui->o_stavt->currentText(), QStringLiteral("Zamítnuto"));

    // Saved unchanged, the entries are stored in their own spelling.
    QVERIFY(m_page->save());
    QCOMPARE(columnText(m_id, QStringLiteral("ZEME")), QStringLiteral("CZ"));
    QCOMPARE(columnText(m_id, QStringLiteral("UCTO")), QStringLiteral("Bílý motýl"));
    QCOMPARE(columnText(m_id, QStringLiteral("O_STAV")), QStringLiteral("Vypovězeno"));
}

void TstPodnikPage::editAndSaveRoundTrip()
{
    m_page->load();
    ui->ico->setText(QStringLiteral(" 876 54\n321 "));
    ui->ch6->setText(QStringLiteral("654321"));
    ui->zeme->setCurrentText(QStringLiteral("SK"));
    ui->okres->setText(QStringLiteral("Třebíč"));
    ui->obr->setText(QStringLiteral("UH"));
    ui->obr_poznamka->setText(QStringLiteral("nový"));
    ui->kontakt_jmeno->setText(QStringLiteral("Žofie Řeháková"));
    ui->kontakt_adresa->setText(QStringLiteral("Hlavní 2"));
    ui->kontakt_telefon->setText(QStringLiteral("603"));
    ui->kontakt_email->setText(QStringLiteral("z@r.cz"));
    ui->skot_ks->setText(QStringLiteral("1300"));
    ui->dojnice_ks->setText(QStringLiteral("600"));
    ui->dojnice_plemeno->setText(QStringLiteral("C"));
    ui->masny_ks->setText(QStringLiteral("50"));
    ui->masny_plemeno->setText(QStringLiteral("Angus"));
    ui->sw->setCurrentText(QStringLiteral("Norvex"));
    ui->sw_poznamka->setText(QStringLiteral("sw"));
    ui->ue->setCurrentText(QStringLiteral("Bravel"));
    ui->ue_poznamka->setText(QStringLiteral("ue"));
    ui->ucto->setCurrentText(QStringLiteral("Ekosoft"));
    ui->ucto_poznamka->setText(QStringLiteral("ucto"));
    m_page->setPersonChooser([](QWidget *, QString *codes) { *codes = QStringLiteral("EV"); return true; });
    m_page->onSelectOOO();
    ui->o_vztah_se_zakaznikem->setCurrentIndex(0);
    ui->o_kontaktni_osoba->setText(QStringLiteral("Olga"));
    ui->o_priorita->setCurrentIndex(5);
    ui->o_telefon->setText(QStringLiteral("604"));
    ui->o_email->setText(QStringLiteral("o@r.cz"));
    ui->o_posledni_kontakt->setDate(QDate(2025, 1, 2));
    ui->o_posledni_kontakt_osoba->setText(QStringLiteral("Ivan"));
    ui->o_dalsi_kontakt->setDate(QDate(2025, 2, 3));
    ui->o_predvedeni->setDate(QDate(2025, 3, 4));
    ui->o_predvedeni_osoba->setText(QStringLiteral("Jana"));
    ui->o_nabidka_odeslana->setDate(QDate(2025, 4, 5));
    ui->o_stav->setCurrentText(QStringLiteral("Zamítnuto"));
    ui->o_poznamka->setText(QStringLiteral("op"));
    ui->o_nabidkat_odeslana->setDate(QDate(2025, 5, 6));
    ui->o_stavt->setCurrentText(QStringLiteral("Rozpracováno"));
    ui->o_poznamkat->setText(QStringLiteral("opt"));
    ui->smlouva_organizace->setText(QStringLiteral("Agro SK"));
    ui->smlouva_cislo->setText(QStringLiteral("S-16"));
    ui->smlouva_podepsano->setDate(QDate(2025, 6, 7));
    ui->smlouva_fakturace_od->setDate(QDate(2025, 7, 1));
    ui->smlouva_fakturace_castka_rok->setText(QStringLiteral("2500.5"));
    ui->smlouva_fakturace_mena->setText(QStringLiteral("EUR"));
    ui->smlouva_fakturace_sleva->setText(QStringLiteral("5"));
    ui->smlouva_fakturace_sleva_obdobi->setText(QStringLiteral("3"));
    ui->smlouva_fakturace_mesice->setText(QStringLiteral("1"));
    ui->smlouva_fakturace_obdobi->setText(QStringLiteral("rok"));
    ui->smlouva_fakturace_zpetne->setText(QStringLiteral("ano"));
    ui->smlouva_poznamka->setText(QStringLiteral("sp"));
    ui->smlouva_poznamky->setHtml(QStringLiteral("<b>Důležité</b>"));

    QVERIFY(ui->podnik_uloz->isEnabled());
    QTest::mouseClick(ui->podnik_uloz, Qt::LeftButton);
    QVERIFY(!ui->podnik_uloz->isEnabled());
    QVERIFY(!m_page->isDirty());

    const QList<QPair<const char *, QString>> expected = {
        {"ICO", QStringLiteral("87654321")}, {"CH6", QStringLiteral("654321")}, {"ZEME", QStringLiteral("SK")},
        {"OKRES", QStringLiteral("Třebíč")}, {"OBR", QStringLiteral("UH")}, {"OBR_POZNAMKA", QStringLiteral("nový")},
        {"KONTAKT_JMENO", QStringLiteral("Žofie Řeháková")}, {"KONTAKT_ADRESA", QStringLiteral("Hlavní 2")},
        {"KONTAKT_TELEFON", QStringLiteral("603")}, {"KONTAKT_EMAIL", QStringLiteral("z@r.cz")},
        {"SKOT_KS", QStringLiteral("1300")}, {"DOJNICE_KS", QStringLiteral("600")}, {"DOJNICE_PLEMENO", QStringLiteral("C")},
        {"MASNY_KS", QStringLiteral("50")}, {"MASNY_PLEMENO", QStringLiteral("Angus")}, {"SW", QStringLiteral("Norvex")},
        {"SW_POZNAMKA", QStringLiteral("sw")}, {"UE", QStringLiteral("Bravel")}, {"UE_POZNAMKA", QStringLiteral("ue")},
        {"UCTO", QStringLiteral("Ekosoft")}, {"UCTO_POZNAMKA", QStringLiteral("ucto")},
        {"O_ODPOVEDNA_OSOBA", QStringLiteral("EV")}, {"O_VZTAH_SE_ZAKAZNIKEM", QStringLiteral("0")},
        {"O_KONTAKTNI_OSOBA", QStringLiteral("Olga")}, {"O_PRIORITA", QStringLiteral("5")},
        {"O_TELEFON", QStringLiteral("604")}, {"O_EMAIL", QStringLiteral("o@r.cz")},
        {"O_POSLEDNI_KONTAKT_OSOBA", QStringLiteral("Ivan")}, {"O_PREDVEDENI_OSOBA", QStringLiteral("Jana")},
        {"O_STAV", QStringLiteral("Zamítnuto")}, {"O_POZNAMKA", QStringLiteral("op")},
        {"O_STAVT", QStringLiteral("Rozpracováno")}, {"O_POZNAMKAT", QStringLiteral("opt")},
        {"SMLOUVA_ORGANIZACE", QStringLiteral("Agro SK")}, {"SMLOUVA_CISLO", QStringLiteral("S-16")},
        {"SMLOUVA_FAKTURACE_MENA", QStringLiteral("EUR")}, {"SMLOUVA_FAKTURACE_MESICE", QStringLiteral("1")},
        {"SMLOUVA_FAKTURACE_OBDOBI", QStringLiteral("rok")}, {"SMLOUVA_FAKTURACE_ZPETNE", QStringLiteral("ano")},
        {"SMLOUVA_POZNAMKA", QStringLiteral("sp")}, {"podnik_nazev", QStringLiteral("Agro Vysočina, a.s.")},
        {"GPS", QStringLiteral("49.4,15.6")},
    };
    for (const auto &e : expected)
        QVERIFY2(columnText(m_id, QLatin1String(e.first)) == e.second,
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(e.first), columnText(m_id, QLatin1String(e.first)))));
    QCOMPARE(column(m_id, QStringLiteral("SMLOUVA_FAKTURACE_CASTKA_ROK")).toDouble(), 2500.5);
    QCOMPARE(column(m_id, QStringLiteral("SMLOUVA_FAKTURACE_SLEVA")).toDouble(), 5.0);
    QCOMPARE(column(m_id, QStringLiteral("SMLOUVA_FAKTURACE_SLEVA_OBDOBI")).toDouble(), 3.0);

    const QList<QPair<const char *, QDate>> dates = {
        {"O_POSLEDNI_KONTAKT", QDate(2025, 1, 2)}, {"O_DALSI_KONTAKT", QDate(2025, 2, 3)},
        {"O_PREDVEDENI", QDate(2025, 3, 4)}, {"O_NABIDKA_ODESLANA", QDate(2025, 4, 5)},
        {"O_NABIDKAT_ODESLANA", QDate(2025, 5, 6)}, {"SMLOUVA_PODEPSANO", QDate(2025, 6, 7)},
        {"SMLOUVA_FAKTURACE_OD", QDate(2025, 7, 1)},
    };
    for (const auto &e : dates)
        QVERIFY2(columnDate(m_id, QLatin1String(e.first)) == e.second, e.first);

    // The notes are the editor's HTML with the charset tag, as UTF-8.
    const QString notes = columnText(m_id, QStringLiteral("SMLOUVA_POZNAMKY"));
    QVERIFY(notes.contains(QStringLiteral("<meta name=\"qrichtext\" content=\"1\" /><meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />")));
    QVERIFY(notes.contains(QStringLiteral("Důležité")));

    // Reloading shows what was saved, clean.
    m_page->clear();
    m_page->load();
    QCOMPARE(ui->ico->text(), QStringLiteral("87654321"));
    QCOMPARE(ui->zeme->currentText(), QStringLiteral("SK"));
    QCOMPARE(ui->o_priorita->currentIndex(), 5);
    QCOMPARE(ui->o_vztah_se_zakaznikem->currentIndex(), 0);
    QCOMPARE(ui->smlouva_fakturace_od->date(), QDate(2025, 7, 1));
    QCOMPARE(ui->smlouva_poznamky->toPlainText(), QStringLiteral("Důležité"));
    QCOMPARE(ui->oodpovedna_osoba->Id(), QStringLiteral("EV"));
    QVERIFY(!ui->podnik_uloz->isEnabled());
}

void TstPodnikPage::emptyFieldsStoreNull()
{
    m_page->load();
    for (QLineEdit *edit : ui->podnik_form->findChildren<QLineEdit *>()) {
        if (!edit->isReadOnly())
            edit->clear();
    }
    for (QComboBox *box : ui->podnik_form->findChildren<QComboBox *>())
        box->setCurrentIndex(0);
    for (QFDateEdit *date : ui->podnik_form->findChildren<QFDateEdit *>())
        date->setDate(QDate());
    ui->oodpovedna_osoba->clear();
    QVERIFY(m_page->save());

    const QStringList nullColumns = {
        QStringLiteral("CH6"), QStringLiteral("ZEME"), QStringLiteral("OKRES"), QStringLiteral("OBR"),
        QStringLiteral("OBR_POZNAMKA"), QStringLiteral("KONTAKT_JMENO"), QStringLiteral("KONTAKT_ADRESA"),
        QStringLiteral("KONTAKT_TELEFON"), QStringLiteral("KONTAKT_EMAIL"), QStringLiteral("SKOT_KS"),
        QStringLiteral("DOJNICE_KS"), QStringLiteral("DOJNICE_PLEMENO"), QStringLiteral("MASNY_KS"),
        QStringLiteral("MASNY_PLEMENO"), QStringLiteral("SW"), QStringLiteral("SW_POZNAMKA"), QStringLiteral("UE"),
        QStringLiteral("UE_POZNAMKA"), QStringLiteral("UCTO"), QStringLiteral("UCTO_POZNAMKA"),
        QStringLiteral("O_ODPOVEDNA_OSOBA"), QStringLiteral("O_KONTAKTNI_OSOBA"), QStringLiteral("O_TELEFON"),
        QStringLiteral("O_EMAIL"), QStringLiteral("O_POSLEDNI_KONTAKT"), QStringLiteral("O_POSLEDNI_KONTAKT_OSOBA"),
        QStringLiteral("O_DALSI_KONTAKT"), QStringLiteral("O_PREDVEDENI"), QStringLiteral("O_PREDVEDENI_OSOBA"),
        QStringLiteral("O_NABIDKA_ODESLANA"), QStringLiteral("O_STAV"), QStringLiteral("O_POZNAMKA"),
        QStringLiteral("O_NABIDKAT_ODESLANA"), QStringLiteral("O_STAVT"), QStringLiteral("O_POZNAMKAT"),
        QStringLiteral("SMLOUVA_ORGANIZACE"), QStringLiteral("SMLOUVA_CISLO"), QStringLiteral("SMLOUVA_PODEPSANO"),
        QStringLiteral("SMLOUVA_FAKTURACE_OD"), QStringLiteral("SMLOUVA_FAKTURACE_CASTKA_ROK"),
        QStringLiteral("SMLOUVA_FAKTURACE_MENA"), QStringLiteral("SMLOUVA_FAKTURACE_SLEVA"),
        QStringLiteral("SMLOUVA_FAKTURACE_SLEVA_OBDOBI"), QStringLiteral("SMLOUVA_FAKTURACE_MESICE"),
        QStringLiteral("SMLOUVA_FAKTURACE_OBDOBI"), QStringLiteral("SMLOUVA_FAKTURACE_ZPETNE"),
        QStringLiteral("SMLOUVA_POZNAMKA"),
    };
    for (const QString &name : nullColumns)
        QVERIFY2(column(m_id, name).isNull(), qPrintable(name + QStringLiteral(" is ") + columnText(m_id, name)));

    // The enterprise's IČO is the one column that keeps an empty text, and
    // the two index lists store index 0.
    QVERIFY(!column(m_id, QStringLiteral("ICO")).isNull());
    QCOMPARE(columnText(m_id, QStringLiteral("ICO")), QString());
    QCOMPARE(column(m_id, QStringLiteral("O_VZTAH_SE_ZAKAZNIKEM")).toInt(), 0);
    QVERIFY(!column(m_id, QStringLiteral("O_VZTAH_SE_ZAKAZNIKEM")).isNull());
    QCOMPARE(column(m_id, QStringLiteral("O_PRIORITA")).toInt(), 0);
    QVERIFY(!column(m_id, QStringLiteral("O_PRIORITA")).isNull());
}

void TstPodnikPage::unknownCodeListValueIsDropped()
{
    // A value another tool wrote, not among the entries, shows as "Neurčeno"
    // and is written back as NULL.
    QVERIFY(TestDb::exec(QStringLiteral("update tellmark_podniky set SW='Excel', ZEME='Česko', O_STAVT='Vypovězeno',"
                                        " O_PRIORITA=9 where id=%1").arg(m_id)));
    m_page->load();
    QCOMPARE(ui->sw->currentText(), QStringLiteral("Neurčeno"));
    QCOMPARE(ui->zeme->currentText(), QStringLiteral("Neurčeno"));
    QCOMPARE(ui->o_stavt->currentText(), QStringLiteral("Neurčeno"));  // only "Stav SW" has it
    QCOMPARE(ui->o_priorita->currentIndex(), 0);
    QVERIFY(m_page->save());
    QVERIFY(column(m_id, QStringLiteral("SW")).isNull());
    QVERIFY(column(m_id, QStringLiteral("ZEME")).isNull());
    QVERIFY(column(m_id, QStringLiteral("O_STAVT")).isNull());
    QCOMPARE(column(m_id, QStringLiteral("O_PRIORITA")).toInt(), 0);
    QCOMPARE(columnText(m_id, QStringLiteral("UE")), QStringLiteral("Zootechnici"));
}

void TstPodnikPage::saveButtonFollowsEdits_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("line edit") << QStringLiteral("kontakt_telefon");
    QTest::newRow("invoicing line edit") << QStringLiteral("smlouva_fakturace_mena");
    QTest::newRow("code list") << QStringLiteral("ue");
    QTest::newRow("index list") << QStringLiteral("o_priorita");
    QTest::newRow("date") << QStringLiteral("o_dalsi_kontakt");
    QTest::newRow("notes") << QStringLiteral("smlouva_poznamky");
    QTest::newRow("responsible person") << QStringLiteral("oodpovedna_osoba");
}

void TstPodnikPage::saveButtonFollowsEdits()
{
    QFETCH(QString, field);
    m_page->load();
    QVERIFY(!ui->podnik_uloz->isEnabled());
    QSignalSpy dirty(m_page, &ZrnPage::dirtyChanged);

    QWidget *w = m_page->findChild<QWidget *>(field);
    QVERIFY(w);
    if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        edit->setFocus();
        QTest::keyClicks(edit, QStringLiteral("9"));
    } else if (auto *box = qobject_cast<QComboBox *>(w)) {
        box->setCurrentIndex(box->currentIndex() == 1 ? 2 : 1);
    } else if (auto *date = qobject_cast<QFDateEdit *>(w)) {
        date->setDate(QDate(2030, 1, 1));
    } else if (auto *notes = qobject_cast<QTextEdit *>(w)) {
        QTest::keyClicks(notes, QStringLiteral("x"));
    } else if (qobject_cast<QFEditWithButton *>(w)) {
        m_page->setPersonChooser([](QWidget *, QString *codes) { *codes = QStringLiteral("XY"); return true; });
        QTest::mouseClick(ui->oodpovedna_osoba->button(), Qt::LeftButton);
    }
    QVERIFY(ui->podnik_uloz->isEnabled());
    QVERIFY(m_page->isDirty());
    QCOMPARE(dirty.count(), 1);

    QTest::mouseClick(ui->podnik_uloz, Qt::LeftButton);
    QVERIFY(!ui->podnik_uloz->isEnabled());
    QVERIFY(!m_page->isDirty());

    // Loading another enterprise leaves the page clean as well.
    const int other = insertEnterprise(QStringLiteral("Druhý podnik"));
    QTest::keyClicks(ui->kontakt_jmeno, QStringLiteral("a"));
    QVERIFY(ui->podnik_uloz->isEnabled());
    m_session.setSelection(other, QVariant());
    m_page->load();
    QCOMPARE(ui->ppodnik->text(), QStringLiteral("Druhý podnik"));
    QVERIFY(ui->kontakt_jmeno->text().isEmpty());
    QVERIFY(!ui->podnik_uloz->isEnabled());
    QVERIFY(!m_page->isDirty());
}

void TstPodnikPage::failedSaveKeepsTheEdit()
{
    m_page->load();
    QTest::keyClicks(ui->kontakt_jmeno, QStringLiteral(" ml."));
    QString error;
    QVERIFY2(TestDb::exec(QStringLiteral("drop table tellmark_podniky"), &error), qPrintable(error));

    MessageCatcher message;
    QTest::mouseClick(ui->podnik_uloz, Qt::LeftButton);
    QCOMPARE(message.title, QStringLiteral("ZRN"));
    QVERIFY2(message.text.startsWith(QStringLiteral("Chyba:")), qPrintable(message.text));
    QVERIFY2(message.text.contains(QStringLiteral("tellmark_podniky"), Qt::CaseInsensitive), qPrintable(message.text));
    QVERIFY(ui->podnik_uloz->isEnabled());
    QVERIFY(m_page->isDirty());
    QCOMPARE(ui->kontakt_jmeno->text(), QStringLiteral("Jan Novák ml."));

    // A fresh schema for the tests that follow.
    QVERIFY2(TestDb::open(&error), qPrintable(error));
}

void TstPodnikPage::invoicingRights_data()
{
    QTest::addColumn<int>("fakturace");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("editable");
    QTest::newRow("0: hidden") << 0 << false << false;
    QTest::newRow("1: read-only") << 1 << true << false;
    QTest::newRow("2: editable") << 2 << true << true;
    QTest::newRow("3: editable") << 3 << true << true;
}

void TstPodnikPage::invoicingRights()
{
    QFETCH(int, fakturace);
    QFETCH(bool, shown);
    QFETCH(bool, editable);
    m_session.user.fakturace = fakturace;
    m_page->applyRights();
    m_page->load();

    QCOMPARE(!ui->fakturace_box->isHidden(), shown);
    if (!shown)
        return;
    // Read-only still shows the values.
    QCOMPARE(ui->smlouva_cislo->text(), QStringLiteral("S-15"));
    QCOMPARE(ui->smlouva_fakturace_od->date(), QDate(2022, 6, 1));
    for (auto *edit : {ui->smlouva_organizace, ui->smlouva_cislo, ui->smlouva_fakturace_castka_rok,
                       ui->smlouva_fakturace_mena, ui->smlouva_fakturace_sleva, ui->smlouva_fakturace_sleva_obdobi,
                       ui->smlouva_fakturace_mesice, ui->smlouva_fakturace_obdobi, ui->smlouva_fakturace_zpetne,
                       ui->smlouva_poznamka})
        QVERIFY2(edit->isReadOnly() == !editable, qPrintable(edit->objectName()));
    QCOMPARE(ui->smlouva_fakturace_od->isReadOnly(), !editable);
    QCOMPARE(ui->smlouva_podepsano->isReadOnly(), !editable);
    // The other blocks are never locked by this right.
    QVERIFY(!ui->kontakt_jmeno->isReadOnly());
    QVERIFY(!ui->o_dalsi_kontakt->isReadOnly());
}

void TstPodnikPage::maintenanceRights_data()
{
    QTest::addColumn<int>("os");
    QTest::addColumn<bool>("enterprise");
    QTest::addColumn<bool>("addCentre");
    QTest::newRow("0: nothing") << 0 << false << false;
    QTest::newRow("1: centres only") << 1 << false << true;
    QTest::newRow("2: everything") << 2 << true << true;
}

void TstPodnikPage::maintenanceRights()
{
    QFETCH(int, os);
    QFETCH(bool, enterprise);
    QFETCH(bool, addCentre);
    m_session.user.os = os;
    m_page->applyRights();
    QCOMPARE(!ui->podnik_edit->isHidden(), enterprise);
    QCOMPARE(!ui->podnik_del->isHidden(), enterprise);
    QCOMPARE(!ui->stredisko_add->isHidden(), addCentre);
    QCOMPARE(ui->podnik_edit->text(), QStringLiteral("Upravit"));
    QCOMPARE(ui->podnik_del->text(), QStringLiteral("Smazat"));
}

void TstPodnikPage::clipboardOption()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("předtím"));
    m_page->load();
    QCOMPARE(clipboard->text(), QStringLiteral("předtím"));

    m_session.copyNameToClipboard = true;
    m_page->load();
    QCOMPARE(clipboard->text(), QStringLiteral("Agro Vysočina, a.s."));
}

void TstPodnikPage::documentFolder()
{
    QStringList opened;
    setFolderOpener([&opened](const QString &path) { opened << path; });
    m_session.documentRoot = QStringLiteral("/data/Nextcloud");
    m_page->load();
    QTest::mouseClick(ui->pdir, Qt::LeftButton);
    QCOMPARE(ui->pdir->text(), QStringLiteral("Soubory"));

    // A centre of the enterprise opens the same folder.
    QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id_podnik,akce_nazev) values(%1,'Farma')").arg(m_id)));
    QSSQL q;
    QVERIFY(q.exec(QStringLiteral("select max(id) from tellmark_strediska")) && q.next());
    QVERIFY(openCentreFolder(q.value(0), m_session.documentRoot));
    // A deleted enterprise opens nothing.
    QVERIFY(!openEnterpriseFolder(m_id + 1000, m_session.documentRoot));
    setFolderOpener(FolderOpener());

    QCOMPARE(opened, (QStringList{QStringLiteral("/data/Nextcloud/ZRN/Agro Vysočina"),
                                  QStringLiteral("/data/Nextcloud/ZRN/Agro Vysočina")}));
}

QTEST_MAIN(TstPodnikPage)
#include "tst_podnikpage.moc"
