#include "events/tailbuttonsdelegate.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

namespace {

struct TailButton {
    const char *name;
    const char *icon;
};

// Left to right; the last one sits at the right edge of the cell. Pictures,
// not characters: the symbols of the fonts at hand are missing or say
// something else.
const TailButton kButtons[] = {
    {"openButton", ":/pics/attachment-open.svg"},
    {"saveButton", ":/pics/attachment-save.svg"},
    {"removeButton", ":/pics/attachment-remove.svg"},
};
constexpr int kButtonCount = 3;

QIcon buttonIcon(int i)
{
    static const QIcon icons[kButtonCount] = {QIcon(QLatin1String(kButtons[0].icon)),
                                              QIcon(QLatin1String(kButtons[1].icon)),
                                              QIcon(QLatin1String(kButtons[2].icon))};
    return icons[i];
}

QSize iconSize(int cellHeight)
{
    const int side = qMax(8, cellHeight * 2 / 3);
    return QSize(side, side);
}

// Square buttons as high as the cell, from W-3H; the name keeps the rest.
QRect nameRect(const QRect &cell)
{
    return QRect(0, 0, qMax(0, cell.width() - kButtonCount * cell.height()), cell.height());
}

QRect buttonRect(const QRect &cell, int i)
{
    const int h = cell.height();
    return QRect(cell.width() - (kButtonCount - i) * h, 0, h, h);
}

QWidget *baseEditor(QWidget *editor)
{
    return editor ? editor->findChild<QWidget *>(QStringLiteral("baseEditor"), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

} // namespace

void TailButtonsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                const QModelIndex &index) const
{
    // The name ends where the buttons start, so a long one is elided.
    QStyleOptionViewItem item(option);
    item.rect.setWidth(nameRect(option.rect).width());
    QStyledItemDelegate::paint(painter, item, index);

    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    for (int i = 0; i < kButtonCount; ++i) {
        QStyleOptionButton button;
        if (widget)
            button.initFrom(widget);
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        button.rect = buttonRect(option.rect, i).translated(option.rect.topLeft());
        button.icon = buttonIcon(i);
        button.iconSize = iconSize(option.rect.height());
        style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
    }
}

QSize TailButtonsDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setWidth(size.width() + kButtonCount * size.height());
    return size;
}

QWidget *TailButtonsDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                           const QModelIndex &index) const
{
    auto *editor = new QWidget(parent);
    auto *base = new QWidget(editor);
    base->setObjectName(QStringLiteral("baseEditor"));
    const QString tips[kButtonCount] = {tr("Otevřít přílohu"), tr("Uložit přílohu"), tr("Smazat přílohu")};
    void (TailButtonsDelegate::*handlers[kButtonCount])() = {&TailButtonsDelegate::onOpenClicked,
                                                          &TailButtonsDelegate::onSaveClicked,
                                                          &TailButtonsDelegate::onRemoveClicked};
    for (int i = 0; i < kButtonCount; ++i) {
        auto *button = new QPushButton(buttonIcon(i), QString(), editor);
        button->setObjectName(QLatin1String(kButtons[i].name));
        button->setToolTip(tips[i]);
        button->setWhatsThis(QString::number(index.row()));
        button->setFocusPolicy(Qt::NoFocus);
        connect(button, &QPushButton::clicked, this, handlers[i]);
    }
    updateEditorGeometry(editor, option, index);
    return editor;
}

void TailButtonsDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    if (QWidget *base = baseEditor(editor))
        QStyledItemDelegate::setEditorData(base, index);
}

void TailButtonsDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    if (QWidget *base = baseEditor(editor))
        QStyledItemDelegate::setModelData(base, model, index);
}

void TailButtonsDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                               const QModelIndex &index) const
{
    Q_UNUSED(index)
    const QRect cell = option.rect;
    editor->setGeometry(cell);
    if (QWidget *base = baseEditor(editor))
        base->setGeometry(nameRect(cell));
    for (int i = 0; i < kButtonCount; ++i) {
        if (auto *button = editor->findChild<QPushButton *>(QLatin1String(kButtons[i].name))) {
            button->setGeometry(buttonRect(cell, i));
            button->setIconSize(iconSize(cell.height()));
        }
    }
}

QString TailButtonsDelegate::senderRow() const
{
    const auto *button = qobject_cast<const QWidget *>(sender());
    return button ? button->whatsThis() : QString();
}

void TailButtonsDelegate::onOpenClicked()
{
    emit openClicked(senderRow());
}

void TailButtonsDelegate::onSaveClicked()
{
    emit saveClicked(senderRow());
}

void TailButtonsDelegate::onRemoveClicked()
{
    emit removeClicked(senderRow());
}
