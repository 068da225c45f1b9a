#include "register/strediskopage.h"

#include "ui_strediskopage.h"

#include "core/session.h"
#include "db/qssql.h"
#include "core/centrerecord.h"
#include "core/columnvalues.h"
#include "register/documentfolders.h"
#include "core/richtext.h"
#include "widgets/qf.h"
#include "widgets/qstbtextedit.h"


namespace {


QString joinSlash(const QStringList &parts)
{
    return parts.join(QStringLiteral(" / "));
}

} // namespace

StrediskoPage::StrediskoPage(Session *session, QWidget *parent)
    : CentrePage(session, parent), ui(new Ui::StrediskoPage), m_snapshot(QStringLiteral("tellmark_strediska"))
{
    ui->setupUi(this);
    // Without a saved layout the form gets most of the width, the notepad the rest.
    splitFormAndNotes(ui->splitter_5);
    setObjectName(QStringLiteral("tab_stredisko"));
    setWindowTitle(tr("O středisku"));

    auto *tb = new QSTBTextedit(this);
    tb->createTB(ui->stredisko_poznamky_box, ui->poznamkovy_blok, font(), false);

    for (QLineEdit *e : {ui->stredisko_kontakt, ui->stredisko_telefon, ui->stredisko_email, ui->stredisko_ico,
                         ui->stredisko_licence, ui->stredisko_db_uuid, ui->stredisko_hospodarstvi})
        connect(e, &QLineEdit::textChanged, this, &StrediskoPage::onStrediskoChanged);
    connect(ui->poznamkovy_blok, &QTextEdit::textChanged, this, &StrediskoPage::onStrediskoChanged);
    connect(ui->stredisko_spusteni, &QFDateEdit::dateChanged, this, &StrediskoPage::onStrediskoChanged);
    connect(ui->stredisko_druhe_skoleni, &QFDateEdit::dateChanged, this, &StrediskoPage::onStrediskoChanged);
    connect(ui->stredisko_aktualizace, &QCheckBox::toggled, this, &StrediskoPage::onStrediskoChanged);

    connect(ui->stredisko_uloz, &QPushButton::clicked, this, &StrediskoPage::onStrediskoSave);
    connect(ui->sdir, &QPushButton::clicked, this, &StrediskoPage::onZRNSouboryStredisko);
    connect(ui->stredisko_edit, &QPushButton::clicked, this, &StrediskoPage::onEditStredisko);
    connect(ui->stredisko_del, &QPushButton::clicked, this, &StrediskoPage::onDelStredisko);

    // Long names give way instead of widening the window past the screen.
    for (QLabel *name : {ui->stredisko_holding, ui->stredisko_podnik, ui->stredisko_nazev}) {
        name->setMinimumWidth(60);
    }
    ChangeHistory::describe(QStringLiteral("tellmark_strediska"),
                            {{QStringLiteral("PODNIK_JMENO"), tr("Kontakt")},
                             {QStringLiteral("PODNIK_TELEFON"), tr("Telefon")},
                             {QStringLiteral("PODNIK_EMAIL"), tr("Email")},
                             {QStringLiteral("ICO"), tr("IČO specifické pro středisko")},
                             {QStringLiteral("DB_UUID"), tr("DB UUID")},
                             {QStringLiteral("licence_cislo"), tr("Licence")},
                             {QStringLiteral("spusteni"), tr("Spuštění Tellmark")},
                             {QStringLiteral("DRUHE_SKOLENI"), tr("2. Školení")},
                             {QStringLiteral("UPDATE_OMEZEN"), tr("Aktualizace omezena (1 = ano)")},
                             {QStringLiteral("hospodarstvi"), tr("Hospodářství")},
                             {QStringLiteral("poznamkovy_blok"), tr("Poznámky střediska")}});
    setSaveButton(ui->stredisko_uloz);
    setEditorAreas({ui->stredisko_form, ui->stredisko_poznamky_box});
    setHasRow(false);
}

StrediskoPage::~StrediskoPage()
{
    delete ui;
}


