#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// Answers the modal message boxes a test provokes: each box that shows is
// recorded as "title text" and closed with the given button (the default
// button when none is given). A box still open after the time limit is
// closed and recorded as "TIMEOUT", so a test fails at once instead of
// hanging until the CTest timeout.
class MessageBoxAnswerer : public QObject
{
public:
    explicit MessageBoxAnswerer(QMessageBox::StandardButton answer = QMessageBox::NoButton, int limitMs = 10000)
        : m_answer(answer), m_limitMs(limitMs)
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
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
            QAbstractButton *b = m_answer != QMessageBox::NoButton ? box->button(m_answer) : nullptr;
            if (b)
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

// The child of a widget by object name and type; null when there is none.
template<typename W>
W *childNamed(const QObject *parent, const char *name)
{
    return parent->findChild<W *>(QLatin1String(name));
}
