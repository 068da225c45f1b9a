// The enterprise tree widget on a database: rebuild and reselection of the
// remembered row, the two shapes on a sort change, the quick filter, the
// guard before rebuilding, the advanced filter, in-place centre updates and
// the rights on the tool bar.

#include "app/session.h"
#include "register/podnikytree.h"
#include "register/qsmysortfilterproxymodel.h"
#include "support/testdb.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

namespace {

QStringList shown(const QAbstractItemModel *m, const QModelIndex &parent = QModelIndex(),
                  const QString &prefix = QString())
{
    QStringList out;
    for (int r = 0; r < m->rowCount(parent); ++r) {
        const QModelIndex i = m->index(r, 0, parent);
        out << prefix + i.data().toString();
        out += shown(m, i, prefix + i.data().toString() + QLatin1Char('/'));
    }
    return out;
}

// Name order follows the system's locale; compare the rows, not their order.
QStringList sortedShown(const QAbstractItemModel *m)
{
    QStringList rows = shown(m);
    rows.sort();
    return rows;
}

QStringList sorted(QStringList rows)
{
    rows.sort();
    return rows;
}

QModelIndex find(const QAbstractItemModel *m, const QString &text, const QModelIndex &parent = QModelIndex())
{
    for (int r = 0; r < m->rowCount(parent); ++r) {
        const QModelIndex i = m->index(r, 0, parent);
        if (i.data().toString() == text)
            return i;
        const QModelIndex c = find(m, text, i);
        if (c.isValid())
            return c;
    }
    return QModelIndex();
}

QStringList selectedNames(QTreeView *view)
{
    QStringList out;
    for (const QModelIndex &i : view->selectionModel()->selectedRows(0))
        out << i.data().toString();
    return out;
}

} // namespace

class TestPodnikyTree : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase() { TestDb::close(); }

    void rebuildShowsTreeAndCounters();
    void currentRowTellsTheHost();
    void reselectsRememberedRow_data();
    void reselectsRememberedRow();
    void sortChangeSwitchesShape();
    void quickFilterFindsWithoutAccents();
    void refreshButtonAsksTheGuard();
    void advancedFilterColoursTheButton();
    void centreRowUpdatedInPlace();
    void makeRowCurrentFromElsewhere();
    void rightsOnTheToolBar();

private:
    Session *session = nullptr;
    PodnikyTree *tree = nullptr;
    QTreeView *view() const { return tree->view(); }
    QLineEdit *sfilter() const { return tree->findChild<QLineEdit *>(QStringLiteral("sfilter")); }
    QString countersText() const { return tree->findChild<QLabel *>(QStringLiteral("pocty"))->text(); }
};

void TestPodnikyTree::initTestCase()
{
    ZRN_OPEN_TEST_DB();
    QString err;
    QVERIFY2(TestDb::clear(&err), qPrintable(err));
    const QStringList fixture = {
        "insert into tellmark_holding(id,nazev_holding) values(1,'Holding Jih')",
        "insert into tellmark_podniky(id,podnik_nazev,id_holding,OBR) values(1,'Český statek',1,'ST')",
        "insert into tellmark_podniky(id,podnik_nazev,OBR) values(2,'Agro Morava','LI,ST')",
        "insert into tellmark_podniky(id,podnik_nazev,OBR) values(3,'Zemědělská a.s.','TA')",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,spusteni) "
        "values(10,1,'Farma Lhota',12,'2020-05-01')",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo) values(11,1,'Kravín',NULL)",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,spusteni) "
        "values(20,2,'Český Brod',100,'2019-03-02')",
        "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo) values(21,2,'Dvůr',9)",
        "insert into tellmark_strediska_acls(id_strediska,id_www_user) values(10,7)",
        "insert into tellmark_strediska_acls(id_strediska,id_www_user) values(10,8)",
    };
    for (const QString &sql : fixture)
        QVERIFY2(TestDb::exec(sql, &err), qPrintable(err));
}

