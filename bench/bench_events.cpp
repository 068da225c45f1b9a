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
//   events.global.first_screen      "Obnovit" on the shown global tab, newest first: the
//                                   first page of threads read, shown and painted
//   events.global.first_screen.colN the same sorted by column N, going down
//   events.global.scroll_page       the next page as the view scrolls to the end
//   events.global.rss(.before)      resident memory after (before) the global list is
//                                   opened and scrolled through ten pages
//   events.global.search.rare/.common
//                                   a word typed into "Hledat" until the first matches show
//                                   (the words and how many events hold them as "#" lines)
//   events.global.search.rows       threads shown for the common word at first
//   events.global.search.input_latency
//                                   the longest the window did not answer during a search
//   events.enterprise.search.keystroke
//                                   a letter typed into the register page's "Hledat"
//                                   (the search runs in the background)
//   events.enterprise.search.answer until its matches show
//   events.enterprise.rows / .query / .load / .ratio
//                                   the same for the register's page of the
//                                   enterprise with the most events
//   events.enterprise.reload(.ratio) its load without painting the screen
//   events.pane.load                a click on an event until its pane is filled
//   statements.global_load, statements.enterprise_load, statements.pane_load
// The query plans of the first page and of the searches follow as "#"
// lines ("explain query plan" on SQLite).
//   --rare WORD, --common WORD      the search words (defaults suit the seeded data)

#include "bench/benchdb.h"
#include "core/session.h"
#include "db/database.h"
#include "db/qssql.h"
#include "events/eventpane.h"
#include "events/eventstore.h"
#include "events/eventthreads.h"
#include "events/eventtreemodel.h"
#include "events/eventlist.h"
#include "events/eventworker.h"
#include "schema/eventlog.h"
#include "events/udalostipage.h"
#include "events/udalostitab.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QThread>
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

