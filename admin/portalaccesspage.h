#pragma once

#include "core/centrepage.h"
#include "core/rowsave.h"

#include <QVariant>

struct CentreRecord;

namespace Ui {
class PortalAccessPage;
}

// "Přístupy" (tab_pristupy): login names and passwords of the current centre
// for the two public portals ("EAgri", "ESkot").
class PortalAccessPage : public CentrePage
{
    Q_OBJECT
public:
    explicit PortalAccessPage(Session *session, QWidget *parent = nullptr);
    ~PortalAccessPage() override;

    void loadFrom(const CentreRecord &record) override;
    void clear() override;
    bool save() override;

    void applyRights() override;

public slots:
    void onPristupyChanged();
    void onPristupySave();

private:
    Ui::PortalAccessPage *ui;
    RowSnapshot m_snapshot{QStringLiteral("tellmark_strediska")};
    FieldValues formValues() const;
};
