#include "core/session.h"
#include "outputs/fakturacestore.h"
#include "outputs/fakturacetab.h"
#include "support/testdb.h"
#include "widgets/qfdateedit.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

#include "support/testmain.h"

using namespace FakturaceStore;

class TstFakturace : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        ZRN_SEED(
            "insert into tellmark_podniky(id,podnik_nazev,obr,SMLOUVA_ORGANIZACE,SMLOUVA_CISLO,SMLOUVA_FAKTURACE_OD,"
            "SMLOUVA_FAKTURACE_CASTKA_ROK,SMLOUVA_FAKTURACE_MENA,SMLOUVA_PODEPSANO,SMLOUVA_POZNAMKA) values "
            "(1,'Agro Alfa','TA','Alfa s.r.o.','S-1','2024-01-15',1200.5,'CZK','2024-01-10',NULL),"
            "(2,'Mléčná farma Bětov','ST','Bětov a.s.','S-2','2024-06-01',1000,'EUR',NULL,NULL),"
            "(3,'ZD Cé','TA',NULL,'S-3','2025-03-01',299.5,'czk ','2025-02-01','Žluťoučký; \"kůň\"'),"
            "(4,'Bez smlouvy','TA',NULL,NULL,NULL,0,NULL,NULL,'jen poznámka'),"
            "(5,'Eta','ST,TA','Eta',NULL,NULL,NULL,NULL,NULL,NULL)",
            "insert into tellmark_strediska(id,id_podnik,akce_nazev) values (10,2,'Bětov'),(30,3,'Cé')",
            "insert into tellmark_strediska_acls(id_strediska,id_www_user) values (10,7)");
    }

    void overview_data()
    {
        QTest::addColumn<int>("acls");
        QTest::addColumn<QString>("region");
        QTest::addColumn<int>("state");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QString>("totals");
        const QDate none;
        // Currencies differing in case and blanks add up; no amount adds nothing.
        QTest::newRow("all") << 0 << "" << 0 << none << none << "" << QList<int>{1, 2, 3, 5} << "CZK 1 500,00; EUR 1 000,00";
        QTest::newRow("signed") << 0 << "" << 1 << none << none << "" << QList<int>{1, 3} << "CZK 1 500,00";
        QTest::newRow("unsigned") << 0 << "" << 2 << none << none << "" << QList<int>{2, 5} << "EUR 1 000,00";
        QTest::newRow("from only") << 0 << "" << 0 << QDate(2024, 6, 1) << none << "" << QList<int>{2, 3}
                                   << "CZK 299,50; EUR 1 000,00";
        QTest::newRow("range, bounds kept") << 0 << "" << 0 << QDate(2024, 1, 15) << QDate(2024, 6, 1) << ""
                                            << QList<int>{1, 2} << "CZK 1 200,50; EUR 1 000,00";
        QTest::newRow("to only") << 0 << "" << 0 << none << QDate(2024, 12, 31) << "" << QList<int>{1, 2}
                                 << "CZK 1 200,50; EUR 1 000,00";
        QTest::newRow("text without accents") << 0 << "" << 0 << none << none << "BETOV" << QList<int>{2} << "EUR 1 000,00";
        QTest::newRow("text in the note") << 0 << "" << 0 << none << none << "kun" << QList<int>{3} << "CZK 299,50";
        QTest::newRow("text and state") << 0 << "" << 2 << none << none << "s-" << QList<int>{2} << "EUR 1 000,00";
        QTest::newRow("region") << 0 << "TA" << 0 << none << none << "" << QList<int>{1, 3, 5} << "CZK 1 500,00";
        QTest::newRow("assigned centres") << 1 << "" << 0 << none << none << "" << QList<int>{2} << "EUR 1 000,00";
        QTest::newRow("region and unsigned") << 0 << "ST" << 2 << none << none << "" << QList<int>{2, 5} << "EUR 1 000,00";
    }
    void overview()
    {
        QFETCH(int, acls);
        QFETCH(QString, region);
        QFETCH(int, state);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QString, text);
        QFETCH(QList<int>, ids);
        QFETCH(QString, totals);
        QList<Contract> all;
        QString error;
        QVERIFY2(read(Visibility(7, acls, region), Filter{Signed(state), from, to, {}}, &all, &error), qPrintable(error));
        const QList<Contract> rows = shown(all, text);
        QList<int> got;
        for (const Contract &c : rows)
            got << c.id;
        std::sort(got.begin(), got.end());
        QCOMPARE(got, ids);
        // The thousands are parted by a no-break space.
        QCOMPARE(totalsText(FakturaceStore::totals(rows)).replace(QChar(0xA0), ' '), totals);

        // The tab shows the same rows and totals for the same user.
        Session session;
        session.user.id = 7;
        session.user.acls = acls;
        session.user.region = region;
        FakturaceTab tab(&session);
        tab.findChild<QComboBox *>("fakturace_stav")->setCurrentIndex(state);
        tab.findChild<QFDateEdit *>("fakturace_od")->setDate(from);
        tab.findChild<QFDateEdit *>("fakturace_do")->setDate(to);
        tab.findChild<QLineEdit *>("fakturace_filtr")->setText(text);
        tab.refresh();
        auto *view = tab.findChild<QTableView *>("tableViewFakturace");
        QCOMPARE(view->model()->rowCount(), ids.size());
        QVERIFY(tab.findChild<QLabel *>("fakturace_soucty")->text().replace(QChar(0xA0), ' ').contains(totals));
        // A double click asks for the enterprise of the row.
        QSignalSpy asked(&tab, &FakturaceTab::enterpriseRequested);
        emit view->doubleClicked(view->model()->index(0, 2));
        QCOMPARE(asked.size(), 1);
        QVERIFY(ids.contains(asked.at(0).at(0).toInt()));
    }

    void csvFile_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QString>("separator");
        QTest::newRow("UTF-8 ;") << "UTF-8" << ";";
        QTest::newRow("Windows-1250 ,") << "WIN-1250" << ",";
    }
    void csvFile()
    {
        QFETCH(QString, codec);
        QFETCH(QString, separator);
        QList<Contract> all;
        QString error;
        QVERIFY(read(Visibility::everything(), Filter(), &all, &error));
        const CsvExport::CsvOptions o{separator.at(0), QStringLiteral("dd.MM.yyyy"), codec, true, false, false};
        QStringList lossy;
        const QByteArray bytes = csv(all, o, &lossy);
        QVERIFY(lossy.isEmpty());
        const QString text = QTextCodec::codecForName(codec == "UTF-8" ? "UTF-8" : "Windows-1250")->toUnicode(bytes);
        // The titles, then a line per contract; each field ends with the separator, quoted if it holds one.
        QCOMPARE(text.count(QStringLiteral("\r\n")), all.size() + 1);
        QVERIFY(text.startsWith(titles().join(separator) + separator + "\r\n"));
        const QStringList third{"", "S-3", "ZD Cé", "01.03.2025", "299.5", "czk ", "", "", "", "", "", "01.02.2025",
                                "\"Žluťoučký; \"\"kůň\"\"\""};
        QVERIFY2(text.contains("\r\n" + third.join(separator) + separator + "\r\n"), qPrintable(text));
    }
};

ZRN_TEST_MAIN(TstFakturace)
#include "tst_fakturace.moc"
