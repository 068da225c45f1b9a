// "Vzdálený přístup": what the rights hide or lock, the connections of a
// centre on screen and in the database, and a save the database refuses.

#include "support/testdb.h"

#include "admin/remoteaccesspage.h"
#include "core/session.h"
#include "db/database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

const int kCentre = 70;

QStringList fieldNames()
{
    QStringList names;
    for (const char *row : {"vnc1", "vnc2", "vnc3", "vnc4", "vnc5", "vnc6", "tv1", "tv2"})
        names << QString(row) + "_host" << QString(row) + "_id" << QString(row) + "_password";
    return names;
}

// The column a field is stored in (vnc1_host -> uvnc1_host, tv1_host -> tv1_host).
QString columnOf(const QString &field)
{
    return field.startsWith("vnc") ? "u" + field : field;
}

QString stored(const QString &column)
{
    QSqlQuery q(Database::connection());
    q.prepare(QStringLiteral("select %1 from tellmark_strediska where id=?").arg(column));
    q.addBindValue(kCentre);
    if (!q.exec() || !q.next())
        return QStringLiteral("<no row>");
    return q.value(0).isNull() ? QStringLiteral("<NULL>") : QString::fromUtf8(q.value(0).toByteArray());
}

} // namespace

class TestRemoteAccess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }
    void init();
    void rights_data();
    void rights();
    void loadAndSaveEveryField();

private:
    Session m_session;
};

void TestRemoteAccess::init()
{
    QString error;
    QVERIFY2(TestDb::clear(&error), qPrintable(error));
    QStringList cols, vals;
    for (const QString &f : fieldNames()) {
        cols << columnOf(f);
        vals << "'" + f + "-ž'";   // every field its own text, with a non-ASCII letter
    }
    QVERIFY2(TestDb::exec(QStringLiteral("insert into tellmark_strediska(id,akce_nazev,PODNIK_JMENO,%1) values(%2,'Farma','Jan Novák',%3)")
                              .arg(cols.join(','), QString::number(kCentre), vals.join(',')), &error),
             qPrintable(error));
    m_session.user = UserRights();
    m_session.setSelection(QVariant(), kCentre);
}

void TestRemoteAccess::rights_data()
{
    QTest::addColumn<int>("minimal");
    QTest::addColumn<int>("vp");
    QTest::newRow("minimal 1") << 1 << 2;
    QTest::newRow("vp 1") << 0 << 1;
    QTest::newRow("vp 2") << 0 << 2;
}

void TestRemoteAccess::rights()
{
    QFETCH(int, minimal);
    QFETCH(int, vp);
    m_session.user.minimal = minimal;
    m_session.user.vp = vp;
    RemoteAccessPage page(&m_session);
    page.applyRights();
    page.show();

    auto shown = [&](const QString &name) { return page.findChild<QWidget *>(name)->isVisible(); };
    QStringList captions;
    for (QLabel *l : page.findChildren<QLabel *>())
        if (l->isVisible())
            captions << l->text();
    QCOMPARE(captions.contains("ID"), minimal != 1);
    QCOMPARE(captions.contains("Heslo"), minimal != 1);
    QCOMPARE(shown("rc_uloz"), minimal != 1);
    QCOMPARE(shown("se_generovane_id"), vp != 1);
    for (int n = 1; n <= 6; ++n)
        QCOMPARE(shown(QStringLiteral("vnc%1_access").arg(n)), minimal != 1);
    for (const QString &f : fieldNames()) {
        auto *edit = page.findChild<QLineEdit *>(f);
        QCOMPARE(edit->isVisible(), f.endsWith("_host") || minimal != 1);
        QCOMPARE(edit->isReadOnly(), vp == 1);
    }
}

void TestRemoteAccess::loadAndSaveEveryField()
{
    RemoteAccessPage page(&m_session);
    page.load();
    for (const QString &f : fieldNames())
        QCOMPARE(page.findChild<QLineEdit *>(f)->text(), f + "-ž");
    QCOMPARE(page.findChild<QLabel *>("kontakt2")->text(), QStringLiteral("Jan Novák"));
    auto *uloz = page.findChild<QAbstractButton *>("rc_uloz");
    QVERIFY(!uloz->isEnabled());
    page.findChild<QLineEdit *>("vnc6_id")->setText("12'34");   // a quote stays a quote
    page.findChild<QLineEdit *>("tv2_password")->clear();
    QVERIFY(uloz->isEnabled());

    // A refused save is reported and keeps the edit on screen.
    QString error;
    QVERIFY2(TestDb::exec("alter table tellmark_strediska rename to tellmark_strediska_pryc", &error), qPrintable(error));
    MessageBoxAnswerer answerer;
    uloz->click();
    QVERIFY2(TestDb::exec("alter table tellmark_strediska_pryc rename to tellmark_strediska", &error), qPrintable(error));
    QCOMPARE(answerer.messages.size(), 1);
    const QString text = answerer.messages.first();
    QVERIFY2(text.startsWith("ZRN Chyba: "), qPrintable(text));
    QVERIFY(uloz->isEnabled());
    QVERIFY(page.isDirty());
    QCOMPARE(page.findChild<QLineEdit *>("vnc6_id")->text(), QStringLiteral("12'34"));
    QCOMPARE(stored("uvnc6_id"), QStringLiteral("vnc6_id-ž"));

    uloz->click();   // once the database is back the same edit saves
    QVERIFY(!uloz->isEnabled());
    QVERIFY(!page.isDirty());
    for (const QString &f : fieldNames()) {   // an emptied field is '', not NULL
        const QString expected = f == "vnc6_id" ? "12'34" : f == "tv2_password" ? "" : f + "-ž";
        QCOMPARE(stored(columnOf(f)), expected);
    }
}

ZRN_TEST_MAIN(TestRemoteAccess)
#include "tst_remoteaccess.moc"
