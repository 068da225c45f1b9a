#pragma once

#include "admin/userstore.h"

#include <QDialog>
#include <QVariant>

#include <functional>

namespace Ui {
class DialogAUUzivatel;
}

// A user of www_users to add or edit. The plain password is only typed
// here: "BCrypt ->" (or OK, when it was typed but not hashed) turns it into
// the stored hash and clears it.
class DialogAUUzivatel : public QDialog
{
    Q_OBJECT
public:
    // The columns of www_users as the dialog reads and writes them: texts
    // (NULL when empty), check boxes 1 or NULL, combos their item index.
    using Values = UserStore::User;
    // Writes the values (insert or update); false with the message to show,
    // and the dialog stays open with the edit.
    using Writer = std::function<bool(const Values &values, QString *message)>;
    using Hasher = std::function<QByteArray(const QString &password)>;

    explicit DialogAUUzivatel(QWidget *parent = nullptr);
    ~DialogAUUzivatel() override;

    void setValues(const Values &values);
    Values getValues() const;
    void setWriter(Writer writer);
    // Users::hashPassword unless replaced.
    void setHasher(Hasher hasher);

public slots:
    void cryptPassword();
    void onACLSChanged(int state);
    void accept() override;

private:
    bool hashTypedPassword();
    bool hashFieldAcceptable() const;

    Ui::DialogAUUzivatel *ui;
    Writer m_writer;
    Hasher m_hasher;
    QString m_loadedHash;
};
