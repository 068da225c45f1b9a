#pragma once

#include <QString>

// The search key of a text: every Czech (and Slovak) accented letter, small or
// capital, becomes the plain small letter ("Český" -> "cesky"); all other
// characters stay as they are, unaccented capitals included. Searches compare
// keys case-insensitively, so "cesky" and "ČESKY" both find "Český statek".
QString stripDiacritics(const QString &text);
