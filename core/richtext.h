#pragma once

#include <QByteArray>
#include <QString>
#include <QVariant>

// Rich-text notes are stored as the editor's HTML document. The editor's
// header only carries the "qrichtext" marker; other readers of the column
// (web reports, the exports) need the charset, so it is added right after the
// marker before the text is stored.
QString normaliseRichText(const QString &html);

// The stored form of a rich-text note: normaliseRichText, as UTF-8 bytes.
QByteArray richTextForStorage(const QString &html);

// A stored note as text for the editor (bytes are read as UTF-8; the editor
// itself tells plain text from HTML).
QString richTextFromStorage(const QVariant &stored);
