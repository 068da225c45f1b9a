// The rules of the enterprise tree that need no database: search keys, the
// statement per visibility/shape/filter combination, the proxy's sort modes
// and hierarchical filter, the model shapes and the counters line.

#include "register/podnikytreemodel.h"
#include "register/qsmysortfilterproxymodel.h"
#include "register/textutil.h"
#include "register/treequery.h"

#include <QStandardItemModel>
#include <QtTest>

namespace {

const QString kSelect = QStringLiteral(
    "select pdq.id as id1,pdq.podnik_nazev,stq.id as id2,stq.akce_nazev,stq.licence_cislo,stq.spusteni,"
    "        pdq.SMLOUVA_FAKTURACE_OD,stq.specifikace,pdq.obr"
    "        from tellmark_podniky pdq"
    "        left join tellmark_holding hdq on hdq.id=pdq.id_holding"
    "        left join tellmark_strediska stq on pdq.id=stq.id_podnik ");

PodnikyTreeRow row(int podnik, const QString &podnikName, int centre = 0, const QString &centreName = QString(),
                   const QString &licence = QString(), const QDate &start = QDate())
{
    PodnikyTreeRow r;
    r.podnikId = podnik;
    r.podnikNazev = podnikName;
    r.strediskoId = centre;
    r.akceNazev = centreName;
    r.licence = licence;
    r.spusteni = start;
    r.fakturaceOd = QDate(2024, 1, 15);
    r.obr = QStringLiteral("ST");
    return r;
}

// The register used by the filter tests, built as the tree shows it.
PodnikyTreeCounters buildRegister(QStandardItemModel *model, bool tree)
{
    PodnikyTreeBuilder::prepareModel(model);
    PodnikyTreeBuilder b(model, tree);
    b.addRow(row(1, QStringLiteral("Český statek"), 10, QStringLiteral("Farma Lhota"), QStringLiteral("12")));
    b.addRow(row(1, QStringLiteral("Český statek"), 11, QStringLiteral("Kravín Újezd")));
    b.addRow(row(2, QStringLiteral("Agro Morava"), 20, QStringLiteral("Český Brod"), QStringLiteral("100")));
    b.addRow(row(2, QStringLiteral("Agro Morava"), 21, QStringLiteral("Dvůr"), QStringLiteral("9")));
    b.addRow(row(3, QStringLiteral("Zemědělská a.s.")));
    return b.counters();
}

// Visible rows of a proxy, depth first: "enterprise" and "enterprise/centre".
QStringList visible(const QAbstractItemModel &m, const QModelIndex &parent = QModelIndex(),
                    const QString &prefix = QString())
{
    QStringList out;
    for (int r = 0; r < m.rowCount(parent); ++r) {
        const QModelIndex i = m.index(r, 0, parent);
        const QString name = prefix + i.data().toString();
        out << name;
        out += visible(m, i, name + QLatin1Char('/'));
    }
    return out;
}

QStringList column(const QAbstractItemModel &m, int col)
{
    QStringList out;
    for (int r = 0; r < m.rowCount(); ++r)
        out << m.index(r, col).data().toString();
    return out;
}

} // namespace

class TestTreeCore : public QObject
{
    Q_OBJECT
private slots:
    void stripDiacritics_data();
    void stripDiacritics();
    void treeQuery_data();
    void treeQuery();
    void sortModes_data();
    void sortModes();
    void quickFilter_data();
    void quickFilter();
    void flatFilterSearchesDisplayText();
    void baseClassPatternsAreTakenAsText();
    void treeShape();
    void flatShape();
    void treeModelAnswersHiddenColumns();
    void centreListedAndCountedOnce();
    void updateCentreRowInPlace();
};

void TestTreeCore::stripDiacritics_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("key");
    QTest::newRow("small letters") << QStringLiteral("ěéščřžýáíůúťďň") << QStringLiteral("eescrzyaiuutdn");
    QTest::newRow("capitals become small") << QStringLiteral("ĚÉŠČŘŽÝÁÍŮÚŤĎŇ") << QStringLiteral("eescrzyaiuutdn");
    QTest::newRow("unaccented capitals stay") << QStringLiteral("Český statek") << QStringLiteral("cesky statek");
    QTest::newRow("mixed") << QStringLiteral("ZEMĚDĚLSKÉ DRUŽSTVO Úhřetice") << QStringLiteral("ZEMeDeLSKe DRUzSTVO uhretice");
    QTest::newRow("slovak letters") << QStringLiteral("Poľnohospodárske družstvo Ôčová, Ĺ ä Ŕ ó") << QStringLiteral("Polnohospodarske druzstvo ocova, l a r o");
    QTest::newRow("other characters unchanged") << QStringLiteral("a.s. 12/3 ü ß – „x“") << QStringLiteral("a.s. 12/3 ü ß – „x“");
    QTest::newRow("empty") << QString() << QString();
}

