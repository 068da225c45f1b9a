// The DDL on both backends: creating it again changes nothing, every
// statement of the program finds its tables and columns, stored values keep
// their meaning (numbers compare as numbers, dates as dates), the defaults
// the program relies on, the unique login, the control-panel schema, and the
// user-creation core that zrnctl and the demo data use.

#include "programstatements.h"
#include "support/testdb.h"

#include "db/database.h"
#include "db/qssql.h"
#include "db/users.h"
#include "schema/schema.h"

#include <QRegularExpression>
#include <QtTest>

class TestSchema : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void splitStatements_data();
    void splitStatements();
    void tablesOfTheProgram();
    void createAgainKeepsData();
    void programStatements_data();
    void programStatements();
    void valuesKeepTheirMeaning_data();
    void valuesKeepTheirMeaning();
    void textsRoundTrip();
    void defaultsOfNewRows();
    void loginIsUnique();
    void createUserStoresRights();
    void setPassword();
    void controlPanelSchema();
    void missingIndexIsAddedBack();
    void existingIndexUnderOtherNameIsKept();
    void dropAllThenCreate();

private:
    static bool run(const QString &sql, const QVariantList &values = {}, QString *error = nullptr);
    static QVariant scalar(const QString &sql, const QVariantList &values = {});
    static bool indexExists(const QString &table, const QString &name);

    bool m_statementFixture = false;   // rows that programStatements shares
};

bool TestSchema::run(const QString &sql, const QVariantList &values, QString *error)
{
    QSSQL q;
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    const bool ok = q.exec();
    if (!ok && error)
        *error = q.lastError().text();
    return ok;
}

QVariant TestSchema::scalar(const QString &sql, const QVariantList &values)
{
    QSSQL q;
    q.prepare(sql);
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec() || !q.next())
        return QVariant();
    return q.value(0);
}

bool TestSchema::indexExists(const QString &table, const QString &name)
{
    if (Database::isSqlite())
        return scalar(QStringLiteral("select count(*) from sqlite_master where type='index' and tbl_name=? and name=?"),
                      {table, name}).toInt() > 0;
    return scalar(QStringLiteral("select count(*) from information_schema.statistics "
                                 "where table_schema=database() and table_name=? and index_name=?"),
                  {table, name}).toInt() > 0;
}

void TestSchema::initTestCase()
{
    ZRN_OPEN_TEST_DB();
}

void TestSchema::init()
{
    // The statement rows only read or touch no row (ids are NULL), so they
    // share one fixture; clearing every table per row is slow on MariaDB.
    if (m_statementFixture && qstrcmp(QTest::currentTestFunction(), "programStatements") == 0)
        return;
    m_statementFixture = false;
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
}

void TestSchema::splitStatements_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("comments dropped")
        << QStringLiteral("-- header\nCREATE TABLE a (x INT); -- trailing\n-- between\nCREATE INDEX i ON a (x);\n")
        << QStringList{QStringLiteral("CREATE TABLE a (x INT)"), QStringLiteral("CREATE INDEX i ON a (x)")};
    QTest::newRow("comment inside a statement")
        << QStringLiteral("CREATE TABLE a (\n  x INT, -- the x\n  y INT\n);")
        << QStringList{QStringLiteral("CREATE TABLE a (\n  x INT, \n  y INT\n)")};
    QTest::newRow("semicolon and dashes in quotes")
        << QStringLiteral("INSERT INTO a VALUES ('x;y--z');INSERT INTO a VALUES (\"q;\")")
        << QStringList{QStringLiteral("INSERT INTO a VALUES ('x;y--z')"), QStringLiteral("INSERT INTO a VALUES (\"q;\")")};
    QTest::newRow("empty statements skipped") << QStringLiteral(" ;\n;\n-- only a comment\n") << QStringList();
}

void TestSchema::splitStatements()
{
    QFETCH(QString, text);
    QFETCH(QStringList, expected);
    QCOMPARE(Schema::splitStatements(text), expected);
}

