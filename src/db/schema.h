#pragma once

#include "connection.h"

#include <QString>
#include <QStringList>

namespace tavorin::db {

// The five tables of a new league database, in creation order.
QStringList createStatements();

// A column added by a later release, and the statement that adds it to an older file.
struct UpgradeStep {
    const char* table;
    const char* column;
    const char* alter;
};
// In the order in which they are applied.
QList<UpgradeStep> upgradeSteps();

// True when `table` of the connected database has a column named exactly `column` (same letters, same
// case). False for a table without columns, a missing table or a database that cannot be read.
bool hasColumn(const QString& table, const QString& column);

// Points the connection at `path` and prepares the file: a missing file is created with the five tables;
// an existing one gets the columns of later releases it lacks. A column that exists in other letter case
// makes its ALTER fail; that failure is expected and ignored. Fails only when the file cannot be opened
// or created, with the database's error text.
Result createOrUpgrade(const QString& path);

} // namespace tavorin::db
