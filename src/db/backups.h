#pragma once

#include "connection.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// Automatic backups of the league (a league file, or a league on a server, kept as a league file): a consistent copy
// before every command that deletes or overwrites stored data and at the first start of each day, in the folder
// "Sicherungen" of the settings directory, named "<name>-yyyyMMdd-HHmmss.db" after the league file. Why each was made
// and of which league file (its full path) are kept beside them in "sicherungen.ini".
namespace tavorin::db {

// How many backups of one league file are kept; older ones are removed.
constexpr int keptBackups = 20;

QString backupFolder(const QString& settingsDirectory);

struct Backup {
    QString path;
    QDateTime time; // from the name
    qint64 size = 0;
    QString reason;
    QString leagueFile; // the full path of the league file it is of; empty when not recorded (older releases)
};

// Copies the league file `leagueFile` into `folder` at `now`, notes `reason` and the league
// file, and removes all but the newest keptBackups backups of that file. The copy is written under a
// temporary name and checked (checkLeagueFile) before it gets its backup name, so a backup that fails or
// is interrupted leaves nothing that looks like one. `written` receives the backup's path. The backup
// `keep`, when given, stays even when it is one too many (it is about to be restored).
// `copy` writes the copy of the league to the file it is given.
using BackupCopy = std::function<Result(const QString& target)>;
Result writeBackup(const QString& folder, const QString& leagueFile, const QString& reason, const QDateTime& now,
                   const BackupCopy& copy, QString* written = nullptr, const QString& keep = QString());

// The backups of `leagueFile` in `folder`, newest first: those recorded for it, and those of the same name
// whose league file was not recorded.
QList<Backup> backupsOf(const QString& folder, const QString& leagueFile);

// Removes what interrupted backups left in `folder`, unless a backup is being written there just now.
void removeUnfinishedBackups(const QString& folder);

// Succeeds when `backup` may take the place of a league file: a regular file (no link) in `folder` that
// passes checkLeagueFile(). Fails with the reason otherwise.
Result checkBackup(const QString& folder, const Backup& backup);

// Checks `backup` and then puts a copy of it in the place of `leagueFile` (of a link's target), in one step.
Result restoreBackup(const QString& folder, const Backup& backup, const QString& leagueFile);

} // namespace tavorin::db
