#include "scheduleexport.h"

#include "db/leaguedatabase.h"

#include <QSqlQuery>

namespace tavorin {

namespace {

const QString scheduleSql = QStringLiteral(
    "SELECT  spieltag, tv_spieltage.id AS ids, A.dartn_name AS heimname, tv_spieltage.heim AS heim_nr, "
    "tv_spieltage.gast AS gast_nr,A.prodarter_name AS heim2, legs_won, legs_lost, B.dartn_name AS gastname, "
    "B.prodarter_name AS gast2 FROM tv_spieltage LEFT JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN "
    "tv_spieler AS B ON tv_spieltage.gast = B.id LEFT JOIN tv_ergebnisse ON tv_spieltage.id = tv_ergebnisse "
    ".spieltag_id AND tv_spieltage.heim = tv_ergebnisse.spieler_id WHERE tv_spieltage.liga = :liga ORDER BY "
    "spieltag ASC ;");
const QString homeRecordSql =
    QStringLiteral("SELECT  ave , p180, hf, bestleg, hash, plat, douba, doubb FROM tv_ergebnisse WHERE "
                   "tv_ergebnisse.spieltag_id = :tag AND tv_ergebnisse.spieler_id = :spieler LIMIT 1 ;");
const QString awayRecordSql =
    QStringLiteral("SELECT  ave , p180, hf, bestleg, hash, plat, douba, doubb FROM tv_ergebnisse WHERE "
                   "tv_ergebnisse.spieltag_id = :tag2 AND tv_ergebnisse.spieler_id = :spieler2 LIMIT 1 ;");

struct Pairing {
    ScheduleMatch match;
    QString id, home, away;
};

// Runs the prepared record statement for one player and reads its first row through `row`.
MatchRecord record(QSqlQuery& query, const db::Row& row, const QString& tag, const QString& spieler,
                   const QString& matchId, const QString& playerId) {
    MatchRecord r;
    query.bindValue(tag, matchId);
    query.bindValue(spieler, playerId);
    if (query.exec() && query.next()) {
        r.average = row.value("ave").toFloat();
        r.count180 = row.value("p180").toInt();
        r.highFinish = row.value("hf").toInt();
        r.bestLeg = row.text("bestleg");
        r.hash = row.text("hash");
        r.platform = row.text("plat");
        r.doublesHit = row.value("douba").toInt();
        r.doublesThrown = row.value("doubb").toInt();
    }
    query.finish();
    return r;
}

} // namespace

const QString& scheduleExportQuery() {
    return scheduleSql;
}

const QString& homeRecordQuery() {
    return homeRecordSql;
}

QList<ScheduleMatch> scheduleForExport(const QString& leagueId) {
    db::ConnectionGuard guard;
    QList<Pairing> pairings;
    db::readRows(scheduleSql, {{QStringLiteral(":liga"), leagueId}}, [&](const db::Row& q) {
        Pairing p;
        p.match.matchDay = q.text("spieltag");
        p.match.homeName1 = q.text("heimname");
        p.match.homeName2 = q.text("heim2");
        p.match.awayName1 = q.text("gastname");
        p.match.awayName2 = q.text("gast2");
        p.match.legsWon = q.text("legs_won");
        p.match.legsLost = q.text("legs_lost");
        p.id = q.text("ids");
        p.home = q.text("heim_nr");
        p.away = q.text("gast_nr");
        pairings.append(p);
    });

    QList<ScheduleMatch> matches;
    matches.reserve(pairings.size());
    QSqlQuery home;
    QSqlQuery away;
    const db::Row homeRow(home), awayRow(away);
    const bool prepared = home.prepare(homeRecordSql) && away.prepare(awayRecordSql);
    for (Pairing& p : pairings) {
        if (prepared) {
            p.match.home = record(home, homeRow, QStringLiteral(":tag"), QStringLiteral(":spieler"), p.id, p.home);
            p.match.away = record(away, awayRow, QStringLiteral(":tag2"), QStringLiteral(":spieler2"), p.id, p.away);
        }
        matches.append(p.match);
    }
    return matches;
}

} // namespace tavorin
