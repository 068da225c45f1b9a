#include "widgets/qf.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"
#include "widgets/qffileutils.h"
#include "widgets/qstbtextedit.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSplitter>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextList>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

class TstWidgets : public QObject
{
    Q_OBJECT

private slots:
    // Qf / QFFileUtils
    void parseDate_data();
    void parseDate();
    void formatDateRoundTrip();
    void osTempDirHasNoTrailingSeparator();

    // QFDateEdit
    void dateEditStartsEmpty();
    void dateEditSetAndClear();
    void dateEditTyped_data();
    void dateEditTyped();
    void dateEditInvalidKeepsLastDate();
    void dateEditClearedByTyping();
    void dateEditReadOnly();
    void dateEditCalendarPick();

    // QFEditWithButton
    void editWithButtonKeepsIdBesideText();
    void editWithButtonClick();
    void editWithButtonReadOnly();
    void editWithButtonPickerOnly();

    // QSTBTextedit
    void toolBarPlacement();
    void toolBarBoldAndReflect();
    void toolBarLists();
    void toolBarAlignSizeColour();
    void toolBarFollowsReadOnly();
};

// ---------------------------------------------------------------- helpers

static void typeInto(QWidget *w, const QString &text)
{
    QTest::keyClicks(w, text);
}

static QToolButton *buttonOf(QSTBTextedit &tb, QSTBTextedit::Action a)
{
    return qobject_cast<QToolButton *>(tb.toolBar()->widgetForAction(tb.action(a)));
}

static void selectAll(QTextEdit *e)
{
    QTextCursor c = e->textCursor();
    c.select(QTextCursor::Document);
    e->setTextCursor(c);
}

// ---------------------------------------------------------------- Qf

void TstWidgets::parseDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fullYearOnly");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("default format") << "05.03.2024" << false << QDate(2024, 3, 5);
    QTest::newRow("d.M.yyyy") << "5.3.2024" << false << QDate(2024, 3, 5);
    QTest::newRow("spaces after dots") << "5. 3. 2024" << false << QDate(2024, 3, 5);
    QTest::newRow("surrounding blanks") << "  5.3.2024 " << false << QDate(2024, 3, 5);
    QTest::newRow("two-digit year") << "5.3.24" << false << QDate(2024, 3, 5);
    QTest::newRow("two-digit year of last century") << "5.3.99" << false << QDate(1999, 3, 5);
    QTest::newRow("two-digit year while typing") << "5.3.24" << true << QDate();
    QTest::newRow("iso") << "2024-03-05" << false << QDate(2024, 3, 5);
    QTest::newRow("leap day") << "29.2.2024" << false << QDate(2024, 2, 29);
    QTest::newRow("no leap day") << "29.2.2023" << false << QDate();
    QTest::newRow("31st of February") << "31.02.2024" << false << QDate();
    QTest::newRow("month 13") << "1.13.2024" << false << QDate();
    QTest::newRow("three-digit year") << "1.2.202" << false << QDate();
    QTest::newRow("no year") << "1.2." << false << QDate();
    QTest::newRow("slashes") << "1/2/2024" << false << QDate();
    QTest::newRow("words") << "zítra" << false << QDate();
    QTest::newRow("empty") << "" << false << QDate();
}

void TstWidgets::parseDate()
{
    QFETCH(QString, text);
    QFETCH(bool, fullYearOnly);
    QFETCH(QDate, expected);
    const QDate d = Qf::parseDate(text, fullYearOnly);
    QCOMPARE(d, expected);
    if (!expected.isValid())
        QVERIFY(d.isNull());
}

void TstWidgets::formatDateRoundTrip()
{
    QCOMPARE(Qf::defaultDateFormat(), QStringLiteral("dd.MM.yyyy"));
    QCOMPARE(Qf::formatDate(QDate(2024, 3, 5)), QStringLiteral("05.03.2024"));
    QCOMPARE(Qf::formatDate(QDate()), QString());
    // What the pages show, the date edit reads back.
    const QDate d(1987, 12, 31);
    QCOMPARE(Qf::parseDate(d.toString(Qf::defaultDateFormat())), d);
}

