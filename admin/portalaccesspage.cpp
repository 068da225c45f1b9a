#include "admin/portalaccesspage.h"

#include "ui_portalaccesspage.h"

#include "core/session.h"
#include "db/qssql.h"
#include "core/centrerecord.h"
#include "core/columnvalues.h"



PortalAccessPage::PortalAccessPage(Session *session, QWidget *parent)
    : CentrePage(session, parent), ui(new Ui::PortalAccessPage)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("tab_pristupy"));
    setWindowTitle(tr("Přístupy"));
    for (QLineEdit *e : {ui->aeagri_jmeno, ui->aeagri_heslo, ui->aeskot_jmeno, ui->aeskot_heslo})
        connect(e, &QLineEdit::textChanged, this, &PortalAccessPage::onPristupyChanged);
    connect(ui->pristupy_uloz, &QPushButton::clicked, this, &PortalAccessPage::onPristupySave);
    // The history keeps no password.
    ChangeHistory::describe(QStringLiteral("tellmark_strediska"),
                            {{QStringLiteral("EAGRI_UZIVATEL"), tr("EAgri Jméno"), ColumnLabel::PortalAccess},
                             {QStringLiteral("EAGRI_HESLO"), tr("EAgri Heslo"), ColumnLabel::PortalAccess | ColumnLabel::Secret},
                             {QStringLiteral("KU_CMSCH_UZIVATEL"), tr("ESkot Jméno"), ColumnLabel::PortalAccess},
                             {QStringLiteral("KU_CMSCH_HESLO"), tr("ESkot Heslo"), ColumnLabel::PortalAccess | ColumnLabel::Secret}});
    setSaveButton(ui->pristupy_uloz);
    setEditorAreas({ui->pristupy_eagri, ui->pristupy_eskot});
    setHasRow(false);
}

PortalAccessPage::~PortalAccessPage()
{
    delete ui;
}


void PortalAccessPage::loadFrom(const CentreRecord &r)
{
    beginFill();
    m_centreId = r.value("id");
    ui->aeagri_jmeno->setText(r.text("EAGRI_UZIVATEL"));
    ui->aeagri_heslo->setText(r.text("EAGRI_HESLO"));
    ui->aeskot_jmeno->setText(r.text("KU_CMSCH_UZIVATEL"));
    ui->aeskot_heslo->setText(r.text("KU_CMSCH_HESLO"));
    m_snapshot.take(m_centreId, [&r](const QString &column) { return r.value(column); }, formValues());
    endFill();
    setHasRow(true);
}

void PortalAccessPage::clear()
{
    beginFill();
    m_centreId = QVariant();
    m_snapshot.reset();
    for (QLineEdit *e : {ui->aeagri_jmeno, ui->aeagri_heslo, ui->aeskot_jmeno, ui->aeskot_heslo})
        e->clear();
    endFill();
    setHasRow(false);
}

void PortalAccessPage::onPristupyChanged()
{
    markChanged();
}

FieldValues PortalAccessPage::formValues() const
{
    return {{QStringLiteral("EAGRI_UZIVATEL"), ColumnValues::text(ui->aeagri_jmeno->text())},
            {QStringLiteral("EAGRI_HESLO"), ColumnValues::text(ui->aeagri_heslo->text())},
            {QStringLiteral("KU_CMSCH_UZIVATEL"), ColumnValues::text(ui->aeskot_jmeno->text())},
            {QStringLiteral("KU_CMSCH_HESLO"), ColumnValues::text(ui->aeskot_heslo->text())}};
}

bool PortalAccessPage::save()
{
    if (!hasRow() || !m_centreId.isValid())
        return true;
    return saveRow(&m_snapshot, [this] { return formValues(); });
}

void PortalAccessPage::onPristupySave()
{
    save();
}

void PortalAccessPage::applyRights()
{
}
