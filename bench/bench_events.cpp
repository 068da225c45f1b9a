// The two event lists at the scale of a register that has kept its log for
// years: 200,000 events in threads up to four deep, 5,000 enterprises.
//
//   bench_events [--config FILE] [DATABASE.sqlite]
//
// Without --config and without a file it seeds a temporary SQLite database
// like "zrnctl seed --seed 7 --enterprises 5000 --events 200000". With
// --config it opens the database of that settings file, seeded already.
//
// Prints one line per figure, "name: value unit" (times are medians):
//   events.total                    live events in the database
//   events.global.rows              rows of the global list (no filter)
//   events.global.query             the list statement through QSSQL, every value read
//   events.global.load              "Obnovit" on the shown global tab: statement, model, view
//   events.global.ratio             load / query
//   events.global.filter.keystroke  one letter typed into the text filter of the full list
//   events.global.rss(.before)      resident memory after (before) the global list is loaded
//   events.enterprise.rows / .query / .load / .ratio
//                                   the same for the register's page of the
//                                   enterprise with the most events
//   events.enterprise.reload(.ratio) its load without painting the screen
//   events.pane.load                a click on an event until its pane is filled
//   statements.global_load, statements.enterprise_load, statements.pane_load
// On MariaDB the query plans of both list statements follow as "#" lines.

#include "bench/benchdb.h"
#include "core/session.h"
#include "db/database.h"
#include "db/qssql.h"
#include "events/eventpane.h"
#include "events/eventstore.h"
#include "events/eventthreads.h"
#include "events/eventtreemodel.h"
#include "events/udalostipage.h"
#include "events/udalostitab.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTreeView>

#include <cstdio>

namespace {

void settle()
{
    QApplication::processEvents();
}

double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return 0;
}

QVariant scalar(const QString &sql)
{
    QSSQL q;
    if (!q.exec(sql) || !q.next())
        return QVariant();
    return q.value(0);
}

void explain(const QString &name, const EventStore::Filter &filter)
{
    QVariantList binds;
    const QString sql = EventStore::listStatement(filter, Visibility::everything(), &binds);
    QSSQL q;
    q.prepare(QStringLiteral("explain ") + sql);
    for (const QVariant &v : binds)
        q.addBindValue(v);
    if (!q.exec()) {
        note(name + QStringLiteral(" plan: ") + q.lastError().text());
        return;
    }
    note(name + QStringLiteral(" plan (id select_type table type key rows Extra):"));
    while (q.next()) {
        note(QStringLiteral("  %1 %2 %3 %4 %5 %6 %7")
                 .arg(q.value(QStringLiteral("id")).toString(), q.value(QStringLiteral("select_type")).toString(),
                      q.value(QStringLiteral("table")).toString(), q.value(QStringLiteral("type")).toString(),
                      q.value(QStringLiteral("key")).toString(), q.value(QStringLiteral("rows")).toString(),
                      q.value(QStringLiteral("Extra")).toString()));
    }
}

