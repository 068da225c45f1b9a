// Demo content of a new database: threads of events and their attachments.
//
// Threads are laid out in memory first (who, when, which reply answers
// which), then all events are ordered by creation time, so ids grow with
// time and every reply has a larger id than its parent, as the event lists
// expect. Texts are made while writing, each event from its own seed, so a
// reply can quote its parent's description without keeping every text in
// memory.

#include "schema/eventlog.h"
#include "tools/demodata/demodata_lists.h"
#include "tools/demodata/demodata_p.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <functional>

using DemoSupport::BatchInsert;
using DemoSupport::Rng;
using DemoSupport::orNull;
using DemoSupport::sqlDate;
using DemoSupport::sqlDateTime;

namespace DemoData {

namespace {

const int CategoryCount = int(sizeof(DemoLists::categories) / sizeof(DemoLists::categories[0]));
const int VacationCategory = 8192;

struct Event {
    qint64 created = 0;      // seconds since the epoch (UTC, written as local)
    qint64 lastActivity = 0; // roots: creation of the newest reply
    quint64 seed = 0;        // texts and minor fields
    int parent = -1;         // index into the event vector; -1 for a root
    int root = -1;
    int depth = 0;
    int enterprise = -1;     // roots: index into Seeder::enterprises
    int centre = -1;         // roots: index into Seeder::centres
    int category = 0;        // index into DemoLists::categories
    int children = 0;
    int id = 0;
    bool deleted = false;
};

QDateTime toTime(qint64 secs)
{
    return QDateTime::fromSecsSinceEpoch(secs, Qt::UTC);
}

// Fields of a root event that a reply needs to quote it; drawn from the
// event's own seed so they can be made again at any time.
QDateTime rootStart(const Event &e)
{
    Rng rng(e.seed ^ 0x5A5A5A5AULL);
    const QDateTime created = toTime(e.created);
    if (rng.chance(0.15)) {
        // Planned ahead: a visit or a call on a later day, some by date only.
        static const int hours[] = {7, 8, 9, 10, 13, 14};
        const QDate day = created.date().addDays(rng.range(1, 30));
        return QDateTime(day, rng.chance(0.3) ? QTime(0, 0) : QTime(rng.pick(hours), 0), Qt::UTC);
    }
    return created;
}

QString sentence(Rng &rng, const char *text)
{
    QString s = QString::fromUtf8(text);
    if (s.contains(QLatin1String("%1")))
        s = s.arg(rng.range(2, 24));
    return s;
}

int countOf(const char *const *items, int max)
{
    int n = 0;
    while (n < max && items[n])
        ++n;
    return n;
}

// The description the event was written with, without quotations.
QString ownText(const Event &e)
{
    Rng rng(e.seed ^ 0xC3C3C3C3ULL);
    if (e.parent >= 0)
        return QStringLiteral("<p>") + PICK(rng, DemoLists::replySentences) + QStringLiteral("</p>");
    const DemoLists::Category &cat = DemoLists::categories[e.category];
    const int available = countOf(cat.texts, 4);
    const int first = rng.below(available);
    QString text = sentence(rng, cat.texts[first]);
    if (available > 1 && rng.chance(0.4))
        text += QLatin1Char(' ') + sentence(rng, cat.texts[(first + 1 + rng.below(available - 1)) % available]);
    // Events that came by mail keep the plain text of the message.
    return rng.chance(0.2) ? text : QStringLiteral("<p>") + text + QStringLiteral("</p>");
}

// Staff write events in working hours: a time in the evening or at night
// moves into the next working day.
qint64 workingHours(qint64 secs)
{
    const QDateTime t = QDateTime::fromSecsSinceEpoch(secs, Qt::UTC);
    const int hour = t.time().hour();
    if (hour >= 7 && hour < 18)
        return secs;
    const QDate day = hour < 7 ? t.date() : t.date().addDays(1);
    // Keep the minutes and seconds, so the order of nearby events stays varied.
    const QTime time(7 + (t.time().hour() + t.time().minute()) % 11, t.time().minute(), t.time().second());
    return QDateTime(day, time, Qt::UTC).toSecsSinceEpoch();
}

QString startText(const QDateTime &start)
{
    return start.time() == QTime(0, 0) ? start.toString(QStringLiteral("dd.MM.yyyy"))
                                       : start.toString(QStringLiteral("dd.MM.yyyy hh:mm"));
}

} // namespace

bool Seeder::seedEvents()
{
    const int total = m_options.events;
    if (total == 0)
        return true;
    // The search index is built once after the load instead of by its
    // triggers for every row (that took the large log from 2 to 10 minutes).
    if (!Schema::dropEventLogSearch(&m_error))
        return false;
    Rng rng(m_options.seed, SEvents);
    const qint64 end = baseTime().toSecsSinceEpoch();
    const qint64 span = qint64(6 * 365) * 86400;

    // Who the events are about: customers have more of them.
    QVector<int> cumulative;
    int weightSum = 0;
    for (const Enterprise &e : qAsConst(m_enterprises)) {
        weightSum += e.customer ? 3 : 1;
        cumulative << weightSum;
    }
    auto pickEnterprise = [&]() {
        const int r = rng.below(weightSum);
        return int(std::upper_bound(cumulative.begin(), cumulative.end(), r) - cumulative.begin());
    };
    int categoryWeights[CategoryCount];
    for (int c = 0; c < CategoryCount; ++c)
        categoryWeights[c] = DemoLists::categories[c].weight;

    // 1. Threads.
    QVector<Event> events;
    events.reserve(total);
    while (events.size() < total) {
        Event root;
        root.seed = rng.next();
        root.category = rng.weighted(categoryWeights);
        const bool vacation = DemoLists::categories[root.category].code == VacationCategory;
        if (!vacation && !m_enterprises.isEmpty()) {
            const int ei = pickEnterprise();
            const Enterprise &e = m_enterprises.at(ei);
            const double r = rng.unit();
            if (r < 0.35 || e.centreCount == 0) {
                root.enterprise = ei;                                   // filed under the enterprise
            } else {
                root.centre = e.firstCentre + rng.below(e.centreCount); // under one of its centres
                if (r > 0.95)
                    root.enterprise = ei;                               // and the enterprise as well
            }
        }
        const double age = span * std::pow(rng.unit(), 1.7);            // recent years are busier
        root.created = workingHours(end - 86400 - qint64(age) - rng.range(0, 10 * 3600));
        root.lastActivity = root.created;
        root.root = int(events.size());
        events << root;

        int replies = 0;
        if (!vacation && rng.chance(0.65))
            replies = 1 + int(std::floor(std::log(1.0 - rng.unit()) / std::log(0.5)));
        QVector<int> members{root.root};
        qint64 t = root.created;
        for (int k = 0; k < replies && events.size() < total; ++k) {
            const double u = rng.unit();
            t = workingHours(t + 300 + qint64(u * u * u * 20 * 86400));
            if (t >= end)
                break;
            Event reply;
            reply.seed = rng.next();
            reply.created = t;
            reply.root = root.root;
            const double p = rng.unit();
            reply.parent = p < 0.6 ? members.last() : p < 0.9 ? root.root : members.at(rng.below(int(members.size())));
            reply.depth = events.at(reply.parent).depth + 1;
            ++events[reply.parent].children;
            events[root.root].lastActivity = t;
            members << int(events.size());
            events << reply;
        }
    }

    // 2. Soft-deleted leaves.
    for (Event &e : events)
        if (e.children == 0 && rng.chance(e.parent >= 0 ? 0.025 : 0.007))
            e.deleted = true;

    // 3. Ids in order of creation.
    QVector<int> order(events.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return events.at(a).created < events.at(b).created; });
    const int firstId = nextId(QStringLiteral("tellmark_udalosti"));
    for (int rank = 0; rank < order.size(); ++rank)
        events[order.at(rank)].id = firstId + rank;

