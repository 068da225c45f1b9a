#pragma once

#include <QtGlobal>

#include <functional>

// How far long work got, and whether to go on. The work calls it as it
// goes with the steps done of the total (0: not known) and stops, leaving
// nothing half-written, when it answers false (the user pressed "Zrušit").
// An empty one never stops the work.
using Progress = std::function<bool(qint64 done, qint64 total)>;

inline bool goOn(const Progress &progress, qint64 done, qint64 total)
{
    return !progress || progress(done, total);
}