void TestTreeCore::stripDiacritics()
{
    QFETCH(QString, text);
    QFETCH(QString, key);
    QCOMPARE(::stripDiacritics(text), key);
}

void TestTreeCore::treeQuery_data()
{
    QTest::addColumn<int>("acls");
    QTest::addColumn<QString>("region");
    QTest::addColumn<int>("sortSection");
    QTest::addColumn<QString>("advanced");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QVariantList>("binds");

    const QString acls = QStringLiteral(" exists (select 1 from tellmark_strediska_acls acq where acq.id_strediska=stq.id and acq.id_www_user=?) ");
    const QString region = QStringLiteral("FIND_IN_SET(?,pdq.obr) ");
    const QString licensed = QStringLiteral(" (stq.licence_cislo>0) ");
    const QString cond = QStringLiteral(" hdq.nazev_holding='Jih' ");
    const QString condText = QStringLiteral(" (hdq.nazev_holding='Jih') ");

    for (int a : {0, 1}) {
        for (const QString &r : {QString(), QStringLiteral("ST")}) {
            for (int s : {0, 2}) {
                for (const QString &c : {QString(), cond}) {
                    QStringList parts;
                    QVariantList binds;
                    if (a) { parts << acls; binds << 42; }
                    if (!r.isEmpty()) { parts << region; binds << r; }
                    if (s) parts << licensed;
                    QString where;
                    if (!parts.isEmpty() || !c.isEmpty()) {
                        where = QStringLiteral(" where ") + parts.join(QStringLiteral(" and "));
                        if (!parts.isEmpty() && !c.isEmpty())
                            where += QStringLiteral(" and ");
                        if (!c.isEmpty())
                            where += condText;
                    }
                    const QString name = QStringLiteral("acls=%1 region=%2 sort=%3 filter=%4")
                                             .arg(a).arg(r.isEmpty() ? QStringLiteral("-") : r).arg(s)
                                             .arg(c.isEmpty() ? 0 : 1);
                    QTest::newRow(qPrintable(name)) << a << r << s << c << where << binds;
                }
            }
        }
    }
    // The user's own region text never becomes SQL.
    QTest::newRow("region with a quote is bound")
        << 0 << QStringLiteral("S'T") << 0 << QString()
        << QStringLiteral(" where FIND_IN_SET(?,pdq.obr) ") << QVariantList{QStringLiteral("S'T")};
    QTest::newRow("acls 0 ignores the user id") << 0 << QString() << 0 << QString() << QString() << QVariantList();
    QTest::newRow("filter of blanks is off") << 0 << QString() << 0 << QStringLiteral("   ") << QString() << QVariantList();
}

void TestTreeCore::treeQuery()
{
    QFETCH(int, acls);
    QFETCH(QString, region);
    QFETCH(int, sortSection);
    QFETCH(QString, advanced);
    QFETCH(QString, where);
    QFETCH(QVariantList, binds);

    TreeQueryOptions o;
    o.userId = 42;
    o.acls = acls;
    o.region = region;
    o.sortSection = sortSection;
    o.advancedCondition = advanced;
    const TreeQuery q = buildTreeQuery(o);
    QCOMPARE(q.sql, kSelect + where + QStringLiteral(" order by 1,3"));
    QCOMPARE(q.binds, binds);
    // The user-centre links are never joined (a join lists a centre once per user).
    QVERIFY(!q.sql.contains(QStringLiteral("join tellmark_strediska_acls")));
}

