// The player register, the leagues and the membership of players in leagues.
#include "sqlstore.h"

#include <QSqlQuery>

namespace tavorin::db {

namespace {

// Letter case is ignored in ASCII only, as SQLite's NOCASE does; players of the same name keep their order.
const Sql selectPlayers{QStringLiteral("SELECT * FROM tv_spieler ORDER BY prodarter_name COLLATE NOCASE ASC ;"),
                        QStringLiteral("SELECT * FROM tv_spieler ORDER BY lower(prodarter_name), id")};
const Sql selectPlayer{QStringLiteral("SELECT * FROM tv_spieler WHERE id = :id ;")};
const Sql selectPool{
    QStringLiteral("SELECT * FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler WHERE "
                   "tv_zuordnung.id_spieler IS NULL ORDER BY prodarter_name COLLATE NOCASE ASC ;"),
    QStringLiteral("SELECT tv_spieler.* FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = "
                   "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_spieler IS NULL ORDER BY lower(prodarter_name), "
                   "tv_spieler.id")};
const Sql selectMembers{
    QStringLiteral(
        "SELECT tv_zuordnung.id AS zuid, * FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = "
        "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_spieler IS NOT NULL AND tv_zuordnung.id_liga = :lgid ORDER BY "
        "prodarter_name COLLATE NOCASE ASC ;"),
    QStringLiteral("SELECT tv_zuordnung.id AS zuid, tv_zuordnung.id_spieler, tv_spieler.dartn_name, "
                   "tv_spieler.prodarter_name FROM tv_spieler JOIN tv_zuordnung ON tv_spieler.id = "
                   "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid ORDER BY "
                   "lower(prodarter_name), tv_zuordnung.id")};
const Sql selectMembersByFirstName{
    QStringLiteral(
        "SELECT *, tv_spieler.dartn_name AS name, tv_spieler.id AS nameid FROM tv_spieler LEFT JOIN tv_zuordnung ON "
        "tv_spieler.id = tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :liga ORDER BY dartn_name ;"),
    QStringLiteral("SELECT tv_spieler.dartn_name AS name, tv_spieler.id AS nameid, tv_spieler.prodarter_name FROM "
                   "tv_spieler JOIN tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga "
                   "= :liga ORDER BY dartn_name, tv_zuordnung.id")};
// Ordered by the assignment, so that the same league always yields the same schedule.
const Sql selectMemberIds{QStringLiteral(
    "SELECT tv_spieler.id AS zuid FROM tv_spieler LEFT JOIN tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler "
    "WHERE tv_zuordnung.id_spieler IS NOT NULL AND tv_zuordnung.id_liga = :lgid ORDER BY tv_zuordnung.id ;")};
const Sql countMembers{QStringLiteral("SELECT COUNT(*) AS SP FROM tv_zuordnung WHERE id_liga = :idliga ;")};
const Sql selectLeaguesOfPlayer{
    QStringLiteral("SELECT tv_ligen.liga_name FROM tv_zuordnung JOIN tv_ligen ON tv_ligen.id = tv_zuordnung.id_liga "
                   "WHERE tv_zuordnung.id_spieler = :id ORDER BY tv_zuordnung.id ;")};
const Sql selectNameTaken{
    QStringLiteral(
        "SELECT COUNT(*) FROM tv_spieler WHERE dartn_name = :dname COLLATE NOCASE OR prodarter_name = :pname COLLATE "
        "NOCASE ;"),
    QStringLiteral("SELECT COUNT(*) FROM tv_spieler WHERE lower(dartn_name) = lower(:dname) OR "
                   "lower(prodarter_name) = lower(:pname)")};
const Sql selectLeagues{QStringLiteral("SELECT * FROM tv_ligen ORDER BY liga_name COLLATE NOCASE ASC ;"),
                        QStringLiteral("SELECT * FROM tv_ligen ORDER BY lower(liga_name), id")};

const Sql selectScheduledIn{
    QStringLiteral("SELECT DISTINCT tv_ligen.liga_name FROM tv_spieltage JOIN tv_ligen ON tv_ligen.id = "
                   "tv_spieltage.liga WHERE tv_spieltage.heim = :id OR tv_spieltage.gast = :id ORDER BY "
                   "tv_ligen.liga_name COLLATE NOCASE ;"),
    QStringLiteral("SELECT liga_name FROM (SELECT DISTINCT tv_ligen.liga_name FROM tv_spieltage JOIN tv_ligen ON "
                   "tv_ligen.id = tv_spieltage.liga WHERE tv_spieltage.heim = :id OR tv_spieltage.gast = :id) AS "
                   "ligen ORDER BY lower(liga_name), liga_name")};
const Sql selectResultsIn{
    QStringLiteral("SELECT DISTINCT tv_ligen.liga_name FROM tv_ergebnisse JOIN tv_spieltage ON tv_spieltage.id = "
                   "tv_ergebnisse.spieltag_id JOIN tv_ligen ON tv_ligen.id = tv_spieltage.liga WHERE "
                   "tv_ergebnisse.spieler_id = :id ORDER BY tv_ligen.liga_name COLLATE NOCASE ;"),
    QStringLiteral("SELECT liga_name FROM (SELECT DISTINCT tv_ligen.liga_name FROM tv_ergebnisse JOIN tv_spieltage "
                   "ON tv_spieltage.id = tv_ergebnisse.spieltag_id JOIN tv_ligen ON tv_ligen.id = tv_spieltage.liga "
                   "WHERE tv_ergebnisse.spieler_id = :id) AS ligen ORDER BY lower(liga_name), liga_name")};
const Sql countResultsWithoutMatch{
    QStringLiteral("SELECT COUNT(*) FROM tv_ergebnisse LEFT JOIN tv_spieltage ON tv_spieltage.id = "
                   "tv_ergebnisse.spieltag_id WHERE tv_ergebnisse.spieler_id = :id AND tv_spieltage.id IS NULL ;")};
const Sql selectMemberWithMatches{QStringLiteral(
    "SELECT tv_spieler.dartn_name FROM tv_zuordnung JOIN tv_spieler ON tv_spieler.id = tv_zuordnung.id_spieler "
    "WHERE tv_zuordnung.id = :id AND EXISTS (SELECT 1 FROM tv_spieltage WHERE tv_spieltage.liga = "
    "tv_zuordnung.id_liga AND (tv_spieltage.heim = tv_zuordnung.id_spieler OR tv_spieltage.gast = "
    "tv_zuordnung.id_spieler)) ;")};

const Sql countAssignmentsOfPlayer{QStringLiteral("SELECT COUNT(*) FROM tv_zuordnung WHERE id_spieler = :id")};
const Sql countAssignmentsOfLeague{
    QStringLiteral("SELECT COUNT(*) FROM tv_zuordnung JOIN tv_spieler ON tv_spieler.id = "
                   "tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :id")};

const Sql insertPlayerSql{
    QStringLiteral("INSERT INTO tv_spieler (id,dartn_name,prodarter_name) VALUES (NULL, :dname, :pname) ;"),
    QStringLiteral("INSERT INTO tv_spieler (dartn_name, prodarter_name) VALUES (:dname, :pname) RETURNING id")};
const Sql updatePlayerSql{
    QStringLiteral("UPDATE tv_spieler SET dartn_name = :dname , prodarter_name = :pname WHERE id = :id ;")};
const Sql deletePlayerSql{QStringLiteral("DELETE FROM tv_spieler WHERE id = :id ;")};
const Sql insertLeagueSql{QStringLiteral("INSERT INTO tv_ligen (id,liga_name) VALUES (NULL, :lname) ;"),
                          QStringLiteral("INSERT INTO tv_ligen (liga_name) VALUES (:lname) RETURNING id")};
const Sql renameLeagueSql{QStringLiteral("UPDATE tv_ligen SET liga_name = :lname WHERE id = :id ;")};
// Table names are matched without regard to case.
const Sql deleteLeagueSql{QStringLiteral("DELETE FROM tv_Ligen WHERE id = :id ;")};
const Sql assignSql{QStringLiteral("INSERT INTO tv_zuordnung (id, id_spieler, id_liga) VALUES (NULL, :idsp , :idlig) "),
                    QStringLiteral("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (:idsp, :idlig)")};
const Sql assignmentSql{QStringLiteral("SELECT id_spieler, id_liga FROM tv_zuordnung WHERE id = :id ;")};
const Sql removeAssignmentSql{QStringLiteral("DELETE FROM tv_zuordnung WHERE id = :idlig ; ")};

Player playerOf(const Row& q) {
    return {q.value("id").toLongLong(), q.text("dartn_name"), q.text("prodarter_name")};
}

Member memberOf(const Row& q) {
    return {q.value("zuid").toLongLong(), q.value("id_spieler").toLongLong(), q.text("dartn_name"),
            q.text("prodarter_name")};
}

// Ids are bound as numbers.
QVariant number(Id id) {
    return QVariant::fromValue(id);
}

} // namespace

QList<Player> SqlStore::players() {
    QList<Player> rows;
    read(selectPlayers, {}, [&](const Row& q) { rows.append(playerOf(q)); });
    return rows;
}

QList<Player> SqlStore::poolPlayers() {
    // Both joined tables have a column "id"; the first one, the player's, is the one read.
    QList<Player> rows;
    read(selectPool, {}, [&](const Row& q) { rows.append(playerOf(q)); });
    return rows;
}

Player SqlStore::player(Id id) {
    Player found;
    read(selectPlayer, {{QStringLiteral(":id"), number(id)}}, [&](const Row& q) { found = playerOf(q); });
    return found;
}

QList<League> SqlStore::leagues() {
    QList<League> rows;
    read(selectLeagues, {}, [&](const Row& q) { rows.append({q.value("id").toLongLong(), q.text("liga_name")}); });
    return rows;
}

QList<Member> SqlStore::members(Id league) {
    QList<Member> rows;
    read(selectMembers, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) { rows.append(memberOf(q)); });
    return rows;
}

