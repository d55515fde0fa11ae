// The rules behind result entry and the standings: impossible figures, what a save stores, the ranking of
// the league table (also head to head) and the statistics, the listings and the season's course.
#include "db/connection.h"
#include "results/numbers.h"
#include "results/resultentry.h"
#include "results/resultlist.h"
#include "results/season.h"
#include "results/standings.h"
#include "seed.h"

#include <QFile>
#include <QTemporaryDir>

using namespace tavorin;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavorin::TieBreak)

namespace {

// One stored result row: match, player, legs won and lost, points, average, doubles hit and thrown.
QString row(int match, int player, int won, int lost, int points, const char* ave, int hit, int thrown) {
    return QString::asprintf("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, legs_lost, pkt, gewonnen, "
                             "remis, verloren, ave, douba, doubb) VALUES (%d, %d, %d, %d, %d, %d, %d, %d, %s, %d, %d)",
                             match, player, won, lost, points, int(won > lost), int(won == lost), int(won < lost), ave,
                             hit, thrown);
}

// A league-table row of player `id` with points, leg difference and legs won.
LeagueTableRow standing(const char* id, int points, int difference, int legsWon, bool results = true) {
    LeagueTableRow r;
    r.name1 = r.playerId = QLatin1StringView(id);
    r.points = points;
    r.legDifference = difference;
    r.legsWon = legsWon;
    r.hasResults = results;
    return r;
}

} // namespace

class TestResultsCore : public QObject {
    Q_OBJECT

private slots:
    // Players 1..5 (A..E) in league 1 (B's platform name is "B"), player 6 (F) in league 2.
    void init() {
        peekDb.reset();
        const QString path = dir.filePath(QStringLiteral("%1.db").arg(QTest::currentTestFunction()));
        QFile::remove(path);
        seedLeagueDatabase(path, leagueSeed({"A", "B:B", "C", "D", "E"}) +
                                     QStringList{"INSERT INTO tv_spieler VALUES (6, 'F', 'f')",
                                                 "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (6, 2)"});
        peekDb = std::make_unique<DbPeek>(path);
    }
    void cleanup() { db::useDatabase(QString()); }

