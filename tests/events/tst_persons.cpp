#include "app/session.h"
#include "db/qssql.h"
#include "events/dialogauoouzivatel.h"
#include "events/eciselniky.h"
#include "register/podnikpage.h"
#include "support/testdb.h"
#include "ui_podnikpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QStringList kAddresses = {QStringLiteral("obchod@tellmark.cz"), QStringLiteral("Servis@Firma.cz"),
                                QStringLiteral("sklad@tellmark.cz")};

QStringList ticked(const QList<QCheckBox *> &boxes)
{
    QStringList list;
    for (const QCheckBox *box : boxes)
        if (box->isChecked())
            list << box->text();
    return list;
}

} // namespace

class TstPersons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void codesToNames_data();
    void codesToNames();
    void personsList();
    void codeForLogin_data();
    void codeForLogin();
    void chooserRoundTrip_data();
    void chooserRoundTrip();
    void chooserButtonsAndTyping();
    void enterprisePage();
};

void TstPersons::codesToNames_data()
{
    QTest::addColumn<QString>("codes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("person and mailbox") << "JN,podpora@tellmark.cz" << "Jan Novotný,podpora@tellmark.cz";
    QTest::newRow("stored order kept") << "podpora@tellmark.cz,ES" << "podpora@tellmark.cz,Eva Šedivá";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("only commas") << ",,," << "";
    QTest::newRow("empty parts dropped") << ",TB,,VK," << "Tomáš Brabec,Václav Kopal";
    QTest::newRow("unknown code stays") << "XY,JN" << "XY,Jan Novotný";
    QTest::newRow("codes are case-sensitive") << "jn" << "jn";
    QTest::newRow("chooser-only member stays a code") << "R" << "R";
}

void TstPersons::codesToNames()
{
    QFETCH(QString, codes);
    QFETCH(QString, shown);
    QCOMPARE(ECiselniky().codesToNames(codes), shown);
}

void TstPersons::personsList()
{
    const QMap<QString, QString> persons = ECiselniky().persons();
    QCOMPARE(persons.size(), 15);
    QCOMPARE(persons.firstKey(), QString());
    QCOMPARE(persons.first(), QStringLiteral("Nespecifikovano"));
    QStringList codes, mailboxes;
    for (auto it = persons.cbegin(); it != persons.cend(); ++it) {
        if (it.key().contains(QLatin1Char('@'))) {
            QCOMPARE(it.value(), it.key());
            QVERIFY(it.key().endsWith(QLatin1String("@tellmark.cz")));
            mailboxes << it.key();
        } else if (!it.key().isEmpty()) {
            QVERIFY2(QRegularExpression(QStringLiteral("^[A-Z][A-Z]?$")).match(it.key()).hasMatch(), qPrintable(it.key()));
            codes << it.key();
        }
    }
    QCOMPARE(codes.size(), 8);
    QCOMPARE(mailboxes.size(), 6);

    // The chooser offers eight too, but one member is exchanged.
    QStringList chooser;
    for (const StaffPerson &p : ECiselniky::chooserPersons())
        chooser << p.code;
    QCOMPARE(chooser.size(), 8);
    QSet<QString> listed(codes.cbegin(), codes.cend()), offered(chooser.cbegin(), chooser.cend());
    QCOMPARE((listed - offered).size(), 1);
    QCOMPARE((offered - listed).size(), 1);
}

void TstPersons::codeForLogin_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("code");
    QTest::newRow("fragment is the login") << "novotny" << "JN";
    QTest::newRow("contained, any case") << "Jan.Novotny2" << "JN";
    QTest::newRow("last row wins") << "havel.mares" << "JM";
    QTest::newRow("by table order, not login order") << "mares.havel" << "JM";
    QTest::newRow("no match keeps the login") << "Demo" << "Demo";
}

void TstPersons::codeForLogin()
{
    QFETCH(QString, login);
    QFETCH(QString, code);
    QCOMPARE(ECiselniky::codeForLogin(login), code);
}

