#pragma once

#include <QStyledItemDelegate>

// A list cell with three buttons at its right end: open, save and remove.
// The buttons are real widgets of a persistent editor; the editor keeps the
// name area free ("baseEditor"), so the item shows through it. Each button
// carries its row in whatsThis, so the owner reopens the editors whenever
// rows move. paint() draws the same buttons for a cell without an editor.
class TailButtonsDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    void setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

signals:
    // The row number as decimal text.
    void openClicked(const QString &row);
    void saveClicked(const QString &row);
    void removeClicked(const QString &row);

public slots:
    void onOpenClicked();
    void onSaveClicked();
    void onRemoveClicked();

private:
    QString senderRow() const;
};
