// Czech on a machine set to LANG=C (sorting, standard buttons); the program's path from anywhere.

#include "app/startup.h"
#include "core/qsmysortfilterproxymodel.h"
#include "support/testmain.h"

#include <QtWidgets>

class TstLocale : public QObject
{
    Q_OBJECT
private slots:
    void czechCollation_data()
    {
        QTest::addColumn<QStringList>("names");
        // Each list is in Czech order.
        QTest::newRow("í before y") << QStringList{"AGRO Bílina", "AGRO Bystřice"};
        QTest::newRow("ch after h") << QStringList{"Hradec", "Chlumec", "Ivančice"};
        QTest::newRow("č after c") << QStringList{"Cerhenice", "Čáslav", "Dačice"};
        QTest::newRow("ř after r, š after s") << QStringList{"Rakovník", "Říčany", "Sedlec", "Šumperk"};
        QTest::newRow("case and accents") << QStringList{"agro", "Agro", "Ágro", "Agrodružstvo"};
    }
    void czechCollation()
    {
        QFETCH(QStringList, names);
        QVERIFY(QLocale::system().language() != QLocale::Czech);
        const QStringList shuffled(names.crbegin(), names.crend());
        // The collator the enterprise tree sorts its names with.
        QStringList sorted = shuffled;
        std::sort(sorted.begin(), sorted.end(), QCollator());
        QCOMPARE(sorted, names);
        // The proxy of the lists (QString::localeAwareCompare).
        QStringListModel model(shuffled);
        QSMySortFilterProxyModel proxy;
        proxy.sortMode = QSMySortFilterProxyModel::SortText;
        proxy.setSortLocaleAware(true);
        proxy.setSourceModel(&model);
        proxy.sort(0, Qt::AscendingOrder);
        QStringList shown;
        for (int row = 0; row < proxy.rowCount(); ++row)
            shown << proxy.index(row, 0).data().toString();
        QCOMPARE(shown, names);
    }

    void standardButtonsInCzech()
    {
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Zrušit"));
        QCOMPARE(box.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Ano"));
        QCOMPARE(box.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Ne"));
    }

    // Started by its bare name through PATH from a folder with Czech letters (the self-update writes there).
    void programPathFromAnywhere()
    {
        const QString out = qEnvironmentVariable("ZRN_PROGRAM_PATH_FILE");
        if (!out.isEmpty()) { // the child started below
            QFile f(out);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(Startup::programPath().toUtf8()) > 0);
            return;
        }
        QTemporaryDir dir;
        const QString bin = dir.filePath("Složka s háčky"), self = QCoreApplication::applicationFilePath();
        QVERIFY(QDir().mkpath(bin) && QFile::link(self, bin + "/zrn-test"));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", bin + ':' + env.value("PATH"));
        env.insert("ZRN_PROGRAM_PATH_FILE", dir.filePath("path.txt"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start("/bin/sh", {"-c", "zrn-test programPathFromAnywhere -platform offscreen"});
        QVERIFY(p.waitForFinished(60000) && p.exitCode() == 0);
        QFile f(dir.filePath("path.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString path = QString::fromUtf8(f.readAll());
        QVERIFY2(QFileInfo(path).isAbsolute(), qPrintable(path));
        QCOMPARE(QFileInfo(path).canonicalFilePath(), QFileInfo(self).canonicalFilePath());
    }
};

ZRN_TEST_MAIN(TstLocale)
#include "tst_locale.moc"
