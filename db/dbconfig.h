#pragma once

#include <QString>

class QSettings;

// Keys of the connection settings; the same keys are read from the user's
// settings file and, as a fallback, from the system-wide one.
namespace DbKeys {
inline const QString Driver = QStringLiteral("database/driver");
inline const QString Path = QStringLiteral("database/path");
inline const QString Host = QStringLiteral("database/host");
inline const QString Port = QStringLiteral("database/port");
inline const QString Name = QStringLiteral("database/name");
inline const QString User = QStringLiteral("database/user");
inline const QString Password = QStringLiteral("database/password");
inline const QString Socket = QStringLiteral("database/socket");
// Seconds a statement may wait for the server's answer.
inline const QString ReadTimeout = QStringLiteral("database/read_timeout");
}

// Where the central database is and how to reach it.
struct DbConfig {
    enum Driver { SQLite, MySQL };

    Driver driver = SQLite;
    QString path;             // SQLite file of the main schema
    QString host;
    int port = 3306;
    QString name = QStringLiteral("zrn");
    QString user;
    QString password;
    QString socket;           // optional Unix socket of the MySQL server
    int connectTimeoutSec = 5;
    // How long the client waits for the answer to a statement; a read cut
    // off by it is not run again (see QSSQL).
    int readTimeoutSec = 30;
    // Set when a key holds a value the program cannot use (an unknown
    // driver): the message names the key and the value; nothing is opened.
    QString error;

    // Reads the keys from an open settings object; missing or malformed
    // values fall back to the defaults, except the driver: only an empty
    // value, "sqlite", "mysql" and "mariadb" are accepted (a typing error
    // must not silently open another database).
    static DbConfig fromSettings(QSettings &settings);
    // The program's own configuration: the file named by configFile, or the
    // user-scope INI (organisation "Korbanit", application "ZRN") with the
    // system-scope file as fallback when configFile is empty.
    static DbConfig load(const QString &configFile = QString());

    static QString defaultSqlitePath();
    // Whether this is the embedded database file the program uses when
    // nothing is configured (the only one that gets demo data).
    bool isDefaultEmbedded() const;
    // The second schema ("qml") of an SQLite database lives in its own file
    // beside the main one.
    QString qmlSqlitePath() const;
    // Human-readable name of the server or file, for messages.
    QString describe() const;
};
