#include "core/columnvalues.h"
#include "register/documentfolders.h"
#include "core/richtext.h"

#include <QTemporaryDir>
#include <QtTest>

#include "support/testmain.h"

// The text rules of the register pages, without a database: folder names and the stored form of notes.
class TstPagesRules : public QObject
{
    Q_OBJECT

private slots:
    void companyName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("folder");
        // The cases the folder names of existing data were made with.
        QTest::newRow("a.s. leaves comma") << QStringLiteral("Agro Vysočina, a.s.") << QStringLiteral("Agro Vysočina");
        QTest::newRow("runs of blanks") << QStringLiteral("  Statek  Horní   Dvůr s.r.o. ") << QStringLiteral("Statek Horní Dvůr");
        QTest::newRow("forbidden characters go") << QStringLiteral("Agro/Sever: A*B?C\"D<E>F|") << QStringLiteral("AgroSever ABCDEF");
        QTest::newRow("backslash stays") << QStringLiteral("Agro\\Sever") << QStringLiteral("Agro\\Sever");
        QTest::newRow("spol. s r.o.") << QStringLiteral("ZD Nová Ves spol. s r.o.") << QStringLiteral("ZD Nová Ves");
        // Upper case is not a legal form here: only the trailing dot goes.
        QTest::newRow("upper case S.R.O. stays") << QStringLiteral("Farma Lhota S.R.O.") << QStringLiteral("Farma Lhota S.R.O");
        QTest::newRow("a. s. spaced") << QStringLiteral("Zemědělská a. s.") << QStringLiteral("Zemědělská");
        QTest::newRow("research institute") << QStringLiteral("Výzkumný ústav v. v. i.") << QStringLiteral("Výzkumný ústav");
        QTest::newRow("any character between the letters") << QStringLiteral("Farma Bor s-r-o-") << QStringLiteral("Farma Bor");
    }

    void companyName()
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

    void folderToOpen()
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("ZRN/Agro"));
        // An existing folder is opened; a missing one is shown from its parent.
        QCOMPARE(folderUrlToOpen(dir.path()), QUrl::fromLocalFile(dir.path()));
        QCOMPARE(folderUrlToOpen(missing), QUrl::fromLocalFile(dir.filePath(QStringLiteral("ZRN"))));
        QCOMPARE(explorerArguments(missing).value(0), QStringLiteral("/select,"));
        QCOMPARE(explorerArguments(dir.path()).size(), 1);
    }

    void richText_data()
    {
        QTest::addColumn<QString>("html");
        QTest::addColumn<QString>("stored");

        const QString marker = QStringLiteral("<meta name=\"qrichtext\" content=\"1\" />");
        const QString charset = QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />");
        QTest::newRow("editor header gets charset")
            << QStringLiteral("<html><head>") + marker + QStringLiteral("<style></style></head><body>Ř</body></html>")
            << QStringLiteral("<html><head>") + marker + charset + QStringLiteral("<style></style></head><body>Ř</body></html>");
        QTest::newRow("no marker: unchanged") << QStringLiteral("<p>plain</p>") << QStringLiteral("<p>plain</p>");
        QTest::newRow("marker without the blank before /> is not it")
            << QStringLiteral("<meta name=\"qrichtext\" content=\"1\"/>") << QStringLiteral("<meta name=\"qrichtext\" content=\"1\"/>");
        QTest::newRow("already normalised: one charset tag") << marker + charset + QStringLiteral("x") << marker + charset + QStringLiteral("x");
    }

    void richText()
    {
        QFETCH(QString, html);
        QFETCH(QString, stored);
        QCOMPARE(normaliseRichText(html), stored);
        // Stored as UTF-8 bytes and read back unchanged.
        QCOMPARE(richTextFromStorage(richTextForStorage(html)), stored);
    }

    void identificationNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << QStringLiteral("12345678") << QStringLiteral("12345678");
        QTest::newRow("blanks and line break") << QStringLiteral(" 123 456\n78 ") << QStringLiteral("12345678");
        QTest::newRow("non-breaking space") << QStringLiteral("123\u00a045678") << QStringLiteral("12345678");
        QTest::newRow("narrow and thin spaces") << QStringLiteral("\u202f123\u200945678\u2007") << QStringLiteral("12345678");
        QTest::newRow("zero-width and BOM") << QStringLiteral("\ufeff1234\u200b5678") << QStringLiteral("12345678");
        QTest::newRow("tab and ideographic space") << QStringLiteral("CZ\t1234\u30005678") << QStringLiteral("CZ12345678");
        QTest::newRow("only spaces") << QStringLiteral("\u00a0 \u00a0") << QString();
    }

    void identificationNumbers()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(ColumnValues::identification(typed), stored);
        // The enterprise keeps "" for nothing; the centre NULL.
        QVERIFY(!ColumnValues::identification(typed).isNull());
        QCOMPARE(ColumnValues::identificationOrNull(typed).isNull(), stored.isEmpty());
    }
};

ZRN_TEST_GUILESS_MAIN(TstPagesRules)
#include "tst_pagesrules.moc"
