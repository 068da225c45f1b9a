#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QCheckBox;
class QVBoxLayout;

// A dialog of check boxes over a code list, with "Vyber vše" / "Zruš výběr"
// above them and OK / Cancel below: the filter choosers of the event lists.
// Each box shows an entry's text and keeps its code as whatsThis.
class CheckListDialog : public QDialog
{
    Q_OBJECT
public slots:
    void selectAll();
    void selectNone();

protected:
    explicit CheckListDialog(QWidget *parent);

    // One box per entry, in the given order.
    void addBox(const QString &code, const QString &text);
    // Room between the boxes and the buttons for a subclass's own fields.
    QVBoxLayout *extraLayout() const { return m_extra; }

    // An empty value means "everything": every box ticked. Otherwise only
    // the boxes whose code is one of the comma-separated parts.
    void tickCodes(const QString &value);
    bool allTicked() const;
    QStringList tickedCodes() const;

private:
    void setAll(bool on);

    QList<QCheckBox *> m_boxes;
    QVBoxLayout *m_list;
    QVBoxLayout *m_extra;
};
