#include "app/page.h"

#include <QMessageBox>

void ZrnPage::reportSaveFailure(const QString &databaseError)
{
    QMessageBox::information(this, tr("ZRN"), tr("Chyba:") + QLatin1Char(' ') + databaseError);
}
