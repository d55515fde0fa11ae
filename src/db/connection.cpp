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

Result exec(QSqlQuery& query, const QString& sql, const Bindings& values) {
    if (!query.prepare(sql))
        return Result::failure(query.lastError().text());
    for (const auto& [name, value] : values)
        query.bindValue(name, value);
    if (!query.exec())
        return Result::failure(query.lastError().text());
    return {};
}

Result writeAll(const QList<Statement>& statements) {
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    QSqlDatabase db = connection();
    if (!db.transaction())
        return Result::failure(db.lastError().text());
    for (const Statement& s : statements) {
        QSqlQuery query(db);
        const Result r = exec(query, s.sql, s.values);
        if (!r) {
            query.finish();
            db.rollback();
            return r;
        }
    }
    if (!db.commit()) {
        const Result r = Result::failure(db.lastError().text());
        db.rollback();
        return r;
    }
    return {};
}

} // namespace tavorin::db
