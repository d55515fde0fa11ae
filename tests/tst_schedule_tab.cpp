// The "Spieltage" tab: member counts, computing and deleting a schedule, hand corrections and the duplicate
// check. The pairings themselves are the generator's, the writes the store's, tested on their own.
#include "guitest.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

using namespace guitest;

namespace {

// Players A..G (second names of A..F sorted the other way round) and H in no league; league "Vier" with
// A, B, C, D, "Drei" with G, E, F assigned in this order; "Leer" with nobody.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'A', 'f'), (2, 'B', 'E'), (3, 'C', 'd'), "
    "(4, 'D', 'C'), (5, 'E', 'b'), (6, 'F', 'A'), (7, 'G', 'g'), (8, 'H', 'h')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Vier'), (2, 'Drei'), (3, 'Leer')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1), (3, 1), (4, 1), (7, 2), (5, 2), (6, 2)",
};

struct Tab {
    explicit Tab(const MainWindow& window) : w(window) {}
    void choose(const QString& name) { league->setCurrentIndex(league->findText(name)); }
    // The member and match-day labels, and whether the groups to create and to delete are enabled.
    QString state() const {
        return members->text() + ' ' + days->text() + ' ' + (create->isEnabled() ? "create" : "") +
               (remove->isEnabled() ? "delete" : "");
    }
    // "day home-away" of one row, as the table shows it.
    QString row(int r) const {
        const auto cell = [&](int column) { return table->model()->index(r, column).data().toString(); };
        return cell(1) + " " + cell(2) + "-" + cell(3);
    }
    // The duplicate check's report, then "ready" (check enabled, delete hidden) or "found" (the other way).
    QString duplicates() const {
        const bool ready = check->isEnabled(), hidden = reduce->isHidden();
        return report->text() + (ready && hidden ? "| ready" : !ready && !hidden ? "| found" : "| mixed");
    }

    const MainWindow& w;
    QComboBox* league = find<QComboBox>(w, "spieltageLigaComboBox");
    QCheckBox* returnRound = find<QCheckBox>(w, "rueckrundeCheckBox");
    QLabel* members = find<QLabel>(w, "mitspielerLabel");
    QLabel* days = find<QLabel>(w, "resultierendeSpieltageLabel");
    QGroupBox* create = find<QGroupBox>(w, "spielplanErstellenGroupBox");
    QGroupBox* remove = find<QGroupBox>(w, "spielplanLoeschenGroupBox");
    QPushButton* compute = find<QPushButton>(w, "spielplanBerechnenButton");
    QTableView* table = find<QTableView>(w, "spielplanTableWidget");
    QPushButton* swap = find<QPushButton>(w, "spielerTauschenButton");
    QPushButton* replace = find<QPushButton>(w, "spielerErsetzenButton");
    QComboBox* home = find<QComboBox>(w, "ersatzHeimComboBox");
    QComboBox* away = find<QComboBox>(w, "ersatzGastComboBox");
    QPushButton* check = find<QPushButton>(w, "datenbankPruefenButton");
    QPushButton* reduce = find<QPushButton>(w, "doppelteLoeschenButton");
    QLabel* report = find<QLabel>(w, "doppelteErgebnisLabel");
};

} // namespace

