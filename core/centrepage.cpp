#include "core/centrepage.h"

#include "core/session.h"
#include "core/centrerecord.h"
#include "core/ids.h"

void CentrePage::load()
{
    const QVariant id = session()->s_id_stredisko;
    if (!isValidId(id)) {
        clear();
        return;
    }
    CentreRecord record;
    QString error;
    if (!CentreRecord::read(id, &record, &error)) {
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
