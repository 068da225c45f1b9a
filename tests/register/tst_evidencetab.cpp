// The register tab: the pages a row shows for the rights, the question about
// unsaved edits, failed saves that keep the edit and failed reads that leave nothing to save.

#include "admin/detailpages.h"
#include "core/page.h"
#include "core/session.h"
#include "core/usersettings.h"
#include "events/detailpages.h"
#include "register/dialogfiltr.h"
#include "register/evidencetab.h"
#include "register/podnikytree.h"
#include "support/testdb.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

QString tabTitles(const QTabWidget *twe)
{
    QStringList titles;
    for (int i = 0; i < twe->count(); ++i)
        titles << twe->tabText(i);
    return titles.join(QLatin1Char('|'));
}

const int kAlfa = 1, kBeta = 2, kFarma = 10;

} // namespace

class TstEvidenceTab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { ZRN_OPEN_TEST_DB(); }

    void init()
    {
        ZRN_CLEAR_TEST_DB();
        ZRN_SEED("insert into tellmark_podniky(id,podnik_nazev,KONTAKT_JMENO,GPS)"
                 " values(1,'Agro Alfa','Adam','49.1,15.1'),(2,'Beta statek','Bára',NULL)",
                 "insert into tellmark_strediska(id,id_podnik,akce_nazev,licence_cislo,GPS) values(10,1,'Farma Alfa',5,'50.2,14.2')");
        m_session.user = UserRights();
        m_session.user.id = 1;
        m_session.user.fakturace = 2;
        m_session.user.os = 2;
        m_session.user.udalosti = 1;
        m_session.setSelection(QVariant(), QVariant());

        m_questions = 0;
        m_tab = new EvidenceTab(&m_session);
        // The pages of the other subsystems, as the main window adds them.
        DetailPage::Registry pages;
        AdminPages::addDetailPages(pages);
        EventsPages::addDetailPages(pages);
        m_tab->addPages(pages);
        m_tab->setSaveQuestion([this](QWidget *) {
            ++m_questions;
            return m_answer;
        });
        m_tab->applyRights();
        m_tab->resize(1200, 800);
        m_tab->show();
        m_tab->refresh();
    }

    void cleanup() { delete m_tab; }

    void pagesPerRights_data()
    {
        QTest::addColumn<int>("minimal");
        QTest::addColumn<int>("vp");
        QTest::addColumn<int>("pristupy");
        QTest::addColumn<int>("udalosti");
        QTest::addColumn<bool>("centre");
        QTest::addColumn<QString>("titles");

        QTest::newRow("enterprise, plain") << 0 << 0 << 0 << 0 << false << "O podniku|GPS|Historie";
        QTest::newRow("enterprise, all rights") << 0 << 1 << 1 << 2 << false << "O podniku|GPS|Události|Historie";
        QTest::newRow("enterprise, minimal") << 1 << 1 << 1 << 1 << false << "Výběr";
        QTest::newRow("centre, negative events right") << 0 << 0 << 0 << -1 << true << "O středisku|Specifikace|GPS|Historie";
        QTest::newRow("centre, remote access") << 0 << 1 << 0 << 0 << true << "O středisku|Specifikace|Vzdálený přístup|GPS|Historie";
        QTest::newRow("centre, portals and events") << 0 << 0 << 1 << 2 << true << "O středisku|Specifikace|Přístupy|GPS|Události|Historie";
        QTest::newRow("centre, everything") << 0 << 2 << 1 << 1 << true
                                            << "O středisku|Specifikace|Vzdálený přístup|Přístupy|GPS|Události|Historie";
        QTest::newRow("centre, minimal") << 1 << 0 << 1 << 1 << true << "Vzdálený přístup";
    }

    void pagesPerRights()
    {
        QFETCH(int, minimal);
        QFETCH(int, vp);
        QFETCH(int, pristupy);
        QFETCH(int, udalosti);
        QFETCH(bool, centre);
        // Before any selection only the prompt is there.
        QCOMPARE(tabTitles(m_tab->innerTabs()), QStringLiteral("Výběr"));
        m_session.user.minimal = minimal;
        m_session.user.vp = vp;
        m_session.user.pristupy = pristupy;
        m_session.user.udalosti = udalosti;
        select(kAlfa, centre ? kFarma : 0);

        QTEST(tabTitles(m_tab->innerTabs()), "titles");
        QCOMPARE(m_tab->innerTabs()->currentIndex(), 0);
        // Each kind of row clears the other id.
        QCOMPARE(m_session.s_id_podnik, centre ? QVariant() : QVariant(kAlfa));
        QCOMPARE(m_session.s_id_stredisko, centre ? QVariant(kFarma) : QVariant());
    }

    void unsavedEditQuestion_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("rebuild");
        QTest::newRow("another row: Yes saves") << true << false;
        QTest::newRow("another row: No drops") << false << false;
        QTest::newRow("rebuilt tree: No drops") << false << true;
    }

    void unsavedEditQuestion()
    {
        QFETCH(bool, yes);
        QFETCH(bool, rebuild);
        m_answer = yes;
        // Moving about without edits asks nothing.
        select(kAlfa, kFarma);
        select(kBeta);
        m_tab->refresh();
        select(kAlfa);
        QCOMPARE(m_questions, 0);
        QCOMPARE(w("gps_souradnice")->text(), QStringLiteral("49.1,15.1"));

        w("kontakt_jmeno")->setText(QStringLiteral("Adam Nový"));
        if (rebuild) {
            m_tab->tree()->onRefreshModelPodnikyStrediska();
            // The rebuilt tree highlights the row; the pages wait for a selection.
            QCOMPARE(tabTitles(m_tab->innerTabs()), QStringLiteral("Výběr"));
            QCOMPARE(m_session.s_id_podnik.toInt(), kAlfa);
        } else {
            select(kBeta);
            // Either way the new row is shown, clean.
            QCOMPARE(w<QLabel>("ppodnik")->text(), QStringLiteral("Beta statek"));
            QVERIFY(!w<QAbstractButton>("podnik_uloz")->isEnabled());
            QCOMPARE(m_session.s_id_podnik.toInt(), kBeta);
        }
        QCOMPARE(m_questions, 1);
        const QString expected = yes ? QStringLiteral("Adam Nový") : QStringLiteral("Adam");
        QCOMPARE(TestDb::value("select KONTAKT_JMENO from tellmark_podniky where id=?", {kAlfa}).toString(), expected);
        select(kAlfa);
        QCOMPARE(m_questions, 1);
        QCOMPARE(w("kontakt_jmeno")->text(), expected);
    }

    void failedSaveKeepsTheEdit_data()
    {
        QTest::addColumn<bool>("filter");
        QTest::newRow("Uložit, then leaving the row") << false;
        QTest::newRow("Filtr") << true;
    }

    // The enterprise cannot be saved; the tree and the filter lists still read.
    void failedSaveKeepsTheEdit()
    {
        QFETCH(bool, filter);
        m_answer = true;
        select(kAlfa);
        const QModelIndex alfaRow = m_tab->tree()->view()->currentIndex();
        w("kontakt_jmeno")->setText(QStringLiteral("Adam Nový"));
        QVERIFY(TestDb::exec(QStringLiteral("alter table tellmark_podniky rename column KONTAKT_JMENO to jmeno_away")));
        const auto restore = qScopeGuard(
            [] { TestDb::exec(QStringLiteral("alter table tellmark_podniky rename column jmeno_away to KONTAKT_JMENO")); });
        MessageBoxAnswerer answerer;
        if (filter) {
            ModalHandler confirm([](QWidget *modal) {
                auto *dialog = qobject_cast<DialogFiltr *>(modal);
                if (dialog)
                    childNamed<QCheckBox>(dialog, "slc")->setChecked(true);
                return dialog && QMetaObject::invokeMethod(dialog, "accept");
            });
            m_tab->onFiltr();
            QVERIFY(confirm.handled());
        } else {
            // Saved with "Uložit", then offered when leaving the row: both fail.
            QTest::mouseClick(w<QAbstractButton>("podnik_uloz"), Qt::LeftButton);
            m_tab->tree()->setCurrentRow(kBeta, QVariant());
            QCOMPARE(m_questions, 1);
        }
        QCOMPARE(answerer.messages.size(), filter ? 1 : 2);
        for (const QString &message : answerer.messages) {
            QVERIFY2(message.startsWith(QStringLiteral("ZRN Chyba:")), qPrintable(message));
            QVERIFY2(message.contains(QStringLiteral("KONTAKT_JMENO"), Qt::CaseInsensitive), qPrintable(message));
        }
        // The edit stays on screen, on its own row, still unsaved.
        QCOMPARE(m_tab->tree()->view()->currentIndex(), alfaRow);
        QCOMPARE(m_session.s_id_podnik.toInt(), kAlfa);
        QCOMPARE(w<QLabel>("ppodnik")->text(), QStringLiteral("Agro Alfa"));
        QCOMPARE(w("kontakt_jmeno")->text(), QStringLiteral("Adam Nový"));
        QVERIFY(w<QAbstractButton>("podnik_uloz")->isEnabled() && m_tab->hasUnsavedEdits());
        QCOMPARE(m_tab->innerTabs()->currentWidget()->objectName(), QStringLiteral("tab_podnik"));
        // The filter is neither applied nor stored.
        QCOMPARE(m_tab->tree()->shownEnterpriseIds(), (QList<int>{kAlfa, kBeta}));
        QVERIFY(w<QToolButton>("se_filtr")->styleSheet().isEmpty());
        QVERIFY(!ZrnSettings().value(QStringLiteral("df/slc")).toBool());
    }

    void centreRowLoadsAndSaves()
    {
        select(kAlfa, kFarma);
        QCOMPARE(w("gps_souradnice")->text(), QStringLiteral("50.2,14.2"));
        QCOMPARE(w("stredisko_licence")->text(), QStringLiteral("5"));
        w("stredisko_licence")->setText(QStringLiteral("1234"));
        QTest::mouseClick(w<QAbstractButton>("stredisko_uloz"), Qt::LeftButton);
        QVERIFY(!m_tab->hasUnsavedEdits());
        // The row shows the new licence at once, without a rebuild.
        QCOMPARE(m_tab->tree()->view()->currentIndex().siblingAtColumn(1).data().toString(), QStringLiteral("1234"));
        QCOMPARE(m_questions, 0);
    }

    void failedReadLeavesNothingToSave_data()
    {
        QTest::addColumn<bool>("centre");
        QTest::newRow("enterprise row") << false;
        QTest::newRow("centre row") << true;
    }

    void failedReadLeavesNothingToSave()
    {
        QFETCH(bool, centre);
        const QString table = centre ? QStringLiteral("tellmark_strediska") : QStringLiteral("tellmark_podniky");
        QVERIFY(TestDb::exec(QStringLiteral("alter table %1 rename to odlozena").arg(table)));
        MessageBoxAnswerer answerer;
        select(kAlfa, centre ? kFarma : 0);
        const QStringList messages = answerer.messages;
        QVERIFY(TestDb::exec(QStringLiteral("alter table odlozena rename to %1").arg(table)));
        // One message for the one failed read, with the database's reason.
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages.first().startsWith(QStringLiteral("ZRN Chyba: údaje nelze načíst.")), qPrintable(messages.first()));
        QVERIFY2(messages.first().contains(table, Qt::CaseInsensitive), qPrintable(messages.first()));
        // Every page shown is empty and has nothing to save.
        QTabWidget *twe = m_tab->innerTabs();
        int pages = 0;
        for (int i = 0; i < twe->count(); ++i) {
            auto *page = qobject_cast<ZrnPage *>(twe->widget(i));
            if (!page || page->objectName() == QLatin1String("tab_udalosti"))
                continue;
            ++pages;
            QVERIFY2(!page->hasRow(), qPrintable(page->objectName()));
            for (QLineEdit *edit : page->findChildren<QLineEdit *>())
                if (edit->isVisibleTo(page) && !edit->isReadOnly())
                    edit->setText(QStringLiteral("přes prázdnou stránku"));
            QVERIFY2(!page->isDirty(), qPrintable(page->objectName()));
            for (QAbstractButton *b : page->findChildren<QAbstractButton *>(QRegularExpression("uloz$|^gps_save$")))
                QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        }
        QVERIFY(pages >= (centre ? 3 : 2));
        QVERIFY(!m_tab->hasUnsavedEdits());
        // Leaving the row asks nothing (nothing to save) and the next row reads.
        select(kBeta);
        QCOMPARE(m_questions, 0);
        QCOMPARE(w<QLabel>("ppodnik")->text(), QStringLiteral("Beta statek"));
        QVERIFY(w("kontakt_jmeno")->isEnabled());
    }

private:
    void select(int podnik, int stredisko = 0)
    {
        QVERIFY(m_tab->tree()->setCurrentRow(podnik, stredisko ? QVariant(stredisko) : QVariant()));
    }
    template<typename T = QLineEdit>
    T *w(const char *name) const { return childNamed<T>(m_tab, name); }

    Session m_session;
    EvidenceTab *m_tab = nullptr;
    int m_questions = 0;
    bool m_answer = false;
};

ZRN_TEST_MAIN(TstEvidenceTab)
#include "tst_evidencetab.moc"
