#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QVector>

#include <functional>

class QStandardItemModel;
class QTableView;
class QUrl;
class QWidget;

// The attachments of one event: a list with a row per file, each row with
// open / save / remove buttons at its right end, and "Přidat přílohu" above
// it. Used in both event panes and in the event dialog.
//
// Changes are pending until the owner saves the event: added files are held
// in memory, removed stored files are remembered by id. save() writes them
// but leaves the list as it is; the owner runs it inside the transaction of
// its own statement and, after the commit, loads the event again (or drops
// the list with its dialog). A failed save therefore keeps every pending
// change for another try.
//
// Stored files are never read with the list: only id and name are fetched;
// the bytes are read when the user opens or saves one file.
class QSAttachment : public QObject
{
    Q_OBJECT
public:
    // Item roles of a row (column 0; display = file name).
    enum Role {
        IdRole = Qt::UserRole,          // attachment id; null for a pending file
        DataRole = Qt::UserRole + 1,    // the bytes of a pending file
        RenamedRole = Qt::UserRole + 2, // name-changed flag, 0 after a load
    };
    // 20 MB; a file of exactly this size is accepted.
    static constexpr qint64 MaxFileSize = 20 * 1024 * 1024;

    explicit QSAttachment(QObject *parent = nullptr);
    ~QSAttachment() override;

    // Builds the button and the list into the container.
    void setup(QWidget *container);

    // Shows the stored attachments of the event (id and name only) and
    // forgets every pending change, also the removed ids of the previous
    // event. False with *error when the read failed (the list is then empty).
    bool load(const QVariant &eventId, QString *error = nullptr);
    // No event: an empty list with nothing pending.
    void clear();
    QVariant eventId() const { return m_eventId; }

    // Writes the pending changes: new files under `eventId` (null: the
    // event given to load), renamed names, and deletes of the removed ids.
    // The list is left unchanged. False with *error at the first statement
    // that fails.
    bool save(const QVariant &eventId, QString *error);
    bool hasPendingChanges() const;

    // Adds a file as a pending row. Refuses (with a message box) a file over
    // the size limit or over what the database server accepts in one
    // statement; an unreadable file is not added.
    bool addFile(const QString &path);

    // A stored name reduced to a plain file name (its last path component,
    // either separator), so it can only name a file inside a folder.
    static QString safeFileName(const QString &storedName);

    // Stand-ins for the file dialogs and the desktop's opener, for tests;
    // unset, the real ones run. The chooser gets whether a file is saved,
    // the dialog title and the preselected name, and returns the chosen path
    // (empty: cancelled). The opener gets the file to open.
    using FileChooser = std::function<QString(bool save, const QString &title, const QString &preselected)>;
    using FileOpener = std::function<bool(const QUrl &file)>;
    static FileChooser fileChooser;
    static FileOpener fileOpener;

public slots:
    // Chooses a file with a file dialog and adds it.
    void addAttachment();
    // Writes the row's file into the temporary folder and opens it with the
    // desktop's default application. A file the desktop would run (a
    // program or script by its type, or one marked executable) is opened
    // only after a question that names it.
    void openAttachment(const QString &row);
    // Writes the row's file to a place chosen with a file dialog.
    void saveAttachment(const QString &row);
    // After a question, removes the row (the stored file goes at save).
    void removeAttachment(const QString &row);

signals:
    // A file was added or removed.
    void onChanged();
    // An attachment was written to a file the user chose.
    void fileWritten(const QString &path);

private:
    QWidget *dialogParent() const;
    QString chooseFile(bool save, const QString &title, const QString &preselected) const;
    // The bytes of a row: a pending row's own, a stored row's read now.
    // False when there is nothing to write (no such row, or a failed read,
    // which is reported).
    bool rowBytes(int row, QByteArray *bytes);
    bool writeFile(const QString &path, const QByteArray &bytes, bool replace);
    // Whether the server takes a statement carrying `size` bytes; when not,
    // the server's limit in bytes goes to *limit.
    static bool serverAccepts(qint64 size, qint64 *limit);
    void reopenEditors();

    QVariant m_eventId;
    QVector<int> m_removedIds;
    QStandardItemModel *m_model;
    QTableView *m_view = nullptr;
};
