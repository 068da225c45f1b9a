#include "events/eventstore.h"

#include "core/eciselniky.h"
#include "core/textutil.h"
#include "schema/eventlog.h"
#include "db/database.h"
#include "db/qssql.h"
#include "widgets/qf.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QSet>

#include <algorithm>

namespace EventStore {

namespace {

// The 19 columns of a list row; the same for both lists.
const char kListColumns[] =
    "select udl.id, if(udl.id_podnik>0,pdq2.podnik_nazev,pdq.podnik_nazev) as podnik_nazev,"
    " stq.akce_nazev, udl.lokalita, udl.ts_zacatek, udl.ts_konec, udl.zdroj, udl.kategorie,"
    " udl.stav, udl.odpovedna_osoba, udl.typ_synchronizace, udl.cesta, udl.predmet,"
    " udl.id_strediska, udl.id_podnik, udl.id_parent, udl.hash, udl.priorita"
    " from thread t"
    " join tellmark_udalosti udl on udl.id=t.id"
    " left join tellmark_strediska as stq on stq.id=udl.id_strediska"
    " left join tellmark_podniky as pdq on stq.id_podnik=pdq.id"
    " left join tellmark_podniky as pdq2 on pdq2.id=udl.id_podnik"
    " order by udl.id";

// The replies below the roots, at any depth: the recursion follows live
// rows through the index over (id_parent, smazano).
const char kThread[] =
    " thread(id) as (select id from roots"
    " union all"
    " select p.id from tellmark_udalosti p join thread t on p.id_parent=t.id where p.smazano=0) ";

// "+" keeps the deleted flag out of the index choice: SQLite without
// statistics would otherwise walk every live event by an index over it
// instead of the enterprise's or centre's few.
const char kLiveRoot[] = "+pp.smazano=0 and (pp.id_parent is null or pp.id_parent=0)";
// The same for a page of the global list, which walks the index of its
// sort column: either database would rather collect every root through the
// index over id_parent and sort them all (the server reads "+" as nothing,
// so the columns stand inside expressions no index serves).
const char kLivePageRoot[] = "pp.smazano+0=0 and coalesce(pp.id_parent,0)=0";

const char kRead[] =
    "select udl.id,udl.lokalita,udl.ts_zacatek,udl.ts_konec,"
    " udl.zdroj,udl.kategorie,udl.stav,udl.odpovedna_osoba,"
    " udl.predmet,udl.popis,udl.notifikace,udl.id_strediska,stq.akce_nazev,udl.typ_synchronizace,"
    " udl.notifikacef,udl.id_podnik,pdq.podnik_nazev,udl.upozornit_od,udl.id_parent,"
    " udl.cesta,udl.cislo_projektu,udl.hash,udl.priorita,"
    " udl.ts_kal_zacatek"
    " from tellmark_udalosti as udl"
    " left join tellmark_strediska as stq on stq.id=udl.id_strediska"
    " left join tellmark_podniky as pdq on pdq.id=udl.id_podnik"
    " where udl.id=?";

const char kInsert[] =
    "insert into tellmark_udalosti(id_podnik,id_strediska,ts_zalozeno,ts_modifikovano,"
    " ts_zacatek,ts_kal_zacatek,ts_konec,lokalita,notifikace,notifikacef,zdroj,kategorie,"
    " stav,typ_synchronizace,cesta,cislo_projektu,odpovedna_osoba,predmet,popis,hash,upozornit_od)"
    " values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
const char kInsertReply[] =
    "insert into tellmark_udalosti(id_parent,id_podnik,id_strediska,ts_zalozeno,ts_modifikovano,"
    " ts_zacatek,ts_kal_zacatek,ts_konec,lokalita,notifikace,notifikacef,zdroj,kategorie,"
    " stav,typ_synchronizace,cesta,cislo_projektu,odpovedna_osoba,predmet,popis,hash,upozornit_od)"
    " values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";

// The walk up to a thread's root; the depth bound keeps a damaged chain
// (an event that is its own ancestor) from running for ever.
const char kThreadRoot[] =
    "with recursive tree(id, id_parent, depth) as ("
    " select id, id_parent, 0 from tellmark_udalosti where id=?"
    " union all"
    " select p.id, p.id_parent, t.depth+1 from tellmark_udalosti p join tree t on t.id_parent=p.id"
    " where t.depth<10000)"
    " select u.id, u.stav from tree t join tellmark_udalosti u on u.id=t.id"
    " where t.id_parent is null or t.id_parent=0";

const char kRichTextMarker[] = "<meta name=\"qrichtext\" content=\"1\" />";
const char kCharset[] = "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />";

QVariant nullIfEmpty(const QString &text)
{
    return text.isEmpty() ? QVariant(QVariant::String) : QVariant(text);
}

QVariant dateTimeOrNull(const QDateTime &dt)
{
    return dt.isValid() ? QVariant(dt) : QVariant(QVariant::DateTime);
}

QVariant dateOrNull(const QDate &d)
{
    return d.isValid() ? QVariant(d) : QVariant(QVariant::Date);
}

QVariant idOrNull(const QVariant &id)
{
    bool ok = false;
    const qlonglong v = id.toLongLong(&ok);
    return ok && v > 0 ? QVariant(v) : QVariant(QVariant::LongLong);
}

// A row lock where the server has them; the embedded database writes one
// transaction at a time anyway.
QString forUpdate()
{
    return Database::isSqlite() ? QString() : QStringLiteral(" for update");
}

QStringList splitClean(const QString &list)
{
    QStringList parts;
    for (QString part : list.split(QLatin1Char(','))) {
        part.remove(QLatin1Char(' '));
        part = part.trimmed();
        if (!part.isEmpty())
            parts << part;
    }
    return parts;
}

bool run(QSSQL &q, const QString &sql, const QVariantList &binds, QString *error)
{
    if (q.exec(sql, binds))
        return true;
    if (error)
        *error = q.lastError().text();
    return false;
}

QVariant intOrNull(const QVariant &v)
{
    return v.isNull() ? QVariant() : QVariant(v.toInt());
}

// A search text as a "like" pattern of a folded name: anywhere in it.
QString namePattern(const QString &text)
{
    QString pattern = stripDiacritics(text).toLower();
    pattern.replace(QLatin1Char('!'), QStringLiteral("!!"))
        .replace(QLatin1Char('%'), QStringLiteral("!%"))
        .replace(QLatin1Char('_'), QStringLiteral("!_"));
    return QLatin1Char('%') + pattern + QLatin1Char('%');
}

} // namespace

QStringList personCodes(const Filter &filter, bool *matchesNobody)
{
    *matchesNobody = false;
    if (!filter.global)
        return {};
    QStringList codes;
    if (filter.eventsRight == 1) {
        codes = splitClean(ECiselniky::codeForLogin(filter.login));
    } else if (filter.eventsRight == 2) {
        const QString persons = filter.persons.trimmed();
        const QStringList further = splitClean(filter.furtherPersons);
        if (persons == QLatin1String("none")) {
            codes = further;
        } else if (!persons.isEmpty()) {
            codes = splitClean(persons) + further;
        } else if (!further.isEmpty()) {
            // Everybody of the list and the further mailboxes.
            const auto all = ECiselniky().persons();
            for (auto it = all.cbegin(); it != all.cend(); ++it)
                if (!it.key().isEmpty())
                    codes << it.key();
            codes += further;
        } else {
            return {};
        }
    } else {
        return {};
    }
    *matchesNobody = codes.isEmpty();
    return codes;
}

Condition condition(const Filter &filter)
{
    Condition c;
    // Only threads the user's tree shows (filed under its enterprises or centres).
    const Visibility::Sql visible = filter.visibility.event(QStringLiteral("pp"));
    c.sql += visible.andThen();
    c.binds << visible.binds;
    if (filter.global && filter.unfinished) {
        c.sql += QStringLiteral("(pp.stav=1 or pp.stav=2) and (pp.upozornit_od is null or pp.upozornit_od<=?) and ");
        c.binds << QDate::currentDate();
    }
    QStringList categories;
    for (const QString &part : splitClean(filter.categories)) {
        bool ok = false;
        const int code = part.toInt(&ok);
        if (ok) {
            categories << QStringLiteral("pp.kategorie=?");
            c.binds << code;
        }
    }
    if (!categories.isEmpty())
        c.sql += QStringLiteral("(") + categories.join(QStringLiteral(" or ")) + QStringLiteral(") and ");

    bool nobody = false;
    const QStringList codes = personCodes(filter, &nobody);
    if (nobody) {
        c.sql += QStringLiteral("1=0 and ");
    } else if (!codes.isEmpty()) {
        QStringList parts;
        for (const QString &code : codes) {
            parts << QStringLiteral("FIND_IN_SET(?,pp.odpovedna_osoba)");
            c.binds << code;
        }
        c.sql += QStringLiteral("(") + parts.join(QStringLiteral(" or ")) + QStringLiteral(") and ");
    }

    const QString text = filter.search.simplified();
    if (!text.isEmpty() && filter.searchResolved) {
        if (filter.searchRoots.isEmpty()) {
            c.sql += QStringLiteral("1=0 and ");
        } else {
            QStringList marks;
            for (int id : filter.searchRoots) {
                marks << QStringLiteral("?");
                c.binds << id;
            }
            c.sql += QStringLiteral("pp.id in (") + marks.join(QLatin1Char(',')) + QStringLiteral(") and ");
        }
    } else if (!text.isEmpty()) {
        QStringList parts;
        const QStringList words = searchWords(text);
        if (!Schema::eventLogSearchReady()) {
            // No search table yet ("zrnctl init" not run since it came):
            // the root's subject holds the text, as the list's filter had it.
            // (SQLite folds in two steps, as for the names below.)
            parts << (Database::isSqlite()
                          ? QStringLiteral("pp.id in (select id from (select id, %1 as n from tellmark_udalosti) f "
                                           "where %2 like ? escape '!')")
                                .arg(Schema::foldCapitalsSql(QStringLiteral("predmet")),
                                     Schema::foldSmallSql(QStringLiteral("f.n")))
                          : QStringLiteral("pp.predmet like ? escape '!'"));
            c.binds << namePattern(text);
        } else if (!words.isEmpty()) {
            // Any event of the thread: the search table names its root.
            if (Database::isSqlite()) {
                QStringList terms;
                for (const QString &w : words)
                    terms << QLatin1Char('"') + w + QStringLiteral("\"*");
                parts << QStringLiteral("pp.id in (select id_vlakna from %1 where %1 match ?)")
                             .arg(QLatin1String(Schema::kSearchTable));
                c.binds << terms.join(QLatin1Char(' '));
            } else {
                // Many threads match (few are looked up ahead, see
                // resolveSearch): the list's order is walked and each
                // thread's text read by its root, which finds the first
                // screen of a common word at once. The stored text has its
                // words between single blanks.
                QStringList likes;
                for (const QString &w : words) {
                    likes << QStringLiteral("h.obsah like ?");
                    c.binds << QStringLiteral("% ") + w + QLatin1Char('%');
                }
                // (A "limit" keeps the server from turning this into one
                // pass over the whole search table.)
                parts << QStringLiteral("(select 1 from %1 h where h.id_vlakna=pp.id and %2 limit 1) is not null")
                             .arg(QLatin1String(Schema::kSearchTable), likes.join(QStringLiteral(" and ")));
            }
        }
        // The names the list shows, folded on both sides.
        QString pattern = stripDiacritics(text).toLower();
        pattern.replace(QLatin1Char('!'), QStringLiteral("!!"))
            .replace(QLatin1Char('%'), QStringLiteral("!%"))
            .replace(QLatin1Char('_'), QStringLiteral("!_"));
        pattern = QLatin1Char('%') + pattern + QLatin1Char('%');
        // The server's collation folds accents and case in "like"; SQLite
        // folds the names first, in two steps (see Schema::foldedSql).
        auto matching = [](const char *table, const char *column) {
            if (!Database::isSqlite())
                return QStringLiteral("select id from %1 where %2 like ? escape '!'")
                    .arg(QLatin1String(table), QLatin1String(column));
            return QStringLiteral("select id from (select id, %2 as n from %1) f where %3 like ? escape '!'")
                .arg(QLatin1String(table), Schema::foldCapitalsSql(QLatin1String(column)),
                     Schema::foldSmallSql(QStringLiteral("f.n")));
        };
        const QString enterprise = matching("tellmark_podniky", "podnik_nazev");
        parts << QStringLiteral("pp.id_podnik in (%1)").arg(enterprise)
              << QStringLiteral("pp.id_strediska in (select id from (%1) c union select id from tellmark_strediska "
                                "where id_podnik in (%2))")
                     .arg(matching("tellmark_strediska", "akce_nazev"), enterprise);
        c.binds << pattern << pattern << pattern;
        c.sql += QStringLiteral("(") + parts.join(QStringLiteral(" or ")) + QStringLiteral(") and ");
    }
    return c;
}

namespace {

// The matching part of the search table's statement, for its words.
QString textMatch(const QStringList &words, QVariantList *binds)
{
    QStringList terms;
    const bool sqlite = Database::isSqlite();
    for (const QString &w : words)
        terms << (sqlite ? QLatin1Char('"') + w + QStringLiteral("\"*") : QLatin1Char('+') + w + QLatin1Char('*'));
    *binds << terms.join(QLatin1Char(' '));
    return sqlite ? QStringLiteral("%1 match ?").arg(QLatin1String(Schema::kSearchTable))
                  : QStringLiteral("match(obsah) against (? in boolean mode)");
}


// Ids of a statement's first column, at most `limit` + 1 of them.
bool ids(const QString &sql, const QVariantList &binds, int limit, QSet<int> *out, QString *error)
{
    QSSQL q;
    if (!run(q, sql + QStringLiteral(" limit ?"), QVariantList(binds) << limit + 1, error))
        return false;
    while (q.next())
        out->insert(q.value(0).toInt());
    return true;
}

QString idList(const QSet<int> &set, QVariantList *binds)
{
    QStringList marks;
    for (int id : set) {
        marks << QStringLiteral("?");
        *binds << id;
    }
    return marks.join(QLatin1Char(','));
}

} // namespace

bool resolveSearch(Filter *filter, int limit, QString *error)
{
    const QString text = filter->search.simplified();
    if (text.isEmpty() || filter->searchResolved)
        return true;
    // Without the search table the list's statement searches the subjects.
    if (!Schema::eventLogSearchReady())
        return true;
    QSet<int> roots;
    const QStringList words = searchWords(text);
    if (!words.isEmpty()) {
        QVariantList binds;
        const QString match = textMatch(words, &binds);
        const QString sql =
            QStringLiteral("select distinct id_vlakna from %1 where %2").arg(QLatin1String(Schema::kSearchTable), match);
        if (Database::isSqlite()) {
            if (!ids(sql, binds, limit, &roots, error))
                return false;
        } else {
            // The server's text index reads every match before the first
            // row comes: a word that many events hold takes seconds. Such a
            // word is given up on quickly and searched as the list is read.
            // (A rare word takes well under the limit on an idle server, but
            // a busy or just started one needs some leeway: below it a rare
            // word would be walked for through the whole log, for seconds.)
            QSSQL limitTime;
            QString ignored;
            run(limitTime, QStringLiteral("SET SESSION max_statement_time=0.8"), {}, &ignored);
            QString why;
            QElapsedTimer spent;
            spent.start();
            const bool ok = ids(sql, binds, limit, &roots, &why);
            QSSQL unlimited;
            run(unlimited, QStringLiteral("SET SESSION max_statement_time=0"), {}, &ignored);
            if (!ok) {
                // Given up on: the server names the time limit, or (when it
                // stops the text index's reading) only a handler's error number.
                if (why.contains(QLatin1String("max_statement_time")) || spent.elapsed() >= 750)
                    return true;
                if (error)
                    *error = why;
                return false;
            }
        }
        if (roots.size() > limit)
            return true;
    }
    // Threads filed under an enterprise or centre whose name matches.
    const QString pattern = namePattern(text);
    const bool sqlite = Database::isSqlite();
    auto named = [&](const char *table, const char *column, QSet<int> *out) {
        const QString sql = sqlite
            ? QStringLiteral("select id from (select id, %2 as n from %1) f where %3 like ? escape '!'")
                  .arg(QLatin1String(table), Schema::foldCapitalsSql(QLatin1String(column)),
                       Schema::foldSmallSql(QStringLiteral("f.n")))
            : QStringLiteral("select id from %1 where %2 like ? escape '!'").arg(QLatin1String(table), QLatin1String(column));
        return ids(sql, {pattern}, limit, out, error);
    };
    QSet<int> enterprises;
    QSet<int> centres;
    if (!named("tellmark_podniky", "podnik_nazev", &enterprises) || !named("tellmark_strediska", "akce_nazev", &centres))
        return false;
    if (enterprises.size() > limit || centres.size() > limit)
        return true;
    if (!enterprises.isEmpty()) {
        QVariantList binds;
        const QString list = idList(enterprises, &binds);
        if (!ids(QStringLiteral("select id from tellmark_strediska where id_podnik in (%1)").arg(list), binds, limit,
                 &centres, error))
            return false;
        if (centres.size() > limit)
            return true;
    }
    for (const auto &[set, column] : {std::make_pair(&enterprises, "id_podnik"), std::make_pair(&centres, "id_strediska")}) {
        if (set->isEmpty())
            continue;
        QVariantList binds;
        const QString list = idList(*set, &binds);
        if (!ids(QStringLiteral("select pp.id from tellmark_udalosti pp where pp.%1 in (%2) and %3")
                     .arg(QLatin1String(column), list, QLatin1String(kLiveRoot)),
                 binds, limit, &roots, error))
            return false;
        if (roots.size() > limit)
            return true;
    }
    filter->searchRoots = QVector<int>(roots.cbegin(), roots.cend());
    std::sort(filter->searchRoots.begin(), filter->searchRoots.end());
    filter->searchResolved = true;
    return true;
}

QStringList searchWords(const QString &text)
{
    QStringList words;
    QString word;
    const QString folded = stripDiacritics(text).toLower();
    for (const QChar c : folded) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else if (!word.isEmpty()) {
            words << word;
            word.clear();
        }
    }
    if (!word.isEmpty())
        words << word;
    return words;
}

