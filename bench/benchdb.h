#pragma once

#include "db/dbconfig.h"

#include <QString>

#include <functional>

// The database a benchmark measures: the one of a settings file (--config,
// e.g. a seeded MariaDB), a seeded SQLite file, or - with neither - a
// temporary SQLite file seeded like the production register (5,000
// enterprises, no events) inside `tempDir`. False with the reason.
// `events`: events of the seeded temporary database.
bool openBenchDatabase(const QString &configFile, const QString &sqliteFile, const QString &tempDir, DbConfig *cfg,
                       QString *error, int events = 0);

// What every benchmark prints and measures.
// Runs per measured figure.
constexpr int kRuns = 5;
// Median time of five runs of `work`; `between` runs untimed before each.
double medianMs(const std::function<void()> &work, const std::function<void()> &between = {});
// "name: value unit" on stdout.
void figure(const QString &name, double value, const char *unit, int precision = 1);
// "# text" on stdout.
void note(const QString &text);
// "program: what" on stderr; the exit code 1.
int fail(const QString &what);
