#include "register/centrepage.h"

#include "app/session.h"
#include "register/centrerecord.h"

void CentrePage::load()
{
    const QVariant id = session()->s_id_stredisko;
    if (!id.isValid() || id.toString().isEmpty()) {
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