bool readRows(const QString &sql, const QVariantList &binds, QVector<ListRow> *rows, QString *error);

QString listStatement(const Filter &filter, QVariantList *binds)
{
    const Condition c = condition(filter);
    binds->clear();
    QString roots;
    const bool centre = !filter.global && !idOrNull(filter.strediskoId).isNull();
    const bool enterprise = !filter.global && !idOrNull(filter.podnikId).isNull();
    if (centre) {
        roots = QStringLiteral("select pp.id from tellmark_udalosti pp");
        QString where = QStringLiteral(" where pp.id_strediska=? and ");
        *binds << idOrNull(filter.strediskoId);
        if (enterprise) {
            roots += QStringLiteral(" left join tellmark_strediska pps on pps.id=pp.id_strediska");
            where += QStringLiteral("(pp.id_podnik=? or pps.id_podnik=?) and ");
            *binds << idOrNull(filter.podnikId) << idOrNull(filter.podnikId);
        }
        roots += where + c.sql + QLatin1String(kLiveRoot);
        *binds += c.binds;
    } else if (enterprise) {
        // Filed under the enterprise itself, or under one of its centres:
        // two indexed look-ups instead of one condition over two tables.
        roots = QStringLiteral("select pp.id from tellmark_udalosti pp where pp.id_podnik=? and ") + c.sql
            + QLatin1String(kLiveRoot)
            + QStringLiteral(" union select pp.id from tellmark_strediska pps"
                             " join tellmark_udalosti pp on pp.id_strediska=pps.id where pps.id_podnik=? and ")
            + c.sql + QLatin1String(kLiveRoot);
        *binds << idOrNull(filter.podnikId);
        *binds += c.binds;
        *binds << idOrNull(filter.podnikId);
        *binds += c.binds;
    } else {
        roots = QStringLiteral("select pp.id from tellmark_udalosti pp where ") + c.sql + QLatin1String(kLiveRoot);
        *binds += c.binds;
    }
    return QStringLiteral("with recursive roots(id) as (") + roots + QStringLiteral("),") + QLatin1String(kThread)
        + QLatin1String(kListColumns);
}

