#include "standings.h"

#include "db/leaguedatabase.h"
#include "results/numbers.h"

#include <QSqlQuery>

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

int number(const db::Row& q, const char* column) {
    return q.value(column).toInt(); // NULL and the empty text give 0
}

} // namespace

QList<LeagueTableRow> leagueTable(const QString& leagueId) {
    QList<LeagueTableRow> rows;
    db::readRows(leagueTableSql, {{QStringLiteral(":lgid"), leagueId}}, [&](const db::Row& q) {
        LeagueTableRow r;
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
        rows.append(r);
    });
    return rows;
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
    const float quote = (100.0f / static_cast<float>(thrown)) * static_cast<float>(hit);
    return twoDecimals(quote) + QStringLiteral("% (") + QString::number(hit) + QLatin1Char('/') +
           QString::number(thrown) + QLatin1Char(')');
}

} // namespace tavorin
