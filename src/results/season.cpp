#include "season.h"

#include "results/standings.h"

#include <QHash>
#include <QMap>
#include <QSet>

#include <algorithm>

namespace tavorin::season {

namespace {

// Ranks the rows in place: with results first, then points, leg difference and legs won.
void rank(QList<LeagueTableRow>& rows, const QList<MatchPoints>& matches, TieBreak order) {
    std::stable_sort(rows.begin(), rows.end(), ranksAbove);
    if (order == TieBreak::HeadToHead)
        rows = rankHeadToHead(rows, matches);
}

} // namespace

QList<PlayerSeries> seasonSeries(const QList<Member>& members, const QList<PlayedResult>& results, TieBreak order) {
    QList<PlayerSeries> series;
    QList<LeagueTableRow> table;
    QHash<QString, qsizetype> index;
    for (const Member& m : members) {
        const QString id = QString::number(m.player);
        if (index.contains(id))
            continue;
        index.insert(id, series.size());
        series.append({id, m.name1, {}, {}});
        LeagueTableRow row;
        row.playerId = id;
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
