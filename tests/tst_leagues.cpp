// The "Ligen" tab and the five league selectors that follow every league change.
#include "dbpeek.h"
#include "guitest.h"
#include "testenv.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace guitest;

namespace {

const QString noLeague = QString::fromUtf8("  Es wurde keine Liga ausgewählt.  ");
const char* const selectorNames[] = {"spieltageLigaComboBox", "zuordnungLigaComboBox", "ergebnisseLigaComboBox",
                                     "tabelleLigaComboBox", "statistikLigaComboBox"};

struct Tab {
    explicit Tab(const MainWindow& w)
        : table(find<QTableWidget>(w, "ligenTableWidget")), neu(find<QLineEdit>(w, "ligaNeuLineEdit")),
          edit(find<QLineEdit>(w, "ligaBearbeitenLineEdit")), label(find<QLabel>(w, "ligaLoeschenLabel")),
          add(find<QPushButton>(w, "ligaHinzufuegenButton")), rename(find<QPushButton>(w, "ligaBearbeitenButton")),
          remove(find<QPushButton>(w, "ligaLoeschenButton")), clear(find<QPushButton>(w, "ligaFelderLeerenButton")) {
        for (const char* name : selectorNames)
            selectors << find<QComboBox>(w, name);
    }
    QList<SeenMessage> addLeague(const QString& name) {
        neu->setText(name);
        return press(add);
    }
    void select(const QString& name) { clickCell(table, rowOf(table, 1, name), 1); }

    QTableWidget* table;
    QLineEdit *neu, *edit;
    QLabel* label;
    QPushButton *add, *rename, *remove, *clear;
    QList<QComboBox*> selectors;
};

} // namespace

class TestLeagues : public QObject {
    Q_OBJECT

private slots:
    void init() { env = std::make_unique<LeagueTestEnv>(); }
    void cleanup() { env.reset(); }

    void addingNeedsAName();
    void tableAndSelectorsSortedWithoutCase();
    void renameActsOnTheSelectionAndResetsSelectors();
    void renameWithoutSelectionChangesNothing();
    void deleteLeavesScheduleAndKeepsAddField();
    void failedSaveKeepsWhatWasTyped();

private:
    std::unique_ptr<LeagueTestEnv> env;
};

void TestLeagues::addingNeedsAName() {
    auto w = startWindow();
    Tab tab(*w);
    const QList<SeenMessage> seen = tab.addLeague("");
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, QString::fromUtf8("  Es muss eine Bezeichnung für die Liga angegeben werden.  "));
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(tab.table->rowCount(), 0);
    for (QComboBox* box : tab.selectors)
        QCOMPARE(box->count(), 0);
}

void TestLeagues::tableAndSelectorsSortedWithoutCase() {
    auto w = startWindow();
    Tab tab(*w);
    for (const char* name : {"c-Liga", "B-Liga", "a-Liga", "B-Liga"})
        QVERIFY(tab.addLeague(name).isEmpty());
    QCOMPARE(tab.neu->text(), QString());
    QCOMPARE(w->focusWidget(), tab.neu); // ready for the next league
    const QStringList sorted = {"a-Liga", "B-Liga", "B-Liga", "c-Liga"};
    QCOMPARE(columnTexts(tab.table, 1), sorted);
    QVERIFY(tab.table->isColumnHidden(0));
    for (QComboBox* box : tab.selectors) {
        QCOMPARE(itemTexts(box), sorted);
        QCOMPARE(box->currentIndex(), 0);
        for (int i = 0; i < box->count(); ++i)
            QCOMPARE(box->itemData(i).toString(), tab.table->item(i, 0)->text());
    }

    // The same order after a restart.
    w.reset();
    w = startWindow();
    Tab again(*w);
    QCOMPARE(itemTexts(again.selectors.last()), sorted);
}

void TestLeagues::renameActsOnTheSelectionAndResetsSelectors() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addLeague("Alpha");
    tab.addLeague("Beta");
    tab.addLeague("Gamma");
    for (QComboBox* box : tab.selectors)
        box->setCurrentIndex(2);

    tab.select("Alpha");
    QCOMPARE(tab.edit->text(), "Alpha");
    QCOMPARE(tab.label->text(), "Alpha");
    tab.table->setCurrentCell(rowOf(tab.table, 1, "Gamma"), 1);
    tab.edit->setText("Omega");
    tab.neu->setText("halb");
    QVERIFY(press(tab.rename).isEmpty());

    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Beta", "Gamma", "Omega"}));
    QCOMPARE(tab.edit->text(), QString());
    QCOMPARE(tab.label->text(), QString());
    QCOMPARE(tab.neu->text(), QString());
    for (QComboBox* box : tab.selectors) {
        QCOMPARE(box->currentIndex(), 0);
        QCOMPARE(box->currentText(), "Beta");
    }
}

void TestLeagues::renameWithoutSelectionChangesNothing() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addLeague("Alpha");
    QList<SeenMessage> seen = press(tab.rename);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, noLeague);

    tab.edit->setText("Neu");
    QVERIFY(press(tab.rename).isEmpty());
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Alpha"}));
    QCOMPARE(tab.edit->text(), QString());

    seen = press(tab.remove);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, noLeague);
}

void TestLeagues::deleteLeavesScheduleAndKeepsAddField() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addLeague("Alpha");
    tab.addLeague("Beta");
    {
        DbPeek peek(env->defaultDatabase());
        QVERIFY(peek.run("INSERT INTO tv_spieltage (liga, spieltag, heim, gast) "
                         "SELECT id, 1, 1, 2 FROM tv_ligen WHERE liga_name = 'Alpha'"));
    }
    tab.select("Alpha");
    tab.neu->setText("bleibt");
    QVERIFY(press(tab.remove).isEmpty());
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Beta"}));
    QCOMPARE(tab.neu->text(), "bleibt");
    QCOMPARE(tab.label->text(), QString());
    for (QComboBox* box : tab.selectors)
        QCOMPARE(itemTexts(box), QStringList({"Beta"}));
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_spieltage"), "1");

    tab.clear->click();
    QCOMPARE(tab.neu->text(), QString());
}

void TestLeagues::failedSaveKeepsWhatWasTyped() {
    auto w = startWindow();
    Tab tab(*w);
    tab.addLeague("Alpha");
    makeDatabaseReadOnly();
    const QList<SeenMessage> seen = tab.addLeague("Beta");
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QCOMPARE(tab.neu->text(), "Beta");
    QCOMPARE(columnTexts(tab.table, 1), QStringList({"Alpha"}));
    QCOMPARE(itemTexts(tab.selectors.first()), QStringList({"Alpha"}));
}

QTEST_MAIN(TestLeagues)
#include "tst_leagues.moc"
