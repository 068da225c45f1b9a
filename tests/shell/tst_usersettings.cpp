// Options, credentials and filters in an owner-only file; the user page; where the window opens.

#include "app/ownusertab.h"
#include "app/windowlayout.h"
#include "core/session.h"
#include "core/usersettings.h"
#include "events/eventlistfilter.h"
#include "support/testmain.h"

#include <QComboBox>

class TstUserSettings : public QObject
{
    Q_OBJECT
private slots:
    void init() { QFile::remove(ZrnSettings::path()); }

    void roundTripInAnOwnerOnlyFile()
    {
        UserOptions o;
        o.nextcloud = QStringLiteral("/home/jana/Nextcloud, firemní");
        o.kategorie = true;
        o.kategorieIdx = 5;
        o.schranka = true;
        o.z = QStringList{"podpora@example.cz", "", "servis@example.cz", "a,b", "Žluťoučký", "6"};
        EventListFilter f;
        f.unfinished = true;
        f.categories = QStringLiteral("8,32");
        f.persons = QStringLiteral("none");
        f.furtherPersons = QStringLiteral("a@example.cz,b@example.cz");
        EventListFilter page;
        page.categories = QStringLiteral("256");
        const auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther
            | QFileDevice::WriteOther;
        for (int round = 0; round < 2; ++round) {
            {
                ZrnSettings s;
                o.save(s);
                f.save(s, true);
                page.save(s, false);
                SavedCredentials{QStringLiteral("o'neil"), QStringLiteral("heslo; = \"x\"")}.save(s);
            }
            // The file holds the password: owner only, even after opened up by hand (second round).
            QFile file(ZrnSettings::path());
            QCOMPARE(file.permissions() & (ownerOnly | others), ownerOnly);
            QVERIFY(file.setPermissions(ownerOnly | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        }
        ZrnSettings s;
        QCOMPARE(UserOptions::load(s), o);
        QCOMPARE(EventListFilter::load(s, true), f);
        QCOMPARE(EventListFilter::load(s, false), page);
        const SavedCredentials c = SavedCredentials::load(s);
        QCOMPARE(QStringList({c.login, c.password}), QStringList({"o'neil", "heslo; = \"x\""}));
    }

    void userTabKeepsOptionsAndChoosesRoot()
    {
        Session session;
        OwnUserTab tab(&session);
        UserOptions o;
        o.nextcloud = "/data/Nextcloud";
        o.kategorie = true;
        o.kategorieIdx = 2;
        o.schranka = true;
        o.z = QStringList{"1", "2", "3", "4", "5", "6"};
        tab.setOptions(o);
        QCOMPARE(session.addressees, o.z);
        QCOMPARE(session.documentRoot, o.nextcloud);
        QVERIFY(session.copyNameToClipboard);
        // The pre-filled category is the code of the chosen item, not its index.
        auto *categories = tab.findChild<QComboBox *>(QStringLiteral("uKategorie_cb"));
        QCOMPARE(session.defaultCategory, categories->itemData(2));
        // An index the list does not have falls back to the first item.
        o.kategorieIdx = 500;
        tab.setOptions(o);
        QCOMPARE(tab.options().kategorieIdx, 0);
        // Cancelling the chooser hands back the current root.
        QStringList offered;
        QString answer = "/data/Nextcloud";
        tab.setDirectoryChooser([&](QWidget *, const QString &current) {
            offered << current;
            return answer;
        });
        tab.vyber_nextcloud();
        answer = "/home/jana/Nextcloud";
        tab.vyber_nextcloud();
        QCOMPARE(offered, QStringList({"/data/Nextcloud", "/data/Nextcloud"}));
        QCOMPARE(tab.options().nextcloud, answer);
        QCOMPARE(session.documentRoot, answer);
    }

    void windowFitsTheScreen_data()
    {
        // Available areas (a task bar takes 40 pixels); no stored geometry: the first start.
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("primary");
        QTest::addColumn<QRect>("second");
        QTest::addColumn<QRect>("opens");
        QTest::addColumn<bool>("maximised");
        const QRect laptop(0, 0, 1366, 728), fullHd(0, 0, 1920, 1040), beside(1366, 0, 1920, 1040);
        QTest::newRow("first start 1366x768") << QRect() << laptop << QRect() << QRect(34, 18, 1298, 692) << true;
        QTest::newRow("first start full HD") << QRect() << fullHd << QRect() << QRect(48, 26, 1824, 988) << true;
        QTest::newRow("first start 2560x1440: centred full HD")
            << QRect() << QRect(0, 0, 2560, 1400) << QRect() << QRect(320, 160, 1920, 1080) << false;
        QTest::newRow("stored and on the screen") << QRect(100, 80, 1000, 600) << laptop << QRect() << QRect(100, 80, 1000, 600);
        QTest::newRow("larger than the screen") << QRect(0, 0, 1920, 1080) << laptop << QRect() << laptop;
        QTest::newRow("off the right edge") << QRect(1500, 100, 800, 600) << laptop << QRect() << QRect(566, 100, 800, 600);
        QTest::newRow("partly above and left") << QRect(-200, -50, 800, 600) << laptop << QRect() << QRect(0, 0, 800, 600);
        QTest::newRow("external monitor gone") << QRect(2000, 50, 1600, 900) << laptop << QRect() << laptop;
        QTest::newRow("on the external monitor")
            << QRect(1500, 100, 1200, 800) << laptop << beside << QRect(1500, 100, 1200, 800);
        QTest::newRow("mostly on the external monitor, too tall")
            << QRect(1300, 0, 1200, 1200) << laptop << beside << QRect(1366, 0, 1200, 1040);
    }
    void windowFitsTheScreen()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, primary);
        QFETCH(QRect, second);
        QFETCH(QRect, opens);
        QVector<QRect> screens{primary, second};
        screens.removeAll(QRect()); // one screen only
        if (stored.isValid()) {
            QCOMPARE(WindowLayout::fitToScreens(stored, screens), opens);
            return;
        }
        QFETCH(bool, maximised);
        const WindowLayout::Placement p = WindowLayout::firstPlacement(primary);
        QCOMPARE(qMakePair(p.geometry, p.maximised), qMakePair(opens, maximised));
    }
};

ZRN_TEST_MAIN(TstUserSettings)
#include "tst_usersettings.moc"
