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

// Runs the prepared record statement for one player and reads its first row.
MatchRecord record(QSqlQuery& query, const QString& tag, const QString& spieler, const QString& matchId,
                   const QString& playerId) {
    MatchRecord r;
    query.bindValue(tag, matchId);
    query.bindValue(spieler, playerId);
    if (query.exec() && query.next()) {
        r.average = query.value(QStringLiteral("ave")).toFloat();
        r.count180 = query.value(QStringLiteral("p180")).toInt();
        r.highFinish = query.value(QStringLiteral("hf")).toInt();
        r.bestLeg = db::text(query, "bestleg");
        r.hash = db::text(query, "hash");
        r.platform = db::text(query, "plat");
        r.doublesHit = query.value(QStringLiteral("douba")).toInt();
        r.doublesThrown = query.value(QStringLiteral("doubb")).toInt();
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
    db::readRows(scheduleSql, {{QStringLiteral(":liga"), leagueId}}, [&](const QSqlQuery& q) {
        Pairing p;
        p.match.matchDay = db::text(q, "spieltag");
        p.match.homeName1 = db::text(q, "heimname");
        p.match.homeName2 = db::text(q, "heim2");
        p.match.awayName1 = db::text(q, "gastname");
        p.match.awayName2 = db::text(q, "gast2");
        p.match.legsWon = db::text(q, "legs_won");
        p.match.legsLost = db::text(q, "legs_lost");
        p.id = db::text(q, "ids");
        p.home = db::text(q, "heim_nr");
        p.away = db::text(q, "gast_nr");
        pairings.append(p);
    });

    QList<ScheduleMatch> matches;
    matches.reserve(pairings.size());
    QSqlQuery home;
    QSqlQuery away;
    const bool prepared = home.prepare(homeRecordSql) && away.prepare(awayRecordSql);
    for (Pairing& p : pairings) {
        if (prepared) {
            p.match.home = record(home, QStringLiteral(":tag"), QStringLiteral(":spieler"), p.id, p.home);
            p.match.away = record(away, QStringLiteral(":tag2"), QStringLiteral(":spieler2"), p.id, p.away);
        }
        matches.append(p.match);
    }
    return matches;
}

} // namespace tavorin
