#include "app/startup.h"

#include "db/database.h"
#include "db/dbconfig.h"
#include "db/qssql.h"
#include "schema/eventlog.h"
#include "schema/schema.h"
#include "tools/demodata/demodata.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Startup {

bool applyCzechLocale()
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    auto *app = QCoreApplication::instance();
    if (!app)
        return false;
    // Installed once per process: a second call finds it already there.
    static QTranslator *qt = nullptr;
    if (qt)
        return true;
    auto *translator = new QTranslator(app);
    const QString dir = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (!translator->load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"), dir)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    qt = translator;
    return true;
}

QString programPath()
{
    return QCoreApplication::applicationFilePath();
}

bool openDatabase(const DbConfig &cfg, QString *error)
{
    if (!Database::open(cfg, error, Database::CreateEmpty))
        return false;
    if (!Database::createdFile()) {
        // An embedded file of an older version gets the change history; a
        // server's schema is left to "zrnctl init" (the program's account
        // may lack the right to create tables). Without it saves still work.
        QString ignored;
        if (Database::isSqlite())
            Schema::ensureExtras(&ignored);
        else
            // Filling the event search of a large log takes minutes: the
            // lists do without it (and say so) until "zrnctl init" has run.
            Schema::checkEventLogSearch();
        return true;
    }

    QString why;
    auto fail = [&](const QString &what) {
        if (error)
            *error = QStringLiteral("Databázi %1 nelze založit: %2 %3").arg(cfg.describe(), what, why);
        Database::close();
        QFile::remove(cfg.path);
        QFile::remove(cfg.qmlSqlitePath());
        return false;
    };
    if (!Schema::create(&why))
        return fail(QStringLiteral("schéma nelze vytvořit:"));
    // Only the file a newcomer starts with gets the demo enterprises and the
    // full-rights demo account; a file configured by someone stays empty.
    if (cfg.isDefaultEmbedded()) {
        DemoOptions demo;
        if (!DemoData::seed(demo, &why))
            return fail(QStringLiteral("ukázková data nelze vložit:"));
    }
    return true;
}

QString firstUserNotice()
{
    QSSQL q;
    if (!q.exec(QStringLiteral("select count(*) from www_users")) || !q.next() || q.value(0).toInt() > 0)
        return QString();
    return QStringLiteral(
               "V databázi %1 zatím není žádný uživatel.\n\n"
               "Prvního uživatele přidejte příkazem (heslo se zadá na vstupu):\n"
               "    zrnctl user add LOGIN --admin 1 --os 2 --udalosti 2")
        .arg(Database::config().describe());
}

} // namespace Startup
