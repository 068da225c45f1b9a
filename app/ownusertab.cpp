#include "app/ownusertab.h"

#include "events/categories.h"
#include "core/session.h"
#include "register/documentfolders.h"
#include "ui_ownusertab.h"


OwnUserTab::OwnUserTab(Session *session, QWidget *parent)
    : ZrnTab(parent), ui(new Ui::OwnUserTab), m_session(session)
{
    ui->setupUi(this);
    fillCategoryCombo(ui->uKategorie_cb);
    // Each language by its own name; applied at the next start.
    ui->ujazyk->addItem(QStringLiteral("Čeština"), QStringLiteral("cs"));
    ui->ujazyk->addItem(QStringLiteral("English"), QStringLiteral("en"));
    ui->ujazyk->addItem(tr("Jazyk systému"), QStringLiteral("system"));
    setUkategorie(ui->uKategorie->isChecked());

    m_chooser = chooseDocumentRoot;

    connect(ui->nextcloud, &QFEditWithButton::buttonClicked, this, &OwnUserTab::vyber_nextcloud);
    connect(ui->uKategorie, &QCheckBox::toggled, this, &OwnUserTab::setUkategorie);
    connect(ui->skategorie_obchod, &QCheckBox::toggled, this, &OwnUserTab::setKategorieObchod);
    connect(ui->odhlasit, &QPushButton::clicked, this, &OwnUserTab::logoutRequested);

    // Other pages read these options from the session.
    for (QLineEdit *z : {ui->uz1, ui->uz2, ui->uz3, ui->uz4, ui->uz5, ui->uz6})
        connect(z, &QLineEdit::textChanged, this, [this] { m_session->addressees = addressees(); });
    connect(ui->nextcloud, &QFEditWithButton::textChanged, this,
            [this](const QString &text) { m_session->documentRoot = text; });
    connect(ui->uschranka, &QCheckBox::toggled, this,
            [this](bool on) { m_session->copyNameToClipboard = on; });
    auto category = [this] {
        m_session->defaultCategory = ui->uKategorie->isChecked() ? ui->uKategorie_cb->currentData() : QVariant();
    };
    connect(ui->uKategorie, &QCheckBox::toggled, this, category);
    connect(ui->uKategorie_cb, qOverload<int>(&QComboBox::currentIndexChanged), this, category);
}

OwnUserTab::~OwnUserTab()
{
    delete ui;
}

void OwnUserTab::applyRights(const UserRights &user)
{
    setLogin(user.login);
}

void OwnUserTab::loadState()
{
    ZrnSettings s;
    setOptions(UserOptions::load(s));
}

void OwnUserTab::saveState() const
{
    ZrnSettings s;
    options().save(s);
}

void OwnUserTab::setLogin(const QString &login)
{
    ui->luzivatel->setText(login);
}

QString OwnUserTab::login() const
{
    return ui->luzivatel->text();
}

UserOptions OwnUserTab::options() const
{
    UserOptions o;
    o.nextcloud = ui->nextcloud->text();
    o.kategorie = ui->uKategorie->isChecked();
    o.kategorieIdx = qMax(0, ui->uKategorie_cb->currentIndex());
    o.schranka = ui->uschranka->isChecked();
    o.z = addressees();
    o.language = ui->ujazyk->currentData().toString();
    return o;
}

void OwnUserTab::setOptions(const UserOptions &o)
{
    ui->nextcloud->setText(o.nextcloud);
    ui->uKategorie->setChecked(o.kategorie);
    setUkategorie(o.kategorie);
    // An index the list does not have (a damaged file) keeps the first item.
    ui->uKategorie_cb->setCurrentIndex(
        o.kategorieIdx >= 0 && o.kategorieIdx < ui->uKategorie_cb->count() ? o.kategorieIdx : 0);
    ui->uschranka->setChecked(o.schranka);
    ui->ujazyk->setCurrentIndex(qMax(0, ui->ujazyk->findData(o.language)));
    m_session->documentRoot = o.nextcloud;
    m_session->copyNameToClipboard = o.schranka;
    QLineEdit *const z[] = {ui->uz1, ui->uz2, ui->uz3, ui->uz4, ui->uz5, ui->uz6};
    for (int i = 0; i < 6; ++i)
        z[i]->setText(o.z.value(i));
    m_session->addressees = addressees();
    m_session->defaultCategory = o.kategorie ? ui->uKategorie_cb->currentData() : QVariant();
}

QStringList OwnUserTab::addressees() const
{
    return {ui->uz1->text(), ui->uz2->text(), ui->uz3->text(),
            ui->uz4->text(), ui->uz5->text(), ui->uz6->text()};
}

void OwnUserTab::vyber_nextcloud()
{
    const QString root = m_chooser(this, ui->nextcloud->text());
    if (!root.isEmpty() && root != ui->nextcloud->text())
        ui->nextcloud->setText(root);
}

void OwnUserTab::setUkategorie(bool on)
{
    ui->uKategorie_cb->setEnabled(on);
}

void OwnUserTab::setKategorieObchod(bool)
{
    // The sales categories need no setting of their own on this page.
}
