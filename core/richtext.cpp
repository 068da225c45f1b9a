#include "core/richtext.h"

#include <QVariant>

namespace {
const QString kMarker = QStringLiteral("<meta name=\"qrichtext\" content=\"1\" />");
const QString kCharset = QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />");
}

QString normaliseRichText(const QString &html)
{
    QString out;
    out.reserve(html.size() + kCharset.size());
    int from = 0;
    for (;;) {
        const int at = html.indexOf(kMarker, from);
        if (at < 0)
            break;
        const int end = at + kMarker.size();
        out += html.midRef(from, end - from);
        // A note saved twice without passing through the editor keeps one tag.
        if (html.midRef(end, kCharset.size()) != kCharset)
            out += kCharset;
        from = end;
    }
    out += html.midRef(from);
    return out;
}

QByteArray richTextForStorage(const QString &html)
{
    return normaliseRichText(html).toUtf8();
}

QString richTextFromStorage(const QVariant &stored)
{
    if (stored.isNull())
        return QString();
    if (stored.type() == QVariant::ByteArray)
        return QString::fromUtf8(stored.toByteArray());
    return stored.toString();
}
