#include "app/dialoguzivatel.h"

#include "ui_dialoguzivatel.h"

#include <QDialogButtonBox>

DialogUzivatel::DialogUzivatel(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogUzivatel)
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DialogUzivatel::~DialogUzivatel()
{
    delete ui;
}

void DialogUzivatel::set(const QString &login, const QString &password)
{
    ui->le_jmeno->setText(login);
    ui->le_heslo->setText(password);
}

void DialogUzivatel::get(QString *login, QString *password) const
{
    if (login)
        *login = ui->le_jmeno->text();
    if (password)
        *password = ui->le_heslo->text();
}

bool DialogUzivatel::ask(QString &login, QString &password, QWidget *parent)
{
    DialogUzivatel dlg(parent);
    dlg.set(login, password);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    dlg.get(&login, &password);
    return true;
}