QList<Member> SqlStore::membersByFirstName(Id league) {
    QList<Member> rows;
    read(selectMembersByFirstName, {{QStringLiteral(":liga"), number(league)}}, [&](const Row& q) {
        rows.append({0, q.value("nameid").toLongLong(), q.text("name"), q.text("prodarter_name")});
    });
    return rows;
}

QList<Id> SqlStore::memberIdsInOrder(Id league) {
    QList<Id> ids;
    read(selectMemberIds, {{QStringLiteral(":lgid"), number(league)}},
         [&](const Row& q) { ids.append(q.value("zuid").toLongLong()); });
    return ids;
}

int SqlStore::memberCount(Id league) {
    return int(readNumber(countMembers, {{QStringLiteral(":idliga"), number(league)}}));
}

QStringList SqlStore::leaguesOfPlayer(Id player) {
    QStringList names;
    read(selectLeaguesOfPlayer, {{QStringLiteral(":id"), number(player)}},
         [&](const Row& q) { names << q.text("liga_name"); });
    return names;
}

bool SqlStore::nameTaken(const QString& name1, const QString& name2) {
    return readNumber(selectNameTaken, {{QStringLiteral(":dname"), name1}, {QStringLiteral(":pname"), name2}}) > 0;
}

Result SqlStore::lookPlayerUse(Id player, PlayerUse& use, QStringList* leagues) {
    const Bindings id{{QStringLiteral(":id"), number(player)}};
    Result r = look(selectScheduledIn, id, [&](const Row& q) { use.scheduledIn << q.text("liga_name"); });
    if (r)
        r = look(selectResultsIn, id, [&](const Row& q) { use.resultsIn << q.text("liga_name"); });
    if (r)
        use.resultsWithoutMatch = int(lookNumber(countResultsWithoutMatch, id, &r));
    if (r && leagues)
        r = look(selectLeaguesOfPlayer, id, [&](const Row& q) { *leagues << q.text("liga_name"); });
    return r;
}