void TstWidgets::osTempDirHasNoTrailingSeparator()
{
    const QByteArray saved = qgetenv("TMPDIR");
    const QString base = QDir::tempPath() + QStringLiteral("/zrn_tst_tmp");
    QVERIFY(QDir().mkpath(base));
    qputenv("TMPDIR", (base + QStringLiteral("//")).toLocal8Bit());

    const QString dir = QFFileUtils::osTempDir();
    if (saved.isNull())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", saved);

    QCOMPARE(dir, base);
    // Attachments are opened from osTempDir() + "/" + name.
    QFile f(dir + QStringLiteral("/příloha.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(QDir(base).exists(QStringLiteral("příloha.txt")));
    QDir(base).removeRecursively();
}

// ---------------------------------------------------------------- QFDateEdit

void TstWidgets::dateEditStartsEmpty()
{
    QFDateEdit de;
    QVERIFY(de.date().isNull());
    QVERIFY(de.lineEdit()->text().isEmpty());
    QVERIFY(de.hasAcceptableInput());
}

void TstWidgets::dateEditSetAndClear()
{
    QFDateEdit de;
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);

    de.setDate(QDate(2024, 3, 5));
    QCOMPARE(de.date(), QDate(2024, 3, 5));
    QCOMPARE(de.lineEdit()->text(), QStringLiteral("05.03.2024"));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.last().at(0).toDate(), QDate(2024, 3, 5));

    de.setDate(QDate(2024, 3, 5));
    QCOMPARE(spy.count(), 1); // same value: no change to report

    de.setDate(QDate());
    QVERIFY(de.date().isNull());
    QVERIFY(de.lineEdit()->text().isEmpty());
    QCOMPARE(spy.count(), 2);
    QVERIFY(spy.last().at(0).toDate().isNull());

    // An invalid date is an empty field, not garbage.
    de.setDate(QDate(2024, 2, 30));
    QVERIFY(de.date().isNull());
    QCOMPARE(spy.count(), 2);

    // A database NULL read as a variant arrives as a null date.
    de.setDate(QDate(2001, 1, 1));
    de.setDate(QVariant().toDate());
    QVERIFY(de.date().isNull());
}

void TstWidgets::dateEditTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("pressEnter");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<QString>("shownAfter");

    QTest::newRow("full date counts while typing") << "5.3.2024" << false << QDate(2024, 3, 5) << "5.3.2024";
    QTest::newRow("full date, Enter reformats") << "5.3.2024" << true << QDate(2024, 3, 5) << "05.03.2024";
    QTest::newRow("default format") << "17.11.2023" << false << QDate(2023, 11, 17) << "17.11.2023";
    QTest::newRow("two-digit year waits for Enter") << "5.3.24" << false << QDate() << "5.3.24";
    QTest::newRow("two-digit year on Enter") << "5.3.24" << true << QDate(2024, 3, 5) << "05.03.2024";
    QTest::newRow("impossible day, Enter") << "31.2.2024" << true << QDate() << "";
}

void TstWidgets::dateEditTyped()
{
    QFETCH(QString, typed);
    QFETCH(bool, pressEnter);
    QFETCH(QDate, expected);
    QFETCH(QString, shownAfter);

    QFDateEdit de;
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);
    typeInto(de.lineEdit(), typed);
    if (pressEnter)
        QTest::keyClick(de.lineEdit(), Qt::Key_Return);

    QCOMPARE(de.date(), expected);
    QCOMPARE(de.lineEdit()->text(), shownAfter);
    // One change, however many keys it took; none when nothing was taken.
    QCOMPARE(spy.count(), expected.isValid() ? 1 : 0);
}

