#include "register/podnikpage.h"
#include "core/ids.h"
#include "ui_podnikpage.h"

#include "core/session.h"
#include "db/qssql.h"
#include "core/dialogauoouzivatel.h"
#include "core/eciselniky.h"
#include "core/columnvalues.h"
#include "register/documentfolders.h"
#include "core/richtext.h"
#include "widgets/qstbtextedit.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

namespace {


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


} // namespace

PodnikPage::PodnikPage(Session *session, QWidget *parent)
    : ZrnPage(session, parent)
    , ui(new Ui::PodnikPage)
    , m_notesBar(new QSTBTextedit(this))
    , m_snapshot(QStringLiteral("tellmark_podniky"))
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
    splitFormAndNotes(ui->splitter_3);
    narrowCodeLists(ui->podnik_form);

    // A long enterprise or holding name must not widen the window past the
    // screen (the save button would leave it): the labels give way and
    // show the whole name as a tool tip.
    for (QLabel *name : {ui->ppodnik, ui->pholding}) {
        name->setMinimumWidth(60);
    }
    QVector<ColumnLabel> labels;
    for (const Field &f : fieldTable()) {
        const bool invoicing = ui->fakturace_box->isAncestorOf(f.widget);
        labels.append({QLatin1String(f.column), QCoreApplication::translate("PodnikPage", f.label), invoicing ? int(ColumnLabel::Invoicing) : 0});
    }
    ChangeHistory::describe(QStringLiteral("tellmark_podniky"), labels);
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
    m_snapshot.reset();
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

QString PodnikPage::selectStatement() const
{
    QStringList columns;
    for (const Field &f : fieldTable())
        columns << QStringLiteral("tellmark_podniky.") + QLatin1String(f.column);
    // Shown, not edited here: the coordinates (the location page), the name
    // and the holding's name (the header).
    columns << QStringLiteral("tellmark_podniky.GPS") << QStringLiteral("tellmark_podniky.podnik_nazev")
            << QStringLiteral("tellmark_holding.NAZEV_HOLDING");
    return QStringLiteral("select ") + columns.join(QLatin1Char(','))
        + QStringLiteral(" from tellmark_podniky"
                         " left join tellmark_holding on tellmark_podniky.id_holding=tellmark_holding.id"
                         " where tellmark_podniky.id=:id");
}

void PodnikPage::load(const QVariant &podnikId)
{
    m_podnikId = podnikId;
    if (!isValidId(podnikId)) {
        clear();
        return;
    }
    QSSQL q;
    q.prepare(selectStatement());
    q.bindValue(QStringLiteral(":id"), podnikId.toLongLong());
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
    // A code list shows an entry it has not (or in other letter case) as
    // "Neurčeno" or its own spelling: saved with the next save.
    QStringList lists;
    for (const Field &f : fieldTable()) {
        if (f.rule == Field::CodeList || f.rule == Field::IndexList)
            lists << QLatin1String(f.column);
    }
    m_snapshot.take(podnikId, [&q](const QString &column) { return q.value(column); }, formValues(), lists);
    endFill();
    setHasRow(true);

    if (session()->copyNameToClipboard) {
        if (QClipboard *clipboard = QGuiApplication::clipboard())
            clipboard->setText(podnikName());
    }
}

