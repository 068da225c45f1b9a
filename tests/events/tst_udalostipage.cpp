#include "app/session.h"
#include "app/settingskeys.h"
#include "app/usersettings.h"
#include "app/viewstate.h"
#include "app/windowlayout.h"
#include "events/udalostipage.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTextEdit>
#include <QTimeEdit>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

class TstUdalostiPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_page = new UdalostiPage(&m_session); }
    void cleanup() { delete m_page; }
    void listColumns();
    void notifyFromFollowsState_data();
    void notifyFromFollowsState();
    void calendarFollowsSynchronisation_data();
    void calendarFollowsSynchronisation();
    void editsEnableSave_data();
    void editsEnableSave();
    void collapseAndExpand();
    void layoutSurvivesRestart();

private:
    template <typename T> T *child(const char *name) const
    {
        T *w = m_page->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }
    Session m_session;
    UdalostiPage *m_page = nullptr;
};

void TstUdalostiPage::listColumns()
{
    const QStringList expected = {"Podnik/Středisko", "Předmět", "Datum/z.", "Datum/k.", "Zd.", "Kat.",
                                  "St.", "Pr.", "OO", "Syn", "C", "Hash", "ID", "ID parent",
                                  "id_podnik", "id_stredisko"};
    auto *view = child<QTreeView>("treeViewUdalosti");
    QStringList headers;
    for (int c = 0; c < view->model()->columnCount(); ++c) {
        headers << view->model()->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(view->isColumnHidden(c), c >= 12);
    }
    QCOMPARE(headers, expected);
    QVERIFY(view->model() != m_page->model());   // the proxy sits between
}

void TstUdalostiPage::notifyFromFollowsState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("shown");
    QTest::newRow("Nespecifikováno") << 0 << false;
    QTest::newRow("Nahlášeno") << 1 << true;
    QTest::newRow("Rozpracováno") << 2 << true;
    QTest::newRow("Uzavřeno") << 3 << false;
}

void TstUdalostiPage::notifyFromFollowsState()
{
    QFETCH(int, state);
    QFETCH(bool, shown);
    QVERIFY(child<QLabel>("lupozornit2")->isHidden());   // hidden until the state asks
    child<QComboBox>("cbStav")->setCurrentIndex(2);
    child<QComboBox>("cbStav")->setCurrentIndex(state);
    QCOMPARE(child<QLabel>("lupozornit2")->text(), QStringLiteral("Nedokončené od"));
    QCOMPARE(!child<QLabel>("lupozornit2")->isHidden(), shown);
    QCOMPARE(!child<QFDateEdit>("upozornit")->isHidden(), shown);
}

void TstUdalostiPage::calendarFollowsSynchronisation_data()
{
    QTest::addColumn<int>("synchronisation");
    QTest::addColumn<bool>("labels");
    QTest::addColumn<bool>("editors");
    QTest::newRow("Žádná") << 0 << false << false;
    QTest::newRow("Kalendář") << 1 << true << true;
    QTest::newRow("2: labels only") << 2 << true << false;
}

void TstUdalostiPage::calendarFollowsSynchronisation()
{
    QFETCH(int, synchronisation);
    QFETCH(bool, labels);
    QFETCH(bool, editors);
    for (const char *name : {"lzacatek2", "lkonec2", "uzacatek", "ukonec"})
        QVERIFY2(child<QWidget>(name)->isHidden(), name);
    auto *combo = child<QComboBox>("cbSynchronizace");
    combo->setCurrentIndex(1);
    if (synchronisation < combo->count())
        combo->setCurrentIndex(synchronisation);
    else   // no item of its own; the rule still holds for the value
        m_page->onUdalostShowWidgetCalendar(synchronisation);
    QCOMPARE(!child<QLabel>("lzacatek2")->isHidden(), labels);
    QCOMPARE(!child<QLabel>("lkonec2")->isHidden(), labels);
    QCOMPARE(!child<QWidget>("uzacatek")->isHidden(), editors);
    QCOMPARE(!child<QWidget>("ukonec")->isHidden(), editors);
}

void TstUdalostiPage::editsEnableSave_data()
{
    QTest::addColumn<QString>("field");
    for (const char *f : {"udalostPredmet", "cprojektu", "cbStav", "cbKategorie", "cbNotifikaceF", "cbCesta",
                          "udalostPopis", "uzd", "ukc", "uoo"})
        QTest::newRow(f) << QString::fromLatin1(f);
}

