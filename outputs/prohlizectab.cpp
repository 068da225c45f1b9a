#include "outputs/prohlizectab.h"
#include "core/report.h"

#include "core/workprogress.h"
#include "core/dialoginfo.h"
#include "core/notice.h"
#include "core/session.h"
#include "db/servicehttp.h"
#include "db/servicekeys.h"
#include "outputs/dialogmapa.h"
#include "outputs/mapdocument.h"
#include "outputs/mapexport.h"
#include "outputs/mapprint.h"

#include "ui_prohlizectab.h"

#include <QCoreApplication>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QSaveFile>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QWebChannel>
#include <QWebEngineHttpRequest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

#include <functional>

// Outside any namespace, as Q_INIT_RESOURCE requires; the page lives in a
// static library, so nothing would register it otherwise.
static void initMapResources()
{
    Q_INIT_RESOURCE(map);
}

namespace {
bool isMapPage(const QUrl &url)
{
    return url.scheme() == QLatin1String("qrc") && url.path() == MapPageData::pageUrl().path();
}

// The map the program shows: its own page, or the configured map service's
// page generator.
bool isOwnMapPage(const QUrl &url)
{
    if (isMapPage(url))
        return true;
    const QString base = ServiceKeys::value(MapKeys::Service);
    if (base.isEmpty())
        return false;
    const QUrl generate = MapDocument::generateUrl(base);
    return generate.isValid()
        && url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::StripTrailingSlash)
               == generate.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::StripTrailingSlash);
}

// The page of the browser tab: before each new document it tells whether
// the document is one of the program's own maps, so the channel objects are
// offered to those only and another site opened in the tab gets none.
class BrowserPage : public QWebEnginePage
{
public:
    BrowserPage(std::function<void(bool own)> offer, QObject *parent) : QWebEnginePage(parent), m_offer(std::move(offer))
    {
        connect(this, &QWebEnginePage::urlChanged, this, [this](const QUrl &url) { m_offer(isOwnMapPage(url)); });
    }

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame)
            m_offer(isOwnMapPage(url));
        return true;
    }

private:
    std::function<void(bool)> m_offer;
};

// "Generování mapy ..." with its progress and "Zrušit", and the wait cursor,
// while an image is made. Stopping is safe at any point: the file is asked
// for and written only once the image is whole.
struct Busy {
    WorkProgress progress;
    explicit Busy(QWidget *parent)
        : progress(parent, QCoreApplication::translate("ProhlizecTab", "Generování mapy ..."), true, true)
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Busy() { QApplication::restoreOverrideCursor(); }
};

// Runs work on a thread of its own while the window keeps repainting.
void runAside(const std::function<void()> &work)
{
    QEventLoop loop;
    QThread *thread = QThread::create(work);
    QObject::connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    thread->wait();
    delete thread;
}

// The image as JPEG at the given DPI (a null image gives nothing).
QByteArray toJpeg(QImage image, int dpi)
{
    QByteArray jpeg;
    if (image.isNull())
        return jpeg;
    const int dotsPerMeter = int(dpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "JPG", 90))
        jpeg.clear();
    return jpeg;
}
}

QString MapPageData::document() const
{
    // Another site opened in the tab gets nothing of the register.
    return m_view && isMapPage(m_view->url()) ? m_document : QString();
}

QString MapPageData::tiles() const
{
    return ServiceKeys::value(MapKeys::Tiles, MapKeys::TilesDefault);
}

