#include "register/historiepage.h"

#include "core/historyview.h"
#include "core/ids.h"
#include "core/session.h"

#include <QVBoxLayout>

HistoriePage::HistoriePage(Session *session, QWidget *parent) : ZrnPage(session, parent), m_view(new HistoryView(this))
{
    setObjectName(QStringLiteral("tab_historie"));
    setWindowTitle(tr("Historie"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_view);
}

void HistoriePage::load()
{
    // A hidden page reads when it is shown.
    if (isVisible())
        read();
    else
        m_view->clear();
}

void HistoriePage::clear()
{
    m_view->clear();
}

void HistoriePage::showEvent(QShowEvent *event)
{
    ZrnPage::showEvent(event);
    read();
}

void HistoriePage::read()
{
    const Session *s = session();
    if (isValidId(s->s_id_stredisko))
        m_view->showRow(QStringLiteral("tellmark_strediska"), s->s_id_stredisko, s->user);
    else if (isValidId(s->s_id_podnik))
        m_view->showRow(QStringLiteral("tellmark_podniky"), s->s_id_podnik, s->user);
    else
        m_view->clear();
}
