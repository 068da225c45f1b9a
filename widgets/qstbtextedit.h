#pragma once

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QTextEdit>
#include <QTextListFormat>
#include <QToolBar>

class QAction;
class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QWidget;

// The formatting tool bar of a rich-text box: bold, italic, underline, text
// colour, bullet and numbered lists, alignment and font size. Its buttons
// follow the format at the cursor. The object is owned by the window (or
// dialog) of the text box; the tool bar widget belongs to the container.
class QSTBTextedit : public QObject
{
    Q_OBJECT

public:
    enum Action {
        Bold,
        Italic,
        Underline,
        TextColor,
        BulletList,
        NumberedList,
        AlignLeft,
        AlignCenter,
        AlignRight,
        AlignJustify,
        ClearFormat, // only with the extended tool bar
        ActionCount
    };

    explicit QSTBTextedit(QObject *parent = nullptr);

    // Builds the tool bar for textBox and places it in container:
    // - when textBox lies inside container, right above the text box (in its
    //   vertical layout, or in a small wrapper that takes the text box's
    //   place in any other layout or splitter);
    // - otherwise container is a place-holder for the tool bar alone (for
    //   example an empty widget above the editor in a form) and the tool bar
    //   fills it.
    // font is the editor's base font: new text is written in it and the size
    // list shows its size where the text sets none. extended adds a font
    // family list and a "clear formatting" button.
    // Calling it again moves the object to a new text box (the old tool bar
    // is removed).
    void createTB(QWidget *container, QTextEdit *textBox, const QFont &font, bool extended);

public slots:
    void setTextColor(const QColor &color);
    void setFontPointSize(qreal size);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildActions(bool extended);
    void place(QWidget *container);
    void mergeFormat(const QTextCharFormat &format);
    void toggleList(QTextListFormat::Style style, bool on);
    void setAlignment(Qt::Alignment alignment);
    void chooseColor();
    void clearFormat();
    void showCharFormat(const QTextCharFormat &format);
    void showBlockFormat();
    void detach();

    QPointer<QToolBar> m_toolBar;
    QPointer<QTextEdit> m_edit;
    QComboBox *m_sizeBox = nullptr;
    QFontComboBox *m_fontBox = nullptr;
    QAction *m_actions[ActionCount] = {};
    QFont m_font;
    QColor m_color;
    QList<QMetaObject::Connection> m_connections;
};
