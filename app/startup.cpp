#include "app/startup.h"

#include "core/settingskeys.h"
#include "core/usersettings.h"
#include "db/database.h"
#include "db/dbconfig.h"
#include "db/qssql.h"
#include "schema/eventlog.h"
#include "schema/schema.h"
#include "tools/demodata/demodata.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <functional>

// The translations are embedded in the library (outside any namespace, as
// Q_INIT_RESOURCE requires).
static void initTranslationResource()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(translations);
        return true;
    }();
    Q_UNUSED(done);
}

namespace Startup {

namespace {
// The translators installed by applyLanguage: Qt's own texts and the
// program's texts (none for Czech).
QTranslator *g_qtTexts = nullptr;
QTranslator *g_ownTexts = nullptr;

void drop(QTranslator *&translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}

// Loads and installs a translator; false (and nothing installed) when the
// file is missing.
bool install(QTranslator *&slot, const std::function<bool(QTranslator &)> &load)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!load(*translator)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    slot = translator;
    return true;
}

QString ownTranslation(const QString &language)
{
    initTranslationResource();
    return QStringLiteral(":/i18n/zrn_%1.qm").arg(language);
}
} // namespace

bool applyCzechLocale()
{
    return applyLanguage(QStringLiteral("cs"));
}

QString uiLanguage(const QString &setting, const QLocale &system)
{
    if (setting == QLatin1String("en"))
        return setting;
    if (setting == QLatin1String("system")) {
        const QString language = system.name().section(QLatin1Char('_'), 0, 0);
        if (language != QLatin1String("cs") && !language.isEmpty() && QFile::exists(ownTranslation(language)))
            return language;
    }
    return QStringLiteral("cs");
}

bool applyLanguage(const QString &setting, const QLocale &system)
{
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    if (!QCoreApplication::instance())
        return false;
    const QString language = uiLanguage(setting, system);
    drop(g_ownTexts);
    drop(g_qtTexts);
    const QString qtDir = QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    if (language == QLatin1String("cs")) {
        // The standard buttons ("Zrušit", "Ano", "Ne") when Qt's Czech texts are installed.
        return install(g_qtTexts, [&](QTranslator &t) {
            return t.load(QLocale(QLocale::Czech), QStringLiteral("qtbase"), QStringLiteral("_"), qtDir);
        });
    }
    const bool own = install(g_ownTexts, [&](QTranslator &t) { return t.load(ownTranslation(language)); });
    // Qt's texts are English already; other languages have their own file.
    if (language != QLatin1String("en"))
        install(g_qtTexts, [&](QTranslator &t) { return t.load(QStringLiteral("qtbase_") + language, qtDir); });
    return own;
}

bool applyStoredLanguage(const QLocale &system)
{
    // Read only when there is a file: the first start must find none.
    if (!QFileInfo::exists(ZrnSettings::path()))
        return applyLanguage(QString(), system);
    ZrnSettings settings;
    return applyLanguage(settings.textValue(SettingsKeys::UiLanguage), system);
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
        Schema::meetExisting();
        return true;
    }

    QString why;
    auto fail = [&](const QString &what) {
        if (error)
            *error = QCoreApplication::translate("Startup", "Databázi %1 nelze založit: %2 %3").arg(cfg.describe(), what, why);
        Database::close();
        QFile::remove(cfg.path);
        QFile::remove(cfg.qmlSqlitePath());
        return false;
    };
    if (!Schema::create(&why))
        return fail(QCoreApplication::translate("Startup", "schéma nelze vytvořit:"));
    // Only the file a newcomer starts with gets the demo enterprises and the
    // full-rights demo account; a file configured by someone stays empty.
    if (cfg.isDefaultEmbedded()) {
        DemoOptions demo;
        if (!DemoData::seed(demo, &why))
            return fail(QCoreApplication::translate("Startup", "ukázková data nelze vložit:"));
    }
    return true;
}

QString firstUserNotice()
{
    QSSQL q;
    if (!q.exec(QStringLiteral("select count(*) from www_users")) || !q.next() || q.value(0).toInt() > 0)
        return QString();
    return QCoreApplication::translate("Startup",
               "V databázi %1 zatím není žádný uživatel.\n\n"
               "Prvního uživatele přidejte příkazem (heslo se zadá na vstupu):\n"
               "    zrnctl user add LOGIN --admin 1 --os 2 --udalosti 2")
        .arg(Database::config().describe());
}

} // namespace Startup