void TestSchema::tablesOfTheProgram()
{
    const QStringList tables = Schema::tables();
    const QStringList expected = {
        QStringLiteral("tellmark_holding"), QStringLiteral("tellmark_podniky"), QStringLiteral("tellmark_strediska"),
        QStringLiteral("tellmark_strediska_acls"), QStringLiteral("tellmark_udalosti"),
        QStringLiteral("tellmark_udalosti_prilohy"), QStringLiteral("www_users"), QStringLiteral("logovani"),
        QStringLiteral("vnc"), QStringLiteral("chovatele_data"), QStringLiteral("qml.acl")};
    for (const QString &t : expected)
        QVERIFY2(tables.contains(t), qPrintable(t + QStringLiteral(" missing in ") + tables.join(QLatin1Char(','))));
    QCOMPARE(tables.size(), expected.size());
    // Both DDL files describe the same tables.
    QStringList sqliteTables, mysqlTables;
    const QRegularExpression re(QStringLiteral("^CREATE TABLE IF NOT EXISTS ([\\w.]+)"));
    for (const QString &s : Schema::statements(true))
        if (const auto m = re.match(s); m.hasMatch())
            sqliteTables << m.captured(1);
    for (const QString &s : Schema::statements(false))
        if (const auto m = re.match(s); m.hasMatch())
            mysqlTables << m.captured(1);
    QCOMPARE(sqliteTables, mysqlTables);
    QVERIFY(Schema::exists());
}

void TestSchema::createAgainKeepsData()
{
    QVERIFY(run(QStringLiteral("insert into tellmark_holding(nazev_holding) values(?)"), {QStringLiteral("Agro Holding")}));
    QVERIFY(run(QStringLiteral("insert into qml.acl(uzivatel) values(?)"), {QStringLiteral("cp-user")}));
    for (int i = 0; i < 2; ++i) {
        QString error;
        QVERIFY2(Schema::create(&error), qPrintable(error));
    }
    QVERIFY(Schema::exists());
    QCOMPARE(scalar(QStringLiteral("select nazev_holding from tellmark_holding")).toString(), QStringLiteral("Agro Holding"));
    QCOMPARE(scalar(QStringLiteral("select uzivatel from qml.acl")).toString(), QStringLiteral("cp-user"));
}

void TestSchema::programStatements_data()
{
    QTest::addColumn<QString>("sql");
    for (const ProgramStatement &s : kProgramStatements)
        QTest::newRow(s.name) << QString::fromUtf8(s.sql);
}

void TestSchema::programStatements()
{
    QFETCH(QString, sql);
    if (!m_statementFixture) {
        // A few rows so joins and recursive parts have data to walk.
        QVERIFY(run(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,obr,SMLOUVA_FAKTURACE_CASTKA_ROK) values(1,'Agro',?,100)"),
                    {QStringLiteral("ST,LI")}));
        QVERIFY(run(QStringLiteral("insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,hospodarstvi) values(2,1,'Farma',120,'1234567')")));
        QVERIFY(run(QStringLiteral("insert into tellmark_udalosti(id,id_podnik,stav,kategorie,odpovedna_osoba) values(1,1,1,8,'JN')")));
        QVERIFY(run(QStringLiteral("insert into tellmark_udalosti(id,id_parent,stav) values(2,1,1)")));
        m_statementFixture = true;
    }

    // Every placeholder gets NULL, except the priority of an event save,
    // which the pane always writes as a number.
    QSSQL q;
    q.prepare(sql);
    static const QRegularExpression named(QStringLiteral(":(\\w+)"));
    const QString unquoted = QString(sql).replace(QRegularExpression(QStringLiteral("'[^']*'")), QStringLiteral("''"));
    auto it = named.globalMatch(unquoted);
    QSet<QString> names;
    while (it.hasNext())
        names << QLatin1Char(':') + it.next().captured(1);
    for (const QString &n : qAsConst(names))
        q.bindValue(n, QVariant());
    const int positional = unquoted.count(QLatin1Char('?'));
    const int priority = sql.startsWith(QLatin1String("update tellmark_udalosti set   ts_modifikovano")) ? 7 : -1;
    for (int i = 0; i < positional; ++i)
        q.addBindValue(i == priority ? QVariant(2) : QVariant());
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

