#include "admin/dialogauuzivatel.h"
#include "admin/accountcheck.h"
#include "core/report.h"

#include "db/users.h"
#include "ui_dialogauuzivatel.h"

#include <QCoreApplication>
#include <QPushButton>

namespace {

// Item data of the extra item that carries a stored value.
constexpr int StoredValueRole = Qt::UserRole;
constexpr int ExtraItemRole = Qt::UserRole + 1;

QVariant textOrNull(const QString &text)
{
    return text.isEmpty() ? QVariant(QVariant::String) : QVariant(text);
}

bool outsideLatin1(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return true;
    }
    return false;
}

// Combos store their item index. A stored value that names no item (5
// where 0..3 are offered, NULL) gets an item of its own, so that OK stores
// it unchanged unless another item is chosen.
namespace AdminCombo {

void setStored(QComboBox *combo, const QVariant &stored)
{
    for (int i = combo->count() - 1; i >= 0; --i) {
        if (combo->itemData(i, ExtraItemRole).toBool())
            combo->removeItem(i);
    }
    bool ok = false;
    const int index = stored.isNull() ? -1 : stored.toInt(&ok);
    if (ok && index >= 0 && index < combo->count()) {
        combo->setCurrentIndex(index);
        return;
    }
    const QString label = stored.isNull() ? QCoreApplication::translate("DialogAUUzivatel", "(nevyplněno)")
                                          : QCoreApplication::translate("DialogAUUzivatel", "%1 (uložená hodnota)").arg(stored.toString());
    combo->addItem(label);
    const int extra = combo->count() - 1;
    combo->setItemData(extra, true, ExtraItemRole);
    if (!stored.isNull())
        combo->setItemData(extra, stored, StoredValueRole);
    combo->setCurrentIndex(extra);
}

QVariant stored(const QComboBox *combo)
{
    const int index = combo->currentIndex();
    if (!combo->itemData(index, ExtraItemRole).toBool())
        return index;
    const QVariant v = combo->itemData(index, StoredValueRole);
    return v.isValid() ? v : QVariant(QVariant::Int);
}

} // namespace AdminCombo

// Check boxes: checked for a stored 1 and more; store 1 or NULL.
namespace AdminCheck {

void setStored(QCheckBox *box, const QVariant &stored)
{
    box->setChecked(stored.toInt() >= 1);
}

QVariant stored(const QCheckBox *box)
{
    return box->isChecked() ? QVariant(1) : QVariant(QVariant::Int);
}

} // namespace AdminCheck

} // namespace

DialogAUUzivatel::DialogAUUzivatel(QWidget *parent)
    : QDialog(parent), ui(new Ui::DialogAUUzivatel), m_hasher(&Users::hashPassword)
{
    ui->setupUi(this);
    connect(ui->pushButton, &QPushButton::clicked, this, &DialogAUUzivatel::cryptPassword);
    connect(ui->acls, &QCheckBox::stateChanged, this, &DialogAUUzivatel::onACLSChanged);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &DialogAUUzivatel::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Nothing fills or reads the centre list of the panel yet; its buttons
    // stay off so that they promise nothing.
    ui->add_uzivatel->setEnabled(false);
    ui->del_uzivatel->setEnabled(false);
    ui->acls->setChecked(false);
    onACLSChanged(Qt::Unchecked);
}

DialogAUUzivatel::~DialogAUUzivatel()
{
    delete ui;
}

void DialogAUUzivatel::setValues(const Values &v)
{
    ui->uzivatel->setText(v.login.toString());
    ui->heslo->clear();
    m_loadedHash = v.password.toString();
    ui->heslobcrypted->setText(m_loadedHash);
    AdminCombo::setStored(ui->vp, v.vp);
    AdminCheck::setStored(ui->admin, v.admin);
    AdminCheck::setStored(ui->minimal, v.minimal);
    AdminCheck::setStored(ui->acls, v.acls);
    AdminCombo::setStored(ui->os, v.os);
    ui->region->setText(v.region.toString());
    AdminCheck::setStored(ui->sestavy, v.sestavy);
    AdminCheck::setStored(ui->pristupy, v.pristupy);
    AdminCombo::setStored(ui->udalosti, v.udalosti);
    AdminCombo::setStored(ui->fakturace, v.fakturace);
    AdminCheck::setStored(ui->cp, v.cp);
    AdminCheck::setStored(ui->stredisko, v.stredisko);
}

