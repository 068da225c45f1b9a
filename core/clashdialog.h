#pragma once

#include "core/rowsave.h"

#include <QDialog>
#include <QVector>

#include <functional>

class QButtonGroup;
class QWidget;

// Shown when a colleague saved some of the fields the user is saving: one
// row per field with the colleague's value and the user's own, and a choice
// of which one is stored. "Uložit" writes the chosen values with the user's
// other changes; "Zpět k úpravám" writes nothing and keeps the edits.
class ClashDialog : public QDialog
{
    Q_OBJECT
public:
    ClashDialog(const QVector<Clash> &clashes, QWidget *parent = nullptr);

    // The clashes with the user's choices.
    QVector<Clash> choices() const;

    // Asks the user; false when the user goes back to editing.
    static bool resolve(QWidget *parent, QVector<Clash> *clashes);
    // Tests answer without the dialog (an empty function restores it).
    using Resolver = std::function<bool(QWidget *parent, QVector<Clash> *clashes)>;
    static void setResolver(Resolver resolver);

    // The message when the row is gone.
    static QString deletedMessage();

    // The whole save of a snapshot for a page or a dialog: clashes are put
    // to the user, a deleted row and failures are reported. True when the
    // changes are stored (or nothing changed); false keeps the edits.
    static bool save(QWidget *parent, RowSnapshot *snapshot, const std::function<FieldValues()> &form,
                     const QString &login, const FieldValues &always = {});

private:
    QVector<Clash> m_clashes;
    QVector<QButtonGroup *> m_groups;
};
