#include "events/qsattachment.h"
#include "support/testdb.h"

#include <QtWidgets>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

namespace {

QString g_chosen;      // what the file dialog returns
QStringList g_dialogs; // "open|save title preselected"
QStringList g_opened;  // files handed to the desktop

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int storedCount(int eventId)
{
    return TestDb::value("select count(*) from tellmark_udalosti_prilohy where id_udalosti=?", {eventId}).toInt();
}

// The rows of the list, as its view shows them.
QStandardItemModel *rows(const QSAttachment &list) { return list.findChild<QStandardItemModel *>(); }

QStringList names(const QSAttachment &list)
{
    QStringList names;
    for (int r = 0; r < rows(list)->rowCount(); ++r)
        names << rows(list)->item(r)->text();
    return names;
}

// Opens a row as the desktop would get it: its bytes, or nothing.
QByteArray opened(QSAttachment &list, int row)
{
    const int before = g_opened.size();
    list.openAttachment(QString::number(row));
    return g_opened.size() > before ? readAll(g_opened.last()) : QByteArray();
}

const QString kRenameAway = QStringLiteral("alter table tellmark_udalosti_prilohy rename to tellmark_udalosti_prilohy_x");
const QString kRenameBack = QStringLiteral("alter table tellmark_udalosti_prilohy_x rename to tellmark_udalosti_prilohy");

} // namespace

