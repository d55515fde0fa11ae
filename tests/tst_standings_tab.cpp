// The pages "Tabelle" and "Statistik", the order of players level on points chosen in the settings, and the
// window "Saisonverlauf" with its picture.
#include "guitest.h"

#include <QPushButton>
#include <QRadioButton>

using namespace guitest;

namespace {

// League "Nord": A beats C 6:0 on day 1, B beats A 6:5 on day 2; A and B are level on points, A ahead by leg
// difference, B by their match. League "Ost" has no members.
const QStringList seedData =
    leagueSeed({"A", "B", "C"}, {"1:1:3", "2:2:1"})
    << "INSERT INTO tv_ligen (id, liga_name) VALUES (2, 'Ost')"
    << "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, verloren, legs_won, legs_lost, pkt, ave) VALUES "
       "(1, 1, 1, 0, 6, 0, 2, 50), (1, 3, 0, 1, 0, 6, 0, 40), (2, 2, 1, 0, 6, 5, 2, 60), (2, 1, 0, 1, 5, 6, 0, 55)";

// Opens "Saisonverlauf" and hands its window to `check`, which closes it.
QList<SeenMessage> withChart(const MainWindow& w, const std::function<void(QWidget*)>& check) {
    return answerModals([&] { find<QAction>(w, "saisonverlaufAction")->trigger(); }, check);
}

} // namespace

class TestStandingsTab : public QObject {
    Q_OBJECT

private slots:
    void pagesFollowSelectorsAndOrder() {
        LeagueTestEnv env(seedData);
        auto w = startWindow();
        auto* table = find<QTableView>(*w, "ligaTabelleTableWidget");
        QCOMPARE(columnTexts(table, 0).join(','), "A (a),B (b),C (c)");
        auto* statistics = find<QTableView>(*w, "statistikTableWidget");
        find<QComboBox>(*w, "statistikLigaComboBox")->setCurrentText("Ost");
        QCOMPARE(statistics->model()->rowCount(), 0);
        find<QComboBox>(*w, "statistikLigaComboBox")->setCurrentText("Nord");
        QCOMPARE(columnTexts(statistics, 0).join(','), "A (a),B (b),C (c)");

        // The order chosen in the settings holds at once, and is kept for the next start.
        answerModals([&] { find<QAction>(*w, "einstellungenAction")->trigger(); },
                     [](QWidget* d) {
                         find<QRadioButton>(*d, "direkterVergleichRadioButton")->click();
                         find<QPushButton>(*d, "eintragenButton")->click();
                     });
        QCOMPARE(columnTexts(table, 0).join(','), "B (b),A (a),C (c)");
        QCOMPARE(env.config("punkte/Reihenfolge"), "1");
    }

    void seasonChartPicture() {
        LeagueTestEnv env(seedData);
        auto w = startWindow();
        FileAnswer file(env.root() + "/saison.png");
        QString seen;
        withChart(*w, [&](QWidget* d) {
            QCOMPARE(d->windowTitle(), "Saisonverlauf - Nord");
            auto* save = find<QPushButton>(*d, "bildSpeichernButton");
            save->click();
            file.path = env.root() + "/kein/Ordner/saison.png";
            seen = shown(press(save));
            d->close();
        });
        // Proposed beside the league file, named after the league.
        QCOMPARE(file.asked.value(0).start, env.dir() + "/Saisonverlauf Nord.png");
        QVERIFY(fileContent(env.root() + "/saison.png").startsWith("\x89PNG"));
        QVERIFY(seen.startsWith("3|  Die Datei konnte nicht gespeichert werden!  \n" + file.path));

        // A league that cannot be read is reported, and no window opens.
        QVERIFY(env.run("ALTER TABLE tv_ergebnisse RENAME TO weg"));
        bool opened = false;
        seen = shown(withChart(*w, [&](QWidget* d) { opened = d->close(); }));
        QVERIFY2(!opened && seen.startsWith("3|Die Daten konnten nicht gelesen werden!"), qPrintable(seen));
    }
};

QTEST_MAIN(TestStandingsTab)
#include "tst_standings_tab.moc"
