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
// is SQL text over the aliases pdq (tellmark_podniky), hdq (tellmark_holding)
// and stq (tellmark_strediska); it is inserted as text, so it must come from
// the filter's own builder (Filtr::condition), which writes only checked
// numbers, list entries and quoted literals. Parentheses alone would not keep
// a condition narrowing: a text like "0) or (1=1" breaks out of them.
//
// The user's restriction is the one of every list (Visibility::centreRow);
// it tests the user-centre links with EXISTS rather than joining them, so a
// centre linked to several users comes back once.
TreeQuery buildTreeQuery(const TreeQueryOptions &options);
