// The enterprise tree at the scale of the production register: 5,000
// enterprises with about 15,000 centres. Prints one line per figure:
//   tree.rows        rows of the tree statement
//   tree.query       the statement with every row read, no items built
//   tree.model       statement and model rows, no view
//   tree.rebuild     "Obnovit" on the shown tree widget (statement, items, view)
//   tree.rebuild.ratio, tree.filter.keystroke (first letter typed into the
//   quick filter of the full tree, until the view is updated)
// Each time is the median of several runs.

#include "app/session.h"
#include "db/database.h"
#include "db/demodata.h"
#include "register/podnikytree.h"
#include "register/podnikytreemodel.h"
#include "register/treequery.h"
#include "schema/schema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const int kRuns = 5;

double medianMs(const std::function<void()> &work, const std::function<void()> &between = {})
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

void figure(const char *name, double value, const char *unit, int precision = 1)
{
    std::printf("%s: %.*f %s\n", name, precision, value, unit);
    std::fflush(stdout);
}

int fail(const QString &what)
{
    std::fprintf(stderr, "bench_tree: %s\n", qPrintable(what));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Names collate as on the users' desktops, whatever this machine's locale.
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));

    QTemporaryDir dir;
    DbConfig cfg;
    cfg.driver = DbConfig::SQLite;
    QString error;
    const QStringList args = app.arguments();
    if (args.size() > 1) {
        cfg.path = args.at(1);
        if (!Database::open(cfg, &error, Database::MustExist))
            return fail(error);
    } else {
        cfg.path = dir.filePath(QStringLiteral("bench.sqlite"));
        if (!Database::open(cfg, &error, Database::CreateEmpty) || !Schema::create(&error))
            return fail(error);
        DemoOptions seed;
        seed.seed = 7;
        seed.enterprises = 5000;
        seed.events = 0;
        seed.attachments = 0;
        QElapsedTimer t;
        t.start();
        if (!DemoData::seed(seed, &error))
            return fail(QStringLiteral("seeding: ") + error);
        std::fprintf(stderr, "seeded in %.1f s\n", t.elapsed() / 1000.0);
    }

    Session session;
    TreeQueryOptions options; // a user who sees everything, tree shape
    const TreeQuery query = buildTreeQuery(options);

    int rows = 0;
    const double queryMs = medianMs([&] {
        rows = 0;
        if (!runPodnikyTreeQuery(query, [&rows](const PodnikyTreeRow &) { ++rows; }, &error))
            qFatal("tree query: %s", qPrintable(error));
    });

    {
        // The same work without the view and the proxy.
        PodnikyTreeModel model;
        const double itemsMs = medianMs([&] {
            model.beginRebuild(true);
            runPodnikyTreeQuery(query, [&model](const PodnikyTreeRow &r) { model.addRow(r); }, &error);
            model.endRebuild();
        });
        figure("tree.model", itemsMs, "ms");
    }
    PodnikyTree tree(&session);
    tree.resize(500, 900);
    tree.show();
    QCoreApplication::processEvents();
    const double rebuildMs = medianMs([&] {
        tree.refresh();
        QCoreApplication::processEvents();
    });

    auto *sfilter = tree.findChild<QLineEdit *>(QStringLiteral("sfilter"));
    const double keystrokeMs = medianMs(
        [&] {
            sfilter->setText(QStringLiteral("c"));
            QCoreApplication::processEvents();
        },
        [&] {
            sfilter->clear();
            QCoreApplication::processEvents();
        });

    figure("tree.rows", rows, "rows", 0);
    figure("tree.query", queryMs, "ms");
    figure("tree.rebuild", rebuildMs, "ms");
    figure("tree.rebuild.ratio", rebuildMs / queryMs, "x", 2);
    figure("tree.filter.keystroke", keystrokeMs, "ms");
    return 0;
}
