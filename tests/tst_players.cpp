// The "Spieler" tab: adding, renaming and deleting players as an organiser does it.
#include "dbpeek.h"
#include "guitest.h"
#include "testenv.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace guitest;

namespace {

const QString noPlayer = QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  ");
const QStringList emptySelection = {QString(), QString(), QString(), QString()};

struct Tab {
    explicit Tab(const MainWindow& w)
        : table(find<QTableWidget>(w, "spielerTableWidget")), pool(find<QTableWidget>(w, "spielerpoolTableWidget")),
          neu1(find<QLineEdit>(w, "spielerNeuName1LineEdit")), neu2(find<QLineEdit>(w, "spielerNeuName2LineEdit")),
          edit1(find<QLineEdit>(w, "spielerBearbeitenName1LineEdit")),
          edit2(find<QLineEdit>(w, "spielerBearbeitenName2LineEdit")),
          label1(find<QLabel>(w, "spielerLoeschenName1Label")), label2(find<QLabel>(w, "spielerLoeschenName2Label")),
          add(find<QPushButton>(w, "spielerHinzufuegenButton")),
          rename(find<QPushButton>(w, "spielerBearbeitenButton")),
          remove(find<QPushButton>(w, "spielerLoeschenButton")),
          clear(find<QPushButton>(w, "spielerFelderLeerenButton")) {}
    QList<SeenMessage> addPlayer(const QString& first, const QString& second) {
        neu1->setText(first);
        neu2->setText(second);
        return press(add);
    }
    QList<SeenMessage> renameTo(const QString& first, const QString& second) {
        edit1->setText(first);
        edit2->setText(second);
        return press(rename);
    }
    void select(const QString& secondName) { clickCell(table, rowOf(table, 2, secondName), 1); }
    QStringList selectionFields() const { return {edit1->text(), edit2->text(), label1->text(), label2->text()}; }
    QStringList newFields() const { return {neu1->text(), neu2->text()}; }

    QTableWidget *table, *pool;
    QLineEdit *neu1, *neu2, *edit1, *edit2;
    QLabel *label1, *label2;
    QPushButton *add, *rename, *remove, *clear;
};

} // namespace

class TestPlayers : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(); }
    void cleanup() { env.reset(); }

    void addingNeedsBothNamesAndListsSorted();
    void renameAndDeleteActOnTheSelection();
    void failedSaveKeepsWhatWasTyped();
    void filterAndSortByHeader();

private:
    std::unique_ptr<LeagueTestEnv> env;
};

void TestPlayers::addingNeedsBothNamesAndListsSorted() {
    auto w = startWindow();
    Tab tab(*w);
    for (const QStringList& names : {QStringList{"", ""}, QStringList{"", "Zweit"}, QStringList{"Erst", ""}}) {
        const QList<SeenMessage> seen = tab.addPlayer(names[0], names[1]);
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QString::fromUtf8("  Es müssen beide Textfelder ausgefüllt werden.  "));
        QCOMPARE(seen[0].icon, QMessageBox::Warning);
        QCOMPARE(tab.table->rowCount(), 0);
        QCOMPARE(tab.newFields(), names); // nothing typed is lost
    }
    QCOMPARE(env->value("SELECT COUNT(*) FROM tv_spieler"), "0");

    QVERIFY(tab.addPlayer("Zora", "zed").isEmpty());
    QCOMPARE(w->focusWidget(), tab.neu1); // ready for the next player
    QVERIFY(tab.addPlayer("Anna", "Alpha").isEmpty());
    QVERIFY(tab.addPlayer("Bert", "beta").isEmpty());
    // A name already in the register asks first: "Nein" (the default) adds nothing, "Ja" adds him.
    const QString same = "Einen Spieler mit diesem Namen gibt es schon. Trotzdem anlegen?";
    QCOMPARE(tab.addPlayer("bert", "neu").value(0).text, same);
    QCOMPARE(answerModals([&] { tab.add->click(); }, {}, QMessageBox::Yes).value(0).text, same);
    QCOMPARE(tab.addPlayer("   ", " ").value(0).text, // blanks are no name
             QString::fromUtf8("  Es müssen beide Textfelder ausgefüllt werden.  "));
    tab.neu1->clear();
    tab.neu2->clear();
    QCOMPARE(columnTexts(tab.table, 2), QStringList({"Alpha", "beta", "neu", "zed"}));
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anna", "Bert", "bert", "Zora"}));
    QVERIFY(tab.table->isColumnHidden(0));
    QCOMPARE(columnTexts(tab.pool, 2), columnTexts(tab.table, 2));
    QCOMPARE(tab.newFields(), QStringList({QString(), QString()}));
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.column("SELECT dartn_name || '|' || prodarter_name FROM tv_spieler ORDER BY id"),
             QStringList({"Zora|zed", "Anna|Alpha", "Bert|beta", "bert|neu"}));
    QCOMPARE(columnTexts(tab.table, 0).at(0), peek.value("SELECT id FROM tv_spieler WHERE dartn_name = 'Anna'"));
}

