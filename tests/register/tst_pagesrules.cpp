#include "app/session.h"
#include "register/columnvalues.h"
#include "register/detailpages.h"
#include "register/documentfolders.h"
#include "register/richtext.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

class TstPagesRules : public QObject
{
    Q_OBJECT

private slots:
    void companyName_data();
    void companyName();
    void folderPath();
    void explorerLaunch();

    void richText_data();
    void richText();
    void richTextStorage();

    void codeLists();
    void storedForms();

    void pageSet_data();
    void pageSet();
};

void TstPagesRules::companyName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folder");

    // The cases the folder names of existing data were made with.
    QTest::newRow("a.s. leaves comma") << QStringLiteral("Agro Vysočina, a.s.") << QStringLiteral("Agro Vysočina");
    QTest::newRow("runs of blanks") << QStringLiteral("Statek  Horní   Dvůr s.r.o.") << QStringLiteral("Statek Horní Dvůr");
    QTest::newRow("slash and colon go") << QStringLiteral("Agro/Sever: Mlýn") << QStringLiteral("AgroSever Mlýn");
    QTest::newRow("backslash stays") << QStringLiteral("Agro\\Sever") << QStringLiteral("Agro\\Sever");
    QTest::newRow("spol. s r.o.") << QStringLiteral("ZD Nová Ves spol. s r.o.") << QStringLiteral("ZD Nová Ves");
    // Upper case is not a legal form here: only the trailing dot goes.
    QTest::newRow("upper case S.R.O. stays") << QStringLiteral("Farma Lhota S.R.O.") << QStringLiteral("Farma Lhota S.R.O");

    QTest::newRow("all forbidden characters") << QStringLiteral("A*B?C\"D<E>F|G") << QStringLiteral("ABCDEFG");
    QTest::newRow("outer white space") << QStringLiteral("  \tStatek Lány \n") << QStringLiteral("Statek Lány");
    QTest::newRow("a. s. spaced") << QStringLiteral("Zemědělská a. s.") << QStringLiteral("Zemědělská");
    QTest::newRow("state enterprise") << QStringLiteral("Lesy, s.p.") << QStringLiteral("Lesy");
    QTest::newRow("bracketed form") << QStringLiteral("Mlékárna ( a.s.)") << QStringLiteral("Mlékárna");
    QTest::newRow("research institute") << QStringLiteral("Výzkumný ústav v. v. i.") << QStringLiteral("Výzkumný ústav");
    QTest::newRow("wildcard a-s- at end") << QStringLiteral("Družstvo Háj a-s-") << QStringLiteral("Družstvo Háj");
    QTest::newRow("wildcard s-r-o- at end") << QStringLiteral("Farma Bor s-r-o-") << QStringLiteral("Farma Bor");
    QTest::newRow("spol with any last character") << QStringLiteral("Agro Hrad spol,") << QStringLiteral("Agro Hrad");
    QTest::newRow("plain name untouched") << QStringLiteral("Český statek") << QStringLiteral("Český statek");
    QTest::newRow("empty") << QString() << QString();
}

void TstPagesRules::companyName()
{
    QFETCH(QString, name);
    QFETCH(QString, folder);
    QString text = name;
    normaliseCompanyName(text);
    QCOMPARE(text, folder);
    // A folder name is stable: normalising it again changes nothing.
    normaliseCompanyName(text);
    QCOMPARE(text, folder);
}

void TstPagesRules::folderPath()
{
    QCOMPARE(enterpriseFolderPath(QStringLiteral("/home/eva/Nextcloud"), QStringLiteral("Agro Vysočina, a.s.")),
             QStringLiteral("/home/eva/Nextcloud/ZRN/Agro Vysočina"));
    QCOMPARE(enterpriseFolderPath(QString(), QStringLiteral("Statek s.r.o.")), QStringLiteral("/ZRN/Statek"));
}

