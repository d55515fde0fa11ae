// The "Spieltage" tab: member counts, computing and deleting a schedule, and hand corrections.
#include "guitest.h"
#include "testenv.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>

using namespace guitest;

namespace {

// Players 1..6 (A..F, second names sorted the other way round), league "Vier" with A, B, C, D assigned
// in this order, "Drei" with E, F and a player assigned later, and "Leer" with nobody.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'A', 'f'), (2, 'B', 'E'), (3, 'C', 'd'), "
    "(4, 'D', 'C'), (5, 'E', 'b'), (6, 'F', 'A'), (7, 'G', 'g')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Vier'), (2, 'Drei'), (3, 'Leer'), (4, 'Eins')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1), (3, 1), (4, 1), (6, 2), (5, 2), (7, 2)",
};

struct Tab {
    explicit Tab(const MainWindow& w)
        : league(find<QComboBox>(w, "spieltageLigaComboBox")), returnRound(find<QCheckBox>(w, "rueckrundeCheckBox")),
          members(find<QLabel>(w, "mitspielerLabel")), days(find<QLabel>(w, "resultierendeSpieltageLabel")),
          create(find<QGroupBox>(w, "spielplanErstellenGroupBox")),
          remove(find<QGroupBox>(w, "spielplanLoeschenGroupBox")),
          compute(find<QPushButton>(w, "spielplanBerechnenButton")),
          deleteSchedule(find<QPushButton>(w, "spielplanLoeschenButton")),
          deleteResults(find<QPushButton>(w, "ergebnisseLoeschenButton")),
          table(find<QTableWidget>(w, "spielplanTableWidget")), swap(find<QPushButton>(w, "spielerTauschenButton")),
          replace(find<QPushButton>(w, "spielerErsetzenButton")), home(find<QComboBox>(w, "ersatzHeimComboBox")),
          away(find<QComboBox>(w, "ersatzGastComboBox")), swapHome(find<QLabel>(w, "tauschHeimLabel")),
          replaceAway(find<QLabel>(w, "ersetzenGastLabel")) {}
    void choose(const QString& name) { league->setCurrentIndex(league->findText(name)); }
    QStringList labels() const { return {members->text(), days->text()}; }
    // "day home-away" of every row, as the table shows them.
    QStringList rows() const {
        QStringList out;
        for (int r = 0; r < table->rowCount(); ++r)
            out << table->item(r, 1)->text() + " " + table->item(r, 2)->text() + "-" + table->item(r, 3)->text();
        return out;
    }

    QComboBox* league;
    QCheckBox* returnRound;
    QLabel *members, *days;
    QGroupBox *create, *remove;
    QPushButton *compute, *deleteSchedule, *deleteResults;
    QTableWidget* table;
    QPushButton *swap, *replace;
    QComboBox *home, *away;
    QLabel *swapHome, *replaceAway;
};

} // namespace

class TestScheduleTab : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env = std::make_unique<TempSettings>();
        newLeagueDatabase(env->defaultDatabase(), seedData);
    }
    void cleanup() {
        makeDatabaseReadOnly(false);
        env.reset();
    }

    void countsFollowLeagueAndReturnRound();
    void computeStoresTheRoundRobin();
    void computeWithReturnRound();
    void tooFewMembersWriteNothing();
    void deleteKeepsResults();
    void swapTwiceRestores();
    void replaceWithUntouchedSelectors();
    void refusedCorrections();
    void deleteAllResultsAsksFirst();
    void failedComputeLeavesNoRow();
    void membershipMovesRecount();

private:
    QString rowsInDb(const QString& league) const {
        DbPeek peek(env->defaultDatabase());
        return peek
            .column("SELECT spieltag || ':' || heim || '-' || gast FROM tv_spieltage WHERE liga = " + league +
                    " ORDER BY id")
            .join(' ');
    }
    std::unique_ptr<TempSettings> env;
};

