// The menu "Datei" (connecting another league database, copying the connected one) and the search for
// surplus result rows on the "Spieltage" tab.
#include "db/filecommands.h"
#include "guitest.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTimer>

using namespace guitest;

namespace {

const QString titleBase = QStringLiteral("Brenvik - Tavorin64 - Version 2.3.1 - ");
const QString copyFailed = QStringLiteral("  Die Datenbank konnte nicht kopiert werden!  ");

// The default database: one player, one league.
const QStringList homeData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Heimo', 'heimo_l')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Heimliga')",
};

// Another season: two leagues, Anna and Bert in "Herbst" with one played match (Anna 3:1), Carl free.
const QStringList autumnData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Anna', 'anna_l'), (2, 'Bert', 'bert_l'), "
    "(3, 'Carl', 'carl_l')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Herbst'), (2, 'Winter')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1)",
    "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2), (2, 1, 2, 2, 1)",
    "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, remis, verloren, legs_won, legs_lost, pkt, ave) "
    "VALUES (1, 1, 1, 0, 0, 3, 1, 2, 50.5), (1, 2, 0, 0, 1, 1, 3, 0, 40.25)",
};

QByteArray fileContent(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), content.size());
}

QString rememberedPath(const TempSettings& env) {
    return QSettings(env.configPath(), QSettings::IniFormat).value("dateipfad/dbpfad").toString();
}

// What the file dialog showed before the test answered it.
struct DialogSeen {
    int count = 0;
    QString caption;
    QStringList filters;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QString folder;
};

// Triggers `action` and answers the file dialog it opens with `path`, or cancels it when `path` is empty.
// Qt's own question whether to replace an existing file is answered with yes. Returns the message boxes.
QList<SeenMessage> chooseFile(QAction* action, const QString& path, DialogSeen* seen = nullptr) {
    return answerModals([action] { action->trigger(); },
                        [path, seen](QWidget* modal) {
                            auto* dialog = qobject_cast<QFileDialog*>(modal);
                            if (!dialog) {
                                modal->close();
                                return;
                            }
                            if (seen) {
                                ++seen->count;
                                seen->caption = dialog->windowTitle();
                                seen->filters = dialog->nameFilters();
                                seen->mode = dialog->acceptMode();
                                seen->folder = dialog->directory().absolutePath();
                            }
                            // Answered from the dialog's own event loop, so that a question it asks on
                            // accepting is seen and answered as well.
                            QTimer::singleShot(0, dialog, [dialog, path] {
                                if (path.isEmpty()) {
                                    dialog->reject();
                                    return;
                                }
                                // The name field takes no programmatic selection while it has the focus.
                                if (QWidget* focus = dialog->focusWidget())
                                    focus->clearFocus();
                                dialog->selectFile(path);
                                static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own accept checks the name
                                if (dialog->isVisible()) {               // the dialog refused the name
                                    QTest::qFail("the file dialog did not take the name", __FILE__, __LINE__);
                                    dialog->reject();
                                }
                            });
                        },
                        QMessageBox::Yes);
}

// The program's own message boxes: all but the file dialog's question whether to replace an existing file,
// the only one with the warning icon in these actions.
QList<SeenMessage> ownMessages(const QList<SeenMessage>& seen) {
    QList<SeenMessage> out;
    for (const SeenMessage& m : seen)
        if (m.icon != QMessageBox::Warning)
            out << m;
    return out;
}

// The entries of a folder other than "." and "..".
QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

struct Duplicates {
    explicit Duplicates(const MainWindow& w)
        : check(find<QPushButton>(w, "datenbankPruefenButton")), remove(find<QPushButton>(w, "doppelteLoeschenButton")),
          label(find<QLabel>(w, "doppelteErgebnisLabel")) {}
    // Ready: check enabled, delete hidden. Found: check disabled, delete shown.
    bool ready() const { return check->isEnabled() && remove->isHidden(); }
    bool found() const { return !check->isEnabled() && !remove->isHidden(); }

    QPushButton* check;
    QPushButton* remove;
    QLabel* label;
};

} // namespace