    void impossibleFigures_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("named"); // the field named as impossible, FieldCount for none
        using namespace resultentry;
        const auto row = [](const char* name, Field f, const char* text, Field named) {
            QTest::newRow(name) << int(f) << QString::fromUtf8(text) << int(named);
        };
        row("legs 99", Legs, "99", FieldCount);
        row("legs 100", Legs, "100", Legs);
        row("legs not whole", Legs, "3.5", Legs);
        row("average with comma", Average, "180,00", FieldCount);
        row("average over 180", First9Average, "180.01", First9Average);
        row("average nan", Average, "nan", Average);
        row("score band 1000", Count180, "1000", Count180);
        row("highest finish 1", HighestFinish, "1", HighestFinish);
        row("highest finish 170", HighestFinish, "170", FieldCount);
        row("highest finish 171", HighestFinish, "171", HighestFinish);
        row("average negative", Average, "-1", Average);
        row("best leg 9", BestLeg, "9", FieldCount);
        row("hit as many as thrown", DoublesHit, "6", FieldCount);
        row("hit more than thrown", DoublesHit, "7", DoublesHit);
        row("thrown not a number", DoublesThrown, "x", DoublesThrown);
        row("best leg 8", BestLeg, "8", BestLeg);
    }
    void impossibleFigures() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(int, named);
        resultentry::SideTexts side{"3", "60.5", "", "0", "1", "2", "3", "4", "5", "6", "7", "8", "40", "3", "6", "15"};
        side[field] = text;
        QCOMPARE(int(resultentry::firstImpossibleField(side)), named);
    }
    void saveInsertsThenUpdates() {
        resultentry::SaveContext c{false, 7, 2, 1, "q7Rk2xLp", "lidarts"}; // insert match 7, player 2 on the left
        // Figures that are no number count as 0; the average takes a comma.
        const resultentry::SideTexts left{"6", "67,25", "", "", "", "", "", "", "", "", "x", "", "", "6", "20", "18"};
        QVERIFY(db::writeAll(resultentry::saveStatements(c, left, {"4", "55.5"}, Points{2, 1, 0})).ok);

        const QString columns =
            "spieltag_id || '|' || spieler_id || '|' || gewonnen || remis || verloren || '|' || "
            "legs_won || ':' || legs_lost || '|' || pkt || '|' || ave || '|' || douba || '/' || doubb "
            "|| '|' || p171 || '|' || bestleg || '|' || hash || '|' || plat || '|' || quote(m20)";
        QCOMPARE(peek().column("SELECT " + columns + " FROM tv_ergebnisse ORDER BY id"),
                 QStringList({"7|2|100|6:4|2|67.25|6/20|0|18|q7Rk2xLp|lidarts|0",
                              "7|1|001|4:6|0|55.5|0/0|0|0|q7Rk2xLp|lidarts|0"}));

        // The same match saved again with the rows present: both are updated, no row is added.
        c.update = true;
        c.hash.clear();
        QVERIFY(db::writeAll(resultentry::saveStatements(c, {"5"}, {"5"}, Points{2, 1, 0})).ok);
        QCOMPARE(peek().column("SELECT spieler_id || ':' || legs_won || ':' || remis || ':' || pkt || ':' || hash FROM "
                               "tv_ergebnisse ORDER BY id"),
                 QStringList({"2:5:1:1:", "1:5:1:1:"}));

        // Update mode with one row gone changes the other and creates nothing.
        peek().run("DELETE FROM tv_ergebnisse WHERE spieler_id = 1");
        QVERIFY(db::writeAll(resultentry::saveStatements(c, {"1"}, {"3"}, Points{2, 1, 0})).ok);
        QCOMPARE(peek().column("SELECT spieler_id || ':' || legs_won || ':' || legs_lost FROM tv_ergebnisse"),
                 QStringList({"2:1:3"}));
    }
    void loadingShowsStoredFigures() {
        QVERIFY(peek().run(row(7, 1, 6, 4, 2, "45", 3, 9)));
        QVERIFY(
            peek().run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, bestleg) VALUES (7, 2, 4, '')"));
        const QList<resultentry::StoredSide> s = resultentry::storedResults("7");
        QCOMPARE(s.size(), 2);
        using namespace resultentry;
        // NULL first-9 average reads 0.00, NULL 171s and an empty best leg stay empty.
        QCOMPARE(QStringList({s[0].playerId, s[0].texts[Legs], s[0].texts[Average], s[0].texts[First9Average],
                              s[0].texts[DoublesThrown], s[0].texts[Plus171], s[1].texts[BestLeg]}),
                 QStringList({"1", "6", "45.00", "0.00", "9", "", ""}));
    }
    void leagueTableRanking() {
        // A and B level on 4 points: A has the better leg difference (+4 against +3) despite fewer legs won.
        // C and D level on 2 points and difference 0: D won more legs. E has no result and comes last; F plays
        // in another league.
        const QStringList rows = {
            row(1, 1, 6, 2, 2, "50", 5, 20),  row(2, 1, 6, 6, 1, "0", 0, 0), row(3, 1, 6, 6, 1, "40", 0, 0),
            row(1, 2, 10, 8, 2, "60", 2, 0),  row(2, 2, 9, 8, 2, "0", 0, 0), row(1, 3, 3, 3, 1, "30", 1, 3),
            row(2, 3, 3, 3, 1, "NULL", 0, 0), row(1, 4, 7, 6, 2, "0", 0, 0), row(2, 4, 0, 1, 0, "0", 0, 0),
            row(9, 6, 9, 0, 2, "99", 0, 0),
        };
        for (const QString& sql : rows)
            QVERIFY2(peek().run(sql), qPrintable(sql));

        QStringList shown;
        for (const LeagueTableRow& r : leagueTable("1"))
            shown << standingsName(r.name1, r.name2) +
                         QString::asprintf(" %d%d%d %d:%d %d ", r.won, r.drawn, r.lost, r.legsWon, r.legsLost,
                                           r.points) +
                         twoDecimals(r.average) + ' ' + doublesQuoteWithCounts(r.doublesHit, r.doublesThrown);
        QCOMPARE(shown, QStringList({"A (a) 120 18:14 4 45.00 25.00% (5/20)", "B 200 19:16 4 60.00 0",
                                     "D (d) 101 7:7 2 0.00 0", "C (c) 020 6:6 2 30.00 33.33% (1/3)",
                                     "E (e) 000 0:0 0 0.00 0"}));
        // Head to head from the file: B beat A in match 2 (C and D were already in the order of their match 1).
        QVERIFY(peek().run(
            "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 4, 3), (2, 1, 2, 2, 1)"));
        shown.clear();
        for (const LeagueTableRow& r : rankedLeagueTable("1", TieBreak::HeadToHead))
            shown << r.name1;
        QCOMPARE(shown, QStringList({"B", "A", "D", "C", "E"}));
    }
    void headToHead_data() {
        QTest::addColumn<QList<LeagueTableRow>>("rows"); // in the order of the standings query
        QTest::addColumn<QList<MatchPoints>>("matches");
        QTest::addColumn<QString>("order");
        QTest::newRow("three level on points, ranked by their matches")
            << QList<LeagueTableRow>{standing("A", 4, 6, 10), standing("B", 4, 2, 8), standing("C", 4, -1, 7),
                                     standing("D", 2, 0, 5)}
            << QList<MatchPoints>{{u"C"_s, u"A"_s, 2, 0},
                                  {u"B"_s, u"C"_s, 0, 2},
                                  {u"B"_s, u"A"_s, 2, 0},
                                  {u"D"_s, u"A"_s, 0, 2}}
            << u"C B A D"_s;
        const QList<LeagueTableRow> level{standing("C", 4, 3, 9), standing("B", 4, 3, 6), standing("A", 4, 1, 5)};
        QTest::newRow("level against each other: leg difference, then legs won")
            << level << QList<MatchPoints>{{u"A"_s, u"B"_s, 1, 1}, {u"B"_s, u"C"_s, 1, 1}, {u"C"_s, u"A"_s, 1, 1}}
            << u"C B A"_s;
        QTest::newRow("partly level: points against each other first")
            << level << QList<MatchPoints>{{u"A"_s, u"B"_s, 2, 0}, {u"B"_s, u"C"_s, 1, 1}, {u"C"_s, u"A"_s, 2, 0}}
            << u"C A B"_s;
        QTest::newRow("no results is not level with 0 points; alike in all keeps the order")
            << QList<LeagueTableRow>{standing("B", 1, 0, 2), standing("A", 1, 0, 2), standing("E", 0, -3, 2),
                                     standing("F", 0, 0, 0, false)}
            << QList<MatchPoints>{{u"A"_s, u"B"_s, 1, 1}} << u"B A E F"_s;
    }
    void headToHead() {
        QFETCH(QList<LeagueTableRow>, rows);
        QFETCH(QList<MatchPoints>, matches);
        QFETCH(QString, order);
        QStringList names;
        for (const LeagueTableRow& r : rankHeadToHead(rows, matches))
            names << r.name1;
        QCOMPARE(names.join(u' '), order);
    }
    void statisticsRanking() {
        // A: best legs 15 and 0; B: only 0; C: no results; D: 12 with finish 100; E: 12 with finish 120.
        QVERIFY(peek().run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, bestleg, hf, p180, p171) VALUES "
                           "(1, 1, 15, 80, 1, 2), (2, 1, 0, 60, 2, NULL), (1, 2, 0, 40, NULL, NULL), "
                           "(2, 4, 12, 100, NULL, NULL), (3, 5, 12, 120, NULL, NULL), (9, 6, 0, 10, NULL, NULL)"));
        QVERIFY(rewriteZeroBestLegs());
        QStringList shown;
        for (const StatisticsRow& r : statistics("1"))
            shown << r.name1 + QString::asprintf(" %d %d %d %d", r.bestLeg, r.highestFinish, r.count180, r.plus171);
        QCOMPARE(shown, QStringList({"E 12 120 0 0", "D 12 100 0 0", "A 15 80 3 2", "B 0 40 0 0", "C 0 0 0 0"}));
        // The rewrite holds for good and in every league.
        QCOMPARE(peek().column("SELECT quote(bestleg) FROM tv_ergebnisse WHERE hf IN (60, 40, 10) ORDER BY hf"),
                 QStringList({"''", "''", "''"}));
    }
    void listingByDayAndByPlayer() {
        // Matches 7 and 8 are A's in another league: one against a player who is gone (9), one on day 3.
        QVERIFY(peek().run("INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (8, 2, 3, 1, 6), "
                           "(1, 1, 1, 1, 2), (2, 1, 1, 3, 4), (3, 1, 2, 2, 3), (4, 1, 3, 2, 1), (7, 2, 1, 9, 1)"));
        QVERIFY(peek().run(row(1, 1, 6, 2, 2, "50", 0, 0)));
        QVERIFY(peek().run(row(2, 4, 6, 2, 2, "50", 0, 0))); // the guest's row only
        QCOMPARE(resultlist::matchDays("1").size(), 3);
        QCOMPARE(resultlist::matchDays("1").at(2).caption, "3. Spieltag");

        QStringList day;
        for (const resultlist::ListedMatch& m : resultlist::matchesOfDay("1", "1"))
            day << m.heimDName + '-' + m.gastDName + (m.played ? "*" : "");
        QCOMPARE(day, QStringList({"A-B*", "C-D"}));

        QStringList player;
        for (const resultlist::ListedMatch& m : resultlist::matchesOfPlayer("1"))
            player << m.spieltag + ':' + m.heimName + '-' + m.gastName;
        QCOMPARE(player, QStringList({"1:a-B", "1:-a", "3:B-a", "3:a-f"})); // a match day's matches by id
    }
    void seasonSeries_data() {
        QTest::addColumn<TieBreak>("order");
        QTest::addColumn<QStringList>("series"); // per member: positions, then averages, as day:value
        // Day 1: A beats B 3:1, C and D draw 2:2 (D without average); day 2: B beats C 6:0, A-D is open. B has
        // the better leg difference after day 2, A won their match.
        const QString e = "E 1:5 2:5 |";
        QTest::newRow("leg difference") << TieBreak::LegDifference
                                        << QStringList({"A 1:1 2:2 | 1:50.00", "B 1:4 2:1 | 1:40.00 2:45.00",
                                                        "C 1:2 2:4 | 1:30.00 2:35.00", "D 1:3 2:3 |", e});
        QTest::newRow("head to head") << TieBreak::HeadToHead
                                      << QStringList({"A 1:1 2:1 | 1:50.00", "B 1:4 2:2 | 1:40.00 2:45.00",
                                                      "C 1:2 2:4 | 1:30.00 2:35.00", "D 1:3 2:3 |", e});
    }
    void seasonSeries() {
        QFETCH(TieBreak, order);
        QFETCH(QStringList, series);
        QVERIFY(peek().run("INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (11, 1, 1, 1, 2), "
                           "(12, 1, 1, 3, 4), (13, 1, 2, 2, 3), (14, 1, 2, 1, 4)"));
        for (const QString& sql :
             {row(11, 1, 3, 1, 2, "50", 0, 0), row(11, 2, 1, 3, 0, "40", 0, 0), row(12, 3, 2, 2, 1, "30", 0, 0),
              row(12, 4, 2, 2, 1, "0", 0, 0), row(13, 2, 6, 0, 2, "45", 0, 0), row(13, 3, 0, 6, 0, "35", 0, 0)})
            QVERIFY(peek().run(sql));
        QStringList shown;
        for (const season::PlayerSeries& s :
             season::seasonSeries(resultlist::members("1"), season::playedResults("1"), order)) {
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

private:
    DbPeek& peek() { return *peekDb; }
    QTemporaryDir dir;
    std::unique_ptr<DbPeek> peekDb;
};

QTEST_GUILESS_MAIN(TestResultsCore)
#include "tst_results_core.moc"
