// The rules behind result entry and the standings that need no league: impossible figures and the head-to-head
// ranking. What the league store reads and writes is tested in tst_store.
#include "results/numbers.h"
#include "results/resultentry.h"
#include "results/standings.h"

#include <QTest>

using namespace tavorin;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavorin::TieBreak)

namespace {

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
};

QTEST_GUILESS_MAIN(TestResultsCore)
#include "tst_results_core.moc"
