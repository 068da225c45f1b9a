#include "core/workprogress.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>

namespace {
// Shorter work shows no window at all.
constexpr qint64 ShowAfterMs = 400;
// The window is painted this often; more would slow the work down.
constexpr qint64 PaintEveryMs = 50;
}

WorkProgress::WorkProgress(QWidget *parent, const QString &label, bool cancellable, bool showNow)
    : QObject(parent), m_dialog(new QProgressDialog(parent))
{
    m_dialog->setWindowTitle(tr("ZRN"));
    m_dialog->setLabelText(label);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    m_dialog->setMinimumDuration(ShowAfterMs);
    m_dialog->setRange(0, 0);
    if (cancellable) {
        m_dialog->setCancelButton(new QPushButton(tr("Zrušit"), m_dialog));
        connect(m_dialog, &QProgressDialog::canceled, this, [this] {
            m_cancelled = true;
            emit canceled();
        });
    } else {
        m_dialog->setCancelButton(nullptr);
    }
    // Constructed hidden: QProgressDialog would show itself after its own timer.
    m_dialog->reset();
    m_dialog->hide();
    m_clock.start();
    if (showNow)
        showWindow();
}

WorkProgress::~WorkProgress()
{
    m_dialog->hide();
    delete m_dialog;
}

void WorkProgress::showWindow()
{
    if (m_dialog->isVisible())
        return;
    m_dialog->show();
    m_dialog->raise();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WorkProgress::setLabel(const QString &label)
{
    m_dialog->setLabelText(label);
}

bool WorkProgress::report(qint64 done, qint64 total)
{
    if (m_cancelled)
        return false;
    const qint64 now = m_clock.elapsed();
    if (m_lastPaint >= 0 && now - m_lastPaint < PaintEveryMs)
        return true;
    m_lastPaint = now;
    if (now >= ShowAfterMs)
        showWindow();
    setProgress(done, total);
    // Input reaches the window only while the modal window is up, so
    // nothing else can be started meanwhile.
    QCoreApplication::processEvents(m_dialog->isVisible() ? QEventLoop::AllEvents
                                                          : QEventLoop::ExcludeUserInputEvents);
    return !m_cancelled;
}

void WorkProgress::setProgress(qint64 done, qint64 total)
{
    if (total > 0) {
        // The bar counts in ints; large totals are scaled down.
        const qint64 scale = total > 1000000 ? total / 1000000 + 1 : 1;
        m_dialog->setRange(0, int(total / scale));
        m_dialog->setValue(int(qMin(done, total) / scale));
    } else {
        m_dialog->setRange(0, 0);
    }
}

Progress WorkProgress::callback()
{
    return [this](qint64 done, qint64 total) { return report(done, total); };
}
