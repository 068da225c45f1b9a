#include "register/podnikpage.h"
#include "ui_podnikpage.h"

#include "app/session.h"
#include "db/qssql.h"
#include "events/dialogauoouzivatel.h"
#include "events/eciselniky.h"
#include "register/columnvalues.h"
#include "register/documentfolders.h"
#include "register/richtext.h"
#include "widgets/qstbtextedit.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

namespace {

// One row of the enterprise with its holding name; the columns are read by
// position below.
const char kSelectPodnik[] =
    "select SMLOUVA_ORGANIZACE,SMLOUVA_CISLO,SMLOUVA_FAKTURACE_OD,"
    "       SMLOUVA_FAKTURACE_CASTKA_ROK,SMLOUVA_FAKTURACE_SLEVA,"
    "       SMLOUVA_FAKTURACE_SLEVA_OBDOBI,SMLOUVA_FAKTURACE_MESICE,"
    "       SMLOUVA_FAKTURACE_OBDOBI,SMLOUVA_FAKTURACE_ZPETNE,SMLOUVA_FAKTURACE_MENA,"
    "       SMLOUVA_POZNAMKY,OBR,ICO,GPS,"
    "        tellmark_podniky.podnik_nazev,tellmark_holding.NAZEV_HOLDING,"
    "        KONTAKT_JMENO,KONTAKT_ADRESA,KONTAKT_TELEFON,KONTAKT_EMAIL,"
    "        OKRES,OBR_POZNAMKA,"
    "        SKOT_KS,DOJNICE_KS,DOJNICE_PLEMENO,MASNY_KS,MASNY_PLEMENO,"
    "        UCTO,UCTO_POZNAMKA,UE,UE_POZNAMKA,"
    "        O_ODPOVEDNA_OSOBA,O_VZTAH_SE_ZAKAZNIKEM,O_KONTAKTNI_OSOBA,"
    "        O_PRIORITA,O_TELEFON,O_EMAIL,O_POSLEDNI_KONTAKT,"
    "        O_POSLEDNI_KONTAKT_OSOBA,O_DALSI_KONTAKT,O_PREDVEDENI,"
    "        O_PREDVEDENI_OSOBA,O_NABIDKA_ODESLANA,O_STAV,O_POZNAMKA,"
    "        ZEME,SW,SW_POZNAMKA,O_NABIDKAT_ODESLANA,O_STAVT,O_POZNAMKAT,CH6,"
    "       SMLOUVA_PODEPSANO,SMLOUVA_POZNAMKA"
    "        from tellmark_podniky"
    "        left join tellmark_holding on tellmark_podniky.id_holding=tellmark_holding.id"
    "        where tellmark_podniky.id=:id";

const char kUpdatePodnik[] =
    "update tellmark_podniky set   ICO =:v12,   CH6 =:ch6,  OBR =:v13,  KONTAKT_JMENO =:v14,"
    "  KONTAKT_ADRESA =:v15,  KONTAKT_TELEFON =:v16,  KONTAKT_EMAIL =:v17,  OKRES =:v18,"
    "  OBR_POZNAMKA =:v19,  SKOT_KS =:v20,  DOJNICE_KS =:v21,  DOJNICE_PLEMENO =:v22,"
    "  MASNY_KS =:v23,  MASNY_PLEMENO =:v24,  UCTO =:v25,  UCTO_POZNAMKA =:v26,  UE =:v27,"
    "  UE_POZNAMKA =:v28,  SMLOUVA_ORGANIZACE =:v1,  SMLOUVA_CISLO=:v2,"
    "  SMLOUVA_FAKTURACE_OD=:v3,  SMLOUVA_FAKTURACE_CASTKA_ROK=:v4,"
    "  SMLOUVA_FAKTURACE_SLEVA=:v5,  SMLOUVA_FAKTURACE_SLEVA_OBDOBI=:v6,"
    "  SMLOUVA_FAKTURACE_MESICE=:v7,  SMLOUVA_FAKTURACE_OBDOBI=:v8,"
    "  SMLOUVA_FAKTURACE_ZPETNE=:v9,  SMLOUVA_FAKTURACE_MENA=:v10,  SMLOUVA_POZNAMKY=:v11,"
    "   O_ODPOVEDNA_OSOBA=:v30,   O_VZTAH_SE_ZAKAZNIKEM=:v31,   O_KONTAKTNI_OSOBA=:v32,"
    "   O_PRIORITA=:v33,   O_TELEFON=:v34,   O_EMAIL=:v35,   O_POSLEDNI_KONTAKT=:v36,"
    "   O_POSLEDNI_KONTAKT_OSOBA=:v37,   O_DALSI_KONTAKT=:v38,   O_PREDVEDENI=:v39,"
    "   O_PREDVEDENI_OSOBA=:v40,   O_NABIDKA_ODESLANA=:v41,   O_STAV=:v42,   O_POZNAMKA=:v43,"
    "   ZEME=:v44,   SW =:v45,  SW_POZNAMKA =:v46,   O_NABIDKAT_ODESLANA=:v47,   O_STAVT=:v48,"
    "   O_POZNAMKAT=:v49,   SMLOUVA_PODEPSANO=:podepsano,   SMLOUVA_POZNAMKA=:spoznamka "
    " where id=:id";

QStringList entries(const QComboBox *box)
{
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

void setCodeList(QComboBox *box, const QVariant &stored)
{
    box->setCurrentIndex(ColumnValues::codeListIndex(entries(box), stored));
}

QVariant codeList(const QComboBox *box)
{
    return ColumnValues::codeListEntry(entries(box), box->currentIndex());
}

// The page's own fields sit directly in the group boxes; the inner edits of
// the date and person fields (and of a calendar pop-up) are left alone.
template<typename W>
QList<W *> fields(const QWidget *root)
{
    QList<W *> list;
    for (W *w : root->findChildren<W *>()) {
        if (qobject_cast<QGroupBox *>(w->parentWidget()))
            list << w;
    }
    return list;
}

bool validId(const QVariant &id)
{
    bool ok = false;
    return id.isValid() && !id.isNull() && id.toLongLong(&ok) != 0 && ok;
}

} // namespace

PodnikPage::PodnikPage(Session *session, QWidget *parent)
    : ZrnPage(session, parent)
    , ui(new Ui::PodnikPage)
    , m_notesBar(new QSTBTextedit(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("tab_podnik"));
    m_notesBar->createTB(ui->podnik_poznamky_box, ui->smlouva_poznamky, font(), false);
    // The names shown must match the codes kept: only the picker sets them.
    ui->oodpovedna_osoba->setTextEditable(false);
    m_codesToNames = [](const QString &codes) { return ECiselniky().codesToNames(codes); };
    m_personChooser = [this](QWidget *parent, QString *codes) {
        return DialogAUOOUzivatel::choose(parent, tr("Výběr odpovedené osoby"), this->session()->addressees, codes);
    };
    ui->splitter_3->setStretchFactor(0, 3);
    ui->splitter_3->setStretchFactor(1, 2);
    ui->splitter_3->setSizes({600, 400});

    // A long enterprise or holding name must not widen the window past the
    // screen (the save button would leave it): the labels give way and
    // show the whole name as a tool tip.
    for (QLabel *name : {ui->ppodnik, ui->pholding}) {
        name->setMinimumWidth(60);
    }
    setSaveButton(ui->podnik_uloz);
    setEditorAreas({ui->podnik_form, ui->podnik_poznamky_box});
    setHasRow(false);
    connectChanges();
    connect(ui->podnik_uloz, &QPushButton::clicked, this, &PodnikPage::onPodnikSave);
    connect(ui->oodpovedna_osoba, &QFEditWithButton::buttonClicked, this, &PodnikPage::onSelectOOO);
    connect(ui->pdir, &QPushButton::clicked, this, &PodnikPage::onZRNSouboryPodnik);
    connect(ui->podnik_edit, &QPushButton::clicked, this, &PodnikPage::onEditPodnik);
    connect(ui->podnik_del, &QPushButton::clicked, this, &PodnikPage::onDelPodnik);
    connect(ui->stredisko_add, &QPushButton::clicked, this, &PodnikPage::onAddStredisko);
}

PodnikPage::~PodnikPage()
{
    delete ui;
}

Ui::PodnikPage *PodnikPage::form() const
{
    return ui;
}

QString PodnikPage::podnikName() const
{
    return ui->ppodnik->text();
}

void PodnikPage::setCodesToNames(CodesToNames convert)
{
    m_codesToNames = std::move(convert);
}

void PodnikPage::setPersonChooser(PersonChooser choose)
{
    m_personChooser = std::move(choose);
}

void PodnikPage::connectChanges()
{
    for (QLineEdit *edit : fields<QLineEdit>(ui->podnik_form))
        connect(edit, &QLineEdit::textChanged, this, &PodnikPage::onPodnikChanged);
    for (QComboBox *box : fields<QComboBox>(ui->podnik_form))
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &PodnikPage::onPodnikChanged);
    for (QFDateEdit *date : fields<QFDateEdit>(ui->podnik_form))
        connect(date, &QFDateEdit::dateChanged, this, &PodnikPage::onPodnikChanged);
    connect(ui->oodpovedna_osoba, &QFEditWithButton::textChanged, this, &PodnikPage::onPodnikChanged);
    connect(ui->smlouva_poznamky, &QTextEdit::textChanged, this, &PodnikPage::onPodnikChanged);
}