void StrediskoPage::loadFrom(const CentreRecord &r)
{
    beginFill();
    m_centreId = r.value("id");

    ui->stredisko_holding->setText(r.text("nazev_holding"));
    ui->stredisko_podnik->setText(r.text("podnik_nazev"));
    ui->stredisko_nazev->setText(r.text("AKCE_NAZEV"));
    for (QLabel *name : {ui->stredisko_holding, ui->stredisko_podnik, ui->stredisko_nazev})
        name->setToolTip(name->text());
    ui->stredisko_ico->setText(r.text("ICO"));
    ui->stredisko_kontakt->setText(r.text("PODNIK_JMENO"));
    ui->stredisko_telefon->setText(r.text("PODNIK_TELEFON"));
    ui->stredisko_email->setText(r.text("PODNIK_EMAIL"));
    ui->stredisko_hospodarstvi->setText(r.text("hospodarstvi"));
    ui->stredisko_db_uuid->setText(r.text("DB_UUID"));
    ui->stredisko_licence->setText(r.text("LICENCE_CISLO"));
    ui->stredisko_cloud_id->setText(r.text("CLOUD_CISLO"));
    ui->stredisko_verze->setText(r.text("VERZE_PROGRAMU"));
    ui->stredisko_pocet_spusteni->setText(
        joinSlash({Qf::formatDate(ColumnValues::storedDate(r.value("AKTUALIZOVANO"))), r.text("POCET_AKTUALIZACI")}));
    ui->stredisko_pocty->setText(joinSlash({r.text("POCET_KUSU"), r.text("POCET_KRAV"), r.text("POCET_OBOJKU")}));
    // NULL counts as 0: updates not restricted.
    ui->stredisko_aktualizace->setChecked(r.value("UPDATE_OMEZEN").toInt() == 0);
    ui->stredisko_spusteni->setDate(ColumnValues::storedDate(r.value("SPUSTENI")));
    ui->stredisko_druhe_skoleni->setDate(ColumnValues::storedDate(r.value("DRUHE_SKOLENI")));
    ui->stredisko_ku->setText(joinSlash({Qf::formatDate(ColumnValues::storedDate(r.value("SKU_DATUM"))),
                                         r.text("SKU_DOJNIC"), r.text("SKU_STUPEN")}));
    ui->poznamkovy_blok->setText(richTextFromStorage(r.value("POZNAMKOVY_BLOK")));
    m_snapshot.take(m_centreId, [&r](const QString &column) { return r.value(column); }, formValues());

    endFill();
    setHasRow(true);
}

void StrediskoPage::clear()
{
    beginFill();
    m_centreId = QVariant();
    m_snapshot.reset();
    for (QLabel *l : {ui->stredisko_holding, ui->stredisko_podnik, ui->stredisko_nazev, ui->stredisko_cloud_id,
                      ui->stredisko_verze, ui->stredisko_pocet_spusteni, ui->stredisko_pocty, ui->stredisko_ku})
        l->clear();
    for (QLineEdit *e : {ui->stredisko_ico, ui->stredisko_kontakt, ui->stredisko_telefon, ui->stredisko_email,
                         ui->stredisko_hospodarstvi, ui->stredisko_db_uuid, ui->stredisko_licence})
        e->clear();
    ui->stredisko_aktualizace->setChecked(true);
    ui->stredisko_spusteni->setDate(QDate());
    ui->stredisko_druhe_skoleni->setDate(QDate());
    ui->poznamkovy_blok->clear();
    endFill();
    setHasRow(false);
}

void StrediskoPage::onStrediskoChanged()
{
    markChanged();
}

FieldValues StrediskoPage::formValues() const
{
    return {
        {QStringLiteral("PODNIK_JMENO"), ColumnValues::text(ui->stredisko_kontakt->text())},
        {QStringLiteral("PODNIK_TELEFON"), ColumnValues::text(ui->stredisko_telefon->text())},
        {QStringLiteral("PODNIK_EMAIL"), ColumnValues::text(ui->stredisko_email->text())},
        {QStringLiteral("ICO"), ColumnValues::identificationOrNull(ui->stredisko_ico->text())},
        {QStringLiteral("DB_UUID"), ColumnValues::text(ui->stredisko_db_uuid->text())},
        {QStringLiteral("licence_cislo"), CentreStore::licenceOrNull(ui->stredisko_licence->text())},
        {QStringLiteral("spusteni"), ColumnValues::date(ui->stredisko_spusteni->date())},
        {QStringLiteral("DRUHE_SKOLENI"), ColumnValues::date(ui->stredisko_druhe_skoleni->date())},
        {QStringLiteral("UPDATE_OMEZEN"), ui->stredisko_aktualizace->isChecked() ? 0 : 1},
        {QStringLiteral("hospodarstvi"), ColumnValues::identificationOrNull(ui->stredisko_hospodarstvi->text())},
        {QStringLiteral("poznamkovy_blok"), richTextForStorage(ui->poznamkovy_blok->toHtml())},
    };
}

bool StrediskoPage::save()
{
    if (!hasRow() || !m_centreId.isValid())
        return true;
    // The page writes only its own columns, and of those only the changed ones.
    if (!saveRow(&m_snapshot, [this] { return formValues(); }))
        return false;
    // The tree row shows the licence as typed until the tree is rebuilt.
    emit centreSaved(m_centreId.toInt(), ui->stredisko_licence->text(), ui->stredisko_spusteni->date());
    return true;
}

void StrediskoPage::onStrediskoSave()
{
    save();
}

void StrediskoPage::onZRNSouboryStredisko()
{
    openCentreFolder(m_centreId, session()->documentRoot);
}

void StrediskoPage::applyRights()
{
    const UserRights &u = session()->user;
    if (u.centreTechReadOnly()) {
        ui->stredisko_db_uuid->setReadOnly(true);
        ui->stredisko_licence->setReadOnly(true);
        ui->stredisko_aktualizace->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        ui->stredisko_aktualizace->setFocusPolicy(Qt::NoFocus);
        ui->stredisko_spusteni->setReadOnly(true);
        ui->stredisko_druhe_skoleni->setReadOnly(true);
    }
    ui->stredisko_edit->setVisible(u.maintainsCentres());
    ui->stredisko_del->setVisible(u.maintainsEnterprises());
}