QVector<PodnikPage::Field> PodnikPage::fieldTable() const
{
    // Every edited column: its name, the label the page shows for it, the
    // widget and how the value is stored.
    return {
        {"SMLOUVA_ORGANIZACE", QT_TRANSLATE_NOOP("PodnikPage", "Smlouva podnik"), ui->smlouva_organizace, Field::Text},
        {"SMLOUVA_CISLO", QT_TRANSLATE_NOOP("PodnikPage", "Smlouva číslo"), ui->smlouva_cislo, Field::Text},
        {"SMLOUVA_FAKTURACE_OD", QT_TRANSLATE_NOOP("PodnikPage", "Fakturovat od"), ui->smlouva_fakturace_od, Field::Date},
        {"SMLOUVA_FAKTURACE_CASTKA_ROK", QT_TRANSLATE_NOOP("PodnikPage", "Částka"), ui->smlouva_fakturace_castka_rok, Field::Text},
        {"SMLOUVA_FAKTURACE_SLEVA", QT_TRANSLATE_NOOP("PodnikPage", "Sleva [%]"), ui->smlouva_fakturace_sleva, Field::Text},
        {"SMLOUVA_FAKTURACE_SLEVA_OBDOBI", QT_TRANSLATE_NOOP("PodnikPage", "Sleva [měsíce]"), ui->smlouva_fakturace_sleva_obdobi, Field::Text},
        {"SMLOUVA_FAKTURACE_MESICE", QT_TRANSLATE_NOOP("PodnikPage", "Fakt. měsíce"), ui->smlouva_fakturace_mesice, Field::Text},
        {"SMLOUVA_FAKTURACE_OBDOBI", QT_TRANSLATE_NOOP("PodnikPage", "Fakt. období"), ui->smlouva_fakturace_obdobi, Field::Text},
        {"SMLOUVA_FAKTURACE_ZPETNE", QT_TRANSLATE_NOOP("PodnikPage", "Zpětně"), ui->smlouva_fakturace_zpetne, Field::Text},
        {"SMLOUVA_FAKTURACE_MENA", QT_TRANSLATE_NOOP("PodnikPage", "Měna"), ui->smlouva_fakturace_mena, Field::Text},
        {"SMLOUVA_POZNAMKY", QT_TRANSLATE_NOOP("PodnikPage", "Poznámky"), ui->smlouva_poznamky, Field::Notes},
        {"ICO", QT_TRANSLATE_NOOP("PodnikPage", "IČO"), ui->ico, Field::Identification},
        {"CH6", "CH6", ui->ch6, Field::Text},
        {"OBR", QT_TRANSLATE_NOOP("PodnikPage", "Region"), ui->obr, Field::Text},
        {"KONTAKT_JMENO", QT_TRANSLATE_NOOP("PodnikPage", "Kontaktní osoba"), ui->kontakt_jmeno, Field::Text},
        {"KONTAKT_ADRESA", QT_TRANSLATE_NOOP("PodnikPage", "Adresa"), ui->kontakt_adresa, Field::Text},
        {"KONTAKT_TELEFON", QT_TRANSLATE_NOOP("PodnikPage", "Telefon"), ui->kontakt_telefon, Field::Text},
        {"KONTAKT_EMAIL", QT_TRANSLATE_NOOP("PodnikPage", "EMail"), ui->kontakt_email, Field::Text},
        {"OKRES", QT_TRANSLATE_NOOP("PodnikPage", "Okres dle sídla"), ui->okres, Field::Text},
        {"OBR_POZNAMKA", QT_TRANSLATE_NOOP("PodnikPage", "Poznámka (Region)"), ui->obr_poznamka, Field::Text},
        {"SKOT_KS", QT_TRANSLATE_NOOP("PodnikPage", "Celkem skotu [ks]"), ui->skot_ks, Field::Text},
        {"DOJNICE_KS", QT_TRANSLATE_NOOP("PodnikPage", "Dojnice [ks]"), ui->dojnice_ks, Field::Text},
        {"DOJNICE_PLEMENO", QT_TRANSLATE_NOOP("PodnikPage", "Převažující plemeno (Dojnice)"), ui->dojnice_plemeno, Field::Text},
        {"MASNY_KS", QT_TRANSLATE_NOOP("PodnikPage", "Masný skot [ks]"), ui->masny_ks, Field::Text},
        {"MASNY_PLEMENO", QT_TRANSLATE_NOOP("PodnikPage", "Převažující plemeno (Masný skot)"), ui->masny_plemeno, Field::Text},
        {"UCTO", QT_TRANSLATE_NOOP("PodnikPage", "Účetní SW"), ui->ucto, Field::CodeList},
        {"UCTO_POZNAMKA", QT_TRANSLATE_NOOP("PodnikPage", "Poznámka (Účetní SW)"), ui->ucto_poznamka, Field::Text},
        {"UE", QT_TRANSLATE_NOOP("PodnikPage", "Hlášení ÚE"), ui->ue, Field::CodeList},
        {"UE_POZNAMKA", QT_TRANSLATE_NOOP("PodnikPage", "Poznámka (Hlášení ÚE)"), ui->ue_poznamka, Field::Text},
        {"O_ODPOVEDNA_OSOBA", QT_TRANSLATE_NOOP("PodnikPage", "Odpovědná osoba"), ui->oodpovedna_osoba, Field::Persons},
        {"O_VZTAH_SE_ZAKAZNIKEM", QT_TRANSLATE_NOOP("PodnikPage", "Vztah se zákazníkem"), ui->o_vztah_se_zakaznikem, Field::IndexList},
        {"O_KONTAKTNI_OSOBA", QT_TRANSLATE_NOOP("PodnikPage", "Kontaktní osoba (Obchod)"), ui->o_kontaktni_osoba, Field::Text},
        {"O_PRIORITA", QT_TRANSLATE_NOOP("PodnikPage", "Priorita"), ui->o_priorita, Field::IndexList},
        {"O_TELEFON", QT_TRANSLATE_NOOP("PodnikPage", "Telefon (Obchod)"), ui->o_telefon, Field::Text},
        {"O_EMAIL", QT_TRANSLATE_NOOP("PodnikPage", "EMail (Obchod)"), ui->o_email, Field::Text},
        {"O_POSLEDNI_KONTAKT", QT_TRANSLATE_NOOP("PodnikPage", "Poslední kontakt"), ui->o_posledni_kontakt, Field::Date},
        {"O_POSLEDNI_KONTAKT_OSOBA", QT_TRANSLATE_NOOP("PodnikPage", "Osoba (Poslední kontakt)"), ui->o_posledni_kontakt_osoba, Field::Text},
        {"O_DALSI_KONTAKT", QT_TRANSLATE_NOOP("PodnikPage", "Další kontakt"), ui->o_dalsi_kontakt, Field::Date},
        {"O_PREDVEDENI", QT_TRANSLATE_NOOP("PodnikPage", "Předvedení"), ui->o_predvedeni, Field::Date},
        {"O_PREDVEDENI_OSOBA", QT_TRANSLATE_NOOP("PodnikPage", "Osoba (Předvedení)"), ui->o_predvedeni_osoba, Field::Text},
        {"O_NABIDKA_ODESLANA", QT_TRANSLATE_NOOP("PodnikPage", "Nabídka SW odeslána"), ui->o_nabidka_odeslana, Field::Date},
        {"O_STAV", QT_TRANSLATE_NOOP("PodnikPage", "Stav SW"), ui->o_stav, Field::CodeList},
        {"O_POZNAMKA", QT_TRANSLATE_NOOP("PodnikPage", "Poznámka (Stav SW)"), ui->o_poznamka, Field::Text},
        {"ZEME", QT_TRANSLATE_NOOP("PodnikPage", "Země"), ui->zeme, Field::CodeList},
        {"SW", QT_TRANSLATE_NOOP("PodnikPage", "Chovatelský SW"), ui->sw, Field::CodeList},
        {"SW_POZNAMKA", QT_TRANSLATE_NOOP("PodnikPage", "Poznámka (Chovatelský SW)"), ui->sw_poznamka, Field::Text},
        {"O_NABIDKAT_ODESLANA", QT_TRANSLATE_NOOP("PodnikPage", "Nabídka TECH odeslána"), ui->o_nabidkat_odeslana, Field::Date},
        {"O_STAVT", QT_TRANSLATE_NOOP("PodnikPage", "Stav TECH"), ui->o_stavt, Field::CodeList},
        {"O_POZNAMKAT", QT_TRANSLATE_NOOP("PodnikPage", "Poznámka (Stav TECH)"), ui->o_poznamkat, Field::Text},
        {"SMLOUVA_PODEPSANO", QT_TRANSLATE_NOOP("PodnikPage", "Podepsáno"), ui->smlouva_podepsano, Field::Date},
        {"SMLOUVA_POZNAMKA", QT_TRANSLATE_NOOP("PodnikPage", "Poznámka (Fakturace)"), ui->smlouva_poznamka, Field::Text},
    };
}

