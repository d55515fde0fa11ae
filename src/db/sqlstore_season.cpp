// From season to season: players withdrawn from a league, the standings statements that leave out what their
// league's rule annuls and what a finished season holds, and the move of the players into a new season.
#include "sqlstore.h"

#include <QSqlQuery>

namespace tavorin::db {

namespace {

QVariant number(Id id) {
    return QVariant::fromValue(id);
}

const Sql withdrawalsSql{QStringLiteral(
    "SELECT id_spieler, ab_spieltag, regel, dartn_name, prodarter_name FROM tv_rueckzug LEFT JOIN tv_spieler ON "
    "tv_spieler.id = tv_rueckzug.id_spieler WHERE id_liga = :lgid ORDER BY tv_rueckzug.id")};
const Sql openMatchesSql{
    QStringLiteral("SELECT id, spieltag, heim, gast FROM tv_spieltage WHERE liga = :lgid AND NOT EXISTS (SELECT 1 "
                   "FROM tv_ergebnisse WHERE tv_ergebnisse.spieltag_id = tv_spieltage.id) ORDER BY spieltag, id")};
// Whether anything is left out of any league's standings, and whether the season of league :lgid is finished.
const Sql standingsKindSql{
    QStringLiteral("SELECT (SELECT COUNT(*) FROM tv_rueckzug WHERE regel = 0) + (SELECT COUNT(*) FROM tv_saison), "
                   "(SELECT COUNT(*) FROM tv_saison WHERE id_liga_alt = :lgid)")};
const Sql seasonTablesSql{
    QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name IN ('tv_rueckzug', 'tv_saison')"),
    QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema = current_schema() AND "
                   "table_name IN ('tv_rueckzug', 'tv_saison')")};
const Sql isMemberSql{QStringLiteral("SELECT COUNT(*) FROM tv_zuordnung WHERE id_spieler = :spid AND id_liga = :lgid")};
const Sql removeWithdrawalSql{QStringLiteral("DELETE FROM tv_rueckzug WHERE id_liga = :lgid AND id_spieler = :spid")};
const Sql assignmentsOfPlayerSql{QStringLiteral("SELECT id_liga FROM tv_zuordnung WHERE id_spieler = :spid")};
const Sql leaveLeaguesSql{QStringLiteral("DELETE FROM tv_zuordnung WHERE id_spieler = :spid")};
const Sql joinLeagueSql{QStringLiteral("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (:spid, :lgid)")};
const Sql finishLeagueSql{QStringLiteral("INSERT INTO tv_saison (id_liga_alt, id_liga_neu) VALUES (:alt, :neu)")};
const Sql addWithdrawalSql{QStringLiteral("INSERT INTO tv_rueckzug (id_liga, id_spieler, ab_spieltag, regel) VALUES "
                                          "(:lgid, :spid, :tag, :regel)")};

const Sql finishedSql{QStringLiteral("SELECT COUNT(*) FROM tv_saison WHERE id_liga_alt = :lgid")};

} // namespace

Sql ofFinishedLeague(const Sql& standings) {
    // Its players are those of its schedule (they have moved on to other leagues), and only its own matches count.
    const QString members = QStringLiteral("LEFT JOIN tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler");
    const QString players = QStringLiteral(
        "JOIN (SELECT heim AS id_spieler, liga AS id_liga FROM tv_spieltage UNION SELECT gast, liga FROM "
        "tv_spieltage) AS tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler");
    const QString results =
        QStringLiteral("LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id = tv_zuordnung.id_spieler");
    const QString ownMatches = QStringLiteral(" AND EXISTS (SELECT 1 FROM tv_spieltage AS e WHERE e.id = "
                                              "tv_ergebnisse.spieltag_id AND e.liga = tv_zuordnung.id_liga)");
    const auto changed = [&](QString text) {
        return text.replace(members, players).replace(results, results + ownMatches);
    };
    const Sql counted = withoutAnnulledMatches(standings);
    return Sql(changed(counted.sqlite), counted.postgres.isEmpty() ? QString() : changed(counted.postgres));
}

const Sql& SqlStore::standingsSql(Id league, const Sql& plain, const Sql& counted, const Sql& finished) {
    if (!seasonTablesExist())
        return plain;
    qint64 leftOut = 0;
    qint64 finishedHere = 0;
    read(standingsKindSql, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) {
        leftOut = q.value(0).toLongLong();
        finishedHere = q.value(1).toLongLong();
    });
    if (leftOut == 0)
        return plain;
    return finishedHere > 0 ? finished : counted;
}

