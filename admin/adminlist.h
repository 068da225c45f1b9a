#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class QSMySortFilterProxyModel;
class QStandardItemModel;
class QTableView;
class QWidget;

// A list of the administration tabs: the rows of one query as texts, the id
// in hidden column 0, shown through the numeric sort proxy, with the column
// widths and sort kept in the settings under a prefix.
class AdminList
{
public:
    // Display text of a result value; the default is the value as text.
    using Formatter = std::function<QString(int column, const QVariant &value)>;

    AdminList(QTableView *view, QStandardItemModel *model, QSMySortFilterProxyModel *proxy,
              const QString &settingsPrefix);

    // Saves the widths and sort, runs sql and refills the list, restores
    // widths and sort, then selects the row of id lid (lid < 0: the row
    // selected before; not found: the first row). A failed read empties the
    // list and returns false with the database error.
    bool refresh(const QString &sql, const QStringList &headers, int lid, QString *error,
                 const Formatter &format = Formatter());

    // Id of the selected row; invalid when no row is selected.
    QVariant selectedId() const;

    // Widths and sort into the settings; nothing until the list has been
    // filled once (an empty header would overwrite what the user set).
    void saveState() const;
    bool filled() const { return m_filled; }

private:
    void selectId(const QString &id);

    QTableView *m_view;
    QStandardItemModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
    QString m_prefix;
    bool m_filled = false;
};

