// The reports of the "Sestavy" tab at the scale of the production register.
//
//   bench_reports [--config FILE] [DATABASE.sqlite]
//
// Without --config and without a file it seeds a temporary SQLite database
// like "zrnctl seed --seed 7 --enterprises 5000 --events 0". With --config it
// opens the database of that settings file, which must be seeded already.
//
// Prints one line per figure, "name: value unit" (times are medians of five):
//   report.<name>          building the report's HTML (statements included)
//   report.<name>.size     the HTML in kB (over 2048 the tab loads it from a file)
//   statements.report.<name>  statements sent for one build
// <name>: overview, economic, economic.region (a user of region "TA"),
// centres, updates, vnc.

#include "bench/benchdb.h"
#include "db/database.h"
#include "db/qssql.h"
#include "outputs/csvexport.h"
#include "outputs/mapdocument.h"
#include "outputs/reports.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>


int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Reports benchmark."));
    parser.addHelpOption();
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("Settings file of a seeded database (default: a temporary SQLite one)."),
                                          QStringLiteral("FILE"));
    parser.addOption(configOption);
    parser.addPositionalArgument(QStringLiteral("database"), QStringLiteral("A seeded SQLite file."), QStringLiteral("[DATABASE.sqlite]"));
    parser.process(app);

    QTemporaryDir dir;
    DbConfig cfg;
    QString error;
    if (!openBenchDatabase(parser.value(configOption), parser.positionalArguments().value(0), dir.path(), &cfg, &error))
        return fail(error);
    std::fprintf(stderr, "database: %s\n", qPrintable(cfg.describe()));

    const QDate today = QDate::currentDate();
    const std::vector<std::pair<QString, std::function<Reports::Result()>>> reports = {
        {QStringLiteral("overview"), [today] { return Reports::overview(today, Visibility::everything()); }},
        {QStringLiteral("economic"), [] { return Reports::economic(Visibility::everything()); }},
        {QStringLiteral("economic.region"), [] { return Reports::economic(Visibility(0, 0, QStringLiteral("TA"))); }},
        {QStringLiteral("centres"), [] { return Reports::centres(Visibility::everything()); }},
        {QStringLiteral("updates"), [] { return Reports::updates(Visibility::everything()); }},
        {QStringLiteral("vnc"), [] { return Reports::vnc(QStringLiteral("rep1"), QStringLiteral("rep2"), Visibility::everything()); }},
    };
    for (const auto &report : reports) {
        std::vector<double> times;
        quint64 statements = 0;
        Reports::Result r;
        for (int i = 0; i < kRuns; ++i) {
            const quint64 before = Database::statementCount();
            QElapsedTimer t;
            t.start();
            r = report.second();
            times.push_back(t.nsecsElapsed() / 1e6);
            statements = std::max(statements, Database::statementCount() - before);
        }
        if (!r.error.isEmpty())
            return fail(report.first + QStringLiteral(": ") + r.error);
        std::sort(times.begin(), times.end());
        figure(QStringLiteral("report.") + report.first, times[times.size() / 2], "ms");
        figure(QStringLiteral("report.") + report.first + QStringLiteral(".size"), r.html.toUtf8().size() / 1024.0, "kB", 0);
        figure(QStringLiteral("statements.report.") + report.first, double(statements), "statements", 0);
    }
    // The CSV export and the map document of every enterprise, as "Export"
    // and "Mapa" see them with nothing filtered.
    QList<int> all;
    {
        QSSQL q;
        if (!q.exec(QStringLiteral("select id from tellmark_podniky order by podnik_nazev")))
            return fail(q.lastError().text());
        while (q.next())
            all << q.value(0).toInt();
    }
    const std::vector<std::pair<QString, std::function<QByteArray(QString *)>>> outputs = {
        {QStringLiteral("csv.export"), [&all](QString *e) { return CsvExport::buildCsv(all, Visibility::everything(), CsvExport::CsvOptions(), e); }},
        {QStringLiteral("map.document"),
         [&all](QString *e) { return MapDocument::fromDatabase(MapDocument::DleRegionu, all, Visibility::everything(), e); }},
    };
    for (const auto &output : outputs) {
        std::vector<double> times;
        quint64 statements = 0;
        QByteArray bytes;
        QString error;
        for (int i = 0; i < kRuns; ++i) {
            const quint64 before = Database::statementCount();
            QElapsedTimer t;
            t.start();
            bytes = output.second(&error);
            times.push_back(t.nsecsElapsed() / 1e6);
            statements = std::max(statements, Database::statementCount() - before);
        }
        if (!error.isEmpty())
            return fail(output.first + QStringLiteral(": ") + error);
        std::sort(times.begin(), times.end());
        figure(output.first, times[times.size() / 2], "ms");
        figure(output.first + QStringLiteral(".size"), bytes.size() / 1024.0, "kB", 0);
        figure(QStringLiteral("statements.") + output.first, double(statements), "statements", 0);
    }
    Database::close();
    return 0;
}
