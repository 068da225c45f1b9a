// The enterprise tree on a database: who sees which rows, both shapes, the cells and counters; the widget's
// reselection, sorting, quick filter, refused rebuild, in-place centre updates and tool bar rights.

#include "core/session.h"
#include "register/podnikytree.h"
#include "register/podnikytreemodel.h"
#include "support/testdb.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include "support/testmain.h"

Q_DECLARE_METATYPE(TreeQueryOptions)

namespace {

const QString cs = QStringLiteral("Český statek"), am = QStringLiteral("Agro Morava");

// Rows depth first: "enterprise" and "enterprise/centre".
QStringList shown(const QAbstractItemModel *m, const QModelIndex &parent = QModelIndex(), const QString &prefix = QString())
{
    QStringList out;
    for (int r = 0; r < m->rowCount(parent); ++r) {
        const QString name = prefix + m->index(r, 0, parent).data().toString();
        out << name << shown(m, m->index(r, 0, parent), name + '/');
    }
    return out;
}

QModelIndex find(const QAbstractItemModel *m, const QString &text)
{
    return m->match(m->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly | Qt::MatchRecursive).value(0);
}

bool load(PodnikyTreeModel *model, const TreeQueryOptions &o, QString *error)
{
    model->beginRebuild(o.sortSection == 0);
    const bool ok = runPodnikyTreeQuery(buildTreeQuery(o), [model](const PodnikyTreeRow &r) { model->addRow(r); }, error);
    model->endRebuild();
    return ok;
}

QString counters(int p, int s, int lp, int ls)
{
    return QStringLiteral("CELKOVĚ - podniky: %1, střediska: %2 | TELLMARK - podniky: %3, střediska: %4").arg(p).arg(s).arg(lp).arg(ls);
}

} // namespace

