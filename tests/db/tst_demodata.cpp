#include "db/bcrypt.h"
#include "db/database.h"
#include "tools/demodata/demodata.h"
#include "tools/demodata/demodata_support.h"
#include "db/qssql.h"
#include "register/specifikace.h"
#include "support/testdb.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QtTest>

#include "support/testmain.h"

#include <climits>

namespace {

const int Enterprises = 40, Events = 300, Attachments = 5;

DemoOptions smallScale(quint32 seed = 11)
{
    DemoOptions o;
    o.seed = seed;
    o.enterprises = Enterprises;
    o.events = Events;
    o.attachments = Attachments;
    return o;
}

QStringList column(const QString &sql)
{
    QStringList out;
    QSSQL q;
    if (!q.exec(sql))
        qWarning() << sql << q.lastError().text();
    while (q.next())
        out << q.value(0).toString();
    return out;
}

// A digest of the whole demo content, row by row in id order (not the password hashes: bcrypt salts at random).
QByteArray contentDigest()
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const char *sql : {"select * from tellmark_holding order by id", "select * from tellmark_podniky order by id",
                            "select * from tellmark_strediska order by id", "select * from tellmark_strediska_acls order by 1,2",
                            "select * from tellmark_udalosti order by id", "select * from tellmark_udalosti_prilohy order by id",
                            "select id,login,vp,admin,minimal,acls,os,region,udalosti,sestavy,fakturace,cp,"
                            "stredisko_tech_cteni,pristupy from www_users order by id",
                            "select * from vnc order by id", "select * from chovatele_data order by id"}) {
        QSqlQuery q(Database::connection());
        if (!q.exec(QString::fromLatin1(sql)))
            qWarning() << sql << q.lastError().text();
        while (q.next()) {
            for (int c = 0, n = q.record().count(); c < n; ++c) {
                const QVariant v = q.value(c);
                hash.addData(v.isNull() ? QByteArray("\x01NULL") : v.toString().toUtf8());
                hash.addData("\x1f", 1);
            }
            hash.addData("\x1e", 1);
        }
    }
    return hash.result();
}

} // namespace

