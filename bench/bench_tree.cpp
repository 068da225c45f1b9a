// The enterprise tree and the detail pages of the register tab at the scale
// of the production register: 5,000 enterprises with about 15,000 centres.
//
//   bench_tree [--config FILE] [--delay N] [DATABASE.sqlite]
//
// Without --config and without a file it seeds a temporary SQLite database
// like "zrnctl seed --seed 7 --enterprises 5000 --events 0". With --config it
// opens the database of that settings file, which must be seeded already.
//
// Prints one line per figure, "name: value unit" (times are medians):
//   db.roundtrip           "select 1" through the Qt driver
//   tree.rows              rows of the tree statement
//   tree.floor             the tree statement through the Qt driver alone:
//                          forward-only QSqlQuery, every value read, nothing converted
//   tree.query             the same through QSSQL as the tree reads it (on SQLite
//                          straight from the engine), every value read
//   tree.model             statement and model rows, no view
//   tree.rebuild           "Obnovit" on the shown tree widget (statement, items, view)
//   tree.rebuild.ratio     rebuild / floor, the median of rebuilds timed beside floor runs
//   tree.query.ratio       query / floor
//   tree.filter.keystroke  first letter typed into the quick filter of the
//                          full tree, until the view is updated
//   page.enterprise.load   click on an enterprise row until its pages are filled
//   page.centre.load       the same for a centre row
//   page.enterprise.save   "Uložit" on the enterprise page after one field was
//                          changed: the transaction with the locking read of
//                          the changed column, the update and the history row
//   statements.tree_rebuild, statements.enterprise_click, statements.centre_click,
//   statements.tab.<page>  statements sent for a rebuild, a click, showing the inner tab
//   statements.enterprise_save  statements of that save: begin, the read of the
//                          changed columns (the clash check, one round trip
//                          over the plain write), update, history insert, commit
// Against a MySQL server the tree and the pages are measured once more through
// a relay that delays every packet by --delay ms each way (default 25):
//   db.roundtrip.delayN, tree.rebuild.delayN, page.enterprise.load.delayN,
//   page.centre.load.delayN, page.enterprise.save.delayN

#include "admin/detailpages.h"
#include "core/page.h"
#include "core/session.h"
#include "bench/delayrelay.h"
#include "bench/benchdb.h"
#include "db/database.h"
#include "db/qssql.h"
#include "events/detailpages.h"
#include "register/evidencetab.h"
#include "register/podnikytree.h"
#include "register/podnikytreemodel.h"
#include "register/treequery.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLocale>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// One plain statement: a round trip to the server and back.
double roundTripMs()
{
    return medianMs([] {
        QSqlQuery q(Database::connection());
        if (!q.exec(QStringLiteral("select 1")) || !q.next())
            qFatal("select 1: %s", qPrintable(q.lastError().text()));
    });
}


// The tree statement straight through the Qt driver: what no layer above
// it can beat.
void runFloor(const TreeQuery &query, int *rows)
{
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    if (!q.prepare(Database::isSqlite() ? Database::adaptSql(query.sql) : query.sql))
        qFatal("tree floor: %s", qPrintable(q.lastError().text()));
    for (const QVariant &v : query.binds)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("tree floor: %s", qPrintable(q.lastError().text()));
    int n = 0;
    QVariant v;
    while (q.next()) {
        for (int c = 0; c < TqColumnCount; ++c)
            v = q.value(c);
        ++n;
    }
    *rows = n;
}

void runQssql(const TreeQuery &query, int *rows)
{
    QSSQL q;
    q.setDirectRows(true);
    q.prepare(query.sql);
    for (const QVariant &v : query.binds)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("tree query: %s", qPrintable(q.lastError().text()));
    int n = 0;
    QVariant v;
    while (q.next()) {
        for (int c = 0; c < TqColumnCount; ++c)
            v = q.value(c);
        ++n;
    }
    *rows = n;
}

// The user the pages are measured for: the seeded office user who sees every
// page; without that row, the same rights by hand.
UserRights benchUser()
{
    UserRights user;
    if (UserRights::read(QStringLiteral("demo"), nullptr, &user))
        return user;
    user.login = QStringLiteral("bench");
    user.vp = 2;
    user.admin = 1;
    user.os = 2;
    user.udalosti = 2;
    user.sestavy = 1;
    user.fakturace = 3;
    user.cp = 1;
    user.pristupy = 1;
    return user;
}

