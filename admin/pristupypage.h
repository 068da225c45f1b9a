#pragma once

#include "core/centrepage.h"
#include "core/rowsave.h"

#include <QVariant>

class QAbstractButton;
class QLineEdit;
struct CentreRecord;

namespace Ui {
class PristupyPage;
}

// "Přístupy" (tab_pristupy): login names and passwords of the current centre
// for the two public portals ("EAgri", "ESkot").
class PristupyPage : public CentrePage
{
    Q_OBJECT
public:
    explicit PristupyPage(Session *session, QWidget *parent = nullptr);
    ~PristupyPage() override;

    void loadFrom(const CentreRecord &record) override;
    void clear() override;
    bool save() override;

    void applyRights() override;

    QLineEdit *eagriJmeno() const;
    QLineEdit *eagriHeslo() const;
    QLineEdit *eskotJmeno() const;
    QLineEdit *eskotHeslo() const;
    QAbstractButton *saveButton() const;

public slots:
    void onPristupyChanged();
    void onPristupySave();

private:
    Ui::PristupyPage *ui;
    QVariant m_centreId;       // the centre the page shows (and saves)
    RowSnapshot m_snapshot{QStringLiteral("tellmark_strediska")};
    FieldValues formValues() const;
};
