#include "core/session.h"
#include "core/usersettings.h"
#include "db/database.h"
#include "outputs/csvexport.h"
#include "outputs/dialogcsvform.h"
#include "support/testdb.h"
#include "widgets/qfeditwithbutton.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "support/testmain.h"
#include "support/uitest.h"

using namespace CsvExport;

namespace {

// The records of a CSV text as a spreadsheet reads them (RFC 4180): CR LF ends a record, a quoted
// field may hold the separator, quotes and line breaks; a closing separator gives an empty field.
QList<QStringList> parseCsv(const QString &text, QChar sep)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted && c == QLatin1Char('"') && text.mid(i + 1, 1) == QLatin1String("\"")) {
            field += text.at(++i);
        } else if (c == QLatin1Char('"')) {
            quoted = !quoted;
        } else if (!quoted && c == sep) {
            record << std::exchange(field, QString());
        } else if (!quoted && c == QLatin1Char('\r') && text.mid(i + 1, 1) == QLatin1String("\n")) {
            ++i;
            record << std::exchange(field, QString());
            records << std::exchange(record, QStringList());
        } else {
            field += c;
        }
    }
    return records;
}

QList<QStringList> build(const QList<int> &ids, const CsvOptions &o)
{
    QString error;   // a failed read gives no records
    return parseCsv(QString::fromUtf8(buildCsv(ids, Visibility::everything(), o, &error)), o.separator);
}

int col(const QString &title)
{
    return titles(true).indexOf(title);
}

QString readFile(const QString &fileName, const char *codec = "UTF-8")
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? QTextCodec::codecForName(codec)->toUnicode(f.readAll()) : QString();
}

// What the export dialog showed when it opened: the file and the texts of oddelovac, fdatum, kodovani and hlavicka.
struct Shown {
    QString file;
    QStringList combos;
    bool confirmed = false;
    QString reopenedWith;   // the file, when still open after OK (the export failed)
};

// Answers the export dialog: notes what it shows, picks the given combo items (-1 leaves one), types
// the file (unless null), presses OK or Zrušit. A dialog still open after OK is cancelled.
std::function<bool(QWidget *)> answer(Shown *shown, const QString &file, const QList<int> &items = {},
                                      bool ok = true)
{
    return [=](QWidget *modal) {
        auto *dialog = qobject_cast<DialogCSVForm *>(modal);
        if (!dialog || dialog->windowTitle() != QStringLiteral("Nastavení CSV exportu"))
            return false;
        auto *cesta = childNamed<QFEditWithButton>(dialog, "cesta");
        auto *box = childNamed<QDialogButtonBox>(dialog, "buttonBox");
        if (shown->confirmed) {
            shown->reopenedWith = cesta->text();
            box->button(QDialogButtonBox::Cancel)->click();
            return true;
        }
        shown->file = cesta->text();
        const char *combos[] = {"oddelovac", "fdatum", "kodovani", "hlavicka"};
        for (int i = 0; i < 4; ++i) {
            auto *combo = childNamed<QComboBox>(dialog, combos[i]);
            shown->combos << combo->currentText();
            if (items.value(i, -1) >= 0)
                combo->setCurrentIndex(items.at(i));
        }
        if (!file.isNull())
            cesta->setText(file);
        shown->confirmed = ok;
        box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        return !ok;
    };
}

} // namespace

