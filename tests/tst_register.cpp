// The tabs "Spieler", "Ligen" and "Zuordnung": both registers, moving players between the pool and a
// league, and the moves and deletions refused while a player is a member or has matches or results.
#include "guitest.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>

using namespace guitest;

namespace {

// Enter in a field does what the button of its group does.
QList<SeenMessage> enter(QLineEdit* field) {
    return answerModals([field] { QTest::keyClick(field, Qt::Key_Return); });
}

QStringList texts(const QList<SeenMessage>& seen) {
    QStringList out;
    for (const SeenMessage& m : seen)
        out << m.text;
    return out;
}

// One register tab, its widgets named alike: "spielerNeuName1LineEdit" or "ligaNeuLineEdit", ...
struct Register {
    Register(const MainWindow& w, const QString& p, const QStringList& parts, const QString& tableName)
        : table(find<QTableView>(w, tableName)), add(find<QPushButton>(w, p + "HinzufuegenButton")),
          rename(find<QPushButton>(w, p + "BearbeitenButton")), remove(find<QPushButton>(w, p + "LoeschenButton")),
          clear(find<QPushButton>(w, p + "FelderLeerenButton")) {
        for (const QString& part : parts) {
            neu << find<QLineEdit>(w, p + "Neu" + part + "LineEdit");
            edit << find<QLineEdit>(w, p + "Bearbeiten" + part + "LineEdit");
            labels << find<QLabel>(w, p + "Loeschen" + part + "Label");
        }
    }
    // The fields' texts joined by "|", and typing such a text into them.
    template <typename F> static QString read(const QList<F*>& fields) {
        QStringList out;
        for (const F* f : fields)
            out << f->text();
        return out.join('|');
    }
    static void type(const QList<QLineEdit*>& fields, const QString& text) {
        for (int i = 0; i < fields.size(); ++i)
            fields[i]->setText(text.split('|').value(i));
    }
    QString all() const { return read(neu) + read(edit) + read(labels); }

    QTableView* table;
    QPushButton *add, *rename, *remove, *clear;
    QList<QLineEdit*> neu, edit;
    QList<QLabel*> labels;
};

// Zora, Anna, Bert and Carl; leagues "Nord" and "Ost".
const QStringList seedData = {
    "INSERT INTO tv_spieler (dartn_name, prodarter_name) VALUES ('Zora', 'zed'), ('Anna', 'Alpha'), "
    "('Bert', 'beta'), ('Carl', 'Gamma')",
    "INSERT INTO tv_ligen (liga_name) VALUES ('Nord'), ('Ost')",
};

struct Membership {
    explicit Membership(const MainWindow& w)
        : pool(find<QTableView>(w, "spielerpoolTableWidget")), members(find<QTableView>(w, "mitgliederTableWidget")),
          league(find<QComboBox>(w, "zuordnungLigaComboBox")), right(find<QToolButton>(w, "zuordnenToolButton")),
          left(find<QToolButton>(w, "austragenToolButton")) {}
    QList<SeenMessage> move(QTableView* from, const QString& secondName) {
        from->setCurrentIndex(from->model()->index(rowOf(from, 2, secondName), 1));
        return press(from == pool ? right : left);
    }
    QTableView *pool, *members;
    QComboBox* league;
    QToolButton *right, *left;
};

} // namespace

class TestRegister : public QObject {
    Q_OBJECT

private slots:
    void registers_data() {
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("incomplete"); // inputs refused with `missing`
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("none"); // the refusal of rename and delete without a choice
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("sorted"); // the last column after adding `entries`
        QTest::addColumn<QString>("other");      // another list that follows: the pool, or a league selector
        QTest::addColumn<QString>("renamed");    // the new names of the first row
        QTest::addColumn<QStringList>("after");  // the last column after that
        QTest::newRow("players") << "spieler" << QStringList({"Name1", "Name2"}) << "spielerTableWidget"
                                 << QStringList({"|zweit", "erst|", "   | "})
                                 << QString::fromUtf8("  Es müssen beide Textfelder ausgefüllt werden.  ")
                                 << QString::fromUtf8("  Es wurde kein Spieler ausgewählt.  ")
                                 << QStringList({"Zora|zed", "Anna|Alpha", "Bert|beta"})
                                 << QStringList({"Alpha", "beta", "zed"}) << "spielerpoolTableWidget"
                                 << "Anne|omega" << QStringList({"beta", "omega", "zed"});
        QTest::newRow("leagues") << "liga" << QStringList({""}) << "ligenTableWidget" << QStringList({"", "  "})
                                 << QString::fromUtf8("  Es muss eine Bezeichnung für die Liga angegeben werden.  ")
                                 << QString::fromUtf8("  Es wurde keine Liga ausgewählt.  ")
                                 << QStringList({"c-Liga", "B-Liga", "a-Liga"})
                                 << QStringList({"a-Liga", "B-Liga", "c-Liga"}) << "zuordnungLigaComboBox"
                                 << "d-Liga" << QStringList({"B-Liga", "c-Liga", "d-Liga"});
    }

