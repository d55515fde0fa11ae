#pragma once

#include "sqlstore.h"

namespace tavorin::db {

// The league in one SQLite file, the league database. The file is opened for each operation (or a Hold)
// and closed after it; a statement waits lockWaitMs for a lock another program holds, then fails.
//
// Every path that makes a file current checks it first (checkLeagueFile) and writes nothing to a file it
// refuses. A file another program keeps locked when it is to be checked stays current and is checked
// before its first use.
class SqliteStore : public SqlStore {
    Q_OBJECT

public:
    explicit SqliteStore(QObject* parent = nullptr);

    QString location() const override { return path; }

    // Makes `file` the current file: a missing file is created with the five tables; an existing one must
    // pass the check and then gets the columns of later releases it lacks, the indexes, and best legs of 0
    // stored as none. Any failure but a lock leaves no file current.
    Result open(const QString& file);
    // Makes the existing file `file` current only when it passes the check, after preparing it like open().
    // Otherwise the previous file stays current, and the refused one untouched.
    Result connectTo(const QString& file);
    // Leaves no file current: reads and writes fail until another file is opened.
    void close();
    bool hasFile() const { return !path.isEmpty(); }
    // Writes a consistent copy of the current file to the new file `target` (a backup); a failure names its
    // reason in German.
    Result copyTo(const QString& target);
    bool hasColumn(const QString& table, const QString& column) override;

protected:
    Result beforeUse() override;
    Result openConnection() override;

private:
    void point(const QString& file);
    // Brings the current file up to date (or makes the tables of a new one).
    Result prepareCurrent(bool create);

    QString path;
    bool unchecked = false; // the current file was locked when it was to be checked or prepared
};

} // namespace tavorin::db
