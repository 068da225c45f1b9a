#include "schema/eventlog.h"

#include "db/database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <atomic>

namespace {

// The root conditions of the global list sort by these root columns, each
// with the event id (which every secondary index carries) as the tie-break.
const char *const kSortIndexes[][2] = {
    {"idx_udalosti_zacatek", "ts_zacatek"},
    {"idx_udalosti_konec", "ts_konec"},
    {"idx_udalosti_zdroj", "zdroj"},
    {"idx_udalosti_kategorie", "kategorie"},
    {"idx_udalosti_stav", "stav"},
    {"idx_udalosti_priorita", "priorita"},
    {"idx_udalosti_synchronizace", "typ_synchronizace"},
    {"idx_udalosti_cesta", "cesta"},
    {"idx_udalosti_hash", "hash"},
};

// The description as plain text: the head (style sheet) and every tag go,
// the few entities the editor writes become their characters.
QString plainTextSql(const QString &html)
{
    QString s = QStringLiteral("regexp_replace(regexp_replace(coalesce(%1,''),'(?is)<head[^>]*>.*?</head>',' '),"
                               "'<[^>]*>',' ')")
                    .arg(html);
    const char *const entities[][2] = {{"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}};
    for (const auto &e : entities)
        s = QStringLiteral("replace(%1,'%2','%3')").arg(s, QLatin1String(e[0]), QLatin1String(e[1]));
    return s;
}

// What the search table holds for a row `r` of tellmark_udalosti. SQLite's
// text index folds accents and case itself (and its parser would not take
// the folding nested into the rest).
QString contentSql(const QString &r)
{
    const QString text =
        QStringLiteral("concat(coalesce(%1.predmet,''),' ',%2)").arg(r, plainTextSql(r + QStringLiteral(".popis")));
    // On the server the words stand between single blanks, so that "like
    // '% word%'" finds a word's beginning as the text index does.
    return QStringLiteral("case when %1.smazano=0 then %2 else '' end")
        .arg(r, Database::isSqlite() ? text
                                     : QStringLiteral("concat(' ',regexp_replace(%1,'[^[:alnum:]]+',' '),' ')")
                                           .arg(Schema::foldedSql(text)));
}

bool run(QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery q(db);
    if (q.exec(sql))
        return true;
    if (error)
        *error = q.lastError().text() + QStringLiteral("\n(") + sql.left(80) + QLatin1Char(')');
    return false;
}

bool exists(QSqlDatabase &db, const QString &sql)
{
    QSqlQuery q(db);
    return q.exec(sql) && q.next() && q.value(0).toInt() > 0;
}

// The sort key of the name column: "enterprise | centre | place" as the
// list shows it (an event filed under an enterprise names it, else the
// centre's), cut to the key's length. `u` is the event, `s` its centre and
// `enterprise` the enterprise name's expression.
QString nameKeySql(const QString &enterprise, const QString &centre, const QString &place)
{
    return QStringLiteral("substr(concat_ws(' | ',nullif(%1,''),nullif(%2,''),nullif(%3,'')),1,%4)")
        .arg(enterprise, centre, place)
        .arg(Schema::kSortKeyLength);
}

// The keys of one root event `e` (the row itself or a trigger's new row);
// the centre `s`, its enterprise `p` and the event's own enterprise `p2`
// are joined.
QString keysSql(const QString &e)
{
    return QStringLiteral("%1.id, %2, substr(%1.predmet,1,%3), substr(%1.odpovedna_osoba,1,%3)")
        .arg(e,
             nameKeySql(QStringLiteral("if(%1.id_podnik>0,p2.podnik_nazev,p.podnik_nazev)").arg(e),
                        QStringLiteral("s.akce_nazev"), e + QStringLiteral(".lokalita")))
        .arg(Schema::kSortKeyLength);
}

QString keyJoins(const QString &e)
{
    return QStringLiteral(" left join tellmark_strediska s on s.id=%1.id_strediska"
                          " left join tellmark_podniky p on p.id=s.id_podnik"
                          " left join tellmark_podniky p2 on p2.id=%1.id_podnik")
        .arg(e);
}

bool hasTable(QSqlDatabase &db, const QString &table)
{
    return Database::isSqlite()
        ? exists(db, QStringLiteral("select count(*) from sqlite_master where name='%1'").arg(table))
        : exists(db, QStringLiteral("select count(*) from information_schema.tables where table_schema=database() "
                                    "and table_name='%1'")
                         .arg(table));
}

// Creates a trigger unless the server has one of that name (SQLite: IF NOT
// EXISTS); `sql` starts after "CREATE TRIGGER ".
bool ensureTrigger(QSqlDatabase &db, const QString &name, const QString &sql, QString *error)
{
    if (Database::isSqlite())
        return run(db, QStringLiteral("CREATE TRIGGER IF NOT EXISTS %1 %2").arg(name, sql), error);
    if (exists(db, QStringLiteral("select count(*) from information_schema.triggers where "
                                  "trigger_schema=database() and trigger_name='%1'")
                       .arg(name)))
        return true;
    return run(db, QStringLiteral("CREATE TRIGGER %1 %2").arg(name, sql), error);
}

const char *const kSortTriggers[] = {"tellmark_udalosti_razeni_ai", "tellmark_udalosti_razeni_au",
                                     "tellmark_udalosti_razeni_ad", "tellmark_podniky_razeni_au",
                                     "tellmark_strediska_razeni_au"};

// The sort keys of the list's text columns (name, subject, persons), one
// row per root event, kept in step by triggers on the events and on the
// names of enterprises and centres; filled from the events once.
bool ensureSortKeys(QSqlDatabase &db, QString *error)
{
    const bool sqlite = Database::isSqlite();
    const QString table = QLatin1String(Schema::kSortTable);
    const bool had = hasTable(db, table);
    if (!had) {
        const QString create = sqlite
            ? QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, jmeno TEXT, predmet TEXT, osoba TEXT)")
            : QStringLiteral("CREATE TABLE %1 (id INT NOT NULL, jmeno VARCHAR(%2) NULL, predmet VARCHAR(%2) NULL, "
                             "osoba VARCHAR(%2) NULL, PRIMARY KEY (id)) "
                             "ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci");
        if (!run(db, sqlite ? create.arg(table) : create.arg(table).arg(Schema::kSortKeyLength), error))
            return false;
    }
    // A new or saved root gets its keys anew (replies have none).
    const QString refresh = QStringLiteral("replace into %1(id,jmeno,predmet,osoba) select %2 from (select 1) x%3 "
                                           "where new.id_parent is null or new.id_parent=0")
                                .arg(table, keysSql(QStringLiteral("new")), keyJoins(QStringLiteral("new")));
    const QString body = QStringLiteral("BEGIN %1; END");
    // A renamed enterprise: the events filed under it, and those filed under
    // its centres without an enterprise of their own.
    const QString enterpriseKey = nameKeySql(QStringLiteral("new.podnik_nazev"), QStringLiteral("s.akce_nazev"),
                                             QStringLiteral("u.lokalita"));
    // A renamed or moved centre: the events filed under it.
    const QString centreKey = nameKeySql(QStringLiteral("if(u.id_podnik>0,p2.podnik_nazev,p.podnik_nazev)"),
                                         QStringLiteral("new.akce_nazev"), QStringLiteral("u.lokalita"));
    QString enterpriseRename, centreRename;
    if (sqlite) {
        enterpriseRename =
            QStringLiteral("update %1 set jmeno=(select %2 from tellmark_udalosti u left join tellmark_strediska s "
                           "on s.id=u.id_strediska where u.id=%1.id) where id in (select u.id from tellmark_udalosti u "
                           "where u.id_podnik=new.id union all select u.id from tellmark_strediska s join "
                           "tellmark_udalosti u on u.id_strediska=s.id where s.id_podnik=new.id and "
                           "coalesce(u.id_podnik,0)<=0)")
                .arg(table, enterpriseKey);
        enterpriseRename = QStringLiteral("AFTER UPDATE ON tellmark_podniky FOR EACH ROW WHEN old.podnik_nazev is not "
                                          "new.podnik_nazev BEGIN %1; END")
                               .arg(enterpriseRename);
        centreRename = QStringLiteral("update %1 set jmeno=(select %2 from tellmark_udalosti u left join "
                                      "tellmark_podniky p on p.id=new.id_podnik left join tellmark_podniky p2 on "
                                      "p2.id=u.id_podnik where u.id=%1.id) where id in (select id from "
                                      "tellmark_udalosti where id_strediska=new.id)")
                           .arg(table, centreKey);
        centreRename = QStringLiteral("AFTER UPDATE ON tellmark_strediska FOR EACH ROW WHEN old.akce_nazev is not "
                                      "new.akce_nazev or old.id_podnik is not new.id_podnik BEGIN %1; END")
                           .arg(centreRename);
    } else {
        enterpriseRename =
            QStringLiteral("AFTER UPDATE ON tellmark_podniky FOR EACH ROW BEGIN "
                           "IF not (old.podnik_nazev <=> new.podnik_nazev) THEN "
                           "update %1 k join tellmark_udalosti u on u.id=k.id left join tellmark_strediska s on "
                           "s.id=u.id_strediska set k.jmeno=%2 where u.id_podnik=new.id; "
                           "update %1 k join tellmark_udalosti u on u.id=k.id join tellmark_strediska s on "
                           "s.id=u.id_strediska set k.jmeno=%2 where s.id_podnik=new.id and coalesce(u.id_podnik,0)<=0; "
                           "END IF; END")
                .arg(table, enterpriseKey);
        centreRename = QStringLiteral("AFTER UPDATE ON tellmark_strediska FOR EACH ROW BEGIN "
                                      "IF not (old.akce_nazev <=> new.akce_nazev and old.id_podnik <=> new.id_podnik) "
                                      "THEN update %1 k join tellmark_udalosti u on u.id=k.id left join "
                                      "tellmark_podniky p on p.id=new.id_podnik left join tellmark_podniky p2 on "
                                      "p2.id=u.id_podnik set k.jmeno=%2 where u.id_strediska=new.id; END IF; END")
                           .arg(table, centreKey);
    }
    const QString triggerSql[] = {
        QStringLiteral("AFTER INSERT ON tellmark_udalosti FOR EACH ROW ") + body.arg(refresh),
        QStringLiteral("AFTER UPDATE ON tellmark_udalosti FOR EACH ROW ") + body.arg(refresh),
        QStringLiteral("AFTER DELETE ON tellmark_udalosti FOR EACH ROW BEGIN delete from %1 where id=old.id; END")
            .arg(table),
        enterpriseRename, centreRename};
    for (int i = 0; i < 5; ++i) {
        if (!ensureTrigger(db, QLatin1String(kSortTriggers[i]), triggerSql[i], error))
            return false;
    }

    if (!had) {
        // The roots already there, a range of ids at a time (see the search
        // table's fill).
        QSqlQuery last(db);
        const int maxId = last.exec(QStringLiteral("select max(id) from tellmark_udalosti")) && last.next()
            ? last.value(0).toInt()
            : 0;
        const int step = 100000;
        for (int from = 0; from <= maxId; from += step) {
            const QString fill = QStringLiteral("insert into %1(id,jmeno,predmet,osoba) select %2 from "
                                                "tellmark_udalosti u%3 where u.id>%4 and u.id<=%5 and "
                                                "(u.id_parent is null or u.id_parent=0)")
                                     .arg(table, keysSql(QStringLiteral("u")), keyJoins(QStringLiteral("u")))
                                     .arg(from)
                                     .arg(from + step);
            if (!run(db, fill, error))
                return false;
        }
    }
    // Each with the id: the tie-break of the list's order. Made after the
    // fill: sorting the keys once is quicker than inserting each into them.
    for (const char *column : {"jmeno", "predmet", "osoba"}) {
        const QString name = QStringLiteral("idx_razeni_%1").arg(QLatin1String(column));
        if (!sqlite
            && exists(db, QStringLiteral("select count(*) from information_schema.statistics where "
                                         "table_schema=database() and table_name='%1' and index_name='%2'")
                              .arg(table, name)))
            continue;
        if (!run(db,
                 QStringLiteral("CREATE INDEX %1%2 ON %3 (%4, id)")
                     .arg(sqlite ? QStringLiteral("IF NOT EXISTS ") : QString(), name, table, QLatin1String(column)),
                 error))
            return false;
    }

    return true;
}

} // namespace

namespace Schema {

namespace {
const char *const kCapitals[][2] = {{"Ě", "e"}, {"É", "e"}, {"Š", "s"}, {"Č", "c"}, {"Ř", "r"}, {"Ž", "z"},
                                    {"Ý", "y"}, {"Á", "a"}, {"Í", "i"}, {"Ů", "u"}, {"Ú", "u"}, {"Ť", "t"},
                                    {"Ď", "d"}, {"Ň", "n"}};
const char *const kSmall[][2] = {{"ě", "e"}, {"é", "e"}, {"š", "s"}, {"č", "c"}, {"ř", "r"}, {"ž", "z"},
                                 {"ý", "y"}, {"á", "a"}, {"í", "i"}, {"ů", "u"}, {"ú", "u"}, {"ť", "t"},
                                 {"ď", "d"}, {"ň", "n"}};

template <size_t N>
QString replaced(const QString &expr, const char *const (&pairs)[N][2])
{
    QString s = expr;
    for (const auto &p : pairs)
        s = QStringLiteral("replace(%1,'%2','%3')").arg(s, QString::fromUtf8(p[0]), QString::fromUtf8(p[1]));
    return s;
}
} // namespace

QString foldCapitalsSql(const QString &expr)
{
    return replaced(expr, kCapitals);
}

QString foldSmallSql(const QString &expr)
{
    return QStringLiteral("lower(%1)").arg(replaced(expr, kSmall));
}

QString foldedSql(const QString &expr)
{
    return foldSmallSql(foldCapitalsSql(expr));
}

namespace {
// Read by the search worker's thread too.
std::atomic<bool> g_ready{true};
} // namespace

bool eventLogSearchReady()
{
    return g_ready.load();
}

bool checkEventLogSearch()
{
    QSqlDatabase db = Database::connection();
    g_ready = hasTable(db, QLatin1String(kSearchTable)) && hasTable(db, QLatin1String(kSortTable));
    return g_ready.load();
}

bool ensureEventLogSearch(QString *error)
{
    QSqlDatabase db = Database::connection();
    const bool sqlite = Database::isSqlite();
    const QString table = QLatin1String(kSearchTable);

    for (const auto &ix : kSortIndexes) {
        const QString name = QLatin1String(ix[0]);
        const bool present = sqlite
            ? false // IF NOT EXISTS
            : exists(db, QStringLiteral("select count(*) from information_schema.statistics where "
                                        "table_schema=database() and table_name='tellmark_udalosti' and "
                                        "(index_name='%1' or (column_name='%2' and seq_in_index=1))")
                             .arg(name, QLatin1String(ix[1])));
        if (present)
            continue;
        if (!run(db,
                 QStringLiteral("CREATE INDEX %1%2 ON tellmark_udalosti (%3)")
                     .arg(sqlite ? QStringLiteral("IF NOT EXISTS ") : QString(), name, QLatin1String(ix[1])),
                 error))
            return false;
    }

    const bool hadTable = sqlite
        ? exists(db, QStringLiteral("select count(*) from sqlite_master where name='%1'").arg(table))
        : exists(db, QStringLiteral("select count(*) from information_schema.tables where table_schema=database() "
                                    "and table_name='%1'")
                         .arg(table));
    if (!hadTable) {
        const QString create = sqlite
            ? QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(obsah, id_vlakna UNINDEXED, "
                             "tokenize='unicode61 remove_diacritics 2')")
            : QStringLiteral("CREATE TABLE %1 (id INT NOT NULL, id_vlakna INT NOT NULL, obsah MEDIUMTEXT NULL, "
                             "PRIMARY KEY (id), KEY idx_hledani_vlakno (id_vlakna), FULLTEXT KEY ft_hledani (obsah)) "
                             "ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_unicode_ci");
        if (!run(db, create.arg(table), error))
            return false;
    }

    // The triggers: a new event gets its row, a save refreshes the text
    // (marking it deleted empties it), removing it removes the row; the
    // root never changes.
    const QString key = sqlite ? QStringLiteral("rowid") : QStringLiteral("id");
    const QString root = QStringLiteral("(select h.id_vlakna from %1 h where h.%2=new.id_parent)").arg(table, key);
    const QString content = contentSql(QStringLiteral("new"));
    const QString insertTrigger = sqlite
        ? QStringLiteral("CREATE TRIGGER IF NOT EXISTS tellmark_udalosti_hledani_ai AFTER INSERT ON tellmark_udalosti "
                         "FOR EACH ROW BEGIN insert into %1(rowid,id_vlakna,obsah) values(new.id,coalesce(%2,new.id),%3); "
                         "END")
              .arg(table, root, content)
        : QStringLiteral("CREATE TRIGGER tellmark_udalosti_hledani_ai AFTER INSERT ON tellmark_udalosti FOR EACH ROW "
                         "BEGIN DECLARE r INT DEFAULT NULL; SET r=%2; "
                         "insert into %1(id,id_vlakna,obsah) values(new.id,coalesce(r,new.id),%3); END")
              .arg(table, root, content);
    const QString updateTrigger =
        QStringLiteral("CREATE TRIGGER %1tellmark_udalosti_hledani_au AFTER UPDATE ON tellmark_udalosti FOR EACH ROW "
                       "BEGIN update %2 set obsah=%3 where %4=new.id; END")
            .arg(sqlite ? QStringLiteral("IF NOT EXISTS ") : QString(), table, content, key);
    const QString deleteTrigger =
        QStringLiteral("CREATE TRIGGER %1tellmark_udalosti_hledani_ad AFTER DELETE ON tellmark_udalosti FOR EACH ROW "
                       "BEGIN delete from %2 where %3=old.id; END")
            .arg(sqlite ? QStringLiteral("IF NOT EXISTS ") : QString(), table, key);
    const char *const triggers[] = {"tellmark_udalosti_hledani_ai", "tellmark_udalosti_hledani_au",
                                    "tellmark_udalosti_hledani_ad"};
    const QString triggerSql[] = {insertTrigger, updateTrigger, deleteTrigger};
    for (int i = 0; i < 3; ++i) {
        if (!sqlite
            && exists(db, QStringLiteral("select count(*) from information_schema.triggers where "
                                         "trigger_schema=database() and trigger_name='%1'")
                              .arg(QLatin1String(triggers[i]))))
            continue;
        if (!run(db, triggerSql[i], error))
            return false;
    }

    if (!hadTable) {
        // The events already there, each with its thread's root; a range of
        // roots at a time, so that no statement of a large log outlasts the
        // connection's read time-out.
        QSqlQuery last(db);
        const int maxId = last.exec(QStringLiteral("select max(id) from tellmark_udalosti")) && last.next()
            ? last.value(0).toInt()
            : 0;
        const int step = 50000;
        for (int from = 0; from <= maxId; from += step) {
            const QString fill =
                QStringLiteral("insert into %1(%2,id_vlakna,obsah) select x.id, x.root, x.obsah from ("
                               "with recursive thread(id, root) as ("
                               " select id, id from tellmark_udalosti where (id_parent is null or id_parent=0)"
                               " and id>%4 and id<=%5"
                               " union all"
                               " select u.id, t.root from tellmark_udalosti u join thread t on u.id_parent=t.id)"
                               " select u.id as id, t.root as root, %3 as obsah"
                               " from thread t join tellmark_udalosti u on u.id=t.id) x")
                    .arg(table, key, contentSql(QStringLiteral("u")))
                    .arg(from)
                    .arg(from + step);
            if (!run(db, fill, error))
                return false;
        }
    }
    if (!ensureSortKeys(db, error))
        return false;
    g_ready = true;
    return true;
}

bool dropEventLogSearch(QString *error)
{
    g_ready = false;
    QSqlDatabase db = Database::connection();
    for (const char *trigger : {"tellmark_udalosti_hledani_ai", "tellmark_udalosti_hledani_au",
                                "tellmark_udalosti_hledani_ad"}) {
        if (!run(db, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(QLatin1String(trigger)), error))
            return false;
    }
    for (const char *trigger : kSortTriggers) {
        if (!run(db, QStringLiteral("DROP TRIGGER IF EXISTS %1").arg(QLatin1String(trigger)), error))
            return false;
    }
    return run(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(kSearchTable)), error)
        && run(db, QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(kSortTable)), error);
}

} // namespace Schema
