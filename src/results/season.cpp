#include "season.h"

#include "db/leaguedatabase.h"
#include "results/standings.h"

#include <QHash>
#include <QMap>
#include <QSet>

#include <algorithm>

namespace tavorin::season {

namespace {

const QString playedResultsSql = QStringLiteral(
    "SELECT tv_spieltage.spieltag AS spieltag, tv_spieltage.id AS spiel, spieler_id, pkt, legs_won, legs_lost, ave "
    "FROM tv_spieltage JOIN tv_ergebnisse ON tv_ergebnisse.spieltag_id = tv_spieltage.id AND (spieler_id = heim OR "
    "spieler_id = gast) WHERE liga = :lgid ORDER BY tv_spieltage.spieltag, tv_spieltage.id, tv_ergebnisse.id ;");

// Ranks the rows in place: with results first, then points, leg difference and legs won.
void rank(QList<LeagueTableRow>& rows, const QList<MatchPoints>& matches, TieBreak order) {
    std::stable_sort(rows.begin(), rows.end(), [](const LeagueTableRow& a, const LeagueTableRow& b) {
        if (a.hasResults != b.hasResults)
            return a.hasResults;
        if (a.points != b.points)
            return a.points > b.points;
        if (a.legDifference != b.legDifference)
            return a.legDifference > b.legDifference;
        return a.legsWon > b.legsWon;
    });
    if (order == TieBreak::HeadToHead)
        rows = rankHeadToHead(rows, matches);
}

} // namespace

QList<PlayedResult> playedResults(const QString& leagueId) {
    QList<PlayedResult> results;
    QSet<QString> seen;
    db::readRows(playedResultsSql, {{QStringLiteral(":lgid"), leagueId}}, [&](const db::Row& q) {
        PlayedResult r;
        r.matchDay = q.value("spieltag").toInt();
        r.matchId = q.text("spiel");
        r.playerId = q.text("spieler_id");
        r.points = q.value("pkt").toInt();
        r.legsWon = q.value("legs_won").toInt();
        r.legsLost = q.value("legs_lost").toInt();
        r.average = q.value("ave").toFloat();
        const QString key = r.matchId + QLatin1Char('/') + r.playerId;
        if (!seen.contains(key)) {
            seen.insert(key);
            results.append(r);
        }
    });
    return results;
}

QList<PlayerSeries> seasonSeries(const QList<resultlist::Member>& members, const QList<PlayedResult>& results,
                                 TieBreak order) {
    QList<PlayerSeries> series;
    QList<LeagueTableRow> table;
    QHash<QString, qsizetype> index;
    for (const resultlist::Member& m : members) {
        if (index.contains(m.id))
            continue;
        index.insert(m.id, series.size());
        series.append({m.id, m.name, {}, {}});
        LeagueTableRow row;
        row.playerId = m.id;
        table.append(row);
    }

    QMap<int, QList<PlayedResult>> days;
    for (const PlayedResult& r : results) {
        if (index.contains(r.playerId))
            days[r.matchDay].append(r);
    }

    QList<MatchPoints> matches; // for the head-to-head rule: the matches so far with both results
    QHash<QString, PlayedResult> firstOfMatch;
    for (auto day = days.cbegin(); day != days.cend(); ++day) {
        QHash<QString, QList<float>> averages;
        for (const PlayedResult& r : day.value()) {
            LeagueTableRow& row = table[index.value(r.playerId)];
            row.points += r.points;
            row.legsWon += r.legsWon;
            row.legsLost += r.legsLost;
            row.legDifference += r.legsWon - r.legsLost;
            row.hasResults = true;
            if (r.average > 0)
                averages[r.playerId].append(r.average);
            if (firstOfMatch.contains(r.matchId)) {
                const PlayedResult& other = firstOfMatch.value(r.matchId);
                matches.append({other.playerId, r.playerId, other.points, r.points});
            } else {
                firstOfMatch.insert(r.matchId, r);
            }
        }
        // The table is ranked anew each day from the members' order, as the league table is.
        QList<LeagueTableRow> ranked = table;
        rank(ranked, matches, order);
        for (qsizetype place = 0; place < ranked.size(); ++place)
            series[index.value(ranked[place].playerId)].positions.append(QPointF(day.key(), double(place + 1)));
        for (auto a = averages.cbegin(); a != averages.cend(); ++a) {
            double sum = 0;
            for (float v : a.value())
                sum += v;
            series[index.value(a.key())].averages.append(QPointF(day.key(), sum / double(a.value().size())));
        }
    }
    return series;
}

} // namespace tavorin::season
