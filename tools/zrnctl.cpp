// zrnctl - command-line companion of ZRN: creates the schema, fills demo
// data and maintains users, on the database the program itself is
// configured for (or the one named with --config).
//
// Exit codes: 0 done, 1 wrong use (arguments, password input), 2 the
// database refused or could not be reached.

#include "db/database.h"
#include "db/dbconfig.h"
#include "tools/demodata/demodata.h"
#include "db/users.h"
#include "schema/schema.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QMap>
#include <QSet>
#include <QTextStream>

#include <cstdio>
#include <iostream>
#include <string>

#ifdef Q_OS_UNIX
#include <termios.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace {

enum ExitCode { ExitOk = 0, ExitUsage = 1, ExitDatabase = 2 };

QTextStream &err()
{
    static QTextStream s(stderr);
    return s;
}

QTextStream &out()
{
    static QTextStream s(stdout);
    return s;
}

int usage(const QString &message)
{
    err() << "zrnctl: " << message << "\n"
          << "Try 'zrnctl --help'.\n";
    err().flush();
    return ExitUsage;
}

int dbFailure(const QString &message)
{
    err() << "zrnctl: " << message << "\n";
    err().flush();
    return ExitDatabase;
}

bool stdinIsTerminal()
{
#ifdef Q_OS_UNIX
    return isatty(STDIN_FILENO);
#elif defined(Q_OS_WIN)
    return _isatty(_fileno(stdin));
#else
    return false;
#endif
}

// Echo of the terminal off while the object lives.
class NoEcho
{
public:
    NoEcho()
    {
#ifdef Q_OS_UNIX
        if (tcgetattr(STDIN_FILENO, &m_old) == 0) {
            termios t = m_old;
            t.c_lflag &= ~tcflag_t(ECHO);
            m_active = tcsetattr(STDIN_FILENO, TCSAFLUSH, &t) == 0;
        }
#elif defined(Q_OS_WIN)
        m_handle = GetStdHandle(STD_INPUT_HANDLE);
        if (GetConsoleMode(m_handle, &m_old))
            m_active = SetConsoleMode(m_handle, m_old & ~DWORD(ENABLE_ECHO_INPUT));
#endif
    }
    ~NoEcho()
    {
        if (!m_active)
            return;
#ifdef Q_OS_UNIX
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_old);
#elif defined(Q_OS_WIN)
        SetConsoleMode(m_handle, m_old);
#endif
    }
    NoEcho(const NoEcho &) = delete;
    NoEcho &operator=(const NoEcho &) = delete;

private:
    bool m_active = false;
#ifdef Q_OS_UNIX
    termios m_old{};
#elif defined(Q_OS_WIN)
    HANDLE m_handle = nullptr;
    DWORD m_old = 0;
#endif
};

bool readLine(QString *line)
{
    std::string s;
    if (!std::getline(std::cin, s))
        return false;
    while (!s.empty() && (s.back() == '\r' || s.back() == '\n'))
        s.pop_back();
    *line = QString::fromUtf8(s.data(), int(s.size()));
    return true;
}

// The new password: one line of standard input. On a terminal it is asked
// for twice without echo.
bool readPassword(QString *password, QString *error)
{
    if (!stdinIsTerminal()) {
        if (!readLine(password)) {
            *error = QStringLiteral("no password on standard input");
            return false;
        }
    } else {
        QString again;
        {
            NoEcho quiet;
            err() << "Password: ";
            err().flush();
            const bool first = readLine(password);
            err() << "\nPassword again: ";
            err().flush();
            const bool second = first && readLine(&again);
            err() << "\n";
            err().flush();
            if (!second) {
                *error = QStringLiteral("no password entered");
                return false;
            }
        }
        if (*password != again) {
            *error = QStringLiteral("the passwords differ");
            return false;
        }
    }
    if (password->isEmpty()) {
        *error = QStringLiteral("an empty password is not accepted");
        return false;
    }
    return true;
}

bool intOption(const QCommandLineParser &p, const QString &name, int *value, QString *error)
{
    if (!p.isSet(name))
        return true;
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (!ok || v < 0) {
        *error = QStringLiteral("--%1 needs a number 0 or greater, not \"%2\"").arg(name, p.value(name));
        return false;
    }
    *value = v;
    return true;
}

