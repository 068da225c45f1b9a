#include "events/categories.h"

#include "core/eciselniky.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QVariant>
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

namespace {

// Role marking the item that stands for a value without an item of its own.
constexpr int ExtraRole = Qt::UserRole + 1;

void dropExtraItem(QComboBox *combo)
{
    for (int i = combo->count() - 1; i >= 0; --i) {
        if (combo->itemData(i, ExtraRole).toBool())
            combo->removeItem(i);
    }
}

} // namespace

void setComboValue(QComboBox *combo, const QVariant &value, bool byData)
{
    dropExtraItem(combo);
    if (!value.isNull()) {
        bool ok = false;
        const int code = value.toInt(&ok);
        if (ok) {
            const int i = byData ? combo->findData(code) : code;
            if (i >= 0 && i < combo->count()) {
                combo->setCurrentIndex(i);
                return;
            }
        }
    }
    const QString text = value.isNull() ? QCoreApplication::translate("EventCombo", "(nevyplněno)") : value.toString();
    combo->addItem(text, value);
    const int extra = combo->count() - 1;
    combo->setItemData(extra, true, ExtraRole);
    combo->setCurrentIndex(extra);
}

QVariant comboValue(const QComboBox *combo, bool byData)
{
    const int i = combo->currentIndex();
    if (i < 0)
        return QVariant();
    if (combo->itemData(i, ExtraRole).toBool())
        return combo->itemData(i);
    return byData ? combo->itemData(i) : QVariant(i);
}
