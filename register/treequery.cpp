#include "register/treequery.h"

#include <QStringList>

namespace {

const char kTreeSelect[] =
    "select pdq.id as id1,pdq.podnik_nazev,stq.id as id2,stq.akce_nazev,stq.licence_cislo,stq.spusteni,"
    "        pdq.SMLOUVA_FAKTURACE_OD,stq.specifikace,pdq.obr"
    "        from tellmark_podniky pdq"
    "        left join tellmark_holding hdq on hdq.id=pdq.id_holding"
    "        left join tellmark_strediska stq on pdq.id=stq.id_podnik ";

// The user sees only centres linked to him, and hence only enterprises that
// have such a centre (an enterprise without centres has stq.id NULL).
const char kAclsCondition[] =
    " exists (select 1 from tellmark_strediska_acls acq"
    " where acq.id_strediska=stq.id and acq.id_www_user=?) ";

const char kRegionCondition[] = "FIND_IN_SET(?,pdq.obr) ";

// The flat shape lists licensed centres only.
const char kLicensedCondition[] = " (stq.licence_cislo>0) ";

} // namespace

TreeQuery buildTreeQuery(const TreeQueryOptions &options)
{
    TreeQuery q;
    QStringList conditions;
    if (options.acls > 0) {
        conditions << QLatin1String(kAclsCondition);
        q.binds << options.userId;
    }
    if (!options.region.isEmpty()) {
        conditions << QLatin1String(kRegionCondition);
        q.binds << options.region;
    }
    if (options.sortSection > 0)
        conditions << QLatin1String(kLicensedCondition);

    const QString advanced = options.advancedCondition.trimmed();
    q.sql = QLatin1String(kTreeSelect);
    if (!conditions.isEmpty() || !advanced.isEmpty()) {
        q.sql += QLatin1String(" where ");
        q.sql += conditions.join(QLatin1String(" and "));
        if (!conditions.isEmpty() && !advanced.isEmpty())
            q.sql += QLatin1String(" and ");
        if (!advanced.isEmpty())
            q.sql += QLatin1String(" (") + advanced + QLatin1String(") ");
    }
    q.sql += QLatin1String(" order by 1,3");
    return q;
}