void TestPlayers::renameAndDeleteActOnTheSelection() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Anna", "Alpha");
    tab.addPlayer("Bert", "Beta");
    // Nothing selected yet: an empty field is refused, a full one changes no row.
    QCOMPARE(tab.renameTo("Neu", "").size(), 1);
    QVERIFY(tab.renameTo("Neu", "Name").isEmpty());
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anna", "Bert"}));
    QCOMPARE(tab.selectionFields(), emptySelection);

    tab.neu1->setText("bleibt");
    tab.select("Alpha");
    QCOMPARE(tab.selectionFields(), QStringList({"Anna", "Alpha", "Anna", "Alpha"}));
    tab.table->setCurrentCell(rowOf(tab.table, 2, "Beta"), 1); // current row moves without a click
    QVERIFY(tab.renameTo("Anne", "omega").isEmpty());
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Bert", "Anne"}));
    QCOMPARE(columnTexts(tab.table, 2), QStringList({"Beta", "omega"}));
    QCOMPARE(tab.selectionFields(), emptySelection);
    QCOMPARE(tab.neu1->text(), "bleibt"); // the add fields are not touched

    // With the selection gone, a delete is refused.
    const QList<SeenMessage> seen = press(tab.remove);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, noPlayer);
    QCOMPARE(tab.table->rowCount(), 2);

    // Deleting keeps the player's league memberships.
    QVERIFY(DbPeek(env->defaultDatabase())
                .run("INSERT INTO tv_zuordnung (id_spieler, id_liga) SELECT id, 9 FROM tv_spieler"));
    tab.select("Beta");
    QVERIFY(press(tab.remove).isEmpty());
    QCOMPARE(columnTexts(tab.table, 2), QStringList({"omega"}));
    QCOMPARE(tab.selectionFields(), emptySelection);
    QCOMPARE(env->value("SELECT COUNT(*) FROM tv_zuordnung"), "2");

    // The clear button empties all fields and the selection.
    tab.select("omega");
    tab.neu2->setText("y");
    tab.clear->click();
    QCOMPARE(tab.selectionFields(), emptySelection);
    QCOMPARE(tab.newFields(), QStringList({QString(), QString()}));
    QVERIFY(tab.renameTo("a", "b").isEmpty()); // no selected player: no row changes
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anne"}));
}

void TestPlayers::failedSaveKeepsWhatWasTyped() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Anna", "Alpha");
    tab.select("Alpha");
    makeDatabaseReadOnly();

    QList<SeenMessage> seen = tab.addPlayer("Carl", "Gamma");
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QVERIFY2(seen[0].text.startsWith("  Die Daten konnten nicht gespeichert werden!  \n"), qPrintable(seen[0].text));
    QVERIFY(seen[0].text.size() > 50); // followed by the database's reason
    QCOMPARE(tab.newFields(), QStringList({"Carl", "Gamma"}));
    QCOMPARE(columnTexts(tab.table, 2), QStringList({"Alpha"}));

    QCOMPARE(tab.renameTo("Anne", "Alpha").size(), 1);
    QCOMPARE(tab.selectionFields(), QStringList({"Anne", "Alpha", "Anna", "Alpha"}));
    QCOMPARE(press(tab.remove).size(), 1);
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anna"}));
    QCOMPARE(tab.label1->text(), "Anna");
}

void TestPlayers::filterAndSortByHeader() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Zora", "zed");
    tab.addPlayer("Anna", "Alpha");
    find<QLineEdit>(*w, "spielerFilterLineEdit")->setText("r"); // Zora by the first name
    tab.addPlayer("Bert", "beta");                              // a new player is filtered as well
    QCOMPARE(visibleTexts(tab.table, 2), QStringList({"beta", "zed"}));

    // A click on the first name's header sorts by it; the filter follows the rows.
    QHeaderView* header = tab.table->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anna", "Bert", "Zora"}));
    QCOMPARE(visibleTexts(tab.table, 1), QStringList({"Bert", "Zora"}));
}

QTEST_MAIN(TestPlayers)
#include "tst_players.moc"
