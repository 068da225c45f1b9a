#pragma once

#include "core/centrepage.h"
#include "core/rowsave.h"
#include "platform/launcher.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVariant>

#include <functional>

class QLineEdit;
class QNetworkAccessManager;
class QNetworkReply;
struct CentreRecord;

namespace Ui {
class RemoteAccessPage;
}

// "Vzdálený přístup" (tab_vzdaleny_pristup): the six VNC and two TeamViewer
// connections of the current centre, their viewer launch buttons, the
// repeater's connection log and the generated VNC id.
class RemoteAccessPage : public CentrePage
{
    Q_OBJECT
public:
    explicit RemoteAccessPage(Session *session, QWidget *parent = nullptr);
    ~RemoteAccessPage() override;

    void loadFrom(const CentreRecord &record) override;
    void clear() override;
    bool save() override;

    void applyRights() override;

    // The 24 host/id/password fields: VNC 1-6, then TeamViewer 1-2, each as
    // host, id, password.
    QList<QLineEdit *> connectionFields() const;

    // Starts a located program; Launcher::startDetached unless replaced (the
    // tests put a stand-in program there).
    using Starter = std::function<bool(const QString &program, const QStringList &arguments, QString *error)>;
    void setStarter(Starter starter) { m_starter = std::move(starter); }

    // The launchers behind the buttons: the VNC viewer through repeater 1
    // (the buttons) or 2, after its audit row; TeamViewer without one.
    void launchVnc(const QString &id, const QString &password, int repeater = 1);
    void launchTeamViewer(const QString &id, const QString &password);
    // The repeater's newest events of an id; nothing for an empty id.
    void showAccessLog(const QString &id);

public slots:
    void onExecVNC1();
    void onExecVNC2();
    void onExecVNC3();
    void onExecVNC4();
    void onExecVNC5();
    void onExecVNC6();
    void onExecTV1();
    void onExecTV2();
    void onAccessVNC1();
    void onAccessVNC2();
    void onAccessVNC3();
    void onAccessVNC4();
    void onAccessVNC5();
    void onAccessVNC6();
    void onRCChanged();
    void onRCSave();
    void onGenerovaneID();
    void managerFinished(QNetworkReply *reply);

private:
    bool start(Launcher::Program program, const QStringList &arguments);
    void reportFailure(const QString &what, const QString &why);

    Ui::RemoteAccessPage *ui;
    QNetworkAccessManager *m_manager;   // only the generated-id request
    QPointer<QNetworkReply> m_idReply;  // the request under way, one at a time
    Starter m_starter;
    RowSnapshot m_snapshot{QStringLiteral("tellmark_strediska")};
    FieldValues formValues() const;
};
