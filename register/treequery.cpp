#include "register/treequery.h"

#include "core/visibility.h"

#include <QStringList>

namespace {

const char kTreeSelect[] =
    "select pdq.id as id1,pdq.podnik_nazev,stq.id as id2,stq.akce_nazev,stq.licence_cislo,stq.spusteni,"
    "        pdq.SMLOUVA_FAKTURACE_OD,stq.specifikace,pdq.obr"
    "        from tellmark_podniky pdq"
    "        left join tellmark_holding hdq on hdq.id=pdq.id_holding"
    "        left join tellmark_strediska stq on pdq.id=stq.id_podnik ";

// The flat shape lists licensed centres only.
const char kLicensedCondition[] = " (stq.licence_cislo>0) ";

} // namespace

TreeQuery buildTreeQuery(const TreeQueryOptions &options)
{
    TreeQuery q;
    QStringList conditions;
    // The user sees only centres linked to him, and hence only enterprises
    // that have such a centre; and only enterprises of his region.
    const Visibility::Sql visible = Visibility(options.userId, options.acls, options.region).centreRow(
        QStringLiteral("stq"), QStringLiteral("pdq"));
    if (!visible.isEmpty()) {
        conditions << visible.sql;
        q.binds += visible.binds;
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