PlayerUse SqlStore::playerUse(Id player) {
    PlayerUse use;
    return readTogether([&] { return lookPlayerUse(player, use, nullptr); }) ? use : PlayerUse();
}

QStringList SqlStore::membersWithMatches(const QList<Id>& assignments) {
    const Hold open(*this);
    QStringList names;
    for (Id id : assignments)
        read(selectMemberWithMatches, {{QStringLiteral(":id"), number(id)}},
             [&](const Row& q) { names << q.text("dartn_name"); });
    return names;
}

Result SqlStore::addPlayer(const QString& name1, const QString& name2, Id* id) {
    return write([&](StoreChange& c) {
        Id added = 0;
        const Result r =
            insert(insertPlayerSql, {{QStringLiteral(":dname"), name1}, {QStringLiteral(":pname"), name2}}, &added);
        c = {StoreChange::Players, {added}, {}, {}, false};
        if (id)
            *id = added;
        return r;
    });
}

Result SqlStore::updatePlayer(Id player, const QString& name1, const QString& name2, const Player* expected) {
    return write([&](StoreChange& c) {
        if (expected) {
            Player now;
            if (Result r = look(selectPlayer, {{QStringLiteral(":id"), number(player)}},
                                [&](const Row& q) { now = playerOf(q); });
                !r)
                return r;
            if (!(now == *expected))
                return Result::conflicting(QString::fromUtf8(
                    "Der Spieler wurde inzwischen von einem anderen Organisator geändert oder gelöscht."));
        }
        QSqlQuery q(database());
        const Result r = run(q, updatePlayerSql,
                             {{QStringLiteral(":dname"), name1},
                              {QStringLiteral(":pname"), name2},
                              {QStringLiteral(":id"), number(player)}});
        if (r && q.numRowsAffected() > 0)
            c = {StoreChange::Players, {player}, {}, {}, false};
        return r;
    });
}

