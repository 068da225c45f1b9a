#pragma once

#include <QString>

class EventThreads;
class QWidget;

// "Export do kalendáře" of both event lists.
namespace CalendarButton {

// Asks where to save and writes there the events with a start that the list
// holds under its filters, search and rights as they stand (the whole list:
// the global one also beyond the pages read so far); failures are told to
// the user. The path written, or empty.
QString exportShown(QWidget *parent, const EventThreads *threads);

} // namespace CalendarButton
