#include "core/centrerecord.h"

#include "db/qssql.h"
#include "core/columnvalues.h"


namespace {

// The names of the select list, in order: the last word of each item
// ("tellmark_strediska.GPS" is GPS, "NULL as n1" is N1). The statement gives
// each column one name: where it reads a column twice, the second has an alias.
const QStringList &columnNames()
{
    static const QStringList names = [] {
        const QString sql = CentreRecord::statement();
        const int from = sql.indexOf(QLatin1String(" from "));
        QStringList out;
        for (QString item : sql.mid(7, from - 7).split(QLatin1Char(','))) {
            item = item.trimmed();
            out << item.section(QLatin1Char(' '), -1).section(QLatin1Char('.'), -1).toUpper();
        }
        return out;
    }();
    return names;
}

} // namespace

QString CentreRecord::text(const QString &column) const
{
    return ColumnValues::storedText(value(column));
}

bool CentreRecord::reads(const QString &column)
{
    return columnNames().contains(column.toUpper());
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
        "       tellmark_holding.nazev_holding,tellmark_strediska.akce_nazev as stredisko_akce_nazev,"
        "        tellmark_strediska.ICO,tellmark_strediska.DB_UUID,"
        "        SSW,SSWP,SDOJ,SDOJP,SDOJSPUSTENI,SDOJSPUSTENIP,SDOJTYP,"
        "       SDOJTYPP,SDOJPSP,SDOJSERVISP,SID,SIDT,SIDP,SPA,SPAT,SPAP,"
        "       SSB,SSBP,SAKBP,SASR,SASRP,SKU,SKUP,SREP,SREPP,SVYZIVA,SVYZIVAP,"
        "       SMLEKARNA,SMLEKARNAP,SCH,SCHP,SCHTYP,SCHTYPP,NULL as n6,SPOZNAMKA,"
        "       SDMM,SDMMP,SPASPUSTENI,SPASPUSTENIP,SPAVYSILAC,SPAVYSILACP,"
        "        SDOKTOR,SDOKTORP,SPAZNEHTARI,SPAZNEHTARIP,SST,SSTP,"
        "        SVAZENI,SVAZENIV,SVAZENIP,SKV,SKVSW,SKVP,SDOJPR,"
        "        tellmark_strediska.licence_cislo as stredisko_licence_cislo,sakb,hospodarstvi,"
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
    const QStringList &names = columnNames();
    record->values.reserve(names.size());
    for (int i = 0; i < names.size(); ++i)
        record->values.insert(names.at(i), q.value(i));
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