void TstPagesRules::explorerLaunch()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString existing = dir.path();
    const QString missing = dir.filePath(QStringLiteral("ZRN/Agro"));

    // An existing folder is opened; anything else is selected in its parent.
    QCOMPARE(explorerArguments(existing), QStringList{QDir::toNativeSeparators(existing)});
    QCOMPARE(explorerArguments(missing), (QStringList{QStringLiteral("/select,"), QDir::toNativeSeparators(missing)}));
    QCOMPARE(folderUrlToOpen(existing), QUrl::fromLocalFile(existing));
    QCOMPARE(folderUrlToOpen(missing), QUrl::fromLocalFile(dir.filePath(QStringLiteral("ZRN"))));

    // The opener is replaceable, so nothing is launched from the tests.
    QStringList opened;
    setFolderOpener([&opened](const QString &path) { opened << path; });
    openInExplorer(missing);
    setFolderOpener(FolderOpener());
    QCOMPARE(opened, QStringList{missing});
}

void TstPagesRules::richText_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("stored");

    const QString marker = QStringLiteral("<meta name=\"qrichtext\" content=\"1\" />");
    const QString charset = QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />");
    QTest::newRow("editor header gets charset")
        << QStringLiteral("<html><head>") + marker + QStringLiteral("<style></style></head><body>Ř</body></html>")
        << QStringLiteral("<html><head>") + marker + charset + QStringLiteral("<style></style></head><body>Ř</body></html>");
    QTest::newRow("no marker: unchanged") << QStringLiteral("<p>plain</p>") << QStringLiteral("<p>plain</p>");
    QTest::newRow("plain text unchanged") << QStringLiteral("jen text") << QStringLiteral("jen text");
    QTest::newRow("marker without the blank before /> is not it")
        << QStringLiteral("<meta name=\"qrichtext\" content=\"1\"/>") << QStringLiteral("<meta name=\"qrichtext\" content=\"1\"/>");
    QTest::newRow("already normalised: one charset tag")
        << marker + charset + QStringLiteral("x") << marker + charset + QStringLiteral("x");
}

void TstPagesRules::richText()
{
    QFETCH(QString, html);
    QFETCH(QString, stored);
    QCOMPARE(normaliseRichText(html), stored);
}

void TstPagesRules::richTextStorage()
{
    // The editor's header, with Czech letters in the body, survives the bytes.
    const QString html = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" \"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
                                        "<html><head><meta name=\"qrichtext\" content=\"1\" /><style type=\"text/css\">\n</style></head>"
                                        "<body><p><b>Žluťoučký kůň</b></p></body></html>");
    const QByteArray bytes = richTextForStorage(html);
    QVERIFY(bytes.contains("charset=UTF-8"));
    QVERIFY(bytes.contains(QStringLiteral("Žluťoučký kůň").toUtf8()));
    QCOMPARE(richTextFromStorage(bytes), QString::fromUtf8(bytes));
    QCOMPARE(richTextFromStorage(QVariant(QStringLiteral("text"))), QStringLiteral("text"));
    QVERIFY(richTextFromStorage(QVariant()).isEmpty());
}

void TstPagesRules::codeLists()
{
    using namespace ColumnValues;
    const QStringList zeme = {QStringLiteral("Neurčeno"), QStringLiteral("CZ"), QStringLiteral("SK")};
    QCOMPARE(codeListIndex(zeme, QStringLiteral("cz")), 1);
    QCOMPARE(codeListIndex(zeme, QStringLiteral("SK")), 2);
    QCOMPARE(codeListIndex(zeme, QStringLiteral("CZE")), 0);  // no prefix matches
    QCOMPARE(codeListIndex(zeme, QVariant()), 0);
    QCOMPARE(codeListIndex({QStringLiteral("Neurčeno"), QStringLiteral("Bílý motýl")}, QStringLiteral("BÍLÝ MOTÝL")), 1);

    QVERIFY(codeListEntry(zeme, 0).isNull());
    QCOMPARE(codeListEntry(zeme, 2).toString(), QStringLiteral("SK"));

    QCOMPARE(indexListIndex(6, 3), 3);
    QCOMPARE(indexListIndex(6, QStringLiteral("5")), 5);
    QCOMPARE(indexListIndex(6, 6), 0);
    QCOMPARE(indexListIndex(6, QVariant()), 0);
}

