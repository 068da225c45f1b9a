#pragma once

#include <QDialog>
#include <QString>

class QSMySortFilterProxyModel;
class QStandardItemModel;

namespace Ui {
class DialogTableList;
}

// Enterprises kept as a comma-separated id list ("5,7,12"): shows their
// names, adds one through the enterprise picker, removes the selected one.
class DialogTableList : public QDialog
{
    Q_OBJECT
public:
    explicit DialogTableList(QWidget *parent = nullptr);
    ~DialogTableList() override;

    // Shows the rows of `baseQuery` (id, name) whose `idColumn` is in
    // `ids` and makes the row of `selectId` current (-1: the first row).
    // `idColumn` is a fixed column name of the caller.
    void setList(const QString &baseQuery, const QString &idColumn, const QString &ids, int selectId);
    // The list as whole numbers above 0, without duplicates.
    QString ids() const;
    // Column widths and sort, kept as DialogTable keeps them.
    void restoreSettings(const QString &name);
    void saveSettings(const QString &name);

    // `ids` reduced to whole numbers above 0, in order, each once: the
    // list ends up inside SQL, and it may come from a hand-edited file.
    static QString cleanIds(const QString &ids);

public slots:
    void onAdd();
    void onDelete();
    void onFilter();

private:
    void selectSourceRow(int row);

    Ui::DialogTableList *ui;
    QStandardItemModel *m_model;
    QSMySortFilterProxyModel *m_proxy;
    QString m_baseQuery;
    QString m_idColumn;
    QString m_ids;
};
