#pragma once

#include <QString>
#include <QVariant>
#include <QWidget>

class QTabWidget;
struct UserRights;

// A row of the register that another tab asks for (a double click on a
// contract or an event, a link of a browser page), and where it lands.
struct RowRequest {
    // How the register looks for the row.
    enum class Way {
        // Unsaved edits are settled first and the quick filter gives way;
        // the register comes to front only when the row could be shown.
        Reveal,
        // As Reveal, but the register comes to front with `page` even when
        // the row could not be shown.
        RevealAndGo,
        // Only an enterprise the tree shows now (its filter and the rights
        // kept); `page` comes to front when the row became current, else the
        // register keeps the page it shows. `podnik` may be the id as text.
        InTree,
    };

    QVariant podnik;
    QVariant stredisko;
    // The register's detail page brought to front ("tab_podnik").
    QString page;
    Way way = Way::Reveal;
};

// One main tab of the window. The window removes the tabs the signed-in
// user may not see, applies the rights to the rest, tells the one brought
// to front to show current data, lets each settle unsaved work before the
// window closes and keep its list layout when it goes, and passes on what
// one tab asks of another - through this interface only, whatever the tab is.
class ZrnTab : public QWidget
{
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Whether the user sees this tab at all.
    virtual bool allowedFor(const UserRights &) const { return true; }
    // After login: what the user may do here.
    virtual void applyRights(const UserRights &) {}
    // The tab came to front: show current data.
    virtual void enter() {}
    // Before the window closes: unsaved work of the tab is saved or dropped
    // as the user answers; false keeps the window open.
    virtual bool settle() { return true; }
    // Reads what it keeps in the settings (once, before the login).
    virtual void loadState() {}
    // Keeps the layout of its lists (column widths, sort) in the settings.
    virtual void saveState() const {}

    // Edits the window asks about ("Přejete si uložit změny?") when the tab
    // is left or the window closes: whether there are any, saving them all
    // (false when one failed; it stays on screen), dropping them.
    virtual bool hasUnsavedEdits() const { return false; }
    virtual bool saveUnsavedEdits() { return true; }
    virtual void dropUnsavedEdits() {}

    // The inner tab widget whose current page the window keeps in the
    // settings; none by default.
    virtual QTabWidget *innerTabs() const { return nullptr; }

    // Another tab asked for a row of the register: the tab that keeps the
    // register shows it and returns true when it is to come to front, with
    // *page the object name of its inner page to show (empty: as it is).
    virtual bool openRow(const RowRequest &, QString *page)
    {
        Q_UNUSED(page)
        return false;
    }
    // "Mapa": the tab that shows maps shows the one of the enterprises the
    // register shows; true when it did (the window brings it to front).
    virtual bool showEnterpriseMap(QWidget *window)
    {
        Q_UNUSED(window)
        return false;
    }

signals:
    // Asks for a row of the register (see RowRequest).
    void rowRequested(const RowRequest &request);
    // "Export" and "Mapa" of the enterprises the register shows.
    void exportRequested();
    void mapRequested();
    // "Odhlásit a ukončit": forget the credentials and close the window.
    void logoutRequested();
};
