#pragma once

#include "db/connection.h"
#include "league/schedule.h"

#include <QList>
#include <QString>
#include <QStringList>

// A league's stored schedule: reading it, writing a computed one, and the hand corrections.
namespace tavorin::scheduledata {

// One match as the schedule table shows it; a deleted player gives an empty name.
struct MatchRow {
    QString id;
    QString spieltag;
    QString heimName;
    QString gastName;
    QString heim;
    QString gast;
};

// A member offered for a replacement: the player's id and first name.
struct MemberChoice {
    QString id;
    QString dartnName;
};

// Assignments of the league, counted also when the player row is gone.
int memberCount(const QString& leagueId);
// Player ids of the league's members, in the order they were assigned, which is the order the
// schedule is computed from.
QStringList memberIds(const QString& leagueId);
// The league's matches by match day.
QList<MatchRow> matches(const QString& leagueId);
// The matches of the league that have stored results.
int playedMatchCount(const QString& leagueId);
// The league's members sorted by the second name without regard to case.
QList<MemberChoice> replacementChoices(const QString& leagueId);

// The statements behind memberCount and matches, for comparisons with the bare queries.
const QString& memberCountQuery();
const QString& matchesQuery();

// The INSERTs that store computed rows for a league.
QList<db::Statement> insertRows(const QString& leagueId, const QList<ScheduleRow>& rows);
db::Statement deleteSchedule(const QString& leagueId);
// Sets the home and away player of one match (swap and replacement alike).
db::Statement setPlayers(const QString& matchId, const QString& heim, const QString& gast);
// Removes the results of every league.
db::Statement deleteAllResults();

} // namespace tavorin::scheduledata
