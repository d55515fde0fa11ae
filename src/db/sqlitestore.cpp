#include "sqlitestore.h"

#include "filecheck.h"
#include "filecommands.h"
#include "schema.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>

namespace tavorin::db {

namespace {

int connections = 0; // numbers the connections of this run's stores

// SQLite's primary result codes for a file it cannot write, cannot create, or that meets a full disk.
constexpr int sqliteIoError = 10;
constexpr int sqliteFull = 13;
constexpr int sqliteCantOpen = 14;

// Best legs of 0 mean none; older releases stored them so.
const QString zeroBestLegs = QStringLiteral("UPDATE tv_ergebnisse SET bestleg = '' WHERE bestleg = 0 ;");
const QString anyZeroBestLeg = QStringLiteral("SELECT 1 FROM tv_ergebnisse WHERE bestleg = 0 LIMIT 1");

// Brings an opened league file up to date: the columns of later releases, the indexes, best legs of 0 as
// none. A file that cannot take the indexes or the rewrite (write-protected, for example) is still used;
// a lock is reported.
Result prepare(QSqlDatabase& db, bool exists) {
    Result r = exists ? upgradeTables(db) : createTables(db);
    if (!r)
        return r;
    if (const Result added = addLaterTables(db); added.locked)
        return added;
    if (const Result indexed = createIndexes(db); indexed.locked)
        return indexed;
    QSqlQuery query(db);
    if (query.exec(anyZeroBestLeg) && query.next()) {
        query.finish();
        query.exec(zeroBestLegs);
    }
    return r;
}

// A copy that failed, with the reason in German. SQLite names a full disk itself; for other failures to
// write or to create the file, the system's error number is the one it met last.
Result copyFailed(const QSqlError& error, int errorNumber) {
    Result r = Result::failure(error);
    const int code = error.nativeErrorCode().toInt() & 0xff;
    if (code == sqliteFull)
        r.error = fileErrorReason(ENOSPC, QString());
    else if (code == sqliteIoError || code == sqliteCantOpen)
        r.error = fileErrorReason(errorNumber, error.databaseText());
    return r;
}

void waitForLocks(QSqlDatabase& db) {
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(lockWaitMs));
}

} // namespace

SqliteStore::SqliteStore(QObject* parent)
    : SqlStore(Dialect::Sqlite, QStringLiteral("tavorin_liga_%1").arg(++connections), parent) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    waitForLocks(db);
}

void SqliteStore::point(const QString& file) {
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
    db.setDatabaseName(file);
    path = file;
    forgetSeasonTables();
}

Result SqliteStore::open(const QString& file) {
    readsWork();
    const QFileInfo info(file);
    const bool create = !file.isEmpty() && !info.exists() && !info.isSymLink();
    Result r;
    if (!create)
        r = checkLeagueFile(file);
    else if (!QFileInfo(info.absolutePath()).isDir())
        r = Result::failure(fileErrorReason(ENOENT, QString()));
    // A refused file does not become current, so nothing can be written to it. One that is locked does,
    // and is checked as soon as it can be read.
    point(r || r.locked ? file : QString());
    unchecked = r.locked;
    return r ? prepareCurrent(create) : r;
}

void SqliteStore::close() {
    point(QString());
    unchecked = false;
}

Result SqliteStore::prepareCurrent(bool create) {
    Result r;
    {
        const Hold opened(*this);
        r = opened.result();
        QSqlDatabase db = database();
        if (r)
            r = prepare(db, !create);
    }
    // Nor is a file used that could not be made or brought up to date; a lock only puts it off.
    unchecked = r.locked;
    if (!r && !r.locked)
        close();
    return r;
}

Result SqliteStore::openConnection() {
    if (path.isEmpty())
        return Result::failure(QStringLiteral("Es ist keine Liga-Datenbank geöffnet."));
    return SqlStore::openConnection();
}

Result SqliteStore::beforeUse() {
    if (!unchecked)
        return {};
    unchecked = false;
    const Result r = checkLeagueFile(path);
    if (r)
        return prepareCurrent(false);
    unchecked = r.locked;
    if (!r.locked)
        close();
    return r;
}

Result SqliteStore::connectTo(const QString& file) {
    Result r = checkLeagueFile(file);
    if (r) {
        const QString checking = name + QStringLiteral("_pruefung");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), checking);
            waitForLocks(db);
            db.setDatabaseName(file);
            r = db.open() ? prepare(db, true) : Result::failure(db.lastError());
            db.close();
        }
        QSqlDatabase::removeDatabase(checking);
    }
    if (r) {
        point(file);
        unchecked = false;
        readsWork();
    }
    return r;
}

Result SqliteStore::copyTo(const QString& target) {
    if (const Result r = beforeUse(); !r)
        return r;
    const Hold opened(*this);
    if (!opened.result())
        return opened.result();
    // SQLite writes the copy from one read transaction, so it is whole even while others write.
    QSqlQuery query(database());
    errno = 0;
    if (!exec(query, QStringLiteral("VACUUM INTO :ziel"), {{QStringLiteral(":ziel"), target}})) {
        const int errorNumber = errno;
        return copyFailed(query.lastError(), errorNumber);
    }
    return {};
}

bool SqliteStore::hasColumn(const QString& table, const QString& column) {
    const Hold opened(*this);
    QSqlDatabase db = database();
    return opened.result() && hasColumnIn(db, table, column);
}

} // namespace tavorin::db
