#include "events/calendarbutton.h"

#include "events/calendarexport.h"
#include "events/eventthreads.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QSaveFile>
#include <QStandardPaths>

namespace CalendarButton {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CalendarButton", text);
}

} // namespace

QString exportShown(QWidget *parent, const EventThreads *threads)
{
    const QString title = tr("Export do kalendáře");
    QVector<CalendarExport::Entry> entries;
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QVector<EventStore::ListRow> rows;
    const bool read = EventStore::readList(threads->filter(), &rows, &error)
        && CalendarExport::read(CalendarExport::listed(rows), &entries, &error);
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
