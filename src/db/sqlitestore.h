#pragma once

#include "sqlstore.h"

namespace tavorin::db {

// The league in one SQLite file, the league database. The file is opened for each operation (or a Hold)
// and closed after it; a statement waits lockWaitMs for a lock another program holds, then fails.
class SqliteStore : public SqlStore {
    Q_OBJECT

public:
    explicit SqliteStore(QObject* parent = nullptr);

    QString location() const override { return path; }

    // Makes `file` the current file: a missing file is created with the five tables, an existing one gets
    // the columns of later releases it lacks, the indexes, and best legs of 0 stored as none. The path
    // stays current even when this fails.
    Result open(const QString& file);
    // Makes the existing file `file` current only when it is a league database, after preparing it like
    // open(). Otherwise the previous file stays current, untouched.
    Result connectTo(const QString& file);
    // Writes a consistent copy of the current file to the new file `target` (a backup).
    Result copyTo(const QString& target);
    // Whether `table` of the current file has a column of this name (letter case does not count).
    bool hasColumn(const QString& table, const QString& column);

private:
    void point(const QString& file);

    QString path;
};

} // namespace tavorin::db
