#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A line edit with a button beside it that keeps an id string next to the
// shown text: pickers put the chosen record's id (or a list of codes) in the
// id and its name in the text; the button starts the picker.
//
// Use in Qt Designer forms by promoting a QWidget, or with this block in the
// .ui file:
//   <customwidgets>
//    <customwidget>
//     <class>QFEditWithButton</class>
//     <extends>QWidget</extends>
//     <header>widgets/qfeditwithbutton.h</header>
//    </customwidget>
//   </customwidgets>
class QFEditWithButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged USER true)
    Q_PROPERTY(QString id READ Id WRITE setId NOTIFY idChanged)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool textEditable READ isTextEditable WRITE setTextEditable)
    Q_PROPERTY(QString buttonText READ buttonText WRITE setButtonText)

public:
    explicit QFEditWithButton(QWidget *parent = nullptr);

    QString text() const;
    QString Id() const;

    // Read-only: the text cannot be typed and the button is disabled, so the
    // id cannot change either.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // A field whose text only the picker sets (a name that must match the
    // id): typing is refused while the button stays usable. Default: editable.
    void setTextEditable(bool editable);
    bool isTextEditable() const { return m_textEditable; }

    QString buttonText() const;
    void setButtonText(const QString &text);

    QLineEdit *lineEdit() const { return m_edit; }
    QToolButton *button() const { return m_button; }

public slots:
    void setText(const QString &text);
    void setId(const QString &id);
    // Empties the text and the id.
    void clear();

signals:
    void buttonClicked();
    // Every change of the text, typed or set (like QLineEdit::textChanged).
    void textChanged(const QString &text);
    // Emitted by setId when the id really changes.
    void idChanged(const QString &id);

private:
    void updateState();

    QLineEdit *m_edit;
    QToolButton *m_button;
    QString m_id;
    bool m_readOnly = false;
    bool m_textEditable = true;
};
