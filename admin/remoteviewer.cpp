#include "admin/remoteviewer.h"

#include "db/servicehttp.h"
#include "db/servicekeys.h"

namespace RemoteViewer {

QString endpoint(const QString &setting)
{
    QString host = setting.trimmed();
    if (host.isEmpty())
        return QString();
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        const QString port = host.mid(colon + 1);
        bool number = false;
        port.toUShort(&number);
        if (number && !port.startsWith(QLatin1Char('+')))
            return host;
        if (port.isEmpty())
            host.chop(1);   // "host:" means the default port
    }
    return host + QLatin1Char(':') + QString::number(ServiceKeys::VncRepeaterPort);
}

QString repeaterEndpoint(int repeater)
{
    return endpoint(ServiceKeys::value(repeater == 2 ? ServiceKeys::VncRepeater2 : ServiceKeys::VncRepeater));
}

QStringList vncArguments(const QString &endpoint, const QString &id, const QString &password, Speed speed)
{
    QStringList a{QStringLiteral("-proxy"), endpoint, QStringLiteral("ID:") + id,
                  QStringLiteral("-dsmplugin"), QStringLiteral("SecureVNCPlugin.dsm"),
                  QStringLiteral("-password"), password, QStringLiteral("-quickoption")};
    switch (speed) {
    case Speed::Lan:
        a << QStringLiteral("2");
        break;
    case Speed::Medium:
        a << QStringLiteral("3");
        break;
    case Speed::Modem:
        a << QStringLiteral("4");
        break;
    }
    a << QStringLiteral("-compresslevel") << QStringLiteral("9") << QStringLiteral("-autoscaling")
      << QStringLiteral("-nocursorshape") << QStringLiteral("-normalcursor") << QStringLiteral("-shared")
      << QStringLiteral("-quality") << QStringLiteral("9");
    return a;
}

QStringList teamViewerArguments(const QString &id, const QString &password)
{
    return {QStringLiteral("-i"), id, QStringLiteral("--Password"), password};
}

int auditVncId(const QString &id)
{
    bool number = false;
    const int value = id.trimmed().toInt(&number);
    return number ? value : 0;
}

QUrl generatedIdUrl(const QString &setting)
{
    const QString server = setting.trimmed();
    if (server.isEmpty())
        return QUrl();
    // A bare host is asked over TLS; plain http only when spelled out.
    const QString base = server.contains(QLatin1String("://")) ? server : QStringLiteral("https://") + server;
    return ServiceHttp::join(base, QStringLiteral("generated_id.txt"));
}

} // namespace RemoteViewer
