#include "bench/benchdb.h"

#include "db/database.h"
#include "schema/schema.h"
#include "tools/demodata/demodata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

bool openBenchDatabase(const QString &configFile, const QString &sqliteFile, const QString &tempDir, DbConfig *cfg,
                       QString *error)
{
    if (!configFile.isEmpty()) {
        // QSettings reads a missing file as empty: that would be the default database.
        if (!QFileInfo(configFile).isFile()) {
            *error = QStringLiteral("no settings file %1").arg(configFile);
            return false;
        }
        *cfg = DbConfig::load(configFile);
        return Database::open(*cfg, error, Database::MustExist);
    }
    cfg->driver = DbConfig::SQLite;
    if (!sqliteFile.isEmpty()) {
        cfg->path = sqliteFile;
        return Database::open(*cfg, error, Database::MustExist);
    }
    cfg->path = QDir(tempDir).filePath(QStringLiteral("bench.sqlite"));
    if (!Database::open(*cfg, error, Database::CreateEmpty) || !Schema::create(error))
        return false;
    DemoOptions seed;
    seed.seed = 7;
    seed.enterprises = 5000;
    seed.events = 0;
    seed.attachments = 0;
    QElapsedTimer t;
    t.start();
    if (!DemoData::seed(seed, error)) {
        *error = QStringLiteral("seeding: ") + *error;
        return false;
    }
    std::fprintf(stderr, "seeded in %.1f s\n", t.elapsed() / 1000.0);
    return true;
}
