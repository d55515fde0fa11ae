#include "scheduledata.h"

#include "db/leaguedatabase.h"

#include <QSqlQuery>

namespace tavorin::scheduledata {

namespace {

const QString countMembersSql = QStringLiteral("SELECT COUNT(*) AS SP FROM tv_zuordnung WHERE id_liga = :idliga ;");
// Ordered by the assignment, so that the same league always yields the same schedule.
const QString memberIdsSql = QStringLiteral(
    "SELECT tv_spieler.id AS zuid FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler "
    "WHERE tv_zuordnung.id_spieler IS NOT NULL AND tv_zuordnung.id_liga = :lgid ORDER BY tv_zuordnung.id ;");
const QString matchesSql = QStringLiteral(
    "SELECT tv_spieltage.id AS ids, A.dartn_name AS heimname, B.dartn_name AS gastname, * FROM tv_spieltage LEFT "
    "JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN tv_spieler AS B ON tv_spieltage.gast = B.id WHERE "
    "tv_spieltage.liga = :liga ORDER BY spieltag ASC ;");
const QString choicesSql = QStringLiteral(
    "SELECT tv_zuordnung.id AS zuid, tv_spieler.id AS spid, * FROM tv_spieler LEFT JOIN tv_zuordnung ON "
    "tv_spieler.id = tv_zuordnung.id_spieler WHERE tv_zuordnung.id_spieler IS NOT NULL AND tv_zuordnung.id_liga = "
    ":lgid ORDER BY prodarter_name COLLATE NOCASE ASC ;");
const QString playedSql = QStringLiteral(
    "SELECT COUNT(DISTINCT spieltag_id) FROM tv_ergebnisse WHERE spieltag_id IN (SELECT id FROM tv_spieltage WHERE "
    "liga = :liga) ;");
const QString insertSql = QStringLiteral(
    "INSERT INTO tv_spieltage (id,liga,spieltag,heim,gast) VALUES (NULL, :liga, :spieltag, :heim, :gast) ;");
const QString deleteScheduleSql = QStringLiteral("DELETE FROM tv_spieltage  WHERE tv_spieltage.liga = :liga  ;");
const QString setPlayersSql = QStringLiteral("UPDATE tv_spieltage SET heim = :heim , gast = :gast WHERE id = :id ;");
const QString deleteResultsSql = QStringLiteral("DELETE FROM tv_ergebnisse ;");

} // namespace

int memberCount(const QString& leagueId) {
    return db::readNumber(countMembersSql, {{QStringLiteral(":idliga"), leagueId}});
}

QStringList memberIds(const QString& leagueId) {
    QStringList ids;
    db::readRows(memberIdsSql, {{QStringLiteral(":lgid"), leagueId}}, [&](const db::Row& q) { ids << q.text("zuid"); });
    return ids;
}

QList<MatchRow> matches(const QString& leagueId) {
    QList<MatchRow> rows;
    db::readRows(matchesSql, {{QStringLiteral(":liga"), leagueId}}, [&](const db::Row& q) {
        rows.append({q.text("ids"), q.text("spieltag"), q.text("heimname"), q.text("gastname"), q.text("heim"),
                     q.text("gast")});
    });
    return rows;
}

int playedMatchCount(const QString& leagueId) {
    return db::readNumber(playedSql, {{QStringLiteral(":liga"), leagueId}});
}

QList<MemberChoice> replacementChoices(const QString& leagueId) {
    QList<MemberChoice> rows;
    db::readRows(choicesSql, {{QStringLiteral(":lgid"), leagueId}}, [&](const db::Row& q) {
        rows.append({q.text("spid"), q.text("dartn_name")});
    });
    return rows;
}

const QString& memberCountQuery() {
    return countMembersSql;
}

const QString& matchesQuery() {
    return matchesSql;
}

QList<db::Statement> insertRows(const QString& leagueId, const QList<ScheduleRow>& rows) {
    QList<db::Statement> statements;
    statements.reserve(rows.size());
    for (const ScheduleRow& r : rows) {
        statements.append({insertSql,
                           {{QStringLiteral(":liga"), leagueId},
                            {QStringLiteral(":spieltag"), r.matchDay},
                            {QStringLiteral(":heim"), r.home},
                            {QStringLiteral(":gast"), r.away}}});
    }
    return statements;
}

db::Statement deleteSchedule(const QString& leagueId) {
    return {deleteScheduleSql, {{QStringLiteral(":liga"), leagueId}}};
}

db::Statement setPlayers(const QString& matchId, const QString& heim, const QString& gast) {
    return {setPlayersSql,
            {{QStringLiteral(":heim"), heim}, {QStringLiteral(":gast"), gast}, {QStringLiteral(":id"), matchId}}};
}

db::Statement deleteAllResults() {
    return {deleteResultsSql, {}};
}

} // namespace tavorin::scheduledata
