#include "outputs/fakturacestore.h"

#include "core/textutil.h"
#include "db/qssql.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLocale>

namespace FakturaceStore {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("FakturaceStore", text);
}

// Any contract data makes an enterprise a contract.
const char *const kSelect =
    "select pdq.id,pdq.SMLOUVA_ORGANIZACE,pdq.SMLOUVA_CISLO,pdq.podnik_nazev,pdq.SMLOUVA_FAKTURACE_OD,"
    "pdq.SMLOUVA_FAKTURACE_CASTKA_ROK,pdq.SMLOUVA_FAKTURACE_MENA,pdq.SMLOUVA_FAKTURACE_SLEVA,"
    "pdq.SMLOUVA_FAKTURACE_SLEVA_OBDOBI,pdq.SMLOUVA_FAKTURACE_MESICE,pdq.SMLOUVA_FAKTURACE_OBDOBI,"
    "pdq.SMLOUVA_FAKTURACE_ZPETNE,pdq.SMLOUVA_PODEPSANO,pdq.SMLOUVA_POZNAMKA"
    " from tellmark_podniky pdq where ";
const char *const kIsContract =
    "(coalesce(trim(pdq.SMLOUVA_ORGANIZACE),'')<>'' or coalesce(trim(pdq.SMLOUVA_CISLO),'')<>''"
    " or pdq.SMLOUVA_FAKTURACE_OD is not null or pdq.SMLOUVA_FAKTURACE_CASTKA_ROK>0"
    " or pdq.SMLOUVA_PODEPSANO is not null)";
const char *const kOrder = " order by pdq.SMLOUVA_ORGANIZACE,pdq.SMLOUVA_CISLO,pdq.podnik_nazev,pdq.id";

QDate toDate(const QVariant &v)
{
    if (v.isNull())
        return QDate();
    if (v.type() == QVariant::Date)
        return v.toDate();
    if (v.type() == QVariant::DateTime)
        return v.toDateTime().date();
    return QDate::fromString(v.toString().trimmed().left(10), Qt::ISODate);
}

QVariant toNumber(const QVariant &v)
{
    if (v.isNull())
        return QVariant();
    bool ok = false;
    // MySQL hands DECIMAL over as text.
    const double d = v.toString().trimmed().toDouble(&ok);
    return ok ? QVariant(d) : QVariant();
}

