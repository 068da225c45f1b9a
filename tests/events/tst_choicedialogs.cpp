#include "events/dialogkategorie.h"
#include "events/dialogoo.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

QStringList tickedCodes(const QList<QCheckBox *> &boxes)
{
    QStringList codes;
    for (const QCheckBox *box : boxes)
        if (box->isChecked())
            codes << box->whatsThis();
    return codes;
}

QStringList allCodes(const QList<QCheckBox *> &boxes)
{
    QStringList codes;
    for (const QCheckBox *box : boxes)
        codes << box->whatsThis();
    return codes;
}

QCheckBox *boxOf(const QList<QCheckBox *> &boxes, const QString &code)
{
    for (QCheckBox *box : boxes)
        if (box->whatsThis() == code)
            return box;
    return nullptr;
}

} // namespace

class TstChoiceDialogs : public QObject
{
    Q_OBJECT

private slots:
    void categories_data();
    void categories();
    void categoryButtons();
    void chooseCategories();
    void persons_data();
    void persons();
    void choosePersons();
};

void TstChoiceDialogs::categories_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("ticked");   // empty: every box
    QTest::addColumn<QString>("result");
    QTest::newRow("no filter ticks all") << "" << QStringList() << "";
    QTest::newRow("two codes") << "8,32" << QStringList{"8", "32"} << "8,32";
    QTest::newRow("box order") << "32,0" << QStringList{"0", "32"} << "0,32";
    // 64 has no box; a code must match whole.
    QTest::newRow("unknown and partial codes") << ",64,3,32,," << QStringList{"32"} << "32";
}

void TstChoiceDialogs::categories()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, ticked);
    DialogKategorie dialog;
    QCOMPARE(dialog.boxes().size(), 13);
    QCOMPARE(dialog.boxes().at(3)->text(), QString("Tellmark / vývoj"));
    QCOMPARE(dialog.boxes().at(3)->whatsThis(), QString("4"));
    dialog.setValue(QStringLiteral("2"));   // a previous value must not linger
    dialog.setValue(filter);
    QCOMPARE(tickedCodes(dialog.boxes()), ticked.isEmpty() ? allCodes(dialog.boxes()) : ticked);
    QTEST(dialog.value(), "result");
}

void TstChoiceDialogs::categoryButtons()
{
    DialogKategorie dialog;
    dialog.setValue(QStringLiteral("8"));
    auto *none = childNamed<QToolButton>(&dialog, "tb_none");
    auto *all = childNamed<QToolButton>(&dialog, "tb_all");
    QVERIFY(none && all);
    QCOMPARE(none->text() + '|' + all->text(), QString("Zruš výběr|Vyber vše"));
    none->click();
    QVERIFY(tickedCodes(dialog.boxes()).isEmpty());
    QCOMPARE(dialog.value(), QString());   // nothing ticked filters nothing
    boxOf(dialog.boxes(), "16")->setChecked(true);
    QCOMPARE(dialog.value(), QString("16"));
    all->click();
    QCOMPARE(tickedCodes(dialog.boxes()), allCodes(dialog.boxes()));
    QCOMPARE(dialog.value(), QString());
}

void TstChoiceDialogs::chooseCategories()
{
    QString title;
    QString filter = "8,32";
    for (const bool accept : {false, true}) {
        ModalHandler handler([&](QWidget *modal) {
            auto *dialog = qobject_cast<DialogKategorie *>(modal);
            if (!dialog)
                return false;
            title = dialog->windowTitle();
            dialog->selectNone();
            boxOf(dialog->boxes(), "128")->setChecked(true);
            accept ? dialog->accept() : dialog->reject();
            return true;
        });
        QCOMPARE(DialogKategorie::choose(nullptr, &filter), accept);
        QVERIFY(handler.handled());
        QCOMPARE(filter, QString(accept ? "128" : "8,32"));
    }
    QCOMPARE(title, QString("Kategorie"));
}

void TstChoiceDialogs::persons_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("change");   // "", "none", or a code to tick as well
    QTest::addColumn<QString>("result");
    QTest::newRow("no filter") << "" << "" << "";
    QTest::newRow("in box order") << "podpora@tellmark.cz,JN" << "" << "JN,podpora@tellmark.cz";
    QTest::newRow("none stays none") << "none" << "" << "none";
    QTest::newRow("all unticked") << "" << "none" << "none";
    // "Nespecifikovano" alone must not widen the filter to everyone.
    QTest::newRow("only Nespecifikovano") << "JN" << "-JN+" << "none";
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
    QCheckBox *unspecified = dialog.boxes().value(0);
    QVERIFY(unspecified);
    QCOMPARE(unspecified->text(), QString("Nespecifikovano"));
    QVERIFY(unspecified->whatsThis().isEmpty());
    QCOMPARE(dialog.boxes().size(), 1 + 8 + 6);

    dialog.setValue(value, QStringLiteral(" a@b.cz,c@d.cz"));
    QCOMPARE(dialog.furtherEdit()->text(), QString(" a@b.cz,c@d.cz"));
    QCOMPARE(dialog.further(), QString(" a@b.cz,c@d.cz"));
    if (change == "none") {
        dialog.selectNone();
    } else if (change.startsWith('-')) {
        const QStringList steps = change.mid(1).split('+');
        boxOf(dialog.boxes(), steps.at(0))->setChecked(false);
        if (steps.size() > 1)
            unspecified->setChecked(true);
    } else if (change == "+") {
        unspecified->setChecked(true);
    }
    QTEST(dialog.persons(), "result");

    // Opening the result again shows the same choice.
    DialogOO again;
    again.setValue(dialog.persons(), dialog.further());
    QCOMPARE(again.persons(), dialog.persons());
}

void TstChoiceDialogs::choosePersons()
{
    QString title, shown;
    QString persons = "JN";
    QString further = "old@a.cz";
    ModalHandler ok([&](QWidget *modal) {
        auto *dialog = qobject_cast<DialogOO *>(modal);
        if (!dialog)
            return false;
        title = dialog->windowTitle();
        shown = dialog->furtherEdit()->text();
        boxOf(dialog->boxes(), "ES")->setChecked(true);
        dialog->furtherEdit()->setText("x@y.cz");
        dialog->accept();
        return true;
    });
    QVERIFY(DialogOO::choose(nullptr, &persons, &further));
    QVERIFY(ok.handled());
    QCOMPARE(title, QString("Odpovědná osoba"));
    QCOMPARE(shown, QString("old@a.cz"));
    QCOMPARE(persons, QString("ES,JN"));
    QCOMPARE(further, QString("x@y.cz"));
}

ZRN_TEST_MAIN(TstChoiceDialogs)
#include "tst_choicedialogs.moc"
