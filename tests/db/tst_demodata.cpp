// The demo data on both backends: the numbers asked for, references that
// hold, threads the event lists can hang up, values the pages' code lists
// know, users that can log in, and the same database for the same seed.

#include "db/bcrypt.h"
#include "db/database.h"
#include "db/demodata.h"
#include "db/qssql.h"
#include "register/specifikace.h"
#include "support/testdb.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlRecord>
#include <QtTest>

namespace {

const int Enterprises = 40;
const int Events = 300;
const int Attachments = 5;

DemoOptions smallScale(quint32 seed = 11)
{
    DemoOptions o;
    o.seed = seed;
    o.enterprises = Enterprises;
    o.events = Events;
    o.attachments = Attachments;
    return o;
}

QVariant scalar(const QString &sql)
{
    QSSQL q;
    if (!q.exec(sql) || !q.next()) {
        qWarning() << sql << q.lastError().text();
        return QVariant();
    }
    return q.value(0);
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

// A digest of the whole demo content, row by row in id order. Password
// hashes are left out: bcrypt salts them at random.
QByteArray contentDigest()
{
    const QStringList statements = {
        QStringLiteral("select * from tellmark_holding order by id"),
        QStringLiteral("select * from tellmark_podniky order by id"),
        QStringLiteral("select * from tellmark_strediska order by id"),
        QStringLiteral("select * from tellmark_strediska_acls order by 1,2"),
        QStringLiteral("select * from tellmark_udalosti order by id"),
        QStringLiteral("select * from tellmark_udalosti_prilohy order by id"),
        QStringLiteral("select id,login,vp,admin,minimal,acls,os,region,udalosti,sestavy,fakturace,cp,"
                       "stredisko_tech_cteni,pristupy from www_users order by id"),
        QStringLiteral("select * from vnc order by id"),
        QStringLiteral("select * from chovatele_data order by id"),
    };
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString &sql : statements) {
        QSqlQuery q(Database::connection());
        if (!q.exec(sql))
            qWarning() << sql << q.lastError().text();
        while (q.next()) {
            const int n = q.record().count();
            for (int c = 0; c < n; ++c) {
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
    void initTestCase();

    void counts();
    void centresBelongToEnterprises();
    void threads();
    void idsGrowWithTime();
    void attachments();
    void gpsInsideCzechRepublic();
    void licenceNumbersInRanges();
    void identificationNumbers();
    void codeListValues_data();
    void codeListValues();
    void eventCodes();
    void czechTextSurvives();
    void users_data();
    void users();
    void assignedCentres();
    void sameSeedSameDatabase();
};

void TestDemoData::initTestCase()
{
    ZRN_OPEN_TEST_DB();
    QString error;
    QVERIFY2(DemoData::seed(smallScale(), &error), qPrintable(error));
}

void TestDemoData::counts()
{
    QCOMPARE(scalar("select count(*) from tellmark_podniky").toInt(), Enterprises);
    QCOMPARE(scalar("select count(*) from tellmark_udalosti").toInt(), Events);
    QCOMPARE(scalar("select count(*) from tellmark_udalosti_prilohy").toInt(), Attachments);

    // One to five centres each, three on average.
    QSSQL q;
    QVERIFY(q.exec("select min(n),max(n),avg(n) from (select count(*) as n from tellmark_strediska group by id_podnik) x"));
    QVERIFY(q.next());
    QVERIFY(q.value(0).toInt() >= 1);
    QVERIFY(q.value(1).toInt() <= 5);
    QVERIFY(q.value(2).toDouble() > 2.0 && q.value(2).toDouble() < 4.0);
    QCOMPARE(scalar("select count(*) from tellmark_podniky p where not exists "
                    "(select 1 from tellmark_strediska s where s.id_podnik=p.id)").toInt(), 0);

    // Holdings group some enterprises, and every link names a holding.
    QVERIFY(scalar("select count(*) from tellmark_podniky where id_holding is not null").toInt() > 0);
    QCOMPARE(scalar("select count(*) from tellmark_podniky p left join tellmark_holding h on h.id=p.id_holding "
                    "where p.id_holding is not null and h.id is null").toInt(), 0);
}

void TestDemoData::centresBelongToEnterprises()
{
    QCOMPARE(scalar("select count(*) from tellmark_strediska s left join tellmark_podniky p on p.id=s.id_podnik "
                    "where p.id is null").toInt(), 0);
    // Centre names repeat across enterprises but not within one.
    QCOMPARE(scalar("select count(*) from (select id_podnik,akce_nazev from tellmark_strediska "
                    "group by id_podnik,akce_nazev having count(*)>1) x").toInt(), 0);
}

void TestDemoData::threads()
{
    // Replies answer an existing, older event and carry no filing of their own.
    QCOMPARE(scalar("select count(*) from tellmark_udalosti r left join tellmark_udalosti p on p.id=r.id_parent "
                    "where r.id_parent is not null and (p.id is null or p.id>=r.id)").toInt(), 0);
    QCOMPARE(scalar("select count(*) from tellmark_udalosti where id_parent is not null "
                    "and (id_podnik is not null or id_strediska is not null)").toInt(), 0);
    QVERIFY(scalar("select count(*) from tellmark_udalosti where id_parent is not null").toInt() > Events / 4);

    // Roots are filed under an existing enterprise or centre; only absences
    // ("Dovolená") stand alone.
    QCOMPARE(scalar("select count(*) from tellmark_udalosti u "
                    "left join tellmark_podniky p on p.id=u.id_podnik "
                    "left join tellmark_strediska s on s.id=u.id_strediska "
                    "where u.id_parent is null and (u.id_podnik is not null and p.id is null "
                    "or u.id_strediska is not null and s.id is null)").toInt(), 0);
    QCOMPARE(scalar("select count(*) from tellmark_udalosti where id_parent is null and id_podnik is null "
                    "and id_strediska is null and kategorie<>8192").toInt(), 0);
    // An event filed under both names the enterprise of that centre.
    QCOMPARE(scalar("select count(*) from tellmark_udalosti u join tellmark_strediska s on s.id=u.id_strediska "
                    "where u.id_podnik is not null and u.id_podnik<>s.id_podnik").toInt(), 0);

    // A reply's subject is its thread's subject.
    QCOMPARE(scalar("select count(*) from tellmark_udalosti r join tellmark_udalosti p on p.id=r.id_parent "
                    "where r.predmet<>p.predmet").toInt(), 0);

    // Soft deletes hit leaves only, so no live event hangs under a deleted one.
    const int deleted = scalar("select count(*) from tellmark_udalosti where smazano=1").toInt();
    QVERIFY(deleted > 0);
    QVERIFY(deleted < Events / 10);
    QCOMPARE(scalar("select count(*) from tellmark_udalosti p join tellmark_udalosti c on c.id_parent=p.id "
                    "where p.smazano=1 and c.smazano=0").toInt(), 0);

    // The thread's state lives on the root; replies store none.
    QCOMPARE(scalar("select count(*) from tellmark_udalosti where id_parent is not null and stav<>0").toInt(), 0);
    QVERIFY(scalar("select count(*) from tellmark_udalosti where id_parent is null and stav in (1,2)").toInt() > 0);
}

void TestDemoData::idsGrowWithTime()
{
    QSSQL q;
    QVERIFY(q.exec("select id,ts_zalozeno,ts_zacatek,ts_modifikovano from tellmark_udalosti order by id"));
    QDateTime previous;
    int rows = 0;
    const QDateTime last(DemoOptions().baseDate.addDays(1), QTime(0, 0));
    while (q.next()) {
        const QDateTime created = q.value(1).toDateTime();
        QVERIFY2(created.isValid(), qPrintable(q.value(0).toString()));
        QVERIFY(q.value(2).toDateTime().isValid());
        QVERIFY(q.value(3).toDateTime() >= created);
        QVERIFY2(created < last, qPrintable(created.toString()));
        if (previous.isValid())
            QVERIFY2(previous <= created, qPrintable(q.value(0).toString()));
        previous = created;
        ++rows;
    }
    QCOMPARE(rows, Events);
}

void TestDemoData::attachments()
{
    QSSQL q;
    QVERIFY(q.exec("select a.nazev_souboru,a.data,u.id,u.smazano from tellmark_udalosti_prilohy a "
                   "left join tellmark_udalosti u on u.id=a.id_udalosti order by a.id"));
    int rows = 0;
    while (q.next()) {
        QVERIFY(q.value(0).toString().contains(QLatin1Char('.')));
        QVERIFY(!q.value(1).toByteArray().isEmpty());
        QVERIFY2(!q.value(2).isNull(), "attachment of a missing event");
        QCOMPARE(q.value(3).toInt(), 0);
        ++rows;
    }
    QCOMPARE(rows, Attachments);
}

void TestDemoData::gpsInsideCzechRepublic()
{
    const QRegularExpression form(QStringLiteral("^(\\d+\\.\\d+),(\\d+\\.\\d+)$"));
    const QStringList values = column("select GPS from tellmark_podniky where GPS is not null union all "
                                      "select GPS from tellmark_strediska where GPS is not null");
    QVERIFY(values.size() > Enterprises);
    for (const QString &v : values) {
        const QRegularExpressionMatch m = form.match(v);
        QVERIFY2(m.hasMatch(), qPrintable(v));
        const double lat = m.captured(1).toDouble();
        const double lon = m.captured(2).toDouble();
        QVERIFY2(lat >= 48.6 && lat <= 51.0, qPrintable(v));
        QVERIFY2(lon >= 12.1 && lon <= 18.8, qPrintable(v));
    }
}

void TestDemoData::licenceNumbersInRanges()
{
    QCOMPARE(scalar("select count(*) from tellmark_strediska where licence_cislo<0 or licence_cislo>=50000").toInt(), 0);
    QCOMPARE(scalar("select count(*) from tellmark_strediska where licence_cislo>0").toInt(),
             scalar("select count(distinct licence_cislo) from tellmark_strediska where licence_cislo>0").toInt());
    // All three products are installed somewhere.
    QVERIFY(scalar("select count(*) from tellmark_strediska where licence_cislo between 1 and 9999").toInt() > 0);
    QVERIFY(scalar("select count(*) from tellmark_strediska where licence_cislo between 10000 and 39999").toInt() > 0);
    QVERIFY(scalar("select count(*) from tellmark_strediska where licence_cislo between 40000 and 49999").toInt() > 0);
    // Paying customers have an installation.
    QVERIFY(scalar("select count(*) from tellmark_podniky where SMLOUVA_FAKTURACE_CASTKA_ROK>0").toInt() > 0);
}

void TestDemoData::identificationNumbers()
{
    // IČO: empty or eight digits whose last one is the modulo-11 check digit.
    for (const QString &ico : column("select ICO from tellmark_podniky union all "
                                     "select ICO from tellmark_strediska where ICO is not null")) {
        if (ico.isEmpty())
            continue;
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{8}$")).match(ico).hasMatch(), qPrintable(ico));
        int sum = 0;
        for (int i = 0; i < 7; ++i)
            sum += ico.at(i).digitValue() * (8 - i);
        QCOMPARE(ico.at(7).digitValue(), (11 - sum % 11) % 10);
    }
    QCOMPARE(scalar("select count(*) from (select ICO from tellmark_podniky where ICO<>'' "
                    "group by ICO having count(*)>1) x").toInt(), 0);
    for (const QString &h : column("select hospodarstvi from tellmark_strediska where hospodarstvi is not null"))
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{7,8}$")).match(h).hasMatch(), qPrintable(h));
    // The KU import finds the farms of the breeders' table by the padded number.
    QVERIFY(scalar("select count(*) from chovatele_data c join tellmark_strediska s "
                   "on lpad(s.hospodarstvi,8,'0')=c.staj_cislo").toInt() > 0);
}

void TestDemoData::codeListValues_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QStringList>("entries");
    const QString s = QStringLiteral("tellmark_strediska");
    const QString p = QStringLiteral("tellmark_podniky");
    const QStringList yesNo = {"Ne", "Ano"};
    const QStringList position = {"Krk", "Noha"};
    QTest::newRow("SST") << s << "SST" << QStringList{"Centrála", "Kravín", "OMD", "Výkrm", "Hlavní zootechnik", "Ekonom"};
    QTest::newRow("SSW") << s << "SSW" << QStringList{"Tellmark", "Fastos 2000", "Fastos 3", "Crystal", "Afifarm", "Dairyplan", "T4C", "Delpro", "Alpro", "Dairymaster", "Herdmetric", "EasyCow", "Smartdairy"};
    QTest::newRow("SDOJPR") << s << "SDOJPR" << QStringList{"Nepropojeno s TM", "Propojeno s TM"};
    QTest::newRow("SDOJ") << s << "SDOJ" << QStringList{"Molvane", "Westfalia", "Lely", "Afikim", "Fullwood", "Boumatic", "Delaval", "Germania", "Dairymaster", "Gascoigne Melotte"};
    QTest::newRow("SDOJTYP") << s << "SDOJTYP" << QStringList{"Rybinová", "Paralelní", "Tandem", "Autotandem", "Kruhová", "Robot"};
    QTest::newRow("SDMM") << s << "SDMM" << QStringList{"Favorit", "Unipuls", "Interpuls"};
    QTest::newRow("SID") << s << "SID" << QStringList{"Žádná", "HDX Molvane", "HDX Delaval", "FDX", "Afikim starý"};
    QTest::newRow("SIDT") << s << "SIDT" << position;
    QTest::newRow("SPAT") << s << "SPAT" << position;
    QTest::newRow("SPA") << s << "SPA" << QStringList{"Žádná", "Molvane", "SCR", "Ovalert", "Afikim", "Nedap", "Dairymaster", "Cow Watch", "Delaval", "Westfalia"};
    QTest::newRow("SPAVYSILAC") << s << "SPAVYSILAC" << QStringList{"Aurel", "Hope", "Lora"};
    QTest::newRow("SSB") << s << "SSB" << yesNo;
    QTest::newRow("SASR") << s << "SASR" << yesNo;
    QTest::newRow("SVAZENI") << s << "SVAZENI" << yesNo;
    QTest::newRow("SAKB") << s << "SAKB" << QStringList{"Ano", "Ukončeno"};
    QTest::newRow("SKU") << s << "SKU" << QStringList{"DKU", "Inplem", "Chovservis", "Reprogen", "Jihočeský chovatel"};
    QTest::newRow("SREP") << s << "SREP" << QStringList{"Molvane", "CRV", "Reprogen", "Jihočeský chovatel", "Natural", "Chovservis", "Plemko", "CBS", "Alta", "Insemina"};
    QTest::newRow("SVYZIVA") << s << "SVYZIVA" << QStringList{"Mikrop"};
    // The veterinarian's name is the program's own choice.
    QTest::newRow("SDOKTOR") << s << "SDOKTOR" << QStringList(Specifikace::codeList(QStringLiteral("SDOKTOR")).mid(1));
    QTest::newRow("SPAZNEHTARI") << s << "SPAZNEHTARI" << QStringList{"Safel"};
    QTest::newRow("SMLEKARNA") << s << "SMLEKARNA" << QStringList{"LKV", "Pragolaktos", "Bechtel", "Madeta", "Olma"};
    QTest::newRow("SVAZENIV") << s << "SVAZENIV" << QStringList{"Trutest", "Form"};
    QTest::newRow("SKV") << s << "SKV" << QStringList{"Siloking", "Trioliet", "Faresin"};
    QTest::newRow("SKVSW") << s << "SKVSW" << QStringList{"Feeding management", "DC - Form 700", "DTM Suite"};
    QTest::newRow("SCH") << s << "SCH" << QStringList{"Serap"};
    QTest::newRow("SCHTYP") << s << "SCHTYP" << QStringList{"300 - tank", "2550 - tank", "4000 - tank", "5200 - tank", "6000 - tank", "7000 - tank", "8000 - tank", "2 x 8000 - tank", "9000 - tank", "10400 - tank", "12000 - tank", "15000 - tank", "2 x 10400 - tank", "2 x 15000 - tank", "25000 - silo", "30000 - silo"};
    QTest::newRow("ZEME") << p << "ZEME" << QStringList{"CZ", "SK", "PL", "RU", "BL"};
    QTest::newRow("SW") << p << "SW" << QStringList{"Tellmark", "Korbanit Skot", "Bravel", "Norvex"};
    QTest::newRow("UE") << p << "UE" << QStringList{"Portál farmáře", "Ekonomický systém", "Zootechnici", "Tellmark", "Norvex", "Bravel"};
    QTest::newRow("UCTO") << p << "UCTO" << QStringList{"Winfas", "Sidus", "Zeis", "Ekosoft", "Bílý motýl"};
    QTest::newRow("O_STAV") << p << "O_STAV" << QStringList{"Rozpracováno", "Poptávka", "Odeslaná nabídka", "Zamítnuto", "Podepsáno", "Vypovězeno"};
    QTest::newRow("O_STAVT") << p << "O_STAVT" << QStringList{"Rozpracováno", "Poptávka", "Odeslaná nabídka", "Zamítnuto", "Podepsáno"};
    QTest::newRow("O_VZTAH_SE_ZAKAZNIKEM") << p << "O_VZTAH_SE_ZAKAZNIKEM" << QStringList{"0", "1", "2", "3", "4", "5"};
    QTest::newRow("O_PRIORITA") << p << "O_PRIORITA" << QStringList{"0", "1", "2", "3", "4", "5"};
}

void TestDemoData::codeListValues()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QStringList, entries);
    // Stored exactly as the entry text (case included); "Neurčeno" is NULL.
    const QStringList stored = ::column(QStringLiteral("select distinct %1 from %2 where %1 is not null").arg(column, table));
    for (const QString &v : stored)
        QVERIFY2(entries.contains(v), qPrintable(column + QStringLiteral(": ") + v));
    if (!entries.isEmpty() && table == QLatin1String("tellmark_podniky"))
        QVERIFY2(!stored.isEmpty(), qPrintable(column));
}

void TestDemoData::eventCodes()
{
    const QStringList categories = {"0", "1", "2", "4", "8", "16", "32", "128", "256", "512", "4096", "8192", "16384"};
    for (const QString &k : column("select distinct kategorie from tellmark_udalosti"))
        QVERIFY2(categories.contains(k), qPrintable(k));
    QCOMPARE(scalar("select count(*) from tellmark_udalosti where stav not between 0 and 3 or priorita not between 0 and 3 "
                    "or zdroj not between 0 and 4 or typ_synchronizace not in (0,1) or cesta not in (0,1) "
                    "or notifikace not in (0,1) or notifikacef not in (0,1) or smazano not in (0,1)").toInt(), 0);
    // Responsible persons: codes and mailboxes joined by "," without spaces.
    const QRegularExpression persons(QStringLiteral("^([A-Z][A-Z]?|[a-z.]+@[a-z.]+)(,([A-Z][A-Z]?|[a-z.]+@[a-z.]+))*$"));
    for (const QString &v : column("select distinct odpovedna_osoba from tellmark_udalosti where odpovedna_osoba is not null "
                                   "union select distinct O_ODPOVEDNA_OSOBA from tellmark_podniky where O_ODPOVEDNA_OSOBA is not null"))
        QVERIFY2(persons.match(v).hasMatch(), qPrintable(v));
    // Region offices: each code of the list is one the program knows.
    const QStringList offices = {"ST", "TA", "LI", "UH", "ZO", "PL", "TM"};
    for (const QString &obr : column("select distinct OBR from tellmark_podniky"))
        for (const QString &code : obr.split(QLatin1Char(',')))
            QVERIFY2(offices.contains(code), qPrintable(obr));
}

void TestDemoData::czechTextSurvives()
{
    // Names with diacritics come back as written (utf8mb4 end to end), and
    // the search without accents finds them.
    const QStringList names = column("select podnik_nazev from tellmark_podniky");
    QCOMPARE(names.size(), Enterprises);
    const QRegularExpression czech(QStringLiteral("[ěščřžýáíéůúťďňĚŠČŘŽÝÁÍÉŮÚ]"));
    int accented = 0;
    for (const QString &n : names)
        accented += n.contains(czech) ? 1 : 0;
    QVERIFY(accented > 0);
    QSSQL q;
    QVERIFY(q.prepare("select count(*) from tellmark_podniky where podnik_nazev=?"));
    q.addBindValue(names.first());
    QVERIFY(q.exec() && q.next());
    QCOMPARE(q.value(0).toInt(), 1);
}

void TestDemoData::users_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("rights");   // admin,os,vp,udalosti,sestavy,fakturace,cp,pristupy,minimal,acls
    QTest::addColumn<bool>("region");
    QTest::newRow("demo: everything") << "demo" << "1,2,2,2,1,3,1,1,0,0" << false;
    QTest::newRow("obchod: own region") << "obchod" << "0,1,1,2,1,1,0,0,0,0" << true;
    QTest::newRow("servis: assigned centres") << "servis" << "0,0,2,2,0,0,0,1,0,1" << false;
    QTest::newRow("minimal: remote access only") << "minimal" << "0,0,1,0,0,0,0,0,1,0" << false;
}