ProhlizecTab::ProhlizecTab(Session *session, QWidget *parent)
    : ZrnTab(parent), ui(new Ui::ProhlizecTab), m_session(session)
{
    initMapResources();
    ui->setupUi(this);

    QWebEngineView *view = ui->wbrowser;
    m_bridge = new webclass(this);
    m_mapData = new MapPageData(view, this);
    m_channel = new QWebChannel(this);
    view->setPage(new BrowserPage([this](bool own) { offerChannelObjects(own); }, view));
    view->page()->setWebChannel(m_channel);

    m_toolbar = new QToolBar(ui->wtoolbar);
    m_toolbar->setStyleSheet(QStringLiteral("QToolBar { border: 0px }"));
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Back));
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Forward));
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Reload));
    m_toolbar->addAction(view->pageAction(QWebEnginePage::Stop));
    QAction *exportPng = m_toolbar->addAction(QIcon(QStringLiteral(":/pics/exportjpg.png")), QString());
    exportPng->setObjectName(QStringLiteral("actionMapaSavePng"));
    connect(exportPng, &QAction::triggered, this, &ProhlizecTab::onMapaSavePng);
    m_address = new QLineEdit(m_toolbar);
    m_address->setObjectName(QStringLiteral("adresa"));
    m_address->setSizePolicy(QSizePolicy::Expanding, m_address->sizePolicy().verticalPolicy());
    m_toolbar->addWidget(m_address);
    ui->horizontalLayoutBrowser->addWidget(m_toolbar);
    // The page gets every pixel the tool bar does not need.
    ui->wtoolbar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    ui->verticalLayout->setStretchFactor(ui->wbrowser, 1);

    // Tile servers (OpenStreetMap's policy) want to know the program asking.
    QWebEngineProfile *profile = view->page()->profile();
    const QString agent = QString::fromLatin1(ServiceHttp::userAgent());
    if (!profile->httpUserAgent().contains(agent))
        profile->setHttpUserAgent(profile->httpUserAgent() + QLatin1Char(' ') + agent);

    connect(m_address, &QLineEdit::returnPressed, this, &ProhlizecTab::onURLReturnPressed);
    connect(view, &QWebEngineView::urlChanged, this, &ProhlizecTab::onUrlChanged);
    connect(m_bridge, &webclass::onPodnikVybran, this, &ProhlizecTab::podnikVybran);

    m_mapManager = new QNetworkAccessManager(this);
    connect(m_mapManager, &QNetworkAccessManager::finished, this, &ProhlizecTab::managerMapFinished);
}

ProhlizecTab::~ProhlizecTab()
{
    delete ui;
}

void ProhlizecTab::offerChannelObjects(bool own)
{
    const bool offered = !m_channel->registeredObjects().isEmpty();
    if (own && !offered) {
        m_channel->registerObject(QStringLiteral("events"), m_bridge);
        m_channel->registerObject(QStringLiteral("mapa"), m_mapData);
    } else if (!own && offered) {
        m_channel->deregisterObject(m_bridge);
        m_channel->deregisterObject(m_mapData);
    }
}

void ProhlizecTab::onURLReturnPressed()
{
    ui->wbrowser->load(QUrl::fromUserInput(m_address->text()));
}

void ProhlizecTab::onUrlChanged(const QUrl &url)
{
    m_address->setText(url.toString());
}

void ProhlizecTab::podnikVybran(const QString &id)
{
    // The channel reaches no other page; this holds even if one slipped through.
    if (!isOwnMapPage(ui->wbrowser->url()))
        return;
    emit enterpriseRequested(id);
    emit rowRequested({id, QVariant(), QStringLiteral("tab_podnik"), RowRequest::Way::InTree});
}

bool ProhlizecTab::showEnterpriseMap(QWidget *window)
{
    return MapExport::run(window, m_session, this);
}

