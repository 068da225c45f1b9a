#include "register/filtr.h"

#include "core/ids.h"
#include "db/qssql.h"

#include <QCoreApplication>
#include <QSet>
#include <QSettings>

namespace Filtr {

namespace {

const QString kNeurceno = QStringLiteral("Neurčeno");

QStringList withNeurceno(std::initializer_list<const char *> entries)
{
    QStringList list{kNeurceno};
    for (const char *e : entries)
        list << QString::fromUtf8(e);
    return list;
}

// Check boxes, then the lists beside them, with their keys.
struct ListKey {
    ListChoice State::*member;
    const char *box;
    const char *combo;
};
const ListKey kLists[] = {
    {&State::holding, "df/pholding", "df/pholding_cb"},
    {&State::zeme, "df/pzeme", "df/pzeme_cb"},
    {&State::chsw, "df/pchsw", "df/pchsw_cb"},
    {&State::oo, "df/poo", "df/poo_cb"},
    {&State::stavSw, "df/pstavsw", "df/pstavsw_cb"},
    {&State::stavTech, "df/pstavtech", "df/pstavtech_cb"},
    {&State::techSw, "df/sstechsw", "df/sstechsw_cb"},
    {&State::dojirna, "df/ssdoj", "df/ssdoj_cb"},
    {&State::aktivita, "df/ssakt", "df/ssakt_cb"},
    {&State::reprodukce, "df/srep", "df/srep_cb"},
};
struct BoolKey {
    bool State::*member;
    const char *key;
};
const BoolKey kBools[] = {
    {&State::podniky, "df/ppodniky"},     {&State::ico, "df/pico"},
    {&State::region, "df/pregion"},       {&State::regionSt, "df/pregion_st"},
    {&State::regionTa, "df/pregion_ta"},  {&State::regionLi, "df/pregion_li"},
    {&State::regionUh, "df/pregion_uh"},  {&State::regionTm, "df/pregion_tm"},
    {&State::dojniceOd, "df/pdojnice_od"}, {&State::poznamka, "df/ppoznamka"},
    {&State::licence, "df/slc"},          {&State::negace, "df/negace"},
};
struct TextKey {
    QString State::*member;
    const char *key;
};
const TextKey kTexts[] = {
    {&State::podnikyIds, "df/ppodniky_id"},
    {&State::icoText, "df/picoe"},
    {&State::dojniceText, "df/pdojnice_od_ks"},
    {&State::poznamkaText, "df/ppoznamkae"},
};

bool readBool(QSettings &s, const char *key)
{
    const QVariant v = s.value(QLatin1String(key));
    if (v.type() == QVariant::Bool)
        return v.toBool();
    const QString t = v.toString().trimmed().toLower();
    return t == QLatin1String("true") || t == QLatin1String("1");
}

int readInt(QSettings &s, const QString &key)
{
    bool ok = false;
    const int v = s.value(key).toString().trimmed().toInt(&ok);
    return ok ? v : 0;
}

QString textKey(const char *comboKey)
{
    return QLatin1String(comboKey) + QStringLiteral("_text");
}

// The entry a choice stands for: its stored text when that is one of the
// list's entries (or, for a database list, any stored text: it is compared
// as a value), else the entry at its index; empty when neither resolves.
QString resolve(const ListChoice &c, const QStringList &fixed, const std::function<QStringList()> &databaseList)
{
    if (!databaseList) {
        if (!c.entry.isEmpty() && fixed.contains(c.entry))
            return c.entry;
        return c.index >= 0 && c.index < fixed.size() ? fixed.at(c.index) : QString();
    }
    if (!c.entry.isEmpty())
        return c.entry;
    if (c.index == 0)
        return kNeurceno;
    const QStringList list = databaseList();
    return c.index > 0 && c.index < list.size() ? list.at(c.index) : QString();
}

bool wholeNumber(const QString &text, qlonglong *value)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    for (const QChar c : t) {
        if (!c.isDigit() || c.unicode() > '9')
            return false;
    }
    bool ok = false;
    *value = t.toLongLong(&ok);
    return ok;
}

} // namespace