void TestDemoData::users()
{
    QFETCH(QString, login);
    QFETCH(QString, rights);
    QFETCH(bool, region);
    QSSQL q;
    QVERIFY(q.prepare("select password,admin,os,vp,udalosti,sestavy,fakturace,cp,pristupy,minimal,acls,region,stat_zrn_cnt "
                      "from www_users where login=?"));
    q.addBindValue(login);
    QVERIFY(q.exec());
    QVERIFY2(q.next(), qPrintable(login));
    // The login check of the program: the password is the login itself.
    const QByteArray hash = q.value(0).toString().toLatin1();
    QCOMPARE(mcrypt_checkpw(login.toLatin1().constData(), hash.constData()), 0);
    QVERIFY(mcrypt_checkpw("wrong", hash.constData()) != 0);
    QStringList stored;
    for (int c = 1; c <= 10; ++c)
        stored << QString::number(q.value(c).toInt());
    QCOMPARE(stored.join(QLatin1Char(',')), rights);
    QCOMPARE(!q.value(11).toString().isEmpty(), region);
    QCOMPARE(q.value(12).toInt(), 0);
    if (login == QLatin1String("demo")) {
        QCOMPARE(QString::fromLatin1(Database::demoLogin()), login);
        QCOMPARE(mcrypt_checkpw(Database::demoPassword(), hash.constData()), 0);
    }
}

