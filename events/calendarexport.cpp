#include "events/calendarexport.h"

#include "core/richtext.h"
#include "db/qssql.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <libical/ical.h>

#include <memory>

namespace CalendarExport {

namespace {

// The event, and the names of the enterprise and centre it is filed under
// (the enterprise of its centre when it names none itself).
const char *const kEvents =
    "select udl.id,udl.hash,udl.predmet,udl.popis,udl.ts_zacatek,udl.ts_konec,"
    " if(udl.id_podnik>0,pdq2.podnik_nazev,pdq.podnik_nazev),stq.akce_nazev"
    " from tellmark_udalosti udl"
    " left join tellmark_strediska as stq on stq.id=udl.id_strediska"
    " left join tellmark_podniky as pdq on stq.id_podnik=pdq.id"
    " left join tellmark_podniky as pdq2 on pdq2.id=udl.id_podnik"
    " where udl.id in (%1)";

// Ids per statement: well below the bound-value limits of both backends.
constexpr int kChunk = 400;

struct Row {
    QString hash, subject, description, location;
    QDateTime start, end;
};

QString plainText(const QVariant &stored)
{
    const QString text = richTextFromStorage(stored);
    if (!Qt::mightBeRichText(text))
        return text.trimmed();
    return QTextDocumentFragment::fromHtml(text).toPlainText().trimmed();
}

QString joined(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return a.isEmpty() ? b : a;
    return a + QLatin1String(", ") + b;
}

struct ComponentFree {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// A wall-clock time; date only when `dateOnly`.
icaltimetype icalTime(const QDateTime &dt, bool dateOnly)
{
    icaltimetype t = icaltime_null_time();
    const QDate d = dt.date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    if (dateOnly) {
        t.is_date = 1;
    } else {
        const QTime time = dt.time();
        t.hour = time.hour();
        t.minute = time.minute();
        t.second = time.second();
    }
    return t;
}

// DTSTART or DTEND: a date, or a time in the Prague zone.
icalproperty *timeProperty(icalproperty *(*make)(icaltimetype), const QDateTime &dt, bool dateOnly)
{
    icalproperty *p = make(icalTime(dt, dateOnly));
    if (!dateOnly)
        icalproperty_add_parameter(p, icalparameter_new_tzid(timeZoneId()));
    return p;
}

// The Prague zone's rules from the earliest entry on, under its plain name.
icalcomponent *pragueZone(const QDateTime &earliest, QString *error)
{
    icaltimezone *zone = icaltimezone_get_builtin_timezone(timeZoneId());
    icalcomponent *builtin = zone ? icaltimezone_get_component(zone) : nullptr;
    if (!builtin) {
        *error = QCoreApplication::translate("CalendarExport", "Časové pásmo %1 není v systému k dispozici.")
                     .arg(QLatin1String(timeZoneId()));
        return nullptr;
    }
    icalcomponent *vtz = icalcomponent_new_clone(builtin);
    icalproperty *tzid = icalcomponent_get_first_property(vtz, ICAL_TZID_PROPERTY);
    if (tzid)
        icalproperty_set_tzid(tzid, timeZoneId());
    else
        icalcomponent_add_property(vtz, icalproperty_new_tzid(timeZoneId()));
    // A century of historic rules would only make the file long.
    icaltimetype from = icalTime(earliest.addDays(-366), false);
    from.zone = icaltimezone_get_utc_timezone();
    icaltimezone_truncate_vtimezone(vtz, from, icaltime_null_time(), 1);
    return vtz;
}

} // namespace

QVector<Listed> listed(const QVector<EventStore::ListRow> &rows)
{
    QHash<int, int> parents;
    for (const EventStore::ListRow &r : rows)
        parents.insert(r.id, r.parentId);
    QVector<Listed> out;
    for (const EventStore::ListRow &r : rows) {
        int root = r.id;
        // At most one step per row, whatever the data says.
        for (int steps = 0; steps < rows.size() && parents.contains(parents.value(root)); ++steps)
            root = parents.value(root);
        out.append({r.id, root});
    }
    return out;
}

bool read(const QVector<Listed> &listed, QVector<Entry> *entries, QString *error)
{
    entries->clear();
    QVector<int> ids;
    QSet<int> seen;
    for (const Listed &l : listed) {
        for (int id : {l.id, l.rootId}) {
            if (id > 0 && !seen.contains(id)) {
                seen.insert(id);
                ids << id;
            }
        }
    }
    QHash<int, Row> rows;
    for (int from = 0; from < ids.size(); from += kChunk) {
        const QVector<int> chunk = ids.mid(from, kChunk);
        QStringList marks;
        QVariantList binds;
        for (int id : chunk) {
            marks << QStringLiteral("?");
            binds << id;
        }
        QSSQL q;
        if (!q.exec(QString::fromLatin1(kEvents).arg(marks.join(QLatin1Char(','))), binds)) {
            *error = q.lastError().text();
            return false;
        }
        while (q.next()) {
            Row r;
            r.hash = q.value(1).toString();
            r.subject = q.value(2).toString();
            r.description = plainText(q.value(3));
            r.start = q.value(4).toDateTime();
            r.end = q.value(5).toDateTime();
            r.location = joined(q.value(6).toString(), q.value(7).toString());
            rows.insert(q.value(0).toInt(), r);
        }
    }
    for (const Listed &l : listed) {
        const auto it = rows.constFind(l.id);
        if (it == rows.cend() || !it->start.isValid())
            continue;
        Entry e;
        e.id = l.id;
        e.hash = it->hash;
        e.subject = it->subject;
        e.description = it->description;
        e.start = it->start;
        e.end = it->end;
        const auto root = rows.constFind(l.rootId > 0 ? l.rootId : l.id);
        e.location = root != rows.cend() ? root->location : it->location;
        entries->append(e);
    }
    return true;
}

QString uid(const Entry &entry)
{
    QString u = QStringLiteral("udalost-") + QString::number(entry.id);
    if (!entry.hash.trimmed().isEmpty())
        u += QLatin1Char('-') + entry.hash.trimmed();
    return u + QLatin1String("@zrn");
}

QByteArray write(const QVector<Entry> &entries, QString *error)
{
    Component cal(icalcomponent_new_vcalendar());
    icalcomponent_add_property(cal.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(cal.get(), icalproperty_new_prodid("-//Korbanit//ZRN//CS"));
    icalcomponent_add_property(cal.get(), icalproperty_new_calscale("GREGORIAN"));

    QDateTime earliest;
    for (const Entry &e : entries) {
        if (e.start.isValid() && (!earliest.isValid() || e.start < earliest))
            earliest = e.start;
    }
    if (earliest.isValid()) {
        icalcomponent *vtz = pragueZone(earliest, error);
        if (!vtz)
            return QByteArray();
        icalcomponent_add_component(cal.get(), vtz);
    }

    const icaltimetype stamp = icaltime_current_time_with_zone(icaltimezone_get_utc_timezone());
    const QTime midnight(0, 0);
    for (const Entry &e : entries) {
        if (!e.start.isValid())
            continue;
        // Wall-clock arithmetic: an hour after 10:00 is 11:00 on the day the
        // clocks change too.
        const QDateTime start(e.start.date(), e.start.time(), Qt::UTC);
        const QDateTime end = e.end.isValid() ? QDateTime(e.end.date(), e.end.time(), Qt::UTC) : QDateTime();
        const bool allDay = start.time() == midnight
            && (!end.isValid() || (end.time() == midnight && end.date() >= start.date()));
        QDateTime until;
        if (allDay)
            until = QDateTime(end.isValid() && end.date() > start.date() ? end.date() : start.date(), midnight, Qt::UTC)
                        .addDays(1);
        else
            until = end.isValid() && end > start ? end : start.addSecs(3600);

        icalcomponent *ev = icalcomponent_new_vevent();
        icalcomponent_add_property(ev, icalproperty_new_uid(uid(e).toUtf8().constData()));
        icalcomponent_add_property(ev, icalproperty_new_dtstamp(stamp));
        icalcomponent_add_property(ev, timeProperty(icalproperty_new_dtstart, start, allDay));
        icalcomponent_add_property(ev, timeProperty(icalproperty_new_dtend, until, allDay));
        icalcomponent_add_property(ev, icalproperty_new_summary(e.subject.toUtf8().constData()));
        if (!e.description.isEmpty())
            icalcomponent_add_property(ev, icalproperty_new_description(e.description.toUtf8().constData()));
        if (!e.location.isEmpty())
            icalcomponent_add_property(ev, icalproperty_new_location(e.location.toUtf8().constData()));
        icalcomponent_add_component(cal.get(), ev);
    }

    char *text = icalcomponent_as_ical_string_r(cal.get());
    if (!text) {
        *error = QString::fromUtf8(icalerror_strerror(icalerrno));
        return QByteArray();
    }
    const QByteArray out(text);
    icalmemory_free_buffer(text);
    return out;
}

} // namespace CalendarExport