void TestSchema::valuesKeepTheirMeaning_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<bool>("matches");

    const QString podniky = QStringLiteral("tellmark_podniky");
    const QString strediska = QStringLiteral("tellmark_strediska");
    const QString udalosti = QStringLiteral("tellmark_udalosti");
    // Field texts are written as typed; the column type makes them numbers.
    QTest::newRow("licence 9 is below 10000") << strediska << "licence_cislo" << QVariant("9")
                                              << "licence_cislo>0 and licence_cislo<10000" << true;
    QTest::newRow("licence 45000 is Tarvo") << strediska << "licence_cislo" << QVariant("45000")
                                            << "licence_cislo>=40000 and licence_cislo<50000" << true;
    QTest::newRow("cows 120 from 99") << podniky << "DOJNICE_KS" << QVariant("120") << "DOJNICE_KS>=99" << true;
    QTest::newRow("cows 80 not from 99") << podniky << "DOJNICE_KS" << QVariant("80") << "DOJNICE_KS>=99" << false;
    QTest::newRow("amount with decimals") << podniky << "SMLOUVA_FAKTURACE_CASTKA_ROK" << QVariant("12000.5")
                                          << "SMLOUVA_FAKTURACE_CASTKA_ROK>12000" << true;
    QTest::newRow("amount 0 is not a contract") << podniky << "SMLOUVA_FAKTURACE_CASTKA_ROK" << QVariant("0")
                                                << "SMLOUVA_FAKTURACE_CASTKA_ROK>0" << false;
    QTest::newRow("invoicing start within month") << podniky << "SMLOUVA_FAKTURACE_OD" << QVariant(QDate(2024, 2, 29))
                                                  << "SMLOUVA_FAKTURACE_OD>='2024-02-01' and SMLOUVA_FAKTURACE_OD<='2024-02-29'" << true;
    QTest::newRow("invoicing start next month") << podniky << "SMLOUVA_FAKTURACE_OD" << QVariant(QDate(2024, 3, 1))
                                                << "SMLOUVA_FAKTURACE_OD>='2024-02-01' and SMLOUVA_FAKTURACE_OD<='2024-02-29'" << false;
    QTest::newRow("region list") << podniky << "OBR" << QVariant("ST,LI") << "FIND_IN_SET('LI',OBR)" << true;
    QTest::newRow("region list, no partial code") << podniky << "OBR" << QVariant("ST,LI") << "FIND_IN_SET('L',OBR)" << false;
    QTest::newRow("unfinished from yesterday") << udalosti << "upozornit_od" << QVariant(QDate::currentDate().addDays(-1))
                                               << "upozornit_od<=current_date" << true;
    QTest::newRow("unfinished from today") << udalosti << "upozornit_od" << QVariant(QDate::currentDate())
                                           << "upozornit_od<=current_date" << true;
    QTest::newRow("unfinished from tomorrow") << udalosti << "upozornit_od" << QVariant(QDate::currentDate().addDays(1))
                                              << "upozornit_od<=current_date" << false;
    QTest::newRow("event start later that day") << udalosti << "ts_zacatek" << QVariant(QDateTime(QDate(2024, 3, 1), QTime(10, 30)))
                                                << "ts_zacatek>'2024-03-01 09:00:00' and ts_zacatek<'2024-03-02'" << true;
    QTest::newRow("holding padded to 8") << strediska << "hospodarstvi" << QVariant("1234567")
                                         << "lpad(hospodarstvi,8,'0')='01234567'" << true;
}

void TestSchema::valuesKeepTheirMeaning()
{
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(QVariant, value);
    QFETCH(QString, condition);
    QFETCH(bool, matches);
    QString error;
    QVERIFY2(run(QStringLiteral("insert into %1(%2) values(?)").arg(table, column), {value}, &error), qPrintable(error));
    QCOMPARE(scalar(QStringLiteral("select count(*) from %1 where %2").arg(table, condition)).toInt(), matches ? 1 : 0);
}

