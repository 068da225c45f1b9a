#include "core/centrepage.h"

#include "core/centrerecord.h"
#include "core/ids.h"

void CentrePage::load(const QVariant &centreId)
{
    if (!isValidId(centreId)) {
        clear();
        return;
    }
    CentreRecord record;
    QString error;
    if (!CentreRecord::read(centreId, &record, &error)) {
        showReadFailure(error);
        return;
    }
    if (!record.found) {
        // Deleted meanwhile: show nothing rather than another centre's data.
        clear();
        return;
    }
    loadFrom(record);
}
