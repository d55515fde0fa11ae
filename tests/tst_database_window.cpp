// The window and its league database: every view follows every change, a failed read leaves the views as they
// were, and the menu "Datei" connects, copies, backs up and restores the file; the duplicate check.
#include "db/backups.h"
#include "guitest.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableView>

using namespace guitest;

namespace {

// Anna and Bert in "Nord", Carl free, "Ost" empty; Anna beat Bert 3:1 on day 1.
const QStringList seedData =
    leagueSeed({"Anna:a", "Bert:b"}, {"1:1:2"}) +
    QStringList{"INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (3, 'Carl', 'c')",
                "INSERT INTO tv_ligen (id, liga_name) VALUES (2, 'Ost')",
                "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, verloren, legs_won, legs_lost, pkt, hf) "
                "VALUES (1, 1, 1, 0, 3, 1, 2, 100), (1, 2, 0, 1, 1, 3, 0, 40)"};

const QString resultIds = "SELECT group_concat(id, ' ') FROM (SELECT id FROM tv_ergebnisse ORDER BY id)";
const QString titleBase = QStringLiteral("Brenvik - Tavorin64 - Version 2.3.1 - ");

// Two leagues, Anna and Bert in "Herbst" with one played match (Anna 3:1), Carl free.
const QStringList autumnData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Anna', 'a'), (2, 'Bert', 'b'), (3, 'Carl', "
    "'c')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Herbst'), (2, 'Winter')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1)",
    "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2), (2, 1, 2, 2, 1)",
    "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, remis, verloren, legs_won, legs_lost, pkt, ave) "
    "VALUES (1, 1, 1, 0, 0, 3, 1, 2, 50.5), (1, 2, 0, 0, 1, 1, 3, 0, 40.25)",
};

// What a view shows: "name:column" of a table, or a combo box's items, or a label's text.
QString showing(const MainWindow& w, const QString& view) {
    const QStringList part = view.split(':');
    if (part.size() == 2)
        return columnTexts(find<QTableView>(w, part[0]), part[1].toInt()).join(',');
    if (auto* box = w.findChild<QComboBox*>(part[0]))
        return itemTexts(box).join(',');
    return find<QLabel>(w, part[0])->text();
}

// What every view shows, in one line.
QString views(const MainWindow& w) {
    QStringList out;
    for (const char* view :
         {"spielerTableWidget:2", "ligenTableWidget:1", "spielerpoolTableWidget:2", "mitgliederTableWidget:2",
          "spielplanTableWidget:2", "ligaTabelleTableWidget:0", "ergebnisseTableWidget:2", "statistikTableWidget:0",
          "spieltageLigaComboBox", "zuordnungLigaComboBox", "ergebnisseLigaComboBox", "tabelleLigaComboBox",
          "statistikLigaComboBox", "spieltagComboBox"})
        out << showing(w, view);
    return out.join(" | ");
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Triggers `action` and answers its file dialog with `path` (cancels it when empty).
QList<SeenMessage> chooseFile(const MainWindow& w, const char* action, const QString& path) {
    const FileAnswer answer(path);
    return answerModals([&] { find<QAction>(w, action)->trigger(); });
}

// The duplicate check's report, then "ready" (check enabled, delete hidden) or "found" (the other way round).
QString duplicates(const MainWindow& w) {
    const bool ready = find<QPushButton>(w, "datenbankPruefenButton")->isEnabled();
    const bool hidden = find<QPushButton>(w, "doppelteLoeschenButton")->isHidden();
    return find<QLabel>(w, "doppelteErgebnisLabel")->text() + (ready && hidden     ? "| ready"
                                                               : !ready && !hidden ? "| found"
                                                                                   : "| mixed");
}

} // namespace

