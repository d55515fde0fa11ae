#include "backups.h"

#include "leaguedatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <algorithm>

namespace tavorin::db {

namespace {

const QString stampFormat = QStringLiteral("yyyyMMdd-HHmmss");

QString reasonsFile(const QString& folder) {
    return folder + QStringLiteral("/sicherungen.ini");
}

// "<name>-yyyyMMdd-HHmmss.db", or with "-2", "-3", ... when several backups fall into one second.
QRegularExpression backupName(const QString& leagueFile) {
    return QRegularExpression(QLatin1Char('^') + QRegularExpression::escape(QFileInfo(leagueFile).completeBaseName()) +
                              QStringLiteral(R"(-(\d{8}-\d{6})(-\d+)?\.db$)"));
}

} // namespace

QString backupFolder(const QString& settingsDirectory) {
    return settingsDirectory + QStringLiteral("/Sicherungen");
}

QList<Backup> backupsOf(const QString& folder, const QString& leagueFile) {
    const QRegularExpression name = backupName(leagueFile);
    const QSettings reasons(reasonsFile(folder), QSettings::IniFormat);
    QList<QPair<Backup, int>> found; // with its number within its second
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.db")}, QDir::Files);
    for (const QFileInfo& file : files) {
        const QRegularExpressionMatch m = name.match(file.fileName());
        if (m.hasMatch())
            found.append({{file.filePath(), QDateTime::fromString(m.captured(1), stampFormat), file.size(),
                           reasons.value(file.fileName()).toString()},
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

Result writeBackup(const QString& folder, const QString& leagueFile, const QString& reason, const QDateTime& now,
                   QString* written) {
    if (!QDir().mkpath(folder))
        return Result::failure(folder + QStringLiteral(": Der Ordner kann nicht angelegt werden."));
    const QString stem = folder + QLatin1Char('/') + QFileInfo(leagueFile).completeBaseName() + QLatin1Char('-') +
                         now.toString(stampFormat);
    QString target = stem + QStringLiteral(".db");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = stem + QLatin1Char('-') + QString::number(n) + QStringLiteral(".db");
    if (const Result r = LeagueDatabase::instance().copyTo(target); !r)
        return r;
    QSettings reasons(reasonsFile(folder), QSettings::IniFormat);
    reasons.setValue(QFileInfo(target).fileName(), reason);
    const QList<Backup> all = backupsOf(folder, leagueFile);
    for (qsizetype i = keptBackups; i < all.size(); ++i) {
        QFile::remove(all[i].path);
        reasons.remove(QFileInfo(all[i].path).fileName());
    }
    if (written)
        *written = target;
    return {};
}

} // namespace tavorin::db
