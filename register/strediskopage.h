#pragma once

#include "core/centrepage.h"
#include "core/rowsave.h"

#include <QDate>
#include <QString>
#include <QVariant>

struct CentreRecord;

namespace Ui {
class StrediskoPage;
}

// "O středisku" (tab_stredisko): identity, contact, installation data and the
// notepad of a centre. Saved whole by its own "Uložit" (stredisko_uloz).
class StrediskoPage : public CentrePage
{
    Q_OBJECT
public:
    explicit StrediskoPage(Session *session, QWidget *parent = nullptr);
    ~StrediskoPage() override;

    // Reads the centre row and fills the page; the page is clean afterwards.
    // Fills the page from a centre row already read (the centre statement).
    void loadFrom(const CentreRecord &record) override;
    void clear() override;
    // Writes the page; on failure tells the user and stays dirty.
    bool save() override;

    // stredisko_tech_cteni locks the installation fields; os hides the centre
    // maintenance buttons. Call after login.
    void applyRights() override;

public slots:
    void onStrediskoChanged();
    void onStrediskoSave();
    // "Soubory" (sdir): opens the document folder of the centre's enterprise.
    void onZRNSouboryStredisko();
    // Renaming and deleting the centre are done by the register tab.
    void onEditStredisko() { emit editStrediskoRequested(); }
    void onDelStredisko() { emit deleteStrediskoRequested(); }

signals:
    // "Upravit" (stredisko_edit) and "Smazat" (stredisko_del) were pressed.
    void editStrediskoRequested();
    void deleteStrediskoRequested();
    // After a successful save: the licence text as typed and the first start
    // date, so the tree can refresh its row in place.
    void centreSaved(int centreId, const QString &licence, const QDate &start);

private:
    // What the form would write, column by column.
    FieldValues formValues() const;

    Ui::StrediskoPage *ui;
    RowSnapshot m_snapshot;
};
