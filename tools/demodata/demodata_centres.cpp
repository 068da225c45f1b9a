// Demo content of a new database: centres with their technology and remote
// access, and the side tables that refer to centres (repeater log, milk
// recording, control-panel users).

#include "tools/demodata/demodata_lists.h"
#include "tools/demodata/demodata_p.h"
#include "register/specifikace.h"

#include <QCryptographicHash>
#include <QSet>
#include <QSqlQuery>

using DemoSupport::BatchInsert;
using DemoSupport::Rng;
using DemoSupport::orNull;
using DemoSupport::sqlDate;
using DemoSupport::sqlDateTime;

namespace DemoData {

namespace {

// An entry of a code list of the centre technology sheet, exactly as the page
// offers it, or NULL ("Neurčeno") with the given chance.
QVariant sheetEntry(Rng &rng, const char *column, double nullChance = 0.0)
{
    const QStringList entries = Specifikace::codeList(QLatin1String(column));   // "Neurčeno" first
    if (entries.size() < 2 || (nullChance > 0 && rng.chance(nullChance)))
        return QVariant();
    return entries.at(1 + rng.below(int(entries.size()) - 1));
}

} // namespace

// ----------------------------------------------------------------- centres

bool Seeder::seedCentres()
{
    Rng rng(m_options.seed, SCentres);
    QStringList columns = QString::fromLatin1(
        "id,id_podnik,akce_nazev,licence_cislo,spusteni,DRUHE_SKOLENI,UPDATE_OMEZEN,PODNIK_JMENO,"
        "PODNIK_TELEFON,PODNIK_EMAIL,ICO,DB_UUID,hospodarstvi,poznamkovy_blok,GPS,CLOUD_CISLO,"
        "VERZE_PROGRAMU,AKTUALIZOVANO,POCET_AKTUALIZACI,POCET_KUSU,POCET_KRAV,POCET_OBOJKU,pocet_pedometru,"
        "SKU_DATUM,SKU_DOJNIC,SKU_STUPEN,specifikace,EAGRI_UZIVATEL,EAGRI_HESLO,KU_CMSCH_UZIVATEL,"
        "KU_CMSCH_HESLO,tv1_host,tv1_id,tv1_password,tv2_host,tv2_id,tv2_password,"
        "UVNC1_AF,UVNC2_AF,UVNC3_AF,UVNC4_AF,"
        "SST,SSTP,SSW,SSWP,SDOJPR,SDOJ,SDOJP,SDOJSPUSTENI,SDOJSPUSTENIP,SDOJTYP,SDOJTYPP,SDMM,SDMMP,"
        "SDOJPSP,SDOJSERVISP,SID,SIDT,SIDP,SPA,SPAT,SPAP,SPASPUSTENI,SPASPUSTENIP,SPAVYSILAC,SPAVYSILACP,"
        "SSB,SSBP,SAKB,SAKBP,SASR,SASRP,SKU,SKUP,SREP,SREPP,SVYZIVA,SVYZIVAP,SDOKTOR,SDOKTORP,"
        "SPAZNEHTARI,SPAZNEHTARIP,SMLEKARNA,SMLEKARNAP,SVAZENI,SVAZENIV,SVAZENIP,SKV,SKVSW,SKVP,"
        "SCH,SCHP,SCHTYP,SCHTYPP,SPOZNAMKA").split(QLatin1Char(','));
    for (int v = 1; v <= 6; ++v)
        columns << QStringLiteral("uvnc%1_host").arg(v) << QStringLiteral("uvnc%1_id").arg(v)
                << QStringLiteral("uvnc%1_password").arg(v);
    BatchInsert batch(m_db, QStringLiteral("tellmark_strediska"), columns);

    const QDate base = m_options.baseDate;
    static const int countWeights[] = {12, 22, 32, 20, 14};   // 1..5 centres, about 3 on average
    static const char *const notes[] = {"od roku 2019", "plánovaná výměna", "viz poznámka", "servis zajišťuje zákazník",
                                        "jen část stáda", "nutno ověřit"};
    static const char *const hosts[] = {"PC-ZOOTECHNIK", "dojirna-pc", "KANCELAR", "192.168.1.10", "192.168.0.20",
                                        "10.0.0.15"};
    static const char *const vncSlots[] = {"uvnc1", "uvnc2", "uvnc3", "uvnc4", "uvnc5", "uvnc6"};
    static const double vncChance[] = {0.6, 0.25, 0.08, 0.03, 0.01, 0.01};

    DemoSupport::LicencePool licences;
    QSet<QString> vncIds;
    const int districtCount = int(sizeof(DemoLists::districts) / sizeof(DemoLists::districts[0]));
    int id = nextId(QStringLiteral("tellmark_strediska"));
    const int total = int(m_enterprises.size());
    for (int ei = 0; ei < total; ++ei) {
        Enterprise &e = m_enterprises[ei];
        e.firstCentre = int(m_centres.size());
        e.centreCount = e.district < 0 ? rng.range(1, 2) : rng.weighted(countWeights) + 1;
        const DemoLists::District &d = DemoLists::districts[e.district < 0 ? 0 : e.district];
        QSet<QString> centreNames;
        for (int k = 0; k < e.centreCount; ++k, ++id) {
            Centre c;
            c.id = id;
            c.enterprise = ei;
            QVector<QVariant> row = batch.emptyRow();
            auto set = [&](const char *col, const QVariant &v) { batch.set(row, QLatin1String(col), v); };
            auto note = [&](const char *col, double p) {
                if (rng.chance(p))
                    set(col, PICK(rng, notes));
            };

            // Name, unique within the enterprise.
            c.village = e.district < 0 || k == 0 ? e.village : QString::fromUtf8(d.villages[rng.below(3)]);
            QString name;
            for (int attempt = 0; name.isEmpty() || centreNames.contains(name); ++attempt) {
                if (k == 0 && e.centreCount > 2 && rng.chance(0.3))
                    name = QStringLiteral("Centrála");
                else
                    name = QString::fromUtf8(rng.pick(DemoLists::centreNamePatterns)).arg(c.village);
                if (attempt > 10)
                    name += QStringLiteral(" %1").arg(attempt);
            }
            centreNames.insert(name);
            set("id", c.id);
            set("id_podnik", e.id);
            set("akce_nazev", name);

            // Licence of the herd software: 1-9999 Molvane with technology,
            // 10000-39999 Molvane without, 40000-49999 Tarvo.
            bool licensed = e.customer ? (k == 0 || rng.chance(0.7)) : rng.chance(0.06);
            if (licensed) {
                static const int rangeWeights[] = {55, 30, 15};
                c.licence = licences.take(rng, rng.weighted(rangeWeights));
                licensed = c.licence > 0;   // all numbers taken
            }
            if (licensed) {
                set("licence_cislo", c.licence);
            } else if (rng.chance(0.3)) {
                set("licence_cislo", 0);
            }

            if (licensed) {
                if (rng.chance(0.9)) {
                    const QDate start = base.addDays(-rng.range(30, 5000));
                    set("spusteni", sqlDate(start));
                    if (rng.chance(0.6))
                        set("DRUHE_SKOLENI", sqlDate(qMin(base, start.addDays(rng.range(30, 120)))));
                }
                set("UPDATE_OMEZEN", rng.chance(0.05) ? QVariant() : QVariant(rng.chance(0.08) ? 1 : 0));
                if (rng.chance(0.8))
                    set("DB_UUID", uuid(rng));
                if (rng.chance(0.3))
                    set("CLOUD_CISLO", QStringLiteral("TMC-%1").arg(rng.range(1, 999999), 6, 10, QLatin1Char('0')));
                if (rng.chance(0.9)) {
                    set("VERZE_PROGRAMU", PICK(rng, DemoLists::versions));
                    const QDateTime updated = baseTime().addSecs(-qint64(rng.range(600, 200 * 86400)));
                    set("AKTUALIZOVANO", sqlDateTime(updated));
                    set("POCET_AKTUALIZACI", rng.range(5, 4000));
                    const int cows = rng.range(30, 900);
                    set("POCET_KRAV", cows);
                    set("POCET_KUSU", cows * 2 + rng.range(0, 400));
                    if (rng.chance(0.5))
                        set("POCET_OBOJKU", rng.range(cows / 2, cows));
                    if (rng.chance(0.15))
                        set("pocet_pedometru", rng.range(10, cows));
                }
            }

            if (rng.chance(0.7)) {
                QString surname;
                set("PODNIK_JMENO", personName(rng, &surname));
                set("PODNIK_TELEFON", phone(rng));
                if (rng.chance(0.5))
                    set("PODNIK_EMAIL", asciiWord(surname) + QLatin1Char('@') + asciiWord(c.village) + QStringLiteral(".cz"));
            }
            if (rng.chance(0.05))
                set("ICO", ico(rng));
            if (e.district >= 0 && rng.chance(0.75)) {
                c.hospodarstvi = QStringLiteral("%1").arg(rng.range(100000, 99999999), 8, 10, QLatin1Char('0'));
                // Older records lost the leading zero; imports pad it back.
                if (c.hospodarstvi.startsWith(QLatin1Char('0')) && rng.chance(0.5))
                    c.hospodarstvi.remove(0, 1);
                set("hospodarstvi", c.hospodarstvi);
                if (rng.chance(0.4)) {
                    set("SKU_DATUM", sqlDate(base.addDays(-rng.range(5, 60))));
                    set("SKU_DOJNIC", rng.range(30, 1200));
                    set("SKU_STUPEN", PICK(rng, DemoLists::kuGrades));
                }
            }
            if (rng.chance(0.08))
                set("poznamkovy_blok", PICK(rng, DemoLists::richNotes));
            if (e.district >= 0 && rng.chance(0.85)) {
                const DemoLists::District &cd = DemoLists::districts[qBound(0, e.district, districtCount - 1)];
                set("GPS", gps(rng, cd.lat, cd.lon, 0.12));
            }
            if (rng.chance(0.2)) {
                set("EAGRI_UZIVATEL", QStringLiteral("99") + rng.digits(8));
                set("EAGRI_HESLO", rng.password(10));
            }
            if (rng.chance(0.15)) {
                set("KU_CMSCH_UZIVATEL", asciiWord(c.village).left(8) + rng.digits(3));
                set("KU_CMSCH_HESLO", rng.password(8));
            }

            // Remote access.
            if (licensed || rng.chance(0.05)) {
                for (int v = 0; v < 6; ++v) {
                    if (!rng.chance(vncChance[v]))
                        continue;
                    QString vncId;
                    do
                        vncId = QString::number(rng.range(100000, 999999));
                    while (vncIds.contains(vncId));
                    vncIds.insert(vncId);
                    m_vncIds << vncId;
                    const QString slot = QString::fromLatin1(vncSlots[v]);
                    batch.set(row, slot + QStringLiteral("_host"), QString::fromLatin1(rng.pick(hosts)));
                    batch.set(row, slot + QStringLiteral("_id"), vncId);
                    batch.set(row, slot + QStringLiteral("_password"), rng.password(8));
                    if (v < 4)
                        batch.set(row, QStringLiteral("UVNC%1_AF").arg(v + 1),
                                  rng.chance(0.1) ? QVariant() : QVariant(rng.chance(0.2) ? 1 : 0));
                }
                if (rng.chance(0.15)) {
                    set("tv1_host", QString::fromLatin1(rng.pick(hosts)));
                    set("tv1_id", QString::number(rng.range(100000000, 1999999999)));
                    set("tv1_password", rng.password(6));
                    if (rng.chance(0.2)) {
                        set("tv2_host", QString::fromLatin1(rng.pick(hosts)));
                        set("tv2_id", QString::number(rng.range(100000000, 1999999999)));
                        set("tv2_password", rng.password(6));
                    }
                }
            }

            // Technology sheet, entries exactly as the code lists hold them.
            if (rng.chance(licensed ? 0.65 : 0.2)) {
                static const int sstWeights[] = {0, 10, 2, 2, 1, 1};   // "Centrála" only by name
                const QStringList kinds = Specifikace::codeList(QStringLiteral("SST"));
                set("SST", name == QStringLiteral("Centrála") ? kinds.value(1) : kinds.value(1 + rng.weighted(sstWeights)));
                note("SSTP", 0.03);
                QVariant ssw = rng.chance(0.4) ? QVariant(QStringLiteral("Tellmark")) : sheetEntry(rng, "SSW", 0.3);
                set("SSW", ssw);
                note("SSWP", 0.03);
                if (!ssw.isNull() && ssw.toString() != QStringLiteral("Tellmark"))
                    set("SDOJPR", sheetEntry(rng, "SDOJPR"));
                QStringList summary;
                if (rng.chance(0.8)) {
                    const QVariant maker = rng.chance(0.4) ? QVariant(QStringLiteral("Molvane")) : sheetEntry(rng, "SDOJ");
                    const QVariant type = sheetEntry(rng, "SDOJTYP", 0.15);
                    set("SDOJ", maker);
                    set("SDOJTYP", type);
                    if (rng.chance(0.6))
                        set("SDOJSPUSTENI", sqlDate(base.addDays(-rng.range(100, 7000))));
                    note("SDOJP", 0.03);
                    note("SDOJSPUSTENIP", 0.02);
                    note("SDOJTYPP", 0.02);
                    set("SDMM", sheetEntry(rng, "SDMM", 0.6));
                    note("SDMMP", 0.02);
                    if (rng.chance(0.5)) {
                        const int side = rng.range(6, 20);
                        set("SDOJPSP", type.toString() == QStringLiteral("Robot") ? QString::number(rng.range(1, 6))
                                                                                   : QStringLiteral("2x%1").arg(side));
                    }
                    if (rng.chance(0.3))
                        set("SDOJSERVISP", rng.chance(0.5) ? QStringLiteral("Tellmark servis") : QStringLiteral("vlastní údržba"));
                    summary << (maker.toString() + (type.isNull() ? QString() : QLatin1Char(' ') + type.toString()));
                }
                const QVariant ident = sheetEntry(rng, "SID", 0.3);
                set("SID", ident);
                if (!ident.isNull() && ident.toString() != QStringLiteral("Žádná"))
                    set("SIDT", sheetEntry(rng, "SIDT"));
                note("SIDP", 0.02);
                const QVariant activity = sheetEntry(rng, "SPA", 0.3);
                set("SPA", activity);
                if (!activity.isNull() && activity.toString() != QStringLiteral("Žádná")) {
                    set("SPAT", sheetEntry(rng, "SPAT"));
                    if (rng.chance(0.6))
                        set("SPASPUSTENI", sqlDate(base.addDays(-rng.range(60, 3000))));
                    if (activity.toString() == QStringLiteral("Molvane"))
                        set("SPAVYSILAC", sheetEntry(rng, "SPAVYSILAC"));
                    summary << activity.toString();
                }
                note("SPAP", 0.02);
                note("SPAVYSILACP", 0.01);
                note("SPASPUSTENIP", 0.01);
                const QVariant gate = sheetEntry(rng, "SSB", 0.4);
                set("SSB", gate);
                note("SSBP", 0.02);
                const QVariant akb = sheetEntry(rng, "SAKB", 0.5);
                set("SAKB", akb);
                note("SAKBP", 0.02);
                if (gate.toString() == QStringLiteral("Ano"))
                    summary << QStringLiteral("SB");
                if (akb.toString() == QStringLiteral("Ano"))
                    summary << QStringLiteral("AKB");
                set("SASR", sheetEntry(rng, "SASR", 0.5));
                note("SASRP", 0.01);
                set("SKU", sheetEntry(rng, "SKU", 0.3));
                note("SKUP", 0.02);
                set("SREP", sheetEntry(rng, "SREP", 0.3));
                note("SREPP", 0.02);
                set("SVYZIVA", sheetEntry(rng, "SVYZIVA", 0.8));
                note("SVYZIVAP", 0.02);
                set("SDOKTOR", sheetEntry(rng, "SDOKTOR", 0.85));
                note("SDOKTORP", 0.01);
                set("SPAZNEHTARI", sheetEntry(rng, "SPAZNEHTARI", 0.85));
                note("SPAZNEHTARIP", 0.01);
                set("SMLEKARNA", sheetEntry(rng, "SMLEKARNA", 0.5));
                note("SMLEKARNAP", 0.02);
                const QVariant scale = sheetEntry(rng, "SVAZENI", 0.5);
                set("SVAZENI", scale);
                if (scale.toString() == QStringLiteral("Ano"))
                    set("SVAZENIV", sheetEntry(rng, "SVAZENIV"));
                note("SVAZENIP", 0.01);
                const QVariant wagon = sheetEntry(rng, "SKV", 0.5);
                set("SKV", wagon);
                if (!wagon.isNull())
                    set("SKVSW", sheetEntry(rng, "SKVSW", 0.4));
                note("SKVP", 0.01);
                set("SCH", sheetEntry(rng, "SCH", 0.75));
                note("SCHP", 0.01);
                set("SCHTYP", sheetEntry(rng, "SCHTYP", 0.6));
                note("SCHTYPP", 0.01);
                if (rng.chance(0.05))
                    set("SPOZNAMKA", PICK(rng, DemoLists::richNotes));
                if (licensed && !summary.isEmpty())
                    set("specifikace", summary.join(QStringLiteral(", ")));
            }

            if (!write(batch, row))
                return false;
            m_centres << c;
        }
        if (ei % 1000 == 999)
            report(QStringLiteral("střediska"), ei + 1, total);
    }
    report(QStringLiteral("střediska"), total, total);
    return finish(batch);
}

// ------------------------------------------------------------- side tables

bool Seeder::seedRemoteLog()
{
    Rng rng(m_options.seed, SExtras);
    BatchInsert batch(m_db, QStringLiteral("vnc"),
                      {QStringLiteral("id"), QStringLiteral("uid"), QStringLiteral("ts"), QStringLiteral("operation")});
    int id = nextId(QStringLiteral("vnc"));
    for (const QString &uid : qAsConst(m_vncIds)) {
        const int sessions = rng.range(0, 3);
        for (int s = 0; s < sessions; ++s) {
            QDateTime t = baseTime().addSecs(-qint64(rng.range(3600, 400 * 86400)));
            const QString ops[] = {QStringLiteral("Server connected"), QStringLiteral("Viewer connected"),
                                   QStringLiteral("Connection closed")};
            for (const QString &op : ops) {
                if (!write(batch, {id++, uid, sqlDateTime(t), op}))
                    return false;
                t = t.addSecs(rng.range(5, 3600));
            }
        }
    }
    return finish(batch);
}

bool Seeder::seedMilkRecording()
{
    Rng rng(m_options.seed, SExtras + 100);
    BatchInsert batch(m_db, QStringLiteral("chovatele_data"),
                      {QStringLiteral("id"), QStringLiteral("datum_ku"), QStringLiteral("pocet_dojnic"),
                       QStringLiteral("stupen_kontroly"), QStringLiteral("staj_cislo")});
    int id = nextId(QStringLiteral("chovatele_data"));
    const QDate base = m_options.baseDate;
    auto add = [&](const QString &staj) {
        return write(batch, {id++, sqlDate(base.addDays(-rng.range(3, 40))), rng.range(20, 1300),
                             PICK(rng, DemoLists::kuGrades), staj});
    };
    for (const Centre &c : qAsConst(m_centres)) {
        if (c.hospodarstvi.isEmpty() || !rng.chance(0.5))
            continue;
        // The breeders' table always writes the full eight digits.
        if (!add(c.hospodarstvi.rightJustified(8, QLatin1Char('0'))))
            return false;
    }
    // Farms that are not customers, and a row without a farm number.
    const int strangers = qMax(2, int(m_centres.size()) / 20);
    for (int i = 0; i < strangers; ++i)
        if (!add(i == 0 ? QString() : QStringLiteral("9") + rng.digits(7)))
            return false;
    return finish(batch);
}

bool Seeder::seedControlPanel()
{
    QSqlQuery probe(m_db);
    if (!probe.exec(QStringLiteral("select count(*) from qml.acl")))
        return true;    // no control-panel schema on this server: nothing to fill
    Rng rng(m_options.seed, SExtras + 200);
    BatchInsert batch(m_db, QStringLiteral("qml.acl"),
                      {QStringLiteral("id"), QStringLiteral("uzivatel"), QStringLiteral("heslo"),
                       QStringLiteral("poznamka"), QStringLiteral("idlist")});
    int id = nextId(QStringLiteral("qml.acl"));
    const struct { const char *login; const char *note; } users[] = {
        {"farmar", "přístup pro zákazníka"}, {"mlekarna", "jen čtení"}};
    for (const auto &u : users) {
        QSqlQuery exists(m_db);
        exists.prepare(QStringLiteral("select id from qml.acl where uzivatel=?"));
        exists.addBindValue(QString::fromLatin1(u.login));
        if (!exists.exec())
            return fail(QStringLiteral("qml.acl: ") + exists.lastError().text());
        if (exists.next())
            continue;
        QStringList ids;
        for (int i = 0; i < 3 && !m_centres.isEmpty(); ++i)
            ids << QString::number(m_centres.at(rng.below(int(m_centres.size()))).id);
        const QByteArray sha = QCryptographicHash::hash(QByteArray(u.login), QCryptographicHash::Sha1).toHex();
        if (!write(batch, {id++, QString::fromLatin1(u.login), QString::fromLatin1(sha), QString::fromUtf8(u.note),
                           orNull(ids.join(QLatin1Char(',')))}))
            return false;
    }
    return finish(batch);
}

} // namespace DemoData
