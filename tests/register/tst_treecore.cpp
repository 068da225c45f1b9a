// The enterprise tree without a database: search keys, the proxy's sort modes, and the model's
// own sort keys ordering rows exactly as the proxy orders plain texts.

#include "register/podnikytreemodel.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/textutil.h"

#include <QStandardItemModel>
#include <QtTest>

#include "support/testmain.h"

namespace {

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
        QTEST(::stripDiacritics(text), "key");
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

    // The model's own sort keys order every column as the proxy orders the same texts of a plain model.
    void modelSortsLikeTheTexts()
    {
        const QStringList names = {"Cyril", "Čáslav", "Chrudim", "Hradec", "Žatec", "Zlín", "Ústí", "Uhřice",
                                   "Šumperk", "Svitavy", "Řevnice", "Rakovník", "Ďáblice", "Dobříš", "ábel", "Abel"};
        PodnikyTreeModel model;
        model.beginRebuild(false);
        for (int i = 0; i < 48; ++i)
            model.addRow({100 - i, names.at(i % 16), i + 1, QString::number(i % 7),
                          i % 9 ? QString::number(i * 37 % 120) : "",
                          i % 5 ? QDate(2020, 1, 1).addDays(i * 41 % 300) : QDate(),
                          i % 4 ? QDate(2019, 6, 1).addDays(i * 13 % 50) : QDate(),
                          i % 3 ? names.at(i * 5 % 16) : QString(), i % 2 ? "ST" : "LI,ST"});
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