void TstWidgets::dateEditInvalidKeepsLastDate()
{
    QFDateEdit de;
    de.setDate(QDate(2020, 6, 1));
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);

    de.lineEdit()->selectAll();
    typeInto(de.lineEdit(), QStringLiteral("32.6.2020"));
    QVERIFY(!de.hasAcceptableInput());
    QCOMPARE(de.date(), QDate(2020, 6, 1));

    QTest::keyClick(de.lineEdit(), Qt::Key_Return);
    QCOMPARE(de.lineEdit()->text(), QStringLiteral("01.06.2020"));
    QVERIFY(de.hasAcceptableInput());
    QCOMPARE(spy.count(), 0);

    // Changing one digit of a shown date is one change.
    de.lineEdit()->end(false);
    QTest::keyClick(de.lineEdit(), Qt::Key_Backspace);
    typeInto(de.lineEdit(), QStringLiteral("1"));
    QCOMPARE(de.date(), QDate(2021, 6, 1));
    QCOMPARE(spy.count(), 1);
}

void TstWidgets::dateEditClearedByTyping()
{
    QFDateEdit de;
    de.setDate(QDate(2022, 1, 15));
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);

    de.lineEdit()->selectAll();
    QTest::keyClick(de.lineEdit(), Qt::Key_Delete);
    QVERIFY(de.date().isNull());
    QCOMPARE(spy.count(), 1);

    // Backspacing a date away also ends empty, with one change.
    de.setDate(QDate(2022, 1, 15));
    spy.clear();
    de.lineEdit()->end(false);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(de.lineEdit(), Qt::Key_Backspace);
    QVERIFY(de.date().isNull());
    QCOMPARE(spy.count(), 1);
    QTest::keyClick(de.lineEdit(), Qt::Key_Return);
    QVERIFY(de.date().isNull());
    QVERIFY(de.lineEdit()->text().isEmpty());
}

void TstWidgets::dateEditReadOnly()
{
    QFDateEdit de;
    de.setDate(QDate(2019, 9, 9));
    de.setReadOnly(true);
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);

    de.lineEdit()->selectAll();
    typeInto(de.lineEdit(), QStringLiteral("1.1.2000"));
    QTest::keyClick(de.lineEdit(), Qt::Key_Delete);
    QCOMPARE(de.date(), QDate(2019, 9, 9));
    QCOMPARE(de.lineEdit()->text(), QStringLiteral("09.09.2019"));
    QVERIFY(!de.button()->isEnabled());
    QCOMPARE(spy.count(), 0);

    // The program may still set the value.
    de.setDate(QDate(2019, 9, 10));
    QCOMPARE(spy.count(), 1);

    de.setReadOnly(false);
    de.lineEdit()->selectAll();
    typeInto(de.lineEdit(), QStringLiteral("1.1.2000"));
    QCOMPARE(de.date(), QDate(2000, 1, 1));
}

