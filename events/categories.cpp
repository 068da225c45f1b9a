#include "events/categories.h"

#include "core/dialogtable.h"
#include "core/eciselniky.h"
#include "core/visibility.h"
#include "widgets/qfeditwithbutton.h"

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

PickerSpec enterprisePickerSpec(const QString &settingsName, const Visibility &visibility)
{
    const Visibility::Sql visible = visibility.enterprise(QStringLiteral("pdq"));
    PickerSpec picker;
    picker.title = QCoreApplication::translate("EventPickers", "Výběr podniku");
    picker.settingsName = settingsName;
    picker.sql = QStringLiteral("select pdq.id,pdq.podnik_nazev from tellmark_podniky pdq ") + visible.where();
    picker.binds = visible.binds;
    picker.headers = QStringList{QCoreApplication::translate("EventPickers", "Podnik")};
    picker.textColumn = 1;
    return picker;
}

PickerSpec centrePickerSpec(const QString &settingsName, const Visibility &visibility, const QVariant &podnikId)
{
    const Visibility::Sql visible = visibility.centreRow(QStringLiteral("stq"), QStringLiteral("pdq"));
    PickerSpec picker;
    picker.title = QCoreApplication::translate("EventPickers", "Výběr střediska");
    picker.settingsName = settingsName;
    picker.sql = QStringLiteral("select stq.id,stq.licence_cislo,stq.akce_nazev,pdq.podnik_nazev,stq.id_podnik"
                                " from tellmark_strediska stq"
                                " inner join tellmark_podniky pdq on pdq.id=stq.id_podnik")
        + visible.where();
    picker.binds = visible.binds;
    picker.headers = QStringList{QCoreApplication::translate("EventPickers", "Licence"),
                                 QCoreApplication::translate("EventPickers", "Středisko"),
                                 QCoreApplication::translate("EventPickers", "Podnik")};
    picker.textColumn = 2;
    picker.firstColumn = 4;
    if (podnikId.toLongLong() > 0)
        picker.firstValue = podnikId;
    return picker;
}

bool pickInto(QWidget *parent, QFEditWithButton *field, const PickerSpec &picker)
{
    QString id = field->Id();
    QString text = field->text();
    if (!DialogTable::pick(parent, picker, &id, &text))
        return false;
    field->setId(id);
    field->setText(text);
    return true;
}
