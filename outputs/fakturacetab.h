#pragma once

#include "core/zrntab.h"

#include "outputs/fakturacestore.h"

#include <QWidget>

#include <functional>

class QComboBox;
class QFDateEdit;
class QLabel;
class QLineEdit;
class QPrinter;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class Session;

// The "Fakturace" tab: the contracts of the enterprises the user may see,
// filtered by state, start of invoicing and text, with the totals of the
// yearly amounts per currency of the rows shown; CSV export and printing.
// A double click asks for the enterprise in the register.
class FakturaceTab : public ZrnTab
{
    Q_OBJECT
public:
    bool allowedFor(const UserRights &user) const override;
    void enter() override { refresh(); }
    explicit FakturaceTab(Session *session, QWidget *parent = nullptr);
    ~FakturaceTab() override;

    // Reads the contracts again (the tab became current, or "Obnovit").
    void refresh();

    // The contracts shown, in the view's order.
    QList<FakturaceStore::Contract> shownContracts() const;

    // Asks where to print (the system print dialog); false when cancelled.
    using PrinterChooser = std::function<bool(QPrinter *printer, QWidget *parent)>;
    void setPrinterChooser(PrinterChooser chooser) { m_chooser = std::move(chooser); }

public slots:
    void onExport();
    void onPrint();

signals:
    // Double click on a contract: its enterprise, then rowRequested asks the
    // register to show it.
    void enterpriseRequested(int id);

private:
    FakturaceStore::Filter filter() const;
    // Fills the table with the contracts that pass the text, keeping the sort.
    void fill();
    QString filterDescription() const;

    Session *m_session;
    QComboBox *m_state;
    QFDateEdit *m_from;
    QFDateEdit *m_to;
    QLineEdit *m_text;
    QTableView *m_view;
    QStandardItemModel *m_model;
    QSortFilterProxyModel *m_proxy;
    QLabel *m_totals;
    QList<FakturaceStore::Contract> m_all;
    PrinterChooser m_chooser;
    bool m_sized = false;
};
