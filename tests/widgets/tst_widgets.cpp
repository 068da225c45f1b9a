// Form widgets as the pages use them: the date edit that may stay empty, the
// edit that keeps an id beside its text, and the rich-text tool bar.

#include "widgets/qf.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"
#include "widgets/qstbtextedit.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTextList>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "support/testmain.h"

namespace {

// A text box with its tool bar in a shown page.
struct RichText {
    QWidget page;
    QTextEdit *edit = new QTextEdit(&page);
    QSTBTextedit tb;
    RichText()
    {
        (new QVBoxLayout(&page))->addWidget(edit);
        tb.createTB(&page, edit, page.font(), false);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
    }
    void press(QSTBTextedit::Action a)
    {
        QTest::mouseClick(qobject_cast<QToolButton *>(tb.toolBar()->widgetForAction(tb.action(a))), Qt::LeftButton);
    }
    void select(int from, int to)
    {
        QTextCursor c = edit->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }
    bool checked(QSTBTextedit::Action a) const { return tb.action(a)->isChecked(); }
};

} // namespace

class TstWidgets : public QObject
{
    Q_OBJECT

private slots:
    void parseDate_data();
    void parseDate();

    void dateEditSetAndClear();
    void dateEditTyped_data();
    void dateEditTyped();
    void dateEditReadOnly();
    void dateEditCalendarPick();

    void editWithButtonKeepsIdBesideText();
    void editWithButtonModes_data();
    void editWithButtonModes();

    void toolBarButtonsWriteHtml_data();
    void toolBarButtonsWriteHtml();
    void toolBarTogglesAndFollowsCursor();
    void toolBarFollowsReadOnly();
};

void TstWidgets::parseDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("fullYearOnly");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("default format") << "05.03.2024" << false << QDate(2024, 3, 5);
    QTest::newRow("d.M.yyyy, blanks") << "  5. 3. 2024 " << false << QDate(2024, 3, 5);
    QTest::newRow("two-digit year") << "5.3.24" << false << QDate(2024, 3, 5);
    QTest::newRow("two-digit year of last century") << "5.3.99" << false << QDate(1999, 3, 5);
    QTest::newRow("two-digit year while typing") << "5.3.24" << true << QDate();
    QTest::newRow("iso") << "2024-03-05" << false << QDate(2024, 3, 5);
    QTest::newRow("leap day") << "29.2.2024" << false << QDate(2024, 2, 29);
    QTest::newRow("no leap day") << "29.2.2023" << false << QDate();
    QTest::newRow("month 13") << "1.13.2024" << false << QDate();
    QTest::newRow("empty") << "" << false << QDate();
}

void TstWidgets::parseDate()
{
    QFETCH(QString, text);
    QFETCH(bool, fullYearOnly);
    QFETCH(QDate, expected);
    const QDate d = Qf::parseDate(text, fullYearOnly);
    QCOMPARE(d, expected);
    QCOMPARE(d.isNull(), !expected.isValid());
}

void TstWidgets::dateEditSetAndClear()
{
    QFDateEdit de;
    QVERIFY(de.date().isNull());
    QVERIFY(de.lineEdit()->text().isEmpty());
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);

    de.setDate(QDate(2024, 3, 5));
    QCOMPARE(de.lineEdit()->text(), QStringLiteral("05.03.2024"));
    de.setDate(QDate(2024, 3, 5)); // same value: no change to report
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.last().at(0).toDate(), QDate(2024, 3, 5));

    // A database NULL read as a variant empties the field.
    de.setDate(QVariant().toDate());
    QVERIFY(de.date().isNull());
    QVERIFY(de.lineEdit()->text().isEmpty());
    QCOMPARE(spy.count(), 2);
    QVERIFY(spy.last().at(0).toDate().isNull());

    // An invalid date is an empty field, not garbage.
    de.setDate(QDate(2024, 2, 30));
    QVERIFY(de.date().isNull());
    QCOMPARE(spy.count(), 2);
}

void TstWidgets::dateEditTyped_data()
{
    QTest::addColumn<QDate>("before");
    QTest::addColumn<QString>("typed"); // empty: the text is deleted
    QTest::addColumn<bool>("pressEnter");
    QTest::addColumn<QDate>("expected");
    QTest::addColumn<QString>("shownAfter");
    QTest::addColumn<int>("changes");

    const QDate none, d(2024, 3, 5), june(2020, 6, 1);
    QTest::newRow("full date counts while typing") << none << "5.3.2024" << false << d << "5.3.2024" << 1;
    QTest::newRow("full date, Enter reformats") << none << "5.3.2024" << true << d << "05.03.2024" << 1;
    QTest::newRow("two-digit year waits for Enter") << none << "5.3.24" << false << none << "5.3.24" << 0;
    QTest::newRow("two-digit year on Enter") << none << "5.3.24" << true << d << "05.03.2024" << 1;
    QTest::newRow("impossible day, Enter") << none << "31.2.2024" << true << none << "" << 0;
    QTest::newRow("not a date keeps the last one") << june << "32.6.2020" << true << june << "01.06.2020" << 0;
    QTest::newRow("another date") << june << "1.6.2021" << true << QDate(2021, 6, 1) << "01.06.2021" << 1;
    QTest::newRow("deleted") << june << "" << true << none << "" << 1;
}

