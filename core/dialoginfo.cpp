#include "core/dialoginfo.h"

#include "ui_dialoginfo.h"

#include <QPushButton>

DialogInfo::DialogInfo(QWidget *parent, bool showLabel, bool showProgress1, bool showProgress2, bool showOk,
                       bool showCancel)
    : QDialog(parent), ui(new Ui::DialogInfo)
{
    ui->setupUi(this);
    ui->label->setVisible(showLabel);
    ui->progressBar->setVisible(showProgress1);
    ui->progressBar_2->setVisible(showProgress2);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setVisible(showOk);
    ui->buttonBox->button(QDialogButtonBox::Cancel)->setVisible(showCancel);
    // As low as the shown parts allow.
    resize(width(), 0);
    setWindowTitle(QStringLiteral("ZRN"));
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DialogInfo::~DialogInfo()
{
    delete ui;
}

void DialogInfo::setInfo(const QString &text)
{
    ui->label->setText(text);
}

void DialogInfo::smtpStatus(int clientId, int statusCode, const QString &text)
{
    Q_UNUSED(clientId);
    Q_UNUSED(statusCode);
    ui->label->setText(text);
}
