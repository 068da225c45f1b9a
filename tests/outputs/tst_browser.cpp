// The browser tab in a real web view: the own map and its channel, another site (no channel), the map service.

#include "core/session.h"
#include "db/servicekeys.h"
#include "outputs/mapdocument.h"
#include "outputs/mapexport.h"
#include "outputs/mapprint.h"
#include "outputs/prohlizectab.h"
#include "support/httpstub.h"
#include "support/testdb.h"
#include "support/uitest.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QWebEngineView>
#include <QtTest>

#include "support/testmain.h"

namespace {

void setKey(const QString &key, const QString &value)
{
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN")).setValue(key, value);
}

// The result of a script in the page, waiting for it.
QVariant js(QWebEnginePage *page, const QString &code)
{
    QVariant out;
    bool done = false;
    page->runJavaScript(code, [&](const QVariant &v) {
        out = v;
        done = true;
    });
    (void)QTest::qWaitFor([&] { return done; }, 10000);
    return out;
}

QByteArray png(int width, int height, const QColor &colour)
{
    QImage img(width, height, QImage::Format_RGB32);
    img.fill(colour);
    QByteArray bytes;
    QBuffer b(&bytes);   // opened by the writer
    img.save(&b, "PNG");
    return bytes;
}

QList<HttpStub::Request> requestsFor(const HttpStub &stub, const QString &path)
{
    QList<HttpStub::Request> out;
    for (const HttpStub::Request &r : stub.requests())
        if (r.path == path)
            out << r;
    return out;
}

// The objects the web channel offers to the page shown, as its script sees them.
QString channelObjects(QWebEnginePage *page)
{
    QFile script(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    if (!script.open(QIODevice::ReadOnly))
        return QStringLiteral("no qwebchannel.js");
    js(page, QString::fromUtf8(script.readAll()) + QStringLiteral(
                 "; window.got = undefined; new QWebChannel(qt.webChannelTransport, function (c) {"
                 " window.got = Object.keys(c.objects).sort().join(); }); true"));
    (void)QTest::qWaitFor([&] { return js(page, "typeof window.got").toString() == QLatin1String("string"); }, 5000);
    return js(page, "window.got").toString();
}

const char kMarkupName[] = "<img src=x onerror=\"events.podnikVybran('666')\"><b>&</td><script>";

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT

    HttpStub m_stub;
    Session m_session;
    ProhlizecTab *m_tab = nullptr;
    QWebEngineView *m_view = nullptr;
    QLineEdit *m_address = nullptr;
    MapPageData *m_data = nullptr;   // what the map page reads over the channel as "mapa"
    QByteArray m_doc;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        ZRN_OPEN_TEST_DB();
        QVERIFY(m_stub.listen());
        ZRN_SEED(QStringLiteral("insert into tellmark_podniky (id,podnik_nazev,OBR,GPS,O_ODPOVEDNA_OSOBA) values "
                                "(1,'%1','TA','49.19, 16.61','Novák'),(2,'Farma B','BR','50.1,14.4',NULL),"
                                "(3,'Bez polohy','TA','abc,def',NULL)")
                     .arg(QString::fromUtf8(kMarkupName).replace(QLatin1Char('\''), QStringLiteral("''"))));
        m_session.shownEnterprises = [] { return QList<int>{1, 2, 3}; };
        setKey(MapKeys::Tiles, m_stub.url(QStringLiteral("/tile.png")).toString() + QStringLiteral("?z={z}&x={x}&y={y}"));
        m_tab = new ProhlizecTab(&m_session);
        m_tab->resize(800, 600);
        m_tab->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_tab));
        m_view = childNamed<QWebEngineView>(m_tab, "wbrowser");
        m_address = childNamed<QLineEdit>(m_tab, "adresa");
        m_data = m_tab->findChild<MapPageData *>();
        QVERIFY(m_view && m_address && m_data);
    }
    void cleanupTestCase()
    {
        delete m_tab;
        TestDb::close();
    }

    void init() { setKey(MapKeys::Service, QString()); }   // the map drawn here unless a test sets a service

    void ownMap()
    {
        QString error;
        m_doc = MapDocument::fromDatabase(MapDocument::DleRegionu, m_session.shownEnterprises(), Visibility::everything(), &error);
        QVERIFY2(!m_doc.isEmpty(), qPrintable(error));
        QSignalSpy ready(m_data, &MapPageData::ready);
        QSignalSpy chosen(m_tab, &ProhlizecTab::enterpriseRequested);
        m_tab->showMap(m_doc, MapDocument::DleRegionu);
        QVERIFY(ready.wait(20000));
        QCOMPARE(ready.first().first().toInt(), 2);   // enterprise 3 has no usable position
        QVERIFY(m_address->text().startsWith(QLatin1String("qrc:")));
        QWebEnginePage *page = m_view->page();
        QCOMPARE(js(page, "zrnMarkers['2'].options.fillColor").toString(), QStringLiteral("#FFD700"));
        QCOMPARE(js(page, "zrnMarkers['1'].getLatLng().lat").toDouble(), 49.19);
        QCOMPARE(js(page, "zrnMarkers['1'].getLatLng().lng").toDouble(), 16.61);
        QVERIFY(js(page, "document.querySelector('.leaflet-control-attribution').textContent").toString()
                    .contains(QLatin1String("OpenStreetMap")));

        // A click selects the enterprise; the name shows literally and runs nothing.
        js(page, "zrnMarkers['1'].fire('click'); zrnMarkers['1'].openPopup(); true");
        QTRY_VERIFY_WITH_TIMEOUT(!chosen.isEmpty(), 10000);
        QCOMPARE(chosen.first().first().toString(), QStringLiteral("1"));
        QVERIFY(js(page, "document.querySelector('.leaflet-popup-content').textContent").toString()
                    .contains(QString::fromUtf8(kMarkupName)));
        QCOMPARE(js(page, "document.querySelectorAll('.leaflet-popup-content img, .leaflet-popup-content script').length").toInt(), 0);
        QTest::qWait(500);
        QCOMPARE(chosen.size(), 1);

        // The tile server sees who asks.
        QTRY_VERIFY_WITH_TIMEOUT(!requestsFor(m_stub, "/tile.png").isEmpty(), 10000);
        const QByteArray agent = requestsFor(m_stub, "/tile.png").first().header("User-Agent");
        QVERIFY2(agent.contains("ZRN/"), agent.constData());
    }

    void mapaAsksForTheRule()
    {
        QSignalSpy ready(m_data, &MapPageData::ready);
        ModalHandler pick([](QWidget *modal) {
            auto *combo = modal->findChild<QComboBox *>(QStringLiteral("barveni"));
            // The rule shown last is offered first.
            if (!combo || combo->currentIndex() != MapDocument::DleRegionu || combo->count() != 6)
                return false;
            combo->setCurrentIndex(MapDocument::DleDojirny);
            static_cast<QDialog *>(modal)->accept();
            return true;
        });
        MapExport::run(m_tab, &m_session, m_tab);
        QVERIFY(pick.handled());
        QVERIFY(ready.wait(20000));
        // Under "Dle dojírny" no enterprise has a parlour: nothing is drawn.
        QCOMPARE(ready.first().first().toInt(), 0);
        QCOMPARE(m_tab->mapRule(), int(MapDocument::DleDojirny));

        // An empty tree asks nothing.
        Session empty;
        empty.shownEnterprises = [] { return QList<int>(); };
        ModalHandler none([](QWidget *) { return true; }, 2000);
        MapExport::run(m_tab, &empty, m_tab);
        QVERIFY(!none.handled());
        QCOMPARE(m_tab->mapRule(), int(MapDocument::DleDojirny));
        m_tab->showMap(m_doc, MapDocument::DleRegionu);
    }

    void otherSitesGetNoDocument()
    {
        QVERIFY(!m_data->document().isEmpty());
        m_stub.on(QStringLiteral("/cizi.html"), HttpStub::data("<html><body>jinde</body></html>", "text/html"));
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_address->setText(m_stub.url(QStringLiteral("/cizi.html")).toString());
        QTest::keyClick(m_address, Qt::Key_Return);
        QVERIFY(loaded.wait(15000));
        QCOMPARE(m_address->text(), m_stub.url(QStringLiteral("/cizi.html")).toString());
        QVERIFY(m_data->document().isEmpty());
        // Nor any channel object: it cannot select an enterprise.
        QCOMPARE(channelObjects(m_view->page()), QString());
    }

    // The map drawn here for paper: area, size, tile detail, points, attribution; the wait notice shows meanwhile.
    void ownMapImage_data()
    {
        QTest::addColumn<int>("extent");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("zoom");
        QTest::newRow("Dle bodu, A4") << 1 << "a4" << QSize(3508, 2480) << 10;
        QTest::newRow("Česká republika, A4") << 0 << "a4" << QSize(3508, 2480) << 9;
        QTest::newRow("Česká republika, A2") << 0 << "a2" << QSize(7016, 4961) << 10;
    }
    void ownMapImage()
    {
        QFETCH(int, extent);
        QFETCH(QString, paper);
        QFETCH(QSize, size);
        QFETCH(int, zoom);
        m_stub.on(QStringLiteral("/tile.png"), HttpStub::data(png(256, 256, QColor(0, 160, 0)), "image/png"));
        m_stub.clearRequests();
        bool busyShown = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            const QCursor *cursor = QApplication::overrideCursor();
            for (QWidget *w : QApplication::topLevelWidgets())
                for (QLabel *l : w->findChildren<QLabel *>())
                    busyShown |= w->isVisible() && l->text() == QStringLiteral("Generování mapy ...") && cursor
                        && cursor->shape() == Qt::WaitCursor;
        });
        watch.start(5);
        const QString path = m_dir.filePath(QStringLiteral("vlastni-%1-%2.jpg").arg(extent).arg(paper));
        QString error, note;
        QVERIFY2(m_tab->saveMapImage(extent, paper, 300, path, &error, &note), qPrintable(error));
        watch.stop();
        QVERIFY(busyShown);
        QVERIFY(note.isEmpty());

        const QList<HttpStub::Request> tiles = requestsFor(m_stub, "/tile.png");
        QVERIFY(!tiles.isEmpty() && tiles.size() <= MapPrint::MaxTiles);
        for (const HttpStub::Request &r : tiles) {
            QVERIFY(r.query.startsWith("z=" + QByteArray::number(zoom) + "&"));
            QVERIFY(r.header("User-Agent").contains("ZRN/"));
        }

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly) && MapDocument::isJpeg(f.readAll()));
        const QImage img(path);
        QCOMPARE(img.size(), size);
        // Tiles, not a grab of the screen; the attribution box in the corner.
        const QColor middle = img.pixelColor(img.width() / 3, img.height() / 3);
        QVERIFY(middle.green() > 120 && middle.red() < 60);
        const QColor corner = img.pixelColor(img.width() - 3, img.height() - 3);
        QVERIFY(corner.red() > 200 && corner.green() > 200 && corner.blue() > 200);
        // The red point of enterprise 1 (rule "Dle regionu") is in it.
        bool red = false;
        for (int y = 0; y < img.height() && !red; y += 3)
            for (int x = 0; x < img.width() && !red; x += 3) {
                const QColor c = img.pixelColor(x, y);
                red = c.red() > 180 && c.green() < 100 && c.blue() < 130;
            }
        QVERIFY(red);
    }

    void serviceGeneratesPage()
    {
        setKey(MapKeys::Service, m_stub.url().toString());
        m_stub.on(QStringLiteral("/generate"), HttpStub::data("<html><body>mapa ze služby</body></html>", "text/html"));
        m_stub.clearRequests();
        const QByteArray doc = MapDocument::build(MapDocument::JednaBarva, {});
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_tab->showMap(doc, MapDocument::DleOsoby);
        QVERIFY(loaded.wait(15000));
        QCOMPARE(m_stub.requestCount(), 1);
        const HttpStub::Request r = m_stub.requests().first();
        QCOMPARE(r.method + ' ' + r.path.toUtf8(), QByteArray("POST /generate"));
        QCOMPARE(r.header("Content-Type"), QByteArray("application/json"));
        QCOMPARE(r.body, doc);
        // The service's map page may select enterprises.
        QCOMPARE(channelObjects(m_view->page()), QStringLiteral("events,mapa"));
    }

    void servicePrint_data()
    {
        QTest::addColumn<int>("extent");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<HttpStub::Response>("answer");
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("failure");   // empty: succeeds
        QTest::addColumn<bool>("lowered");
        const HttpStub::Response image = HttpStub::data(png(40, 30, Qt::darkGreen), "image/png");
        const QString cz = "&minLat=48.68548210496329&maxLat=50.92328275347886&minLon=12.540129156282946&maxLon=18.455673452045595";
        QTest::newRow("A3/600 Dle bodu") << 1 << "a3" << 600 << image << "format=a3&dpi=600" << QString() << false;
        QTest::newRow("Česká republika") << 0 << "a4" << 300 << image << "format=a4" + cz + "&dpi=300" << QString() << false;
        QTest::newRow("A2/600 lowered") << 1 << "a2" << 600 << image << "format=a2&dpi=508" << QString() << true;
        QTest::newRow("error page with 200") << 1 << "a4" << 300 << HttpStub::data("<html>Chyba</html>", "text/html")
                                             << "format=a4&dpi=300" << "Chyba generování mapy." << false;
        QTest::newRow("server error") << 1 << "a4" << 300 << HttpStub::data(png(40, 30, Qt::darkGreen), "image/png", 500)
                                      << "format=a4&dpi=300" << "Chyba generování mapy." << false;
        QTest::newRow("no answer") << 1 << "a4" << 300 << HttpStub::Response::neverAnswer() << "format=a4&dpi=300"
                                   << "Chyba generování mapy: služba neodpověděla do 3 s." << false;
    }
    void servicePrint()
    {
        QFETCH(int, extent);
        QFETCH(QString, paper);
        QFETCH(int, dpi);
        QFETCH(HttpStub::Response, answer);
        QFETCH(QString, query);
        QFETCH(QString, failure);
        setKey(MapKeys::Service, m_stub.url().toString());
        m_stub.on(QStringLiteral("/api/print"), answer);
        m_stub.clearRequests();
        m_tab->setPrintTimeout(3000);
        static int run = 0;
        const QString path = m_dir.filePath(QStringLiteral("tisk-%1.jpg").arg(++run));
        QString error, note;
        const bool ok = m_tab->saveMapImage(extent, paper, dpi, path, &error, &note);
        const QList<HttpStub::Request> prints = requestsFor(m_stub, "/api/print");
        QCOMPARE(prints.size(), 1);
        const HttpStub::Request r = prints.first();
        QCOMPARE(r.method + '?' + r.query, "POST?" + query.toLatin1());
        QCOMPARE(r.header("Content-Type"), QByteArray("application/json;charset=UTF-8"));
        QCOMPARE(QJsonDocument::fromJson(r.body).object().value("features").toArray().size(), 2);
        QTEST(!note.isEmpty(), "lowered");
        QCOMPARE(error, failure);
        QCOMPARE(ok, failure.isEmpty());
        QFile f(path);
        QCOMPARE(f.open(QIODevice::ReadOnly) && MapDocument::isJpeg(f.readAll()), failure.isEmpty());
    }

    void unwritableFileIsReported()
    {
        QString error;
        const QString path = m_dir.filePath(QStringLiteral("neni/mapa.jpg"));
        QVERIFY(!ProhlizecTab::writeJpeg(path, QByteArray("\xFF\xD8\xFF"), &error));
        QVERIFY2(error.contains(path) && error.contains(QLatin1String("nelze zapsat")), qPrintable(error));
    }
};

ZRN_TEST_MAIN(TestBrowser)
#include "tst_browser.moc"
