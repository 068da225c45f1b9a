#include "outputs/reports.h"

#include "db/qssql.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QStringList>
#include <QVector>
#include <QUrl>

#include <cmath>

namespace Reports {
namespace {

const char kScreenStyle[] =
    "<meta charset='utf-8'>"
    "<style type='text/css'>"
    "h2 {display: inline;}"
    "table.gridtable {font-size:11px; color:#333333; border-width:1px; border-color:#666666; border-collapse:collapse;}"
    "table.gridtable th {border-width:1px; padding:8px; border-style:solid; border-color:#666666; background-color:#dedede;}"
    "table.gridtable td {border-width:1px; padding:8px; border-style:solid; border-color:#666666;}"
    "</style>";

const char kPrintHead[] =
    "<!DOCTYPE html><html><head><meta charset='utf-8'>"
    "<style type='text/css'>"
    "h2 {display: inline;}"
    "table.gridtable {font-size:12px; color:#333333; border-width:1px; border-color:#666666; border-collapse:collapse;}"
    "table.gridtable th {border-width:1px; padding:8px; border-style:solid; border-color:#666666; background-color:#dedede;}"
    "table.gridtable td {border-width:1px; padding:8px; border-style:solid; border-color:#666666;}"
    "@page {size: A4; margin: 0;}"
    "table.gridtable tr {page-break-inside: avoid;}"
    "table.gridtable tbody {page-break-before: always;}"
    "table.gridtable tr.noBorder td {border: 0;}"
    "</style></head><body>";

// Centre counts per licence range and the enterprises with licensed centres.
const char kOverviewCentres[] =
    "select coalesce(sum(case when s.licence_cislo>0 and s.licence_cislo<10000 then 1 else 0 end),0),"
    "       coalesce(sum(case when s.licence_cislo>=10000 and s.licence_cislo<40000 then 1 else 0 end),0),"
    "       coalesce(sum(case when s.licence_cislo>=40000 and s.licence_cislo<50000 then 1 else 0 end),0),"
    "       coalesce(sum(case when s.licence_cislo>0 and s.licence_cislo<50000 then 1 else 0 end),0),"
    "       count(distinct case when s.licence_cislo>0 and s.licence_cislo<50000 then p.id end)"
    "  from tellmark_strediska s left join tellmark_podniky p on p.id=s.id_podnik";

// Contracts, then one column per month: first and last day bound.
const char kOverviewContracts[] =
    "select coalesce(sum(case when SMLOUVA_FAKTURACE_CASTKA_ROK>0 then 1 else 0 end),0)";
const char kOverviewMonth[] =
    ", coalesce(sum(case when SMLOUVA_FAKTURACE_CASTKA_ROK>0 and SMLOUVA_FAKTURACE_OD>=? and SMLOUVA_FAKTURACE_OD<=?"
    " then 1 else 0 end),0)";

// One row per licensed centre; an enterprise's centres are adjacent because
// the id follows the name in the order.
const char kEconomic[] =
    "select p.id,p.obr,p.podnik_nazev,p.smlouva_podepsano,p.smlouva_fakturace_castka_rok,p.skot_ks,p.dojnice_ks,"
    "       p.smlouva_fakturace_mena,p.smlouva_cislo,s.aktualizovano,s.pocet_kusu,s.pocet_krav,s.pocet_obojku,"
    "       s.pocet_pedometru,s.licence_cislo,p.smlouva_organizace,p.smlouva_poznamka"
    "  from tellmark_strediska s join tellmark_podniky p on p.id=s.id_podnik"
    " where s.licence_cislo>0 and s.licence_cislo<42000";
const char kEconomicOrder[] = " order by lower(p.obr),p.obr,p.podnik_nazev,p.id";

enum EconomicColumn {
    EId, ERegion, EName, ESigned, EAmount, ESkot, EDojnice, ECurrency, EContract, EUpdated,
    EKusu, EKrav, EObojku, EPedometru, ELicence, EOrganisation, ENote
};

const char kCentres[] =
    "select s.licence_cislo,p.podnik_nazev,s.akce_nazev from tellmark_strediska s"
    "  left join tellmark_podniky p on s.id_podnik=p.id"
    " where %1 (s.licence_cislo>0) and (s.licence_cislo<50000) order by s.licence_cislo";

// The enterprise's own amount (a namesake with a contract does not count).
const char kUpdates[] =
    "select a.LICENCE_CISLO,b.PODNIK_NAZEV,a.VERZE_PROGRAMU,a.AKTUALIZOVANO from tellmark_strediska a"
    "  left join tellmark_podniky b on a.id_podnik=b.id"
    " where %1 b.SMLOUVA_FAKTURACE_CASTKA_ROK>0 and a.LICENCE_CISLO>0 order by 3,1";

// Every centre with a VNC id in some slot; the slots are sorted out here.
const char kVncCentres[] =
    "select p.podnik_nazev,s.akce_nazev,s.licence_cislo,"
    "       s.uvnc1_id,s.uvnc2_id,s.uvnc3_id,s.uvnc4_id,s.UVNC1_AF,s.UVNC2_AF,s.UVNC3_AF,s.UVNC4_AF"
    "  from tellmark_strediska s left join tellmark_podniky p on p.id=s.id_podnik"
    " where %1 s.licence_cislo>0 and (cast(s.uvnc1_id as signed)>0 or cast(s.uvnc2_id as signed)>0"
    "       or cast(s.uvnc3_id as signed)>0 or cast(s.uvnc4_id as signed)>0)"
    " order by 1,2";
// The repeater log's newest entry per id, for the ids of the centres only.
// The ids are gathered first: "uid in (select ... union ...)" runs as a
// dependent subquery per log row on MariaDB.
const char kVncLog[] =
    "select v.uid,max(v.ts) from"
    " (select uvnc1_id as vid from tellmark_strediska where licence_cislo>0"
    "  union select uvnc2_id from tellmark_strediska where licence_cislo>0"
    "  union select uvnc3_id from tellmark_strediska where licence_cislo>0"
    "  union select uvnc4_id from tellmark_strediska where licence_cislo>0) ids"
    " join vnc v on v.uid=ids.vid group by v.uid";

const char *const kMonths[] = {QT_TRANSLATE_NOOP("Reports", "Leden "), QT_TRANSLATE_NOOP("Reports", "Únor "), QT_TRANSLATE_NOOP("Reports", "Březen "), QT_TRANSLATE_NOOP("Reports", "Duben "), QT_TRANSLATE_NOOP("Reports", "Květen "), QT_TRANSLATE_NOOP("Reports", "Červen "),
                               QT_TRANSLATE_NOOP("Reports", "Červenec "), QT_TRANSLATE_NOOP("Reports", "Srpen "), QT_TRANSLATE_NOOP("Reports", "Září "), QT_TRANSLATE_NOOP("Reports", "Říjen "), QT_TRANSLATE_NOOP("Reports", "Listopad "), QT_TRANSLATE_NOOP("Reports", "Prosinec ")};

QString esc(const QString &s) { return s.toHtmlEscaped(); }

QString text(const QVariant &v)
{
    if (v.isNull())
        return QString();
    switch (v.type()) {
    case QVariant::DateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QVariant::Date:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    default:
        return v.toString();
    }
}

QString cell(const QVariant &v) { return esc(text(v)); }

QString amountText(double v)
{
    if (std::fabs(v - std::round(v)) < 0.005)
        return QString::number(qint64(std::llround(v)));
    return QString::number(v, 'f', 2);
}

QString heading(const QString &title)
{
    return QStringLiteral("<center><h1>") + title + QStringLiteral("<h1></center><br>");
}

QString tableOpen(const QString &caption, const QString &header)
{
    return QStringLiteral("<center><table class='gridtable' width='80%'><caption align='bottom'>") + caption
           + QStringLiteral("</caption>") + header;
}

QString tableClose() { return QStringLiteral("<tr height='10px'></tr></table></center><br>"); }

QString row(const QStringList &cells)
{
    QString r = QStringLiteral("<tr>");
    for (const QString &c : cells)
        r += QStringLiteral("<td>") + c + QStringLiteral("</td>");
    return r + QStringLiteral("</tr>");
}

void noteError(Result *r, const QSSQL &q)
{
    if (r->error.isEmpty())
        r->error = q.lastError().text();
}

// Rows of a plain listing, every value as text. The statement's %1 takes
// the user's restriction.
QString listing(const char *sql, const Visibility::Sql &visible, int columns, Result *r, const Progress &progress)
{
    QString rows;
    QSSQL q;
    if (!q.exec(QString::fromUtf8(sql).arg(visible.andThen()), visible.binds)) {
        noteError(r, q);
        return rows;
    }
    for (qint64 n = 0; q.next(); ++n) {
        if (!goOn(progress, n, 0)) {
            r->cancelled = true;
            return rows;
        }
        QStringList cells;
        for (int c = 0; c < columns; ++c)
            cells << cell(q.value(c));
        rows += row(cells);
    }
    return rows;
}

} // namespace

QString welcome()
{
    return QLatin1String(kScreenStyle) + heading(QCoreApplication::translate("Reports", "Vítejte v evidenčním systému"))
           + QCoreApplication::translate("Reports", "Vyberte sestavu...");
}

Result overview(const QDate &today, const Visibility &visibility, const Progress &progress)
{
    Result r;
    if (!goOn(progress, 0, 2)) {
        r.cancelled = true;
        return r;
    }
    QVector<QString> centres(5);
    {
        QSSQL q;
        const Visibility::Sql visible = visibility.centreRow(QStringLiteral("s"), QStringLiteral("p"));
        if (q.exec(QString::fromLatin1(kOverviewCentres) + visible.where(), visible.binds) && q.next()) {
            for (int i = 0; i < 5; ++i)
                centres[i] = cell(q.value(i));
        } else {
            noteError(&r, q);
        }
    }

    if (!goOn(progress, 1, 2)) {
        r.cancelled = true;
        return r;
    }
    const QDate first(today.year(), today.month(), 1);
    QString sql = QString::fromLatin1(kOverviewContracts);
    for (int m = 0; m < 12; ++m)
        sql += QLatin1String(kOverviewMonth);
    const Visibility::Sql visible = visibility.enterprise(QStringLiteral("p"));
    sql += QStringLiteral(" from tellmark_podniky p") + visible.where();
    QVector<QString> contracts(13);
    {
        QSSQL q;
        q.prepare(sql);
        for (int m = 0; m < 12; ++m) {
            const QDate from = first.addMonths(-m);
            q.addBindValue(from.toString(QStringLiteral("yyyy-MM-dd")));
            q.addBindValue(from.addMonths(1).addDays(-1).toString(QStringLiteral("yyyy-MM-dd")));
        }
        for (const QVariant &v : visible.binds)
            q.addBindValue(v);
        if (q.exec() && q.next()) {
            for (int i = 0; i < 13; ++i)
                contracts[i] = cell(q.value(i));
        } else {
            noteError(&r, q);
        }
    }

    auto count = [](const QString &label, const QString &value, bool yellow) {
        return QStringLiteral("<tr><td>") + label + (yellow ? QStringLiteral("</td><td bgcolor='yellow'><center>")
                                                            : QStringLiteral("</td><td><center>"))
               + value + QStringLiteral("</center></td></tr>");
    };
    QString &h = r.html;
    h = QLatin1String(kScreenStyle) + heading(QCoreApplication::translate("Reports", "Vítejte v evidenčním systému"))
        + QCoreApplication::translate("Reports", "<h2>1. Statistiky Tellmarku a Tarva</h2><br><br>");
    const QString countHeader = QCoreApplication::translate("Reports", "<tr><th></th><th width='150'>Počet</th></tr>");
    h += tableOpen(QCoreApplication::translate("Reports", "Tab 1.: Celkové počty přes střediska"), countHeader);
    h += count(QCoreApplication::translate("Reports", "Počet licencí 1-9999, Molvane"), centres[0], false);
    h += count(QCoreApplication::translate("Reports", "Počet licencí 10000-39999, Molvane bez technologie"), centres[1], false);
    h += count(QCoreApplication::translate("Reports", "Počet licencí 40000-49999, Tarvo"), centres[2], false);
    h += count(QCoreApplication::translate("Reports", "Suma"), centres[3], true);
    h += tableClose();
    h += tableOpen(QCoreApplication::translate("Reports", "Tab 2.: Celkové počty přes podniky"), countHeader);
    h += count(QCoreApplication::translate("Reports", "Uzavřených smluv"), contracts[0], true);
    h += count(QCoreApplication::translate("Reports", "Celkem podniků se středisky"), centres[4], true);
    h += tableClose();
    h += tableOpen(QCoreApplication::translate("Reports", "Tab 3.: Počty uzavřených smluv za posledních 12 měsíců"),
                   QCoreApplication::translate("Reports", "<tr><th>Období</th><th width='150'>Molvane</th></tr>"));
    for (int m = 0; m < 12; ++m) {
        const QDate month = first.addMonths(-m);
        h += count(QCoreApplication::translate("Reports", kMonths[month.month() - 1]) + QString::number(month.year()), contracts[m + 1],
                   false);
    }
    h += tableClose();
    return r;
}

namespace {

QString regionHeading(const QString &region)
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("li"), QStringLiteral("Litomyšl")},
        {QStringLiteral("uh"), QStringLiteral("Uherské Hradiště")},
        {QStringLiteral("ta"), QStringLiteral("Tábor")},
        {QStringLiteral("st"), QStringLiteral("Strakonice")},
        {QStringLiteral("zo"), QCoreApplication::translate("Reports", "Zahraniční obchod")},
        {QStringLiteral("pl"), QCoreApplication::translate("Reports", "Polsko")},
        {QStringLiteral("tm"), QStringLiteral("Tellmark")},
    };
    return names.value(region.toLower(), esc(region));
}

