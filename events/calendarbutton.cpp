#include "events/calendarbutton.h"
#include "core/report.h"

#include "events/calendarexport.h"
#include "events/eventthreads.h"
#include "events/eventtreemodel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
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
    // The events the list holds now: on the global list the threads read so
    // far, not the whole log behind it.
    const bool read = CalendarExport::read(CalendarExport::listed(threads->model()->listedRows()), &entries, &error);
    QApplication::restoreOverrideCursor();
    if (!read) {
        Report::statementFailed(parent, error);
        return QString();
    }
    if (entries.isEmpty()) {
        Report::info(parent, tr("Seznam neobsahuje žádnou událost s datem."));
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
        Report::failed(parent, tr("soubor %1 nelze uložit.").arg(QDir::toNativeSeparators(path)), error);
        return QString();
    }
    return path;
}

} // namespace CalendarButton
