#pragma once

#include "connection.h"

#include <QString>
#include <QStringList>

class QSqlDatabase;

namespace tavorin::db {

// The five tables of a new league database, in creation order.
QStringList createStatements();

// The tables added by later releases: created with the five, and added to an older file by upgradeTables().
QStringList laterTableStatements();

// A column added by a later release, and the statement that adds it to an older file.
struct UpgradeStep {
    const char* table;
    const char* column;
    const char* alter;
};
// In the order in which they are applied.
QList<UpgradeStep> upgradeSteps();

// The steps below work on an open connection `db`.

// True when `table` has a column of this name. Letter case does not count, as SQLite itself matches column
// names. False for a missing table or a database that cannot be read.
bool hasColumnIn(QSqlDatabase& db, const QString& table, const QString& column);

// Creates the five tables and the later ones, together or not at all.
Result createTables(QSqlDatabase& db);

// Adds the columns of later releases that the file lacks. Fails when a column cannot be added, for
// example because its table is missing.
Result upgradeTables(QSqlDatabase& db);

// Adds the tables of later releases that the file lacks. A file that cannot take them (write-protected) is
// still read: the store then finds none of their rows.
Result addLaterTables(QSqlDatabase& db);

// Adds the indexes on the columns the views join and filter on, unless they exist. Older releases read
// a file with them as before.
Result createIndexes(QSqlDatabase& db);

// Succeeds when the database holds the five tables (tables, not views) with every column, apart from those
// upgradeTables() adds; a later table need not be there, but when it is, with every column. Fails with the German
// reason otherwise (`notLeague`), or with the database's error. The whole check of a file is checkLeagueFile()
// (filecheck.h).
Result checkLeagueTables(QSqlDatabase& db);

} // namespace tavorin::db
