// The standings, each computed by one aggregate statement, the season's results and the duplicate check.
#include "sqlstore.h"

#include <QSet>
#include <QSqlQuery>

namespace tavorin::db {

namespace {

QVariant number(Id id) {
    return QVariant::fromValue(id);
}

const Sql leagueTableSql{
    QStringLiteral(
        "SELECT *, tv_spieler.dartn_name AS name1, tv_spieler.prodarter_name AS name2, SUM(gewonnen) AS gewSpiele, "
        "SUM(remis) AS unenSpiele, SUM(verloren) AS verlSpiele, SUM(pkt) AS gesamtpunkte, SUM(legs_won) AS gewonnene, "
        "SUM(legs_lost) AS verlorene , SUM(legs_won-legs_lost) AS differenz, AVG(CASE WHEN ave > 0 THEN ave ELSE NULL "
        "END) AS sumav, SUM(douba) AS doppA, SUM(doubb) AS doppB  FROM tv_spieler LEFT JOIN tv_zuordnung ON "
        "tv_spieler.id = tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id = "
        "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid GROUP BY tv_zuordnung.id_spieler ORDER BY "
        "gesamtpunkte DESC, differenz DESC, gewonnene DESC ;"),
    // The server's equivalent: no bare columns beside the sums, NULL sums last as SQLite sorts them.
    QStringLiteral(
        "SELECT tv_zuordnung.id_spieler, MIN(tv_spieler.dartn_name) AS name1, MIN(tv_spieler.prodarter_name) AS name2, "
        "SUM(gewonnen) AS gewSpiele, SUM(remis) AS unenSpiele, SUM(verloren) AS verlSpiele, SUM(pkt) AS gesamtpunkte, "
        "SUM(legs_won) AS gewonnene, SUM(legs_lost) AS verlorene, SUM(legs_won-legs_lost) AS differenz, AVG(CASE WHEN "
        "ave > 0 THEN ave ELSE NULL END) AS sumav, SUM(douba) AS doppA, SUM(doubb) AS doppB FROM tv_spieler LEFT JOIN "
        "tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id "
        "= tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid GROUP BY tv_zuordnung.id_spieler ORDER BY "
        "gesamtpunkte DESC NULLS LAST, differenz DESC NULLS LAST, gewonnene DESC NULLS LAST, tv_zuordnung.id_spieler")};

const Sql statisticsSql{
    QStringLiteral(
        "SELECT *, tv_spieler.dartn_name AS name1, tv_spieler.prodarter_name AS name2, SUM(m20) AS sm20, SUM(p20) AS "
        "sp20, SUM(p40) AS sp40, SUM(p60) AS sp60, SUM(p80) AS sp80, SUM(p100) AS sp100, SUM(p140) AS sp140, SUM(p171) "
        "AS sp171, SUM(p180) AS sp180, MAX(hf) AS maxhf, MIN(bestleg) AS minbestleg FROM tv_spieler LEFT JOIN "
        "tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id = "
        "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid GROUP BY tv_zuordnung.id_spieler  ORDER BY CASE "
        "WHEN minbestleg > 0 THEN 0 ELSE 1 END, minbestleg ASC, maxhf DESC ;"),
    // On the server a best leg of none is NULL: players with results but none come after those with one, as
    // SQLite sorts its empty text after every number.
    QStringLiteral(
        "SELECT tv_zuordnung.id_spieler, MIN(tv_spieler.dartn_name) AS name1, MIN(tv_spieler.prodarter_name) AS name2, "
        "SUM(m20) AS sm20, SUM(p20) AS sp20, SUM(p40) AS sp40, SUM(p60) AS sp60, SUM(p80) AS sp80, SUM(p100) AS sp100, "
        "SUM(p140) AS sp140, SUM(p171) AS sp171, SUM(p180) AS sp180, MAX(hf) AS maxhf, MIN(bestleg) AS minbestleg, "
        "COUNT(tv_ergebnisse.id) AS zeilen FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = "
        "tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id = tv_zuordnung.id_spieler WHERE "
        "tv_zuordnung.id_liga = :lgid GROUP BY tv_zuordnung.id_spieler ORDER BY CASE WHEN MIN(bestleg) > 0 THEN 0 "
        "WHEN COUNT(tv_ergebnisse.id) > 0 THEN 1 ELSE 2 END, MIN(bestleg) ASC, MAX(hf) DESC NULLS LAST, "
        "tv_zuordnung.id_spieler")};

const Sql countedLeagueTableSql = withoutAnnulledMatches(leagueTableSql);
const Sql countedStatisticsSql = withoutAnnulledMatches(statisticsSql);
const Sql finishedLeagueTableSql = ofFinishedLeague(leagueTableSql);
const Sql finishedStatisticsSql = ofFinishedLeague(statisticsSql);

// Both players' points of every match of a league with both result rows stored.
const Sql playedMatchesSql{
    QStringLiteral(
        "SELECT heim, gast, (SELECT pkt FROM tv_ergebnisse WHERE spieltag_id = tv_spieltage.id AND spieler_id = heim "
        "LIMIT 1) AS heimpunkte, (SELECT pkt FROM tv_ergebnisse WHERE spieltag_id = tv_spieltage.id AND spieler_id = "
        "gast LIMIT 1) AS gastpunkte FROM tv_spieltage WHERE liga = :lgid AND heimpunkte IS NOT NULL AND gastpunkte IS "
        "NOT NULL ;"),
    QStringLiteral(
        "SELECT * FROM (SELECT heim, gast, (SELECT pkt FROM tv_ergebnisse WHERE spieltag_id = tv_spieltage.id AND "
        "spieler_id = heim LIMIT 1) AS heimpunkte, (SELECT pkt FROM tv_ergebnisse WHERE spieltag_id = tv_spieltage.id "
        "AND spieler_id = gast LIMIT 1) AS gastpunkte FROM tv_spieltage WHERE liga = :lgid) AS spiele WHERE "
        "heimpunkte IS NOT NULL AND gastpunkte IS NOT NULL")};

const Sql playedResultsSql{QStringLiteral(
    "SELECT tv_spieltage.spieltag AS spieltag, tv_spieltage.id AS spiel, spieler_id, pkt, legs_won, legs_lost, ave "
    "FROM tv_spieltage JOIN tv_ergebnisse ON tv_ergebnisse.spieltag_id = tv_spieltage.id AND (spieler_id = heim OR "
    "spieler_id = gast) WHERE liga = :lgid ORDER BY tv_spieltage.spieltag, tv_spieltage.id, tv_ergebnisse.id ;")};

const Sql findDuplicatesSql{
    QStringLiteral("SELECT * FROM tv_ergebnisse GROUP by spieltag_id HAVING COUNT(*) > 2  ;"),
    QStringLiteral(
        "SELECT spieltag_id FROM tv_ergebnisse GROUP BY spieltag_id HAVING COUNT(*) > 2 ORDER BY spieltag_id")};
const Sql firstRowSql{QStringLiteral("SELECT * FROM tv_ergebnisse WHERE spieltag_id = :spid LIMIT 1;"),
                      QStringLiteral("SELECT * FROM tv_ergebnisse WHERE spieltag_id = :spid ORDER BY id LIMIT 1")};
const Sql otherPlayerSql{
    QStringLiteral("SELECT * FROM tv_ergebnisse WHERE spieltag_id = :spid AND spieler_id IS NOT :splid  LIMIT 1;"),
    QStringLiteral("SELECT * FROM tv_ergebnisse WHERE spieltag_id = :spid AND spieler_id IS DISTINCT FROM :splid "
                   "ORDER BY id LIMIT 1")};
const Sql deleteSurplusSql{
    QStringLiteral("DELETE FROM tv_ergebnisse WHERE spieltag_id = :spid AND id IS NOT :id1 AND id IS NOT :id2 ;"),
    QStringLiteral("DELETE FROM tv_ergebnisse WHERE spieltag_id = :spid AND id IS DISTINCT FROM :id1 AND id IS "
                   "DISTINCT FROM :id2")};

int figure(const Row& q, const char* column) {
    return q.value(column).toInt(); // NULL and the empty text give 0
}

} // namespace

QList<LeagueTableRow> SqlStore::leagueTable(Id league) {
    QList<LeagueTableRow> rows;
    const Hold open(*this);
    const Sql& sql = standingsSql(league, leagueTableSql, countedLeagueTableSql, finishedLeagueTableSql);
    read(sql, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) {
        LeagueTableRow r;
        r.playerId = q.text("id_spieler");
        r.name1 = q.text("name1");
        r.name2 = q.text("name2");
        r.won = figure(q, "gewSpiele");
        r.drawn = figure(q, "unenSpiele");
        r.lost = figure(q, "verlSpiele");
        r.legsWon = figure(q, "gewonnene");
        r.legsLost = figure(q, "verlorene");
        r.points = figure(q, "gesamtpunkte");
        r.average = q.value("sumav").toFloat();
        r.doublesHit = figure(q, "doppA");
        r.doublesThrown = figure(q, "doppB");
        r.legDifference = figure(q, "differenz");
        r.hasResults = !q.value("gesamtpunkte").isNull();
        rows.append(r);
    });
    return rows;
}

