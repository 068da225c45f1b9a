#include "widgets/qstbtextedit.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QColorDialog>
#include <QComboBox>
#include <QEvent>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QIntValidator>
#include <QPainter>
#include <QSplitter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolBar>

namespace {

const QColor kInk(40, 40, 40);

QPixmap blankPixmap()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    return pm;
}

// A letter icon for bold, italic and underline.
QIcon letterIcon(const QString &letter, bool bold, bool italic, bool underline)
{
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    QFont f(QStringLiteral("Serif"));
    f.setPixelSize(14);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(pm.rect(), Qt::AlignCenter, letter);
    return QIcon(pm);
}

// "A" over a bar in the current text colour.
QIcon colorIcon(const QColor &color)
{
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    QFont f;
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, QStringLiteral("A"));
    p.fillRect(2, 12, 12, 3, color);
    return QIcon(pm);
}

// Four text lines, laid out for an alignment.
QIcon alignIcon(Qt::Alignment alignment)
{
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    const int widths[4] = {12, 8, 12, 6};
    for (int i = 0; i < 4; ++i) {
        int w = alignment & Qt::AlignJustify ? 12 : widths[i];
        int x = 2;
        if (alignment & Qt::AlignHCenter)
            x = 2 + (12 - w) / 2;
        else if (alignment & Qt::AlignRight)
            x = 14 - w;
        p.fillRect(x, 2 + i * 4, w, 2, kInk);
    }
    return QIcon(pm);
}

// Three list items with bullets or numbers.
QIcon listIcon(bool numbered)
{
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    QFont f;
    f.setPixelSize(5);
    p.setFont(f);
    for (int i = 0; i < 3; ++i) {
        const int y = 2 + i * 5;
        if (numbered) {
            p.setPen(kInk);
            p.drawText(QRect(0, y - 1, 5, 5), Qt::AlignCenter, QString::number(i + 1));
        } else {
            p.fillRect(1, y, 3, 3, kInk);
        }
        p.fillRect(6, y + 1, 9, 2, kInk);
    }
    return QIcon(pm);
}

QIcon clearIcon()
{
    QPixmap pm = blankPixmap();
    QPainter p(&pm);
    QFont f(QStringLiteral("Serif"));
    f.setPixelSize(12);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRect(0, 0, 12, 14), Qt::AlignCenter, QStringLiteral("T"));
    p.setPen(QPen(QColor(200, 40, 40), 2));
    p.drawLine(9, 9, 15, 15);
    p.drawLine(15, 9, 9, 15);
    return QIcon(pm);
}

bool isBulletStyle(QTextListFormat::Style style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare;
}

} // namespace

QSTBTextedit::QSTBTextedit(QObject *parent)
    : QObject(parent)
{
}