void TestPodnikyTree::init()
{
    session = new Session;
    session->user.id = 7;
    tree = new PodnikyTree(session);
    tree->resize(600, 800);
    tree->show();
}

void TestPodnikyTree::cleanup()
{
    delete tree;
    delete session;
    tree = nullptr;
    session = nullptr;
}

void TestPodnikyTree::rebuildShowsTreeAndCounters()
{
    tree->refresh();
    const QString cs = QStringLiteral("Český statek"), am = QStringLiteral("Agro Morava");
    QCOMPARE(sortedShown(view()->model()),
             sorted({am, am + "/Český Brod", am + "/Dvůr", cs, cs + "/Farma Lhota", cs + "/Kravín",
                     "Zemědělská a.s."}));
    QCOMPARE(countersText(), QStringLiteral("CELKOVĚ - podniky: 3, střediska: 4 | TELLMARK - podniky: 2, střediska: 3"));
    QVERIFY(view()->rootIsDecorated());
    for (int col = 6; col < 14; ++col)
        QVERIFY(view()->isColumnHidden(col));
    QCOMPARE(view()->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Licence"));
    QCOMPARE(sfilter()->styleSheet(), QStringLiteral("background-color: rgb(255, 255, 0);"));

    // A user with the acls right: the centre linked to two users, once.
    session->user.acls = 1;
    tree->refresh();
    QCOMPARE(shown(view()->model()), (QStringList{cs, cs + "/Farma Lhota"}));
    QCOMPARE(countersText(), QStringLiteral("CELKOVĚ - podniky: 1, střediska: 1 | TELLMARK - podniky: 1, střediska: 1"));
}

void TestPodnikyTree::currentRowTellsTheHost()
{
    tree->refresh();
    QSignalSpy spy(tree, &PodnikyTree::selectionChanged);
    view()->setCurrentIndex(find(view()->model(), QStringLiteral("Český Brod")));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 2);
    QCOMPARE(spy.at(0).at(1).toInt(), 20);
    QCOMPARE(spy.at(0).at(2).toString(), QStringLiteral("Agro Morava"));

    view()->setCurrentIndex(find(view()->model(), QStringLiteral("Český statek")));
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toInt(), 1);
    QVERIFY(!spy.at(1).at(1).isValid());
    QCOMPARE(spy.at(1).at(2).toString(), QStringLiteral("Český statek"));

    // No current row: the host shows the selection prompt.
    view()->setCurrentIndex(QModelIndex());
    QCOMPARE(spy.count(), 3);
    QVERIFY(!spy.at(2).at(0).isValid());
    QVERIFY(!spy.at(2).at(1).isValid());
}

void TestPodnikyTree::reselectsRememberedRow_data()
{
    QTest::addColumn<int>("sortSection");
    QTest::addColumn<QVariant>("podnik");
    QTest::addColumn<QVariant>("stredisko");
    QTest::addColumn<QString>("selected");

    QTest::newRow("centre") << 0 << QVariant() << QVariant(20) << QStringLiteral("Český Brod");
    QTest::newRow("enterprise") << 0 << QVariant(1) << QVariant() << QStringLiteral("Český statek");
    QTest::newRow("centre wins over its enterprise") << 0 << QVariant(2) << QVariant(21) << QStringLiteral("Dvůr");
    QTest::newRow("flat: centre") << 1 << QVariant() << QVariant(20) << QStringLiteral("Agro Morava | Český Brod");
    QTest::newRow("flat: centre wins over its enterprise")
        << 1 << QVariant(2) << QVariant(20) << QStringLiteral("Agro Morava | Český Brod");
    QTest::newRow("gone") << 0 << QVariant(99) << QVariant(999) << QString();
}