class TestDatabaseWindow : public QObject {
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
        const QString anja = "rename Anna";
        row("player: pool", "rename Carl", "spielerpoolTableWidget:1", "Carl", "Cora");
        row("player: members", anja, "mitgliederTableWidget:1", "Anna,Bert", "Anja,Bert");
        row("player: schedule", anja, "spielplanTableWidget:2", "Anna", "Anja");
        row("player: results", anja, "ergebnisseTableWidget:2", "Anna", "Anja");
        row("player: player selector", anja, "einzelSpielerComboBox", "Anna,Bert", "Anja,Bert");
        row("player: standings", anja, "ligaTabelleTableWidget:0", "Anna (a),Bert (b)", "Anja (a),Bert (b)");
        row("league: selectors", "rename Nord", "statistikLigaComboBox", "Nord,Ost", "Nordliga,Ost");
        const QString out = "take Bert out";
        row("membership: pool", out, "spielerpoolTableWidget:1", "Carl", "Bert,Carl");
        row("membership: count", out, "mitspielerLabel", "2", "1");
        row("membership: replacements", out, "ersatzHeimComboBox", "", "Anna");
        row("membership: statistics", out, "statistikTableWidget:0", "Anna (a),Bert (b)", "Anna (a)");
        row("membership: table", out, "ligaTabelleTableWidget:0", "Anna (a),Bert (b)", "Anna (a)");
        row("membership: player selector", out, "einzelSpielerComboBox", "Anna,Bert", "Anna");
        const QString day2 = "add day 2";
        row("schedule: table", day2, "spielplanTableWidget:1", "1", "1,2");
        row("schedule: match days", day2, "spieltagComboBox", "1. Spieltag", "1. Spieltag,2. Spieltag");
        row("results: table", "delete results", "ligaTabelleTableWidget:6", "2,0", "0,0");
        row("results: statistics", "delete results", "statistikTableWidget:10", "100,40", "0,0");
    }

    void changesRefillTheViews() {
        QFETCH(QString, write);
        QFETCH(QString, view);
        QFETCH(QString, before);
        QFETCH(QString, after);
        auto w = startWindow();
        QCOMPARE(showing(*w, view), before);
        tavorin::db::LeagueStore& store = storeOf(*w);
        const QHash<QString, std::function<tavorin::db::Result()>> writes = {
            {"rename Anna", [&] { return store.updatePlayer(1, "Anja", "a"); }},
            {"rename Carl", [&] { return store.updatePlayer(3, "Cora", "c"); }},
            {"rename Nord", [&] { return store.renameLeague(1, "Nordliga"); }},
            // A member with matches is taken out as an older release did; the window hears it as the store tells it.
            {"take Bert out",
             [&] {
                 tavorin::db::StoreChange change;
                 change.kinds = tavorin::db::StoreChange::Members;
                 change.leagues = {1};
                 env->run("DELETE FROM tv_zuordnung WHERE id = 2");
                 emit store.changed(change);
                 return tavorin::db::Result{};
             }},
            {"add day 2",
             [&] {
                 return store.deleteSchedule(1).ok ? store.storeSchedule(1, {{1, "1", "2"}, {2, "2", "1"}})
                                                   : tavorin::db::Result::failure("not deleted");
             }},
            {"delete results", [&] { return store.deleteAllResults(); }},
        };
        QVERIFY(writes.value(write)().ok);
        QCOMPARE(showing(*w, view), after);
    }

    void theLoadedMatchFollowsItsResults() {
        auto w = startWindow();
        auto* results = find<QTableView>(*w, "ergebnisseTableWidget");
        auto* legs = find<QLineEdit>(*w, "ergebnisLinksLegsLineEdit");
        clickCell(results, 0, 1);
        QCOMPARE(legs->text(), "3");
        // The match's row changes in place; the list is not filled anew.
        QSignalSpy reset(results->model(), &QAbstractItemModel::modelReset);
        QSignalSpy changed(results->model(), &QAbstractItemModel::dataChanged);
        QVERIFY(storeOf(*w).deleteAllResults().ok);
        QVERIFY(results->currentIndex().row() == 0 && legs->text().isEmpty());
        QVERIFY(reset.isEmpty() && changed.size() == 1);
        QVERIFY(find<QPushButton>(*w, "ergebnisEintragenButton")->isVisible());
    }

    void selectorsMoveEachViewOnce() {
        auto w = startWindow();
        std::vector<std::unique_ptr<QSignalSpy>> fills;
        for (const char* name : {"spielplanTableWidget", "mitgliederTableWidget", "ergebnisseTableWidget",
                                 "ligaTabelleTableWidget", "statistikTableWidget"})
            fills.push_back(
                std::make_unique<QSignalSpy>(find<QTableView>(*w, name)->model(), &QAbstractItemModel::modelReset));
        QVERIFY(storeOf(*w).addLeague("West").ok);
        for (const auto& fill : fills)
            QVERIFY(fill->count() <= 1);
        QCOMPARE(showing(*w, "ergebnisseLigaComboBox"), "Nord,Ost,West");
        QCOMPARE(showing(*w, "ergebnisseTableWidget:2"), "Anna");
    }

    void playerListsWaitForTheAdministrationTabs() {
        auto w = startWindow(nullptr, false);
        QVERIFY(storeOf(*w).addPlayer("Dora", "d").ok);
        QCOMPARE(showing(*w, "spielerTableWidget:1") + showing(*w, "spielerpoolTableWidget:1"), "");
        find<QAction>(*w, "verwaltungAction")->trigger();
        QCOMPARE(showing(*w, "spielerTableWidget:1"), "Anna,Bert,Carl,Dora");
        QCOMPARE(showing(*w, "spielerpoolTableWidget:1"), "Carl,Dora");
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
        const QList<SeenMessage> seen = answerModals([&] {
            find<QComboBox>(*w, "ergebnisseLigaComboBox")->setCurrentIndex(1);
            find<QComboBox>(*w, "tabelleLigaComboBox")->setCurrentIndex(1);
        });
        QVERIFY(clock.elapsed() < 3500);
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].text.startsWith(message) && seen[0].text.size() > message.size() + 5,
                 qPrintable(seen[0].text));
        QCOMPARE(showing(*w, "ergebnisseTableWidget:2") + showing(*w, "ligaTabelleTableWidget:0"),
                 "AnnaAnna (a),Bert (b)"); // left as they were
    }

    void connectThenCopy() {
        const QString other = env->root() + "/Ligen/herbst.db", folder = env->root() + "/Ligen/ordner.db";
        const QString copy = env->root() + "/saison.db";
        seedLeagueDatabase(other, autumnData);
        QVERIFY(QDir().mkpath(folder));
        const QByteArray autumn = fileContent(other);
        auto w = startWindow();
        const auto at = [&](const QString& path) {
            const QSettings config(env->configPath(), QSettings::IniFormat);
            return w->windowTitle() == titleBase + path && config.value("dateipfad/dbpfad").toString() == path &&
                   storeOf(*w).location() == path;
        };

        // A file that is no league database (here a folder) is refused; everything stays with the connected file.
        const QString own = views(*w);
        const QList<SeenMessage> refused = chooseFile(*w, "datenbankVerbindenAction", folder);
        QCOMPARE(shown(refused),
                 "2|Die Datei kann nicht als Liga-Datenbank benutzt werden:\n" + folder + ": ein Ordner, keine Datei");
        QVERIFY(at(env->defaultDatabase()));
        QCOMPARE(views(*w), own);

        QVERIFY(chooseFile(*w, "datenbankVerbindenAction", other).isEmpty());
        QVERIFY(at(other));
        QCOMPARE(views(*w), "a,b,c | Herbst,Winter | c | a,b | Anna,Bert | Anna (a),Bert (b) | Anna | "
                            "Anna (a),Bert (b) | Herbst,Winter | Herbst,Winter | Herbst,Winter | Herbst,Winter | "
                            "Herbst,Winter | 1. Spieltag,2. Spieltag");
        QCOMPARE(fileContent(other), autumn);

        // The copy holds the same bytes, and the program works on it.
        QVERIFY(chooseFile(*w, "datenbankSpeichernAction", copy).isEmpty());
        QCOMPARE(fileContent(copy), autumn);
        QVERIFY(at(copy));

        // Copying onto an existing file replaces it and leaves no other file.
        QVERIFY(chooseFile(*w, "datenbankSpeichernAction", other).isEmpty());
        QCOMPARE(fileContent(other), fileContent(copy));
        QCOMPARE(folderEntries(env->root() + "/Ligen"), QStringList({"herbst.db", "ordner.db"}));
        QVERIFY(at(other));
    }

    void nothingChanges_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("target");  // empty: the dialog is cancelled
        QTest::addColumn<QString>("message"); // as shown() gives it
        QTest::newRow("connect cancelled") << "datenbankVerbindenAction" << QString() << QString();
        QTest::newRow("copy cancelled") << "datenbankSpeichernAction" << QString() << QString();
        QTest::newRow("copy onto itself, other spelling") << "datenbankSpeichernAction"
                                                          << "<dir>/./tavorin.db" << QString();
        // Tests run as root, who may write anywhere: a "folder" that is a regular file stops the copy.
        QTest::newRow("copy fails") << "datenbankSpeichernAction"
                                    << "<root>/notiz.txt/kopie.db"
                                    << "3|  Die Datenbank konnte nicht kopiert werden!  \n<root>/notiz.txt/kopie.db: "
                                       "Datei oder Ordner nicht gefunden";
    }

    void nothingChanges() {
        QFETCH(QString, action);
        QFETCH(QString, target);
        QFETCH(QString, message);
        for (QString* text : {&target, &message})
            text->replace("<dir>", env->dir()).replace("<root>", env->root());
        writeFile(env->root() + "/notiz.txt", "Notiz\n");
        auto w = startWindow();
        const QString own = env->defaultDatabase();
        const QByteArray before = fileContent(own), config = fileContent(env->configPath());
        const QStringList entries = folderEntries(env->dir());

        QCOMPARE(shown(chooseFile(*w, action.toUtf8().constData(), target)), message);
        QCOMPARE(fileContent(own), before);
        QCOMPARE(fileContent(env->configPath()), config);
        QCOMPARE(folderEntries(env->dir()), entries);
        QCOMPARE(fileContent(env->root() + "/notiz.txt"), QByteArray("Notiz\n"));
        QCOMPARE(w->windowTitle(), titleBase + own);
        QCOMPARE(storeOf(*w).location(), own);
    }

    void duplicateButtons() {
        QVERIFY(env->run("INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES (11, 3, 1), (12, 3, 2), "
                         "(13, 3, 1), (14, 4, 1), (15, 4, 2), (16, 4, 2)"));
        auto w = startWindow();
        auto* check = find<QPushButton>(*w, "datenbankPruefenButton");
        auto* remove = find<QPushButton>(*w, "doppelteLoeschenButton");
        QCOMPARE(duplicates(*w), "| ready");
        QVERIFY(press(check).isEmpty());
        const QString found = "2 Doppelung/en gefunden ID3 ID4 | found";
        QCOMPARE(duplicates(*w), found);

        // While the file cannot be read the rows to keep are unknown; nothing is deleted.
        {
            DbPeek other(env->defaultDatabase(), "other");
            QVERIFY(other.run("BEGIN EXCLUSIVE"));
            QVERIFY(shown(press(remove)).startsWith("2|"));
            QCOMPARE(duplicates(*w), found);
        }
        // Writing fails: the deletion can be tried again.
        makeDatabaseReadOnly(*w);
        QVERIFY(shown(press(remove)).startsWith("3|"));
        QCOMPARE(duplicates(*w), found);
        makeDatabaseReadOnly(*w, false);
        QCOMPARE(env->value(resultIds), "1 2 11 12 13 14 15 16");

        QVERIFY(press(remove).isEmpty());
        QCOMPARE(duplicates(*w), "2 Doppelung/en gefunden ID3 ID4 | ready"); // the label keeps the last report
        QCOMPARE(env->value(resultIds), "1 2 11 12 14 15");
        QVERIFY(press(check).isEmpty());
        QCOMPARE(duplicates(*w), "0 Doppelung/en gefunden | ready");
    }

    void deletingWaitsForItsBackup() {
        auto w = startWindow(); // the first start of the day has written one backup, and says so
        const QString folder = env->dir() + "/Sicherungen";
        QCOMPARE(tavorin::db::backupsOf(folder, env->defaultDatabase()).size(), 1);
        QVERIFY(w->statusBar()->currentMessage().startsWith("Sicherung angelegt: " + folder));
        auto* leagues = find<QTableView>(*w, "ligenTableWidget");
        auto* remove = find<QPushButton>(*w, "ligaLoeschenButton");

        // Without a backup the league and the player stay.
        QVERIFY(QDir(folder).removeRecursively());
        QFile(folder).open(QIODevice::WriteOnly); // a file where the folder belongs
        auto* players = find<QTableView>(*w, "spielerTableWidget");
        clickCell(players, rowOf(players, 1, "Carl"), 1);
        clickCell(leagues, rowOf(leagues, 1, "Ost"), 1);
        const QString refused = shown(press(find<QPushButton>(*w, "spielerLoeschenButton")) + press(remove));
        QCOMPARE(refused.count("Die Sicherung der Liga-Datenbank konnte nicht"), 2);
        QCOMPARE(env->value("SELECT (SELECT COUNT(*) FROM tv_spieler) || (SELECT COUNT(*) FROM tv_ligen)"), "32");

        QVERIFY(QFile::remove(folder));
        QVERIFY(press(remove).isEmpty());
        QCOMPARE(env->value("SELECT COUNT(*) FROM tv_ligen"), "1");
        const QList<tavorin::db::Backup> made = tavorin::db::backupsOf(folder, env->defaultDatabase());
        QVERIFY(made.size() == 1 && made[0].reason == QString::fromUtf8("Liga löschen"));

        // Restoring shows whose backups they are, asks, backs up the current state, and brings the league
        // back into every view.
        QString leagueFile;
        const QList<SeenMessage> asked = answerModals(
            [&] { find<QAction>(*w, "sicherungWiederherstellenAction")->trigger(); },
            [&](QWidget* dialog) {
                leagueFile = find<QTableView>(*dialog, "sicherungenTableView")->model()->index(0, 4).data().toString();
                dialog->findChild<QPushButton*>("wiederherstellenButton")->click();
            },
            QMessageBox::Yes);
        QVERIFY(asked.size() == 1 && asked[0].icon == QMessageBox::Question);
        QCOMPARE(leagueFile, env->defaultDatabase());
        QCOMPARE(showing(*w, "tabelleLigaComboBox"), "Nord,Ost");
        QCOMPARE(tavorin::db::backupsOf(folder, env->defaultDatabase()).first().reason, "Vor dem Wiederherstellen");
        QVERIFY(w->statusBar()->currentMessage().startsWith("Sicherung vom "));
    }

    // A remembered file that is no league database stays untouched. The organiser goes on without a league
    // file, with a new one, or with another one, checked alike.
    void refusedAtStartUp_data() {
        QTest::addColumn<QString>("answers");    // the questions' answers: S(ave) new, O(pen) another, I(gnore)
        QTest::addColumn<QStringList>("chosen"); // the file dialogs' answers, in turn
        QTest::addColumn<QString>("current");    // the league file afterwards; empty for none
        QTest::newRow("on without") << "I" << QStringList() << "";
        QTest::newRow("a new file") << "S" << QStringList() << "<dir>/tavorin.db";
        QTest::newRow("another file, at the second try")
            << "OO" << QStringList{"<root>/notiz.txt", "<root>/herbst.db"} << "<root>/herbst.db";
    }

    void refusedAtStartUp() {
        QFETCH(QString, answers);
        QFETCH(QStringList, chosen);
        QFETCH(QString, current);
        const auto at = [&](QString path) { return path.replace("<dir>", env->dir()).replace("<root>", env->root()); };
        current = at(current);
        const QString foreign = env->root() + "/fremd.db";
        QVERIFY(DbPeek(foreign, "fremd").run("CREATE TABLE tv_ergebnisse (id INTEGER, spieltag_id INTEGER)"));
        seedLeagueDatabase(env->root() + "/herbst.db", autumnData);
        writeFile(env->root() + "/notiz.txt", "Notiz\n");
        QVERIFY(QFile::remove(env->defaultDatabase()));
        env->setConfig("dateipfad/dbpfad", foreign);
        const QByteArray before = fileContent(foreign);
        QStringList asked;
        const auto messages = dialogs::setMessageAnswer([&](const QMessageBox& box) {
            asked << box.text();
            const QString answer = answers.mid(asked.size() - 1, 1);
            return answer == 'S' ? QMessageBox::Save : answer == 'O' ? QMessageBox::Open : QMessageBox::Ignore;
        });
        const auto files = dialogs::setFileAnswer([&](const dialogs::FileQuestion&) { return at(chosen.takeFirst()); });
        const auto answered = qScopeGuard([&] { dialogs::setMessageAnswer(messages), dialogs::setFileAnswer(files); });
        const auto w = std::make_unique<MainWindow>();

        QCOMPARE(asked.size(), answers.size());
        QVERIFY2(asked[0].startsWith("Die Datei kann nicht als Liga-Datenbank benutzt werden:\n" + foreign +
                                     ": keine Liga-Datenbank"),
                 qPrintable(asked[0]));
        QCOMPARE(storeOf(*w).addLeague("West").ok, !current.isEmpty());
        QCOMPARE(fileContent(foreign), before);
        QCOMPARE(storeOf(*w).location(), current);
        QCOMPARE(env->config("dateipfad/dbpfad"), current.isEmpty() ? foreign : current);
        QCOMPARE(w->windowTitle(), titleBase + (current.isEmpty() ? "keine Liga-Datenbank" : current));
    }

    // A file that another program has locked is reported once, after one wait; nothing at start-up waits again.
    void lockedAtStartUp() {
        DbPeek other(env->defaultDatabase(), "other");
        QVERIFY(other.run("BEGIN EXCLUSIVE"));
        QElapsedTimer clock;
        clock.start();
        QList<SeenMessage> seen;
        const auto w = startWindow(&seen, false);
        QVERIFY2(clock.elapsed() < 3500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY(seen.size() == 1 && seen[0].text.startsWith("Die Datenbank wird gerade von einem anderen Programm"));
    }

private:
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestDatabaseWindow)
#include "tst_database_window.moc"