    void registers() {
        QFETCH(QString, prefix);
        QFETCH(QStringList, parts);
        QFETCH(QString, table);
        QFETCH(QStringList, incomplete);
        QFETCH(QString, missing);
        QFETCH(QString, none);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, sorted);
        QFETCH(QString, other);
        QFETCH(QString, renamed);
        QFETCH(QStringList, after);
        LeagueTestEnv env;
        auto w = startWindow();
        Register r(*w, prefix, parts, table);
        const int last = int(parts.size());
        const QString blank(3 * (last - 1), '|'); // every field empty
        for (const QString& input : incomplete) {
            Register::type(r.neu, input);
            QCOMPARE(texts(press(r.add)), QStringList(missing));
            QCOMPARE(Register::read(r.neu), input); // nothing typed is lost
        }
        for (const QString& entry : entries) {
            Register::type(r.neu, entry);
            QVERIFY(enter(r.neu.last()).isEmpty());
            QCOMPARE(w->focusWidget(), r.neu[0]); // ready for the next one
        }
        QCOMPARE(columnTexts(r.table, last), sorted); // without regard to case
        auto* box = w->findChild<QComboBox*>(other);
        QCOMPARE(box ? itemTexts(box) : columnTexts(find<QTableView>(*w, other), last), sorted);
        QCOMPARE(texts(press(r.rename) + press(r.remove)), QStringList({none, none}));

        // Rename and delete act on the row clicked, not on a row made current without a click.
        clickCell(r.table, 0, 1);
        QVERIFY(Register::read(r.labels).endsWith(sorted[0]) && Register::read(r.edit) == Register::read(r.labels));
        r.table->setCurrentIndex(r.table->model()->index(1, 1));
        Register::type(r.edit, renamed);
        QVERIFY(enter(r.edit.first()).isEmpty());
        QCOMPARE(r.all(), blank);
        QCOMPARE(columnTexts(r.table, last), after);
        clickCell(r.table, 0, 1);
        QVERIFY(press(r.remove).isEmpty());
        QCOMPARE(columnTexts(r.table, last), after.mid(1));