State State::load(QSettings &s)
{
    State st;
    for (const ListKey &k : kLists) {
        ListChoice &c = st.*(k.member);
        c.on = readBool(s, k.box);
        c.index = readInt(s, QLatin1String(k.combo));
        c.entry = s.value(textKey(k.combo)).toString();
    }
    for (const BoolKey &k : kBools)
        st.*(k.member) = readBool(s, k.key);
    for (const TextKey &k : kTexts)
        st.*(k.member) = s.value(QLatin1String(k.key)).toString();
    return st;
}

void State::save(QSettings &s) const
{
    for (const ListKey &k : kLists) {
        const ListChoice &c = this->*(k.member);
        s.setValue(QLatin1String(k.box), c.on);
        s.setValue(QLatin1String(k.combo), c.index);
        s.setValue(textKey(k.combo), c.entry);
    }
    for (const BoolKey &k : kBools)
        s.setValue(QLatin1String(k.key), this->*(k.member));
    for (const TextKey &k : kTexts)
        s.setValue(QLatin1String(k.key), this->*(k.member));
}

QStringList zemeList() { return withNeurceno({"CZ", "SK", "PL", "RU", "BL"}); }
QStringList chovatelskySwList() { return withNeurceno({"Tellmark", "Korbanit Skot", "Bravel", "Norvex"}); }
QStringList stavSwList()
{
    return withNeurceno({"Rozpracováno", "Poptávka", "Odeslaná nabídka", "Zamítnuto", "Podepsáno", "Vypovězeno"});
}
QStringList stavTechList()
{
    return withNeurceno({"Rozpracováno", "Poptávka", "Odeslaná nabídka", "Zamítnuto", "Podepsáno"});
}
QStringList techSwList()
{
    return withNeurceno({"Tellmark", "Fastos 2000", "Fastos 3", "Crystal", "Afifarm", "Dairyplan", "T4C", "Delpro",
                         "Alpro", "Dairymaster", "Herdmetric", "EasyCow", "Smartdairy"});
}
QStringList dojirnaList()
{
    return withNeurceno({"Molvane", "Westfalia", "Lely", "Afikim", "Fullwood", "Boumatic", "Delaval", "Germania",
                         "Dairymaster", "Gascoigne Melotte"});
}
QStringList aktivitaList()
{
    return withNeurceno({"Žádná", "Molvane", "SCR", "Ovalert", "Afikim", "Nedap", "Dairymaster", "Cow Watch",
                         "Delaval", "Westfalia"});
}
QStringList reprodukceList()
{
    return withNeurceno({"Molvane", "CRV", "Reprogen", "Jihočeský chovatel", "Natural", "Chovservis", "Plemko", "CBS",
                         "Alta", "Insemina"});
}

