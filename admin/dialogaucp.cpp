#include "admin/dialogaucp.h"
#include "admin/accountcheck.h"
#include "core/report.h"

#include "ui_dialogaucp.h"

#include <QCryptographicHash>
#include <QPushButton>
#include <QRegularExpression>

namespace {

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant(QVariant::String) : QVariant(text);
}

} // namespace

DialogAUCP::DialogAUCP(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogAUCP)
{
    ui->setupUi(this);
    connect(ui->pushButton, &QPushButton::clicked, this, &DialogAUCP::cryptPassword);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &DialogAUCP::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DialogAUCP::~DialogAUCP()
{
    delete ui;
}

QString DialogAUCP::hashPassword(const QString &password)
{
    return QString::fromLatin1(QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha1).toHex());
}

bool DialogAUCP::isHash(const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^[0-9a-f]{40}$"));
    return form.match(text).hasMatch();
}

void DialogAUCP::setValues(const Values &v)
{
    ui->uzivatel->setText(v.uzivatel.toString());
    ui->heslo->clear();
    m_loadedHash = v.heslo.toString();
    ui->heslobcrypted->setText(m_loadedHash);
    ui->poznamka->setText(v.poznamka.toString());
    ui->idlist->setText(v.idlist.toString());
}

DialogAUCP::Values DialogAUCP::getValues() const
{
    return {textOrNull(ui->uzivatel->text()), textOrNull(ui->heslobcrypted->text()),
            textOrNull(ui->poznamka->text()), textOrNull(ui->idlist->text())};
}

void DialogAUCP::setWriter(Writer writer)
{
    m_writer = std::move(writer);
}

void DialogAUCP::cryptPassword()
{
    hashTypedPassword();
}

bool DialogAUCP::hashTypedPassword()
{
    const QString password = ui->heslo->text();
    if (password.isEmpty()) {
        Report::info(this, tr("Zadejte heslo, které se má zašifrovat."));
        return false;
    }
    ui->heslobcrypted->setText(hashPassword(password));
    ui->heslo->clear();
    return true;
}

void DialogAUCP::accept()
{
    if (!ui->heslo->text().isEmpty() && !hashTypedPassword())
        return;
    const QString hash = ui->heslobcrypted->text();
    const bool hashOk = hash.isEmpty() || hash == m_loadedHash || isHash(hash);
    const Writer writer = m_writer;
    if (accountAccepted(this, ui->heslobcrypted, hashOk,
                        tr("Pole zašifrovaného hesla neobsahuje platný SHA-1 hash (40 malých "
                           "šestnáctkových číslic). Zadejte heslo a stiskněte \"BCrypt ->\", "
                           "nebo pole vyprázdněte."),
                        ui->uzivatel, writer ? [this, &writer](QString *m) { return writer(getValues(), m); }
                                             : std::function<bool(QString *)>()))
        QDialog::accept();
}
