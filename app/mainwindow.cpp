#include "app/mainwindow.h"
#include "core/report.h"

#include "admin/detailpages.h"
#include "admin/maintabs.h"
#include "app/dialoguzivatel.h"
#include "app/ownusertab.h"
#include "app/startup.h"
#include "app/windowlayout.h"
#include "app/windowshortcuts.h"
#include "core/detailpage.h"
#include "core/maintabs.h"
#include "core/session.h"
#include "core/settingskeys.h"
#include "core/usersettings.h"
#include "core/viewstate.h"
#include "core/zrntab.h"
#include "db/qsapitellmark.h"
#include "events/detailpages.h"
#include "events/maintabs.h"
#include "outputs/dialogcsvform.h"
#include "outputs/maintabs.h"
#include "register/maintabs.h"
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

// The window's own tab: the signed-in user and the options.
void addOwnTabs(MainTabs::Registry &registry)
{
    registry.add({QStringLiteral("tab_uzivatel"), [](const MainTabs::Context &context, QWidget *parent) -> ZrnTab * {
                      return new OwnUserTab(context.session, parent);
                  }});
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
        WindowLayout::restoreTabs(s, ui->tw, innerTabs(), ui->tab_evidence);
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
    // The register's detail tab shows pages of the other subsystems too.
    DetailPage::Registry detailPages;
    AdminPages::addDetailPages(detailPages);
    EventsPages::addDetailPages(detailPages);

    MainTabs::Registry tabs;
    addOwnTabs(tabs);
    RegisterPages::addMainTabs(tabs);
    EventsPages::addMainTabs(tabs);
    OutputsPages::addMainTabs(tabs);
    AdminPages::addMainTabs(tabs);

    // In the order of the form; a tab page nothing fills stays as it is.
    const MainTabs::Context context{m_session, &detailPages};
    for (int i = 0; i < ui->tw->count(); ++i) {
        QWidget *holder = ui->tw->widget(i);
        const MainTabs::TabEntry *entry = tabs.find(holder->objectName());
        if (!entry || !entry->create)
            continue;
        if (ZrnTab *tab = entry->create(context, holder)) {
            holder->layout()->addWidget(tab);
            m_tabs << tab;
            wire(tab);
        }
    }
}

void MainWindow::wire(ZrnTab *tab)
{
    connect(tab, &ZrnTab::logoutRequested, this, &MainWindow::onOdhlasit);
    // A double click on a contract or an event, a link of a map page.
    connect(tab, &ZrnTab::rowRequested, this, &MainWindow::openRow);
    // "Export" and "Mapa" of the tree work on the enterprises it shows.
    connect(tab, &ZrnTab::exportRequested, this, [this] { CsvExport::run(this, m_session); });
    connect(tab, &ZrnTab::mapRequested, this, [this] {
        for (ZrnTab *shower : qAsConst(m_tabs)) {
            if (shower->showEnterpriseMap(this)) {
                ui->tw->setCurrentWidget(shower->parentWidget());
                return;
            }
        }
    });
}

void MainWindow::openRow(const RowRequest &request)
{
    for (ZrnTab *tab : qAsConst(m_tabs)) {
        QString page;
        if (tab->openRow(request, &page)) {
            bringToFront(tab->parentWidget(), page);
            return;
        }
    }
}

ZrnTab *MainWindow::tabOf(QWidget *holder)
{
    return holder ? holder->findChild<ZrnTab *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

QTabWidget *MainWindow::innerTabs() const
{
    for (ZrnTab *tab : qAsConst(m_tabs)) {
        if (QTabWidget *inner = tab->innerTabs())
            return inner;
    }
    return nullptr;
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
    for (ZrnTab *tab : qAsConst(m_tabs))
        tab->loadState();
    ZrnSettings s;
    const SavedCredentials c = SavedCredentials::load(s);
    m_login = c.login;
    m_password = c.password;
}

void MainWindow::saveSettings()
{
    using namespace SettingsKeys;
    ZrnSettings s;
    WindowLayout::saveTabs(s, ui->tw, innerTabs());
    WindowLayout::saveSplitters(s, this);
    WindowLayout::saveGeometry(s, this);
    if (m_credentialsChanged)
        SavedCredentials{m_login, m_password}.save(s);
    for (const ViewKey &v : {ViewTree, ViewUdalosti, ViewSUdalosti}) {
        if (QHeaderView *h = headerOf(this, v.objectName))
            saveViewState(s, QLatin1String(v.prefix), h);
    }
    // The tabs keep their own (the own-user tab its options): a list never
    // filled (tab not entered, or no right) must not overwrite the stored
    // widths and sort.
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

void MainWindow::connectTabChanged()
{
    disconnect(m_tabChanged);
    m_tabChanged = connect(ui->tw, &QTabWidget::currentChanged, this, &MainWindow::onMTWchanged);
}

void MainWindow::onMTWchanged(int index)
{
    QWidget *page = ui->tw->widget(index);
    // Unsaved edits (the register's) are settled when their tab is left,
    // not when it is entered again; Cancel stays on that tab.
    if (m_shownTab && page != m_shownTab && !settleEdits(tabOf(m_shownTab), true)) {
        const QSignalBlocker blocker(ui->tw);
        ui->tw->setCurrentWidget(m_shownTab);
        return;
    }
    m_shownTab = page;
    if (ZrnTab *tab = tabOf(page))
        tab->enter();
}

void MainWindow::showInRegister(const QString &innerPageName)
{
    bringToFront(ui->tab_evidence, innerPageName);
}

void MainWindow::bringToFront(QWidget *holder, const QString &innerPageName)
{
    disconnect(m_tabChanged);
    ui->tw->setCurrentWidget(holder);
    m_shownTab = holder;
    ZrnTab *tab = tabOf(holder);
    if (QTabWidget *inner = innerPageName.isEmpty() || !tab ? nullptr : tab->innerTabs()) {
        if (auto *innerPage = inner->findChild<QWidget *>(innerPageName)) {
            const int i = inner->indexOf(innerPage);
            if (i >= 0)
                inner->setCurrentIndex(i);
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
    for (ZrnTab *tab : qAsConst(m_tabs)) {
        if (!settleEdits(tab, false))
            return false;
    }
    return true;
}

bool MainWindow::settleEdits(ZrnTab *tab, bool reload)
{
    if (!tab || !tab->hasUnsavedEdits())
        return true;
    const int answer = m_closeQuestion
        ? m_closeQuestion(this)
        : QMessageBox::question(this, tr("Otázka"), tr("Přejete si uložit změny?"),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::Yes)
        return tab->saveUnsavedEdits();
    if (reload)
        tab->dropUnsavedEdits();
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
    openRow({id, QVariant(), QStringLiteral("tab_podnik"), RowRequest::Way::InTree});
}
