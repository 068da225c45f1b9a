#include "support/testmain.h"

#include "app/startup.h"

#include <QDir>
#include <QTemporaryDir>

namespace {
QString g_originalConfigHome;
QString g_home;
}

namespace TestMain {

void isolate()
{
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    g_originalConfigHome = config.isEmpty() ? QDir::homePath() + QStringLiteral("/.config")
                                            : QString::fromLocal8Bit(config);
    // Lives until the process ends; removed with everything in it then.
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/zrn-test-XXXXXX"));
    if (!dir.isValid())
        qFatal("no temporary folder for the test's settings");
    g_home = dir.path();
    for (const char *sub : {"config", "data", "cache", "run", "home"})
        QDir(g_home).mkpath(QLatin1String(sub));
    QFile::setPermissions(g_home + QStringLiteral("/run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(g_home + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(g_home + QStringLiteral("/data")));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(g_home + QStringLiteral("/cache")));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(g_home + QStringLiteral("/run")));
    qputenv("HOME", QFile::encodeName(g_home + QStringLiteral("/home")));
}

QString originalConfigHome()
{
    return g_originalConfigHome;
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