class TestDatabaseFiles : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env = std::make_unique<TempSettings>();
        newLeagueDatabase(env->defaultDatabase(), homeData);
    }
    void cleanup() {
        makeDatabaseReadOnly(false);
        env.reset();
    }

    void connectShowsTheOtherDatabase();
    void connectFileThatIsNoLeagueDatabase_data();
    void connectFileThatIsNoLeagueDatabase();
    void saveMakesACopyAndWorksOnIt();
    void saveReplacesAnotherFile();
    void saveOntoTheConnectedFile();
    void cancelledDialogsChangeNothing_data();
    void cancelledDialogsChangeNothing();
    void failedCopyStaysWithThePreviousFile();
    void copyFailuresLeaveTheTarget();
    void duplicateGroupWidgets();
    void checkWithoutDuplicates();
    void checkAndDeleteDuplicates();
    void deletionKeepsOneRowPerPlayer_data();
    void deletionKeepsOneRowPerPlayer();
    void failedDeletionKeepsTheFindings();
    void findingsOutlastConnectingAnotherFile();

private:
    QString autumn() const { return env->root() + "/Ligen/herbst.db"; }
    std::unique_ptr<TempSettings> env;
};

void TestDatabaseFiles::connectShowsTheOtherDatabase() {
    newLeagueDatabase(autumn(), autumnData);
    auto w = startWindow();
    QCOMPARE(columnTexts(find<QTableWidget>(*w, "spielerTableWidget"), 1), QStringList({"Heimo"}));

    DialogSeen seen;
    QVERIFY(chooseFile(find<QAction>(*w, "datenbankVerbindenAction"), autumn(), &seen).isEmpty());
    QCOMPARE(seen.count, 1);
    QCOMPARE(seen.caption, "mit Datenbank verbinden");
    QCOMPARE(seen.filters, QStringList({"(*.db)"}));
    QCOMPARE(seen.mode, QFileDialog::AcceptOpen);
    QCOMPARE(seen.folder, env->dir()); // starts at the connected file

    QCOMPARE(w->windowTitle(), titleBase + autumn());
    QCOMPARE(rememberedPath(*env), autumn());
    QCOMPARE(tavorin::db::currentDatabase(), autumn());

    const auto showsAutumn = [](const MainWindow& win) {
        QCOMPARE(columnTexts(find<QTableWidget>(win, "spielerTableWidget"), 1), QStringList({"Anna", "Bert", "Carl"}));
        QCOMPARE(columnTexts(find<QTableWidget>(win, "ligenTableWidget"), 1), QStringList({"Herbst", "Winter"}));
        QCOMPARE(columnTexts(find<QTableWidget>(win, "spielerpoolTableWidget"), 1), QStringList({"Carl"}));
        for (const char* selector : {"spieltageLigaComboBox", "zuordnungLigaComboBox", "ergebnisseLigaComboBox",
                                     "tabelleLigaComboBox", "statistikLigaComboBox"})
            QCOMPARE(itemTexts(find<QComboBox>(win, selector)), QStringList({"Herbst", "Winter"}));
        QCOMPARE(columnTexts(find<QTableWidget>(win, "mitgliederTableWidget"), 1), QStringList({"Anna", "Bert"}));
        const QTableWidget* schedule = find<QTableWidget>(win, "spielplanTableWidget");
        QCOMPARE(columnTexts(schedule, 2), QStringList({"Anna", "Bert"}));
        QCOMPARE(columnTexts(schedule, 3), QStringList({"Bert", "Anna"}));
        const QTableWidget* table = find<QTableWidget>(win, "ligaTabelleTableWidget");
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(table->item(0, 0)->text().startsWith("Anna"));
        QCOMPARE(find<QTableWidget>(win, "statistikTableWidget")->rowCount(), 2);
    };
    showsAutumn(*w);
    QVERIFY(!QTest::currentTestFailed());

    // A later start opens the same file.
    w.reset();
    w = startWindow();
    QCOMPARE(w->windowTitle(), titleBase + autumn());
    showsAutumn(*w);
}

void TestDatabaseFiles::connectFileThatIsNoLeagueDatabase_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("text file") << QByteArray("Dies ist keine Datenbank.\n");
    QTest::newRow("empty file") << QByteArray();
}

