#pragma once

#include <QString>
#include <QVariant>

// The statements of the register's maintenance, without widgets: adding,
// renaming, regrouping and deleting enterprises and centres. Every value
// reaches the database bound. Each write runs in its own transaction with
// its history rows (written under `byLogin`); on failure nothing of it is
// stored and *error holds the database's text.
namespace MaintenanceStore {

// An enterprise as the rename dialog edits it.
struct Enterprise {
    QVariant name;
    QVariant holdingId;
};

// What the business register gave for an IČO.
struct Registered {
    QString name;
    QString address;
    QString ico;
    QString district;
};

// An IČO as the number it stands for: without blanks and leading zeros
// ("000 123 45" and "12345" are the same).
QString icoKey(const QString &ico);
// Whether an enterprise with this IČO is stored, in whatever spelling.
bool icoTaken(const QString &ico, bool *taken, QString *error);

bool addEnterprise(const QString &name, const QString &byLogin, QVariant *newId, QString *error);
// A new enterprise from the business register (country CZ).
bool addRegistered(const Registered &found, const QString &byLogin, QVariant *newId, QString *error);
// *found is false when the enterprise is gone.
bool readEnterprise(const QVariant &id, Enterprise *values, bool *found, QString *error);
// Stores the name and the holding; the history gets what changed (holdings
// by their names).
bool updateEnterprise(const QVariant &id, const Enterprise &before, const Enterprise &after, const QString &byLogin,
                      QString *error);
bool deleteEnterprise(const QVariant &id, const QString &byLogin, QString *error);

// What still depends on a row: its centres, its events not deleted. False
// with an empty *error when the count gave no row.
bool countCentres(const QVariant &podnikId, int *n, QString *error);
bool countEnterpriseEvents(const QVariant &podnikId, int *n, QString *error);
bool countCentreEvents(const QVariant &strediskoId, int *n, QString *error);

bool addCentre(const QVariant &podnikId, const QString &name, const QString &byLogin, QVariant *newId, QString *error);
bool readCentreName(const QVariant &id, QVariant *name, bool *found, QString *error);
bool renameCentre(const QVariant &id, const QVariant &before, const QString &after, const QString &byLogin,
                  QString *error);
// *podnikId: the enterprise it belonged to; *found false (nothing written)
// when the centre is gone.
bool deleteCentre(const QVariant &id, const QString &byLogin, QVariant *podnikId, bool *found, QString *error);

} // namespace MaintenanceStore