QString economicHeader()
{
    return QCoreApplication::translate("Reports",
        "<tr><th colspan=7></th><th colspan=2>EO</th><th colspan=5>ZRN</th></tr>"
        "<tr><th>#</th><th>Podnik</th><th>Středisek</th><th>Smlouva</th><th>Poznámka</th><th>Podepsáno</th>"
        "<th>Částka</th><th>Skot ks</th><th>Dojnice ks</th><th>Aktualizovano</th><th>Skot ks</th>"
        "<th>Dojnice ks</th><th>Obojky ks</th><th>Pedometry ks</th></tr>");
}

QString groupTitle(const QString &title)
{
    return QStringLiteral("<tr class='noBorder'><td colspan=14 bgcolor='white' align='left' ><font size='+2'>") + title
           + QStringLiteral("</font></td></tr>");
}

// One enterprise of the economic table while its centres are read.
struct Line {
    int number = 0;
    QVariant id;
    QString name;
    int centres = 0;
    bool lightBlue = false;
    QString contract;
    bool contractPink = false;
    QString note;
    QDate signedOn;
    double amount = 0;
    bool hasAmount = false;
    QString skot, dojnice;
    // The newest update of the centres, and the head counts of that centre.
    QDateTime updated;
    QVariant counts[4];
};

