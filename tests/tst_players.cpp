// The "Spieler" tab: adding, renaming and deleting players as an organiser does it.
#include "dbpeek.h"
#include "guitest.h"
#include "testenv.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace guitest;

namespace {

const QString bothFields = QString::fromUtf8("  Es müssen beide Textfelder ausgefüllt werden.  ");
const QString noPlayer = QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  ");

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
    void select(const QString& secondName) { clickCell(table, rowOf(table, 2, secondName), 1); }
    QStringList selectionFields() const { return {edit1->text(), edit2->text(), label1->text(), label2->text()}; }

    QTableWidget* table;
    QTableWidget* pool;
    QLineEdit *neu1, *neu2, *edit1, *edit2;
    QLabel *label1, *label2;
    QPushButton *add, *rename, *remove, *clear;
};

const QStringList emptySelection = {QString(), QString(), QString(), QString()};

} // namespace

class TestPlayers : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<TempSettings>(); }
    void cleanup() {
        makeDatabaseReadOnly(false);
        env.reset();
    }

    void addingNeedsBothNames_data();
    void addingNeedsBothNames();
    void addingListsSortedAndFillsThePool();
    void selectingFillsTheFields();
    void renameActsOnTheSelection();
    void renameWithoutSelectionChangesNothing();
    void deleteKeepsMemberships();
    void clearButtonEmptiesEverything();
    void failedSaveKeepsWhatWasTyped();

private:
    std::unique_ptr<TempSettings> env;
};

void TestPlayers::addingNeedsBothNames_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::newRow("both empty") << ""
                                << "";
    QTest::newRow("first empty") << ""
                                 << "Zweit";
    QTest::newRow("second empty") << "Erst"
                                  << "";
}

void TestPlayers::addingNeedsBothNames() {
    QFETCH(QString, first);
    QFETCH(QString, second);
    auto w = startWindow();
    Tab tab(*w);
    const QList<SeenMessage> seen = tab.addPlayer(first, second);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, bothFields);
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(tab.table->rowCount(), 0);
    QCOMPARE(tab.neu1->text(), first); // nothing typed is lost
    QCOMPARE(tab.neu2->text(), second);
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_spieler"), "0");
}

void TestPlayers::addingListsSortedAndFillsThePool() {
    auto w = startWindow();
    Tab tab(*w);
    QVERIFY(tab.addPlayer("Zora", "zed").isEmpty());
    QVERIFY(tab.addPlayer("Anna", "Alpha").isEmpty());
    QVERIFY(tab.addPlayer("Bert", "beta").isEmpty());
    QVERIFY(tab.addPlayer("Bert", "beta").isEmpty()); // the same names may exist twice
    QVERIFY(tab.addPlayer("   ", " ").isEmpty());     // blanks count as filled and are kept

    QCOMPARE(columnTexts(tab.table, 2), QStringList({" ", "Alpha", "beta", "beta", "zed"}));
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"   ", "Anna", "Bert", "Bert", "Zora"}));
    QVERIFY(tab.table->isColumnHidden(0));
    QCOMPARE(columnTexts(tab.pool, 2), columnTexts(tab.table, 2));
    QCOMPARE(tab.neu1->text(), QString());
    QCOMPARE(tab.neu2->text(), QString());

    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.column("SELECT dartn_name || '|' || prodarter_name FROM tv_spieler ORDER BY id"),
             QStringList({"Zora|zed", "Anna|Alpha", "Bert|beta", "Bert|beta", "   | "}));
    QCOMPARE(columnTexts(tab.table, 0).size(), 5);
    QCOMPARE(columnTexts(tab.table, 0).at(1), peek.value("SELECT id FROM tv_spieler WHERE dartn_name = 'Anna'"));
}

void TestPlayers::selectingFillsTheFields() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Anna", "Alpha");
    tab.neu1->setText("halb getippt");
    tab.select("Alpha");
    QCOMPARE(tab.selectionFields(), QStringList({"Anna", "Alpha", "Anna", "Alpha"}));
    QCOMPARE(tab.neu1->text(), "halb getippt"); // the add fields are not touched
}

void TestPlayers::renameActsOnTheSelection() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Anna", "Alpha");
    tab.addPlayer("Bert", "Beta");
    tab.select("Alpha");
    tab.table->setCurrentCell(rowOf(tab.table, 2, "Beta"), 1); // current row moves without a click
    tab.edit1->setText("Anne");
    tab.edit2->setText("omega");
    tab.neu1->setText("bleibt");
    QVERIFY(press(tab.rename).isEmpty());

    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Bert", "Anne"}));
    QCOMPARE(columnTexts(tab.table, 2), QStringList({"Beta", "omega"}));
    QCOMPARE(tab.selectionFields(), emptySelection);
    QCOMPARE(tab.neu1->text(), "bleibt");

    // With the selection gone, a rename or delete is refused or changes nothing.
    const QList<SeenMessage> seen = press(tab.remove);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, noPlayer);
    QCOMPARE(tab.table->rowCount(), 2);
}

void TestPlayers::renameWithoutSelectionChangesNothing() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Anna", "Alpha");
    tab.edit1->setText("Neu");
    QCOMPARE(press(tab.rename).size(), 1); // second field empty
    tab.edit2->setText("Name");
    QVERIFY(press(tab.rename).isEmpty());
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anna"}));
    QCOMPARE(tab.selectionFields(), emptySelection);
}

void TestPlayers::deleteKeepsMemberships() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Anna", "Alpha");
    tab.addPlayer("Bert", "Beta");
    {
        DbPeek peek(env->defaultDatabase());
        QVERIFY(peek.run("INSERT INTO tv_zuordnung (id_spieler, id_liga) SELECT id, 9 FROM tv_spieler"));
    }
    tab.select("Beta");
    QVERIFY(press(tab.remove).isEmpty());
    QCOMPARE(columnTexts(tab.table, 2), QStringList({"Alpha"}));
    QCOMPARE(tab.selectionFields(), emptySelection);
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_zuordnung"), "2");
}

void TestPlayers::clearButtonEmptiesEverything() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addPlayer("Anna", "Alpha");
    tab.select("Alpha");
    tab.neu1->setText("x");
    tab.neu2->setText("y");
    tab.clear->click();
    QCOMPARE(tab.selectionFields(), emptySelection);
    QCOMPARE(tab.neu1->text(), QString());
    QCOMPARE(tab.neu2->text(), QString());
    tab.edit1->setText("a");
    tab.edit2->setText("b");
    QVERIFY(press(tab.rename).isEmpty()); // no selected player: no row changes
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anna"}));
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
    QCOMPARE(tab.neu1->text(), "Carl");
    QCOMPARE(tab.neu2->text(), "Gamma");
    QCOMPARE(columnTexts(tab.table, 2), QStringList({"Alpha"}));

    tab.edit1->setText("Anne");
    seen = press(tab.rename);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(tab.selectionFields(), QStringList({"Anne", "Alpha", "Anna", "Alpha"}));
    seen = press(tab.remove);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Anna"}));
    QCOMPARE(tab.label1->text(), "Anna");
}

QTEST_MAIN(TestPlayers)
#include "tst_players.moc"
