#include "core/dialoginfo.h"
#include "core/dialogtable.h"
#include "core/dialogtablelist.h"
#include "core/dialogtextedit.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/usersettings.h"
#include "db/database.h"
#include "db/qssql.h"
#include "support/testdb.h"
#include "support/testmain.h"
#include "support/uitest.h"

#include <QtWidgets>

namespace {

const QString kEnterprises = QStringLiteral("select id, podnik_nazev from tellmark_podniky");

QPushButton *button(const QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    return childNamed<QDialogButtonBox>(dialog, "buttonBox")->button(which);
}
QTableView *table(const QWidget *dialog) { return childNamed<QTableView>(dialog, "tableView"); }

// Column `column` of every row in the order the table shows them.
QStringList shown(const QWidget *dialog, int column = 0)
{
    QStringList texts;
    for (int row = 0; row < table(dialog)->model()->rowCount(); ++row)
        texts << table(dialog)->model()->index(row, column).data().toString();
    return texts;
}

// The enterprises as DialogTable::pick shows them, without the modal loop.
struct Picker {
    QStandardItemModel model;
    QSMySortFilterProxyModel proxy;
    DialogTable dialog;

    Picker()
    {
        model.setHorizontalHeaderLabels({QString(), QStringLiteral("Podnik")});
        QSSQL q;
        if (!q.exec(kEnterprises))
            qWarning("%s", qPrintable(q.lastError().text()));
        while (q.next())
            model.appendRow({new QStandardItem(q.value(0).toString()), new QStandardItem(q.value(1).toString())});
        proxy.sortMode = QSMySortFilterProxyModel::SortNumeric;
        dialog.setModel(&model, &proxy);
        dialog.setButtons(true, true);
    }
};

} // namespace

class TstTableDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev) values (1,'Žatec (Bělá)'),(2,'Statek Dubné'),"
                 "(3,'ZD Hrušov'),(5,'Farma Lhota'),(7,'Mlékárna 12'),(12,'Lesy Kout')");
    }

    void init() { ZrnSettings().clear(); }

    void restoreSettings_data()
    {
        QTest::addColumn<QVariantList>("stored");   // width, sort column, order; invalid: none
        QTest::addColumn<int>("shownWidth");   // -1: the width the table had
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<int>("sortOrder");
        QTest::addColumn<QString>("firstId");
        QTest::newRow("names descending") << QVariantList{250, 1, 1} << 250 << 1 << 1 << "1";
        QTest::newRow("nothing stored") << QVariantList{QVariant(), QVariant(), QVariant()} << -1 << 0 << 0 << "1";
        QTest::newRow("zero width") << QVariantList{0, 0, 1} << -1 << 0 << 1 << "12";
        QTest::newRow("negative width") << QVariantList{-40, 1, 0} << -1 << 1 << 0 << "5";
        QTest::newRow("text width, order 2") << QVariantList{"široký", 1, 2} << -1 << 1 << 0 << "5";
        QTest::newRow("column out of range") << QVariantList{90, 7, 1} << 90 << 0 << 1 << "12";
        QTest::newRow("column not a number") << QVariantList{90, "x", 0} << 90 << 0 << 0 << "1";
    }
    void restoreSettings()
    {
        QFETCH(QVariantList, stored);
        QFETCH(int, shownWidth);
        const char *const keys[] = {"t/sectionSize1", "t/sectionSort", "t/sectionSortOrder"};
        for (int i = 0; i < 3; ++i)
            if (stored.at(i).isValid())
                ZrnSettings().setValue(keys[i], stored.at(i));
        Picker p;
        QHeaderView *header = table(&p.dialog)->horizontalHeader();
        if (shownWidth < 0)
            shownWidth = header->sectionSize(1);
        p.dialog.restoreSettings("t");
        QCOMPARE(header->sectionSize(1), shownWidth);
        QTEST(header->sortIndicatorSection(), "sortColumn");
        QTEST(int(header->sortIndicatorOrder()), "sortOrder");
        QTEST(shown(&p.dialog).value(0), "firstId");
        // Saved back as they are shown.
        p.dialog.saveSettings("t");
        ZrnSettings s;
        QCOMPARE(s.value("t/sectionSize1").toInt(), shownWidth);
        QTEST(s.value("t/sectionSort").toInt(), "sortColumn");
        QTEST(s.value("t/sectionSortOrder").toInt(), "sortOrder");
    }

    void pick_data()
    {
        QTest::addColumn<bool>("namesDescending");
        QTest::addColumn<QString>("startId");
        QTest::addColumn<int>("action");   // the button clicked; none: a double-click on the row chosen
        QTest::addColumn<int>("startRow");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("text");
        // Names descending: Žatec (Bělá) (the lowest id), ZD Hrušov, Statek Dubné, Mlékárna 12 (id 7), ...
        const int ok = QDialogButtonBox::Ok;
        QTest::newRow("OK on the preselected row") << true << "7" << ok << 3 << true << "7" << "Mlékárna 12";
        QTest::newRow("no match keeps row 0") << true << "99" << ok << 0 << true << "1" << "Žatec (Bělá)";
        QTest::newRow("empty button") << true << "7" << int(QDialogButtonBox::Reset) << 3 << true << "" << "";
        QTest::newRow("close") << true << "7" << int(QDialogButtonBox::Close) << 3 << false << "7" << "old";
        // Without a stored sort the picker sorts by name, so the yellow line has a column to search:
        // Farma Lhota, Lesy Kout, Mlékárna 12, Statek Dubné (id 2), ..., Žatec (Bělá) (id 1).
        QTest::newRow("double-click") << false << "2" << 0 << 3 << true << "12" << "Lesy Kout";
        QTest::newRow("first start, no match: row 0 by name") << false << "99" << ok << 0 << true << "5" << "Farma Lhota";
    }
    void pick()
    {
        QFETCH(bool, namesDescending);
        QFETCH(QString, startId);
        QFETCH(int, action);
        QFETCH(QString, id);
        if (namesDescending) {
            ZrnSettings().setValue("spick/sectionSort", 1);
            ZrnSettings().setValue("spick/sectionSortOrder", 1);
        }
        // A width stored too narrow does not cut the names.
        ZrnSettings().setValue("spick/sectionSize1", 30);
        int startRow = -1, width = 0, grown = 0;
        bool fits = false;
        int visible = 0;
        ModalHandler handler([&](QWidget *modal) {
            auto *dialog = qobject_cast<DialogTable *>(modal);
            if (!dialog)
                return false;
            QTableView *view = table(dialog);
            startRow = view->currentIndex().row();
            for (auto which : {QDialogButtonBox::Ok, QDialogButtonBox::Reset, QDialogButtonBox::Close})
                visible += button(dialog, which)->isVisible();
            QHeaderView *header = view->horizontalHeader();
            fits = header->sectionSize(1) >= static_cast<QAbstractItemView *>(view)->sizeHintForColumn(1);
            // The names grow with the dialog.
            const int before = header->sectionSize(1);
            dialog->resize(dialog->width() + 200, dialog->height());
            QCoreApplication::processEvents();
            width = header->sectionSize(1);
            grown = width - before;
            if (action) {
                button(dialog, QDialogButtonBox::StandardButton(action))->click();
            } else {
                const int row = shown(dialog).indexOf(id);
                const QRect cell = view->visualRect(view->model()->index(row, 1));
                // A double-click reaches a view after the press of its first click.
                QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
            }
            return true;
        });
        const PickerSpec picker{"Výběr podniku", "spick", kEnterprises, {"Podnik"}, 1, {}};
        QString chosen = startId, text = "old";
        QTEST(DialogTable::pick(nullptr, picker, &chosen, &text), "accepted");
        QVERIFY(handler.handled());
        QTEST(startRow, "startRow");
        QCOMPARE(visible, 3);
        QCOMPARE(chosen, id);
        QTEST(text, "text");
        QVERIFY(fits);
        QCOMPARE(grown, 200);
        QCOMPARE(ZrnSettings().value("spick/sectionSize1").toInt(), width);
    }

    void pickFailingQuery()
    {
        MessageBoxAnswerer answerer;
        const PickerSpec picker{"Výběr", "sbad", "select id, nazev from no_such_table", {"Název"}, 1, {}};
        QString id = "4", text = "old";
        QVERIFY(!DialogTable::pick(nullptr, picker, &id, &text));
        QCOMPARE(answerer.messages.size(), 1);   // no picker behind it
        QVERIFY2(answerer.messages.first().startsWith("ZRN Chyba: "), qPrintable(answerer.messages.first()));
        QCOMPARE(id + text, QString("4old"));
    }

    void filterSearchesSortedColumn_data()
    {
        QTest::addColumn<int>("sortColumn");
        QTest::addColumn<bool>("sortAfterTyping");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("unsorted: ids") << -1 << false << "2" << QStringList{"2", "12"};
        QTest::newRow("sorted by id") << 0 << false << "2" << QStringList{"2", "12"};
        QTest::newRow("sorted by name") << 1 << false << "2" << QStringList{"7"};
        QTest::newRow("sorted by name after typing") << 1 << true << "2" << QStringList{"7"};
        QTest::newRow("any case") << 1 << false << "zd h" << QStringList{"3"};
        QTest::newRow("taken literally") << 1 << false << "(b" << QStringList{"1"};
        QTest::newRow("no match: OK needs a row") << 1 << false << "99" << QStringList();
    }
    void filterSearchesSortedColumn()
    {
        QFETCH(int, sortColumn);
        QFETCH(bool, sortAfterTyping);
        QFETCH(QString, typed);
        Picker p;
        auto *filter = childNamed<QLineEdit>(&p.dialog, "sfilter");
        if (sortAfterTyping)
            QTest::keyClicks(filter, typed);
        if (sortColumn >= 0)
            table(&p.dialog)->sortByColumn(sortColumn, Qt::AscendingOrder);
        if (!sortAfterTyping)
            QTest::keyClicks(filter, typed);
        QStringList ids = shown(&p.dialog);
        std::sort(ids.begin(), ids.end(), [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        QTEST(ids, "ids");
        QCOMPARE(button(&p.dialog, QDialogButtonBox::Ok)->isEnabled(), !ids.isEmpty());
        QCOMPARE(p.dialog.value(0).toString(), shown(&p.dialog).value(0));   // the current row
        filter->clear();
        QVERIFY(button(&p.dialog, QDialogButtonBox::Ok)->isEnabled());
    }

    void itemsNotEditable_data()
    {
        QTest::addColumn<QString>("gesture");
        QTest::newRow("F2") << "F2";
        QTest::newRow("typing") << "typing";
        QTest::newRow("click on the selected row") << "click";
        QTest::newRow("double-click") << "double-click";
    }
    void itemsNotEditable()
    {
        QFETCH(QString, gesture);
        Picker p;
        p.dialog.show();
        QTableView *view = table(&p.dialog);
        // Typed keys start an editor only in a focused view.
        p.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&p.dialog));
        view->setFocus();
        const QStringList before = shown(&p.dialog, 1);
        const QPoint cell = view->visualRect(view->model()->index(0, 1)).center();
        if (gesture == "F2") {
            QTest::keyClick(view, Qt::Key_F2);
        } else if (gesture == "typing") {
            QTest::keyClicks(view, "x");
        } else {
            QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
            if (gesture == "double-click")
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, cell);
            else   // a click edits only once no second click can follow
                QTest::qWait(QApplication::doubleClickInterval() + 100);
        }
        QVERIFY(view->viewport()->findChildren<QLineEdit *>().isEmpty());
        QCOMPARE(shown(&p.dialog, 1), before);
    }

    void listIds_data()
    {
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty") << "" << "" << QStringList();
        QTest::newRow("break-out text") << "1) or (1=1" << "" << QStringList();
        QTest::newRow("condition after zero") << "0 or 1=1" << "" << QStringList();
        QTest::newRow("junk, negative, twice") << "5,x,-3,5,7" << "5,7" << QStringList{"Farma Lhota", "Mlékárna 12"};
        QTest::newRow("spaces and signs") << " 3 , +12,2.5" << "3,12" << QStringList{"Lesy Kout", "ZD Hrušov"};
    }
    void listIds()
    {
        QFETCH(QString, given);
        QFETCH(QString, ids);
        DialogTableList list;
        const quint64 statements = Database::statementCount();
        list.setList(kEnterprises, "id", given, -1);
        QCOMPARE(Database::statementCount() > statements, !ids.isEmpty());
        QCOMPARE(list.ids(), ids);
        QStringList names = shown(&list);
        names.sort();
        QTEST(names, "names");
        QCOMPARE(table(&list)->selectionModel()->selectedRows().size(), ids.isEmpty() ? 0 : 1);
    }

    void listEdit_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("ids");
        QTest::addColumn<QString>("current");
        // The list starts as "2,3" with ZD Hrušov (3) selected.
        QTest::newRow("add new") << "add 12" << "2,3,12" << "Lesy Kout";
        QTest::newRow("add listed") << "add 2" << "2,3" << "Statek Dubné";
        QTest::newRow("add, empty button") << "add reset" << "2,3" << "ZD Hrušov";
        QTest::newRow("add, closed") << "add close" << "2,3" << "ZD Hrušov";
        QTest::newRow("delete selected") << "delete" << "2" << "Statek Dubné";
        QTest::newRow("delete, none selected") << "delete none" << "2,3" << "ZD Hrušov";
    }
    void listEdit()
    {
        QFETCH(QString, action);
        DialogTableList list;
        list.setList(kEnterprises, "id", "2,3", 3);
        const QString choice = action.section(' ', 1);
        ModalHandler handler([&](QWidget *modal) {
            auto *picker = qobject_cast<DialogTable *>(modal);
            if (!picker)
                return false;
            picker->selectValue(0, choice);
            const auto which = choice == "reset" ? QDialogButtonBox::Reset : QDialogButtonBox::Close;
            button(picker, choice.toInt() ? QDialogButtonBox::Ok : which)->click();
            return true;
        });
        if (action.startsWith("add")) {
            childNamed<QPushButton>(&list, "pridat")->click();
            QVERIFY(handler.handled());
            QVERIFY(ZrnSettings().contains("spodnik/sectionSort"));
        } else {
            if (choice == "none")
                table(&list)->clearSelection();
            childNamed<QPushButton>(&list, "odebrat")->click();
        }
        QTEST(list.ids(), "ids");
        QCOMPARE(shown(&list).size(), list.ids().count(',') + 1);
        QTEST(table(&list)->currentIndex().siblingAtColumn(0).data().toString(), "current");
    }

    void listSettings()
    {
        {
            DialogTableList list;
            list.setList(kEnterprises, "id", "2,3,5", -1);
            table(&list)->sortByColumn(0, Qt::DescendingOrder);
            list.saveSettings("slist");
        }
        DialogTableList list;
        list.restoreSettings("slist");
        list.setList(kEnterprises, "id", "5,2,3", -1);
        QCOMPARE(shown(&list), QStringList({"ZD Hrušov", "Statek Dubné", "Farma Lhota"}));
    }

    void textAndInfo()
    {
        // Rich text shown as such, read only, with nothing but "Zavřít".
        DialogTextEdit text;
        text.setContent("Popis změn", "<p><b>Verze 3.12</b></p><p>Opravy</p>");
        auto *edit = childNamed<QTextEdit>(&text, "textEdit");
        QCOMPARE(edit->toPlainText(), QString("Verze 3.12\nOpravy"));
        QVERIFY(edit->isReadOnly());
        QCOMPARE(childNamed<QDialogButtonBox>(&text, "buttonBox")->buttons(),
                 QList<QAbstractButton *>{button(&text, QDialogButtonBox::Cancel)});
        // The mail client's progress is the message; only the parts asked for show.
        DialogInfo info(nullptr, true, false, true, false, true);
        info.setInfo("Načítám");
        info.smtpStatus(1, 250, "Odesláno");
        QCOMPARE(childNamed<QLabel>(&info, "label")->text(), QString("Odesláno"));
        QVERIFY(!childNamed<QWidget>(&info, "progressBar")->isVisibleTo(&info));
        QVERIFY(childNamed<QWidget>(&info, "progressBar_2")->isVisibleTo(&info));
        QVERIFY(!button(&info, QDialogButtonBox::Ok)->isVisibleTo(&info));
        QVERIFY(button(&info, QDialogButtonBox::Cancel)->isVisibleTo(&info));
        // A plain DialogTable is a read-only list: Close only.
        DialogTable plain;
        QVERIFY(!button(&plain, QDialogButtonBox::Ok)->isVisibleTo(&plain));
        QVERIFY(!button(&plain, QDialogButtonBox::Reset)->isVisibleTo(&plain));
        QVERIFY(button(&plain, QDialogButtonBox::Close)->isVisibleTo(&plain));
    }
};

ZRN_TEST_MAIN(TstTableDialogs)
#include "tst_tabledialogs.moc"
