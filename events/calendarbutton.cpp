#include "events/calendarbutton.h"

#include "events/eventlist.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTreeView>

namespace CalendarButton {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CalendarButton", text);
}

void collect(const QAbstractItemModel *model, const QModelIndex &parent, int rootId,
             QVector<CalendarExport::Listed> *out)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const int id = model->index(row, EventList::ColId, parent).data().toInt();
        const int root = parent.isValid() ? rootId : id;
        if (id > 0)
            out->append({id, root});
        collect(model, model->index(row, 0, parent), root, out);
    }
}

} // namespace

QVector<CalendarExport::Listed> shownEvents(const QTreeView *view)
{
    QVector<CalendarExport::Listed> out;
    if (view && view->model())
        collect(view->model(), QModelIndex(), 0, &out);
    return out;
}

QString exportShown(QWidget *parent, const QTreeView *view)
{
    const QString title = tr("Export do kalendáře");
    QVector<CalendarExport::Entry> entries;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool read = CalendarExport::read(shownEvents(view), &entries, &error);
    QApplication::restoreOverrideCursor();
    if (!read) {
        QMessageBox::information(parent, QStringLiteral("ZRN"), tr("Chyba SQL:") + QLatin1Char('\n') + error);
        return QString();
    }
    if (entries.isEmpty()) {
        QMessageBox::information(parent, QStringLiteral("ZRN"), tr("Seznam neobsahuje žádnou událost s datem."));
        return QString();
    }
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString path = QFileDialog::getSaveFileName(parent, title, QDir(dir).filePath(QStringLiteral("udalosti.ics")),
                                                      tr("Kalendář iCalendar (*.ics)"));
    if (path.isEmpty())
        return QString();
    const QByteArray data = CalendarExport::write(entries, &error);
    QSaveFile file(path);
    if (data.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        if (error.isEmpty())
            error = file.errorString();
        QMessageBox::information(parent, QStringLiteral("ZRN"),
                                 tr("Soubor %1 nelze uložit.").arg(QDir::toNativeSeparators(path)) + QLatin1Char('\n')
                                     + error);
        return QString();
    }
    return path;
}

} // namespace CalendarButton
