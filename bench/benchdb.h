#pragma once

#include "db/dbconfig.h"

#include <QString>

// The database a benchmark measures: the one of a settings file (--config,
// e.g. a seeded MariaDB), a seeded SQLite file, or - with neither - a
// temporary SQLite file seeded like the production register (5,000
// enterprises, no events) inside `tempDir`. False with the reason.
bool openBenchDatabase(const QString &configFile, const QString &sqliteFile, const QString &tempDir, DbConfig *cfg,
                       QString *error);
