// The "Zuordnung" tab: moving players between the pool and a league.
#include "dbpeek.h"
#include "guitest.h"
#include "testenv.h"

#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace guitest;

namespace {

const QString nothingToMove = QString::fromUtf8(" Es ist kein Spieler zum Verschieben ausgewählt!");

// Four players and two leagues, nobody assigned yet.
const QStringList seedData = {
    "INSERT INTO tv_spieler (dartn_name, prodarter_name) VALUES ('Zora', 'zed'), ('Anna', 'Alpha'), "
    "('Bert', 'beta'), ('Carl', 'Gamma')",
    "INSERT INTO tv_ligen (liga_name) VALUES ('Nord'), ('Ost')",
};

struct Tab {
    explicit Tab(const MainWindow& w)
        : pool(find<QTableWidget>(w, "spielerpoolTableWidget")),
          members(find<QTableWidget>(w, "mitgliederTableWidget")), league(find<QComboBox>(w, "zuordnungLigaComboBox")),
          right(find<QToolButton>(w, "zuordnenToolButton")), left(find<QToolButton>(w, "austragenToolButton")) {}
    QList<SeenMessage> assign(const QString& secondName) {
        pool->setCurrentCell(rowOf(pool, 2, secondName), 1);
        return press(right);
    }
    QList<SeenMessage> unassign(const QString& secondName) {
        members->setCurrentCell(rowOf(members, 2, secondName), 1);
        return press(left);
    }

    QTableWidget* pool;
    QTableWidget* members;
    QComboBox* league;
    QToolButton *right, *left;
};

} // namespace

class TestMembership : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    void movingNeedsACurrentRow();
    void movingBothWays();
    void aPlayerIsNeverInTwoLeagues();
    void noLeagueNoMove();
    void deletedLeagueKeepsItsMembersOutOfThePool();
    void membersAndTheirLeagueAreNotDeleted();
    void filterAndSeveralAtOnce();

private:
    std::unique_ptr<LeagueTestEnv> env;
};

void TestMembership::movingNeedsACurrentRow() {
    auto w = startWindow();
    Tab tab(*w);
    for (QToolButton* arrow : {tab.right, tab.left}) {
        const QList<SeenMessage> seen = press(arrow);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, nothingToMove);
        QCOMPARE(seen[0].icon, QMessageBox::Warning);
    }
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_zuordnung"), "0");
}

void TestMembership::movingBothWays() {
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(columnTexts(tab.pool, 2), QStringList({"Alpha", "beta", "Gamma", "zed"}));
    QCOMPARE(tab.league->currentText(), "Nord");
    QCOMPARE(tab.members->rowCount(), 0);

    QVERIFY(tab.assign("zed").isEmpty());
    QVERIFY(tab.assign("Alpha").isEmpty());
    QCOMPARE(columnTexts(tab.pool, 2), QStringList({"beta", "Gamma"}));
    QCOMPARE(columnTexts(tab.members, 2), QStringList({"Alpha", "zed"}));
    QCOMPARE(columnTexts(tab.members, 1), QStringList({"Anna", "Zora"}));
    QCOMPARE(tab.pool->currentRow(), -1); // each move needs a fresh choice

    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.column("SELECT id || ':' || id_spieler || ':' || id_liga FROM tv_zuordnung ORDER BY id"),
             QStringList({"1:1:1", "2:2:1"}));
    QCOMPARE(columnTexts(tab.members, 0), QStringList({"2", "1"})); // assignment ids, not player ids

    QVERIFY(tab.unassign("zed").isEmpty());
    QCOMPARE(columnTexts(tab.pool, 2), QStringList({"beta", "Gamma", "zed"}));
    QCOMPARE(columnTexts(tab.members, 2), QStringList({"Alpha"}));
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_zuordnung"), "1");
}

void TestMembership::aPlayerIsNeverInTwoLeagues() {
    auto w = startWindow();
    Tab tab(*w);
    tab.assign("beta");
    tab.league->setCurrentIndex(1); // "Ost"
    QCOMPARE(tab.members->rowCount(), 0);
    QCOMPARE(rowOf(tab.pool, 2, "beta"), -1);
    tab.assign("Gamma");
    QCOMPARE(columnTexts(tab.members, 2), QStringList({"Gamma"}));
    tab.league->setCurrentIndex(0);
    QCOMPARE(columnTexts(tab.members, 2), QStringList({"beta"}));
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT MAX(n) FROM (SELECT COUNT(*) AS n FROM tv_zuordnung GROUP BY id_spieler)"), "1");
}

