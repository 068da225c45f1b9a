#include "app/mainwindow.h"
#include "core/report.h"

#include "admin/controlpaneltab.h"
#include "app/dialoguzivatel.h"
#include "outputs/fakturacetab.h"
#include "outputs/prohlizectab.h"
#include "core/ids.h"
#include "core/session.h"
#include "outputs/sestavytab.h"
#include "core/settingskeys.h"
#include "app/startup.h"
#include "events/eventpane.h"
#include "events/udalostitab.h"
#include "core/usersettings.h"
#include "core/zrntab.h"
#include "app/ownusertab.h"
#include "admin/userstab.h"
#include "core/viewstate.h"
#include "app/windowlayout.h"
#include "app/windowshortcuts.h"
#include "outputs/dialogcsvform.h"
#include "outputs/mapexport.h"
#include "admin/detailpages.h"
#include "events/detailpages.h"
#include "db/qsapitellmark.h"
#include "register/evidencetab.h"
#include "register/podnikytree.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMessageBox>
#include <QLayout>
#include <QSplashScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTableView>
#include <QTreeView>

// The pictures live in the static widget library; nothing else references
// them, so they are registered by hand.
void initShellResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

QHeaderView *headerOf(const QObject *window, const char *objectName)
{
    auto *view = window->findChild<QAbstractItemView *>(QLatin1String(objectName));
    if (auto *tree = qobject_cast<QTreeView *>(view))
        return tree->header();
    if (auto *table = qobject_cast<QTableView *>(view))
        return table->horizontalHeader();
    return nullptr;
}

void addPage(QWidget *tab, QWidget *page)
{
    tab->layout()->addWidget(page);
}

} // namespace

