#pragma once

#include <QString>
#include <QVariantList>

struct UserRights;

// What the signed-in user may see of the register, as SQL conditions for
// every list, report and export - the tree, both event lists, the reports,
// the map and the CSV export all narrow by these, so none shows more than
// the tree does:
// - a region (www_users.region): only enterprises whose region list (obr)
//   holds it;
// - assigned centres (acls > 0): only the centres linked to the user in
//   tellmark_strediska_acls, and only enterprises that have such a centre.
//
// Each condition is SQL text over the aliases the caller names, with "?" for
// each value in binds (in order); the caller places the text and appends the
// binds at the same position. Without a restriction the text is empty.
// A default-constructed Visibility sees nothing, so a list that was not told
// whose rights apply stays empty rather than showing everything.
class Visibility
{
public:
    Visibility() = default;
    Visibility(int userId, int acls, const QString &region);
    static Visibility of(const UserRights &user);
    static Visibility everything();

    bool restricted() const { return m_nothing || m_acls || !m_region.isEmpty(); }

    struct Sql {
        QString sql;        // empty: no restriction
        QVariantList binds;
        bool isEmpty() const { return sql.isEmpty(); }
        // The text followed by " and " (for a chain of pieces), or nothing.
        QString andThen() const { return sql.isEmpty() ? QString() : sql + QStringLiteral(" and "); }
        // " where " + the text, or nothing.
        QString where() const { return sql.isEmpty() ? QString() : QStringLiteral(" where ") + sql; }
    };

    // A row of the register's join: an enterprise (alias e) with one of its
    // centres (alias c, NULL for an enterprise without centres). With
    // assigned centres only rows of such a centre pass.
    Sql centreRow(const QString &c, const QString &e) const;
    // A row of tellmark_podniky (alias e).
    Sql enterprise(const QString &e) const;
    // A row of tellmark_strediska (alias c), its enterprise looked up.
    Sql centre(const QString &c) const;
    // A row of tellmark_udalosti (alias ev): filed under an enterprise or a
    // centre the user may see (every one it names). Replies name neither;
    // the lists reach them through their thread's root.
    Sql event(const QString &ev) const;

private:
    Sql regionOf(const QString &e) const;
    bool m_nothing = true;
    int m_userId = 0;
    bool m_acls = false;
    QString m_region;
};
