#include "registry.h"

#include "db/leaguedatabase.h"

#include <QSqlQuery>

namespace tavorin::registry {

namespace {

const QString selectPlayers = QStringLiteral("SELECT * FROM tv_spieler ORDER BY prodarter_name COLLATE NOCASE ASC ;");
const QString selectPool =
    QStringLiteral("SELECT * FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler WHERE "
                   "tv_zuordnung.id_spieler IS NULL ORDER BY prodarter_name COLLATE NOCASE ASC ;");
const QString selectMembers = QStringLiteral(
    "SELECT tv_zuordnung.id AS zuid, * FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = "
    "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_spieler IS NOT NULL AND tv_zuordnung.id_liga = :lgid ORDER BY "
    "prodarter_name COLLATE NOCASE ASC ;");
const QString selectLeaguesOfPlayer =
    QStringLiteral("SELECT tv_ligen.liga_name FROM tv_zuordnung JOIN tv_ligen ON tv_ligen.id = tv_zuordnung.id_liga "
                   "WHERE tv_zuordnung.id_spieler = :id ORDER BY tv_zuordnung.id ;");
const QString selectScheduledIn = QStringLiteral(
    "SELECT DISTINCT tv_ligen.liga_name FROM tv_spieltage JOIN tv_ligen ON tv_ligen.id = tv_spieltage.liga WHERE "
    "tv_spieltage.heim = :id OR tv_spieltage.gast = :id ORDER BY tv_ligen.liga_name COLLATE NOCASE ;");
const QString selectResultsIn = QStringLiteral(
    "SELECT DISTINCT tv_ligen.liga_name FROM tv_ergebnisse JOIN tv_spieltage ON tv_spieltage.id = "
    "tv_ergebnisse.spieltag_id JOIN tv_ligen ON tv_ligen.id = tv_spieltage.liga WHERE tv_ergebnisse.spieler_id = "
    ":id ORDER BY tv_ligen.liga_name COLLATE NOCASE ;");
const QString countResultsWithoutMatch = QStringLiteral(
    "SELECT COUNT(*) FROM tv_ergebnisse LEFT JOIN tv_spieltage ON tv_spieltage.id = tv_ergebnisse.spieltag_id WHERE "
    "tv_ergebnisse.spieler_id = :id AND tv_spieltage.id IS NULL ;");
const QString selectMemberWithMatches = QStringLiteral(
    "SELECT tv_spieler.dartn_name FROM tv_zuordnung JOIN tv_spieler ON tv_spieler.id = tv_zuordnung.id_spieler "
    "WHERE tv_zuordnung.id = :id AND EXISTS (SELECT 1 FROM tv_spieltage WHERE tv_spieltage.liga = "
    "tv_zuordnung.id_liga AND (tv_spieltage.heim = tv_zuordnung.id_spieler OR tv_spieltage.gast = "
    "tv_zuordnung.id_spieler)) ;");
const QString selectNameTaken = QStringLiteral(
    "SELECT COUNT(*) FROM tv_spieler WHERE dartn_name = :dname COLLATE NOCASE OR prodarter_name = :pname COLLATE "
    "NOCASE ;");
const QString selectLeagues = QStringLiteral("SELECT * FROM tv_ligen ORDER BY liga_name COLLATE NOCASE ASC ;");

const QString insertPlayerSql =
    QStringLiteral("INSERT INTO tv_spieler (id,dartn_name,prodarter_name) VALUES (NULL, :dname, :pname) ;");
const QString updatePlayerSql =
    QStringLiteral("UPDATE tv_spieler SET dartn_name = :dname , prodarter_name = :pname WHERE id = :id ;");
const QString deletePlayerSql = QStringLiteral("DELETE FROM tv_spieler WHERE id = :id ;");

const QString insertLeagueSql = QStringLiteral("INSERT INTO tv_ligen (id,liga_name) VALUES (NULL, :lname) ;");
const QString renameLeagueSql = QStringLiteral("UPDATE tv_ligen SET liga_name = :lname WHERE id = :id ;");
// Table names are matched without regard to case.
const QString deleteLeagueSql = QStringLiteral("DELETE FROM tv_Ligen WHERE id = :id ;");

const QString assignSql =
    QStringLiteral("INSERT INTO tv_zuordnung (id, id_spieler, id_liga) VALUES (NULL, :idsp , :idlig) ");
const QString removeAssignmentSql = QStringLiteral("DELETE FROM tv_zuordnung WHERE id = :idlig ; ");

// Runs a player query; `idColumn` names the column that fills PlayerRow::id.
QList<PlayerRow> players(const QString& sql, const db::Bindings& values, const char* idColumn) {
    QList<PlayerRow> rows;
    db::readRows(sql, values, [&](const db::Row& q) {
        rows.append({q.text(idColumn), q.text("dartn_name"), q.text("prodarter_name")});
    });
    return rows;
}

} // namespace

QList<PlayerRow> allPlayers() {
    return players(selectPlayers, {}, "id");
}

QList<PlayerRow> poolPlayers() {
    // Both joined tables have a column "id"; the first one, the player's, is the one read.
    return players(selectPool, {}, "id");
}

QList<PlayerRow> leagueMembers(const QString& leagueId) {
    return players(selectMembers, {{QStringLiteral(":lgid"), leagueId}}, "zuid");
}

QStringList leaguesOfPlayer(const QString& playerId) {
    QStringList names;
    db::readRows(selectLeaguesOfPlayer, {{QStringLiteral(":id"), playerId}},
                 [&](const db::Row& q) { names << q.text("liga_name"); });
    return names;
}

PlayerUse playerUse(const QString& playerId) {
    const db::ConnectionGuard open; // one opening for the three reads
    const db::Bindings id{{QStringLiteral(":id"), playerId}};
    PlayerUse use;
    db::readRows(selectScheduledIn, id, [&](const db::Row& q) { use.scheduledIn << q.text("liga_name"); });
    db::readRows(selectResultsIn, id, [&](const db::Row& q) { use.resultsIn << q.text("liga_name"); });
    use.resultsWithoutMatch = db::readNumber(countResultsWithoutMatch, id);
    return use;
}

QStringList membersWithMatches(const QStringList& assignmentIds) {
    const db::ConnectionGuard open;
    QStringList names;
    for (const QString& id : assignmentIds) {
        db::readRows(selectMemberWithMatches, {{QStringLiteral(":id"), id}},
                     [&](const db::Row& q) { names << q.text("dartn_name"); });
    }
    return names;
}

bool nameTaken(const QString& dartnName, const QString& prodarterName) {
    return db::readNumber(selectNameTaken,
                          {{QStringLiteral(":dname"), dartnName}, {QStringLiteral(":pname"), prodarterName}}) > 0;
}

QList<LeagueRow> allLeagues() {
    QList<LeagueRow> rows;
    db::readRows(selectLeagues, {}, [&](const db::Row& q) { rows.append({q.text("id"), q.text("liga_name")}); });
    return rows;
}

const QString& leaguesQuery() {
    return selectLeagues;
}

const QString& membersQuery() {
    return selectMembers;
}

QList<QStringList> tableRows(const QList<PlayerRow>& players) {
    QList<QStringList> rows;
    rows.reserve(players.size());
    for (const PlayerRow& p : players)
        rows.append({p.id, p.dartnName, p.prodarterName});
    return rows;
}

db::Statement insertPlayer(const QString& dartnName, const QString& prodarterName) {
    return {insertPlayerSql, {{QStringLiteral(":dname"), dartnName}, {QStringLiteral(":pname"), prodarterName}}};
}

db::Statement updatePlayer(const QString& id, const QString& dartnName, const QString& prodarterName) {
    return {updatePlayerSql,
            {{QStringLiteral(":dname"), dartnName},
             {QStringLiteral(":pname"), prodarterName},
             {QStringLiteral(":id"), id}}};
}

db::Statement deletePlayer(const QString& id) {
    return {deletePlayerSql, {{QStringLiteral(":id"), id}}};
}

db::Statement insertLeague(const QString& name) {
    return {insertLeagueSql, {{QStringLiteral(":lname"), name}}};
}

db::Statement renameLeague(const QString& id, const QString& name) {
    return {renameLeagueSql, {{QStringLiteral(":lname"), name}, {QStringLiteral(":id"), id}}};
}

db::Statement deleteLeague(const QString& id) {
    return {deleteLeagueSql, {{QStringLiteral(":id"), id}}};
}

db::Statement assignPlayer(const QString& playerId, const QString& leagueId) {
    return {assignSql, {{QStringLiteral(":idsp"), playerId}, {QStringLiteral(":idlig"), leagueId}}};
}

db::Statement removeAssignment(const QString& assignmentId) {
    return {removeAssignmentSql, {{QStringLiteral(":idlig"), assignmentId}}};
}

} // namespace tavorin::registry