void PodnikPage::fillFromRow(const QSSQL &q)
{
    using namespace ColumnValues;
    for (const Field &f : fieldTable()) {
        const QVariant stored = q.value(QLatin1String(f.column));
        switch (f.rule) {
        case Field::Text:
        case Field::Identification:
            static_cast<QLineEdit *>(f.widget)->setText(storedText(stored));
            break;
        case Field::Date:
            static_cast<QFDateEdit *>(f.widget)->setDate(storedDate(stored));
            break;
        case Field::CodeList:
            setCodeList(static_cast<QComboBox *>(f.widget), stored);
            break;
        case Field::IndexList: {
            auto *box = static_cast<QComboBox *>(f.widget);
            box->setCurrentIndex(indexListIndex(box->count(), stored));
            break;
        }
        case Field::Notes:
            static_cast<QTextEdit *>(f.widget)->setText(richTextFromStorage(stored));
            break;
        case Field::Persons: {
            const QString persons = storedText(stored);
            ui->oodpovedna_osoba->setId(persons);
            ui->oodpovedna_osoba->setText(m_codesToNames ? m_codesToNames(persons) : persons);
            break;
        }
        }
    }
    // Shown, not edited here: the name and holding in the header, the
    // coordinates on the location page.
    m_gps = q.value(QStringLiteral("GPS"));
    ui->ppodnik->setText(storedText(q.value(QStringLiteral("podnik_nazev"))));
    ui->ppodnik->setToolTip(ui->ppodnik->text());
    ui->pholding->setText(storedText(q.value(QStringLiteral("NAZEV_HOLDING"))));
    ui->pholding->setToolTip(ui->pholding->text());
}