class TestPodnikyTree : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); // names collate as on the users' desktops
        ZRN_OPEN_TEST_DB();
        ZRN_CLEAR_TEST_DB();
        ZRN_SEED("insert into tellmark_holding(id,nazev_holding) values(1,'Holding Jih')",
                 "insert into tellmark_podniky(id,podnik_nazev,id_holding,OBR,SMLOUVA_FAKTURACE_OD) "
                 "values(1,'Český statek',1,'ST','2024-01-15')",
                 "insert into tellmark_podniky(id,podnik_nazev,OBR) values(2,'Agro Morava','LI,ST'),"
                 "(3,'Zemědělská a.s.','TA'),(4,'Bez licence','ST')",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,spusteni,specifikace) "
                 "values(10,1,'Farma Lhota',12,'2020-05-01','DeLaval 2x12'),(20,2,'Český Brod',100,'2019-03-02',NULL)",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo) values(11,1,'Kravín',NULL),"
                 "(21,2,'Dvůr',9),(40,4,'Stáj',0)",
                 // Centre 10 is linked to users 7 and 8.
                 "insert into tellmark_strediska_acls(id_strediska,id_www_user) values(10,7),(10,8),(20,7)");
    }

    void statement_data()
    {
        QTest::addColumn<TreeQueryOptions>("options");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("counters");
        const QString lhota = "Český statek | Farma Lhota";
        QTest::newRow("everything, the linked centre once") << TreeQueryOptions{7, 0, QString(), 0, QString()}
            << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín", am, am + "/Český Brod", am + "/Dvůr",
                           "Zemědělská a.s.", "Bez licence", "Bez licence/Stáj"} << counters(4, 5, 2, 3);
        QTest::newRow("flat: licensed centres, the linked one once") << TreeQueryOptions{7, 0, QString(), 1, QString()}
            << QStringList{lhota, am + " | Český Brod", am + " | Dvůr"} << counters(2, 3, 2, 3);
        QTest::newRow("acls: only the user's centres") << TreeQueryOptions{7, 1, QString(), 0, QString()}
            << QStringList{cs, cs + "/Farma Lhota", am, am + "/Český Brod"} << counters(2, 2, 2, 2);
        QTest::newRow("acls: the other user of the shared centre, flat") << TreeQueryOptions{8, 1, QString(), 3, QString()}
            << QStringList{lhota} << counters(1, 1, 1, 1);
        QTest::newRow("region in a list of regions, with acls") << TreeQueryOptions{7, 1, "LI", 0, QString()}
            << QStringList{am, am + "/Český Brod"} << counters(1, 1, 1, 1);
        QTest::newRow("region matches whole codes only") << TreeQueryOptions{7, 0, "T", 0, QString()} << QStringList() << counters(0, 0, 0, 0);
        QTest::newRow("region with a quote selects nothing")
            << TreeQueryOptions{7, 0, "ST') or ('1'='1", 0, QString()} << QStringList() << counters(0, 0, 0, 0);
        QTest::newRow("an or in the filter cannot widen the user's rights") << TreeQueryOptions{8, 1, QString(), 0, "pdq.id=1 or pdq.id=2"}
            << QStringList{cs, cs + "/Farma Lhota"} << counters(1, 1, 1, 1);
    }

    void statement()
    {
        QFETCH(TreeQueryOptions, options);
        PodnikyTreeModel model;
        QString error;
        QVERIFY2(load(&model, options, &error), qPrintable(error));
        QTEST(shown(&model), "rows");
        QTEST(model.counters().text(), "counters");
    }

    void cellsAndErrors()
    {
        PodnikyTreeModel model;
        QString error;
        QVERIFY2(load(&model, TreeQueryOptions(), &error), qPrintable(error));
        auto cells = [](const QModelIndex &name) {
            QStringList out;
            for (int col = 0; col < PtColumnCount; ++col)
                out << name.siblingAtColumn(col).data().toString();
            return out.join('|');
        };
        QCOMPARE(cells(model.podnikIndex(1)), QStringLiteral("Český statek|||||ST|||0|1|0||1|"));
        QCOMPARE(cells(model.strediskoIndex(10)), QStringLiteral("Farma Lhota|12|01.05.2020|15.01.2024|DeLaval 2x12|ST|||0|0|1|||10"));
        QCOMPARE(cells(model.strediskoIndex(11)).section('|', 1, 2) + cells(model.strediskoIndex(40)).section('|', 1, 2),
                 QStringLiteral("||")); // licence NULL and 0 show empty
        // A condition the database refuses: its error, no rows, zero counters.
        QVERIFY(!load(&model, TreeQueryOptions{0, 0, QString(), 0, "pdq.dojnice_ks>=abc'"}, &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(model.rowCount(), 0);
        QCOMPARE(model.counters().text(), counters(0, 0, 0, 0));
    }

    void init()
    {
        session = new Session;
        tree = new PodnikyTree(session);
        tree->resize(600, 800);
        tree->show();
        tree->refresh();
    }

    void cleanup()
    {
        delete tree;
        delete session;
    }

    void quickFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("rows");
        // Czech order ("Č" after "C"), centres under their enterprise.
        QTest::newRow("nothing typed") << QString() << QStringList{am, am + "/Český Brod", am + "/Dvůr", "Bez licence",
                                                                   "Bez licence/Stáj", cs, cs + "/Farma Lhota", cs + "/Kravín",
                                                                   "Zemědělská a.s."};
        QTest::newRow("without accents: the enterprise with its centres, a centre under its enterprise")
            << "cesky" << QStringList{am, am + "/Český Brod", cs, cs + "/Farma Lhota", cs + "/Kravín"};
        QTest::newRow("accented capitals like small letters")
            << "ČESKÝ" << QStringList{am, am + "/Český Brod", cs, cs + "/Farma Lhota", cs + "/Kravín"};
        QTest::newRow("a centre shows its enterprise") << "kravin" << QStringList{cs, cs + "/Kravín"};
        QTest::newRow("plain text, not a pattern") << "." << QStringList{"Zemědělská a.s."};
        QTest::newRow("no match") << "xyz" << QStringList();
    }

    void quickFilter()
    {
        QFETCH(QString, typed);
        QCOMPARE(tree->findChild<QLabel *>(QStringLiteral("pocty"))->text(), counters(4, 5, 2, 3));
        QVERIFY(view()->rootIsDecorated() && !view()->isColumnHidden(5) && view()->isColumnHidden(6) && view()->isColumnHidden(13));
        sfilter()->setText(QStringLiteral("lhota"));   // the text typed before
        sfilter()->setText(typed);
        QTEST(shown(model()), "rows");
        // Every enterprise left is open, and has children exactly when it shows some.
        for (int r = 0; r < model()->rowCount(); ++r) {
            const QModelIndex i = model()->index(r, 0);
            QCOMPARE(model()->hasChildren(i), model()->rowCount(i) > 0);
            QVERIFY(typed.isEmpty() || !model()->hasChildren(i) || view()->isExpanded(i));
        }
        sfilter()->clear();
        QCOMPARE(shown(model()).size(), 9);
    }

    void reselectsRememberedRow_data()
    {
        QTest::addColumn<int>("sortSection");
        QTest::addColumn<QVariant>("podnik");
        QTest::addColumn<QVariant>("stredisko");
        QTest::addColumn<QString>("selected");
        QTest::newRow("centre") << 0 << QVariant() << QVariant(20) << QStringLiteral("Český Brod");
        QTest::newRow("enterprise") << 0 << QVariant(1) << QVariant() << cs;
        QTest::newRow("centre wins over its enterprise") << 0 << QVariant(2) << QVariant(21) << QStringLiteral("Dvůr");
        QTest::newRow("flat: centre wins") << 1 << QVariant(2) << QVariant(21) << QStringLiteral("Agro Morava | Dvůr");
        QTest::newRow("flat: an enterprise by its first row") << 1 << QVariant(2) << QVariant() << QStringLiteral("Agro Morava | Český Brod");
        QTest::newRow("gone") << 0 << QVariant(99) << QVariant(999) << QString();
    }

    void reselectsRememberedRow()
    {
        QFETCH(int, sortSection);
        QFETCH(QVariant, podnik);
        QFETCH(QVariant, stredisko);
        QFETCH(QString, selected);
        view()->header()->setSortIndicator(sortSection, Qt::AscendingOrder);
        view()->collapseAll();
        session->setSelection(podnik, stredisko);
        QSignalSpy spy(tree, &PodnikyTree::selectionChanged);
        button("tbPRefresh")->click();

        QStringList names;
        for (const QModelIndex &i : view()->selectionModel()->selectedRows())
            names << i.data().toString();
        QCOMPARE(names, selected.isEmpty() ? QStringList() : QStringList{selected});
        // Highlighted only: the pages load when the user makes a row current.
        QVERIFY(!view()->currentIndex().isValid());
        QCOMPARE(spy.count(), 0);
        if (!selected.isEmpty() && sortSection == 0)
            QVERIFY(view()->isExpanded(find(model(), am)) && view()->isExpanded(find(model(), cs)));
    }

    void sortChangeSwitchesShape()
    {
        sfilter()->setText(QStringLiteral("agro"));
        QHeaderView *header = view()->header();
        header->setSortIndicator(1, Qt::AscendingOrder);
        QCOMPARE(sfilter()->text(), QString());
        QVERIFY(!view()->rootIsDecorated());
        // Licensed centres only, by licence number: 9 < 12 < 100.
        const QString dvur = am + " | Dvůr", lhota = cs + " | Farma Lhota", brod = am + " | Český Brod";
        QCOMPARE(shown(model()), (QStringList{dvur, lhota, brod}));
        // What "Export" and "Mapa" take: each enterprise once, in the order shown.
        QCOMPARE(tree->shownEnterpriseIds(), (QList<int>{2, 1}));
        // By start date: chronological, the centre without a date first.
        header->setSortIndicator(2, Qt::AscendingOrder);
        QCOMPARE(shown(model()), (QStringList{dvur, brod, lhota}));
        // Sorted by licence, the quick filter searches the licence column.
        header->setSortIndicator(1, Qt::AscendingOrder);
        sfilter()->setText(QStringLiteral("10"));
        QCOMPARE(shown(model()), QStringList{brod});
        header->setSortIndicator(0, Qt::AscendingOrder);
        QVERIFY(view()->rootIsDecorated());
        QCOMPARE(shown(model()).size(), 9);
        // The tree by name: every enterprise, in Czech order.
        QCOMPARE(tree->shownEnterpriseIds(), (QList<int>{2, 4, 1, 3}));
    }

    void refusedRebuildAndAdvancedFilter()
    {
        tree->setRebuildGuard([] { return false; }); // the host could not settle unsaved edits
        sfilter()->setText(QStringLiteral("agro"));
        view()->header()->setSortIndicator(1, Qt::AscendingOrder);
        // Not rebuilt: the shape, the indicator and the quick filter stay.
        QVERIFY(view()->rootIsDecorated() && view()->header()->sortIndicatorSection() == 0);
        QCOMPARE(sfilter()->text(), QStringLiteral("agro"));

        tree->setAdvancedFilter(QStringLiteral(" hdq.nazev_holding='Holding Jih' "));
        tree->refresh();
        QCOMPARE(button("se_filtr")->styleSheet(), QStringLiteral("background-color: rgb(85, 255, 255);"));
        tree->setAdvancedFilter(QString());
        tree->refresh();
        QCOMPARE(button("se_filtr")->styleSheet(), QString());
    }

    void centreRowUpdatedInPlace()
    {
        tree->updateCentreRow(11, QStringLiteral("4711"), QDate(2024, 3, 5));
        const QModelIndex kravin = find(model(), QStringLiteral("Kravín"));
        QCOMPARE(kravin.siblingAtColumn(1).data().toString(), QStringLiteral("4711"));
        QCOMPARE(kravin.siblingAtColumn(2).data().toString(), QStringLiteral("05.03.2024"));
        tree->updateCentreRow(11, QStringLiteral("0"), QDate());
        QCOMPARE(kravin.siblingAtColumn(1).data().toString() + kravin.siblingAtColumn(2).data().toString(), QString());
        // Sorted by licence, the updated row moves to its new place.
        view()->header()->setSortIndicator(1, Qt::AscendingOrder);
        tree->updateCentreRow(21, QStringLiteral("500"), QDate());
        QCOMPARE(shown(model()), (QStringList{cs + " | Farma Lhota", am + " | Český Brod", am + " | Dvůr"}));
    }

    void rightsOnTheToolBar()
    {
        QToolButton *add = button("podnik_add");
        for (int os : {1, 2}) {
            session->user.os = os;
            tree->applyRights();
            QCOMPARE(add->isVisibleTo(tree), os > 1);
        }
        session->user.minimal = 1;
        tree->applyRights();
        QVERIFY(!add->parentWidget()->isVisibleTo(tree) && view()->isVisibleTo(tree));
    }

private:
    Session *session = nullptr;
    PodnikyTree *tree = nullptr;
    QTreeView *view() const { return tree->view(); }
    QAbstractItemModel *model() const { return tree->view()->model(); }
    QLineEdit *sfilter() const { return tree->findChild<QLineEdit *>(QStringLiteral("sfilter")); }
    QToolButton *button(const char *name) const { return tree->findChild<QToolButton *>(QString::fromLatin1(name)); }
};

ZRN_TEST_MAIN(TestPodnikyTree)
#include "tst_podnikytree.moc"
