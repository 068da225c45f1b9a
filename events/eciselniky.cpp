#include "events/eciselniky.h"

ECiselniky::ECiselniky()
{
    // 64, 1024 and 2048 are not used.
    m_categories = {
        {0, tr("Nespecifikováno")},
        {1, tr("Prezentace / předvádění")},
        {2, tr("Školení")},
        {4, tr("Tellmark / vývoj")},
        {8, tr("Tellmark")},
        {16, tr("Jednání")},
        {32, tr("Obchod")},
        {128, tr("Výroba")},
        {256, tr("Servis technologie")},
        {512, tr("Montáž technologie")},
        {4096, tr("Tarvo")},
        {8192, tr("Dovolená")},
        {16384, tr("Různé")},
    };
}