QVariant PodnikPage::storedValue(const Field &f) const
{
    using namespace ColumnValues;
    switch (f.rule) {
    case Field::Text:
        return ColumnValues::text(static_cast<QLineEdit *>(f.widget)->text());
    case Field::Identification:
        // The enterprise's IČO is never NULL: an empty field stores "".
        return identification(static_cast<QLineEdit *>(f.widget)->text());
    case Field::Date:
        return date(static_cast<QFDateEdit *>(f.widget)->date());
    case Field::CodeList:
        return codeList(static_cast<QComboBox *>(f.widget));
    case Field::IndexList:
        return static_cast<QComboBox *>(f.widget)->currentIndex();
    case Field::Notes:
        return richTextForStorage(static_cast<QTextEdit *>(f.widget)->toHtml());
    case Field::Persons:
        return ColumnValues::text(ui->oodpovedna_osoba->Id());
    }
    return QVariant();
}

FieldValues PodnikPage::formValues() const
{
    FieldValues values;
    for (const Field &f : fieldTable())
        values.append({QLatin1String(f.column), storedValue(f)});
    return values;
}

bool PodnikPage::save()
{
    // Nothing read, nothing to save (the editors are locked meanwhile).
    if (!hasRow() || !m_snapshot.isSet())
        return true;
    // Only the columns the user changed are written; a colleague's change
    // of one of them since the load is put to the user first.
    return saveRow(&m_snapshot, [this] { return formValues(); });
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
    openEnterpriseFolder(m_podnikId, session()->documentRoot);
}

void PodnikPage::applyRights()
{
    const UserRights &rights = session()->user;
    // Invoicing: 0 hides the block, 1 shows it read-only, 2 and more edit it.
    ui->fakturace_box->setVisible(rights.seesInvoicing());
    const bool locked = rights.invoicingReadOnly();
    for (QLineEdit *edit : fields<QLineEdit>(ui->fakturace_box))
        edit->setReadOnly(locked);
    for (QFDateEdit *date : fields<QFDateEdit>(ui->fakturace_box))
        date->setReadOnly(locked);

    // Maintenance: 0 nothing, 1 adding centres, 2 and more everything.
    ui->podnik_edit->setVisible(rights.maintainsEnterprises());
    ui->podnik_del->setVisible(rights.maintainsEnterprises());
    ui->l_stredisko_add->setVisible(rights.maintainsCentres());
    ui->stredisko_add->setVisible(rights.maintainsCentres());
}
