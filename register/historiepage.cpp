#include "register/historiepage.h"

#include "core/historyview.h"
#include "core/session.h"

#include <QVBoxLayout>

HistoriePage::HistoriePage(Session *session, QWidget *parent) : ZrnPage(session, parent), m_view(new HistoryView(this))
{
    setObjectName(QStringLiteral("tab_historie"));
    setWindowTitle(tr("Historie"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
}

void HistoriePage::load(const TreeRow &row)
{
    m_row = row;
    // A hidden page reads when it is shown.
    if (isVisible())
        read();
    else
        m_view->clear();
}

void HistoriePage::clear()
{
    m_row = TreeRow();
    m_view->clear();
}

void HistoriePage::showEvent(QShowEvent *event)
{
    ZrnPage::showEvent(event);
    read();
}

void HistoriePage::read()
{
    if (m_row.isNone())
        m_view->clear();
    else
        m_view->showRow(m_row.isCentre() ? QStringLiteral("tellmark_strediska") : QStringLiteral("tellmark_podniky"),
                        m_row.id, session()->user);
}