void QSTBTextedit::detach()
{
    for (const auto &c : qAsConst(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_edit)
        m_edit->removeEventFilter(this);
    delete m_toolBar; // QPointer: already null when the container went first
    m_sizeBox = nullptr;
    m_fontBox = nullptr;
    std::fill(std::begin(m_actions), std::end(m_actions), nullptr);
}

void QSTBTextedit::createTB(QWidget *container, QTextEdit *textBox, const QFont &font, bool extended)
{
    detach();
    if (!container || !textBox)
        return;

    m_edit = textBox;
    m_font = font;
    m_edit->document()->setDefaultFont(font);
    m_edit->setAcceptRichText(true);

    m_toolBar = new QToolBar(container);
    m_toolBar->setObjectName(QStringLiteral("qstb_toolbar"));
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->setStyleSheet(QStringLiteral("QToolBar { border: 0px }"));
    buildActions(extended);
    place(container);

    m_connections << connect(m_edit, &QTextEdit::currentCharFormatChanged, this,
                             &QSTBTextedit::showCharFormat);
    m_connections << connect(m_edit, &QTextEdit::cursorPositionChanged, this,
                             &QSTBTextedit::showBlockFormat);
    m_edit->installEventFilter(this);

    m_toolBar->setEnabled(!m_edit->isReadOnly());
    showCharFormat(m_edit->currentCharFormat());
    showBlockFormat();
}

void QSTBTextedit::buildActions(bool extended)
{
    auto add = [this](Action which, const QIcon &icon, const QString &text, const QKeySequence &key) {
        QAction *a = m_toolBar->addAction(icon, text);
        a->setShortcut(key);
        // The shortcut works only while the text box has the focus, so five
        // tool bars in one window do not fight over Ctrl+B.
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        m_edit->addAction(a);
        m_actions[which] = a;
        return a;
    };

    QAction *a = add(Bold, letterIcon(QStringLiteral("B"), true, false, false), tr("Tučně"), QKeySequence::Bold);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(f);
    });
    a = add(Italic, letterIcon(QStringLiteral("I"), false, true, false), tr("Kurzíva"), QKeySequence::Italic);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontItalic(on);
        mergeFormat(f);
    });
    a = add(Underline, letterIcon(QStringLiteral("U"), false, false, true), tr("Podtržení"), QKeySequence::Underline);
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat f;
        f.setFontUnderline(on);
        mergeFormat(f);
    });
    a = add(TextColor, colorIcon(Qt::black), tr("Barva textu"), QKeySequence());
    connect(a, &QAction::triggered, this, &QSTBTextedit::chooseColor);

    m_toolBar->addSeparator();
    a = add(BulletList, listIcon(false), tr("Odrážky"), QKeySequence());
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this](bool on) { toggleList(QTextListFormat::ListDisc, on); });
    a = add(NumberedList, listIcon(true), tr("Číslování"), QKeySequence());
    a->setCheckable(true);
    connect(a, &QAction::triggered, this, [this](bool on) { toggleList(QTextListFormat::ListDecimal, on); });

    m_toolBar->addSeparator();
    auto *group = new QActionGroup(m_toolBar);
    const struct { Action which; Qt::Alignment align; const char *text; } aligns[] = {
        {AlignLeft, Qt::AlignLeft, QT_TR_NOOP("Zarovnat vlevo")},
        {AlignCenter, Qt::AlignHCenter, QT_TR_NOOP("Zarovnat na střed")},
        {AlignRight, Qt::AlignRight, QT_TR_NOOP("Zarovnat vpravo")},
        {AlignJustify, Qt::AlignJustify, QT_TR_NOOP("Zarovnat do bloku")},
    };
    for (const auto &al : aligns) {
        a = add(al.which, alignIcon(al.align), tr(al.text), QKeySequence());
        a->setCheckable(true);
        group->addAction(a);
        const Qt::Alignment align = al.align;
        connect(a, &QAction::triggered, this, [this, align] { setAlignment(align); });
    }

    m_toolBar->addSeparator();
    if (extended) {
        m_fontBox = new QFontComboBox(m_toolBar);
        m_fontBox->setObjectName(QStringLiteral("qstb_font"));
        m_fontBox->setFocusPolicy(Qt::ClickFocus);
        m_toolBar->addWidget(m_fontBox);
        connect(m_fontBox, &QComboBox::textActivated, this, [this](const QString &family) {
            QTextCharFormat f;
            f.setFontFamily(family);
            mergeFormat(f);
        });
    }
    m_sizeBox = new QComboBox(m_toolBar);
    m_sizeBox->setObjectName(QStringLiteral("qstb_size"));
    m_sizeBox->setEditable(true);
    m_sizeBox->setFocusPolicy(Qt::ClickFocus);
    m_sizeBox->setValidator(new QIntValidator(1, 400, m_sizeBox));
    m_sizeBox->setToolTip(tr("Velikost písma"));
    for (int size : QFontDatabase::standardSizes())
        m_sizeBox->addItem(QString::number(size));
    m_sizeBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_toolBar->addWidget(m_sizeBox);
    connect(m_sizeBox, &QComboBox::textActivated, this, [this](const QString &text) {
        bool ok = false;
        const qreal size = text.toDouble(&ok);
        if (ok && size > 0)
            setFontPointSize(size);
    });

    if (extended) {
        a = add(ClearFormat, clearIcon(), tr("Zrušit formátování"), QKeySequence());
        connect(a, &QAction::triggered, this, &QSTBTextedit::clearFormat);
    }
}

