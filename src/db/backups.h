#pragma once

#include "connection.h"

#include <QDateTime>
#include <QList>
#include <QString>

// Automatic backups of the league file: a consistent copy before every command that deletes or
// overwrites stored data and at the first start of each day, in the folder "Sicherungen" of the
// settings directory, named "<name>-yyyyMMdd-HHmmss.db" after the league file. Why each was made is
// kept beside them in "sicherungen.ini".
namespace tavorin::db {

// How many backups of one league file are kept; older ones are removed.
constexpr int keptBackups = 20;

QString backupFolder(const QString& settingsDirectory);

struct Backup {
    QString path;
    QDateTime time; // from the name
    qint64 size = 0;
    QString reason;
};

// Copies the connected league file (`leagueFile`) into `folder` at `now`, notes `reason`, and removes
// all but the newest keptBackups backups of that file. `written` receives the copy's path.
Result writeBackup(const QString& folder, const QString& leagueFile, const QString& reason, const QDateTime& now,
                   QString* written = nullptr);

// The backups of `leagueFile` in `folder`, newest first.
QList<Backup> backupsOf(const QString& folder, const QString& leagueFile);

} // namespace tavorin::db