void ProhlizecTab::showMap(const QByteArray &document, int rule)
{
    m_rule = rule;
    m_mapData->setDocument(document);
    const QString base = ServiceKeys::value(MapKeys::Service);
    if (base.isEmpty()) {
        ui->wbrowser->load(MapPageData::pageUrl());
        return;
    }
    const QUrl url = MapDocument::generateUrl(base);
    if (!url.isValid()) {
        QMessageBox::warning(this, QStringLiteral("ZRN"),
                             QCoreApplication::translate("ProhlizecTab", "Adresa mapové služby (%1 v nastavení) není platná: %2")
                                 .arg(MapKeys::Service, base));
        return;
    }
    QWebEngineHttpRequest request(url, QWebEngineHttpRequest::Post);
    request.setHeader(QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json"));
    request.setPostData(document);
    ui->wbrowser->load(request);
}

void ProhlizecTab::onMapaSavePng()
{
    DialogMapaExport dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int extent = 0, dpi = 0;
    QString paper;
    dialog.getValues(&extent, &paper, &dpi);

    QByteArray jpeg;
    QString error, note;
    const bool ok = renderMapImage(extent, paper, dpi, &jpeg, &error, &note);
    if (!note.isEmpty())
        Report::info(this, note);
    if (!ok) {
        Report::info(this, error);
        return;
    }
    QFileDialog files(this, QCoreApplication::translate("ProhlizecTab", "Uložení souboru"), QString(), QStringLiteral("JPEG-Files (*.jpg)"));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(QStringLiteral("jpg"));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return;
    if (!writeJpeg(files.selectedFiles().constFirst(), jpeg, &error))
        QMessageBox::warning(this, QStringLiteral("ZRN"), error);
    else if (m_session)
        m_session->notify(Notice::exported(QDir::toNativeSeparators(files.selectedFiles().constFirst())));
}

bool ProhlizecTab::saveMapImage(int extent, const QString &paper, int dpi, const QString &path, QString *error,
                                QString *note)
{
    QByteArray jpeg;
    return renderMapImage(extent, paper, dpi, &jpeg, error, note) && writeJpeg(path, jpeg, error);
}

bool ProhlizecTab::renderMapImage(int extent, const QString &paper, int dpi, QByteArray *jpeg, QString *error,
                                  QString *note)
{
    const MapDocument::PrintSize size = MapDocument::printSize(paper, dpi);
    if (size.dpi <= 0) {
        *error = QCoreApplication::translate("ProhlizecTab", "Neznámá velikost papíru nebo DPI: %1, %2.").arg(paper).arg(dpi);
        return false;
    }
    if (size.lowered() && note)
        *note = QCoreApplication::translate("ProhlizecTab", "Obrázek by měl přes 100 megapixelů, DPI bylo sníženo z %1 na %2.")
                    .arg(size.asked)
                    .arg(size.dpi);

    Busy busy(this);
    const QString stopped = QCoreApplication::translate("ProhlizecTab", "Generování mapy bylo zrušeno.");
    // Printing before any "Mapa" uses rule 0; an empty tree still gives a document.
    const QList<int> ids = m_session && m_session->shownEnterprises ? m_session->shownEnterprises() : QList<int>();
    QString readError;
    const QByteArray doc = MapDocument::fromDatabase(m_rule, ids, m_session ? Visibility::of(m_session->user) : Visibility(),
                                                      &readError);
    if (doc.isEmpty()) {
        *error = QCoreApplication::translate("ProhlizecTab", "Podniky pro mapu nelze načíst:\n%1").arg(readError);
        return false;
    }

    const QString base = ServiceKeys::value(MapKeys::Service);
    if (!base.isEmpty()) {
        QByteArray bytes;
        if (!printByService(base, doc, extent, paper, size.dpi, &bytes, error, &busy.progress)) {
            if (busy.progress.cancelled())
                *error = stopped;
            return false;
        }
        if (MapDocument::isJpeg(bytes)) {
            *jpeg = bytes;
            return true;
        }
        runAside([&] { *jpeg = toJpeg(QImage::fromData(bytes), size.dpi); });
    } else {
        // Drawn here for the paper: the area asked for, tiles of the zoom
        // that gives the paper its detail (a bounded number of them).
        const MapPrint::Plan plan = MapPrint::plan(doc, extent, size);
        QVector<QImage> tiles;
        if (!fetchTiles(plan, &tiles, error, &busy.progress)) {
            if (busy.progress.cancelled())
                *error = stopped;
            return false;
        }
        runAside([&] { *jpeg = toJpeg(MapPrint::render(plan, doc, tiles), size.dpi); });
    }
    // "Zrušit" pressed while the image was drawn: it is dropped.
    QCoreApplication::processEvents();
    if (busy.progress.cancelled()) {
        jpeg->clear();
        *error = stopped;
        return false;
    }
    if (jpeg->isEmpty()) {
        *error = QCoreApplication::translate("ProhlizecTab", "Chyba generování mapy (obrázek nelze převést do JPEG).");
        return false;
    }
    return true;
}

bool ProhlizecTab::writeJpeg(const QString &path, const QByteArray &jpeg, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() || !file.commit()) {
        *error = QCoreApplication::translate("ProhlizecTab", "Soubor %1 nelze zapsat: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool ProhlizecTab::printByService(const QString &base, const QByteArray &doc, int extent, const QString &paper,
                                  int dpi, QByteArray *bytes, QString *error, WorkProgress *progress)
{
    const QUrl url = MapDocument::printUrl(base, extent, paper, dpi);
    if (!url.isValid()) {
        *error = QCoreApplication::translate("ProhlizecTab", "Adresa mapové služby (%1 v nastavení) není platná: %2").arg(MapKeys::Service, base);
        return false;
    }
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/json;charset=UTF-8"));
    request.setHeader(QNetworkRequest::UserAgentHeader, ServiceHttp::userAgent());
    m_mapReply.clear();
    m_mapResult = 0;
    m_mapError.clear();
    QPointer<QNetworkReply> reply = m_mapManager->post(request, doc);

    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        if (reply)
            reply->abort(); // finishes the reply, which ends the wait
        else
            loop.quit();
    });
    connect(this, &ProhlizecTab::onRequestMapDone, &loop, &QEventLoop::quit);
    // "Zrušit" ends the wait as the time-out does.
    connect(progress, &WorkProgress::canceled, &loop, [&] {
        if (reply)
            reply->abort();
        else
            loop.quit();
    });
    if (m_mapResult == 0) {
        timer.start(m_printTimeoutMs);
        // The progress window is modal: only its "Zrušit" takes input.
        loop.exec();
    }
    timer.stop();

    if (m_mapResult > 0) {
        *bytes = m_mapReply;
        return true;
    }
    *error = timedOut ? QCoreApplication::translate("ProhlizecTab", "Chyba generování mapy: služba neodpověděla do %1 s.").arg((m_printTimeoutMs + 999) / 1000)
                      : QCoreApplication::translate("ProhlizecTab", "Chyba generování mapy.");
    return false;
}

