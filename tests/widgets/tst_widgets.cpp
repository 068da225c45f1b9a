// Form widgets: the date edit that may stay empty, the edit keeping an id, the rich-text tool bar.

#include "support/testmain.h"
#include "support/uitest.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"
#include "widgets/qstbtextedit.h"

#include <QtWidgets>

namespace {

// A text box with its tool bar in a shown page; the buttons are found by the text they show as a tool tip.
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
    QToolButton *button(const QString &text) const
    {
        for (QToolButton *b : childNamed<QToolBar>(&page, "qstb_toolbar")->findChildren<QToolButton *>())
            if (b->defaultAction() && b->defaultAction()->text() == text)
                return b;
        qWarning("no button %s", qPrintable(text));
        return nullptr;
    }
    void press(const QString &text) { QTest::mouseClick(button(text), Qt::LeftButton); }
    bool checked(const QString &text) const { return button(text)->isChecked(); }
    void select(int from, int to)
    {
        QTextCursor c = edit->textCursor();
        c.setPosition(from);
        c.setPosition(to, QTextCursor::KeepAnchor);
        edit->setTextCursor(c);
    }
};

} // namespace

class TstWidgets : public QObject
{
    Q_OBJECT

private slots:
    void dateEdit_data()
    {
        QTest::addColumn<QDate>("before");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("typed"); // empty: the text is deleted
        QTest::addColumn<int>("then");      // typing alone, typing and Enter, or the program sets it (ISO)
        QTest::addColumn<QDate>("expected");
        QTest::addColumn<QString>("shownAfter");
        QTest::addColumn<int>("changes");
        const QDate none, d(2024, 3, 5), june(2020, 6, 1);
        const int type = 0, enter = 1, set = 2;
        QTest::newRow("full date counts while typing") << none << false << "5.3.2024" << type << d << "5.3.2024" << 1;
        QTest::newRow("full date, Enter reformats") << none << false << "5.3.2024" << enter << d << "05.03.2024" << 1;
        QTest::newRow("default format") << none << false << "05.03.2024" << type << d << "05.03.2024" << 1;
        QTest::newRow("blanks") << none << false << "  5. 3. 2024 " << enter << d << "05.03.2024" << 1;
        QTest::newRow("iso") << none << false << "2024-03-05" << enter << d << "05.03.2024" << 1;
        QTest::newRow("two-digit year waits for Enter") << none << false << "5.3.24" << type << none << "5.3.24" << 0;
        QTest::newRow("two-digit year on Enter") << none << false << "5.3.24" << enter << d << "05.03.2024" << 1;
        QTest::newRow("two-digit year of last century") << none << false << "5.3.99" << enter << QDate(1999, 3, 5)
                                                        << "05.03.1999" << 1;
        QTest::newRow("leap day") << none << false << "29.2.2024" << enter << QDate(2024, 2, 29) << "29.02.2024" << 1;
        QTest::newRow("no leap day") << none << false << "29.2.2023" << enter << none << "" << 0;
        QTest::newRow("month 13") << none << false << "1.13.2024" << enter << none << "" << 0;
        QTest::newRow("not a date keeps the last one") << june << false << "32.6.2020" << enter << june << "01.06.2020" << 0;
        QTest::newRow("another date") << june << false << "1.6.2021" << enter << QDate(2021, 6, 1) << "01.06.2021" << 1;
        QTest::newRow("deleted") << june << false << "" << enter << none << "" << 1;
        QTest::newRow("read-only: typing") << june << true << "1.1.2000" << enter << june << "01.06.2020" << 0;
        QTest::newRow("read-only: deleting") << june << true << "" << enter << june << "01.06.2020" << 0;
        QTest::newRow("set by the program") << none << false << "2024-03-05" << set << d << "05.03.2024" << 1;
        QTest::newRow("set again: no change") << d << false << "2024-03-05" << set << d << "05.03.2024" << 0;
        // A database NULL read as a variant empties the field; an invalid date is no garbage.
        QTest::newRow("set to NULL") << d << false << "" << set << none << "" << 1;
        QTest::newRow("set to 30 February") << none << false << "2024-02-30" << set << none << "" << 0;
        QTest::newRow("read-only: set") << june << true << "2024-03-05" << set << d << "05.03.2024" << 1;
    }
    void dateEdit()
    {
        QFETCH(QDate, before);
        QFETCH(bool, readOnly);
        QFETCH(QString, typed);
        QFETCH(int, then);
        QFDateEdit de;
        auto *edit = childNamed<QLineEdit>(&de, "qf_dateedit");
        de.setDate(before);
        de.setReadOnly(readOnly);
        QSignalSpy spy(&de, &QFDateEdit::dateChanged);
        edit->selectAll();
        if (then == 2)
            de.setDate(QDate::fromString(typed, Qt::ISODate));
        else if (typed.isEmpty())
            QTest::keyClick(edit, Qt::Key_Delete);
        else
            QTest::keyClicks(edit, typed);
        if (then == 1)
            QTest::keyClick(edit, Qt::Key_Return);
        QTEST(de.date(), "expected");
        QTEST(edit->text(), "shownAfter");
        QVERIFY(de.hasAcceptableInput());
        // One change, however many keys it took, telling the new date; none when nothing was taken.
        QTEST(spy.count(), "changes");
        if (!spy.isEmpty())
            QCOMPARE(spy.last().at(0).toDate(), de.date());
    }

