#pragma once

#include <QColor>
#include <QVariant>
#include <QVector>

class QComboBox;

// Fills a category combo box from the category code list: the text as item
// text, the code as item data, in code order.
void fillCategoryCombo(QComboBox *combo);

// Selects the item whose data equals code; false (and no change) when none.
bool selectCategory(QComboBox *combo, int code);

// 15 x 15 colour squares as the icons of a combo box's items, by index.
void setColourSquares(QComboBox *combo, const QVector<QColor> &colours);
// Item colours of the event priority (0 to 3) and state (0 to 3) combos.
QVector<QColor> priorityColours();
QVector<QColor> stateColours();


// Combo boxes of coded event values. `byData`: the value is the item data
// (categories); otherwise it is the item index (source, state, priority,
// synchronisation). A value the combo has no item for (NULL, a category 64,
// a state 7) is shown as an extra item that carries the value, so a save
// writes back what was read. The extra item goes away with the next value.
void setComboValue(QComboBox *combo, const QVariant &value, bool byData);
QVariant comboValue(const QComboBox *combo, bool byData);

class QFEditWithButton;
class Visibility;
class QString;
class QWidget;
struct PickerSpec;

// The table pickers of an event's enterprise and centre fields, offering
// only what the user may see; the settings name keeps each caller's column
// widths apart.
PickerSpec enterprisePickerSpec(const QString &settingsName, const Visibility &visibility);
// The centres of `podnikId` (when given) come first.
PickerSpec centrePickerSpec(const QString &settingsName, const Visibility &visibility,
                            const QVariant &podnikId = QVariant());
// Runs a picker for an edit-with-button field: its id preselected, the
// choice (nothing after the empty button) stored back. False when cancelled.
bool pickInto(QWidget *parent, QFEditWithButton *field, const PickerSpec &picker);