void TestDatabaseFiles::connectFileThatIsNoLeagueDatabase() {
    QFETCH(QByteArray, content);
    const QString other = env->root() + "/fremd.db";
    writeFile(other, content);
    auto w = startWindow();

    QVERIFY(chooseFile(find<QAction>(*w, "datenbankVerbindenAction"), other).isEmpty());
    QCOMPARE(w->windowTitle(), titleBase + other);
    QCOMPARE(rememberedPath(*env), other);
    for (const char* table :
         {"spielerTableWidget", "ligenTableWidget", "spielerpoolTableWidget", "mitgliederTableWidget",
          "spielplanTableWidget", "ergebnisseTableWidget", "ligaTabelleTableWidget", "statistikTableWidget"})
        QVERIFY2(find<QTableWidget>(*w, table)->rowCount() == 0, table);
    QCOMPARE(find<QComboBox>(*w, "ergebnisseLigaComboBox")->count(), 0);
    QCOMPARE(fileContent(other), content); // connecting alone writes nothing into it

    // Nothing is found in it either, and the check stays usable.
    Duplicates group(*w);
    QVERIFY(press(group.check).isEmpty());
    QCOMPARE(group.label->text(), "0 Doppelung/en gefunden ");
    QVERIFY(group.ready());
}

void TestDatabaseFiles::saveMakesACopyAndWorksOnIt() {
    auto w = startWindow();
    const QString original = env->defaultDatabase();
    const QByteArray before = fileContent(original);
    const QString copy = env->root() + "/Sicherung/saison.db";
    QVERIFY(QDir().mkpath(env->root() + "/Sicherung"));

    DialogSeen seen;
    QVERIFY(chooseFile(find<QAction>(*w, "datenbankSpeichernAction"), copy, &seen).isEmpty());
    QCOMPARE(seen.caption, "Datenbank kopieren nach...");
    QCOMPARE(seen.filters, QStringList({"(*.db)"}));
    QCOMPARE(seen.mode, QFileDialog::AcceptSave);
    QCOMPARE(seen.folder, env->dir());

    QCOMPARE(fileContent(copy), before);
    QCOMPARE(folderEntries(env->root() + "/Sicherung"), QStringList({"saison.db"}));
    QCOMPARE(w->windowTitle(), titleBase + copy);
    QCOMPARE(rememberedPath(*env), copy);
    QCOMPARE(tavorin::db::currentDatabase(), copy);
    QCOMPARE(columnTexts(find<QTableWidget>(*w, "spielerTableWidget"), 1), QStringList({"Heimo"}));

    // A new player goes into the copy; the original keeps the state of the moment of copying.
    find<QLineEdit>(*w, "spielerNeuName1LineEdit")->setText("Neu");
    find<QLineEdit>(*w, "spielerNeuName2LineEdit")->setText("neu_l");
    QVERIFY(press(find<QPushButton>(*w, "spielerHinzufuegenButton")).isEmpty());
    QCOMPARE(fileContent(original), before);
    DbPeek peek(copy);
    QCOMPARE(peek.column("SELECT dartn_name FROM tv_spieler ORDER BY id"), QStringList({"Heimo", "Neu"}));
}

void TestDatabaseFiles::saveReplacesAnotherFile() {
    newLeagueDatabase(autumn(), autumnData);
    auto w = startWindow();
    const QByteArray mine = fileContent(env->defaultDatabase());
    QVERIFY(fileContent(autumn()) != mine);

    const QList<SeenMessage> seen = chooseFile(find<QAction>(*w, "datenbankSpeichernAction"), autumn());
    QCOMPARE(seen.size(), 1); // only the dialog's own question whether to replace the file
    QVERIFY(ownMessages(seen).isEmpty());
    QCOMPARE(fileContent(autumn()), mine);
    QCOMPARE(folderEntries(env->root() + "/Ligen"), QStringList({"herbst.db"}));
    QCOMPARE(w->windowTitle(), titleBase + autumn());
    QCOMPARE(rememberedPath(*env), autumn());
    QCOMPARE(columnTexts(find<QTableWidget>(*w, "spielerTableWidget"), 1), QStringList({"Heimo"}));
}