void PodnikPage::onPodnikChanged()
{
    markChanged();
}

void PodnikPage::clear()
{
    clearFields();
    setHasRow(false);
}

void PodnikPage::clearFields()
{
    beginFill();
    m_loadedId = QVariant();
    m_gps = QVariant();
    ui->pholding->clear();
    ui->ppodnik->clear();
    for (QLineEdit *edit : fields<QLineEdit>(ui->podnik_form))
        edit->clear();
    for (QComboBox *box : fields<QComboBox>(ui->podnik_form))
        box->setCurrentIndex(0);
    for (QFDateEdit *date : fields<QFDateEdit>(ui->podnik_form))
        date->setDate(QDate());
    ui->oodpovedna_osoba->clear();
    ui->smlouva_poznamky->clear();
    endFill();
}

void PodnikPage::load()
{
    const QVariant id = session()->s_id_podnik;
    if (!validId(id)) {
        clear();
        return;
    }
    QSSQL q;
    q.prepare(QString::fromLatin1(kSelectPodnik));
    q.bindValue(QStringLiteral(":id"), id.toLongLong());
    // A record that cannot be read leaves an empty, locked page rather than
    // the previous enterprise's data; the user is told why.
    if (!q.exec()) {
        showReadFailure(q.lastError().text());
        return;
    }
    if (!q.next()) {
        // Deleted meanwhile.
        clear();
        return;
    }
    beginFill();
    fillFromRow(q);
    m_loadedId = id;
    endFill();
    setHasRow(true);

    if (session()->copyNameToClipboard) {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(podnikName());
    }
}

