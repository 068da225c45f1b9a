#include "widgets/qfeditwithbutton.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

QFEditWithButton::QFEditWithButton(QWidget *parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_button(new QToolButton(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);

    m_edit->setObjectName(QStringLiteral("qf_edit"));
    m_button->setObjectName(QStringLiteral("qf_button"));
    m_button->setText(QStringLiteral("..."));
    m_button->setFocusPolicy(Qt::TabFocus);

    setFocusProxy(m_edit);
    setSizePolicy(m_edit->sizePolicy());

    connect(m_button, &QToolButton::clicked, this, &QFEditWithButton::buttonClicked);
    connect(m_edit, &QLineEdit::textChanged, this, &QFEditWithButton::textChanged);
}

QString QFEditWithButton::text() const
{
    return m_edit->text();
}

QString QFEditWithButton::Id() const
{
    return m_id;
}

void QFEditWithButton::setText(const QString &text)
{
    m_edit->setText(text);
    // Long names stay readable from their start.
    m_edit->setCursorPosition(0);
}

void QFEditWithButton::setId(const QString &id)
{
    if (id == m_id)
        return;
    m_id = id;
    emit idChanged(m_id);
}

void QFEditWithButton::clear()
{
    setId(QString());
    m_edit->clear();
}

void QFEditWithButton::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    updateState();
}

void QFEditWithButton::setTextEditable(bool editable)
{
    m_textEditable = editable;
    updateState();
}

QString QFEditWithButton::buttonText() const
{
    return m_button->text();
}

void QFEditWithButton::setButtonText(const QString &text)
{
    m_button->setText(text);
}

void QFEditWithButton::updateState()
{
    m_edit->setReadOnly(m_readOnly || !m_textEditable);
    m_button->setEnabled(!m_readOnly);
}
