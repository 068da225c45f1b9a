#include "app/mainwindow.h"
#include "app/selfupdate.h"
#include "app/startup.h"
#include "db/database.h"
#include "db/dbconfig.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QTextCodec>

int main(int argc, char *argv[])
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    // The web views share GL contexts; must be set before the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korbanit"));
    QCoreApplication::setApplicationName(QStringLiteral("ZRN"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZRN_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pics/zrn.png")));
    // The language of every text, before any window is built.
    Startup::applyStoredLanguage();

    QString error;
    if (!Startup::openDatabase(DbConfig::load(), &error)) {
        QMessageBox::critical(nullptr, QObject::tr("ZRN"),
                              QObject::tr("Databázi nelze otevřít.") + QLatin1Char('\n') + error,
                              QMessageBox::Ok);
        return 1;
    }

    const QString programPath = Startup::programPath();
    int code;
    {
        // A refused login or the update path leave the window unstarted; it
        // is then never shown and the process ends with its code.
        MainWindow::StartOptions options;
        options.updateCheck = [](MainWindow &w) { return SelfUpdate(w.programPath(), w.api()).runAtStart(); };
        MainWindow window(programPath, options);
        if (!window.isStarted())
            return window.exitCode();
        window.show();
        code = app.exec();
    }
    Database::close();
    return code;
}
