#pragma once

#include <QString>
#include <QVariant>

// The names of an event's coded values, as the pane's combo boxes and the
// category list give them: what the lists' number columns explain in their
// tool tips.
namespace EventCodes {

enum Kind { Source, Category, State, Priority, Synchronisation };

// The name of `code`, or empty for a code the list has no name for.
QString name(Kind kind, const QVariant &code);

} // namespace EventCodes
