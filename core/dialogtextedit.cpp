#include "core/dialogtextedit.h"

#include "ui_dialogtextedit.h"

DialogTextEdit::DialogTextEdit(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogTextEdit)
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DialogTextEdit::~DialogTextEdit()
{
    delete ui;
}

void DialogTextEdit::setContent(const QString &title, const QString &text)
{
    setWindowTitle(title);
    // setText tells markup from plain text, so plain line breaks survive.
    ui->textEdit->setText(text);
}
