#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QFDateEdit;
class QFEditWithButton;
class QLineEdit;
class QPushButton;
class QSTBTextedit;
class QSplitter;
class QTextEdit;
class QTimeEdit;

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
class EventPane : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Global, Enterprise };

    explicit EventPane(Kind kind, QWidget *parent = nullptr);
    ~EventPane() override;

    Kind kind() const { return m_kind; }

    // Back to "nothing selected": placeholder shown, form hidden, every
    // field emptied. Not an edit: "Uložit" ends disabled.
    void reset();
    // Shows the form (an event is loaded into it).
    void showForm();

    // "Nedokončené od" matters only while the event is reported or in progress.
    void showNotifyFrom(int state);
    // The labels for a synchronised event, the calendar editors for "Kalendář".
    void showCalendar(int synchronisation);

    QPushButton *saveButton() const;
    QFDateEdit *date() const;
    QTimeEdit *time() const;
    QLineEdit *subject() const;
    QLineEdit *place() const;
    QLineEdit *project() const;
    QComboBox *source() const;
    QComboBox *category() const;
    QComboBox *priority() const;
    QComboBox *state() const;
    QComboBox *synchronisation() const;
    QFEditWithButton *persons() const;
    // Global pane only; null in the enterprise's pane.
    QFEditWithButton *enterprisePicker() const;
    QFEditWithButton *centrePicker() const;
    QCheckBox *mail() const;
    QCheckBox *service() const;
    QCheckBox *journey() const;
    QFDateEdit *notifyFrom() const;
    QFDateEdit *startDate() const;
    QTimeEdit *startTime() const;
    QFDateEdit *endDate() const;
    QTimeEdit *endTime() const;
    QTextEdit *description() const;
    // Where the attachments of the event go.
    QWidget *attachmentsArea() const;

signals:
    // A field was edited by the user or by code outside a load.
    void changed();
    void saveClicked();
    void personsClicked();
    void enterprisePickerClicked();
    void centrePickerClicked();

private:
    void connectChanges();

    Ui::EventPane *ui;
    Kind m_kind;
    QSTBTextedit *m_descriptionBar;
};
