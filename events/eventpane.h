#pragma once

#include "core/page.h"
#include "core/rowsave.h"
#include "core/visibility.h"
#include "events/eventrecord.h"

class QSAttachment;
class Session;
class QLineEdit;
class QPushButton;
class QSTBTextedit;
class QSplitter;

namespace Ui {
class EventPane;
}

// The event pane beside both event lists (the global "Události" tab and the
// enterprise's "Události" page): one form, with the attachments below it in
// a splitter. The global pane also moves an event to another enterprise or
// centre through its two pickers; the enterprise's pane has none.
//
// Until an event is shown the pane shows "Vyberte prosím událost". Any edit
// of a field is announced with changed() and enables "Uložit".
class EventPane : public ZrnPage
{
    Q_OBJECT
public:
    enum Kind { Global, Enterprise };

    explicit EventPane(Kind kind, QWidget *parent = nullptr);
    ~EventPane() override;

    Kind kind() const { return m_kind; }

    // The event shown (0: none).
    int eventId() const { return m_eventId; }
    // The shown event again, as stored (after a save that kept a
    // colleague's value).
    void reload() override { loadEvent(m_eventId); }
    void clear() override { reset(); }
    bool save() override { return saveEvent(); }

    // Reads the event and shows it with its attachments; the pane starts
    // clean. A failed read is reported and leaves the pane empty; an event
    // that is gone leaves it empty without a message. False in both cases.
    bool loadEvent(int id);
    // Writes the edits of the shown event and its attachment changes in one
    // transaction, then tells the service client. A failure is reported and
    // keeps the pane as it is, dirty, for another try.
    bool saveEvent();
    // Before the shown event is left: with unsaved edits asks "Přejete si
    // uložit rozpracovanou událost?"; Yes saves (false when that failed),
    // No drops the edits and shows the stored event again.
    bool settle();

    // The fields as an event (id and parent of the shown event).
    EventRecord record() const;
    void showRecord(const EventRecord &record);

    // The person chooser for the responsible persons; the pickers of the
    // global pane for the enterprise and the centre.
    void choosePersons();
    void chooseEnterprise();
    void chooseCentre();

    // Back to "nothing selected": placeholder shown, form hidden, every
    // field emptied, no event, no attachments. Not an edit: "Uložit" ends
    // disabled.
    void reset();
    // Shows the form (an event is loaded into it).
    void showForm();

    // "Nedokončené od" matters only while the event is reported or in progress.
    void showNotifyFrom(int state);
    // The labels for a synchronised event, the calendar editors for "Kalendář".
    void showCalendar(int synchronisation);

    // "Historie": who changed which field of the event, when.
    void showHistory();
    QLineEdit *subject() const;
    QLineEdit *place() const;

signals:
    // A field was edited by the user or by code outside a load.
    void changed();
    void saveClicked();
    void personsClicked();
    void enterprisePickerClicked();
    void centrePickerClicked();

private:
    // The user's restriction for the pickers; nothing without a session.
    Visibility visibility() const;
    void connectChanges();

    void showRootFields(bool root);

    Ui::EventPane *ui;
    Kind m_kind;
    QSTBTextedit *m_descriptionBar;
    QSAttachment *m_attachments;
    int m_eventId = 0;
    QVariant m_parentId;
    bool m_empty = false;     // reset and untouched since
    RowSnapshot m_snapshot{QStringLiteral("tellmark_udalosti")};
    QPushButton *m_historyButton = nullptr;
};
