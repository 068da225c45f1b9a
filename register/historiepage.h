#pragma once

#include "core/page.h"

class HistoryView;

// "Historie" (tab_historie): the change history of the current centre, or of
// the current enterprise when no centre is selected. Read whenever the page
// is shown, so it lists the saves made on the other pages meanwhile.
class HistoriePage : public ZrnPage
{
    Q_OBJECT
public:
    explicit HistoriePage(Session *session, QWidget *parent = nullptr);

    void load() override;
    void clear() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void read();

    HistoryView *m_view;
};
