// The circle-method round-robin: the worked schedules for two to five members and the round-robin
// properties for every league size up to 30.
#include "league/schedule.h"

#include <QHash>
#include <QSet>
#include <QTest>

using namespace tavorin;

namespace {

// "day home away" per row, so that a mismatch shows the rows themselves.
QStringList describe(const QList<ScheduleRow>& rows) {
    QStringList out;
    for (const ScheduleRow& r : rows)
        out << QStringLiteral("%1 %2 %3").arg(r.matchDay).arg(r.home, r.away);
    return out;
}

QStringList membersOf(int n) {
    QStringList members;
    for (int k = 0; k < n; ++k)
        members << QString::number(1000 - 7 * k); // ids that do not come in sorted order
    return members;
}

QString pairKey(const QString& a, const QString& b) {
    return a < b ? a + QLatin1Char('|') + b : b + QLatin1Char('|') + a;
}

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT

private slots:
    void firstRoundMatchDays_data();
    void firstRoundMatchDays();
    void workedExamples_data();
    void workedExamples();
    void roundRobinProperties_data();
    void roundRobinProperties();
};

void TestSchedule::firstRoundMatchDays_data() {
    QTest::addColumn<int>("members");
    QTest::addColumn<int>("days");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("one") << 1 << 1;
    QTest::newRow("two") << 2 << 1;
    QTest::newRow("three") << 3 << 3;
    QTest::newRow("four") << 4 << 3;
    QTest::newRow("five") << 5 << 5;
    QTest::newRow("hundred") << 100 << 99;
}

void TestSchedule::firstRoundMatchDays() {
    QFETCH(int, members);
    QFETCH(int, days);
    QCOMPARE(tavorin::firstRoundMatchDays(members), days);
}

void TestSchedule::workedExamples_data() {
    QTest::addColumn<QStringList>("members");
    QTest::addColumn<bool>("withReturnRound");
    QTest::addColumn<QStringList>("rows");

    const QStringList none;
    QTest::newRow("0") << QStringList() << false << none;
    QTest::newRow("0 return") << QStringList() << true << none;
    QTest::newRow("1") << QStringList{"A"} << false << none;
    QTest::newRow("1 return") << QStringList{"A"} << true << none;

    QTest::newRow("2") << QStringList{"A", "B"} << false << QStringList{"1 A B"};
    QTest::newRow("2 return") << QStringList{"A", "B"} << true << QStringList{"1 A B", "2 B A"};

    const QStringList abc{"A", "B", "C"};
    QTest::newRow("3") << abc << false << QStringList{"1 C A", "2 B C", "3 A B"};
    QTest::newRow("3 return") << abc << true << QStringList{"1 C A", "4 A C", "2 B C", "5 C B", "3 A B", "6 B A"};

    const QStringList abcd{"A", "B", "C", "D"};
    QTest::newRow("4") << abcd << false << QStringList{"1 A C", "1 D B", "2 A B", "2 C D", "3 A D", "3 B C"};
    QTest::newRow("4 return") << abcd << true << QStringList{"1 A C", "4 C A", "1 D B", "4 B D", "2 A B", "5 B A",
                                                             "2 C D", "5 D C", "3 A D", "6 D A", "3 B C", "6 C B"};
    // The same league with real ids in an unsorted order: A=7, B=3, C=12, D=5. The order is kept as given.
    QTest::newRow("4 unsorted ids") << QStringList{"7", "3", "12", "5"} << false
                                    << QStringList{"1 7 12", "1 5 3", "2 7 3", "2 12 5", "3 7 5", "3 3 12"};

    const QStringList abcde{"A", "B", "C", "D", "E"};
    QTest::newRow("5") << abcde << false << QStringList{"1 E C", "1 A B", "2 D B", "2 E A", "3 C A",
                                                        "3 D E", "4 B E", "4 C D", "5 A D", "5 B C"};
    QTest::newRow("5 return") << abcde << true
                              << QStringList{"1 E C", "6 C E", "1 A B", "6 B A",  "2 D B", "7 B D", "2 E A",
                                             "7 A E", "3 C A", "8 A C", "3 D E",  "8 E D", "4 B E", "9 E B",
                                             "4 C D", "9 D C", "5 A D", "10 D A", "5 B C", "10 C B"};
}

