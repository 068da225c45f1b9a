#include "admin/serviceimports.h"

#include "core/staff.h"
#include "core/textutil.h"
#include "db/database.h"
#include "db/qssql.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <QTextCodec>

namespace ServiceImports {

namespace {

// Far above any export these jobs read; a wrongly chosen file (a disk
// image, a video) is refused instead of filling the memory.
constexpr qint64 kMaxCsvBytes = 64 * 1024 * 1024;

// An import reads and writes in one unit (Database::runUnit): thousands of
// single-row commits are slow on SQLite, and a failed statement, a deadlock
// or a connection lost half-way must not leave part of an import behind.

QString nothingSaved(const QString &why)
{
    return QCoreApplication::translate("ServiceImports", "Zápis se nepodařilo dokončit, nic nebylo uloženo. %1").arg(why).trimmed();
}

// A stopped job says so instead of its counts; the unit it ran in was
// rolled back, so the summary of a writing job must not count anything.
Report stopped()
{
    Report r;
    r.cancelled = true;
    r.summary = QCoreApplication::translate("ServiceImports", "Úloha byla zrušena, nic nebylo uloženo.");
    return r;
}

QString field(const QStringList &row, int index)
{
    return index < 0 ? QString() : row.value(index).trimmed();
}

QString withoutSpaces(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!c.isSpace())
            out.append(c);
    }
    return out;
}

// The header position of each wanted column (compared in lower case), or -1.
QHash<QString, int> headerColumns(const QStringList &header, const QStringList &wanted)
{
    QHash<QString, int> columns;
    for (const QString &name : wanted)
        columns.insert(name, -1);
    for (int i = 0; i < header.size(); ++i) {
        const QString name = header.at(i).trimmed().toLower();
        if (columns.value(name, 0) == -1)
            columns[name] = i;
    }
    return columns;
}

bool readNonEmpty(const QString &path, QList<QStringList> *rows, Report *report)
{
    if (!readCsv(path, rows, &report->error))
        return false;
    for (const QStringList &row : qAsConst(*rows)) {
        if (!row.isEmpty())
            return true;
    }
    report->error = QCoreApplication::translate("ServiceImports", "Soubor %1 neobsahuje žádná data.").arg(QDir::toNativeSeparators(path));
    return false;
}

QString nameKey(const QString &name)
{
    QStringList words = stripDiacritics(name).toLower().simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.sort();
    return words.join(QLatin1Char(' '));
}

QString countryOrHome(const QString &country)
{
    const QString c = country.trimmed();
    return c.isEmpty() ? QStringLiteral("Česká republika") : c;
}

} // namespace

QString Report::text() const
{
    QStringList out;
    if (!error.isEmpty())
        out << QCoreApplication::translate("ServiceImports", "Úloha skončila chybou: %1").arg(error);
    if (!summary.isEmpty())
        out << summary;
    if (!lines.isEmpty()) {
        if (!out.isEmpty())
            out << QString();
        out << lines;
    }
    return out.join(QLatin1Char('\n'));
}