void TstWidgets::dateEditTyped()
{
    QFETCH(QDate, before);
    QFETCH(QString, typed);
    QFETCH(bool, pressEnter);
    QFETCH(QDate, expected);
    QFETCH(QString, shownAfter);
    QFETCH(int, changes);

    QFDateEdit de;
    de.setDate(before);
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);
    de.lineEdit()->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(de.lineEdit(), Qt::Key_Delete);
    else
        QTest::keyClicks(de.lineEdit(), typed);
    if (pressEnter)
        QTest::keyClick(de.lineEdit(), Qt::Key_Return);

    QCOMPARE(de.date(), expected);
    QCOMPARE(de.lineEdit()->text(), shownAfter);
    QVERIFY(de.hasAcceptableInput());
    // One change, however many keys it took; none when nothing was taken.
    QCOMPARE(spy.count(), changes);
}

void TstWidgets::dateEditReadOnly()
{
    QFDateEdit de;
    de.setDate(QDate(2019, 9, 9));
    de.setReadOnly(true);
    QSignalSpy spy(&de, &QFDateEdit::dateChanged);
    de.lineEdit()->selectAll();
    QTest::keyClicks(de.lineEdit(), QStringLiteral("1.1.2000"));
    QTest::keyClick(de.lineEdit(), Qt::Key_Delete);
    QCOMPARE(de.date(), QDate(2019, 9, 9));
    QCOMPARE(de.lineEdit()->text(), QStringLiteral("09.09.2019"));
    QVERIFY(!de.button()->isEnabled());
    de.showCalendar();
    QVERIFY(!de.calendarWidget()->isVisible());
    QCOMPARE(spy.count(), 0);

    de.setDate(QDate(2019, 9, 10)); // the program may still set the value
    QCOMPARE(spy.count(), 1);
    de.setReadOnly(false);
    de.lineEdit()->selectAll();
    QTest::keyClicks(de.lineEdit(), QStringLiteral("1.1.2000"));
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
    QCOMPARE(cal->selectedDate(), QDate::currentDate()); // an empty field opens on today
    emit cal->clicked(QDate(2023, 4, 12));
    QCOMPARE(de->date(), QDate(2023, 4, 12));
    QCOMPARE(de->lineEdit()->text(), QStringLiteral("12.04.2023"));
    QCOMPARE(spy.count(), 1);
    QTRY_VERIFY(!cal->isVisible());
}

void TstWidgets::editWithButtonKeepsIdBesideText()
{
    QFEditWithButton e;
    QSignalSpy idSpy(&e, &QFEditWithButton::idChanged);
    e.setId(QStringLiteral("12,15"));
    e.setText(QStringLiteral("Novák, Dvořák"));
    e.setId(QStringLiteral("12,15"));
    QCOMPARE(e.lineEdit()->text(), QStringLiteral("Novák, Dvořák")); // the id is not shown
    QCOMPARE(idSpy.count(), 1);

    // Typing changes the text only.
    QSignalSpy textSpy(&e, &QFEditWithButton::textChanged);
    e.lineEdit()->selectAll();
    QTest::keyClicks(e.lineEdit(), QStringLiteral("C:/Nextcloud"));
    QCOMPARE(e.text(), QStringLiteral("C:/Nextcloud"));
    QCOMPARE(e.Id(), QStringLiteral("12,15"));
    QCOMPARE(textSpy.last().at(0).toString(), QStringLiteral("C:/Nextcloud"));

    e.clear();
    QVERIFY(e.Id().isEmpty());
    QVERIFY(e.text().isEmpty());
    QCOMPARE(idSpy.count(), 2);
}

void TstWidgets::editWithButtonModes_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("textEditable");
    QTest::addColumn<bool>("typingTaken");
    QTest::addColumn<int>("clicks");
    QTest::newRow("editable") << false << true << true << 1;
    QTest::newRow("read-only") << true << true << false << 0;
    QTest::newRow("picker only (text must match the id)") << false << false << false << 1;
}

