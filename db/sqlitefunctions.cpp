// MySQL functions used by the program's statements, registered on the
// embedded SQLite connection so the same statement text runs on both.

#include "db/database.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QStringList>
#include <QString>

#include <sqlite3.h>

#include <cstdlib>
#include <cstring>

namespace {

QString argText(sqlite3_value *v)
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
    return p ? QString::fromUtf8(p, sqlite3_value_bytes(v)) : QString();
}

void resultText(sqlite3_context *ctx, const QString &s)
{
    const QByteArray b = s.toUtf8();
    sqlite3_result_text(ctx, b.constData(), b.size(), SQLITE_TRANSIENT);
}

// MySQL's truth of a value: NULL and zero are false, text counts by its
// leading number ("1abc" is true, "abc" is false).
bool mysqlTruth(sqlite3_value *v)
{
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return false;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(v) != 0;
    case SQLITE_FLOAT:
        return sqlite3_value_double(v) != 0.0;
    default: {
        const auto *p = reinterpret_cast<const char *>(sqlite3_value_text(v));
        return p && std::strtod(p, nullptr) != 0.0;
    }
    }
}

// IF(cond, then, else)
void fnIf(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    sqlite3_result_value(ctx, mysqlTruth(argv[0]) ? argv[1] : argv[2]);
}

// FIND_IN_SET(str, list): 1-based position of str in the comma-separated
// list, 0 when absent or the list is empty, NULL when either is NULL.
// Compared case-insensitively like MySQL's default collation.
void fnFindInSet(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString needle = argText(argv[0]);
    const QString list = argText(argv[1]);
    if (list.isEmpty() || needle.contains(QLatin1Char(','))) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    const QVector<QStringRef> parts = list.splitRef(QLatin1Char(','));
    for (int i = 0; i < parts.size(); ++i) {
        if (parts.at(i).compare(needle, Qt::CaseInsensitive) == 0) {
            sqlite3_result_int(ctx, i + 1);
            return;
        }
    }
    sqlite3_result_int(ctx, 0);
}

// LPAD(str, len, pad): str left-padded with pad to len characters, or cut
// to len characters when longer; NULL for a NULL argument, a negative
// length, or padding needed with an empty pad.
void fnLpad(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    for (int i = 0; i < 3; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    const QString str = argText(argv[0]);
    const sqlite3_int64 len = sqlite3_value_int64(argv[1]);
    const QString pad = argText(argv[2]);
    if (len < 0 || len > 16 * 1024 * 1024) {
        sqlite3_result_null(ctx);
        return;
    }
    const QVector<uint> chars = str.toUcs4();
    if (chars.size() >= len) {
        resultText(ctx, QString::fromUcs4(chars.constData(), int(len)));
        return;
    }
    const QVector<uint> padChars = pad.toUcs4();
    if (padChars.isEmpty()) {
        sqlite3_result_null(ctx);
        return;
    }
    QVector<uint> out;
    out.reserve(int(len));
    const int need = int(len) - chars.size();
    for (int i = 0; i < need; ++i)
        out.append(padChars.at(i % padChars.size()));
    out += chars;
    resultText(ctx, QString::fromUcs4(out.constData(), out.size()));
}

// CONCAT(a, b, ...): NULL when any argument is NULL.
void fnConcat(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    QString out;
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
        out += argText(argv[i]);
    }
    resultText(ctx, out);
}

// CONCAT_WS(sep, a, b, ...): NULL arguments are skipped.
void fnConcatWs(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (argc < 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString sep = argText(argv[0]);
    QStringList parts;
    for (int i = 1; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) != SQLITE_NULL)
            parts << argText(argv[i]);
    }
    resultText(ctx, parts.join(sep));
}

void fnNow(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

void fnCurdate(sqlite3_context *ctx, int, sqlite3_value **)
{
    resultText(ctx, QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

// REGEXP_REPLACE(subject, pattern, replacement): every match replaced, as
// MariaDB's (PCRE) does; the patterns are few and compiled once.
void fnRegexpReplace(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    for (int i = 0; i < 3; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    }
    thread_local QHash<QString, QRegularExpression> cache;
    const QString pattern = argText(argv[1]);
    auto it = cache.find(pattern);
    if (it == cache.end())
        it = cache.insert(pattern, QRegularExpression(pattern));
    if (!it->isValid()) {
        sqlite3_result_error(ctx, "regexp_replace: invalid pattern", -1);
        return;
    }
    QString subject = argText(argv[0]);
    resultText(ctx, subject.replace(*it, argText(argv[2])));
}

struct FunctionDef {
    const char *name;
    int argc;
    void (*fn)(sqlite3_context *, int, sqlite3_value **);
    bool deterministic;
};

const FunctionDef kFunctions[] = {
    {"if", 3, fnIf, true},
    {"find_in_set", 2, fnFindInSet, true},
    {"lpad", 3, fnLpad, true},
    {"concat", -1, fnConcat, true},
    {"concat_ws", -1, fnConcatWs, true},
    {"now", 0, fnNow, false},
    {"curdate", 0, fnCurdate, false},
    {"regexp_replace", 3, fnRegexpReplace, true},
};

} // namespace

bool registerMysqlFunctions(QSqlDatabase &db, QString *error)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0) {
        if (error)
            *error = QCoreApplication::translate("Database", "Spojení není databází SQLite.");
        return false;
    }
    sqlite3 *h = *static_cast<sqlite3 *const *>(handle.data());
    if (!h) {
        if (error)
            *error = QCoreApplication::translate("Database", "Spojení SQLite není otevřené.");
        return false;
    }
    for (const FunctionDef &f : kFunctions) {
        const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
        const int rc = sqlite3_create_function_v2(h, f.name, f.argc, flags, nullptr, f.fn, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            if (error)
                *error = QCoreApplication::translate("Database", "Funkci %1 nelze zaregistrovat: %2")
                             .arg(QLatin1String(f.name), QString::fromUtf8(sqlite3_errmsg(h)));
            return false;
        }
    }
    return true;
}