    // 4. Rows.
    const QStringList columns = QString::fromLatin1(
        "id,id_parent,id_podnik,id_strediska,ts_zalozeno,ts_modifikovano,ts_zacatek,ts_kal_zacatek,ts_konec,"
        "lokalita,notifikace,notifikacef,zdroj,kategorie,stav,priorita,typ_synchronizace,cesta,cislo_projektu,"
        "odpovedna_osoba,predmet,popis,hash,upozornit_od,smazano").split(QLatin1Char(','));
    BatchInsert batch(m_db, QStringLiteral("tellmark_udalosti"), columns);

    // A reply quotes its parent's whole description, which quotes its own
    // parent; deep threads quote only the last few levels.
    std::function<QString(int, int)> description = [&](int index, int levels) -> QString {
        const Event &e = events.at(index);
        QString text = ownText(e);
        if (e.parent >= 0 && levels > 0) {
            const Event &parent = events.at(e.parent);
            const QDateTime parentStart = parent.parent >= 0 ? toTime(parent.created) : rootStart(parent);
            text += QStringLiteral("<br><br><br><b>Dne ") + startText(parentStart) + QStringLiteral(", napsáno:</b><hr>")
                    + description(e.parent, levels - 1);
        }
        return text;
    };

    static const int sources[] = {5, 12, 70, 10, 3};                    // zdroj 0..4
    static const int priorities[] = {50, 15, 25, 10};                   // priorita 0..3
    static const char *const places[] = {"kancelář", "telefonicky", "vzdáleně"};
    const QDate base = m_options.baseDate;
    QVector<QString> rootPersons(events.size());
    QVector<QString> rootSubjects(events.size());
    m_eventIds.reserve(events.size());

