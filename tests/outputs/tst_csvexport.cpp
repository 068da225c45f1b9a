#include "core/session.h"
#include "core/usersettings.h"
#include "db/database.h"
#include "outputs/csvexport.h"
#include "outputs/dialogcsvform.h"
#include "support/testdb.h"
#include "widgets/qfeditwithbutton.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QToolButton>
#include <QtTest>

#include <memory>

#include "support/testmain.h"
#include "support/uitest.h"

using namespace CsvExport;

namespace {

// Records as a spreadsheet reads them (RFC 4180): CR LF ends a record;
// quoted fields may hold the separator, doubled quotes and line breaks.
QList<QStringList> parseCsv(const QString &text, QChar sep)
{
    QList<QStringList> records;
    QStringList record;
    QString fieldText;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"')) {
                fieldText += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                fieldText += c;
            }
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == sep) {
            record << fieldText;
            fieldText.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            ++i;
            record << fieldText;
            records << record;
            record.clear();
            fieldText.clear();
        } else {
            fieldText += c;
        }
    }
    if (!record.isEmpty() || !fieldText.isEmpty())
        records << (record << fieldText);
    return records;
}

CsvOptions options(bool header = false)
{
    CsvOptions o;
    o.codec = CodecUtf8;
    o.withHeader = header;
    return o;
}

QList<QStringList> build(const QList<int> &ids, const CsvOptions &o)
{
    QString error;
    const QByteArray bytes = buildCsv(ids, Visibility::everything(), o, &error);
    if (!error.isEmpty())
        qWarning("%s", qPrintable(error));
    return parseCsv(QString::fromUtf8(bytes), o.separator);
}

// Column of a title in the file.
int col(const QString &title)
{
    return titles(true).indexOf(title);
}