    // The button or F4 opens the calendar on the date (today when empty); read-only, nothing opens.
    void dateEditCalendar_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("editable") << false;
        QTest::newRow("read-only") << true;
    }
    void dateEditCalendar()
    {
        QFETCH(bool, readOnly);
        QWidget window;
        auto *de = new QFDateEdit(&window);
        de->setReadOnly(readOnly);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QSignalSpy spy(de, &QFDateEdit::dateChanged);
        auto *button = childNamed<QToolButton>(de, "qf_datebutton");
        QCOMPARE(button->isEnabled(), !readOnly);
        if (readOnly) {
            QTest::keyClick(childNamed<QLineEdit>(de, "qf_dateedit"), Qt::Key_F4);
            auto *cal = de->findChild<QCalendarWidget *>("qf_calendar");
            QVERIFY(!cal || !cal->isVisible());
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
        QCalendarWidget *cal = childNamed<QCalendarWidget>(de, "qf_calendar");
        QTRY_VERIFY(cal && cal->isVisible());
        QCOMPARE(cal->selectedDate(), QDate::currentDate());
        emit cal->clicked(QDate(2023, 4, 12));
        QCOMPARE(de->date(), QDate(2023, 4, 12));
        QCOMPARE(spy.count(), 1);
        QTRY_VERIFY(!cal->isVisible());
    }

    void editWithButtonModes_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("textEditable");
        QTest::addColumn<bool>("typingTaken");
        QTest::addColumn<int>("clicks");
        QTest::newRow("editable") << false << true << true << 1;
        QTest::newRow("read-only") << true << true << false << 0;
        QTest::newRow("picker only (text must match the id)") << false << false << false << 1;
    }
    void editWithButtonModes()
    {
        QFETCH(bool, readOnly);
        QFETCH(bool, textEditable);
        QFETCH(bool, typingTaken);
        // The id is not shown and typing changes the text only; the same id again is no change.
        QFEditWithButton e;
        QSignalSpy ids(&e, &QFEditWithButton::idChanged);
        e.setId(QStringLiteral("7"));
        e.setText(QStringLiteral("Farma Dolní"));
        e.setId(QStringLiteral("7"));
        e.setReadOnly(readOnly);
        e.setTextEditable(textEditable);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QSignalSpy spy(&e, &QFEditWithButton::buttonClicked);
        QSignalSpy texts(&e, &QFEditWithButton::textChanged);
        auto *edit = childNamed<QLineEdit>(&e, "qf_edit");
        auto *button = childNamed<QToolButton>(&e, "qf_button");
        edit->end(false);
        QTest::keyClicks(edit, QStringLiteral("x"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(e.text(), typingTaken ? QStringLiteral("Farma Dolníx") : QStringLiteral("Farma Dolní"));
        QCOMPARE(texts.count(), int(typingTaken));
        QCOMPARE(e.Id(), QStringLiteral("7"));
        QCOMPARE(button->isEnabled(), !readOnly);
        QTEST(spy.count(), "clicks");
        e.clear();
        QVERIFY(e.Id().isEmpty());
        QVERIFY(edit->text().isEmpty());
        QCOMPARE(ids.count(), 2);
    }

    void toolBarButtonsWriteHtml_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("html");
        QTest::newRow("bold") << "Tučně" << "font-weight:600";
        QTest::newRow("italic") << "Kurzíva" << "font-style:italic";
        QTest::newRow("underline") << "Podtržení" << "text-decoration: underline";
        QTest::newRow("bullet list") << "Odrážky" << "<ul";
        QTest::newRow("numbered list") << "Číslování" << "<ol";
        QTest::newRow("centred") << "Zarovnat na střed" << "align=\"center\"";
    }
    void toolBarButtonsWriteHtml()
    {
        QFETCH(QString, button);
        QFETCH(QString, html);
        RichText r;
        r.edit->setPlainText(QStringLiteral("dojírna\nkrmení\nstáje"));
        r.edit->selectAll();
        QVERIFY(!r.edit->toHtml().contains(html));
        r.press(button);
        QVERIFY2(r.edit->toHtml().contains(html), qPrintable(r.edit->toHtml()));
        QVERIFY(r.checked(button));
        QCOMPARE(r.edit->toPlainText(), QStringLiteral("dojírna\nkrmení\nstáje"));
    }

    void toolBarTogglesAndFollowsCursor()
    {
        RichText r;
        r.edit->setPlainText(QStringLiteral("tučně obyčejně"));
        r.select(0, 5);
        r.press(QStringLiteral("Tučně"));
        // Only the selection took it; the button shows the format at the cursor.
        r.select(10, 10);
        QVERIFY(!r.checked(QStringLiteral("Tučně")));
        r.select(3, 3);
        QVERIFY(r.checked(QStringLiteral("Tučně")));
        r.select(0, 5);
        r.press(QStringLiteral("Tučně"));
        QVERIFY(!r.edit->toHtml().contains(QStringLiteral("font-weight:600")));
        // Numbered turns a bullet list into a numbered one; pressed again it leaves the list.
        r.edit->setPlainText(QStringLiteral("dojírna\nkrmení\nstáje"));
        r.edit->selectAll();
        r.press(QStringLiteral("Odrážky"));
        QCOMPARE(r.edit->document()->firstBlock().textList()->count(), 3);
        r.press(QStringLiteral("Číslování"));
        QVERIFY(!r.edit->toHtml().contains(QStringLiteral("<ul")));
        QVERIFY(!r.checked(QStringLiteral("Odrážky")));
        r.press(QStringLiteral("Číslování"));
        QVERIFY(!r.edit->toHtml().contains(QStringLiteral("<li")));
        QVERIFY(!r.checked(QStringLiteral("Číslování")));
        QCOMPARE(r.edit->toPlainText(), QStringLiteral("dojírna\nkrmení\nstáje"));
        auto *bar = childNamed<QToolBar>(&r.page, "qstb_toolbar");
        r.edit->setReadOnly(true);
        QVERIFY(!bar->isEnabled());
        r.edit->setReadOnly(false);
        QVERIFY(bar->isEnabled());

        // Built again for another editor, the old tool bar goes away and the new one acts on that editor.
        auto *other = new QTextEdit(&r.page);
        QPointer<QToolBar> old = bar;
        r.tb.createTB(&r.page, other, r.page.font(), false);
        QVERIFY(old.isNull());
        other->setPlainText(QStringLiteral("stáje"));
        other->selectAll();
        r.button(QStringLiteral("Tučně"))->click();
        QVERIFY(other->toHtml().contains(QStringLiteral("font-weight:600")));
    }
};

ZRN_TEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
