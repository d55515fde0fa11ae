// The "Spieltage" tab: member counts, computing and deleting a schedule, and hand corrections.
#include "guitest.h"
#include "testenv.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <tuple>

using namespace guitest;

namespace {

// Players A..G (second names of A..F sorted the other way round) and H in no league; league "Vier" with
// A, B, C, D assigned in this order, "Drei" with F, E, G, "Leer" and "Eins" with nobody.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'A', 'f'), (2, 'B', 'E'), (3, 'C', 'd'), "
    "(4, 'D', 'C'), (5, 'E', 'b'), (6, 'F', 'A'), (7, 'G', 'g'), (8, 'H', 'h')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Vier'), (2, 'Drei'), (3, 'Leer'), (4, 'Eins')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1), (3, 1), (4, 1), (6, 2), (5, 2), (7, 2)",
};

struct Tab {
    explicit Tab(const MainWindow& window) : w(window) {}
    void choose(const QString& name) { league->setCurrentIndex(league->findText(name)); }
    QStringList labels() const { return {members->text(), days->text()}; }
    // Whether the groups to create and to delete a schedule are enabled.
    QList<bool> groups() const { return {create->isEnabled(), remove->isEnabled()}; }
    // "day home-away" of every row, as the table shows them.
    QStringList rows() const {
        QStringList out;
        for (int r = 0; r < table->rowCount(); ++r)
            out << table->item(r, 1)->text() + " " + table->item(r, 2)->text() + "-" + table->item(r, 3)->text();
        return out;
    }

    const MainWindow& w;
    QComboBox* league = find<QComboBox>(w, "spieltageLigaComboBox");
    QCheckBox* returnRound = find<QCheckBox>(w, "rueckrundeCheckBox");
    QLabel* members = find<QLabel>(w, "mitspielerLabel");
    QLabel* days = find<QLabel>(w, "resultierendeSpieltageLabel");
    QGroupBox* create = find<QGroupBox>(w, "spielplanErstellenGroupBox");
    QGroupBox* remove = find<QGroupBox>(w, "spielplanLoeschenGroupBox");
    QPushButton* compute = find<QPushButton>(w, "spielplanBerechnenButton");
    QPushButton* deleteSchedule = find<QPushButton>(w, "spielplanLoeschenButton");
    QPushButton* deleteResults = find<QPushButton>(w, "ergebnisseLoeschenButton");
    QTableWidget* table = find<QTableWidget>(w, "spielplanTableWidget");
    QPushButton* swap = find<QPushButton>(w, "spielerTauschenButton");
    QPushButton* replace = find<QPushButton>(w, "spielerErsetzenButton");
    QComboBox* home = find<QComboBox>(w, "ersatzHeimComboBox");
    QComboBox* away = find<QComboBox>(w, "ersatzGastComboBox");
    QLabel* swapHome = find<QLabel>(w, "tauschHeimLabel");
    QLabel* replaceAway = find<QLabel>(w, "ersetzenGastLabel");
};

const QString noMatch = QString::fromUtf8("  Es wurde kein Spiel ausgewählt  ");
// Members A..D of "Vier" in the order of assignment: day 1 A-C, D-B; day 2 A-B, C-D; day 3 A-D, B-C.
const QString vierSchedule = "1:1-3 1:4-2 2:1-2 2:3-4 3:1-4 3:2-3";

// Exactly one message box with `icon`, showing `text` unless that is null.
bool oneMessage(const QList<SeenMessage>& seen, QMessageBox::Icon icon, const QString& text = {}) {
    return seen.size() == 1 && seen[0].icon == icon && (text.isNull() || seen[0].text == text);
}

} // namespace

class TestScheduleTab : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    void countsFollowLeagueReturnRoundAndMembers();
    void computeCorrectAndDelete();
    void returnRoundAndTooFewMembers();

private:
    QString rowsInDb(const QString& league) const {
        return DbPeek(env->defaultDatabase())
            .column("SELECT spieltag || ':' || heim || '-' || gast FROM tv_spieltage WHERE liga = " + league +
                    " ORDER BY id")
            .join(' ');
    }
    std::unique_ptr<LeagueTestEnv> env;
};

void TestScheduleTab::countsFollowLeagueReturnRoundAndMembers() {
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(itemTexts(tab.league), QStringList({"Drei", "Eins", "Leer", "Vier"}));
    QCOMPARE(tab.labels(), QStringList({"3", "3"})); // the first league at start-up

    // A league to choose, or none to click the return-round box; then the members and match days shown.
    // An empty league shows 0 (never -1); a new league shows the first-round figure though the box is ticked.
    const std::tuple<const char*, const char*, const char*> steps[] = {
        {"Vier", "4", "3"},  {nullptr, "4", "6"}, {"Leer", "0", "0"}, {"Drei", "3", "3"},
        {nullptr, "3", "3"}, {nullptr, "3", "6"}, {nullptr, "3", "3"}};
    for (const auto& [league, members, days] : steps) {
        league ? tab.choose(league) : tab.returnRound->click();
        QCOMPARE(tab.labels(), QStringList({members, days}));
    }

    // Assigning H to "Leer" on the members tab recounts at once.
    tab.choose("Leer");
    auto* zuordnung = find<QComboBox>(*w, "zuordnungLigaComboBox");
    zuordnung->setCurrentIndex(zuordnung->findText("Leer"));
    find<QTableWidget>(*w, "spielerpoolTableWidget")->setCurrentCell(0, 1);
    QVERIFY(press(find<QToolButton>(*w, "zuordnenToolButton")).isEmpty());
    QCOMPARE(tab.labels(), QStringList({"1", "1"}));
}

