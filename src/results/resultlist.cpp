#include "resultlist.h"

#include "db/leaguedatabase.h"

#include <QSqlQuery>

namespace tavorin::resultlist {

namespace {

const QString matchDaysSql =
    QStringLiteral("SELECT spieltag FROM tv_spieltage WHERE liga = :liga GROUP BY spieltag ORDER BY spieltag ;");
const QString membersSql = QStringLiteral(
    "SELECT *, tv_spieler.dartn_name AS name, tv_spieler.id AS nameid FROM tv_spieler LEFT JOIN tv_zuordnung ON "
    "tv_spieler.id = tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :liga ORDER BY dartn_name ;");

// The listing statement up to its WHERE clause; both modes share it.
const QString listSqlHead = QStringLiteral(
    "SELECT spieltag, tv_spieltage.id AS ids, A.prodarter_name AS heimname, A.dartn_name AS dheimname, "
    "B.prodarter_name AS gastname, B.dartn_name AS dgastname, legs_won, legs_lost, heim, gast FROM tv_spieltage LEFT "
    "JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieltag_id = "
    "tv_spieltage.id AND tv_ergebnisse.spieler_id = A.id LEFT JOIN tv_spieler AS B ON tv_spieltage.gast = B.id ");
const QString byDaySql =
    listSqlHead +
    QStringLiteral("WHERE tv_spieltage.liga = :liga AND tv_spieltage.spieltag = :tag ORDER BY spieltag ASC ;");
// The player's matches are found through the indexes on home and guest; the player rows must exist, and
// matches of one match day keep the order of their ids.
const QString byPlayerSql =
    listSqlHead + QStringLiteral("WHERE tv_spieltage.id IN (SELECT id FROM tv_spieltage WHERE heim = :spieler UNION "
                                 "ALL SELECT id FROM tv_spieltage WHERE gast = :spieler) AND (A.id = :spieler OR "
                                 "B.id = :spieler) ORDER BY spieltag ASC, tv_spieltage.id ASC ;");

QList<ListedMatch> listed(const QString& sql, const db::Bindings& values) {
    QList<ListedMatch> rows;
    db::readRows(sql, values, [&](const db::Row& q) {
        const int won = q.value("legs_won").toInt(), lost = q.value("legs_lost").toInt();
        rows.append({q.text("ids"), q.text("spieltag"), q.text("heimname"), q.text("dheimname"), q.text("gastname"),
                     q.text("dgastname"), q.text("heim"), q.text("gast"), won + lost > 0, QString::number(won),
                     QString::number(lost)});
    });
    return rows;
}

} // namespace

QList<MatchDay> matchDays(const QString& leagueId) {
    QList<MatchDay> days;
    db::readRows(matchDaysSql, {{QStringLiteral(":liga"), leagueId}}, [&](const db::Row& q) {
        const QString number = q.text("spieltag");
        days.append({number, number + QStringLiteral(". Spieltag")});
    });
    return days;
}

QList<Member> members(const QString& leagueId) {
    QList<Member> list;
    db::readRows(membersSql, {{QStringLiteral(":liga"), leagueId}}, [&](const db::Row& q) {
        list.append({q.text("nameid"), q.text("name")});
    });
    return list;
}

QList<ListedMatch> matchesOfDay(const QString& leagueId, const QString& matchDay) {
    return listed(byDaySql, {{QStringLiteral(":liga"), leagueId}, {QStringLiteral(":tag"), matchDay}});
}

QList<ListedMatch> matchesOfPlayer(const QString& playerId) {
    return listed(byPlayerSql, {{QStringLiteral(":spieler"), playerId}});
}

const QString& matchDaysQuery() {
    return matchDaysSql;
}

const QString& membersQuery() {
    return membersSql;
}

const QString& matchesOfDayQuery() {
    return byDaySql;
}

const QString& matchesOfPlayerQuery() {
    return byPlayerSql;
}

} // namespace tavorin::resultlist
