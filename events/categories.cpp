#include "events/categories.h"

#include "core/eciselniky.h"

#include <QComboBox>
#include <QPixmap>

void fillCategoryCombo(QComboBox *combo)
{
    const ECiselniky lists;
    const auto categories = lists.categories();
    for (auto it = categories.cbegin(); it != categories.cend(); ++it)
        combo->addItem(it.value(), it.key());
}

bool selectCategory(QComboBox *combo, int code)
{
    const int i = combo->findData(code);
    if (i < 0)
        return false;
    combo->setCurrentIndex(i);
    return true;
}

void setColourSquares(QComboBox *combo, const QVector<QColor> &colours)
{
    for (int i = 0; i < combo->count() && i < colours.size(); ++i) {
        QPixmap square(15, 15);
        square.fill(colours.at(i));
        combo->setItemIcon(i, QIcon(square));
    }
}

QVector<QColor> priorityColours()
{
    return {Qt::gray, Qt::blue, Qt::green, Qt::red};
}

QVector<QColor> stateColours()
{
    return {Qt::gray, QColor(255, 150, 150), Qt::magenta, Qt::green};
}
