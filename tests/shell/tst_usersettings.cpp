// The settings store of the program: user options, credentials and filters
// survive a restart; a missing, hand-edited or damaged file gives the
// defaults; the file holding the password is readable by its owner only;
// column widths/sort and the window layout come back.

#include "app/session.h"
#include "app/settingskeys.h"
#include "app/usersettings.h"
#include "app/usertab.h"
#include "app/viewstate.h"
#include "app/windowlayout.h"

#include <QFile>
#include <QComboBox>
#include <QHeaderView>
#include <QMainWindow>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

namespace {

void writeRawFile(const QByteArray &content)
{
    QFile f(ZrnSettings::path());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(content);
}

QStandardItemModel *fourColumns(QObject *parent)
{
    auto *m = new QStandardItemModel(0, 4, parent);
    m->setHorizontalHeaderLabels({"A", "B", "C", "D"});
    const QStringList rows[] = {{"b", "2", "x", "1"}, {"a", "3", "z", "2"}, {"c", "1", "y", "3"}};
    for (const QStringList &r : rows) {
        QList<QStandardItem *> items;
        for (const QString &t : r)
            items << new QStandardItem(t);
        m->appendRow(items);
    }
    return m;
}

struct View {
    QTreeView view;
    QSortFilterProxyModel proxy;
    explicit View()
    {
        proxy.setSourceModel(fourColumns(&proxy));
        view.setModel(&proxy);
        view.setSortingEnabled(true);
    }
    QString firstCell(int column) const { return proxy.index(0, column).data().toString(); }
};

} // namespace

class TstUserSettings : public QObject
{
    Q_OBJECT
private slots:
    void init() { QFile::remove(ZrnSettings::path()); }

    void firstStartGivesDefaults();
    void optionsCredentialsAndFiltersRoundTrip();
    void handEditedValuesFallBackToDefaults_data();
    void handEditedValuesFallBackToDefaults();
    void garbageFileGivesDefaults();
    void fileIsReadableByOwnerOnly();
    void viewStateRoundTrip();
    void viewStateIgnoresZeroHugeAndOutOfRange();
    void layoutRoundTrip();
    void layoutSkipsMissingSplittersAndBadTabIndices();
    void userTabKeepsOptionsAndChoosesRoot();
};

void TstUserSettings::firstStartGivesDefaults()
{
    ZrnSettings s;
    const UserOptions o = UserOptions::load(s);
    QCOMPARE(o, UserOptions());
    QVERIFY(o.nextcloud.isEmpty());
    QVERIFY(!o.kategorie && !o.schranka);
    QCOMPARE(o.kategorieIdx, 0);
    const SavedCredentials c = SavedCredentials::load(s);
    QVERIFY(c.login.isEmpty() && c.password.isEmpty());
    QCOMPARE(EventFilters::load(s), EventFilters());
}

void TstUserSettings::optionsCredentialsAndFiltersRoundTrip()
{
    UserOptions o;
    o.nextcloud = QStringLiteral("/home/jana/Nextcloud, firemní");
    o.kategorie = true;
    o.kategorieIdx = 5;
    o.schranka = true;
    o.z = QStringList{"podpora@example.cz", "", "servis@example.cz", "a,b", "Žluťoučký", "6"};
    EventFilters f;
    f.nedokoncene = true;
    f.skategorie = QStringLiteral("8,32");
    f.soo = QStringLiteral("none");
    f.sooDalsi = QStringLiteral("a@example.cz,b@example.cz");
    f.kategorie = QStringLiteral("256");
    {
        ZrnSettings s;
        o.save(s);
        f.save(s);
        SavedCredentials{QStringLiteral("o'neil"), QStringLiteral("heslo; = \"x\"")}.save(s);
    }
    ZrnSettings s;
    QCOMPARE(UserOptions::load(s), o);
    QCOMPARE(EventFilters::load(s), f);
    const SavedCredentials c = SavedCredentials::load(s);
    QCOMPARE(c.login, QStringLiteral("o'neil"));
    QCOMPARE(c.password, QStringLiteral("heslo; = \"x\""));
}

void TstUserSettings::handEditedValuesFallBackToDefaults_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("index not a number") << QByteArray("[user]\nkategorie_idx=abc\n");
    QTest::newRow("index huge") << QByteArray("[user]\nkategorie_idx=99999999999999999999\n");
    QTest::newRow("index negative") << QByteArray("[user]\nkategorie_idx=-4\n");
    QTest::newRow("bool garbage") << QByteArray("[user]\nkategorie=maybe\nschranka=@ByteArray(\\x1)\n");
    QTest::newRow("list where text expected") << QByteArray("[user]\nnextcloud=\n");
}

