#pragma once

#include "core/zrntab.h"

#include "core/usersettings.h"

#include <QWidget>
#include <functional>

class Session;

namespace Ui {
class OwnUserTab;
}

// The "Uživatel" tab: who is signed in, the document root, the clipboard and
// category options, the further addressees, the language of the texts and
// "Odhlásit a ukončit".
class OwnUserTab : public ZrnTab
{
    Q_OBJECT
public:
    explicit OwnUserTab(Session *session, QWidget *parent = nullptr);
    ~OwnUserTab() override;

    // The login signed in is shown on the tab.
    void applyRights(const UserRights &user) override;
    // The options below, from and into the settings.
    void loadState() override;
    void saveState() const override;

    void setLogin(const QString &login);
    QString login() const;

    UserOptions options() const;
    void setOptions(const UserOptions &options);

    // The six addressees kept at hand (uz1 ... uz6) for the person chooser.
    QStringList addressees() const;

    // The directory chooser of vyber_nextcloud: given the current root,
    // returns the new one (the current one when cancelled). Replaceable so
    // that tests need no modal dialog.
    using DirectoryChooser = std::function<QString(QWidget *, const QString &)>;
    void setDirectoryChooser(DirectoryChooser chooser) { m_chooser = std::move(chooser); }

public slots:
    // Picks the root of the document folders.
    void vyber_nextcloud();
    // The category combo box is usable while its check box is on.
    void setUkategorie(bool on);
    void setKategorieObchod(bool on);

private:
    Ui::OwnUserTab *ui;
    Session *m_session;
    DirectoryChooser m_chooser;
};