void TestScheduleTab::countsFollowLeagueAndReturnRound() {
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(itemTexts(tab.league), QStringList({"Drei", "Eins", "Leer", "Vier"}));
    QCOMPARE(tab.labels(), QStringList({"3", "3"})); // the first league at start-up

    tab.choose("Vier");
    QCOMPARE(tab.labels(), QStringList({"4", "3"}));
    tab.returnRound->click();
    QCOMPARE(tab.labels(), QStringList({"4", "6"}));
    tab.choose("Leer");
    QCOMPARE(tab.labels(), QStringList({"0", "0"})); // never -1
    tab.choose("Drei");
    QCOMPARE(tab.labels(), QStringList({"3", "3"})); // first-round figure although the box is ticked
    tab.returnRound->click();
    QCOMPARE(tab.labels(), QStringList({"3", "3"}));
    tab.returnRound->click();
    QCOMPARE(tab.labels(), QStringList({"3", "6"}));
}

void TestScheduleTab::computeStoresTheRoundRobin() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Vier");
    QVERIFY(tab.create->isEnabled());
    QVERIFY(!tab.remove->isEnabled());
    QVERIFY(press(tab.compute).isEmpty());

    // Members A..D in the order of assignment: day 1 A-C, D-B; day 2 A-B, C-D; day 3 A-D, B-C.
    QCOMPARE(rowsInDb("1"), "1:1-3 1:4-2 2:1-2 2:3-4 3:1-4 3:2-3");
    QCOMPARE(tab.rows(), QStringList({"1 A-C", "1 D-B", "2 A-B", "2 C-D", "3 A-D", "3 B-C"}));
    QVERIFY(!tab.create->isEnabled());
    QVERIFY(tab.remove->isEnabled());
    QVERIFY(tab.table->isColumnHidden(0));
    QCOMPARE(tab.table->item(0, 2)->textAlignment(), int(Qt::AlignCenter));
    QCOMPARE(find<QProgressBar>(*w, "spielplanProgressBar")->value(), 0);

    tab.choose("Drei");
    QVERIFY(tab.create->isEnabled());
    tab.choose("Vier");
    QVERIFY(!tab.create->isEnabled());
}

void TestScheduleTab::computeWithReturnRound() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Drei"); // F, E, G in the order of assignment
    tab.returnRound->click();
    press(tab.compute);
    // Day 1 G-F (bye E), day 2 E-G (bye F), day 3 F-E (bye G); each followed by its mirror on day 3 + d.
    QCOMPARE(rowsInDb("2"), "1:7-6 4:6-7 2:5-7 5:7-5 3:6-5 6:5-6");
    QCOMPARE(tab.rows(), QStringList({"1 G-F", "2 E-G", "3 F-E", "4 F-G", "5 G-E", "6 E-F"}));
}

void TestScheduleTab::tooFewMembersWriteNothing() {
    auto w = startWindow();
    Tab tab(*w);
    {
        DbPeek peek(env->defaultDatabase());
        peek.run("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (7, 4)");
    }
    for (const char* league : {"Leer", "Eins"}) {
        tab.choose(league);
        QVERIFY(press(tab.compute).isEmpty());
        QCOMPARE(tab.table->rowCount(), 0);
        QVERIFY(tab.create->isEnabled());
    }
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_spieltage"), "0");
}

void TestScheduleTab::deleteKeepsResults() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Vier");
    press(tab.compute);
    {
        DbPeek peek(env->defaultDatabase());
        peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won) SELECT id, heim, 3 FROM tv_spieltage");
    }
    QVERIFY(press(tab.deleteSchedule).isEmpty());
    QCOMPARE(tab.table->rowCount(), 0);
    QVERIFY(tab.create->isEnabled());
    QVERIFY(!tab.remove->isEnabled());
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_spieltage"), "0");
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_ergebnisse"), "6");
}

