// The "Ergebnisse" tab: choosing a match, entering its result (the rules themselves are tested in
// tst_results_core) and the views that follow a save.
#include "guitest.h"
#include "results/resultform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace guitest;

namespace {

struct Tab {
    const MainWindow& w;
    QComboBox* days = find<QComboBox>(w, "spieltagComboBox");
    QComboBox* players = find<QComboBox>(w, "einzelSpielerComboBox");
    QTableView* table = find<QTableView>(w, "ergebnisseTableWidget");
    QCheckBox* mirror = find<QCheckBox>(w, "spiegelnCheckBox");
    QPushButton* insert = find<QPushButton>(w, "ergebnisEintragenButton");
    QPushButton* change = find<QPushButton>(w, "ergebnisAendernButton");

    QLineEdit* field(const QString& side, const QString& name) const {
        return find<QLineEdit>(w, "ergebnis" + side + name + "LineEdit");
    }
    void type(const QString& name, const QString& left, const QString& right) const {
        field("Links", name)->setText(left);
        field("Rechts", name)->setText(right);
    }
    // Both sides' names (when `name` is "Legs") and values.
    QStringList shown(const QString& name) const {
        QStringList out{field("Links", name)->text(), field("Rechts", name)->text()};
        if (name == "Legs")
            out.prepend(find<QLabel>(w, "nameLinksLabel")->text() + "-" + find<QLabel>(w, "nameRechtsLabel")->text());
        return out;
    }
    // "home-guest" of every listed match.
    QStringList listed() const {
        const QStringList home = columnTexts(table, 2), guest = columnTexts(table, 3);
        QStringList out;
        for (int r = 0; r < home.size(); ++r)
            out << home[r] + "-" + guest[r];
        return out;
    }
    void listPlayer(int index) const {
        players->setCurrentIndex(index);
        find<QPushButton>(w, "spieleAuswaehlenButton")->click();
    }
    QString save() const { return ::shown(press(insert->isVisible() ? insert : change)); }
};

} // namespace

class TestResultsTab : public QObject {
    Q_OBJECT

private slots:
    // A..D in league "Nord": match days 1 and 2, and A and C's return match on day 3.
    void init() {
        env = std::make_unique<LeagueTestEnv>(
            leagueSeed({"A", "B", "C", "D"}, {"1:1:3", "1:4:2", "2:1:2", "2:3:4", "3:3:1"}));
    }
    void cleanup() { env.reset(); }