bool readList(const Filter &filter, QVector<ListRow> *rows, QString *error)
{
    rows->clear();
    if (!filter.global && idOrNull(filter.podnikId).isNull() && idOrNull(filter.strediskoId).isNull())
        return true;
    QVariantList binds;
    const QString sql = listStatement(filter, &binds);
    return readRows(sql, binds, rows, error);
}

namespace {

// The sort value of a root for the list's column, over the alias `pp`; the
// text columns no index of the events can serve (name, subject, persons)
// sort by their keys in the sort key table `k` (see Schema::kSortTable).
QString sortExpression(int column)
{
    switch (column) {
    case 0: return QStringLiteral("k.jmeno");
    case 1: return QStringLiteral("k.predmet");
    case 2: return QStringLiteral("pp.ts_zacatek");
    case 3: return QStringLiteral("pp.ts_konec");
    case 4: return QStringLiteral("pp.zdroj");
    case 5: return QStringLiteral("pp.kategorie");
    case 6: return QStringLiteral("pp.stav");
    case 7: return QStringLiteral("pp.priorita");
    case 8: return QStringLiteral("k.osoba");
    case 9: return QStringLiteral("pp.typ_synchronizace");
    case 10: return QStringLiteral("pp.cesta");
    case 11: return QStringLiteral("pp.hash");
    default: return QStringLiteral("pp.id");
    }
}

bool byKeyTable(int column)
{
    return (column == 0 || column == 1 || column == 8) && Schema::eventLogSearchReady();
}

// Without the sort key table: the same orders from the events themselves
// (no index serves them; the name needs the enterprise and centre joined).
QString unkeyedExpression(int column)
{
    if (column == 0)
        return QStringLiteral("substr(concat_ws(' | ',nullif(if(pp.id_podnik>0,pdq2.podnik_nazev,pdq.podnik_nazev),''),"
                              "nullif(stq.akce_nazev,''),nullif(pp.lokalita,'')),1,%1)")
            .arg(Schema::kSortKeyLength);
    return QStringLiteral("substr(%1,1,%2)")
        .arg(column == 1 ? QStringLiteral("pp.predmet") : QStringLiteral("pp.odpovedna_osoba"))
        .arg(Schema::kSortKeyLength);
}

const char kNameJoins[] = " left join tellmark_strediska stq on stq.id=pp.id_strediska"
                          " left join tellmark_podniky pdq on pdq.id=stq.id_podnik"
                          " left join tellmark_podniky pdq2 on pdq2.id=pp.id_podnik";

} // namespace

