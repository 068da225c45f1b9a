#include "admin/uzivateletab.h"

#include "admin/adminlist.h"
#include "admin/dialogauuzivatel.h"
#include "admin/serviceimports.h"
#include "core/clashdialog.h"
#include "core/dialogtextedit.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "core/settingskeys.h"
#include "core/workprogress.h"
#include "db/database.h"
#include "db/qssql.h"
#include "db/users.h"
#include "ui_uzivateletab.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QStandardItemModel>

namespace {

Q_LOGGING_CATEGORY(lcServiceJobs, "zrn.service", QtInfoMsg)

const char SelectUsers[] =
    "select id,login,password,vp,admin,minimal,acls,os,region,sestavy,       udalosti,fakturace,cp,"
    "stredisko_tech_cteni,pristupy,stat_zrn_last,stat_zrn_cnt        from www_users order by 2";
// The row the dialog edits, read anew: the list shows texts, where NULL and
// an empty text look alike.
const char SelectUser[] =
    "select login,password,vp,admin,minimal,acls,os,region,sestavy,pristupy,udalosti,fakturace,cp,"
    "stredisko_tech_cteni from www_users where id=?";
const char InsertUser[] =
    "insert into www_users(login,password,vp,admin,minimal,acls,os,region,sestavy,pristupy,udalosti,"
    "fakturace,cp,stredisko_tech_cteni)        values(?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
const char DeleteUser[] = "delete from www_users where id=?";
const char OtherAdmins[] = "select count(*) from www_users where admin>0 and id<>?";

constexpr int StatLastColumn = 15;

const QStringList &headers()
{
    static const QStringList h = {
        QStringLiteral("Uživatel"), QStringLiteral("Heslo"), QStringLiteral("Vzdálený přístup"),
        QStringLiteral("Admin"), QStringLiteral("Minimal"), QStringLiteral("ACLS"), QStringLiteral("OS"),
        QStringLiteral("Region"), QStringLiteral("Sestavy"), QStringLiteral("Události"),
        QStringLiteral("Fakturace"), QStringLiteral("CP"), QStringLiteral("Stř. te. ro"),
        QStringLiteral("Přístupy"), QStringLiteral("Stat ZRN last"), QStringLiteral("Stat ZRN cnt")};
    return h;
}

QString cellText(int column, const QVariant &v)
{
    if (column != StatLastColumn || v.isNull())
        return v.toString();
    QDateTime t = v.toDateTime();
    if (!t.isValid())
        t = QDateTime::fromString(v.toString().replace(QLatin1Char(' '), QLatin1Char('T')), Qt::ISODate);
    return t.isValid() ? t.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")) : v.toString();
}

const QString kUsers = QStringLiteral("www_users");

// The columns of the dialog and its values; the history names them as the
// dialog does and keeps no password.
FieldValues userFields(const DialogAUUzivatel::Values &v)
{
    return {{QStringLiteral("login"), v.login},         {QStringLiteral("password"), v.password},
            {QStringLiteral("vp"), v.vp},               {QStringLiteral("admin"), v.admin},
            {QStringLiteral("minimal"), v.minimal},     {QStringLiteral("acls"), v.acls},
            {QStringLiteral("os"), v.os},               {QStringLiteral("region"), v.region},
            {QStringLiteral("sestavy"), v.sestavy},     {QStringLiteral("pristupy"), v.pristupy},
            {QStringLiteral("udalosti"), v.udalosti},   {QStringLiteral("fakturace"), v.fakturace},
            {QStringLiteral("cp"), v.cp},               {QStringLiteral("stredisko_tech_cteni"), v.stredisko}};
}

void describeUserColumns()
{
    ChangeHistory::describe(kUsers, {{QStringLiteral("login"), QObject::tr("Uživatel")},
                                     {QStringLiteral("password"), QObject::tr("Heslo"), ColumnLabel::Secret},
                                     {QStringLiteral("vp"), QObject::tr("Vzdálený přístup")},
                                     {QStringLiteral("admin"), QObject::tr("Admin")},
                                     {QStringLiteral("minimal"), QObject::tr("Minimal")},
                                     {QStringLiteral("acls"), QObject::tr("ACLS")},
                                     {QStringLiteral("os"), QObject::tr("Spravovat organizační strukturu")},
                                     {QStringLiteral("region"), QObject::tr("Omezit region")},
                                     {QStringLiteral("sestavy"), QObject::tr("Sestavy")},
                                     {QStringLiteral("pristupy"), QObject::tr("Přístupy")},
                                     {QStringLiteral("udalosti"), QObject::tr("Události")},
                                     {QStringLiteral("fakturace"), QObject::tr("Fakturace")},
                                     {QStringLiteral("cp"), QObject::tr("Control Panel")},
                                     {QStringLiteral("stredisko_tech_cteni"), QObject::tr("Středisko, technologické údáje RO")}});
}

QVariant valueOf(const FieldValues &values, const QString &column)
{
    for (const FieldValue &f : values) {
        if (f.column == column)
            return f.value;
    }
    return QVariant();
}

// Runs a write and its history row in one transaction.
bool recorded(const std::function<bool(QString *)> &write, const std::function<QVector<ChangeHistory::Entry>()> &entries,
              const QString &login, QString *message)
{
    DbTransaction tx;
    QString error = tx.error();
    if (tx.isOpen() && write(&error) && ChangeHistory::writeIfPresent(login, entries(), &error) && tx.commit())
        return true;
    if (error.isEmpty())
        error = tx.error();
    *message = QStringLiteral("Chyba:") + QLatin1Char(' ') + error;
    return false;
}

void bindUser(QSSQL &q, const DialogAUUzivatel::Values &v)
{
    for (const QVariant &value : {v.login, v.password, v.vp, v.admin, v.minimal, v.acls, v.os, v.region,
                                  v.sestavy, v.pristupy, v.udalosti, v.fakturace, v.cp, v.stredisko})
        q.addBindValue(value);
}

// False with the message when another user already has this login, in any
// letter case (the sign-in finds users by login).
bool loginFree(const QVariant &login, int exceptId, QString *message)
{
    QString error;
    const int other = Users::findSameLogin(login.toString(), exceptId, &error);
    if (other < 0)
        *message = QStringLiteral("Chyba:") + QLatin1Char(' ') + error;
    else if (other > 0)
        *message = QStringLiteral("Přihlašovací jméno \"%1\" už má jiný uživatel (velikost písmen se "
                                  "nerozlišuje).")
                       .arg(login.toString());
    return other == 0;
}

// Whether a user other than id holds the admin right; -1 when unknown.
int otherAdmins(int id, QString *error)
{
    QSSQL q;
    q.prepare(QLatin1String(OtherAdmins));
    q.addBindValue(id);
    if (!q.exec() || !q.next()) {
        *error = q.lastError().text();
        return -1;
    }
    return q.value(0).toInt();
}

struct Row {
    bool read = false;
    bool found = false;
    QString error;
    DialogAUUzivatel::Values values;
};

Row readUser(int id)
{
    Row row;
    QSSQL q;
    q.prepare(QLatin1String(SelectUser));
    q.addBindValue(id);
    row.read = q.exec();
    if (!row.read) {
        row.error = q.lastError().text();
        return row;
    }
    row.found = q.next();
    if (row.found) {
        DialogAUUzivatel::Values &v = row.values;
        QVariant *fields[] = {&v.login, &v.password, &v.vp, &v.admin, &v.minimal, &v.acls, &v.os,
                              &v.region, &v.sestavy, &v.pristupy, &v.udalosti, &v.fakturace, &v.cp,
                              &v.stredisko};
        for (int i = 0; i < 14; ++i)
            *fields[i] = q.value(i);
    }
    return row;
}

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

UzivateleTab::UzivateleTab(Session *session, QWidget *parent)
    : QWidget(parent), ui(new Ui::UzivateleTab), m_session(session)
{
    ui->setupUi(this);
    m_model = new QStandardItemModel(this);
    m_proxy = new QSMySortFilterProxyModel(this);
    m_proxy->sortMode = QSMySortFilterProxyModel::SortNumeric;
    m_proxy->setSourceModel(m_model);
    ui->twu->setModel(m_proxy);
    ui->twu->verticalHeader()->hide();
    m_list = std::make_unique<AdminList>(ui->twu, m_model, m_proxy,
                                         QLatin1String(SettingsKeys::ViewAccess.prefix));
    m_chooseFile = [](QWidget *parent, const QString &title, const QString &filter) {
        return QFileDialog::getOpenFileName(parent, title, QString(), filter);
    };

    describeUserColumns();
    connect(ui->add_uzivatel, &QToolButton::clicked, this, &UzivateleTab::onAddUzivatel);
    connect(ui->edit_uzivatel, &QToolButton::clicked, this, &UzivateleTab::onEditUzivatel);
    connect(ui->del_uzivatel, &QToolButton::clicked, this, &UzivateleTab::onDelUzivatel);
    connect(ui->servis_import_podniku, &QPushButton::clicked, this, &UzivateleTab::onServisImportPodniku);
    connect(ui->servis_import_ku, &QPushButton::clicked, this, &UzivateleTab::onServisImportKU);
    connect(ui->servis_import_ch6, &QPushButton::clicked, this, &UzivateleTab::onServisImportCh6);
    connect(ui->servis_ares_kontrola, &QPushButton::clicked, this, &UzivateleTab::onServisAresKontrola);
    connect(ui->servis_plemko_uzivatele, &QPushButton::clicked, this, &UzivateleTab::onServisPlemkoUzivatele);
}

UzivateleTab::~UzivateleTab()
{
    saveViewState();
    delete ui;
}

QTableView *UzivateleTab::view() const
{
    return ui->twu;
}

void UzivateleTab::setFileChooser(FileChooser chooser)
{
    m_chooseFile = std::move(chooser);
}

void UzivateleTab::saveViewState() const
{
    m_list->saveState();
}

bool UzivateleTab::allowed() const
{
    return m_session && m_session->user.hasUsersTab();
}

void UzivateleTab::onRefreshModelAccess(int lid)
{
    if (!allowed())
        return;
    QString error;
    if (!m_list->refresh(QLatin1String(SelectUsers), headers(), lid, &error, cellText))
        AdminMessages::error(this, error);
}

void UzivateleTab::onAddUzivatel()
{
    if (!allowed())
        return;
    DialogAUUzivatel dialog(this);
    dialog.setWindowTitle(tr("Přidání uživatele"));
    int newId = -1;
    const QString login = m_session->user.login;
    dialog.setWriter([&newId, login](const DialogAUUzivatel::Values &v, QString *message) {
        if (!loginFree(v.login, -1, message))
            return false;
        return recorded(
            [&](QString *error) {
                QSSQL q;
                q.prepare(QLatin1String(InsertUser));
                bindUser(q, v);
                if (!q.exec()) {
                    *error = q.lastError().text();
                    return false;
                }
                newId = q.lastInsertId().toInt();
                return true;
            },
            [&] { return QVector<ChangeHistory::Entry>{{kUsers, newId, QLatin1String(ChangeHistory::RowAdded), QVariant(), v.login}}; },
            login, message);
    });
    if (dialog.exec() == QDialog::Accepted)
        onRefreshModelAccess(newId);
}

void UzivateleTab::onEditUzivatel()
{
    if (!allowed())
        return;
    const QVariant selected = m_list->selectedId();
    if (!selected.isValid()) {
        AdminMessages::info(this, tr("Vyberte v seznamu uživatele, kterého chcete opravit."));
        return;
    }
    const int id = selected.toInt();
    const Row row = readUser(id);
    if (!row.read) {
        AdminMessages::error(this, row.error);
        return;
    }
    if (!row.found) {
        AdminMessages::info(this, tr("Vybraný uživatel už neexistuje."));
        onRefreshModelAccess(-1);
        return;
    }
    DialogAUUzivatel dialog(this);
    dialog.setWindowTitle(tr("Oprava uživatele"));
    dialog.setValues(row.values);
    const bool wasAdmin = row.values.admin.toInt() > 0;
    // What the dialog showed: a colleague's change of the same field since
    // is put to the user, one of another field is kept.
    auto snapshot = std::make_shared<RowSnapshot>(kUsers);
    const FieldValues loaded = userFields(row.values);
    snapshot->take(id, [&loaded](const QString &column) { return valueOf(loaded, column); }, loaded);
    const QString login = m_session->user.login;
    QWidget *dialogWidget = &dialog;
    dialog.setWriter([id, wasAdmin, snapshot, login, dialogWidget](const DialogAUUzivatel::Values &v, QString *message) {
        if (!loginFree(v.login, id, message))
            return false;
        if (wasAdmin && v.admin.toInt() <= 0) {
            QString error;
            const int others = otherAdmins(id, &error);
            if (others < 0) {
                *message = QStringLiteral("Chyba:") + QLatin1Char(' ') + error;
                return false;
            }
            if (others == 0) {
                *message = tr("Uživatel je jediný s právem Admin; bez něj by uživatele nemohl spravovat nikdo.");
                return false;
            }
        }
        if (!ClashDialog::save(dialogWidget, snapshot.get(), [&v] { return userFields(v); }, login)) {
            message->clear();
            return false;
        }
        return true;
    });
    if (dialog.exec() == QDialog::Accepted)
        onRefreshModelAccess(id);
}

void UzivateleTab::onDelUzivatel()
{
    if (!allowed())
        return;
    const QVariant selected = m_list->selectedId();
    if (!selected.isValid()) {
        AdminMessages::info(this, tr("Vyberte v seznamu uživatele, kterého chcete smazat."));
        return;
    }
    const int id = selected.toInt();
    const Row row = readUser(id);
    if (!row.read) {
        AdminMessages::error(this, row.error);
        return;
    }
    if (row.found && row.values.admin.toInt() > 0) {
        QString error;
        const int others = otherAdmins(id, &error);
        if (others < 0) {
            AdminMessages::error(this, error);
            return;
        }
        if (others == 0) {
            AdminMessages::info(this, tr("Uživatele nelze smazat: je jediný s právem Admin."));
            return;
        }
    }
    const bool own = m_session->user.id > 0 && id == m_session->user.id;
    const QString question = own
        ? tr("Vybraný uživatel \"%1\" jste vy. Po smazání se už nepřihlásíte. Přejete si ho přesto smazat?")
              .arg(row.values.login.toString())
        : tr("Přejete si smazat vybraného uživatele?");
    if (!AdminMessages::ask(this, question))
        return;
    QString message;
    if (!recorded(
            [id](QString *error) {
                QSSQL q;
                q.prepare(QLatin1String(DeleteUser));
                q.addBindValue(id);
                return q.exec() || (*error = q.lastError().text(), false);
            },
            [&] { return QVector<ChangeHistory::Entry>{{kUsers, id, QLatin1String(ChangeHistory::RowDeleted), row.values.login, QVariant()}}; },
            m_session->user.login, &message))
        AdminMessages::info(this, message);
    onRefreshModelAccess(-1);
}

void UzivateleTab::runServiceJob(QAbstractButton *button, const QString &fileTitle,
                                 const std::function<ServiceImports::Report(const QString &, const Progress &)> &job)
{
    if (!allowed())
        return;
    QString path;
    if (!fileTitle.isEmpty()) {
        path = m_chooseFile ? m_chooseFile(this, fileTitle, tr("CSV-Files (*.csv)")) : QString();
        if (path.isEmpty())
            return;
    }
    const QString title = button->text();
    ServiceImports::Report report;
    {
        // Stopping is safe for every job: the imports write in one unit that
        // a stop rolls back, the rest only read.
        WaitCursor wait;
        WorkProgress progress(this, title, true);
        report = job(path, progress.callback());
    }
    qCInfo(lcServiceJobs).noquote() << title << "- changed rows:" << report.changedRows;
    for (const QString &line : qAsConst(report.lines))
        qCInfo(lcServiceJobs).noquote() << line;
    if (!report.error.isEmpty())
        qCWarning(lcServiceJobs).noquote() << title << "failed:" << report.error;
    QString text = report.text();
    if (text.isEmpty())
        text = report.error.isEmpty() ? tr("Hotovo.") : report.error;
    DialogTextEdit dialog(this);
    dialog.setContent(title, text);
    dialog.exec();
}

void UzivateleTab::onServisImportPodniku()
{
    runServiceJob(ui->servis_import_podniku, tr("Import podniků - výběr souboru"),
                  [](const QString &path, const Progress &p) { return ServiceImports::enterpriseImport(path, p); });
}

void UzivateleTab::onServisImportKU()
{
    runServiceJob(ui->servis_import_ku, QString(), [](const QString &, const Progress &p) { return ServiceImports::importKu(p); });
}

void UzivateleTab::onServisImportCh6()
{
    runServiceJob(ui->servis_import_ch6, tr("Import CH6 - výběr souboru"),
                  [](const QString &path, const Progress &p) { return ServiceImports::importCh6(path, p); });
}

void UzivateleTab::onServisAresKontrola()
{
    runServiceJob(ui->servis_ares_kontrola, QString(),
                  [](const QString &, const Progress &p) { return ServiceImports::eventDateCheck(p); });
}

void UzivateleTab::onServisPlemkoUzivatele()
{
    runServiceJob(ui->servis_plemko_uzivatele, tr("Plemko porovnání podniků - výběr souboru"),
                  [](const QString &path, const Progress &p) { return ServiceImports::plemkoCompare(path, p); });
}