void QSTBTextedit::place(QWidget *container)
{
    QWidget *parent = m_edit->parentWidget();
    if (container->isAncestorOf(m_edit) && parent) {
        if (auto *box = qobject_cast<QBoxLayout *>(parent->layout())) {
            const int index = box->indexOf(m_edit);
            const bool vertical = box->direction() == QBoxLayout::TopToBottom;
            if (index >= 0 && vertical) {
                box->insertWidget(index, m_toolBar);
                return;
            }
        }
        // Any other layout, or a splitter: the tool bar and the text box go
        // together into a wrapper that takes the text box's place.
        // Made without a parent: a splitter would take a child of its own
        // as a new section at once.
        auto *wrapper = new QWidget;
        wrapper->setObjectName(m_edit->objectName() + QStringLiteral("_qstb"));
        wrapper->setSizePolicy(m_edit->sizePolicy());
        bool replaced = false;
        if (auto *splitter = qobject_cast<QSplitter *>(parent)) {
            const int index = splitter->indexOf(m_edit);
            if (index >= 0) {
                splitter->replaceWidget(index, wrapper);
                replaced = true;
            }
        } else if (parent->layout()) {
            QLayoutItem *old = parent->layout()->replaceWidget(m_edit, wrapper, Qt::FindChildrenRecursively);
            replaced = old != nullptr;
            delete old;
        }
        if (replaced) {
            auto *v = new QVBoxLayout(wrapper);
            v->setContentsMargins(0, 0, 0, 0);
            v->setSpacing(0);
            v->addWidget(m_toolBar);
            v->addWidget(m_edit);
            wrapper->show();
            return;
        }
        delete wrapper;
    }
    // The container holds only the tool bar.
    QLayout *layout = container->layout();
    if (!layout) {
        layout = new QVBoxLayout(container);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    layout->addWidget(m_toolBar);
}

bool QSTBTextedit::eventFilter(QObject *watched, QEvent *event)
{
    // The event type first: while the text box is being destroyed it still
    // sends events, and it is no longer a QTextEdit by then.
    if (event->type() == QEvent::ReadOnlyChange && m_toolBar && watched == m_edit.data())
        m_toolBar->setEnabled(!m_edit->isReadOnly());
    return QObject::eventFilter(watched, event);
}

void QSTBTextedit::mergeFormat(const QTextCharFormat &format)
{
    if (!m_edit)
        return;
    // With a selection the selection takes the format; without one it
    // applies to what is typed next.
    m_edit->mergeCurrentCharFormat(format);
    m_edit->setFocus();
}

void QSTBTextedit::setTextColor(const QColor &color)
{
    if (!color.isValid())
        return;
    QTextCharFormat f;
    f.setForeground(color);
    mergeFormat(f);
    showCharFormat(m_edit->currentCharFormat());
}

void QSTBTextedit::setFontPointSize(qreal size)
{
    if (size <= 0)
        return;
    QTextCharFormat f;
    f.setFontPointSize(size);
    mergeFormat(f);
}

void QSTBTextedit::chooseColor()
{
    if (!m_edit)
        return;
    const QColor color = QColorDialog::getColor(m_color, m_edit->window());
    setTextColor(color);
}

void QSTBTextedit::clearFormat()
{
    if (!m_edit)
        return;
    QTextCursor c = m_edit->textCursor();
    c.beginEditBlock();
    if (c.hasSelection())
        c.setCharFormat(QTextCharFormat());
    m_edit->setCurrentCharFormat(QTextCharFormat());
    c.endEditBlock();
    showCharFormat(m_edit->currentCharFormat());
}

void QSTBTextedit::toggleList(QTextListFormat::Style style, bool on)
{
    if (!m_edit)
        return;
    QTextCursor c = m_edit->textCursor();
    c.beginEditBlock();
    QTextList *list = c.currentList();
    if (!on) {
        // Leave the list: the blocks become plain paragraphs again.
        QTextBlock block = m_edit->document()->findBlock(c.selectionStart());
        const QTextBlock last = m_edit->document()->findBlock(c.selectionEnd());
        while (block.isValid()) {
            if (QTextList *l = block.textList())
                l->remove(block);
            QTextCursor bc(block);
            QTextBlockFormat bf = block.blockFormat();
            bf.setIndent(0);
            bc.setBlockFormat(bf);
            if (block == last)
                break;
            block = block.next();
        }
    } else if (list) {
        QTextListFormat lf = list->format();
        lf.setStyle(style);
        list->setFormat(lf);
    } else {
        QTextListFormat lf;
        lf.setStyle(style);
        lf.setIndent(c.blockFormat().indent() + 1);
        c.createList(lf);
    }
    c.endEditBlock();
    m_edit->setFocus();
    showBlockFormat();
}

void QSTBTextedit::setAlignment(Qt::Alignment alignment)
{
    if (!m_edit)
        return;
    m_edit->setAlignment(alignment == Qt::AlignJustify ? alignment : alignment | Qt::AlignAbsolute);
    m_edit->setFocus();
}

void QSTBTextedit::showCharFormat(const QTextCharFormat &format)
{
    if (!m_toolBar)
        return;
    m_actions[Bold]->setChecked(format.fontWeight() >= QFont::Bold);
    m_actions[Italic]->setChecked(format.fontItalic());
    m_actions[Underline]->setChecked(format.fontUnderline());

    m_color = format.foreground().style() != Qt::NoBrush
        ? format.foreground().color()
        : m_edit->palette().color(QPalette::Text);
    m_actions[TextColor]->setIcon(colorIcon(m_color));

    qreal size = format.fontPointSize();
    if (size <= 0)
        size = m_edit->document()->defaultFont().pointSizeF();
    if (size > 0)
        m_sizeBox->setCurrentText(QString::number(qRound(size)));

    if (m_fontBox) {
        const QString family = format.fontFamily().isEmpty()
            ? m_edit->document()->defaultFont().family()
            : format.fontFamily();
        m_fontBox->setCurrentFont(QFont(family));
    }
}

void QSTBTextedit::showBlockFormat()
{
    if (!m_toolBar || !m_edit)
        return;
    const Qt::Alignment a = m_edit->alignment();
    if (a & Qt::AlignHCenter)
        m_actions[AlignCenter]->setChecked(true);
    else if (a & Qt::AlignJustify)
        m_actions[AlignJustify]->setChecked(true);
    else if (a & Qt::AlignRight)
        m_actions[AlignRight]->setChecked(true);
    else
        m_actions[AlignLeft]->setChecked(true);

    const QTextList *list = m_edit->textCursor().currentList();
    const bool inList = list != nullptr;
    const bool bullet = inList && isBulletStyle(list->format().style());
    m_actions[BulletList]->setChecked(bullet);
    m_actions[NumberedList]->setChecked(inList && !bullet);
}