void ProhlizecTab::managerMapFinished(QNetworkReply *reply)
{
    m_mapReply = reply->isOpen() ? reply->readAll() : QByteArray();
    if (reply->error() == QNetworkReply::NoError && MapDocument::isImage(m_mapReply)) {
        m_mapResult = 1;
    } else {
        // An error page of the service is no map either.
        m_mapError = reply->error() != QNetworkReply::NoError ? reply->errorString()
                                                              : QStringLiteral("the reply is not an image");
        qDebug() << "map print:" << m_mapError;
        m_mapResult = -1;
    }
    reply->deleteLater();
    emit onRequestMapDone();
}

bool ProhlizecTab::fetchTiles(const MapPrint::Plan &plan, QVector<QImage> *images, QString *error,
                              WorkProgress *progress)
{
    const QString pattern = ServiceKeys::value(MapKeys::Tiles, MapKeys::TilesDefault);
    images->fill(QImage(), plan.tiles.size());
    QNetworkAccessManager manager;
    QEventLoop loop;
    QList<QPointer<QNetworkReply>> running;
    int next = 0, arrived = 0;
    // Two at a time, as the tile servers ask.
    std::function<void()> startMore = [&] {
        while (running.size() < 2 && next < plan.tiles.size()) {
            const int i = next++;
            QNetworkRequest request(MapPrint::tileUrl(pattern, plan.zoom, plan.tiles.at(i)));
            request.setHeader(QNetworkRequest::UserAgentHeader, ServiceHttp::userAgent());
            QNetworkReply *reply = manager.get(request);
            running.append(reply);
            connect(reply, &QNetworkReply::finished, &loop, [&, reply, i] {
                if (reply->error() == QNetworkReply::NoError) {
                    (*images)[i] = QImage::fromData(reply->readAll());
                    arrived += (*images)[i].isNull() ? 0 : 1;
                }
                running.removeAll(reply);
                reply->deleteLater();
                progress->setProgress(next - running.size(), plan.tiles.size());
                startMore();
                if (running.isEmpty())
                    loop.quit();
            });
        }
    };
    QTimer timer;
    timer.setSingleShot(true);
    bool timedOut = false;
    connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        next = plan.tiles.size();
        for (const QPointer<QNetworkReply> &r : QList<QPointer<QNetworkReply>>(running))
            if (r)
                r->abort();
        loop.quit();
    });
    // "Zrušit": no further tile is asked for, those on the way are dropped.
    connect(progress, &WorkProgress::canceled, &loop, [&] {
        next = plan.tiles.size();
        for (const QPointer<QNetworkReply> &r : QList<QPointer<QNetworkReply>>(running))
            if (r)
                r->abort();
        loop.quit();
    });
    startMore();
    if (!running.isEmpty()) {
        timer.start(m_printTimeoutMs);
        // The progress window is modal: only its "Zrušit" takes input.
        loop.exec();
    }
    if (progress->cancelled())
        return false;
    if (arrived > 0)
        return true;
    *error = timedOut ? QCoreApplication::translate("ProhlizecTab", "Chyba generování mapy: server mapových podkladů neodpověděl do %1 s.")
                            .arg((m_printTimeoutMs + 999) / 1000)
                      : QCoreApplication::translate("ProhlizecTab", "Chyba generování mapy: mapové podklady nelze stáhnout (%1).")
                            .arg(QUrl(pattern).host());
    return false;
}