Line startLine(const QSSQL &q, int number)
{
    Line l;
    l.number = number;
    l.id = q.value(EId);
    l.name = q.value(EName).toString();
    const QString org = q.value(EOrganisation).toString();
    l.contract = q.value(EContract).toString();
    const int star = org.indexOf(QLatin1Char('*'));
    if (star >= 0) {
        l.contractPink = true;
        const QString after = org.mid(star + 1);
        if (!after.isEmpty())
            l.contract += QStringLiteral(" (") + after + QLatin1Char(')');
    }
    l.note = q.value(ENote).toString();
    l.signedOn = q.value(ESigned).toDate();
    const double amount = q.value(EAmount).toDouble();
    if (amount > 0) {
        l.hasAmount = true;
        l.amount = q.value(ECurrency).toString().trimmed().toLower() == QLatin1String("eur") ? amount * 25 : amount;
    }
    l.skot = text(q.value(ESkot));
    l.dojnice = text(q.value(EDojnice));
    l.updated = q.value(EUpdated).toDateTime();
    for (int i = 0; i < 4; ++i)
        l.counts[i] = q.value(EKusu + i);
    return l;
}

QString lineRow(const Line &l)
{
    const QString pink = QStringLiteral(" bgcolor='#ffdad9'");
    const bool oldContract = l.signedOn.isValid() && l.signedOn <= QDate(2020, 1, 1);
    QString r = QStringLiteral("<tr><td>") + QString::number(l.number) + QStringLiteral("</td><td>") + esc(l.name)
                + QStringLiteral("</td><td") + (l.lightBlue ? QStringLiteral(" bgcolor='lightblue'") : QString())
                + QLatin1Char('>') + QString::number(l.centres) + QStringLiteral("</td><td")
                + (l.contractPink ? pink : QString()) + QLatin1Char('>') + esc(l.contract) + QStringLiteral("</td><td>")
                + esc(l.note) + QStringLiteral("</td><td") + (oldContract ? pink : QString()) + QLatin1Char('>')
                + l.signedOn.toString(QStringLiteral("dd.MM.yyyy")) + QStringLiteral("</td><td>")
                + (l.hasAmount ? amountText(l.amount) : QString()) + QStringLiteral("</td><td>") + esc(l.skot)
                + QStringLiteral("</td><td>") + esc(l.dojnice) + QStringLiteral("</td><td>")
                + l.updated.toString(QStringLiteral("dd.MM.yyyy HH:mm")) + QStringLiteral("</td>");
    for (const QVariant &c : l.counts)
        r += QStringLiteral("<td>") + cell(c) + QStringLiteral("</td>");
    return r + QStringLiteral("</tr>");
}

