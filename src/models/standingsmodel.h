#pragma once

#include "app/settings.h"
#include "db/leaguesession.h"
#include "models/rowtablemodel.h"

#include <QStringList>

namespace tavorin::models {

// One row of the standings: the name and the figures as the view shows them.
struct StandingsRow {
    Id player = 0;
    QStringList cells;
    friend bool operator==(const StandingsRow& a, const StandingsRow& b) {
        return a.player == b.player && a.cells == b.cells;
    }
};

// A league's table or statistics, in their ranking order, every cell centred. IdRole gives the player's id.
class StandingsModel : public RowTableModel<StandingsRow> {
    Q_OBJECT

public:
    enum class Kind { LeagueTable, Statistics };

    StandingsModel(db::LeagueSession& session, Kind kind, const QStringList& headers, QObject* parent = nullptr);

    // Shows league `league`, counted and ranked by `points` (walkovers, the order of players level on points).
    // Withdrawn players come last: their name and "zurückgezogen".
    void setLeague(Id league, const Points& points = {});
    Id league() const { return shown; }
    // Reads the standings anew; false (and the rows kept) when the read failed.
    bool reload();

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    qint64 key(const StandingsRow& row) const override { return row.player; }

private:
    QList<StandingsRow> read() const;

    db::LeagueSession& session;
    const Kind kind;
    const QStringList headers;
    Points points;
    Id shown = 0;
};

} // namespace tavorin::models
