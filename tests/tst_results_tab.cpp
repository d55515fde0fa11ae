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

// League "Nord" with A..D (platform names a..d): match days 1 and 2, and A and C's return match on day 3.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'A', 'a'), (2, 'B', 'b'), (3, 'C', 'c'), "
    "(4, 'D', 'd')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1), (3, 1), (4, 1)",
    "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 3), (2, 1, 1, 4, 2), "
    "(3, 1, 2, 1, 2), (4, 1, 2, 3, 4), (5, 1, 3, 3, 1)",
};

const QString noMatch = QString::fromUtf8("  Es wurde kein Spiel ausgewählt  ");

// Exactly one message box with `icon`, showing `text` unless that is null.
bool oneMessage(const QList<SeenMessage>& seen, QMessageBox::Icon icon, const QString& text = {}) {
    return seen.size() == 1 && seen[0].icon == icon && (text.isNull() || seen[0].text == text);
}

struct Tab {
    explicit Tab(const MainWindow& window) : w(window) {}

    QLineEdit* field(bool leftSide, const char* name) const {
        const QByteArray full = QByteArray("ergebnis") + (leftSide ? "Links" : "Rechts") + name + "LineEdit";
        return find<QLineEdit>(w, full.constData());
    }
    void type(const char* name, const QString& leftText, const QString& rightText) const {
        field(true, name)->setText(leftText);
        field(false, name)->setText(rightText);
    }
    QStringList values(const char* name) const { return {field(true, name)->text(), field(false, name)->text()}; }
    // The names of both sides and their legs, as the form shows them.
    QStringList shown() const { return QStringList({left->text(), right->text()}) + values("Legs"); }
    // "home-guest" of every listed match.
    QStringList listed() const {
        QStringList out;
        for (int r = 0; r < table->rowCount(); ++r)
            out << table->item(r, 2)->text() + "-" + table->item(r, 3)->text();
        return out;
    }
    QList<SeenMessage> save() const { return press(insert->isVisible() ? insert : change); }

    const MainWindow& w;
    QComboBox* days = find<QComboBox>(w, "spieltagComboBox");
    QComboBox* players = find<QComboBox>(w, "einzelSpielerComboBox");
    QPushButton* choosePlayer = find<QPushButton>(w, "spieleAuswaehlenButton");
    QTableWidget* table = find<QTableWidget>(w, "ergebnisseTableWidget");
    QWidget* form = find<QWidget>(w, "ergebnisFormularWidget");
    QLabel* left = find<QLabel>(w, "nameLinksLabel");
    QLabel* right = find<QLabel>(w, "nameRechtsLabel");
    QCheckBox* mirror = find<QCheckBox>(w, "spiegelnCheckBox");
    QPushButton* insert = find<QPushButton>(w, "ergebnisEintragenButton");
    QPushButton* change = find<QPushButton>(w, "ergebnisAendernButton");
    QGroupBox* import = find<QGroupBox>(w, "importGroupBox");
};

} // namespace

class TestResultsTab : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    void listingMirroringAndPlayerSelector();
    void refusedSavedUpdatedAndStandings();
    void guestOnlyRowReplacedPlayersAndNames();

private:
    QStringList resultRows() const {
        return env->query("SELECT spieltag_id || ':' || spieler_id || ':' || legs_won || '-' || legs_lost || ':' || "
                          "gewonnen || remis || verloren || ':' || pkt FROM tv_ergebnisse ORDER BY id");
    }
    std::unique_ptr<LeagueTestEnv> env;
};