void TstUserSettings::handEditedValuesFallBackToDefaults()
{
    QFETCH(QByteArray, line);
    writeRawFile(line);
    ZrnSettings s;
    const UserOptions o = UserOptions::load(s);
    QCOMPARE(o.kategorieIdx, 0);
    QVERIFY(!o.kategorie);
    QVERIFY(!o.schranka);
    QVERIFY(o.nextcloud.isEmpty());
}

void TstUserSettings::garbageFileGivesDefaults()
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 7919) % 256));
    writeRawFile(junk);
    ZrnSettings s;
    QCOMPARE(UserOptions::load(s), UserOptions());
    QCOMPARE(EventFilters::load(s), EventFilters());
    QTreeView view;
    restoreViewState(s, QStringLiteral("tableUser"), view.header());
}

void TstUserSettings::fileIsReadableByOwnerOnly()
{
    const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
        | QFileDevice::WriteOther;
    {
        ZrnSettings s;
        SavedCredentials{"jana", "tajne"}.save(s);
    }
    QFile f(ZrnSettings::path());
    QVERIFY(f.exists());
    QCOMPARE(f.permissions() & others, QFileDevice::Permissions());
    QVERIFY((f.permissions() & ownerOnly) == ownerOnly);

    // A file made readable by hand is closed again on the next write.
    QVERIFY(f.setPermissions(ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
    {
        ZrnSettings s;
        SavedCredentials{"jana", "jine"}.save(s);
    }
    QCOMPARE(QFile(ZrnSettings::path()).permissions() & others, QFileDevice::Permissions());
}

void TstUserSettings::viewStateRoundTrip()
{
    {
        View v;
        v.view.header()->resizeSection(0, 210);
        v.view.header()->resizeSection(2, 77);
        v.view.sortByColumn(1, Qt::DescendingOrder);
        QCOMPARE(v.firstCell(1), QStringLiteral("3"));
        ZrnSettings s;
        saveViewState(s, QStringLiteral("tableSUdalosti"), v.view.header());
    }
    View restored;
    {
        ZrnSettings s;
        QCOMPARE(s.value("tableSUdalosti/sectionSize0").toInt(), 210);
        QCOMPARE(s.value("tableSUdalosti/sectionSort").toInt(), 1);
        QCOMPARE(s.value("tableSUdalosti/sectionSortOrder").toInt(), int(Qt::DescendingOrder));
        restoreViewState(s, QStringLiteral("tableSUdalosti"), restored.view.header());
    }
    QCOMPARE(restored.view.header()->sectionSize(0), 210);
    QCOMPARE(restored.view.header()->sectionSize(2), 77);
    QCOMPARE(restored.proxy.sortColumn(), 1);
    QCOMPARE(restored.proxy.sortOrder(), Qt::DescendingOrder);
    QCOMPARE(restored.view.header()->sortIndicatorSection(), 1);
    QCOMPARE(restored.view.header()->sortIndicatorOrder(), Qt::DescendingOrder);
    QCOMPARE(restored.firstCell(1), QStringLiteral("3"));
}

void TstUserSettings::viewStateIgnoresZeroHugeAndOutOfRange()
{
    View v;
    const int defaultWidth = v.view.header()->sectionSize(0);
    const int width3 = v.view.header()->sectionSize(3);
    writeRawFile("[tableAccess]\nsectionSize0=0\nsectionSize1=120\nsectionSize3=2147483647\n"
                 "sectionSort=42\nsectionSortOrder=7\n");
    ZrnSettings s;
    restoreViewState(s, QStringLiteral("tableAccess"), v.view.header());
    QCOMPARE(v.view.header()->sectionSize(0), defaultWidth);
    QCOMPARE(v.view.header()->sectionSize(1), 120);
    QCOMPARE(v.view.header()->sectionSize(3), width3);
    QCOMPARE(v.proxy.sortColumn(), 0);
    QCOMPARE(v.proxy.sortOrder(), Qt::AscendingOrder);
    QCOMPARE(v.firstCell(0), QStringLiteral("a"));
}

namespace {
struct Window {
    QMainWindow window;
    QTabWidget *tw;
    QTabWidget *twe;
    QSplitter *splitter;
    QSplitter *splitter4;
    explicit Window(bool withSplitter4 = true)
    {
        window.resize(900, 600);
        tw = new QTabWidget;
        for (int i = 0; i < 5; ++i)
            tw->addTab(new QWidget, QString::number(i));
        twe = new QTabWidget(tw->widget(3));
        for (int i = 0; i < 3; ++i)
            twe->addTab(new QWidget, QString::number(i));
        splitter = new QSplitter(tw->widget(3));
        splitter->setObjectName("splitter");
        splitter->addWidget(new QWidget);
        splitter->addWidget(new QWidget);
        splitter->resize(500, 100);
        splitter4 = nullptr;
        if (withSplitter4) {
            splitter4 = new QSplitter(Qt::Vertical, tw->widget(4));
            splitter4->setObjectName("splitter_4");
            splitter4->addWidget(new QWidget);
            splitter4->addWidget(new QWidget);
            splitter4->resize(100, 400);
        }
        window.setCentralWidget(tw);
    }
};
} // namespace

void TstUserSettings::layoutRoundTrip()
{
    QByteArray splitterState;
    QList<int> splitter4Sizes;
    {
        Window w;
        w.tw->setCurrentIndex(3);
        w.twe->setCurrentIndex(2);
        w.splitter->setSizes({120, 380});
        w.splitter4->setSizes({300, 100});
        splitterState = w.splitter->saveState();
        splitter4Sizes = w.splitter4->sizes();
        w.window.setGeometry(40, 50, 777, 555);
        ZrnSettings s;
        WindowLayout::saveTabs(s, w.tw, w.twe);
        WindowLayout::saveSplitters(s, &w.window);
        WindowLayout::saveGeometry(s, &w.window);
    }
    Window w;
    ZrnSettings s;
    WindowLayout::restoreTabs(s, w.tw, w.twe);
    WindowLayout::restoreSplitters(s, &w.window);
    WindowLayout::restoreGeometry(s, &w.window);
    QCOMPARE(w.tw->currentIndex(), 3);
    QCOMPARE(w.twe->currentIndex(), 2);
    QCOMPARE(w.splitter->saveState(), splitterState);
    QCOMPARE(w.splitter4->sizes(), splitter4Sizes);
    QCOMPARE(w.window.size(), QSize(777, 555));
}

void TstUserSettings::layoutSkipsMissingSplittersAndBadTabIndices()
{
    writeRawFile("[tab]\nindex_main=12\nindex_tellmark=x\n"
                 "[splitter]\nstate=nonsense\n"
                 "[splitterSUdalosti]\nstate=@ByteArray(\\0\\0\\0\\xff)\n"
                 "[window]\ngeometry=garbage\nstate=123\n");
    Window w(false);
    const QList<int> sizes = w.splitter->sizes();
    const QSize size = w.window.size();
    ZrnSettings s;
    WindowLayout::restoreTabs(s, w.tw, w.twe);
    WindowLayout::restoreSplitters(s, &w.window);
    WindowLayout::restoreGeometry(s, &w.window);
    QCOMPARE(w.tw->currentIndex(), 0);
    QCOMPARE(w.twe->currentIndex(), 0);
    QCOMPARE(w.splitter->sizes(), sizes);
    QCOMPARE(w.window.size(), size);
}

void TstUserSettings::userTabKeepsOptionsAndChoosesRoot()
{
    Session session;
    UserTab tab(&session);
    UserOptions o;
    o.nextcloud = "/data/Nextcloud";
    o.kategorie = true;
    o.kategorieIdx = 2;
    o.schranka = true;
    o.z = QStringList{"1", "2", "3", "4", "5", "6"};
    tab.setOptions(o);
    QCOMPARE(tab.options(), o);
    QCOMPARE(tab.addressees(), o.z);
    QCOMPARE(session.documentRoot, o.nextcloud);
    QVERIFY(session.copyNameToClipboard);
    // The pre-filled category is the code of the chosen item, not its index.
    QCOMPARE(tab.defaultCategory(), tab.categoryCombo()->itemData(2).toInt());
    QCOMPARE(tab.categoryCombo()->itemText(0), QStringLiteral("Nespecifikováno"));

    // An index the list does not have falls back to the first item.
    o.kategorieIdx = 500;
    tab.setOptions(o);
    QCOMPARE(tab.options().kategorieIdx, 0);

    QStringList offered;
    QString answer = "/data/Nextcloud";
    tab.setDirectoryChooser([&](QWidget *, const QString &current) {
        offered << current;
        return answer;
    });
    tab.vyber_nextcloud(); // cancelled: the chooser hands back the current root
    QCOMPARE(tab.options().nextcloud, QStringLiteral("/data/Nextcloud"));
    answer = "/home/jana/Nextcloud";
    tab.vyber_nextcloud();
    QCOMPARE(offered, QStringList({"/data/Nextcloud", "/data/Nextcloud"}));
    QCOMPARE(tab.options().nextcloud, answer);
    QCOMPARE(session.documentRoot, answer);
}

QTEST_MAIN(TstUserSettings)
#include "tst_usersettings.moc"
