#include "backups.h"

#include "filecheck.h"
#include "filecommands.h"
#include "serveraddress.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>
#include <cerrno>

namespace tavorin::db {

namespace {

const QString stampFormat = QStringLiteral("yyyyMMdd-HHmmss");
// A backup is written under its name with this ending, which no backup name has, and renamed when whole.
const QString unfinished = QStringLiteral(".part");

QString notesFile(const QString& folder) {
    return folder + QStringLiteral("/sicherungen.ini");
}

// Held while a backup is written, so that no other program takes its unfinished file for a leftover.
QString lockFile(const QString& folder) {
    return folder + QStringLiteral("/.sicherungen.lock");
}

// Where the league file of backup `name` is noted; the reason stays under the name itself, as before.
QString leagueFileKey(const QString& name) {
    return QStringLiteral("dateien/") + name;
}

// A league on a server is named by its address, a league file by its full path, through links.
bool onServer(const QString& league) {
    return league.startsWith(QLatin1String("postgresql://"));
}

QString fullPath(const QString& leagueFile) {
    if (onServer(leagueFile))
        return leagueFile;
    const QFileInfo file(leagueFile);
    const QString canonical = file.canonicalFilePath();
    return canonical.isEmpty() ? file.absoluteFilePath() : canonical;
}

// The name of the league file without its ending, or of the server's database.
QString baseName(const QString& league) {
    return onServer(league) ? ServerAddress::fromUri(league).database : QFileInfo(league).completeBaseName();
}

// "<name>-yyyyMMdd-HHmmss.db", or with "-2", "-3", ... when several backups fall into one second.
QRegularExpression backupName(const QString& leagueFile) {
    return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(baseName(leagueFile)) +
                              QStringLiteral(R"(-(\d{8}-\d{6})(-\d+)?\.db$)"));
}

// Every backup in `folder` named after `leagueFile`, of whichever league file, newest first.
QList<Backup> namedAfter(const QString& folder, const QString& leagueFile) {
    const QRegularExpression name = backupName(leagueFile);
    const QSettings notes(notesFile(folder), QSettings::IniFormat);
    QList<QPair<Backup, int>> found; // with its number within its second
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.db")}, QDir::Files);
    for (const QFileInfo& file : files) {
        const QRegularExpressionMatch m = name.match(file.fileName());
        if (m.hasMatch())
            found.append(
                {{file.filePath(), QDateTime::fromString(m.captured(1), stampFormat), file.size(),
                  notes.value(file.fileName()).toString(), notes.value(leagueFileKey(file.fileName())).toString()},
                 m.captured(2).isEmpty() ? 1 : m.captured(2).mid(1).toInt()});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.time != b.first.time ? a.first.time > b.first.time : a.second > b.second;
    });
    QList<Backup> newestFirst;
    for (const auto& [backup, number] : found)
        newestFirst.append(backup);
    return newestFirst;
}

void removeParts(const QString& folder) {
    const QFileInfoList parts =
        QDir(folder).entryInfoList({QLatin1Char('*') + unfinished}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo& part : parts)
        QFile::remove(part.filePath());
}

// Writes the copy under a temporary name, checks it and only then gives it the name `target`.
Result writeChecked(const QString& target, const BackupCopy& copy) {
    const QString partName = target + unfinished;
    Result r = copy(partName);
    if (r)
        r = checkLeagueFile(partName, Links::Refused);
    QFile part(partName);
    errno = 0;
    if (r && !part.rename(target)) {
        const int errorNumber = errno;
        r = Result::failure(fileErrorReason(errorNumber, part.errorString()));
    }
    if (!r) {
        QFile::remove(partName);
        r.error = target + QStringLiteral(": ") + r.error;
    }
    return r;
}

