#pragma once

#include "app/settings.h"
#include "db/leaguetypes.h"
#include "results/season.h"
#include "results/standings.h"

#include <QList>
#include <QString>

// A player who left a league during the season, and what his matches count for by the league's rule.
namespace tavorin::withdrawal {

// "Alle Spiele annullieren": none of his matches counts, played or not. "Restliche Spiele kampflos werten":
// played matches stand, each open match from the match day on is won by the opponent without a game.
enum class Rule { Annul = 0, Walkover = 1 };

struct Withdrawal {
    Id player = 0;
    int fromDay = 1; // the first match day he is out
    Rule rule = Rule::Annul;
    QString name1, name2;
};

// What a match of the league counts for.
enum class Outcome {
    Counts,   // as stored (or open)
    Annulled, // not at all: a player of it withdrew by Annul (or both withdrew before it was played)
    HomeWins, // the away player withdrew before it was played: a walkover for the home player
    AwayWins,
};

// `open`: the match has no stored result at all.
Outcome outcome(const Match& match, bool open, const QList<Withdrawal>& withdrawals);
bool isWithdrawn(const QString& playerId, const QList<Withdrawal>& withdrawals);

// A match won without a game: the winner's and the loser's player id.
struct Walkover {
    Match match;
    Id winner = 0;
    Id loser = 0;
};
QList<Walkover> walkovers(const QList<Match>& openMatches, const QList<Withdrawal>& withdrawals);

// The league table as the rule counts it, from `rows` in the order of the standings query (annulled matches
// already left out): every walkover is a game won (`points.walkoverWon`:`walkoverLost` legs, win points) for
// the winner and lost for the loser; the rows are ranked anew like the query (and head to head when
// `points` asks for it, over `played` with the walkovers); withdrawn players come last, marked withdrawn.
QList<LeagueTableRow> countedTable(QList<LeagueTableRow> rows, QList<MatchPoints> played,
                                   const QList<Walkover>& walkovers, const QList<Withdrawal>& withdrawals,
                                   const Points& points);
// The statistics with the withdrawn players last, marked withdrawn.
QList<StatisticsRow> countedStatistics(const QList<StatisticsRow>& rows, const QList<Withdrawal>& withdrawals);
// Played matches without those the rule annuls.
QList<MatchPoints> countedMatches(const QList<MatchPoints>& played, const QList<Withdrawal>& withdrawals);
// The season's results without the annulled matches (`schedule`: the league's matches) and with the walkovers.
QList<season::PlayedResult> countedResults(const QList<season::PlayedResult>& results, const QList<Match>& schedule,
                                           const QList<Walkover>& walkovers, const QList<Withdrawal>& withdrawals,
                                           const Points& points);

// The line below a table: "zurückgezogen: " and the names; empty without withdrawn players.
QString withdrawnLine(const QStringList& names);

} // namespace tavorin::withdrawal
