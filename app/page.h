#pragma once

#include <QWidget>

class Session;

// One page of the window (a tab or an inner tab): owns its form, loads
// itself whole from the database for the current selection and saves itself
// whole with its own "Uložit" button.
class ZrnPage : public QWidget
{
    Q_OBJECT
public:
    explicit ZrnPage(Session *session, QWidget *parent = nullptr)
        : QWidget(parent), m_session(session) {}

    // Fills the page for the current selection of the session.
    virtual void load() {}
    // Empties the page (nothing selected).
    virtual void clear() {}
    // Saves the page; on failure tells the user and returns false, leaving
    // the edits on screen and the page dirty.
    virtual bool save() { return true; }

    bool isDirty() const { return m_dirty; }

signals:
    void dirtyChanged(bool dirty);

protected:
    void setDirty(bool dirty)
    {
        if (m_dirty == dirty)
            return;
        m_dirty = dirty;
        emit dirtyChanged(dirty);
    }

    Session *session() const { return m_session; }

    // Tells the user that saving failed, with the database's reason; the
    // caller leaves the edits and the save button as they are.
    void reportSaveFailure(const QString &databaseError);

private:
    Session *m_session;
    bool m_dirty = false;
};
