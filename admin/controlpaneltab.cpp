#include "admin/controlpaneltab.h"
#include "core/report.h"

#include "admin/adminlist.h"
#include "admin/dialogaucp.h"
#include "core/clashdialog.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "core/settingskeys.h"
#include "ui_controlpaneltab.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QStandardItemModel>

namespace {

const QStringList &headers()
{
    static const QStringList h = {QCoreApplication::translate("ControlPanelTab", "Uživatel"), QCoreApplication::translate("ControlPanelTab", "Heslo"),
                                  QCoreApplication::translate("ControlPanelTab", "Poznámka"), QStringLiteral("IDList")};
    return h;
}

} // namespace

ControlPanelTab::ControlPanelTab(Session *session, QWidget *parent)
    : ZrnTab(parent), ui(new Ui::ControlPanelTab), m_session(session)
{
    ui->setupUi(this);
    m_model = new QStandardItemModel(this);
    m_proxy = new QSMySortFilterProxyModel(this);
    m_proxy->sortMode = QSMySortFilterProxyModel::SortNumeric;
    m_proxy->setSourceModel(m_model);
    ui->tcp->setModel(m_proxy);
    ui->tcp->verticalHeader()->hide();
    m_list = std::make_unique<AdminList>(ui->tcp, m_model, m_proxy, QLatin1String(SettingsKeys::ViewCP.prefix));

    ControlPanelStore::describeColumns();
    connect(ui->add_cp, &QToolButton::clicked, this, &ControlPanelTab::onAddCP);
    connect(ui->edit_cp, &QToolButton::clicked, this, &ControlPanelTab::onEditCP);
    connect(ui->del_cp, &QToolButton::clicked, this, &ControlPanelTab::onDelCP);
}

ControlPanelTab::~ControlPanelTab()
{
    saveViewState();
    delete ui;
}

void ControlPanelTab::saveViewState() const
{
    m_list->saveState();
}

bool ControlPanelTab::allowed() const
{
    return m_session && m_session->user.hasControlPanelTab();
}

void ControlPanelTab::onRefreshModelCP(int lid)
{
    if (!allowed())
        return;
    QString error;
    if (!m_list->refresh(ControlPanelStore::listStatement(), headers(), lid, &error))
        Report::saveFailed(this, error);
}

void ControlPanelTab::onAddCP()
{
    if (!allowed())
        return;
    DialogAUCP dialog(this);
    dialog.setWindowTitle(tr("Přidání uživatele pro CP"));
    int newId = -1;
    const QString login = m_session->user.login;
    dialog.setWriter([&newId, login](const DialogAUCP::Values &v, QString *message) {
        return ControlPanelStore::loginFree(v.uzivatel, -1, message)
            && ControlPanelStore::insert(v, login, &newId, message);
    });
    if (dialog.exec() == QDialog::Accepted)
        onRefreshModelCP(newId);
}

void ControlPanelTab::onEditCP()
{
    if (!allowed())
        return;
    const QVariant selected = m_list->selectedId();
    if (!selected.isValid()) {
        Report::info(this, tr("Vyberte v seznamu uživatele pro CP, kterého chcete opravit."));
        return;
    }
    const int id = selected.toInt();
    DialogAUCP::Values shown;
    bool found = false;
    QString error;
    if (!ControlPanelStore::read(id, &shown, &found, &error)) {
        Report::readFailed(this, error);
        return;
    }
    if (!found) {
        Report::info(this, tr("Vybraný uživatel pro CP už neexistuje."));
        onRefreshModelCP(-1);
        return;
    }
    DialogAUCP dialog(this);
    dialog.setWindowTitle(tr("Oprava uživatele pro CP"));
    dialog.setValues(shown);
    // A colleague's change of the same field since the dialog opened is put
    // to the user; one of another field is kept.
    auto snapshot = std::make_shared<RowSnapshot>(ControlPanelStore::table());
    const FieldValues loaded = ControlPanelStore::fields(shown);
    snapshot->take(id, loaded);
    const QString login = m_session->user.login;
    QWidget *dialogWidget = &dialog;
    dialog.setWriter([id, snapshot, login, dialogWidget](const DialogAUCP::Values &v, QString *message) {
        if (!ControlPanelStore::loginFree(v.uzivatel, id, message))
            return false;
        if (!ClashDialog::save(dialogWidget, snapshot.get(), [&v] { return ControlPanelStore::fields(v); }, login)) {
            message->clear();
            return false;
        }
        return true;
    });
    if (dialog.exec() == QDialog::Accepted)
        onRefreshModelCP(id);
}

void ControlPanelTab::onDelCP()
{
    if (!allowed())
        return;
    const QVariant selected = m_list->selectedId();
    if (!selected.isValid()) {
        Report::info(this, tr("Vyberte v seznamu uživatele pro CP, kterého chcete smazat."));
        return;
    }
    if (!Report::ask(this, tr("Přejete si smazat vybraného uživatele pro CP?")))
        return;
    QString error;
    if (!ControlPanelStore::remove(selected.toInt(), &error))
        Report::saveFailed(this, error);
    onRefreshModelCP(-1);
}

bool ControlPanelTab::allowedFor(const UserRights &user) const
{
    return user.hasControlPanelTab();
}