DialogAUUzivatel::Values DialogAUUzivatel::getValues() const
{
    Values v;
    v.login = textOrNull(ui->uzivatel->text());
    v.password = textOrNull(ui->heslobcrypted->text());
    v.vp = AdminCombo::stored(ui->vp);
    v.admin = AdminCheck::stored(ui->admin);
    v.minimal = AdminCheck::stored(ui->minimal);
    v.acls = AdminCheck::stored(ui->acls);
    v.os = AdminCombo::stored(ui->os);
    v.region = textOrNull(ui->region->text());
    v.sestavy = AdminCheck::stored(ui->sestavy);
    v.pristupy = AdminCheck::stored(ui->pristupy);
    v.udalosti = AdminCombo::stored(ui->udalosti);
    v.fakturace = AdminCombo::stored(ui->fakturace);
    v.cp = AdminCheck::stored(ui->cp);
    v.stredisko = AdminCheck::stored(ui->stredisko);
    return v;
}

void DialogAUUzivatel::setWriter(Writer writer)
{
    m_writer = std::move(writer);
}

void DialogAUUzivatel::setHasher(Hasher hasher)
{
    m_hasher = std::move(hasher);
}

void DialogAUUzivatel::cryptPassword()
{
    hashTypedPassword();
}

bool DialogAUUzivatel::hashTypedPassword()
{
    const QString password = ui->heslo->text();
    if (password.isEmpty()) {
        Report::info(this, tr("Zadejte heslo, které se má zašifrovat."));
        return false;
    }
    QStringList warnings;
    if (outsideLatin1(password))
        warnings << tr("Heslo obsahuje znaky mimo Latin-1 (např. ř, č, ě). Zašifruje se v UTF-8: ZRN "
                       "i webové aplikace ho přijmou, starší programy nemusí.");
    if (Users::passwordBytes(password).size() > 72)
        warnings << tr("Heslo je delší než 72 bajtů; bcrypt z něj použije jen prvních 72.");
    if (!warnings.isEmpty()
        && !Report::ask(this, warnings.join(QStringLiteral("\n\n")) + QStringLiteral("\n\n")
                                  + tr("Přejete si heslo přesto použít?")))
        return false;
    const QByteArray hash = m_hasher ? m_hasher(password) : QByteArray();
    if (hash.isEmpty()) {
        // The field keeps what it held: an empty hash would lock the user out.
        Report::info(this, tr("Heslo nelze zašifrovat (bcrypt: sůl se nepodařilo vytvořit)."));
        return false;
    }
    ui->heslobcrypted->setText(QString::fromLatin1(hash));
    ui->heslo->clear();
    return true;
}

bool DialogAUUzivatel::hashFieldAcceptable() const
{
    // A hash loaded as it is stays allowed even when it is of an older form.
    const QString text = ui->heslobcrypted->text();
    return text.isEmpty() || text == m_loadedHash || Users::isBcryptHash(text);
}

void DialogAUUzivatel::onACLSChanged(int state)
{
    ui->wacls->setEnabled(state > 0);
}

void DialogAUUzivatel::accept()
{
    if (!ui->heslo->text().isEmpty() && !hashTypedPassword())
        return;
    const Writer writer = m_writer;
    if (accountAccepted(this, ui->heslobcrypted, hashFieldAcceptable(),
                        tr("Pole zašifrovaného hesla neobsahuje platný bcrypt hash ($2y$, cena, 53 znaků). "
                           "Zadejte heslo a stiskněte \"BCrypt ->\", nebo pole vyprázdněte."),
                        ui->uzivatel, writer ? [this, &writer](QString *m) { return writer(getValues(), m); }
                                             : std::function<bool(QString *)>()))
        QDialog::accept();
}
