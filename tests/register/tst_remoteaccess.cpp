// "Vzdálený přístup": what the rights hide or lock, the connections of a centre on screen and in the
// database, and the repeater's log of an id (a save the database refuses: tst_centrepages).

#include "support/testdb.h"

#include "admin/remoteaccesspage.h"
#include "core/dialogtable.h"
#include "core/session.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
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
QString columnOf(const QString &field) { return field.startsWith("vnc") ? "u" + field : field; }

QString stored(const QString &column, int centre = kCentre)
{
    const QVariant v = TestDb::value(QStringLiteral("select %1 from tellmark_strediska where id=?").arg(column), {centre});
    return v.isNull() ? QStringLiteral("<NULL>") : v.toString();
}

} // namespace

class TestRemoteAccess : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        QStringList cols, vals;
        for (const QString &f : fieldNames()) {
            cols << columnOf(f);
            vals << "'" + f + "-ž'";   // every field its own text, with a non-ASCII letter
        }
        ZRN_SEED(QStringLiteral("insert into tellmark_strediska(id,akce_nazev,PODNIK_JMENO,%1) values(%2,'Farma','Jan Novák',%3)")
                     .arg(cols.join(','), QString::number(kCentre), vals.join(',')),
                 "insert into tellmark_strediska(id,akce_nazev,uvnc1_id,tv1_id) values(71,'Vedle','71-1','71-tv')");
        m_session.user = UserRights();
    }

    void rights_data()
    {
        QTest::addColumn<int>("minimal");
        QTest::addColumn<int>("vp");
        QTest::newRow("minimal 1") << 1 << 2;
        QTest::newRow("vp 1") << 0 << 1;
        QTest::newRow("vp 2") << 0 << 2;
    }

    void rights()
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
        QCOMPARE(int(captions.contains("ID")) + int(captions.contains("Heslo")), minimal != 1 ? 2 : 0);
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

    void savedTextsComeBackExactly_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("apostrophes") << "O'Brien''s '";
        QTest::newRow("backslashes") << "C:\\vnc\\ \\' \\\\";
        QTest::newRow("non-ASCII") << "Žluťoučký kůň 🐄 ÷";
        QTest::newRow("a statement") << "x'; update tellmark_strediska set tv1_id='h'; --";
        QTest::newRow("emptied: '', not NULL") << "";
    }

    // Each of the 24 fields is stored and read back as typed; the other centre keeps its values.
    void savedTextsComeBackExactly()
    {
        QFETCH(QString, text);
        const QStringList names = fieldNames();
        auto typed = [&](int i) { return text.isEmpty() ? text : text + QLatin1Char('#') + QString::number(i); };
        {
            RemoteAccessPage page(&m_session);
            page.load(kCentre);
            for (const QString &f : names)
                QCOMPARE(page.findChild<QLineEdit *>(f)->text(), f + "-ž");
            QCOMPARE(page.findChild<QLabel *>("kontakt2")->text(), QStringLiteral("Jan Novák"));
            auto *uloz = page.findChild<QAbstractButton *>("rc_uloz");
            QVERIFY(!uloz->isEnabled());
            for (int i = 0; i < names.size(); ++i)
                page.findChild<QLineEdit *>(names.at(i))->setText(typed(i));
            MessageBoxAnswerer answerer;
            uloz->click();
            QVERIFY2(answerer.messages.isEmpty(), qPrintable(answerer.messages.join('\n')));
            QVERIFY(!page.isDirty() && !uloz->isEnabled());
        }
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(stored(columnOf(names.at(i))), typed(i));
        RemoteAccessPage again(&m_session);
        again.load(kCentre);
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(again.findChild<QLineEdit *>(names.at(i))->text(), typed(i));
        QCOMPARE(stored("uvnc1_id", 71) + ' ' + stored("tv1_id", 71), QStringLiteral("71-1 71-tv"));
    }

    void accessLog_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("message");
        QTest::newRow("row 1, number") << 1 << "4711" << "";
        QTest::newRow("row 4, apostrophe") << 4 << "12'34" << "";
        QTest::newRow("row 6, backslash and non-ASCII") << 6 << "O\\'Brien ž" << "";
        QTest::newRow("empty id: nothing opens") << 2 << "" << "";
        QTest::newRow("log cannot be read") << 3 << "4711" << "ZRN Záznamy opakovače se nepodařilo načíst.";
    }

    // The newest 100 events of exactly that id, newest first, across a turn of the year (texts sort otherwise).
    void accessLog()
    {
        QFETCH(int, row);
        QFETCH(QString, id);
        QFETCH(QString, message);
        const QDateTime first(QDate(2023, 12, 29), QTime(20, 0));
        auto add = [&](const QString &uid, const QDateTime &ts, const QString &operation) {
            return TestDb::value("insert into vnc(uid,ts,operation) values(?,?,?)",
                                 {uid, ts.toString("yyyy-MM-dd hh:mm:ss"), operation});
        };
        for (int k = 0; k < 130; ++k)
            QCOMPARE(add(id, first.addSecs(3600 * k), QStringLiteral("op%1").arg(k)), QVariant());
        // Newer events of look-alike ids must not come in.
        const QDateTime later = first.addDays(30);
        for (const QString &other : {id + "0", "x" + id, QString(id).remove('\''), QString(id).replace("'", "''"), QString("4711")})
            if (other != id)
                QCOMPARE(add(other, later, "other " + other), QVariant());

        RemoteAccessPage page(&m_session);
        page.load(kCentre);
        page.findChild<QLineEdit *>(QStringLiteral("vnc%1_id").arg(row))->setText(id);

        QStringList events, buttons;
        bool filterShown = true;
        ModalHandler handler([&](QWidget *modal) {
            auto *dialog = qobject_cast<DialogTable *>(modal);
            if (!dialog)
                return false;
            const QAbstractItemModel *model = dialog->findChild<QTableView *>("tableView")->model();
            for (int r = 0; r < model->rowCount(); ++r)
                events << model->index(r, 0).data().toString() + ' ' + model->index(r, 1).data().toString();
            for (QAbstractButton *b : dialog->findChild<QDialogButtonBox *>()->buttons())
                if (b->isVisible())
                    buttons << b->text();
            filterShown = dialog->findChild<QLineEdit *>("sfilter")->isVisible();
            dialog->reject();
            return true;
        });
        MessageBoxAnswerer answerer;
        if (!message.isEmpty())
            QVERIFY(TestDb::exec("alter table vnc rename to vnc_pryc"));
        page.findChild<QAbstractButton *>(QStringLiteral("vnc%1_access").arg(row))->click();
        if (!message.isEmpty())
            QVERIFY(TestDb::exec("alter table vnc_pryc rename to vnc"));
        QCOMPARE(answerer.messages.size(), message.isEmpty() ? 0 : 1);
        QVERIFY2(answerer.messages.value(0, "").startsWith(message), qPrintable(answerer.messages.value(0)));
        QCOMPARE(handler.handled(), message.isEmpty() && !id.isEmpty());
        if (!handler.handled())
            return;

        QStringList expected;
        for (int k = 129; k >= 30; --k)
            expected << first.addSecs(3600 * k).toString("dd.MM.yy hh:mm") + QStringLiteral(" op%1").arg(k);
        QCOMPARE(events, expected);
        QCOMPARE(buttons.size(), 1);   // Close only
        QVERIFY(!filterShown);
    }

private:
    Session m_session;
};

ZRN_TEST_MAIN(TestRemoteAccess)
#include "tst_remoteaccess.moc"