bool openDatabase(const DbConfig &cfg, Database::OpenMode mode, QString *error)
{
    return Database::open(cfg, error, mode);
}

int cmdInit(const DbConfig &cfg)
{
    QString error;
    if (!openDatabase(cfg, Database::CreateEmpty, &error))
        return dbFailure(error);
    const bool had = Schema::exists();
    if (!Schema::create(&error))
        return dbFailure(QStringLiteral("creating the schema failed: ") + error);
    out() << (had ? "Schema up to date: " : "Schema created: ") << cfg.describe() << "\n";
    return ExitOk;
}

int cmdSeed(const DbConfig &cfg, const QCommandLineParser &p)
{
    DemoOptions options;
    QString error;
    int seed = int(options.seed);
    if (!intOption(p, QStringLiteral("seed"), &seed, &error)
        || !intOption(p, QStringLiteral("enterprises"), &options.enterprises, &error)
        || !intOption(p, QStringLiteral("events"), &options.events, &error)
        || !intOption(p, QStringLiteral("attachments"), &options.attachments, &error))
        return usage(error);
    if (options.enterprises > DemoData::MaxEnterprises)
        return usage(QStringLiteral("--enterprises can be at most %1: beyond that the generator runs out of "
                                    "unique identification numbers").arg(DemoData::MaxEnterprises));
    options.seed = quint32(seed);
    if (!openDatabase(cfg, Database::CreateEmpty, &error))
        return dbFailure(error);
    if (!Schema::create(&error))
        return dbFailure(QStringLiteral("creating the schema failed: ") + error);
    if (!DemoData::seed(options, &error))
        return dbFailure(QStringLiteral("demo data: ") + error);
    out() << "Demo data written: " << cfg.describe() << "\n";
    return ExitOk;
}

int cmdUserAdd(const DbConfig &cfg, const QCommandLineParser &p, const QString &login)
{
    UserFlags f;
    QString error;
    const QMap<QString, int *> levels = {
        {QStringLiteral("admin"), &f.admin},       {QStringLiteral("os"), &f.os},
        {QStringLiteral("vp"), &f.vp},             {QStringLiteral("udalosti"), &f.udalosti},
        {QStringLiteral("sestavy"), &f.sestavy},   {QStringLiteral("fakturace"), &f.fakturace},
        {QStringLiteral("cp"), &f.cp},             {QStringLiteral("minimal"), &f.minimal},
        {QStringLiteral("acls"), &f.acls},         {QStringLiteral("pristupy"), &f.pristupy},
        {QStringLiteral("tech-read"), &f.stredisko_tech_cteni},
    };
    for (auto it = levels.cbegin(); it != levels.cend(); ++it) {
        if (!intOption(p, it.key(), it.value(), &error))
            return usage(error);
    }
    f.region = p.value(QStringLiteral("region")).trimmed();

    QString password;
    if (!readPassword(&password, &error))
        return usage(error);
    if (!openDatabase(cfg, Database::MustExist, &error))
        return dbFailure(error);
    int id = 0;
    if (!Users::createUser(login, password, f, &error, &id))
        return dbFailure(error);
    out() << "User " << login << " added (id " << id << ").\n";
    return ExitOk;
}