bool readCsv(const QString &path, QList<QStringList> *rows, QString *error)
{
    rows->clear();
    const QString shown = QDir::toNativeSeparators(path);
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (path.isEmpty())
        return fail(QCoreApplication::translate("ServiceImports", "Nebyl vybrán žádný soubor."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QCoreApplication::translate("ServiceImports", "Soubor %1 nelze otevřít: %2").arg(shown, file.errorString()));
    // A pipe reports no size; the limit then stops the read itself.
    const bool tooBig = file.size() > kMaxCsvBytes;
    const QByteArray data = tooBig ? QByteArray() : file.isSequential() ? file.read(kMaxCsvBytes + 1) : file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QCoreApplication::translate("ServiceImports", "Soubor %1 nelze přečíst: %2").arg(shown, file.errorString()));
    if (tooBig || data.size() > kMaxCsvBytes)
        return fail(QCoreApplication::translate("ServiceImports", "Soubor %1 je větší než %2 MB, nejde o očekávaný soubor CSV.")
                        .arg(shown, QString::number(kMaxCsvBytes / (1024 * 1024))));
    // No text encoding the exports use has zero bytes; a file with them is
    // binary (or UTF-16) and its "fields" would be noise.
    if (data.contains('\0'))
        return fail(QCoreApplication::translate("ServiceImports", "Soubor %1 není textový soubor CSV.").arg(shown));

    QString text;
    if (data.startsWith("\xEF\xBB\xBF")) {
        text = QString::fromUtf8(data.constData() + 3, data.size() - 3);
    } else {
        // Older exports are Windows-1250; such text is hardly ever valid UTF-8.
        QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
        QTextCodec::ConverterState state;
        text = utf8->toUnicode(data.constData(), data.size(), &state);
        if (state.invalidChars > 0 || state.remainingChars > 0) {
            QTextCodec *cp1250 = QTextCodec::codecForName("Windows-1250");
            if (!cp1250)
                return fail(QCoreApplication::translate("ServiceImports", "Soubor %1 není v kódování UTF-8 a kódování Windows-1250 není k dispozici.")
                                .arg(shown));
            text = cp1250->toUnicode(data);
        }
    }

    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    rows->reserve(lines.size());
    for (QString &line : lines) {
        line.remove(QLatin1Char('\r'));
        rows->append(line.isEmpty() ? QStringList() : line.split(QLatin1Char(';')));
    }
    return true;
}

QString plemkoKey(const QString &kraj, const QString &staj)
{
    return (kraj + staj.rightJustified(8, QLatin1Char('0'))).left(8).leftJustified(8, QLatin1Char('0'));
}

