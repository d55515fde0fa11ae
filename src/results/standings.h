#pragma once

#include "app/settings.h"

#include <QList>
#include <QString>

// The standings of a league, each computed by one aggregate query: the league table and the statistics.
namespace tavorin {

// One row of the league table, in standings order. Sums of a member without results are 0.
struct LeagueTableRow {
    QString name1; // dartn_name
    QString name2; // prodarter_name
    int won = 0;
    int drawn = 0;
    int lost = 0;
    int legsWon = 0;
    int legsLost = 0;
    int points = 0;
    float average = 0.0f; // mean of the match averages above 0, single precision
    int doublesHit = 0;
    int doublesThrown = 0;
    int legDifference = 0;   // the sum of legs won minus legs lost over the player's results
    bool hasResults = false; // false: the sums are NULL, and the member comes after everyone with results
    QString playerId{};
    bool withdrawn = false; // listed below the table, not ranked
};

// One row of the statistics, in its ranking order. Every figure is the query value as a whole number.
struct StatisticsRow {
    QString name1;
    QString name2;
    int minus20 = 0;
    int plus20 = 0;
    int plus40 = 0;
    int plus60 = 0;
    int plus80 = 0;
    int plus100 = 0;
    int plus140 = 0;
    int plus171 = 0;
    int count180 = 0;
    int highestFinish = 0;
    int bestLeg = 0; // fewest darts in a leg; 0 when the player has none
    QString playerId{};
    bool withdrawn = false; // listed below the statistics, not ranked
};

// A played match between two players and the league points each of them got.
struct MatchPoints {
    QString home, away; // player ids
    int homePoints = 0;
    int awayPoints = 0;
};

// Whether `a` stands above `b` in the order of the standings query: with results first, then points, leg
// difference and legs won.
bool ranksAbove(const LeagueTableRow& a, const LeagueTableRow& b);
// Re-ranks `rows`, given in the order of leagueTable(), for the head-to-head rule: players level on
// points (and alike in having results) are ordered by the points they got in `matches` against each
// other, then by leg difference, then by legs won; players alike in all of it keep their order.
QList<LeagueTableRow> rankHeadToHead(QList<LeagueTableRow> rows, const QList<MatchPoints>& matches);

// "name1" when both names are the same, else "name1 (name2)".
QString standingsName(const QString& name1, const QString& name2);

// The double quote of the league table: "0" without darts at a double, else the quote (100 / thrown x hit
// in single precision) with two decimals, "% (", hit, "/", thrown and ")", for example "33.33% (1/3)".
QString doublesQuoteWithCounts(int hit, int thrown);
// The quote alone: 100 / thrown x hit in single precision, 0 without darts at a double.
float doublesRate(int hit, int thrown);

// The games of a row (won, drawn and lost), counted without overflow.
qint64 games(const LeagueTableRow& r);
// What the league table shows after the name: games, won, drawn, lost, "legs won:legs lost", points,
// average and double quote.
QStringList leagueTableFigures(const LeagueTableRow& r);
// What the statistics show after the name, each a whole number: 20-, 20+ ... 180, highest finish, best leg.
QStringList statisticsFigures(const StatisticsRow& r);

} // namespace tavorin
