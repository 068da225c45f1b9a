#pragma once

#include "core/ids.h"

#include <QVariant>

namespace DetailPage {
// What the tree has made current.
enum class RowKind { None, Enterprise, Centre };
}

// The row of the enterprise tree a page is told to show: an enterprise or a
// centre, by its id. The register hands it to every page it shows; a page
// keeps the row it was told, so that it reads the same row again after a
// save.
struct TreeRow {
    DetailPage::RowKind kind = DetailPage::RowKind::None;
    QVariant id;

    static TreeRow enterprise(const QVariant &podnikId)
    {
        return isValidId(podnikId) ? TreeRow{DetailPage::RowKind::Enterprise, podnikId} : TreeRow();
    }
    static TreeRow centre(const QVariant &strediskoId)
    {
        return isValidId(strediskoId) ? TreeRow{DetailPage::RowKind::Centre, strediskoId} : TreeRow();
    }
    // The tree names both ids of a centre's row; the centre is what is shown.
    static TreeRow of(const QVariant &podnikId, const QVariant &strediskoId)
    {
        return isValidId(strediskoId) ? centre(strediskoId) : enterprise(podnikId);
    }

    bool isEnterprise() const { return kind == DetailPage::RowKind::Enterprise; }
    bool isCentre() const { return kind == DetailPage::RowKind::Centre; }
    bool isNone() const { return kind == DetailPage::RowKind::None; }
    // The id of the enterprise or centre; invalid for the other kind.
    QVariant podnikId() const { return isEnterprise() ? id : QVariant(); }
    QVariant strediskoId() const { return isCentre() ? id : QVariant(); }
};