class TstAttachments : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        // Opened files land in a folder of this run only.
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("tmp")));
        qputenv("TMPDIR", QFile::encodeName(m_dir.path() + QStringLiteral("/tmp")));
        QSAttachment::fileChooser = [](bool save, const QString &title, const QString &preselected) {
            g_dialogs << QStringLiteral("%1 %2 %3").arg(save ? "save" : "open", title, preselected);
            return g_chosen;
        };
        QSAttachment::fileOpener = [](const QUrl &url) {
            g_opened << url.toLocalFile();
            return true;
        };
    }

    void init()
    {
        QVERIFY(TestDb::exec(QStringLiteral("delete from tellmark_udalosti_prilohy")));
        g_chosen.clear();
        g_dialogs.clear();
        g_opened.clear();
    }

    void cleanup() { TestDb::exec(kRenameBack); } // after a failure in the middle

    void sizeLimit_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("packet");   // the server's limit during the row; 0 leaves it (64 MB)
        QTest::addColumn<QString>("refusal");
        QTest::newRow("exactly 20 MB") << QSAttachment::MaxFileSize << qint64(0) << QString();
        QTest::newRow("one byte more") << QSAttachment::MaxFileSize + 1 << qint64(0)
                                       << QStringLiteral("Překročena maximalní velikost souboru (20MB).");
        QTest::newRow("over the server's limit") << qint64(2 << 20) << qint64(1 << 20)
                                                 << "Soubor je větší, než databázový server přijme (limit 1 MB).";
    }
    void sizeLimit()
    {
        QFETCH(qint64, size);
        QFETCH(qint64, packet);
        QFETCH(QString, refusal);
        if (packet > 0 && !TestDb::isMariaDb())
            QSKIP("SQLite takes a statement of any size");
        QByteArray bytes(int(size), Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7 + i / 4093) & 0xff);
        const QString path = file(QStringLiteral("big.bin"), bytes);
        QSAttachment list;
        QVERIFY(list.load(1));
        MessageBoxAnswerer boxes;
        const QVariant serverPacket = TestDb::value(QStringLiteral("select @@global.max_allowed_packet"));
        if (packet > 0)
            QVERIFY(TestDb::exec(QStringLiteral("set global max_allowed_packet=%1").arg(packet)));
        const bool added = list.addFile(path);
        if (packet > 0)
            QVERIFY(TestDb::exec(QStringLiteral("set global max_allowed_packet=") + serverPacket.toString()));
        QCOMPARE(added, refusal.isEmpty());
        if (!added) {
            QCOMPARE(rows(list)->rowCount(), 0);
            QCOMPARE(boxes.messages, QStringList{QStringLiteral("ZRN ") + refusal});
            return;
        }
        QString error;
        QVERIFY2(list.save(QVariant(), &error), qPrintable(error));
        QVERIFY(list.load(1, &error));
        QCOMPARE(rows(list)->rowCount(), 1);
        QVERIFY(opened(list, 0) == bytes);
        QVERIFY(boxes.messages.isEmpty());
    }

    void openingAStoredFile_data()
    {
        QTest::addColumn<QString>("stored");   // the name another program may have written
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asks");        // a file the desktop would run
        QTest::addColumn<QString>("file");     // its name in the temporary folder
        QTest::addColumn<bool>("opens");
        QTest::newRow("document") << "zprava.pdf" << int(QMessageBox::No) << false << "zprava.pdf" << true;
        QTest::newRow("program, no") << "Setup.EXE" << int(QMessageBox::No) << true << "Setup.EXE" << false;
        QTest::newRow("launcher, no") << "zrn.desktop" << int(QMessageBox::No) << true << "zrn.desktop" << false;
        QTest::newRow("script, yes") << "spust.sh" << int(QMessageBox::Yes) << true << "spust.sh" << true;
        // Stored names stay inside the temporary folder.
        QTest::newRow("a path") << "../../etc/x" << int(QMessageBox::No) << false << "x" << true;
        QTest::newRow("a Windows path, yes") << "C:\\..\\x.bat " << int(QMessageBox::Yes) << true << "x.bat" << true;
        QTest::newRow("dots only") << "sub/.." << int(QMessageBox::No) << false << "priloha" << true;
    }
    void openingAStoredFile()
    {
        QFETCH(QString, stored);
        QFETCH(int, answer);
        QFETCH(bool, asks);
        QFETCH(QString, file);
        QFETCH(bool, opens);
        QCOMPARE(TestDb::value(QStringLiteral("insert into tellmark_udalosti_prilohy(id_udalosti,nazev_souboru,data)"
                                              " values(1,?,?)"), {stored, QByteArray("obsah")}), QVariant());
        QSAttachment list;
        QVERIFY(list.load(1));
        MessageBoxAnswerer boxes{QMessageBox::StandardButton(answer)};
        QCOMPARE(opened(list, 0), opens ? QByteArray("obsah") : QByteArray());
        QCOMPARE(boxes.messages.size(), int(asks));
        QVERIFY(!asks || boxes.messages.first().contains(file));
        QCOMPARE(g_opened, opens ? QStringList{QDir::tempPath() + QLatin1Char('/') + file} : QStringList());
        // Nothing left behind for another program to start.
        QCOMPARE(QFile::exists(QDir::tempPath() + QLatin1Char('/') + file), opens);
    }

    // An event's stored files load by name only, in id order; removals stay with their event.
    void storedFilesStayWithTheirEvent()
    {
        ZRN_SEED("insert into tellmark_udalosti_prilohy(id_udalosti,nazev_souboru,data) values"
                 "(7,'c.txt','c'),(8,'other.txt','o'),(7,'a.txt','a'),(7,'b.txt','b'),"
                 "(10,'a1','1'),(10,'a2','2'),(20,'b1','3')");
        QSAttachment list;
        QString error;
        QVERIFY2(list.load(7, &error), qPrintable(error));
        QCOMPARE(names(list), (QStringList{"c.txt", "a.txt", "b.txt"}));
        for (int r = 0; r < 3; ++r) {
            const QStandardItem *item = rows(list)->item(r);
            QVERIFY(item->data(QSAttachment::DataRole).isNull());
            QVERIFY(!(item->flags() & Qt::ItemIsEditable));
        }
        QVERIFY(!list.hasPendingChanges());
        MessageBoxAnswerer boxes(QMessageBox::Yes);
        QVERIFY(list.load(10));
        list.removeAttachment(QStringLiteral("0"));
        QVERIFY(list.load(20));
        QVERIFY(!list.hasPendingChanges());
        QVERIFY(list.save(QVariant(), &error));
        QCOMPARE(storedCount(10), 2);
        QCOMPARE(storedCount(20), 1);
        QVERIFY(list.load(10));
        list.removeAttachment(QStringLiteral("0"));
        QVERIFY2(list.save(QVariant(), &error), qPrintable(error));
        QCOMPARE(storedCount(10), 1);
        // The owner reloads after its commit; until then the list stays as it was.
        QVERIFY(list.hasPendingChanges());
        QVERIFY(list.load(10));
        QCOMPARE(names(list), QStringList{"a2"});
    }

    void pendingFileLivesInMemory()
    {
        QSAttachment list;
        QSignalSpy changed(&list, &QSAttachment::onChanged);
        QVERIFY(list.load(30));
        const QString path = file(QStringLiteral("in/note.txt"), "hello");
        QVERIFY(list.addFile(path));
        QVERIFY(!list.addFile(m_dir.path() + QStringLiteral("/missing.txt")));
        QVERIFY(QFile::remove(path)); // from now on only the list has the bytes
        QCOMPARE(names(list), QStringList{"note.txt"});
        QVERIFY(list.hasPendingChanges());
        QCOMPARE(opened(list, 0), QByteArray("hello"));
        QCOMPARE(g_opened, QStringList{QDir::tempPath() + QStringLiteral("/note.txt")});
        g_chosen = m_dir.path() + QStringLiteral("/saved-note.txt");
        list.saveAttachment(QStringLiteral("0"));
        QCOMPARE(g_dialogs.last(), QStringLiteral("save Uložení souboru note.txt"));
        QCOMPARE(readAll(g_chosen), QByteArray("hello"));
        MessageBoxAnswerer boxes(QMessageBox::No);
        list.removeAttachment(QStringLiteral("0"));
        QCOMPARE(rows(list)->rowCount(), 1);
        boxes.setAnswer(QMessageBox::Yes);
        list.removeAttachment(QStringLiteral("0"));
        const QString question = QStringLiteral("Otázka Přejete si odstranit přílohu?");
        QCOMPARE(boxes.messages, (QStringList{question, question}));
        QVERIFY(!list.hasPendingChanges());
        QCOMPARE(changed.count(), 2);
        QString error;
        QVERIFY(list.save(QVariant(), &error));
        QCOMPARE(storedCount(30), 0);
        // Two files of the same name from different folders keep their own bytes.
        QVERIFY(list.load(40));
        QVERIFY(list.addFile(file(QStringLiteral("one/same.txt"), "first")));
        QVERIFY(list.addFile(file(QStringLiteral("two/same.txt"), "second")));
        QVERIFY2(list.save(QVariant(), &error), qPrintable(error));
        QVERIFY(list.load(40));
        QCOMPARE(names(list), (QStringList{"same.txt", "same.txt"}));
        QCOMPARE(opened(list, 0), QByteArray("first"));
        QCOMPARE(opened(list, 1), QByteArray("second"));
    }

    void failedWriteKeepsEverythingPending()
    {
        QSAttachment list;
        QString error;
        QVERIFY(list.addFile(file(QStringLiteral("p.txt"), "pending")));
        QVERIFY(!list.save(QVariant(), &error)); // no event to store it under
        QVERIFY(!error.isEmpty());
        ZRN_SEED("insert into tellmark_udalosti_prilohy(id_udalosti,nazev_souboru,data) values(50,'old.txt','old')");
        QVERIFY(list.load(50));
        MessageBoxAnswerer boxes(QMessageBox::Yes);
        list.removeAttachment(QStringLiteral("0"));
        QVERIFY(list.addFile(file(QStringLiteral("p.txt"), "pending")));
        QVERIFY(TestDb::exec(kRenameAway));
        const bool saved = list.save(QVariant(), &error);
        QVERIFY(TestDb::exec(kRenameBack));
        QVERIFY(!saved);
        QVERIFY2(error.contains(QLatin1String("tellmark_udalosti_prilohy")), qPrintable(error));
        QCOMPARE(names(list), QStringList{"p.txt"});
        QVERIFY(rows(list)->item(0)->data(QSAttachment::IdRole).isNull());
        QVERIFY2(list.save(QVariant(), &error), qPrintable(error));
        QVERIFY(list.load(50));
        QCOMPARE(names(list), QStringList{"p.txt"});
        QCOMPARE(opened(list, 0), QByteArray("pending"));
    }

    void editorButtons()
    {
        QWidget container;
        QSAttachment list;
        list.setup(&container);
        container.resize(400, 200);
        container.show();
        QVERIFY(QTest::qWaitForWindowExposed(&container));
        QVERIFY(list.load(60));
        g_chosen = file(QStringLiteral("first.txt"), "1");
        container.findChild<QToolButton *>()->click();
        QCOMPARE(g_dialogs, QStringList{"open výběr souboru "});
        QVERIFY(list.addFile(file(QStringLiteral("second.txt"), "2")));
        auto *view = container.findChild<QTableView *>();
        const auto editor = [view](int row) { return view->indexWidget(view->model()->index(row, 0)); };
        const auto button = [&editor](int row, const char *name) { return childNamed<QPushButton>(editor(row), name); };
        QList<QImage> icons;   // pictures, each its own
        for (int row = 0; row < 2; ++row) {
            const QRect cell = view->visualRect(view->model()->index(row, 0));
            QCOMPARE(editor(row)->geometry(), cell);
            const int w = cell.width(), h = cell.height();
            QCOMPARE(childNamed<QWidget>(editor(row), "baseEditor")->geometry(), QRect(0, 0, w - 3 * h, h));
            int x = w - 3 * h;
            for (const char *name : {"openButton", "saveButton", "removeButton"}) {
                QCOMPARE(button(row, name)->geometry(), QRect(x, 0, h, h));
                QVERIFY(button(row, name)->text().isEmpty());
                const QImage icon = button(row, name)->icon().pixmap(16, 16).toImage();
                QVERIFY(!icon.isNull() && (row > 0 || !icons.contains(icon)));
                icons << icon;
                x += h;
            }
        }
        // Removing the first row renumbers the buttons of the one below.
        MessageBoxAnswerer boxes(QMessageBox::Yes);
        button(0, "removeButton")->click();
        QCOMPARE(names(list), QStringList{"second.txt"});
        button(0, "openButton")->click();
        QCOMPARE(g_opened, QStringList{QDir::tempPath() + QStringLiteral("/second.txt")});
    }

private:
    QString file(const QString &relative, const QByteArray &bytes)
    {
        const QString path = m_dir.path() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            qWarning("cannot write %s", qPrintable(path));
        return path;
    }
    QTemporaryDir m_dir;
};

ZRN_TEST_MAIN(TstAttachments)
#include "tst_attachments.moc"