// The register tab as the window shows it, and clicks on its tree.
class RegisterClicks
{
public:
    explicit RegisterClicks(Session *session)
        : m_tab(session)
    {
        // Every page the main window offers, the other subsystems' too.
        DetailPage::Registry pages;
        AdminPages::addDetailPages(pages);
        EventsPages::addDetailPages(pages);
        m_tab.addPages(pages);
        m_tab.applyRights();
        m_tab.resize(1400, 900);
        m_tab.show();
        m_tab.refresh();
        QCoreApplication::processEvents();
        view()->expandAll();
        QCoreApplication::processEvents();
    }

    QTreeView *view() const { return m_tab.tree()->view(); }
    QTabWidget *tabs() const { return m_tab.innerTabs(); }

    // Enterprises with at least one centre, spread over the whole tree: every
    // click goes to another row, as a user's would. A phase of 0.5 gives rows
    // between those of phase 0.
    QVector<QPersistentModelIndex> enterprises(int count, double phase) const
    {
        QVector<QPersistentModelIndex> rows;
        const QAbstractItemModel *m = view()->model();
        const int n = m->rowCount();
        for (int i = 0; i < count; ++i) {
            for (int r = int((i + phase) * n / count); r < n; ++r) {
                const QModelIndex idx = m->index(r, 0);
                if (m->rowCount(idx) > 0) {
                    rows << idx;
                    break;
                }
            }
        }
        return rows;
    }

    static QPersistentModelIndex firstCentre(const QModelIndex &enterprise)
    {
        return enterprise.model()->index(0, 0, enterprise);
    }

    void scrollTo(const QModelIndex &row)
    {
        view()->scrollTo(row, QAbstractItemView::PositionAtCenter);
        QCoreApplication::processEvents();
    }

