#include "withdrawal.h"

#include <QSet>

#include <algorithm>

namespace tavorin::withdrawal {

namespace {

const Withdrawal* find(Id player, const QList<Withdrawal>& withdrawals) {
    for (const Withdrawal& w : withdrawals) {
        if (w.player == player)
            return &w;
    }
    return nullptr;
}

bool annuls(Id player, const QList<Withdrawal>& withdrawals) {
    const Withdrawal* w = find(player, withdrawals);
    return w && w->rule == Rule::Annul;
}

// Out of the match by walkover: withdrawn so before its match day.
bool outBefore(Id player, int day, const QList<Withdrawal>& withdrawals) {
    const Withdrawal* w = find(player, withdrawals);
    return w && w->rule == Rule::Walkover && day >= w->fromDay;
}

void addGame(LeagueTableRow& row, bool won, int legsFor, int legsAgainst, int points) {
    (won ? row.won : row.lost) += 1;
    row.legsWon += legsFor;
    row.legsLost += legsAgainst;
    row.legDifference += legsFor - legsAgainst;
    row.points += points;
    row.hasResults = true;
}

} // namespace

Outcome outcome(const Match& match, bool open, const QList<Withdrawal>& withdrawals) {
    if (annuls(match.home, withdrawals) || annuls(match.away, withdrawals))
        return Outcome::Annulled;
    if (!open)
        return Outcome::Counts;
    const bool homeOut = outBefore(match.home, match.day, withdrawals);
    const bool awayOut = outBefore(match.away, match.day, withdrawals);
    if (homeOut && awayOut)
        return Outcome::Annulled;
    if (homeOut)
        return Outcome::AwayWins;
    return awayOut ? Outcome::HomeWins : Outcome::Counts;
}

bool isWithdrawn(const QString& playerId, const QList<Withdrawal>& withdrawals) {
    return find(playerId.toLongLong(), withdrawals) != nullptr;
}

QList<Walkover> walkovers(const QList<Match>& openMatches, const QList<Withdrawal>& withdrawals) {
    QList<Walkover> out;
    for (const Match& m : openMatches) {
        const Outcome o = outcome(m, true, withdrawals);
        if (o == Outcome::HomeWins)
            out.append({m, m.home, m.away});
        else if (o == Outcome::AwayWins)
            out.append({m, m.away, m.home});
    }
    return out;
}

QList<LeagueTableRow> countedTable(QList<LeagueTableRow> rows, QList<MatchPoints> played,
                                   const QList<Walkover>& walkovers, const QList<Withdrawal>& withdrawals,
                                   const Points& points) {
    for (const Walkover& w : walkovers) {
        for (LeagueTableRow& r : rows) {
            if (r.playerId.toLongLong() == w.winner)
                addGame(r, true, points.walkoverWon, points.walkoverLost, points.gewonnen);
            else if (r.playerId.toLongLong() == w.loser)
                addGame(r, false, points.walkoverLost, points.walkoverWon, points.verloren);
        }
        const bool homeWins = w.winner == w.match.home;
        played.append({QString::number(w.match.home), QString::number(w.match.away),
                       homeWins ? points.gewonnen : points.verloren, homeWins ? points.verloren : points.gewonnen});
    }
    // The order of the standings query, which the walkovers may have changed; alike rows keep their order.
    std::stable_sort(rows.begin(), rows.end(), ranksAbove);
    QList<LeagueTableRow> ranked, out;
    for (LeagueTableRow& r : rows) {
        r.withdrawn = isWithdrawn(r.playerId, withdrawals);
        (r.withdrawn ? out : ranked).append(r);
    }
    if (points.reihenfolge == TieBreak::HeadToHead)
        ranked = rankHeadToHead(ranked, countedMatches(played, withdrawals));
    return ranked + out;
}

QList<StatisticsRow> countedStatistics(const QList<StatisticsRow>& rows, const QList<Withdrawal>& withdrawals) {
    QList<StatisticsRow> ranked, out;
    for (StatisticsRow r : rows) {
        r.withdrawn = isWithdrawn(r.playerId, withdrawals);
        (r.withdrawn ? out : ranked).append(r);
    }
    return ranked + out;
}

QList<MatchPoints> countedMatches(const QList<MatchPoints>& played, const QList<Withdrawal>& withdrawals) {
    QList<MatchPoints> out;
    for (const MatchPoints& m : played) {
        if (!annuls(m.home.toLongLong(), withdrawals) && !annuls(m.away.toLongLong(), withdrawals))
            out.append(m);
    }
    return out;
}

QList<season::PlayedResult> countedResults(const QList<season::PlayedResult>& results, const QList<Match>& schedule,
                                           const QList<Walkover>& walkovers, const QList<Withdrawal>& withdrawals,
                                           const Points& points) {
    QSet<QString> annulled;
    for (const Match& m : schedule) {
        if (annuls(m.home, withdrawals) || annuls(m.away, withdrawals))
            annulled.insert(QString::number(m.id));
    }
    QList<season::PlayedResult> out;
    for (const season::PlayedResult& r : results) {
        if (!annulled.contains(r.matchId))
            out.append(r);
    }
    for (const Walkover& w : walkovers) {
        const QString match = QString::number(w.match.id);
        out.append({w.match.day, match, QString::number(w.winner), points.gewonnen, points.walkoverWon,
                    points.walkoverLost, 0.0f});
        out.append({w.match.day, match, QString::number(w.loser), points.verloren, points.walkoverLost,
                    points.walkoverWon, 0.0f});
    }
    std::stable_sort(out.begin(), out.end(), [](const season::PlayedResult& a, const season::PlayedResult& b) {
        return a.matchDay < b.matchDay;
    });
    return out;
}

QString withdrawnLine(const QStringList& names) {
    return names.isEmpty() ? QString() : QString::fromUtf8("zurückgezogen: ") + names.join(QStringLiteral(", "));
}

} // namespace tavorin::withdrawal
