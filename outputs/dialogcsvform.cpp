#include "outputs/dialogcsvform.h"

#include "core/notice.h"
#include "core/session.h"
#include "core/workprogress.h"
#include "outputs/csvexport.h"
#include "widgets/qfeditwithbutton.h"

#include "ui_dialogcsvform.h"

#include <QCoreApplication>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

QString defaultChooser(QWidget *parent, const QString &current)
{
    QFileDialog dialog(parent, QCoreApplication::translate("DialogCSVForm", "Uložení souboru"), current,
                       QStringLiteral("CSV-Files (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

DialogCSVForm::FileChooser &chooser()
{
    static DialogCSVForm::FileChooser c = defaultChooser;
    return c;
}

int indexOf(const QStringList &choices, const QString &value)
{
    for (int i = 0; i < choices.size(); ++i)
        if (value.compare(choices.at(i), Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

} // namespace

DialogCSVForm::DialogCSVForm(QWidget *parent) : QDialog(parent), ui(new Ui::DialogCSVForm)
{
    ui->setupUi(this);
    ui->cesta->setFocus();
    connect(ui->cesta, &QFEditWithButton::buttonClicked, this, &DialogCSVForm::selectCesta);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DialogCSVForm::~DialogCSVForm()
{
    delete ui;
}

void DialogCSVForm::setValues(const QString &fileName, bool withHeader, const QString &separator,
                              const QString &dateFormat, const QString &codec)
{
    ui->cesta->setText(fileName);
    ui->hlavicka->setCurrentIndex(withHeader ? 0 : 1);
    ui->oddelovac->setCurrentIndex(indexOf(CsvExport::separators(), separator));
    ui->fdatum->setCurrentIndex(indexOf(CsvExport::dateFormats(), dateFormat));
    ui->kodovani->setCurrentIndex(indexOf(CsvExport::codecs(), codec));
}

void DialogCSVForm::getValues(QString *fileName, bool *withHeader, QString *separator,
                              QString *dateFormat, QString *codec) const
{
    *fileName = ui->cesta->text();
    *withHeader = ui->hlavicka->currentIndex() == 0;
    *separator = CsvExport::separators().value(ui->oddelovac->currentIndex());
    *dateFormat = CsvExport::dateFormats().value(ui->fdatum->currentIndex());
    // The combo shows "Windows-1250", the setting keeps "WIN-1250".
    *codec = CsvExport::codecs().value(ui->kodovani->currentIndex());
}

void DialogCSVForm::accept()
{
    if (!m_acceptCheck || m_acceptCheck())
        QDialog::accept();
}

void DialogCSVForm::setFileChooser(FileChooser c)
{
    chooser() = c ? std::move(c) : FileChooser(defaultChooser);
}

void DialogCSVForm::selectCesta()
{
    const QString name = chooser()(this, ui->cesta->text());
    if (!name.isEmpty())
        ui->cesta->setText(name);
}

namespace CsvExport {

namespace {

// At most this many of the values an encoding cannot hold are listed.
constexpr int ListedValues = 10;

// A stopped export wrote nothing; the dialog stays with the user's choices.
bool stoppedExport(QWidget *parent)
{
    QMessageBox::information(parent, QCoreApplication::translate("CsvExport", "Export"),
                             QCoreApplication::translate("CsvExport", "Export byl zrušen, soubor nebyl zapsán."));
    return false;
}

// Builds and writes the file the dialog describes; false (with the user
// told why) keeps the dialog open.
bool exportFile(DialogCSVForm *dialog, Session *session, const QList<int> &ids)
{
    const QString title = QCoreApplication::translate("DialogCSVForm", "Export");
    StoredChoices c;
    dialog->getValues(&c.fileName, &c.withHeader, &c.separator, &c.dateFormat, &c.codec);
    c.save();

    CsvOptions o;
    o.separator = c.separator.isEmpty() ? QLatin1Char(';') : c.separator.at(0);
    o.dateFormat = c.dateFormat;
    o.codec = c.codec;
    o.withHeader = c.withHeader;
    o.withGps = session->user.admin > 0;
    const QString allowed = contractsLogin();
    o.withContracts = !allowed.isEmpty() && session->user.login == allowed;

    QString error;
    CsvReport report;
    // Stopping is safe: the file is written only once it is whole.
    auto build = [&] {
        WorkProgress progress(dialog, QCoreApplication::translate("CsvExport", "Export podniků ..."), true);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        QByteArray built = buildCsv(ids, Visibility::of(session->user), o, &error, &report, progress.callback());
        QApplication::restoreOverrideCursor();
        return built;
    };
    QByteArray bytes = build();
    if (report.cancelled)
        return stoppedExport(dialog);
    if (!error.isEmpty()) {
        QMessageBox::warning(dialog, title, QCoreApplication::translate("DialogCSVForm", "Podniky pro export nelze načíst:\n%1").arg(error));
        return false;
    }
    if (!report.unencodable.isEmpty()) {
        // Windows-1250 would write "?" for them: the user decides.
        QStringList shown = report.unencodable.mid(0, ListedValues);
        if (report.unencodable.size() > ListedValues)
            shown << QCoreApplication::translate("DialogCSVForm", "… a dalších %1").arg(report.unencodable.size() - ListedValues);
        const QString question =
            QCoreApplication::translate("DialogCSVForm", "Tyto hodnoty nelze zapsat v kódování Windows-1250 (v souboru by z nich byly otazníky):\n\n%1\n\n"
                           "Uložit soubor v kódování UTF-8?")
                .arg(shown.join(QLatin1Char('\n')));
        if (QMessageBox::question(dialog, QCoreApplication::translate("DialogCSVForm", "Otázka"), question, QMessageBox::Yes | QMessageBox::No,
                                  QMessageBox::Yes)
            != QMessageBox::Yes)
            return false;
        o.codec = CodecUtf8;
        bytes = build();
        if (report.cancelled)
            return stoppedExport(dialog);
        if (!error.isEmpty()) {
            QMessageBox::warning(dialog, title, QCoreApplication::translate("DialogCSVForm", "Podniky pro export nelze načíst:\n%1").arg(error));
            return false;
        }
    }
    const QString where = QDir::toNativeSeparators(QFileInfo(c.fileName).absoluteFilePath());
    if (!writeFile(c.fileName, bytes, &error)) {
        QMessageBox::warning(dialog, title, QCoreApplication::translate("DialogCSVForm", "Soubor „%1“ nelze zapsat:\n%2").arg(where, error));
        return false;
    }
    session->notify(Notice::exported(where));
    QMessageBox::information(dialog, title,
                             QCoreApplication::translate("DialogCSVForm", "Export je hotový: soubor „%1“ obsahuje %2.")
                                 .arg(where, enterprisesText(report.enterprises)));
    return true;
}

} // namespace

void run(QWidget *parent, Session *session)
{
    const QString title = QCoreApplication::translate("DialogCSVForm", "Export");
    const QList<int> ids = session && session->shownEnterprises ? session->shownEnterprises() : QList<int>();
    if (ids.isEmpty()) {
        QMessageBox::information(parent, title, QCoreApplication::translate("DialogCSVForm", "Strom nezobrazuje žádný podnik, není co exportovat."));
        return;
    }

    // The desktop folder of a fresh account may not exist yet.
    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty() || !QFileInfo(desktop).isDir())
        desktop = QDir::homePath();
    const StoredChoices c = StoredChoices::load(desktop);

    DialogCSVForm dialog(parent);
    dialog.setValues(c.fileName, c.withHeader, c.separator, c.dateFormat, c.codec);
    dialog.setAcceptCheck([&] { return exportFile(&dialog, session, ids); });
    dialog.exec();
}

} // namespace CsvExport