void TestResultsTab::listingMirroringAndPlayerSelector() {
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(itemTexts(tab.days), QStringList({"1. Spieltag", "2. Spieltag", "3. Spieltag"}));
    QCOMPARE(tab.days->itemData(1).toString(), "2");
    QCOMPARE(tab.listed(), QStringList({"A-C", "D-B"}));
    QVERIFY(!tab.form->isEnabled());
    QVERIFY(!tab.import->isVisible());
    QCOMPARE(headerTexts(tab.table),
             QStringList({"id", "Spieltag", "Spieler 1", "Spieler 2", "heimId", "gastId", "Ergebnis"}));
    QCOMPARE(columnTexts(tab.table, 6), QStringList({"", ""})); // nothing played yet
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

    // Mirroring reloads the match (C-A) with the sides exchanged.
    clickCell(tab.table, 0, 1);
    tab.type("Legs", "6", "1");
    tab.mirror->click();
    QCOMPARE(tab.shown(), QStringList({"A", "C", QString(), QString()}));
    tab.type("Legs", "6", "1");
    tab.save();
    QCOMPARE(resultRows(), QStringList({"5:1:6-1:100:2", "5:3:1-6:001:0"}));
    QCOMPARE(tab.shown(), QStringList({"A", "C", "6", "1"}));
    QCOMPARE(columnTexts(tab.table, 6), QStringList({"1:6"})); // the home player's legs first
    tab.mirror->click();
    QCOMPARE(tab.shown(), QStringList({"C", "A", "1", "6"}));

    // Refilling the table leaves no row current but the form enabled: saving and mirroring do nothing.
    tab.type("Legs", "3", "1");
    tab.players->setCurrentIndex(2); // C: A-C, C-D, C-A
    tab.choosePlayer->click();
    QCOMPARE(tab.table->currentRow(), -1);
    QVERIFY(tab.form->isEnabled());
    QVERIFY(oneMessage(tab.save(), QMessageBox::Warning, noMatch));
    tab.mirror->click();
    QCOMPARE(tab.shown(), QStringList({"C", "A", "3", "1"}));
    QCOMPARE(resultRows(), QStringList({"5:1:6-1:100:2", "5:3:1-6:001:0"}));
    tab.mirror->click();

    // Saving keeps the listing by player, its row and the form.
    clickCell(tab.table, 1, 1);
    tab.type("Legs", "5", "5");
    tab.save();
    QCOMPARE(tab.players->currentText(), "C");
    QCOMPARE(tab.listed(), QStringList({"A-C", "C-D", "C-A"}));
    QCOMPARE(tab.table->currentRow(), 1);
    QCOMPARE(tab.shown(), QStringList({"C", "D", "5", "5"}));
    QVERIFY(tab.change->isVisible());
}

void TestResultsTab::refusedSavedUpdatedAndStandings() {
    auto w = startWindow();
    Tab tab(*w);
    clickCell(tab.table, 0, 1);
    QVERIFY(tab.import->isVisible());
    QCOMPARE(tab.shown(), QStringList({"A", "C", QString(), QString()}));

    // 0:0 is refused; the typed figures stay.
    tab.type("Legs", "0", "");
    tab.type("Avg", "50", "40");
    QVERIFY(oneMessage(tab.save(), QMessageBox::Warning,
                       QString::fromUtf8("  Es ist kein gültiger Spielstand eingegeben worden!  ")));
    QCOMPARE(resultRows(), QStringList());
    QCOMPARE(tab.values("Avg"), QStringList({"50", "40"}));
    QVERIFY(tab.insert->isVisible() && !tab.change->isVisible());

    // A figure that cannot be is marked and named, and nothing is saved; what was typed stays.
    tab.type("Legs", "3", "3");
    tab.type("Avg", "sechzig", "55.5");
    tab.type("BestLeg", "", "7");
    QVERIFY(oneMessage(tab.save(), QMessageBox::Warning,
                       QString::fromUtf8("  Das Feld \"AVG\" von A enthält keinen möglichen Wert. Erlaubt ist eine "
                                         "Zahl von 0 bis 180, mit Komma oder Punkt; ein leeres Feld zählt als 0.  ")));
    QCOMPARE(resultRows(), QStringList());
    QCOMPARE(tab.values("Avg"), QStringList({"sechzig", "55.5"}));
    QVERIFY(!tab.field(true, "Avg")->styleSheet().isEmpty() && !tab.field(false, "BestLeg")->styleSheet().isEmpty());
    QVERIFY(tab.field(false, "Avg")->styleSheet().isEmpty());

    // A save that fails keeps the typed figures.
    tab.type("Avg", "67,25", "55.5");
    tab.type("BestLeg", "", "");
    tab.type("First9Avg", "", "");
    tab.type("Plus171", "1", "");
    tab.type("Count180", "2", "1");
    makeDatabaseReadOnly();
    QVERIFY(oneMessage(tab.save(), QMessageBox::Critical));
    QCOMPARE(tab.values("Legs") + tab.values("Count180"), QStringList({"3", "3", "2", "1"}));
    QCOMPARE(tab.table->currentRow(), 0);

    makeDatabaseReadOnly(false);
    QVERIFY(tab.save().isEmpty());
    QCOMPARE(resultRows(), QStringList({"1:1:3-3:010:1", "1:3:3-3:010:1"}));
    QCOMPARE(env->query("SELECT ave || '|' || f9ave FROM tv_ergebnisse ORDER BY id"),
             QStringList({"67.25|0.0", "55.5|0.0"}));
    // The form shows the stored figures (no number counts as 0) and offers to change them.
    QCOMPARE(tab.values("Avg") + tab.values("First9Avg") + tab.values("Plus171"),
             QStringList({"67.25", "55.50", "0.00", "0.00", "1", "0"}));
    QVERIFY(tab.change->isVisible() && !tab.insert->isVisible());
    QCOMPARE(tab.change->text(), QString::fromUtf8("Ergebnis ändern"));
    // Played matches are marked in bold dark green.
    QVERIFY(tab.table->item(0, 2)->font().bold());
    QCOMPARE(tab.table->item(0, 2)->foreground().color(), QColor(Qt::darkGreen));
    QVERIFY(!tab.table->item(1, 2)->font().bold());

    tab.type("Legs", "6", "2");
    tab.type("Avg", "60", "50");
    tab.type("DoublesHit", "6", "2");
    tab.type("DoublesThrown", "18", "4");
    tab.type("BestLeg", "0", "21");
    QVERIFY(tab.save().isEmpty());
    QCOMPARE(resultRows(), QStringList({"1:1:6-2:100:2", "1:3:2-6:001:0"}));

    // C lost with 0 points and still stands above the members without any result.
    auto* table = find<QTableWidget>(*w, "ligaTabelleTableWidget");
    QStringList first;
    for (int c = 0; c < table->columnCount(); ++c)
        first << table->item(0, c)->text();
    QCOMPARE(first, QStringList({"A (a)", "1", "1", "0", "0", "6:2", "2", "60.00", "33.33% (6/18)"}));
    QCOMPARE(columnTexts(table, 0).mid(0, 2), QStringList({"A (a)", "C (c)"}));
    QCOMPARE(columnTexts(table, 8).mid(2), QStringList({"0", "0"}));
    QCOMPARE(table->item(0, 0)->textAlignment(), int(Qt::AlignCenter));

    // The statistics fill has rewritten the stored best leg of 0, which the form now shows empty.
    auto* statistics = find<QTableWidget>(*w, "statistikTableWidget");
    QCOMPARE(QStringList({statistics->item(0, 0)->text(), statistics->item(0, 11)->text()}),
             QStringList({"C (c)", "21"}));
    QCOMPARE(tab.values("BestLeg"), QStringList({QString(), "21"}));
    QCOMPARE(env->query("SELECT quote(bestleg) FROM tv_ergebnisse WHERE spieler_id = 1"), QStringList({"''"}));
}

