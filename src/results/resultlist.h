#pragma once

#include <QList>
#include <QString>

// The lists of the results tab: a league's match days and members, and its matches by match day or by
// player with the home player's legs.
namespace tavorin::resultlist {

struct MatchDay {
    QString number;  // spieltag as text
    QString caption; // "3. Spieltag"
};
QList<MatchDay> matchDays(const QString& leagueId);

struct Member {
    QString id;
    QString name; // dartn_name
};
// The league's members sorted by their first name.
QList<Member> members(const QString& leagueId);

struct ListedMatch {
    QString id;
    QString spieltag;
    QString heimName;  // prodarter_name of the home player
    QString heimDName; // dartn_name of the home player
    QString gastName;  // prodarter_name of the guest
    QString gastDName; // dartn_name of the guest
    QString heim;      // player ids
    QString gast;
    bool played = false; // the home player's stored legs add up to more than 0
    QString legsWon;     // the home player's stored legs, won and lost
    QString legsLost;
};
QList<ListedMatch> matchesOfDay(const QString& leagueId, const QString& matchDay);
QList<ListedMatch> matchesOfPlayer(const QString& playerId);
// The statements behind matchDays, members, matchesOfDay and matchesOfPlayer, for comparisons with the
// bare queries.
const QString& matchDaysQuery();
const QString& membersQuery();
const QString& matchesOfDayQuery();
const QString& matchesOfPlayerQuery();

} // namespace tavorin::resultlist
