#pragma once

#include "core/centrepage.h"
#include "core/rowsave.h"

#include <QVariant>

class QComboBox;
class QLineEdit;
class QFDateEdit;
struct CentreRecord;

namespace Ui {
class SpecifikacePage;
}

// "Specifikace" (tab_specifikace): the technology of the current centre, one
// code list (or date) and one note per area, and the notes editor. Saved whole
// by its own "Uložit" (specifikace_uloz).
class SpecifikacePage : public CentrePage
{
    Q_OBJECT
public:
    explicit SpecifikacePage(Session *session, QWidget *parent = nullptr);
    ~SpecifikacePage() override;

    void loadFrom(const CentreRecord &record) override;
    void clear() override;
    bool save() override;

    // Nothing on this page is locked by a right; kept for symmetry.
    void applyRights() override;

    // The widget that edits a column of tellmark_strediska (code list, date
    // edit or note), by the column's name; nullptr when the page has none.
    QComboBox *comboFor(const QString &column) const;
    QLineEdit *noteFor(const QString &column) const;
    QFDateEdit *dateFor(const QString &column) const;

public slots:
    void onStrediskoSpecifikaceChanged();
    void onStrediskoSpecifikaceSave();

private:
    // What the form would write, column by column.
    FieldValues formValues() const;

    struct Fields;
    Ui::SpecifikacePage *ui;
    Fields *f;
    RowSnapshot m_snapshot;
};
