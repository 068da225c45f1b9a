#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers the message boxes a test provokes: each is recorded as "title text"
// and closed with the given button (else the default one). Another dialog
// still open after the limit is closed and recorded as "TIMEOUT <class>".
class MessageBoxAnswerer : public QObject
{
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::NoButton, int limitMs = 10000)
        : m_answer(answer), m_limitMs(limitMs)
    {
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
    }

    QStringList messages;

    void setAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            m_open.invalidate();
            return;
        }
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            messages << box->windowTitle() + QLatin1Char(' ') + box->text();
            if (QAbstractButton *b = box->button(m_answer))
                b->click();
            else
                box->accept();
            return;
        }
        // Another dialog: give the test's own handler the time limit.
        if (!m_open.isValid())
            m_open.start();
        else if (m_open.elapsed() > m_limitMs) {
            messages << QStringLiteral("TIMEOUT ") + modal->metaObject()->className();
            modal->close();
            m_open.invalidate();
        }
    }

    QTimer m_timer;
    QMessageBox::StandardButton m_answer;
    int m_limitMs;
    QElapsedTimer m_open;
};

// Handles the first modal dialog with `handle` (which answers it and returns
// whether it was the one expected); a dialog still open after the limit is
// closed, so a test waiting in exec() fails instead of hanging.
class ModalHandler : public QObject
{
public:
    explicit ModalHandler(std::function<bool(QWidget *modal)> handle, int limitMs = 10000)
        : m_handle(std::move(handle)), m_limitMs(limitMs)
    {
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
        m_clock.start();
    }

    bool handled() const { return m_handled; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (!m_handled && m_handle(modal)) {
            m_handled = true;
            return;
        }
        if (m_clock.elapsed() > m_limitMs)
            modal->close();
    }

    std::function<bool(QWidget *)> m_handle;
    int m_limitMs;
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_handled = false;
};

// The child of a widget by object name and type; null with a warning if none.
template<typename W>
W *childNamed(const QObject *parent, const char *name)
{
    W *w = parent->findChild<W *>(QLatin1String(name));
    if (!w)
        qWarning("no child %s", name);
    return w;
}
