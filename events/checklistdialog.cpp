#include "events/checklistdialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton *toolButton(QWidget *parent, const char *name, const QString &text, const QString &icon)
{
    auto *button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setText(text);
    if (QFile::exists(icon)) {
        button->setIcon(QIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    return button;
}

} // namespace

CheckListDialog::CheckListDialog(QWidget *parent)
    : QDialog(parent)
{
    auto *layout = new QVBoxLayout(this);

    auto *tools = new QHBoxLayout;
    QToolButton *all = toolButton(this, "tb_all", tr("Vyber vše"), QStringLiteral(":/pics/to_do_list_cheked_all.png"));
    QToolButton *none = toolButton(this, "tb_none", tr("Zruš výběr"), QStringLiteral(":/pics/to_do_list.png"));
    tools->addWidget(all);
    tools->addWidget(none);
    tools->addStretch();
    layout->addLayout(tools);

    m_list = new QVBoxLayout;
    layout->addLayout(m_list);
    m_extra = new QVBoxLayout;
    layout->addLayout(m_extra);
    layout->addStretch();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttons);

    connect(all, &QToolButton::clicked, this, &CheckListDialog::selectAll);
    connect(none, &QToolButton::clicked, this, &CheckListDialog::selectNone);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CheckListDialog::addBox(const QString &code, const QString &text)
{
    auto *box = new QCheckBox(text, this);
    box->setWhatsThis(code);
    m_list->addWidget(box);
    m_boxes << box;
}

void CheckListDialog::setAll(bool on)
{
    for (QCheckBox *box : qAsConst(m_boxes))
        box->setChecked(on);
}

void CheckListDialog::selectAll()
{
    setAll(true);
}

void CheckListDialog::selectNone()
{
    setAll(false);
}

void CheckListDialog::tickCodes(const QString &value)
{
    if (value.isEmpty()) {
        setAll(true);
        return;
    }
    setAll(false);
    const QStringList parts = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (QCheckBox *box : qAsConst(m_boxes))
        if (parts.contains(box->whatsThis()))
            box->setChecked(true);
}

bool CheckListDialog::allTicked() const
{
    return std::all_of(m_boxes.cbegin(), m_boxes.cend(), [](const QCheckBox *box) { return box->isChecked(); });
}

QStringList CheckListDialog::tickedCodes() const
{
    QStringList codes;
    for (const QCheckBox *box : m_boxes)
        if (box->isChecked())
            codes << box->whatsThis();
    return codes;
}
