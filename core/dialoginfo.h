#pragma once

#include <QDialog>

namespace Ui {
class DialogInfo;
}

// A small non-modal window for long work: a message, up to two progress
// bars, and the buttons the caller asks for.
class DialogInfo : public QDialog
{
    Q_OBJECT
public:
    DialogInfo(QWidget *parent, bool showLabel, bool showProgress1, bool showProgress2, bool showOk,
               bool showCancel);
    ~DialogInfo() override;

    void setInfo(const QString &text);

public slots:
    // Progress of a mail client: its text is shown as the message.
    void smtpStatus(int clientId, int statusCode, const QString &text);

private:
    Ui::DialogInfo *ui;
};
