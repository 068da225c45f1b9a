#pragma once

#include "core/page.h"

#include <QVariant>

struct CentreRecord;

// A page that shows one centre. The register reads the centre once and
// hands the same record to every centre page (loadFrom); load(id) reads it
// for a page on its own.
class CentrePage : public ZrnPage
{
    Q_OBJECT
public:
    using ZrnPage::ZrnPage;

    // Reads the centre with this id and fills the page; an invalid id, or a
    // centre deleted meanwhile, leaves it empty.
    void load(const QVariant &centreId);
    // The tree row of a centre; an enterprise's row leaves the page empty.
    void load(const TreeRow &row) override { load(row.strediskoId()); }
    void reload() override { load(m_centreId); }
    // Fills the page from the centre's record; the page shows and saves
    // the centre of the record.
    virtual void loadFrom(const CentreRecord &record) = 0;

protected:
    QVariant m_centreId;       // the centre the page shows (and saves)
};
