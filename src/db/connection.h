#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

#include <functional>

class QSqlQuery;

namespace tavorin::db {

// Outcome of a database step: success, or the database's own error text.
struct Result {
    bool ok = true;
    QString error;

    static Result failure(const QString& text) { return {false, text}; }
    explicit operator bool() const { return ok; }
};

// Named placeholder values, bound in this order (":id", ":liga", ...).
using Bindings = QList<QPair<QString, QVariant>>;

// One statement of a write: SQL text and its bound values.
struct Statement {
    QString sql;
    Bindings values;
};

// The program works on one connection: the default connection with the SQLite driver, whose database
// name is the current league database. It is not held open between operations: each operation opens
// it through a guard, which closes it again when it goes out of scope. A guard inside another leaves
// the connection open for the outer one.
class ConnectionGuard {
public:
    ConnectionGuard();
    ~ConnectionGuard();
    ConnectionGuard(const ConnectionGuard&) = delete;
    ConnectionGuard& operator=(const ConnectionGuard&) = delete;

    bool isOpen() const { return result.ok; }
    const Result& status() const { return result; }

private:
    bool openedHere = false;
    Result result;
};

// Adds the default connection (once) and points it at `path`; the connection stays closed.
void useDatabase(const QString& path);
QString currentDatabase();

// Prepares `sql` on `query`, binds `values`, executes. The query then holds the rows to read.
Result exec(QSqlQuery& query, const QString& sql, const Bindings& values = {});

// Runs a read and hands every row to `take`. A read that fails yields no rows.
void readRows(const QString& sql, const Bindings& values, const std::function<void(const QSqlQuery&)>& take);
// A column of the current row, by name, as text (NULL gives an empty text).
QString text(const QSqlQuery& query, const char* column);

// Runs the statements in one transaction: all of them or none. A statement whose SQL text equals the
// previous one reuses its prepared query, so long runs of the same INSERT stay cheap. `afterEach`, when
// given, is told the index of every statement that has run.
Result writeAll(const QList<Statement>& statements, const std::function<void(qsizetype)>& afterEach = {});

} // namespace tavorin::db