void TstWidgets::dateEditCalendarPick()
{
    QWidget window;
    auto *de = new QFDateEdit(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy spy(de, &QFDateEdit::dateChanged);

    QTest::mouseClick(de->button(), Qt::LeftButton);
    QCalendarWidget *cal = de->calendarWidget();
    QTRY_VERIFY(cal->isVisible());
    QCOMPARE(cal->selectedDate(), QDate::currentDate()); // empty field opens on today

    emit cal->clicked(QDate(2023, 4, 12));
    QCOMPARE(de->date(), QDate(2023, 4, 12));
    QCOMPARE(de->lineEdit()->text(), QStringLiteral("12.04.2023"));
    QCOMPARE(spy.count(), 1);
    QTRY_VERIFY(!cal->isVisible());

    // Reopened, it shows the current value.
    de->showCalendar();
    QCOMPARE(cal->selectedDate(), QDate(2023, 4, 12));
    cal->window()->hide();

    de->setReadOnly(true);
    de->showCalendar();
    QVERIFY(!cal->isVisible());
}

// ---------------------------------------------------------------- QFEditWithButton

void TstWidgets::editWithButtonKeepsIdBesideText()
{
    QFEditWithButton e;
    QSignalSpy idSpy(&e, &QFEditWithButton::idChanged);
    QSignalSpy textSpy(&e, &QFEditWithButton::textChanged);

    e.setId(QStringLiteral("12,15"));
    e.setText(QStringLiteral("Novák, Dvořák"));
    QCOMPARE(e.Id(), QStringLiteral("12,15"));
    QCOMPARE(e.text(), QStringLiteral("Novák, Dvořák"));
    QCOMPARE(e.lineEdit()->text(), QStringLiteral("Novák, Dvořák")); // the id is not shown
    QCOMPARE(idSpy.count(), 1);
    QCOMPARE(textSpy.count(), 1);

    e.setId(QStringLiteral("12,15"));
    QCOMPARE(idSpy.count(), 1);

    // Typing changes the text only.
    e.lineEdit()->selectAll();
    typeInto(e.lineEdit(), QStringLiteral("C:/Nextcloud"));
    QCOMPARE(e.text(), QStringLiteral("C:/Nextcloud"));
    QCOMPARE(e.Id(), QStringLiteral("12,15"));
    QVERIFY(textSpy.count() > 1);
    QCOMPARE(textSpy.last().at(0).toString(), QStringLiteral("C:/Nextcloud"));

    e.clear();
    QVERIFY(e.Id().isEmpty());
    QVERIFY(e.text().isEmpty());
    QCOMPARE(idSpy.count(), 2);
}

void TstWidgets::editWithButtonClick()
{
    QFEditWithButton e;
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QSignalSpy spy(&e, &QFEditWithButton::buttonClicked);
    QTest::mouseClick(e.button(), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);

    // The form's focus lands in the edit (the export dialog focuses it).
    e.setFocus();
    QTRY_VERIFY(e.lineEdit()->hasFocus());
}

void TstWidgets::editWithButtonReadOnly()
{
    QFEditWithButton e;
    e.setId(QStringLiteral("7"));
    e.setText(QStringLiteral("Farma Dolní"));
    e.setReadOnly(true);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QSignalSpy spy(&e, &QFEditWithButton::buttonClicked);

    QVERIFY(!e.button()->isEnabled());
    QTest::mouseClick(e.button(), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    typeInto(e.lineEdit(), QStringLiteral("x"));
    QCOMPARE(e.text(), QStringLiteral("Farma Dolní"));
    QCOMPARE(e.Id(), QStringLiteral("7"));

    e.setReadOnly(false);
    QTest::mouseClick(e.button(), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void TstWidgets::editWithButtonPickerOnly()
{
    // A field whose text must match its id: only the picker sets it.
    QFEditWithButton e;
    e.setTextEditable(false);
    e.setText(QStringLiteral("Počet vybraných podniků :3"));
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QSignalSpy spy(&e, &QFEditWithButton::buttonClicked);

    typeInto(e.lineEdit(), QStringLiteral("x"));
    QCOMPARE(e.text(), QStringLiteral("Počet vybraných podniků :3"));
    QTest::mouseClick(e.button(), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

// ---------------------------------------------------------------- QSTBTextedit

void TstWidgets::toolBarPlacement()
{
    // Text box in the container's own vertical layout: tool bar right above.
    {
        QWidget page;
        auto *v = new QVBoxLayout(&page);
        auto *label = new QLineEdit(&page);
        auto *edit = new QTextEdit(&page);
        v->addWidget(label);
        v->addWidget(edit);
        QSTBTextedit tb;
        tb.createTB(&page, edit, page.font(), false);
        QCOMPARE(v->indexOf(tb.toolBar()), 1);
        QCOMPARE(v->indexOf(edit), 2);
    }
    // A separate place-holder above the editor (as in the event panes).
    {
        QWidget pane;
        auto *v = new QVBoxLayout(&pane);
        auto *holder = new QWidget(&pane);
        auto *edit = new QTextEdit(&pane);
        v->addWidget(holder);
        v->addWidget(edit);
        QSTBTextedit tb;
        tb.createTB(holder, edit, pane.font(), false);
        QCOMPARE(tb.toolBar()->parentWidget(), holder);
        QVERIFY(holder->layout() && holder->layout()->indexOf(tb.toolBar()) == 0);
        QCOMPARE(edit->parentWidget(), &pane); // the editor stays where it was
    }
    // Editor in a splitter beside a form: both end up in the splitter's slot.
    {
        QSplitter splitter;
        auto *form = new QWidget;
        auto *edit = new QTextEdit;
        splitter.addWidget(form);
        splitter.addWidget(edit);
        QSTBTextedit tb;
        tb.createTB(&splitter, edit, splitter.font(), true);
        QCOMPARE(splitter.count(), 2);
        QWidget *slot = splitter.widget(1);
        QCOMPARE(edit->parentWidget(), slot);
        QCOMPARE(tb.toolBar()->parentWidget(), slot);
        QCOMPARE(slot->layout()->indexOf(tb.toolBar()), 0);
        QVERIFY(tb.fontBox());
        QVERIFY(tb.action(QSTBTextedit::ClearFormat));
    }
}

void TstWidgets::toolBarBoldAndReflect()
{
    QWidget page;
    auto *v = new QVBoxLayout(&page);
    auto *edit = new QTextEdit(&page);
    v->addWidget(edit);
    QSTBTextedit tb;
    tb.createTB(&page, edit, page.font(), false);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    edit->setPlainText(QStringLiteral("tučně obyčejně"));
    QTextCursor c = edit->textCursor();
    c.setPosition(0);
    c.setPosition(5, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
    QVERIFY(!tb.action(QSTBTextedit::Bold)->isChecked());

    QTest::mouseClick(buttonOf(tb, QSTBTextedit::Bold), Qt::LeftButton);
    QVERIFY(edit->toHtml().contains(QStringLiteral("font-weight:600")));
    QVERIFY(tb.action(QSTBTextedit::Bold)->isChecked());

    // Only the selection took it.
    c.setPosition(10);
    edit->setTextCursor(c);
    QVERIFY(!edit->currentCharFormat().font().bold());
    QVERIFY(!tb.action(QSTBTextedit::Bold)->isChecked());
    c.setPosition(3);
    edit->setTextCursor(c);
    QVERIFY(tb.action(QSTBTextedit::Bold)->isChecked());

    // Italic and underline for what is typed next.
    c.movePosition(QTextCursor::End);
    edit->setTextCursor(c);
    QTest::mouseClick(buttonOf(tb, QSTBTextedit::Italic), Qt::LeftButton);
    QTest::mouseClick(buttonOf(tb, QSTBTextedit::Underline), Qt::LeftButton);
    typeInto(edit, QStringLiteral(" nove"));
    const QString html = edit->toHtml();
    QVERIFY(html.contains(QStringLiteral("font-style:italic")));
    QVERIFY(html.contains(QStringLiteral("text-decoration: underline")));

    // Bold off again on the bold word.
    c.setPosition(0);
    c.setPosition(5, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
    QTest::mouseClick(buttonOf(tb, QSTBTextedit::Bold), Qt::LeftButton);
    QVERIFY(!edit->toHtml().contains(QStringLiteral("font-weight:600")));
}

void TstWidgets::toolBarLists()
{
    QWidget page;
    auto *v = new QVBoxLayout(&page);
    auto *edit = new QTextEdit(&page);
    v->addWidget(edit);
    QSTBTextedit tb;
    tb.createTB(&page, edit, page.font(), false);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    edit->setPlainText(QStringLiteral("dojírna\nkrmení\nstáje"));
    selectAll(edit);

    QTest::mouseClick(buttonOf(tb, QSTBTextedit::BulletList), Qt::LeftButton);
    QVERIFY(edit->toHtml().contains(QStringLiteral("<ul")));
    QCOMPARE(edit->document()->firstBlock().textList()->count(), 3);
    QVERIFY(tb.action(QSTBTextedit::BulletList)->isChecked());
    QVERIFY(!tb.action(QSTBTextedit::NumberedList)->isChecked());

    // Numbered turns the same list into a numbered one.
    QTest::mouseClick(buttonOf(tb, QSTBTextedit::NumberedList), Qt::LeftButton);
    QString html = edit->toHtml();
    QVERIFY(html.contains(QStringLiteral("<ol")));
    QVERIFY(!html.contains(QStringLiteral("<ul")));
    QVERIFY(tb.action(QSTBTextedit::NumberedList)->isChecked());
    QVERIFY(!tb.action(QSTBTextedit::BulletList)->isChecked());

    // Pressing it again leaves the list.
    QTest::mouseClick(buttonOf(tb, QSTBTextedit::NumberedList), Qt::LeftButton);
    html = edit->toHtml();
    QVERIFY(!html.contains(QStringLiteral("<ol")));
    QVERIFY(!html.contains(QStringLiteral("<li")));
    QCOMPARE(edit->toPlainText(), QStringLiteral("dojírna\nkrmení\nstáje"));
    QVERIFY(!tb.action(QSTBTextedit::NumberedList)->isChecked());
}

void TstWidgets::toolBarAlignSizeColour()
{
    QWidget page;
    auto *v = new QVBoxLayout(&page);
    auto *edit = new QTextEdit(&page);
    v->addWidget(edit);
    QFont font = page.font();
    font.setPointSize(10);
    QSTBTextedit tb;
    tb.createTB(&page, edit, font, false);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    QCOMPARE(tb.sizeBox()->currentText(), QStringLiteral("10")); // the base font's size

    edit->setPlainText(QStringLiteral("Nadpis"));
    selectAll(edit);
    QTest::mouseClick(buttonOf(tb, QSTBTextedit::AlignCenter), Qt::LeftButton);
    QVERIFY(edit->toHtml().contains(QStringLiteral("align=\"center\"")));
    QVERIFY(tb.action(QSTBTextedit::AlignCenter)->isChecked());
    QTest::mouseClick(buttonOf(tb, QSTBTextedit::AlignJustify), Qt::LeftButton);
    QVERIFY(edit->toHtml().contains(QStringLiteral("align=\"justify\"")));

    selectAll(edit);
    tb.sizeBox()->setCurrentText(QStringLiteral("18"));
    emit tb.sizeBox()->textActivated(QStringLiteral("18"));
    QVERIFY(edit->toHtml().contains(QStringLiteral("font-size:18pt")));

    selectAll(edit);
    tb.setTextColor(QColor(255, 0, 0));
    QVERIFY(edit->toHtml().contains(QStringLiteral("color:#ff0000")));

    // Moving into unformatted text shows the base size again.
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    edit->setCurrentCharFormat(QTextCharFormat());
    QCOMPARE(tb.sizeBox()->currentText(), QStringLiteral("10"));
}

void TstWidgets::toolBarFollowsReadOnly()
{
    QWidget page;
    auto *v = new QVBoxLayout(&page);
    auto *edit = new QTextEdit(&page);
    v->addWidget(edit);
    QSTBTextedit tb;
    tb.createTB(&page, edit, page.font(), false);
    QVERIFY(tb.toolBar()->isEnabled());
    edit->setReadOnly(true);
    QVERIFY(!tb.toolBar()->isEnabled());
    edit->setReadOnly(false);
    QVERIFY(tb.toolBar()->isEnabled());

    // Building it again for another editor replaces the old tool bar.
    auto *other = new QTextEdit(&page);
    v->addWidget(other);
    QPointer<QToolBar> old = tb.toolBar();
    tb.createTB(&page, other, page.font(), false);
    QVERIFY(old.isNull());
    QCOMPARE(tb.textEdit(), other);
}

QTEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
