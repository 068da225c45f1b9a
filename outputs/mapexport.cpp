#include "outputs/mapexport.h"

#include "core/session.h"
#include "outputs/dialogmapa.h"
#include "outputs/mapdocument.h"
#include "outputs/prohlizectab.h"

#include <QCoreApplication>
#include <QApplication>
#include <QMessageBox>

namespace MapExport {

bool run(QWidget *parent, Session *session, ProhlizecTab *browser)
{
    if (!session || !browser)
        return false;
    const QList<int> ids = session->shownEnterprises ? session->shownEnterprises() : QList<int>();
    if (ids.isEmpty())
        return false;
    DialogMapa dialog(parent, browser->mapRule());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QByteArray doc = MapDocument::fromDatabase(dialog.rule(), ids, Visibility::of(session->user), &error);
    QApplication::restoreOverrideCursor();
    if (doc.isEmpty()) {
        QMessageBox::warning(parent, QStringLiteral("ZRN"),
                             QCoreApplication::translate("MapExport", "Podniky pro mapu nelze načíst:\n%1").arg(error));
        return false;
    }
    browser->showMap(doc, dialog.rule());
    return true;
}

} // namespace MapExport