void TstUdalostiPage::editsEnableSave()
{
    QFETCH(QString, field);
    auto *save = child<QPushButton>("udalost_uloz");
    QVERIFY(!save->isEnabled());
    QWidget *w = m_page->findChild<QWidget *>(field);
    QVERIFY(w);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText("Dojezd na farmu");
    else if (auto *c = qobject_cast<QComboBox *>(w))
        c->setCurrentIndex(2);
    else if (auto *b = qobject_cast<QCheckBox *>(w))
        b->setChecked(true);
    else if (auto *t = qobject_cast<QTextEdit *>(w))
        t->setHtml("<b>Kontrola dojírny</b>");
    else if (auto *d = qobject_cast<QFDateEdit *>(w))
        d->setDate(QDate(2024, 5, 2));
    else if (auto *tm = qobject_cast<QTimeEdit *>(w))
        tm->setTime(QTime(9, 30));
    else if (auto *o = qobject_cast<QFEditWithButton *>(w))
        o->setText("Jan Novák");
    QVERIFY(save->isEnabled());

    // Emptying the pane is no edit: the placeholder is back and nothing to save.
    m_page->clear();
    QVERIFY(!save->isEnabled());
    QVERIFY(!child<QWidget>("wudalost_vyber")->isHidden());
    QVERIFY(child<QWidget>("wudalost")->isHidden());
    QVERIFY(child<QLineEdit>("udalostPredmet")->text().isEmpty());
    QCOMPARE(child<QComboBox>("cbStav")->currentIndex(), 0);
    QVERIFY(child<QLabel>("lupozornit2")->isHidden());
    QVERIFY(!m_page->isDirty());   // the register tab never asks about the pane
}

void TstUdalostiPage::collapseAndExpand()
{
    auto *root = new QStandardItem("Farma Lhota");
    root->appendRow(new QStandardItem("Odpověď"));
    m_page->model()->appendRow(root);
    auto *view = child<QTreeView>("treeViewUdalosti");
    const QModelIndex first = view->model()->index(0, 0);
    child<QToolButton>("uexpand")->click();
    QVERIFY(view->isExpanded(first));
    child<QToolButton>("ucollapse")->click();
    QVERIFY(!view->isExpanded(first));
    m_page->load();   // a reload starts with an empty list
    QCOMPARE(m_page->model()->rowCount(), 0);
}

void TstUdalostiPage::layoutSurvivesRestart()
{
    // The window keeps the splitters and the list's columns by object name.
    using namespace SettingsKeys;
    QByteArray saved;
    {
        QMainWindow window;
        auto *page = new UdalostiPage(&m_session);
        window.setCentralWidget(page);
        window.resize(1200, 800);
        window.show();
        page->findChild<QSplitter *>("splitter_2")->setSizes({700, 500});
        page->view()->header()->resizeSection(1, 321);
        page->view()->sortByColumn(2, Qt::DescendingOrder);
        saved = page->findChild<QSplitter *>("splitter_2")->saveState();
        ZrnSettings s;
        WindowLayout::saveSplitters(s, &window);
        saveViewState(s, QLatin1String(ViewUdalosti.prefix),
                      window.findChild<QTreeView *>(QLatin1String(ViewUdalosti.objectName))->header());
        for (const char *key : {"splitterNavstevy/state", "splitterUdalost/state", "splitterUdalostPrilohy/state"})
            QVERIFY2(!s.value(key).toByteArray().isEmpty(), key);
    }
    QMainWindow window;
    auto *page = new UdalostiPage(&m_session);
    window.setCentralWidget(page);
    ZrnSettings s;
    WindowLayout::restoreSplitters(s, &window);
    restoreViewState(s, QLatin1String(ViewUdalosti.prefix), page->view()->header());
    QCOMPARE(page->findChild<QSplitter *>("splitter_2")->saveState(), saved);
    QCOMPARE(page->view()->header()->sectionSize(1), 321);
    QCOMPARE(page->view()->header()->sortIndicatorSection(), 2);
    QCOMPARE(page->view()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
}

QTEST_MAIN(TstUdalostiPage)
#include "tst_udalostipage.moc"
