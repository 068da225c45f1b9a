#include "admin/userstab.h"
#include "core/report.h"

#include "admin/adminlist.h"
#include "admin/dialogauuzivatel.h"
#include "admin/serviceimports.h"
#include "core/clashdialog.h"
#include "core/dialogtextedit.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "core/settingskeys.h"
#include "core/workprogress.h"
#include "ui_userstab.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLoggingCategory>
#include <QStandardItemModel>

namespace {

Q_LOGGING_CATEGORY(lcServiceJobs, "zrn.service", QtInfoMsg)

constexpr int StatLastColumn = 15;

const QStringList &headers()
{
    static const QStringList h = {
        QCoreApplication::translate("UsersTab", "Uživatel"), QCoreApplication::translate("UsersTab", "Heslo"), QCoreApplication::translate("UsersTab", "Vzdálený přístup"),
        QStringLiteral("Admin"), QStringLiteral("Minimal"), QStringLiteral("ACLS"), QStringLiteral("OS"),
        QStringLiteral("Region"), QCoreApplication::translate("UsersTab", "Sestavy"), QCoreApplication::translate("UsersTab", "Události"),
        QCoreApplication::translate("UsersTab", "Fakturace"), QStringLiteral("CP"), QCoreApplication::translate("UsersTab", "Stř. te. ro"),
        QCoreApplication::translate("UsersTab", "Přístupy"), QStringLiteral("Stat ZRN last"), QStringLiteral("Stat ZRN cnt")};
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

class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

UsersTab::UsersTab(Session *session, QWidget *parent)
    : ZrnTab(parent), ui(new Ui::UsersTab), m_session(session)
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

    UserStore::describeColumns();
    connect(ui->add_uzivatel, &QToolButton::clicked, this, &UsersTab::onAddUzivatel);
    connect(ui->edit_uzivatel, &QToolButton::clicked, this, &UsersTab::onEditUzivatel);
    connect(ui->del_uzivatel, &QToolButton::clicked, this, &UsersTab::onDelUzivatel);
    connect(ui->servis_import_podniku, &QPushButton::clicked, this, &UsersTab::onServisImportPodniku);
    connect(ui->servis_import_ku, &QPushButton::clicked, this, &UsersTab::onServisImportKU);
    connect(ui->servis_import_ch6, &QPushButton::clicked, this, &UsersTab::onServisImportCh6);
    connect(ui->servis_ares_kontrola, &QPushButton::clicked, this, &UsersTab::onServisAresKontrola);
    connect(ui->servis_plemko_uzivatele, &QPushButton::clicked, this, &UsersTab::onServisPlemkoUzivatele);
}

UsersTab::~UsersTab()
{
    saveViewState();
    delete ui;
}

void UsersTab::setFileChooser(FileChooser chooser)
{
    m_chooseFile = std::move(chooser);
}

void UsersTab::saveViewState() const
{
    m_list->saveState();
}

bool UsersTab::allowed() const
{
    return m_session && m_session->user.hasUsersTab();
}

void UsersTab::onRefreshModelAccess(int lid)
{
    if (!allowed())
        return;
    QString error;
    if (!m_list->refresh(UserStore::listStatement(), headers(), lid, &error, cellText))
        Report::saveFailed(this, error);
}

void UsersTab::onAddUzivatel()
{
    if (!allowed())
        return;
    DialogAUUzivatel dialog(this);
    dialog.setWindowTitle(tr("Přidání uživatele"));
    int newId = -1;
    const QString login = m_session->user.login;
    dialog.setWriter([&newId, login](const DialogAUUzivatel::Values &v, QString *message) {
        return UserStore::loginFree(v.login, -1, message) && UserStore::insert(v, login, &newId, message);
    });
    if (dialog.exec() == QDialog::Accepted)
        onRefreshModelAccess(newId);
}

bool UsersTab::readSelected(const QString &noneSelected, int *id, UserStore::Read *row)
{
    const QVariant selected = m_list->selectedId();
    if (!selected.isValid()) {
        Report::info(this, noneSelected);
        return false;
    }
    *id = selected.toInt();
    *row = UserStore::read(*id);
    if (!row->ok)
        Report::readFailed(this, row->error);
    return row->ok;
}

void UsersTab::onEditUzivatel()
{
    if (!allowed())
        return;
    int id = 0;
    UserStore::Read row;
    if (!readSelected(tr("Vyberte v seznamu uživatele, kterého chcete opravit."), &id, &row))
        return;
    if (!row.found) {
        Report::info(this, tr("Vybraný uživatel už neexistuje."));
        onRefreshModelAccess(-1);
        return;
    }
    DialogAUUzivatel dialog(this);
    dialog.setWindowTitle(tr("Oprava uživatele"));
    dialog.setValues(row.values);
    const bool wasAdmin = row.values.admin.toInt() > 0;
    // What the dialog showed: a colleague's change of the same field since
    // is put to the user, one of another field is kept.
    auto snapshot = std::make_shared<RowSnapshot>(UserStore::table());
    const FieldValues loaded = UserStore::fields(row.values);
    snapshot->take(id, loaded);
    const QString login = m_session->user.login;
    QWidget *dialogWidget = &dialog;
    dialog.setWriter([id, wasAdmin, snapshot, login, dialogWidget](const DialogAUUzivatel::Values &v, QString *message) {
        if (!UserStore::loginFree(v.login, id, message))
            return false;
        if (wasAdmin && v.admin.toInt() <= 0) {
            QString error;
            const int others = UserStore::otherAdmins(id, &error);
            if (others < 0) {
                *message = QStringLiteral("Chyba:") + QLatin1Char(' ') + error;
                return false;
            }
            if (others == 0) {
                *message = tr("Uživatel je jediný s právem Admin; bez něj by uživatele nemohl spravovat nikdo.");
                return false;
            }
        }
        if (!ClashDialog::save(dialogWidget, snapshot.get(), [&v] { return UserStore::fields(v); }, login)) {
            message->clear();
            return false;
        }
        return true;
    });
    if (dialog.exec() == QDialog::Accepted)
        onRefreshModelAccess(id);
}

void UsersTab::onDelUzivatel()
{
    if (!allowed())
        return;
    int id = 0;
    UserStore::Read row;
    if (!readSelected(tr("Vyberte v seznamu uživatele, kterého chcete smazat."), &id, &row))
        return;
    if (row.found && row.values.admin.toInt() > 0) {
        QString error;
        const int others = UserStore::otherAdmins(id, &error);
        if (others < 0) {
            Report::saveFailed(this, error);
            return;
        }
        if (others == 0) {
            Report::info(this, tr("Uživatele nelze smazat: je jediný s právem Admin."));
            return;
        }
    }
    const bool own = m_session->user.id > 0 && id == m_session->user.id;
    const QString question = own
        ? tr("Vybraný uživatel \"%1\" jste vy. Po smazání se už nepřihlásíte. Přejete si ho přesto smazat?")
              .arg(row.values.login.toString())
        : tr("Přejete si smazat vybraného uživatele?");
    if (!Report::ask(this, question))
        return;
    QString message;
    if (!UserStore::remove(id, row.values.login, m_session->user.login, &message))
        Report::info(this, message);
    onRefreshModelAccess(-1);
}

void UsersTab::runServiceJob(QAbstractButton *button, const QString &fileTitle,
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

void UsersTab::onServisImportPodniku()
{
    runServiceJob(ui->servis_import_podniku, tr("Import podniků - výběr souboru"),
                  [](const QString &path, const Progress &p) { return ServiceImports::enterpriseImport(path, p); });
}

void UsersTab::onServisImportKU()
{
    runServiceJob(ui->servis_import_ku, QString(), [](const QString &, const Progress &p) { return ServiceImports::importKu(p); });
}

void UsersTab::onServisImportCh6()
{
    runServiceJob(ui->servis_import_ch6, tr("Import CH6 - výběr souboru"),
                  [](const QString &path, const Progress &p) { return ServiceImports::importCh6(path, p); });
}

void UsersTab::onServisAresKontrola()
{
    runServiceJob(ui->servis_ares_kontrola, QString(),
                  [](const QString &, const Progress &p) { return ServiceImports::eventDateCheck(p); });
}

void UsersTab::onServisPlemkoUzivatele()
{
    runServiceJob(ui->servis_plemko_uzivatele, tr("Plemko porovnání podniků - výběr souboru"),
                  [](const QString &path, const Progress &p) { return ServiceImports::plemkoCompare(path, p); });
}

bool UsersTab::allowedFor(const UserRights &user) const
{
    return user.hasUsersTab();
}
