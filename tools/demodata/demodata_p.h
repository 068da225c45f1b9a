#pragma once

// Internals of the demo data, shared by demodata.cpp (register, users) and
// demodata_events.cpp (events, attachments).

#include "tools/demodata/demodata.h"
#include "tools/demodata/demodata_support.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

namespace DemoData {

struct Enterprise {
    int id = 0;
    int district = -1;       // index into DemoLists::districts; -1 abroad
    QString village;         // seat
    QString name;
    bool customer = false;   // pays for the software
    int firstCentre = 0;     // index into Seeder::centres
    int centreCount = 0;
};

struct Centre {
    int id = 0;
    int enterprise = 0;      // index into Seeder::enterprises
    int licence = 0;
    QString village;
    QString hospodarstvi;
};

class Seeder
{
public:
    Seeder(const DemoOptions &options, const QSqlDatabase &db);
    bool run(QString *error);

private:
    // demodata.cpp
    bool seedHoldings();
    bool seedEnterprises();
    bool seedCentres();
    bool seedRemoteLog();
    bool seedMilkRecording();
    bool seedUsers();
    bool seedControlPanel();
    // demodata_events.cpp
    bool seedEvents();
    bool seedAttachments();

    bool begin();
    bool commit();
    bool fail(const QString &message);
    bool write(DemoSupport::BatchInsert &batch, const QVector<QVariant> &row);
    bool finish(DemoSupport::BatchInsert &batch);
    int nextId(const QString &table);
    void report(const QString &stage, qint64 done, qint64 total);

    // People and contacts shared by the stages.
    QString personName(DemoSupport::Rng &rng, QString *surname = nullptr);
    QString phone(DemoSupport::Rng &rng);
    QString ico(DemoSupport::Rng &rng);
    QString gps(DemoSupport::Rng &rng, double lat, double lon, double spread);
    QString staffCodes(DemoSupport::Rng &rng, bool sales, int most);
    QDateTime baseTime() const;

    DemoOptions m_options;
    QSqlDatabase m_db;
    QString m_error;
    qint64 m_sinceCommit = 0;

    QVector<int> m_holdings;          // ids
    QVector<Enterprise> m_enterprises;
    QVector<Centre> m_centres;
    QVector<QString> m_vncIds;        // repeater ids of all VNC connections
    QVector<int> m_eventIds;          // ids of the live events
    QVector<int> m_userIds;           // ids of the demo users with acls
};

// Streams of the generator, one per stage.
enum Stream : quint64 { SHoldings = 1, SEnterprises, SCentres, SEvents, SAttachments, SUsers, SExtras };

inline QString pickText(DemoSupport::Rng &rng, const char *const *items, int count)
{
    return QString::fromUtf8(items[rng.below(count)]);
}
// A random entry of one of the word lists, as text.
#define PICK(rng, list) pickText(rng, list, int(sizeof(list) / sizeof(list[0])))

// A code-list value: an entry, or NULL ("Neurčeno") with the given chance.
template<std::size_t N>
QVariant entry(DemoSupport::Rng &rng, const char *const (&items)[N], double nullChance = 0.0)
{
    if (nullChance > 0 && rng.chance(nullChance))
        return QVariant();
    return QString::fromUtf8(items[rng.below(int(N))]);
}

inline QString uuid(DemoSupport::Rng &rng)
{
    return rng.hex(8) + QLatin1Char('-') + rng.hex(4) + QStringLiteral("-4") + rng.hex(3) + QStringLiteral("-a")
           + rng.hex(3) + QLatin1Char('-') + rng.hex(12);
}

// ASCII form of a Czech text (accents dropped, only letters and digits),
// for e-mail addresses and domains.
QString asciiWord(const QString &text);

} // namespace DemoData
