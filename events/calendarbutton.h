#pragma once

#include "events/calendarexport.h"

#include <QString>
#include <QVector>

class QTreeView;
class QWidget;

// "Export do kalendáře" of both event lists.
namespace CalendarButton {

// The events a list shows (every row its filter lets through, in collapsed
// threads too), in the list's order, each with its thread's root.
QVector<CalendarExport::Listed> shownEvents(const QTreeView *view);

// Asks where to save and writes the shown events that have a start there;
// failures are told to the user. The path written, or empty.
QString exportShown(QWidget *parent, const QTreeView *view);

} // namespace CalendarButton
