// The rules of the enterprise tree that need no database: search keys, the
// statement per visibility/shape/filter combination, the proxy's sort modes
// and hierarchical filter, the model's shapes and counters (a centre the
// statement returns twice listed and counted once), and the model's own sort
// keys ordering rows exactly as the proxy orders plain texts.

#include "register/podnikytreemodel.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/textutil.h"

#include <QStandardItemModel>
#include <QtTest>

#include "support/testmain.h"


namespace {

PodnikyTreeRow row(int podnik, const QString &name, int centre = 0, const QString &centreName = QString(),
                   const QString &licence = QString(), const QDate &start = QDate())
{
    return PodnikyTreeRow{podnik, name, centre, centreName, licence, start, QDate(2024, 1, 15), QString(), "ST"};
}

// The register as the statement returns it; centre 10 comes twice (two linked users).
void fill(PodnikyTreeModel *model, bool tree)
{
    model->beginRebuild(tree);
    for (const PodnikyTreeRow &r : {row(1, "Český statek", 10, "Farma Lhota", "12", QDate(2020, 5, 1)),
                                    row(1, "Český statek", 10, "Farma Lhota", "12", QDate(2020, 5, 1)),
                                    row(1, "Český statek", 11, "Kravín Újezd"),
                                    row(2, "Agro Morava", 20, "Český Brod", "100"),
                                    row(2, "Agro Morava", 21, "Dvůr", "9"), row(3, "Zemědělská a.s.")})
        model->addRow(r);
    model->endRebuild();
}

// Rows depth first: "enterprise" and "enterprise/centre".
QStringList visible(const QAbstractItemModel &m, const QModelIndex &parent = QModelIndex(), const QString &prefix = QString())
{
    QStringList out;
    for (int r = 0; r < m.rowCount(parent); ++r) {
        const QString name = prefix + m.index(r, 0, parent).data().toString();
        out << name << visible(m, m.index(r, 0, parent), name + '/');
    }
    return out;
}

} // namespace

