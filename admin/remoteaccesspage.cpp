#include "admin/remoteaccesspage.h"
#include "admin/statements.h"

#include "ui_remoteaccesspage.h"

#include "core/session.h"
#include "db/qssql.h"
#include "core/centrerecord.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>

namespace {

// Position in the centre record of the columns of connectionColumns().
int recordColumn(int field)
{
    const int connection = field / 3;
    const int part = field % 3;
    if (connection < 4)
        return CentreRecord::Uvnc1Host + field;
    if (connection < 6)
        return CentreRecord::Uvnc5Host + (connection - 4) * 3 + part;
    return CentreRecord::Tv1Host + (connection - 6) * 3 + part;
}

// The columns hold exactly the field text: an empty field is '' and not NULL.
QVariant exactText(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

} // namespace

RemoteAccessPage::RemoteAccessPage(Session *session, QWidget *parent)
    : CentrePage(session, parent), ui(new Ui::RemoteAccessPage), m_manager(new QNetworkAccessManager(this))
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("tab_vzdaleny_pristup"));
    setWindowTitle(tr("Vzdálený přístup"));

    connect(ui->con1, &QPushButton::clicked, this, &RemoteAccessPage::onExecVNC1);
    connect(ui->con2, &QPushButton::clicked, this, &RemoteAccessPage::onExecVNC2);
    connect(ui->con3, &QPushButton::clicked, this, &RemoteAccessPage::onExecVNC3);
    connect(ui->con4, &QPushButton::clicked, this, &RemoteAccessPage::onExecVNC4);
    connect(ui->con5, &QPushButton::clicked, this, &RemoteAccessPage::onExecVNC5);
    connect(ui->con6, &QPushButton::clicked, this, &RemoteAccessPage::onExecVNC6);
    connect(ui->contv1, &QPushButton::clicked, this, &RemoteAccessPage::onExecTV1);
    connect(ui->contv2, &QPushButton::clicked, this, &RemoteAccessPage::onExecTV2);
    connect(ui->vnc1_access, &QPushButton::clicked, this, &RemoteAccessPage::onAccessVNC1);
    connect(ui->vnc2_access, &QPushButton::clicked, this, &RemoteAccessPage::onAccessVNC2);
    connect(ui->vnc3_access, &QPushButton::clicked, this, &RemoteAccessPage::onAccessVNC3);
    connect(ui->vnc4_access, &QPushButton::clicked, this, &RemoteAccessPage::onAccessVNC4);
    connect(ui->vnc5_access, &QPushButton::clicked, this, &RemoteAccessPage::onAccessVNC5);
    connect(ui->vnc6_access, &QPushButton::clicked, this, &RemoteAccessPage::onAccessVNC6);
    for (QLineEdit *e : connectionFields())
        connect(e, &QLineEdit::textChanged, this, &RemoteAccessPage::onRCChanged);
    connect(ui->rc_uloz, &QPushButton::clicked, this, &RemoteAccessPage::onRCSave);
    connect(ui->se_generovane_id, &QPushButton::clicked, this, &RemoteAccessPage::onGenerovaneID);
    connect(m_manager, &QNetworkAccessManager::finished, this, &RemoteAccessPage::managerFinished);

    setSaveButton(ui->rc_uloz);
    QList<QWidget *> areas;
    for (QLineEdit *e : connectionFields())
        areas << e;
    setEditorAreas(areas);
    setHasRow(false);
}

RemoteAccessPage::~RemoteAccessPage()
{
    delete ui;
}

QList<QLineEdit *> RemoteAccessPage::connectionFields() const
{
    return {ui->vnc1_host, ui->vnc1_id, ui->vnc1_password, ui->vnc2_host, ui->vnc2_id, ui->vnc2_password,
            ui->vnc3_host, ui->vnc3_id, ui->vnc3_password, ui->vnc4_host, ui->vnc4_id, ui->vnc4_password,
            ui->vnc5_host, ui->vnc5_id, ui->vnc5_password, ui->vnc6_host, ui->vnc6_id, ui->vnc6_password,
            ui->tv1_host,  ui->tv1_id,  ui->tv1_password,  ui->tv2_host,  ui->tv2_id,  ui->tv2_password};
}