void TestMembership::noLeagueNoMove() {
    {
        DbPeek peek(env->defaultDatabase());
        peek.run("DELETE FROM tv_ligen");
    }
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(tab.league->count(), 0);
    const QList<SeenMessage> seen = tab.assign("Alpha");
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QString::fromUtf8("  Es wurde keine Liga ausgewählt.  "));
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(tab.pool->rowCount(), 4);
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_zuordnung"), "0");
}

void TestMembership::deletedLeagueKeepsItsMembersOutOfThePool() {
    auto w = startWindow();
    Tab tab(*w);
    tab.assign("Alpha");
    {
        DbPeek peek(env->defaultDatabase());
        peek.run("DELETE FROM tv_ligen WHERE liga_name = 'Nord'");
        peek.run("DELETE FROM tv_spieler WHERE prodarter_name = 'zed'");
    }
    w.reset();
    w = startWindow();
    Tab again(*w);
    QCOMPARE(columnTexts(again.pool, 2), QStringList({"beta", "Gamma"}));
    QCOMPARE(again.league->currentText(), "Ost");
}

void TestMembership::membersAndTheirLeagueAreNotDeleted() {
    auto w = startWindow();
    Tab tab(*w);
    tab.assign("Alpha");
    auto* players = find<QTableWidget>(*w, "spielerTableWidget");
    auto* leagues = find<QTableWidget>(*w, "ligenTableWidget");
    auto* deletePlayer = find<QPushButton>(*w, "spielerLoeschenButton");
    auto* deleteLeague = find<QPushButton>(*w, "ligaLoeschenButton");
    clickCell(players, rowOf(players, 2, "Alpha"), 1);
    clickCell(leagues, rowOf(leagues, 1, "Nord"), 1);
    QList<SeenMessage> seen = press(deletePlayer) + press(deleteLeague);
    QCOMPARE(seen.size(), 2);
    QCOMPARE(seen[0].text, "Der Spieler ist Mitglied der Liga Nord. Bitte zuerst aus der Liga austragen.");
    QCOMPARE(seen[1].text, "Die Liga hat noch 1 Mitglieder. Bitte zuerst alle Mitglieder austragen.");
    QCOMPARE(env->query("SELECT COUNT(*) FROM tv_spieler UNION ALL SELECT COUNT(*) FROM tv_ligen"),
             QStringList({"4", "2"}));

    // Out of the league, both go, and the pool no longer offers the player.
    tab.unassign("Alpha");
    QVERIFY(press(deletePlayer).isEmpty());
    QVERIFY(press(deleteLeague).isEmpty());
    QCOMPARE(columnTexts(tab.pool, 2), QStringList({"beta", "Gamma", "zed"}));
    QCOMPARE(itemTexts(tab.league), QStringList({"Ost"}));
}

void TestMembership::filterAndSeveralAtOnce() {
    auto w = startWindow();
    Tab tab(*w);
    auto* filter = find<QLineEdit>(*w, "poolFilterLineEdit");
    QCOMPARE(filter->placeholderText(), QString::fromUtf8("Suchen…"));
    filter->setText("E"); // "zed" by the second name, Bert by both
    QCOMPARE(visibleTexts(tab.pool, 2), QStringList({"beta", "zed"}));

    // Everything selected: only the rows shown move, in one step.
    tab.pool->selectAll();
    QVERIFY(press(tab.right).isEmpty());
    QCOMPARE(columnTexts(tab.members, 2), QStringList({"beta", "zed"}));
    QCOMPARE(columnTexts(tab.pool, 2), QStringList({"Alpha", "Gamma"}));
    QCOMPARE(visibleTexts(tab.pool, 2), QStringList()); // the filter stays
    filter->clear();
    QCOMPARE(visibleTexts(tab.pool, 2), QStringList({"Alpha", "Gamma"}));

    // A double click moves one player.
    tab.pool->setCurrentCell(rowOf(tab.pool, 2, "Gamma"), 1);
    emit tab.pool->cellDoubleClicked(tab.pool->currentRow(), 1);
    QCOMPARE(env->query("SELECT prodarter_name FROM tv_spieler JOIN tv_zuordnung ON tv_spieler.id = id_spieler "
                        "ORDER BY prodarter_name"),
             QStringList({"Gamma", "beta", "zed"}));
}

QTEST_MAIN(TestMembership)
#include "tst_membership.moc"
