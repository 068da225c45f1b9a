#pragma once

#include <QVariant>
#include <QWidget>

class QLabel;
class QStandardItemModel;
class QTableView;
struct UserRights;

// The change history of one row: who changed which field, when, from what
// to what, newest first. Shows only what the user may see on the page
// itself: no invoicing values without the invoicing right, and passwords
// only as "změněno".
class HistoryView : public QWidget
{
    Q_OBJECT
public:
    explicit HistoryView(QWidget *parent = nullptr);

    // Reads and shows the history of the row (table and id).
    void showRow(const QString &table, const QVariant &rowId, const UserRights &rights);
    void clear();

    // The history of a row in a dialog of its own (the event pane's
    // "Historie").
    static void showDialog(QWidget *parent, const QString &title, const QString &table, const QVariant &rowId,
                           const UserRights &rights);

private:
    QStandardItemModel *m_model;
    QTableView *m_view;
    QLabel *m_message;
};