void explainSql(const QString &name, const QString &sql, const QVariantList &binds)
{
    QSSQL q;
    if (Database::isSqlite()) {
        q.prepare(QStringLiteral("explain query plan ") + sql);
        for (const QVariant &v : binds)
            q.addBindValue(v);
        if (!q.exec()) {
            note(name + QStringLiteral(" plan: ") + q.lastError().text());
            return;
        }
        note(name + QStringLiteral(" plan:"));
        while (q.next())
            note(QStringLiteral("  ") + q.value(3).toString());
        return;
    }
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

void explain(const QString &name, const EventStore::Filter &filter)
{
    QVariantList binds;
    const QString sql = EventStore::listStatement(filter, &binds);
    explainSql(name, sql, binds);
}

void explainPage(const QString &name, const EventStore::Filter &filter, int column)
{
    EventStore::Sort sort;
    sort.column = column;
    sort.descending = true;
    QVariantList binds;
    const QString sql = EventStore::pageRootsStatement(filter, sort, EventStore::PageCursor(), 200, &binds);
    explainSql(name, sql, binds);
}

// Events whose subject or description holds a word beginning so.
qlonglong eventsHolding(const QString &word)
{
    const QString w = EventStore::searchWords(word).value(0);
    QSSQL q;
    const QString table = QLatin1String(Schema::kSearchTable);
    const bool ok = Database::isSqlite()
        ? q.exec(QStringLiteral("select count(*) from %1 where %1 match ?").arg(table),
                 {QLatin1Char('"') + w + QStringLiteral("\"*")})
        : q.exec(QStringLiteral("select count(*) from %1 where match(obsah) against (? in boolean mode)").arg(table),
                 {QLatin1Char('+') + w + QLatin1Char('*')});
    return ok && q.next() ? q.value(0).toLongLong() : -1;
}

// Types `text` into `edit` and waits for the search's answer; the time until
// it shows, and in *latency the longest the event loop was held up.
double searchMs(QLineEdit *edit, EventThreads *threads, const QString &text, double *latency)
{
    QElapsedTimer total;
    total.start();
    QElapsedTimer step;
    step.start();
    edit->setText(text);
    double worst = step.nsecsElapsed() / 1e6;
    while (threads->searching()) {
        QThread::msleep(1);
        step.restart();
        QApplication::processEvents();
        worst = qMax(worst, step.nsecsElapsed() / 1e6);
    }
    const double ms = total.nsecsElapsed() / 1e6;
    if (latency)
        *latency = qMax(*latency, worst);
    return ms;
}

double queryMs(const EventStore::Filter &filter, int *rows)
{
    return medianMs([&] {
        QVector<EventStore::ListRow> list;
        QString error;
        if (!EventStore::readList(filter, &list, &error))
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
    // The seeded log holds "expedice" in about 0.9 % of its events: the
    // most a word may hold and still count as rare.
    QCommandLineOption rareOption(QStringLiteral("rare"), QStringLiteral("A word at most 1 % of the events hold."),
                                  QStringLiteral("word"), QStringLiteral("expedice"));
    QCommandLineOption commonOption(QStringLiteral("common"), QStringLiteral("A word many events hold."),
                                    QStringLiteral("word"), QStringLiteral("pulzátorů"));
    parser.addOption(rareOption);
    parser.addOption(commonOption);
    parser.addPositionalArgument(QStringLiteral("database"), QStringLiteral("A seeded SQLite file."));
    parser.process(app);

    QTemporaryDir dir;
    DbConfig cfg;
    QString error;
    if (!openBenchDatabase(parser.value(configOption), parser.positionalArguments().value(0), dir.path(), &cfg, &error,
                           200000))
        return fail(error);
    std::fprintf(stderr, "database: %s\n", qPrintable(cfg.describe()));
    const double liveEvents = scalar(QStringLiteral("select count(*) from tellmark_udalosti where smazano=0")).toDouble();
    figure(QStringLiteral("events.total"), liveEvents, "events", 0);

    Session session;
    session.user.login = QStringLiteral("bench");
    session.user.udalosti = 2;

    // The global list, everything shown, newest first.
    EventStore::Filter global;
    global.visibility = Visibility::everything();
    global.global = true;
    global.eventsRight = 2;
    int rows = 0;

    UdalostiTab tab(&session);
    tab.resize(1400, 900);
    tab.show();
    settle();
    figure(QStringLiteral("events.global.rss.before"), residentMb(), "MB", 0);
    QHeaderView *header = tab.view()->header();
    header->setSortIndicator(EventList::ColZacatek, Qt::DescendingOrder);
    settle();
    quint64 before = Database::statementCount();
    const double firstScreen = medianMs([&] {
        tab.onRefreshSUdalost();
        settle();
    });
    figure(QStringLiteral("events.global.first_screen"), firstScreen, "ms");
    figure(QStringLiteral("statements.global_first_screen"), double(Database::statementCount() - before) / kRuns,
           "statements", 1);
    figure(QStringLiteral("events.global.threads.first_screen"), tab.model()->threadCount(), "threads", 0);
    // The user drags the scroll bar to the end: the view asks for more.
    QScrollBar *bar = tab.view()->verticalScrollBar();
    auto scrollToEnd = [&] {
        bar->setValue(bar->maximum());
        settle();
    };
    // (Between two pages the view lays out what came, so its end moves.)
    const double scrollPage = medianMs(scrollToEnd, settle);
    figure(QStringLiteral("events.global.scroll_page"), scrollPage, "ms");
    for (int i = 0; i < 5; ++i) {
        settle();
        scrollToEnd();
    }
    figure(QStringLiteral("events.global.rss"), residentMb(), "MB", 0);
    // Far down the list a page costs what the first ones did.
    while (tab.model()->threadCount() < 20000 && tab.model()->more()) {
        settle();
        scrollToEnd();
    }
    const double deepPage = medianMs(scrollToEnd, settle);
    figure(QStringLiteral("events.global.scroll_page.deep"), deepPage, "ms");
    figure(QStringLiteral("events.global.rss.deep"), residentMb(), "MB", 0);
    figure(QStringLiteral("events.global.threads.read"), tab.model()->threadCount(), "threads", 0);
    // Every column the header sorts by (the name, subject and persons
    // columns by their keys in the sort key table).
    for (int column = 0; column <= EventList::ColId; ++column) {
        header->setSortIndicator(column, Qt::DescendingOrder);
        settle();
        const double ms = medianMs([&] {
            tab.onRefreshSUdalost();
            settle();
        });
        figure(QStringLiteral("events.global.first_screen.col%1").arg(column), ms, "ms");
    }
    header->setSortIndicator(EventList::ColZacatek, Qt::DescendingOrder);
    settle();

    // Searching, newest first.
    auto *ufilter = tab.findChild<QLineEdit *>(QStringLiteral("ufilter"));
    const QString rare = parser.value(rareOption);
    const QString common = parser.value(commonOption);
    for (const auto &[kind, word] : {std::make_pair("rare", rare), std::make_pair("common", common)}) {
        const qlonglong holding = eventsHolding(word);
        note(QStringLiteral("%1 word \"%2\": %3 events (%4 %)")
                 .arg(QLatin1String(kind), word).arg(holding).arg(100.0 * holding / qMax(1.0, liveEvents), 0, 'f', 2));
    }
    double latency = 0;
    auto clearSearch = [&] {
        searchMs(ufilter, tab.threads(), QString(), nullptr);
        settle();
    };
    const double rareMs = medianMs([&] { searchMs(ufilter, tab.threads(), rare, &latency); }, clearSearch);
    figure(QStringLiteral("events.global.search.rare"), rareMs, "ms");
    figure(QStringLiteral("events.global.search.rare.rows"), tab.model()->threadCount(), "threads", 0);
    const double commonMs = medianMs([&] { searchMs(ufilter, tab.threads(), common, &latency); }, clearSearch);
    figure(QStringLiteral("events.global.search.common"), commonMs, "ms");
    figure(QStringLiteral("events.global.search.rows"), tab.model()->threadCount(), "threads", 0);
    // Typing the word letter by letter: every letter drops the search before.
    const double typedMs = medianMs(
        [&] {
            for (int i = 1; i <= common.size(); ++i) {
                QElapsedTimer key;
                key.start();
                ufilter->setText(common.left(i));
                QApplication::processEvents();
                latency = qMax(latency, key.nsecsElapsed() / 1e6);
            }
            searchMs(ufilter, tab.threads(), common, &latency);
        },
        clearSearch);
    figure(QStringLiteral("events.global.search.typed"), typedMs, "ms");
    figure(QStringLiteral("events.global.search.input_latency"), latency, "ms");
    ufilter->clear();
    settle();
    while (tab.threads()->searching())
        settle();

    // The register's page of the enterprise with the most events.
    const QVariant busiest = scalar(QStringLiteral(
        "select s.id_podnik from tellmark_udalosti u join tellmark_strediska s on s.id=u.id_strediska "
        "group by s.id_podnik order by count(*) desc limit 1"));
    EventStore::Filter enterprise;
    enterprise.visibility = Visibility::everything();
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
        page.load(TreeRow::enterprise(busiest));
        settle();
    });
    figure(QStringLiteral("events.enterprise.load"), enterpriseLoad, "ms", 2);
    figure(QStringLiteral("events.enterprise.ratio"), enterpriseLoad / enterpriseQuery, "x", 2);
    figure(QStringLiteral("statements.enterprise_load"), double(Database::statementCount() - before) / kRuns,
           "statements", 1);
    // The same without painting the screen, which costs a few ms whatever
    // the size of the list.
    const double enterpriseReload = medianMs([&] { page.load(TreeRow::enterprise(busiest)); });
    figure(QStringLiteral("events.enterprise.reload"), enterpriseReload, "ms", 2);
    figure(QStringLiteral("events.enterprise.reload.ratio"), enterpriseReload / enterpriseQuery, "x", 2);

    // Its "Hledat": the key comes back at once, the matches follow.
    auto *upfilter = page.findChild<QLineEdit *>(QStringLiteral("upfilter"));
    double answer = 0;
    const double enterpriseKey = medianMs(
        [&] { upfilter->setText(QStringLiteral("s")); },
        [&] {
            QElapsedTimer t;
            t.start();
            while (page.threads()->searching())
                settle();
            answer = qMax(answer, t.nsecsElapsed() / 1e6);
            upfilter->clear();
            while (page.threads()->searching())
                settle();
        });
    while (page.threads()->searching())
        settle();
    figure(QStringLiteral("events.enterprise.search.keystroke"), enterpriseKey, "ms", 2);
    answer = medianMs([&] { searchMs(upfilter, page.threads(), QStringLiteral("servis"), nullptr); },
                      [&] { searchMs(upfilter, page.threads(), QString(), nullptr); });
    figure(QStringLiteral("events.enterprise.search.answer"), answer, "ms", 2);
    upfilter->clear();
    while (page.threads()->searching())
        settle();

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

    explainPage(QStringLiteral("global first page, newest first"), global, EventList::ColZacatek);
    explainPage(QStringLiteral("global first page by state"), global, EventList::ColStav);
    explainPage(QStringLiteral("global first page by name"), global, EventList::ColName);
    explainPage(QStringLiteral("global first page by subject"), global, EventList::ColPredmet);
    explainPage(QStringLiteral("global first page by persons"), global, EventList::ColOO);
    EventStore::Filter searching = global;
    searching.search = common;
    explainPage(QStringLiteral("global search, common word"), searching, EventList::ColZacatek);
    searching.search = rare;
    QString why;
    EventStore::resolveSearch(&searching, 10000, &why);
    explainPage(QStringLiteral("global search, rare word looked up ahead"), searching, EventList::ColZacatek);
    explain(QStringLiteral("enterprise list"), enterprise);
    return 0;
}