void RemoteAccessPage::loadFrom(const CentreRecord &record)
{
    beginFill();
    m_centreId = record.value(CentreRecord::Id);
    const QList<QLineEdit *> fields = connectionFields();
    for (int i = 0; i < fields.size(); ++i)
        fields.at(i)->setText(record.text(recordColumn(i)));
    ui->kontakt2->setText(record.text(CentreRecord::PodnikJmeno));
    endFill();
    setHasRow(true);
}

void RemoteAccessPage::clear()
{
    beginFill();
    m_centreId = QVariant();
    for (QLineEdit *e : connectionFields())
        e->clear();
    ui->kontakt2->clear();
    endFill();
    setHasRow(false);
}

void RemoteAccessPage::onRCChanged()
{
    markChanged();
}

bool RemoteAccessPage::save()
{
    if (!hasRow() || !m_centreId.isValid())
        return true;
    QSSQL q;
    q.prepare(AdminSql::updateConnections());
    for (QLineEdit *e : connectionFields())
        q.addBindValue(exactText(e->text()));
    q.addBindValue(CentreStore::idValue(m_centreId));
    if (!q.exec()) {
        reportSaveFailure(q.lastError().text());
        return false;
    }
    setClean();
    return true;
}

void RemoteAccessPage::onRCSave()
{
    save();
}

void RemoteAccessPage::applyRights()
{
    const UserRights &u = session()->user;

    // Minimal view: the user may connect but sees no ids, passwords or logs.
    const bool minimal = u.minimalTabs();
    QList<QWidget *> secret = {ui->rc_id_caption, ui->rc_heslo_caption, ui->rc_uloz,
                               ui->vnc1_access, ui->vnc2_access, ui->vnc3_access,
                               ui->vnc4_access, ui->vnc5_access, ui->vnc6_access};
    const QList<QLineEdit *> fields = connectionFields();
    for (int i = 0; i < fields.size(); ++i) {
        if (i % 3 != 0)
            secret << fields.at(i);
    }
    for (QWidget *w : secret)
        w->setVisible(!minimal);

    // Connect only: the connections cannot be changed.
    const bool connectOnly = u.remoteAccessConnectOnly();
    ui->se_generovane_id->setVisible(!connectOnly);
    for (QLineEdit *e : fields)
        e->setReadOnly(connectOnly);
}

// The remote-access work fills in the slots below.

void RemoteAccessPage::onExecVNC1() {} // launches the VNC viewer for row 1
void RemoteAccessPage::onExecVNC2() {} // launches the VNC viewer for row 2
void RemoteAccessPage::onExecVNC3() {} // launches the VNC viewer for row 3
void RemoteAccessPage::onExecVNC4() {} // launches the VNC viewer for row 4
void RemoteAccessPage::onExecVNC5() {} // launches the VNC viewer for row 5
void RemoteAccessPage::onExecVNC6() {} // launches the VNC viewer for row 6
void RemoteAccessPage::onExecTV1() {} // launches TeamViewer for row 1
void RemoteAccessPage::onExecTV2() {} // launches TeamViewer for row 2
void RemoteAccessPage::onAccessVNC1() {} // shows the repeater log of the row 1 id
void RemoteAccessPage::onAccessVNC2() {} // shows the repeater log of the row 2 id
void RemoteAccessPage::onAccessVNC3() {} // shows the repeater log of the row 3 id
void RemoteAccessPage::onAccessVNC4() {} // shows the repeater log of the row 4 id
void RemoteAccessPage::onAccessVNC5() {} // shows the repeater log of the row 5 id
void RemoteAccessPage::onAccessVNC6() {} // shows the repeater log of the row 6 id
void RemoteAccessPage::onGenerovaneID() {} // requests a fresh VNC id from the update server

void RemoteAccessPage::managerFinished(QNetworkReply *reply)
{
    // Shows the generated id (filled in with the request); the reply is ours to free.
    reply->deleteLater();
}
