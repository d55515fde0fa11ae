#include "standings.h"

#include "results/numbers.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace tavorin {

bool ranksAbove(const LeagueTableRow& a, const LeagueTableRow& b) {
    if (a.hasResults != b.hasResults)
        return a.hasResults;
    if (a.points != b.points)
        return a.points > b.points;
    if (a.legDifference != b.legDifference)
        return a.legDifference > b.legDifference;
    return a.legsWon > b.legsWon;
}

QList<LeagueTableRow> rankHeadToHead(QList<LeagueTableRow> rows, const QList<MatchPoints>& matches) {
    const auto level = [](const LeagueTableRow& a, const LeagueTableRow& b) {
        return a.points == b.points && a.hasResults == b.hasResults;
    };
    for (auto first = rows.begin(); first != rows.end();) {
        auto last = std::find_if_not(first, rows.end(), [&](const LeagueTableRow& r) { return level(r, *first); });
        if (last - first > 1) {
            QSet<QString> tied;
            for (auto r = first; r != last; ++r)
                tied.insert(r->playerId);
            QHash<QString, int> direct;
            for (const MatchPoints& m : matches) {
                if (m.home != m.away && tied.contains(m.home) && tied.contains(m.away)) {
                    direct[m.home] += m.homePoints;
                    direct[m.away] += m.awayPoints;
                }
            }
            std::stable_sort(first, last, [&](const LeagueTableRow& a, const LeagueTableRow& b) {
                const int pa = direct.value(a.playerId), pb = direct.value(b.playerId);
                if (pa != pb)
                    return pa > pb;
                if (a.legDifference != b.legDifference)
                    return a.legDifference > b.legDifference;
                return a.legsWon > b.legsWon;
            });
        }
        first = last;
    }
    return rows;
}

QString standingsName(const QString& name1, const QString& name2) {
    return name1 == name2 ? name1 : name1 + QStringLiteral(" (") + name2 + QLatin1Char(')');
}

QString doublesQuoteWithCounts(int hit, int thrown) {
    if (thrown == 0)
        return QStringLiteral("0");
    return twoDecimals(doublesRate(hit, thrown)) + QStringLiteral("% (") + QString::number(hit) + QLatin1Char('/') +
           QString::number(thrown) + QLatin1Char(')');
}

float doublesRate(int hit, int thrown) {
    return thrown == 0 ? 0.0f : (100.0f / static_cast<float>(thrown)) * static_cast<float>(hit);
}

qint64 games(const LeagueTableRow& r) {
    return qint64(r.won) + r.drawn + r.lost;
}

QStringList leagueTableFigures(const LeagueTableRow& r) {
    return {QString::number(games(r)),
            QString::number(r.won),
            QString::number(r.drawn),
            QString::number(r.lost),
            QString::number(r.legsWon) + QLatin1Char(':') + QString::number(r.legsLost),
            QString::number(r.points),
            twoDecimals(r.average),
            doublesQuoteWithCounts(r.doublesHit, r.doublesThrown)};
}

QStringList statisticsFigures(const StatisticsRow& r) {
    QStringList figures;
    for (int v : {r.minus20, r.plus20, r.plus40, r.plus60, r.plus80, r.plus100, r.plus140, r.plus171, r.count180,
                  r.highestFinish, r.bestLeg})
        figures << QString::number(v);
    return figures;
}

} // namespace tavorin