    void listingAndMirroring() {
        auto w = startWindow();
        Tab tab{*w};
        QCOMPARE(tab.listed(), QStringList({"A-C", "D-B"}));
        tab.listPlayer(0);
        QCOMPARE(tab.listed(), QStringList({"A-C", "A-B", "C-A"}));
        // Another match day lists its matches again and switches the form off.
        clickCell(tab.table, 0, 1);
        tab.days->setCurrentIndex(2);
        QCOMPARE(tab.listed(), QStringList({"C-A"}));
        QVERIFY(!find<QWidget>(*w, "ergebnisFormularWidget")->isEnabled());

        // Mirroring reloads the match C-A with the sides exchanged; each side's legs go to its own player.
        clickCell(tab.table, 0, 1);
        tab.mirror->click();
        tab.type("Legs", "6", "1");
        QCOMPARE(tab.save(), QString());
        QCOMPARE(resultRows(), QStringList({"5:1:6-1:100:2", "5:3:1-6:001:0"}));
        QCOMPARE(columnTexts(tab.table, 6), QStringList({"1:6"})); // the home player's legs first
        tab.mirror->click();
        QCOMPARE(tab.shown("Legs"), QStringList({"C-A", "1", "6"}));

        // The form keeps its match when C's matches are listed, and marks its row.
        tab.listPlayer(2);
        QCOMPARE(tab.table->currentIndex().row(), 2);
        // Saving keeps the listing by player, its row and the form.
        clickCell(tab.table, 1, 1);
        tab.type("Legs", "5", "5");
        tab.save();
        QCOMPARE(tab.listed(), QStringList({"A-C", "C-D", "C-A"}));
        QCOMPARE(tab.table->currentIndex().row(), 1);
        QCOMPARE(tab.shown("Legs"), QStringList({"C-D", "5", "5"}));
        QCOMPARE(resultRows().size(), 4);
    }
    void refusedSave_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message"); // its first line
        QTest::addColumn<bool>("marked");
        QTest::newRow("0:0") << "Legs"
                             << "0" << QString::fromUtf8("2|  Es ist kein gültiger Spielstand eingegeben worden!  ")
                             << false;
        QTest::newRow("impossible average")
            << "Avg"
            << "sechzig"
            << QString::fromUtf8(
                   "2|  Das Feld \"AVG\" von A enthält keinen möglichen Wert. Erlaubt ist eine Zahl von 0 "
                   "bis 180, mit Komma oder Punkt; ein leeres Feld zählt als 0.  ")
            << true;
        QTest::newRow("failed write") << "Avg"
                                      << "50"
                                      << "3|  Die Daten konnten nicht gespeichert werden!  " << false;
    }
    // Nothing is stored, and what was typed stays; an impossible figure is marked.
    void refusedSave() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QFETCH(bool, marked);
        auto w = startWindow();
        Tab tab{*w};
        clickCell(tab.table, 0, 1);
        tab.type("Legs", "3", "");
        tab.type(field, text, "");
        makeDatabaseReadOnly(*w, QTest::currentDataTag() == QByteArray("failed write"));
        // Enter in any field saves, as the button does.
        const QString seen =
            shown(answerModals([&] { QTest::keyClick(tab.field("Rechts", "BestLeg"), Qt::Key_Return); }));
        QCOMPARE(seen.section('\n', 0, 0), message);
        QCOMPARE(resultRows(), QStringList());
        QCOMPARE(tab.shown(field).mid(field == "Legs" ? 1 : 0), QStringList({text, ""}));
        QCOMPARE(!tab.field("Links", field)->styleSheet().isEmpty(), marked);
        QVERIFY(tab.insert->isVisible());
    }
    void savedAndUpdated() {
        auto w = startWindow();
        Tab tab{*w};
        clickCell(tab.table, 0, 1);
        tab.type("Legs", "3", "3");
        tab.type("Avg", "67,25", "55.5");
        QCOMPARE(tab.save(), QString());
        QCOMPARE(resultRows(), QStringList({"1:1:3-3:010:1", "1:3:3-3:010:1"}));
        // The form shows the stored figures and offers to change them; the match is marked as played.
        QCOMPARE(tab.shown("Avg") + tab.shown("Plus171"), QStringList({"67.25", "55.50", "0", "0"}));
        QVERIFY(tab.change->isVisible() && !tab.insert->isVisible());
        const auto cell = [&](int row, int role) { return tab.table->model()->index(row, 2).data(role); };
        QVERIFY(cell(0, Qt::FontRole).value<QFont>().bold() && !cell(1, Qt::FontRole).isValid());
        QCOMPARE(cell(0, Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::darkGreen));

        tab.type("Legs", "6", "2");
        tab.type("BestLeg", "0", "21");
        QCOMPARE(tab.save(), QString());
        QCOMPARE(resultRows(), QStringList({"1:1:6-2:100:2", "1:3:2-6:001:0"}));
        // A best leg of 0 is stored as none, which the form shows empty.
        QCOMPARE(tab.shown("BestLeg"), QStringList({QString(), "21"}));
    }
    void guestOnlyRowAndPlatformNames() {
        // Match 2 (D-B) holds the guest's row only; match 1 was stored for A and C, then replaced by B and D.
        QVERIFY(
            env->run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, legs_lost, pkt, gewonnen, remis, "
                     "verloren) VALUES (2, 2, 6, 3, 2, 1, 0, 0), (1, 1, 6, 3, 2, 1, 0, 0), (1, 3, 3, 6, 0, 0, 0, 1)"));
        QVERIFY(env->run("UPDATE tv_spieltage SET heim = 2, gast = 4 WHERE id = 1"));
        startWindow();
        env->setConfig("bezeichnungen/anzeige", true);
        auto w = startWindow();
        Tab tab{*w};
        QCOMPARE(tab.listed(), QStringList({"b-d", "d-b"})); // the platform names, as set
        clickCell(tab.table, 1, 1);
        QCOMPARE(tab.shown("Legs"), QStringList({"d-b", QString(), "6"}));
        tab.type("Legs", "1", "6");
        tab.save();
        clickCell(tab.table, 0, 1);
        QCOMPARE(tab.shown("Legs"), QStringList({"b-d", QString(), QString()}));
        tab.type("Legs", "4", "2");
        tab.save();
        // Match 2's guest row is updated and no row is made for its home player; B and D get rows of their own.
        QCOMPARE(resultRows(),
                 QStringList({"2:2:6-1:100:2", "1:1:6-3:100:2", "1:3:3-6:001:0", "1:2:4-2:100:2", "1:4:2-4:001:0"}));
    }
    // Changes made elsewhere (another page, or another program on a server league) reach the list and the form.
    void followsChangesMadeElsewhere() {
        auto w = startWindow();
        Tab tab{*w};
        clickCell(tab.table, 0, 1);
        tab.type("Legs", "2", "1");
        tavorin::db::SqliteStore& store = storeOf(*w);
        // Another match's result leaves what is typed; exchanging home and guest loads the match anew.
        const tavorin::resultentry::SideTexts three{"3"}, one{"1"};
        QVERIFY(store.saveResult({false, 2, 4, 2, {}, {}}, three, one, {}).ok);
        QCOMPARE(columnTexts(tab.table, 6), QStringList({"", "3:1"}));
        QCOMPARE(tab.shown("Legs"), QStringList({"A-C", "2", "1"}));
        QVERIFY(store.setPairing(1, 3, 1).ok);
        QCOMPARE(tab.listed(), QStringList({"C-A", "D-B"}));
        QCOMPARE(tab.shown("Legs"), QStringList({"C-A", "", ""}));
        // Other match days choose the first day anew and close the form.
        QVERIFY(store.deleteSchedule(1).ok);
        QVERIFY(tab.days->count() == 0 && tab.listed().isEmpty());
        QVERIFY(!find<QWidget>(*w, "ergebnisFormularWidget")->isEnabled());
    }
    // A saved result is updated by the next save, also when the form could not read it again after the save.
    void savedOnceAlthoughNotReadAgain() {
        tavorin::db::LeagueSession session;
        auto store = std::make_unique<tavorin::db::SqliteStore>();
        QVERIFY(store->open(env->defaultDatabase()).ok);
        session.replace(std::move(store));
        PageContext context;
        context.session = &session;
        context.status = [](const QString&, const QString&) {};
        ResultForm form(context); // without a page, which would load it again
        QVERIFY(form.load(1, {1, "A", "a"}, {3, "C", "c"}));
        form.ui().fields[0][tavorin::resultentry::Legs]->setText("3");
        form.save();
        form.ui().fields[1][tavorin::resultentry::Legs]->setText("4");
        form.save();
        QCOMPARE(resultRows(), QStringList({"1:1:3-4:001:0", "1:3:4-3:100:2"}));
    }

private:
    QStringList resultRows() const {
        return env->query("SELECT spieltag_id || ':' || spieler_id || ':' || legs_won || '-' || legs_lost || ':' || "
                          "gewonnen || remis || verloren || ':' || pkt FROM tv_ergebnisse ORDER BY id");
    }
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestResultsTab)
#include "tst_results_tab.moc"