void PodnikPage::fillFromRow(const QSSQL &q)
{
    using namespace ColumnValues;
    auto text = [&q](int column) { return storedText(q.value(column)); };
    auto date = [&q](int column) { return storedDate(q.value(column)); };

    ui->smlouva_organizace->setText(text(0));
    ui->smlouva_cislo->setText(text(1));
    ui->smlouva_fakturace_od->setDate(date(2));
    ui->smlouva_fakturace_castka_rok->setText(text(3));
    ui->smlouva_fakturace_sleva->setText(text(4));
    ui->smlouva_fakturace_sleva_obdobi->setText(text(5));
    ui->smlouva_fakturace_mesice->setText(text(6));
    ui->smlouva_fakturace_obdobi->setText(text(7));
    ui->smlouva_fakturace_zpetne->setText(text(8));
    ui->smlouva_fakturace_mena->setText(text(9));
    ui->smlouva_poznamky->setText(richTextFromStorage(q.value(10)));
    ui->obr->setText(text(11));
    ui->ico->setText(text(12));
    m_gps = q.value(13); // shown by the location page
    ui->ppodnik->setText(text(14));
    ui->ppodnik->setToolTip(ui->ppodnik->text());
    ui->pholding->setText(text(15));
    ui->pholding->setToolTip(ui->pholding->text());
    ui->kontakt_jmeno->setText(text(16));
    ui->kontakt_adresa->setText(text(17));
    ui->kontakt_telefon->setText(text(18));
    ui->kontakt_email->setText(text(19));
    ui->okres->setText(text(20));
    ui->obr_poznamka->setText(text(21));
    ui->skot_ks->setText(text(22));
    ui->dojnice_ks->setText(text(23));
    ui->dojnice_plemeno->setText(text(24));
    ui->masny_ks->setText(text(25));
    ui->masny_plemeno->setText(text(26));
    setCodeList(ui->ucto, q.value(27));
    ui->ucto_poznamka->setText(text(28));
    setCodeList(ui->ue, q.value(29));
    ui->ue_poznamka->setText(text(30));
    const QString persons = text(31);
    ui->oodpovedna_osoba->setId(persons);
    ui->oodpovedna_osoba->setText(m_codesToNames ? m_codesToNames(persons) : persons);
    ui->o_vztah_se_zakaznikem->setCurrentIndex(indexListIndex(ui->o_vztah_se_zakaznikem->count(), q.value(32)));
    ui->o_kontaktni_osoba->setText(text(33));
    ui->o_priorita->setCurrentIndex(indexListIndex(ui->o_priorita->count(), q.value(34)));
    ui->o_telefon->setText(text(35));
    ui->o_email->setText(text(36));
    ui->o_posledni_kontakt->setDate(date(37));
    ui->o_posledni_kontakt_osoba->setText(text(38));
    ui->o_dalsi_kontakt->setDate(date(39));
    ui->o_predvedeni->setDate(date(40));
    ui->o_predvedeni_osoba->setText(text(41));
    ui->o_nabidka_odeslana->setDate(date(42));
    setCodeList(ui->o_stav, q.value(43));
    ui->o_poznamka->setText(text(44));
    setCodeList(ui->zeme, q.value(45));
    setCodeList(ui->sw, q.value(46));
    ui->sw_poznamka->setText(text(47));
    ui->o_nabidkat_odeslana->setDate(date(48));
    setCodeList(ui->o_stavt, q.value(49));
    ui->o_poznamkat->setText(text(50));
    ui->ch6->setText(text(51));
    ui->smlouva_podepsano->setDate(date(52));
    ui->smlouva_poznamka->setText(text(53));
}