void TestSchedule::workedExamples() {
    QFETCH(QStringList, members);
    QFETCH(bool, withReturnRound);
    QFETCH(QStringList, rows);
    QCOMPARE(describe(generateSchedule(members, withReturnRound)), rows);
}

void TestSchedule::roundRobinProperties_data() {
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("withReturnRound");
    for (int n = 0; n <= 30; ++n) {
        QTest::addRow("%d", n) << n << false;
        QTest::addRow("%d return", n) << n << true;
    }
}

void TestSchedule::roundRobinProperties() {
    QFETCH(int, n);
    QFETCH(bool, withReturnRound);

    const QStringList members = membersOf(n);
    const QList<ScheduleRow> rows = generateSchedule(members, withReturnRound);
    const int rounds = withReturnRound ? 2 : 1;
    QCOMPARE(rows.size(), qsizetype(n * (n - 1) / 2 * rounds));
    if (n < 2)
        return;

    const int r = n % 2 == 0 ? n - 1 : n;
    const QSet<QString> memberSet(members.begin(), members.end());

    // Split into the two rounds; with a return round every first-round row is followed by its mirror
    // on match day R + d.
    QList<ScheduleRow> first;
    QList<ScheduleRow> second;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const ScheduleRow& row = rows.at(k);
        if (!withReturnRound || k % 2 == 0) {
            QVERIFY2(row.matchDay >= 1 && row.matchDay <= r, qPrintable(QString::number(k)));
            first << row;
        } else {
            const ScheduleRow& before = rows.at(k - 1);
            QCOMPARE(row.matchDay, r + before.matchDay);
            QCOMPARE(row.home, before.away);
            QCOMPARE(row.away, before.home);
            second << row;
        }
    }
    // The first round does not depend on the flag.
    if (withReturnRound)
        QCOMPARE(describe(first), describe(generateSchedule(members, false)));

    const QList<QList<ScheduleRow>> roundsRows{first, second};
    for (int round = 0; round < rounds; ++round) {
        const int offset = round * r;
        QSet<QString> pairs;
        QHash<QString, int> byes;
        QList<QSet<QString>> playing(r);
        for (const ScheduleRow& row : roundsRows.at(round)) {
            QVERIFY(memberSet.contains(row.home));
            QVERIFY(memberSet.contains(row.away));
            QVERIFY(row.home != row.away);
            const QString key = pairKey(row.home, row.away);
            QVERIFY2(!pairs.contains(key), qPrintable(key));
            pairs.insert(key);
            QSet<QString>& today = playing[row.matchDay - offset - 1];
            QVERIFY2(!today.contains(row.home) && !today.contains(row.away),
                     qPrintable(QStringLiteral("day %1: %2 - %3").arg(row.matchDay).arg(row.home, row.away)));
            today << row.home << row.away;
        }
        QCOMPARE(pairs.size(), qsizetype(n * (n - 1) / 2));
        for (int d = 0; d < r; ++d) {
            // Days are contiguous: every day of the round has all its pairs.
            QCOMPARE(playing.at(d).size(), qsizetype(n % 2 == 0 ? n : n - 1));
            for (const QString& m : members) {
                if (!playing.at(d).contains(m))
                    ++byes[m];
            }
        }
        if (n % 2 == 1) {
            QCOMPARE(byes.size(), qsizetype(n));
            for (auto it = byes.cbegin(); it != byes.cend(); ++it)
                QCOMPARE(it.value(), 1);
        } else {
            QVERIFY(byes.isEmpty());
        }
    }

    // Rows come day by day: the first-round days never go down.
    for (qsizetype k = 1; k < first.size(); ++k)
        QVERIFY(first.at(k).matchDay >= first.at(k - 1).matchDay);

    // With an even count the first member never moves and is at home in every first-round match.
    if (n % 2 == 0) {
        for (const ScheduleRow& row : first)
            QVERIFY(row.away != members.first());
    }
}

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
