// The "Sestavy" tab in a real web view: the first visit's overview, a report beyond setHtml, printing.

#include "core/session.h"
#include "db/database.h"
#include "outputs/sestavytab.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "support/uitest.h"

#include <QPrinter>
#include <QToolButton>
#include <QWebEngineView>
#include <QtTest>

#include <memory>

namespace {

bool addFirm(int id, const QString &name, const QString &note = QString())
{
    return TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,OBR,SMLOUVA_FAKTURACE_CASTKA_ROK,"
                                       "SMLOUVA_POZNAMKA) values(%1,'%2','ST',100,'%3')").arg(id).arg(name, note))
        && TestDb::exec(QStringLiteral("insert into tellmark_strediska(id_podnik,akce_nazev,licence_cislo) values(%1,'s',%2)")
                            .arg(id).arg(1000 + id));
}

} // namespace

class TestSestavyTab : public QObject
{
    Q_OBJECT

    Session m_session;
    std::unique_ptr<SestavyTab> m_tab;
    QWebEngineView *m_view = nullptr;

    // Presses a report button and waits for the page.
    bool click(const char *button, int ms = 30000)
    {
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_tab->findChild<QToolButton *>(QLatin1String(button))->click();
        return loaded.wait(ms) && loaded.first().first().toBool();
    }
    QString pageText()
    {
        QString text;
        bool done = false;
        m_view->page()->toPlainText([&](const QString &t) {
            text = t;
            done = true;
        });
        (void)QTest::qWaitFor([&] { return done; }, 30000);
        return text;
    }

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init()
    {
        ZRN_CLEAR_TEST_DB();
        m_tab = std::make_unique<SestavyTab>(&m_session);
        m_tab->resize(900, 700);
        m_tab->show();
        m_view = childNamed<QWebEngineView>(m_tab.get(), "webView");
        QVERIFY(m_view);
    }
    void cleanup() { m_tab.reset(); }
    void cleanupTestCase() { TestDb::close(); }

    void overviewOnFirstVisitOnly()
    {
        QSignalSpy built(m_tab.get(), &SestavyTab::overviewRequested);
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_tab->enter();
        m_tab->enter();
        QVERIFY(loaded.wait(30000) && loaded.first().first().toBool());
        QCOMPARE(built.count(), 1);
        const QString text = pageText();
        QVERIFY2(text.contains(QStringLiteral("1. Statistiky Tellmarku a Tarva")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("Leden ")) || text.contains(QStringLiteral("Prosinec ")));
        // "Domů" builds it again on request.
        m_tab->findChild<QToolButton *>(QStringLiteral("rep1"))->click();
        QCOMPARE(built.count(), 2);
    }

    void longReportLoadsFromFile()
    {
        // About 3 MB of economic table: beyond setHtml, so read from a file.
        const QString note(1000, QLatin1Char('n'));
        QVERIFY(Database::beginTransaction());
        for (int i = 1; i <= 2000; ++i)
            QVERIFY(addFirm(i, QStringLiteral("Podnik %1").arg(i, 4, 10, QLatin1Char('0')), note));
        QVERIFY(Database::commit());
        QVERIFY(click("rep2", 60000));
        QVERIFY(m_view->url().isLocalFile());
        const QString text = pageText();
        for (const char *part : {"Podnik 0001", "Podnik 2000", "Molvane - souhrn", "200000"})
            QVERIFY2(text.contains(QLatin1String(part)), part);
        // A short report goes back to setHtml.
        QVERIFY(click("rep3"));
        QVERIFY(!m_view->url().isLocalFile());
    }

    // The printer is asked for A4 at 600 DPI; a cancelled dialog prints nothing, a failed print is reported.
    void print_data()
    {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("folder");   // of the PDF file
        QTest::addColumn<bool>("printed");
        QTest::newRow("to a PDF file") << true << "" << true;
        QTest::newRow("cancelled") << false << "" << false;
        QTest::newRow("missing folder") << true << "/nonexistent-zrn-folder" << false;
    }
    void print()
    {
        QFETCH(bool, chosen);
        QFETCH(QString, folder);
        QFETCH(bool, printed);
        QTemporaryDir dir;
        const QString pdf = (folder.isEmpty() ? dir.path() : folder) + QStringLiteral("/sestava.pdf");
        QVERIFY(addFirm(1, QStringLiteral("Alfa")));
        QVERIFY(click("rep2"));
        QStringList asked;
        m_tab->setPrinterChooser([&](QPrinter *printer, QWidget *) {
            asked << QStringLiteral("%1 dpi, A4 %2").arg(printer->resolution())
                         .arg(printer->pageLayout().pageSize().id() == QPageSize::A4);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            return chosen;
        });
        MessageBoxAnswerer boxes;
        m_tab->findChild<QToolButton *>(QStringLiteral("rep_tisk"))->click();
        QCOMPARE(asked, QStringList{"600 dpi, A4 1"});
        QFile file(pdf);
        QCOMPARE(file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-" && file.size() > 1000, printed);
        QTRY_COMPARE_WITH_TIMEOUT(boxes.messages.size(), int(chosen && !printed), 30000);
        QVERIFY(boxes.messages.isEmpty() || boxes.messages.first().startsWith(QStringLiteral("Tisk ")));
    }
};

ZRN_TEST_MAIN(TestSestavyTab)
#include "tst_sestavytab.moc"