QString pageRootsStatement(const Filter &filter, const Sort &sort, const PageCursor &cursor, int limit,
                           QVariantList *binds)
{
    const Condition c = condition(filter);
    const int column = sort.column >= 0 && sort.column <= 11 ? sort.column : 12;
    const bool keyed = byKeyTable(column);
    const bool unkeyed = (column == 0 || column == 1 || column == 8) && !keyed;
    const QString e = unkeyed ? unkeyedExpression(column) : sortExpression(column);
    // The key table's index holds the id after the key: its order is read
    // as it stands.
    const QString id = keyed ? QStringLiteral("k.id") : QStringLiteral("pp.id");
    const QString dir = sort.descending ? QStringLiteral(" desc") : QString();
    *binds = c.binds;
    QString after;
    if (cursor.started && column == 12) {
        after = sort.descending ? QStringLiteral("pp.id<? and ") : QStringLiteral("pp.id>? and ");
        *binds << cursor.id;
    } else if (cursor.started && cursor.key.isNull()) {
        // No value sorts first going up, last going down.
        after = sort.descending ? QStringLiteral("(%1 is null and %2<?) and ")
                                : QStringLiteral("((%1 is null and %2>?) or %1 is not null) and ");
        after = after.arg(e, id);
        *binds << cursor.id;
    } else if (cursor.started) {
        // The first part bounds the index range the rest is read from
        // (no value sorts before every value in both databases' indexes).
        after = sort.descending ? QStringLiteral("(%1<=? or %1 is null) and (%1<? or (%1=? and %2<?) or %1 is null) and ")
                                : QStringLiteral("%1>=? and (%1>? or (%1=? and %2>?)) and ");
        after = after.arg(e, id);
        *binds << cursor.key << cursor.key << cursor.key << cursor.id;
    }
    *binds << limit + 1;
    // The keys are walked in their order and each root looked up by its id
    // (the join order is fixed: either database would rather sort every root).
    const QString from = !keyed
        ? QStringLiteral("tellmark_udalosti pp") + (column == 0 ? QLatin1String(kNameJoins) : QLatin1String(""))
        : QStringLiteral("%1 k %2 tellmark_udalosti pp on pp.id=k.id")
              .arg(QLatin1String(Schema::kSortTable),
                   Database::isSqlite() ? QStringLiteral("cross join") : QStringLiteral("straight_join"));
    return QStringLiteral("select pp.id, %1 from %2 where ").arg(column == 12 ? QStringLiteral("pp.id") : e, from)
        + c.sql + after + QLatin1String(kLivePageRoot) + QStringLiteral(" order by %1%2").arg(e, dir)
        + (column == 12 ? QString() : QStringLiteral(", %1%2").arg(id, dir)) + QStringLiteral(" limit ?");
}

