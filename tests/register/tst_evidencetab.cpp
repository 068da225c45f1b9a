#include "app/session.h"
#include "db/qssql.h"
#include "register/evidencetab.h"
#include "register/gpspage.h"
#include "register/podnikpage.h"
#include "register/podnikytree.h"
#include "register/strediskopage.h"
#include "support/testdb.h"
#include "ui_podnikpage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

namespace {

QStringList tabNames(const QTabWidget *twe)
{
    QStringList names;
    for (int i = 0; i < twe->count(); ++i)
        names << twe->widget(i)->objectName();
    return names;
}

QString kontakt(int id)
{
    QSSQL q;
    q.prepare(QStringLiteral("select KONTAKT_JMENO from tellmark_podniky where id=?"));
    q.addBindValue(id);
    return q.exec() && q.next() ? q.value(0).toString() : QStringLiteral("<no row>");
}

} // namespace

class TstEvidenceTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void layout();
    void pagesPerRights_data();
    void pagesPerRights();
    void enterpriseSelectionLoadsPages();
    void centreSelectionLoadsPages();
    void tabIsRememberedPerKind();
    void unsavedEditQuestion_data();
    void unsavedEditQuestion();
    void cleanPagesAskNothing();
    void failedSaveKeepsTheRow();
    void rebuildAsksToo();
    void savedCentreUpdatesTreeRow();

private:
    void select(const QVariant &podnik, const QVariant &stredisko);
    PodnikPage *podnikPage() const { return m_tab->findChild<PodnikPage *>(QStringLiteral("tab_podnik")); }

    Session m_session;
    EvidenceTab *m_tab = nullptr;
    int m_questions = 0;
    bool m_answer = false;
    int m_alfa = 0, m_beta = 0, m_farma = 0;
};

void TstEvidenceTab::initTestCase()
{
    ZRN_OPEN_TEST_DB();
}

void TstEvidenceTab::init()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,KONTAKT_JMENO,GPS) values(1,'Agro Alfa','Adam','49.1,15.1')"), &error), qPrintable(error));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,KONTAKT_JMENO) values(2,'Beta statek','Bára')"), &error), qPrintable(error));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,GPS) values(10,1,'Farma Alfa',5,'50.2,14.2')"), &error), qPrintable(error));
    m_alfa = 1;
    m_beta = 2;
    m_farma = 10;

    m_session.user = UserRights();
    m_session.user.id = 1;
    m_session.user.fakturace = 2;
    m_session.user.os = 2;
    m_session.user.udalosti = 1;
    m_session.copyNameToClipboard = false;
    m_session.setSelection(QVariant(), QVariant());

    m_questions = 0;
    m_tab = new EvidenceTab(&m_session);
    m_tab->setSaveQuestion([this](QWidget *) {
        ++m_questions;
        return m_answer;
    });
    m_tab->applyRights();
    m_tab->resize(1200, 800);
    m_tab->show();
    m_tab->refresh();
}

void TstEvidenceTab::cleanup()
{
    delete m_tab;
    m_tab = nullptr;
}

void TstEvidenceTab::select(const QVariant &podnik, const QVariant &stredisko)
{
    QVERIFY(m_tab->tree()->setCurrentRow(podnik, stredisko));
}

void TstEvidenceTab::layout()
{
    auto *splitter = m_tab->findChild<QSplitter *>(QStringLiteral("splitter"));
    QVERIFY(splitter);
    QCOMPARE(splitter->widget(0), static_cast<QWidget *>(m_tab->tree()));
    QCOMPARE(splitter->widget(1), static_cast<QWidget *>(m_tab->innerTabs()));
    QCOMPARE(m_tab->innerTabs()->objectName(), QStringLiteral("twe"));

    // Before any selection only the prompt is there.
    QTabWidget *twe = m_tab->innerTabs();
    QCOMPARE(tabNames(twe), QStringList{QStringLiteral("tab_vyber")});
    QCOMPARE(twe->tabText(0), QStringLiteral("Výběr"));
    auto *hint = twe->widget(0)->findChild<QLabel *>();
    QVERIFY(hint);
    QCOMPARE(hint->text(), QStringLiteral("Vyberte prosím podnik nebo středisko ..."));
}

