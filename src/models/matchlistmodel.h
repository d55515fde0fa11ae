#pragma once

#include "db/leaguesession.h"
#include "models/rowtablemodel.h"

#include <QStringList>

namespace tavorin::models {

// Matches as the schedule and the results list show them: "id", "Spieltag", the home and the guest player,
// "heimId", "gastId" and, in a results list, "Ergebnis" (the home player's legs, home first). The schedule
// names the players by their first names; a results list by the names the settings choose, and tells by
// PlayedRole which shown cells belong to a played match (the window marks them). IdRole gives the match id; the name
// cells give their player's id (PlayerRole) and platform name (PlatformNameRole).
class MatchListModel : public RowTableModel<Match> {
    Q_OBJECT

public:
    enum class Kind { Schedule, Results };

    // `headers`: the columns' captions; `secondNames`: a results list names the players by their second names.
    MatchListModel(db::LeagueSession& session, Kind kind, const QStringList& headers, bool secondNames,
                   QObject* parent = nullptr);

    // What the list shows: a league's schedule, one match day of a league, or every match of one player.
    void showSchedule(Id league);
    void showMatchDay(Id league, int day);
    void showPlayer(Id player);
    bool showsPlayer() const { return mode == Mode::Player; }
    // Shows nothing until told what to show (another league connected).
    void clear();
    // Which names a results list shows (the settings' choice, which holds at once).
    void setSecondNames(bool second);
    // Reads the list anew; false (and the rows kept) when the read failed.
    bool reload();
    // The row of match `id`, or -1.
    int rowOfMatch(Id id) const { return indexOfId(id); }

    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

protected:
    qint64 key(const Match& row) const override { return row.id; }

private:
    enum class Mode { None, Schedule, Day, Player };

    void show(Mode mode, Id league, int day, Id player);
    void apply(const db::StoreChange& change);
    bool showsAnyOf(const QList<Id>& players) const;
    QList<Match> read() const;
    QVariant text(const Match& m, int column) const;

    db::LeagueSession& session;
    const Kind kind;
    const QStringList headers;
    bool secondNames;
    Mode mode = Mode::None;
    Id league = 0;
    int day = 0;
    Id player = 0;
};

} // namespace tavorin::models
