#pragma once

#include "app/settings.h"
#include "db/leaguetypes.h"

#include <QList>
#include <QPointF>
#include <QString>

// A league's season day by day: what the charts of the window "Saisonverlauf" draw.
namespace tavorin::season {

// One player's stored result of a match of the league.
struct PlayedResult {
    int matchDay = 0;
    QString matchId;
    QString playerId;
    int points = 0;
    int legsWon = 0;
    int legsLost = 0;
    float average = 0.0f;
};

// One line of each chart: x is the match day, y the table position (1 the top) or the match average.
struct PlayerSeries {
    QString playerId;
    QString name;
    QList<QPointF> positions; // after every match day with results, counting the results up to that day
    QList<QPointF> averages;  // on the match days the player played with an average above 0 (their mean)
};

// The members' series in the members' order. Positions rank like the league table: points, then (with the
// head-to-head rule) the points against each other, then leg difference, then legs won; members without a
// result so far come last, and members alike in everything keep the members' order.
QList<PlayerSeries> seasonSeries(const QList<Member>& members, const QList<PlayedResult>& results, TieBreak order);

} // namespace tavorin::season