int cmdUserPasswd(const DbConfig &cfg, const QString &login)
{
    QString error;
    QString password;
    if (!readPassword(&password, &error))
        return usage(error);
    if (!openDatabase(cfg, Database::MustExist, &error))
        return dbFailure(error);
    if (!Users::setPassword(login, password, &error))
        return dbFailure(error);
    out() << "Password of " << login << " changed.\n";
    return ExitOk;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Korbanit"));
    QCoreApplication::setApplicationName(QStringLiteral("ZRN"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZRN_VERSION));

    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Command-line companion of ZRN.\n\n"
        "Commands:\n"
        "  init                 create the tables and indexes that are missing, also the\n"
        "                       change history on an existing database (never drops or\n"
        "                       alters anything)\n"
        "  seed                 fill demo data (--seed, --enterprises, --events, --attachments)\n"
        "  user add LOGIN       add a user; the password is read from standard input\n"
        "  user passwd LOGIN    set a new password, read from standard input\n\n"
        "Exit codes: 0 done, 1 wrong use, 2 database error."));
    p.addHelpOption();
    p.addVersionOption();
    p.addOption({QStringLiteral("config"), QStringLiteral("Settings file with the database keys (default: the program's own)."), QStringLiteral("FILE")});
    p.addOption({QStringLiteral("seed"), QStringLiteral("seed: random seed."), QStringLiteral("N")});
    p.addOption({QStringLiteral("enterprises"), QStringLiteral("seed: number of enterprises."), QStringLiteral("N")});
    p.addOption({QStringLiteral("events"), QStringLiteral("seed: number of events."), QStringLiteral("N")});
    p.addOption({QStringLiteral("attachments"), QStringLiteral("seed: number of attachments."), QStringLiteral("N")});
    const QStringList rights = {QStringLiteral("admin"), QStringLiteral("os"), QStringLiteral("vp"),
                                QStringLiteral("udalosti"), QStringLiteral("sestavy"), QStringLiteral("fakturace"),
                                QStringLiteral("cp"), QStringLiteral("minimal"), QStringLiteral("acls"),
                                QStringLiteral("pristupy"), QStringLiteral("tech-read")};
    for (const QString &r : rights)
        p.addOption({r, QStringLiteral("user add: right %1.").arg(r == QLatin1String("tech-read") ? QStringLiteral("stredisko_tech_cteni") : r), QStringLiteral("N")});
    p.addOption({QStringLiteral("region"), QStringLiteral("user add: region code restricting the user."), QStringLiteral("R")});
    p.addPositionalArgument(QStringLiteral("command"), QStringLiteral("init | seed | user add LOGIN | user passwd LOGIN"));

    if (!p.parse(QCoreApplication::arguments()))
        return usage(p.errorText());
    if (p.isSet(QStringLiteral("help"))) {
        out() << p.helpText();
        return ExitOk;
    }
    if (p.isSet(QStringLiteral("version"))) {
        out() << "zrnctl " << QCoreApplication::applicationVersion() << "\n";
        return ExitOk;
    }

    const QStringList args = p.positionalArguments();
    if (args.isEmpty())
        return usage(QStringLiteral("no command given"));
    const QString cmd = args.first();

    // Options that belong to another command are a mistake worth telling.
    QSet<QString> allowed = {QStringLiteral("config")};
    if (cmd == QLatin1String("seed"))
        allowed += {QStringLiteral("seed"), QStringLiteral("enterprises"), QStringLiteral("events"), QStringLiteral("attachments")};
    else if (cmd == QLatin1String("user") && args.value(1) == QLatin1String("add"))
        allowed += QSet<QString>(rights.cbegin(), rights.cend()) + QSet<QString>{QStringLiteral("region")};
    for (const QString &name : p.optionNames()) {
        if (!allowed.contains(name))
            return usage(QStringLiteral("option --%1 does not belong to \"%2\"").arg(name, cmd));
    }

    const DbConfig cfg = DbConfig::load(p.value(QStringLiteral("config")));

    if (cmd == QLatin1String("init")) {
        if (args.size() != 1)
            return usage(QStringLiteral("init takes no arguments"));
        return cmdInit(cfg);
    }
    if (cmd == QLatin1String("seed")) {
        if (args.size() != 1)
            return usage(QStringLiteral("seed takes no arguments"));
        return cmdSeed(cfg, p);
    }
    if (cmd == QLatin1String("user")) {
        const QString sub = args.value(1);
        if (args.size() != 3 || (sub != QLatin1String("add") && sub != QLatin1String("passwd")))
            return usage(QStringLiteral("use \"user add LOGIN\" or \"user passwd LOGIN\""));
        const QString login = args.at(2).trimmed();
        if (login.isEmpty())
            return usage(QStringLiteral("the login must not be empty"));
        return sub == QLatin1String("add") ? cmdUserAdd(cfg, p, login) : cmdUserPasswd(cfg, login);
    }
    return usage(QStringLiteral("unknown command \"%1\"").arg(cmd));
}