QString currencyKey(const QString &currency)
{
    return currency.trimmed().toUpper();
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace

QStringList titles()
{
    return {tr("Smlouva podnik"), tr("Smlouva číslo"), tr("Podnik"), tr("Fakturovat od"), tr("Částka"),
            tr("Měna"), tr("Sleva [%]"), tr("Sleva [měsíce]"), tr("Fakt. měsíce"), tr("Fakt. období"),
            tr("Zpětně"), tr("Podepsáno"), tr("Poznámka")};
}

QString text(const Contract &c, int column, const QString &dateFormat)
{
    auto date = [&](const QDate &d) { return d.isValid() ? d.toString(dateFormat) : QString(); };
    auto number = [](const QVariant &v) { return v.isNull() ? QString() : CsvExport::numberText(v); };
    switch (column) {
    case Organisation: return c.organisation;
    case Number: return c.number;
    case Enterprise: return c.enterprise;
    case From: return date(c.from);
    case Amount: return number(c.amount);
    case Currency: return c.currency;
    case Discount: return number(c.discount);
    case DiscountMonths: return number(c.discountMonths);
    case Months: return c.months;
    case Period: return c.period;
    case Retroactive: return c.retroactive;
    case SignedOn: return date(c.signedOn);
    case Note: return c.note;
    default: return QString();
    }
}

QString shownText(const Contract &c, int column)
{
    if (column == Amount && !c.amount.isNull())
        return QLocale(QLocale::Czech, QLocale::CzechRepublic).toString(c.amount.toDouble(), 'f', 2);
    if ((column == Discount || column == DiscountMonths) && !text(c, column).isEmpty())
        return QLocale(QLocale::Czech, QLocale::CzechRepublic)
            .toString(column == Discount ? c.discount.toDouble() : c.discountMonths.toDouble(), 'g', 12);
    return text(c, column);
}

bool read(const Visibility &visibility, const Filter &filter, QList<Contract> *out, QString *error)
{
    out->clear();
    const Visibility::Sql visible = visibility.enterprise(QStringLiteral("pdq"));
    QString sql = QLatin1String(kSelect) + visible.andThen() + QLatin1String(kIsContract);
    QVariantList binds = visible.binds;
    if (filter.state == Signed::SignedOnly)
        sql += QStringLiteral(" and pdq.SMLOUVA_PODEPSANO is not null");
    else if (filter.state == Signed::UnsignedOnly)
        sql += QStringLiteral(" and pdq.SMLOUVA_PODEPSANO is null");
    // Bound as ISO text, which both backends compare with their dates.
    if (filter.from.isValid()) {
        sql += QStringLiteral(" and pdq.SMLOUVA_FAKTURACE_OD>=?");
        binds << filter.from.toString(Qt::ISODate);
    }
    if (filter.to.isValid()) {
        sql += QStringLiteral(" and pdq.SMLOUVA_FAKTURACE_OD<=?");
        binds << filter.to.toString(Qt::ISODate);
    }
    sql += QLatin1String(kOrder);
    QSSQL q;
    if (!q.exec(sql, binds)) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    while (q.next()) {
        Contract c;
        c.id = q.value(0).toInt();
        c.organisation = q.value(1).toString();
        c.number = q.value(2).toString();
        c.enterprise = q.value(3).toString();
        c.from = toDate(q.value(4));
        c.amount = toNumber(q.value(5));
        c.currency = q.value(6).toString();
        c.discount = toNumber(q.value(7));
        c.discountMonths = toNumber(q.value(8));
        c.months = q.value(9).toString();
        c.period = q.value(10).toString();
        c.retroactive = q.value(11).toString();
        c.signedOn = toDate(q.value(12));
        c.note = q.value(13).toString();
        out->append(c);
    }
    if (error)
        error->clear();
    return true;
}

bool matches(const Contract &c, const QString &text)
{
    const QString needle = stripDiacritics(text.trimmed()).toLower();
    if (needle.isEmpty())
        return true;
    for (int column = 0; column < ColumnCount; ++column) {
        if (stripDiacritics(FakturaceStore::text(c, column)).toLower().contains(needle))
            return true;
    }
    return false;
}

QList<Contract> shown(const QList<Contract> &all, const QString &text)
{
    QList<Contract> out;
    for (const Contract &c : all)
        if (matches(c, text))
            out << c;
    return out;
}

QMap<QString, qint64> totals(const QList<Contract> &contracts)
{
    QMap<QString, qint64> sums;
    for (const Contract &c : contracts) {
        if (c.amount.isNull())
            continue;
        sums[currencyKey(c.currency)] += qRound64(c.amount.toDouble() * 100.0);
    }
    return sums;
}

QString totalsText(const QMap<QString, qint64> &totals)
{
    const QLocale czech(QLocale::Czech, QLocale::CzechRepublic);
    QStringList parts;
    for (auto it = totals.constBegin(); it != totals.constEnd(); ++it) {
        const QString currency = it.key().isEmpty() ? tr("bez měny") : it.key();
        parts << currency + QLatin1Char(' ') + czech.toString(double(it.value()) / 100.0, 'f', 2);
    }
    return parts.join(QStringLiteral("; "));
}

QByteArray csv(const QList<Contract> &contracts, const CsvExport::CsvOptions &options, QStringList *unencodable)
{
    if (unencodable)
        unencodable->clear();
    const QStringList heads = titles();
    QString file;
    if (options.withHeader)
        file += CsvExport::line(heads, options.separator);
    for (const Contract &c : contracts) {
        QStringList values;
        for (int column = 0; column < ColumnCount; ++column) {
            const QString value = text(c, column, options.dateFormat);
            const bool isText = column != From && column != SignedOn && column != Amount && column != Discount
                && column != DiscountMonths;
            values << (isText ? CsvExport::textValue(value) : value);
            if (unencodable && !CsvExport::canEncode(value, options.codec))
                *unencodable << heads.at(column) + QStringLiteral(": ") + value;
        }
        file += CsvExport::line(values, options.separator);
    }
    return CsvExport::encode(file, options.codec);
}

QString html(const QList<Contract> &contracts, const QString &filterText)
{
    // The reports' table style, at print size.
    QString page = QStringLiteral(
        "<html><head><meta charset='utf-8'><style>"
        "table.gridtable{font-size:9pt;color:#333333;border-collapse:collapse;border:1px solid #666666}"
        "table.gridtable th{padding:3px;border:1px solid #666666;background-color:#dedede}"
        "table.gridtable td{padding:3px;border:1px solid #666666}"
        "</style></head><body>");
    page += QStringLiteral("<h2>%1</h2>").arg(escaped(tr("Fakturace - smlouvy")));
    if (!filterText.isEmpty())
        page += QStringLiteral("<p>%1</p>").arg(escaped(filterText));
    // The header row is repeated on every printed page.
    page += QStringLiteral("<table class='gridtable' width='100%' cellspacing='0'><thead><tr>");
    for (const QString &t : titles())
        page += QStringLiteral("<th>%1</th>").arg(escaped(t));
    page += QStringLiteral("</tr></thead>");
    for (const Contract &c : contracts) {
        page += QStringLiteral("<tr>");
        for (int column = 0; column < ColumnCount; ++column) {
            const bool right = column == Amount || column == Discount || column == DiscountMonths;
            page += (right ? QStringLiteral("<td align='right'>") : QStringLiteral("<td>"))
                + escaped(shownText(c, column)) + QStringLiteral("</td>");
        }
        page += QStringLiteral("</tr>");
    }
    page += QStringLiteral("</table><p>%1 %2</p><p>%3 %4</p></body></html>")
                .arg(escaped(tr("Smluv:")), QString::number(contracts.size()), escaped(tr("Součty částek:")),
                     escaped(totalsText(totals(contracts))));
    return page;
}

} // namespace FakturaceStore
