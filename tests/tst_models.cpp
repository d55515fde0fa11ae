// The list models over the league store: their rows and roles, and that an announced change redraws only the
// rows it concerns.
#include "models/matchlistmodel.h"
#include "models/namefilterproxy.h"
#include "models/playerlistmodel.h"
#include "models/standingsmodel.h"
#include "seed.h"

#include <QSignalSpy>
#include <QTemporaryDir>

using namespace tavorin;
using namespace tavorin::models;

namespace {

QStringList column(const QAbstractItemModel& model, int column, int role = Qt::DisplayRole) {
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        out << model.index(row, column).data(role).toString();
    return out;
}

// Every signal a model sends about its rows, as one line: r(eset), i(nserted), m(oved), c(hanged) first-last.
class Signals {
public:
    explicit Signals(QAbstractItemModel& model) {
        QObject::connect(&model, &QAbstractItemModel::modelReset, &model, [this] { seen << "r"; });
        QObject::connect(&model, &QAbstractItemModel::rowsInserted, &model,
                         [this](const QModelIndex&, int a, int b) { seen << QStringLiteral("i%1-%2").arg(a).arg(b); });
        QObject::connect(&model, &QAbstractItemModel::rowsRemoved, &model,
                         [this](const QModelIndex&, int a, int b) { seen << QStringLiteral("d%1-%2").arg(a).arg(b); });
        QObject::connect(&model, &QAbstractItemModel::rowsMoved, &model,
                         [this](const QModelIndex&, int a, int, const QModelIndex&, int to) {
                             seen << QStringLiteral("m%1>%2").arg(a).arg(to);
                         });
        QObject::connect(&model, &QAbstractItemModel::dataChanged, &model,
                         [this](const QModelIndex& a, const QModelIndex& b) {
                             seen << QStringLiteral("c%1-%2").arg(a.row()).arg(b.row());
                         });
    }
    QString take() { return std::exchange(seen, {}).join(' '); }

private:
    QStringList seen;
};

} // namespace

class TestModels : public QObject {
    Q_OBJECT

private slots:
    // "Nord": Anna, bert, Carl with matches 1 (day 1, Anna-bert) and 2 (day 1, Carl-Anna) and 3 (day 2).
    void init() {
        const QString file = dir.filePath(QString(QTest::currentTestFunction()) + ".db");
        QFile::remove(file);
        seedLeagueDatabase(file, leagueSeed({"Anna", "bert", "Carl"}, {"1:1:2", "1:3:1", "2:2:3"}));
        session = std::make_unique<db::LeagueSession>();
        QVERIFY(session->storeAs<db::SqliteStore>()->open(file).ok);
    }
    void cleanup() { session.reset(); }

    void players() {
        PlayerListModel all(*session, PlayerListModel::Source::AllPlayers, {"id", "Erster", "Zweiter"});
        PlayerListModel members(*session, PlayerListModel::Source::League, {"id", "Erster", "Zweiter"});
        all.reload();
        members.setLeague(1);
        QCOMPARE(column(all, 1), QStringList({"Anna", "bert", "Carl"}));
        QCOMPARE(column(members, 0, IdRole) + column(members, 0, AssignmentRole),
                 QStringList({"1", "2", "3", "1", "2", "3"}));
        Signals seen(all), seenMembers(members);
        Id dora = 0;
        QVERIFY(session->store().addPlayer("Dora\u202e", "dora", &dora).ok);
        QCOMPARE(seen.take(), "i3-3");                       // appended; a proxy sorts it
        QCOMPARE(all.index(3, 1).data().toString(), "Dora"); // shown without its bidi control
        QVERIFY(session->store().updatePlayer(2, "Bert", "bert").ok && session->store().deletePlayer(dora).ok);
        QCOMPARE(seen.take(), "c1-1 d3-3");
        QCOMPARE(seenMembers.take(), "c1-1"); // the renamed member's row only
        QVERIFY(session->store().deleteSchedule(1).ok && session->store().removeAssignments({1}).ok);
        QCOMPARE(seenMembers.take(), "d0-0");

        NameFilterProxy search;
        search.setSourceModel(&all);
        search.sort(2);
        search.setSearchText("ER");
        QCOMPARE(column(search, 1), QStringList({"Bert"}));
    }

    // A saved result redraws its match's row; a pairing swap, too; a new day's matches are inserted.
    void matches() {
        MatchListModel day(*session, MatchListModel::Kind::Results, {}, false);
        day.showMatchDay(1, 1);
        QCOMPARE(column(day, 2) + column(day, 3, PlayerRole), QStringList({"Anna", "Carl", "2", "1"}));
        QCOMPARE(column(day, 2, PlatformNameRole), QStringList({"anna", "carl"}));
        Signals seen(day);
        QVERIFY(session->store().saveResult({false, 2, 3, 1, {}, {}}, {"3"}, {"1"}, Points{}).ok);
        QCOMPARE(seen.take(), "c1-1");
        QCOMPARE(column(day, 6) + column(day, 6, PlayedRole), QStringList({"", "3:1", "false", "true"}));
        QVERIFY(session->store().setPairing(1, 2, 1).ok);
        QCOMPARE(seen.take(), "c0-0");
        MatchListModel other(*session, MatchListModel::Kind::Results, {}, false);
        other.showMatchDay(2, 1);
        Signals seenOther(other);
        QVERIFY(session->store().storeSchedule(2, {{1, "3", "2"}}).ok);
        QCOMPARE(seenOther.take() + "|" + seen.take(), "r|");
        day.setSecondNames(true);
        QCOMPARE(column(day, 2), QStringList({"bert", "carl"}));
    }

    // The table follows results of its league only, moving the rows whose place changed.
    void standings() {
        StandingsModel table(*session, StandingsModel::Kind::LeagueTable, {"Name"});
        table.setLeague(1);
        Signals seen(table);
        QVERIFY(session->store().saveResult({false, 3, 2, 3, {}, {}}, {"3"}, {"1"}, Points{}).ok);
        QCOMPARE(column(table, 0), QStringList({"bert", "Carl (carl)", "Anna (anna)"}));
        QVERIFY(seen.take().startsWith("m"));
        QVERIFY(session->store().addLeague("Ost").ok && session->store().addPlayer("Eva", "eva").ok);
        QCOMPARE(seen.take(), "");
    }

private:
    QTemporaryDir dir;
    std::unique_ptr<db::LeagueSession> session;
};

QTEST_GUILESS_MAIN(TestModels)
#include "tst_models.moc"
