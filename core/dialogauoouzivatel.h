#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QCheckBox;

namespace Ui {
class DialogAUOOUzivatel;
}

// Responsible persons of one event or enterprise: a box per staff member of
// the chooser, a box per address the user keeps at hand, and a line for any
// other addresses. Turns a stored value ("JN,podpora@...") into ticks and
// back.
class DialogAUOOUzivatel : public QDialog
{
    Q_OBJECT
public:
    // `addresses`: the user's kept addresses; the first eight get a box.
    DialogAUOOUzivatel(QWidget *parent, const QStringList &addresses);
    ~DialogAUOOUzivatel() override;

    // Ticks the boxes of a stored value; what no box stands for goes to the
    // line of other addresses, lower-cased.
    void setValue(const QString &value);
    // Person codes, ticked addresses, then the other addresses without
    // spaces, joined by ",".
    QString value() const;

    // The modal chooser as the person fields use it: starts from *value and
    // stores the choice there; false when cancelled.
    static bool choose(QWidget *parent, const QString &title, const QStringList &addresses, QString *value);

public slots:
    void selectAll();
    void selectNone();

private:
    void setAll(bool on);

    Ui::DialogAUOOUzivatel *ui;
    QList<QCheckBox *> m_persons;      // in box order, parallel to m_codes
    QStringList m_codes;
    QList<QCheckBox *> m_addresses;
};
