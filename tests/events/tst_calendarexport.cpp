#include "core/visibility.h"
#include "events/calendarexport.h"
#include "support/testdb.h"

#include <QtTest>
#include <libical/ical.h>

#include "support/testmain.h"

namespace {

QString timeText(const icaltimetype &t)
{
    if (t.is_date)
        return QDate(t.year, t.month, t.day).toString(Qt::ISODate);
    return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone), Qt::UTC).toString(Qt::ISODate);
}

// The file as the library reads it: per UID "summary|start|end|location|description".
QMap<QString, QString> parsed(const QByteArray &file)
{
    QMap<QString, QString> events;
    icalcomponent *cal = icalparser_parse_string(file.constData());
    if (!cal)
        return events;
    for (icalcomponent *ev = icalcomponent_get_first_component(cal, ICAL_VEVENT_COMPONENT); ev;
         ev = icalcomponent_get_next_component(cal, ICAL_VEVENT_COMPONENT)) {
        events.insert(QString::fromUtf8(icalcomponent_get_uid(ev)),   // a missing member reads as empty
                      QStringList{QString::fromUtf8(icalcomponent_get_summary(ev)),
                                  timeText(icalcomponent_get_dtstart(ev)), timeText(icalcomponent_get_dtend(ev)),
                                  QString::fromUtf8(icalcomponent_get_location(ev)),
                                  QString::fromUtf8(icalcomponent_get_description(ev))}
                          .join(QLatin1Char('|')));
    }
    icalcomponent_free(cal);
    return events;
}

// What the global list holds, as its button exports it.
QByteArray exportListed()
{
    EventStore::Filter filter;
    filter.global = true;
    filter.eventsRight = 2;
    filter.visibility = Visibility::everything();
    QVector<EventStore::ListRow> rows;
    QVector<CalendarExport::Entry> entries;
    QString error;
    if (!EventStore::readList(filter, &rows, &error)
        || !CalendarExport::read(CalendarExport::listed(rows), &entries, &error))
        qWarning() << error;
    return CalendarExport::write(entries, &error);
}

} // namespace

class TstCalendarExport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        // Prague changes to summer time on 2026-03-29 at 02:00: 1 (rich text, with an end) the day before,
        // its reply 2 and the all-day 3 on that day, 4 after it without an end, 5 without a start.
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev) values(1,'Alfa'),(2,'Beta')",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev) values(10,1,'Alfa Sever')",
                 "insert into tellmark_udalosti(id,id_parent,id_podnik,id_strediska,ts_zacatek,ts_konec,predmet,"
                 "hash,popis) values(1,NULL,NULL,10,'2026-03-28 10:00:00','2026-03-28 11:30:00','Návštěva dojírny','h-1',"
                 "'<html><body><p>Porucha <b>DOJÍRNY</b></p><p>na stáji</p></body></html>'),"
                 "(2,1,NULL,NULL,'2026-03-29 12:00:00',NULL,'Re: Návštěva dojírny','h-2','Díky'),"
                 "(3,NULL,2,NULL,'2026-03-29 00:00:00',NULL,'Dovolená',NULL,NULL),"
                 "(4,NULL,2,NULL,'2026-03-30 10:00:00',NULL,'Školení',NULL,NULL),"
                 "(5,NULL,2,NULL,NULL,NULL,'Bez data',NULL,NULL)");
        const QByteArray file = exportListed();
        QVERIFY(file.contains("TZID=Europe/Prague:20260328T100000"));
        m_events = parsed(file);
        QCOMPARE(m_events.size(), 4);   // not the event without a start
        // Exported again, the same events (UIDs) replace those of the first export.
        QCOMPARE(parsed(exportListed()).keys(), m_events.keys());
    }

    void readBack_data()
    {
        QTest::addColumn<QString>("uid");
        QTest::addColumn<QString>("event");
        QTest::newRow("winter time, own end") << "udalost-1-h-1@zrn"
            << "Návštěva dojírny|2026-03-28T09:00:00Z|2026-03-28T10:30:00Z|Alfa, Alfa Sever|Porucha DOJÍRNY\nna stáji";
        QTest::newRow("reply on the day of the change, at its thread's place") << "udalost-2-h-2@zrn"
            << "Re: Návštěva dojírny|2026-03-29T10:00:00Z|2026-03-29T11:00:00Z|Alfa, Alfa Sever|Díky";
        QTest::newRow("midnight: all day") << "udalost-3@zrn" << "Dovolená|2026-03-29|2026-03-30|Beta|";
        QTest::newRow("summer time, an hour") << "udalost-4@zrn"
            << "Školení|2026-03-30T08:00:00Z|2026-03-30T09:00:00Z|Beta|";
    }
    void readBack()
    {
        QFETCH(QString, uid);
        QTEST(m_events.value(uid), "event");
    }

private:
    QMap<QString, QString> m_events;
};

ZRN_TEST_MAIN(TstCalendarExport)
#include "tst_calendarexport.moc"
