#pragma once

#include "app/settings.h"
#include "db/leaguetypes.h"
#include "results/standings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tavorin::db {
class LeagueStore;
struct Result;
} // namespace tavorin::db

// "Neue Saison...": the leagues of a finished season, ordered from the top division down, become the leagues
// of the next one, the best of each division moving up and the worst down.
namespace tavorin::newseason {

// A league of the finished season with its final table as the table shows it (withdrawn players marked).
struct Division {
    Id league = 0;
    QString name;
    QList<LeagueTableRow> table;
};

// The border below division i: the `up` best of division i + 1 go up, the `down` worst of division i go down.
struct Border {
    int up = 2;
    int down = 2;
};

// A player of a new league and where he came from ("Aufsteiger aus 2. Liga").
struct Placed {
    Id player = 0;
    QString name1, name2;
    QString origin;
};

struct NewLeague {
    QString name;
    QList<Placed> members; // those relegated into it, those staying, those promoted into it
};

// The new leagues, or the German reason (`refusal`) why the counts or names cannot make them.
struct Plan {
    QList<NewLeague> leagues;
    QList<Id> withdrawn; // left out of the new season
    QString refusal;
};

// `borders` holds one entry per border (divisions - 1), `names` one name per division.
Plan plan(const QList<Division>& divisions, const QList<Border>& borders, const QStringList& names);

// The name proposed for the next season's league: a year at the end counts up ("Liga 2024" gives "Liga 2025",
// "Liga 2024/25" gives "Liga 2025/26"), any other name gets " (neue Saison)".
QString proposedName(const QString& oldName);

struct Creation {
    bool schedules = false; // computed for every new league
    bool returnRound = false;
    bool balanceHomeAway = false;
};

// Creates the new leagues of `p` with their members, moves the withdrawn players of `divisions` to the pool,
// notes the old leagues as finished and, when asked, stores the schedules: all in one transaction.
db::Result create(db::LeagueStore& store, const QList<Division>& divisions, const Plan& p, const Creation& how);

} // namespace tavorin::newseason
