#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

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

    // The rules the program applies to these values, one name each. Where
    // the rules of two places differ for the same column (minimal: the tabs
    // react to 1, the register's pages to anything but 0), both are kept.
    bool minimalTabs() const { return minimal == 1; }          // fewer tabs, no ids or passwords
    bool minimalPages() const { return minimal != 0; }         // register: remote access only
    bool maintainsEnterprises() const { return os != 0 && os != 1; }
    bool maintainsCentres() const { return os != 0; }          // add and edit; deleting needs the above
    bool seesRemoteAccess() const { return vp != 0; }
    bool remoteAccessConnectOnly() const { return vp == 1; }
    bool seesPortalAccess() const { return pristupy != 0; }
    bool seesEvents() const { return udalosti > 0; }           // the register's event page
    bool hasEventsTab() const { return udalosti != 0; }
    bool ownEventsOnly() const { return udalosti == 1; }
    bool hasReportsTab() const { return sestavy != 0; }
    // Positive only, as admin is read everywhere else (the export's GPS
    // column): a stray negative value opens no administration.
    bool hasUsersTab() const { return admin > 0; }
    bool hasControlPanelTab() const { return cp != 0; }
    bool hasInvoicingTab() const { return fakturace == 3; }
    bool seesInvoicing() const { return fakturace != 0; }
    bool invoicingReadOnly() const { return fakturace == 1; }
    bool centreTechReadOnly() const { return stredisko_tech_cteni == 1; }
    bool seesOnlyOwnCentres() const { return acls > 0; }

    // The user row as read for the login. The login is bound as a value, so
    // the row is found by the exact text typed (quotes and all).
    static constexpr const char *Query =
        "select password,vp,admin,acls,minimal,id,os,region,udalosti,"
        "       sestavy,fakturace,cp,stredisko_tech_cteni,pristupy from www_users where login=?";
    // Reads the row of a login; false when there is none (a failed select
    // reads as no row). On success *hash holds the stored hash.
    static bool read(const QString &login, QString *hash, UserRights *rights);
};

// Shared state: the signed-in user with the rights, and the current
// selection of the enterprise tree, for whoever asks what is selected (the
// menus, the window, the maintenance). The pages are told the row they show
// (ZrnPage::load) and do not read it from here. One instance, owned by the
// main window, handed to every page.
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
    // Category of a new event when the user page asks for one ("user/kategorie");
    // null: "Nespecifikováno".
    QVariant defaultCategory;

    // The service client of the window (event hashes and synchronisation);
    // null until the window has created it.
    QSAPITellmark *api = nullptr;

    // The enterprises the register's tree shows (quick filter, advanced
    // filter and the user's restrictions applied), each once, in the tree's
    // order - also when it is sorted as a flat list of centres. Set by the
    // register; the exports and the map read it. Empty until then.
    std::function<QList<int>()> shownEnterprises;

    void setSelection(const QVariant &podnik, const QVariant &stredisko)
    {
        s_id_podnik = podnik;
        s_id_stredisko = stredisko;
        emit selectionChanged();
    }

    // A short note on work just done ("Uloženo 14:02", see Notice), for
    // the window's status bar; a subsystem reports without knowing the window.
    void notify(const QString &text) { emit notice(text); }

signals:
    void selectionChanged();
    void notice(const QString &text);
};
