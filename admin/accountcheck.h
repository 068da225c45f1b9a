#pragma once

#include "core/report.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QString>

#include <functional>

// What both account dialogs (users, control-panel users) check on OK once a
// typed password has become its hash: a hash field the program cannot take,
// or an empty login, keeps the dialog open on the field to mend; then the
// writer runs, and what it refuses with is shown (an empty message: the
// writer has told the user already). True when the dialog may close.
inline bool accountAccepted(QWidget *dialog, QLineEdit *hashField, bool hashAcceptable, const QString &badHash,
                            QLineEdit *login, const std::function<bool(QString *message)> &write)
{
    if (!hashAcceptable) {
        Report::info(dialog, badHash);
        hashField->setFocus();
        return false;
    }
    if (login->text().trimmed().isEmpty()) {
        Report::info(dialog, QCoreApplication::translate("DialogAUUzivatel", "Přihlašovací jméno nesmí být prázdné."));
        login->setFocus();
        return false;
    }
    QString message;
    if (write && !write(&message)) {
        if (!message.isEmpty())
            Report::info(dialog, message);
        return false;
    }
    return true;
}
