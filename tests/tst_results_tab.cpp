// The "Ergebnisse", "Tabelle" and "Statistik" tabs: listing matches, entering results, the standings.
#include "guitest.h"
#include "testenv.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>

using namespace guitest;

namespace {

// League "Nord" with A, B, C, D (platform names a, b, c, d); match days 1 and 2 and a return match of
// A and C on day 3.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'A', 'a'), (2, 'B', 'b'), (3, 'C', 'c'), "
    "(4, 'D', 'd')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1), (3, 1), (4, 1)",
    "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 3), (2, 1, 1, 4, 2), "
    "(3, 1, 2, 1, 2), (4, 1, 2, 3, 4), (5, 1, 3, 3, 1)",
};

const QString noMatch = QString::fromUtf8("  Es wurde kein Spiel ausgewählt  ");

struct Tab {
    explicit Tab(const MainWindow& w)
        : window(w), days(find<QComboBox>(w, "spieltagComboBox")), players(find<QComboBox>(w, "einzelSpielerComboBox")),
          choosePlayer(find<QPushButton>(w, "spieleAuswaehlenButton")),
          table(find<QTableWidget>(w, "ergebnisseTableWidget")), form(find<QWidget>(w, "ergebnisFormularWidget")),
          left(find<QLabel>(w, "nameLinksLabel")), right(find<QLabel>(w, "nameRechtsLabel")),
          mirror(find<QCheckBox>(w, "spiegelnCheckBox")), insert(find<QPushButton>(w, "ergebnisEintragenButton")),
          change(find<QPushButton>(w, "ergebnisAendernButton")), import(find<QGroupBox>(w, "importGroupBox")) {}

    QLineEdit* field(bool leftSide, const char* name) const {
        const QByteArray full = QByteArray("ergebnis") + (leftSide ? "Links" : "Rechts") + name + "LineEdit";
        return find<QLineEdit>(window, full.constData());
    }
    void type(const char* name, const QString& leftText, const QString& rightText) const {
        field(true, name)->setText(leftText);
        field(false, name)->setText(rightText);
    }
    QStringList values(const char* name) const { return {field(true, name)->text(), field(false, name)->text()}; }
    // "home-guest" of every listed match.
    QStringList listed() const {
        QStringList out;
        for (int r = 0; r < table->rowCount(); ++r)
            out << table->item(r, 2)->text() + "-" + table->item(r, 3)->text();
        return out;
    }
    QList<SeenMessage> save() const { return press(insert->isVisible() ? insert : change); }

    const MainWindow& window;
    QComboBox *days, *players;
    QPushButton* choosePlayer;
    QTableWidget* table;
    QWidget* form;
    QLabel *left, *right;
    QCheckBox* mirror;
    QPushButton *insert, *change;
    QGroupBox* import;
};

} // namespace

class TestResultsTab : public QObject {
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

    void listsByDayAndByPlayer();
    void drawIsSavedThenUpdated();
    void zeroZeroIsRefused();
    void averagesWithCommaAndNonsense();
    void mirroredEntry();
    void guestOnlyRowAndReplacedPlayers();
    void noCurrentRowNoAction();
    void failedSaveKeepsTypedFigures();
    void playerSelectorStaysAfterSave();
    void displayNamesFollowTheSetting();
    void standingsTabsAfterSaving();

private:
    QStringList resultRows() const {
        DbPeek peek(env->defaultDatabase());
        return peek.column("SELECT spieltag_id || ':' || spieler_id || ':' || legs_won || '-' || legs_lost || ':' || "
                           "gewonnen || remis || verloren || ':' || pkt FROM tv_ergebnisse ORDER BY id");
    }
    std::unique_ptr<TempSettings> env;
};

void TestResultsTab::listsByDayAndByPlayer() {
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(itemTexts(tab.days), QStringList({"1. Spieltag", "2. Spieltag", "3. Spieltag"}));
    QCOMPARE(tab.days->itemData(1).toString(), "2");
    QCOMPARE(tab.listed(), QStringList({"A-C", "D-B"}));
    QVERIFY(!tab.form->isEnabled());
    QVERIFY(!tab.import->isVisible());
    QCOMPARE(headerTexts(tab.table), QStringList({"id", "Spieltag", "Spieler 1", "Spieler 2", "heimId", "gastId"}));

    tab.days->setCurrentIndex(1);
    QCOMPARE(tab.listed(), QStringList({"A-B", "C-D"}));

    QCOMPARE(itemTexts(tab.players), QStringList({"A", "B", "C", "D"}));
    tab.players->setCurrentIndex(0);
    tab.choosePlayer->click();
    QCOMPARE(tab.listed(), QStringList({"A-C", "A-B", "C-A"}));
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"1", "2", "3"}));

    // A new match day selection returns to the listing by match day and switches the form off.
    clickCell(tab.table, 0, 1);
    QVERIFY(tab.form->isEnabled());
    tab.days->setCurrentIndex(2);
    QCOMPARE(tab.listed(), QStringList({"C-A"}));
    QVERIFY(!tab.form->isEnabled());
    QCOMPARE(tab.left->text(), QString());
}

