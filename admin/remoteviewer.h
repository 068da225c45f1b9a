#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// The command lines of the external viewers and the statements around a
// launch; no widgets, so the rules are tested without a window.
namespace RemoteViewer {

// The "Rychlost" choice of the page, not stored: every start is Medium.
enum class Speed { Lan, Medium, Modem };

// The audit row of a VNC launch; logovani.operace 1.
inline const char AuditInsert[] = "insert into logovani(uzivatel,ts,operace,vnc_id) values(?,?,?,?)";
constexpr int AuditVncLaunch = 1;
// The newest 100 events of a repeater id; the id is compared as text.
inline const char RepeaterLog[] = "select ts,operation from vnc where uid=? order by 1 desc limit 100";

// "host" or "host:port" as the viewer's -proxy wants it, with port 5901
// when none is given; empty for an empty setting.
QString endpoint(const QString &setting);
// The endpoint of repeater 1 or 2 from the settings store.
QString repeaterEndpoint(int repeater);

QStringList vncArguments(const QString &endpoint, const QString &id, const QString &password, Speed speed);
QStringList teamViewerArguments(const QString &id, const QString &password);

// logovani.vnc_id of an id text: its number, 0 when it is not one.
int auditVncId(const QString &id);

// Where a fresh VNC id is asked for: "/generated_id.txt" on the update
// server of the setting (a host, asked over https, or an http(s) address);
// an invalid URL when the setting is empty or unusable.
QUrl generatedIdUrl(const QString &setting);

} // namespace RemoteViewer