void TestDemoData::assignedCentres()
{
    // Users with acls see assigned centres only: they have some, the pairs
    // name existing rows, and some centres are shared by two users.
    QVERIFY(scalar("select count(*) from tellmark_strediska_acls a join www_users u on u.id=a.id_www_user "
                   "where u.login='servis'").toInt() > 0);
    QCOMPARE(scalar("select count(*) from tellmark_strediska_acls a left join tellmark_strediska s on s.id=a.id_strediska "
                    "left join www_users u on u.id=a.id_www_user where s.id is null or u.id is null or u.acls<=0").toInt(), 0);
    QVERIFY(scalar("select count(*) from (select id_strediska from tellmark_strediska_acls group by id_strediska "
                   "having count(*)>1) x").toInt() > 0);
    // The region-limited user's region has enterprises.
    QVERIFY(scalar("select count(*) from tellmark_podniky p join www_users u on FIND_IN_SET(u.region,p.obr) "
                   "where u.login='obchod'").toInt() > 0);
}

void TestDemoData::sameSeedSameDatabase()
{
    const QByteArray first = contentDigest();
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    QVERIFY2(DemoData::seed(smallScale(), &error), qPrintable(error));
    QCOMPARE(contentDigest().toHex(), first.toHex());

    // Another seed gives another database.
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    DemoOptions other = smallScale(12);
    other.users = false;
    QVERIFY2(DemoData::seed(other, &error), qPrintable(error));
    QVERIFY(contentDigest() != first);
    QCOMPARE(scalar("select count(*) from www_users").toInt(), 0);
    QCOMPARE(scalar("select count(*) from tellmark_podniky").toInt(), Enterprises);
}

QTEST_GUILESS_MAIN(TestDemoData)
#include "tst_demodata.moc"
