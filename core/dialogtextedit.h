#pragma once

#include <QDialog>

namespace Ui {
class DialogTextEdit;
}

// Shows a longer text (plain or rich) to read, with Cancel to close.
class DialogTextEdit : public QDialog
{
    Q_OBJECT
public:
    explicit DialogTextEdit(QWidget *parent = nullptr);
    ~DialogTextEdit() override;

    void setContent(const QString &title, const QString &text);

private:
    Ui::DialogTextEdit *ui;
};