void TestResultsTab::guestOnlyRowReplacedPlayersAndNames() {
    // Match 2 (D-B) holds the guest's row only; match 1 was stored for A and C, then replaced by B and D.
    QVERIFY(env->run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, legs_lost, pkt) VALUES "
                     "(2, 2, 6, 3, 2), (1, 1, 6, 3, 2), (1, 3, 3, 6, 0)"));
    QVERIFY(env->run("UPDATE tv_spieltage SET heim = 2, gast = 4 WHERE id = 1"));
    startWindow();
    QSettings(env->configPath(), QSettings::IniFormat).setValue("bezeichnungen/anzeige", true);
    auto w = startWindow();
    Tab tab(*w);
    QCOMPARE(tab.listed(), QStringList({"b-d", "d-b"})); // the platform names, as set
    QVERIFY(!tab.table->item(1, 2)->font().bold());      // only the guest's row: not marked

    clickCell(tab.table, 1, 1);
    QCOMPARE(tab.shown(), QStringList({"d", "b", QString(), "6"}));
    QVERIFY(tab.change->isVisible());
    tab.type("Legs", "1", "6");
    tab.save();
    QCOMPARE(env->query("SELECT spieler_id || ':' || legs_won || '-' || legs_lost FROM tv_ergebnisse WHERE "
                        "spieltag_id = 2"),
             QStringList({"2:6-1"})); // no row is made for the home player

    clickCell(tab.table, 0, 1);
    QCOMPARE(tab.values("Legs"), QStringList({QString(), QString()}));
    QVERIFY(tab.insert->isVisible());
    tab.type("Legs", "4", "2");
    tab.save();
    QCOMPARE(env->query("SELECT COUNT(*) FROM tv_ergebnisse WHERE spieltag_id = 1"), QStringList({"4"}));

    // Choosing the first name in the settings dialog shows it at once.
    answerModals([&] { find<QAction>(*w, "einstellungenAction")->trigger(); },
                 [](QWidget* dialog) {
                     dialog->findChild<QRadioButton*>("ersterNameRadioButton")->click();
                     dialog->findChild<QPushButton*>("eintragenButton")->click();
                 });
    QCOMPARE(tab.listed(), QStringList({"B-D", "D-B"}));
}

QTEST_MAIN(TestResultsTab)
#include "tst_results_tab.moc"
