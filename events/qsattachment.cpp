#include "events/qsattachment.h"
#include "core/report.h"

#include "events/attachmentstore.h"
#include "events/tailbuttonsdelegate.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QStandardItemModel>
#include <QTableView>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

// The pictures of the buttons live in the static widget library; whatever
// shows a list registers them (outside any namespace, as Q_INIT_RESOURCE
// requires).
static void initAttachmentPictures()
{
    Q_INIT_RESOURCE(resources);
}

namespace {

// What an insert statement carries beside the file: the statement, the
// event id and the name (255 characters of up to 4 bytes), with room to spare.
constexpr qint64 kStatementOverhead = 64 * 1024;

// Types the desktop runs instead of showing them.
const QStringList kCodeSuffixes = {
    QStringLiteral("exe"), QStringLiteral("bat"), QStringLiteral("cmd"), QStringLiteral("com"),
    QStringLiteral("scr"), QStringLiteral("msi"), QStringLiteral("js"),  QStringLiteral("vbs"),
    QStringLiteral("ps1"), QStringLiteral("jar"), QStringLiteral("sh"),  QStringLiteral("desktop"),
};

bool runsCode(const QString &path)
{
    const QFileInfo info(path);
    return kCodeSuffixes.contains(info.suffix().toLower()) || info.isExecutable();
}

bool isStored(const QVariant &id)
{
    return !id.isNull() && id.toLongLong() > 0;
}

QVariant validEventId(const QVariant &id)
{
    return isStored(id) ? id : QVariant();
}

} // namespace

QSAttachment::FileChooser QSAttachment::fileChooser;
QSAttachment::FileOpener QSAttachment::fileOpener;

QSAttachment::QSAttachment(QObject *parent)
    : QObject(parent), m_model(new QStandardItemModel(0, 1, this))
{
}

QSAttachment::~QSAttachment() = default;

void QSAttachment::setup(QWidget *container)
{
    initAttachmentPictures();
    auto *layout = new QVBoxLayout(container);
    layout->setSpacing(2);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *add = new QToolButton(container);
    add->setIcon(QIcon(QStringLiteral(":/pics/attachment.svg")));
    add->setIconSize(QSize(16, 16));
    add->setAutoRaise(true);
    add->setText(tr("Přidat přílohu"));
    add->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    connect(add, &QToolButton::clicked, this, &QSAttachment::addAttachment);
    layout->addWidget(add);

    m_view = new QTableView(container);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->horizontalHeader()->hide();
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setStretchLastSection(true);
    auto *delegate = new TailButtonsDelegate(m_view);
    m_view->setItemDelegateForColumn(0, delegate);
    connect(delegate, &TailButtonsDelegate::openClicked, this, &QSAttachment::openAttachment);
    connect(delegate, &TailButtonsDelegate::saveClicked, this, &QSAttachment::saveAttachment);
    connect(delegate, &TailButtonsDelegate::removeClicked, this, &QSAttachment::removeAttachment);
    m_view->setModel(m_model);
    layout->addWidget(m_view);
    reopenEditors();
}

bool QSAttachment::load(const QVariant &eventId, QString *error)
{
    m_eventId = eventId;
    m_removedIds.clear();
    m_model->setRowCount(0);
    if (!isStored(eventId)) {
        reopenEditors();
        return true;
    }

    QVector<AttachmentStore::Item> items;
    if (!AttachmentStore::list(eventId, &items, error))
        return false;
    for (const AttachmentStore::Item &stored : qAsConst(items)) {
        auto *item = new QStandardItem(stored.name);
        item->setEditable(false);
        item->setData(stored.id, IdRole);
        item->setData(0, RenamedRole);
        m_model->appendRow(item);
    }
    reopenEditors();
    return true;
}

void QSAttachment::clear()
{
    m_eventId = QVariant();
    m_removedIds.clear();
    m_model->setRowCount(0);
}

bool QSAttachment::save(const QVariant &eventId, QString *error)
{
    const QVariant event = validEventId(eventId.isNull() ? m_eventId : eventId);
    if (event.isNull()) {
        for (int row = 0; row < m_model->rowCount(); ++row) {
            if (!isStored(m_model->item(row)->data(IdRole))) {
                if (error)
                    *error = tr("Přílohy nelze uložit: událost není uložena.");
                return false;
            }
        }
    }
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QStandardItem *item = m_model->item(row);
        const QVariant id = item->data(IdRole);
        bool ok = true;
        if (!isStored(id))
            ok = AttachmentStore::insert(event, item->text(), item->data(DataRole).toByteArray(), error);
        else if (item->data(RenamedRole).toInt() > 0)
            ok = AttachmentStore::rename(id, item->text(), error);
        if (!ok)
            return false;
    }
    for (int id : qAsConst(m_removedIds)) {
        if (!AttachmentStore::remove(id, error))
            return false;
    }
    return true;
}

bool QSAttachment::hasPendingChanges() const
{
    if (!m_removedIds.isEmpty())
        return true;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QStandardItem *item = m_model->item(row);
        if (!isStored(item->data(IdRole)) || item->data(RenamedRole).toInt() > 0)
            return true;
    }
    return false;
}