bool PodnikPage::save()
{
    // Nothing read, nothing to save (the editors are locked meanwhile).
    if (!hasRow() || !validId(m_loadedId))
        return true;
    using namespace ColumnValues;
    auto line = [](const QLineEdit *edit) { return ColumnValues::text(edit->text()); };

    QSSQL q;
    q.prepare(QString::fromLatin1(kUpdatePodnik));
    q.bindValue(QStringLiteral(":v1"), line(ui->smlouva_organizace));
    q.bindValue(QStringLiteral(":v2"), line(ui->smlouva_cislo));
    q.bindValue(QStringLiteral(":v3"), date(ui->smlouva_fakturace_od->date()));
    q.bindValue(QStringLiteral(":v4"), line(ui->smlouva_fakturace_castka_rok));
    q.bindValue(QStringLiteral(":v5"), line(ui->smlouva_fakturace_sleva));
    q.bindValue(QStringLiteral(":v6"), line(ui->smlouva_fakturace_sleva_obdobi));
    q.bindValue(QStringLiteral(":v7"), line(ui->smlouva_fakturace_mesice));
    q.bindValue(QStringLiteral(":v8"), line(ui->smlouva_fakturace_obdobi));
    q.bindValue(QStringLiteral(":v9"), line(ui->smlouva_fakturace_zpetne));
    q.bindValue(QStringLiteral(":v10"), line(ui->smlouva_fakturace_mena));
    q.bindValue(QStringLiteral(":v11"), richTextForStorage(ui->smlouva_poznamky->toHtml()));
    // The enterprise's IČO is never NULL: an empty field stores "".
    q.bindValue(QStringLiteral(":v12"), identification(ui->ico->text()));
    q.bindValue(QStringLiteral(":ch6"), line(ui->ch6));
    q.bindValue(QStringLiteral(":v13"), line(ui->obr));
    q.bindValue(QStringLiteral(":v14"), line(ui->kontakt_jmeno));
    q.bindValue(QStringLiteral(":v15"), line(ui->kontakt_adresa));
    q.bindValue(QStringLiteral(":v16"), line(ui->kontakt_telefon));
    q.bindValue(QStringLiteral(":v17"), line(ui->kontakt_email));
    q.bindValue(QStringLiteral(":v18"), line(ui->okres));
    q.bindValue(QStringLiteral(":v19"), line(ui->obr_poznamka));
    q.bindValue(QStringLiteral(":v20"), line(ui->skot_ks));
    q.bindValue(QStringLiteral(":v21"), line(ui->dojnice_ks));
    q.bindValue(QStringLiteral(":v22"), line(ui->dojnice_plemeno));
    q.bindValue(QStringLiteral(":v23"), line(ui->masny_ks));
    q.bindValue(QStringLiteral(":v24"), line(ui->masny_plemeno));
    q.bindValue(QStringLiteral(":v25"), codeList(ui->ucto));
    q.bindValue(QStringLiteral(":v26"), line(ui->ucto_poznamka));
    q.bindValue(QStringLiteral(":v27"), codeList(ui->ue));
    q.bindValue(QStringLiteral(":v28"), line(ui->ue_poznamka));
    q.bindValue(QStringLiteral(":v30"), ColumnValues::text(ui->oodpovedna_osoba->Id()));
    q.bindValue(QStringLiteral(":v31"), ui->o_vztah_se_zakaznikem->currentIndex());
    q.bindValue(QStringLiteral(":v32"), line(ui->o_kontaktni_osoba));
    q.bindValue(QStringLiteral(":v33"), ui->o_priorita->currentIndex());
    q.bindValue(QStringLiteral(":v34"), line(ui->o_telefon));
    q.bindValue(QStringLiteral(":v35"), line(ui->o_email));
    q.bindValue(QStringLiteral(":v36"), date(ui->o_posledni_kontakt->date()));
    q.bindValue(QStringLiteral(":v37"), line(ui->o_posledni_kontakt_osoba));
    q.bindValue(QStringLiteral(":v38"), date(ui->o_dalsi_kontakt->date()));
    q.bindValue(QStringLiteral(":v39"), date(ui->o_predvedeni->date()));
    q.bindValue(QStringLiteral(":v40"), line(ui->o_predvedeni_osoba));
    q.bindValue(QStringLiteral(":v41"), date(ui->o_nabidka_odeslana->date()));
    q.bindValue(QStringLiteral(":v42"), codeList(ui->o_stav));
    q.bindValue(QStringLiteral(":v43"), line(ui->o_poznamka));
    q.bindValue(QStringLiteral(":v44"), codeList(ui->zeme));
    q.bindValue(QStringLiteral(":v45"), codeList(ui->sw));
    q.bindValue(QStringLiteral(":v46"), line(ui->sw_poznamka));
    q.bindValue(QStringLiteral(":v47"), date(ui->o_nabidkat_odeslana->date()));
    q.bindValue(QStringLiteral(":v48"), codeList(ui->o_stavt));
    q.bindValue(QStringLiteral(":v49"), line(ui->o_poznamkat));
    q.bindValue(QStringLiteral(":podepsano"), date(ui->smlouva_podepsano->date()));
    q.bindValue(QStringLiteral(":spoznamka"), line(ui->smlouva_poznamka));
    q.bindValue(QStringLiteral(":id"), m_loadedId.toLongLong());

    if (!q.exec()) {
        // The edits stay on screen and "Uložit" stays enabled.
        reportSaveFailure(q.lastError().text());
        return false;
    }
    setClean();
    return true;
}

