#pragma once

#include <QDate>
#include <QWidget>

class QCalendarWidget;
class QFrame;
class QLineEdit;
class QToolButton;

// A date edit that may be empty: date() is a null QDate when nothing is
// entered, and an empty field is written to the database as NULL.
//
// The date is typed in Qf::defaultDateFormat() ("dd.MM.yyyy"; "d.M.yyyy",
// "d.M.yy" and "yyyy-MM-dd" are read too) or picked from a calendar that the
// button (or F4 / Alt+Down) opens. A text that is not a date is shown in red
// and changes nothing; when the field is left it goes back to the last date.
// A complete text with a four-digit year counts while typing (so a form's
// "Uložit" lights up at once); a two-digit year counts when the field is left
// or Enter is pressed, so "1.2.20" on the way to "1.2.2024" is not taken.
//
// Use in Qt Designer forms by promoting a QWidget, or with this block in the
// .ui file:
//   <customwidgets>
//    <customwidget>
//     <class>QFDateEdit</class>
//     <extends>QWidget</extends>
//     <header>widgets/qfdateedit.h</header>
//    </customwidget>
//   </customwidgets>
class QFDateEdit : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QDate date READ date WRITE setDate NOTIFY dateChanged USER true)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)

public:
    explicit QFDateEdit(QWidget *parent = nullptr);

    // The entered date; a null QDate when the field is empty.
    QDate date() const { return m_date; }

    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // False while the typed text is neither empty nor a date (shown in red).
    bool hasAcceptableInput() const;

    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *button() const { return m_button; }
    // The calendar of the pop-up (created on first use).
    QCalendarWidget *calendarWidget();

public slots:
    // A null or invalid date empties the field.
    void setDate(const QDate &date);
    void clear() { setDate(QDate()); }
    void showCalendar();

signals:
    // Every change of the value, typed, picked or set; not emitted when the
    // value stays the same.
    void dateChanged(const QDate &date);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onTextEdited(const QString &text);
    void onEditingFinished();
    void onCalendarPicked(const QDate &date);
    void commit(const QDate &date);
    void showText();
    void markInvalid(bool invalid);

    QLineEdit *m_edit;
    QToolButton *m_button;
    QFrame *m_popup = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QDate m_date;
    bool m_readOnly = false;
    bool m_invalid = false;
};