bool readPageRoots(const Filter &filter, const Sort &sort, const PageCursor &cursor, int limit, QVector<int> *roots,
                   PageCursor *last, bool *more, QString *error)
{
    roots->clear();
    *more = false;
    *last = cursor;
    QVariantList binds;
    const QString sql = pageRootsStatement(filter, sort, cursor, limit, &binds);
    QSSQL q;
    if (!run(q, sql, binds, error))
        return false;
    while (q.next()) {
        if (roots->size() == limit) {
            *more = true;
            break;
        }
        roots->append(q.value(0).toInt());
        last->started = true;
        last->id = roots->constLast();
        last->key = q.value(1);
    }
    return true;
}

bool readThreads(const QVector<int> &roots, QVector<ListRow> *rows, QString *error)
{
    rows->clear();
    if (roots.isEmpty())
        return true;
    QStringList marks;
    QVariantList binds;
    for (int id : roots) {
        marks << QStringLiteral("?");
        binds << id;
    }
    const QString sql = QStringLiteral("with recursive roots(id) as (select id from tellmark_udalosti where id in (")
        + marks.join(QLatin1Char(',')) + QStringLiteral(")),") + QLatin1String(kThread) + QLatin1String(kListColumns);
    return readRows(sql, binds, rows, error);
}