class TestDemoData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        QString error;
        QVERIFY2(DemoData::seed(smallScale(), &error), qPrintable(error));
    }

    void counts_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        const auto none = [](const char *name, const QString &sql) { QTest::newRow(name) << sql << 0 << 0; };
        const auto some = [](const char *name, const QString &sql, int min = 1, int max = INT_MAX) { QTest::newRow(name) << sql << min << max; };

        // The numbers asked for; one to five centres each, three on average.
        some("enterprises", "select count(*) from tellmark_podniky", Enterprises, Enterprises);
        some("events", "select count(*) from tellmark_udalosti", Events, Events);
        some("attachments", "select count(*) from tellmark_udalosti_prilohy", Attachments, Attachments);
        some("centres", "select count(*) from tellmark_strediska", 2 * Enterprises, 4 * Enterprises);
        none("enterprise without centre", "select count(*) from tellmark_podniky p where not exists (select 1 from tellmark_strediska s where s.id_podnik=p.id)");
        none("enterprise with over 5 centres", "select count(*) from (select id_podnik from tellmark_strediska group by id_podnik having count(*)>5) x");
        some("enterprises in holdings", "select count(*) from tellmark_podniky where id_holding is not null");

        // References hold.
        none("missing holding", "select count(*) from tellmark_podniky p left join tellmark_holding h on h.id=p.id_holding where p.id_holding is not null and h.id is null");
        none("centre of a missing enterprise", "select count(*) from tellmark_strediska s left join tellmark_podniky p on p.id=s.id_podnik where p.id is null");
        none("centre name twice in an enterprise", "select count(*) from (select id_podnik,akce_nazev from tellmark_strediska group by id_podnik,akce_nazev having count(*)>1) x");
        none("event under a missing enterprise or centre", "select count(*) from tellmark_udalosti u left join tellmark_podniky p on p.id=u.id_podnik "
             "left join tellmark_strediska s on s.id=u.id_strediska where u.id_podnik is not null and p.id is null or u.id_strediska is not null and s.id is null");
        none("event of a centre names another enterprise", "select count(*) from tellmark_udalosti u join tellmark_strediska s on s.id=u.id_strediska "
             "where u.id_podnik is not null and u.id_podnik<>s.id_podnik");
        // Only absences ("Dovolená") stand alone.
        none("unfiled root", "select count(*) from tellmark_udalosti where id_parent is null and id_podnik is null and id_strediska is null and kategorie<>8192");
        none("attachment of a missing or deleted event", "select count(*) from tellmark_udalosti_prilohy a left join tellmark_udalosti u on u.id=a.id_udalosti "
             "where u.id is null or u.smazano<>0 or a.data is null or a.nazev_souboru not like '%.%'");
        none("assignment of a missing centre or user", "select count(*) from tellmark_strediska_acls a left join tellmark_strediska s on s.id=a.id_strediska "
             "left join www_users u on u.id=a.id_www_user where s.id is null or u.id is null or u.acls<=0");
        some("centres assigned to servis", "select count(*) from tellmark_strediska_acls a join www_users u on u.id=a.id_www_user where u.login='servis'");
        some("enterprises in the region of obchod", "select count(*) from tellmark_podniky p join www_users u on FIND_IN_SET(u.region,p.obr) where u.login='obchod'");
        // GPS as "lat,lon" inside the Czech Republic.
        const QString gps = QStringLiteral("select count(*) from (select gps from tellmark_podniky union all "
                                           "select gps from tellmark_strediska) g where gps is not null");
        some("GPS given", gps, Enterprises + 1);
        none("GPS form or place", gps + " and (gps not like '%.%,%.%' or gps like '% %'"
                                        " or substr(gps,1,instr(gps,',')-1)+0 not between 48.6 and 51.0"
                                        " or substr(gps,instr(gps,',')+1)+0 not between 12.1 and 18.8)");
        some("farms the KU import finds", "select count(*) from chovatele_data c join tellmark_strediska s on lpad(s.hospodarstvi,8,'0')=c.staj_cislo");

        // Threads: replies answer an older event, carry no filing, state or subject of their own; deletes hit leaves.
        some("replies", "select count(*) from tellmark_udalosti where id_parent is not null", Events / 4);
        none("reply to a missing or newer event", "select count(*) from tellmark_udalosti r left join tellmark_udalosti p on p.id=r.id_parent "
             "where r.id_parent is not null and (p.id is null or p.id>=r.id)");
        none("reply filed or with a state", "select count(*) from tellmark_udalosti where id_parent is not null and (id_podnik is not null or id_strediska is not null or stav<>0)");
        none("reply with another subject", "select count(*) from tellmark_udalosti r join tellmark_udalosti p on p.id=r.id_parent where r.predmet<>p.predmet");
        some("deleted", "select count(*) from tellmark_udalosti where smazano=1", 1, Events / 10 - 1);
        none("live reply under a deleted event", "select count(*) from tellmark_udalosti p join tellmark_udalosti c on c.id_parent=p.id where p.smazano=1 and c.smazano=0");
        some("open threads", "select count(*) from tellmark_udalosti where id_parent is null and stav in (1,2)");
        // Ids grow with time, all before the day after the base date.
        none("event created before an older one", "select count(*) from tellmark_udalosti a join tellmark_udalosti b on b.id>a.id where b.ts_zalozeno<a.ts_zalozeno");
        none("event dates", QStringLiteral("select count(*) from tellmark_udalosti where ts_zalozeno is null or ts_zacatek is null "
                                           "or ts_modifikovano<ts_zalozeno or ts_zalozeno>='%1'").arg(DemoOptions().baseDate.addDays(1).toString(Qt::ISODate)));
        none("event codes", "select count(*) from tellmark_udalosti where kategorie not in (0,1,2,4,8,16,32,128,256,512,4096,8192,16384) "
             "or stav not between 0 and 3 or priorita not between 0 and 3 or zdroj not between 0 and 4 or typ_synchronizace not in (0,1) "
             "or cesta not in (0,1) or notifikace not in (0,1) or notifikacef not in (0,1) or smazano not in (0,1)");

        // Licence numbers: below 50000, unique, all three products installed.
        none("licence out of range", "select count(*) from tellmark_strediska where licence_cislo<0 or licence_cislo>=50000");
        none("licence twice", "select count(*) from (select licence_cislo from tellmark_strediska where licence_cislo>0 group by licence_cislo having count(*)>1) x");
        some("licences 1-9999", "select count(*) from tellmark_strediska where licence_cislo between 1 and 9999");
        some("licences 10000-39999", "select count(*) from tellmark_strediska where licence_cislo between 10000 and 39999");
        some("licences 40000-49999", "select count(*) from tellmark_strediska where licence_cislo between 40000 and 49999");
        some("paying customers", "select count(*) from tellmark_podniky where SMLOUVA_FAKTURACE_CASTKA_ROK>0");
    }
    void counts()
    {
        QFETCH(QString, sql);
        QFETCH(int, min);
        QFETCH(int, max);
        const int n = TestDb::value(sql).toInt();
        QVERIFY2(n >= min && n <= max, qPrintable(QStringLiteral("%1 not in %2..%3").arg(n).arg(min).arg(max)));
    }

    void codeListValues_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QStringList>("entries");
        // The technology sheet's lists, "Neurčeno" (stored as NULL) left out.
        for (const QString &c : Specifikace::codeListColumns())
            QTest::newRow(qPrintable(c)) << "tellmark_strediska" << c << QStringList(Specifikace::codeList(c).mid(1));
        const QString p = QStringLiteral("tellmark_podniky");
        const QStringList offer = {"Rozpracováno", "Poptávka", "Odeslaná nabídka", "Zamítnuto", "Podepsáno"};
        QTest::newRow("ZEME") << p << "ZEME" << QStringList{"CZ", "SK", "PL", "RU", "BL"};
        QTest::newRow("SW") << p << "SW" << QStringList{"Tellmark", "Korbanit Skot", "Bravel", "Norvex"};
        QTest::newRow("UCTO") << p << "UCTO" << QStringList{"Winfas", "Sidus", "Zeis", "Ekosoft", "Bílý motýl"};
        QTest::newRow("O_STAV") << p << "O_STAV" << offer + QStringList{"Vypovězeno"};
        QTest::newRow("O_STAVT") << p << "O_STAVT" << offer;
        QTest::newRow("O_PRIORITA") << p << "O_PRIORITA" << QStringList{"0", "1", "2", "3", "4", "5"};
        // Region offices: a list of the codes the program knows.
        QTest::newRow("OBR") << p << "OBR" << QStringList{"ST", "TA", "LI", "UH", "ZO", "PL", "TM"};
    }
    void codeListValues()
    {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(QStringList, entries);
        // Stored exactly as the entry text (case included); "Neurčeno" is NULL.
        const QStringList stored = ::column(QStringLiteral("select distinct %1 from %2 where %1 is not null").arg(column, table));
        for (const QString &v : stored)
            for (const QString &entry : column == QLatin1String("OBR") ? v.split(QLatin1Char(',')) : QStringList{v})
                QVERIFY2(entries.contains(entry), qPrintable(column + QStringLiteral(": ") + v));
        if (table == QLatin1String("tellmark_podniky"))
            QVERIFY2(!stored.isEmpty(), qPrintable(column));
    }

    void responsiblePersons()
    {
        // Responsible persons: codes and mailboxes joined by "," without spaces.
        const QRegularExpression persons(QStringLiteral("^([A-Z][A-Z]?|[a-z.]+@[a-z.]+)(,([A-Z][A-Z]?|[a-z.]+@[a-z.]+))*$"));
        for (const QString &v : column("select distinct odpovedna_osoba from tellmark_udalosti where odpovedna_osoba is not null "
                                       "union select distinct O_ODPOVEDNA_OSOBA from tellmark_podniky where O_ODPOVEDNA_OSOBA is not null"))
            QVERIFY2(persons.match(v).hasMatch(), qPrintable(v));
    }

    void users_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("rights");   // admin,os,vp,udalosti,sestavy,fakturace,cp,pristupy,minimal,acls
        QTest::addColumn<bool>("region");
        QTest::newRow("demo: everything") << "demo" << "1,2,2,2,1,3,1,1,0,0" << false;
        QTest::newRow("obchod: own region") << "obchod" << "0,1,1,2,1,1,0,0,0,0" << true;
        QTest::newRow("servis: assigned centres") << "servis" << "0,0,2,2,0,0,0,1,0,1" << false;
        QTest::newRow("minimal: remote access only") << "minimal" << "0,0,1,0,0,0,0,0,1,0" << false;
    }
    void users()
    {
        QFETCH(QString, login);
        QFETCH(bool, region);
        QSSQL q;
        QVERIFY(q.exec("select password,admin,os,vp,udalosti,sestavy,fakturace,cp,pristupy,minimal,acls,region,stat_zrn_cnt "
                       "from www_users where login=?", {login}));
        QVERIFY2(q.next(), qPrintable(login));
        // The login check of the program: the password is the login itself.
        const QByteArray hash = q.value(0).toString().toLatin1();
        QCOMPARE(mcrypt_checkpw(login.toLatin1().constData(), hash.constData()), 0);
        QVERIFY(mcrypt_checkpw("wrong", hash.constData()) != 0);
        QStringList stored;
        for (int c = 1; c <= 10; ++c)
            stored << QString::number(q.value(c).toInt());
        QTEST(stored.join(QLatin1Char(',')), "rights");
        QCOMPARE(!q.value(11).toString().isEmpty(), region);
        QCOMPARE(q.value(12).toInt(), 0);
        if (login == QLatin1String("demo")) // the login the start-up offers on the embedded file
            QCOMPARE(mcrypt_checkpw(DemoData::demoPassword(), hash.constData()), 0);
    }

    void sameSeedSameDatabase()
    {
        const QByteArray first = contentDigest();
        ZRN_CLEAR_TEST_DB();
        QString error;
        QVERIFY2(DemoData::seed(smallScale(), &error), qPrintable(error));
        QCOMPARE(contentDigest().toHex(), first.toHex());
        // Another seed gives another database.
        ZRN_CLEAR_TEST_DB();
        DemoOptions other = smallScale(12);
        other.users = false;
        QVERIFY2(DemoData::seed(other, &error), qPrintable(error));
        QVERIFY(contentDigest() != first);
        QCOMPARE(TestDb::value("select count(*) from www_users").toInt(), 0);
        QCOMPARE(TestDb::value("select count(*) from tellmark_podniky").toInt(), Enterprises);
    }

    void licencesRunOut()
    {
        // More licensed centres than numbers (a register of 50,000 enterprises): each number once, then none.
        DemoSupport::LicencePool pool;
        DemoSupport::Rng rng(1, 1);
        QSet<int> given;
        int none = 0;
        for (int i = 0; i < 50010; ++i) {
            const int n = pool.take(rng, i % DemoSupport::LicencePool::Ranges);
            none += n == 0 ? 1 : 0;
            if (n != 0 && (n < 1 || n > 49999))
                QFAIL(qPrintable(QString::number(n)));
            given.insert(n);
        }
        QCOMPARE(none, 11);
        QCOMPARE(given.size(), 49999 + 1);
    }
};

ZRN_TEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