void TestPodnikyTree::reselectsRememberedRow()
{
    QFETCH(int, sortSection);
    QFETCH(QVariant, podnik);
    QFETCH(QVariant, stredisko);
    QFETCH(QString, selected);

    view()->header()->setSortIndicator(sortSection, Qt::AscendingOrder);
    view()->collapseAll();
    session->setSelection(podnik, stredisko);
    QSignalSpy spy(tree, &PodnikyTree::selectionChanged);
    tree->findChild<QToolButton *>(QStringLiteral("tbPRefresh"))->click();

    QCOMPARE(selectedNames(view()), selected.isEmpty() ? QStringList() : QStringList{selected});
    // Highlighted only: the pages load when the user makes a row current.
    QVERIFY(!view()->currentIndex().isValid());
    QCOMPARE(spy.count(), 0);
    if (!selected.isEmpty() && sortSection == 0) {
        QVERIFY(view()->isExpanded(find(view()->model(), QStringLiteral("Agro Morava"))));
        QVERIFY(view()->isExpanded(find(view()->model(), QStringLiteral("Český statek"))));
    }
}

void TestPodnikyTree::sortChangeSwitchesShape()
{
    tree->refresh();
    sfilter()->setText(QStringLiteral("agro"));
    QHeaderView *header = view()->header();

    header->setSortIndicator(1, Qt::AscendingOrder);
    QCOMPARE(sfilter()->text(), QString());
    QVERIFY(!view()->rootIsDecorated());
    // Licensed centres only, by licence number: 9 < 12 < 100.
    QCOMPARE(shown(view()->model()),
             (QStringList{"Agro Morava | Dvůr", "Český statek | Farma Lhota", "Agro Morava | Český Brod"}));
    QCOMPARE(countersText(), QStringLiteral("CELKOVĚ - podniky: 2, střediska: 3 | TELLMARK - podniky: 2, střediska: 3"));

    header->setSortIndicator(1, Qt::DescendingOrder);
    QCOMPARE(shown(view()->model()),
             (QStringList{"Agro Morava | Český Brod", "Český statek | Farma Lhota", "Agro Morava | Dvůr"}));

    // By start date: chronological, the centre without a date first.
    header->setSortIndicator(2, Qt::AscendingOrder);
    QCOMPARE(shown(view()->model()),
             (QStringList{"Agro Morava | Dvůr", "Agro Morava | Český Brod", "Český statek | Farma Lhota"}));

    // Sorted by licence, the quick filter searches the licence column.
    header->setSortIndicator(1, Qt::AscendingOrder);
    sfilter()->setText(QStringLiteral("10"));
    QCOMPARE(shown(view()->model()), QStringList{"Agro Morava | Český Brod"});

    header->setSortIndicator(0, Qt::AscendingOrder);
    QVERIFY(view()->rootIsDecorated());
    QCOMPARE(sfilter()->text(), QString());
    QCOMPARE(view()->model()->rowCount(), 3);
    QCOMPARE(countersText(), QStringLiteral("CELKOVĚ - podniky: 3, střediska: 4 | TELLMARK - podniky: 2, střediska: 3"));
}

void TestPodnikyTree::quickFilterFindsWithoutAccents()
{
    tree->refresh();
    sfilter()->setText(QStringLiteral("cesky"));
    const QString cs = QStringLiteral("Český statek"), am = QStringLiteral("Agro Morava");
    QCOMPARE(sortedShown(view()->model()),
             sorted({am, am + "/Český Brod", cs, cs + "/Farma Lhota", cs + "/Kravín"}));
    QVERIFY(view()->isExpanded(find(view()->model(), cs)));
    sfilter()->setText(QStringLiteral("KRAVÍN"));
    QCOMPARE(shown(view()->model()), (QStringList{cs, cs + "/Kravín"}));
    sfilter()->clear();
    QCOMPARE(shown(view()->model()).size(), 7);
}

