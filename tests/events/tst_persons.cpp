#include "core/dialogauoouzivatel.h"
#include "core/eciselniky.h"
#include "events/dialogkategorie.h"
#include "events/dialogoo.h"
#include "support/testdb.h"

#include <QtWidgets>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const QStringList kAddresses = {QStringLiteral("obchod@tellmark.cz"), QStringLiteral("Servis@Firma.cz"),
                                QStringLiteral("sklad@tellmark.cz")};

// The names on the ticked boxes of a group.
QStringList ticked(const QWidget *dialog, const char *group)
{
    QStringList list;
    for (const QCheckBox *box : childNamed<QWidget>(dialog, group)->findChildren<QCheckBox *>())
        if (box->isChecked())
            list << box->text();
    return list;
}

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

class TstPersons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    // Stored codes shown as names, and the code of a signed-in user's login.
    void codeLists_data()
    {
        QTest::addColumn<bool>("login");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("result");
        QTest::newRow("person and mailbox") << false << "JN,podpora@tellmark.cz" << "Jan Novotný,podpora@tellmark.cz";
        QTest::newRow("stored order kept") << false << "podpora@tellmark.cz,ES" << "podpora@tellmark.cz,Eva Šedivá";
        QTest::newRow("empty") << false << "" << "";
        QTest::newRow("only commas") << false << ",,," << "";
        // Codes are case-sensitive, and the chooser-only member R has no name.
        QTest::newRow("unknown code stays") << false << "XY,jn,R,JN" << "XY,jn,R,Jan Novotný";
        QTest::newRow("login contained, any case") << true << "Jan.Novotny2" << "JN";
        QTest::newRow("login: last row wins") << true << "havel.mares" << "JM";
        QTest::newRow("login: by table order, not login order") << true << "mares.havel" << "JM";
        QTest::newRow("login without a match kept") << true << "Demo" << "Demo";
    }
    void codeLists()
    {
        QFETCH(bool, login);
        QFETCH(QString, given);
        QTEST(login ? ECiselniky::codeForLogin(given) : ECiselniky().codesToNames(given), "result");
    }

    void chooserRoundTrip_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("persons");
        QTest::addColumn<QStringList>("addresses");
        QTest::addColumn<QString>("others");
        QTest::addColumn<QString>("result");
        QTest::newRow("empty") << "" << QStringList() << QStringList() << "" << "";
        QTest::newRow("box order, then kept, then others")
            << ",other@a.cz,obchod@tellmark.cz,R,,jn" << QStringList{"Jan Novotný", "Radek Růžička"}
            << QStringList{"obchod@tellmark.cz"} << "other@a.cz" << "JN,R,obchod@tellmark.cz,other@a.cz";
        // A kept address written with capitals gets no tick and comes back lower-cased.
        QTest::newRow("unknown parts lower-cased") << "Podpora@Tellmark.cz,XY,Servis@Firma.cz" << QStringList()
            << QStringList() << "podpora@tellmark.cz,xy,servis@firma.cz" << "podpora@tellmark.cz,xy,servis@firma.cz";
        // A former member has no box: his code keeps its spelling (and his name in lists), spaces go.
        QTest::newRow("staff code without a box") << "vk, JN ,a b@firma.cz" << QStringList{"Jan Novotný"} << QStringList()
            << "VK,ab@firma.cz" << "JN,VK,ab@firma.cz";
    }
    void chooserRoundTrip()
    {
        QFETCH(QString, value);
        DialogAUOOUzivatel dialog(nullptr, kAddresses);
        dialog.selectAll();    // every box is unticked first
        dialog.setValue(value);
        QTEST(ticked(&dialog, "osoby_box"), "persons");
        QTEST(ticked(&dialog, "zalozky_box"), "addresses");
        QTEST(childNamed<QLineEdit>(&dialog, "leoo")->text(), "others");
        QTEST(dialog.value(), "result");
    }

    void categories_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("clicks");       // a button, then a box to tick
        QTest::addColumn<QString>("ticked");   // "*": every box
        QTest::addColumn<QString>("result");
        QTest::newRow("no filter ticks all") << "" << "" << "*" << "";
        QTest::newRow("box order") << "32,0" << "" << "0,32" << "0,32";
        // 64 has no box; a code must match whole.
        QTest::newRow("unknown and partial codes") << ",64,3,32,," << "" << "32" << "32";
        // Nothing ticked filters nothing.
        QTest::newRow("Zruš výběr") << "8" << "tb_none" << "" << "";
        QTest::newRow("Zruš výběr, then one") << "8" << "tb_none 16" << "16" << "16";
        QTest::newRow("Vyber vše") << "8" << "tb_all" << "*" << "";
    }
    void categories()
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

    // Either chooser changes the filter only when confirmed; the persons' one shows the further mailboxes.
    void choosers()
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
        QString shown, persons = "JN", further = "old@a.cz";
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

    void persons_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("change");   // "none", then codes to untick (-) or tick (+)
        QTest::addColumn<QString>("result");
        QTest::newRow("no filter") << "" << "" << "";
        QTest::newRow("in box order") << "podpora@tellmark.cz,JN" << "" << "JN,podpora@tellmark.cz";
        QTest::newRow("none stays none") << "none" << "" << "none";
        QTest::newRow("all unticked") << "" << "none" << "none";
        // "Nespecifikovano" (the box without a code) alone must not widen the filter to everyone.
        QTest::newRow("only Nespecifikovano") << "JN" << "-JN +" << "none";
        QTest::newRow("Nespecifikovano adds nothing") << "ES" << "+" << "ES";
        QTest::newRow("all but one") << "" << "-VK"
            << "ES,JM,JN,LH,MD,PK,TB,podpora.pl@tellmark.cz,podpora.ru@tellmark.cz,podpora@tellmark.cz,"
               "technologie.pl@tellmark.cz,technologie.ru@tellmark.cz,technologie@tellmark.cz";
    }
    void persons()
    {
        QFETCH(QString, value);
        QFETCH(QString, change);
        DialogOO dialog;
        dialog.setValue(value, QStringLiteral(" a@b.cz,c@d.cz"));
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
};

ZRN_TEST_MAIN(TstPersons)
#include "tst_persons.moc"