void TestScheduleTab::computeCorrectAndDelete() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Vier");
    QCOMPARE(tab.groups(), QList<bool>({true, false}));

    // A computation that cannot be stored leaves no row behind.
    makeDatabaseReadOnly();
    QVERIFY(oneMessage(press(tab.compute), QMessageBox::Critical));
    makeDatabaseReadOnly(false);
    QCOMPARE(rowsInDb("1"), QString());
    QCOMPARE(tab.groups(), QList<bool>({true, false}));

    QVERIFY(press(tab.compute).isEmpty());
    QCOMPARE(rowsInDb("1"), vierSchedule);
    QCOMPARE(tab.rows(), QStringList({"1 A-C", "1 D-B", "2 A-B", "2 C-D", "3 A-D", "3 B-C"}));
    QCOMPARE(tab.groups(), QList<bool>({false, true}));
    QVERIFY(tab.table->isColumnHidden(0));
    QCOMPARE(tab.table->item(0, 2)->textAlignment(), int(Qt::AlignCenter));
    QCOMPARE(find<QProgressBar>(*w, "spielplanProgressBar")->value(), 0);
    tab.choose("Drei");
    QCOMPARE(tab.groups(), QList<bool>({true, false}));
    tab.choose("Vier");
    QCOMPARE(tab.groups(), QList<bool>({false, true}));

    // Corrections without a chosen match, or with a row made current by keyboard only, are refused.
    QVERIFY(oneMessage(press(tab.swap), QMessageBox::Warning, noMatch));
    QVERIFY(oneMessage(press(tab.replace), QMessageBox::Warning, noMatch));
    tab.table->setCurrentCell(2, 1);
    QVERIFY(oneMessage(press(tab.replace), QMessageBox::Warning,
                       QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  ")));
    QCOMPARE(rowsInDb("1"), vierSchedule);

    // Swapping twice restores the schedule.
    clickCell(tab.table, 1, 2);
    QCOMPARE(tab.swapHome->text(), "D");
    QCOMPARE(tab.replaceAway->text(), "B");
    QVERIFY(press(tab.swap).isEmpty());
    QCOMPARE(tab.rows().at(1), "1 B-D");
    QCOMPARE(tab.swapHome->text(), QString());
    tab.table->setCurrentCell(1, 2);
    press(tab.swap);
    QCOMPARE(rowsInDb("1"), vierSchedule);

    // Replacing offers the members by second name (C, d, E, f) showing the first; untouched means entry 0.
    clickCell(tab.table, 0, 1);
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

    // Deleting a schedule with results asks first and keeps the results; deleting all results (of every
    // league) asks first.
    QVERIFY(env->run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id) SELECT id, heim FROM tv_spieltage UNION ALL "
                     "SELECT 90, 5"));
    QVERIFY(oneMessage(press(tab.deleteSchedule), QMessageBox::Question)); // "Nein", the default
    QVERIFY(tab.table->rowCount() > 0);
    answerModals([&] { tab.deleteSchedule->click(); }, {}, QMessageBox::Yes);
    QCOMPARE(tab.table->rowCount(), 0);
    QCOMPARE(tab.groups(), QList<bool>({true, false}));
    QCOMPARE(env->value("SELECT COUNT(*) FROM tv_spieltage"), "0");
    QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ergebnisse"), "7");
    const QString question = QString::fromUtf8("  Sollen wirklich die Ergebnisse aller Ligen gelöscht werden?  ");
    QVERIFY(oneMessage(press(tab.deleteResults), QMessageBox::Question, question)); // default answer "Nein"
    QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ergebnisse"), "7");
    QVERIFY(oneMessage(answerModals([&] { tab.deleteResults->click(); }, {}, QMessageBox::Yes), QMessageBox::Question,
                       question));
    QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ergebnisse"), "0");
}

void TestScheduleTab::returnRoundAndTooFewMembers() {
    auto w = startWindow();
    Tab tab(*w);
    tab.choose("Drei"); // F, E, G in the order of assignment
    tab.returnRound->click();
    press(tab.compute);
    // Day 1 G-F (bye E), day 2 E-G (bye F), day 3 F-E (bye G); each followed by its mirror on day 3 + d.
    QCOMPARE(rowsInDb("2"), "1:7-6 4:6-7 2:5-7 5:7-5 3:6-5 6:5-6");
    QCOMPARE(tab.rows(), QStringList({"1 G-F", "2 E-G", "3 F-E", "4 F-G", "5 G-E", "6 E-F"}));

    // Nobody, or a single member, gives no schedule.
    QVERIFY(env->run("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (7, 4)"));
    for (const char* league : {"Leer", "Eins"}) {
        tab.choose(league);
        QVERIFY(press(tab.compute).isEmpty());
        QCOMPARE(tab.table->rowCount(), 0);
        QCOMPARE(tab.groups(), QList<bool>({true, false}));
    }
    QCOMPARE(env->value("SELECT COUNT(*) FROM tv_spieltage WHERE liga IN (3, 4)"), "0");
}

QTEST_MAIN(TestScheduleTab)
#include "tst_schedule_tab.moc"
