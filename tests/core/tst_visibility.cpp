// Region, assigned centres, both: every list, report and export holds just the tree, given more ids.

#include "core/visibility.h"
#include "db/qssql.h"
#include "events/eventstore.h"
#include "outputs/csvexport.h"
#include "outputs/mapdocument.h"
#include "outputs/reports.h"
#include "register/podnikytreemodel.h"
#include "register/treequery.h"
#include "support/testdb.h"
#include "support/testmain.h"

class TestVisibility : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        QString error;
        QVERIFY2(TestDb::seedSmallRegister(&error), qPrintable(error));
    }
    void cleanupTestCase() { TestDb::close(); }

    void everyListHoldsOnlyTheTree_data()
    {
        QTest::addColumn<int>("user");
        QTest::addColumn<int>("acls");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("expected");
        const struct {
            const char *name;
            int user, acls;
            const char *region;
        } users[] = {{"region", 5, 0, "TA"}, {"acls", 6, 1, ""}, {"acls and region", 7, 1, "ST"}};
        // Tree, events, Alfa's events, economic (enterprise:centres), map (+ uses the product), CSV.
        const char *const expected[][6] = {
            {"1:11 1:12 2:21 2:22 4:0", "101 102 103 104 105 108 109 110", "101 102 103 109 110", "Alfa:2 Beta:1",
             "1+ 2+ 4-", "Alfa Beta Delta"},
            {"1:12 2:21", "101 103 104 105 110", "101 103 110", "Alfa:1", "1+ 2-", "Alfa Beta"},
            {"2:21 3:31", "104 105 106 107", "", "Gama:1", "2- 3+", "Beta Gama"},
        };
        const char *const areas[] = {"tree", "global events", "Alfa's event page", "economic", "map", "csv"};
        for (int u = 0; u < 3; ++u)
            for (int a = 0; a < 6; ++a)
                QTest::addRow("%s: %s", users[u].name, areas[a])
                    << users[u].user << users[u].acls << QString::fromUtf8(users[u].region)
                    << QString::fromUtf8(areas[a]) << QString::fromUtf8(expected[u][a]);
    }
    void everyListHoldsOnlyTheTree()
    {
        QFETCH(int, user);
        QFETCH(int, acls);
        QFETCH(QString, region);
        QFETCH(QString, area);
        const Visibility visible(user, acls, region);
        const QList<int> all{1, 2, 3, 4};
        QString error;
        QStringList got;
        if (area == QLatin1String("tree")) {
            TreeQueryOptions o;
            o.userId = user;
            o.acls = acls;
            o.region = region;
            const auto add = [&got](const auto &r) { got << QString("%1:%2").arg(r.podnikId).arg(r.strediskoId); };
            QVERIFY2(runPodnikyTreeQuery(buildTreeQuery(o), add, &error), qPrintable(error));
        } else if (area.endsWith(QLatin1String("events")) || area.endsWith(QLatin1String("page"))) {
            EventStore::Filter f;
            f.visibility = visible;
            f.global = area.startsWith(QLatin1String("global"));
            if (!f.global)
                f.podnikId = 1;
            QVector<EventStore::ListRow> rows;
            QVERIFY2(EventStore::readList(f, &rows, &error), qPrintable(error));
            for (const EventStore::ListRow &r : qAsConst(rows))
                got << QString::number(r.id);
        } else if (area == QLatin1String("economic")) {
            const Reports::Result r = Reports::economic(visible);
            QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
            // An enterprise line: number, name, count of centres.
            static const QRegularExpression line(QStringLiteral("<tr><td>\\d+</td><td>(\\w+)</td><td[^>]*>(\\d+)</td>"));
            for (auto it = line.globalMatch(r.html); it.hasNext();) {
                const auto m = it.next();
                got << m.captured(1) + QLatin1Char(':') + m.captured(2);
            }
        } else if (area == QLatin1String("map")) {
            QList<MapDocument::Enterprise> rows;
            QVERIFY2(MapDocument::read(all, visible, &rows, &error), qPrintable(error));
            for (const MapDocument::Enterprise &e : qAsConst(rows))
                got << QString::number(e.id) + (e.usesProduct ? QLatin1Char('+') : QLatin1Char('-'));
        } else {
            CsvExport::CsvOptions o;
            o.withHeader = false;
            const QString text = QString::fromUtf8(CsvExport::buildCsv(all, visible, o, &error));
            QVERIFY2(error.isEmpty(), qPrintable(error));
            for (const QString &l : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                got << l.section(QLatin1Char(';'), 0, 0);
        }
        got.sort();
        QTEST(got.join(QLatin1Char(' ')), "expected");
    }
};

ZRN_TEST_GUILESS_MAIN(TestVisibility)
#include "tst_visibility.moc"