bool readPage(const Filter &filter, const Sort &sort, const PageCursor &cursor, int limit, Page *page, QString *error)
{
    *page = Page();
    return readPageRoots(filter, sort, cursor, limit, &page->roots, &page->last, &page->more, error)
        && readThreads(page->roots, &page->rows, error);
}

bool readRows(const QString &sql, const QVariantList &binds, QVector<ListRow> *rows, QString *error)
{
    rows->clear();
    QSSQL q;
    if (!run(q, sql, binds, error))
        return false;
    while (q.next()) {
        ListRow r;
        r.id = q.value(0).toInt();
        r.podnikName = q.value(1).toString();
        r.centreName = q.value(2).toString();
        r.place = q.value(3).toString();
        r.start = q.value(4).toDateTime();
        r.end = q.value(5).toDateTime();
        r.source = intOrNull(q.value(6));
        r.category = intOrNull(q.value(7));
        r.state = intOrNull(q.value(8));
        r.persons = q.value(9).toString();
        r.synchronisation = intOrNull(q.value(10));
        r.journey = intOrNull(q.value(11));
        r.subject = q.value(12).toString();
        r.strediskoId = q.value(13);
        r.podnikId = q.value(14);
        r.parentId = q.value(15).toInt();
        r.hash = q.value(16).toString();
        r.priority = intOrNull(q.value(17));
        rows->append(r);
    }
    return true;
}

