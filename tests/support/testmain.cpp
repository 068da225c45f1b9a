#include "support/testmain.h"

#include "app/startup.h"

#include <QDir>
#include <QTemporaryDir>

namespace {
QString g_home;
}

namespace TestMain {

void isolate()
{
    // Lives until the process ends; removed with everything in it then.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zrn-test-XXXXXX"));
    if (!dir.isValid())
        qFatal("no temporary folder for the test's settings");
    g_home = dir.path();
    const char *const homes[][2] = {{"XDG_CONFIG_HOME", "config"}, {"XDG_DATA_HOME", "data"},
                                    {"XDG_CACHE_HOME", "cache"}, {"XDG_RUNTIME_DIR", "run"}, {"HOME", "home"}};
    for (const auto &h : homes) {
        QDir(g_home).mkpath(QLatin1String(h[1]));
        qputenv(h[0], QFile::encodeName(g_home + QLatin1Char('/') + QLatin1String(h[1])));
    }
    QFile::setPermissions(g_home + QStringLiteral("/run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

QString home()
{
    return g_home;
}

void setUpApplication()
{
    Startup::applyCzechLocale();
}

} // namespace TestMain
