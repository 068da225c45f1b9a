#include "register/documentfolders.h"

#include "core/ids.h"
#include "db/qssql.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

FolderOpener &customOpener()
{
    static FolderOpener opener;
    return opener;
}

void platformOpen(const QString &path)
{
#ifdef Q_OS_WIN
    if (QProcess::startDetached(QStringLiteral("explorer"), explorerArguments(path)))
        return;
#endif
    QDesktopServices::openUrl(folderUrlToOpen(path));
}


QString enterpriseNameById(const QVariant &podnikId, bool *found)
{
    *found = false;
    if (!isValidId(podnikId))
        return QString();
    QSSQL q;
    q.prepare(QStringLiteral("select podnik_nazev from tellmark_podniky where id=?"));
    q.addBindValue(podnikId.toLongLong());
    if (!q.exec() || !q.next())
        return QString();
    *found = true;
    return q.value(0).toString();
}

} // namespace

void normaliseCompanyName(QString &text)
{
    // The rules are fixed; the expressions are built once and reused. In the
    // suffix expressions the dot is the any-character wildcard on purpose, so
    // that "a,s" or "s r o" at the end of a name go too.
    static const QRegularExpression blanks(QStringLiteral("  +"));
    static const QRegularExpression forbidden(QStringLiteral("[/:*?\"<>|]"));
    static const QRegularExpression endAs(QStringLiteral(" a.\\s*s.\\s*$"));
    static const QRegularExpression endSro(QStringLiteral(" s.\\s*r.\\s*o.\\s*$"));
    static const QRegularExpression endSpol(QStringLiteral(" spol.$"));
    static const QRegularExpression endDot(QStringLiteral("\\.\\s*$"));
    static const QRegularExpression endComma(QStringLiteral("\\,\\s*$"));
    static const char *const legalForms[] = {
        "( spol. s.r.o.)", "( spol. s r.o.)", "s r.o.", "s r. o", "s.r.o.", "s.r.o",
        "spol.", "( a.s.)", "a.d.", "a.s.", "a. s.", "a. s", "v. o.s", "s.p.", "v. v. i",
    };

    text = text.trimmed();
    text.replace(blanks, QStringLiteral(" "));
    text.remove(forbidden);
    for (const char *form : legalForms)
        text.remove(QString::fromUtf8(form), Qt::CaseSensitive);
    text.remove(endAs);
    text.remove(endSro);
    text.remove(endSpol);
    text.remove(endDot);
    text.remove(endComma);
    text.remove(endDot);
    text = text.simplified();
}

QString normalisedCompanyName(const QString &name)
{
    QString text = name;
    normaliseCompanyName(text);
    return text;
}

QString enterpriseFolderPath(const QString &root, const QString &enterpriseName)
{
    return root + QStringLiteral("/ZRN/") + normalisedCompanyName(enterpriseName);
}

QStringList explorerArguments(const QString &path)
{
    QStringList args;
    if (!QFileInfo(path).isDir())
        args << QStringLiteral("/select,");
    args << QDir::toNativeSeparators(path);
    return args;
}

QUrl folderUrlToOpen(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QUrl::fromLocalFile(info.absoluteFilePath());
    return QUrl::fromLocalFile(info.absolutePath());
}

void openInExplorer(const QString &path)
{
    if (customOpener())
        customOpener()(path);
    else
        platformOpen(path);
}

void setFolderOpener(FolderOpener opener)
{
    customOpener() = std::move(opener);
}

QString enterpriseFolderFor(const QVariant &podnikId, const QString &root)
{
    bool found = false;
    const QString name = enterpriseNameById(podnikId, &found);
    return found ? enterpriseFolderPath(root, name) : QString();
}

QString centreFolderFor(const QVariant &strediskoId, const QString &root)
{
    if (!isValidId(strediskoId))
        return QString();
    QSSQL q;
    q.prepare(QStringLiteral("select id_podnik from tellmark_strediska where id=?"));
    q.addBindValue(strediskoId.toLongLong());
    if (!q.exec() || !q.next())
        return QString();
    return enterpriseFolderFor(q.value(0), root);
}

bool openEnterpriseFolder(const QVariant &podnikId, const QString &root)
{
    const QString path = enterpriseFolderFor(podnikId, root);
    if (path.isEmpty())
        return false;
    openInExplorer(path);
    return true;
}

bool openCentreFolder(const QVariant &strediskoId, const QString &root)
{
    const QString path = centreFolderFor(strediskoId, root);
    if (path.isEmpty())
        return false;
    openInExplorer(path);
    return true;
}
