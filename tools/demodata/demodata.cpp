// Demo content of a new database: holdings, enterprises and users, and the
// order of the stages. Centres and the side tables are in
// demodata_centres.cpp, events and attachments in demodata_events.cpp.

#include "tools/demodata/demodata.h"

#include "db/bcrypt.h"
#include "db/database.h"
#include "tools/demodata/demodata_lists.h"
#include "tools/demodata/demodata_p.h"

#include <QSet>
#include <QSqlQuery>

using DemoSupport::BatchInsert;
using DemoSupport::Rng;
using DemoSupport::orNull;
using DemoSupport::sqlDate;

namespace DemoData {

namespace {

const int CommitEvery = 20000;

const char *const legalForms[] = {"a.s.", "s.r.o.", "sp.", "z", "o.o.", "-"};

bool isLegalFormWord(const QString &w)
{
    for (const char *f : legalForms)
        if (w == QLatin1String(f))
            return true;
    return false;
}

QString fill(const char *pattern, const QString &village, const QString &surname, const QString &first)
{
    return QString::fromUtf8(pattern)
        .replace(QLatin1String("%1"), village)
        .replace(QLatin1String("%2"), surname)
        .replace(QLatin1String("%3"), first);
}

// The web domain of an enterprise: initials of the generic words, whole
// acronyms and the place or family name ("Zemědělské družstvo Lysice" ->
// "zdlysice.cz").
QString domainOf(const char *pattern, const QString &village, const QString &surname)
{
    QString d;
    const QStringList words = QString::fromUtf8(pattern).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &w : words) {
        if (w == QLatin1String("%1"))
            d += asciiWord(village);
        else if (w == QLatin1String("%2"))
            d += asciiWord(surname);
        else if (w == QLatin1String("%3") || isLegalFormWord(w))
            continue;
        else if (w == w.toUpper())
            d += asciiWord(w);
        else
            d += asciiWord(w.left(1));
    }
    return d.left(28) + QStringLiteral(".cz");
}

QString address(Rng &rng, const QString &village, int psc)
{
    static const char *const streets[] = {"Družstevní", "Zemědělská", "Hlavní", "Nádražní", "Polní", "Školní", "Na Výsluní"};
    const QString post = QStringLiteral("%1 %2").arg(psc).arg(rng.range(1, 99), 2, 10, QLatin1Char('0'));
    const int number = rng.range(1, 420);
    if (rng.chance(0.5))
        return QStringLiteral("%1 %2, %3 %4").arg(village).arg(number).arg(post, village);
    return QStringLiteral("%1 %2, %3 %4").arg(QString::fromUtf8(rng.pick(streets))).arg(number).arg(post, village);
}

} // namespace