        // Failed saves are reported and lose nothing typed or chosen.
        clickCell(r.table, 0, 1);
        Register::type(r.neu, last == 1 ? "x-Liga" : "Xaver|xy"); // a name not yet known
        Register::type(r.edit, renamed);
        const QString typed = r.all();
        makeDatabaseReadOnly(*w);
        for (QPushButton* button : {r.add, r.rename, r.remove})
            QVERIFY(shown(press(button)).startsWith("3|  Die Daten konnten nicht gespeichert werden!  \n"));
        makeDatabaseReadOnly(*w, false);
        QCOMPARE(r.all(), typed);
        QCOMPARE(columnTexts(r.table, last), after.mid(1));
        // A league connected or restored drops the pick; names typed without a pick rename nobody.
        QVERIFY(QMetaObject::invokeMethod(w.get(), "AllesNeuLaden"));
        QCOMPARE(Register::read(r.edit) + Register::read(r.labels), blank.mid(last - 1));
        Register::type(r.edit, renamed);
        QCOMPARE(texts(press(r.rename)), QStringList(none));
        QCOMPARE(Register::read(r.edit), renamed);
        r.clear->click();
        QCOMPARE(r.all(), blank);
        QCOMPARE(texts(press(r.remove)), QStringList(none));
    }

    void aKnownNameAsksFirst() {
        LeagueTestEnv env({"INSERT INTO tv_spieler (dartn_name, prodarter_name) VALUES ('Bert', 'beta')"});
        auto w = startWindow();
        Register r(*w, "spieler", {"Name1", "Name2"}, "spielerTableWidget");
        const QString same = "Einen Spieler mit diesem Namen gibt es schon. Trotzdem anlegen?";
        for (const char* known : {"bert|neu", "Neu|BETA"}) { // either name, in other letter case
            Register::type(r.neu, known);
            QCOMPARE(texts(press(r.add)), QStringList(same)); // "Nein", the default, adds nobody
        }
        QCOMPARE(env.value("SELECT COUNT(*) FROM tv_spieler"), "1");
        QCOMPARE(texts(answerModals([&] { r.add->click(); }, {}, QMessageBox::Yes)), QStringList(same));
        QCOMPARE(env.value("SELECT COUNT(*) FROM tv_spieler"), "2");
    }

    void membership() {
        LeagueTestEnv env(seedData);
        auto w = startWindow();
        Membership m(*w);
        const QString nothing = QString::fromUtf8(" Es ist kein Spieler zum Verschieben ausgewählt!");
        QCOMPARE(texts(press(m.right) + press(m.left)), QStringList({nothing, nothing}));

        QVERIFY(m.move(m.pool, "Alpha").isEmpty());
        QVERIFY(m.move(m.pool, "zed").isEmpty());
        QCOMPARE(columnTexts(m.pool, 2), QStringList({"beta", "Gamma"}));
        QCOMPARE(columnTexts(m.members, 1), QStringList({"Anna", "Zora"}));
        // Members with matches in the schedule stay, the whole selection, and as players too; the warnings
        // name the league and say what to do.
        QVERIFY(env.run("INSERT INTO tv_spieltage (liga, spieltag, heim, gast) VALUES (1, 1, 2, 1)"));
        m.members->selectAll();
        auto* players = find<QTableView>(*w, "spielerTableWidget");
        auto* deletePlayer = find<QPushButton>(*w, "spielerLoeschenButton");
        clickCell(players, rowOf(players, 2, "Alpha"), 1);
        QCOMPARE(texts(press(m.left) + press(deletePlayer)).replaceInStrings(QRegularExpression("Spielplan\\. .*"), ""),
                 QStringList({"  Die Spieler Anna, Zora haben in der Liga Nord Spiele im ",
                              "  Der Spieler hat in der Liga Nord Spiele im "}));
        QCOMPARE(columnTexts(m.members, 1), QStringList({"Anna", "Zora"}));
        QVERIFY(env.run("DELETE FROM tv_spieltage"));
        QVERIFY(m.move(m.members, "zed").isEmpty()); // by the assignment's id, not the player's
        QCOMPARE(columnTexts(m.members, 2), QStringList({"Alpha"}));
        QCOMPARE(env.query("SELECT id_spieler || ':' || id_liga FROM tv_zuordnung"), QStringList({"2:1"}));

        // A member of one league is offered for no other.
        m.league->setCurrentIndex(1);
        QCOMPARE(m.members->model()->rowCount(), 0);
        QCOMPARE(columnTexts(m.pool, 2), QStringList({"beta", "Gamma", "zed"}));

        // Only the rows the filter shows move, all in one step; a double click moves one player.
        auto* filter = find<QLineEdit>(*w, "poolFilterLineEdit");
        filter->setText("E");
        m.pool->selectAll();
        QVERIFY(press(m.right).isEmpty());
        QCOMPARE(columnTexts(m.members, 2), QStringList({"beta", "zed"}));
        QCOMPARE(columnTexts(m.pool, 2), QStringList()); // the filter stays and hides "Gamma"
        filter->clear();
        m.members->setCurrentIndex(m.members->model()->index(rowOf(m.members, 2, "beta"), 1));
        emit m.members->doubleClicked(m.members->currentIndex());
        QCOMPARE(columnTexts(m.pool, 2), QStringList({"beta", "Gamma"}));

        // Members are neither deleted nor is their league.
        auto* leagues = find<QTableView>(*w, "ligenTableWidget");
        auto* deleteLeague = find<QPushButton>(*w, "ligaLoeschenButton");
        clickCell(players, rowOf(players, 2, "Alpha"), 1);
        clickCell(leagues, rowOf(leagues, 1, "Nord"), 1);
        QCOMPARE(texts(press(deletePlayer) + press(deleteLeague)),
                 QStringList({"Der Spieler ist Mitglied der Liga Nord. Bitte zuerst aus der Liga austragen.",
                              "Die Liga hat noch 1 Mitglieder. Bitte zuerst alle Mitglieder austragen."}));
        QCOMPARE(env.value("SELECT (SELECT COUNT(*) FROM tv_spieler) || (SELECT COUNT(*) FROM tv_ligen)"), "42");

        // A league deleted by an older release keeps its members out of the pool; with no league left
        // nobody moves.
        QVERIFY(env.run("DELETE FROM tv_ligen"));
        emit storeOf(*w).changed(tavorin::db::StoreChange::fromPayload("older release"));
        QCOMPARE(columnTexts(m.pool, 2), QStringList({"beta", "Gamma"}));
        QCOMPARE(texts(m.move(m.pool, "Gamma")), QStringList(QString::fromUtf8("  Es wurde keine Liga ausgewählt.  ")));
        QCOMPARE(env.value("SELECT COUNT(*) FROM tv_zuordnung"), "2");
    }

    // "Rückzug..." and "Rückzug aufheben" on a member; "Neue Saison..." swaps the two leagues' players.
    void withdrawalAndNewSeason() {
        LeagueTestEnv env(seedData + QStringList{"INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, "
                                                 "1), (3, 2), (4, 2)",
                                                 "INSERT INTO tv_spieltage (liga, spieltag, heim, gast) VALUES (1, 1, "
                                                 "2, 1), (1, 2, 1, 2)"});
        auto w = startWindow();
        Membership m(*w);
        clickCell(m.members, rowOf(m.members, 2, "Alpha"), 1);
        answerModals([&] { find<QPushButton>(*w, "rueckzugButton")->click(); },
                     [](QWidget* dialog) {
                         dialog->findChild<QSpinBox*>("abSpieltagSpinBox")->setValue(2);
                         dialog->findChild<QRadioButton*>("kampflosRadioButton")->setChecked(true);
                         dialog->findChild<QPushButton*>("zurueckziehenButton")->click();
                     });
        QCOMPARE(env.value("SELECT id_liga || ':' || id_spieler || ':' || ab_spieltag || ':' || regel FROM "
                           "tv_rueckzug"),
                 "1:2:2:1");
        QCOMPARE(find<QLabel>(*w, "rueckzugLabel")->text(),
                 QString::fromUtf8("zurückgezogen: Anna (Alpha) (ab Spieltag 2, kampflos)"));
        QVERIFY(press(find<QPushButton>(*w, "rueckzugAufhebenButton")).isEmpty());
        QCOMPARE(env.value("SELECT COUNT(*) FROM tv_rueckzug"), "0");

        QString preview;
        answerModals([&] { find<QAction>(*w, "neueSaisonAction")->trigger(); },
                     [&](QWidget* dialog) {
                         auto* leagues = dialog->findChild<QListWidget*>("alteLigenListWidget");
                         for (int i = 0; i < leagues->count(); ++i) // "Nord" above "Ost"
                             leagues->item(i)->setCheckState(Qt::Checked);
                         preview = dialog->findChild<QPlainTextEdit*>("vorschauTextEdit")->toPlainText();
                         dialog->findChild<QPushButton*>("anlegenButton")->click();
                     });
        QVERIFY2(preview.contains("Nord (neue Saison)\n    Bert (beta) (Aufsteiger aus Ost)"), qPrintable(preview));
        QCOMPARE(env.query("SELECT liga_name || ':' || group_concat(dartn_name) FROM tv_ligen JOIN tv_zuordnung ON "
                           "id_liga = tv_ligen.id JOIN tv_spieler ON tv_spieler.id = id_spieler GROUP BY liga_name"),
                 QStringList({"Nord (neue Saison):Bert,Carl", "Ost (neue Saison):Zora,Anna"}));
    }
};

QTEST_MAIN(TestRegister)
#include "tst_register.moc"
