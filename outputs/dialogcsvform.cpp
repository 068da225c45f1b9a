#include "outputs/dialogcsvform.h"

#include "core/session.h"
#include "outputs/csvexport.h"
#include "widgets/qfeditwithbutton.h"

#include "ui_dialogcsvform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QStandardPaths>

namespace {

QString defaultChooser(QWidget *parent, const QString &current)
{
    QFileDialog dialog(parent, QStringLiteral("Uložení souboru"), current,
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

void run(QWidget *parent, Session *session)
{
    const QString title = QStringLiteral("Export");
    const QList<int> ids = session && session->shownEnterprises ? session->shownEnterprises() : QList<int>();
    if (ids.isEmpty()) {
        QMessageBox::information(parent, title, QStringLiteral("Strom nezobrazuje žádný podnik, není co exportovat."));
        return;
    }

    QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (desktop.isEmpty())
        desktop = QDir::homePath();
    StoredChoices c = StoredChoices::load(desktop);

    DialogCSVForm dialog(parent);
    dialog.setValues(c.fileName, c.withHeader, c.separator, c.dateFormat, c.codec);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.getValues(&c.fileName, &c.withHeader, &c.separator, &c.dateFormat, &c.codec);
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QByteArray bytes = buildCsv(ids, Visibility::of(session->user), o, &error);
    QApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        QMessageBox::warning(parent, title, QStringLiteral("Podniky pro export nelze načíst:\n%1").arg(error));
        return;
    }
    if (!writeFile(c.fileName, bytes, &error))
        QMessageBox::warning(parent, title,
                             QStringLiteral("Soubor „%1“ nelze zapsat:\n%2").arg(QDir::toNativeSeparators(c.fileName), error));
}

} // namespace CsvExport
