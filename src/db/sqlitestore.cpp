#include "sqlitestore.h"

#include "schema.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace tavorin::db {

namespace {

int connections = 0; // numbers the connections of the stores of this run

const QString zeroBestLegs = QStringLiteral("UPDATE tv_ergebnisse SET bestleg = '' WHERE bestleg = 0 ;");

// Brings an opened league file up to date: the columns of later releases, then the indexes, then best legs
// of 0 stored as none. A file that cannot take the indexes or the rewrite (write-protected, for example) is
// still used; a lock is reported.
Result prepare(QSqlDatabase& db, bool exists) {
    Result r = exists ? upgradeTables(db) : createTables(db);
    if (r) {
        const Result indexed = createIndexes(db);
        if (indexed.locked)
            return indexed;
        QSqlQuery rewrite(db);
        if (!rewrite.exec(zeroBestLegs) && Result::failure(rewrite.lastError()).locked)
            return Result::failure(rewrite.lastError());
    }
    return r;
}

} // namespace

SqliteStore::SqliteStore(QObject* parent)
    : SqlStore(Dialect::Sqlite, QStringLiteral("tavorin_liga_%1").arg(++connections), parent) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
}

void SqliteStore::point(const QString& file) {
    QSqlDatabase db = database();
    if (db.isOpen())
        db.close();
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(lockWaitMs));
    db.setDatabaseName(file);
    path = file;
}

Result SqliteStore::open(const QString& file) {
    const bool exists = QFileInfo::exists(file);
    point(file);
    const Hold opened(*this);
    Result r = opened.result();
    if (r) {
        QSqlDatabase db = database();
        r = prepare(db, exists);
    }
    readsWork();
    return r;
}

Result SqliteStore::connectTo(const QString& file) {
    const QString name = connectionName + QStringLiteral("_pruefung");
    Result r;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=") + QString::number(lockWaitMs));
        db.setDatabaseName(file);
        if (!QFileInfo(file).isFile()) // SQLite would create it
            r = Result::failure(QStringLiteral("no such file"));
        else if (!db.open())
            r = Result::failure(db.lastError());
        else if (r = checkLeagueTables(db); r)
            r = prepare(db, true);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (r) {
        point(file);
        readsWork();
    }
    return r;
}

Result SqliteStore::copyTo(const QString& target) {
    const Hold opened(*this);
    if (!opened.result())
        return opened.result();
    // SQLite writes the copy from one read transaction, so it is whole even while others write.
    QSqlQuery query(database());
    return exec(query, QStringLiteral("VACUUM INTO :ziel"), {{QStringLiteral(":ziel"), target}});
}

bool SqliteStore::hasColumn(const QString& table, const QString& column) {
    const Hold opened(*this);
    QSqlDatabase db = database();
    return opened.result() && hasColumnIn(db, table, column);
}

} // namespace tavorin::db