bool QSAttachment::addFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.size() > MaxFileSize) {
        Report::info(dialogParent(), tr("Překročena maximalní velikost souboru (20MB)."));
        return false;
    }
    qint64 limit = 0;
    if (!serverAccepts(info.size(), &limit)) {
        Report::info(dialogParent(), tr("Soubor je větší, než databázový server přijme (limit %1 MB).")
                                         .arg(limit / (1024 * 1024)));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxFileSize)
        return false;
    if (bytes.isNull())
        bytes = QByteArray("", 0);

    auto *item = new QStandardItem(info.fileName());
    item->setEditable(false);
    item->setData(QVariant(), IdRole);
    item->setData(bytes, DataRole);
    item->setData(0, RenamedRole);
    m_model->appendRow(item);
    reopenEditors();
    emit onChanged();
    return true;
}

QString QSAttachment::safeFileName(const QString &storedName)
{
    const int cut = qMax(storedName.lastIndexOf(QLatin1Char('/')), storedName.lastIndexOf(QLatin1Char('\\')));
    const QString name = storedName.mid(cut + 1).trimmed();
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QString();
    return name;
}

void QSAttachment::addAttachment()
{
    const QString path = chooseFile(false, tr("výběr souboru"), QString());
    if (!path.isEmpty())
        addFile(path);
}

void QSAttachment::openAttachment(const QString &row)
{
    bool ok = false;
    const int r = row.toInt(&ok);
    if (!ok || r < 0 || r >= m_model->rowCount())
        return;
    QString name = safeFileName(m_model->item(r)->text());
    if (name.isEmpty())
        name = QStringLiteral("priloha");
    QByteArray bytes;
    if (!rowBytes(r, &bytes))
        return;
    const QString target = QDir::tempPath() + QLatin1Char('/') + name;
    if (!writeFile(target, bytes, true))
        return;
    // The desktop would run a program, not show a document: the user says so
    // knowingly.
    if (runsCode(target)
        && !Report::ask(dialogParent(), tr("Příloha „%1“ je program nebo skript a otevřením se spustí. "
                                             "Přejete si ji přesto otevřít?")
                                              .arg(name))) {
        QFile::remove(target);
        return;
    }
    const QUrl url = QUrl::fromLocalFile(target);
    if (fileOpener)
        fileOpener(url);
    else
        QDesktopServices::openUrl(url);
}

void QSAttachment::saveAttachment(const QString &row)
{
    bool ok = false;
    const int r = row.toInt(&ok);
    if (!ok || r < 0 || r >= m_model->rowCount())
        return;
    QString name = safeFileName(m_model->item(r)->text());
    if (name.isEmpty())
        name = QStringLiteral("priloha");
    const QString path = chooseFile(true, tr("Uložení souboru"), name);
    if (path.isEmpty())
        return;
    QByteArray bytes;
    if (rowBytes(r, &bytes) && writeFile(path, bytes, false))
        emit fileWritten(path);
}

void QSAttachment::removeAttachment(const QString &row)
{
    bool ok = false;
    const int r = row.toInt(&ok);
    if (!ok || r < 0 || r >= m_model->rowCount())
        return;
    if (!Report::ask(dialogParent(), tr("Přejete si odstranit přílohu?")))
        return;
    // The model may have changed while the question was open.
    if (r >= m_model->rowCount())
        return;
    const QVariant id = m_model->item(r)->data(IdRole);
    if (isStored(id))
        m_removedIds.append(id.toInt());
    m_model->removeRow(r);
    reopenEditors();
    emit onChanged();
}

QWidget *QSAttachment::dialogParent() const
{
    return m_view ? m_view->window() : nullptr;
}

QString QSAttachment::chooseFile(bool save, const QString &title, const QString &preselected) const
{
    if (fileChooser)
        return fileChooser(save, title, preselected);
    const QString filter = tr("Všechny soubory (*.*)");
    return save ? QFileDialog::getSaveFileName(dialogParent(), title, preselected, filter)
                : QFileDialog::getOpenFileName(dialogParent(), title, QString(), filter);
}

bool QSAttachment::rowBytes(int row, QByteArray *bytes)
{
    const QStandardItem *item = m_model->item(row);
    const QVariant id = item->data(IdRole);
    if (!isStored(id)) {
        *bytes = item->data(DataRole).toByteArray();
        return true;
    }
    bool found = false;
    QString error;
    if (!AttachmentStore::data(id, bytes, &found, &error)) {
        Report::readFailed(dialogParent(), error);
        return false;
    }
    return found;
}

bool QSAttachment::writeFile(const QString &path, const QByteArray &bytes, bool replace)
{
    QFile file(path);
    QIODevice::OpenMode mode = QIODevice::WriteOnly | QIODevice::Truncate;
    if (replace) {
        // A fresh file: whatever is at the name (a link among others) is
        // replaced, never written through.
        QFile::remove(path);
        mode = QIODevice::WriteOnly | QIODevice::NewOnly;
    }
    if (!file.open(mode) || file.write(bytes) != bytes.size() || !file.flush()) {
        Report::info(dialogParent(), tr("Chyba při otevírání souboru."));
        return false;
    }
    file.close();
    return true;
}

bool QSAttachment::serverAccepts(qint64 size, qint64 *limit)
{
    const qint64 packet = AttachmentStore::packetLimit();
    if (packet <= 0 || size + kStatementOverhead <= packet)
        return true;
    *limit = packet;
    return false;
}

void QSAttachment::reopenEditors()
{
    if (!m_view)
        return;
    for (int row = 0; row < m_model->rowCount(); ++row) {
        const QModelIndex index = m_model->index(row, 0);
        m_view->closePersistentEditor(index);
        m_view->openPersistentEditor(index);
    }
}
