#include "events/dialogoo.h"

#include "core/eciselniky.h"

#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

DialogOO::DialogOO(QWidget *parent)
    : CheckListDialog(parent)
{
    setObjectName(QStringLiteral("DialogOO"));
    const QMap<QString, QString> persons = ECiselniky().persons();
    for (auto it = persons.cbegin(); it != persons.cend(); ++it)
        addBox(it.key(), it.value());

    auto *label = new QLabel(tr("Další odpovědné osoby - emaily, čárkou oddělené"), this);
    m_further = new QLineEdit(this);
    m_further->setObjectName(QStringLiteral("leoo"));
    label->setBuddy(m_further);
    extraLayout()->addWidget(label);
    extraLayout()->addWidget(m_further);
}

void DialogOO::setValue(const QString &persons, const QString &further)
{
    tickCodes(persons);
    m_further->setText(further);
}

QString DialogOO::persons() const
{
    if (allTicked())
        return QString();
    QStringList codes = tickedCodes();
    codes.removeAll(QString());
    if (codes.isEmpty())
        return QStringLiteral("none");
    return codes.join(QLatin1Char(','));
}

QString DialogOO::further() const
{
    return m_further->text();
}

bool DialogOO::choose(QWidget *parent, QString *persons, QString *further)
{
    DialogOO dialog(parent);
    dialog.setWindowTitle(tr("Odpovědná osoba"));
    dialog.setValue(*persons, *further);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *persons = dialog.persons();
    *further = dialog.further();
    return true;
}
