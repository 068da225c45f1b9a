#include "core/session.h"
#include "db/qssql.h"
#include "core/dialogauoouzivatel.h"
#include "core/eciselniky.h"
#include "register/podnikpage.h"
#include "support/testdb.h"
#include "ui_podnikpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

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
    void codeForLogin_data();
    void codeForLogin();
    void chooserRoundTrip_data();
    void chooserRoundTrip();
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
    // Codes are case-sensitive, and the chooser-only member R has no name.
    QTest::newRow("unknown code stays") << "XY,jn,R,JN" << "XY,jn,R,Jan Novotný";
}

void TstPersons::codesToNames()
{
    QFETCH(QString, codes);
    QTEST(ECiselniky().codesToNames(codes), "shown");
}

void TstPersons::codeForLogin_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("code");
    QTest::newRow("contained, any case") << "Jan.Novotny2" << "JN";
    QTest::newRow("last row wins") << "havel.mares" << "JM";
    QTest::newRow("by table order, not login order") << "mares.havel" << "JM";
    QTest::newRow("no match keeps the login") << "Demo" << "Demo";
}

void TstPersons::codeForLogin()
{
    QFETCH(QString, login);
    QTEST(ECiselniky::codeForLogin(login), "code");
}

void TstPersons::chooserRoundTrip_data()
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
    // A former member has no box; his code keeps its spelling (and so his
    // name in the lists), spaces around parts go.
    QTest::newRow("staff code without a box") << "vk, JN ,a b@firma.cz" << QStringList{"Jan Novotný"} << QStringList()
        << "VK,ab@firma.cz" << "JN,VK,ab@firma.cz";
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
    PodnikPage page(&session);
    Ui::PodnikPage *ui = page.form();
    page.load(5);
    QCOMPARE(ui->oodpovedna_osoba->text(), QStringLiteral("Václav Kopal,podpora@tellmark.cz,Eva Šedivá"));

    // The real chooser: tick Radek Růžička and the first kept address. Kopal
    // has no box any more, so his code comes back with the other addresses,
    // spelt as before, so that his name is still shown.
    ModalHandler choose([](QWidget *modal) {
        auto *dialog = qobject_cast<DialogAUOOUzivatel *>(modal);
        if (!dialog)
            return false;
        dialog->personBoxes().last()->setChecked(true);
        dialog->addressBoxes().first()->setChecked(true);
        dialog->accept();
        return true;
    });
    page.onSelectOOO();
    QVERIFY(choose.handled());
    const QString stored = QStringLiteral("ES,R,obchod@tellmark.cz,VK,podpora@tellmark.cz");
    QCOMPARE(ui->oodpovedna_osoba->Id(), stored);
    QCOMPARE(ui->oodpovedna_osoba->text(), QStringLiteral("Eva Šedivá,R,obchod@tellmark.cz,Václav Kopal,podpora@tellmark.cz"));
    QVERIFY(ui->podnik_uloz->isEnabled());

    QTest::mouseClick(ui->podnik_uloz, Qt::LeftButton);
    QVERIFY(!ui->podnik_uloz->isEnabled());
    QSSQL q;
    QVERIFY(q.exec(QStringLiteral("select O_ODPOVEDNA_OSOBA from tellmark_podniky where id=5")) && q.next());
    QCOMPARE(q.value(0).toString(), stored);
}

ZRN_TEST_MAIN(TstPersons)
#include "tst_persons.moc"
