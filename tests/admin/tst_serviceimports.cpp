// The users tab's service jobs: what they write and report, and that no file a user can pick breaks them.

#include "admin/serviceimports.h"
#include "support/testdb.h"

#include <QtTest>

#include "support/testmain.h"

using namespace ServiceImports;

namespace {

// The first value of a select, with NULL told apart from an empty text or 0.
QString stored(const QString &statement)
{
    const QVariant v = TestDb::value(statement);
    return v.isNull() ? QStringLiteral("<NULL>") : v.toString();
}

QByteArray cp1250(const QString &text)
{
    return QTextCodec::codecForName("Windows-1250")->fromUnicode(text);
}

// A line of kjjt32.csv: the farm first, the CH6 code last, a name with an apostrophe between.
QByteArray ch6Line(const QString &farm, const QString &code, int fields = 14)
{
    return (farm + ";Farma O'Brien" + QString(";").repeated(fields - 2) + code + "\r\n").toUtf8();
}

} // namespace

class TestServiceImports : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init() { ZRN_CLEAR_TEST_DB(); }

    void readCsvEncodingsAndLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("rows");
        QTest::newRow("LF, empty fields kept") << QByteArray("a;;b;\nc\n") << "a||b|\nc";
        QTest::newRow("BOM and CRLF") << QByteArray("\xEF\xBB\xBFkraj;staj\r\n1;2\r\n") << "kraj|staj\n1|2";
        QTest::newRow("UTF-8 without BOM") << QString("Žluťoučký;kůň").toUtf8() << "Žluťoučký|kůň";
        QTest::newRow("Windows-1250") << cp1250("Žluťoučký;kůň\r\nŘád;ě") << "Žluťoučký|kůň\nŘád|ě";
        QTest::newRow("blank line keeps numbering") << QByteArray("a\n\nb") << "a\n\nb";
        QTest::newRow("empty file") << QByteArray() << "";
    }
    void readCsvEncodingsAndLines()
    {
        QFETCH(QByteArray, content);
        QList<QStringList> read;
        QString error;
        QVERIFY2(readCsv(file(content), &read, &error), qPrintable(error));
        QStringList got;   // "a|b|c" lines
        for (const QStringList &row : read)
            got << row.join(QLatin1Char('|'));
        QTEST(got.join(QLatin1Char('\n')), "rows");
    }

    void kuImport()
    {
        // The breeders' table with the columns the import reads; the date picks the newest check, not the row order.
        ZRN_SEED("insert into tellmark_strediska(id,hospodarstvi) values(1,'11111111'),(2,'11111111'),(3,'22222222')",
                 "insert into tellmark_strediska(id,hospodarstvi,sku_datum,sku_dojnic,sku_stupen) values(4,'','2020-01-01',5,'X')",
                 "alter table chovatele_data rename to chovatele_data_full");
        const auto restore = qScopeGuard([] {
            TestDb::seed({"drop table chovatele_data", "alter table chovatele_data_full rename to chovatele_data"});
        });
        ZRN_SEED("create table chovatele_data(datum_ku date, pocet_dojnic int, stupen_kontroly varchar(32), staj_cislo varchar(32))",
                 "insert into chovatele_data(datum_ku,pocet_dojnic,stupen_kontroly,staj_cislo) values"
                 "('2025-06-01',60,'B','11111111'),('2025-01-10',50,'A','11111111'),('2024-03-03',70,'C','99999999'),"
                 "('2025-02-02',80,'D',''),('2025-02-02',90,'E','  '),(null,10,'F','11111111')");

        const Report first = importKu();
        QVERIFY2(first.error.isEmpty(), qPrintable(first.error));
        QCOMPARE(first.changedRows, 2);
        // Matched rows, not changed ones: a second run counts the same on MariaDB.
        QCOMPARE(importKu().changedRows, 2);

        // The farm's centres get its newest check, a farm without one none; a centre without a number stays.
        QStringList values;
        for (const char *centre : {"1", "2", "3", "4"})
            for (const char *column : {"sku_datum", "sku_dojnic", "sku_stupen"})
                values << stored(QStringLiteral("select %1 from tellmark_strediska where id=%2").arg(column, centre));
        QCOMPARE(values.join('|'), QStringLiteral("2025-06-01|60|B|2025-06-01|60|B|<NULL>|<NULL>|<NULL>|2020-01-01|5|X"));
    }

    void ch6Import_data()
    {
        QTest::addColumn<QString>("farm");
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("ch6");
        QTest::newRow("written, cut to 6") << "12345678" << "null" << ch6Line("12345678", "1234567") << "123456";
        QTest::newRow("first 8 of a longer number") << "123456789" << "''" << ch6Line("12345678X", "777") << "777";
        QTest::newRow("13 fields ignored") << "12345678" << "null" << ch6Line("12345678", "888", 13) << "<NULL>";
        QTest::newRow("existing CH6 kept") << "12345678" << "'OLD'" << ch6Line("12345678", "999") << "OLD";
        QTest::newRow("zero not written") << "12345678" << "null" << ch6Line("12345678", "0") << "<NULL>";
        QTest::newRow("not a number") << "12345678" << "null" << ch6Line("12345678", "12a") << "<NULL>";
        QTest::newRow("apostrophe in the value") << "12345678" << "null" << ch6Line("12345678", "1' or") << "<NULL>";
        QTest::newRow("7-character farm not matched") << "1234567" << "null" << ch6Line("1234567", "555") << "<NULL>";
        QTest::newRow("two centres of the enterprise, the last line wins")
            << "11111111" << "null" << ch6Line("11111111", "111") + ch6Line("22222222", "222") << "222";
    }
    void ch6Import()
    {
        QFETCH(QString, farm);
        QFETCH(QString, existing);
        QFETCH(QByteArray, line);
        QFETCH(QString, ch6);
        ZRN_SEED(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,ch6) values(1,'Farma',%1)").arg(existing),
                 QStringLiteral("insert into tellmark_strediska(id,id_podnik,hospodarstvi) values(10,1,'%1'),(11,1,'22222222')").arg(farm));
        const QString before = stored("select ch6 from tellmark_podniky where id=1");
        const Report r = importCh6(file("HOSPODARSTVI;nazev\r\n" + line));
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(stored("select ch6 from tellmark_podniky where id=1"), ch6);
        QCOMPARE(r.changedRows, ch6 == before ? 0 : 1);
    }

    // The second row fails or the user stops before it: the first is rolled back, the report names no rows.
    void failedRowSavesNothing_data()
    {
        QTest::addColumn<bool>("ku");
        QTest::addColumn<bool>("stop");
        for (bool stop : {false, true})
            for (bool ku : {true, false})
                QTest::addRow("%s%s", ku ? "KU" : "CH6", stop ? " stopped by the user" : "") << ku << stop;
    }
    void failedRowSavesNothing()
    {
        QFETCH(bool, ku);
        QFETCH(bool, stop);
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev) values(1,'Prvni'),(2,'Druhy')",
                 "insert into tellmark_strediska(id,id_podnik,hospodarstvi) values(10,1,'11111111'),(20,2,'22222222')",
                 "insert into chovatele_data(id,datum_ku,pocet_dojnic,stupen_kontroly,staj_cislo) values"
                 "(1,'2025-01-01',10,'A','11111111'),(2,'2025-02-02',20,'B','22222222')");
        const QString table = ku ? QStringLiteral("tellmark_strediska") : QStringLiteral("tellmark_podniky");
        const Progress progress = [stop](qint64 done, qint64) { return !stop || done < 1; };
        if (!stop) {
            ZRN_SEED(QString(TestDb::isMariaDb() ? "create trigger stop_import before update on %1 for each row begin if new.id"
                                                   " in (2,20) then signal sqlstate '45000' set message_text='stop'; end if; end"
                                                 : "create trigger stop_import before update on %1 when new.id in (2,20)"
                                                   " begin select raise(abort,'stop'); end").arg(table));
        }
        const Report r = ku ? importKu(progress)
                            : importCh6(file(ch6Line("11111111", "111") + ch6Line("22222222", "222")), progress);
        if (!stop)
            ZRN_SEED("drop trigger stop_import");
        QCOMPARE(r.cancelled, stop);
        QVERIFY2(r.text().contains(QStringLiteral("nic nebylo uloženo")), qPrintable(r.text()));
        QCOMPARE(r.changedRows, 0);
        QVERIFY(r.lines.isEmpty());
        QCOMPARE(stored(ku ? "select sku_dojnic from tellmark_strediska where id=10" : "select ch6 from tellmark_podniky where id=1"),
                 QString("<NULL>"));
    }

    void eventDateCheckNumbersListedEvents()
    {
        ZRN_SEED("insert into tellmark_udalosti(id,ts_zalozeno,ts_zacatek,predmet,smazano) values"
                 "(1,'2026-12-05 08:00:00','2026-12-05 23:59:00','Stejný den',0),"
                 "(2,'2026-12-05 10:00:00','2026-12-07 09:00:00','Servis, dojírna',0),"
                 "(3,'2026-01-01 10:00:00','2026-02-01 10:00:00','Smazaná',1),"
                 "(4,'2026-03-31 23:00:00','2026-04-01 00:30:00','Přes půlnoc',0)");
        const Report r = eventDateCheck();
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(r.lines, QStringList({"1, Sat Dec 5 2026, Mon Dec 7 2026, Servis, dojírna",
                                       "2, Tue Mar 31 2026, Wed Apr 1 2026, Přes půlnoc"}));
    }

    void plemkoCompare()
    {
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev) values(1,'Podnik A'),(2,'Podnik B')",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,hospodarstvi) values"
                 "(10,1,'Středisko A',42,'10000234'),(11,2,'Středisko B',0,'123'),(12,2,'Jiné',7,'55555555'),"
                 "(13,2,'Jako hlavička',0,'KRAJ0000'),(14,2,'Dlouhý',5,'ABCDEFGH')");   // KRAJ0000: the header's key
        // The key: region and stable padded to 8 digits, cut to 8 characters.
        const QString path = file("Database;KRAJ;staj;nazev_chovu\r\n"
                                  "DB1;1;2345;Chov A\r\n"
                                  "DB2;;123;Chov B\r\n"
                                  "DB6;ABCDEFGHIJ;1;Dlouhý kraj\r\n"
                                  "DB3;;123\r\n"          // one field short
                                  "DB4;9;;Bez stáje\r\n"
                                  "DB5;9;9999;Nikde\r\n");
        const Report r = ServiceImports::plemkoCompare(path);
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        QCOMPARE(r.lines, QStringList({"DB1;100002345;Chov A;Podnik A;Středisko A;42", "DB2;00000123;Chov B;Podnik B;Středisko B;",
                                       "DB6;ABCDEFGHIJ00000001;Dlouhý kraj;Podnik B;Dlouhý;5"}));

        const Report noStable = ServiceImports::plemkoCompare(file("kraj;nazev\n1;2\n"));
        QVERIFY(!noStable.error.isEmpty());
        QVERIFY(noStable.lines.isEmpty());
    }

    void enterpriseImportFindings()
    {
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev,ico,dojnice_ks,zeme) values"
                 "(1,'Farma A','00012345',100,null),(2,'Farma B','87654321',50,'Slovensko'),(3,'Farma D','33333333',null,null)");
        const QString path = file(cp1250("IČO;Název;Stát;Dojnice;Odpovědná osoba;Posl. kontakt\r\n"
                                         "000 12 345;Farma A;Česká republika;100;Jan Novotný;05.12.2026\r\n"
                                         "87654321;Farma B;;60;Karel Neznámý;32.13.2026\r\n"
                                         "11111111;Farma C;;;  SEDIVA   Eva ;\r\n"   // staff: surname first, no accents
                                         ";Bez IČO;;;pk;\r\n"                       // staff by code
                                         "1' or '1'='1;Apostrof;;;Novotný;\r\n"    // a surname alone is nobody
                                         "33333333;Farma D;;0;;\r\n"));
        const Report r = enterpriseImport(path);
        QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
        const QString all = r.lines.join('\n');
        // Leading zeros and spaces match, no country is Czech, staff are not findings.
        for (const char *none : {"Farma A", "„Jan Novotný“", "SEDIVA", "„pk“"})
            QVERIFY2(!all.contains(QString::fromUtf8(none)), qPrintable(all));
        for (const char *finding : {"IČO 87654321 (Farma B, řádek 3): dojnic v souboru 60, v registru (podnik 2) 50.",
                                    "stát v souboru Česká republika, v registru (podnik 2) Slovensko", "Karel Neznámý",
                                    "32.13.2026", "IČO 11111111 (Farma C, řádek 4): v registru není.",
                                    "Řádek 5 (Bez IČO): chybí IČO.", "IČO 1'or'1'='1 (Apostrof, řádek 6): v registru není.",
                                    "Řádek 6: odpovědná osoba „Novotný“ není mezi zaměstnanci.",
                                    "IČO 33333333 (Farma D, řádek 7): dojnic v souboru 0, v registru (podnik 3) neuvedeno."})
            QVERIFY2(all.contains(QString::fromUtf8(finding)), finding);
        QVERIFY2(r.summary.contains("v registru nalezeno: 3, nenalezeno: 2"), qPrintable(r.summary));
        QVERIFY2(r.text().startsWith(r.summary + "\n\n" + r.lines.first() + '\n'), qPrintable(r.text()));
        QCOMPARE(r.changedRows, 0);
        QCOMPARE(stored("select dojnice_ks from tellmark_podniky where id=2"), QString("50"));
        QCOMPARE(stored("select count(*) from tellmark_podniky"), QString("3"));
    }

    void malformedFilesNeverCrash_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("unreadable");
        QByteArray junk;
        for (int i = 0; i < 4096; ++i)
            junk.append(char((i * 7919) % 256));
        QTest::newRow("empty") << QByteArray() << true;
        QTest::newRow("binary junk") << junk << true;
        QTest::newRow("missing columns") << QByteArray("a;b\n1\n;;\n") << false;
        QTest::newRow("100 kB line") << QByteArray("kraj;staj;IČO\n") + QByteArray(100 * 1024, ';') + "x\n" << false;
        QTest::newRow("BOM and CRLF") << QByteArray("\xEF\xBB\xBFIČO;kraj;staj\r\n'1;2;3\r\n") << false;
        QTest::newRow("Windows-1250 with apostrophes") << cp1250("IČO;kraj;staj\r\n1' or '1'='1;Ž';'\r\n") << false;
    }
    void malformedFilesNeverCrash()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, unreadable);
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev,ico) values(1,'Farma','1')",
                 "insert into tellmark_strediska(id,id_podnik,hospodarstvi) values(10,1,'00000001')");
        const QString path = file(content);
        for (const Report &r : {importCh6(path), ServiceImports::plemkoCompare(path), enterpriseImport(path)}) {
            if (unreadable)
                QVERIFY2(!r.error.isEmpty(), qPrintable(r.text()));
            QCOMPARE(r.changedRows, 0);
            QVERIFY(!r.text().isEmpty());
        }
        QCOMPARE(stored("select ch6 from tellmark_podniky where id=1"), QString("<NULL>"));
        QVERIFY(!importCh6(m_dir.filePath("does-not-exist.csv")).error.isEmpty());
        QVERIFY(!enterpriseImport(m_dir.path()).error.isEmpty());
    }

private:
    QString file(const QByteArray &content)
    {
        const QString path = m_dir.filePath(QStringLiteral("f%1.csv").arg(++m_files));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
            qWarning() << "cannot write" << path;
        return path;
    }
    QTemporaryDir m_dir;
    int m_files = 0;
};

ZRN_TEST_GUILESS_MAIN(TestServiceImports)
#include "tst_serviceimports.moc"
