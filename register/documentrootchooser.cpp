#include "register/documentfolders.h"

#include <QFileDialog>
#include <QFileInfo>

QString chooseDocumentRoot(QWidget *parent, const QString &current)
{
    // Start in the folder that holds the current root, so that a sibling is
    // one click away.
    const QString start = QFileInfo(current).absolutePath();
    const QString chosen = QFileDialog::getExistingDirectory(
        parent, QObject::tr("Výběr rootového adresáře nextcloud"), start,
        QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    return chosen.isEmpty() ? current : chosen;
}
