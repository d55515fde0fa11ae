// Every view follows every change: a committed write announces its tables, and the window refills what
// shows them. A read that fails is reported once and leaves the views as they were.
#include "guitest.h"
#include "testenv.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

using namespace guitest;

namespace {

// Anna and Bert in "Nord", Carl free, "Ost" empty; Anna beat Bert 3:1 on day 1.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Anna', 'a'), (2, 'Bert', 'b'), "
    "(3, 'Carl', 'c')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord'), (2, 'Ost')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1)",
    "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2)",
    "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, verloren, legs_won, legs_lost, pkt, hf) "
    "VALUES (1, 1, 1, 0, 3, 1, 2, 100), (1, 2, 0, 1, 1, 3, 0, 40)",
};

// What a view shows: "name:column" of a table, or a combo box's items, or a label's text.
QString shown(const MainWindow& w, const QString& view) {
    const QStringList part = view.split(':');
    const QByteArray name = part[0].toUtf8();
    if (part.size() == 2)
        return columnTexts(find<QTableWidget>(w, name.constData()), part[1].toInt()).join(',');
    if (auto* box = w.findChild<QComboBox*>(part[0]))
        return itemTexts(box).join(',');
    return find<QLabel>(w, name.constData())->text();
}

} // namespace

class TestViews : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    void changesRefillTheViews_data() {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("view");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        const auto row = [](const char* name, const QString& write, const char* view, const char* before,
                            const char* after) { QTest::newRow(name) << write << view << before << after; };
        const QString anja = "UPDATE tv_spieler SET dartn_name = 'Anja' WHERE id = 1";
        row("player: pool", "UPDATE tv_spieler SET dartn_name = 'Cora' WHERE id = 3", "spielerpoolTableWidget:1",
            "Carl", "Cora");
        row("player: members", anja, "mitgliederTableWidget:1", "Anna,Bert", "Anja,Bert");
        row("player: schedule", anja, "spielplanTableWidget:2", "Anna", "Anja");
        row("player: results", anja, "ergebnisseTableWidget:2", "Anna", "Anja");
        row("player: player selector", anja, "einzelSpielerComboBox", "Anna,Bert", "Anja,Bert");
        row("player: standings", anja, "ligaTabelleTableWidget:0", "Anna (a),Bert (b)", "Anja (a),Bert (b)");
        row("league: selectors", "UPDATE tv_ligen SET liga_name = 'Nordliga' WHERE id = 1", "statistikLigaComboBox",
            "Nord,Ost", "Nordliga,Ost");
        const QString out = "DELETE FROM tv_zuordnung WHERE id_spieler = 2";
        row("membership: pool", out, "spielerpoolTableWidget:1", "Carl", "Bert,Carl");
        row("membership: count", out, "mitspielerLabel", "2", "1");
        row("membership: replacements", out, "ersatzHeimComboBox", "", "Anna");
        row("membership: statistics", out, "statistikTableWidget:0", "Anna (a),Bert (b)", "Anna (a)");
        const QString day2 = "INSERT INTO tv_spieltage (liga, spieltag, heim, gast) VALUES (1, 2, 2, 1)";
        row("schedule: table", day2, "spielplanTableWidget:1", "1", "1,2");
        row("schedule: match days", day2, "spieltagComboBox", "1. Spieltag", "1. Spieltag,2. Spieltag");
        row("results: table", "DELETE FROM tv_ergebnisse", "ligaTabelleTableWidget:6", "2,0", "0,0");
        row("results: statistics", "DELETE FROM tv_ergebnisse", "statistikTableWidget:10", "100,40", "0,0");
    }

    void changesRefillTheViews() {
        QFETCH(QString, write);
        QFETCH(QString, view);
        QFETCH(QString, before);
        QFETCH(QString, after);
        auto w = startWindow();
        QCOMPARE(shown(*w, view), before);
        QVERIFY(tavorin::db::writeAll({{write, {}}}).ok);
        QCOMPARE(shown(*w, view), after);
    }

    void theLoadedMatchFollowsItsResults() {
        auto w = startWindow();
        auto* results = find<QTableWidget>(*w, "ergebnisseTableWidget");
        auto* legs = find<QLineEdit>(*w, "ergebnisLinksLegsLineEdit");
        clickCell(results, 0, 1);
        QCOMPARE(legs->text(), "3");
        QVERIFY(tavorin::db::writeAll({{"DELETE FROM tv_ergebnisse", {}}}).ok);
        QVERIFY(results->currentRow() == 0 && legs->text().isEmpty());
        QVERIFY(find<QPushButton>(*w, "ergebnisEintragenButton")->isVisible());
    }

    void selectorsMoveEachViewOnce() {
        auto w = startWindow();
        std::vector<std::unique_ptr<QSignalSpy>> fills;
        for (const char* name : {"spielplanTableWidget", "mitgliederTableWidget", "ergebnisseTableWidget",
                                 "ligaTabelleTableWidget", "statistikTableWidget"})
            fills.push_back(
                std::make_unique<QSignalSpy>(find<QTableWidget>(*w, name)->model(), &QAbstractItemModel::modelReset));
        QVERIFY(tavorin::db::writeAll({{"INSERT INTO tv_ligen (liga_name) VALUES ('West')", {}}}).ok);
        for (const auto& fill : fills)
            QCOMPARE(fill->count(), 1);
        QCOMPARE(shown(*w, "ergebnisseLigaComboBox"), "Nord,Ost,West");
        QCOMPARE(shown(*w, "ergebnisseTableWidget:2"), "Anna");
    }

    void playerListsWaitForTheAdministrationTabs() {
        auto w = startWindow(nullptr, false);
        const QString dora = "INSERT INTO tv_spieler (dartn_name, prodarter_name) VALUES ('Dora', 'd')";
        QVERIFY(tavorin::db::writeAll({{dora, {}}}).ok);
        QCOMPARE(shown(*w, "spielerTableWidget:1") + shown(*w, "spielerpoolTableWidget:1"), "");
        find<QAction>(*w, "verwaltungAction")->trigger();
        QCOMPARE(shown(*w, "spielerTableWidget:1"), "Anna,Bert,Carl,Dora");
        QCOMPARE(shown(*w, "spielerpoolTableWidget:1"), "Carl,Dora");
    }

    void failedReadsLeaveTheViews_data() {
        QTest::addColumn<QString>("cause");
        QTest::addColumn<QString>("message");
        QTest::newRow("table missing") << "DROP TABLE tv_ergebnisse"
                                       << "Die Daten konnten nicht gelesen werden!\n";
        QTest::newRow("file locked") << "BEGIN EXCLUSIVE"
                                     << "Die Datenbank wird gerade von einem anderen Programm benutzt.\n";
    }

    void failedReadsLeaveTheViews() {
        QFETCH(QString, cause);
        QFETCH(QString, message);
        auto w = startWindow();
        DbPeek other(env->defaultDatabase(), "other");
        QVERIFY(other.run(cause));
        QElapsedTimer clock;
        clock.start();
        // Another league: a chain of reads, reported once and soon, with the database's reason.
        const QList<SeenMessage> seen =
            answerModals([&] { find<QComboBox>(*w, "ergebnisseLigaComboBox")->setCurrentIndex(1); });
        QVERIFY(clock.elapsed() < 3500);
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].text.startsWith(message) && seen[0].text.size() > message.size() + 5,
                 qPrintable(seen[0].text));
        QCOMPARE(shown(*w, "ergebnisseTableWidget:2"), "Anna"); // left as they were
    }

private:
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestViews)
#include "tst_views.moc"
