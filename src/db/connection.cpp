#include "connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tavorin::db {

namespace {
// SQLite's primary result codes for a file another connection has locked.
constexpr int sqliteBusy = 5;
constexpr int sqliteLocked = 6;
} // namespace

Result Result::failure(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff; // extended codes keep the primary one below
    Result r = failure(error.text(), code == sqliteBusy || code == sqliteLocked);
    // PostgreSQL's codes of a transaction given up for another one: serialization failure, deadlock, and
    // a unique row another transaction stored first.
    const QString state = error.nativeErrorCode();
    r.retryable = state == QLatin1String("40001") || state == QLatin1String("40P01") || state == QLatin1String("23505");
    if (state == QLatin1String("42501")) // insufficient privilege: a user who may only read
        r.error = QString::fromUtf8("Dieser Benutzer darf die Liga auf dem Liga-Server nicht \u00e4ndern.\n") + r.error;
    return r;
}

Result run(QSqlQuery& query, const Bindings& values) {
    for (const auto& [name, value] : values)
        query.bindValue(name, value);
    return query.exec() ? Result() : Result::failure(query.lastError());
}

Result exec(QSqlQuery& query, const QString& sql, const Bindings& values) {
    if (!query.prepare(sql))
        return Result::failure(query.lastError());
    return run(query, values);
}

QVariant Row::value(const char* column) const {
    for (const auto& [name, index] : indexes) {
        if (name == column)
            return query.value(index);
    }
    const int index = query.record().indexOf(QLatin1StringView(column));
    indexes.append({column, index});
    return query.value(index);
}

QVariant Row::value(int index) const {
    return query.value(index);
}

} // namespace tavorin::db
