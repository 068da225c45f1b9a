#include "db/dbconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
QString textValue(QSettings &s, const QString &key, const QString &def = QString())
{
    const QVariant v = s.value(key);
    if (!v.isValid() || v.type() == QVariant::List || v.type() == QVariant::StringList)
        return def;
    const QString t = v.toString().trimmed();
    return t.isEmpty() ? def : t;
}
}

DbConfig DbConfig::fromSettings(QSettings &s)
{
    DbConfig c;
    const QString drv = textValue(s, DbKeys::Driver, QStringLiteral("sqlite")).toLower();
    if (drv == QLatin1String("mysql") || drv == QLatin1String("mariadb")) {
        c.driver = MySQL;
    } else if (drv == QLatin1String("sqlite")) {
        c.driver = SQLite;
    } else {
        c.driver = SQLite;
        c.error = QCoreApplication::translate("DbConfig", "Neplatné nastavení %1=%2 v souboru %3: povolené hodnoty jsou sqlite, mysql "
                                 "a mariadb (prázdná hodnota znamená sqlite).")
                      .arg(DbKeys::Driver, s.value(DbKeys::Driver).toString(),
                           QDir::toNativeSeparators(s.fileName()));
    }
    c.path = textValue(s, DbKeys::Path, defaultSqlitePath());
    c.host = textValue(s, DbKeys::Host, QStringLiteral("localhost"));
    bool ok = false;
    const int port = textValue(s, DbKeys::Port).toInt(&ok);
    c.port = (ok && port > 0 && port < 65536) ? port : 3306;
    c.name = textValue(s, DbKeys::Name, QStringLiteral("zrn"));
    c.user = textValue(s, DbKeys::User);
    c.password = s.value(DbKeys::Password).toString();
    c.socket = textValue(s, DbKeys::Socket);
    const int readTimeout = textValue(s, DbKeys::ReadTimeout).toInt(&ok);
    if (ok && readTimeout > 0)
        c.readTimeoutSec = readTimeout;
    return c;
}

DbConfig DbConfig::load(const QString &configFile)
{
    if (!configFile.isEmpty()) {
        QSettings s(configFile, QSettings::IniFormat);
        return fromSettings(s);
    }
    QSettings s(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Korbanit"), QStringLiteral("ZRN"));
    return fromSettings(s);
}

QString DbConfig::defaultSqlitePath()
{
    // Not QStandardPaths::AppDataLocation: that depends on the names the
    // running executable gave its application object, and zrnctl must find
    // the same file as the program.
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::homePath();
    return QDir(base).filePath(QStringLiteral("Korbanit/ZRN/zrn.sqlite"));
}

bool DbConfig::isDefaultEmbedded() const
{
    return driver == SQLite
        && QFileInfo(path).absoluteFilePath() == QFileInfo(defaultSqlitePath()).absoluteFilePath();
}

QString DbConfig::qmlSqlitePath() const
{
    const QFileInfo fi(path);
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral("-qml.sqlite"));
}

QString DbConfig::describe() const
{
    if (driver == SQLite)
        return QStringLiteral("SQLite %1").arg(QDir::toNativeSeparators(path));
    if (!socket.isEmpty())
        return QStringLiteral("MySQL %1 (%2)").arg(name, socket);
    return QStringLiteral("MySQL %1:%2/%3").arg(host).arg(port).arg(name);
}
