#pragma once

#include "admin/userstore.h"
#include "core/zrntab.h"

#include "core/progress.h"

#include <QWidget>

#include <functional>
#include <memory>

class AdminList;
class QAbstractButton;
class Session;
class QSMySortFilterProxyModel;
class QStandardItemModel;

namespace ServiceImports {
struct Report;
}

namespace Ui {
class UsersTab;
}

// The "Uživatelé" tab: the program's users (www_users) with "Přidat",
// "Opravit", "Smazat", and the column of service jobs. Everything here needs
// the admin right; without it nothing is read and every slot returns.
class UsersTab : public ZrnTab
{
    Q_OBJECT
public:
    bool allowedFor(const UserRights &user) const override;
    void enter() override { onRefreshModelAccess(-1); }
    void saveState() const override { saveViewState(); }
    // Asks for the file of a service job; an empty path cancels the job.
    using FileChooser = std::function<QString(QWidget *parent, const QString &title, const QString &filter)>;

    explicit UsersTab(Session *session, QWidget *parent = nullptr);
    ~UsersTab() override;

    // QFileDialog unless replaced.
    void setFileChooser(FileChooser chooser);
    // Column widths and sort into the settings, once the list has been
    // filled (the destructor does the same).
    void saveViewState() const;

public slots:
    // Reloads the list selecting the user lid (-1 keeps the current one).
    void onRefreshModelAccess(int lid = -1);
    void onAddUzivatel();
    void onEditUzivatel();
    void onDelUzivatel();
    void onServisImportPodniku();
    void onServisImportKU();
    void onServisImportCh6();
    void onServisAresKontrola();
    void onServisPlemkoUzivatele();

private:
    // The user selected in the list, read anew; false (told) when none is
    // selected or the read failed. A user gone meanwhile reads as not found.
    bool readSelected(const QString &noneSelected, int *id, UserStore::Read *row);
    bool allowed() const;
    // Asks for a CSV file (unless fileTitle is empty), runs the job with the
    // wait cursor and its progress ("Zrušit" stops it) and shows its report
    // titled with the button's text.
    void runServiceJob(QAbstractButton *button, const QString &fileTitle,
                       const std::function<ServiceImports::Report(const QString &path, const Progress &)> &job);

    Ui::UsersTab *ui;
    Session *m_session;
    QStandardItemModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
    std::unique_ptr<AdminList> m_list;
    FileChooser m_chooseFile;
};
