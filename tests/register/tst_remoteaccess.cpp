// "Vzdálený přístup": what the rights hide or lock, the connections of a
// centre on screen, and a save that keeps the edit when the database refuses.

#include "support/testdb.h"

#include "admin/remoteaccesspage.h"
#include "app/session.h"
#include "db/database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSqlQuery>
#include <QTimer>
#include <QtTest>

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
    const QVariant v = q.value(0);
    return v.isNull() ? QStringLiteral("<NULL>") : v.type() == QVariant::ByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
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
    void loadFillsEveryField();
    void saveStoresAllConnections();
    void failedSaveKeepsTheEdit();

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
                              .arg(cols.join(','))
                              .arg(kCentre)
                              .arg(vals.join(',')),
                          &error),
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

    auto shown = [&](const QString &name) {
        QWidget *w = page.findChild<QWidget *>(name);
        return w ? w->isVisible() : false;
    };
    auto caption = [&](const QString &text) {
        for (QLabel *l : page.findChildren<QLabel *>())
            if (l->text() == text)
                return l->isVisible();
        return false;
    };
    QCOMPARE(caption("Host"), true);
    QCOMPARE(caption("ID"), minimal != 1);
    QCOMPARE(caption("Heslo"), minimal != 1);
    QCOMPARE(shown("rc_uloz"), minimal != 1);
    QCOMPARE(shown("se_generovane_id"), vp != 1);
    for (int n = 1; n <= 6; ++n) {
        QVERIFY(shown(QStringLiteral("con%1").arg(n)));
        QCOMPARE(shown(QStringLiteral("vnc%1_access").arg(n)), minimal != 1);
    }
    QVERIFY(shown("contv1") && shown("contv2"));
    for (const QString &f : fieldNames()) {
        auto *edit = page.findChild<QLineEdit *>(f);
        QVERIFY2(edit, qPrintable(f));
        QCOMPARE(edit->isVisible(), f.endsWith("_host") || minimal != 1);
        QCOMPARE(edit->isReadOnly(), vp == 1);
    }
}

void TestRemoteAccess::loadFillsEveryField()
{
    RemoteAccessPage page(&m_session);
    page.load();
    for (const QString &f : fieldNames())
        QCOMPARE(page.findChild<QLineEdit *>(f)->text(), f + "-ž");
    QCOMPARE(page.findChild<QLabel *>("kontakt2")->text(), QStringLiteral("Jan Novák"));
    QVERIFY(!page.findChild<QAbstractButton *>("rc_uloz")->isEnabled());
    QVERIFY(!page.isDirty());
}

void TestRemoteAccess::saveStoresAllConnections()
{
    RemoteAccessPage page(&m_session);
    page.load();
    auto *uloz = page.findChild<QAbstractButton *>("rc_uloz");
    page.findChild<QLineEdit *>("vnc6_id")->setText("12'34");   // a quote stays a quote
    page.findChild<QLineEdit *>("tv2_password")->clear();
    QVERIFY(uloz->isEnabled());
    uloz->click();
    QVERIFY(!uloz->isEnabled());
    QVERIFY(!page.isDirty());
    for (const QString &f : fieldNames()) {
        const QString expected = f == "vnc6_id" ? "12'34" : f == "tv2_password" ? "" : f + "-ž";
        QCOMPARE(stored(columnOf(f)), expected);
    }
}

void TestRemoteAccess::failedSaveKeepsTheEdit()
{
    RemoteAccessPage page(&m_session);
    page.load();
    auto *uloz = page.findChild<QAbstractButton *>("rc_uloz");
    page.findChild<QLineEdit *>("vnc1_host")->setText("repeater.lhota");

    QString error, text;
    QVERIFY2(TestDb::exec("alter table tellmark_strediska rename to tellmark_strediska_pryc", &error), qPrintable(error));
    QTimer::singleShot(0, &page, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        }
    });
    uloz->click();
    QVERIFY2(TestDb::exec("alter table tellmark_strediska_pryc rename to tellmark_strediska", &error), qPrintable(error));

    QVERIFY2(text.startsWith("Chyba: "), qPrintable(text));
    QVERIFY(uloz->isEnabled());
    QVERIFY(page.isDirty());
    QCOMPARE(page.findChild<QLineEdit *>("vnc1_host")->text(), QStringLiteral("repeater.lhota"));
    QCOMPARE(stored("uvnc1_host"), QStringLiteral("vnc1_host-ž"));

    uloz->click();
    QVERIFY(!uloz->isEnabled());
    QCOMPARE(stored("uvnc1_host"), QStringLiteral("repeater.lhota"));
}

QTEST_MAIN(TestRemoteAccess)
#include "tst_remoteaccess.moc"