QString staffLogin(const QString &person)
{
    const QString key = nameKey(person);
    if (key.isEmpty())
        return QString();
    for (const StaffTable::Member &m : StaffTable::members) {
        if (nameKey(QString::fromUtf8(m.name)) == key
            || QString::fromLatin1(m.code).compare(person.trimmed(), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(m.login);
    }
    return QString();
}

Report importKu(const Progress &progress)
{
    Report r;
    bool cancelled = false;
    struct Check {
        QVariant date, cows, level;
    };
    QStringList farms;
    int withoutFarm = 0, notInRegister = 0, changed = 0;
    // One unit that reads the breeders' data and writes the centres: run
    // again after a deadlock it reads everything afresh, so it may repeat.
    auto unit = [&](QString *error) {
        farms.clear();
        withoutFarm = notInRegister = changed = 0;
        QSSQL q;
        // Oldest first: the check read last for a farm is its newest one.
        if (!q.exec(QStringLiteral("select datum_ku,pocet_dojnic,stupen_kontroly,staj_cislo from chovatele_data "
                                   "order by datum_ku"))) {
            *error = q.lastError().text();
            return false;
        }
        QHash<QString, Check> newest;
        while (q.next()) {
            // Blank numbers are skipped: on MySQL " " equals "" and would reach
            // every centre without a registration number.
            const QString farm = q.value(3).toString().trimmed();
            if (farm.isEmpty()) {
                ++withoutFarm;
                continue;
            }
            if (!newest.contains(farm))
                farms << farm;
            newest.insert(farm, Check{q.value(0), q.value(1), q.value(2)});
        }
        for (int i = 0; i < farms.size(); ++i) {
            const QString &farm = farms.at(i);
            if (!goOn(progress, i, farms.size())) {
                cancelled = true;
                return false;
            }
            // MariaDB reports changed rows, not matched ones, so a second run
            // would count 0. The centres are counted by a select instead, which
            // both backends answer the same.
            QSSQL count;
            if (!count.exec(QStringLiteral("select count(*) from tellmark_strediska where hospodarstvi=?"), {farm})
                || !count.next()) {
                *error = QCoreApplication::translate("ServiceImports", "Stáj %1: %2").arg(farm, count.lastError().text());
                return false;
            }
            const int centres = count.value(0).toInt();
            if (centres == 0) {
                ++notInRegister;
                continue;
            }
            const Check &c = newest[farm];
            QSSQL up;
            if (!up.exec(QStringLiteral("update tellmark_strediska set sku_datum=?,sku_dojnic=?,sku_stupen=? "
                                        "where hospodarstvi=?"),
                         {c.date, c.cows, c.level, farm})) {
                *error = QCoreApplication::translate("ServiceImports", "Stáj %1: %2").arg(farm, up.lastError().text());
                return false;
            }
            changed += centres;
        }
        return true;
    };
    QString error;
    if (!Database::runUnit(unit, Database::RetryPolicy::RepeatOnce, &error)) {
        if (cancelled)
            return stopped();
        r.error = nothingSaved(error);
        return r;
    }
    // Counted only now: a unit that was rolled back wrote nothing.
    r.changedRows = changed;
    r.summary = QCoreApplication::translate("ServiceImports", "Údaje KU zapsány do středisek: %1. Stájí v datech KU: %2, z toho bez střediska v registru: %3; "
                               "řádků bez čísla stáje: %4.")
                    .arg(r.changedRows)
                    .arg(farms.size())
                    .arg(notInRegister)
                    .arg(withoutFarm);
    return r;
}

Report importCh6(const QString &csvPath, const Progress &progress)
{
    Report r;
    bool cancelled = false;
    QList<QStringList> rows;
    if (!readNonEmpty(csvPath, &rows, &r))
        return r;
    QHash<QString, QString> codes;
    int used = 0, tooShort = 0;
    for (const QStringList &row : qAsConst(rows)) {
        if (row.isEmpty())
            continue;
        if (row.size() < 14) {
            ++tooShort;
            continue;
        }
        codes.insert(field(row, 0).left(8), field(row, 13).left(6));
        ++used;
    }

    QStringList written, rejectedLines;
    int kept = 0, changed = 0;
    // The enterprises are read inside the unit: a repeat after a deadlock
    // sees the codes others typed in meanwhile.
    auto unit = [&](QString *error) {
        written.clear();
        rejectedLines.clear();
        kept = changed = 0;
        QSSQL q;
        // Ordered, so that of several matching centres the last one decides.
        if (!q.exec(QStringLiteral("select pdq.id,stq.id,pdq.ch6,stq.HOSPODARSTVI,pdq.podnik_nazev "
                                   "from tellmark_podniky pdq left join tellmark_strediska stq on pdq.id=stq.id_podnik "
                                   "order by pdq.id,stq.id"))) {
            *error = q.lastError().text();
            return false;
        }
        struct Pending {
            QVariant id;
            QString name, code;
        };
        QList<Pending> pending;
        QHash<qlonglong, int> pendingAt;
        QSet<QString> rejected;
        while (q.next()) {
            const QString farm = q.value(3).toString().left(8);
            if (farm.size() != 8)
                continue;
            const auto it = codes.constFind(farm);
            if (it == codes.constEnd())
                continue;
            bool isNumber = false;
            if (it->toInt(&isNumber) <= 0 || !isNumber) {
                if (!rejected.contains(farm)) {
                    rejected.insert(farm);
                    rejectedLines << QCoreApplication::translate("ServiceImports", "Stáj %1: CH6 „%2“ není celé číslo větší než 0, nezapsáno.").arg(farm, *it);
                }
                continue;
            }
            if (!q.value(2).toString().trimmed().isEmpty()) {
                ++kept;
                continue;
            }
            const qlonglong id = q.value(0).toLongLong();
            const Pending p{q.value(0), q.value(4).toString(), *it};
            if (pendingAt.contains(id)) {
                pending[pendingAt.value(id)] = p;
            } else {
                pendingAt.insert(id, pending.size());
                pending << p;
            }
        }
        for (int i = 0; i < pending.size(); ++i) {
            const Pending &p = pending.at(i);
            if (!goOn(progress, i, pending.size())) {
                cancelled = true;
                return false;
            }
            // The empty-CH6 condition also keeps a code typed in meanwhile; and as
            // the new code is never empty, a matched row is a changed row on both
            // backends, so numRowsAffected counts alike.
            QSSQL up;
            if (!up.exec(QStringLiteral("update tellmark_podniky set ch6=? where id=? and (ch6 is null or trim(ch6)='')"),
                         {p.code, p.id})) {
                *error = QCoreApplication::translate("ServiceImports", "Podnik %1 (%2): %3").arg(p.id.toString(), p.name, up.lastError().text());
                return false;
            }
            if (up.numRowsAffected() > 0) {
                changed += up.numRowsAffected();
                written << QCoreApplication::translate("ServiceImports", "Podnik %1 (%2): CH6 %3").arg(p.id.toString(), p.name, p.code);
            }
        }
        return true;
    };
    QString error;
    if (!Database::runUnit(unit, Database::RetryPolicy::RepeatOnce, &error)) {
        if (cancelled)
            return stopped();
        r.error = nothingSaved(error);
        return r;
    }
    // Reported only now that the unit is committed.
    r.changedRows = changed;
    r.lines = written + rejectedLines;
    r.summary = QCoreApplication::translate("ServiceImports", "CH6 zapsáno podnikům: %1. Řádků souboru použito: %2, s méně než 14 poli vynecháno: %3; "
                               "ponechaných existujících CH6 (řádků středisek): %4.")
                    .arg(r.changedRows)
                    .arg(used)
                    .arg(tooShort)
                    .arg(kept);
    return r;
}

Report eventDateCheck(const Progress &progress)
{
    Report r;
    QSSQL q;
    if (!q.exec(QStringLiteral("select id,ts_zalozeno,ts_zacatek,predmet from tellmark_udalosti where smazano=0 order by id"))) {
        r.error = q.lastError().text();
        return r;
    }
    for (qint64 row = 0; q.next(); ++row) {
        if (!goOn(progress, row, 0))
            return stopped();
        const QDate created = q.value(1).toDateTime().date();
        const QDate started = q.value(2).toDateTime().date();
        if (created == started)
            continue;
        r.lines << QStringLiteral("%1, %2")
                       .arg(r.lines.size() + 1)
                       .arg(QStringList{created.toString(Qt::TextDate), started.toString(Qt::TextDate),
                                        q.value(3).toString()}
                                .join(QStringLiteral(", ")));
    }
    r.summary = QCoreApplication::translate("ServiceImports", "Událostí s jiným dnem založení než začátku: %1.").arg(r.lines.size());
    return r;
}

Report plemkoCompare(const QString &csvPath, const Progress &progress)
{
    Report r;
    QList<QStringList> rows;
    if (!readNonEmpty(csvPath, &rows, &r))
        return r;
    const QStringList header = rows.constFirst();
    const QHash<QString, int> col = headerColumns(
        header, {QStringLiteral("kraj"), QStringLiteral("staj"), QStringLiteral("nazev_chovu"), QStringLiteral("database")});
    const int kraj = col.value(QStringLiteral("kraj")), staj = col.value(QStringLiteral("staj"));
    if (kraj < 0 || staj < 0) {
        r.error = QCoreApplication::translate("ServiceImports", "První řádek souboru nemá sloupce „kraj“ a „staj“.");
        return r;
    }
    const int nazev = col.value(QStringLiteral("nazev_chovu")), database = col.value(QStringLiteral("database"));

    int matched = 0, skipped = 0;
    // The header itself is no data line.
    for (int i = 1; i < rows.size(); ++i) {
        if (!goOn(progress, i, rows.size()))
            return stopped();
        const QStringList &row = rows.at(i);
        if (row.isEmpty())
            continue;
        const QString k = field(row, kraj), s = field(row, staj);
        // A line without its stable would match every centre without a
        // registration number.
        if (row.size() != header.size() || s.isEmpty()) {
            ++skipped;
            continue;
        }
        QSSQL q;
        q.prepare(QStringLiteral("select pdq.id,stq.id,pdq.ch6,stq.HOSPODARSTVI,pdq.podnik_nazev,stq.akce_nazev,stq.LICENCE_CISLO "
                                 "from tellmark_podniky pdq left join tellmark_strediska stq on pdq.id=stq.id_podnik "
                                 "where lpad(stq.HOSPODARSTVI,8,'0')=? order by pdq.id,stq.id"));
        q.addBindValue(plemkoKey(k, s));
        if (!q.exec()) {
            r.error = q.lastError().text();
            break;
        }
        const QString stable = k + s.rightJustified(8, QLatin1Char('0'));
        while (q.next()) {
            bool isNumber = false;
            const qlonglong licence = q.value(6).toLongLong(&isNumber);
            r.lines << QStringList{field(row, database), stable, field(row, nazev), q.value(4).toString(),
                                   q.value(5).toString(),
                                   isNumber && licence != 0 ? QString::number(licence) : QString()}
                           .join(QLatin1Char(';'));
            ++matched;
        }
    }
    r.summary = QCoreApplication::translate("ServiceImports", "Shod se středisky: %1. Vynechaných řádků (jiný počet polí nebo bez stáje): %2.")
                    .arg(matched)
                    .arg(skipped);
    return r;
}

Report enterpriseImport(const QString &csvPath, const Progress &progress)
{
    Report r;
    QList<QStringList> rows;
    if (!readNonEmpty(csvPath, &rows, &r))
        return r;
    const QString icoCol = QStringLiteral("ičo"), nameCol = QStringLiteral("název"),
                  personCol = QStringLiteral("odpovědná osoba"), countryCol = QStringLiteral("stát"),
                  contactCol = QStringLiteral("posl. kontakt"), cowsCol = QStringLiteral("dojnice");
    const QHash<QString, int> col = headerColumns(
        rows.constFirst(), {icoCol, nameCol, QStringLiteral("okres dle sídla"), QStringLiteral("region"), personCol,
                            countryCol, QStringLiteral("psč"), QStringLiteral("kontakty"), contactCol, cowsCol});
    if (col.value(icoCol) < 0) {
        r.error = QCoreApplication::translate("ServiceImports", "První řádek souboru nemá sloupec „IČO“.");
        return r;
    }
    for (const QString &name : {cowsCol, countryCol}) {
        if (col.value(name) < 0)
            r.lines << QCoreApplication::translate("ServiceImports", "Soubor nemá sloupec „%1“, ten se neporovnává.").arg(name);
    }

    struct Record {
        int line = 0;
        QString ico, name, country, cows;
    };
    QList<Record> records;
    QHash<QString, int> recordAt;
    for (int i = 1; i < rows.size(); ++i) {
        const QStringList &row = rows.at(i);
        if (row.isEmpty())
            continue;
        const int line = i + 1;
        Record rec;
        rec.line = line;
        rec.ico = withoutSpaces(field(row, col.value(icoCol)));
        rec.name = field(row, col.value(nameCol));
        rec.country = field(row, col.value(countryCol));
        rec.cows = withoutSpaces(field(row, col.value(cowsCol)));
        if (rec.ico.isEmpty()) {
            r.lines << QCoreApplication::translate("ServiceImports", "Řádek %1 (%2): chybí IČO.").arg(line).arg(rec.name);
            continue;
        }
        const QString person = field(row, col.value(personCol));
        if (!person.isEmpty() && staffLogin(person).isEmpty())
            r.lines << QCoreApplication::translate("ServiceImports", "Řádek %1: odpovědná osoba „%2“ není mezi zaměstnanci.").arg(line).arg(person);
        const QString contact = field(row, col.value(contactCol));
        if (!contact.isEmpty() && !QDate::fromString(contact, QStringLiteral("d.M.yyyy")).isValid())
            r.lines << QCoreApplication::translate("ServiceImports", "Řádek %1: poslední kontakt „%2“ není datum ve tvaru dd.MM.rrrr.").arg(line).arg(contact);
        if (recordAt.contains(rec.ico)) {
            r.lines << QCoreApplication::translate("ServiceImports", "Řádek %1: IČO %2 už je na řádku %3, platí tento řádek.")
                           .arg(QString::number(line), rec.ico,
                                QString::number(records.at(recordAt.value(rec.ico)).line));
            records[recordAt.value(rec.ico)] = rec;
        } else {
            recordAt.insert(rec.ico, records.size());
            records << rec;
        }
    }

    int found = 0, missing = 0, cowsDiffer = 0, countryDiffers = 0;
    for (int i = 0; i < records.size(); ++i) {
        if (!goOn(progress, i, records.size()))
            return stopped();
        const Record &rec = records.at(i);
        const QString who = QCoreApplication::translate("ServiceImports", "IČO %1 (%2, řádek %3)").arg(rec.ico, rec.name, QString::number(rec.line));
        // Compared as text: an IČO with leading zeros must not turn into a number.
        QSSQL q;
        q.prepare(QStringLiteral("select id,DOJNICE_KS,OBR_POZNAMKA,ZEME from tellmark_podniky "
                                 "where replace(ico,' ','')=? order by id"));
        q.addBindValue(rec.ico);
        if (!q.exec()) {
            r.error = q.lastError().text();
            break;
        }
        bool any = false;
        while (q.next()) {
            any = true;
            const QString id = q.value(0).toString();
            if (!rec.cows.isEmpty()) {
                bool fileNumber = false, registerNumber = false;
                const int fileCows = rec.cows.toInt(&fileNumber);
                const int registerCows = q.value(1).toInt(&registerNumber);
                if (!fileNumber) {
                    r.lines << QCoreApplication::translate("ServiceImports", "%1: počet dojnic „%2“ není číslo.").arg(who, rec.cows);
                } else if (q.value(1).isNull() || !registerNumber || fileCows != registerCows) {
                    ++cowsDiffer;
                    r.lines << QCoreApplication::translate("ServiceImports", "%1: dojnic v souboru %2, v registru (podnik %3) %4.")
                                   .arg(who, QString::number(fileCows), id,
                                        q.value(1).isNull() ? QStringLiteral("neuvedeno") : q.value(1).toString());
                }
            }
            if (col.value(countryCol) >= 0) {
                const QString inFile = countryOrHome(rec.country), inRegister = countryOrHome(q.value(3).toString());
                if (inFile.compare(inRegister, Qt::CaseInsensitive) != 0) {
                    ++countryDiffers;
                    r.lines << QCoreApplication::translate("ServiceImports", "%1: stát v souboru %2, v registru (podnik %3) %4.")
                                   .arg(who, inFile, id, inRegister);
                }
            }
        }
        if (any) {
            ++found;
        } else {
            ++missing;
            r.lines << QCoreApplication::translate("ServiceImports", "%1: v registru není.").arg(who);
        }
    }
    r.summary = QCoreApplication::translate("ServiceImports", "Podniků v souboru: %1, v registru nalezeno: %2, nenalezeno: %3; rozdílný počet dojnic: %4, "
                               "rozdílný stát: %5. Nic se neukládá.")
                    .arg(records.size())
                    .arg(found)
                    .arg(missing)
                    .arg(cowsDiffer)
                    .arg(countryDiffers);
    return r;
}

} // namespace ServiceImports
