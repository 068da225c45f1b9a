#pragma once

#include "core/page.h"

struct CentreRecord;

// A page that shows the current centre. The register tab reads the centre
// once and hands the same record to every centre page (loadFrom); load()
// reads it for a page on its own.
class CentrePage : public ZrnPage
{
    Q_OBJECT
public:
    using ZrnPage::ZrnPage;

    void load() override;
    virtual void loadFrom(const CentreRecord &record) = 0;
};
