#include "sqlstore.h"

#include <utility>

#include <QSqlError>
#include <QSqlQuery>

namespace tavorin::db {

SqlStore::SqlStore(Dialect dialect, const QString& connectionName, QObject* parent)
    : LeagueStore(parent), dialect(dialect), name(connectionName) {}

SqlStore::~SqlStore() {
    if (QSqlDatabase::contains(name)) {
        database().close();
        QSqlDatabase::removeDatabase(name);
    }
}

QSqlDatabase SqlStore::database() const {
    return QSqlDatabase::database(name, false);
}

Result SqlStore::openConnection() {
    QSqlDatabase db = database();
    if (db.isOpen())
        return {};
    if (!db.open())
        return Result::failure(db.lastError());
    openedHere = true;
    return {};
}

void SqlStore::closeConnection() {
    if (std::exchange(openedHere, false))
        database().close();
}

Result SqlStore::acquire() {
    if (users == 0) {
        if (Result r = openConnection(); !r)
            return r;
    }
    ++users;
    return {};
}

void SqlStore::release() {
    if (users > 0 && --users == 0)
        closeConnection();
}

// A write takes its lock at once (SQLite) or runs serialisable (PostgreSQL), so that what it checks before it
// writes cannot change under it: no other program's write interleaves with it.
Result SqlStore::begin() {
    if (Result r = beforeUse(); !r)
        return r;
    if (Result r = acquire(); !r)
        return r;
    QSqlQuery q(database());
    if (q.exec(dialect == Dialect::Postgres ? QStringLiteral("BEGIN ISOLATION LEVEL SERIALIZABLE")
                                            : QStringLiteral("BEGIN IMMEDIATE"))) {
        writing = true;
        statementFailure = {};
        return {};
    }
    const Result failed = Result::failure(q.lastError());
    release();
    return failed;
}

Result SqlStore::commit() {
    // A statement of the transaction failed, even one whose failure was not looked at: the server has given
    // the whole transaction up (its COMMIT would only roll back), and a league file must not keep half of it.
    if (!statementFailure)
        return statementFailure;
    QSqlQuery q(database());
    if (!q.exec(QStringLiteral("COMMIT"))) {
        // A server ends the transaction with a failed COMMIT; a league file keeps it open for the rollback.
        writing = dialect == Dialect::Sqlite;
        return Result::failure(q.lastError()); // rollback() follows and releases
    }
    writing = false;
    release();
    return {};
}

void SqlStore::rollback() {
    if (std::exchange(writing, false)) {
        QSqlQuery q(database());
        q.exec(QStringLiteral("ROLLBACK"));
    }
    release();
}

Result SqlStore::read(const Sql& sql, const Bindings& values, const std::function<void(const Row&)>& take) {
    if (readsFailing())
        return heldFailure();
    Result r = beforeUse();
    if (r)
        r = acquire();
    if (r) {
        {
            QSqlQuery query(database());
            query.setForwardOnly(true); // rows are read once, in order: none is kept for going back
            r = exec(query, text(sql), values);
            const Row row(query);
            while (r && query.next())
                take(row);
            if (r && query.lastError().isValid())
                r = Result::failure(query.lastError());
        }
        release();
    }
    if (r)
        return r;
    if (users == 0)
        failed(r);
    return readFailure(r);
}

qint64 SqlStore::readNumber(const Sql& sql, const Bindings& values) {
    qint64 number = 0;
    read(sql, values, [&](const Row& q) { number = q.value(0).toLongLong(); });
    return number;
}

Result SqlStore::look(const Sql& sql, const Bindings& values, const std::function<void(const Row&)>& take) {
    QSqlQuery query(database());
    query.setForwardOnly(true);
    Result r = exec(query, text(sql), values);
    noteFailure(r);
    const Row row(query);
    while (r && query.next())
        take(row);
    return r;
}

bool SqlStore::readTogether(const std::function<Result()>& looks) {
    if (readsFailing())
        return false;
    const Hold open(*this);
    Result r = open.result();
    if (r)
        r = looks();
    if (!r)
        readFailure(r);
    return r.ok;
}

qint64 SqlStore::lookNumber(const Sql& sql, const Bindings& values, Result* status) {
    qint64 number = 0;
    *status = look(sql, values, [&](const Row& q) { number = q.value(0).toLongLong(); });
    return number;
}

Result SqlStore::run(QSqlQuery& query, const Sql& sql, const Bindings& values) {
    const QString& statement = text(sql);
    Result r = query.lastQuery() != statement && !query.prepare(statement) ? Result::failure(query.lastError())
                                                                           : db::run(query, values);
    noteFailure(r);
    return r;
}

void SqlStore::noteFailure(const Result& r) {
    if (writing && !r && statementFailure)
        statementFailure = r;
}

Result SqlStore::rootCause(const Result& failure) const {
    // After the first failed statement the server refuses every other one: that first one tells why.
    return !statementFailure && !failure.conflict ? statementFailure : failure;
}

Result SqlStore::insert(const Sql& sql, const Bindings& values, Id* id) {
    QSqlQuery query(database());
    Result r = run(query, sql, values);
    if (!r)
        return r;
    // The PostgreSQL statements end in "RETURNING id"; SQLite tells the new row id itself.
    const QVariant newId =
        dialect == Dialect::Postgres ? (query.next() ? query.value(0) : QVariant()) : query.lastInsertId();
    if (id)
        *id = newId.toLongLong();
    return r;
}

} // namespace tavorin::db