void TstPersons::chooserRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("persons");
    QTest::addColumn<QStringList>("addresses");
    QTest::addColumn<QString>("others");
    QTest::addColumn<QString>("result");
    QTest::newRow("empty") << "" << QStringList() << QStringList() << "" << "";
    QTest::newRow("codes in any case") << "jn,Tb" << QStringList{"Jan Novotný", "Tomáš Brabec"} << QStringList() << "" << "JN,TB";
    QTest::newRow("box order, then kept, then others")
        << ",other@a.cz,obchod@tellmark.cz,R,,JN" << QStringList{"Jan Novotný", "Radek Růžička"}
        << QStringList{"obchod@tellmark.cz"} << "other@a.cz" << "JN,R,obchod@tellmark.cz,other@a.cz";
    QTest::newRow("unknown parts lower-cased") << "Podpora@Tellmark.cz,XY" << QStringList() << QStringList()
                                               << "podpora@tellmark.cz,xy" << "podpora@tellmark.cz,xy";
    QTest::newRow("kept address with capitals is not ticked")
        << "Servis@Firma.cz" << QStringList() << QStringList() << "servis@firma.cz" << "servis@firma.cz";
}

void TstPersons::chooserRoundTrip()
{
    QFETCH(QString, value);
    DialogAUOOUzivatel dialog(nullptr, kAddresses);
    dialog.selectAll();    // every box is unticked first
    dialog.setValue(value);
    QTEST(ticked(dialog.personBoxes()), "persons");
    QTEST(ticked(dialog.addressBoxes()), "addresses");
    QTEST(dialog.otherAddresses()->text(), "others");
    QTEST(dialog.value(), "result");
}

void TstPersons::chooserButtonsAndTyping()
{
    DialogAUOOUzivatel dialog(nullptr, kAddresses);
    QCOMPARE(dialog.personBoxes().first()->text(), QStringLiteral("Jan Novotný"));
    QCOMPARE(dialog.addressBoxes().at(2)->text(), kAddresses.at(2));
    QCOMPARE(dialog.addressBoxes().at(3)->text(), QString());

    QTest::mouseClick(dialog.findChild<QToolButton *>(QStringLiteral("tb_all")), Qt::LeftButton);
    QCOMPARE(dialog.value(), QStringLiteral("JN,PK,MD,LH,ES,TB,JM,R,") + kAddresses.join(QLatin1Char(',')));
    QTest::mouseClick(dialog.findChild<QToolButton *>(QStringLiteral("tb_none")), Qt::LeftButton);
    QCOMPARE(dialog.value(), QString());

    dialog.personBoxes().at(1)->setChecked(true);
    dialog.otherAddresses()->setText(QStringLiteral(" a@b.cz,  c@d.cz "));
    QCOMPARE(dialog.value(), QStringLiteral("PK,a@b.cz,c@d.cz"));
}

void TstPersons::enterprisePage()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_podniky(id,podnik_nazev,O_ODPOVEDNA_OSOBA)"
                                         " values(5,'Statek Dubné','VK,podpora@tellmark.cz,ES')"), &error),
             qPrintable(error));
    Session session;
    session.user.fakturace = 2;
    session.addressees = kAddresses;
    session.setSelection(5, QVariant());
    PodnikPage page(&session);
    Ui::PodnikPage *ui = page.form();
    page.load();
    QCOMPARE(ui->oodpovedna_osoba->text(), QStringLiteral("Václav Kopal,podpora@tellmark.cz,Eva Šedivá"));

    // The real chooser: tick Radek Růžička and the first kept address. Kopal
    // has no box any more, so his code comes back with the other addresses.
    QString title, others;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<DialogAUOOUzivatel *>(modal);
        if (!dialog) {
            if (modal)
                modal->close();
            return;
        }
        title = dialog->windowTitle();
        others = dialog->otherAddresses()->text();
        dialog->personBoxes().last()->setChecked(true);
        dialog->addressBoxes().first()->setChecked(true);
        dialog->accept();
    });
    page.onSelectOOO();
    QCOMPARE(title, QStringLiteral("Výběr odpovedené osoby"));
    QCOMPARE(others, QStringLiteral("vk,podpora@tellmark.cz"));
    const QString stored = QStringLiteral("ES,R,obchod@tellmark.cz,vk,podpora@tellmark.cz");
    QCOMPARE(ui->oodpovedna_osoba->Id(), stored);
    QCOMPARE(ui->oodpovedna_osoba->text(), QStringLiteral("Eva Šedivá,R,obchod@tellmark.cz,vk,podpora@tellmark.cz"));
    QVERIFY(ui->podnik_uloz->isEnabled());

    QTest::mouseClick(ui->podnik_uloz, Qt::LeftButton);
    QVERIFY(!ui->podnik_uloz->isEnabled());
    QSSQL q;
    QVERIFY(q.exec(QStringLiteral("select O_ODPOVEDNA_OSOBA from tellmark_podniky where id=5")) && q.next());
    QCOMPARE(q.value(0).toString(), stored);
}

QTEST_MAIN(TstPersons)
#include "tst_persons.moc"