bool read(int id, EventRecord *record, bool *found, QString *error)
{
    *found = false;
    QSSQL q;
    if (!run(q, QLatin1String(kRead), {id}, error))
        return false;
    if (!q.next())
        return true;
    *found = true;
    EventRecord r;
    r.id = q.value(0);
    r.place = q.value(1).toString();
    r.start = q.value(2).toDateTime();
    r.end = q.value(3).toDateTime();
    r.source = intOrNull(q.value(4));
    r.category = intOrNull(q.value(5));
    r.state = intOrNull(q.value(6));
    r.persons = q.value(7).toString();
    r.subject = q.value(8).toString();
    r.description = q.value(9).toString();
    r.mail = q.value(10).toInt() > 0;
    r.strediskoId = q.value(11);
    r.strediskoName = q.value(12).toString();
    r.synchronisation = intOrNull(q.value(13));
    r.service = q.value(14).toInt() > 0;
    r.podnikId = q.value(15);
    r.podnikName = q.value(16).toString();
    r.notifyFrom = q.value(17).toDate();
    r.parentId = q.value(18);
    r.journey = q.value(19).toInt() > 0;
    r.project = q.value(20).toString();
    r.hash = q.value(21).toString();
    r.priority = intOrNull(q.value(22));
    r.calendarStart = q.value(23).toDateTime();
    for (const FieldValue &f : formValues(r, true))
        r.stored.insert(f.column.toUpper(), q.value(f.column));
    *record = r;
    return true;
}

FieldValues formValues(const EventRecord &r, bool global)
{
    FieldValues v = {{QStringLiteral("ts_zacatek"), dateTimeOrNull(r.start)},
                     {QStringLiteral("ts_kal_zacatek"), dateTimeOrNull(r.calendarStart)},
                     {QStringLiteral("ts_konec"), dateTimeOrNull(r.end)},
                     {QStringLiteral("lokalita"), nullIfEmpty(r.place)}};
    if (global)
        v << FieldValue{QStringLiteral("id_podnik"), idOrNull(r.podnikId)}
          << FieldValue{QStringLiteral("id_strediska"), idOrNull(r.strediskoId)};
    v << FieldValue{QStringLiteral("zdroj"), r.source} << FieldValue{QStringLiteral("kategorie"), r.category}
      << FieldValue{QStringLiteral("priorita"), r.priority} << FieldValue{QStringLiteral("stav"), r.state}
      << FieldValue{QStringLiteral("typ_synchronizace"), r.synchronisation}
      << FieldValue{QStringLiteral("cesta"), r.journey ? 1 : 0}
      << FieldValue{QStringLiteral("cislo_projektu"), nullIfEmpty(r.project)}
      << FieldValue{QStringLiteral("odpovedna_osoba"), nullIfEmpty(r.persons)}
      << FieldValue{QStringLiteral("notifikace"), r.mail ? 1 : 0}
      << FieldValue{QStringLiteral("notifikacef"), r.service ? 1 : 0}
      << FieldValue{QStringLiteral("predmet"), r.subject}
      << FieldValue{QStringLiteral("popis"), withCharset(r.description)}
      << FieldValue{QStringLiteral("upozornit_od"), dateOrNull(r.notifyFrom)};
    return v;
}

bool update(const EventRecord &r, bool global, QString *error)
{
    QStringList sets = {QStringLiteral("ts_modifikovano=?")};
    QVariantList b = {QDateTime::currentDateTime()};
    for (const FieldValue &f : formValues(r, global)) {
        sets << f.column + QStringLiteral("=?");
        b << f.value;
    }
    b << r.id;
    QSSQL q;
    if (!run(q, QStringLiteral("update tellmark_udalosti set ") + sets.join(QLatin1Char(',')) + QStringLiteral(" where id=?"),
             b, error))
        return false;
    if (q.numRowsAffected() == 0) {
        // Gone since it was read (a colleague deleted it for good).
        QSSQL check;
        QString ignored;
        if (run(check, QStringLiteral("select id from tellmark_udalosti where id=?"), {r.id}, &ignored)
            && !check.next()) {
            if (error)
                *error = QCoreApplication::translate("EventStore", "Událost už v databázi není.");
            return false;
        }
    }
    return true;
}

