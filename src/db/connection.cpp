#include "connection.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace tavorin::db {

namespace {
QSqlDatabase connection() {
    if (!QSqlDatabase::contains(QLatin1StringView(QSqlDatabase::defaultConnection)))
        return QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    return QSqlDatabase::database(QLatin1StringView(QSqlDatabase::defaultConnection), false);
}
} // namespace

ConnectionGuard::ConnectionGuard() {
    QSqlDatabase db = connection();
    if (db.isOpen())
        return;
    if (db.open())
        openedHere = true;
    else
        result = Result::failure(db.lastError().text());
}

ConnectionGuard::~ConnectionGuard() {
    if (openedHere)
        connection().close();
}

void useDatabase(const QString& path) {
    QSqlDatabase db = connection();
    if (db.isOpen())
        db.close();
    db.setDatabaseName(path);
}

QString currentDatabase() {
    return connection().databaseName();
}

namespace {
// Binds `values` to the prepared `query` and executes it.
Result bindAndRun(QSqlQuery& query, const Bindings& values) {
    for (const auto& [name, value] : values)
        query.bindValue(name, value);
    if (!query.exec())
        return Result::failure(query.lastError().text());
    return {};
}
} // namespace

Result exec(QSqlQuery& query, const QString& sql, const Bindings& values) {
    if (!query.prepare(sql))
        return Result::failure(query.lastError().text());
    return bindAndRun(query, values);
}

void readRows(const QString& sql, const Bindings& values, const std::function<void(const QSqlQuery&)>& take) {
    ConnectionGuard guard;
    QSqlQuery query;
    if (!exec(query, sql, values))
        return;
    while (query.next())
        take(query);
}

QString text(const QSqlQuery& query, const char* column) {
    return query.value(QLatin1StringView(column)).toString();
}

Result writeAll(const QList<Statement>& statements, const std::function<void(qsizetype)>& afterEach) {
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    QSqlDatabase db = connection();
    if (!db.transaction())
        return Result::failure(db.lastError().text());
    Result result;
    {
        QSqlQuery query(db);
        const QString* prepared = nullptr;
        for (qsizetype i = 0; i < statements.size() && result.ok; ++i) {
            const Statement& s = statements[i];
            if (!prepared || *prepared != s.sql) {
                if (!query.prepare(s.sql)) {
                    result = Result::failure(query.lastError().text());
                    break;
                }
                prepared = &s.sql;
            }
            result = bindAndRun(query, s.values);
            if (result.ok && afterEach)
                afterEach(i);
        }
    }
    if (result.ok && !db.commit())
        result = Result::failure(db.lastError().text());
    if (!result.ok)
        db.rollback();
    return result;
}

} // namespace tavorin::db