class TstCsvExport : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void writeSystemFile(const QString &login)
    {
        const QString path = m_dir.filePath(QStringLiteral("system.ini"));
        QFile::remove(path);
        if (!login.isNull())
            QSettings(path, QSettings::IniFormat).setValue(KeyContractsLogin, login);
        setSystemSettingsFile(path);
    }

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        QVERIFY(m_dir.isValid());
        ZRN_SEED(
            "insert into tellmark_podniky(id,podnik_nazev,zeme,ico,ch6,obr,okres,gps,skot_ks,dojnice_ks,"
            "dojnice_plemeno,masny_ks,O_ODPOVEDNA_OSOBA,O_PRIORITA,O_POSLEDNI_KONTAKT,O_DALSI_KONTAKT,"
            "SMLOUVA_ORGANIZACE,SMLOUVA_PRONAJEM,SMLOUVA_FAKTURACE_OD,SMLOUVA_FAKTURACE_CASTKA_ROK,"
            "SMLOUVA_FAKTURACE_MENA,SMLOUVA_POZNAMKY) values "
            "(1,'Agro Alfa','CZ','12345678','123456','TA','Tábor','49.19, 16.61',120,80,'H',NULL,'JN',2,"
            "'2024-12-31',NULL,'Alfa s.r.o.','2023-02-01','2024-01-15',1200.5,'CZK','tajná poznámka')",
            "insert into tellmark_podniky(id,podnik_nazev,zeme,obr,skot_ks) values (2,'Mléčná farma Bětov','CZ','JH',5)",
            "insert into tellmark_podniky(id,podnik_nazev,zeme) values (3,'Zemědělské družstvo Cé','SK')",
            "insert into tellmark_podniky(id,podnik_nazev,zeme,O_POZNAMKA) values "
            "(4,'Farma \"U lesa\"; a syn','CZ','první řádek\nDruhý, řádek: #1')",
            "insert into tellmark_podniky(id,podnik_nazev,O_TELEFON,O_EMAIL,O_POZNAMKA,skot_ks) values "
            "(5,'=HYPERLINK(\"http://x.cz\")','+420 777','@kontakt','-1 kus',-5)",
            "insert into tellmark_podniky(id,podnik_nazev,O_POZNAMKA) values (6,'Ферма Світло','čaj ☕')");
    }

    void cleanup()
    {
        setSystemSettingsFile(QString());
        DialogCSVForm::setFileChooser(nullptr);
    }

    // The titles alone when nothing is shown (no statement), then enterprise 1: GPS for admins, the
    // contract columns for the one login, never the contract notes; dates in the chosen format.
    void columns_data()
    {
        QTest::addColumn<bool>("contracts");
        QTest::addColumn<bool>("admin");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("last");          // the last title
        // GPS, then the titles looked up below (Další kontakt NULL, Smlouva pronájem a date as text, Smlouva od a text)
        QTest::addColumn<QStringList>("values");
        QTest::newRow("everyone") << false << false << "dd.MM.yyyy" << "Poznámka T"
                                  << QStringList{"", "", "", "", "31.12.2024", "", "", ""};
        QTest::newRow("admin") << false << true << "dd.MM.yy" << "Poznámka T"
                               << QStringList{"49.19, 16.61", "", "", "", "31.12.24", "", "", ""};
        QTest::newRow("contracts login") << true << true << "yyyy-MM-dd" << "Fakturace měna"
                                         << QStringList{"49.19, 16.61", "Alfa s.r.o.", "1200.5", "CZK", "2024-12-31",
                                                        "", "2023-02-01", "2024-01-15"};
        QTest::newRow("hand-edited format") << true << false << "dd.mm.yy" << "Fakturace měna"
                                            << QStringList{"", "Alfa s.r.o.", "1200.5", "CZK", "31.12.24", "",
                                                           "01.02.23", "2024-01-15"};
    }
    void columns()
    {
        QFETCH(bool, contracts);
        QFETCH(bool, admin);
        QFETCH(QString, format);
        QFETCH(QString, last);
        QFETCH(QStringList, values);
        const CsvOptions o{QLatin1Char(';'), format, CodecUtf8, true, admin, contracts};
        const quint64 before = Database::statementCount();
        const QList<QStringList> header = build({}, o);
        QCOMPARE(Database::statementCount(), before);
        QCOMPARE(header.size(), 1);
        const QStringList t = header.first();
        QCOMPARE(t.size(), (contracts ? 40 : 29) + 1);   // each title followed by the separator
        QCOMPARE((QStringList{t.at(0), t.at(6), t.at(t.size() - 2), t.last()}),
                 (QStringList{"Podnik název", "GPS", last, ""}));

        const QList<QStringList> lines = build({1}, o);
        QCOMPARE(lines.size(), 2);
        const QStringList &l = lines.at(1);
        QCOMPARE(l.size(), t.size());
        QCOMPARE(l.mid(0, 8), (QStringList{"Agro Alfa", "CZ", "12345678", "123456", "TA", "Tábor", values.at(0), "120"}));
        QStringList got;
        for (const char *title : {"Masný ks", "Odpovědná osoba", "Priorita", "Smlouva ORG", "Fakturace částka",
                                  "Fakturace měna", "Poslední kontakt", "Další kontakt", "Smlouva pronájem",
                                  "Smlouva od"})
            got << l.value(col(QString::fromUtf8(title)));
        QCOMPARE(got, QStringList({"", "JN", "2"}) + values.mid(1));
        QVERIFY(!l.join(QString()).contains(QStringLiteral("tajná")));
    }

    // Each encoding and separator: only a field holding the separator, a quote or a line break is quoted.
    void fileText_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QByteArray>("title");   // the file starts with it
        QTest::addColumn<QByteArray>("name");    // enterprise 2 as written
        const QByteArray utf8("Ml\xc3\xa9\xc4\x8dn\xc3\xa1 farma B\xc4\x9btov");
        const QByteArray win("Ml\xe9\xe8n\xe1 farma B\xectov");
        QTest::newRow("UTF-8 ;") << "UTF-8" << ";" << QByteArray("Podnik n\xc3\xa1zev;") << utf8;
        QTest::newRow("WIN-1250 ,") << "WIN-1250" << "," << QByteArray("Podnik n\xe1zev,") << win;
        QTest::newRow("win-1250 by hand :") << "win-1250" << ":" << QByteArray("Podnik n\xe1zev:") << win;
        QTest::newRow("unknown name #") << "latin2" << "#" << QByteArray("Podnik n\xc3\xa1zev#") << utf8;
    }
    void fileText()
    {
        QFETCH(QString, codec);
        QFETCH(QString, separator);
        QFETCH(QByteArray, title);
        QFETCH(QByteArray, name);
        const CsvOptions o{separator.at(0), QStringLiteral("dd.MM.yyyy"), codec, true, false, false};
        QString error;
        const QByteArray bytes = buildCsv({1, 4, 2, 5}, Visibility::everything(), o, &error);
        QVERIFY(error.isEmpty());
        const QByteArray s = separator.toLatin1();
        QVERIFY(bytes.startsWith(title));
        QVERIFY2(bytes.contains("\r\n" + name + s + "CZ" + s + s + s + "JH" + s), bytes.constData());
        QVERIFY(bytes.contains("\r\n\"Farma \"\"U lesa\"\"; a syn\"" + s + "CZ" + s));
        const bool utf8 = name.startsWith("Ml\xc3");
        const QList<QStringList> lines =
            parseCsv(QTextCodec::codecForName(utf8 ? "UTF-8" : "Windows-1250")->toUnicode(bytes), o.separator);
        QCOMPARE(lines.size(), 5);
        for (const QStringList &l : lines)
            QCOMPARE(l.size(), 30);
        QCOMPARE(lines.at(2).at(col("Poznámka")), QStringLiteral("první řádek\nDruhý, řádek: #1"));
        // What a spreadsheet would run as a formula is written as text; numbers stay numbers.
        QStringList cells;
        for (const char *t : {"Podnik název", "Telefon", "Email", "Poznámka", "Skot ks"})
            cells << lines.at(4).at(col(QString::fromUtf8(t)));
        QCOMPARE(cells, (QStringList{"'=HYPERLINK(\"http://x.cz\")", "'+420 777", "'@kontakt", "'-1 kus", "-5"}));
    }

    void orderAndSelection_data()
    {
        QTest::addColumn<QList<int>>("ids");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("stopAt");   // the progress step "Zrušit" is pressed at; -1 never
        QTest::newRow("tree order") << QList<int>{3, 1, 2}
                                    << QStringList{"Zemědělské družstvo Cé", "Agro Alfa", "Mléčná farma Bětov"} << -1;
        QTest::newRow("filtered") << QList<int>{2} << QStringList{"Mléčná farma Bětov"} << -1;
        QTest::newRow("deleted meanwhile") << QList<int>{999, 1} << QStringList{"Agro Alfa"} << -1;
        QTest::newRow("listed twice") << QList<int>{1, 3, 1} << QStringList{"Agro Alfa", "Zemědělské družstvo Cé"} << -1;
        // Stopped, nothing is left to be written: not even the lines made so far.
        QTest::newRow("stopped while reading") << QList<int>{3, 1, 2} << QStringList{} << 1;
        QTest::newRow("stopped while making lines") << QList<int>{3, 1, 2} << QStringList{} << 4;
    }
    void orderAndSelection()
    {
        QFETCH(QList<int>, ids);
        QFETCH(int, stopAt);
        const quint64 before = Database::statementCount();
        QString error;
        CsvReport report;
        const CsvOptions noTitles{QLatin1Char(';'), QStringLiteral("dd.MM.yyyy"), CodecUtf8, false, false, false};
        const QByteArray bytes = buildCsv(ids, Visibility::everything(), noTitles, &error, &report,
                                          [stopAt](qint64 done, qint64) { return stopAt < 0 || done < stopAt; });
        QCOMPARE(report.cancelled, stopAt >= 0);
        const QList<QStringList> lines = parseCsv(QString::fromUtf8(bytes), QLatin1Char(';'));
        QCOMPARE(Database::statementCount() - before, quint64(1));
        QStringList got;
        for (const QStringList &l : lines)
            got << l.first();
        QTEST(got, "names");
    }

    void chooseFile()
    {
        DialogCSVForm dialog;
        dialog.setValues(QStringLiteral("/tmp/old.csv"), true, ";", "dd.MM.yyyy", "UTF-8");
        QString offered, answer = QStringLiteral("/tmp/new.csv");
        DialogCSVForm::setFileChooser([&](QWidget *, const QString &current) {
            offered = current;
            return answer;
        });
        auto *cesta = childNamed<QFEditWithButton>(&dialog, "cesta");
        cesta->button()->click();
        QCOMPARE(offered + " -> " + cesta->text(), QStringLiteral("/tmp/old.csv -> /tmp/new.csv"));
        answer.clear();   // the user cancelled the file dialog
        cesta->button()->click();
        QCOMPARE(cesta->text(), QStringLiteral("/tmp/new.csv"));
    }

    // The whole action as the main window starts it.
    void runWritesRemembersAndReports()
    {
        Session session;
        session.user.login = QStringLiteral("novak");   // no admin right
        session.shownEnterprises = [] { return QList<int>{2, 1}; };
        writeSystemFile(QStringLiteral("novak"));
        const QString file = m_dir.filePath(QStringLiteral("run.csv"));
        Shown shown;
        {
            MessageBoxAnswerer boxes;
            ModalHandler h(answer(&shown, file, {1, 2}));   // ",", yyyy-MM-dd, the titles
            run(nullptr, &session);
            QCOMPARE(boxes.messages, QStringList{QStringLiteral("Export Export je hotový: soubor „%1“ obsahuje 2 podniky.").arg(file)});
        }
        // Windows-1250 is the default: "č" of the enterprise name as one byte.
        const QString text = readFile(file, "Windows-1250");
        QVERIFY(text.contains(QStringLiteral("\r\nMléčná farma Bětov,CZ,")));
        const QList<QStringList> lines = parseCsv(text, QLatin1Char(','));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0).size(), 41);   // the contracts login
        // No admin right: no GPS (column 6).
        QCOMPARE((QStringList{lines.at(2).at(0), lines.at(2).at(6), lines.at(2).at(col("Poslední kontakt"))}),
                 (QStringList{"Agro Alfa", "", "2024-12-31"}));

        // Next time the dialog shows the remembered choices; without the system file no login gets
        // the contracts, not even one the user's own file names; the header "Ne" leaves the titles out.
        session.user.login = QStringLiteral("kral");
        ZrnSettings().setValue(KeyContractsLogin, QStringLiteral("kral"));
        writeSystemFile(QString());
        {
            MessageBoxAnswerer boxes;
            ModalHandler h(answer(&(shown = Shown()), QString(), {-1, -1, -1, 1}));
            run(nullptr, &session);
            QVERIFY(boxes.messages.value(0).endsWith(QStringLiteral("obsahuje 2 podniky.")));
        }
        QCOMPARE(shown.file, file);
        QCOMPARE(shown.combos, (QStringList{",", "yyyy-MM-dd", "Windows-1250", "Ano"}));
        const QList<QStringList> again = parseCsv(readFile(file, "Windows-1250"), QLatin1Char(','));
        QCOMPARE(again.size(), 2);   // a new file took the old one's place
        QCOMPARE(again.at(0).size(), 30);
        QCOMPARE(again.at(0).at(0), QStringLiteral("Mléčná farma Bětov"));
        QVERIFY(!ZrnSettings().boolValue(KeyWithHeader, true));
        ZrnSettings().remove(KeyContractsLogin);
    }

    // Stored choices as the dialog shows them (case ignored, an unknown one at the first item), the
    // file offered in the home folder (no desktop here), failures keep the dialog, lossy values.
    void runOutcomes_data()
    {
        QTest::addColumn<QList<int>>("ids");        // the tree's enterprises; none: not set yet
        QTest::addColumn<QStringList>("stored");    // separator, date format, encoding, header
        QTest::addColumn<QString>("file");          // typed in the dialog; null: Zrušit, empty: the folder
        QTest::addColumn<int>("reply");             // to a question
        QTest::addColumn<QStringList>("dialog");    // its combos as shown; empty: no dialog
        QTest::addColumn<QStringList>("messages");  // %1 the file, %2 the test folder
        QTest::addColumn<QString>("written");       // what the file holds (read as UTF-8); empty: none
        const QStringList defaults{";", "dd.MM.yyyy", "WIN-1250", "true"};
        const QStringList shownDefaults{";", "dd.MM.yyyy", "Windows-1250", "Ano"};
        const QString cyrillic = "Otázka Tyto hodnoty nelze zapsat v kódování Windows-1250 (v souboru by z nich byly "
                                 "otazníky):\n\nPodnik název: Ферма Світло\nPoznámka: čaj ☕\n\nUložit soubor v kódování UTF-8?";
        QTest::newRow("cancelled, stored in another case")
            << QList<int>{1} << QStringList{"#", "dd.mm.yy", "utf-8", "false"} << QString() << 0
            << QStringList{"#", "dd.MM.yy", "UTF-8", "Ne"} << QStringList() << "";
        QTest::newRow("unknown stored, missing folder")
            << QList<int>{1} << QStringList{"|", "MM/dd", "cp1250", "true"} << "no/such/folder/x.csv" << 0
            << QStringList{";", "dd.MM.yyyy", "UTF-8", "Ano"}
            << QStringList{"Export Soubor „%1“ nelze zapsat:\nSložka „%2/no/such/folder“ neexistuje."} << "";
        QTest::newRow("a folder") << QList<int>{1} << defaults << "" << 0 << shownDefaults
                                  << QStringList{"Export Soubor „%1“ nelze zapsat:\n„%1“ je složka, ne soubor."} << "";
        QTest::newRow("five enterprises") << QList<int>{1, 2, 3, 4, 5} << defaults << "pet.csv" << 0 << shownDefaults
            << QStringList{"Export Export je hotový: soubor „%1“ obsahuje 5 podniků."} << "Agro Alfa";
        QTest::newRow("Cyrillic, UTF-8 taken")
            << QList<int>{6} << defaults << "cyrilice.csv" << int(QMessageBox::Yes) << shownDefaults
            << QStringList{cyrillic, "Export Export je hotový: soubor „%1“ obsahuje 1 podnik."} << "Ферма Світло";
        QTest::newRow("Cyrillic, declined") << QList<int>{6} << defaults << "cyrilice-ne.csv" << int(QMessageBox::No)
                                            << shownDefaults << QStringList{cyrillic} << "";
        QTest::newRow("tree not set yet") << QList<int>{} << defaults << "nic.csv" << 0 << QStringList()
                                          << QStringList{"Export Strom nezobrazuje žádný podnik, není co exportovat."} << "";
    }
    void runOutcomes()
    {
        QFETCH(QList<int>, ids);
        QFETCH(QStringList, stored);
        QFETCH(QString, file);
        QFETCH(int, reply);
        QFETCH(QStringList, dialog);
        QFETCH(QStringList, messages);
        QFETCH(QString, written);
        Session session;
        if (!ids.isEmpty())
            session.shownEnterprises = [ids] { return ids; };
        ZrnSettings().remove(KeyFilename);
        const QStringList keys{KeySeparator, KeyDateFormat, KeyCodec, KeyWithHeader};
        for (int i = 0; i < keys.size(); ++i)
            ZrnSettings().setValue(keys.at(i), stored.at(i));
        const QString path = file.isEmpty() ? m_dir.path() : m_dir.filePath(file);
        MessageBoxAnswerer boxes{QMessageBox::StandardButton(reply)};
        Shown shown;
        ModalHandler h(answer(&shown, file.isNull() ? QString() : path, {}, !file.isNull()));
        run(nullptr, &session);
        for (QString &m : messages)
            m.replace(QLatin1String("%1"), path).replace(QLatin1String("%2"), m_dir.path());
        QCOMPARE(boxes.messages, messages);
        QCOMPARE(shown.combos, dialog);
        if (!dialog.isEmpty())
            QCOMPARE(shown.file, QDir::homePath() + QStringLiteral("/podniky.csv"));
        // A failed export keeps the dialog open with the user's choice.
        QCOMPARE(shown.reopenedWith, !file.isNull() && written.isEmpty() && !dialog.isEmpty() ? path : QString());
        QCOMPARE(QFileInfo(path).isFile(), !written.isEmpty());
        QVERIFY(readFile(path).contains(written));
        if (file.isNull())   // nothing remembered
            QCOMPARE(ZrnSettings().textValue(KeySeparator), stored.at(0));
    }
};

ZRN_TEST_MAIN(TstCsvExport)
#include "tst_csvexport.moc"