void TstPagesRules::storedForms()
{
    using namespace ColumnValues;
    QVERIFY(text(QString()).isNull());
    QVERIFY(text(QStringLiteral("")).isNull());
    QCOMPARE(text(QStringLiteral(" x ")).toString(), QStringLiteral(" x "));

    QCOMPARE(identification(QStringLiteral(" 123 45\n678\r\n")), QStringLiteral("12345678"));
    QVERIFY(!identification(QStringLiteral("  ")).isNull());
    QVERIFY(identification(QStringLiteral("  ")).isEmpty());
    QVERIFY(identificationOrNull(QStringLiteral(" \n")).isNull());

    QVERIFY(date(QDate()).isNull());
    QCOMPARE(date(QDate(2024, 2, 29)).toDate(), QDate(2024, 2, 29));
    QCOMPARE(storedDate(QStringLiteral("2024-02-29")), QDate(2024, 2, 29));
    QCOMPARE(storedDate(QStringLiteral("2024-02-29 00:00:00")), QDate(2024, 2, 29));
    QCOMPARE(storedDate(QDate(2023, 1, 5)), QDate(2023, 1, 5));
    QVERIFY(storedDate(QVariant()).isNull());
}

void TstPagesRules::pageSet_data()
{
    QTest::addColumn<int>("minimal");
    QTest::addColumn<int>("vp");
    QTest::addColumn<int>("pristupy");
    QTest::addColumn<int>("udalosti");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("pages");

    const int podnik = int(DetailPages::RowKind::Enterprise);
    const int stredisko = int(DetailPages::RowKind::Centre);
    const QString P = QStringLiteral("tab_podnik"), S = QStringLiteral("tab_stredisko"),
                  SP = QStringLiteral("tab_specifikace"), VP = QStringLiteral("tab_vzdaleny_pristup"),
                  PR = QStringLiteral("tab_pristupy"), G = QStringLiteral("tab_gps"),
                  U = QStringLiteral("tab_udalosti"), V = QStringLiteral("tab_vyber");

    QTest::newRow("enterprise, no extra rights") << 0 << 0 << 0 << 0 << podnik << QStringList{P, G};
    QTest::newRow("enterprise, events") << 0 << 1 << 1 << 1 << podnik << QStringList{P, G, U};
    QTest::newRow("enterprise, events level 2") << 0 << 0 << 0 << 2 << podnik << QStringList{P, G, U};
    QTest::newRow("enterprise, minimal") << 1 << 1 << 1 << 1 << podnik << QStringList{V};
    QTest::newRow("centre, no extra rights") << 0 << 0 << 0 << 0 << stredisko << QStringList{S, SP, G};
    QTest::newRow("centre, remote access") << 0 << 1 << 0 << 0 << stredisko << QStringList{S, SP, VP, G};
    QTest::newRow("centre, portals") << 0 << 0 << 1 << 0 << stredisko << QStringList{S, SP, PR, G};
    QTest::newRow("centre, everything") << 0 << 2 << 1 << 1 << stredisko << QStringList{S, SP, VP, PR, G, U};
    QTest::newRow("centre, negative events right") << 0 << 0 << 0 << -1 << stredisko << QStringList{S, SP, G};
    QTest::newRow("centre, minimal") << 1 << 0 << 1 << 1 << stredisko << QStringList{VP};
    QTest::newRow("nothing selected") << 0 << 1 << 1 << 1 << int(DetailPages::RowKind::None) << QStringList{V};
}

void TstPagesRules::pageSet()
{
    QFETCH(int, minimal);
    QFETCH(int, vp);
    QFETCH(int, pristupy);
    QFETCH(int, udalosti);
    QFETCH(int, kind);
    QFETCH(QStringList, pages);
    UserRights rights;
    rights.minimal = minimal;
    rights.vp = vp;
    rights.pristupy = pristupy;
    rights.udalosti = udalosti;
    QCOMPARE(DetailPages::pagesFor(rights, DetailPages::RowKind(kind)), pages);
}

QTEST_GUILESS_MAIN(TstPagesRules)
#include "tst_pagesrules.moc"
