// The GPS page's map in a real web view (needs Xvfb): "Google" asks the configured map service for
// the coordinates as typed, the address line follows the view, and loading a row blanks the map.

#include "support/httpstub.h"

#include "core/session.h"
#include "db/servicekeys.h"
#include "register/gpspage.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QSettings>
#include <QWebEngineView>
#include <QtTest>

#include "support/testmain.h"

class TestGpsView : public QObject
{
    Q_OBJECT

private slots:
    void googleShowsTheMapAndAddressFollows()
    {
        // A map service configured under a path, with a trailing slash.
        HttpStub stub;
        QVERIFY(stub.listen());
        stub.on(QStringLiteral("/gis/maps"), HttpStub::data("<html><body>mapa</body></html>", "text/html"));
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"))
            .setValue(ServiceKeys::WebMap, stub.url(QStringLiteral("/gis/")).toString());

        Session session;
        GpsPage page(&session);
        page.resize(800, 600);
        page.show();
        page.loadFrom(TreeRow::centre(50), QStringLiteral("49.5, 15.25"));
        auto *address = page.findChild<QLineEdit *>(QStringLiteral("gps_url"));
        QCOMPARE(address->text(), QStringLiteral("about:blank"));
        QVERIFY(!page.findChild<QWebEngineView *>());

        page.findChild<QAbstractButton *>(QStringLiteral("gps_show_google"))->click();
        auto *view = page.findChild<QWebEngineView *>(QStringLiteral("wvgps"));
        QVERIFY(view);
        QTRY_VERIFY_WITH_TIMEOUT(stub.requestCount() > 0, 30000);
        QCOMPARE(stub.requests().first().path, QStringLiteral("/gis/maps"));
        QCOMPARE(stub.requests().first().query, QByteArray("q=49.5,%2015.25&ll=49.5,%2015.25&z=12&t=m"));
        // The read-only address line shows where the view is.
        const QString map = stub.url(QStringLiteral("/gis/maps")).toString();
        QTRY_VERIFY_WITH_TIMEOUT(address->text().startsWith(map), 30000);
        QCOMPARE(address->text(), view->url().toString());
        QCOMPARE(view->url().toString(QUrl::FullyEncoded), map + "?q=49.5,%2015.25&ll=49.5,%2015.25&z=12&t=m");
        QVERIFY(address->isReadOnly());
        // A newly loaded row blanks the map; it is not loaded again by itself.
        const int asked = stub.requestCount();
        page.loadFrom(TreeRow::centre(50), QString());
        QTRY_COMPARE_WITH_TIMEOUT(address->text(), QStringLiteral("about:blank"), 30000);
        QCOMPARE(stub.requestCount(), asked);
        // Empty coordinates ask for an empty place.
        QCOMPARE(page.mapUrl().toString(), map + "?q=&ll=&z=12&t=m");
    }
};

ZRN_TEST_MAIN(TestGpsView)
#include "tst_gpsview.moc"
