// The league rules without widgets: the circle-method round-robin (worked schedules, and the properties for
// every league size up to 30, also with balanced home and away) and where players still take part in matches.
#include "league/schedule.h"

#include <QHash>
#include <QRegularExpression>
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

} // namespace

class TestSchedule : public QObject {
    Q_OBJECT

private slots:
    void workedExamples_data() {
        QTest::addColumn<QStringList>("members");
        QTest::addColumn<bool>("withReturnRound");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("3") << QStringList{"A", "B", "C"} << false << QStringList{"1 C A", "2 B C", "3 A B"};
        const QStringList abcd{"A", "B", "C", "D"};
        QTest::newRow("4 return") << abcd << true << QStringList{"1 A C", "4 C A", "1 D B", "4 B D", "2 A B", "5 B A",
                                                                 "2 C D", "5 D C", "3 A D", "6 D A", "3 B C", "6 C B"};
        // The same league with real ids in an unsorted order: A=7, B=3, C=12, D=5. The order is kept as given.
        QTest::newRow("4 unsorted ids") << QStringList{"7", "3", "12", "5"} << false
                                        << QStringList{"1 7 12", "1 5 3", "2 7 3", "2 12 5", "3 7 5", "3 3 12"};
        QTest::newRow("5") << QStringList{"A", "B", "C", "D", "E"} << false
                           << QStringList{"1 E C", "1 A B", "2 D B", "2 E A", "3 C A",
                                          "3 D E", "4 B E", "4 C D", "5 A D", "5 B C"};
    }
    void workedExamples() {
        QFETCH(QStringList, members);
        QFETCH(bool, withReturnRound);
        QFETCH(QStringList, rows);
        QCOMPARE(describe(generateSchedule(members, withReturnRound)), rows);
    }
    void roundRobinProperties_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("withReturnRound");
        QTest::addColumn<bool>("balanced");
        for (int n = 0; n <= 30; ++n) {
            for (int variant = 0; variant < 4; ++variant)
                QTest::addRow("%d%s%s", n, variant & 1 ? " return" : "", variant & 2 ? " balanced" : "")
                    << n << bool(variant & 1) << bool(variant & 2);
        }
    }
    void roundRobinProperties() {
        QFETCH(int, n);
        QFETCH(bool, withReturnRound);
        QFETCH(bool, balanced);
        QStringList members;
        for (int k = 0; k < n; ++k)
            members << QString::number(1000 - 7 * k); // ids that do not come in sorted order
        const QList<ScheduleRow> rows = generateSchedule(members, withReturnRound, balanced);
        const int r = n < 2 ? n : n % 2 == 0 ? n - 1 : n; // match days of a round
        QCOMPARE(firstRoundMatchDays(n), r);
        QCOMPARE(rows.size(), qsizetype(n * (n - 1) / 2 * (withReturnRound ? 2 : 1)));

        // With a return round every first-round row is followed by its mirror on match day R + d.
        QList<ScheduleRow> first;
        for (qsizetype k = 0; k < rows.size(); ++k) {
            const ScheduleRow& row = rows.at(k);
            if (!withReturnRound || k % 2 == 0) {
                first << row;
                continue;
            }
            const ScheduleRow& before = rows.at(k - 1);
            QCOMPARE(row.matchDay, r + before.matchDay);
            QCOMPARE(row.home + ' ' + row.away, before.away + ' ' + before.home);
        }
        if (withReturnRound) // the first round does not depend on the flag
            QCOMPARE(describe(first), describe(generateSchedule(members, false, balanced)));

        // Each pair once, nobody twice a day, every day full, days in order, and with an odd count one bye
        // for everybody.
        QSet<QString> pairs;
        QHash<QString, QString> sides; // "H" and "A" of each member, day by day
        QList<QSet<QString>> playing(r);
        int lastDay = 1;
        for (const ScheduleRow& row : first) {
            QVERIFY(members.contains(row.home) && members.contains(row.away) && row.home != row.away);
            QVERIFY(row.matchDay >= lastDay && row.matchDay <= r);
            lastDay = row.matchDay;
            const QString key = row.home < row.away ? row.home + '|' + row.away : row.away + '|' + row.home;
            QVERIFY2(!pairs.contains(key), qPrintable(key));
            pairs.insert(key);
            QSet<QString>& today = playing[row.matchDay - 1];
            QVERIFY(!today.contains(row.home) && !today.contains(row.away));
            today << row.home << row.away;
            sides[row.home] += 'H';
            sides[row.away] += 'A';
        }
        // Balanced, a member's side changes from match to match (byes aside), with an even count but for
        // at most one repeat; home and away differ by one at most.
        const QRegularExpression tooLong(n % 2 == 0 ? "HHH|AAA|HH.*HH|AA.*AA|HH.*AA|AA.*HH" : "HH|AA");
        for (const QString& s : std::as_const(sides))
            QVERIFY2(!balanced || (!tooLong.match(s).hasMatch() && qAbs(s.count('H') - s.count('A')) <= 1),
                     qPrintable(s));
        QHash<QString, int> byes;
        for (const QSet<QString>& today : playing) {
            QCOMPARE(today.size(), qsizetype(n % 2 == 0 ? n : n - 1));
            for (const QString& m : members)
                byes[m] += today.contains(m) ? 0 : 1;
        }
        for (auto it = byes.cbegin(); it != byes.cend(); ++it)
            QCOMPARE(it.value(), n % 2);
    }
};

QTEST_GUILESS_MAIN(TestSchedule)
#include "tst_schedule.moc"
