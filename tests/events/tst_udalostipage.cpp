#include "core/session.h"
#include "core/usersettings.h"
#include "app/windowlayout.h"
#include "events/udalostipage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeView>
#include <QtTest>

#include "support/testmain.h"
#include <functional>

class TstUdalostiPage : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_page = new UdalostiPage(&m_session); }
    void cleanup() { delete m_page; }
    void listColumns();
    void optionalWidgetsFollowCombos_data();
    void optionalWidgetsFollowCombos();
    void editsEnableSave();
    void splittersAreSaved();

private:
    template <typename T> T *child(const QString &name) const
    {
        T *w = m_page->findChild<T *>(name);
        if (!w)
            qFatal("no %s", qPrintable(name));
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
}

void TstUdalostiPage::optionalWidgetsFollowCombos_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("hidden");
    const QStringList notify{"lupozornit2", "upozornit"}, labels{"lzacatek2", "lkonec2"}, editors{"uzacatek", "ukonec"};
    QTest::newRow("Nespecifikováno") << "cbStav" << 0 << QStringList() << notify;
    QTest::newRow("Nahlášeno") << "cbStav" << 1 << notify << QStringList();
    QTest::newRow("Rozpracováno") << "cbStav" << 2 << notify << QStringList();
    QTest::newRow("Uzavřeno") << "cbStav" << 3 << QStringList() << notify;
    QTest::newRow("Žádná") << "cbSynchronizace" << 0 << QStringList() << labels + editors;
    QTest::newRow("Kalendář") << "cbSynchronizace" << 1 << labels + editors << QStringList();
    QTest::newRow("2: labels only") << "cbSynchronizace" << 2 << labels << editors;
}

void TstUdalostiPage::optionalWidgetsFollowCombos()
{
    QFETCH(QString, combo);
    QFETCH(int, index);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, hidden);
    for (const QString &name : shown + hidden)   // hidden until the combo asks
        QVERIFY2(child<QWidget>(name)->isHidden(), qPrintable(name));
    auto *box = child<QComboBox>(combo);
    box->setCurrentIndex(1);   // shows everything of the row first
    if (index < box->count())
        box->setCurrentIndex(index);
    else   // synchronisation 2 has no item of its own; the rule still holds
        m_page->onUdalostShowWidgetCalendar(index);
    for (const QString &name : shown)
        QVERIFY2(!child<QWidget>(name)->isHidden(), qPrintable(name));
    for (const QString &name : hidden)
        QVERIFY2(child<QWidget>(name)->isHidden(), qPrintable(name));
    QCOMPARE(child<QLabel>("lupozornit2")->text(), QStringLiteral("Nedokončené od"));
}

void TstUdalostiPage::editsEnableSave()
{
    // Without an event the pane has nothing to save: typing into the empty
    // form enables nothing (the edits of a loaded event are tested with the
    // lists).
    auto *save = child<QPushButton>("udalost_uloz");
    child<QLineEdit>("udalostPredmet")->setText("Dojezd na farmu");
    child<QComboBox>("cbStav")->setCurrentIndex(2);
    child<QTextEdit>("udalostPopis")->setHtml("<b>Kontrola dojírny</b>");
    QVERIFY(!save->isEnabled());
    QVERIFY(!m_page->isDirty());
    m_page->clear();
    QVERIFY(!child<QWidget>("wudalost_vyber")->isHidden());   // the placeholder is back
    QVERIFY(child<QWidget>("wudalost")->isHidden());
    QVERIFY(child<QLineEdit>("udalostPredmet")->text().isEmpty());
    QCOMPARE(child<QComboBox>("cbStav")->currentIndex(), 0);
    QVERIFY(child<QLabel>("lupozornit2")->isHidden());
}

void TstUdalostiPage::splittersAreSaved()
{
    // The window restores splitters by object name; the page's three have their own keys.
    QMainWindow window;
    window.setCentralWidget(new UdalostiPage(&m_session));
    ZrnSettings s;
    WindowLayout::saveSplitters(s, &window);
    for (const char *key : {"splitterNavstevy/state", "splitterUdalost/state", "splitterUdalostPrilohy/state"})
        QVERIFY2(!s.value(key).toByteArray().isEmpty(), key);
}

ZRN_TEST_MAIN(TstUdalostiPage)
#include "tst_udalostipage.moc"