void TestDatabaseFiles::saveOntoTheConnectedFile() {
    auto w = startWindow();
    const QString own = env->defaultDatabase();
    const QByteArray before = fileContent(own);
    const QByteArray config = fileContent(env->configPath());
    const QStringList entries = folderEntries(env->dir());

    // Also when the dialog hands back another spelling of the same file.
    for (const QString& target : {own, env->dir() + "/./tavorin.db"}) {
        QVERIFY(ownMessages(chooseFile(find<QAction>(*w, "datenbankSpeichernAction"), target)).isEmpty());
        QCOMPARE(fileContent(own), before);
        QCOMPARE(folderEntries(env->dir()), entries);
        QCOMPARE(fileContent(env->configPath()), config);
        QCOMPARE(w->windowTitle(), titleBase + own);
        QCOMPARE(tavorin::db::currentDatabase(), own);
    }
    QCOMPARE(columnTexts(find<QTableWidget>(*w, "spielerTableWidget"), 1), QStringList({"Heimo"}));
}

void TestDatabaseFiles::cancelledDialogsChangeNothing_data() {
    QTest::addColumn<QString>("action");
    QTest::newRow("verbinden") << "datenbankVerbindenAction";
    QTest::newRow("speichern unter") << "datenbankSpeichernAction";
}

void TestDatabaseFiles::cancelledDialogsChangeNothing() {
    QFETCH(QString, action);
    auto w = startWindow();
    const QByteArray config = fileContent(env->configPath());
    const QStringList entries = folderEntries(env->dir());

    DialogSeen seen;
    QVERIFY(chooseFile(find<QAction>(*w, action.toUtf8().constData()), QString(), &seen).isEmpty());
    QCOMPARE(seen.count, 1);
    QCOMPARE(w->windowTitle(), titleBase + env->defaultDatabase());
    QCOMPARE(fileContent(env->configPath()), config);
    QCOMPARE(folderEntries(env->dir()), entries);
    QCOMPARE(tavorin::db::currentDatabase(), env->defaultDatabase());
    QCOMPARE(columnTexts(find<QTableWidget>(*w, "spielerTableWidget"), 1), QStringList({"Heimo"}));
}

void TestDatabaseFiles::failedCopyStaysWithThePreviousFile() {
    // Tests run as root, who may write into any folder: a "folder" that is a regular file stops the copy.
    const QString notAFolder = env->root() + "/notiz.txt";
    writeFile(notAFolder, "Notiz\n");
    const QString target = notAFolder + "/kopie.db";
    auto w = startWindow();
    const QByteArray config = fileContent(env->configPath());

    const QList<SeenMessage> seen = chooseFile(find<QAction>(*w, "datenbankSpeichernAction"), target);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QVERIFY2(seen[0].text.startsWith(copyFailed + "\n"), qPrintable(seen[0].text));
    QVERIFY2(seen[0].text.contains(target), qPrintable(seen[0].text)); // the reason follows
    QCOMPARE(fileContent(notAFolder), QByteArray("Notiz\n"));
    QCOMPARE(w->windowTitle(), titleBase + env->defaultDatabase());
    QCOMPARE(fileContent(env->configPath()), config);
    QCOMPARE(tavorin::db::currentDatabase(), env->defaultDatabase());
}