bool insert(const EventRecord &r, const QString &hash, const QVariant &rootId, QVariant *newId, QString *error)
{
    const QDateTime now = QDateTime::currentDateTime();
    const bool reply = !r.isRoot();
    QVariantList b;
    if (reply) {
        // The parent must still be there: a reply under an event deleted in
        // the meantime would never be listed.
        QSSQL lock;
        if (!run(lock, QStringLiteral("select smazano from tellmark_udalosti where id=?") + forUpdate(), {r.parentId},
                 error))
            return false;
        if (!lock.next() || lock.value(0).toInt() != 0) {
            if (error)
                *error = QCoreApplication::translate("EventStore", "Událost, na kterou odpovídáte, byla mezitím smazána.");
            return false;
        }
        b << r.parentId << QVariant(QVariant::LongLong) << QVariant(QVariant::LongLong) << now << now
          << dateTimeOrNull(r.start) << QVariant(QVariant::DateTime) << QVariant(QVariant::DateTime)
          << QVariant(QVariant::String) << (r.mail ? 1 : 0) << (r.service ? 1 : 0) << 0 << 0 << 0 << 0 << 0
          << QVariant(QVariant::String) << nullIfEmpty(r.persons) << r.subject << withCharset(r.description) << hash
          << QVariant(QVariant::Date);
    } else {
        b << idOrNull(r.podnikId) << idOrNull(r.strediskoId) << now << now << dateTimeOrNull(r.start)
          << dateTimeOrNull(r.calendarStart) << dateTimeOrNull(r.end) << nullIfEmpty(r.place) << (r.mail ? 1 : 0)
          << (r.service ? 1 : 0) << r.source << r.category << r.state << r.synchronisation << (r.journey ? 1 : 0)
          << nullIfEmpty(r.project) << nullIfEmpty(r.persons) << r.subject << withCharset(r.description) << hash
          << dateOrNull(r.notifyFrom);
    }
    QSSQL q;
    if (!run(q, QLatin1String(reply ? kInsertReply : kInsert), b, error))
        return false;
    *newId = q.lastInsertId();
    if (!newId->isValid() || newId->toLongLong() <= 0) {
        if (error)
            *error = QCoreApplication::translate("EventStore", "Databáze nevrátila číslo nové události.");
        return false;
    }
    if (reply) {
        // The thread's state lives on its root.
        QSSQL state;
        if (!run(state, QStringLiteral("update tellmark_udalosti set stav=? where id=?"), {r.state, rootId}, error))
            return false;
    }
    return true;
}

bool threadRoot(int id, int *rootId, QVariant *rootState, QString *error)
{
    QSSQL q;
    if (!run(q, QLatin1String(kThreadRoot), {id}, error))
        return false;
    if (!q.next()) {
        if (error)
            *error = QCoreApplication::translate("EventStore", "Nelze zjistit první událost vlákna.");
        return false;
    }
    *rootId = q.value(0).toInt();
    *rootState = intOrNull(q.value(1));
    return true;
}

DeleteResult removeLeaf(int id, QString *error)
{
    DbTransaction tx;
    if (!tx.isOpen()) {
        if (error)
            *error = tx.error();
        return DeleteResult::Failed;
    }
    // Lock the event first: a colleague's reply to it waits for this
    // transaction and then finds the event deleted.
    QSSQL self;
    if (!run(self, QStringLiteral("select id from tellmark_udalosti where id=? and smazano=0") + forUpdate(), {id},
             error))
        return DeleteResult::Failed;
    if (!self.next()) {
        if (error)
            *error = QCoreApplication::translate("EventStore", "Událost už byla smazána.");
        return DeleteResult::Failed;
    }
    QSSQL replies;
    if (!run(replies, QStringLiteral("select id from tellmark_udalosti where id_parent=? and smazano=0") + forUpdate(),
             {id}, error))
        return DeleteResult::Failed;
    if (replies.next())
        return DeleteResult::HasReplies;
    QSSQL mark;
    QSSQL files;
    if (!run(mark, QStringLiteral("update tellmark_udalosti set smazano=1 where id=?"), {id}, error)
        || !run(files, QStringLiteral("delete from tellmark_udalosti_prilohy where id_udalosti=?"), {id}, error))
        return DeleteResult::Failed;
    if (!tx.commit()) {
        if (error)
            *error = tx.error();
        return DeleteResult::Failed;
    }
    return DeleteResult::Deleted;
}

QString withCharset(const QString &html)
{
    const QString marker = QLatin1String(kRichTextMarker);
    const QString declared = marker + QLatin1String(kCharset);
    if (html.contains(declared) || !html.contains(marker))
        return html;
    QString out = html;
    out.replace(out.indexOf(marker), marker.size(), declared);
    return out;
}

QString quotation(const QDateTime &parentStart, const QString &parentDescription)
{
    // Without a start there is no day to name.
    if (!parentStart.isValid())
        return QStringLiteral("<br><br><br><b>") + QCoreApplication::translate("EventStore", "Napsáno:")
            + QStringLiteral("</b><hr>") + parentDescription;
    QString when;
    if (parentStart.time() != QTime(0, 0, 0))
        when = parentStart.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
    else
        when = parentStart.date().toString(Qf::defaultDateFormat());
    return QStringLiteral("<br><br><br><b>") + QCoreApplication::translate("EventStore", "Dne ") + when
        + QCoreApplication::translate("EventStore", ", napsáno:") + QStringLiteral("</b><hr>") + parentDescription;
}

} // namespace EventStore
