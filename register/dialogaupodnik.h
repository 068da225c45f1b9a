#pragma once

#include <QDialog>
#include <QVariant>

#include <functional>

class QFEditWithButton;
class QLineEdit;

// Renaming an enterprise and setting or clearing its holding ("Oprava
// podniku"): the name `podnik` and the holding `holding`, whose hidden id
// is the holding's id.
class DialogAUPodnik : public QDialog
{
    Q_OBJECT
public:
    explicit DialogAUPodnik(QWidget *parent = nullptr);

    // A holding id above 0 is read to show its name; false with the
    // database error when that read fails (the field then stays empty).
    bool setValues(const QVariant &name, const QVariant &holdingId, QString *error = nullptr);
    // The name (NULL when empty) and the holding id (NULL when none).
    void getValues(QVariant *name, QVariant *holdingId) const;

    QLineEdit *nameEdit() const { return m_name; }
    QFEditWithButton *holdingEdit() const { return m_holding; }

    // Chooses a holding starting from the current id; false on Close.
    // Default: the holding picker. Replaceable so tests need no modal dialog.
    using HoldingPicker = std::function<bool(QWidget *parent, QString *id, QString *name)>;
    void setHoldingPicker(HoldingPicker picker);

public slots:
    void selectHolding();

private:
    QLineEdit *m_name;
    QFEditWithButton *m_holding;
    HoldingPicker m_picker;
};
