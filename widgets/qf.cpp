#include "widgets/qf.h"

#include <QRegularExpression>

namespace Qf {

QString defaultDateFormat()
{
    return QStringLiteral("dd.MM.yyyy");
}

QString formatDate(const QDate &date)
{
    return date.isValid() ? date.toString(defaultDateFormat()) : QString();
}

static int expandTwoDigitYear(int yy)
{
    const int century = QDate::currentDate().year() / 100 * 100;
    int year = century + yy;
    if (year > QDate::currentDate().year() + 20)
        year -= 100;
    return year;
}

QDate parseDate(const QString &text, bool fullYearOnly)
{
    static const QRegularExpression dotted(
        QStringLiteral("^(\\d{1,2})\\.\\s?(\\d{1,2})\\.\\s?(\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})$"));

    const QString t = text.trimmed();
    QRegularExpressionMatch m = dotted.match(t);
    if (m.hasMatch()) {
        const QString y = m.captured(3);
        if (y.size() == 2 && fullYearOnly)
            return QDate();
        const int year = y.size() == 2 ? expandTwoDigitYear(y.toInt()) : y.toInt();
        if (year < 1000)
            return QDate();
        const QDate d(year, m.captured(2).toInt(), m.captured(1).toInt());
        return d.isValid() ? d : QDate();
    }
    m = iso.match(t);
    if (m.hasMatch()) {
        const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
        return d.isValid() ? d : QDate();
    }
    return QDate();
}

} // namespace Qf
