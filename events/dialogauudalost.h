#pragma once

#include "core/visibility.h"
#include "events/eventrecord.h"

#include <QDialog>
#include <QFont>
#include <QStringList>

class QSAttachment;
class QSTBTextedit;

namespace Ui {
class DialogAUUdalost;
}

// The modal dialog that adds an event, or a reply to one. It shows and reads
// back an EventRecord; the caller stores it and the attachments. A reply
// (setReplyForm) keeps only its own fields: start, subject, state,
// responsible persons, notifications, its text above the quotation and
// attachments.
class DialogAUUdalost : public QDialog
{
    Q_OBJECT
public:
    // `font`: the base font of the description; `addresses`: the user's kept
    // addresses for the person chooser.
    DialogAUUdalost(QWidget *parent, const QFont &font, const QStringList &addresses);
    ~DialogAUUdalost() override;

    // Shows the values; enterprise and centre names are read by their ids.
    void setValues(const EventRecord &values);
    // The values shown; what the dialog has no field for (id, parent,
    // priority, hash) comes from the last setValues.
    EventRecord values() const;
    void setReplyForm(bool reply);
    bool isReplyForm() const { return m_reply; }

    QSAttachment *attachments() const { return m_attachments; }
    // What the enterprise and centre pickers offer; nothing until set.
    void setVisibility(const Visibility &visibility) { m_visibility = visibility; }

public slots:
    // "Nedokončené od" matters only while the event is reported or in progress.
    void onUdalostShowWidgetNotifyFrom(int state);
    // The calendar entry's start and end for synchronisation "Kalendář".
    void onUdalostShowWidgetCalendar(int synchronisation);
    void selectOO();
    void selectPodnik();
    void selectStredisko();
    // Accepts unless the subject is empty.
    void onAccept();
    // Esc, "Zrušit" and the window's close: with something entered, asks
    // before it is thrown away.
    void reject() override;

private:
    Ui::DialogAUUdalost *ui;
    QStringList m_addresses;
    QSTBTextedit *m_descriptionBar;
    QSAttachment *m_attachments;
    EventRecord m_values;
    bool m_reply = false;
    Visibility m_visibility;
    bool m_filling = false;
    bool m_edited = false;
};
