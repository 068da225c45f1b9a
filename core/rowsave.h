#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// Saving one row while colleagues edit the same rows.
//
// A page takes a snapshot when it loads a row: for every column it edits,
// the value stored then and the value the form would write right after
// filling. On saving, only the columns whose form value differs from the
// one at load are written; in the same transaction the stored values of
// exactly those columns are read again (locked) and compared with the ones
// the page loaded. A column a colleague changed meanwhile is a clash, which
// the user settles field by field before anything is written. Every written
// column leaves a history row (who, when, from what, to what) in the same
// transaction.

// How the pages name their columns: the history and the clash dialog show
// the page's label, never the column.
struct ColumnLabel {
    enum Flag {
        Secret = 1,        // a password: the history keeps no value of it
        Invoicing = 2,     // hidden from users who do not see invoicing
        RemoteAccess = 4,  // hidden from users without the remote-access page
        PortalAccess = 8,  // hidden from users without the portal-access page
    };
    QString column;
    QString label;
    int flags = 0;
};

namespace ChangeHistory {

// The history table (not one of the register's own tables; created by
// `zrnctl init` and on the first start, see Schema::ensureExtras).
inline const char Table[] = "zrn_historie";
// Pseudo columns of the maintenance rows: the row was added or deleted
// (the value is its name), a centre of the enterprise was added or deleted.
inline const char RowAdded[] = "*zalozeni";
inline const char RowDeleted[] = "*smazani";
inline const char CentreAdded[] = "*stredisko_pridano";
inline const char CentreDeleted[] = "*stredisko_smazano";

// The pages describe their columns once (from their column <-> widget
// tables); later descriptions of a column replace earlier ones.
void describe(const QString &table, const QVector<ColumnLabel> &columns);
// The description of a column; its own name as label when nobody described it.
ColumnLabel column(const QString &table, const QString &column);

// An expression for a select list: 1 when the history table exists.
QString presenceExpression();
// Whether the history table exists on the open connection.
bool exists(QString *error);

struct Entry {
    QString table;
    QVariant rowId;
    QString column;
    QVariant oldValue;
    QVariant newValue;
};
// Writes the entries in one statement (within the caller's transaction).
// Values of secret columns are never written.
bool write(const QString &login, const QVector<Entry> &entries, QString *error);
// The same when the database has the history table; nothing otherwise.
bool writeIfPresent(const QString &login, const QVector<Entry> &entries, QString *error);

struct Row {
    QDateTime when;
    QString login;
    QString column;
    QVariant oldValue;
    QVariant newValue;
};
// The history of one row, newest first. *present false (and true returned)
// when the database has no history table.
bool read(const QString &table, const QVariant &rowId, QVector<Row> *rows, bool *present, QString *error);

// A stored value as the history and the clash dialog show it.
QString displayText(const QVariant &value);

} // namespace ChangeHistory

struct FieldValue {
    QString column;
    QVariant value;
};
using FieldValues = QVector<FieldValue>;

// A column both the user and a colleague changed since the page loaded.
struct Clash {
    QString column;
    QString label;
    QVariant theirs;       // stored now
    QVariant mine;         // what the form would write
    bool keepMine = true;  // the user's choice
};

class RowSnapshot
{
public:
    explicit RowSnapshot(const QString &table);

    QString table() const { return m_table; }
    QVariant rowId() const { return m_id; }
    bool isSet() const { return m_id.isValid(); }
    void reset();

    // A column whose stored value other than 0 means the row is gone (an
    // event's `smazano`); none by default.
    void setDeletedFlag(const QString &column) { m_deletedFlag = column; }

    // At load: the row, the stored value of each column the form edits (by
    // column name) and what the form would write right after filling.
    // `shownAsStored` names columns (a code list) whose form shows a stored
    // value it cannot hold (an unknown entry, other letter case) as what it
    // writes: such a column is written with the user's next save.
    template<typename StoredOf>
    void take(const QVariant &rowId, StoredOf stored, const FieldValues &form, const QStringList &shownAsStored = {})
    {
        reset();
        m_id = rowId;
        for (const FieldValue &f : form) {
            const QVariant value = stored(f.column);
            const bool asStored = shownAsStored.contains(f.column, Qt::CaseInsensitive);
            m_columns.insert(f.column.toUpper(), {value, asStored ? value : f.value});
        }
    }

    // At load, for a dialog filled from the row as read: what it shows is
    // what is stored.
    void take(const QVariant &rowId, const FieldValues &shown)
    {
        take(
            rowId,
            [&shown](const QString &column) {
                for (const FieldValue &f : shown)
                    if (f.column == column)
                        return f.value;
                return QVariant();
            },
            shown);
    }

    // The form's values that differ from those at load.
    FieldValues changes(const FieldValues &form) const;

    enum class Result { Saved, Unchanged, Clashed, Deleted, Failed };
    // The whole save in its own transaction. `always` are written with any
    // change but neither compared nor recorded (a modification time).
    Result save(const FieldValues &form, const QString &login, QVector<Clash> *clashes, QString *error,
                const FieldValues &always = {});
    // The same inside the caller's transaction (which commits or rolls back).
    Result write(const FieldValues &form, const QString &login, QVector<Clash> *clashes, QString *error,
                 const FieldValues &always = {});
    // After the caller's commit: the written values are the stored ones.
    void committed();
    // The user settled the clashes: a kept value overrules the colleague's,
    // another leaves the colleague's value stored (the page shows it once
    // it reloads, see tookTheirs).
    void settle(const QVector<Clash> &clashes);
    bool tookTheirs() const { return m_tookTheirs; }
    // The form no longer shows what is stored: the user took a colleague's
    // value, or a colleague changed a column of the form that the user left
    // alone (kept, but not yet on screen). The page reloads.
    bool showsStale() const { return m_tookTheirs || m_othersChanged; }

    // Whether two values mean the same stored value (NULL and "" alike,
    // numbers by value, dates by day and time, bytes as UTF-8 text).
    static bool same(const QVariant &a, const QVariant &b);

private:
    struct Column {
        QVariant base;       // stored when loaded (or last written, or seen in a clash)
        QVariant initial;    // the form's value when loaded (or last written)
    };
    QString m_table;
    QString m_deletedFlag;
    QVariant m_id;
    QHash<QString, Column> m_columns;   // by upper-case column name
    FieldValues m_pending;              // written, not yet committed
    bool m_tookTheirs = false;
    bool m_othersChanged = false;
};