void TstEvidenceTab::pagesPerRights_data()
{
    QTest::addColumn<int>("minimal");
    QTest::addColumn<int>("vp");
    QTest::addColumn<int>("pristupy");
    QTest::addColumn<int>("udalosti");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("enterprise, plain") << 0 << 0 << 0 << 0 << false << QStringList{"O podniku", "GPS"};
    QTest::newRow("enterprise, events") << 0 << 1 << 1 << 1 << false << QStringList{"O podniku", "GPS", "Události"};
    QTest::newRow("enterprise, minimal") << 1 << 1 << 1 << 1 << false << QStringList{"Výběr"};
    QTest::newRow("centre, plain") << 0 << 0 << 0 << 0 << true << QStringList{"O středisku", "Specifikace", "GPS"};
    QTest::newRow("centre, remote access") << 0 << 1 << 0 << 0 << true
                                           << QStringList{"O středisku", "Specifikace", "Vzdálený přístup", "GPS"};
    QTest::newRow("centre, portals and events") << 0 << 0 << 1 << 2 << true
                                                << QStringList{"O středisku", "Specifikace", "Přístupy", "GPS", "Události"};
    QTest::newRow("centre, everything") << 0 << 1 << 1 << 1 << true
                                        << QStringList{"O středisku", "Specifikace", "Vzdálený přístup", "Přístupy", "GPS", "Události"};
    QTest::newRow("centre, minimal") << 1 << 0 << 0 << 0 << true << QStringList{"Vzdálený přístup"};
}

void TstEvidenceTab::pagesPerRights()
{
    QFETCH(int, minimal);
    QFETCH(int, vp);
    QFETCH(int, pristupy);
    QFETCH(int, udalosti);
    QFETCH(bool, centre);
    QFETCH(QStringList, titles);
    m_session.user.minimal = minimal;
    m_session.user.vp = vp;
    m_session.user.pristupy = pristupy;
    m_session.user.udalosti = udalosti;

    if (centre)
        select(m_alfa, m_farma);
    else
        select(m_alfa, QVariant());

    QTabWidget *twe = m_tab->innerTabs();
    QStringList shown;
    for (int i = 0; i < twe->count(); ++i)
        shown << twe->tabText(i);
    QCOMPARE(shown, titles);
    QCOMPARE(twe->currentIndex(), 0);
    // Each kind of row clears the other id.
    if (centre) {
        QCOMPARE(m_session.s_id_stredisko.toInt(), m_farma);
        QVERIFY(!m_session.s_id_podnik.isValid());
    } else {
        QCOMPARE(m_session.s_id_podnik.toInt(), m_alfa);
        QVERIFY(!m_session.s_id_stredisko.isValid());
    }
}

void TstEvidenceTab::enterpriseSelectionLoadsPages()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("nic"));
    select(m_beta, QVariant());
    QCOMPARE(podnikPage()->form()->ppodnik->text(), QStringLiteral("Beta statek"));
    QCOMPARE(clipboard->text(), QStringLiteral("nic"));

    m_session.copyNameToClipboard = true;
    select(m_alfa, QVariant());
    QCOMPARE(podnikPage()->form()->ppodnik->text(), QStringLiteral("Agro Alfa"));
    QCOMPARE(podnikPage()->form()->kontakt_jmeno->text(), QStringLiteral("Adam"));
    QCOMPARE(clipboard->text(), QStringLiteral("Agro Alfa"));
    auto *gps = m_tab->findChild<GpsPage *>(QStringLiteral("tab_gps"));
    QCOMPARE(gps->coordinatesEdit()->text(), QStringLiteral("49.1,15.1"));
    QVERIFY(!podnikPage()->isDirty());
    QVERIFY(!gps->isDirty());

    // A centre does not touch the clipboard.
    clipboard->setText(QStringLiteral("nic"));
    select(m_alfa, m_farma);
    QCOMPARE(clipboard->text(), QStringLiteral("nic"));
}

void TstEvidenceTab::centreSelectionLoadsPages()
{
    select(m_alfa, m_farma);
    auto *stredisko = m_tab->findChild<StrediskoPage *>(QStringLiteral("tab_stredisko"));
    auto *licence = stredisko->findChild<QLineEdit *>(QStringLiteral("stredisko_licence"));
    QVERIFY(licence);
    QCOMPARE(licence->text(), QStringLiteral("5"));
    auto *gps = m_tab->findChild<GpsPage *>(QStringLiteral("tab_gps"));
    QCOMPARE(gps->coordinatesEdit()->text(), QStringLiteral("50.2,14.2"));
    QVERIFY(!stredisko->isDirty());
    QVERIFY(!gps->isDirty());
}

void TstEvidenceTab::tabIsRememberedPerKind()
{
    QTabWidget *twe = m_tab->innerTabs();
    select(m_alfa, QVariant());
    twe->setCurrentIndex(1); // GPS
    select(m_alfa, m_farma);
    QCOMPARE(twe->currentIndex(), 0);
    twe->setCurrentIndex(2); // centre GPS (no remote access, no portals)
    select(m_beta, QVariant());
    QCOMPARE(twe->currentWidget()->objectName(), QStringLiteral("tab_gps"));
    QCOMPARE(twe->currentIndex(), 1);
    select(m_alfa, m_farma);
    QCOMPARE(twe->currentIndex(), 2);
}

