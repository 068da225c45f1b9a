#include "core/report.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace Report {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Report", text);
}

void show(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, tr("ZRN"), text);
}

} // namespace

void readFailed(QWidget *parent, const QString &databaseError)
{
    show(parent, tr("Chyba: údaje nelze načíst.") + QLatin1Char('\n') + databaseError);
}

void saveFailed(QWidget *parent, const QString &databaseError)
{
    show(parent, tr("Chyba:") + QLatin1Char(' ') + databaseError);
}

void failed(QWidget *parent, const QString &what, const QString &databaseError)
{
    show(parent, tr("Chyba:") + QLatin1Char(' ') + what + QLatin1Char('\n') + databaseError);
}

void statementFailed(QWidget *parent, const QString &databaseError)
{
    show(parent, tr("Chyba SQL:") + QLatin1Char('\n') + databaseError);
}

void info(QWidget *parent, const QString &text)
{
    show(parent, text);
}

bool ask(QWidget *parent, const QString &question)
{
    return QMessageBox::question(parent, tr("Otázka"), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

Answer askToSave(QWidget *parent, const QString &question, bool offerCancel)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (offerCancel)
        buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(parent, tr("Otázka"), question, buttons, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace Report