void PodnikPage::onPodnikSave()
{
    save();
}

void PodnikPage::onSelectOOO()
{
    QString codes = ui->oodpovedna_osoba->Id();
    if (!m_personChooser || !m_personChooser(this, &codes))
        return;
    ui->oodpovedna_osoba->setId(codes);
    // Setting the shown text enables "Uložit" through the change slot.
    ui->oodpovedna_osoba->setText(m_codesToNames ? m_codesToNames(codes) : codes);
    markChanged();
}

void PodnikPage::onZRNSouboryPodnik()
{
    openEnterpriseFolder(session()->s_id_podnik, session()->documentRoot);
}

void PodnikPage::applyRights()
{
    const UserRights &rights = session()->user;
    // Invoicing: 0 hides the block, 1 shows it read-only, 2 and more edit it.
    ui->fakturace_box->setVisible(rights.fakturace != 0);
    const bool locked = rights.fakturace == 1;
    for (QLineEdit *edit : fields<QLineEdit>(ui->fakturace_box))
        edit->setReadOnly(locked);
    for (QFDateEdit *date : fields<QFDateEdit>(ui->fakturace_box))
        date->setReadOnly(locked);

    // Maintenance: 0 nothing, 1 adding centres, 2 and more everything.
    const bool maintainEnterprise = rights.os != 0 && rights.os != 1;
    ui->podnik_edit->setVisible(maintainEnterprise);
    ui->podnik_del->setVisible(maintainEnterprise);
    ui->l_stredisko_add->setVisible(rights.os != 0);
    ui->stredisko_add->setVisible(rights.os != 0);
}