class TestTreeCore : public QObject
{
    Q_OBJECT
private slots:
    // Names collate as on the users' desktops.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic)); }
    void stripDiacritics_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("key");
        QTest::newRow("small") << QStringLiteral("ěéščřžýáíůúťďň") << QStringLiteral("eescrzyaiuutdn");
        QTest::newRow("capitals become small") << QStringLiteral("ĚÉŠČŘŽÝÁÍŮÚŤĎŇ") << QStringLiteral("eescrzyaiuutdn");
        QTest::newRow("unaccented capitals stay") << QStringLiteral("Český statek ÚHŘETICE") << QStringLiteral("cesky statek uHrETICE");
        QTest::newRow("slovak") << QStringLiteral("Poľnohospodárske Ôčová ĺ ä ŕ") << QStringLiteral("Polnohospodarske ocova l a r");
        QTest::newRow("others unchanged") << QStringLiteral("a.s. 12/3 ü ß „x“") << QStringLiteral("a.s. 12/3 ü ß „x“");
    }

    void stripDiacritics()
    {
        QFETCH(QString, text);
        QFETCH(QString, key);
        QCOMPARE(::stripDiacritics(text), key);
    }

    void sortModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("ascending");
        QTest::newRow("numeric") << 1 << QStringList{"", "9", "10", "12", "100", "4294967296", "9876543210"};
        QTest::newRow("numeric with a non-number falls back to text") << 1 << QStringList{"12", "100", "12a"};
        QTest::newRow("text") << 0 << QStringList{"10", "9", "A", "b"};
        QTest::newRow("dates, empty first") << 2 << QStringList{"", "31.12.1999", "01.12.2023", "28.02.2024", "05.03.2024"};
        QTest::newRow("date-times")
            << 3 << QStringList{"", "31.12.23 23:00", "31.01.24 23:59", "01.02.24 09:05", "01.02.24 10:00"};
    }

    void sortModes()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, ascending);
        QStandardItemModel model;
        for (int i = ascending.size() - 1; i >= 0; --i) // shuffled: reversed, then the middle swapped
            model.appendRow(new QStandardItem(ascending.at(i == 1 ? 2 : i == 2 ? 1 : i)));
        QSMySortFilterProxyModel proxy;
        proxy.sortMode = mode;
        proxy.setSourceModel(&model);
        proxy.sort(0, Qt::DescendingOrder);
        std::reverse(ascending.begin(), ascending.end());
        QCOMPARE(visible(proxy), ascending);
    }

    void quickFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("shown");
        const QString cs = "Český statek", am = "Agro Morava";
        QTest::newRow("nothing typed: each centre once") << QString()
            << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín Újezd", am, am + "/Český Brod", am + "/Dvůr", "Zemědělská a.s."};
        QTest::newRow("without accents: the enterprise with its centres, a centre under its enterprise")
            << "cesky" << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín Újezd", am, am + "/Český Brod"};
        QTest::newRow("accented capitals like small letters")
            << "ČESKÝ" << QStringList{cs, cs + "/Farma Lhota", cs + "/Kravín Újezd", am, am + "/Český Brod"};
        QTest::newRow("a centre shows its enterprise") << "ujezd" << QStringList{cs, cs + "/Kravín Újezd"};
        QTest::newRow("plain text, not a pattern") << "." << QStringList{"Zemědělská a.s."};
        QTest::newRow("no match") << "xyz" << QStringList();
    }

    void quickFilter()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, shown);
        PodnikyTreeModel model;
        fill(&model, true);
        QSMySortFilterProxyModel proxy;
        proxy.treeColumns = {PtNazev};
        proxy.setSourceModel(&model);
        proxy.setFilterKeyColumn(PtNazev);
        proxy.setFilterText(QStringLiteral("lhota")); // the text typed before
        proxy.setFilterText(::stripDiacritics(typed));
        QCOMPARE(visible(proxy), shown);
        for (int r = 0; r < proxy.rowCount(); ++r) // what the view asks before it expands a row
            QCOMPARE(proxy.hasChildren(proxy.index(r, 0)), proxy.rowCount(proxy.index(r, 0)) > 0);
    }

    void shapesAndCounters()
    {
        PodnikyTreeModel model;
        fill(&model, true);
        QCOMPARE(model.headerData(PtSpusteni, Qt::Horizontal).toString(), QStringLiteral("Spustění"));
        const QModelIndex statek = model.podnikIndex(1);
        QCOMPARE(model.strediskoIndex(10).parent(), statek);
        QCOMPARE(statek.data(PtSearchKeyRole).toString(), QStringLiteral("cesky statek"));
        QCOMPARE(model.counters().text(),
                 QStringLiteral("CELKOVĚ - podniky: 3, střediska: 4 | TELLMARK - podniky: 2, střediska: 3"));

        fill(&model, false); // flat: centres only, labelled with their enterprise
        QCOMPARE(visible(model), (QStringList{"Český statek | Farma Lhota", "Český statek | Kravín Újezd",
                                              "Agro Morava | Český Brod", "Agro Morava | Dvůr"}));
        QCOMPARE(model.firstRowOfPodnik(2).data().toString(), QStringLiteral("Agro Morava | Český Brod"));
        QCOMPARE(model.strediskoIndex(10).data(PtSearchKeyRole).toString(), QStringLiteral("cesky statek | Farma Lhota"));
        const QModelIndex dvur = model.strediskoIndex(21); // a centre row, as in the tree
        QCOMPARE(dvur.siblingAtColumn(PtFStredisko).data().toString() + dvur.siblingAtColumn(PtIdStredisko).data().toString(), "121");
        QCOMPARE(model.counters().text(),
                 QStringLiteral("CELKOVĚ - podniky: 2, střediska: 4 | TELLMARK - podniky: 2, střediska: 3"));
    }

    // The model hands the proxy keys made once per row (collation ranks when
    // there are many siblings): every column must sort as the proxy sorts the
    // same texts of a plain item model, in both orders.
    void modelSortsLikeTheTexts()
    {
        const QStringList names = {"Cyril", "Čáslav", "Chrudim", "Hradec", "Žatec", "Zlín", "Ústí", "Uhřice",
                                   "Šumperk", "Svitavy", "Řevnice", "Rakovník", "Ďáblice", "Dobříš", "ábel", "Abel"};
        PodnikyTreeModel model;
        model.beginRebuild(false);
        for (int i = 0; i < 48; ++i) {
            PodnikyTreeRow r = row(100 - i, names.at(i % 16), i + 1, QString::number(i % 7), i % 9 ? QString::number(i * 37 % 120) : "",
                                   i % 5 ? QDate(2020, 1, 1).addDays(i * 41 % 300) : QDate());
            r.fakturaceOd = i % 4 ? QDate(2019, 6, 1).addDays(i * 13 % 50) : QDate();
            r.specifikace = i % 3 ? names.at(i * 5 % 16) : QString();
            r.obr = i % 2 ? "ST" : "LI,ST";
            model.addRow(r);
        }
        model.endRebuild();
        QStandardItemModel plain(model.rowCount(), PtColumnCount);
        for (int r = 0; r < model.rowCount(); ++r)
            for (int c = 0; c < PtColumnCount; ++c)
                if (const QString t = model.index(r, c).data().toString(); !t.isEmpty())
                    plain.setItem(r, c, new QStandardItem(t));

        auto order = [](QAbstractItemModel *source, int column, Qt::SortOrder o) {
            QSMySortFilterProxyModel proxy; // set up as the tree sets it
            proxy.sortMode = column == PtLicence ? 1 : (column == PtSpusteni || column == PtFakturaceOd) ? 2 : 0;
            proxy.setSortLocaleAware(true);
            proxy.setSourceModel(source);
            proxy.sort(column, o);
            QStringList out;
            for (int r = 0; r < proxy.rowCount(); ++r)
                out << proxy.index(r, PtNazev).data().toString() + "/" + proxy.index(r, column).data().toString();
            return out;
        };
        for (int column = PtNazev; column <= PtRegion; ++column)
            for (Qt::SortOrder o : {Qt::AscendingOrder, Qt::DescendingOrder})
                QCOMPARE(order(&model, column, o), order(&plain, column, o));
    }
};


ZRN_TEST_GUILESS_MAIN(TestTreeCore)
#include "tst_treecore.moc"
