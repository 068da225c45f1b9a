#pragma once

#include "core/zrntab.h"

#include <QWidget>

#include <memory>

class AdminList;
class Session;
class QSMySortFilterProxyModel;
class QStandardItemModel;

namespace Ui {
class ControlPanelTab;
}

// The "Control Panel" tab: users of the control panel (qml.acl) with
// "Přidat", "Opravit", "Smazat". Needs the cp right; without it nothing is
// read and every slot returns.
class ControlPanelTab : public ZrnTab
{
    Q_OBJECT
public:
    bool allowedFor(const UserRights &user) const override;
    void enter() override { onRefreshModelCP(-1); }
    void saveState() const override { saveViewState(); }
    explicit ControlPanelTab(Session *session, QWidget *parent = nullptr);
    ~ControlPanelTab() override;

    // Column widths and sort into the settings, once the list has been
    // filled (the destructor does the same).
    void saveViewState() const;

public slots:
    // Reloads the list selecting the user lid (-1 keeps the current one).
    void onRefreshModelCP(int lid = -1);
    void onAddCP();
    void onEditCP();
    void onDelCP();

private:
    bool allowed() const;

    Ui::ControlPanelTab *ui;
    Session *m_session;
    QStandardItemModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
    std::unique_ptr<AdminList> m_list;
};
