// The league store: every read and write in the program's terms, and what each write announces.
#include "import/batchimport.h"
#include "seed.h"
#include "storetarget.h"

#include "league/newseason.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace tavorin;
using C = db::StoreChange;

Q_DECLARE_METATYPE(tavorin::TieBreak)

namespace {

QStringList names(const QList<Player>& players) {
    QStringList out;
    for (const Player& p : players)
        out << QString::number(p.id) + ':' + p.name1 + '/' + p.name2;
    return out;
}

QStringList names(const QList<Member>& members) {
    QStringList out;
    for (const Member& m : members)
        out << QString::number(m.assignment) + '>' + QString::number(m.player) + ':' + m.name1;
    return out;
}

QStringList listed(const QList<Match>& matches) {
    QStringList out;
    for (const Match& m : matches)
        out << QStringLiteral("%1:%2 %3-%4").arg(m.id).arg(m.day).arg(m.home1, m.away1) +
                   (m.played ? QStringLiteral(" %1:%2").arg(m.homeLegs).arg(m.awayLegs) : QString());
    return out;
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { qRegisterMetaType<db::StoreChange>(); }

    // A league "Nord" (1) of Anna, bert and Carl (1..3, platform names in lower case) and a league "Süd" (2).
    // Tests named "own_..." start a league of their own.
    void init() {
        if (!QByteArray(QTest::currentTestFunction()).startsWith("own_"))
            start(leagueSeed({"Anna", "bert", "Carl"}) + QStringList{"INSERT INTO tv_ligen VALUES (2, 'Süd')"});
    }
    void cleanup() {
        spy.reset();
        store.reset();
    }

    void register_() {
        QCOMPARE(names(store->players()), QStringList({"1:Anna/anna", "2:bert/bert", "3:Carl/carl"}));
        Id dora = 0;
        QVERIFY(store->addPlayer("Dora", "Aaron", &dora).ok);
        QCOMPARE(dora, 4);
        QCOMPARE(announced(), (C{C::Players, {4}, {}, {}, false}));
        QCOMPARE(names(store->players()).first(), "4:Dora/Aaron"); // by the second name, any case
        QCOMPARE(names(store->poolPlayers()), QStringList({"4:Dora/Aaron"}));
        QVERIFY(store->nameTaken("DORA", "x") && store->nameTaken("x", "aaRon") && !store->nameTaken("Dor", "x"));

        QVERIFY(store->assignPlayers({4}, 2).ok);
        QCOMPARE(announced(), (C{C::Members, {4}, {2}, {}, false}));
        QCOMPARE(names(store->members(1)), QStringList({"1>1:Anna", "2>2:bert", "3>3:Carl"}));
        QCOMPARE(names(store->membersByFirstName(1)), QStringList({"0>1:Anna", "0>3:Carl", "0>2:bert"}));
        QCOMPARE(store->memberIdsInOrder(1), QList<Id>({1, 2, 3}));
        QCOMPARE(store->memberCount(2), 1);
        QCOMPARE(store->leaguesOfPlayer(4), QStringList({"Süd"}));
        QVERIFY(store->removeAssignments({4}).ok);
        QCOMPARE(announced(), (C{C::Members, {4}, {2}, {}, false}));

        QVERIFY(store->updatePlayer(4, "Dora", "dora").ok && store->deletePlayer(4).ok);
        QCOMPARE(spy->count(), 2);
        QVERIFY(store->updatePlayer(9, "x", "y").ok && store->deletePlayer(9).ok && store->deleteLeague(9).ok);
        QCOMPARE(spy->count(), 2); // nothing changed, nothing announced
        Id west = 0;
        QVERIFY(store->addLeague("west", &west).ok && store->renameLeague(west, "West").ok);
        QCOMPARE(store->leagues().size(), 3);
        QCOMPARE(store->leagues().at(1).name, "Süd");
    }

    void scheduleAndResults() {
        QVERIFY(store->storeSchedule(1, {{1, "1", "2"}, {1, "3", "1"}, {2, "2", "3"}}).ok);
        QCOMPARE(announced(), (C{C::Schedule, {}, {1}, {}, false}));
        QCOMPARE(listed(store->schedule(1)), QStringList({"1:1 Anna-bert", "2:1 Carl-Anna", "3:2 bert-Carl"}));
        QCOMPARE(store->matchDays(1), QList<int>({1, 2}));
        QVERIFY(store->setPairing(1, 2, 1).ok);
        QCOMPARE(announced(), (C{C::Schedule, {}, {1}, {{1, 1, 1}}, false}));

        resultentry::SaveContext save{false, 1, 2, 1, "g7", "lidarts"};
        const resultentry::SideTexts left{"3", "55,5", "", "", "", "", "", "", "", "", "", "", "", "", "", "0"};
        QVERIFY(store
                    ->saveResult(save, left, {"1", "40", "", "", "", "", "", "", "", "", "", "", "", "", "", "12"},
                                 Points{2, 1, 0})
                    .ok);
        QCOMPARE(announced(), (C{C::Results, {}, {1}, {{1, 1, 1}}, false}));
        // Two rows, the left player's first, each with its own outcome and the other's legs as lost.
        const QString dump =
            "SELECT spieltag_id || '|' || spieler_id || '|' || gewonnen || remis || verloren || '|' || "
            "legs_won || ':' || legs_lost || '|' || pkt || '|' || douba || '/' || doubb || '|' || p171 "
            "|| '|' || hash || '|' || plat FROM tv_ergebnisse ORDER BY id";
        QCOMPARE(target.column(dump),
                 QStringList({"1|2|100|3:1|2|0/0|0|g7|lidarts", "1|1|001|1:3|0|0/0|0|g7|lidarts"}));
        QCOMPARE(listed(store->matchesOfDay(1, 1)), QStringList({"1:1 bert-Anna 3:1", "2:1 Carl-Anna"}));
        QCOMPARE(listed(store->matchesOfPlayer(3)), QStringList({"2:1 Carl-Anna", "3:2 bert-Carl"}));
        QCOMPARE(listed(store->listedMatches({3, 1, 9})), QStringList({"3:2 bert-Carl", "1:1 bert-Anna 3:1"}));
        QCOMPARE(store->playedMatchCount(1), 1);
        const QList<resultentry::StoredSide> sides = store->results(1);
        QCOMPARE(sides.size(), 2);
        const resultentry::SideTexts& bert = sides[sides[0].playerId == "2" ? 0 : 1].texts;
        QCOMPARE(bert[resultentry::Average], "55.50");
        QCOMPARE(bert[resultentry::BestLeg], ""); // a best leg of 0 is stored as none
        QCOMPARE(store->matchWithGame("lidarts", "g7", 2).matchDay, "1");
        QVERIFY(!store->matchWithGame("lidarts", "g7", 1).found);

        save.update = true;
        save.hash.clear();
        QVERIFY(store
                    ->saveResult(save, {"2", "", "", "", "", "", "", "", "", "", "x", "", "", "6", "20"}, {"2"},
                                 Points{2, 1, 0})
                    .ok);
        QCOMPARE(target.column(dump), QStringList({"1|2|010|2:2|1|6/20|0||lidarts", "1|1|010|2:2|1|0/0|0||lidarts"}));
        QCOMPARE(store->leagueTable(1).at(0).points, 1);    // updated, no row added
        QCOMPARE(store->statistics(1).at(0).name1, "Anna"); // the best leg 12 before none
        QVERIFY(store->deleteSchedule(1).ok && store->deleteAllResults().ok);
        QCOMPARE(announced(), (C{C::Results, {}, {}, {}, true}));
        QVERIFY(store->schedule(1).isEmpty() && store->results(1).isEmpty());
    }

    // Writes inside transaction() commit together and are announced once; one failure undoes all of them.
    void transactions() {
        QVERIFY(store->transaction([&] { return store->addLeague("A").ok ? store->addPlayer("B", "b") : db::Result(); })
                    .ok);
        QTest::qWait(100); // a server's notification of the program's own write is not announced again
        QCOMPARE(spy->count(), 1);
        QCOMPARE(announced().kinds, C::Kinds(C::Leagues | C::Players));
        const db::Result r = store->transaction([&] {
            store->addLeague("C");
            return db::Result::failure("abgebrochen");
        });
        QCOMPARE(r.error, "abgebrochen");
        QCOMPARE(store->leagues().size(), 3);
        QCOMPARE(spy->count(), 0);
    }

    // A write that depends on what the organiser saw is refused, writing nothing, when another program
    // changed it meanwhile (`meanwhile` runs on a connection of its own); unchanged, it goes through.
    void overtaken_data() {
        QTest::addColumn<QString>("meanwhile");
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("refusal");
        const auto row = [](const char* tag, const char* sql, const char* write, const char* refusal) {
            QTest::newRow(tag) << sql << write << QString::fromUtf8(refusal);
        };
        const char* result = "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won) VALUES (2, 3, 3)";
        const char* replaced = "UPDATE tv_spieltage SET heim = 2 WHERE id = 2";
        const char* assigned = "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (4, 2)";
        row("unchanged", "SELECT 1", "save", "");
        row("result saved", result, "save", "wurde inzwischen ein Ergebnis gespeichert");
        row("result changed", "UPDATE tv_ergebnisse SET legs_won = 2 WHERE spieltag_id = 1", "save 1",
            "Das Ergebnis dieses Spiels wurde inzwischen geändert");
        row("swapped", "UPDATE tv_spieltage SET heim = 1, gast = 3 WHERE id = 2", "save", "getauscht");
        row("replaced", replaced, "save", "ersetzt");
        row("schedule deleted", "DELETE FROM tv_spieltage", "save", "Spielplan dieser Liga wurde inzwischen gelöscht");
        row("swap after a replacement", replaced, "swap", "ersetzt");
        row("renamed", "UPDATE tv_spieler SET dartn_name = 'Carla' WHERE id = 3", "rename", "geändert oder gelöscht");
        row("played before deleting", result, "delete schedule", "Ergebnisse gespeichert oder gelöscht");
        row("schedule made", "INSERT INTO tv_spieltage (liga, spieltag, heim, gast) VALUES (2, 1, 4, 4)", "schedule",
            "ein Spielplan erstellt");
        row("assigned", assigned, "assign", "einer Liga zugeordnet");
        row("assigned, player deleted", assigned, "delete player", "spielt inzwischen in einer Liga");
        // As the page decides: a match in the schedule of a league that is gone keeps nobody.
        row("scheduled in a deleted league",
            "INSERT INTO tv_spieltage (liga, spieltag, heim, gast) VALUES (9, 1, 4, 4)", "delete player", "");
        row("assigned, league deleted", assigned, "delete league", "Spieler zugeordnet");
        row("scheduled, taken out", "UPDATE tv_spieltage SET gast = 2 WHERE id = 2", "take out", "Spiele im Spielplan");
    }
    void overtaken() {
        QFETCH(QString, meanwhile);
        QFETCH(QString, write);
        QFETCH(QString, refusal);
        // Match 1: Anna-Carl (3:1), match 2: Carl-Anna; bert has no match; Dora (4) is free.
        QVERIFY(store->addPlayer("Dora", "dora").ok && store->storeSchedule(1, {{1, "1", "3"}, {2, "3", "1"}}).ok);
        QVERIFY(store->saveResult({false, 1, 1, 3, {}, {}}, {"3"}, {"1"}, Points{}).ok);
        const Id match = write == "save 1" ? 1 : 2;
        MatchState seen = store->matchState(match);
        const Player carl = store->player(3);
        const int played = store->playedMatchCount(1);
        QVERIFY(target.run(meanwhile));
        const QString everything = "SELECT (SELECT COUNT(*) FROM tv_ergebnisse) || '/' || (SELECT COUNT(*) FROM "
                                   "tv_spieltage) || '/' || (SELECT COUNT(*) FROM tv_zuordnung) || '/' || (SELECT "
                                   "COUNT(*) FROM tv_spieler) || '/' || (SELECT COUNT(*) FROM tv_ligen)";
        const QStringList before = target.column(everything);
        spy->clear();
        const QHash<QString, std::function<db::Result()>> writes = {
            {"save",
             [&] {
                 return store->saveResult({!seen.results.isEmpty(), 2, 3, 1, {}, {}}, {"3"}, {"2"}, {}, &seen);
             }},
            {"save 1",
             [&] {
                 return store->saveResult({true, 1, 1, 3, {}, {}}, {"3"}, {"2"}, {}, &seen);
             }},
            {"swap", [&] { return store->setPairing(2, 1, 3, &seen); }},
            {"rename", [&] { return store->updatePlayer(3, "Cora", "cora", &carl); }},
            {"delete schedule", [&] { return store->deleteSchedule(1, played); }},
            {"schedule",
             [&] {
                 return store->storeSchedule(2, {{1, "4", "4"}});
             }},
            {"assign", [&] { return store->assignPlayers({4}, 1); }},
            {"delete player", [&] { return store->deletePlayer(4); }},
            {"delete league", [&] { return store->deleteLeague(2); }},
            {"take out", [&] { return store->removeAssignments({2}); }},
        };
        const db::Result r = writes.value(write)();
        if (refusal.isEmpty()) {
            QVERIFY(r.ok && spy->count() == 1);
            QVERIFY(seen == store->matchState(match)); // the state as saved, for the next save
            return;
        }
        QVERIFY2(!r.ok && r.conflict && r.error.contains(refusal), qPrintable(r.error));
        QCOMPARE(target.column(everything), before);
        QCOMPARE(spy->count(), 0);
    }

    // Listings by day and by player: a match day's matches by id, a player's matches of every league, also
    // against a player who is gone; a match is played when its home player's row has legs.
    void own_listings() {
        startStandings();
        QVERIFY(target.run("INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (8, 2, 3, 1, 6), (1, 1, "
                           "1, 1, 2), (2, 1, 1, 3, 4), (3, 1, 2, 2, 3), (4, 1, 3, 2, 1), (7, 2, 1, 9, 1)"));
        QVERIFY(target.run(row(1, 1, 6, 2, 2, "50", 0, 0)) && target.run(row(2, 4, 6, 2, 2, "50", 0, 0)));
        QCOMPARE(store->matchDays(1), QList<int>({1, 2, 3}));
        QCOMPARE(listed(store->matchesOfDay(1, 1)), QStringList({"1:1 A-B 6:2", "2:1 C-D"}));
        QStringList player;
        for (const Match& m : store->matchesOfPlayer(1))
            player << QString::number(m.day) + ':' + m.home2 + '-' + m.away2;
        QCOMPARE(player, QStringList({"1:a-B", "1:-a", "3:B-a", "3:a-f"}));
        // The stored figures as the form shows them: a NULL first-9 average as 0.00, NULL counts empty.
        QVERIFY(target.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won) VALUES (1, 2, 2)"));
        QStringList loaded;
        for (const resultentry::StoredSide& side : store->results(1))
            loaded << side.playerId + ':' + QStringList(side.texts.cbegin(), side.texts.cend()).join(',');
        loaded.sort();
        QCOMPARE(loaded, QStringList({"1:6,50.00,0.00,,,,,,,,,,,0,0,", "2:2,0.00,0.00,,,,,,,,,,,,,"}));
    }

    // A and B level on 4 points: A has the better leg difference (+4 against +3) despite fewer legs won. C and
    // D level on 2 points and difference 0: D won more legs. E has no result and comes last; F plays in another
    // league. Head to head from the schedule: B beat A.
    void own_leagueTable() {
        startStandings();
        for (const QString& sql :
             {row(1, 1, 6, 2, 2, "50", 5, 20), row(2, 1, 6, 6, 1, "0", 0, 0), row(3, 1, 6, 6, 1, "40", 0, 0),
              row(1, 2, 10, 8, 2, "60", 2, 0), row(2, 2, 9, 8, 2, "0", 0, 0), row(1, 3, 3, 3, 1, "30", 1, 3),
              row(2, 3, 3, 3, 1, "NULL", 0, 0), row(1, 4, 7, 6, 2, "0", 0, 0), row(2, 4, 0, 1, 0, "0", 0, 0),
              row(9, 6, 9, 0, 2, "99", 0, 0)})
            QVERIFY2(target.run(sql), qPrintable(sql));
        QStringList shown;
        for (const LeagueTableRow& r : store->leagueTable(1))
            shown << standingsName(r.name1, r.name2) + ' ' + leagueTableFigures(r).join(' ');
        QCOMPARE(shown, QStringList({"A (a) 3 1 2 0 18:14 4 45.00 25.00% (5/20)", "B 2 2 0 0 19:16 4 60.00 0",
                                     "D (d) 2 1 0 1 7:7 2 0.00 0", "C (c) 2 0 2 0 6:6 2 30.00 33.33% (1/3)",
                                     "E (e) 0 0 0 0 0:0 0 0.00 0"}));
        QVERIFY(target.run(
            "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 4, 3), (2, 1, 2, 2, 1)"));
        shown.clear();
        for (const LeagueTableRow& r : store->rankedLeagueTable(1, Points{2, 1, 0, TieBreak::HeadToHead}))
            shown << r.name1;
        QCOMPARE(shown, QStringList({"B", "A", "D", "C", "E"}));
    }

    // Best legs ascending (0 means none, in every league, once the league is opened), then the highest finish;
    // players without one after them, members without results last.
    void own_statistics() {
        startStandings();
        QVERIFY(target.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, bestleg, hf, p180, p171) VALUES "
                           "(1, 1, 15, 80, 1, 2), (2, 1, 0, 60, 2, NULL), (1, 2, 0, 40, NULL, NULL), "
                           "(2, 4, 12, 100, NULL, NULL), (3, 5, 12, 120, NULL, NULL), (9, 6, 0, 10, NULL, NULL)"));
        QVERIFY(target.reopen(*store));
        QStringList shown;
        for (const StatisticsRow& r : store->statistics(1))
            shown << r.name1 + QString::asprintf(" %d %d %d %d", r.bestLeg, r.highestFinish, r.count180, r.plus171);
        QCOMPARE(shown, QStringList({"E 12 120 0 0", "D 12 100 0 0", "A 15 80 3 2", "B 0 40 0 0", "C 0 0 0 0"}));
        QCOMPARE(target.column("SELECT count(*) FROM tv_ergebnisse WHERE bestleg = 0"), QStringList({"0"}));
    }

    // Day 1: A beats B 3:1, C and D draw 2:2 (D without average); day 2: B beats C 6:0, A-D is open. B has the
    // better leg difference after day 2, A won their match.
    void own_seasonSeries_data() {
        QTest::addColumn<TieBreak>("order");
        QTest::addColumn<QStringList>("series"); // per member: positions, then averages, as day:value
        const QString e = "E 1:5 2:5 |";
        QTest::newRow("leg difference") << TieBreak::LegDifference
                                        << QStringList({"A 1:1 2:2 | 1:50.00", "B 1:4 2:1 | 1:40.00 2:45.00",
                                                        "C 1:2 2:4 | 1:30.00 2:35.00", "D 1:3 2:3 |", e});
        QTest::newRow("head to head") << TieBreak::HeadToHead
                                      << QStringList({"A 1:1 2:1 | 1:50.00", "B 1:4 2:2 | 1:40.00 2:45.00",
                                                      "C 1:2 2:4 | 1:30.00 2:35.00", "D 1:3 2:3 |", e});
    }
    void own_seasonSeries() {
        QFETCH(TieBreak, order);
        QFETCH(QStringList, series);
        startStandings();
        QVERIFY(target.run("INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (11, 1, 1, 1, 2), (12, "
                           "1, 1, 3, 4), (13, 1, 2, 2, 3), (14, 1, 2, 1, 4)"));
        for (const QString& sql :
             {row(11, 1, 3, 1, 2, "50", 0, 0), row(11, 2, 1, 3, 0, "40", 0, 0), row(12, 3, 2, 2, 1, "30", 0, 0),
              row(12, 4, 2, 2, 1, "0", 0, 0), row(13, 2, 6, 0, 2, "45", 0, 0), row(13, 3, 0, 6, 0, "35", 0, 0)})
            QVERIFY(target.run(sql));
        QStringList shown;
        for (const season::PlayerSeries& s :
             season::seasonSeries(store->membersByFirstName(1), store->seasonResults(1), order)) {
            QString line = s.name;
            for (const QPointF& p : s.positions)
                line += QStringLiteral(" %1:%2").arg(p.x()).arg(p.y());
            line += " |";
            for (const QPointF& p : s.averages)
                line += QStringLiteral(" %1:%2").arg(p.x()).arg(p.y(), 0, 'f', 2);
            shown << line;
        }
        QCOMPARE(shown, series);
    }

    // A, B, C, D; day 1: A-B 3:1, C-D 3:2; day 2: A-C 0:3, B-D open; day 3: A-D, B-C open. Every result has a
    // 180. Per case: the table (withdrawn last, "-"), the statistics' 180s, the schedule code's outcomes per
    // match (. counts, x annulled, h/a won by home/away without a game) and the season's result rows.
    void own_withdrawal_data() {
        QTest::addColumn<int>("player");
        QTest::addColumn<int>("rule"); // 0 annul, 1 walkover, -1 withdrawn by annul and undone
        QTest::addColumn<int>("day");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char* tag, int player, int rule, int day, const char* expected) {
            QTest::newRow(tag) << player << rule << day << QString(expected);
        };
        row("annulled before any match", 4, 0, 1,
            "C 1 1 0 0 3:0 2,A 2 1 0 1 3:4 2,B 1 0 0 1 1:3 0,D- | A2 B1 C1 D- | .x.xx. | 4");
        row("annulled half-way", 2, 0, 2,
            "C 2 2 0 0 6:2 4,D 1 0 0 1 2:3 0,A 1 0 0 1 0:3 0,B- | A1 C2 D1 B- | x..x.x | 4");
        row("walkover half-way", 4, 1, 2,
            "C 2 2 0 0 6:2 4,A 3 2 0 1 6:4 4,B 2 1 0 1 4:3 2,D- | A2 B1 C2 D- | ...hh. | 10");
        row("walkover on the last day", 4, 1, 3,
            "C 2 2 0 0 6:2 4,A 3 2 0 1 6:4 4,B 1 0 0 1 1:3 0,D- | A2 B1 C2 D- | ....h. | 8");
        row("walkover, the away player wins", 1, 1, 3,
            "C 2 2 0 0 6:2 4,D 2 1 0 1 5:3 2,B 1 0 0 1 1:3 0,A- | B1 C2 D1 A- | ....a. | 8");
        row("after the last match", 4, 1, 4,
            "C 2 2 0 0 6:2 4,A 2 1 0 1 3:4 2,B 1 0 0 1 1:3 0,D- | A2 B1 C2 D- | ...... | 6");
        row("undone", 4, -1, 1,
            "C 2 2 0 0 6:2 4,A 2 1 0 1 3:4 2,D 1 0 0 1 2:3 0,B 1 0 0 1 1:3 0 | A2 B1 C2 D1 | ...... | 6");
    }
    void own_withdrawal() {
        QFETCH(int, player);
        QFETCH(int, rule);
        QFETCH(int, day);
        QFETCH(QString, expected);
        start(leagueSeed({"A", "B", "C", "D"}, {"1:1:2", "1:3:4", "2:1:3", "2:2:4", "3:1:4", "3:2:3"}));
        for (const QString& sql :
             {row(1, 1, 3, 1, 2, "50", 0, 0), row(1, 2, 1, 3, 0, "40", 0, 0), row(2, 3, 3, 2, 2, "45", 0, 0),
              row(2, 4, 2, 3, 0, "44", 0, 0), row(3, 1, 0, 3, 0, "41", 0, 0), row(3, 3, 3, 0, 2, "42", 0, 0),
              QString("UPDATE tv_ergebnisse SET p180 = 1")})
            QVERIFY(target.run(sql));
        QVERIFY(store->withdraw(1, player, day, rule == 1 ? withdrawal::Rule::Walkover : withdrawal::Rule::Annul).ok);
        QCOMPARE(announced(), (C{C::Members | C::Results, {player}, {1}, {}, false}));
        if (rule < 0)
            QVERIFY(store->undoWithdrawal(1, player).ok);
        QStringList table, statistics;
        for (const LeagueTableRow& r : store->rankedLeagueTable(1, Points{}))
            table << r.name1 + (r.withdrawn ? "-" : ' ' + leagueTableFigures(r).mid(0, 6).join(' '));
        for (const StatisticsRow& r : store->statistics(1))
            statistics << r.name1 + (r.withdrawn ? "-" : QString::number(r.count180));
        QString outcomes;
        for (const ScheduleMatch& m : store->scheduleForExport(1))
            outcomes += QString(".xha").at(int(m.outcome));
        QCOMPARE(table.join(',') + " | " + statistics.join(' ') + " | " + outcomes + " | " +
                     QString::number(store->countedResults(1, Points{}).size()),
                 expected);
        QVERIFY(!store->withdraw(1, 9, 1, withdrawal::Rule::Annul).ok); // no member
    }

    // Nord: A, C, B level on points, B with the worst leg difference; Mitte: E-F 3:0, G-H 3:0; Süd: I-J 3:1,
    // K withdrawn. Two up and two down at each border: B and D go down, E and G up, I and J up, F and H down.
    void own_newSeason() {
        QStringList seed{"INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord'), (2, 'Mitte'), (3, 'Süd 2024/25')"};
        for (int p = 1; p <= 11; ++p)
            seed << QString("INSERT INTO tv_spieler VALUES (%1, '%2', '%2')").arg(p).arg(QChar('A' + p - 1))
                 << QString("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (%1, %2)").arg(p).arg((p + 3) / 4);
        seed << "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2), (2, 1, 1, 2, 4), "
                "(3, 1, 1, 3, 4), (4, 2, 1, 5, 6), (5, 2, 1, 7, 8), (6, 3, 1, 9, 10)";
        for (const auto& [m, home, away, legs] : QList<std::tuple<int, int, int, int>>{
                 {1, 1, 2, 0}, {2, 2, 4, 0}, {3, 3, 4, 2}, {4, 5, 6, 0}, {5, 7, 8, 0}, {6, 9, 10, 1}})
            seed << row(m, home, 3, legs, 2, "50", 0, 0) << row(m, away, legs, 3, 0, "40", 0, 0);
        start(seed);
        QVERIFY(store->withdraw(3, 11, 1, withdrawal::Rule::Annul).ok);
        QList<newseason::Division> divisions;
        for (const auto& [league, name] : QList<QPair<Id, QString>>{{1, "Nord"}, {2, "Mitte"}, {3, "Süd 2024/25"}})
            divisions.append({league, name, store->rankedLeagueTable(league, {})});
        QCOMPARE(newseason::plan(divisions, {{2, 2}, {3, 2}}, {"N1", "N2", "N3"}).refusal,
                 QString::fromUtf8("Die Liga „Süd 2024/25“ hat nur 2 Spieler in der Wertung; es sollen 3 aufsteigen "
                                   "und 0 absteigen. Bitte wählen Sie kleinere Zahlen."));
        QStringList proposed;
        for (const newseason::Division& d : divisions)
            proposed << newseason::proposedName(d.name);
        QCOMPARE(proposed, QStringList({"Nord (neue Saison)", "Mitte (neue Saison)", "Süd 2025/26"}));
        const newseason::Plan plan = newseason::plan(divisions, {{2, 2}, {2, 2}}, proposed);
        QStringList placed;
        for (const newseason::NewLeague& l : plan.leagues)
            for (const newseason::Placed& m : l.members)
                placed << l.name.left(2) + ':' + m.name1 + ' ' + m.origin;
        QCOMPARE(placed.join(", "),
                 "No:A aus Nord, No:C aus Nord, No:E Aufsteiger aus Mitte, No:G Aufsteiger aus Mitte, "
                 "Mi:B Absteiger aus Nord, Mi:D Absteiger aus Nord, Mi:I Aufsteiger aus Süd 2024/25, "
                 "Mi:J Aufsteiger aus Süd 2024/25, Sü:F Absteiger aus Mitte, Sü:H Absteiger aus Mitte");
        // All or nothing: a write that fails half-way leaves everything as it was.
        spy->clear();
        QVERIFY(target.run("ALTER TABLE tv_saison RENAME TO tv_weg"));
        QVERIFY(!newseason::create(*store, divisions, plan, {true, false, false}).ok);
        QVERIFY(target.run("ALTER TABLE tv_weg RENAME TO tv_saison"));
        QCOMPARE(store->leagues().size(), 3);
        QCOMPARE(spy->count(), 0);
        QVERIFY(newseason::create(*store, divisions, plan, {true, false, false}).ok);
        QCOMPARE(spy->count(), 1);
        QStringList after;
        for (const League& league : store->leagues()) {
            QString line = league.name.left(3) + QString::number(store->memberCount(league.id)) + '/' +
                           QString::number(store->schedule(league.id).size());
            for (const LeagueTableRow& r : store->rankedLeagueTable(league.id, {}))
                line += ' ' + r.name1 + QString::number(r.points);
            after << line;
        }
        // The old leagues keep their final tables; the new ones start from nothing.
        QCOMPARE(after, QStringList({"Mit0/2 E2 G2 F0 H0", "Mit4/6 B0 D0 I0 J0", "Nor0/3 A2 C2 B2 D0",
                                     "Nor4/6 A0 C0 E0 G0", "Süd0/1 I2 J0", "Süd2/1 F0 H0"}));
        QCOMPARE(names(store->poolPlayers()), QStringList({"11:K/K"}));
        // A second organiser who starts the same season from the same tables is refused.
        const db::Result twice = newseason::create(*store, divisions, plan, {true, false, false});
        QVERIFY2(twice.conflict && twice.error.contains("schon eine neue Saison"), qPrintable(twice.error));
        QCOMPARE(store->leagues().size(), 6);
    }

    void own_playersInUse_data() {
        QTest::addColumn<QString>("player");
        QTest::addColumn<QString>("use"); // scheduled in | results in | results without match
        const auto row = [](const char* tag, const char* player, const char* use) {
            QTest::newRow(tag) << QString(player) << QString(use);
        };
        row("home, away, in two leagues", "1", "albern Nord||0");
        row("in a deleted league too", "2", "Nord||0");
        row("replaced after a result, deleted schedule", "3", "|Nord|2");
        row("in another league only", "5", "albern||0");
    }
    void own_playersInUse() {
        QFETCH(QString, player);
        QFETCH(QString, use);
        // In "Nord" Anna (1) - Bert (2) and Dora (4) - Anna, in "albern" Emil (5) - Anna, in a deleted league
        // Carl (3) - Bert. Carl's results: match 1, the deleted league's match and two deleted matches.
        start(leagueSeed({"Anna", "Bert", "Carl", "Dora", "Emil"}, {"1:1:2", "2:4:1"}) +
              QStringList{"INSERT INTO tv_ligen (id, liga_name) VALUES (2, 'albern')",
                          "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (3, 2, "
                          "1, 5, 1), (4, 7, 1, 3, 2)",
                          "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id) VALUES (1, 3), (4, "
                          "3), (98, 3), (99, 3)"});
        const PlayerUse u = store->playerUse(player.toLongLong());
        QCOMPARE(u.scheduledIn.join(' ') + '|' + u.resultsIn.join(' ') + '|' + QString::number(u.resultsWithoutMatch),
                 use);
        // Members (by assignment) with matches in their own league, in the order asked.
        QCOMPARE(store->membersWithMatches({5, 4, 3, 2, 1, 99}).join(' '), "Dora Bert Anna");
    }

    // Matches with more than two result rows keep the first row and the first of another player.
    void duplicates() {
        seedResults();
        // A third player's row, as a replaced player leaves it (a server keeps one row per player and match).
        for (const char* sql : {"INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, pkt) VALUES (1, 3, 9)",
                                "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, pkt) VALUES (3, 7, 9)"})
            QVERIFY(target.run(sql));
        QCOMPARE(store->duplicateMatches(), QList<Id>({1, 3}));
        QVERIFY(store->deleteDuplicateResults({1, 3, 9}).ok);
        QCOMPARE(announced().matches, (QList<C::MatchRef>{{1, 1, 1}, {3, 1, 2}}));
        QCOMPARE(target.column("SELECT spieltag_id || ':' || spieler_id FROM tv_ergebnisse ORDER BY id"),
                 QStringList({"1:1", "1:2", "2:3", "2:1", "3:2", "3:3"}));
    }

    // The games of a match day saved together: announced once; one refused match undoes all of them.
    void batchSave() {
        QVERIFY(store->storeSchedule(1, {{1, "1", "2"}, {1, "3", "1"}, {2, "2", "3"}}).ok);
        QVERIFY(store->saveResult({false, 3, 2, 3, "g3", "prodarter"}, {"0"}, {"0"}, Points{2, 1, 0}).ok);
        spy->clear();
        const QList<Match> matches = store->leagueMatches(1);
        QCOMPARE(listed(matches), QStringList({"1:1 Anna-bert", "2:1 Carl-Anna", "3:2 bert-Carl 0:0"}));
        QCOMPARE(matches[0].away2, "bert");
        QCOMPARE(store->importedGames(), QList<ImportedGame>({{"prodarter", "g3"}}));
        QList<batchimport::ReviewRow> rows(2);
        const resultentry::SideTexts three{"3"}, one{"1"};
        for (int i : {0, 1})
            rows[i] = {
                "", "", "", "", true, matches[2 * i], {three, one}, ImportPlatform::Lidarts, "x" + QString::number(i),
                ""};
        const db::Result refused = batchimport::saveRows(*store, 1, rows, Points{2, 1, 0});
        QVERIFY(refused.conflict);
        QCOMPARE(spy->count(), 0);
        rows[1].match = matches[1];
        QVERIFY(batchimport::saveRows(*store, 1, rows, Points{2, 1, 0}).ok);
        QCOMPARE(spy->count(), 1);
        QCOMPARE(announced().matches, (QList<C::MatchRef>{{1, 1, 1}, {2, 1, 1}}));
        QCOMPARE(target.column("SELECT spieltag_id || ':' || spieler_id || ':' || legs_won || ':' || hash || ':' || "
                               "plat FROM tv_ergebnisse ORDER BY id"),
                 QStringList({"3:2:0:g3:prodarter", "3:3:0:g3:prodarter", "1:1:3:x0:lidarts", "1:2:1:x0:lidarts",
                              "2:3:3:x1:lidarts", "2:1:1:x1:lidarts"}));
    }

    // A league moved into this store and back into a league file keeps every row and id.
    void moveAndBack() {
        seedResults();
        const QString dump = "SELECT id || '|' || spieltag_id || '|' || spieler_id || '|' || coalesce(legs_won, 0) || "
                             "'|' || ave || '|' || coalesce(hash, '-') FROM tv_ergebnisse ORDER BY id";
        const QStringList rows = target.column(dump);
        db::SqliteStore file;
        QVERIFY(file.open(dir.filePath("zurueck.db")).ok);
        QVERIFY(file.copyAllFrom(*store).ok);
        QVERIFY(store->deleteAllResults().ok && store->copyAllFrom(file).ok);
        QCOMPARE(target.column(dump), rows);
        QCOMPARE(store->statistics(1).at(1).bestLeg, 21);
        Id next = 0;
        QVERIFY(store->addPlayer("Eva", "eva", &next).ok);
        QCOMPARE(next, 5); // new rows follow the copied ids
        QVERIFY(store->doubledResults().isEmpty());
    }