bool holdingList(QStringList *list, QString *error)
{
    *list = QStringList{kNeurceno};
    QSSQL q;
    if (!q.exec(QStringLiteral("select nazev_holding from tellmark_holding order by 1"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    while (q.next())
        *list << q.value(0).toString();
    return true;
}

bool personList(QStringList *list, QString *error)
{
    *list = QStringList{kNeurceno};
    QSSQL q;
    if (!q.exec(QStringLiteral("select O_ODPOVEDNA_OSOBA from tellmark_podniky group by O_ODPOVEDNA_OSOBA order by 1"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    while (q.next()) {
        const QVariant v = q.value(0);
        const QString codes = v.type() == QVariant::ByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
        for (const QString &code : codes.split(QLatin1Char(','), Qt::SkipEmptyParts))
            *list << code;
    }
    return true;
}

QString cleanIds(const QString &ids)
{
    return cleanIdList(ids);
}

QString podnikyText(const QString &ids)
{
    const QString clean = cleanIds(ids);
    const int count = clean.isEmpty() ? 0 : clean.split(QLatin1Char(',')).size();
    return QCoreApplication::translate("Filtr", "Počet vybraných podniků :") + QString::number(count);
}

QString condition(const State &st, const Lists &lists, const std::function<QString(const QString &)> &quote)
{
    QString cond;
    auto append = [&cond](const QString &piece, bool asIs) {
        if (piece.isEmpty())
            return;
        if (!cond.isEmpty())
            cond += QLatin1String(" and ");
        cond += asIs ? piece : QLatin1Char(' ') + piece + QLatin1Char(' ');
    };
    // "column='entry'" or "column is null" for "Neurčeno"; nothing when the
    // choice does not resolve to an entry.
    auto equals = [&](const ListChoice &c, const QStringList &fixed, const std::function<QStringList()> &db,
                      const QString &column) {
        if (!c.on)
            return;
        const QString entry = resolve(c, fixed, db);
        if (entry.isEmpty())
            return;
        append(entry == kNeurceno ? column + QLatin1String(" is null") : column + QLatin1Char('=') + quote(entry), false);
    };

    equals(st.holding, {}, lists.holdings ? lists.holdings : [] { return QStringList{kNeurceno}; },
           QStringLiteral("hdq.nazev_holding"));
    if (st.podniky) {
        QStringList ids;
        for (const QString &id : cleanIds(st.podnikyIds).split(QLatin1Char(','), Qt::SkipEmptyParts))
            ids << QStringLiteral("pdq.id=") + id;
        if (!ids.isEmpty())
            append(QLatin1String(" (") + ids.join(QLatin1String(" or ")) + QLatin1String(") "), true);
    }
    if (st.ico && !st.icoText.isEmpty())
        append(QStringLiteral("pdq.ico like ") + quote(QLatin1Char('%') + st.icoText + QLatin1Char('%')), false);
    equals(st.zeme, zemeList(), {}, QStringLiteral("pdq.zeme"));
    if (st.region) {
        QStringList parts;
        const std::pair<bool, const char *> regions[] = {
            {st.regionSt, "ST"}, {st.regionTa, "TA"}, {st.regionLi, "LI"}, {st.regionUh, "UH"}, {st.regionTm, "TM"}};
        for (const auto &r : regions) {
            if (r.first)
                parts << QStringLiteral("(pdq.obr like '%%1%')").arg(QLatin1String(r.second));
        }
        if (!parts.isEmpty())
            append(QLatin1String(" (") + parts.join(QLatin1String(" or ")) + QLatin1String(") "), true);
    }
    if (st.chsw.on) {
        const QString entry = resolve(st.chsw, chovatelskySwList(), {});
        if (entry == kNeurceno)
            append(QStringLiteral("pdq.sw is null"), false);
        else if (!entry.isEmpty())
            append(QStringLiteral("pdq.sw like ") + quote(QLatin1Char('%') + entry + QLatin1Char('%')), false);
    }
    if (st.oo.on) {
        // Whole codes of the comma list: "J" does not also select "JN".
        const QString entry = resolve(st.oo, {}, lists.persons ? lists.persons : [] { return QStringList{kNeurceno}; });
        if (entry == kNeurceno)
            append(QStringLiteral("pdq.o_odpovedna_osoba is null"), false);
        else if (!entry.isEmpty())
            append(QStringLiteral("FIND_IN_SET(") + quote(entry) + QStringLiteral(",pdq.o_odpovedna_osoba)"), false);
    }
    if (st.dojniceOd) {
        qlonglong count = 0;
        if (wholeNumber(st.dojniceText, &count))
            append(QStringLiteral("pdq.dojnice_ks>=") + QString::number(count), false);
    }
    if (st.poznamka && !st.poznamkaText.isEmpty())
        append(QStringLiteral("pdq.obr_poznamka=") + quote(st.poznamkaText), false);
    equals(st.stavSw, stavSwList(), {}, QStringLiteral("pdq.o_stav"));
    equals(st.stavTech, stavTechList(), {}, QStringLiteral("pdq.o_stavt"));
    if (st.licence)
        append(QStringLiteral(" (stq.licence_cislo>0) "), true);
    equals(st.techSw, techSwList(), {}, QStringLiteral("stq.ssw"));
    equals(st.dojirna, dojirnaList(), {}, QStringLiteral("stq.sdoj"));
    equals(st.aktivita, aktivitaList(), {}, QStringLiteral("stq.spa"));
    equals(st.reprodukce, reprodukceList(), {}, QStringLiteral("stq.srep"));

    if (st.negace && !cond.isEmpty())
        cond = QLatin1String(" ( not (") + cond + QLatin1String(") )");
    return cond;
}

QString conditionForDatabase(const State &state)
{
    auto quote = [](const QString &text) { return QSSQL::textLiteral(text); };
    Lists lists;
    lists.holdings = [] {
        QStringList l;
        holdingList(&l, nullptr);
        return l;
    };
    lists.persons = [] {
        QStringList l;
        personList(&l, nullptr);
        return l;
    };
    return condition(state, lists, quote);
}

} // namespace Filtr
