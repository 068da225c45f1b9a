#pragma once

#include "core/progress.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

class QProgressDialog;
class QWidget;

// The progress window of long work on the GUI thread. It appears when the
// work lasts (at once with showNow), keeps the window painted while the work
// reports progress, and offers "Zrušit" only when the caller says that
// stopping leaves nothing half-written. While it is shown it is modal, so
// the user cannot start other work meanwhile.
class WorkProgress : public QObject
{
    Q_OBJECT
public:
    WorkProgress(QWidget *parent, const QString &label, bool cancellable, bool showNow = false);
    ~WorkProgress() override;

    // What the work calls (see Progress).
    Progress callback();
    bool report(qint64 done, qint64 total);
    // Moves the bar only, for work that waits in an event loop of its own
    // (which keeps the window painted).
    void setProgress(qint64 done, qint64 total);
    bool cancelled() const { return m_cancelled; }
    void setLabel(const QString &label);

signals:
    // "Zrušit" was pressed (work waiting on the network stops at once).
    void canceled();

private:
    void showWindow();

    QProgressDialog *m_dialog;
    QElapsedTimer m_clock;
    qint64 m_lastPaint = -1;
    bool m_cancelled = false;
};
