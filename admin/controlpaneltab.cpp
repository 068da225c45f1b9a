#include "admin/controlpaneltab.h"
#include "core/report.h"

#include "admin/adminlist.h"
#include "admin/dialogaucp.h"
#include "core/clashdialog.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "core/settingskeys.h"
#include "db/database.h"
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

const QString kAcl = QStringLiteral("qml.acl");

FieldValues aclFields(const DialogAUCP::Values &v)
{
    return {{QStringLiteral("uzivatel"), v.uzivatel}, {QStringLiteral("heslo"), v.heslo},
            {QStringLiteral("poznamka"), v.poznamka}, {QStringLiteral("idlist"), v.idlist}};
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

    ChangeHistory::describe(kAcl, {{QStringLiteral("uzivatel"), tr("Uživatel")},
                                   {QStringLiteral("heslo"), tr("Heslo"), ColumnLabel::Secret},
                                   {QStringLiteral("poznamka"), tr("Poznámka")},
                                   {QStringLiteral("idlist"), tr("IDList")}});
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
        if (!loginFree(v.uzivatel, -1, message))
            return false;
        // The user and its history row together.
        DbTransaction tx;
        QSSQL q;
        q.prepare(QLatin1String(InsertAcl));
        bindAcl(q, v);
        QString error = tx.error();
        if (tx.isOpen() && (q.exec() || (error = q.lastError().text(), false))) {
            // Read before the history row is written: SQLite reports the
            // last insert of the connection.
            newId = q.lastInsertId().toInt();
            if (ChangeHistory::writeIfPresent(login, {{kAcl, newId, QLatin1String(ChangeHistory::RowAdded), QVariant(), v.uzivatel}},
                                              &error)
                && tx.commit())
                return true;
        }
        newId = -1;
        *message = QStringLiteral("Chyba:") + QLatin1Char(' ') + (error.isEmpty() ? tx.error() : error);
        return false;
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
    QSSQL q;
    q.prepare(QLatin1String(SelectOne));
    q.addBindValue(id);
    if (!q.exec()) {
        Report::saveFailed(this, q.lastError().text());
        return;
    }
    if (!q.next()) {
        Report::info(this, tr("Vybraný uživatel pro CP už neexistuje."));
        onRefreshModelCP(-1);
        return;
    }
    DialogAUCP dialog(this);
    dialog.setWindowTitle(tr("Oprava uživatele pro CP"));
    const DialogAUCP::Values shown = {q.value(0), q.value(1), q.value(2), q.value(3)};
    dialog.setValues(shown);
    // A colleague's change of the same field since the dialog opened is put
    // to the user; one of another field is kept.
    auto snapshot = std::make_shared<RowSnapshot>(kAcl);
    const FieldValues loaded = aclFields(shown);
    snapshot->take(
        id,
        [&loaded](const QString &column) {
            for (const FieldValue &f : loaded)
                if (f.column == column)
                    return f.value;
            return QVariant();
        },
        loaded);
    const QString login = m_session->user.login;
    QWidget *dialogWidget = &dialog;
    dialog.setWriter([id, snapshot, login, dialogWidget](const DialogAUCP::Values &v, QString *message) {
        if (!loginFree(v.uzivatel, id, message))
            return false;
        if (!ClashDialog::save(dialogWidget, snapshot.get(), [&v] { return aclFields(v); }, login)) {
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
    QSSQL q;
    q.prepare(QLatin1String(DeleteAcl));
    q.addBindValue(selected.toInt());
    if (!q.exec())
        Report::saveFailed(this, q.lastError().text());
    onRefreshModelCP(-1);
}