double queryMs(const EventStore::Filter &filter, int *rows, const Visibility &visibility = Visibility::everything())
{
    return medianMs([&] {
        QVector<EventStore::ListRow> list;
        QString error;
        if (!EventStore::readList(filter, visibility, &list, &error))
            qFatal("list: %s", qPrintable(error));
        *rows = list.size();
    });
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Event lists benchmark."));
    parser.addHelpOption();
    QCommandLineOption configOption(QStringLiteral("config"), QStringLiteral("Settings file of the database."),
                                    QStringLiteral("file"));
    parser.addOption(configOption);
    parser.addPositionalArgument(QStringLiteral("database"), QStringLiteral("A seeded SQLite file."));
    parser.process(app);

    QTemporaryDir dir;
    DbConfig cfg;
    QString error;
    if (!openBenchDatabase(parser.value(configOption), parser.positionalArguments().value(0), dir.path(), &cfg, &error,
                           200000))
        return fail(error);
    std::fprintf(stderr, "database: %s\n", qPrintable(cfg.describe()));
    figure(QStringLiteral("events.total"), scalar(QStringLiteral("select count(*) from tellmark_udalosti where smazano=0")).toDouble(),
           "events", 0);

    Session session;
    session.user.login = QStringLiteral("bench");
    session.user.udalosti = 2;

    // The global list, everything shown.
    EventStore::Filter global;
    global.global = true;
    global.eventsRight = 2;
    int rows = 0;
    const double globalQuery = queryMs(global, &rows);
    figure(QStringLiteral("events.global.rows"), rows, "rows", 0);
    figure(QStringLiteral("events.global.query"), globalQuery, "ms");
    // The same for a user of the most frequent region: the restriction is
    // tested per root.
    const QString region = scalar(QStringLiteral("select obr from tellmark_podniky where obr is not null and obr<>''"
                                                 " group by obr order by count(*) desc limit 1"))
                               .toString()
                               .section(QLatin1Char(','), 0, 0);
    const double regionQuery = queryMs(global, &rows, Visibility(0, 0, region));
    figure(QStringLiteral("events.global.region.rows"), rows, "rows", 0);
    figure(QStringLiteral("events.global.region.query"), regionQuery, "ms");

    UdalostiTab tab(&session);
    tab.resize(1400, 900);
    tab.show();
    settle();
    figure(QStringLiteral("events.global.rss.before"), residentMb(), "MB", 0);
    quint64 before = Database::statementCount();
    const double globalLoad = medianMs([&] {
        tab.onRefreshSUdalost();
        settle();
    });
    figure(QStringLiteral("events.global.load"), globalLoad, "ms");
    figure(QStringLiteral("events.global.ratio"), globalLoad / globalQuery, "x", 2);
    figure(QStringLiteral("statements.global_load"), double(Database::statementCount() - before) / kRuns, "statements", 1);
    figure(QStringLiteral("events.global.rss"), residentMb(), "MB", 0);
    const double keystroke = medianMs(
        [&] {
            tab.onUFilter(QStringLiteral("k"));
            settle();
        },
        [&] {
            tab.onUFilter(QString());
            settle();
        });
    figure(QStringLiteral("events.global.filter.keystroke"), keystroke, "ms");
    tab.onUFilter(QString());

    // The register's page of the enterprise with the most events.
    const QVariant busiest = scalar(QStringLiteral(
        "select s.id_podnik from tellmark_udalosti u join tellmark_strediska s on s.id=u.id_strediska "
        "group by s.id_podnik order by count(*) desc limit 1"));
    session.setSelection(busiest, QVariant());
    EventStore::Filter enterprise;
    enterprise.podnikId = busiest;
    const double enterpriseQuery = queryMs(enterprise, &rows);
    figure(QStringLiteral("events.enterprise.rows"), rows, "rows", 0);
    figure(QStringLiteral("events.enterprise.query"), enterpriseQuery, "ms", 2);
    UdalostiPage page(&session);
    page.resize(1400, 900);
    page.show();
    settle();
    before = Database::statementCount();
    const double enterpriseLoad = medianMs([&] {
        page.load();
        settle();
    });
    figure(QStringLiteral("events.enterprise.load"), enterpriseLoad, "ms", 2);
    figure(QStringLiteral("events.enterprise.ratio"), enterpriseLoad / enterpriseQuery, "x", 2);
    figure(QStringLiteral("statements.enterprise_load"), double(Database::statementCount() - before) / kRuns,
           "statements", 1);
    // The same without painting the screen, which costs a few ms whatever
    // the size of the list.
    const double enterpriseReload = medianMs([&] { page.load(); });
    figure(QStringLiteral("events.enterprise.reload"), enterpriseReload, "ms", 2);
    figure(QStringLiteral("events.enterprise.reload.ratio"), enterpriseReload / enterpriseQuery, "x", 2);

    // Clicks on the events of that page, each a different one.
    QTreeView *view = page.view();
    const int shown = view->model()->rowCount();
    int next = 0;
    before = Database::statementCount();
    const double paneLoad = medianMs(
        [&] {
            view->selectionModel()->setCurrentIndex(view->model()->index(next % qMax(1, shown), 0),
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            settle();
        },
        [&] { ++next; });
    figure(QStringLiteral("events.pane.load"), paneLoad, "ms", 2);
    figure(QStringLiteral("statements.pane_load"), double(Database::statementCount() - before) / kRuns, "statements", 1);

    if (!Database::isSqlite()) {
        explain(QStringLiteral("global list"), global);
        explain(QStringLiteral("enterprise list"), enterprise);
    }
    return 0;
}
