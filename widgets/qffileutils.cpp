#include "widgets/qffileutils.h"

#include <QDir>

QString QFFileUtils::osTempDir()
{
    QString dir = QDir::cleanPath(QDir::tempPath());
    // cleanPath keeps a lone root ("/", "C:/"); strip its separator only
    // when something is left, so the root stays usable.
    while (dir.size() > 1 && dir.endsWith(QLatin1Char('/')) && !dir.endsWith(QLatin1String(":/")))
        dir.chop(1);
    return dir;
}
