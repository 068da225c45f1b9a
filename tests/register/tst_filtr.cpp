// The advanced filter: the condition each criterion adds, what it selects, the stored state,
// and that nothing stored in the settings can widen what a restricted user sees.

#include "core/session.h"
#include "core/settingskeys.h"
#include "core/usersettings.h"
#include "register/dialogfiltr.h"
#include "register/evidencetab.h"
#include "register/filtr.h"
#include "register/podnikytree.h"
#include "register/podnikytreemodel.h"
#include "register/treequery.h"
#include "support/testdb.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSet>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

// Stores the keys in the user's settings; returns the state the dialog reads from them.
Filtr::State store(const QVariantMap &keys)
{
    ZrnSettings s;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        s.setValue(it.key(), it.value());
    return Filtr::State::load(s);
}

// Ids of the enterprises the tree shows for a condition; {-1} when the database refuses it.
QSet<int> shown(const QString &condition)
{
    QSet<int> ids;
    const auto add = [&ids](const PodnikyTreeRow &r) { ids.insert(r.podnikId); };
    if (!runPodnikyTreeQuery(buildTreeQuery(TreeQueryOptions{0, 0, QString(), 0, condition}), add, nullptr))
        return {-1};
    return ids;
}

} // namespace

class TstFiltr : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        QFile::remove(ZrnSettings::path());
        ZRN_SEED("insert into tellmark_holding(id,nazev_holding) values(1,'Jih'),(2,'Sever')",
                 "insert into tellmark_podniky(id,podnik_nazev,id_holding,ico,zeme,obr,sw,o_odpovedna_osoba,dojnice_ks,"
                 "obr_poznamka,o_stav) values"
                 "(1,'Alfa',1,'00012345','CZ','ST','Tellmark Skot','JN,ES',120,'O''Neil','Podepsáno'),"
                 "(2,'Beta',2,'87654321','SK','LI,TA','Bravel','J',40,NULL,NULL),"
                 "(3,'Gama',NULL,NULL,NULL,'TM',NULL,NULL,NULL,NULL,'Rozpracováno'),"
                 "(4,'Delta',1,'11112222','CZ','ST',NULL,'J,ES',300,NULL,NULL)",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,sdoj) values"
                 "(10,1,'Farma A',5,'Lely'),(20,2,'Farma B',0,NULL),(40,4,'Farma D',7,'Delaval')",
                 "insert into tellmark_strediska_acls(id_strediska,id_www_user) values(40,9)");
    }

    void conditionPieces_data()
    {
        QTest::addColumn<QVariantMap>("keys");
        QTest::addColumn<QString>("condition");
        QTest::newRow("nothing ticked") << QVariantMap{{"df/pzeme_cb", 1}} << QString();
        QTest::newRow("holding by index (older settings)") << QVariantMap{{"df/pholding", true}, {"df/pholding_cb", 1}}
                                                           << " hdq.nazev_holding='Jih' ";
        QTest::newRow("holding Neurčeno") << QVariantMap{{"df/pholding", true}, {"df/pholding_cb", 0}}
                                          << " hdq.nazev_holding is null ";
        QTest::newRow("enterprises, junk dropped") << QVariantMap{{"df/ppodniky", true}, {"df/ppodniky_id", "3,x,-1,1) or (1=1,3,7"}}
                                                   << " (pdq.id=3 or pdq.id=7) ";
        QTest::newRow("enterprises, none valid") << QVariantMap{{"df/ppodniky", true}, {"df/ppodniky_id", "0,abc"}} << QString();
        QTest::newRow("IČO quoted") << QVariantMap{{"df/pico", true}, {"df/picoe", "12'3"}} << " pdq.ico like '%12''3%' ";
        QTest::newRow("IČO empty adds nothing") << QVariantMap{{"df/pico", true}, {"df/picoe", ""}} << QString();
        QTest::newRow("country") << QVariantMap{{"df/pzeme", true}, {"df/pzeme_cb", 1}} << " pdq.zeme='CZ' ";
        QTest::newRow("country index 99 adds nothing") << QVariantMap{{"df/pzeme", true}, {"df/pzeme_cb", 99}} << QString();
        QTest::newRow("country by its stored text, not the index")
            << QVariantMap{{"df/pzeme", true}, {"df/pzeme_cb", 2}, {"df/pzeme_cb_text", "CZ"}} << " pdq.zeme='CZ' ";
        QTest::newRow("country text not of the list falls back to the index")
            << QVariantMap{{"df/pzeme", true}, {"df/pzeme_cb", 2}, {"df/pzeme_cb_text", "CZ' or '1'='1"}} << " pdq.zeme='SK' ";
        QTest::newRow("region without a box") << QVariantMap{{"df/pregion", true}} << QString();
        QTest::newRow("breeding software Neurčeno") << QVariantMap{{"df/pchsw", true}, {"df/pchsw_cb", 0}} << " pdq.sw is null ";
        QTest::newRow("technology state") << QVariantMap{{"df/pstavtech", true}, {"df/pstavtech_cb", 2}} << " pdq.o_stavt='Poptávka' ";
        QTest::newRow("breeding organisation") << QVariantMap{{"df/srep", true}, {"df/srep_cb", 2}} << " stq.srep='CRV' ";
        QTest::newRow("breeding software contains") << QVariantMap{{"df/pchsw", true}, {"df/pchsw_cb", 1}} << " pdq.sw like '%Tellmark%' ";
        QTest::newRow("person, whole code") << QVariantMap{{"df/poo", true}, {"df/poo_cb", 1}, {"df/poo_cb_text", "J"}}
                                            << " FIND_IN_SET('J',pdq.o_odpovedna_osoba) ";
        QTest::newRow("cows from") << QVariantMap{{"df/pdojnice_od", true}, {"df/pdojnice_od_ks", " 100 "}} << " pdq.dojnice_ks>=100 ";
        QTest::newRow("cows, not a number") << QVariantMap{{"df/pdojnice_od", true}, {"df/pdojnice_od_ks", "0 or 1=1"}} << QString();
        QTest::newRow("note") << QVariantMap{{"df/ppoznamka", true}, {"df/ppoznamkae", "x"}} << " pdq.obr_poznamka='x' ";
        QTest::newRow("licence") << QVariantMap{{"df/slc", true}} << " (stq.licence_cislo>0) ";
        QTest::newRow("milking parlour Neurčeno") << QVariantMap{{"df/ssdoj", true}} << " stq.sdoj is null ";
        QTest::newRow("combined with and, negated")
            << QVariantMap{{"df/pzeme", true}, {"df/pzeme_cb", 1}, {"df/slc", true}, {"df/pstavsw", true}, {"df/pstavsw_cb", 5},
                           {"df/negace", true}}
            << " ( not ( pdq.zeme='CZ'  and  pdq.o_stav='Podepsáno'  and  (stq.licence_cislo>0) ) )";
        QTest::newRow("negation alone adds nothing") << QVariantMap{{"df/negace", true}} << QString();
    }

    void conditionPieces()
    {
        QFETCH(QVariantMap, keys);
        const Filtr::Lists lists = {[] { return QStringList{"Neurčeno", "Jih"}; },
                                    [] { return QStringList{"Neurčeno", "J", "JN"}; }};
        const auto quote = [](QString text) { return '\'' + text.replace('\'', "''") + '\''; };
        QTEST(Filtr::condition(store(keys), lists, quote), "condition");
    }

    void selection_data()
    {
        QTest::addColumn<QVariantMap>("keys");
        QTest::addColumn<QSet<int>>("enterprises");
        QTest::newRow("no filter") << QVariantMap{} << QSet<int>{1, 2, 3, 4};
        QTest::newRow("country Neurčeno: NULL only") << QVariantMap{{"df/pzeme", true}, {"df/pzeme_cb", 0}} << QSet<int>{3};
        QTest::newRow("regions ST and LI") << QVariantMap{{"df/pregion", true}, {"df/pregion_st", true}, {"df/pregion_li", true}}
                                           << QSet<int>{1, 2, 4};
        QTest::newRow("parlour Neurčeno keeps enterprises without centres")
            << QVariantMap{{"df/ssdoj", true}, {"df/ssdoj_cb", 0}} << QSet<int>{2, 3};
        QTest::newRow("negated licence") << QVariantMap{{"df/slc", true}, {"df/negace", true}} << QSet<int>{2};
        QTest::newRow("person J is not JN") << QVariantMap{{"df/poo", true}, {"df/poo_cb_text", "J"}, {"df/poo_cb", 1}}
                                            << QSet<int>{2, 4};
        QTest::newRow("note with an apostrophe") << QVariantMap{{"df/ppoznamka", true}, {"df/ppoznamkae", "O'Neil"}} << QSet<int>{1};
        QTest::newRow("IČO with leading zeros") << QVariantMap{{"df/pico", true}, {"df/picoe", "0001"}} << QSet<int>{1};
        QTest::newRow("chosen enterprises") << QVariantMap{{"df/ppodniky", true}, {"df/ppodniky_id", "2,4"}} << QSet<int>{2, 4};
        QTest::newRow("holding and cows") << QVariantMap{{"df/pholding", true}, {"df/pholding_cb_text", "Jih"}, {"df/pdojnice_od", true},
                                                         {"df/pdojnice_od_ks", "200"}}
                                          << QSet<int>{4};
        QTest::newRow("holding by its index only (older settings)") << QVariantMap{{"df/pholding", true}, {"df/pholding_cb", 2}}
                                                                   << QSet<int>{2};
        QTest::newRow("sales state") << QVariantMap{{"df/pstavsw", true}, {"df/pstavsw_cb", 1}} << QSet<int>{3};
        QTest::newRow("NUL in a stored text") << QVariantMap{{"df/ppoznamka", true}, {"df/ppoznamkae", QString("x") + QChar(0) + "y"}}
                                              << QSet<int>{};
    }

    void selection()
    {
        QFETCH(QVariantMap, keys);
        QTEST(shown(Filtr::conditionForDatabase(store(keys))), "enterprises");
    }

    void storedTextsCannotWidenARestrictedUser_data()
    {
        QTest::addColumn<int>("acls");
        QTest::addColumn<QString>("region");
        QTest::addColumn<QList<int>>("allowed");
        QTest::newRow("region user (TM)") << 0 << "TM" << QList<int>{3};
        QTest::newRow("user of one centre") << 1 << "" << QList<int>{4};
    }

    void storedTextsCannotWidenARestrictedUser()
    {
        QFETCH(int, acls);
        QFETCH(QString, region);
        QFETCH(QList<int>, allowed);
        // Break-out texts in every stored place; "filtr/sql" is never run.
        store({{SettingsKeys::FiltrSql, "0) or (1=1"}, {"df/ppodniky", true}, {"df/ppodniky_id", "1) or (1=1"},
               {"df/pdojnice_od", true}, {"df/pdojnice_od_ks", "0 or 1=1"}, {"df/pzeme", true}, {"df/pzeme_cb", 99},
               {"df/pico", true}, {"df/picoe", "%') or ('1'='1"}, {"df/pholding", true},
               {"df/pholding_cb_text", "x') union select 1,2,3,4,5,6,7,8,9 -- "}, {"df/negace", true}});
        Session session;
        session.user.id = 9;
        session.user.acls = acls;
        session.user.region = region;
        EvidenceTab tab(&session);
        tab.applyRights();
        tab.restoreAdvancedFilter();
        tab.refresh();
        for (int id : tab.tree()->shownEnterpriseIds())
            QVERIFY2(allowed.contains(id), qPrintable(QStringLiteral("%1 shown").arg(id)));
    }

    void dialogShowsTheLastConfirmation()
    {
        {
            DialogFiltr dlg;
            dlg.findChild<QCheckBox *>(QStringLiteral("pholding"))->setChecked(true);
            dlg.findChild<QComboBox *>(QStringLiteral("pholding_cb"))->setCurrentText(QStringLiteral("Sever"));
            dlg.findChild<QCheckBox *>(QStringLiteral("pdojnice_od"))->setChecked(true);
            auto *cows = dlg.findChild<QLineEdit *>(QStringLiteral("pdojnice_od_ks"));
            QTest::keyClicks(cows, QStringLiteral("12a3"));
            QCOMPARE(cows->text(), QStringLiteral("123")); // digits only
            dlg.findChild<QCheckBox *>(QStringLiteral("pregion_li"))->setChecked(true);
            dlg.saveState();
        }
        {
            // A cancelled dialog changes nothing that is stored.
            DialogFiltr dlg;
            dlg.findChild<QCheckBox *>(QStringLiteral("pregion_li"))->setChecked(false);
            dlg.reject();
        }
        // A holding added in between sorts before "Sever": the stored text, not the index, restores the choice.
        QVERIFY(TestDb::exec(QStringLiteral("insert into tellmark_holding(id,nazev_holding) values(3,'Lesy')")));
        DialogFiltr dlg;
        QVERIFY(dlg.findChild<QCheckBox *>(QStringLiteral("pregion_li"))->isChecked());
        QCOMPARE(Filtr::conditionForDatabase(dlg.state()), QStringLiteral(" hdq.nazev_holding='Sever'  and  pdq.dojnice_ks>=123 "));
    }

    void listThatCannotBeReadKeepsItsChoice()
    {
        store({{"df/pholding", true}, {"df/pholding_cb", 2}, {"df/pholding_cb_text", "Sever"}});
        QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_holding rename to holding_away")));
        const auto restore = qScopeGuard([] { TestDb::exec(QStringLiteral("alter table holding_away rename to tellmark_holding")); });
        MessageBoxAnswerer boxes;
        DialogFiltr dlg;
        QCOMPARE(boxes.messages.size(), 1);
        // The other list is read all the same.
        QVERIFY(dlg.findChild<QComboBox *>(QStringLiteral("poo_cb"))->findText(QStringLiteral("JN")) > 0);
        dlg.saveState();
        const Filtr::State stored = store({});
        QVERIFY(stored.holding.on);
        QCOMPARE(stored.holding.entry, QStringLiteral("Sever"));
    }
};

ZRN_TEST_MAIN(TstFiltr)
#include "tst_filtr.moc"