// Notes why the backup `target` of `leagueFile` was made; a backup that cannot be noted is removed again.
Result note(const QString& folder, const QString& target, const QString& reason, const QString& leagueFile) {
    QSettings notes(notesFile(folder), QSettings::IniFormat);
    const QString name = QFileInfo(target).fileName();
    notes.setValue(name, reason);
    notes.setValue(leagueFileKey(name), fullPath(leagueFile));
    notes.sync();
    if (notes.status() == QSettings::NoError)
        return {};
    QFile::remove(target);
    return Result::failure(notes.fileName() + QStringLiteral(": Die Datei kann nicht geschrieben werden."));
}

// Removes all but the newest keptBackups backups recorded for `leagueFile`, and never `keep`.
void prune(const QString& folder, const QString& leagueFile, const QString& keep) {
    QSettings notes(notesFile(folder), QSettings::IniFormat);
    const QString key = fullPath(leagueFile);
    int kept = 0;
    for (const Backup& b : namedAfter(folder, leagueFile)) {
        if (b.leagueFile != key || ++kept <= keptBackups || b.path == keep)
            continue;
        const QString name = QFileInfo(b.path).fileName();
        QFile::remove(b.path);
        notes.remove(name);
        notes.remove(leagueFileKey(name));
    }
}

} // namespace

QString backupFolder(const QString& settingsDirectory) {
    return settingsDirectory + QStringLiteral("/Sicherungen");
}

QList<Backup> backupsOf(const QString& folder, const QString& leagueFile) {
    QList<Backup> own = namedAfter(folder, leagueFile);
    const QString key = fullPath(leagueFile);
    own.removeIf([&](const Backup& b) { return !b.leagueFile.isEmpty() && b.leagueFile != key; });
    return own;
}

Result writeBackup(const QString& folder, const QString& leagueFile, const QString& reason, const QDateTime& now,
                   const BackupCopy& copy, QString* written, const QString& keep) {
    if (!QDir().mkpath(folder))
        return Result::failure(folder + QStringLiteral(": Der Ordner kann nicht angelegt werden."));
    QLockFile lock(lockFile(folder));
    lock.setStaleLockTime(0); // stale only when the program that holds it is gone, however long a backup takes
    if (!lock.tryLock(lockWaitMs))
        return Result::failure(folder + (lock.error() == QLockFile::LockFailedError
                                             ? QStringLiteral(": Ein anderes Programm legt gerade eine Sicherung an.")
                                             : QStringLiteral(": Der Ordner kann nicht beschrieben werden.")));
    removeParts(folder);
    const QString stem =
        folder + QLatin1Char('/') + baseName(leagueFile) + QLatin1Char('-') + now.toString(stampFormat);
    QString target = stem + QStringLiteral(".db");
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".db");
    Result r = writeChecked(target, copy);
    if (r)
        r = note(folder, target, reason, leagueFile);
    if (!r)
        return r;
    prune(folder, leagueFile, keep);
    if (written)
        *written = target;
    return {};
}

void removeUnfinishedBackups(const QString& folder) {
    QLockFile lock(lockFile(folder));
    lock.setStaleLockTime(0);
    if (QFileInfo(folder).isDir() && lock.tryLock(0))
        removeParts(folder);
}

Result checkBackup(const QString& folder, const Backup& backup) {
    const QFileInfo file(backup.path);
    Result r = QFileInfo(file.absolutePath()).canonicalFilePath() == QFileInfo(folder).canonicalFilePath()
                   ? checkLeagueFile(backup.path, Links::Refused)
                   : Result::failure(QStringLiteral("keine Datei des Ordners ") + folder);
    if (!r)
        r.error = backup.path + QStringLiteral(": ") + r.error;
    return r;
}

Result restoreBackup(const QString& folder, const Backup& backup, const QString& leagueFile) {
    if (Result r = checkBackup(folder, backup); !r)
        return r;
    const QString target = QFileInfo(leagueFile).canonicalFilePath(); // a link stays, its target is replaced
    return copyDatabaseFile(backup.path, target.isEmpty() ? leagueFile : target);
}

} // namespace tavorin::db