Result SqlStore::deletePlayer(Id player) {
    return write([&](StoreChange& c) {
        // What the organiser was told does not keep the player, checked again: another one may have changed it.
        PlayerUse use;
        QStringList leagues;
        if (Result r = lookPlayerUse(player, use, &leagues); !r)
            return r;
        if (!use.scheduledIn.isEmpty() || !use.resultsIn.isEmpty() || use.resultsWithoutMatch > 0 || !leagues.isEmpty())
            return Result::conflicting(QString::fromUtf8("Der Spieler spielt inzwischen in einer Liga."));
        QSqlQuery q(database());
        const Result r = run(q, deletePlayerSql, {{QStringLiteral(":id"), number(player)}});
        if (r && q.numRowsAffected() > 0)
            c = {StoreChange::Players, {player}, {}, {}, false};
        return r;
    });
}

Result SqlStore::addLeague(const QString& name, Id* id) {
    return write([&](StoreChange& c) {
        Id added = 0;
        const Result r = insert(insertLeagueSql, {{QStringLiteral(":lname"), name}}, &added);
        c = {StoreChange::Leagues, {}, {added}, {}, false};
        if (id)
            *id = added;
        return r;
    });
}

Result SqlStore::renameLeague(Id league, const QString& name) {
    return write([&](StoreChange& c) {
        QSqlQuery q(database());
        const Result r =
            run(q, renameLeagueSql, {{QStringLiteral(":lname"), name}, {QStringLiteral(":id"), number(league)}});
        if (r && q.numRowsAffected() > 0)
            c = {StoreChange::Leagues, {}, {league}, {}, false};
        return r;
    });
}

Result SqlStore::deleteLeague(Id league) {
    return write([&](StoreChange& c) {
        Result checked;
        if (lookNumber(countAssignmentsOfLeague, {{QStringLiteral(":id"), number(league)}}, &checked) > 0)
            return Result::conflicting(QString::fromUtf8("Der Liga wurden inzwischen Spieler zugeordnet."));
        if (!checked)
            return checked;
        QSqlQuery q(database());
        const Result r = run(q, deleteLeagueSql, {{QStringLiteral(":id"), number(league)}});
        if (r && q.numRowsAffected() > 0)
            c = {StoreChange::Leagues, {}, {league}, {}, false};
        return r;
    });
}

Result SqlStore::assignPlayers(const QList<Id>& players, Id league) {
    return write([&](StoreChange& c) {
        QSqlQuery q(database());
        for (Id player : players) {
            Result checked;
            if (lookNumber(countAssignmentsOfPlayer, {{QStringLiteral(":id"), number(player)}}, &checked) > 0)
                return Result::conflicting(QString::fromUtf8("Ein Spieler wurde inzwischen einer Liga zugeordnet."));
            if (!checked)
                return checked;
            if (Result r = run(q, assignSql,
                               {{QStringLiteral(":idsp"), number(player)}, {QStringLiteral(":idlig"), number(league)}});
                !r)
                return r;
        }
        if (!players.isEmpty())
            c = {StoreChange::Members, players, {league}, {}, false};
        return Result();
    });
}

Result SqlStore::removeAssignments(const QList<Id>& assignments) {
    return write([&](StoreChange& c) {
        for (Id id : assignments) {
            bool plays = false;
            if (Result r = look(selectMemberWithMatches, {{QStringLiteral(":id"), number(id)}},
                                [&](const Row&) { plays = true; });
                !r)
                return r;
            if (plays)
                return Result::conflicting(
                    QString::fromUtf8("Ein Spieler hat inzwischen Spiele im Spielplan seiner Liga."));
        }
        QSqlQuery find(database());
        QSqlQuery remove(database());
        for (Id assignment : assignments) {
            Result r = run(find, assignmentSql, {{QStringLiteral(":id"), number(assignment)}});
            const bool found = r && find.next();
            const Id player = found ? find.value(0).toLongLong() : 0, league = found ? find.value(1).toLongLong() : 0;
            find.finish();
            if (r)
                r = run(remove, removeAssignmentSql, {{QStringLiteral(":idlig"), number(assignment)}});
            if (!r)
                return r;
            if (remove.numRowsAffected() > 0) {
                c.kinds |= StoreChange::Members;
                c.merge({{}, {player}, {league}, {}, false});
            }
        }
        return Result();
    });
}

QString SqlStore::otherQueryText(Query query) const {
    switch (query) {
    case Query::Leagues:
        return text(selectLeagues);
    case Query::Members:
        return text(selectMembers);
    case Query::MemberCount:
        return text(countMembers);
    case Query::MembersByFirstName:
        return text(selectMembersByFirstName);
    default:
        return standingsQueryText(query);
    }
}

} // namespace tavorin::db
