// The league store: every read and write in the program's terms, and what each write announces.
#include "seed.h"
#include "storetarget.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace tavorin;
using C = db::StoreChange;

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
    void init() {
        store =
            target.make(dir, QTest::currentTestFunction(),
                        leagueSeed({"Anna", "bert", "Carl"}) + QStringList{"INSERT INTO tv_ligen VALUES (2, 'Süd')"});
        QVERIFY(store);
        spy = std::make_unique<QSignalSpy>(store.get(), &db::LeagueStore::changed);
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
        QVERIFY(store->saveResult(save, {"2"}, {"2"}, Points{2, 1, 0}).ok);
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

    // Standings on a played league, ranked the same on either kind of store: points, leg difference, legs won;
    // best legs ascending, none after them, members without results last.
    void standings() {
        seedResults();
        QStringList table;
        for (const LeagueTableRow& r : store->leagueTable(1))
            table << r.name1 + ':' + leagueTableFigures(r).join(' ');
        QCOMPARE(table, QStringList({"Carl:2 1 1 0 8:4 3 50.25 25.00% (2/8)", "Anna:2 1 0 1 8:9 2 40.00 0",
                                     "bert:2 0 1 1 5:8 1 0.00 0", "Dora:0 0 0 0 0:0 0 0.00 0"}));
        QStringList stats;
        for (const StatisticsRow& r : store->statistics(1))
            stats << r.name1 + ':' + QString::number(r.bestLeg) + '/' + QString::number(r.highestFinish);
        QCOMPARE(stats, QStringList({"Carl:15/40", "Anna:21/0", "bert:0/100", "Dora:0/0"}));
        QCOMPARE(store->rankedLeagueTable(1, TieBreak::HeadToHead).at(0).name1, "Carl");
        QCOMPARE(store->seasonResults(1).size(), 6);
        QCOMPARE(store->scheduleForExport(1).at(0).home.bestLeg, "21");
        QCOMPARE(store->scheduleForExport(1).at(1).away.bestLeg, ""); // none
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
