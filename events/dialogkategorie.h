#pragma once

#include "events/checklistdialog.h"

// The category filter of the event lists: a box per category. The filter is
// the ticked category codes joined by ","; empty filters nothing.
class DialogKategorie : public CheckListDialog
{
    Q_OBJECT
public:
    explicit DialogKategorie(QWidget *parent = nullptr);

    // Empty ticks every box.
    void setValue(const QString &filter);
    // Empty when every box (or none) is ticked.
    QString value() const;

    // Runs the dialog on *filter; stores the choice there when accepted.
    static bool choose(QWidget *parent, QString *filter);
};
