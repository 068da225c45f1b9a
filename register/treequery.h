#pragma once

#include <QString>
#include <QVariantList>

// What the enterprise tree shows: the signed-in user's visibility, the sort
// section of the tree header (0 = two-level tree, other = flat list of
// licensed centres) and the condition of the advanced filter.
struct TreeQueryOptions {
    int userId = 0;
    int acls = 0;               // > 0: only centres linked to the user
    QString region;             // not empty: only enterprises of that region
    int sortSection = 0;
    QString advancedCondition;  // SQL built by the advanced-filter dialog; empty = off
};

// The tree statement and its bound values (positional, in order).
struct TreeQuery {
    QString sql;
    QVariantList binds;
};

// Result columns of the tree statement.
enum TreeQueryColumn {
    TqPodnikId = 0,
    TqPodnikNazev,
    TqStrediskoId,
    TqAkceNazev,
    TqLicence,
    TqSpusteni,
    TqFakturaceOd,
    TqSpecifikace,
    TqObr,
    TqColumnCount
};

// Builds the statement of the enterprise tree: every enterprise the user may
// see with its centres, ordered by enterprise id and centre id.
//
// The user id and the region are bound values. The advanced-filter condition
// is SQL text composed by the user's own filter dialog over the aliases pdq
// (tellmark_podniky), hdq (tellmark_holding) and stq (tellmark_strediska); it
// is inserted as text by design, in parentheses so that it can only narrow
// what the user's rights allow.
//
// The user-centre links are tested with EXISTS rather than joined, so a centre
// linked to several users comes back once.
TreeQuery buildTreeQuery(const TreeQueryOptions &options);
