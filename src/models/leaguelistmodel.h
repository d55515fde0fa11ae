#pragma once

#include "db/leaguesession.h"
#include "models/rowtablemodel.h"

namespace tavorin::models {

// The leagues, sorted by name: the id (IdRole too) and the name ("Liga").
class LeagueListModel : public RowTableModel<League> {
    Q_OBJECT

public:
    explicit LeagueListModel(db::LeagueSession& session, QObject* parent = nullptr);

    bool reload();

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    qint64 key(const League& row) const override { return row.id; }

private:
    db::LeagueSession& session;
};

} // namespace tavorin::models