void TstEvidenceTab::unsavedEditQuestion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes saves") << true;
    QTest::newRow("No drops") << false;
}

void TstEvidenceTab::unsavedEditQuestion()
{
    QFETCH(bool, yes);
    m_answer = yes;
    select(m_alfa, QVariant());
    podnikPage()->form()->kontakt_jmeno->setText(QStringLiteral("Adam Nový"));
    QVERIFY(podnikPage()->isDirty());

    select(m_beta, QVariant());
    QCOMPARE(m_questions, 1);
    QCOMPARE(kontakt(m_alfa), yes ? QStringLiteral("Adam Nový") : QStringLiteral("Adam"));
    // Either way the new row is shown, clean.
    QCOMPARE(podnikPage()->form()->ppodnik->text(), QStringLiteral("Beta statek"));
    QVERIFY(!podnikPage()->isDirty());
    QCOMPARE(m_session.s_id_podnik.toInt(), m_beta);

    select(m_alfa, QVariant());
    QCOMPARE(m_questions, 1);
    QCOMPARE(podnikPage()->form()->kontakt_jmeno->text(), yes ? QStringLiteral("Adam Nový") : QStringLiteral("Adam"));
}

void TstEvidenceTab::cleanPagesAskNothing()
{
    select(m_alfa, QVariant());
    select(m_alfa, m_farma);
    select(m_beta, QVariant());
    m_tab->refresh();
    QCOMPARE(m_questions, 0);
}

void TstEvidenceTab::failedSaveKeepsTheRow()
{
    m_answer = true;
    select(m_alfa, QVariant());
    const QModelIndex alfaRow = m_tab->tree()->view()->currentIndex();
    podnikPage()->form()->kontakt_jmeno->setText(QStringLiteral("Adam Nový"));
    QString error;
    QVERIFY2(TestDb::exec(QStringLiteral("drop table tellmark_podniky"), &error), qPrintable(error));

    QString message;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            message = box->text();
            box->accept();
        }
    });
    closer.start(10);
    m_tab->tree()->setCurrentRow(m_beta, QVariant());
    closer.stop();

    QCOMPARE(m_questions, 1);
    QVERIFY2(message.startsWith(QStringLiteral("Chyba:")), qPrintable(message));
    // The edit stays on screen, on its own row, still unsaved.
    QCOMPARE(m_tab->tree()->view()->currentIndex(), alfaRow);
    QCOMPARE(m_session.s_id_podnik.toInt(), m_alfa);
    QCOMPARE(podnikPage()->form()->ppodnik->text(), QStringLiteral("Agro Alfa"));
    QCOMPARE(podnikPage()->form()->kontakt_jmeno->text(), QStringLiteral("Adam Nový"));
    QVERIFY(podnikPage()->isDirty());
    QVERIFY(podnikPage()->form()->podnik_uloz->isEnabled());
    QCOMPARE(m_tab->innerTabs()->currentWidget(), static_cast<QWidget *>(podnikPage()));

    delete m_tab;
    m_tab = nullptr;
    QVERIFY2(TestDb::open(&error), qPrintable(error));
}

void TstEvidenceTab::rebuildAsksToo()
{
    m_answer = false;
    select(m_alfa, QVariant());
    podnikPage()->form()->kontakt_jmeno->setText(QStringLiteral("Adam Nový"));
    m_tab->tree()->onRefreshModelPodnikyStrediska();
    QCOMPARE(m_questions, 1);
    QCOMPARE(kontakt(m_alfa), QStringLiteral("Adam"));
    // The rebuilt tree highlights the row; the pages wait for a selection.
    QCOMPARE(tabNames(m_tab->innerTabs()), QStringList{QStringLiteral("tab_vyber")});
    QCOMPARE(m_session.s_id_podnik.toInt(), m_alfa);
}

void TstEvidenceTab::savedCentreUpdatesTreeRow()
{
    select(m_alfa, m_farma);
    auto *stredisko = m_tab->findChild<StrediskoPage *>(QStringLiteral("tab_stredisko"));
    auto *licence = stredisko->findChild<QLineEdit *>(QStringLiteral("stredisko_licence"));
    licence->setText(QStringLiteral("1234"));
    QTest::mouseClick(stredisko->saveButton(), Qt::LeftButton);
    QVERIFY(!stredisko->isDirty());
    // The row shows the new licence at once, without a rebuild.
    const QModelIndex row = m_tab->tree()->view()->currentIndex();
    QCOMPARE(row.siblingAtColumn(1).data().toString(), QStringLiteral("1234"));
    QCOMPARE(m_questions, 0);
}

QTEST_MAIN(TstEvidenceTab)
#include "tst_evidencetab.moc"
