#include "core/textutil.h"

namespace {

// Plain small letter for an accented one, or 0 for any other character.
inline ushort plainLetter(ushort c)
{
    switch (c) {
    case 0x011B: case 0x011A: // ě Ě
    case 0x00E9: case 0x00C9: // é É
        return 'e';
    case 0x0161: case 0x0160: // š Š
        return 's';
    case 0x010D: case 0x010C: // č Č
        return 'c';
    case 0x0159: case 0x0158: // ř Ř
    case 0x0155: case 0x0154: // ŕ Ŕ (Slovak)
        return 'r';
    case 0x017E: case 0x017D: // ž Ž
        return 'z';
    case 0x00FD: case 0x00DD: // ý Ý
        return 'y';
    case 0x00E1: case 0x00C1: // á Á
    case 0x00E4: case 0x00C4: // ä Ä (Slovak)
        return 'a';
    case 0x00ED: case 0x00CD: // í Í
        return 'i';
    case 0x016F: case 0x016E: // ů Ů
    case 0x00FA: case 0x00DA: // ú Ú
        return 'u';
    case 0x0165: case 0x0164: // ť Ť
        return 't';
    case 0x010F: case 0x010E: // ď Ď
        return 'd';
    case 0x0148: case 0x0147: // ň Ň
        return 'n';
    case 0x00F3: case 0x00D3: // ó Ó
    case 0x00F4: case 0x00D4: // ô Ô (Slovak)
        return 'o';
    case 0x013E: case 0x013D: // ľ Ľ (Slovak)
    case 0x013A: case 0x0139: // ĺ Ĺ (Slovak)
        return 'l';
    default:
        return 0;
    }
}

} // namespace

QString stripDiacritics(const QString &text)
{
    // Most keys are plain ASCII: hand back the shared string without copying.
    const QChar *begin = text.constData();
    const int n = text.size();
    int first = 0;
    while (first < n && begin[first].unicode() < 0x80)
        ++first;
    if (first == n)
        return text;

    QString out = text;
    QChar *p = out.data();
    for (int i = first; i < n; ++i) {
        const ushort c = p[i].unicode();
        if (c < 0xC0)
            continue;
        if (const ushort plain = plainLetter(c))
            p[i] = QChar(plain);
    }
    return out;
}