void TestTreeCore::sortModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("ascending");

    QTest::newRow("numeric licences")
        << 1 << QStringList{"100", "9", "", "12", "10"} << QStringList{"", "9", "10", "12", "100"};
    QTest::newRow("numeric beyond 32 bits")
        << 1 << QStringList{"9876543210", "4294967296", "5"} << QStringList{"5", "4294967296", "9876543210"};
    QTest::newRow("numeric with a non-number falls back to text")
        << 1 << QStringList{"12a", "100", "12"} << QStringList{"12", "100", "12a"};
    QTest::newRow("text") << 0 << QStringList{"b", "10", "9", "A"} << QStringList{"10", "9", "A", "b"};
    QTest::newRow("dates chronological, empty first")
        << 2 << QStringList{"05.03.2024", "", "01.12.2023", "28.02.2024", "31.12.1999"}
        << QStringList{"", "31.12.1999", "01.12.2023", "28.02.2024", "05.03.2024"};
    QTest::newRow("dates: a non-date sorts with the empty ones")
        << 2 << QStringList{"02.01.2024", "neplatné", "01.01.2024"}
        << QStringList{"neplatné", "01.01.2024", "02.01.2024"};
    QTest::newRow("date-times")
        << 3 << QStringList{"01.02.24 10:00", "", "31.01.24 23:59", "01.02.24 09:05", "31.12.23 23:00"}
        << QStringList{"", "31.12.23 23:00", "31.01.24 23:59", "01.02.24 09:05", "01.02.24 10:00"};
}

void TestTreeCore::sortModes()
{
    QFETCH(int, mode);
    QFETCH(QStringList, texts);
    QFETCH(QStringList, ascending);

    QStandardItemModel model;
    for (const QString &t : texts)
        model.appendRow(new QStandardItem(t));
    QSMySortFilterProxyModel proxy;
    proxy.sortMode = mode;
    proxy.setSourceModel(&model);
    proxy.sort(0, Qt::AscendingOrder);
    QCOMPARE(column(proxy, 0), ascending);

    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    proxy.sort(0, Qt::DescendingOrder);
    // Equal keys (two non-dates) keep no particular order; compare the rest.
    if (mode == 2 && texts.contains(QStringLiteral("neplatné")))
        QCOMPARE(column(proxy, 0).mid(0, 2), descending.mid(0, 2));
    else
        QCOMPARE(column(proxy, 0), descending);
}

void TestTreeCore::quickFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("shown");

    const QString cs = QStringLiteral("Český statek");
    const QString am = QStringLiteral("Agro Morava");
    QTest::newRow("nothing typed shows all")
        << QString()
        << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín Újezd", am, am + "/Český Brod", am + "/Dvůr",
                       QStringLiteral("Zemědělská a.s.")};
    QTest::newRow("without accents finds the enterprise with its centres, and a matching centre")
        << QStringLiteral("cesky")
        << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín Újezd", am, am + "/Český Brod"};
    QTest::newRow("accented capitals like small letters")
        << QStringLiteral("ČESKÝ")
        << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín Újezd", am, am + "/Český Brod"};
    QTest::newRow("a centre shows under its enterprise only")
        << QStringLiteral("lhota") << QStringList{cs, cs + "/Farma Lhota"};
    QTest::newRow("an enterprise shows all its centres")
        << QStringLiteral("agro") << QStringList{am, am + "/Český Brod", am + "/Dvůr"};
    QTest::newRow("accent in the text of the centre") << QStringLiteral("ujezd")
        << QStringList{cs, cs + "/Kravín Újezd"};
    QTest::newRow("plain text, not a regular expression")
        << QStringLiteral(".") << QStringList{QStringLiteral("Zemědělská a.s.")};
    QTest::newRow("enterprise without centres") << QStringLiteral("zemedel")
        << QStringList{QStringLiteral("Zemědělská a.s.")};
    QTest::newRow("no match") << QStringLiteral("xyz") << QStringList();
}

void TestTreeCore::quickFilter()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, shown);

    QStandardItemModel model;
    buildRegister(&model, true);
    QSMySortFilterProxyModel proxy;
    proxy.treeColumns = {0};
    proxy.setSourceModel(&model);
    proxy.setFilterKeyColumn(0);
    proxy.setFilterText(::stripDiacritics(typed));
    QCOMPARE(visible(proxy), shown);
}

void TestTreeCore::flatFilterSearchesDisplayText()
{
    QStandardItemModel model;
    buildRegister(&model, false);
    QSMySortFilterProxyModel proxy;
    proxy.treeColumns = {0};
    proxy.setSourceModel(&model);
    proxy.setFilterKeyColumn(PtLicence);
    proxy.setFilterText(QStringLiteral("10"));
    QCOMPARE(visible(proxy), QStringList{QStringLiteral("Agro Morava | Český Brod")});
    // Outside the tree columns the text is compared as typed: accents matter.
    proxy.setFilterKeyColumn(PtNazev);
    proxy.treeColumns.clear();
    proxy.setFilterText(QStringLiteral("cesky"));
    QCOMPARE(visible(proxy), QStringList());
    proxy.setFilterText(QStringLiteral("český"));
    QCOMPARE(visible(proxy), (QStringList{"Český statek | Farma Lhota", "Český statek | Kravín Újezd",
                                          "Agro Morava | Český Brod"}));
}

