// The map of the GPS page in a real web view (needs a display: Xvfb): "Google"
// asks the configured map service for the typed coordinates, the address line
// follows the view, and loading a row blanks the map.

#include "support/httpstub.h"

#include "app/session.h"
#include "db/servicekeys.h"
#include "register/gpspage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QUrlQuery>
#include <QWebEngineView>
#include <QtTest>

class TestGpsView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void googleShowsTheMapAndAddressFollows();

private:
    HttpStub m_stub;
};

void TestGpsView::initTestCase()
{
    QVERIFY(m_stub.listen());
    m_stub.on(QStringLiteral("/maps"), HttpStub::data("<html><body>mapa</body></html>", "text/html"));
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"));
    s.setValue(ServiceKeys::WebMap, m_stub.url().toString());
}

void TestGpsView::googleShowsTheMapAndAddressFollows()
{
    Session session;
    session.setSelection(5, 50);
    GpsPage page(&session);
    page.resize(800, 600);
    page.show();
    page.loadFrom(QStringLiteral("49.5,15.25"));
    QCOMPARE(page.addressEdit()->text(), QStringLiteral("about:blank"));
    QVERIFY(!page.hasMapView());

    auto *google = page.findChild<QAbstractButton *>(QStringLiteral("gps_show_google"));
    QVERIFY(google);
    google->click();
    QVERIFY(page.hasMapView());
    QCOMPARE(page.mapView()->objectName(), QStringLiteral("wvgps"));

    QTRY_VERIFY_WITH_TIMEOUT(m_stub.requestCount() > 0, 30000);
    const HttpStub::Request req = m_stub.requests().first();
    QCOMPARE(req.path, QStringLiteral("/maps"));
    const QUrlQuery query(QString::fromLatin1(req.query));
    QCOMPARE(query.queryItemValue(QStringLiteral("q")), QStringLiteral("49.5,15.25"));
    QCOMPARE(query.queryItemValue(QStringLiteral("ll")), QStringLiteral("49.5,15.25"));
    QCOMPARE(query.queryItemValue(QStringLiteral("z")), QStringLiteral("12"));
    QCOMPARE(query.queryItemValue(QStringLiteral("t")), QStringLiteral("m"));

    // The read-only address line shows where the view is.
    const QString mapAddress = m_stub.url(QStringLiteral("/maps")).toString();
    QTRY_VERIFY_WITH_TIMEOUT(page.addressEdit()->text().startsWith(mapAddress), 30000);
    QCOMPARE(page.addressEdit()->text(), page.mapView()->url().toString());
    QCOMPARE(page.addressEdit()->text(), mapAddress + QStringLiteral("?q=49.5,15.25&ll=49.5,15.25&z=12&t=m"));
    QVERIFY(page.addressEdit()->isReadOnly());

    // A newly loaded row blanks the map; it is not loaded again by itself.
    const int asked = m_stub.requestCount();
    page.loadFrom(QStringLiteral("50,16"));
    QTRY_COMPARE_WITH_TIMEOUT(page.addressEdit()->text(), QStringLiteral("about:blank"), 30000);
    QCOMPARE(m_stub.requestCount(), asked);
}

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestGpsView t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_gpsview.moc"