QString totalsRow(const QString &first, const QString &label, const QString &amount, int animals, int cows,
                  const QString &bg)
{
    const QString td = QStringLiteral("<td bgcolor='") + bg + QStringLiteral("'>");
    const QString empty = td + QStringLiteral("</td>");
    QString r = QStringLiteral("<tr>") + td + first + QStringLiteral("</td>") + td + label + QStringLiteral("</td>");
    for (int i = 0; i < 4; ++i)
        r += empty;
    r += td + amount + QStringLiteral("</td>");
    if (animals >= 0) {
        r += empty + empty + empty;
        r += td + QString::number(animals) + QStringLiteral("</td>");
    } else {
        r += empty + empty + empty + empty;
    }
    r += td + QString::number(cows) + QStringLiteral("</td>") + empty + empty;
    return r + QStringLiteral("</tr>");
}

} // namespace

Result economic(const Visibility &visibility, const Progress &progress)
{
    Result r;
    QString &h = r.html;
    h = QLatin1String(kPrintHead) + heading(QCoreApplication::translate("Reports", "Tellmark - ekonomická tabulka"))
        + QStringLiteral("<center><table class='gridtable' width='80%'>");

    // The centres and enterprises the user's tree shows, no others.
    const Visibility::Sql visible = visibility.centreRow(QStringLiteral("s"), QStringLiteral("p"));
    QString sql = QString::fromLatin1(kEconomic);
    if (!visible.isEmpty())
        sql += QStringLiteral(" and ") + visible.sql;
    sql += QLatin1String(kEconomicOrder);
    QSSQL q;
    if (!q.exec(sql, visible.binds))
        noteError(&r, q);

    static const QStringList grandRegions = {QStringLiteral("li"), QStringLiteral("ta"), QStringLiteral("st"),
                                             QStringLiteral("uh")};
    QString curRegion;
    bool inGroup = false;
    bool hasLine = false;
    Line line;
    int number = 0;
    double groupAmount = 0, grandAmount = 0;
    int groupAnimals = 0, groupCows = 0, grandCows = 0;

    auto closeLine = [&] {
        if (!hasLine)
            return;
        h += lineRow(line);
        if (line.hasAmount) {
            groupAmount += line.amount;
            grandAmount += line.amount;
        }
        groupAnimals += line.counts[0].toInt();
        groupCows += line.counts[1].toInt();
        if (grandRegions.contains(curRegion.toLower()))
            grandCows += line.counts[1].toInt();
        hasLine = false;
    };
    auto closeGroup = [&] {
        if (!inGroup)
            return;
        h += totalsRow(QString(), esc(curRegion), amountText(groupAmount), groupAnimals, groupCows,
                       QStringLiteral("yellow"));
        h += QStringLiteral("</tbody>");
        inGroup = false;
    };

    for (qint64 n = 0; q.next(); ++n) {
        if (!goOn(progress, n, 0)) {
            r.cancelled = true;
            return r;
        }
        const QString regionText = q.value(ERegion).toString();
        if (regionText.size() < 2)
            continue;
        // Regions are ordered case-blind, so "ST" and "st" are one group.
        const bool regionBreak = !inGroup || regionText.compare(curRegion, Qt::CaseInsensitive) != 0;
        if (regionBreak || !hasLine || q.value(EId) != line.id)
            closeLine();
        if (regionBreak) {
            closeGroup();
            curRegion = regionText;
            inGroup = true;
            number = 0;
            groupAmount = 0;
            groupAnimals = groupCows = 0;
            h += QStringLiteral("<tbody>") + groupTitle(regionHeading(regionText)) + economicHeader();
        }
        if (!hasLine) {
            line = startLine(q, ++number);
            hasLine = true;
        } else {
            const QDateTime updated = q.value(EUpdated).toDateTime();
            if (updated.isValid() && (!line.updated.isValid() || updated > line.updated)) {
                line.updated = updated;
                for (int i = 0; i < 4; ++i)
                    line.counts[i] = q.value(EKusu + i);
            }
        }
        ++line.centres;
        if (q.value(ELicence).toInt() < 999)
            line.lightBlue = true;
    }
    closeLine();
    closeGroup();

    h += groupTitle(QCoreApplication::translate("Reports", "Molvane - souhrn")) + economicHeader();
    h += totalsRow(QString(), QStringLiteral("Molvane"), amountText(grandAmount), -1, grandCows,
                   QStringLiteral("lightgreen"));
    h += QStringLiteral("</table></center><br></body></html>");
    return r;
}

