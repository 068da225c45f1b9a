#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSAPITellmark;

// The row of www_users read at login: who is signed in and what they may do.
struct UserRights {
    int id = 0;
    QString login;
    int vp = 0;
    int admin = 0;
    int acls = 0;
    int minimal = 0;
    int os = 0;
    QString region;
    int udalosti = 0;
    int sestavy = 0;
    int fakturace = 0;
    int cp = 0;
    int stredisko_tech_cteni = 0;
    int pristupy = 0;
};

// Shared state the pages read: the signed-in user with the rights, and the
// current selection of the enterprise tree. One instance, owned by the main
// window, handed to every page.
class Session : public QObject
{
    Q_OBJECT
public:
    explicit Session(QObject *parent = nullptr) : QObject(parent) {}

    UserRights user;

    // Current enterprise and centre; invalid when nothing is selected.
    QVariant s_id_podnik;
    QVariant s_id_stredisko;

    // User options of the user page that other pages consult.
    QString documentRoot;            // "user/nextcloud": root of the document folders
    bool copyNameToClipboard = false; // "user/schranka"
    QStringList addressees;          // "user/z1".."user/z6": kept for the person chooser

    // Filters of the event lists, loaded from the settings at start and
    // saved at exit ("misc/filtr_*"): category codes joined by ",", the
    // responsible persons ("" all, "none" nobody, or codes) and the further
    // mailboxes of the global list.
    QString filtrKategorie;          // the enterprise's event list
    QString filtrSKategorie;         // the global event list
    QString filtrSoo;
    QString filtrSooDalsi;

    // The service client of the window (event hashes and synchronisation);
    // null until the window has created it.
    QSAPITellmark *api = nullptr;

    void setSelection(const QVariant &podnik, const QVariant &stredisko)
    {
        s_id_podnik = podnik;
        s_id_stredisko = stredisko;
        emit selectionChanged();
    }

signals:
    void selectionChanged();
};
