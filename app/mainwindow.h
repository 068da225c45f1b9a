#pragma once

#include "app/login.h"

#include <QMainWindow>
#include <QVector>
#include <functional>

class QSAPITellmark;
class QSplashScreen;
class QTabWidget;
class Session;
class WindowShortcuts;
class ZrnTab;
struct RowRequest;

class MainWindow;

namespace Ui {
class MainWindow;
}

// What the start-up of the window may be given instead of the defaults.
struct MainWindowStartOptions {
    // How the login asks for credentials and reports a refusal; empty
    // members mean DialogUzivatel and the "Přístup zamítnut." box.
    Login::Callbacks login;
    bool splash = true;
    // The release check run right after login; returns false when the
    // update path ends the program (exit code 0). Empty: no check.
    std::function<bool(MainWindow &)> updateCheck;
    // Shows the hint of a database without users before the login; empty
    // means an information box.
    std::function<void(const QString &text)> notice;
};

// The one window of the program. The constructor does the whole start-up
// (splash, pages, settings, login and rights, release check, layout); each
// tab is a page class of its own that owns its form and slots, and the
// pages share the signed-in user and the current selection through Session.
// The subsystems register their tabs (MainTabs::Registry); the window knows
// them as ZrnTab only and passes on what one tab asks of another.
//
// A refused or cancelled login does not end the process from inside the
// constructor: the window records the exit code and stays unstarted, and
// main() returns that code without showing it (tests can construct the
// window and read the outcome). An unstarted window saves no settings.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    using StartOptions = MainWindowStartOptions;

    explicit MainWindow(const QString &programPath, const StartOptions &options = StartOptions(),
                        QWidget *parent = nullptr);
    ~MainWindow() override;

    // Whether start-up completed and the window may be shown.
    bool isStarted() const { return m_started; }
    // The code the process ends with when the window is not started:
    // -1 refused or cancelled login, 0 the update path.
    int exitCode() const { return m_exitCode; }
    // Ends the start-up (for the update path); the window is not shown.
    void abortStartup(int exitCode);

    QString programPath() const { return m_programPath; }
    QString login() const { return m_login; }

    Session *session() const { return m_session; }
    QSAPITellmark *api() const { return m_api; }

    // Saves the whole user settings now (the destructor does the same).
    void saveSettings();

    // Asked when the window closes, or the register is left for another
    // tab, with unsaved edits: Yes saves, No drops them, Cancel keeps the
    // window open (the register in front). Tests answer it without a dialog.
    using CloseQuestion = std::function<int(QWidget *parent)>;
    void setCloseQuestion(CloseQuestion question);
    // Settles unsaved edits before the window closes: false keeps it open
    // (the user cancelled, or a save failed and its edit stays on screen).
    bool confirmClose();

    // Switches to the register tab (and the given inner page; an empty name
    // leaves it) without the reload that onMTWchanged would run, so that a
    // selection made by the caller stays.
    void showInRegister(const QString &innerPageName);

signals:
    // The map service's answer has been handled (used by the map export).
    void onRequestMapDone();

public slots:
    // Reloads what the entered tab shows.
    void onMTWchanged(int index);
    // "Odhlásit a ukončit": forget the credentials and close.
    void onOdhlasit();
    // A page of the browser tab asked for an enterprise (its id as text):
    // the register shows it when its tree shows it.
    void podnikVybran(const QString &id);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildPages();
    // The window's part in what a tab asks of the others.
    void wire(ZrnTab *tab);
    void openRow(const RowRequest &request);
    // Brings a tab page to front (with the inner page of that name, when
    // it has one) without the reload that onMTWchanged would run.
    void bringToFront(QWidget *holder, const QString &innerPageName);
    // The tab built into a tab page of the window, or null.
    static ZrnTab *tabOf(QWidget *holder);
    // The inner tab widget whose page the settings keep, or null.
    QTabWidget *innerTabs() const;
    void loadSettings();
    bool signIn(const Login::Callbacks &callbacks);
    void applyRights();
    void restoreLayout();
    void restoreViewStates();
    void connectTabChanged();
    // The question above for a tab's edits; false keeps them on screen
    // (cancelled, or a save failed). `reload`: dropped edits give way to the
    // stored values at once.
    bool settleEdits(ZrnTab *tab, bool reload);

    Ui::MainWindow *ui;
    bool m_credentialsChanged = false;
    QString m_login;
    QString m_password;
    QString m_programPath;
    bool m_started = false;
    int m_exitCode = 0;

    Session *m_session;
    // Every main tab, in the order of the window.
    QVector<ZrnTab *> m_tabs;
    QSAPITellmark *m_api = nullptr;
    QSplashScreen *m_splash = nullptr;
    WindowShortcuts *m_shortcuts = nullptr;
    QMetaObject::Connection m_tabChanged;
    QWidget *m_shownTab = nullptr;   // the main tab last entered
    CloseQuestion m_closeQuestion;
    bool m_closeConfirmed = false;
};