QString asciiWord(const QString &text)
{
    const QString d = text.normalized(QString::NormalizationForm_KD).toLower();
    QString out;
    for (const QChar c : d)
        if ((c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            out += c;
    return out;
}

Seeder::Seeder(const DemoOptions &options, const QSqlDatabase &db) : m_options(options), m_db(db)
{
    if (!m_options.baseDate.isValid())
        m_options.baseDate = DemoOptions().baseDate;
    m_options.enterprises = qMax(0, m_options.enterprises);
    m_options.events = qMax(0, m_options.events);
    m_options.attachments = qMax(0, m_options.attachments);
}

QDateTime Seeder::baseTime() const
{
    // UTC only so that no time of day falls into a daylight-saving gap; the
    // texts written are plain local date-times.
    return QDateTime(m_options.baseDate, QTime(17, 0), Qt::UTC);
}

bool Seeder::fail(const QString &message)
{
    if (m_error.isEmpty())
        m_error = message;
    if (m_db.isOpen())
        m_db.rollback();
    return false;
}

bool Seeder::begin()
{
    m_sinceCommit = 0;
    if (!m_db.transaction())
        return fail(QStringLiteral("transakci nelze začít: ") + m_db.lastError().text());
    return true;
}

bool Seeder::commit()
{
    if (!m_db.commit())
        return fail(QStringLiteral("transakci nelze potvrdit: ") + m_db.lastError().text());
    return true;
}

bool Seeder::write(BatchInsert &batch, const QVector<QVariant> &row)
{
    if (!batch.add(row))
        return fail(batch.error());
    // Long stages are committed in parts, so neither backend has to keep
    // hundreds of thousands of uncommitted rows.
    if (++m_sinceCommit >= CommitEvery) {
        if (!batch.flush())
            return fail(batch.error());
        if (!commit() || !begin())
            return false;
    }
    return true;
}

bool Seeder::finish(BatchInsert &batch)
{
    if (!batch.flush())
        return fail(batch.error());
    return true;
}

int Seeder::nextId(const QString &table)
{
    QSqlQuery q(m_db);
    if (q.exec(QStringLiteral("select max(id) from ") + table) && q.next())
        return q.value(0).toInt() + 1;
    return 1;
}

void Seeder::report(const QString &stage, qint64 done, qint64 total)
{
    if (m_options.progress)
        m_options.progress(stage, done, total);
}

QString Seeder::personName(Rng &rng, QString *surname)
{
    const QString title = QString::fromUtf8(rng.pick(DemoLists::titles));
    QString first, last;
    if (rng.chance(0.7)) {
        first = PICK(rng, DemoLists::maleFirst);
        last = PICK(rng, DemoLists::maleLast);
    } else {
        first = PICK(rng, DemoLists::femaleFirst);
        last = PICK(rng, DemoLists::femaleLast);
    }
    if (surname)
        *surname = last;
    return title + first + QLatin1Char(' ') + last;
}

QString Seeder::phone(Rng &rng)
{
    static const int prefixes[] = {602, 603, 604, 605, 606, 607, 608, 720, 721, 723, 724, 725, 728,
                                   731, 732, 733, 736, 737, 739, 774, 775, 777};
    return QStringLiteral("+420 %1 %2 %3")
        .arg(rng.pick(prefixes))
        .arg(rng.range(100, 999))
        .arg(rng.range(100, 999));
}

QString Seeder::ico(Rng &rng)
{
    // Seven digits and the modulo-11 check digit of the business register.
    static const char leading[] = {'0', '2', '4', '4', '6', '6', '7'};
    QString s = QLatin1Char(rng.pick(leading)) + rng.digits(6);
    int sum = 0;
    for (int i = 0; i < 7; ++i)
        sum += (s.at(i).unicode() - '0') * (8 - i);
    const int check = (11 - sum % 11) % 10;
    return s + QLatin1Char(char('0' + check));
}

QString Seeder::gps(Rng &rng, double lat, double lon, double spread)
{
    const double la = qBound(48.6, lat + (rng.unit() - 0.5) * spread, 51.0);
    const double lo = qBound(12.1, lon + (rng.unit() - 0.5) * spread * 1.5, 18.8);
    return QString::number(la, 'f', 6) + QLatin1Char(',') + QString::number(lo, 'f', 6);
}

QString Seeder::staffCodes(Rng &rng, bool sales, int most)
{
    QStringList codes;
    const int wanted = rng.range(1, most);
    for (int tries = 0; codes.size() < wanted && tries < 20; ++tries) {
        const StaffTable::Member &s = rng.pick(DemoLists::staff);
        if (DemoLists::isSales(s) != sales && tries < 15)
            continue;
        const QString code = QString::fromUtf8(s.code);
        if (!codes.contains(code))
            codes << code;
    }
    return codes.join(QLatin1Char(','));
}

// ---------------------------------------------------------------- holdings

bool Seeder::seedHoldings()
{
    Rng rng(m_options.seed, SHoldings);
    const int count = m_options.enterprises < 5 ? 0 : qBound(2, m_options.enterprises / 60, 400);
    BatchInsert batch(m_db, QStringLiteral("tellmark_holding"), {QStringLiteral("id"), QStringLiteral("nazev_holding")});
    int id = nextId(QStringLiteral("tellmark_holding"));
    const int listed = int(sizeof(DemoLists::holdingNames) / sizeof(DemoLists::holdingNames[0]));
    const int offset = rng.below(listed);
    for (int i = 0; i < count; ++i) {
        QString name = QString::fromUtf8(DemoLists::holdingNames[(offset + i) % listed]);
        if (i >= listed)
            name += QStringLiteral(" %1").arg(i / listed + 1);
        if (!write(batch, {id, name}))
            return false;
        m_holdings << id++;
    }
    return finish(batch);
}

// ------------------------------------------------------------- enterprises

bool Seeder::seedEnterprises()
{
    Rng rng(m_options.seed, SEnterprises);
    const QStringList columns = QString::fromLatin1(
        "id,podnik_nazev,id_holding,ICO,CH6,ZEME,OKRES,OBR,OBR_POZNAMKA,KONTAKT_JMENO,KONTAKT_ADRESA,"
        "KONTAKT_TELEFON,KONTAKT_EMAIL,GPS,SKOT_KS,DOJNICE_KS,DOJNICE_PLEMENO,MASNY_KS,MASNY_PLEMENO,SW,"
        "SW_POZNAMKA,UE,UE_POZNAMKA,UCTO,UCTO_POZNAMKA,O_ODPOVEDNA_OSOBA,O_VZTAH_SE_ZAKAZNIKEM,"
        "O_KONTAKTNI_OSOBA,O_PRIORITA,O_TELEFON,O_EMAIL,O_POSLEDNI_KONTAKT,O_POSLEDNI_KONTAKT_OSOBA,"
        "O_DALSI_KONTAKT,O_PREDVEDENI,O_PREDVEDENI_OSOBA,O_NABIDKA_ODESLANA,O_STAV,O_POZNAMKA,"
        "O_NABIDKAT_ODESLANA,O_STAVT,O_POZNAMKAT,SMLOUVA_ORGANIZACE,SMLOUVA_CISLO,SMLOUVA_PODEPSANO,"
        "SMLOUVA_FAKTURACE_OD,SMLOUVA_FAKTURACE_CASTKA_ROK,SMLOUVA_FAKTURACE_MENA,SMLOUVA_FAKTURACE_SLEVA,"
        "SMLOUVA_FAKTURACE_SLEVA_OBDOBI,SMLOUVA_FAKTURACE_MESICE,SMLOUVA_FAKTURACE_OBDOBI,"
        "SMLOUVA_FAKTURACE_ZPETNE,SMLOUVA_POZNAMKA,SMLOUVA_POZNAMKY,SMLOUVA_PRONAJEM").split(QLatin1Char(','));
    BatchInsert batch(m_db, QStringLiteral("tellmark_podniky"), columns);

    const QDate base = m_options.baseDate;
    const int n = m_options.enterprises;
    const int own = n >= 10 ? rng.below(n) : -1;        // the company's own test farm
    const int districtCount = int(sizeof(DemoLists::districts) / sizeof(DemoLists::districts[0]));
    int patternWeights[sizeof(DemoLists::enterprisePatterns) / sizeof(DemoLists::enterprisePatterns[0])];
    for (std::size_t i = 0; i < sizeof(patternWeights) / sizeof(int); ++i)
        patternWeights[i] = DemoLists::enterprisePatterns[i].weight;
    static const char *const periods[] = {"ročně", "ročně", "pololetně", "čtvrtletně", "měsíčně"};
    static const char *const months[] = {"1", "1,7", "1,4,7,10", "1-12"};

    QSet<QString> names, icos;
    int id = nextId(QStringLiteral("tellmark_podniky"));
    m_enterprises.reserve(n);
    for (int i = 0; i < n; ++i, ++id) {
        Enterprise e;
        e.id = id;
        QVector<QVariant> row = batch.emptyRow();
        auto set = [&](const char *col, const QVariant &v) { batch.set(row, QLatin1String(col), v); };

        const bool abroad = i != own && rng.chance(0.03);
        const DemoLists::Foreign *f = abroad ? &rng.pick(DemoLists::foreign) : nullptr;
        e.district = abroad ? -1 : rng.below(districtCount);
        const DemoLists::District *d = abroad ? nullptr : &DemoLists::districts[e.district];
        QString surname;
        const QString contact = personName(rng, &surname);

        // Name: unique in the register.
        QString domain;
        for (int attempt = 0; e.name.isEmpty() || names.contains(e.name); ++attempt) {
            QString first, last;
            if (rng.chance(0.7)) {
                first = PICK(rng, DemoLists::maleFirst);
                last = PICK(rng, DemoLists::maleLast);
            } else {
                first = PICK(rng, DemoLists::femaleFirst);
                last = PICK(rng, DemoLists::femaleLast);
            }
            if (i == own) {
                e.village = QStringLiteral("Tábor");
                e.name = QStringLiteral("Tellmark s.r.o. - testovací farma");
                domain = QStringLiteral("tellmark.cz");
            } else if (abroad) {
                e.village = QString::fromUtf8(f->village);
                e.name = fill(f->pattern, e.village, last, first);
                domain = domainOf(f->pattern, e.village, last);
                domain.chop(3);
                domain += QLatin1String(f->zeme) == QLatin1String("SK") ? QStringLiteral(".sk") : QStringLiteral(".pl");
            } else if (rng.chance(0.04)) {
                e.village = QString::fromUtf8(d->villages[rng.below(3)]);
                e.name = PICK(rng, DemoLists::fixedEnterpriseNames);
                domain = asciiWord(e.name).left(20) + QStringLiteral(".cz");
            } else {
                e.village = QString::fromUtf8(d->villages[rng.below(3)]);
                const char *pattern = DemoLists::enterprisePatterns[rng.weighted(patternWeights)].text;
                e.name = fill(pattern, e.village, last, first);
                domain = domainOf(pattern, e.village, last);
            }
            if (attempt > 30 && names.contains(e.name))
                e.name += QStringLiteral(" %1").arg(attempt);   // ran out of combinations
        }
        names.insert(e.name);
        set("podnik_nazev", e.name);
        e.customer = i == own || rng.chance(abroad ? 0.5 : 0.6);

        if (!m_holdings.isEmpty() && rng.chance(0.18))
            set("id_holding", m_holdings.at(rng.below(int(m_holdings.size()))));

        // Identification: a Polish company has no IČO of ours (empty text).
        QString ic;
        if (!(abroad && QLatin1String(f->zeme) == QLatin1String("PL")) && !rng.chance(0.04)) {
            do
                ic = ico(rng);
            while (icos.contains(ic));
            icos.insert(ic);
        }
        set("ICO", ic);
        if (!abroad && rng.chance(0.6))
            set("CH6", QString::number(rng.range(100000, 999999)));
        set("ZEME", abroad ? QVariant(QString::fromLatin1(f->zeme)) : (rng.chance(0.88) ? QVariant(QStringLiteral("CZ")) : QVariant()));
        set("OKRES", abroad ? QString::fromUtf8(f->okres) : QString::fromUtf8(d->name));
        QString obr = abroad ? QString::fromLatin1(f->obr) : QString::fromLatin1(d->obr);
        if (i == own)
            obr = QStringLiteral("TM");
        else if (!abroad && rng.chance(0.04)) {
            static const char *const others[] = {"ST", "TA", "LI", "UH"};
            const QString second = QString::fromLatin1(rng.pick(others));
            if (second != obr)
                obr += QLatin1Char(',') + second;
        }
        set("OBR", obr);
        if (rng.chance(0.08))
            set("OBR_POZNAMKA", PICK(rng, DemoLists::obrNotes));

        set("KONTAKT_JMENO", contact);
        const int psc = abroad ? 0 : d->psc;
        set("KONTAKT_ADRESA", abroad ? QStringLiteral("%1 %2").arg(e.village).arg(rng.range(1, 300))
                                     : address(rng, e.village, psc));
        set("KONTAKT_TELEFON", rng.chance(0.9) ? QVariant(phone(rng)) : QVariant());
        static const char *const mailNames[] = {"info", "info", "podatelna", "zootechnik", "ekonom"};
        if (rng.chance(0.85)) {
            const QString local = rng.chance(0.5) ? asciiWord(surname) : QString::fromLatin1(rng.pick(mailNames));
            set("KONTAKT_EMAIL", local + QLatin1Char('@') + domain);
        }
        if (!abroad && rng.chance(0.92))
            set("GPS", gps(rng, d->lat, d->lon, 0.12));

        // Herd: dairy, beef or both.
        const int kind = rng.range(0, 9);   // 0-6 dairy, 7-8 beef, 9 mixed
        const double u = rng.unit();
        int dojnice = kind <= 6 || kind == 9 ? 40 + int(1300 * u * u) : 0;
        int masny = kind >= 7 ? rng.range(30, 600) : (rng.chance(0.3) ? rng.range(5, 200) : 0);
        const int skot = int(dojnice * (1.8 + rng.unit() * 0.6) + masny * 1.3);
        if (rng.chance(0.93)) {
            set("SKOT_KS", skot);
            set("DOJNICE_KS", dojnice);
            set("MASNY_KS", masny);
            if (dojnice > 0)
                set("DOJNICE_PLEMENO", PICK(rng, DemoLists::dairyBreeds));
            if (masny > 0)
                set("MASNY_PLEMENO", PICK(rng, DemoLists::beefBreeds));
        }
        set("SW", e.customer && rng.chance(0.8) ? QVariant(QStringLiteral("Tellmark")) : entry(rng, DemoLists::sw, 0.4));
        if (rng.chance(0.05))
            set("SW_POZNAMKA", QStringLiteral("licence do %1").arg(base.year() + rng.range(0, 2)));
        set("UE", entry(rng, DemoLists::ue, 0.3));
        if (rng.chance(0.03))
            set("UE_POZNAMKA", QStringLiteral("hlásí zootechnik"));
        set("UCTO", entry(rng, DemoLists::ucto, 0.35));
        if (rng.chance(0.03))
            set("UCTO_POZNAMKA", QStringLiteral("účetnictví zpracovává externí firma"));

        // Sales record.
        if (rng.chance(0.8))
            set("O_ODPOVEDNA_OSOBA", staffCodes(rng, true, 2));
        set("O_VZTAH_SE_ZAKAZNIKEM", e.customer ? rng.range(2, 5) : rng.range(0, 3));
        set("O_PRIORITA", rng.range(0, 5));
        if (rng.chance(0.5)) {
            QString s;
            set("O_KONTAKTNI_OSOBA", rng.chance(0.5) ? contact : personName(rng, &s));
            set("O_TELEFON", phone(rng));
            if (rng.chance(0.6))
                set("O_EMAIL", (s.isEmpty() ? asciiWord(surname) : asciiWord(s)) + QLatin1Char('@') + domain);
        }
        auto staffName = [&] { return QString::fromUtf8(rng.pick(DemoLists::staff).name); };
        if (rng.chance(0.7)) {
            set("O_POSLEDNI_KONTAKT", sqlDate(base.addDays(-rng.range(1, 700))));
            set("O_POSLEDNI_KONTAKT_OSOBA", staffName());
        }
        if (rng.chance(0.3))
            set("O_DALSI_KONTAKT", sqlDate(base.addDays(rng.range(-10, 90))));
        if (rng.chance(0.25)) {
            set("O_PREDVEDENI", sqlDate(base.addDays(-rng.range(30, 3000))));
            set("O_PREDVEDENI_OSOBA", staffName());
        }
        if (e.customer || rng.chance(0.35)) {
            set("O_NABIDKA_ODESLANA", sqlDate(base.addDays(-rng.range(60, 4000))));
            set("O_STAV", e.customer ? QVariant(rng.chance(0.92) ? QStringLiteral("Podepsáno") : QStringLiteral("Vypovězeno"))
                                     : entry(rng, DemoLists::stavSw, 0.2));
            if (rng.chance(0.15))
                set("O_POZNAMKA", QStringLiteral("nabídka včetně školení"));
        }
        if (rng.chance(0.2)) {
            set("O_NABIDKAT_ODESLANA", sqlDate(base.addDays(-rng.range(10, 2000))));
            set("O_STAVT", entry(rng, DemoLists::stavTech));
            if (rng.chance(0.2))
                set("O_POZNAMKAT", QStringLiteral("aktivita + selekční branka"));
        }

        // Contract and invoicing of the paying customers.
        if (e.customer && rng.chance(0.9)) {
            const QDate signedOn = base.addDays(-rng.range(20, 4500));
            const QDate from = QDate(signedOn.year(), signedOn.month(), 1).addMonths(rng.range(0, 2));
            const bool eur = abroad;
            QString org = e.name;
            if (rng.chance(0.08))
                org += QStringLiteral("*fakturace přes holding");
            set("SMLOUVA_ORGANIZACE", org);
            set("SMLOUVA_CISLO", QStringLiteral("TM-%1/%2").arg(signedOn.year()).arg(rng.range(1, 999), 3, 10, QLatin1Char('0')));
            set("SMLOUVA_PODEPSANO", sqlDate(signedOn));
            set("SMLOUVA_FAKTURACE_OD", sqlDate(from));
            const int czk = (6000 + dojnice * 25 + masny * 5) / 100 * 100;
            set("SMLOUVA_FAKTURACE_CASTKA_ROK", eur ? double(czk / 2500 * 100) : double(czk));
            set("SMLOUVA_FAKTURACE_MENA", eur ? QStringLiteral("EUR") : QStringLiteral("CZK"));
            static const int discounts[] = {0, 0, 0, 0, 5, 10, 15};
            const int discount = rng.pick(discounts);
            set("SMLOUVA_FAKTURACE_SLEVA", double(discount));
            static const int discountMonths[] = {3, 6, 12};
            set("SMLOUVA_FAKTURACE_SLEVA_OBDOBI", discount ? double(rng.pick(discountMonths)) : 0.0);
            const int period = rng.below(int(sizeof(periods) / sizeof(periods[0])));
            set("SMLOUVA_FAKTURACE_OBDOBI", QString::fromUtf8(periods[period]));
            set("SMLOUVA_FAKTURACE_MESICE", QString::fromLatin1(months[qMax(0, period - 1)]));
            set("SMLOUVA_FAKTURACE_ZPETNE", rng.chance(0.1) ? QStringLiteral("ano") : QStringLiteral("ne"));
            if (rng.chance(0.15))
                set("SMLOUVA_POZNAMKA", PICK(rng, DemoLists::contractNotes));
            if (rng.chance(0.05))
                set("SMLOUVA_PRONAJEM", QStringLiteral("pronájem obojků do %1").arg(base.year() + rng.range(0, 3)));
        }
        if (rng.chance(0.1))
            set("SMLOUVA_POZNAMKY", PICK(rng, DemoLists::richNotes));

        set("id", e.id);
        if (!write(batch, row))
            return false;
        m_enterprises << e;
        if (i % 1000 == 999)
            report(QStringLiteral("podniky"), i + 1, n);
    }
    report(QStringLiteral("podniky"), n, n);
    return finish(batch);
}

// ------------------------------------------------------------------- users

bool Seeder::seedUsers()
{
    Rng rng(m_options.seed, SUsers);
    struct User {
        const char *login;
        const char *region;
        int vp, admin, minimal, acls, os, udalosti, sestavy, fakturace, cp, tech, pristupy;
    };
    // Logins double as passwords. "novotny" is a salesman of the staff
    // table who sees only his own events; "servis" and "technik" see only
    // the centres assigned to them, some of them shared.
    static const User users[] = {
        //  login      region  vp adm min acl os ud se fa cp te pr
        {"demo",      "",     2, 1,  0,  0,  2, 2, 1, 3, 1, 0, 1},
        {"obchod",    "TA",   1, 0,  0,  0,  1, 2, 1, 1, 0, 1, 0},
        {"servis",    "",     2, 0,  0,  1,  0, 2, 0, 0, 0, 0, 1},
        {"technik",   "",     1, 0,  0,  1,  0, 2, 0, 0, 0, 1, 0},
        {"novotny",   "",     0, 0,  0,  0,  1, 1, 1, 2, 0, 0, 0},
        {"minimal",   "",     1, 0,  1,  0,  0, 0, 0, 0, 0, 0, 0},
    };
    BatchInsert batch(m_db, QStringLiteral("www_users"),
                      QString::fromLatin1("id,login,password,vp,admin,minimal,acls,os,region,udalosti,sestavy,"
                                          "fakturace,cp,stredisko_tech_cteni,pristupy,stat_zrn_cnt")
                          .split(QLatin1Char(',')));
    int id = nextId(QStringLiteral("www_users"));
    QVector<int> aclUsers;
    for (const User &u : users) {
        QSqlQuery exists(m_db);
        exists.prepare(QStringLiteral("select id from www_users where login=?"));
        exists.addBindValue(QString::fromLatin1(u.login));
        if (!exists.exec())
            return fail(QStringLiteral("www_users: ") + exists.lastError().text());
        if (exists.next())
            continue;     // an earlier run or an administrator created it
        // Cost 10 as the user administration hashes; one hash per password.
        const QByteArray hash = mcrypt_hashpw(u.login, mcrypt_gensalt(10).constData());
        if (hash.isEmpty())
            return fail(QStringLiteral("heslo uživatele %1 nelze zašifrovat").arg(QLatin1String(u.login)));
        if (!write(batch, {id, QString::fromLatin1(u.login), QString::fromLatin1(hash), u.vp, u.admin, u.minimal, u.acls,
                           u.os, orNull(QString::fromLatin1(u.region)), u.udalosti, u.sestavy, u.fakturace, u.cp, u.tech,
                           u.pristupy, 0}))
            return false;
        if (u.acls > 0)
            aclUsers << id;
        ++id;
    }
    if (!finish(batch))
        return false;

    // Centres assigned to the users with acls: whole enterprises, the
    // second user sharing half of the first one's.
    if (m_enterprises.isEmpty() || aclUsers.isEmpty())
        return true;
    BatchInsert acls(m_db, QStringLiteral("tellmark_strediska_acls"),
                     {QStringLiteral("id_strediska"), QStringLiteral("id_www_user")});
    const int perUser = qBound(2, int(m_enterprises.size()) / 40, 150);
    QVector<int> previous;
    for (int userId : qAsConst(aclUsers)) {
        QSet<int> chosen;
        for (int i = 0; i < previous.size() / 2; ++i)
            chosen.insert(previous.at(i));
        for (int tries = 0; chosen.size() < perUser && tries < perUser * 10; ++tries)
            chosen.insert(rng.below(int(m_enterprises.size())));
        QVector<int> ordered(chosen.begin(), chosen.end());
        std::sort(ordered.begin(), ordered.end());
        for (int ei : qAsConst(ordered)) {
            const Enterprise &e = m_enterprises.at(ei);
            for (int k = 0; k < e.centreCount; ++k)
                if (!write(acls, {m_centres.at(e.firstCentre + k).id, userId}))
                    return false;
        }
        previous = ordered;
    }
    return finish(acls);
}

// --------------------------------------------------------------------- run

bool Seeder::run(QString *error)
{
    auto stage = [this](bool (Seeder::*step)()) {
        return begin() && (this->*step)() && commit();
    };
    const bool ok = m_db.isOpen()
                    && stage(&Seeder::seedHoldings)
                    && stage(&Seeder::seedEnterprises)
                    && stage(&Seeder::seedCentres)
                    && stage(&Seeder::seedEvents)
                    && stage(&Seeder::seedAttachments)
                    && stage(&Seeder::seedRemoteLog)
                    && stage(&Seeder::seedMilkRecording)
                    && stage(&Seeder::seedControlPanel)
                    && (!m_options.users || stage(&Seeder::seedUsers));
    if (!ok && m_error.isEmpty())
        m_error = m_db.isOpen() ? m_db.lastError().text() : QStringLiteral("Databáze není připojena.");
    if (!ok && error)
        *error = m_error;
    return ok;
}

bool seed(const DemoOptions &options, QString *error)
{
    if (options.enterprises > MaxEnterprises) {
        *error = QStringLiteral("at most %1 enterprises").arg(MaxEnterprises);
        return false;
    }
    Seeder seeder(options, Database::connection());
    return seeder.run(error);
}

} // namespace DemoData