void TestScheduleTab::swapTwiceRestores() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Vier");
    press(tab.compute);
    clickCell(tab.table, 1, 2);
    QCOMPARE(tab.swapHome->text(), "D");
    QCOMPARE(tab.replaceAway->text(), "B");
    QVERIFY(press(tab.swap).isEmpty());
    QCOMPARE(tab.rows().at(1), "1 B-D");
    QCOMPARE(tab.swapHome->text(), QString());
    tab.table->setCurrentCell(1, 2);
    press(tab.swap);
    QCOMPARE(rowsInDb("1"), "1:1-3 1:4-2 2:1-2 2:3-4 3:1-4 3:2-3");
}

void TestScheduleTab::replaceWithUntouchedSelectors() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Vier");
    press(tab.compute);
    clickCell(tab.table, 0, 1);
    // Sorted by the second name (C, d, E, f), showing the first name.
    QCOMPARE(itemTexts(tab.home), QStringList({"D", "C", "B", "A"}));
    QCOMPARE(itemTexts(tab.away), itemTexts(tab.home));
    QCOMPARE(tab.home->currentIndex(), 0);
    QVERIFY(press(tab.replace).isEmpty());
    QCOMPARE(tab.rows().at(0), "1 D-D");

    clickCell(tab.table, 0, 1);
    tab.home->setCurrentIndex(3);
    tab.away->setCurrentIndex(2);
    press(tab.replace);
    QCOMPARE(tab.rows().at(0), "1 A-B");
}

void TestScheduleTab::refusedCorrections() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Vier");
    press(tab.compute);
    for (QPushButton* button : {tab.swap, tab.replace}) {
        const QList<SeenMessage> seen = press(button);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QString::fromUtf8("  Es wurde kein Spiel ausgewählt  "));
        QCOMPARE(seen[0].icon, QMessageBox::Warning);
    }
    // A row made current by keyboard, with the selectors never filled by a click.
    tab.table->setCurrentCell(2, 1);
    const QList<SeenMessage> seen = press(tab.replace);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  "));
    QCOMPARE(rowsInDb("1"), "1:1-3 1:4-2 2:1-2 2:3-4 3:1-4 3:2-3");
}

void TestScheduleTab::deleteAllResultsAsksFirst() {
    {
        DbPeek peek(env->defaultDatabase());
        peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id) VALUES (1, 1), (1, 2), (90, 5), (90, 6)");
    }
    auto w = startWindow();
    Tab tab(*w);
    QList<SeenMessage> seen = press(tab.deleteResults); // the default answer is "Nein"
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Question);
    QCOMPARE(seen[0].text, QString::fromUtf8("  Sollen wirklich die Ergebnisse aller Ligen gelöscht werden?  "));
    {
        DbPeek peek(env->defaultDatabase());
        QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_ergebnisse"), "4");
    }
    seen = answerModals([&] { tab.deleteResults->click(); }, {}, QMessageBox::Yes);
    QCOMPARE(seen.size(), 1);
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_ergebnisse"), "0");
}

void TestScheduleTab::failedComputeLeavesNoRow() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Vier");
    makeDatabaseReadOnly();
    const QList<SeenMessage> seen = press(tab.compute);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    makeDatabaseReadOnly(false);
    QCOMPARE(rowsInDb("1"), QString());
    QVERIFY(tab.create->isEnabled());
}

void TestScheduleTab::membershipMovesRecount() {
    {
        DbPeek peek(env->defaultDatabase());
        peek.run("INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (8, 'H', 'h')");
    }
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Leer");
    auto* zuordnung = find<QComboBox>(*w, "zuordnungLigaComboBox");
    zuordnung->setCurrentIndex(zuordnung->findText("Leer"));
    auto* pool = find<QTableWidget>(*w, "spielerpoolTableWidget");
    pool->setCurrentCell(0, 1);
    QVERIFY(press(find<QToolButton>(*w, "zuordnenToolButton")).isEmpty());
    QCOMPARE(tab.labels(), QStringList({"1", "1"}));
}

QTEST_MAIN(TestScheduleTab)
#include "tst_schedule_tab.moc"