private:
    void start(const QStringList& seed) {
        spy.reset();
        store.reset();
        store = target.make(dir, QString(QTest::currentTestFunction()) + QTest::currentDataTag(), seed);
        QVERIFY(store);
        spy = std::make_unique<QSignalSpy>(store.get(), &db::LeagueStore::changed);
    }
    // Players 1..5 (A..E) in league 1 (B's platform name is "B"), player 6 (F) in league 2.
    void startStandings() {
        start(leagueSeed({"A", "B:B", "C", "D", "E"}) +
              QStringList{"INSERT INTO tv_ligen VALUES (2, 'Süd')", "INSERT INTO tv_spieler VALUES (6, 'F', 'f')",
                          "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (6, 2)"});
    }
    // One stored result row: match, player, legs won and lost, points, average, doubles hit and thrown.
    static QString row(int match, int player, int won, int lost, int points, const char* ave, int hit, int thrown) {
        return QString::asprintf("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, legs_lost, pkt, "
                                 "gewonnen, remis, verloren, ave, douba, doubb) VALUES (%d, %d, %d, %d, %d, %d, %d, "
                                 "%d, %s, %d, %d)",
                                 match, player, won, lost, points, int(won > lost), int(won == lost), int(won < lost),
                                 ave, hit, thrown);
    }

    // Dora (4) joins; matches 1-3 of days 1-2, every one played: Carl wins 6:2 with a best leg of 15, Anna beats
    // bert 6:3 (best leg 21), bert and Carl draw 2:2; Anna loses to Carl.
    void seedResults() {
        QVERIFY(store->addPlayer("Dora", "dora").ok && store->assignPlayers({4}, 1).ok);
        QVERIFY(store->storeSchedule(1, {{1, "1", "2"}, {1, "3", "1"}, {2, "2", "3"}}).ok);
        const auto save = [&](Id match, Id left, Id right, const resultentry::SideTexts& l,
                              const resultentry::SideTexts& r) {
            QVERIFY(
                store
                    ->saveResult({false, int(match), int(left), int(right), "g" + QString::number(match), "lidarts"}, l,
                                 r, Points{2, 1, 0})
                    .ok);
        };
        save(1, 1, 2, {"6", "40", "", "", "", "", "", "", "", "", "", "", "", "", "", "21"},
             {"3", "", "", "", "", "", "", "", "", "", "", "", "100", "", "", "0"});
        save(2, 3, 1, {"6", "50,5", "", "", "", "", "", "", "", "", "", "", "40", "2", "8", "15"}, {"2"});
        save(3, 2, 3, {"0"}, {"3", "50"});
        QVERIFY(target.run("UPDATE tv_ergebnisse SET legs_won = 2, legs_lost = 2, gewonnen = 0, remis = 1, verloren = "
                           "0, pkt = 1 WHERE spieltag_id = 3"));
        spy->clear();
    }

    // The last announcement, the spy emptied.
    db::StoreChange announced() {
        const db::StoreChange c = spy->isEmpty() ? db::StoreChange() : spy->last().at(0).value<db::StoreChange>();
        spy->clear();
        return c;
    }
    QTemporaryDir dir;
    StoreTarget target;
    std::unique_ptr<db::SqlStore> store;
    std::unique_ptr<QSignalSpy> spy;
};

QTEST_GUILESS_MAIN(TestStore)
#include "tst_store.moc"
