#include "register/dialogaupodnik.h"

#include "core/dialogtable.h"
#include "db/qssql.h"
#include "widgets/qfeditwithbutton.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

bool pickHolding(QWidget *parent, QString *id, QString *name)
{
    PickerSpec picker;
    picker.title = QObject::tr("Výběr holdingu");
    picker.settingsName = QStringLiteral("sholding");
    picker.sql = QStringLiteral("select hdq.id,hdq.nazev_holding from tellmark_holding hdq ");
    picker.headers = QStringList{QObject::tr("Holding")};
    picker.textColumn = 1;
    return DialogTable::pick(parent, picker, id, name);
}

} // namespace

DialogAUPodnik::DialogAUPodnik(QWidget *parent)
    : QDialog(parent), m_picker(pickHolding)
{
    setObjectName(QStringLiteral("DialogAUPodnik"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Podnik"), this), 0, 0);
    m_name = new QLineEdit(this);
    m_name->setObjectName(QStringLiteral("podnik"));
    grid->addWidget(m_name, 0, 1);
    grid->addWidget(new QLabel(tr("Holding"), this), 1, 0);
    m_holding = new QFEditWithButton(this);
    m_holding->setObjectName(QStringLiteral("holding"));
    // The name shown must be the holding of the id kept: only the picker sets it.
    m_holding->setTextEditable(false);
    grid->addWidget(m_holding, 1, 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    grid->addWidget(buttons, 2, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 320);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_holding, &QFEditWithButton::buttonClicked, this, &DialogAUPodnik::selectHolding);
}

bool DialogAUPodnik::setValues(const QVariant &name, const QVariant &holdingId, QString *error)
{
    m_holding->clear();
    m_name->setText(name.toString());
    bool ok = false;
    const qlonglong id = holdingId.toLongLong(&ok);
    if (!ok || id <= 0)
        return true;
    QSSQL q;
    q.prepare(QStringLiteral("select id,nazev_holding from tellmark_holding where id=?"));
    q.addBindValue(id);
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (q.next()) {
        m_holding->setId(q.value(0).toString());
        m_holding->setText(q.value(1).toString());
    }
    return true;
}

void DialogAUPodnik::getValues(QVariant *name, QVariant *holdingId) const
{
    bool ok = false;
    const qlonglong id = m_holding->Id().toLongLong(&ok);
    *holdingId = ok && id > 0 ? QVariant(id) : QVariant(QVariant::LongLong);
    *name = m_name->text().isEmpty() ? QVariant(QVariant::String) : QVariant(m_name->text());
}

void DialogAUPodnik::setHoldingPicker(HoldingPicker picker)
{
    m_picker = picker ? std::move(picker) : HoldingPicker(pickHolding);
}

void DialogAUPodnik::selectHolding()
{
    QString id = m_holding->Id();
    QString name;
    if (!m_picker(this, &id, &name))
        return;
    m_holding->setId(id);
    m_holding->setText(name);
}