void TestResultsTab::drawIsSavedThenUpdated() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 0, 1);
    QVERIFY(tab.form->isEnabled());
    QVERIFY(tab.import->isVisible());
    QCOMPARE(tab.left->text(), "A");
    QCOMPARE(tab.right->text(), "C");
    QVERIFY(tab.insert->isVisible());
    QVERIFY(!tab.change->isVisible());

    tab.type("Legs", "3", "3");
    tab.type("Avg", "67,25", "55.5");
    tab.type("Plus171", "1", "");
    QVERIFY(tab.save().isEmpty());
    QCOMPARE(resultRows(), QStringList({"1:1:3-3:010:1", "1:3:3-3:010:1"}));

    // The form shows the stored figures and offers to change them.
    QCOMPARE(tab.table->currentRow(), 0);
    QCOMPARE(tab.values("Legs"), QStringList({"3", "3"}));
    QCOMPARE(tab.values("Avg"), QStringList({"67.25", "55.50"}));
    QCOMPARE(tab.values("Plus171"), QStringList({"1", "0"}));
    QVERIFY(tab.change->isVisible());
    QVERIFY(!tab.insert->isVisible());
    QCOMPARE(tab.change->text(), QString::fromUtf8("Ergebnis ändern"));

    // Played matches are marked in bold dark green.
    QTableWidgetItem* played = tab.table->item(0, 2);
    QVERIFY(played->font().bold());
    QCOMPARE(played->foreground().color(), QColor(Qt::darkGreen));
    QVERIFY(!tab.table->item(1, 2)->font().bold());

    tab.type("Legs", "6", "2");
    QVERIFY(tab.save().isEmpty());
    QCOMPARE(resultRows(), QStringList({"1:1:6-2:100:2", "1:3:2-6:001:0"}));
}

void TestResultsTab::zeroZeroIsRefused() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 1, 1);
    tab.type("Legs", "0", "");
    tab.type("Avg", "50", "40");
    const QList<SeenMessage> seen = tab.save();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QString::fromUtf8("  Es ist kein gültiger Spielstand eingegeben worden!  "));
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(resultRows(), QStringList());
    QCOMPARE(tab.values("Avg"), QStringList({QString(), QString()})); // reloaded from the database
    QVERIFY(tab.insert->isVisible());
}

void TestResultsTab::averagesWithCommaAndNonsense() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 0, 1);
    tab.type("Legs", "2", "1");
    tab.type("Avg", "viel", "45");
    tab.type("First9Avg", "70,5", "");
    tab.save();
    QCOMPARE(tab.values("Avg"), QStringList({"0.00", "45.00"}));
    QCOMPARE(tab.values("First9Avg"), QStringList({"70.50", "0.00"}));
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.column("SELECT ave || '|' || f9ave FROM tv_ergebnisse ORDER BY id"),
             QStringList({"0.0|70.5", "45.0|0.0"}));
}

void TestResultsTab::mirroredEntry() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 0, 1);
    tab.type("Legs", "6", "1");
    tab.mirror->click(); // reloads the match with the sides exchanged
    QCOMPARE(tab.left->text(), "C");
    QCOMPARE(tab.right->text(), "A");
    QCOMPARE(tab.values("Legs"), QStringList({QString(), QString()}));
    tab.type("Legs", "6", "1");
    tab.save();
    QCOMPARE(resultRows(), QStringList({"1:3:6-1:100:2", "1:1:1-6:001:0"}));
    QCOMPARE(tab.values("Legs"), QStringList({"6", "1"}));
    tab.mirror->click();
    QCOMPARE(tab.left->text(), "A");
    QCOMPARE(tab.values("Legs"), QStringList({"1", "6"}));
}

void TestResultsTab::guestOnlyRowAndReplacedPlayers() {
    {
        DbPeek peek(env->defaultDatabase());
        // Match 2 (D-B) holds the guest's row only; match 1 was stored for A and C, who were then replaced.
        peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, legs_lost, pkt) VALUES "
                 "(2, 2, 6, 3, 2), (1, 1, 6, 3, 2), (1, 3, 3, 6, 0)");
        peek.run("UPDATE tv_spieltage SET heim = 2, gast = 4 WHERE id = 1");
    }
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(tab.listed(), QStringList({"B-D", "D-B"}));
    QVERIFY(!tab.table->item(1, 2)->font().bold()); // only the guest's row: not marked

    clickCell(tab.table, 1, 1);
    QCOMPARE(tab.values("Legs"), QStringList({QString(), "6"}));
    QVERIFY(tab.change->isVisible());
    tab.type("Legs", "1", "6");
    tab.save();
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.column("SELECT spieler_id || ':' || legs_won || '-' || legs_lost FROM tv_ergebnisse WHERE "
                         "spieltag_id = 2"),
             QStringList({"2:6-1"})); // no row is made for the home player

    clickCell(tab.table, 0, 1);
    QCOMPARE(tab.values("Legs"), QStringList({QString(), QString()}));
    QVERIFY(tab.insert->isVisible());
    tab.type("Legs", "4", "2");
    tab.save();
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_ergebnisse WHERE spieltag_id = 1"), "4");
}

