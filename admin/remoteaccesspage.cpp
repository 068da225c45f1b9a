#include "admin/remoteaccesspage.h"
#include "core/report.h"
#include "admin/remoteviewer.h"
#include "admin/statements.h"

#include "ui_remoteaccesspage.h"

#include "core/centrerecord.h"
#include "core/dialogtable.h"
#include "core/dialogtextedit.h"
#include "core/qsmysortfilterproxymodel.h"
#include "core/session.h"
#include "core/usersettings.h"
#include "db/qssql.h"
#include "db/servicehttp.h"
#include "db/servicekeys.h"

#include <QDateTime>
#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QStandardItemModel>
#include <QTextDocument>

namespace {

// The columns hold exactly the field text: an empty field is '' and not NULL.
QVariant exactText(const QString &text)
{
    return text.isNull() ? QVariant(QStringLiteral("")) : QVariant(text);
}

} // namespace

RemoteAccessPage::RemoteAccessPage(Session *session, QWidget *parent)
    : CentrePage(session, parent), ui(new Ui::RemoteAccessPage), m_manager(new QNetworkAccessManager(this)),
      m_starter(&Launcher::startDetached)
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

    // "VNC 1 Host", "TV 2 Heslo": the history keeps no password.
    QVector<ColumnLabel> labels;
    const QStringList columns = AdminSql::connectionColumns();
    for (int i = 0; i < columns.size(); ++i) {
        const int connection = i / 3;
        const QString row = connection < 6 ? QStringLiteral("VNC %1").arg(connection + 1)
                                           : QStringLiteral("TV %1").arg(connection - 5);
        const int part = i % 3;
        labels.append({columns.at(i), row + QLatin1Char(' ') + (part == 0 ? tr("Host") : part == 1 ? tr("ID") : tr("Heslo")),
                       ColumnLabel::RemoteAccess | (part == 2 ? int(ColumnLabel::Secret) : 0)});
    }
    ChangeHistory::describe(QStringLiteral("tellmark_strediska"), labels);
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
    m_centreId = record.value("id");
    const QList<QLineEdit *> fields = connectionFields();
    for (int i = 0; i < fields.size(); ++i)
        fields.at(i)->setText(record.text(AdminSql::connectionColumns().at(i)));
    ui->kontakt2->setText(record.text("PODNIK_JMENO"));
    m_snapshot.take(m_centreId, [&record](const QString &column) { return record.value(column); }, formValues());
    endFill();
    setHasRow(true);
}

