#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

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

// Runs the statements in one transaction on an opened connection: all of them or none.
Result writeAll(const QList<Statement>& statements);

} // namespace tavorin::db