Result centres(const Visibility &visibility, const Progress &progress)
{
    Result r;
    r.html = QLatin1String(kScreenStyle) + heading(QCoreApplication::translate("Reports", "Evidenční systém Tellmark"))
             + tableOpen(QCoreApplication::translate("Reports", "Tab 1.: Celkový přehled po střediscích"),
                         QCoreApplication::translate("Reports", "<tr><th>Licenční číslo</th><th>Podnik</th><th>Středisko</th></tr>"));
    r.html += listing(kCentres, visibility.centreRow(QStringLiteral("s"), QStringLiteral("p")), 3, &r, progress) + tableClose();
    return r;
}

Result updates(const Visibility &visibility, const Progress &progress)
{
    Result r;
    r.html = QLatin1String(kScreenStyle) + heading(QCoreApplication::translate("Reports", "Aktualizace Tellmark"))
             + tableOpen(QCoreApplication::translate("Reports", "Tab 1.: Celkový přehled po střediscích"),
                         QCoreApplication::translate("Reports", "<tr><th>Licenční číslo</th><th>Podnik</th><th>Verze programu</th>"
                                        "<th>Aktualizováno</th></tr>"));
    r.html += listing(kUpdates, visibility.centreRow(QStringLiteral("a"), QStringLiteral("b")), 4, &r, progress) + tableClose();
    return r;
}

