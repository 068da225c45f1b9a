#pragma once

#include <QDialog>

namespace Ui {
class DialogUzivatel;
}

// The login dialog: user name and password.
class DialogUzivatel : public QDialog
{
    Q_OBJECT
public:
    explicit DialogUzivatel(QWidget *parent = nullptr);
    ~DialogUzivatel() override;

    void set(const QString &login, const QString &password);
    void get(QString *login, QString *password) const;

    // The modal dialog as the sign-in asks for credentials: false on Cancel.
    static bool ask(QString &login, QString &password, QWidget *parent = nullptr);

private:
    Ui::DialogUzivatel *ui;
};
