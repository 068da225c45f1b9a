#include "events/dialogkategorie.h"

#include "core/eciselniky.h"

DialogKategorie::DialogKategorie(QWidget *parent)
    : CheckListDialog(parent)
{
    setObjectName(QStringLiteral("DialogKategorie"));
    const QMap<int, QString> categories = ECiselniky().categories();
    for (auto it = categories.cbegin(); it != categories.cend(); ++it)
        addBox(QString::number(it.key()), it.value());
}

void DialogKategorie::setValue(const QString &filter)
{
    tickCodes(filter);
}

QString DialogKategorie::value() const
{
    // Nothing ticked would hide every event; it is taken as no filter.
    if (allTicked())
        return QString();
    return tickedCodes().join(QLatin1Char(','));
}

bool DialogKategorie::choose(QWidget *parent, QString *filter)
{
    DialogKategorie dialog(parent);
    dialog.setWindowTitle(tr("Kategorie"));
    dialog.setValue(*filter);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *filter = dialog.value();
    return true;
}
