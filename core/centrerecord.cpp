#include "core/centrerecord.h"

#include "db/qssql.h"
#include "core/columnvalues.h"


namespace {

// The technology columns ("Specifikace") in the order the centre statement reads them,
// from position SpecFirst on; the empty name is the NULL placeholder.
const char *const kSpecOrder[] = {
    "SSW", "SSWP", "SDOJ", "SDOJP", "SDOJSPUSTENI", "SDOJSPUSTENIP", "SDOJTYP",
    "SDOJTYPP", "SDOJPSP", "SDOJSERVISP", "SID", "SIDT", "SIDP", "SPA", "SPAT", "SPAP",
    "SSB", "SSBP", "SAKBP", "SASR", "SASRP", "SKU", "SKUP", "SREP", "SREPP", "SVYZIVA", "SVYZIVAP",
    "SMLEKARNA", "SMLEKARNAP", "SCH", "SCHP", "SCHTYP", "SCHTYPP", "", "SPOZNAMKA",
    "SDMM", "SDMMP", "SPASPUSTENI", "SPASPUSTENIP", "SPAVYSILAC", "SPAVYSILACP",
    "SDOKTOR", "SDOKTORP", "SPAZNEHTARI", "SPAZNEHTARIP", "SST", "SSTP",
    "SVAZENI", "SVAZENIV", "SVAZENIP", "SKV", "SKVSW", "SKVP", "SDOJPR",
};

} // namespace

QString CentreRecord::text(int column) const
{
    return ColumnValues::storedText(value(column));
}

int CentreRecord::specColumn(const QString &name)
{
    if (name.compare(QLatin1String("SAKB"), Qt::CaseInsensitive) == 0)
        return Sakb;
    int i = 0;
    for (const char *col : kSpecOrder) {
        if (*col && name.compare(QLatin1String(col), Qt::CaseInsensitive) == 0)
            return SpecFirst + i;
        ++i;
    }
    return -1;
}

int CentreRecord::position(const QString &column)
{
    // The names of the select list, in order: the last word of each item
    // ("tellmark_strediska.GPS" is GPS, "NULL as n1" is n1). A name read
    // twice (AKCE_NAZEV) is found at its first place; both hold the same.
    static const QStringList names = [] {
        const QString sql = statement();
        const int from = sql.indexOf(QLatin1String(" from "));
        QStringList out;
        for (QString item : sql.mid(7, from - 7).split(QLatin1Char(','))) {
            item = item.trimmed();
            item = item.section(QLatin1Char(' '), -1).section(QLatin1Char('.'), -1);
            out << item.toUpper();
        }
        return out;
    }();
    const int pos = names.indexOf(column.toUpper());
    if (pos >= 0)
        return pos;
    if (column.compare(QLatin1String("SAKB"), Qt::CaseInsensitive) == 0)
        return Sakb;
    return -1;
}

QString CentreRecord::statement()
{
    return QStringLiteral(
        "select podnik_nazev,       uvnc1_host,uvnc1_id,uvnc1_password,       uvnc2_host,uvnc2_id,uvnc2_password,"
        "       uvnc3_host,uvnc3_id,uvnc3_password,       uvnc4_host,uvnc4_id,uvnc4_password,"
        "       tv1_host,tv1_id,tv1_password,       tv2_host,tv2_id,tv2_password,"
        "       AKCE_NAZEV,LICENCE_CISLO,tellmark_strediska.SPUSTENI,       POCET_KUSU,POCET_KRAV,POCET_OBOJKU,"
        "       AKTUALIZOVANO,POCET_AKTUALIZACI,       VERZE_PROGRAMU,POZNAMKOVY_BLOK,"
        "       SMLOUVA_ORGANIZACE,SMLOUVA_CISLO,SMLOUVA_FAKTURACE_OD,"
        "       SMLOUVA_FAKTURACE_CASTKA_ROK,SMLOUVA_FAKTURACE_SLEVA,"
        "       SMLOUVA_FAKTURACE_SLEVA_OBDOBI,SMLOUVA_FAKTURACE_MESICE,"
        "       SMLOUVA_FAKTURACE_OBDOBI,SMLOUVA_FAKTURACE_ZPETNE,SMLOUVA_FAKTURACE_MENA,"
        "       SMLOUVA_POZNAMKY,DRUHE_SKOLENI,PODNIK_JMENO,PODNIK_TELEFON,PODNIK_EMAIL,UPDATE_OMEZEN,"
        "tellmark_strediska.GPS,CLOUD_CISLO,"
        "        NULL as n1,NULL as n2,NULL as n3,NULL as n4,tellmark_strediska.id,NULL as n5,"
        "       tellmark_holding.nazev_holding,tellmark_strediska.akce_nazev,"
        "        tellmark_strediska.ICO,tellmark_strediska.DB_UUID,"
        "        SSW,SSWP,SDOJ,SDOJP,SDOJSPUSTENI,SDOJSPUSTENIP,SDOJTYP,"
        "       SDOJTYPP,SDOJPSP,SDOJSERVISP,SID,SIDT,SIDP,SPA,SPAT,SPAP,"
        "       SSB,SSBP,SAKBP,SASR,SASRP,SKU,SKUP,SREP,SREPP,SVYZIVA,SVYZIVAP,"
        "       SMLEKARNA,SMLEKARNAP,SCH,SCHP,SCHTYP,SCHTYPP,NULL,SPOZNAMKA,"
        "       SDMM,SDMMP,SPASPUSTENI,SPASPUSTENIP,SPAVYSILAC,SPAVYSILACP,"
        "        SDOKTOR,SDOKTORP,SPAZNEHTARI,SPAZNEHTARIP,SST,SSTP,"
        "        SVAZENI,SVAZENIV,SVAZENIP,SKV,SKVSW,SKVP,SDOJPR,"
        "        tellmark_strediska.licence_cislo,sakb,hospodarstvi,"
        "        SKU_DATUM,SKU_DOJNIC,SKU_STUPEN,EAGRI_UZIVATEL,EAGRI_HESLO,"
        "        KU_CMSCH_UZIVATEL,KU_CMSCH_HESLO,"
        "        uvnc5_host,uvnc5_id,uvnc5_password,"
        "        uvnc6_host,uvnc6_id,uvnc6_password"
        "        from tellmark_strediska"
        "        left join tellmark_podniky on tellmark_strediska.id_podnik=tellmark_podniky.id"
        "        left join tellmark_holding on tellmark_podniky.id_holding=tellmark_holding.id"
        "        where tellmark_strediska.id=?");
}

bool CentreRecord::read(const QVariant &centreId, CentreRecord *record, QString *error)
{
    record->found = false;
    record->values.clear();
    QSSQL q;
    q.prepare(statement());
    q.addBindValue(CentreStore::idValue(centreId));
    if (!q.exec()) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (!q.next())
        return true;
    record->values.reserve(ColumnCount);
    for (int i = 0; i < ColumnCount; ++i)
        record->values.append(q.value(i));
    record->found = true;
    return true;
}

namespace CentreStore {

QVariant idValue(const QVariant &id)
{
    bool ok = false;
    const qlonglong n = id.toLongLong(&ok);
    return ok ? QVariant(n) : QVariant(id.toString());
}

QVariant licenceOrNull(const QString &text)
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok || n <= 0)
        return QVariant(QVariant::LongLong);
    return n;
}

} // namespace CentreStore
