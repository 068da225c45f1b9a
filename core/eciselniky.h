#pragma once

#include <QMap>
#include <QObject>
#include <QString>
#include <QVector>

// A staff member offered by the responsible-person chooser.
struct StaffPerson {
    QString code;
    QString name;
};

// The fixed code lists of events that more than one form uses. Every user
// constructs one on the spot; the lists never change.
class ECiselniky : public QObject
{
    Q_OBJECT
public:
    ECiselniky();

    // Category code (0 or a single bit) -> text, in ascending code order.
    QMap<int, QString> categories() const { return m_categories; }
    // Responsible-person code -> text, in ascending order of the code: the
    // empty code, the listed staff members and the shared mailboxes (whose
    // address is both code and text).
    QMap<QString, QString> persons() const { return m_persons; }

    // The display form of a responsible-persons value ("JN,podpora@..."):
    // person codes become names, anything else stays; empty parts vanish.
    QString codesToNames(const QString &codes) const;

    // The responsible-person code of a signed-in user: the last member whose
    // login fragment the lower-cased login contains, or the login itself.
    static QString codeForLogin(const QString &login);

    // The person boxes of the chooser, in box order.
    static QVector<StaffPerson> chooserPersons();

private:
    QMap<int, QString> m_categories;
    QMap<QString, QString> m_persons;
    QMap<QString, QString> m_names;     // person code -> name (no mailboxes)
};
