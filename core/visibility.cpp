#include "core/visibility.h"

#include "core/session.h"

#include <QStringList>

Visibility::Visibility(int userId, int acls, const QString &region)
    : m_nothing(false)
    , m_userId(userId)
    , m_acls(acls > 0)
    , m_region(region)
{
}

Visibility Visibility::of(const UserRights &user)
{
    return Visibility(user.id, user.acls, user.region);
}

Visibility Visibility::everything()
{
    return Visibility(0, 0, QString());
}

Visibility::Sql Visibility::regionOf(const QString &e) const
{
    Sql s;
    if (!m_region.isEmpty()) {
        s.sql = QStringLiteral("FIND_IN_SET(?,%1.obr)").arg(e);
        s.binds << m_region;
    }
    return s;
}

namespace {
void add(Visibility::Sql *to, const Visibility::Sql &piece)
{
    if (piece.isEmpty())
        return;
    to->sql = to->sql.isEmpty() ? piece.sql : to->sql + QStringLiteral(" and ") + piece.sql;
    to->binds += piece.binds;
}

Visibility::Sql wrapped(Visibility::Sql s)
{
    if (!s.isEmpty())
        s.sql = QStringLiteral(" (") + s.sql + QStringLiteral(") ");
    return s;
}
}

Visibility::Sql Visibility::centreRow(const QString &c, const QString &e) const
{
    if (m_nothing)
        return {QStringLiteral(" 1=0 "), {}};
    Sql s;
    // An enterprise without centres has c.id NULL and so no linked centre.
    if (m_acls)
        add(&s, {QStringLiteral("exists (select 1 from tellmark_strediska_acls acq"
                                " where acq.id_strediska=%1.id and acq.id_www_user=?)").arg(c),
                 {m_userId}});
    add(&s, regionOf(e));
    return wrapped(s);
}

Visibility::Sql Visibility::enterprise(const QString &e) const
{
    if (m_nothing)
        return {QStringLiteral(" 1=0 "), {}};
    Sql s;
    if (m_acls)
        add(&s, {QStringLiteral("exists (select 1 from tellmark_strediska vis_s"
                                " join tellmark_strediska_acls vis_a on vis_a.id_strediska=vis_s.id"
                                " where vis_s.id_podnik=%1.id and vis_a.id_www_user=?)").arg(e),
                 {m_userId}});
    add(&s, regionOf(e));
    return wrapped(s);
}

Visibility::Sql Visibility::centre(const QString &c) const
{
    if (m_nothing)
        return {QStringLiteral(" 1=0 "), {}};
    Sql s;
    if (m_acls)
        add(&s, {QStringLiteral("exists (select 1 from tellmark_strediska_acls vis_a"
                                " where vis_a.id_strediska=%1.id and vis_a.id_www_user=?)").arg(c),
                 {m_userId}});
    if (!m_region.isEmpty())
        add(&s, {QStringLiteral("exists (select 1 from tellmark_podniky vis_p"
                                " where vis_p.id=%1.id_podnik and FIND_IN_SET(?,vis_p.obr))").arg(c),
                 {m_region}});
    return wrapped(s);
}

Visibility::Sql Visibility::event(const QString &ev) const
{
    if (m_nothing)
        return {QStringLiteral(" 1=0 "), {}};
    if (!restricted())
        return {};
    // The centre it names must be one the user sees, and so must the
    // enterprise it names; one of the two it must name.
    Sql c = centre(QStringLiteral("vis_c"));
    Sql e = enterprise(QStringLiteral("vis_e"));
    Sql s;
    s.sql = QStringLiteral("(%1.id_strediska>0 or %1.id_podnik>0)"
                           " and (coalesce(%1.id_strediska,0)=0 or exists (select 1 from tellmark_strediska vis_c"
                           " where vis_c.id=%1.id_strediska and %2))"
                           " and (coalesce(%1.id_podnik,0)=0 or exists (select 1 from tellmark_podniky vis_e"
                           " where vis_e.id=%1.id_podnik and %3))")
                .arg(ev, c.sql, e.sql);
    s.binds = c.binds + e.binds;
    return wrapped(s);
}