void TestDatabaseFiles::copyFailuresLeaveTheTarget() {
    const QString source = env->defaultDatabase();
    const QString folder = env->root() + "/Ziel";
    QVERIFY(QDir().mkpath(folder));

    // A folder named like the target is neither replaced nor filled.
    const QString asFolder = folder + "/ordner.db";
    QVERIFY(QDir().mkpath(asFolder + "/inhalt"));
    tavorin::db::Result r = tavorin::db::copyDatabaseFile(source, asFolder);
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QVERIFY(QFileInfo(asFolder).isDir());
    QCOMPARE(folderEntries(asFolder), QStringList({"inhalt"}));

    // A copy that cannot be read leaves the existing target as it was (it is not deleted first).
    const QString existing = folder + "/alt.db";
    writeFile(existing, "alter Stand");
    r = tavorin::db::copyDatabaseFile(env->root() + "/fehlt.db", existing);
    QVERIFY(!r.ok);
    QVERIFY(r.error.contains("fehlt.db"));
    QCOMPARE(fileContent(existing), QByteArray("alter Stand"));
    QCOMPARE(folderEntries(folder), QStringList({"alt.db", "ordner.db"}));

    // A folder that does not exist.
    r = tavorin::db::copyDatabaseFile(source, folder + "/gibtsnicht/neu.db");
    QVERIFY(!r.ok);
    QVERIFY(!QFileInfo::exists(folder + "/gibtsnicht"));

    // Onto itself: nothing happens, and that counts as done.
    const QByteArray before = fileContent(source);
    QVERIFY(tavorin::db::copyDatabaseFile(source, source).ok);
    QCOMPARE(fileContent(source), before);
}

void TestDatabaseFiles::duplicateGroupWidgets() {
    auto w = startWindow();
    QObject* group = find<QGroupBox>(*w, "doppelteEintraegeGroupBox");
    Duplicates d(*w);
    QCOMPARE(d.check->parent(), group);
    QCOMPARE(d.remove->parent(), group);
    QCOMPARE(d.label->parent(), group);
    QCOMPARE(d.check->text(), QString::fromUtf8("Datenbank prüfen"));
    QCOMPARE(d.remove->text(), QString::fromUtf8("Doppelte Datensätze löschen"));
    QCOMPARE(d.check->geometry(), QRect(30, 30, 215, 25));
    QCOMPARE(d.label->geometry(), QRect(10, 70, 255, 25));
    QCOMPARE(d.remove->geometry(), QRect(30, 130, 215, 25));
    QCOMPARE(d.check->styleSheet(), "background-color:lightgray;");
    QCOMPARE(d.remove->styleSheet(), "background-color:lightgray;");
    QCOMPARE(d.label->text(), QString());
    QVERIFY(d.ready());
}

void TestDatabaseFiles::checkWithoutDuplicates() {
    {
        DbPeek peek(env->defaultDatabase());
        // Two rows per match is the normal case, one row (half entered) is no duplicate either.
        QVERIFY(peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id) VALUES (1, 1), (1, 2), (2, 1)"));
    }
    auto w = startWindow();
    Duplicates d(*w);
    QVERIFY(press(d.check).isEmpty());
    QCOMPARE(d.label->text(), "0 Doppelung/en gefunden ");
    QVERIFY(d.ready());
    // The check can be repeated at once.
    QVERIFY(press(d.check).isEmpty());
    QCOMPARE(d.label->text(), "0 Doppelung/en gefunden ");
}

void TestDatabaseFiles::checkAndDeleteDuplicates() {
    {
        DbPeek peek(env->defaultDatabase());
        // Match 17: two rows. Match 23: home, guest, home again. Match 5: two rows per player.
        QVERIFY(peek.run("INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES (1, 17, 1), (2, 17, 2), "
                         "(3, 23, 1), (4, 23, 2), (5, 23, 1), (6, 5, 3), (7, 5, 4), (8, 5, 3), (9, 5, 4)"));
    }
    auto w = startWindow();
    Duplicates d(*w);
    QVERIFY(press(d.check).isEmpty());
    QCOMPARE(d.label->text(), "2 Doppelung/en gefunden ID5 ID23 ");
    QVERIFY(d.found());

    QVERIFY(press(d.remove).isEmpty());
    QVERIFY(d.ready());
    QCOMPARE(d.label->text(), "2 Doppelung/en gefunden ID5 ID23 "); // the label keeps the last report
    {
        DbPeek peek(env->defaultDatabase());
        QCOMPARE(peek.column("SELECT id FROM tv_ergebnisse ORDER BY id"), QStringList({"1", "2", "3", "4", "6", "7"}));
    }

    // A second check finds nothing and replaces the report.
    QVERIFY(press(d.check).isEmpty());
    QCOMPARE(d.label->text(), "0 Doppelung/en gefunden ");
    QVERIFY(d.ready());
}