void TestSchema::textsRoundTrip()
{
    const QString name = QStringLiteral("Žluťoučký kůň úpěl ďábelské ódy");
    const QString html = QStringLiteral("<html><body><p>Řeřicha &amp; čaj – 20 %</p></body></html>");
    // Rich-text notes go in as UTF-8 bytes and come back as the same text.
    QVERIFY(run(QStringLiteral("insert into tellmark_podniky(podnik_nazev,SMLOUVA_POZNAMKY) values(?,?)"),
                {name, html.toUtf8()}));
    QSSQL q;
    q.prepare(QStringLiteral("select podnik_nazev,SMLOUVA_POZNAMKY from tellmark_podniky where podnik_nazev=?"));
    q.addBindValue(name);
    QVERIFY(q.exec());
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), name);
    QCOMPARE(q.value(1).toString(), html);
}

void TestSchema::defaultsOfNewRows()
{
    // The event insert of the program does not name priorita or smazano.
    QSSQL ins;
    ins.prepare(QStringLiteral(
        "insert into tellmark_udalosti(id_podnik,id_strediska,ts_zalozeno,ts_modifikovano,"
        "ts_zacatek,ts_kal_zacatek,ts_konec,lokalita,notifikace,notifikacef,zdroj,kategorie,"
        "stav,typ_synchronizace,cesta,cislo_projektu,odpovedna_osoba,predmet,popis,hash,upozornit_od) "
        "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    const QDateTime now = QDateTime::currentDateTime();
    const QVariantList values = {1, QVariant(), now, now, now, now, now, QStringLiteral("Kravín"), 0, 1, 2, 8,
                                 1, 0, 0, QVariant(), QStringLiteral("JN"), QStringLiteral("Návštěva"),
                                 QStringLiteral("<p>popis</p>"), QStringLiteral("abc123"), QVariant()};
    for (const QVariant &v : values)
        ins.addBindValue(v);
    QVERIFY2(ins.exec(), qPrintable(ins.lastError().text()));
    const int id = ins.lastInsertId().toInt();
    QVERIFY(id > 0);
    QCOMPARE(scalar(QStringLiteral("select priorita from tellmark_udalosti where id=?"), {id}).toInt(), 0);
    QCOMPARE(scalar(QStringLiteral("select smazano from tellmark_udalosti where id=?"), {id}).toInt(), 0);
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_udalosti where smazano=0 and priorita=0")).toInt(), 1);

    // A new user has counted no logins; the login statistics count from 0.
    QVERIFY(run(QStringLiteral("insert into www_users(login) values(?)"), {QStringLiteral("novak")}));
    const int uid = scalar(QStringLiteral("select id from www_users where login=?"), {QStringLiteral("novak")}).toInt();
    QCOMPARE(scalar(QStringLiteral("select stat_zrn_cnt from www_users where id=?"), {uid}).toInt(), 0);
    QVERIFY(scalar(QStringLiteral("select stat_zrn_last from www_users where id=?"), {uid}).isNull());
    QVERIFY(run(QStringLiteral("update www_users set    stat_zrn_last=current_timestamp,   stat_zrn_cnt=stat_zrn_cnt+1 where id=?"), {uid}));
    QVERIFY(run(QStringLiteral("update www_users set    stat_zrn_last=current_timestamp,   stat_zrn_cnt=stat_zrn_cnt+1 where id=?"), {uid}));
    QCOMPARE(scalar(QStringLiteral("select stat_zrn_cnt from www_users where id=?"), {uid}).toInt(), 2);
    const QDateTime last = scalar(QStringLiteral("select stat_zrn_last from www_users where id=?"), {uid}).toDateTime();
    QVERIFY2(qAbs(last.secsTo(QDateTime::currentDateTime())) < 600, qPrintable(last.toString(Qt::ISODate)));
}

void TestSchema::loginIsUnique()
{
    UserFlags f;
    QString error;
    QVERIFY2(Users::createUser(QStringLiteral("novak"), QStringLiteral("heslo"), f, &error), qPrintable(error));
    QVERIFY(!Users::createUser(QStringLiteral("novak"), QStringLiteral("jine"), f, &error));
    QVERIFY2(error.contains(QStringLiteral("novak")), qPrintable(error));

    // The database itself refuses the second row, also when the login
    // differs only in letter case (the same person at the login prompt).
    QVERIFY(!run(QStringLiteral("insert into www_users(login) values(?)"), {QStringLiteral("novak")}));
    QVERIFY(!run(QStringLiteral("insert into www_users(login) values(?)"), {QStringLiteral("NOVAK")}));
    // The administration dialog writes an empty login as NULL; such rows
    // do not collide with each other.
    QVERIFY(run(QStringLiteral("insert into www_users(login) values(?)"), {QVariant(QVariant::String)}));
    QVERIFY(run(QStringLiteral("insert into www_users(login) values(?)"), {QVariant(QVariant::String)}));
    QCOMPARE(scalar(QStringLiteral("select count(*) from www_users")).toInt(), 3);

    QVERIFY(!Users::createUser(QStringLiteral("  "), QStringLiteral("x"), f, &error));
}

void TestSchema::createUserStoresRights()
{
    UserFlags f;
    f.vp = 2;
    f.admin = 1;
    f.os = 0;
    f.udalosti = 2;
    f.fakturace = 3;
    f.region = QStringLiteral("ST");
    QString error;
    int id = 0;
    QVERIFY2(Users::createUser(QStringLiteral("svoboda"), QStringLiteral("Tajné-1"), f, &error, &id), qPrintable(error));
    QVERIFY(id > 0);

    QSSQL q;
    q.prepare(QStringLiteral("select password,vp,admin,acls,minimal,id,os,region,udalosti,"
                             "sestavy,fakturace,cp,stredisko_tech_cteni,pristupy from www_users where login=?"));
    q.addBindValue(QStringLiteral("svoboda"));
    QVERIFY(q.exec());
    QVERIFY(q.next());
    const QString hash = q.value(0).toString();
    QVERIFY2(hash.startsWith(QLatin1String("$2y$10$")), qPrintable(hash));
    QVERIFY(Users::checkPassword(QStringLiteral("Tajné-1"), hash));
    QVERIFY(!Users::checkPassword(QStringLiteral("tajné-1"), hash));
    QCOMPARE(q.value(1).toInt(), 2);      // vp
    QCOMPARE(q.value(2).toInt(), 1);      // admin
    QVERIFY(q.value(3).isNull());         // acls: unchecked box is NULL
    QVERIFY(q.value(4).isNull());         // minimal
    QCOMPARE(q.value(5).toInt(), id);
    QVERIFY(!q.value(6).isNull());        // os: a level, 0 stays 0
    QCOMPARE(q.value(6).toInt(), 0);
    QCOMPARE(q.value(7).toString(), QStringLiteral("ST"));
    QCOMPARE(q.value(8).toInt(), 2);
    QVERIFY(q.value(9).isNull());         // sestavy
    QCOMPARE(q.value(10).toInt(), 3);
    QVERIFY(q.value(11).isNull());        // cp
    QVERIFY(q.value(12).isNull());        // stredisko_tech_cteni
    QVERIFY(q.value(13).isNull());        // pristupy
}

void TestSchema::setPassword()
{
    QString error;
    QVERIFY(Users::createUser(QStringLiteral("dvorak"), QStringLiteral("stare"), UserFlags(), &error));
    QVERIFY(Users::createUser(QStringLiteral("jiny"), QStringLiteral("jeho"), UserFlags(), &error));
    QVERIFY2(Users::setPassword(QStringLiteral("dvorak"), QStringLiteral("nove"), &error), qPrintable(error));
    const QString hash = scalar(QStringLiteral("select password from www_users where login=?"), {QStringLiteral("dvorak")}).toString();
    QVERIFY(Users::checkPassword(QStringLiteral("nove"), hash));
    QVERIFY(!Users::checkPassword(QStringLiteral("stare"), hash));
    // Only that user's row changed.
    const QString other = scalar(QStringLiteral("select password from www_users where login=?"), {QStringLiteral("jiny")}).toString();
    QVERIFY(Users::checkPassword(QStringLiteral("jeho"), other));

    QVERIFY(!Users::setPassword(QStringLiteral("nikdo"), QStringLiteral("x"), &error));
    QVERIFY2(error.contains(QStringLiteral("nikdo")), qPrintable(error));
}

void TestSchema::controlPanelSchema()
{
    QSSQL ins;
    ins.prepare(QStringLiteral("insert into qml.acl(uzivatel,heslo,poznamka,idlist)        values(?,?,?,?)"));
    ins.addBindValue(QStringLiteral("servis"));
    ins.addBindValue(QStringLiteral("5baa61e4c9b93f3f0682250b6cf8331b7ee68fd8"));
    ins.addBindValue(QStringLiteral("Poznámka"));
    ins.addBindValue(QStringLiteral("1,5,7"));
    QVERIFY2(ins.exec(), qPrintable(ins.lastError().text()));
    const int id = ins.lastInsertId().toInt();
    QVERIFY(id > 0);

    QVERIFY(run(QStringLiteral("update qml.acl set uzivatel=?,heslo=?,poznamka=?,idlist=? where id=?"),
                {QStringLiteral("servis2"), QStringLiteral("x"), QVariant(QVariant::String), QStringLiteral("2"), id}));
    QSSQL q;
    QVERIFY(q.exec(QStringLiteral("select id,uzivatel,heslo,poznamka,idlist        from qml.acl order by 2")));
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toInt(), id);
    QCOMPARE(q.value(1).toString(), QStringLiteral("servis2"));
    QVERIFY(q.value(3).isNull());
    QCOMPARE(q.value(4).toString(), QStringLiteral("2"));
    QVERIFY(!q.next());
    QVERIFY(run(QStringLiteral("delete from qml.acl where id=?"), {id}));
    QCOMPARE(scalar(QStringLiteral("select count(*) from qml.acl")).toInt(), 0);
}

void TestSchema::missingIndexIsAddedBack()
{
    const QString drop = Database::isSqlite() ? QStringLiteral("DROP INDEX idx_udalosti_parent")
                                              : QStringLiteral("DROP INDEX idx_udalosti_parent ON tellmark_udalosti");
    QVERIFY(run(drop));
    QVERIFY(!indexExists(QStringLiteral("tellmark_udalosti"), QStringLiteral("idx_udalosti_parent")));
    QString error;
    QVERIFY2(Schema::create(&error), qPrintable(error));
    QVERIFY(indexExists(QStringLiteral("tellmark_udalosti"), QStringLiteral("idx_udalosti_parent")));
}

void TestSchema::existingIndexUnderOtherNameIsKept()
{
    if (Database::isSqlite())
        QSKIP("SQLite matches indexes by name only (CREATE INDEX IF NOT EXISTS)");
    // A database set up by other means may index vnc.uid under its own name;
    // create must neither fail nor add a second index over the column.
    QVERIFY(run(QStringLiteral("DROP INDEX idx_vnc_uid ON vnc")));
    QVERIFY(run(QStringLiteral("CREATE INDEX vnc_uid_key ON vnc (uid)")));
    QString error;
    QVERIFY2(Schema::create(&error), qPrintable(error));
    QVERIFY(!indexExists(QStringLiteral("vnc"), QStringLiteral("idx_vnc_uid")));
    QVERIFY(indexExists(QStringLiteral("vnc"), QStringLiteral("vnc_uid_key")));
    // put the named index back for later suites
    QVERIFY(run(QStringLiteral("DROP INDEX vnc_uid_key ON vnc")));
    QVERIFY2(Schema::create(&error), qPrintable(error));
    QVERIFY(indexExists(QStringLiteral("vnc"), QStringLiteral("idx_vnc_uid")));
}

void TestSchema::dropAllThenCreate()
{
    QString error;
    QVERIFY2(Schema::dropAll(&error), qPrintable(error));
    QVERIFY(!Schema::exists());
    QVERIFY(!run(QStringLiteral("select count(*) from www_users")));
    QVERIFY(!run(QStringLiteral("select count(*) from qml.acl")));
    QVERIFY2(Schema::create(&error), qPrintable(error));
    QVERIFY(Schema::exists());
    QCOMPARE(scalar(QStringLiteral("select count(*) from tellmark_udalosti")).toInt(), 0);
}

QTEST_GUILESS_MAIN(TestSchema)
#include "tst_schema.moc"
