#pragma once

#include <QList>
#include <QPointer>
#include <QVector>
#include <QWidget>

#include "core/treerow.h"

#include <functional>

class QAbstractButton;
class QSplitter;
class RowSnapshot;
class Session;
struct FieldValue;

// One page of the window (a tab or an inner tab): owns its form, loads
// itself whole from the database for the row it is told and saves itself
// whole with its own "Uložit" button.
//
// The base keeps what every page shares: while the page is being filled the
// change tracking is paused; any edit afterwards marks it dirty and enables
// "Uložit"; a page that holds no row (nothing selected, or its read failed)
// has nothing to save: its editors are locked and "Uložit" stays disabled.
class ZrnPage : public QWidget
{
    Q_OBJECT
public:
    explicit ZrnPage(Session *session, QWidget *parent = nullptr);

    // Fills the page for the row of the enterprise tree it is told (the
    // register tells every page it shows); a page for the other kind of
    // row, or for no row, is left empty. The page keeps the row for reload().
    virtual void load(const TreeRow &) {}
    // Reads the row it was last told again (after a save that left a
    // colleague's value in place).
    virtual void reload() {}
    // Empties the page (nothing selected).
    virtual void clear() {}
    // Saves the page; on failure tells the user and returns false, leaving
    // the edits on screen and the page dirty. A page without a row has
    // nothing to save and returns true.
    virtual bool save() { return true; }
    // Applies the rights of the signed-in user (once, after login).
    virtual void applyRights() {}

    bool isDirty() const { return m_dirty; }
    // The signed-in user's session (a page made before the login gets it later).
    void setSession(Session *session) { m_session = session; }
    // Whether the page shows a row read from the database (and may save it).
    bool hasRow() const { return m_hasRow; }

    // Tells the user that reading the page failed, with the database's
    // reason, and leaves the page empty and locked. Also used by the tab
    // that reads one row for several pages.
    void showReadFailure(const QString &databaseError);
    // Empties and locks the page without a message (the tab has told the
    // user already).
    void showNothing();

signals:
    void dirtyChanged(bool dirty);

protected:
    // The page's "Uložit" and the parts of the form the user edits; both are
    // switched by the base.
    void setSaveButton(QAbstractButton *button);
    void setEditorAreas(const QList<QWidget *> &areas);

    // Brackets the filling of the form: edits in between are not changes.
    void beginFill() { ++m_filling; }
    void endFill() { --m_filling; }
    bool isFilling() const { return m_filling > 0; }

    // After a fill: the page holds a row (true) or nothing (false); either
    // way it is clean.
    void setHasRow(bool hasRow);
    // The change slots call this: marks the page dirty unless it is being
    // filled or holds nothing.
    void markChanged();
    // After a successful save.
    void setClean();

    Session *session() const { return m_session; }

    // The code lists of a form ask for no more width than a few letters
    // (they grow with the form's columns), so that the form fits beside
    // its notes on a 1366 pixels wide screen without a horizontal scroll bar.
    static void narrowCodeLists(QWidget *form);
    // The default split of a form and its notes: the notes get a third.
    static void splitFormAndNotes(QSplitter *splitter);

    // Tells the user that saving failed, with the database's reason; the
    // caller leaves the edits and the save button as they are.
    void reportSaveFailure(const QString &databaseError);

    // Saves the columns the user changed in the row of the snapshot (see
    // RowSnapshot): a colleague's change of the same field is put to the
    // user, a row deleted meanwhile is reported. Clean afterwards, and
    // reloaded when the user left a field to the colleague's value; false
    // keeps the edits on screen.
    bool saveRow(RowSnapshot *snapshot, const std::function<QVector<FieldValue>()> &form);
    // The common end of every save: the page is clean, the status bar says
    // so, and the page is read again when the user left a colleague's value
    // in place (true then).
    bool finishSave(const RowSnapshot &snapshot);

private:
    void setDirty(bool dirty);
    void updateControls();

    Session *m_session;
    QPointer<QAbstractButton> m_saveButton;
    QList<QPointer<QWidget>> m_editorAreas;
    int m_filling = 0;
    bool m_dirty = false;
    bool m_hasRow = false;
};
