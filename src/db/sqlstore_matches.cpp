// Schedules, the result lists, the result rows of a match and the schedule code's records.
#include "sqlstore.h"

#include "results/numbers.h"

#include <QSet>
#include <QSqlQuery>

namespace tavorin::db {

namespace {

const Sql scheduleSql{
    QStringLiteral(
        "SELECT tv_spieltage.id AS ids, A.dartn_name AS heimname, B.dartn_name AS gastname, * FROM tv_spieltage LEFT "
        "JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN tv_spieler AS B ON tv_spieltage.gast = B.id WHERE "
        "tv_spieltage.liga = :liga ORDER BY spieltag ASC ;"),
    QStringLiteral("SELECT tv_spieltage.id AS ids, A.dartn_name AS heimname, B.dartn_name AS gastname, "
                   "tv_spieltage.* FROM tv_spieltage LEFT JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT "
                   "JOIN tv_spieler AS B ON tv_spieltage.gast = B.id WHERE tv_spieltage.liga = :liga ORDER BY "
                   "spieltag, tv_spieltage.id")};
const Sql matchDaysSql{
    QStringLiteral("SELECT spieltag FROM tv_spieltage WHERE liga = :liga GROUP BY spieltag ORDER BY spieltag ;")};
// The listing statement up to its WHERE clause; every listing shares it.
const QString listHead = QStringLiteral(
    "SELECT spieltag, tv_spieltage.id AS ids, A.prodarter_name AS heimname, A.dartn_name AS dheimname, "
    "B.prodarter_name AS gastname, B.dartn_name AS dgastname, legs_won, legs_lost, heim, gast FROM tv_spieltage LEFT "
    "JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieltag_id = "
    "tv_spieltage.id AND tv_ergebnisse.spieler_id = A.id LEFT JOIN tv_spieler AS B ON tv_spieltage.gast = B.id ");
const Sql byDaySql{
    listHead +
        QStringLiteral("WHERE tv_spieltage.liga = :liga AND tv_spieltage.spieltag = :tag ORDER BY spieltag ASC ;"),
    listHead + QStringLiteral("WHERE tv_spieltage.liga = :liga AND tv_spieltage.spieltag = :tag ORDER BY "
                              "tv_spieltage.id, tv_ergebnisse.id")};
// The player's matches are found through the indexes on home and guest; the player rows must exist, and
// matches of one match day keep the order of their ids.
const Sql byPlayerSql{
    listHead + QStringLiteral("WHERE tv_spieltage.id IN (SELECT id FROM tv_spieltage WHERE heim = :spieler UNION "
                              "ALL SELECT id FROM tv_spieltage WHERE gast = :spieler) AND (A.id = :spieler OR "
                              "B.id = :spieler) ORDER BY spieltag ASC, tv_spieltage.id ASC ;")};
const Sql byIdSql{listHead + QStringLiteral("WHERE tv_spieltage.id = :id ;")};
const Sql playedSql{QStringLiteral(
    "SELECT COUNT(DISTINCT spieltag_id) FROM tv_ergebnisse WHERE spieltag_id IN (SELECT id FROM tv_spieltage WHERE "
    "liga = :liga) ;")};
const Sql matchRefSql{QStringLiteral("SELECT liga, spieltag FROM tv_spieltage WHERE id = :id ;")};
const Sql matchRowSql{QStringLiteral("SELECT liga, spieltag, heim, gast FROM tv_spieltage WHERE id = :id")};
const Sql resultRowsSql{QStringLiteral(
    "SELECT spieler_id, gewonnen, remis, verloren, legs_won, legs_lost, pkt, ave, f9ave, m20, p20, p40, p60, p80, "
    "p100, p140, p171, p180, hf, douba, doubb, bestleg, hash, plat FROM tv_ergebnisse WHERE spieltag_id = :id ORDER "
    "BY spieler_id, id")};
const Sql countMatchesSql{QStringLiteral("SELECT COUNT(*) FROM tv_spieltage WHERE liga = :liga")};

const Sql insertMatchSql{
    QStringLiteral(
        "INSERT INTO tv_spieltage (id,liga,spieltag,heim,gast) VALUES (NULL, :liga, :spieltag, :heim, :gast) ;"),
    QStringLiteral("INSERT INTO tv_spieltage (liga, spieltag, heim, gast) VALUES (:liga, :spieltag, "
                   ":heim, :gast)")};
const Sql deleteScheduleSql{QStringLiteral("DELETE FROM tv_spieltage  WHERE tv_spieltage.liga = :liga  ;")};
const Sql setPairingSql{QStringLiteral("UPDATE tv_spieltage SET heim = :heim , gast = :gast WHERE id = :id ;")};
const Sql deleteResultsSql{QStringLiteral("DELETE FROM tv_ergebnisse ;")};

const Sql exportScheduleSql{
    QStringLiteral(
        "SELECT  spieltag, tv_spieltage.id AS ids, A.dartn_name AS heimname, tv_spieltage.heim AS heim_nr, "
        "tv_spieltage.gast AS gast_nr,A.prodarter_name AS heim2, legs_won, legs_lost, B.dartn_name AS gastname, "
        "B.prodarter_name AS gast2 FROM tv_spieltage LEFT JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN "
        "tv_spieler AS B ON tv_spieltage.gast = B.id LEFT JOIN tv_ergebnisse ON tv_spieltage.id = tv_ergebnisse "
        ".spieltag_id AND tv_spieltage.heim = tv_ergebnisse.spieler_id WHERE tv_spieltage.liga = :liga ORDER BY "
        "spieltag ASC ;"),
    QStringLiteral(
        "SELECT spieltag, tv_spieltage.id AS ids, A.dartn_name AS heimname, tv_spieltage.heim AS heim_nr, "
        "tv_spieltage.gast AS gast_nr, A.prodarter_name AS heim2, legs_won, legs_lost, B.dartn_name AS gastname, "
        "B.prodarter_name AS gast2 FROM tv_spieltage LEFT JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN "
        "tv_spieler AS B ON tv_spieltage.gast = B.id LEFT JOIN tv_ergebnisse ON tv_spieltage.id = "
        "tv_ergebnisse.spieltag_id AND tv_spieltage.heim = tv_ergebnisse.spieler_id WHERE tv_spieltage.liga = :liga "
        "ORDER BY spieltag, tv_spieltage.id")};
const Sql homeRecordSql{
    QStringLiteral("SELECT  ave , p180, hf, bestleg, hash, plat, douba, doubb FROM tv_ergebnisse WHERE "
                   "tv_ergebnisse.spieltag_id = :tag AND tv_ergebnisse.spieler_id = :spieler LIMIT 1 ;")};
const Sql awayRecordSql{
    QStringLiteral("SELECT  ave , p180, hf, bestleg, hash, plat, douba, doubb FROM tv_ergebnisse WHERE "
                   "tv_ergebnisse.spieltag_id = :tag2 AND tv_ergebnisse.spieler_id = :spieler2 LIMIT 1 ;")};

QVariant number(Id id) {
    return QVariant::fromValue(id);
}

const Sql leagueMatchesSql{QStringLiteral(
    "SELECT tv_spieltage.id AS ids, spieltag, heim, gast, A.dartn_name AS heim1, A.prodarter_name AS heim2, "
    "B.dartn_name AS gast1, B.prodarter_name AS gast2, (SELECT COUNT(*) FROM tv_ergebnisse WHERE "
    "tv_ergebnisse.spieltag_id = tv_spieltage.id) AS zeilen FROM tv_spieltage LEFT JOIN tv_spieler AS A ON A.id = "
    "tv_spieltage.heim LEFT JOIN tv_spieler AS B ON B.id = tv_spieltage.gast WHERE tv_spieltage.liga = :liga ORDER "
    "BY tv_spieltage.spieltag, tv_spieltage.id")};
// A match's id, match day and players, as every listing reads them.
Match matchOf(const Row& q) {
    Match m;
    m.id = q.value("ids").toLongLong();
    m.day = q.value("spieltag").toInt();
    m.home = q.value("heim").toLongLong();
    m.away = q.value("gast").toLongLong();
    return m;
}

Match listedMatch(const Row& q) {
    Match m = matchOf(q);
    m.home1 = q.text("dheimname");
    m.home2 = q.text("heimname");
    m.away1 = q.text("dgastname");
    m.away2 = q.text("gastname");
    m.homeLegs = q.value("legs_won").toInt();
    m.awayLegs = q.value("legs_lost").toInt();
    m.played = m.homeLegs + m.awayLegs > 0;
    return m;
}

} // namespace

QList<Match> SqlStore::schedule(Id league) {
    QList<Match> rows;
    read(scheduleSql, {{QStringLiteral(":liga"), number(league)}}, [&](const Row& q) {
        Match m = matchOf(q);
        m.home1 = q.text("heimname");
        m.away1 = q.text("gastname");
        rows.append(m);
    });
    return rows;
}

QList<int> SqlStore::matchDays(Id league) {
    QList<int> days;
    read(matchDaysSql, {{QStringLiteral(":liga"), number(league)}},
         [&](const Row& q) { days.append(q.value("spieltag").toInt()); });
    return days;
}

QList<Match> SqlStore::matchesOfDay(Id league, int day) {
    QList<Match> rows;
    read(byDaySql, {{QStringLiteral(":liga"), number(league)}, {QStringLiteral(":tag"), day}},
         [&](const Row& q) { rows.append(listedMatch(q)); });
    return rows;
}

QList<Match> SqlStore::matchesOfPlayer(Id player) {
    QList<Match> rows;
    read(byPlayerSql, {{QStringLiteral(":spieler"), number(player)}},
         [&](const Row& q) { rows.append(listedMatch(q)); });
    return rows;
}

QList<Match> SqlStore::listedMatches(const QList<Id>& ids) {
    QList<Match> rows;
    const Hold open(*this);
    for (Id id : ids) {
        if (!read(byIdSql, {{QStringLiteral(":id"), number(id)}}, [&](const Row& q) { rows.append(listedMatch(q)); }))
            break;
    }
    return rows;
}

int SqlStore::playedMatchCount(Id league) {
    return int(readNumber(playedSql, {{QStringLiteral(":liga"), number(league)}}));
}

StoreChange::MatchRef SqlStore::matchRef(Id match) {
    StoreChange::MatchRef ref{match, 0, 0};
    QSqlQuery q(database());
    if (run(q, matchRefSql, {{QStringLiteral(":id"), number(match)}}) && q.next())
        ref = {match, q.value(0).toLongLong(), q.value(1).toInt()};
    return ref;
}

QList<Match> SqlStore::leagueMatches(Id league) {
    QList<Match> rows;
    read(leagueMatchesSql, {{QStringLiteral(":liga"), number(league)}}, [&](const Row& q) {
        Match m = matchOf(q);
        m.home1 = q.text("heim1");
        m.home2 = q.text("heim2");
        m.away1 = q.text("gast1");
        m.away2 = q.text("gast2");
        m.played = q.value("zeilen").toInt() > 0;
        rows.append(m);
    });
    return rows;
}

MatchState SqlStore::readMatchState(Id match, Result* status) {
    MatchState state;
    const Bindings id{{QStringLiteral(":id"), number(match)}};
    *status = look(matchRowSql, id, [&](const Row& q) {
        state = {true, q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toLongLong(), q.value(3).toLongLong(),
                 {}};
    });
    if (*status)
        *status = look(resultRowsSql, id, [&](const Row& q) {
            QStringList values;
            for (int i = 0; i < 24; ++i)
                values << (q.value(i).isNull() ? QString() : q.value(i).toString());
            state.results << values.join(QLatin1Char('|'));
        });
    return state;
}

MatchState SqlStore::matchState(Id match) {
    MatchState state;
    const bool read = readTogether([&] {
        Result r;
        state = readMatchState(match, &r);
        return r;
    });
    return read ? state : MatchState();
}

Result SqlStore::storeSchedule(Id league, const QList<ScheduleRow>& rows,
                               const std::function<void(qsizetype)>& afterEach) {
    return write([&](StoreChange& c) {
        Result checked;
        if (lookNumber(countMatchesSql, {{QStringLiteral(":liga"), number(league)}}, &checked) > 0)
            return Result::conflicting(QString::fromUtf8("Für die Liga wurde inzwischen ein Spielplan erstellt."));
        if (!checked)
            return checked;
        QSqlQuery q(database());
        for (qsizetype i = 0; i < rows.size(); ++i) {
            const ScheduleRow& r = rows[i];
            if (Result done = run(q, insertMatchSql,
                                  {{QStringLiteral(":liga"), number(league)},
                                   {QStringLiteral(":spieltag"), r.matchDay},
                                   {QStringLiteral(":heim"), number(r.home.toLongLong())},
                                   {QStringLiteral(":gast"), number(r.away.toLongLong())}});
                !done)
                return done;
            if (afterEach)
                afterEach(i);
        }
        if (!rows.isEmpty())
            c = {StoreChange::Schedule, {}, {league}, {}, false};
        return Result();
    });
}

Result SqlStore::deleteSchedule(Id league, int played) {
    return write([&](StoreChange& c) {
        Result checked;
        if (played >= 0 && lookNumber(playedSql, {{QStringLiteral(":liga"), number(league)}}, &checked) != played)
            return checked ? Result::conflicting(QString::fromUtf8(
                                 "Für die Liga wurden inzwischen Ergebnisse gespeichert oder gelöscht."))
                           : checked;
        QSqlQuery q(database());
        const Result r = run(q, deleteScheduleSql, {{QStringLiteral(":liga"), number(league)}});
        if (r && q.numRowsAffected() > 0)
            c = {StoreChange::Schedule, {}, {league}, {}, false};
        return r;
    });
}

Result SqlStore::setPairing(Id match, Id home, Id away, const MatchState* expected) {
    return write([&](StoreChange& c) {
        if (expected) {
            Result read;
            const MatchState now = readMatchState(match, &read);
            if (!read)
                return read;
            if (now.exists != expected->exists || now.home != expected->home || now.away != expected->away)
                return Result::conflicting(describeMatchChange(*expected, now));
        }
        QSqlQuery q(database());
        const Result r = run(q, setPairingSql,
                             {{QStringLiteral(":heim"), number(home)},
                              {QStringLiteral(":gast"), number(away)},
                              {QStringLiteral(":id"), number(match)}});
        if (r && q.numRowsAffected() > 0) {
            const StoreChange::MatchRef ref = matchRef(match);
            c = {StoreChange::Schedule, {}, {ref.league}, {ref}, false};
        }
        return r;
    });
}

Result SqlStore::deleteAllResults() {
    return write([&](StoreChange& c) {
        QSqlQuery q(database());
        const Result r = run(q, deleteResultsSql, {});
        if (r && q.numRowsAffected() > 0)
            c = {StoreChange::Results, {}, {}, {}, true};
        return r;
    });
}

namespace {

MatchRecord record(QSqlQuery& query, const Row& row) {
    MatchRecord r;
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

struct SqlStore::Pairing {
    ScheduleMatch match;
    Id id = 0, home = 0, away = 0;
};

QList<ScheduleMatch> SqlStore::scheduleForExport(Id league) {
    const Hold open(*this);
    QList<Pairing> pairings;
    const Result r = read(exportScheduleSql, {{QStringLiteral(":liga"), number(league)}}, [&](const Row& q) {
        Pairing p;
        p.match.matchDay = q.text("spieltag");
        p.match.homeName1 = q.text("heimname");
        p.match.homeName2 = q.text("heim2");
        p.match.awayName1 = q.text("gastname");
        p.match.awayName2 = q.text("gast2");
        p.match.legsWon = q.text("legs_won");
        p.match.legsLost = q.text("legs_lost");
        p.id = q.value("ids").toLongLong();
        p.home = q.value("heim_nr").toLongLong();
        p.away = q.value("gast_nr").toLongLong();
        pairings.append(p);
    });
    QList<ScheduleMatch> matches;
    if (!r)
        return matches;
    matches.reserve(pairings.size());
    QSqlQuery home(database()), away(database());
    const Row homeRow(home), awayRow(away);
    const bool prepared = home.prepare(text(homeRecordSql)) && away.prepare(text(awayRecordSql));
    for (Pairing& p : pairings) {
        if (prepared) {
            home.bindValue(QStringLiteral(":tag"), number(p.id));
            home.bindValue(QStringLiteral(":spieler"), number(p.home));
            p.match.home = record(home, homeRow);
            away.bindValue(QStringLiteral(":tag2"), number(p.id));
            away.bindValue(QStringLiteral(":spieler2"), number(p.away));
            p.match.away = record(away, awayRow);
        }
        matches.append(p.match);
    }
    markWithdrawals(league, pairings, matches);
    return matches;
}

void SqlStore::markWithdrawals(Id league, const QList<Pairing>& pairings, QList<ScheduleMatch>& matches) {
    const QList<withdrawal::Withdrawal> out = withdrawals(league);
    if (out.isEmpty())
        return;
    QSet<Id> open;
    for (const Match& m : openMatches(league))
        open.insert(m.id);
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const Pairing& p = pairings[i];
        Match m;
        m.id = p.id;
        m.day = p.match.matchDay.toInt();
        m.home = p.home;
        m.away = p.away;
        matches[i].outcome = withdrawal::outcome(m, open.contains(p.id), out);
    }
}

QString SqlStore::queryText(Query query) const {
    switch (query) {
    case Query::Schedule:
        return text(scheduleSql);
    case Query::MatchDays:
        return text(matchDaysSql);
    case Query::MatchesOfDay:
        return text(byDaySql);
    case Query::MatchesOfPlayer:
        return text(byPlayerSql);
    case Query::ScheduleExport:
        return text(exportScheduleSql);
    case Query::HomeRecord:
        return text(homeRecordSql);
    default:
        return otherQueryText(query);
    }
}

} // namespace tavorin::db
