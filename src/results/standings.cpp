#include "standings.h"

#include "db/leaguedatabase.h"
#include "results/numbers.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace tavorin {

namespace {

const QString leagueTableSql = QStringLiteral(
    "SELECT *, tv_spieler.dartn_name AS name1, tv_spieler.prodarter_name AS name2, SUM(gewonnen) AS gewSpiele, "
    "SUM(remis) AS unenSpiele, SUM(verloren) AS verlSpiele, SUM(pkt) AS gesamtpunkte, SUM(legs_won) AS gewonnene, "
    "SUM(legs_lost) AS verlorene , SUM(legs_won-legs_lost) AS differenz, AVG(CASE WHEN ave > 0 THEN ave ELSE NULL "
    "END) AS sumav, SUM(douba) AS doppA, SUM(doubb) AS doppB  FROM tv_spieler LEFT JOIN tv_zuordnung ON "
    "tv_spieler.id = tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id = "
    "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid GROUP BY tv_zuordnung.id_spieler ORDER BY "
    "gesamtpunkte DESC, differenz DESC, gewonnene DESC ;");

const QString rewriteBestLegSql = QStringLiteral("UPDATE tv_ergebnisse SET bestleg = '' WHERE bestleg = 0 ;");

const QString statisticsSql = QStringLiteral(
    "SELECT *, tv_spieler.dartn_name AS name1, tv_spieler.prodarter_name AS name2, SUM(m20) AS sm20, SUM(p20) AS "
    "sp20, SUM(p40) AS sp40, SUM(p60) AS sp60, SUM(p80) AS sp80, SUM(p100) AS sp100, SUM(p140) AS sp140, SUM(p171) "
    "AS sp171, SUM(p180) AS sp180, MAX(hf) AS maxhf, MIN(bestleg) AS minbestleg FROM tv_spieler LEFT JOIN "
    "tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id = "
    "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid GROUP BY tv_zuordnung.id_spieler  ORDER BY CASE "
    "WHEN minbestleg > 0 THEN 0 ELSE 1 END, minbestleg ASC, maxhf DESC ;");

// Both players' points of every match of a league with both result rows stored.
const QString playedMatchesSql = QStringLiteral(
    "SELECT heim, gast, (SELECT pkt FROM tv_ergebnisse WHERE spieltag_id = tv_spieltage.id AND spieler_id = heim "
    "LIMIT 1) AS heimpunkte, (SELECT pkt FROM tv_ergebnisse WHERE spieltag_id = tv_spieltage.id AND spieler_id = "
    "gast LIMIT 1) AS gastpunkte FROM tv_spieltage WHERE liga = :lgid AND heimpunkte IS NOT NULL AND gastpunkte IS "
    "NOT NULL ;");

int number(const db::Row& q, const char* column) {
    return q.value(column).toInt(); // NULL and the empty text give 0
}

} // namespace

QList<LeagueTableRow> leagueTable(const QString& leagueId) {
    QList<LeagueTableRow> rows;
    db::readRows(leagueTableSql, {{QStringLiteral(":lgid"), leagueId}}, [&](const db::Row& q) {
        LeagueTableRow r;
        r.playerId = q.text("id_spieler");
        r.name1 = q.text("name1");
        r.name2 = q.text("name2");
        r.won = number(q, "gewSpiele");
        r.drawn = number(q, "unenSpiele");
        r.lost = number(q, "verlSpiele");
        r.legsWon = number(q, "gewonnene");
        r.legsLost = number(q, "verlorene");
        r.points = number(q, "gesamtpunkte");
        r.average = q.value("sumav").toFloat();
        r.doublesHit = number(q, "doppA");
        r.doublesThrown = number(q, "doppB");
        r.legDifference = number(q, "differenz");
        r.hasResults = !q.value("gesamtpunkte").isNull();
        rows.append(r);
    });
    return rows;
}

QList<MatchPoints> playedMatches(const QString& leagueId) {
    QList<MatchPoints> matches;
    db::readRows(playedMatchesSql, {{QStringLiteral(":lgid"), leagueId}}, [&](const db::Row& q) {
        matches.append({q.text("heim"), q.text("gast"), number(q, "heimpunkte"), number(q, "gastpunkte")});
    });
    return matches;
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

QList<LeagueTableRow> rankedLeagueTable(const QString& leagueId, TieBreak order) {
    QList<LeagueTableRow> rows = leagueTable(leagueId);
    if (order != TieBreak::HeadToHead || db::LeagueDatabase::instance().readsFailing())
        return rows;
    return rankHeadToHead(rows, playedMatches(leagueId));
}

bool rewriteZeroBestLegs() {
    return db::writeAll({{rewriteBestLegSql, {}}}).ok;
}

QList<StatisticsRow> statistics(const QString& leagueId) {
    QList<StatisticsRow> rows;
    db::readRows(statisticsSql, {{QStringLiteral(":lgid"), leagueId}}, [&](const db::Row& q) {
        StatisticsRow r;
        r.name1 = q.text("name1");
        r.name2 = q.text("name2");
        r.minus20 = number(q, "sm20");
        r.plus20 = number(q, "sp20");
        r.plus40 = number(q, "sp40");
        r.plus60 = number(q, "sp60");
        r.plus80 = number(q, "sp80");
        r.plus100 = number(q, "sp100");
        r.plus140 = number(q, "sp140");
        r.plus171 = number(q, "sp171");
        r.count180 = number(q, "sp180");
        r.highestFinish = number(q, "maxhf");
        r.bestLeg = number(q, "minbestleg");
        rows.append(r);
    });
    return rows;
}

const QString& leagueTableQuery() {
    return leagueTableSql;
}

const QString& statisticsQuery() {
    return statisticsSql;
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
