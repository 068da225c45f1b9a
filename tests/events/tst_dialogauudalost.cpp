#include "core/dialogauoouzivatel.h"
#include "core/dialogtable.h"
#include "events/dialogauudalost.h"
#include "events/qsattachment.h"
#include "support/testdb.h"
#include "widgets/qfdateedit.h"
#include "widgets/qfeditwithbutton.h"

#include <QtWidgets>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

Q_DECLARE_METATYPE(EventRecord)

namespace {

const QStringList kAddresses = {QStringLiteral("obchod@tellmark.cz")};

EventRecord fullRecord()
{
    EventRecord r;
    r.id = 42;
    r.priority = 3;
    r.hash = "h-42";
    r.start = QDateTime(QDate(2024, 3, 5), QTime(8, 30, 15));
    r.calendarStart = QDateTime(QDate(2024, 3, 6), QTime(10, 0));
    r.end = QDateTime(QDate(2024, 3, 6), QTime(11, 30));
    r.podnikId = 5;
    r.strediskoId = 7;
    r.podnikName = r.strediskoName = "stale name";   // the dialog reads the names itself
    r.place = "Dubné";
    r.source = 3;
    r.category = 32;
    r.state = 2;
    r.synchronisation = 1;
    r.journey = r.mail = r.service = true;
    r.project = "P-17";
    r.persons = "JN,podpora@tellmark.cz";
    r.subject = "Servis dojičky";
    r.description = "<p><b>Tučně</b> a dál</p>";
    r.notifyFrom = QDate(2024, 3, 10);
    return r;
}

// Values without an item, NULLs and links to rows that are gone.
EventRecord oddRecord()
{
    EventRecord r;
    r.parentId = 42;
    r.start = QDateTime(QDate(2023, 12, 31), QTime(23, 0));
    r.strediskoId = 999;
    r.strediskoName = "Zrušené středisko";
    r.category = 64;
    r.state = 7;
    r.subject = "Odpověď";
    return r;
}

QStringList visibleLabels(const QDialog &dialog)
{
    QStringList texts;
    for (const QLabel *label : dialog.findChildren<QLabel *>())
        if (label->isVisibleTo(&dialog) && !label->text().isEmpty())
            texts << label->text();
    texts.sort();
    return texts;
}

// Every value but the names (the dialog reads them itself), the description as text and whether bold.
QStringList fields(const EventRecord &r)
{
    QTextDocument text;
    text.setHtml(r.description);
    QStringList out{r.start.toString(Qt::ISODate), r.calendarStart.toString(Qt::ISODate), r.end.toString(Qt::ISODate),
                    r.notifyFrom.toString(Qt::ISODate), r.place, r.project, r.persons, r.subject, text.toPlainText(),
                    QString::number(r.description.contains(QLatin1String("<b>"))
                                    || r.description.contains(QLatin1String("font-weight:600"))),
                    QStringLiteral("%1%2%3").arg(r.journey).arg(r.mail).arg(r.service)};
    for (const QVariant &v : {r.id, r.parentId, r.podnikId, r.strediskoId, r.source, r.category, r.state,
                              r.priority, r.synchronisation})
        out << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    return out;
}

} // namespace