void TestDatabaseFiles::deletionKeepsOneRowPerPlayer_data() {
    QTest::addColumn<QString>("rows"); // "id:player" of the rows of match 9, in insertion order
    QTest::addColumn<QString>("kept");
    // The first row of the match is kept, and the first row of another player.
    QTest::newRow("home twice") << "1:1 2:2 3:1"
                                << "1 2";
    QTest::newRow("guest first") << "1:2 2:2 3:1 4:1"
                                 << "1 3";
    QTest::newRow("mixed order") << "4:1 7:1 9:2 12:2 15:1"
                                 << "4 9";
    // Without a row of another player only the first row survives.
    QTest::newRow("one player") << "1:1 2:1 3:1"
                                << "1";
    QTest::newRow("five rows, one of another player last") << "1:1 2:1 3:1 4:1 5:2"
                                                           << "1 5";
}

void TestDatabaseFiles::deletionKeepsOneRowPerPlayer() {
    QFETCH(QString, rows);
    QFETCH(QString, kept);
    {
        DbPeek peek(env->defaultDatabase());
        for (const QString& row : rows.split(' ')) {
            const QStringList parts = row.split(':');
            QVERIFY(peek.run("INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES (" + parts[0] + ", 9, " +
                             parts[1] + ")"));
        }
        // Another match with two rows stays whole.
        QVERIFY(peek.run("INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES (100, 8, 1), (101, 8, 2)"));
    }
    auto w = startWindow();
    Duplicates d(*w);
    press(d.check);
    QCOMPARE(d.label->text(), "1 Doppelung/en gefunden ID9 ");
    QVERIFY(press(d.remove).isEmpty());
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.column("SELECT id FROM tv_ergebnisse WHERE spieltag_id = 9 ORDER BY id").join(' '), kept);
    QCOMPARE(peek.column("SELECT id FROM tv_ergebnisse WHERE spieltag_id = 8 ORDER BY id").join(' '), "100 101");
}

void TestDatabaseFiles::failedDeletionKeepsTheFindings() {
    {
        DbPeek peek(env->defaultDatabase());
        QVERIFY(peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id) VALUES (3, 1), (3, 2), (3, 1), "
                         "(4, 1), (4, 2), (4, 2)"));
    }
    auto w = startWindow();
    Duplicates d(*w);
    press(d.check);
    QVERIFY(d.found());

    makeDatabaseReadOnly();
    const QList<SeenMessage> seen = press(d.remove);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QVERIFY(d.found()); // still found: the deletion can be tried again
    makeDatabaseReadOnly(false);
    {
        DbPeek peek(env->defaultDatabase());
        QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_ergebnisse"), "6");
    }

    QVERIFY(press(d.remove).isEmpty());
    QVERIFY(d.ready());
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_ergebnisse"), "4");
}

void TestDatabaseFiles::findingsOutlastConnectingAnotherFile() {
    {
        DbPeek peek(env->defaultDatabase());
        QVERIFY(peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id) VALUES (3, 1), (3, 2), (3, 1)"));
    }
    const QString other = env->root() + "/kaputt.db";
    writeFile(other, "keine Datenbank");
    auto w = startWindow();
    Duplicates d(*w);
    press(d.check);
    QVERIFY(chooseFile(find<QAction>(*w, "datenbankVerbindenAction"), other).isEmpty());
    QVERIFY(d.found());
    QCOMPARE(d.label->text(), "1 Doppelung/en gefunden ID3 ");

    // In a file that cannot be read, the rows to keep cannot be found: nothing is deleted anywhere.
    const QList<SeenMessage> seen = press(d.remove);
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].icon, QMessageBox::Critical);
    QVERIFY(d.found());
    QCOMPARE(fileContent(other), QByteArray("keine Datenbank"));

    QVERIFY(chooseFile(find<QAction>(*w, "datenbankVerbindenAction"), env->defaultDatabase()).isEmpty());
    QVERIFY(press(d.remove).isEmpty());
    QVERIFY(d.ready());
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(peek.value("SELECT COUNT(*) FROM tv_ergebnisse"), "2");
}

QTEST_MAIN(TestDatabaseFiles)
#include "tst_database_files.moc"
