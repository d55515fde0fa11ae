#pragma once

#include "connection.h"

#include <QFlags>
#include <QObject>

#include <functional>

namespace tavorin::db {

// The five tables of the league database, as flags of a change announcement.
enum class Table {
    Spieler = 0x01,
    Ligen = 0x02,
    Zuordnung = 0x04,
    Spieltage = 0x08,
    Ergebnisse = 0x10,
};
Q_DECLARE_FLAGS(Tables, Table)
Q_DECLARE_OPERATORS_FOR_FLAGS(Tables)

// The table that an INSERT, UPDATE or DELETE writes; none for any other statement.
Tables tablesWrittenBy(const QString& sql);

// The one owner of the league database: it checks and prepares the file on every path that makes a file
// current (start-up, connecting another one, a restored backup), runs every read and write on the
// program's connection, reports failed reads, and announces after every committed write which tables it
// changed.
//
// A read that fails is announced once through readFailed(). Until control returns to the event loop,
// later reads fail at once with the same reason instead of waiting out a lock one after another, and so
// do writes once a lock has been waited for: a chain of views that refill each other costs one wait and
// one message.
class LeagueDatabase : public QObject {
    Q_OBJECT

public:
    static LeagueDatabase& instance();

    // Makes `path` the current file: a missing file is created with the five tables; an existing one must
    // pass checkLeagueFile() and then gets the columns of later releases it lacks. A refused file is not
    // written to. Any failure leaves no file current, except a lock: a file that another program keeps
    // locked stays current and is checked before its first use.
    Result open(const QString& path);
    // Makes the existing file `path` current only when it passes checkLeagueFile(), after upgrading it
    // like open(). Otherwise the previous file stays current, and the refused one untouched.
    Result connectTo(const QString& path);
    // Leaves no file current: reads and writes fail until another file is opened.
    void close();
    bool hasFile() const;
    // Writes a consistent copy of the current file to the new file `target` (a backup). A failure names
    // its reason in German.
    Result copyTo(const QString& target);

    // Runs a read and hands every row to `take`.
    Result read(const QString& sql, const Bindings& values, const std::function<void(const Row&)>& take);
    // True from a failed read until control returns to the event loop.
    bool readsFailing() const { return failing; }
    // Lets reads fail at once with `failure` until control returns to the event loop: for a failure that
    // the caller has reported itself, such as a file that cannot be opened.
    void holdFailure(const Result& failure);

    // Runs the statements in one transaction: all of them or none. A statement whose SQL text equals the
    // previous one reuses its prepared query, so long runs of the same INSERT stay cheap. `afterEach`,
    // when given, is told the index of every statement that has run. After the commit, changed() names
    // the tables in which rows were inserted, updated or deleted.
    Result write(const QList<Statement>& statements, const std::function<void(qsizetype)>& afterEach = {});

signals:
    void changed(tavorin::db::Tables tables);
    void readFailed(const tavorin::db::Result& failure);

private:
    LeagueDatabase() = default;
    // Brings the current file up to date (or makes the tables of a new one).
    Result prepareCurrent(bool create);
    // Checks and prepares a current file that was locked when it became current.
    Result checkPending();

    bool unchecked = false; // the current file was locked when it was to be checked or prepared
    bool failing = false;
    Result lastFailure;
};

// The rules' short way to the owner's read and write.
Result readRows(const QString& sql, const Bindings& values, const std::function<void(const Row&)>& take);
// The first column of the first row of `sql` as a whole number, such as a COUNT(*); 0 when none was read.
int readNumber(const QString& sql, const Bindings& values);
Result writeAll(const QList<Statement>& statements, const std::function<void(qsizetype)>& afterEach = {});

} // namespace tavorin::db