    // A real mouse click on the visible row rather than a call of the pages'
    // load: the view makes the row current, the tab picks and loads the pages
    // the row offers, then the shown page is laid out and painted. The
    // scrolling to the row is not part of it.
    void click(const QModelIndex &row)
    {
        const QRect rect = view()->visualRect(row);
        QTest::mouseClick(view()->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        QCoreApplication::processEvents();
        if (view()->currentIndex() != row)
            qFatal("the click did not make the row current");
        auto *shown = qobject_cast<ZrnPage *>(tabs()->currentWidget());
        if (!shown || !shown->hasRow())
            qFatal("the click left the shown page empty");
    }

    // Median time of a click on each row, and the most statements one sent.
    double clickMs(const QVector<QPersistentModelIndex> &rows, quint64 *statements)
    {
        int next = 0;
        quint64 most = 0;
        const double ms = medianMs(
            [&] {
                const quint64 before = Database::statementCount();
                click(rows.at(next++));
                most = std::max(most, Database::statementCount() - before);
            },
            [&] { scrollTo(rows.at(next)); });
        if (statements)
            *statements = most;
        return ms;
    }

    // Median time of "Uložit" on the enterprise page of each row after one
    // field was changed, and the most statements one save sent.
    double saveMs(const QVector<QPersistentModelIndex> &rows, quint64 *statements)
    {
        auto *page = m_tab.findChild<ZrnPage *>(QStringLiteral("tab_podnik"));
        auto *phone = page ? page->findChild<QLineEdit *>(QStringLiteral("kontakt_telefon")) : nullptr;
        auto *save = page ? page->findChild<QAbstractButton *>(QStringLiteral("podnik_uloz")) : nullptr;
        if (!phone || !save)
            qFatal("the enterprise page has no phone field or no save button");
        int next = 0;
        quint64 most = 0;
        const double ms = medianMs(
            [&] {
                const quint64 before = Database::statementCount();
                save->click();
                most = std::max(most, Database::statementCount() - before);
                if (page->isDirty())
                    qFatal("the save failed");
            },
            [&] {
                const QPersistentModelIndex row = rows.at(next++);
                scrollTo(row);
                click(row);
                tabs()->setCurrentWidget(page);
                QCoreApplication::processEvents();
                phone->setText(phone->text() + QLatin1Char('1'));
            });
        if (statements)
            *statements = most;
        return ms;
    }

    // Statements for showing each inner tab of the row now current; each tab
    // is entered from another one, the one shown first last.
    void countTabs(QMap<QString, quint64> *counts)
    {
        QTabWidget *t = tabs();
        const int n = t->count();
        for (int k = 1; k <= n; ++k) {
            const int i = k % n;
            const quint64 before = Database::statementCount();
            t->setCurrentIndex(i);
            QCoreApplication::processEvents();
            const quint64 sent = Database::statementCount() - before;
            const QString name = t->widget(i)->objectName();
            (*counts)[name] = std::max(counts->value(name), sent);
        }
    }

private:
    EvidenceTab m_tab;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // As the program does: the GPS page can hold a web view.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    // Names collate as on the users' desktops, whatever this machine's locale.
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Enterprise tree and register pages benchmark."));
    parser.addHelpOption();
    const QCommandLineOption configOption(QStringLiteral("config"),
                                          QStringLiteral("Settings file of a seeded database (default: a temporary SQLite one)."),
                                          QStringLiteral("FILE"));
    const QCommandLineOption delayOption(QStringLiteral("delay"),
                                         QStringLiteral("Delay of the relay to a MySQL server, each way (default 25)."),
                                         QStringLiteral("MS"), QStringLiteral("25"));
    parser.addOption(configOption);
    parser.addOption(delayOption);
    parser.addPositionalArgument(QStringLiteral("database"), QStringLiteral("A seeded SQLite file."), QStringLiteral("[DATABASE.sqlite]"));
    parser.process(app);
    bool delayOk = false;
    const int delayMs = parser.value(delayOption).toInt(&delayOk);
    if (!delayOk || delayMs < 0)
        return fail(QStringLiteral("--delay takes a number of milliseconds"));

    QTemporaryDir dir;
    DbConfig cfg;
    QString error;
    if (!openBenchDatabase(parser.value(configOption), parser.positionalArguments().value(0), dir.path(), &cfg, &error))
        return fail(error);
    std::fprintf(stderr, "database: %s\n", qPrintable(cfg.describe()));

    Session session;
    session.user = benchUser();
    TreeQueryOptions options; // as the tree builds them for this user, tree shape
    options.userId = session.user.id;
    options.acls = session.user.acls;
    options.region = session.user.region;
    const TreeQuery query = buildTreeQuery(options);

    figure(QStringLiteral("db.roundtrip"), roundTripMs(), "ms", 3);

    int rows = 0;
    runFloor(query, &rows); // the first read fills the caches
    const double floorMs = medianMs([&] { runFloor(query, &rows); });
    int qssqlRows = 0;
    const double queryMs = medianMs([&] { runQssql(query, &qssqlRows); });
    if (qssqlRows != rows)
        return fail(QStringLiteral("QSSQL read %1 rows, the driver %2").arg(qssqlRows).arg(rows));
    figure(QStringLiteral("tree.rows"), rows, "rows", 0);
    figure(QStringLiteral("tree.floor"), floorMs, "ms");
    figure(QStringLiteral("tree.query"), queryMs, "ms");
    figure(QStringLiteral("tree.query.ratio"), queryMs / floorMs, "x", 2);

    {
        // The same work without the view and the proxy.
        PodnikyTreeModel model;
        const double itemsMs = medianMs([&] {
            model.beginRebuild(true);
            runPodnikyTreeQuery(query, [&model](const PodnikyTreeRow &r) { model.addRow(r); }, &error);
            model.endRebuild();
        });
        figure(QStringLiteral("tree.model"), itemsMs, "ms");
    }

    // The tree on its own, as earlier runs measured it: nothing selected.
    PodnikyTree tree(&session);
    tree.resize(500, 900);
    tree.show();
    QCoreApplication::processEvents();
    auto rebuild = [&] {
        tree.refresh();
        QCoreApplication::processEvents();
    };
    const quint64 beforeRebuilds = Database::statementCount();
    const double rebuildMs = medianMs(rebuild);
    figure(QStringLiteral("tree.rebuild"), rebuildMs, "ms");
    figure(QStringLiteral("statements.tree_rebuild"), double(Database::statementCount() - beforeRebuilds) / kRuns,
           "statements", 0);
    // The ratio from rebuilds each timed beside a floor run, so that a
    // machine busy for a while weighs on both sides alike.
    std::vector<double> ratios;
    for (int i = 0; i < kRuns; ++i) {
        int ignored = 0;
        const double floorRun = medianMs([&] { runFloor(query, &ignored); });
        ratios.push_back(medianMs(rebuild) / floorRun);
    }
    std::sort(ratios.begin(), ratios.end());
    figure(QStringLiteral("tree.rebuild.ratio"), ratios[ratios.size() / 2], "x", 2);

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
    figure(QStringLiteral("tree.filter.keystroke"), keystrokeMs, "ms");
    sfilter->clear();
    QCoreApplication::processEvents();
    tree.hide();

    // The register tab: clicks on rows of its own tree.
    RegisterClicks reg(&session);
    const QVector<QPersistentModelIndex> firms = reg.enterprises(kRuns, 0.0);
    QVector<QPersistentModelIndex> centres;
    for (const QPersistentModelIndex &e : firms)
        centres << RegisterClicks::firstCentre(e);
    if (firms.size() < kRuns)
        return fail(QStringLiteral("the tree has too few enterprises with centres"));

    quint64 enterpriseStatements = 0;
    quint64 centreStatements = 0;
    const double enterpriseMs = reg.clickMs(firms, &enterpriseStatements);
    QMap<QString, quint64> tabStatements;
    reg.countTabs(&tabStatements);
    const double centreMs = reg.clickMs(centres, &centreStatements);
    reg.countTabs(&tabStatements);

    quint64 saveStatements = 0;
    const double saveMs = reg.saveMs(reg.enterprises(kRuns, 0.25), &saveStatements);

    figure(QStringLiteral("page.enterprise.load"), enterpriseMs, "ms");
    figure(QStringLiteral("page.centre.load"), centreMs, "ms");
    figure(QStringLiteral("page.enterprise.save"), saveMs, "ms");
    figure(QStringLiteral("statements.enterprise_save"), saveStatements, "statements", 0);
    figure(QStringLiteral("statements.enterprise_click"), enterpriseStatements, "statements", 0);
    figure(QStringLiteral("statements.centre_click"), centreStatements, "statements", 0);
    for (auto it = tabStatements.cbegin(); it != tabStatements.cend(); ++it)
        figure(QStringLiteral("statements.tab.") + it.key(), it.value(), "statements", 0);

    const QString suffix = QStringLiteral(".delay%1").arg(delayMs);
    if (Database::isSqlite()) {
        note(QStringLiteral("db.roundtrip%1, tree.rebuild%1, page.enterprise.load%1, page.centre.load%1, "
                            "page.enterprise.save%1 skipped: "
                            "the database is an SQLite file, there is no connection to delay")
                 .arg(suffix));
        return 0;
    }

    // The same server across a slow link: reopened through the relay.
    DelayRelay relay;
    const QString host = cfg.host.isEmpty() || cfg.host == QLatin1String("localhost") ? QStringLiteral("127.0.0.1") : cfg.host;
    const quint16 relayPort = relay.start(host, quint16(cfg.port), delayMs, &error);
    if (!relayPort)
        return fail(QStringLiteral("relay: ") + error);
    DbConfig slow = cfg;
    slow.host = QStringLiteral("127.0.0.1");
    slow.port = relayPort;
    slow.socket.clear();
    if (!Database::open(slow, &error, Database::MustExist))
        return fail(QStringLiteral("through the relay: ") + error);
    std::fprintf(stderr, "relay: 127.0.0.1:%u -> %s:%d, %d ms each way\n", relayPort, qPrintable(host), cfg.port, delayMs);

    figure(QStringLiteral("db.roundtrip") + suffix, roundTripMs(), "ms", 3);

    const QVector<QPersistentModelIndex> slowFirms = reg.enterprises(kRuns, 0.5);
    QVector<QPersistentModelIndex> slowCentres;
    for (const QPersistentModelIndex &e : slowFirms)
        slowCentres << RegisterClicks::firstCentre(e);
    if (slowFirms.size() < kRuns)
        return fail(QStringLiteral("the tree has too few enterprises with centres"));

    session.setSelection(QVariant(), QVariant());
    tree.show();
    QCoreApplication::processEvents();
    figure(QStringLiteral("tree.rebuild") + suffix, medianMs(rebuild), "ms");
    tree.hide();
    figure(QStringLiteral("page.enterprise.load") + suffix, reg.clickMs(slowFirms, nullptr), "ms");
    figure(QStringLiteral("page.centre.load") + suffix, reg.clickMs(slowCentres, nullptr), "ms");
    figure(QStringLiteral("page.enterprise.save") + suffix, reg.saveMs(reg.enterprises(kRuns, 0.75), nullptr), "ms");

    Database::close();
    relay.stop();
    return 0;
}
