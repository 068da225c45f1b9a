#include "bench/benchdb.h"

#include "db/database.h"
#include "schema/schema.h"
#include "tools/demodata/demodata.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// An existing database is met as the program meets it at start.
bool asAtStart(bool opened)
{
    if (opened)
        Schema::meetExisting();
    return opened;
}

} // namespace

bool openBenchDatabase(const QString &configFile, const QString &sqliteFile, const QString &tempDir, DbConfig *cfg,
                       QString *error, int events)
{
    if (!configFile.isEmpty()) {
        // QSettings reads a missing file as empty: that would be the default database.
        if (!QFileInfo(configFile).isFile()) {
            *error = QStringLiteral("no settings file %1").arg(configFile);
            return false;
        }
        *cfg = DbConfig::load(configFile);
        return asAtStart(Database::open(*cfg, error, Database::MustExist));
    }
    cfg->driver = DbConfig::SQLite;
    if (!sqliteFile.isEmpty()) {
        cfg->path = sqliteFile;
        return asAtStart(Database::open(*cfg, error, Database::MustExist));
    }
    cfg->path = QDir(tempDir).filePath(QStringLiteral("bench.sqlite"));
    if (!Database::open(*cfg, error, Database::CreateEmpty) || !Schema::create(error))
        return false;
    DemoOptions seed;
    seed.seed = 7;
    seed.enterprises = 5000;
    seed.events = events;
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

double medianMs(const std::function<void()> &work, const std::function<void()> &between)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        if (between)
            between();
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void figure(const QString &name, double value, const char *unit, int precision)
{
    std::printf("%s: %.*f %s\n", qPrintable(name), precision, value, unit);
    std::fflush(stdout);
}

void note(const QString &text)
{
    std::printf("# %s\n", qPrintable(text));
    std::fflush(stdout);
}

int fail(const QString &what)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(what));
    return 1;
}
