#include "admin/pristupypage.h"
#include "admin/statements.h"

#include "ui_pristupypage.h"

#include "core/session.h"
#include "db/qssql.h"
#include "core/centrerecord.h"
#include "core/columnvalues.h"



PristupyPage::PristupyPage(Session *session, QWidget *parent)
    : CentrePage(session, parent), ui(new Ui::PristupyPage)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("tab_pristupy"));
    setWindowTitle(tr("Přístupy"));
    for (QLineEdit *e : {ui->aeagri_jmeno, ui->aeagri_heslo, ui->aeskot_jmeno, ui->aeskot_heslo})
        connect(e, &QLineEdit::textChanged, this, &PristupyPage::onPristupyChanged);
    connect(ui->pristupy_uloz, &QPushButton::clicked, this, &PristupyPage::onPristupySave);
    setSaveButton(ui->pristupy_uloz);
    setEditorAreas({ui->pristupy_eagri, ui->pristupy_eskot});
    setHasRow(false);
}

PristupyPage::~PristupyPage()
{
    delete ui;
}

QLineEdit *PristupyPage::eagriJmeno() const { return ui->aeagri_jmeno; }
QLineEdit *PristupyPage::eagriHeslo() const { return ui->aeagri_heslo; }
QLineEdit *PristupyPage::eskotJmeno() const { return ui->aeskot_jmeno; }
QLineEdit *PristupyPage::eskotHeslo() const { return ui->aeskot_heslo; }
QAbstractButton *PristupyPage::saveButton() const { return ui->pristupy_uloz; }

void PristupyPage::loadFrom(const CentreRecord &r)
{
    beginFill();
    m_centreId = r.value(CentreRecord::Id);
    ui->aeagri_jmeno->setText(r.text(CentreRecord::EagriUzivatel));
    ui->aeagri_heslo->setText(r.text(CentreRecord::EagriHeslo));
    ui->aeskot_jmeno->setText(r.text(CentreRecord::KuCmschUzivatel));
    ui->aeskot_heslo->setText(r.text(CentreRecord::KuCmschHeslo));
    endFill();
    setHasRow(true);
}

void PristupyPage::clear()
{
    beginFill();
    m_centreId = QVariant();
    for (QLineEdit *e : {ui->aeagri_jmeno, ui->aeagri_heslo, ui->aeskot_jmeno, ui->aeskot_heslo})
        e->clear();
    endFill();
    setHasRow(false);
}

void PristupyPage::onPristupyChanged()
{
    markChanged();
}

bool PristupyPage::save()
{
    if (!hasRow() || !m_centreId.isValid())
        return true;
    QSSQL q;
    q.prepare(QLatin1String(AdminSql::UpdatePristupy));
    q.bindValue(QStringLiteral(":eagri_uzivatel"), ColumnValues::text(ui->aeagri_jmeno->text()));
    q.bindValue(QStringLiteral(":eagri_heslo"), ColumnValues::text(ui->aeagri_heslo->text()));
    q.bindValue(QStringLiteral(":ku_cmsch_uzivatel"), ColumnValues::text(ui->aeskot_jmeno->text()));
    q.bindValue(QStringLiteral(":ku_cmsch_heslo"), ColumnValues::text(ui->aeskot_heslo->text()));
    q.bindValue(QStringLiteral(":id"), CentreStore::idValue(m_centreId));
    if (!q.exec()) {
        reportSaveFailure(q.lastError().text());
        return false;
    }
    setClean();
    return true;
}

void PristupyPage::onPristupySave()
{
    save();
}

void PristupyPage::applyRights()
{
}
