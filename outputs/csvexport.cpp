#include "outputs/csvexport.h"

#include "core/usersettings.h"
#include "db/qssql.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QLocale>
#include <QSaveFile>
#include <QSet>
#include <QSettings>
#include <QTextCodec>
#include <QVector>

namespace CsvExport {

namespace {

enum class Kind { Text, Number, Date, Gps };

struct Column {
    const char *title;
    const char *sql;
    Kind kind;
};

// Title and enterprise column side by side; the file follows this order.
const Column kColumns[] = {
    {"Podnik název", "podnik_nazev", Kind::Text},
    {"Země", "zeme", Kind::Text},
    {"IČO", "ico", Kind::Text},
    {"CH6", "ch6", Kind::Text},
    {"Region", "obr", Kind::Text},
    {"Okres", "okres", Kind::Text},
    {"GPS", "gps", Kind::Gps},
    {"Skot ks", "skot_ks", Kind::Number},
    {"Dojnice ks", "dojnice_ks", Kind::Number},
    {"Dojnice plemeno", "dojnice_plemeno", Kind::Text},
    {"Masný ks", "masny_ks", Kind::Number},
    {"Masný plemeno", "masny_plemeno", Kind::Text},
    {"Odpovědná osoba", "O_ODPOVEDNA_OSOBA", Kind::Text},
    {"Vztah se zákazníkem", "O_VZTAH_SE_ZAKAZNIKEM", Kind::Number},
    {"Kontaktní osoba", "O_KONTAKTNI_OSOBA", Kind::Text},
    {"Priorita", "O_PRIORITA", Kind::Number},
    {"Telefon", "O_TELEFON", Kind::Text},
    {"Email", "O_EMAIL", Kind::Text},
    {"Poslední kontakt", "O_POSLEDNI_KONTAKT", Kind::Date},
    {"Poslední kontakt osoba", "O_POSLEDNI_KONTAKT_OSOBA", Kind::Text},
    {"Další kontakt", "O_DALSI_KONTAKT", Kind::Date},
    {"Předvedení", "O_PREDVEDENI", Kind::Date},
    {"Předvedení osoba", "O_PREDVEDENI_OSOBA", Kind::Text},
    {"Nabídka odeslána", "O_NABIDKA_ODESLANA", Kind::Date},
    {"Stav", "O_STAV", Kind::Text},
    {"Poznámka", "O_POZNAMKA", Kind::Text},
    {"Nabítka T odeslána", "O_NABIDKAT_ODESLANA", Kind::Date},
    {"Stav T", "O_STAVT", Kind::Text},
    {"Poznámka T", "O_POZNAMKAT", Kind::Text},
    // Contract columns, for the designated login only.
    {"Smlouva ORG", "SMLOUVA_ORGANIZACE", Kind::Text},
    {"Smlouva číslo", "SMLOUVA_CISLO", Kind::Text},
    {"Smlouva pronájem", "SMLOUVA_PRONAJEM", Kind::Date},
    {"Smlouva od", "SMLOUVA_FAKTURACE_OD", Kind::Text},
    {"Fakturace částka", "SMLOUVA_FAKTURACE_CASTKA_ROK", Kind::Number},
    {"Fakturace sleva", "SMLOUVA_FAKTURACE_SLEVA", Kind::Number},
    {"Fakturace sleva obdoví", "SMLOUVA_FAKTURACE_SLEVA_OBDOBI", Kind::Number},
    {"Fakturace měsíce", "SMLOUVA_FAKTURACE_MESICE", Kind::Text},
    {"Fakturace období", "SMLOUVA_FAKTURACE_OBDOBI", Kind::Text},
    {"Fakturace zpětně", "SMLOUVA_FAKTURACE_ZPETNE", Kind::Text},
    {"Fakturace měna", "SMLOUVA_FAKTURACE_MENA", Kind::Text},
};
constexpr int kBaseColumns = 29;
constexpr int kAllColumns = int(sizeof(kColumns) / sizeof(kColumns[0]));
static_assert(kAllColumns == 40, "29 columns and 11 contract columns");

QString &systemFileOverride()
{
    static QString path;
    return path;
}

QDate toDate(const QVariant &v)
{
    if (v.type() == QVariant::Date)
        return v.toDate();
    if (v.type() == QVariant::DateTime)
        return v.toDateTime().date();
    // Text columns that hold dates (SMLOUVA_PRONAJEM), or a date the driver
    // left as text.
    const QString t = v.toString().trimmed();
    QDate d = QDate::fromString(t.left(10), Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(t, QStringLiteral("d.M.yyyy"));
    return d;
}

} // namespace

QString numberText(const QVariant &v)
{
    switch (v.type()) {
    case QVariant::Int:
    case QVariant::LongLong:
    case QVariant::UInt:
    case QVariant::ULongLong:
        return v.toString();
    default:
        break;
    }
    // Doubles and decimals (MySQL hands DECIMAL over as text) in plain
    // decimal with a point: 1200.5, never 1.2e+03, same on both backends.
    bool ok = false;
    const double d = v.toString().trimmed().toDouble(&ok);
    if (!ok)
        return v.toString();
    return QString::number(d, 'f', QLocale::FloatingPointShortest);
}

namespace {

QString valueText(const Column &c, const QVariant &v, const CsvOptions &o)
{
    if (v.isNull())
        return QString();
    switch (c.kind) {
    case Kind::Date: {
        const QDate d = toDate(v);
        return d.isValid() ? d.toString(o.dateFormat) : QString();
    }
    case Kind::Number:
        return numberText(v);
    case Kind::Gps:
        return o.withGps ? textValue(v.toString()) : QString();
    case Kind::Text:
        break;
    }
    if (v.type() == QVariant::Date)
        return v.toDate().toString(Qt::ISODate);
    if (v.type() == QVariant::DateTime)
        return v.toDateTime().toString(Qt::ISODate);
    return textValue(v.toString());
}

QTextCodec *win1250()
{
    return QTextCodec::codecForName("Windows-1250");
}

QString canonical(const QString &stored, const QStringList &choices)
{
    for (const QString &c : choices)
        if (stored.compare(c, Qt::CaseInsensitive) == 0)
            return c;
    return choices.first();
}

} // namespace

QStringList separators()
{
    return {QStringLiteral(";"), QStringLiteral(","), QStringLiteral(":"), QStringLiteral("#")};
}

QStringList dateFormats()
{
    return {QStringLiteral("dd.MM.yyyy"), QStringLiteral("dd.MM.yy"), QStringLiteral("yyyy-MM-dd")};
}

QStringList codecs()
{
    return {CodecUtf8, CodecWin1250};
}

StoredChoices StoredChoices::load(const QString &desktop)
{
    ZrnSettings s;
    StoredChoices c;
    const QVariant name = s.value(KeyFilename);
    c.fileName = name.isValid() ? s.textValue(KeyFilename) : desktop + QStringLiteral("/podniky.csv");
    c.withHeader = s.boolValue(KeyWithHeader, true);
    c.separator = s.contains(KeySeparator) ? s.textValue(KeySeparator) : separators().first();
    c.dateFormat = s.contains(KeyDateFormat) ? s.textValue(KeyDateFormat) : dateFormats().first();
    c.codec = s.contains(KeyCodec) ? s.textValue(KeyCodec) : CodecWin1250;
    return c;
}

void StoredChoices::save() const
{
    ZrnSettings s;
    s.setValue(KeyFilename, fileName);
    s.setValue(KeyWithHeader, withHeader);
    s.setValue(KeySeparator, separator);
    s.setValue(KeyDateFormat, dateFormat);
    s.setValue(KeyCodec, codec);
}

QStringList titles(bool withContracts)
{
    QStringList t;
    const int n = withContracts ? kAllColumns : kBaseColumns;
    for (int i = 0; i < n; ++i)
        t << QString::fromUtf8(kColumns[i].title);
    return t;
}

QString field(const QString &value, QChar separator)
{
    if (!value.contains(separator) && !value.contains(QLatin1Char('"'))
        && !value.contains(QLatin1Char('\n')) && !value.contains(QLatin1Char('\r')))
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString line(const QStringList &values, QChar separator)
{
    QString text;
    for (const QString &v : values) {
        text += field(v, separator);
        text += separator;
    }
    return text + QStringLiteral("\r\n");
}

QByteArray encode(const QString &text, const QString &codec)
{
    QTextCodec *c = codec.compare(CodecWin1250, Qt::CaseInsensitive) == 0 ? win1250() : nullptr;
    return c ? c->fromUnicode(text) : text.toUtf8();
}

bool canEncode(const QString &value, const QString &codec)
{
    QTextCodec *c = codec.compare(CodecWin1250, Qt::CaseInsensitive) == 0 ? win1250() : nullptr;
    return !c || c->canEncode(value);
}

QString textValue(const QString &value)
{
    // What spreadsheets start a formula with (tab and CR too, which some
    // of them skip before the sign).
    static const QString formulaStart = QStringLiteral("=+-@\t\r");
    if (!value.isEmpty() && formulaStart.contains(value.at(0)))
        return QLatin1Char('\'') + value;
    return value;
}

QString enterprisesText(int count)
{
    const char *word = count == 1 ? QT_TRANSLATE_NOOP("CsvExport", "podnik")
        : (count >= 2 && count <= 4) ? QT_TRANSLATE_NOOP("CsvExport", "podniky") : QT_TRANSLATE_NOOP("CsvExport", "podniků");
    return QString::number(count) + QLatin1Char(' ') + QCoreApplication::translate("CsvExport", word);
}

QByteArray buildCsv(const QList<int> &ids, const Visibility &visibility, const CsvOptions &options,
                    QString *error, CsvReport *report, const Progress &progress)
{
    if (error)
        error->clear();
    CsvReport scratch;
    CsvReport &r = report ? *report : scratch;
    r = CsvReport();
    QTextCodec *codec = options.codec.compare(CodecWin1250, Qt::CaseInsensitive) == 0 ? win1250() : nullptr;
    const int n = options.withContracts ? kAllColumns : kBaseColumns;
    // Only the two known formats; anything else would write the letters.
    CsvOptions o = options;
    o.dateFormat = canonical(options.dateFormat, dateFormats());

    QString text;
    auto appendLine = [&](const QStringList &values) { text += line(values, o.separator); };
    if (o.withHeader)
        appendLine(titles(o.withContracts));

    // The ids are integers, so the list can stand in the statement; an empty
    // list is never sent (in () is no valid SQL).
    QStringList idTexts;
    QSet<int> seen;
    for (int id : ids)
        if (!seen.contains(id)) {
            seen.insert(id);
            idTexts << QString::number(id);
        }
    QHash<int, QStringList> lines;
    if (!idTexts.isEmpty()) {
        QString sql = QStringLiteral("select id");
        for (int i = 0; i < n; ++i)
            sql += QLatin1Char(',') + QLatin1String(kColumns[i].sql);
        const Visibility::Sql visible = visibility.enterprise(QStringLiteral("pdq"));
        sql += QStringLiteral(" from tellmark_podniky pdq where ") + visible.andThen() + QStringLiteral("id in (")
            + idTexts.join(QLatin1Char(',')) + QLatin1Char(')');
        QSSQL q;
        if (!q.exec(sql, visible.binds)) {
            if (error)
                *error = q.lastError().text();
            return QByteArray();
        }
        // Read, then made into lines: twice the ids in steps.
        const qint64 steps = 2 * qint64(idTexts.size());
        for (qint64 done = 0; q.next(); ++done) {
            if (!goOn(progress, done, steps)) {
                r.cancelled = true;
                return QByteArray();
            }
            QStringList values;
            for (int i = 0; i < n; ++i)
                values << valueText(kColumns[i], q.value(i + 1), o);
            lines.insert(q.value(0).toInt(), values);
        }
    }
    // The tree's order, not the database's.
    for (int i = 0; i < idTexts.size(); ++i) {
        if (!goOn(progress, idTexts.size() + i, 2 * qint64(idTexts.size()))) {
            r.cancelled = true;
            return QByteArray();
        }
        const auto it = lines.constFind(idTexts.at(i).toInt());
        if (it == lines.constEnd())
            continue;
        appendLine(*it);
        ++r.enterprises;
        for (int i = 0; codec && i < it->size(); ++i)
            if (!codec->canEncode(it->at(i)))
                r.unencodable << QString::fromUtf8(kColumns[i].title) + QStringLiteral(": ") + it->at(i);
    }
    return codec ? codec->fromUnicode(text) : text.toUtf8();
}

bool writeFile(const QString &fileName, const QByteArray &bytes, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (fileName.trimmed().isEmpty())
        return fail(QCoreApplication::translate("CsvExport", "Není zadán název souboru."));
    // The usual reasons, told in the user's words before anything is tried.
    const QFileInfo target(fileName);
    const QFileInfo folder(target.absolutePath());
    if (target.isDir())
        return fail(QCoreApplication::translate("CsvExport", "„%1“ je složka, ne soubor.").arg(QDir::toNativeSeparators(fileName)));
    if (!folder.isDir())
        return fail(QCoreApplication::translate("CsvExport", "Složka „%1“ neexistuje.").arg(QDir::toNativeSeparators(folder.filePath())));
    if (!folder.isWritable())
        return fail(QCoreApplication::translate("CsvExport", "Do složky „%1“ nemáte právo zapisovat.").arg(QDir::toNativeSeparators(folder.filePath())));
    if (target.exists() && !target.isWritable())
        return fail(QCoreApplication::translate("CsvExport", "Soubor je jen pro čtení."));
    // Binary: the lines already end with CR LF.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(QCoreApplication::translate("CsvExport", "Soubor nelze vytvořit (%1).").arg(file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(QCoreApplication::translate("CsvExport", "Zápis se nezdařil, možná je plný disk (%1).").arg(why));
    }
    return true;
}

QString systemSettingsFile()
{
    if (!systemFileOverride().isEmpty())
        return systemFileOverride();
    return QSettings(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Korbanit"),
                     QStringLiteral("ZRN"))
        .fileName();
}

void setSystemSettingsFile(const QString &path)
{
    systemFileOverride() = path;
}

QString contractsLogin()
{
    // Exactly this file: no fallback to the user's file or other files.
    QSettings s(systemSettingsFile(), QSettings::IniFormat);
    return s.value(KeyContractsLogin).toString().trimmed();
}

} // namespace CsvExport
