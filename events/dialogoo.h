#pragma once

#include "events/checklistdialog.h"

class QLineEdit;

// The responsible-person filter of the event lists: a box per person code
// and shared mailbox, and a line for further addresses.
//
// The filter is the ticked codes joined by ","; empty filters nothing.
// "Nespecifikovano" (the empty code) cannot be a filter value of its own, so
// a choice of no real code gives "none" - never the empty "everyone".
class DialogOO : public CheckListDialog
{
    Q_OBJECT
public:
    explicit DialogOO(QWidget *parent = nullptr);

    // Empty `persons` ticks every box.
    void setValue(const QString &persons, const QString &further);
    QString persons() const;
    // The further addresses as typed.
    QString further() const;

    // Runs the dialog on *persons and *further; stores the choice there
    // when accepted.
    static bool choose(QWidget *parent, QString *persons, QString *further);

private:
    QLineEdit *m_further;
};
