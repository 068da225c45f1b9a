#include "events/dialogkategorie.h"
#include "events/dialogoo.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

// The codes of the ticked boxes (of every box), in box order.
QStringList codes(const QDialog *dialog, bool tickedOnly = true)
{
    QStringList codes;
    for (const QCheckBox *box : dialog->findChildren<QCheckBox *>())
        if (!tickedOnly || box->isChecked())
            codes << box->whatsThis();
    return codes;
}

void tick(const QDialog *dialog, const QString &code, bool on = true)
{
    for (QCheckBox *box : dialog->findChildren<QCheckBox *>())
        if (box->whatsThis() == code)
            box->setChecked(on);
}

} // namespace

class TstChoiceDialogs : public QObject
{
    Q_OBJECT

private slots:
    void categories_data();
    void categories();
    void chooseCategories();
    void persons_data();
    void persons();
    void choosePersons();
};

void TstChoiceDialogs::categories_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("clicks");       // a button, then a box to tick
    QTest::addColumn<QString>("ticked");   // "*": every box
    QTest::addColumn<QString>("result");
    QTest::newRow("no filter ticks all") << "" << "" << "*" << "";
    QTest::newRow("two codes") << "8,32" << "" << "8,32" << "8,32";
    QTest::newRow("box order") << "32,0" << "" << "0,32" << "0,32";
    // 64 has no box; a code must match whole.
    QTest::newRow("unknown and partial codes") << ",64,3,32,," << "" << "32" << "32";
    // Nothing ticked filters nothing.
    QTest::newRow("Zruš výběr") << "8" << "tb_none" << "" << "";
    QTest::newRow("Zruš výběr, then one") << "8" << "tb_none 16" << "16" << "16";
    QTest::newRow("Vyber vše") << "8" << "tb_all" << "*" << "";
}

void TstChoiceDialogs::categories()
{
    QFETCH(QString, filter);
    QFETCH(QString, clicks);
    QFETCH(QString, ticked);
    DialogKategorie dialog;
    dialog.setValue(QStringLiteral("2"));   // a previous value must not linger
    dialog.setValue(filter);
    const QStringList steps = clicks.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!steps.isEmpty())
        childNamed<QToolButton>(&dialog, qPrintable(steps.first()))->click();
    if (steps.size() > 1)
        tick(&dialog, steps.at(1));
    QCOMPARE(codes(&dialog).join(','), ticked == "*" ? codes(&dialog, false).join(',') : ticked);
    QTEST(dialog.value(), "result");
}

void TstChoiceDialogs::chooseCategories()
{
    QString filter = "8,32";
    for (const bool accept : {false, true}) {
        ModalHandler handler([&](QWidget *modal) {
            auto *dialog = qobject_cast<DialogKategorie *>(modal);
            if (!dialog)
                return false;
            dialog->selectNone();
            tick(dialog, "128");
            accept ? dialog->accept() : dialog->reject();
            return true;
        });
        QCOMPARE(DialogKategorie::choose(nullptr, &filter), accept);
        QVERIFY(handler.handled());
        QCOMPARE(filter, QString(accept ? "128" : "8,32"));
    }
}

void TstChoiceDialogs::persons_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("change");   // "none", then codes to untick (-) or tick (+)
    QTest::addColumn<QString>("result");
    QTest::newRow("no filter") << "" << "" << "";
    QTest::newRow("in box order") << "podpora@tellmark.cz,JN" << "" << "JN,podpora@tellmark.cz";
    QTest::newRow("none stays none") << "none" << "" << "none";
    QTest::newRow("all unticked") << "" << "none" << "none";
    // "Nespecifikovano" (the box without a code) alone must not widen the
    // filter to everyone.
    QTest::newRow("only Nespecifikovano") << "JN" << "-JN +" << "none";
    QTest::newRow("Nespecifikovano adds nothing") << "ES" << "+" << "ES";
    QTest::newRow("all but one") << "" << "-VK"
        << "ES,JM,JN,LH,MD,PK,TB,podpora.pl@tellmark.cz,podpora.ru@tellmark.cz,podpora@tellmark.cz,"
           "technologie.pl@tellmark.cz,technologie.ru@tellmark.cz,technologie@tellmark.cz";
}

void TstChoiceDialogs::persons()
{
    QFETCH(QString, value);
    QFETCH(QString, change);
    DialogOO dialog;
    dialog.setValue(value, QStringLiteral(" a@b.cz,c@d.cz"));
    QCOMPARE(childNamed<QLineEdit>(&dialog, "leoo")->text(), QString(" a@b.cz,c@d.cz"));
    QCOMPARE(dialog.further(), QString(" a@b.cz,c@d.cz"));
    for (const QString &step : change.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("none"))
            dialog.selectNone();
        else
            tick(&dialog, step.mid(1), step.startsWith('+'));
    }
    QTEST(dialog.persons(), "result");

    // Opening the result again shows the same choice.
    DialogOO again;
    again.setValue(dialog.persons(), dialog.further());
    QCOMPARE(again.persons(), dialog.persons());
}

void TstChoiceDialogs::choosePersons()
{
    QString shown;
    QString persons = "JN";
    QString further = "old@a.cz";
    ModalHandler ok([&](QWidget *modal) {
        auto *dialog = qobject_cast<DialogOO *>(modal);
        if (!dialog)
            return false;
        auto *line = childNamed<QLineEdit>(dialog, "leoo");
        shown = line->text();
        tick(dialog, "ES");
        line->setText("x@y.cz");
        dialog->accept();
        return true;
    });
    QVERIFY(DialogOO::choose(nullptr, &persons, &further));
    QVERIFY(ok.handled());
    QCOMPARE(shown, QString("old@a.cz"));
    QCOMPARE(persons, QString("ES,JN"));
    QCOMPARE(further, QString("x@y.cz"));
}

ZRN_TEST_MAIN(TstChoiceDialogs)
#include "tst_choicedialogs.moc"