class TestScheduleTab : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    void countsFollowLeagueAndReturnRound() {
        auto w = startWindow();
        Tab tab(*w);
        // A league to choose, or "+" for a click on the return-round box; then what the tab shows. An empty
        // league shows 0; a league chosen anew shows the first-round figure though the box is ticked.
        QString shown = tab.state();
        for (const char* step : {"Vier", "+", "Leer", "Drei", "+", "+"}) {
            *step == '+' ? tab.returnRound->click() : tab.choose(step);
            shown += ", " + tab.state();
        }
        QCOMPARE(shown, "3 3 create, 4 3 create, 4 6 create, 0 0 create, 3 3 create, 3 3 create, 3 6 create");
    }

    void computeCorrectAndDelete() {
        auto w = startWindow();
        Tab tab(*w);
        tab.choose("Leer"); // nothing to compute: the bar does not turn into a busy indicator
        QVERIFY(press(tab.compute).isEmpty() && find<QProgressBar>(*w, "spielplanProgressBar")->maximum() > 0);
        tab.choose("Drei");
        tab.returnRound->click();
        QVERIFY(press(tab.compute).isEmpty());
        // Computed from the members in the order of their assignment: G (7), E (5), F (6).
        QCOMPARE(rows(), "1:6-7 4:7-6 2:5-6 5:6-5 3:7-5 6:5-7");
        QCOMPARE(tab.row(0), "1 F-G");
        QCOMPARE(tab.state(), "3 6 delete");

        // Corrections need a match clicked; the replacements are offered by second name.
        const QString noMatch = QString::fromUtf8("2|  Es wurde kein Spiel ausgewählt  ");
        QCOMPARE(shown(press(tab.swap) + press(tab.replace)), noMatch + '\n' + noMatch);
        clickCell(tab.table, 1, 2);
        QVERIFY(press(tab.swap).isEmpty());
        QCOMPARE(tab.row(1), "2 F-E");
        clickCell(tab.table, 0, 1);
        QCOMPARE(itemTexts(tab.home), QStringList({"F", "E", "G"}));
        tab.home->setCurrentIndex(1);
        tab.away->setCurrentIndex(2);
        QVERIFY(press(tab.replace).isEmpty());
        QCOMPARE(tab.row(0), "1 E-G");

        // Deleting a schedule with results asks first ("Nein" the default) and keeps the results; deleting
        // all results (of every league) asks first.
        QVERIFY(env->run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id) VALUES (1, 6), (90, 5)"));
        auto* deleteSchedule = find<QPushButton>(*w, "spielplanLoeschenButton");
        QVERIFY(press(deleteSchedule).value(0).text.startsWith(QString::fromUtf8("  Für die Liga ")));
        QCOMPARE(env->value("SELECT COUNT(*) FROM tv_spieltage") == "0", false);
        answerModals([&] { deleteSchedule->click(); }, {}, QMessageBox::Yes);
        QCOMPARE(tab.state(), "3 6 create");
        QCOMPARE(env->value("SELECT COUNT(*) FROM tv_spieltage") + env->value("SELECT COUNT(*) FROM tv_ergebnisse"),
                 "02");
        auto* deleteResults = find<QPushButton>(*w, "ergebnisseLoeschenButton");
        const QString question = QString::fromUtf8("  Sollen wirklich die Ergebnisse aller Ligen gelöscht werden?  ");
        const QList<SeenMessage> asked = press(deleteResults); // the default answer is "Nein"
        QVERIFY(asked.size() == 1 && asked[0].text == question);
        QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ergebnisse"), "2");
        answerModals([&] { deleteResults->click(); }, {}, QMessageBox::Yes);
        QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ergebnisse"), "0");
    }

    void balancedHomeAwayIsRemembered() {
        auto w = startWindow();
        Tab tab(*w);
        find<QCheckBox>(*w, "heimrechtCheckBox")->click(); // off at first
        tab.choose("Vier");
        QVERIFY(press(tab.compute).isEmpty());
        QCOMPARE(rows(), "1:1-3 1:2-4 2:2-1 2:4-3 3:1-4 3:3-2"); // the same pairs, sides alternating
        QCOMPARE(env->config("spielplan/HeimrechtAusgleichen"), "true");
        w.reset();
        QVERIFY(find<QCheckBox>(*startWindow(), "heimrechtCheckBox")->isChecked());
    }

    void duplicatesAndBackups() {
        // Match 1 of "Vier" without result; match 3 has three result rows, match 4 four.
        QVERIFY(env->run("INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2)"));
        QVERIFY(env->run("INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES (11, 3, 1), (12, 3, 2), "
                         "(13, 3, 1), (14, 4, 1), (15, 4, 2), (16, 4, 2)"));
        auto w = startWindow();
        Tab tab(*w);
        QVERIFY(press(tab.check).isEmpty());
        const QString found = "2 Doppelung/en gefunden ID3 ID4 | found";
        QCOMPARE(tab.duplicates(), found);

        // Without a backup no command that deletes or overwrites runs.
        const QString folder = env->dir() + "/Sicherungen", data = "SELECT group_concat(id, ' ') FROM tv_ergebnisse";
        QVERIFY(QDir(folder).removeRecursively() && QFile(folder).open(QIODevice::WriteOnly));
        tab.choose("Vier");
        clickCell(tab.table, 0, 2);
        for (const char* name : {"doppelteLoeschenButton", "spielerErsetzenButton", "spielplanLoeschenButton",
                                 "ergebnisseLoeschenButton"}) {
            const auto seen = answerModals([&] { find<QPushButton>(*w, name)->click(); }, {}, QMessageBox::Yes);
            QVERIFY2(shown(seen).contains(QString::fromUtf8("Der Befehl wird nicht ausgeführt.")), name);
        }
        QCOMPARE(env->value(data) + env->value("SELECT heim || gast FROM tv_spieltage"), "11 12 13 14 15 1612");
        QVERIFY(QFile::remove(folder));

        // A failed write keeps the found state, so that the deletion can be tried again.
        makeDatabaseReadOnly(*w);
        QVERIFY(shown(press(tab.reduce)).startsWith("3|"));
        QCOMPARE(tab.duplicates(), found);
        makeDatabaseReadOnly(*w, false);
        QVERIFY(press(tab.reduce).isEmpty());
        QCOMPARE(tab.duplicates(), "2 Doppelung/en gefunden ID3 ID4 | ready"); // the label keeps the last report
        QCOMPARE(env->value(data), "11 12 14 15");
        QVERIFY(press(tab.check).isEmpty());
        QCOMPARE(tab.duplicates(), "0 Doppelung/en gefunden | ready");
    }

private:
    QString rows() const {
        return env->query("SELECT spieltag || ':' || heim || '-' || gast FROM tv_spieltage ORDER BY id").join(' ');
    }
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestScheduleTab)
#include "tst_schedule_tab.moc"
