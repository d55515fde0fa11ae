#pragma once

#include "backups.h"

#include <QAbstractTableModel>

namespace tavorin::db {

// The backups offered for restoring, one row each: date, time, size, reason and the league file it is of.
class BackupListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Date, Time, Size, Reason, LeagueFile, ColumnCount };

    explicit BackupListModel(const QList<Backup>& backups, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    const Backup& backup(int row) const { return backups[row]; }

private:
    QList<Backup> backups;
};

} // namespace tavorin::db