Sql withoutAnnulledMatches(const Sql& standings) {
    // Left out of the join: the result rows of a match whose league annuls the matches of one of its players, and
    // those of a match of a finished season, but in that season's own league.
    const QString resultsJoin =
        QStringLiteral("LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieler_id = tv_zuordnung.id_spieler");
    const QString notAnnulled = QStringLiteral(
        " AND NOT EXISTS (SELECT 1 FROM tv_spieltage AS s JOIN tv_rueckzug AS w ON w.id_liga = s.liga AND "
        "(w.id_spieler = s.heim OR w.id_spieler = s.gast) WHERE s.id = tv_ergebnisse.spieltag_id AND w.regel = 0) AND "
        "NOT EXISTS (SELECT 1 FROM tv_spieltage AS s "
        "JOIN tv_saison AS z ON z.id_liga_alt = s.liga WHERE s.id = tv_ergebnisse.spieltag_id AND s.liga <> "
        "tv_zuordnung.id_liga)");
    const auto changed = [&](QString text) { return text.replace(resultsJoin, resultsJoin + notAnnulled); };
    return Sql(changed(standings.sqlite), standings.postgres.isEmpty() ? QString() : changed(standings.postgres));
}

bool SqlStore::seasonTablesExist() {
    if (seasonTables < 0) {
        const qint64 found = readNumber(seasonTablesSql, {});
        if (readsFailing())
            return false; // looked at again once the league answers
        seasonTables = found == 2 ? 1 : 0;
    }
    return seasonTables > 0;
}

QList<withdrawal::Withdrawal> SqlStore::withdrawals(Id league) {
    QList<withdrawal::Withdrawal> out;
    if (!seasonTablesExist())
        return out;
    read(withdrawalsSql, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) {
        out.append({q.value("id_spieler").toLongLong(), q.value("ab_spieltag").toInt(),
                    q.value("regel").toInt() == 1 ? withdrawal::Rule::Walkover : withdrawal::Rule::Annul,
                    q.text("dartn_name"), q.text("prodarter_name")});
    });
    return out;
}

QList<Match> SqlStore::openMatches(Id league) {
    QList<Match> out;
    read(openMatchesSql, {{QStringLiteral(":lgid"), number(league)}}, [&](const Row& q) {
        Match m;
        m.id = q.value("id").toLongLong();
        m.day = q.value("spieltag").toInt();
        m.home = q.value("heim").toLongLong();
        m.away = q.value("gast").toLongLong();
        out.append(m);
    });
    return out;
}

Result SqlStore::withdraw(Id league, Id player, int fromDay, withdrawal::Rule rule) {
    return write([&](StoreChange& c) {
        const Bindings keys{{QStringLiteral(":lgid"), number(league)}, {QStringLiteral(":spid"), number(player)}};
        Result r;
        if (lookNumber(isMemberSql, keys, &r) == 0)
            return r ? Result::conflicting(QString::fromUtf8("Der Spieler ist inzwischen kein Mitglied der Liga mehr."))
                     : r;
        QSqlQuery remove(database()), add(database());
        r = run(remove, removeWithdrawalSql, keys);
        if (r)
            r = run(add, addWithdrawalSql,
                    {keys[0], keys[1], {QStringLiteral(":tag"), fromDay}, {QStringLiteral(":regel"), int(rule)}});
        if (r)
            c = {StoreChange::Members | StoreChange::Results, {player}, {league}, {}, false};
        return r;
    });
}

Result SqlStore::undoWithdrawal(Id league, Id player) {
    return write([&](StoreChange& c) {
        QSqlQuery remove(database());
        Result r = run(remove, removeWithdrawalSql,
                       {{QStringLiteral(":lgid"), number(league)}, {QStringLiteral(":spid"), number(player)}});
        if (r && remove.numRowsAffected() > 0)
            c = {StoreChange::Members | StoreChange::Results, {player}, {league}, {}, false};
        return r;
    });
}

Result SqlStore::moveMembers(const QList<Id>& players, Id league) {
    return write([&](StoreChange& c) {
        QSqlQuery find(database()), leave(database()), join(database());
        c.kinds = StoreChange::Members;
        for (Id player : players) {
            const Bindings who{{QStringLiteral(":spid"), number(player)}};
            Result r = run(find, assignmentsOfPlayerSql, who);
            while (r && find.next())
                c.leagues.append(find.value(0).toLongLong());
            find.finish();
            if (r)
                r = run(leave, leaveLeaguesSql, who);
            if (r && league != 0)
                r = run(join, joinLeagueSql, {who[0], {QStringLiteral(":lgid"), number(league)}});
            if (!r)
                return r;
            c.players.append(player);
        }
        if (league != 0)
            c.leagues.append(league);
        return Result();
    });
}

Result SqlStore::finishLeague(Id league, Id successor) {
    return write([&](StoreChange& c) {
        // Two organisers who both start the next season: the second one is refused.
        Result checked;
        if (lookNumber(finishedSql, {{QStringLiteral(":lgid"), number(league)}}, &checked) > 0)
            return Result::conflicting(
                QString::fromUtf8("F\u00fcr diese Liga wurde inzwischen schon eine neue Saison angelegt."));
        if (!checked)
            return checked;
        QSqlQuery q(database());
        const Result r = run(q, finishLeagueSql,
                             {{QStringLiteral(":alt"), number(league)}, {QStringLiteral(":neu"), number(successor)}});
        c = {StoreChange::Results, {}, {}, {}, true}; // results of its matches leave the other tables
        return r;
    });
}

} // namespace tavorin::db