Result vnc(const QString &firstServer, const QString &secondServer, const Visibility &visibility,
           const Progress &progress)
{
    qint64 rowsRead = 0;
    Result r;
    QHash<QString, QDate> newest;
    {
        QSSQL q;
        if (!q.exec(QString::fromLatin1(kVncLog)))
            noteError(&r, q);
        while (q.next()) {
            if (!goOn(progress, rowsRead++, 0)) {
                r.cancelled = true;
                return r;
            }
            const QVariant ts = q.value(1);
            // max() of a date column may come back as text on some drivers.
            QDateTime t = ts.toDateTime();
            if (!t.isValid())
                t = QDateTime::fromString(ts.toString().left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
            newest.insert(q.value(0).toString(), t.isValid() ? t.date() : QDate::fromString(ts.toString().left(10), Qt::ISODate));
        }
    }

    int firstCount[4] = {0, 0, 0, 0};
    int secondCount[4] = {0, 0, 0, 0};
    QString lists[4];
    {
        QSSQL q;
        const Visibility::Sql visible = visibility.centreRow(QStringLiteral("s"), QStringLiteral("p"));
        if (!q.exec(QString::fromLatin1(kVncCentres).arg(visible.andThen()), visible.binds))
            noteError(&r, q);
        while (q.next()) {
            if (!goOn(progress, rowsRead++, 0)) {
                r.cancelled = true;
                return r;
            }
            for (int slot = 0; slot < 4; ++slot) {
                const QString id = q.value(3 + slot).toString();
                if (id.trimmed().toLongLong() <= 0)
                    continue;
                const QVariant af = q.value(7 + slot);
                if (af.isNull() || af.toInt() == 0) {
                    ++firstCount[slot];
                    const QDate last = newest.value(id);
                    lists[slot] += row({cell(q.value(0)) + QStringLiteral(", ") + cell(q.value(1)), cell(q.value(2)),
                                        esc(id), last.toString(QStringLiteral("yyyy-MM-dd"))});
                } else if (af.toInt() == 1) {
                    ++secondCount[slot];
                }
            }
        }
    }

    const QString host1 = esc(firstServer);
    const QString host2 = esc(secondServer);
    QString &h = r.html;
    h = QLatin1String(kScreenStyle) + heading(QStringLiteral("VNC"));
    h += tableOpen(QCoreApplication::translate("Reports", "Tab 1.: Celkový přehled VNC"), QStringLiteral("<tr><th>Text</th><th>") + host1
                                                                    + QStringLiteral("</th><th>") + host2
                                                                    + QStringLiteral("</th></tr>"));
    for (int slot = 0; slot < 4; ++slot)
        h += row({QStringLiteral("VNC%1").arg(slot + 1), QString::number(firstCount[slot]),
                  QString::number(secondCount[slot])});
    h += tableClose();
    for (int slot = 0; slot < 4; ++slot) {
        const QString n = QString::number(slot + 1);
        h += heading(QStringLiteral("VNC") + n + QCoreApplication::translate("Reports", " k převodu"));
        h += tableOpen(QCoreApplication::translate("Reports", "Tab %1.: Celkový přehled VNC%2 připojených k serveru ").arg(slot + 2).arg(n) + host1,
                       QCoreApplication::translate("Reports", "<tr><th>Středisko</th><th>licence</th><th>vnc") + n
                           + QStringLiteral("_id</th><th>last TS</th></tr>"));
        h += lists[slot] + tableClose();
    }
    return r;
}

bool fitsSetHtml(const QString &html)
{
    // "data:text/html;charset=UTF-8," and some room.
    const int limit = 2 * 1024 * 1024 - 64;
    const QByteArray utf8 = html.toUtf8();
    if (utf8.size() * 3 < limit)
        return true;
    return QUrl::toPercentEncoding(utf8).size() < limit;
}

QString hostOf(const QString &endpoint)
{
    const QString e = endpoint.trimmed();
    const int colon = e.lastIndexOf(QLatin1Char(':'));
    return colon > 0 && !e.contains(QLatin1Char(']')) && e.count(QLatin1Char(':')) == 1 ? e.left(colon) : e;
}

} // namespace Reports