QList<MatchPoints> SqlStore::playedMatches(Id league) {
    QList<MatchPoints> matches;
    read(playedMatchesSql, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) {
        matches.append({q.text("heim"), q.text("gast"), figure(q, "heimpunkte"), figure(q, "gastpunkte")});
    });
    return matches;
}

QList<StatisticsRow> SqlStore::statistics(Id league) {
    QList<StatisticsRow> rows;
    const Hold open(*this);
    const Sql& sql = standingsSql(league, statisticsSql, countedStatisticsSql, finishedStatisticsSql);
    read(sql, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) {
        StatisticsRow r;
        r.name1 = q.text("name1");
        r.name2 = q.text("name2");
        r.minus20 = figure(q, "sm20");
        r.plus20 = figure(q, "sp20");
        r.plus40 = figure(q, "sp40");
        r.plus60 = figure(q, "sp60");
        r.plus80 = figure(q, "sp80");
        r.plus100 = figure(q, "sp100");
        r.plus140 = figure(q, "sp140");
        r.plus171 = figure(q, "sp171");
        r.count180 = figure(q, "sp180");
        r.highestFinish = figure(q, "maxhf");
        r.bestLeg = figure(q, "minbestleg");
        r.playerId = q.text("id_spieler");
        rows.append(r);
    });
    if (readsFailing())
        return rows;
    const QList<withdrawal::Withdrawal> out = withdrawals(league);
    return out.isEmpty() ? rows : withdrawal::countedStatistics(rows, out);
}

