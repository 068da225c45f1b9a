#pragma once

#include "core/page.h"

class HistoryView;

// "Historie" (tab_historie): the change history of the centre or of the
// enterprise of the tree row it is told. Read whenever the page is shown,
// so it lists the saves made on the other pages meanwhile.
class HistoriePage : public ZrnPage
{
    Q_OBJECT
public:
    explicit HistoriePage(Session *session, QWidget *parent = nullptr);

    void load(const TreeRow &row) override;
    void reload() override { load(m_row); }
    void clear() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void read();

    HistoryView *m_view;
    TreeRow m_row;
};