void TestTreeCore::baseClassPatternsAreTakenAsText()
{
    QStandardItemModel model;
    for (const char *t : {"a.b", "axb", "C++ kurz"})
        model.appendRow(new QStandardItem(QString::fromLatin1(t)));
    QSMySortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    // Table dialogs escape the typed text into a regular expression.
    proxy.setFilterRegularExpression(QRegularExpression(QRegularExpression::escape(QStringLiteral("a.b"))));
    QCOMPARE(column(proxy, 0), QStringList{"a.b"});
    proxy.setFilterRegExp(QRegExp(QRegExp::escape(QStringLiteral("c++")), Qt::CaseInsensitive));
    QCOMPARE(column(proxy, 0), QStringList{"C++ kurz"});
    proxy.setFilterFixedString(QStringLiteral("X"));
    QCOMPARE(column(proxy, 0), QStringList{"axb"});
}

void TestTreeCore::treeShape()
{
    QStandardItemModel model;
    const PodnikyTreeCounters c = buildRegister(&model, true);
    QCOMPARE(model.columnCount(), 14);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Podnik/Středisko"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Spustění"));
    QCOMPARE(model.headerData(10, Qt::Horizontal).toString(), QStringLiteral("fstredisko"));
    QCOMPARE(model.headerData(13, Qt::Horizontal).toString(), QStringLiteral("id_stredisko"));
    QCOMPARE(model.rowCount(), 3);

    // Enterprise row: name, region, flags and its id; nothing of the centres.
    const QModelIndex p = model.index(0, 0);
    QCOMPARE(p.data().toString(), QStringLiteral("Český statek"));
    QCOMPARE(p.data(Qt::UserRole).toString(), QStringLiteral("cesky statek"));
    QStringList enterprise;
    for (int col = 1; col < 14; ++col)
        enterprise << model.index(0, col).data().toString();
    QCOMPARE(enterprise, (QStringList{"", "", "", "", "ST", "", "", "0", "1", "0", "", "1", ""}));

    // Centre row under it: licence, dates in the page format, flags, centre id.
    QCOMPARE(model.rowCount(p), 2);
    QStringList centre;
    for (int col = 0; col < 14; ++col)
        centre << model.index(0, col, p).data().toString();
    QCOMPARE(centre, (QStringList{"Farma Lhota", "12", "", "15.01.2024", "", "ST", "", "", "0", "0", "1", "", "", "10"}));
    QCOMPARE(model.index(1, 0, p).data(Qt::UserRole).toString(), QStringLiteral("Kravin ujezd"));

    QCOMPARE(c.text(), QStringLiteral("CELKOVĚ - podniky: 3, střediska: 4 | TELLMARK - podniky: 2, střediska: 3"));
}

void TestTreeCore::flatShape()
{
    QStandardItemModel model;
    PodnikyTreeBuilder::prepareModel(&model);
    PodnikyTreeBuilder b(&model, false);
    b.addRow(row(1, QStringLiteral("Český statek"), 10, QStringLiteral("Farma Lhota"), QStringLiteral("12"), QDate(2020, 5, 1)));
    b.addRow(row(2, QStringLiteral("Agro Morava"), 20, QStringLiteral("Český Brod"), QStringLiteral("100")));
    b.addRow(row(2, QStringLiteral("Agro Morava"), 21, QStringLiteral("Dvůr"), QStringLiteral("9")));

    QCOMPARE(visible(model), (QStringList{"Český statek | Farma Lhota", "Agro Morava | Český Brod", "Agro Morava | Dvůr"}));
    QCOMPARE(model.index(0, 0).data(Qt::UserRole).toString(), QStringLiteral("cesky statek | Farma Lhota"));
    QCOMPARE(model.index(0, PtSpusteni).data().toString(), QStringLiteral("01.05.2020"));
    QCOMPARE(model.index(0, PtFStredisko).data().toString(), QStringLiteral("1"));
    QCOMPARE(model.index(2, PtIdStredisko).data().toString(), QStringLiteral("21"));
    QCOMPARE(b.counters().text(), QStringLiteral("CELKOVĚ - podniky: 2, střediska: 3 | TELLMARK - podniky: 2, střediska: 3"));
}

