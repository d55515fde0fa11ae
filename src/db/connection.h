#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class QSqlError;
class QSqlQuery;

namespace tavorin::db {

// Outcome of a database step: success, or the error text (the database's own, or a reason in German).
// `locked` tells that another program held a lock on the file for longer than the program waits
// (lockWaitMs); `notLeague` that the file is no whole league database.
struct Result {
    bool ok = true;
    QString error;
    bool locked = false;
    bool notLeague = false;
    bool offline = false;   // the connection to a league on a server broke
    bool conflict = false;  // another organiser changed what the write depended on; `error` says what
    bool retryable = false; // the server gave up the transaction for a conflict: it may be tried once more

    static Result failure(const QString& text, bool locked = false) {
        return {false, text, locked, false, false, false, false};
    }
    // A write refused because another organiser changed its data meanwhile; `what` says how, in German.
    static Result conflicting(const QString& what) {
        Result r = failure(what);
        r.conflict = true;
        return r;
    }
    static Result failure(const QSqlError& error);
    explicit operator bool() const { return ok; }
};

// How long a statement waits for a lock another program holds before it fails.
constexpr int lockWaitMs = 2000;

// Named placeholder values, bound in this order (":id", ":liga", ...).
using Bindings = QList<QPair<QString, QVariant>>;

// Prepares `sql` on `query`, binds `values`, executes. The query then holds the rows to read.
Result exec(QSqlQuery& query, const QString& sql, const Bindings& values = {});
// Binds `values` on a query prepared before and executes it.
Result run(QSqlQuery& query, const Bindings& values);

// The current row of a query, its columns read by name. Each name is looked up once per query rather
// than once per row, so long lists stay cheap. `column` must outlive the Row (a string literal does).
class Row {
public:
    explicit Row(const QSqlQuery& query) : query(query) {}
    QVariant value(const char* column) const;
    QVariant value(int index) const;
    // As text; NULL gives an empty text.
    QString text(const char* column) const {
        const QVariant v = value(column);
        return v.isNull() ? QString() : v.toString();
    }

private:
    const QSqlQuery& query;
    mutable QList<QPair<const char*, int>> indexes;
};

} // namespace tavorin::db
