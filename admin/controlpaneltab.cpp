#include "admin/controlpaneltab.h"

#include "admin/adminlist.h"
#include "admin/dialogaucp.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "core/settingskeys.h"
#include "db/qssql.h"
#include "db/users.h"
#include "ui_controlpaneltab.h"

#include <QHeaderView>
#include <QStandardItemModel>

namespace {

const char SelectAcl[] = "select id,uzivatel,heslo,poznamka,idlist        from qml.acl order by 2";
const char SelectOne[] = "select uzivatel,heslo,poznamka,idlist from qml.acl where id=?";
const char SelectLogins[] = "select id,uzivatel from qml.acl";
const char InsertAcl[] = "insert into qml.acl(uzivatel,heslo,poznamka,idlist)        values(?,?,?,?)";
const char UpdateAcl[] = "update qml.acl set uzivatel=?,heslo=?,poznamka=?,idlist=? where id=?";
const char DeleteAcl[] = "delete from qml.acl where id=?";

const QStringList &headers()
{
    static const QStringList h = {QStringLiteral("Uživatel"), QStringLiteral("Heslo"),
                                  QStringLiteral("Poznámka"), QStringLiteral("IDList")};
    return h;
}

QString failure(const QSSQL &q)
{
    return QStringLiteral("Chyba:") + QLatin1Char(' ') + q.lastError().text();
}

void bindAcl(QSSQL &q, const DialogAUCP::Values &v)
{
    for (const QVariant &value : {v.uzivatel, v.heslo, v.poznamka, v.idlist})
        q.addBindValue(value);
}

// False with the message when another control-panel user has this login in
// any letter case.
bool loginFree(const QVariant &login, int exceptId, QString *message)
{
    QSSQL q;
    if (!q.exec(QLatin1String(SelectLogins))) {
        *message = failure(q);
        return false;
    }
    while (q.next()) {
        if (q.value(0).toInt() != exceptId && Users::sameLogin(q.value(1).toString(), login.toString())) {
            *message = QStringLiteral("Přihlašovací jméno \"%1\" už má jiný uživatel CP (velikost písmen se "
                                      "nerozlišuje).")
                           .arg(login.toString());
            return false;
        }
    }
    return true;
}

} // namespace

ControlPanelTab::ControlPanelTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::ControlPanelTab), m_session(session)
{
    ui->setupUi(this);
    m_model = new QStandardItemModel(this);
    m_proxy = new QSMySortFilterProxyModel(this);
    m_proxy->sortMode = QSMySortFilterProxyModel::SortNumeric;
    m_proxy->setSourceModel(m_model);
    ui->tcp->setModel(m_proxy);
    ui->tcp->verticalHeader()->hide();
    m_list = std::make_unique<AdminList>(ui->tcp, m_model, m_proxy, QLatin1String(SettingsKeys::ViewCP.prefix));

    connect(ui->add_cp, &QToolButton::clicked, this, &ControlPanelTab::onAddCP);
    connect(ui->edit_cp, &QToolButton::clicked, this, &ControlPanelTab::onEditCP);
    connect(ui->del_cp, &QToolButton::clicked, this, &ControlPanelTab::onDelCP);
}

ControlPanelTab::~ControlPanelTab()
{
    saveViewState();
    delete ui;
}

QTableView *ControlPanelTab::view() const
{
    return ui->tcp;
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
    if (!m_list->refresh(QLatin1String(SelectAcl), headers(), lid, &error))
        AdminMessages::error(this, error);
}

void ControlPanelTab::onAddCP()
{
    if (!allowed())
        return;
    DialogAUCP dialog(this);
    dialog.setWindowTitle(tr("Přidání uživatele pro CP"));
    int newId = -1;
    dialog.setWriter([&newId](const DialogAUCP::Values &v, QString *message) {
        if (!loginFree(v.uzivatel, -1, message))
            return false;
        QSSQL q;
        q.prepare(QLatin1String(InsertAcl));
        bindAcl(q, v);
        if (!q.exec()) {
            *message = failure(q);
            return false;
        }
        newId = q.lastInsertId().toInt();
        return true;
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
        AdminMessages::info(this, tr("Vyberte v seznamu uživatele pro CP, kterého chcete opravit."));
        return;
    }
    const int id = selected.toInt();
    QSSQL q;
    q.prepare(QLatin1String(SelectOne));
    q.addBindValue(id);
    if (!q.exec()) {
        AdminMessages::error(this, q.lastError().text());
        return;
    }
    if (!q.next()) {
        AdminMessages::info(this, tr("Vybraný uživatel pro CP už neexistuje."));
        onRefreshModelCP(-1);
        return;
    }
    DialogAUCP dialog(this);
    dialog.setWindowTitle(tr("Oprava uživatele pro CP"));
    dialog.setValues({q.value(0), q.value(1), q.value(2), q.value(3)});
    dialog.setWriter([id](const DialogAUCP::Values &v, QString *message) {
        if (!loginFree(v.uzivatel, id, message))
            return false;
        QSSQL update;
        update.prepare(QLatin1String(UpdateAcl));
        bindAcl(update, v);
        update.addBindValue(id);
        if (!update.exec()) {
            *message = failure(update);
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
        AdminMessages::info(this, tr("Vyberte v seznamu uživatele pro CP, kterého chcete smazat."));
        return;
    }
    if (!AdminMessages::ask(this, tr("Přejete si smazat vybraného uživatele pro CP?")))
        return;
    QSSQL q;
    q.prepare(QLatin1String(DeleteAcl));
    q.addBindValue(selected.toInt());
    if (!q.exec())
        AdminMessages::error(this, q.lastError().text());
    onRefreshModelCP(-1);
}