void TstWidgets::editWithButtonModes()
{
    QFETCH(bool, readOnly);
    QFETCH(bool, textEditable);
    QFETCH(bool, typingTaken);
    QFETCH(int, clicks);
    QFEditWithButton e;
    e.setId(QStringLiteral("7"));
    e.setText(QStringLiteral("Farma Dolní"));
    e.setReadOnly(readOnly);
    e.setTextEditable(textEditable);
    e.show();
    QVERIFY(QTest::qWaitForWindowExposed(&e));
    QSignalSpy spy(&e, &QFEditWithButton::buttonClicked);

    e.lineEdit()->end(false);
    QTest::keyClicks(e.lineEdit(), QStringLiteral("x"));
    QTest::mouseClick(e.button(), Qt::LeftButton);
    QCOMPARE(e.text(), typingTaken ? QStringLiteral("Farma Dolníx") : QStringLiteral("Farma Dolní"));
    QCOMPARE(e.Id(), QStringLiteral("7"));
    QCOMPARE(e.button()->isEnabled(), !readOnly);
    QCOMPARE(spy.count(), clicks);
}

void TstWidgets::toolBarButtonsWriteHtml_data()
{
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("html");
    QTest::newRow("bold") << int(QSTBTextedit::Bold) << "font-weight:600";
    QTest::newRow("italic") << int(QSTBTextedit::Italic) << "font-style:italic";
    QTest::newRow("underline") << int(QSTBTextedit::Underline) << "text-decoration: underline";
    QTest::newRow("bullet list") << int(QSTBTextedit::BulletList) << "<ul";
    QTest::newRow("numbered list") << int(QSTBTextedit::NumberedList) << "<ol";
    QTest::newRow("centred") << int(QSTBTextedit::AlignCenter) << "align=\"center\"";
}

void TstWidgets::toolBarButtonsWriteHtml()
{
    QFETCH(int, action);
    QFETCH(QString, html);
    RichText r;
    r.edit->setPlainText(QStringLiteral("dojírna\nkrmení\nstáje"));
    r.edit->selectAll();
    QVERIFY(!r.edit->toHtml().contains(html));
    r.press(QSTBTextedit::Action(action));
    QVERIFY2(r.edit->toHtml().contains(html), qPrintable(r.edit->toHtml()));
    QVERIFY(r.checked(QSTBTextedit::Action(action)));
    QCOMPARE(r.edit->toPlainText(), QStringLiteral("dojírna\nkrmení\nstáje"));
}

void TstWidgets::toolBarTogglesAndFollowsCursor()
{
    RichText r;
    r.edit->setPlainText(QStringLiteral("tučně obyčejně"));
    r.select(0, 5);
    r.press(QSTBTextedit::Bold);
    // Only the selection took it; the button shows the format at the cursor.
    r.select(10, 10);
    QVERIFY(!r.checked(QSTBTextedit::Bold));
    r.select(3, 3);
    QVERIFY(r.checked(QSTBTextedit::Bold));
    r.select(0, 5);
    r.press(QSTBTextedit::Bold);
    QVERIFY(!r.edit->toHtml().contains(QStringLiteral("font-weight:600")));

    // Numbered turns a bullet list into a numbered one; pressed again it
    // leaves the list.
    r.edit->setPlainText(QStringLiteral("dojírna\nkrmení\nstáje"));
    r.edit->selectAll();
    r.press(QSTBTextedit::BulletList);
    QCOMPARE(r.edit->document()->firstBlock().textList()->count(), 3);
    r.press(QSTBTextedit::NumberedList);
    QVERIFY(!r.edit->toHtml().contains(QStringLiteral("<ul")));
    QVERIFY(!r.checked(QSTBTextedit::BulletList));
    r.press(QSTBTextedit::NumberedList);
    QVERIFY(!r.edit->toHtml().contains(QStringLiteral("<li")));
    QVERIFY(!r.checked(QSTBTextedit::NumberedList));
    QCOMPARE(r.edit->toPlainText(), QStringLiteral("dojírna\nkrmení\nstáje"));
}

void TstWidgets::toolBarFollowsReadOnly()
{
    RichText r;
    r.edit->setReadOnly(true);
    QVERIFY(!r.tb.toolBar()->isEnabled());
    r.edit->setReadOnly(false);
    QVERIFY(r.tb.toolBar()->isEnabled());

    // Built again for another editor, the old tool bar goes away.
    auto *other = new QTextEdit(&r.page);
    QPointer<QToolBar> old = r.tb.toolBar();
    r.tb.createTB(&r.page, other, r.page.font(), false);
    QVERIFY(old.isNull());
    QCOMPARE(r.tb.textEdit(), other);
}

ZRN_TEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
