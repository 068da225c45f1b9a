// Rules of the centre pages that need no database and no window: the web-map
// address, the licence rule, the code lists and how the technology page's
// columns are read and written.

#include "db/servicekeys.h"
#include "register/centrerecord.h"
#include "register/specifikace.h"
#include "register/webmap.h"

#include <QSet>
#include <QSettings>
#include <QUrlQuery>
#include <QtTest>

class TestCentreCore : public QObject
{
    Q_OBJECT

private slots:
    void webMapUrl_data();
    void webMapUrl();
    void webMapBaseFromSettings();
    void licence_data();
    void licence();
    void technologyColumnsAreReadAndWritten();
    void codeListsAreUnambiguous();
};

void TestCentreCore::webMapUrl_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("coordinates");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("q");

    QTest::newRow("coordinates")
        << "https://maps.example.org" << "49.123,14.456"
        << "https://maps.example.org/maps?q=49.123,14.456&ll=49.123,14.456&z=12&t=m" << "49.123,14.456";
    QTest::newRow("empty coordinates")
        << "https://maps.example.org" << "" << "https://maps.example.org/maps?q=&ll=&z=12&t=m" << "";
    QTest::newRow("base with slash")
        << "http://127.0.0.1:8080/" << "1,2" << "http://127.0.0.1:8080/maps?q=1,2&ll=1,2&z=12&t=m" << "1,2";
    QTest::newRow("base with path")
        << "https://example.org/gis" << "1,2" << "https://example.org/gis/maps?q=1,2&ll=1,2&z=12&t=m" << "1,2";
    QTest::newRow("blank after comma, as typed")
        << "https://maps.example.org" << "49.1, 14.2"
        << "https://maps.example.org/maps?q=49.1,%2014.2&ll=49.1,%2014.2&z=12&t=m" << "49.1, 14.2";
}

void TestCentreCore::webMapUrl()
{
    QFETCH(QString, base);
    QFETCH(QString, coordinates);
    QFETCH(QString, url);
    QFETCH(QString, q);

    const QUrl u = WebMap::url(base, coordinates);
    QVERIFY(u.isValid());
    QCOMPARE(u.toString(QUrl::FullyEncoded), url);
    const QUrlQuery query(u);
    QCOMPARE(query.queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), q);
    QCOMPARE(query.queryItemValue(QStringLiteral("ll"), QUrl::FullyDecoded), q);
    QCOMPARE(query.queryItemValue(QStringLiteral("z")), QStringLiteral("12"));
    QCOMPARE(query.queryItemValue(QStringLiteral("t")), QStringLiteral("m"));
    QCOMPARE(u.path(), QUrl(base).path().remove(QRegularExpression(QStringLiteral("/$"))) + QStringLiteral("/maps"));
}

void TestCentreCore::webMapBaseFromSettings()
{
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"));
    s.remove(ServiceKeys::WebMap);
    s.sync();
    QCOMPARE(WebMap::base(), WebMap::DefaultBase);
    s.setValue(ServiceKeys::WebMap, QStringLiteral("http://mapy.intranet"));
    s.sync();
    QCOMPARE(WebMap::base(), QStringLiteral("http://mapy.intranet"));
    s.remove(ServiceKeys::WebMap);
}

void TestCentreCore::licence_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored");   // invalid: NULL
    QTest::newRow("number") << "1234" << QVariant(1234);
    QTest::newRow("Tarvo range") << "40001" << QVariant(40001);
    QTest::newRow("zero") << "0" << QVariant();
    QTest::newRow("negative") << "-1" << QVariant();
    QTest::newRow("empty") << "" << QVariant();
    QTest::newRow("text") << "L-12" << QVariant();
    QTest::newRow("decimal") << "12.5" << QVariant();
}

void TestCentreCore::licence()
{
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    const QVariant v = CentreStore::licenceOrNull(typed);
    if (!stored.isValid())
        QVERIFY(v.isNull());
    else
        QCOMPARE(v.toLongLong(), stored.toLongLong());
}

void TestCentreCore::technologyColumnsAreReadAndWritten()
{
    // Every field of the page has a column the centre statement reads and the
    // update writes, with a placeholder of its own.
    QSet<QString> pageColumns{Specifikace::NotesColumn};
    for (const Specifikace::Row &row : Specifikace::rows()) {
        if (!row.column.isEmpty())
            pageColumns << row.column;
        if (!row.second.isEmpty())
            pageColumns << row.second;
        pageColumns << row.note;
    }
    QCOMPARE(Specifikace::rows().size(), 25);
    QCOMPARE(pageColumns.size(), 54);

    QSet<QString> written;
    QSet<QString> placeholders;
    for (const auto &b : Specifikace::updateBindings()) {
        written << b.first.toUpper();
        placeholders << b.second;
    }
    QCOMPARE(written, pageColumns);
    QCOMPARE(placeholders.size(), pageColumns.size());

    QSet<int> positions;
    for (const QString &col : pageColumns) {
        const int pos = CentreRecord::specColumn(col);
        QVERIFY2(pos >= CentreRecord::SpecFirst, qPrintable(col));
        positions << pos;
    }
    QCOMPARE(positions.size(), pageColumns.size());
    QCOMPARE(CentreRecord::specColumn(QStringLiteral("SAKB")), int(CentreRecord::Sakb));
    QVERIFY(!positions.contains(90));   // the NULL placeholder of the statement
}

void TestCentreCore::codeListsAreUnambiguous()
{
    const QStringList cols = Specifikace::codeListColumns();
    QCOMPARE(cols.size(), 26);   // 21 rows with a list, 5 second lists
    for (const QString &col : cols) {
        const QStringList entries = Specifikace::codeList(col);
        QVERIFY2(entries.size() >= 2, qPrintable(col));
        QCOMPARE(entries.first(), QStringLiteral("Neurčeno"));
        QSet<QString> folded;
        for (const QString &e : entries)
            folded << e.toCaseFolded();
        QVERIFY2(folded.size() == entries.size(), qPrintable(col));   // case-insensitive load must be unique
    }
    QCOMPARE(Specifikace::codeList(QStringLiteral("SAKB")),
             QStringList({QStringLiteral("Neurčeno"), QStringLiteral("Ano"), QStringLiteral("Ukončeno")}));
    QCOMPARE(Specifikace::codeList(QStringLiteral("SIDT")), Specifikace::codeList(QStringLiteral("SPAT")));
    QVERIFY(Specifikace::codeList(QStringLiteral("SSTP")).isEmpty());
}

QTEST_GUILESS_MAIN(TestCentreCore)
#include "tst_centrecore.moc"