void TestTreeCore::treeModelAnswersHiddenColumns()
{
    // The tree's own model keeps flags and ids without items: every cell
    // must read as in a plain standard item model, in both shapes.
    for (bool tree : {true, false}) {
        QStandardItemModel plain;
        PodnikyTreeModel own;
        buildRegister(&plain, tree);
        buildRegister(&own, tree);
        QCOMPARE(own.rowCount(), plain.rowCount());
        std::function<void(const QModelIndex &, const QModelIndex &)> compare =
            [&](const QModelIndex &p, const QModelIndex &o) {
                QCOMPARE(own.rowCount(o), plain.rowCount(p));
                for (int r = 0; r < plain.rowCount(p); ++r) {
                    for (int c = 0; c < PtColumnCount; ++c)
                        QCOMPARE(own.index(r, c, o).data().toString(), plain.index(r, c, p).data().toString());
                    compare(plain.index(r, 0, p), own.index(r, 0, o));
                }
            };
        compare(QModelIndex(), QModelIndex());
    }
}

void TestTreeCore::centreListedAndCountedOnce()
{
    // The statement may return a centre once per linked user.
    for (bool tree : {true, false}) {
        QStandardItemModel model;
        PodnikyTreeBuilder::prepareModel(&model);
        PodnikyTreeBuilder b(&model, tree);
        b.addRow(row(1, QStringLiteral("Statek"), 10, QStringLiteral("A"), QStringLiteral("5")));
        b.addRow(row(1, QStringLiteral("Statek"), 10, QStringLiteral("A"), QStringLiteral("5")));
        b.addRow(row(1, QStringLiteral("Statek"), 11, QStringLiteral("B"), QStringLiteral("6")));
        b.addRow(row(2, QStringLiteral("Dvůr"), 20, QStringLiteral("C"), QStringLiteral("7")));
        b.addRow(row(2, QStringLiteral("Dvůr"), 20, QStringLiteral("C"), QStringLiteral("7")));
        QCOMPARE(b.counters().text(), QStringLiteral("CELKOVĚ - podniky: 2, střediska: 3 | TELLMARK - podniky: 2, střediska: 3"));
        if (tree)
            QCOMPARE(visible(model), (QStringList{"Statek", "Statek/A", "Statek/B", "Dvůr", "Dvůr/C"}));
        else
            QCOMPARE(visible(model), (QStringList{"Statek | A", "Statek | B", "Dvůr | C"}));
    }
}

void TestTreeCore::updateCentreRowInPlace()
{
    for (bool tree : {true, false}) {
        QStandardItemModel model;
        PodnikyTreeBuilder::prepareModel(&model);
        PodnikyTreeBuilder b(&model, tree);
        b.addRow(row(1, QStringLiteral("Statek"), 10, QStringLiteral("A"), QStringLiteral("5"), QDate(2020, 1, 2)));
        b.addRow(row(1, QStringLiteral("Statek"), 11, QStringLiteral("B")));
        QStandardItem *a = b.strediskoItem(10);
        QStandardItem *bItem = b.strediskoItem(11);
        QVERIFY(a && bItem);

        // A centre that had neither licence nor date gets both.
        updatePodnikyTreeCentreRow(bItem, QStringLiteral("4711"), QDate(2024, 3, 5));
        const QModelIndex bi = bItem->index();
        QCOMPARE(bi.siblingAtColumn(PtLicence).data().toString(), QStringLiteral("4711"));
        QCOMPARE(bi.siblingAtColumn(PtSpusteni).data().toString(), QStringLiteral("05.03.2024"));
        // Licence 0 and an empty date empty the cells.
        updatePodnikyTreeCentreRow(a, QStringLiteral("0"), QDate());
        QCOMPARE(a->index().siblingAtColumn(PtLicence).data().toString(), QString());
        QCOMPARE(a->index().siblingAtColumn(PtSpusteni).data().toString(), QString());
        QCOMPARE(a->index().siblingAtColumn(PtIdStredisko).data().toString(), QStringLiteral("10"));
    }
}

QTEST_GUILESS_MAIN(TestTreeCore)
#include "tst_treecore.moc"
