// The "Sestavy" tab in a real web view (needs a display: Xvfb): the overview
// on the first visit only, markup in names shown as text and never run, a
// report beyond setHtml's limit still shown, printing to a PDF file and a
// failed print reported.

#include "core/session.h"
#include "db/database.h"
#include "db/qssql.h"
#include "outputs/sestavytab.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "support/uitest.h"

#include <QApplication>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QtTest>

namespace {

QString pageText(QWebEngineView *view)
{
    QString text;
    bool done = false;
    view->page()->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    for (int waited = 0; !done && waited < 30000; waited += 50)
        QTest::qWait(50);
    return text;
}

bool addFirm(int id, const QString &name, const QString &region, const QString &note = QString())
{
    QSSQL q;
    q.prepare(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,OBR,SMLOUVA_FAKTURACE_CASTKA_ROK,"
                             "SMLOUVA_POZNAMKA) values(?,?,?,100,?)"));
    q.addBindValue(id);
    q.addBindValue(name);
    q.addBindValue(region);
    q.addBindValue(note);
    QSSQL c;
    c.prepare(QStringLiteral("insert into tellmark_strediska(id_podnik,akce_nazev,licence_cislo) values(?,'s',?)"));
    c.addBindValue(id);
    c.addBindValue(1000 + id);
    return q.exec() && c.exec();
}

} // namespace

class TestSestavyTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init()
    {
        QString e;
        QVERIFY2(TestDb::clear(&e), qPrintable(e));
        m_session.user = UserRights();
    }
    void cleanupTestCase() { TestDb::close(); }

    void overviewOnFirstVisitOnly();
    void markupIsShownNotRun();
    void longReportLoadsFromFile();
    void printsToPdf();
    void failedPrintIsReported();

private:
    Session m_session;
};

void TestSestavyTab::overviewOnFirstVisitOnly()
{
    SestavyTab tab(&m_session);
    tab.resize(900, 700);
    tab.show();
    QSignalSpy built(&tab, &SestavyTab::overviewRequested);
    QSignalSpy loaded(tab.reportView(), &QWebEngineView::loadFinished);
    tab.enter();
    tab.enter();
    QCOMPARE(built.count(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 30000);
    const QString text = pageText(tab.reportView());
    QVERIFY2(text.contains(QStringLiteral("1. Statistiky Tellmarku a Tarva")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Leden ")) || text.contains(QStringLiteral("Prosinec ")));

    // "Domů" builds it again on request.
    tab.findChild<QToolButton *>(QStringLiteral("rep1"))->click();
    QCOMPARE(built.count(), 2);
}

void TestSestavyTab::markupIsShownNotRun()
{
    const QString evil = QStringLiteral("<img src=x onerror=\"document.title='hacked'\"><b>&</td><script>");
    QVERIFY(addFirm(1, evil, QStringLiteral("ST"), evil));
    SestavyTab tab(&m_session);
    tab.resize(900, 700);
    tab.show();
    for (const char *button : {"rep2", "rep3", "rep4"}) {
        QSignalSpy loaded(tab.reportView(), &QWebEngineView::loadFinished);
        tab.findChild<QToolButton *>(QLatin1String(button))->click();
        QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 30000);
        QVERIFY2(pageText(tab.reportView()).contains(evil), button);
        QTest::qWait(200);
        QVERIFY2(tab.reportView()->title() != QLatin1String("hacked"), button);
    }
}

void TestSestavyTab::longReportLoadsFromFile()
{
    // About 3 MB of economic table.
    const QString note(1000, QLatin1Char('n'));
    QVERIFY(Database::beginTransaction());
    for (int i = 1; i <= 2000; ++i)
        QVERIFY(addFirm(i, QStringLiteral("Podnik %1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("ST"), note));
    QVERIFY(Database::commit());

    SestavyTab tab(&m_session);
    tab.resize(900, 700);
    tab.show();
    QSignalSpy loaded(tab.reportView(), &QWebEngineView::loadFinished);
    tab.findChild<QToolButton *>(QStringLiteral("rep2"))->click();
    QVERIFY(tab.shownFromFile());
    QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 60000);
    QVERIFY(loaded.first().first().toBool());
    const QString text = pageText(tab.reportView());
    QVERIFY(text.contains(QStringLiteral("Podnik 0001")));
    QVERIFY(text.contains(QStringLiteral("Podnik 2000")));
    QVERIFY(text.contains(QStringLiteral("Molvane - souhrn")));
    QVERIFY(text.contains(QStringLiteral("200000")));

    // A short report goes back to setHtml.
    tab.onSetSestavaStrediska();
    QVERIFY(!tab.shownFromFile());
}

void TestSestavyTab::printsToPdf()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("sestava.pdf"));
    QVERIFY(addFirm(1, QStringLiteral("Alfa"), QStringLiteral("ST")));
    SestavyTab tab(&m_session);
    tab.resize(900, 700);
    tab.show();
    QSignalSpy loaded(tab.reportView(), &QWebEngineView::loadFinished);
    tab.onSetSestavaPodniky();
    QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 30000);

    int asked = 0;
    int resolution = 0;
    QPageSize::PageSizeId size = QPageSize::Custom;
    tab.setPrinterChooser([&](QPrinter *printer, QWidget *) {
        ++asked;
        resolution = printer->resolution();
        size = printer->pageLayout().pageSize().id();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return true;
    });
    MessageBoxAnswerer boxes;
    tab.findChild<QToolButton *>(QStringLiteral("rep_tisk"))->click();
    QCOMPARE(asked, 1);
    QCOMPARE(resolution, 600);
    QCOMPARE(size, QPageSize::A4);
    QVERIFY2(boxes.messages.isEmpty(), qPrintable(boxes.messages.join('\n')));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(file.size() > 1000);

    // Cancelling the dialog prints nothing.
    QVERIFY(file.remove());
    tab.setPrinterChooser([](QPrinter *, QWidget *) { return false; });
    tab.onPrint();
    QVERIFY(!QFile::exists(pdf));
    QVERIFY(boxes.messages.isEmpty());
}

void TestSestavyTab::failedPrintIsReported()
{
    SestavyTab tab(&m_session);
    tab.resize(900, 700);
    tab.show();
    QSignalSpy loaded(tab.reportView(), &QWebEngineView::loadFinished);
    tab.onSetSestavaStrediska();
    QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0, 30000);
    tab.setPrinterChooser([](QPrinter *printer, QWidget *) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QStringLiteral("/nonexistent-zrn-folder/sestava.pdf"));
        return true;
    });
    MessageBoxAnswerer boxes;
    tab.onPrint();
    QTRY_COMPARE_WITH_TIMEOUT(boxes.messages.size(), 1, 30000);
    QVERIFY2(boxes.messages.first().startsWith(QStringLiteral("Tisk ")), qPrintable(boxes.messages.first()));
}

ZRN_TEST_MAIN(TestSestavyTab)
#include "tst_sestavytab.moc"
