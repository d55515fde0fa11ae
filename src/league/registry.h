#pragma once

#include "db/connection.h"

#include <QList>
#include <QString>
#include <QStringList>

// The player register, the leagues and the membership of players in leagues: the statements that read
// and change them. Ids travel as text, the way the views hold them.
namespace tavorin::registry {

// A player as the tables list him. In the member list `id` is the assignment's id, not the player's.
struct PlayerRow {
    QString id;
    QString dartnName;
    QString prodarterName;
};

struct LeagueRow {
    QString id;
    QString name;
};

// All players, sorted by the second name without regard to case.
QList<PlayerRow> allPlayers();
// Players without any assignment, also none to a league that no longer exists.
QList<PlayerRow> poolPlayers();
// The members of a league; `id` of each row is the assignment id.
QList<PlayerRow> leagueMembers(const QString& leagueId);
// The names of the existing leagues the player is assigned to.
QStringList leaguesOfPlayer(const QString& playerId);

// Where a player still takes part in the leagues' matches. His matches and results refer to him by id:
// without his row they would show an empty name and still count for his opponents.
struct PlayerUse {
    QStringList scheduledIn;     // existing leagues whose schedule holds a match of his, by name
    QStringList resultsIn;       // existing leagues with a stored result of his, by name
    int resultsWithoutMatch = 0; // his stored results whose match was deleted with its schedule
    bool any() const { return !scheduledIn.isEmpty() || !resultsIn.isEmpty() || resultsWithoutMatch > 0; }
};
PlayerUse playerUse(const QString& playerId);

// The first names of the members among `assignmentIds` who play a match in their league's schedule, in
// the order given. Taking them out would leave the schedule with matches of a non-member.
QStringList membersWithMatches(const QStringList& assignmentIds);
// True when a player of the register has this forum name or this platform name, without regard to case.
bool nameTaken(const QString& dartnName, const QString& prodarterName);
// All leagues, sorted by name without regard to case.
QList<LeagueRow> allLeagues();

// The statements behind allLeagues and leagueMembers, for comparisons with the bare queries.
const QString& leaguesQuery();
const QString& membersQuery();

// The rows as the player, pool and member tables show them: id, first name, second name.
QList<QStringList> tableRows(const QList<PlayerRow>& players);

db::Statement insertPlayer(const QString& dartnName, const QString& prodarterName);
db::Statement updatePlayer(const QString& id, const QString& dartnName, const QString& prodarterName);
db::Statement deletePlayer(const QString& id);

db::Statement insertLeague(const QString& name);
db::Statement renameLeague(const QString& id, const QString& name);
db::Statement deleteLeague(const QString& id);

db::Statement assignPlayer(const QString& playerId, const QString& leagueId);
db::Statement removeAssignment(const QString& assignmentId);

} // namespace tavorin::registry