    for (int rank = 0; rank < order.size(); ++rank) {
        const int index = order.at(rank);
        const Event &e = events.at(index);
        Rng r(e.seed);
        const QDateTime created = toTime(e.created);
        QVector<QVariant> row = batch.emptyRow();
        auto set = [&](const char *col, const QVariant &v) { batch.set(row, QLatin1String(col), v); };
        set("id", e.id);
        set("ts_zalozeno", sqlDateTime(created));
        set("hash", r.hex(32));
        set("smazano", e.deleted ? 1 : 0);
        set("notifikace", r.chance(0.2) ? 1 : 0);
        set("notifikacef", r.chance(0.1) ? 1 : 0);

        if (e.parent < 0) {
            const DemoLists::Category &cat = DemoLists::categories[e.category];
            const bool vacation = cat.code == VacationCategory;
            const int subjects = countOf(cat.subjects, 6);
            QString subject = QString::fromUtf8(cat.subjects[r.below(subjects)]);
            if (cat.code == 32 && subject == QStringLiteral("Fakturace za rok"))
                subject += QLatin1Char(' ') + QString::number(created.date().year());
            rootSubjects[index] = subject;

            // Technicians answer for service and installation, salesmen for
            // offers; some threads go to a shared mailbox.
            const bool sales = cat.code == 32 || cat.code == 16 || cat.code == 1;
            QString persons = staffCodes(r, sales, vacation ? 1 : 2);
            if (!vacation && r.chance(0.1))
                persons = (r.chance(0.5) ? persons + QLatin1Char(',') : QString()) + PICK(r, DemoLists::mailboxes);
            else if (!vacation && r.chance(0.02))
                persons.clear();
            rootPersons[index] = persons;
            set("odpovedna_osoba", orNull(persons));
            set("predmet", subject);

            const QDateTime start = rootStart(e);
            const bool visit = cat.code == 256 || cat.code == 512 || cat.code == 2 || cat.code == 1 || cat.code == 16;
            set("id_podnik", e.enterprise >= 0 ? QVariant(m_enterprises.at(e.enterprise).id) : QVariant());
            set("id_strediska", e.centre >= 0 ? QVariant(m_centres.at(e.centre).id) : QVariant());
            set("ts_zacatek", sqlDateTime(start));
            if (vacation)
                set("ts_konec", sqlDateTime(start.addDays(r.range(1, 14))));
            else if (r.chance(0.4))
                set("ts_konec", sqlDateTime(start.addSecs(r.range(1, 6) * 3600)));
            const int sync = r.chance(0.1) ? 1 : 0;
            set("typ_synchronizace", sync);
            if (sync)
                set("ts_kal_zacatek", sqlDateTime(start));
            if (!vacation && r.chance(0.25)) {
                const QString village = e.centre >= 0 ? m_centres.at(e.centre).village
                                        : e.enterprise >= 0 ? m_enterprises.at(e.enterprise).village
                                                            : QString();
                set("lokalita", r.chance(0.7) && !village.isEmpty() ? village : PICK(r, places));
            }
            set("zdroj", r.weighted(sources));
            set("kategorie", cat.code);
            set("cesta", visit && r.chance(0.6) ? 1 : 0);
            if ((cat.code == 512 || cat.code == 32) && r.chance(0.2))
                set("cislo_projektu", QStringLiteral("P%1-%2").arg(created.date().year() % 100, 2, 10, QLatin1Char('0'))
                                          .arg(r.range(1, 250), 3, 10, QLatin1Char('0')));

            // The thread's state: finished long ago, or still open.
            const qint64 quiet = baseTime().toSecsSinceEpoch() - e.lastActivity;
            int state;
            if (r.chance(0.03))
                state = 0;
            else if (quiet > 60 * 86400)
                state = r.chance(0.96) ? 3 : r.range(1, 2);
            else
                state = r.range(1, 3);
            set("stav", state);
            set("priorita", r.weighted(priorities));
            if ((state == 1 || state == 2) && r.chance(0.3))
                set("upozornit_od", sqlDate(base.addDays(r.range(-20, 20))));
            set("ts_modifikovano", sqlDateTime(toTime(qMax(e.lastActivity, e.created + r.range(0, 3600)))));
        } else {
            // A reply keeps no enterprise, centre or codes of its own; its
            // state went to the root.
            QString persons = rootPersons.at(e.root);
            if (r.chance(0.15))
                persons = staffCodes(r, false, 1);
            set("id_parent", events.at(e.parent).id);
            set("ts_zacatek", sqlDateTime(created));
            set("ts_modifikovano", sqlDateTime(created.addSecs(r.chance(0.3) ? r.range(60, 7200) : 0)));
            set("zdroj", 0);
            set("kategorie", 0);
            set("stav", 0);
            set("priorita", 0);
            set("typ_synchronizace", 0);
            set("cesta", 0);
            set("odpovedna_osoba", orNull(persons));
            set("predmet", rootSubjects.at(e.root));
        }
        set("popis", description(index, 4));

        if (!write(batch, row))
            return false;
        if (!e.deleted)
            m_eventIds << e.id;
        if (rank % 10000 == 9999)
            report(QStringLiteral("události"), rank + 1, total);
    }
    report(QStringLiteral("události"), total, total);
    return finish(batch) && Schema::ensureEventLogSearch(&m_error);
}

