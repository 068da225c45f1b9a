#include "events/eventlistfilter.h"

#include "core/settingskeys.h"
#include "core/usersettings.h"

EventListFilter EventListFilter::load(ZrnSettings &s, bool global)
{
    using namespace SettingsKeys;
    EventListFilter f;
    if (!global) {
        f.categories = s.textValue(MiscFiltrKategorie);
        return f;
    }
    f.categories = s.textValue(MiscFiltrSKategorie);
    f.persons = s.textValue(MiscFiltrSoo);
    f.furtherPersons = s.textValue(MiscFiltrSooDalsi);
    f.unfinished = s.boolValue(MiscNedokoncene);
    return f;
}

void EventListFilter::save(ZrnSettings &s, bool global) const
{
    using namespace SettingsKeys;
    if (!global) {
        s.setValue(MiscFiltrKategorie, categories);
        return;
    }
    s.setValue(MiscFiltrSKategorie, categories);
    s.setValue(MiscFiltrSoo, persons);
    s.setValue(MiscFiltrSooDalsi, furtherPersons);
    s.setValue(MiscNedokoncene, unfinished);
}