QString readUtf8(const QString &fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// Fills the export dialog as a user would and confirms or cancels it.
ModalHandler *answerDialog(const QString &fileName, int separator, int header, bool ok = true)
{
    return new ModalHandler([=](QWidget *modal) {
        auto *dialog = qobject_cast<DialogCSVForm *>(modal);
        if (!dialog)
            return false;
        if (!fileName.isNull())
            childNamed<QFEditWithButton>(dialog, "cesta")->setText(fileName);
        if (separator >= 0)
            childNamed<QComboBox>(dialog, "oddelovac")->setCurrentIndex(separator);
        if (header >= 0)
            childNamed<QComboBox>(dialog, "hlavicka")->setCurrentIndex(header);
        auto *box = childNamed<QDialogButtonBox>(dialog, "buttonBox");
        box->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        return true;
    });
}

// Confirms the export dialog with this file; when the dialog is still open
// afterwards (the export failed), notes the file it shows and cancels it.
ModalHandler *confirmThenNote(const QString &fileName, QString *shownAfter)
{
    auto confirmed = std::make_shared<bool>(false);
    return new ModalHandler([=](QWidget *modal) {
        auto *dialog = qobject_cast<DialogCSVForm *>(modal);
        if (!dialog)
            return false;
        auto *box = childNamed<QDialogButtonBox>(dialog, "buttonBox");
        if (*confirmed) {
            *shownAfter = childNamed<QFEditWithButton>(dialog, "cesta")->text();
            box->button(QDialogButtonBox::Cancel)->click();
            return true;
        }
        *confirmed = true;
        childNamed<QFEditWithButton>(dialog, "cesta")->setText(fileName);
        box->button(QDialogButtonBox::Ok)->click();
        return false;
    });
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
        if (!login.isNull()) {
            QSettings s(path, QSettings::IniFormat);
            s.setValue(KeyContractsLogin, login);
        }
        setSystemSettingsFile(path);
    }

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        QVERIFY(m_dir.isValid());
        const QStringList rows = {
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
            "insert into tellmark_podniky(id,podnik_nazev,O_POZNAMKA) values (6,'Ферма Світло','čaj ☕')",
        };
        for (const QString &sql : rows) {
            QString error;
            QVERIFY2(TestDb::exec(sql, &error), qPrintable(error));
        }
    }

    void cleanup()
    {
        setSystemSettingsFile(QString());
        DialogCSVForm::setFileChooser(nullptr);
    }

    void header_data()
    {
        QTest::addColumn<bool>("contracts");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("last");
        QTest::newRow("everyone") << false << 29 << "Poznámka T";
        QTest::newRow("contracts login") << true << 40 << "Fakturace měna";
    }

    void header()
    {
        QFETCH(bool, contracts);
        QFETCH(int, count);
        QFETCH(QString, last);
        CsvOptions o = options(true);
        o.withContracts = contracts;
        const quint64 before = Database::statementCount();
        QString error;
        const QString text = QString::fromUtf8(buildCsv({}, Visibility::everything(), o, &error));
        QVERIFY(error.isEmpty());
        // Nothing shown: titles only, and no statement at all.
        QCOMPARE(Database::statementCount(), before);
        QVERIFY(text.endsWith(QStringLiteral(";\r\n")));
        QCOMPARE(text.count(QLatin1Char('\n')), 1);
        const QStringList fields = text.chopped(2).split(QLatin1Char(';'));
        QCOMPARE(fields.size(), count + 1);     // each title followed by the separator
        QCOMPARE(fields.first(), QStringLiteral("Podnik název"));
        QCOMPARE(fields.at(6), QStringLiteral("GPS"));
        QCOMPARE(fields.at(count - 1), last);
        QCOMPARE(fields.last(), QString());
    }

    void dates_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("lastContact");
        QTest::addColumn<QString>("rental");
        QTest::newRow("dd.MM.yyyy") << "dd.MM.yyyy" << "31.12.2024" << "01.02.2023";
        QTest::newRow("dd.MM.yy") << "dd.MM.yy" << "31.12.24" << "01.02.23";
        QTest::newRow("yyyy-MM-dd") << "yyyy-MM-dd" << "2024-12-31" << "2023-02-01";
        QTest::newRow("hand-edited case") << "dd.mm.yy" << "31.12.24" << "01.02.23";
    }

    void dates()
    {
        QFETCH(QString, format);
        QFETCH(QString, lastContact);
        QFETCH(QString, rental);
        CsvOptions o = options();
        o.dateFormat = format;
        o.withContracts = true;
        const QList<QStringList> lines = build({1}, o);
        QCOMPARE(lines.size(), 1);
        const QStringList &l = lines.first();
        QCOMPARE(l.at(col("Poslední kontakt")), lastContact);
        QCOMPARE(l.at(col("Další kontakt")), QString());          // NULL date
        QCOMPARE(l.at(col("Smlouva pronájem")), rental);         // a date kept as text
        QCOMPARE(l.at(col("Smlouva od")), QStringLiteral("2024-01-15"));
    }

    void values()
    {
        CsvOptions o = options();
        o.withContracts = true;
        o.withGps = true;
        const QStringList l = build({1}, o).value(0);
        QCOMPARE(l.size(), 41);
        QCOMPARE(l.mid(0, 8), (QStringList{"Agro Alfa", "CZ", "12345678", "123456", "TA", "Tábor",
                                           "49.19, 16.61", "120"}));
        QCOMPARE(l.at(col("Masný ks")), QString());
        QCOMPARE(l.at(col("Odpovědná osoba")), QStringLiteral("JN"));
        QCOMPARE(l.at(col("Priorita")), QStringLiteral("2"));
        QCOMPARE(l.at(col("Smlouva ORG")), QStringLiteral("Alfa s.r.o."));
        QCOMPARE(l.at(col("Fakturace částka")), QStringLiteral("1200.5"));
        QCOMPARE(l.at(col("Fakturace měna")), QStringLiteral("CZK"));
        QVERIFY(!l.join(QString()).contains(QStringLiteral("tajná")));   // the contract notes stay out
    }

    void gpsNeedsAdmin_data()
    {
        QTest::addColumn<bool>("admin");
        QTest::addColumn<QString>("gps");
        QTest::newRow("admin") << true << "49.19, 16.61";
        QTest::newRow("no admin") << false << "";
    }

    void gpsNeedsAdmin()
    {
        QFETCH(bool, admin);
        QFETCH(QString, gps);
        CsvOptions o = options(true);
        o.withGps = admin;
        const QList<QStringList> lines = build({1}, o);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines.at(0).at(6), QStringLiteral("GPS"));
        QCOMPARE(lines.at(1).at(6), gps);
        QCOMPARE(lines.at(1).size(), 30);
    }

    void encodings_data()
    {
        QTest::addColumn<QString>("codec");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("title");
        const QByteArray utf8("Ml\xc3\xa9\xc4\x8dn\xc3\xa1 farma B\xc4\x9btov");
        const QByteArray win("Ml\xe9\xe8n\xe1 farma B\xectov");
        QTest::newRow("UTF-8") << "UTF-8" << utf8 << QByteArray("Podnik n\xc3\xa1zev;");
        QTest::newRow("WIN-1250") << "WIN-1250" << win << QByteArray("Podnik n\xe1zev;");
        QTest::newRow("win-1250 by hand") << "win-1250" << win << QByteArray("Podnik n\xe1zev;");
        QTest::newRow("unknown name") << "latin2" << utf8 << QByteArray("Podnik n\xc3\xa1zev;");
    }

    void encodings()
    {
        QFETCH(QString, codec);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, title);
        CsvOptions o = options(true);
        o.codec = codec;
        QString error;
        const QByteArray bytes = buildCsv({2}, Visibility::everything(), o, &error);
        QVERIFY(error.isEmpty());
        QVERIFY2(bytes.contains("\r\n" + name + ";CZ;;;JH;"), bytes.constData());
        QVERIFY(bytes.startsWith(title));
    }

    void quoting_data()
    {
        QTest::addColumn<int>("separator");
        for (int i = 0; i < separators().size(); ++i)
            QTest::newRow(qPrintable(separators().at(i))) << i;
    }

    void quoting()
    {
        QFETCH(int, separator);
        CsvOptions o = options(true);
        o.separator = separators().at(separator).at(0);
        const QList<QStringList> lines = build({1, 4, 2}, o);
        QCOMPARE(lines.size(), 4);
        for (const QStringList &l : lines)
            QCOMPARE(l.size(), 30);
        QCOMPARE(lines.at(2).at(0), QStringLiteral("Farma \"U lesa\"; a syn"));
        QCOMPARE(lines.at(2).at(col("Poznámka")), QStringLiteral("první řádek\nDruhý, řádek: #1"));
        QCOMPARE(lines.at(3).at(0), QStringLiteral("Mléčná farma Bětov"));
    }

    void plainValuesStayBare()
    {
        QString error;
        const QString text = QString::fromUtf8(buildCsv({4, 3}, Visibility::everything(), options(), &error));
        QVERIFY(text.startsWith(QStringLiteral("\"Farma \"\"U lesa\"\"; a syn\";CZ;")));
        QVERIFY(text.contains(QStringLiteral(";\r\nZemědělské družstvo Cé;SK;")));
        QVERIFY(text.endsWith(QStringLiteral(";\r\n")));
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
        QFETCH(QStringList, names);
        QFETCH(int, stopAt);
        const quint64 before = Database::statementCount();
        QString error;
        CsvReport report;
        const QByteArray bytes = buildCsv(ids, Visibility::everything(), options(), &error, &report,
                                          [stopAt](qint64 done, qint64) { return stopAt < 0 || done < stopAt; });
        QCOMPARE(report.cancelled, stopAt >= 0);
        const QList<QStringList> lines = parseCsv(QString::fromUtf8(bytes), QLatin1Char(';'));
        QCOMPARE(Database::statementCount() - before, quint64(1));
        QStringList got;
        for (const QStringList &l : lines)
            got << l.first();
        QCOMPARE(got, names);
    }

    void contractsLoginOnlySystemWide()
    {
        // The user's own file cannot name himself.
        ZrnSettings().setValue(KeyContractsLogin, QStringLiteral("novak"));
        writeSystemFile(QString());
        QCOMPARE(contractsLogin(), QString());
        writeSystemFile(QStringLiteral("novak"));
        QCOMPARE(contractsLogin(), QStringLiteral("novak"));
        ZrnSettings().remove(KeyContractsLogin);

        setSystemSettingsFile(QString());
        QVERIFY(systemSettingsFile() != ZrnSettings::path());
        QCOMPARE(systemSettingsFile(), QSettings(QSettings::IniFormat, QSettings::SystemScope,
                                                 QStringLiteral("Korbanit"), QStringLiteral("ZRN")).fileName());
    }

    void writeFailureReported_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");   // empty: written
        QTest::newRow("missing folder") << "missing/podniky.csv" << "Složka „%1/missing“ neexistuje.";
        QTest::newRow("a folder") << "" << "„%1“ je složka, ne soubor.";
        QTest::newRow("written") << "ok.csv" << "";
    }

    void writeFailureReported()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        const QString path = name.isEmpty() ? m_dir.path() : m_dir.filePath(name);
        QString error;
        QCOMPARE(writeFile(path, "x;\r\n", &error), reason.isEmpty());
        QCOMPARE(error, reason.isEmpty() ? QString() : reason.arg(m_dir.path()));
        if (reason.isEmpty())
            QCOMPARE(readUtf8(path), QStringLiteral("x;\r\n"));
    }

    // What a spreadsheet would run as a formula is written as text; numbers stay numbers.
    void formulasStayText_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("value");
        QTest::newRow("=") << "Podnik název" << "'=HYPERLINK(\"http://x.cz\")";
        QTest::newRow("+") << "Telefon" << "'+420 777";
        QTest::newRow("@") << "Email" << "'@kontakt";
        QTest::newRow("-") << "Poznámka" << "'-1 kus";
        QTest::newRow("number") << "Skot ks" << "-5";
    }

    void formulasStayText()
    {
        QFETCH(QString, title);
        QFETCH(QString, value);
        QCOMPARE(build({5}, options()).value(0).value(col(title)), value);
    }

    void dialogMapping_data()
    {
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("codec");
        QTest::addColumn<bool>("header");
        QTest::addColumn<QList<int>>("indexes");     // oddelovac, fdatum, kodovani, hlavicka
        QTest::addColumn<QStringList>("readBack");   // separator, format, codec
        QTest::newRow("defaults") << ";" << "dd.MM.yyyy" << "WIN-1250" << true << QList<int>{0, 0, 1, 0}
                                  << QStringList{";", "dd.MM.yyyy", "WIN-1250"};
        QTest::newRow("hash, lower case") << "#" << "dd.mm.yy" << "utf-8" << false << QList<int>{3, 1, 0, 1}
                                          << QStringList{"#", "dd.MM.yy", "UTF-8"};
        QTest::newRow("unknown") << "|" << "MM/dd" << "cp1250" << true << QList<int>{0, 0, 0, 0}
                                 << QStringList{";", "dd.MM.yyyy", "UTF-8"};
        QTest::newRow("comma, iso") << "," << "yyyy-MM-dd" << "win-1250" << false << QList<int>{1, 2, 1, 1}
                                    << QStringList{",", "yyyy-MM-dd", "WIN-1250"};
    }

    void dialogMapping()
    {
        QFETCH(QString, separator);
        QFETCH(QString, format);
        QFETCH(QString, codec);
        QFETCH(bool, header);
        QFETCH(QList<int>, indexes);
        QFETCH(QStringList, readBack);
        DialogCSVForm dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Nastavení CSV exportu"));
        dialog.setValues(QStringLiteral("/tmp/a.csv"), header, separator, format, codec);
        QCOMPARE((QList<int>{childNamed<QComboBox>(&dialog, "oddelovac")->currentIndex(),
                             childNamed<QComboBox>(&dialog, "fdatum")->currentIndex(),
                             childNamed<QComboBox>(&dialog, "kodovani")->currentIndex(),
                             childNamed<QComboBox>(&dialog, "hlavicka")->currentIndex()}),
                 indexes);
        QString name, sep, fmt, cod;
        bool withHeader = !header;
        dialog.getValues(&name, &withHeader, &sep, &fmt, &cod);
        QCOMPARE(name, QStringLiteral("/tmp/a.csv"));
        QCOMPARE(withHeader, header);
        QCOMPARE((QStringList{sep, fmt, cod}), readBack);
    }

    void chooseFile()
    {
        DialogCSVForm dialog;
        dialog.setValues(QStringLiteral("/tmp/old.csv"), true, ";", "dd.MM.yyyy", "UTF-8");
        QString offered;
        QString answer = QStringLiteral("/tmp/new.csv");
        DialogCSVForm::setFileChooser([&](QWidget *, const QString &current) {
            offered = current;
            return answer;
        });
        auto *cesta = childNamed<QFEditWithButton>(&dialog, "cesta");
        cesta->button()->click();
        QCOMPARE(offered, QStringLiteral("/tmp/old.csv"));
        QCOMPARE(cesta->text(), QStringLiteral("/tmp/new.csv"));
        answer.clear();   // the user cancelled the file dialog
        cesta->button()->click();
        QCOMPARE(cesta->text(), QStringLiteral("/tmp/new.csv"));
    }

    // The whole action as the main window starts it.
    void runWritesRemembersAndReports()
    {
        Session session;
        session.user.login = QStringLiteral("novak");
        session.user.admin = 0;
        session.shownEnterprises = [] { return QList<int>{2, 1}; };
        writeSystemFile(QStringLiteral("novak"));
        const QString file = m_dir.filePath(QStringLiteral("run.csv"));

        {
            MessageBoxAnswerer boxes;
            QScopedPointer<ModalHandler> h(answerDialog(file, 1, 0));   // ",", with titles
            run(nullptr, &session);
            QVERIFY(h->handled());
            QCOMPARE(boxes.messages, QStringList{QStringLiteral("Export Export je hotový: soubor „%1“ obsahuje 2 podniky.").arg(file)});
        }
        QFile raw(file);
        QVERIFY(raw.open(QIODevice::ReadOnly));
        // Windows-1250 is the default: "č" of the enterprise name as one byte.
        const QByteArray bytes = raw.readAll();
        QVERIFY(bytes.contains("\r\nMl\xe9\xe8n\xe1 farma B\xectov,CZ,"));
        const QList<QStringList> lines =
            parseCsv(QTextCodec::codecForName("Windows-1250")->toUnicode(bytes), QLatin1Char(','));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines.at(0).size(), 41);    // the contracts login
        QCOMPARE(lines.at(2).at(0), QStringLiteral("Agro Alfa"));
        QCOMPARE(lines.at(2).at(6), QString());   // no admin right: no GPS
        {
            ZrnSettings s;
            QCOMPARE(s.textValue(KeyFilename), file);
            QCOMPARE(s.textValue(KeySeparator), QStringLiteral(","));
            QCOMPARE(s.textValue(KeyCodec), QStringLiteral("WIN-1250"));
        }

        // Next time the dialog shows the remembered choices; another login
        // gets 29 columns; the header "Ne" leaves the titles out.
        session.user.login = QStringLiteral("kral");
        QString shownSeparator, shownFile;
        {
            MessageBoxAnswerer boxes;
            ModalHandler h([&](QWidget *modal) {
                auto *dialog = qobject_cast<DialogCSVForm *>(modal);
                if (!dialog)
                    return false;
                shownSeparator = childNamed<QComboBox>(dialog, "oddelovac")->currentText();
                shownFile = childNamed<QFEditWithButton>(dialog, "cesta")->text();
                childNamed<QComboBox>(dialog, "hlavicka")->setCurrentIndex(1);
                dialog->accept();
                return true;
            });
            run(nullptr, &session);
            QVERIFY(h.handled());
            QVERIFY(boxes.messages.value(0).endsWith(QStringLiteral("obsahuje 2 podniky.")));
        }
        QCOMPARE(shownSeparator, QStringLiteral(","));
        QCOMPARE(shownFile, file);
        QFile rewritten(file);   // a new file took the old one's place
        QVERIFY(rewritten.open(QIODevice::ReadOnly));
        const QList<QStringList> again =
            parseCsv(QTextCodec::codecForName("Windows-1250")->toUnicode(rewritten.readAll()), QLatin1Char(','));
        QCOMPARE(again.size(), 2);
        QCOMPARE(again.at(0).size(), 30);
        QCOMPARE(again.at(0).at(0), QStringLiteral("Mléčná farma Bětov"));
        QVERIFY(!ZrnSettings().boolValue(KeyWithHeader, true));
    }

    void runCancelled()
    {
        Session session;
        session.shownEnterprises = [] { return QList<int>{1}; };
        ZrnSettings().remove(KeyFilename);
        ZrnSettings().setValue(KeySeparator, QStringLiteral("#"));
        QString offered;
        ModalHandler h([&](QWidget *modal) {
            auto *dialog = qobject_cast<DialogCSVForm *>(modal);
            if (!dialog)
                return false;
            offered = childNamed<QFEditWithButton>(dialog, "cesta")->text();
            childNamed<QComboBox>(dialog, "oddelovac")->setCurrentIndex(1);
            dialog->reject();
            return true;
        });
        run(nullptr, &session);
        QVERIFY(h.handled());
        // No desktop folder in this home: the home folder is offered.
        QCOMPARE(offered, QDir::homePath() + QStringLiteral("/podniky.csv"));
        QVERIFY(!QFile::exists(offered));
        QCOMPARE(ZrnSettings().textValue(KeySeparator), QStringLiteral("#"));
    }

    void runReportsUnwritableFile()
    {
        Session session;
        session.shownEnterprises = [] { return QList<int>{1}; };
        const QString file = m_dir.filePath(QStringLiteral("no/such/folder/x.csv"));
        MessageBoxAnswerer boxes;
        QString shown;
        QScopedPointer<ModalHandler> h(confirmThenNote(file, &shown));
        run(nullptr, &session);
        QVERIFY(h->handled());
        QCOMPARE(boxes.messages, QStringList{QStringLiteral("Export Soubor „%1“ nelze zapsat:\nSložka „%2“ neexistuje.")
                                                 .arg(file, m_dir.filePath(QStringLiteral("no/such/folder")))});
        QCOMPARE(shown, file);   // the dialog stayed open with the user's choice
        QVERIFY(!QFile::exists(file));
    }

    void unencodableValuesOfferUtf8_data()
    {
        QTest::addColumn<bool>("utf8");
        QTest::newRow("UTF-8 taken") << true;
        QTest::newRow("declined") << false;
    }

    void unencodableValuesOfferUtf8()
    {
        QFETCH(bool, utf8);
        CsvOptions o = options();
        o.codec = CodecWin1250;
        CsvReport report;
        QString error;
        buildCsv({1, 6}, Visibility::everything(), o, &error, &report);
        QCOMPARE(report.enterprises, 2);
        QCOMPARE(report.unencodable, (QStringList{"Podnik název: Ферма Світло", "Poznámka: čaj ☕"}));

        Session session;
        session.shownEnterprises = [] { return QList<int>{6}; };
        const QString file = m_dir.filePath(QStringLiteral("cyrilice-%1.csv").arg(utf8));
        ZrnSettings().setValue(KeyCodec, CodecWin1250);
        MessageBoxAnswerer boxes(utf8 ? QMessageBox::Yes : QMessageBox::No);
        QString shown;
        QScopedPointer<ModalHandler> h(confirmThenNote(file, &shown));
        run(nullptr, &session);
        QCOMPARE(boxes.messages.size(), utf8 ? 2 : 1);
        QVERIFY(boxes.messages.first().contains(QStringLiteral("Ферма Світло")));
        QCOMPARE(QFile::exists(file), utf8);
        if (utf8)
            QVERIFY(readUtf8(file).contains(QStringLiteral("Ферма Світло")));
        else
            QCOMPARE(shown, file);
    }

    void runWithNothingShown()
    {
        Session session;   // the register has not set the tree yet
        MessageBoxAnswerer boxes;
        QScopedPointer<ModalHandler> h(answerDialog(QString(), -1, -1));
        run(nullptr, &session);
        QVERIFY(!h->handled());
        QCOMPARE(boxes.messages.size(), 1);
        session.shownEnterprises = [] { return QList<int>(); };
        run(nullptr, &session);
        QCOMPARE(boxes.messages.size(), 2);
        QVERIFY(boxes.messages.at(1).contains(QStringLiteral("žádný podnik")));
    }
};

ZRN_TEST_MAIN(TstCsvExport)
#include "tst_csvexport.moc"