MainWindow::MainWindow(const QString &programPath, const StartOptions &options, QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_programPath(programPath),
      m_session(new Session(this))
{
    initShellResources();
    ui->setupUi(this);

    if (options.splash) {
        m_splash = new QSplashScreen(QPixmap(QStringLiteral(":/pics/splash.png")));
        m_splash->show();
        QApplication::processEvents();
    }

    // Pages: each builds its own form, tool bars, colour squares, models and
    // proxies, and wires its own signals.
    buildPages();
    setWindowTitle(tr("ZRN") + QLatin1Char(' ') + QStringLiteral(ZRN_VERSION));

    m_api = new QSAPITellmark(this);
    m_session->api = m_api;
    // What a save, an export or a stored attachment did, with its time.
    connect(m_session, &Session::notice, this, [this](const QString &text) { statusBar()->showMessage(text); });
    // The pages fit the screen and scroll where they must: a page shown
    // later (an enterprise opened) never widens the window past it.
    layout()->setSizeConstraint(QLayout::SetNoConstraint);
    setMinimumSize(640, 480);

    loadSettings();
    connect(m_ownUserTab, &OwnUserTab::logoutRequested, this, &MainWindow::onOdhlasit);
    connect(m_prohlizecTab, &ProhlizecTab::enterpriseRequested, this, &MainWindow::podnikVybran);
    // A double click on a contract shows its enterprise's page in the
    // register, as the global event list does (the quick filter gives way).
    connect(m_fakturaceTab, &FakturaceTab::enterpriseRequested, this, [this](int podnik) {
        if (!m_evidenceTab->maybeSave())
            return;
        m_evidenceTab->tree()->clearFilter();
        if (m_evidenceTab->showRow(podnik, QVariant()))
            showInRegister(QStringLiteral("tab_podnik"));
    });
    // A double click in the global event list shows the event's enterprise
    // or centre on the register's event page.
    connect(m_udalostiTab, &UdalostiTab::showInRegister, this, [this](const QVariant &podnik, const QVariant &stredisko) {
        // A register that keeps unsaved edits (their save failed) keeps its
        // rows and its filter, and the user stays on this list.
        if (!m_evidenceTab->maybeSave())
            return;
        m_evidenceTab->tree()->clearFilter();
        m_evidenceTab->showRow(podnik, stredisko);
        showInRegister(QStringLiteral("tab_udalosti"));
    });
    // "Export" and "Mapa" of the tree work on the enterprises it shows.
    connect(m_evidenceTab->tree(), &PodnikyTree::exportRequested, this, [this] { CsvExport::run(this, m_session); });
    connect(m_evidenceTab->tree(), &PodnikyTree::mapaRequested, this, [this] {
        if (MapExport::run(this, m_session, m_prohlizecTab))
            ui->tw->setCurrentWidget(ui->tab_prohlizec);
    });

    const QString notice = Startup::firstUserNotice();
    if (!notice.isEmpty()) {
        if (m_splash)
            m_splash->hide();
        if (options.notice)
            options.notice(notice);
        else
            Report::info(nullptr, notice);
    }
    if (!signIn(options.login)) {
        delete m_splash;
        m_splash = nullptr;
        return;
    }
    m_ownUserTab->setLogin(m_login);
    // Column widths and sort orders only now: nothing is read before the
    // login, and the first read below already uses the saved order.
    restoreViewStates();

    if (options.updateCheck && !options.updateCheck(*this)) {
        abortStartup(0);
        return;
    }

    {
        ZrnSettings s;
        // The first start opens on the register.
        WindowLayout::restoreTabs(s, ui->tw, m_evidenceTab->innerTabs(), ui->tab_evidence);
        WindowLayout::restoreSplitters(s, this);
        WindowLayout::restoreGeometry(s, this);
    }
    // After the rights: the tab tool tips name the keys of the tabs shown.
    m_shortcuts = new WindowShortcuts(this, ui->tw);
    connectTabChanged();
    onMTWchanged(ui->tw->currentIndex());

    m_started = true;
    if (m_splash) {
        m_splash->finish(this);
        m_splash->deleteLater();
        m_splash = nullptr;
    }
}

MainWindow::~MainWindow()
{
    delete m_splash;
    if (m_started)
        saveSettings();
    delete ui;
}

void MainWindow::buildPages()
{
    m_ownUserTab = new OwnUserTab(m_session, ui->tab_uzivatel);
    addPage(ui->tab_uzivatel, m_ownUserTab);
    m_sestavyTab = new SestavyTab(m_session, ui->tab_sestavy);
    addPage(ui->tab_sestavy, m_sestavyTab);
    m_evidenceTab = new EvidenceTab(m_session, ui->tab_evidence);
    addPage(ui->tab_evidence, m_evidenceTab);
    // The register's detail tab shows pages of the other subsystems too.
    DetailPage::Registry detailPages;
    AdminPages::addDetailPages(detailPages);
    EventsPages::addDetailPages(detailPages);
    m_evidenceTab->addPages(detailPages);
    m_udalostiTab = new UdalostiTab(m_session, ui->tab_sudalosti);
    addPage(ui->tab_sudalosti, m_udalostiTab);
    m_prohlizecTab = new ProhlizecTab(m_session, ui->tab_prohlizec);
    addPage(ui->tab_prohlizec, m_prohlizecTab);
    m_fakturaceTab = new FakturaceTab(m_session, ui->tab_fakturace);
    addPage(ui->tab_fakturace, m_fakturaceTab);
    m_usersTab = new UsersTab(m_session, ui->tab_uzivatele);
    addPage(ui->tab_uzivatele, m_usersTab);
    m_cpTab = new ControlPanelTab(m_session, ui->tab_cp);
    addPage(ui->tab_cp, m_cpTab);
    m_tabs = {m_ownUserTab, m_sestavyTab, m_evidenceTab, m_udalostiTab, m_prohlizecTab, m_fakturaceTab, m_usersTab, m_cpTab};
}

void MainWindow::restoreViewStates()
{
    using namespace SettingsKeys;
    ZrnSettings s;
    if (QHeaderView *h = headerOf(this, ViewTree.objectName))
        restoreViewState(s, QLatin1String(ViewTree.prefix), h);
    // Until the user sorts otherwise the event lists show the newest first
    // ("Datum/z." going down).
    for (const ViewKey &v : {ViewUdalosti, ViewSUdalosti}) {
        if (QHeaderView *h = headerOf(this, v.objectName))
            restoreViewState(s, QLatin1String(v.prefix), h, 2, Qt::DescendingOrder);
    }
}

void MainWindow::loadSettings()
{
    ZrnSettings s;
    m_ownUserTab->setOptions(UserOptions::load(s));
    const SavedCredentials c = SavedCredentials::load(s);
    m_login = c.login;
    m_password = c.password;
}

void MainWindow::saveSettings()
{
    using namespace SettingsKeys;
    ZrnSettings s;
    m_ownUserTab->options().save(s);
    WindowLayout::saveTabs(s, ui->tw, m_evidenceTab ? m_evidenceTab->innerTabs() : nullptr);
    WindowLayout::saveSplitters(s, this);
    WindowLayout::saveGeometry(s, this);
    if (m_credentialsChanged)
        SavedCredentials{m_login, m_password}.save(s);
    for (const ViewKey &v : {ViewTree, ViewUdalosti, ViewSUdalosti}) {
        if (QHeaderView *h = headerOf(this, v.objectName))
            saveViewState(s, QLatin1String(v.prefix), h);
    }
    // The administration tabs keep their own: a list never filled (tab not
    // entered, or no right) must not overwrite the stored widths and sort.
    for (ZrnTab *tab : qAsConst(m_tabs))
        tab->saveState();
}

bool MainWindow::signIn(const Login::Callbacks &given)
{
    Login::Callbacks callbacks = given;
    if (!callbacks.askCredentials) {
        callbacks.askCredentials = [this](QString &login, QString &password) {
            // The splash stays on top of everything; it must not hide the dialog.
            if (m_splash)
                m_splash->hide();
            const bool ok = DialogUzivatel::ask(login, password);
            if (m_splash)
                m_splash->show();
            return ok;
        };
    }
    if (!callbacks.denied) {
        callbacks.denied = [this] {
            if (m_splash)
                m_splash->hide();
            Report::info(nullptr, tr("Přístup zamítnut."));
        };
    }
    const Login::Outcome out = Login::signIn(m_login, m_password, callbacks);
    if (out.result != Login::Result::Accepted) {
        abortStartup(-1);
        return false;
    }
    m_session->user = out.user;
    if (out.credentialsChanged)
        m_credentialsChanged = true;
    applyRights();
    return true;
}

void MainWindow::abortStartup(int exitCode)
{
    m_started = false;
    m_exitCode = exitCode;
}

void MainWindow::applyRights()
{
    const UserRights &r = m_session->user;
    for (ZrnTab *tab : qAsConst(m_tabs)) {
        QWidget *container = tab->parentWidget();
        if (tab->allowedFor(r)) {
            tab->applyRights(r);
        } else {
            const int i = ui->tw->indexOf(container);
            if (i >= 0)
                ui->tw->removeTab(i);
        }
    }
}

QTabWidget *MainWindow::mainTabs() const
{
    return ui->tw;
}

void MainWindow::connectTabChanged()
{
    disconnect(m_tabChanged);
    m_tabChanged = connect(ui->tw, &QTabWidget::currentChanged, this, &MainWindow::onMTWchanged);
}

void MainWindow::onMTWchanged(int index)
{
    QWidget *page = ui->tw->widget(index);
    // Unsaved edits are settled when the register is left, not when it is
    // entered again; Cancel stays on the register.
    if (m_shownTab == ui->tab_evidence && page != ui->tab_evidence && !settleRegister(true)) {
        const QSignalBlocker blocker(ui->tw);
        ui->tw->setCurrentWidget(ui->tab_evidence);
        return;
    }
    m_shownTab = page;
    if (ZrnTab *tab = page ? page->findChild<ZrnTab *>(QString(), Qt::FindDirectChildrenOnly) : nullptr)
        tab->enter();
}

void MainWindow::showInRegister(const QString &innerPageName)
{
    disconnect(m_tabChanged);
    ui->tw->setCurrentWidget(ui->tab_evidence);
    m_shownTab = ui->tab_evidence;
    if (QTabWidget *twe = innerPageName.isEmpty() ? nullptr : m_evidenceTab->innerTabs()) {
        if (auto *inner = twe->findChild<QWidget *>(innerPageName)) {
            const int i = twe->indexOf(inner);
            if (i >= 0)
                twe->setCurrentIndex(i);
        }
    }
    connectTabChanged();
}

void MainWindow::setCloseQuestion(CloseQuestion question)
{
    m_closeQuestion = std::move(question);
}

bool MainWindow::confirmClose()
{
    if (!m_started)
        return true;
    for (ZrnTab *tab : qAsConst(m_tabs)) {
        if (!tab->settle())
            return false;
    }
    return settleRegister(false);
}

bool MainWindow::settleRegister(bool reload)
{
    if (!m_evidenceTab || !m_evidenceTab->hasUnsavedEdits())
        return true;
    const int answer = m_closeQuestion
        ? m_closeQuestion(this)
        : QMessageBox::question(this, tr("Otázka"), tr("Přejete si uložit změny?"),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        return m_evidenceTab->saveUnsavedEdits();
    if (reload)
        m_evidenceTab->dropUnsavedEdits();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!m_closeConfirmed && !confirmClose()) {
        event->ignore();
        return;
    }
    m_closeConfirmed = false;
    QMainWindow::closeEvent(event);
}

void MainWindow::onOdhlasit()
{
    // The credentials are forgotten only when the window really closes.
    if (!confirmClose())
        return;
    m_credentialsChanged = true;
    m_login.clear();
    m_password.clear();
    m_closeConfirmed = true;
    close();
}

void MainWindow::podnikVybran(const QString &id)
{
    bool ok = false;
    const int podnik = id.trimmed().toInt(&ok);
    // An enterprise the tree does not show (filter, rights) changes nothing.
    if (!ok || podnik <= 0 || !m_evidenceTab->tree()->shownEnterpriseIds().contains(podnik))
        return;
    // The row first: its selection builds the enterprise's pages, whatever
    // row (enterprise, centre or none) was current before; then its page.
    m_evidenceTab->tree()->setCurrentRow(podnik, QVariant());
    const bool landed = m_session->s_id_podnik.toInt() == podnik && !isValidId(m_session->s_id_stredisko);
    // A page whose edits could not be saved stays in front instead.
    showInRegister(landed ? QStringLiteral("tab_podnik") : QString());
}
