#pragma once

#include <QDate>
#include <QString>

#include <functional>

// Demo content for a new database: enterprises, holdings, centres, events
// with replies, attachments and users. Deterministic for a given seed.
struct DemoOptions {
    quint32 seed = 1;
    int enterprises = 60;
    int events = 400;
    int attachments = 6;
    bool users = true;       // demo users (login "demo", ...)

    // Every date is placed relative to this day (not today), so the same
    // seed always gives the same database.
    QDate baseDate = QDate(2025, 11, 28);
    // Called between the stages ("podniky", "střediska", "události", ...)
    // with the rows written so far of that stage and its total.
    std::function<void(const QString &stage, qint64 done, qint64 total)> progress;
};

namespace DemoData {
// The largest register the generator makes: its unique numbers (IČO, VNC
// ids) would run thin beyond it. Past 49,999 licensed centres the licence
// numbers run out and further centres get none.
inline constexpr int MaxEnterprises = 1000000;

// The full-rights account of the demo data (README: demo/demo).
inline const char *demoLogin() { return "demo"; }
inline const char *demoPassword() { return "demo"; }

// Fills the open database; returns false with the database error in *error.
bool seed(const DemoOptions &options, QString *error);
}