void TestResultsTab::noCurrentRowNoAction() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 0, 1);
    tab.type("Legs", "3", "1");
    tab.players->setCurrentIndex(1);
    tab.choosePlayer->click(); // refills the table: no row is current, the form stays enabled
    QCOMPARE(tab.table->currentRow(), -1);
    QVERIFY(tab.form->isEnabled());

    const QList<SeenMessage> seen = tab.save();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, noMatch);
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    tab.mirror->click();
    QCOMPARE(tab.values("Legs"), QStringList({"3", "1"}));
    QCOMPARE(tab.left->text(), "A");
    QCOMPARE(resultRows(), QStringList());
}

void TestResultsTab::failedSaveKeepsTypedFigures() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 0, 1);
    tab.type("Legs", "6", "4");
    tab.type("Count180", "2", "1");
    makeDatabaseReadOnly();
    const QList<SeenMessage> seen = tab.save();
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QCOMPARE(tab.values("Legs"), QStringList({"6", "4"}));
    QCOMPARE(tab.values("Count180"), QStringList({"2", "1"}));
    QCOMPARE(tab.table->currentRow(), 0);

    makeDatabaseReadOnly(false);
    QVERIFY(tab.save().isEmpty());
    QCOMPARE(resultRows(), QStringList({"1:1:6-4:100:2", "1:3:4-6:001:0"}));
}

void TestResultsTab::playerSelectorStaysAfterSave() {
    auto w = startWindow();
    Tab tab(*w);
    tab.players->setCurrentIndex(2); // C
    tab.choosePlayer->click();
    QCOMPARE(tab.listed(), QStringList({"A-C", "C-D", "C-A"}));
    clickCell(tab.table, 1, 1);
    tab.type("Legs", "5", "5");
    tab.save();
    QCOMPARE(tab.players->currentText(), "C");
    QCOMPARE(tab.listed(), QStringList({"A-C", "C-D", "C-A"}));
    QCOMPARE(tab.table->currentRow(), 1);
    QCOMPARE(tab.left->text(), "C");
    QVERIFY(tab.change->isVisible());
}

void TestResultsTab::displayNamesFollowTheSetting() {
    startWindow();
    {
        QSettings s(env->configPath(), QSettings::IniFormat);
        s.setValue("bezeichnungen/anzeige", true);
    }
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(tab.listed(), QStringList({"a-c", "d-b"}));
    clickCell(tab.table, 0, 1);
    QCOMPARE(tab.left->text(), "a");

    // Choosing the first name in the settings dialog shows it at once.
    answerModals([&] { find<QAction>(*w, "einstellungenAction")->trigger(); },
                 [](QWidget* dialog) {
                     dialog->findChild<QRadioButton*>("ersterNameRadioButton")->click();
                     dialog->findChild<QPushButton*>("eintragenButton")->click();
                 });
    QCOMPARE(tab.listed(), QStringList({"A-C", "D-B"}));
}

void TestResultsTab::standingsTabsAfterSaving() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 0, 1);
    tab.type("Legs", "6", "2");
    tab.type("Avg", "60", "50");
    tab.type("DoublesHit", "6", "2");
    tab.type("DoublesThrown", "18", "0");
    tab.type("BestLeg", "0", "21");
    tab.save();

    auto* table = find<QTableWidget>(*w, "ligaTabelleTableWidget");
    QStringList first;
    for (int c = 0; c < table->columnCount(); ++c)
        first << table->item(0, c)->text();
    QCOMPARE(first, QStringList({"A (a)", "1", "1", "0", "0", "6:2", "2", "60.00", "33.33% (6/18)"}));
    // C lost with 0 points and still stands above the members without any result.
    QCOMPARE(columnTexts(table, 0).mid(0, 2), QStringList({"A (a)", "C (c)"}));
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(columnTexts(table, 8).last(), "0");
    QCOMPARE(table->item(0, 0)->textAlignment(), int(Qt::AlignCenter));

    // The statistics fill has rewritten the stored best leg of 0, which the form now shows empty.
    auto* statistics = find<QTableWidget>(*w, "statistikTableWidget");
    QCOMPARE(statistics->item(0, 0)->text(), "C (c)");
    QCOMPARE(statistics->item(0, 11)->text(), "21");
    QCOMPARE(tab.values("BestLeg"), QStringList({QString(), "21"}));
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT quote(bestleg) FROM tv_ergebnisse WHERE spieler_id = 1"), "''");
}

QTEST_MAIN(TestResultsTab)
#include "tst_results_tab.moc"