bool Seeder::seedAttachments()
{
    const int count = qMin(m_options.attachments, int(m_eventIds.size()));
    if (count == 0)
        return true;
    Rng rng(m_options.seed, SAttachments);
    BatchInsert batch(m_db, QStringLiteral("tellmark_udalosti_prilohy"),
                      {QStringLiteral("id"), QStringLiteral("id_udalosti"), QStringLiteral("nazev_souboru"),
                       QStringLiteral("data")});
    int id = nextId(QStringLiteral("tellmark_udalosti_prilohy"));
    for (int i = 0; i < count; ++i) {
        const QString name = PICK(rng, DemoLists::attachmentNames);
        QByteArray data;
        if (name.endsWith(QLatin1String(".pdf"))) {
            data = "%PDF-1.4\n% ZRN\n1 0 obj << /Type /Catalog >> endobj\n";
            for (int k = rng.range(200, 4000); k > 0; --k)
                data += char(rng.below(256));
            data += "\n%%EOF\n";
        } else if (name.endsWith(QLatin1String(".jpg"))) {
            data = QByteArray::fromHex("ffd8ffe000104a46494600010100000100010000");
            for (int k = rng.range(1000, 20000); k > 0; --k)
                data += char(rng.below(256));
            data += QByteArray::fromHex("ffd9");
        } else if (name.endsWith(QLatin1String(".csv"))) {
            data = QStringLiteral("ušní číslo;datum;nádoj\n").toUtf8();
            for (int k = rng.range(5, 60); k > 0; --k)
                data += QStringLiteral("CZ%1;%2;%3\n").arg(rng.digits(9)).arg(m_options.baseDate.addDays(-k).toString(QStringLiteral("dd.MM.yyyy"))).arg(rng.range(150, 450) / 10.0).toUtf8();
        } else {
            data = (QStringLiteral("Záznam z návštěvy\n\n") + PICK(rng, DemoLists::replySentences) + QLatin1Char('\n')).toUtf8();
        }
        // Spread over the live events, more of them on recent ones.
        const int n = int(m_eventIds.size());
        const int pick = n - 1 - int((n - 1) * std::pow(rng.unit(), 2.0));
        if (!write(batch, {id++, m_eventIds.at(qBound(0, pick, n - 1)), name, data}))
            return false;
    }
    return finish(batch);
}

} // namespace DemoData
