#pragma once

#include <QWidget>

class Session;
class QSMySortFilterProxyModel;
class QStandardItemModel;
class QTableView;

namespace Ui {
class UzivateleTab;
}

// The "Uživatelé" tab: the program's users (www_users) with "Přidat",
// "Opravit", "Smazat", and the column of service jobs. The list and the jobs
// are filled in by the administration modules.
class UzivateleTab : public QWidget
{
    Q_OBJECT
public:
    explicit UzivateleTab(Session *session, QWidget *parent = nullptr);
    ~UzivateleTab() override;

    QTableView *view() const;
    QStandardItemModel *model() const { return m_model; }
    QSMySortFilterProxyModel *proxy() const { return m_proxy; }

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
    Ui::UzivateleTab *ui;
    Session *m_session;
    QStandardItemModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
};
