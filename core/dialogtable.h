#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class QAbstractItemModel;
class QModelIndex;
class QSortFilterProxyModel;
class QTableView;

namespace Ui {
class DialogTable;
}

// A picker over a fixed query: column 0 is the id (hidden), the others are
// shown under `headers`.
struct PickerSpec {
    QString title;
    QString settingsName;
    QString sql;          // fixed statement text of the caller, run as it is
    QStringList headers;  // headers of columns 1.. (column 0 is the id and gets none)
    int textColumn = 1;   // the column returned as the picked text
    QVariantList binds;   // the values of the statement's "?" placeholders, in order
    // Rows whose query column `firstColumn` (it need not be shown) holds
    // `firstValue` are listed first, in the chosen order, then the others.
    int firstColumn = -1;
    QVariant firstValue;
};

// A list over a caller's model and sort/filter proxy (neither is owned): a
// picker with OK and the empty button (Reset), or a read-only list with
// Close only. The yellow line filters the sorted column.
class DialogTable : public QDialog
{
    Q_OBJECT
public:
    explicit DialogTable(QWidget *parent = nullptr);
    ~DialogTable() override;

    // Shows `proxy` (over `source`) and makes its first row current.
    void setModel(QAbstractItemModel *source, QSortFilterProxyModel *proxy);
    void hideColumn(int column);
    // Widens the shown columns to their contents and headers (a stored
    // width that is wider stays), the last one taking what the dialog has
    // left as it grows, and the dialog to show them, within the screen.
    void fitColumns();
    // Column widths and sort under `name` in the settings store (the keys
    // of core/viewstate.h).
    void restoreSettings(const QString &name);
    void saveSettings(const QString &name);
    // Makes current the first source row whose `column` shows `text`; no
    // match keeps the current row.
    void selectValue(int column, const QString &text);
    // OK and the empty button; only Close shows until this is called.
    void setButtons(bool ok, bool empty);
    void setFilterVisible(bool visible);
    // The source's display data of the current row; null with no current
    // row or after the empty button.
    QVariant value(int column) const;

    // Runs picker.sql and lets the user pick a row, starting at the row of
    // *id. On OK stores the row's id and text, after the empty button two
    // empty texts, and returns true; false when closed or when the query
    // failed (reported to the user).
    static bool pick(QWidget *parent, const PickerSpec &picker, QString *id, QString *text);

public slots:
    void tableViewDoubleClicked(const QModelIndex &index);
    void emptyClicked();
    void onFilter();

private:
    void selectProxyRow(int row);
    void syncSelection();

    Ui::DialogTable *ui;
    QAbstractItemModel *m_source = nullptr;
    QSortFilterProxyModel *m_proxy = nullptr;
    bool emptied = false;
};

// Shared by the table dialogs.
//
// Filters `proxy` on `text` taken literally, case-insensitively, in its sort
// column (column 0 while unsorted).
void filterSortedColumn(QSortFilterProxyModel *proxy, const QString &text);
// Widths and sort of a table under `name`: a stored width is applied when it
// is above 0 (and a sane screen width); the sort column falls back to 0 when
// missing or outside the model, the order is descending only for 1.
void restoreTableSettings(QTableView *view, const QString &name);
void saveTableSettings(const QTableView *view, const QString &name);