QList<season::PlayedResult> SqlStore::seasonResults(Id league) {
    QList<season::PlayedResult> results;
    QSet<QString> seen; // a second row of the same player for the same match is left out
    read(playedResultsSql, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) {
        season::PlayedResult r;
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

QList<Id> SqlStore::duplicateMatches() {
    QList<Id> ids;
    read(findDuplicatesSql, {}, [&](const Row& q) { ids.append(q.value("spieltag_id").toLongLong()); });
    return ids;
}

Result SqlStore::deleteDuplicateResults(const QList<Id>& matches) {
    // For each match the first row (A) and the first row of another player (B) stay; when all rows belong to
    // one player there is no B and only A stays. A row to keep that cannot be read fails the whole write,
    // so that no match loses every row.
    return write([&](StoreChange& c) {
        QSqlQuery first(database()), other(database()), remove(database());
        const QString spid = QStringLiteral(":spid");
        for (Id match : matches) {
            Result r = run(first, firstRowSql, {{spid, number(match)}});
            if (!r)
                return r;
            if (!first.next())
                continue; // no rows (any more): nothing to reduce
            const QVariant a = first.value("id"), player = first.value("spieler_id");
            first.finish();
            r = run(other, otherPlayerSql, {{spid, number(match)}, {QStringLiteral(":splid"), player}});
            const QVariant b = r && other.next() ? other.value("id") : QVariant();
            other.finish();
            if (r)
                r = run(remove, deleteSurplusSql,
                        {{spid, number(match)}, {QStringLiteral(":id1"), a}, {QStringLiteral(":id2"), b}});
            if (!r)
                return r;
            if (remove.numRowsAffected() > 0) {
                const StoreChange::MatchRef ref = matchRef(match);
                c.kinds |= StoreChange::Results;
                c.merge({{}, {}, {ref.league}, {ref}, false});
            }
        }
        return Result();
    });
}

QString SqlStore::standingsQueryText(Query query) const {
    switch (query) {
    case Query::LeagueTable:
        return text(leagueTableSql);
    case Query::Statistics:
        return text(statisticsSql);
    default:
        return QString();
    }
}

} // namespace tavorin::db
