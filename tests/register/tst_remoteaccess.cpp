// "Vzdálený přístup": what the rights hide or lock, the connections of a
// centre on screen and in the database, a save the database refuses, and
// the repeater's log of an id.

#include "support/testdb.h"

#include "admin/remoteaccesspage.h"
#include "core/dialogtable.h"
#include "core/session.h"
#include "db/database.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
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
    void savedTextsComeBackExactly_data();
    void savedTextsComeBackExactly();
    void accessLog_data();
    void accessLog();
    void accessLogNotOpened();

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
    page.load(kCentre);
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

void TestRemoteAccess::savedTextsComeBackExactly_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("apostrophes") << "O'Brien''s '";
    QTest::newRow("backslashes") << "C:\\vnc\\ \\' \\\\";
    QTest::newRow("non-ASCII") << "Žluťoučký kůň 🐄 ÷";
    QTest::newRow("a statement") << "x'; update tellmark_strediska set tv1_id='h'; --";
    QTest::newRow("empty") << "";
}

// Every one of the 24 fields, saved and read back by a fresh page, is the
// text typed, and the other centre keeps its values.
void TestRemoteAccess::savedTextsComeBackExactly()
{
    QFETCH(QString, text);
    QString error;
    QVERIFY2(TestDb::exec("insert into tellmark_strediska(id,akce_nazev,uvnc1_id,tv1_id) values(71,'Vedle','71-1','71-tv')", &error),
             qPrintable(error));
    const QStringList names = fieldNames();
    auto typed = [&](int i) { return text.isEmpty() ? text : text + QLatin1Char('#') + QString::number(i); };
    {
        RemoteAccessPage page(&m_session);
        page.load(kCentre);
        for (int i = 0; i < names.size(); ++i)
            page.findChild<QLineEdit *>(names.at(i))->setText(typed(i));
        MessageBoxAnswerer answerer;
        page.findChild<QAbstractButton *>("rc_uloz")->click();
        QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('\n')));
        QVERIFY(!page.isDirty());
    }
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(stored(columnOf(names.at(i))), typed(i));
    RemoteAccessPage again(&m_session);
    again.load(kCentre);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(again.findChild<QLineEdit *>(names.at(i))->text(), typed(i));

    QSqlQuery q(Database::connection());
    QVERIFY(q.exec("select uvnc1_id,tv1_id from tellmark_strediska where id=71") && q.next());
    QCOMPARE(q.value(0).toString() + ' ' + q.value(1).toString(), QStringLiteral("71-1 71-tv"));
}

void TestRemoteAccess::accessLog_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("id");
    QTest::newRow("row 1, number") << 1 << "4711";
    QTest::newRow("row 4, apostrophe") << 4 << "12'34";
    QTest::newRow("row 6, backslash and non-ASCII") << 6 << "O\\'Brien ž";
}

// The newest 100 events of exactly that id, newest first, across a turn of
// the year (where the texts would sort differently from the times).
void TestRemoteAccess::accessLog()
{
    QFETCH(int, row);
    QFETCH(QString, id);
    const QDateTime first(QDate(2023, 12, 29), QTime(20, 0));
    QSqlQuery insert(Database::connection());
    QVERIFY(insert.prepare("insert into vnc(uid,ts,operation) values(?,?,?)"));
    auto add = [&](const QString &uid, const QDateTime &ts, const QString &operation) {
        insert.addBindValue(uid);
        insert.addBindValue(ts.toString("yyyy-MM-dd hh:mm:ss"));
        insert.addBindValue(operation);
        return insert.exec();
    };
    for (int k = 0; k < 130; ++k)
        QVERIFY2(add(id, first.addSecs(3600 * k), QStringLiteral("op%1").arg(k)), qPrintable(insert.lastError().text()));
    // Newer events of look-alike ids must not come in.
    const QDateTime later = first.addDays(30);
    for (const QString &other : {id + "0", "x" + id, QString(id).remove('\''), QString(id).replace("'", "''"), QString("4711")})
        if (other != id)
            QVERIFY(add(other, later, "other " + other));

    RemoteAccessPage page(&m_session);
    page.load(kCentre);
    page.findChild<QLineEdit *>(QStringLiteral("vnc%1_id").arg(row))->setText(id);

    QStringList times, operations, headers, buttons;
    bool filterShown = true;
    ModalHandler handler([&](QWidget *modal) {
        auto *dialog = qobject_cast<DialogTable *>(modal);
        if (!dialog)
            return false;
        const QAbstractItemModel *model = dialog->findChild<QTableView *>("tableView")->model();
        for (int r = 0; r < model->rowCount(); ++r) {
            times << model->index(r, 0).data().toString();
            operations << model->index(r, 1).data().toString();
        }
        for (int c = 0; c < model->columnCount(); ++c)
            headers << model->headerData(c, Qt::Horizontal).toString();
        for (QAbstractButton *b : dialog->findChild<QDialogButtonBox *>()->buttons())
            if (b->isVisible())
                buttons << b->text();
        filterShown = dialog->findChild<QLineEdit *>("sfilter")->isVisible();
        dialog->reject();
        return true;
    });
    MessageBoxAnswerer answerer;
    page.findChild<QAbstractButton *>(QStringLiteral("vnc%1_access").arg(row))->click();
    QVERIFY(handler.handled());
    QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('\n')));

    QCOMPARE(headers, (QStringList{"TS", "Operation"}));
    QCOMPARE(times.size(), 100);
    QStringList expectedTimes, expectedOperations;
    for (int k = 129; k >= 30; --k) {
        expectedTimes << first.addSecs(3600 * k).toString("dd.MM.yy hh:mm");
        expectedOperations << QStringLiteral("op%1").arg(k);
    }
    QCOMPARE(times, expectedTimes);
    QCOMPARE(operations, expectedOperations);
    QCOMPARE(buttons.size(), 1);   // Close only
    QVERIFY(!filterShown);
}

void TestRemoteAccess::accessLogNotOpened()
{
    RemoteAccessPage page(&m_session);
    page.load(kCentre);
    // An empty id opens nothing.
    page.findChild<QLineEdit *>("vnc2_id")->clear();
    {
        bool opened = false;
        ModalHandler handler([&](QWidget *modal) {
            opened = true;
            modal->close();
            return true;
        });
        page.findChild<QAbstractButton *>("vnc2_access")->click();
        QVERIFY(!opened);
    }

    // A log that cannot be read is reported.
    QString error;
    QVERIFY2(TestDb::exec("alter table vnc rename to vnc_pryc", &error), qPrintable(error));
    MessageBoxAnswerer answerer;
    page.findChild<QAbstractButton *>("vnc3_access")->click();
    QVERIFY2(TestDb::exec("alter table vnc_pryc rename to vnc", &error), qPrintable(error));
    QCOMPARE(answerer.messages.size(), 1);
    QVERIFY2(answerer.messages.first().startsWith("ZRN Záznamy opakovače se nepodařilo načíst."),
             qPrintable(answerer.messages.first()));
}

ZRN_TEST_MAIN(TestRemoteAccess)
#include "tst_remoteaccess.moc"
