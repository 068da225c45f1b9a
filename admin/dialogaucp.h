#pragma once

#include "admin/userstore.h"

#include <QDialog>
#include <QVariant>

#include <functional>

namespace Ui {
class DialogAUCP;
}

// A user of the control panel (qml.acl) to add or edit. As in the user
// dialog, the typed password only turns into the stored hash and is cleared.
class DialogAUCP : public QDialog
{
    Q_OBJECT
public:
    using Values = ControlPanelStore::User;
    // Writes the values; false with the message to show (the dialog stays).
    using Writer = std::function<bool(const Values &values, QString *message)>;

    explicit DialogAUCP(QWidget *parent = nullptr);
    ~DialogAUCP() override;

    void setValues(const Values &values);
    Values getValues() const;
    void setWriter(Writer writer);

    // The stored form of a control-panel password: SHA-1 of the UTF-8 bytes
    // as 40 lowercase hex digits. Unsalted and fast, which is weak, but it is
    // exactly what the control panel compares at its login.
    static QString hashPassword(const QString &password);
    static bool isHash(const QString &text);

public slots:
    void cryptPassword();
    void accept() override;

private:
    bool hashTypedPassword();

    Ui::DialogAUCP *ui;
    Writer m_writer;
    QString m_loadedHash;
};