void RemoteAccessPage::clear()
{
    beginFill();
    m_centreId = QVariant();
    m_snapshot.reset();
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

FieldValues RemoteAccessPage::formValues() const
{
    FieldValues values;
    const QStringList columns = AdminSql::connectionColumns();
    const QList<QLineEdit *> fields = connectionFields();
    for (int i = 0; i < fields.size(); ++i)
        values.append({columns.at(i), exactText(fields.at(i)->text())});
    return values;
}

bool RemoteAccessPage::save()
{
    if (!hasRow() || !m_centreId.isValid())
        return true;
    return saveRow(&m_snapshot, [this] { return formValues(); });
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

void RemoteAccessPage::onExecVNC1() { launchVnc(ui->vnc1_id->text(), ui->vnc1_password->text()); }
void RemoteAccessPage::onExecVNC2() { launchVnc(ui->vnc2_id->text(), ui->vnc2_password->text()); }
void RemoteAccessPage::onExecVNC3() { launchVnc(ui->vnc3_id->text(), ui->vnc3_password->text()); }
void RemoteAccessPage::onExecVNC4() { launchVnc(ui->vnc4_id->text(), ui->vnc4_password->text()); }
void RemoteAccessPage::onExecVNC5() { launchVnc(ui->vnc5_id->text(), ui->vnc5_password->text()); }
void RemoteAccessPage::onExecVNC6() { launchVnc(ui->vnc6_id->text(), ui->vnc6_password->text()); }
void RemoteAccessPage::onExecTV1() { launchTeamViewer(ui->tv1_id->text(), ui->tv1_password->text()); }
void RemoteAccessPage::onExecTV2() { launchTeamViewer(ui->tv2_id->text(), ui->tv2_password->text()); }
void RemoteAccessPage::onAccessVNC1() { showAccessLog(ui->vnc1_id->text()); }
void RemoteAccessPage::onAccessVNC2() { showAccessLog(ui->vnc2_id->text()); }
void RemoteAccessPage::onAccessVNC3() { showAccessLog(ui->vnc3_id->text()); }
void RemoteAccessPage::onAccessVNC4() { showAccessLog(ui->vnc4_id->text()); }
void RemoteAccessPage::onAccessVNC5() { showAccessLog(ui->vnc5_id->text()); }
void RemoteAccessPage::onAccessVNC6() { showAccessLog(ui->vnc6_id->text()); }

void RemoteAccessPage::reportFailure(const QString &what, const QString &why)
{
    Report::info(this, why.isEmpty() ? what : what + QLatin1Char('\n') + why);
}

void RemoteAccessPage::launchVnc(const QString &id, const QString &password, int repeater)
{
    const QString endpoint = RemoteViewer::repeaterEndpoint(repeater);
    if (endpoint.isEmpty()) {
        reportFailure(tr("Opakovač VNC není nastaven, prohlížeč VNC se nespustí."),
                      tr("V nastavení programu chybí klíč %1 (host nebo host:port).")
                          .arg(repeater == 2 ? ServiceKeys::VncRepeater2 : ServiceKeys::VncRepeater));
        return;
    }
    RemoteViewer::Speed speed = RemoteViewer::Speed::Medium;
    if (ui->r1->isChecked())
        speed = RemoteViewer::Speed::Lan;
    else if (ui->r3->isChecked())
        speed = RemoteViewer::Speed::Modem;

    // Every connection is on record before it is made: a launch that cannot
    // be logged does not happen.
    QSSQL audit;
    audit.prepare(QLatin1String(RemoteViewer::AuditInsert));
    audit.addBindValue(session()->user.login);
    audit.addBindValue(QDateTime::currentDateTime());
    audit.addBindValue(RemoteViewer::AuditVncLaunch);
    audit.addBindValue(RemoteViewer::auditVncId(id));
    if (!audit.exec()) {
        reportFailure(tr("Připojení se nepodařilo zaznamenat, prohlížeč VNC se nespustí."),
                      tr("Chyba:") + QLatin1Char(' ') + audit.lastError().text());
        return;
    }
    start(Launcher::Program::VncViewer, RemoteViewer::vncArguments(endpoint, id, password, speed));
}

void RemoteAccessPage::launchTeamViewer(const QString &id, const QString &password)
{
    start(Launcher::Program::TeamViewer, RemoteViewer::teamViewerArguments(id, password));
}

bool RemoteAccessPage::start(Launcher::Program program, const QStringList &arguments)
{
    const QString path = Launcher::locate(program);
    QString error;
    if (m_starter && m_starter(path, arguments, &error))
        return true;
    reportFailure(tr("Program se nepodařilo spustit:") + QLatin1Char(' ') + QDir::toNativeSeparators(path), error);
    return false;
}

void RemoteAccessPage::showAccessLog(const QString &id)
{
    if (id.isEmpty())
        return;
    QSSQL q;
    q.prepare(QLatin1String(RemoteViewer::RepeaterLog));
    q.addBindValue(id);
    if (!q.exec()) {
        reportFailure(tr("Záznamy opakovače se nepodařilo načíst."), tr("Chyba:") + QLatin1Char(' ') + q.lastError().text());
        return;
    }
    QStandardItemModel model(0, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("TS"), QStringLiteral("Operation")});
    while (q.next()) {
        const QDateTime ts = q.value(0).toDateTime();
        model.appendRow({new QStandardItem(ts.isValid() ? ts.toString(QSMySortFilterProxyModel::dateTimeFormat()) : QString()),
                         new QStandardItem(q.value(1).toString())});
    }
    QSMySortFilterProxyModel proxy;
    proxy.sortMode = QSMySortFilterProxyModel::SortDateTime;

    const QString name = QStringLiteral("vnc_access");
    {
        // Newest first until the user sorts the list otherwise.
        ZrnSettings settings;
        if (!settings.contains(name + QLatin1String("/sectionSortOrder"))) {
            settings.setValue(name + QLatin1String("/sectionSort"), 0);
            settings.setValue(name + QLatin1String("/sectionSortOrder"), 1);
        }
    }
    DialogTable dialog(this);
    dialog.setModel(&model, &proxy);
    dialog.setFilterVisible(false);
    dialog.setButtons(false, false);
    dialog.restoreSettings(name);
    dialog.exec();
    dialog.saveSettings(name);
}

void RemoteAccessPage::onGenerovaneID()
{
    if (m_idReply)
        return;
    const QUrl url = RemoteViewer::generatedIdUrl(ServiceKeys::value(ServiceKeys::Update));
    if (!url.isValid()) {
        reportFailure(tr("Server pro generované ID není nastaven."),
                      tr("V nastavení programu chybí klíč %1 (host serveru aktualizací) nebo nejde o platnou adresu.")
                          .arg(ServiceKeys::Update));
        return;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, ServiceHttp::userAgent());
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // A server that never answers must not leave the button dead.
    request.setTransferTimeout(2 * ServiceHttp::DefaultTimeoutMs);
    m_idReply = m_manager->get(request);
    ui->se_generovane_id->setEnabled(false);
    setCursor(Qt::BusyCursor);
}

void RemoteAccessPage::managerFinished(QNetworkReply *reply)
{
    reply->deleteLater();
    if (reply != m_idReply)
        return;
    m_idReply = nullptr;
    ui->se_generovane_id->setEnabled(true);
    unsetCursor();

    const QByteArray body = reply->readAll();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    QString failure;
    if (reply->error() != QNetworkReply::NoError)
        failure = reply->errorString();
    else if (!ServiceHttp::bodyComplete(reply, body.size()))
        failure = tr("Odpověď serveru je neúplná.");
    else if (status < 200 || status >= 300)
        failure = QStringLiteral("HTTP %1").arg(status);
    QString text = QString::fromUtf8(body);
    // The file ends with a line break, which is no part of the id.
    while (text.endsWith(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    if (failure.isEmpty() && text.trimmed().isEmpty())
        failure = tr("Server neposlal žádné ID.");
    if (!failure.isEmpty()) {
        qWarning("generated id from %s: %s", qPrintable(reply->url().toString()), qPrintable(failure));
        reportFailure(tr("Generované ID se nepodařilo získat z %1.").arg(reply->url().toString()), failure);
        return;
    }
    // Whatever the server sends is shown as text, never as markup.
    DialogTextEdit dialog(this);
    dialog.setContent(tr("Generované ID"), Qt::convertFromPlainText(text, Qt::WhiteSpacePre));
    dialog.exec();
}
