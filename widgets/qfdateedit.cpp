#include "widgets/qfdateedit.h"

#include "widgets/qf.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// A small calendar sheet, drawn so that no artwork is needed.
QIcon calendarIcon()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(200, 40, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(3 + col * 3, 7 + row * 2, 1, 1);
    return QIcon(pm);
}

} // namespace

QFDateEdit::QFDateEdit(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_button(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);

    m_edit->setObjectName(QStringLiteral("qf_dateedit"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setPlaceholderText(QString());
    m_edit->setMinimumWidth(m_edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 30);
    m_edit->installEventFilter(this);

    m_button->setObjectName(QStringLiteral("qf_datebutton"));
    m_button->setIcon(calendarIcon());
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setToolTip(tr("Kalendář"));

    setFocusProxy(m_edit);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(m_edit, &QLineEdit::textEdited, this, &QFDateEdit::onTextEdited);
    connect(m_edit, &QLineEdit::editingFinished, this, &QFDateEdit::onEditingFinished);
    connect(m_button, &QToolButton::clicked, this, &QFDateEdit::showCalendar);
}

void QFDateEdit::setDate(const QDate &date)
{
    const QDate d = date.isValid() ? date : QDate();
    // The text is rewritten even for the same value: it may hold a
    // half-typed text that the caller means to replace.
    m_edit->setText(Qf::formatDate(d));
    markInvalid(false);
    commit(d);
}

void QFDateEdit::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    m_edit->setReadOnly(readOnly);
    m_edit->setClearButtonEnabled(!readOnly);
    m_button->setEnabled(!readOnly);
    if (readOnly && m_popup)
        m_popup->hide();
}

bool QFDateEdit::hasAcceptableInput() const
{
    return !m_invalid;
}

QCalendarWidget *QFDateEdit::calendarWidget()
{
    if (!m_calendar) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setFrameShape(QFrame::StyledPanel);
        auto *layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(0, 0, 0, 0);
        m_calendar = new QCalendarWidget(m_popup);
        m_calendar->setObjectName(QStringLiteral("qf_calendar"));
        m_calendar->setGridVisible(true);
        m_calendar->setFirstDayOfWeek(Qt::Monday);
        layout->addWidget(m_calendar);
        connect(m_calendar, &QCalendarWidget::clicked, this, &QFDateEdit::onCalendarPicked);
        connect(m_calendar, &QCalendarWidget::activated, this, &QFDateEdit::onCalendarPicked);
    }
    return m_calendar;
}

void QFDateEdit::showCalendar()
{
    if (m_readOnly)
        return;
    QCalendarWidget *cal = calendarWidget();
    cal->setSelectedDate(m_date.isValid() ? m_date : QDate::currentDate());
    m_popup->adjustSize();

    QPoint pos = mapToGlobal(QPoint(0, height()));
    if (const QScreen *screen = QGuiApplication::screenAt(pos)) {
        const QRect avail = screen->availableGeometry();
        const QSize size = m_popup->sizeHint();
        if (pos.x() + size.width() > avail.right())
            pos.setX(avail.right() - size.width());
        if (pos.y() + size.height() > avail.bottom())
            pos.setY(mapToGlobal(QPoint(0, 0)).y() - size.height());
    }
    m_popup->move(pos);
    m_popup->show();
    cal->setFocus();
}

bool QFDateEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_F4
            || (key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier))) {
            showCalendar();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QFDateEdit::onTextEdited(const QString &text)
{
    if (text.trimmed().isEmpty()) {
        markInvalid(false);
        commit(QDate());
        return;
    }
    const QDate full = Qf::parseDate(text, true);
    if (full.isValid()) {
        markInvalid(false);
        commit(full);
        return;
    }
    // A two-digit year waits for the end of editing; anything else is red.
    markInvalid(!Qf::parseDate(text).isValid());
}

void QFDateEdit::onEditingFinished()
{
    const QString text = m_edit->text();
    if (!text.trimmed().isEmpty()) {
        const QDate d = Qf::parseDate(text);
        if (d.isValid())
            commit(d);
    }
    // Shows the value in the default format, or the last date again when
    // the text was not a date.
    showText();
}

void QFDateEdit::onCalendarPicked(const QDate &date)
{
    if (m_popup)
        m_popup->hide();
    setDate(date);
    m_edit->setFocus(Qt::PopupFocusReason);
}

void QFDateEdit::commit(const QDate &date)
{
    if (date == m_date)
        return;
    m_date = date;
    emit dateChanged(m_date);
}

void QFDateEdit::showText()
{
    const QString text = Qf::formatDate(m_date);
    if (m_edit->text() != text)
        m_edit->setText(text);
    markInvalid(false);
}

void QFDateEdit::markInvalid(bool invalid)
{
    if (invalid == m_invalid)
        return;
    m_invalid = invalid;
    QPalette pal = m_edit->palette();
    pal.setColor(QPalette::Text, invalid ? QColor(Qt::red) : palette().color(QPalette::Text));
    m_edit->setPalette(pal);
    m_edit->setToolTip(invalid ? tr("Neplatné datum (%1)").arg(Qf::defaultDateFormat()) : QString());
}