void TestPodnikyTree::refreshButtonAsksTheGuard()
{
    tree->refresh();
    bool allow = false;
    int asked = 0;
    tree->setRebuildGuard([&] { ++asked; return allow; });
    QString err;
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev) values(5,'Nový podnik')"), &err),
             qPrintable(err));

    QToolButton *obnovit = tree->findChild<QToolButton *>(QStringLiteral("tbPRefresh"));
    QCOMPARE(obnovit->text(), QStringLiteral("Obnovit"));
    obnovit->click();
    QCOMPARE(asked, 1);
    QCOMPARE(view()->model()->rowCount(), 3);
    // A refused sort change keeps the shape and puts the indicator back.
    view()->header()->setSortIndicator(1, Qt::AscendingOrder);
    QCOMPARE(asked, 2);
    QCOMPARE(view()->header()->sortIndicatorSection(), 0);
    QVERIFY(view()->rootIsDecorated());

    allow = true;
    obnovit->click();
    QCOMPARE(view()->model()->rowCount(), 4);
    QVERIFY(TestDb::exec(QStringLiteral("delete from tellmark_podniky where id=5"), &err));
}

void TestPodnikyTree::advancedFilterColoursTheButton()
{
    QToolButton *filtr = tree->findChild<QToolButton *>(QStringLiteral("se_filtr"));
    tree->setAdvancedFilter(QStringLiteral(" hdq.nazev_holding='Holding Jih' "));
    tree->refresh();
    QCOMPARE(filtr->styleSheet(), QStringLiteral("background-color: rgb(85, 255, 255);"));
    QCOMPARE(view()->model()->rowCount(), 1);
    tree->setAdvancedFilter(QString());
    tree->refresh();
    QCOMPARE(filtr->styleSheet(), QString());
    QCOMPARE(view()->model()->rowCount(), 3);
}

void TestPodnikyTree::centreRowUpdatedInPlace()
{
    tree->refresh();
    tree->updateCentreRow(11, QStringLiteral("4711"), QDate(2024, 3, 5));
    const QModelIndex kravin = find(view()->model(), QStringLiteral("Kravín"));
    QCOMPARE(kravin.siblingAtColumn(1).data().toString(), QStringLiteral("4711"));
    QCOMPARE(kravin.siblingAtColumn(2).data().toString(), QStringLiteral("05.03.2024"));
    tree->updateCentreRow(11, QStringLiteral("0"), QDate());
    QCOMPARE(kravin.siblingAtColumn(1).data().toString(), QString());
}

void TestPodnikyTree::makeRowCurrentFromElsewhere()
{
    tree->refresh();
    QSignalSpy spy(tree, &PodnikyTree::selectionChanged);
    QVERIFY(tree->setCurrentRow(QVariant(1), QVariant(11)));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(1).toInt(), 11);
    QVERIFY(tree->setCurrentRow(QVariant(3), QVariant()));
    QCOMPARE(spy.at(1).at(0).toInt(), 3);
    QVERIFY(!tree->setCurrentRow(QVariant(42), QVariant()));
}

void TestPodnikyTree::rightsOnTheToolBar()
{
    QToolButton *add = tree->findChild<QToolButton *>(QStringLiteral("podnik_add"));
    QWidget *bar = add->parentWidget();
    for (const char *name : {"collapse", "expand", "se_filtr", "tbPRefresh", "se_mapa", "se_export"})
        QVERIFY2(bar->findChild<QToolButton *>(QString::fromLatin1(name)), name);
    session->user.os = 1;
    tree->applyRights();
    QVERIFY(!add->isVisibleTo(tree));
    session->user.os = 2;
    tree->applyRights();
    QVERIFY(add->isVisibleTo(tree));
    session->user.minimal = 1;
    tree->applyRights();
    QVERIFY(!bar->isVisibleTo(tree));
    QVERIFY(view()->isVisibleTo(tree));
}

QTEST_MAIN(TestPodnikyTree)
#include "tst_podnikytree.moc"