class TstDialogAUUdalost : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        // By name "Areál Bělá" comes first; once Statek Dubné is chosen its own centre does.
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev) values(5,'Statek Dubné'),(9,'Žatecká AGRO')",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo)"
                 " values(7,5,'Kravín Horní',1234),(3,9,'Areál Bělá',99)");
    }

    void roundTrip_data()
    {
        QTest::addColumn<EventRecord>("record");
        QTest::addColumn<QString>("enterprise");
        QTest::addColumn<QString>("centre");
        QTest::addColumn<QString>("persons");
        QTest::newRow("every field") << fullRecord() << "Statek Dubné" << "Kravín Horní"
                                     << "Jan Novotný,podpora@tellmark.cz";
        QTest::newRow("unknown codes and nulls") << oddRecord() << "" << "Zrušené středisko" << "";
    }
    void roundTrip()
    {
        QFETCH(EventRecord, record);
        DialogAUUdalost dialog(nullptr, QApplication::font(), kAddresses);
        dialog.setValues(fullRecord());   // what the second row must replace
        dialog.setValues(record);
        QTEST(childNamed<QFEditWithButton>(&dialog, "podnik")->text(), "enterprise");
        QTEST(childNamed<QFEditWithButton>(&dialog, "stredisko")->text(), "centre");
        QTEST(childNamed<QFEditWithButton>(&dialog, "oo")->text(), "persons");
        if (record.calendarStart.isNull()) {
            QVERIFY(childNamed<QFDateEdit>(&dialog, "uzd")->lineEdit()->text().isEmpty());
            QCOMPARE(childNamed<QTimeEdit>(&dialog, "ukc")->time(), QTime(23, 59, 59));
        }
        QCOMPARE(fields(dialog.values()), fields(record));
        // What the dialog has no field for passes through.
        QCOMPARE(dialog.values().hash, record.hash);
    }

    void optionalRows_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("synchronisation");
        QTest::addColumn<bool>("notifyFrom");
        QTest::addColumn<bool>("calendar");
        QTest::newRow("unspecified, none") << 0 << 0 << false << false;
        QTest::newRow("reported, calendar") << 1 << 1 << true << true;
        QTest::newRow("in progress") << 2 << 0 << true << false;
        QTest::newRow("closed") << 3 << 1 << false << true;
    }
    void optionalRows()
    {
        QFETCH(int, state);
        QFETCH(int, synchronisation);
        QFETCH(bool, notifyFrom);
        QFETCH(bool, calendar);
        DialogAUUdalost dialog(nullptr, QApplication::font(), kAddresses);   // opens as the row "unspecified, none"
        auto *states = childNamed<QComboBox>(&dialog, "cbStav");
        const QVector<QColor> squares = {Qt::gray, Qt::red, Qt::darkRed, Qt::green};
        for (int i = 0; i < squares.size(); ++i)
            QCOMPARE(states->itemIcon(i).pixmap(15, 15).toImage().pixelColor(7, 7), squares.at(i));
        states->setCurrentIndex(state);
        childNamed<QComboBox>(&dialog, "cbSynchronizace")->setCurrentIndex(synchronisation);
        const QStringList labels = visibleLabels(dialog);
        QCOMPARE(labels.contains("Nedokončené od"), notifyFrom);
        QCOMPARE(childNamed<QWidget>(&dialog, "upozorneni_od")->isVisibleTo(&dialog), notifyFrom);
        QCOMPARE(labels.contains("Začátek") && labels.contains("Konec"), calendar);
        for (const char *editor : {"uzd", "uzc", "ukd", "ukc"})
            QCOMPARE(childNamed<QWidget>(&dialog, editor)->isVisibleTo(&dialog), calendar);
    }

    void replyForm()
    {
        DialogAUUdalost dialog(nullptr, QApplication::font(), kAddresses);
        dialog.setValues(fullRecord());   // reported, calendar: both optional rows shown
        dialog.setReplyForm(true);
        QCOMPARE(visibleLabels(dialog), QStringList({"Odpovědná osoba", "Předmět", "Stav", "Upozornění", "Vytvořeno"}));
        for (const char *name : {"podnik", "stredisko", "lokalita", "cbZdroj", "cbKategorie", "cbCesta", "cprojektu",
                                 "upozorneni_od", "cbSynchronizace", "uzd", "ukd"})
            QVERIFY2(!childNamed<QWidget>(&dialog, name)->isVisibleTo(&dialog), name);
        for (const char *name : {"zd", "zc", "predmet", "cbStav", "oo", "cbNotifikace", "cbNotifikaceF", "popis", "tbw",
                                 "wattachment"})
            QVERIFY2(childNamed<QWidget>(&dialog, name)->isVisibleTo(&dialog), name);
        // The attachment list is laid out in its place, not just parented there.
        auto *attachments = childNamed<QWidget>(&dialog, "wattachment");
        QVERIFY(attachments->layout() && attachments->layout()->indexOf(attachments->findChild<QTableView *>()) >= 0);
        dialog.setReplyForm(false);
        QVERIFY(visibleLabels(dialog).contains("Nedokončené od"));
        QVERIFY(childNamed<QWidget>(&dialog, "popis")->isVisibleTo(&dialog));
    }

    void closing_data()
    {
        QTest::addColumn<QString>("input");   // "typed" or "attached", or the subject typed
        QTest::addColumn<int>("button");      // 0: Esc
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("closes");
        const int esc = 0, cancel = QDialogButtonBox::Cancel, ok = QDialogButtonBox::Ok;
        const QString discard = QStringLiteral("Otázka Přejete si zahodit rozpracovanou událost?");
        QTest::newRow("nothing entered") << "" << esc << int(QMessageBox::No) << "" << true;
        QTest::newRow("typed, Esc, no") << "typed" << esc << int(QMessageBox::No) << discard << false;
        QTest::newRow("typed, Zrušit, yes") << "typed" << cancel << int(QMessageBox::Yes) << discard << true;
        QTest::newRow("attached, Zrušit, no") << "attached" << cancel << int(QMessageBox::No) << discard << false;
        QTest::newRow("OK, blank subject") << "   " << ok << 0 << "ZRN Předmět události nemůže být prázdný." << false;
        QTest::newRow("OK") << "Servis" << ok << 0 << "" << true;
    }
    void closing()
    {
        QFETCH(QString, input);
        QFETCH(int, button);
        QFETCH(int, answer);
        QFETCH(QString, message);
        DialogAUUdalost dialog(nullptr, QApplication::font(), kAddresses);
        if (button != QDialogButtonBox::Ok)
            dialog.setValues(fullRecord());   // what is shown is no input
        dialog.show();
        auto *subject = childNamed<QLineEdit>(&dialog, "predmet");
        QTRY_COMPARE(QApplication::focusWidget(), subject);
        QTemporaryFile file;
        if (input == QLatin1String("typed"))
            QTest::keyClicks(childNamed<QLineEdit>(&dialog, "lokalita"), "x");
        else if (input == QLatin1String("attached"))
            QVERIFY(file.open() && dialog.attachments()->addFile(file.fileName()));
        else if (!input.isEmpty())
            subject->setText(input);
        MessageBoxAnswerer answerer{QMessageBox::StandardButton(answer)};
        if (button)
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::StandardButton(button))->click();
        else
            QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(answerer.messages, message.isEmpty() ? QStringList() : QStringList{message});
        QTEST(!dialog.isVisible(), "closes");
        if (button == QDialogButtonBox::Ok)
            QCOMPARE(dialog.result(), int(message.isEmpty() ? QDialog::Accepted : QDialog::Rejected));
    }

    // Each field's chooser: the pickers' first row (the enterprise's own centre first), first person and address.
    void choosers()
    {
        DialogAUUdalost dialog(nullptr, QApplication::font(), kAddresses);
        dialog.setVisibility(Visibility::everything());
        const auto choose = [&dialog](const char *name) {
            ModalHandler handler([](QWidget *modal) {
                if (auto *table = qobject_cast<DialogTable *>(modal)) {
                    table->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
                    return true;
                }
                auto *chooser = qobject_cast<DialogAUOOUzivatel *>(modal);
                if (!chooser)
                    return false;
                childNamed<QCheckBox>(chooser, "cbo1")->setChecked(true);
                childNamed<QCheckBox>(chooser, "cbz1")->setChecked(true);
                chooser->accept();
                return true;
            });
            auto *field = childNamed<QFEditWithButton>(&dialog, name);
            field->button()->click();
            return handler.handled() ? field->Id() + '|' + field->text() : QString();
        };
        QCOMPARE(choose("podnik"), QString("5|Statek Dubné"));
        QCOMPARE(choose("stredisko"), QString("7|Kravín Horní"));
        QCOMPARE(choose("oo"), QString("JN,obchod@tellmark.cz|Jan Novotný,obchod@tellmark.cz"));
    }
};

ZRN_TEST_MAIN(TstDialogAUUdalost)
#include "tst_dialogauudalost.moc"
