#include "backuplist.h"

#include <QLocale>

namespace tavorin::db {

BackupListModel::BackupListModel(const QList<Backup>& backups, QObject* parent)
    : QAbstractTableModel(parent), backups(backups) {}

int BackupListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(backups.size());
}

int BackupListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant BackupListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const Backup& b = backups[index.row()];
    switch (index.column()) {
    case Date:
        return b.time.toString(QStringLiteral("dd.MM.yyyy"));
    case Time:
        return b.time.toString(QStringLiteral("HH:mm:ss"));
    case Size:
        return QLocale(QLocale::German).formattedDataSize(b.size);
    case Reason:
        return b.reason;
    case LeagueFile:
        // Backups of earlier releases did not note their league file.
        return b.leagueFile.isEmpty() ? QStringLiteral("unbekannt") : b.leagueFile;
    default:
        return {};
    }
}

QVariant BackupListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const QStringList headers = {QStringLiteral("Datum"), QStringLiteral("Uhrzeit"), QString::fromUtf8("Größe"),
                                        QStringLiteral("Anlass"), QStringLiteral("Liga-Datenbank")};
    return headers.value(section);
}

} // namespace tavorin::db
