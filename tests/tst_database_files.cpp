// The menu "Datei" (connecting another league database, copying the connected one) and the duplicate check.
#include "db/duplicates.h"
#include "db/filecommands.h"
#include "guitest.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>

#include <cerrno>
#include <cstring>

using namespace guitest;

namespace {

const QString titleBase = QStringLiteral("Brenvik - Tavorin64 - Version 2.3.1 - ");
const QString noneFound = QStringLiteral("0 Doppelung/en gefunden ");

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

QByteArray fileContent(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size());
}

QList<QMessageBox::Icon> icons(const QList<SeenMessage>& seen) {
    QList<QMessageBox::Icon> out;
    for (const SeenMessage& m : seen)
        out << m.icon;
    return out;
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

const QString insertResults = "INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES ";
const QString resultIds = "SELECT group_concat(id, ' ') FROM (SELECT id FROM tv_ergebnisse ORDER BY id)";

// Triggers `action` and answers its file dialog with `path` (cancels it when empty).
QList<SeenMessage> chooseFile(const MainWindow& w, const char* action, const QString& path) {
    const FileAnswer answer(path);
    return answerModals([&] { find<QAction>(w, action)->trigger(); });
}

// What the views show, in one line.
QString views(const MainWindow& w) {
    QStringList out;
    const QPair<const char*, int> tables[] = {{"spielerTableWidget", 2},     {"ligenTableWidget", 1},
                                              {"spielerpoolTableWidget", 2}, {"mitgliederTableWidget", 2},
                                              {"spielplanTableWidget", 2},   {"ligaTabelleTableWidget", 0},
                                              {"ergebnisseTableWidget", 2},  {"statistikTableWidget", 0}};
    for (const auto& [name, column] : tables)
        out << columnTexts(find<QTableWidget>(w, name), column).join(',');
    for (const char* c : {"spieltageLigaComboBox", "zuordnungLigaComboBox", "ergebnisseLigaComboBox",
                          "tabelleLigaComboBox", "statistikLigaComboBox", "spieltagComboBox"})
        out << itemTexts(find<QComboBox>(w, c)).join(',');
    return out.join(" | ");
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

class TestDatabaseFiles : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env = std::make_unique<LeagueTestEnv>(
            QStringList{"INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Heimo', 'heimo_l')",
                        "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Heimliga')"});
    }
    void cleanup() { env.reset(); }

    void connectThenCopy() {
        const QString other = env->root() + "/Ligen/herbst.db", text = env->root() + "/Ligen/notiz.db";
        const QString copy = env->root() + "/saison.db";
        newLeagueDatabase(other, autumnData);
        writeFile(text, "Dies ist keine Datenbank.\n");
        const QByteArray autumn = fileContent(other);
        auto w = startWindow();
        const auto at = [&](const QString& path) {
            const QSettings config(env->configPath(), QSettings::IniFormat);
            return w->windowTitle() == titleBase + path && config.value("dateipfad/dbpfad").toString() == path &&
                   tavorin::db::currentDatabase() == path;
        };

        // A file that is no league database is refused; everything stays with the connected file.
        const QString own = views(*w);
        const QList<SeenMessage> refused = chooseFile(*w, "datenbankVerbindenAction", text);
        QVERIFY(refused.size() == 1 && refused[0].text == "Die Datei ist keine Liga-Datenbank:\n" + text);
        QVERIFY(at(env->defaultDatabase()));
        QCOMPARE(views(*w), own);

        QVERIFY(chooseFile(*w, "datenbankVerbindenAction", other).isEmpty());
        QVERIFY(at(other));
        QCOMPARE(views(*w), "a,b,c | Herbst,Winter | c | a,b | Anna,Bert | Anna (a),Bert (b) | Anna | "
                            "Anna (a),Bert (b) | Herbst,Winter | Herbst,Winter | Herbst,Winter | Herbst,Winter | "
                            "Herbst,Winter | 1. Spieltag,2. Spieltag");
        QCOMPARE(fileContent(other), autumn);

        // The copy holds the same bytes, and the program works on it: a new player goes into the copy only.
        QVERIFY(chooseFile(*w, "datenbankSpeichernAction", copy).isEmpty());
        QCOMPARE(fileContent(copy), autumn);
        QVERIFY(at(copy));
        find<QLineEdit>(*w, "spielerNeuName1LineEdit")->setText("Dora");
        find<QLineEdit>(*w, "spielerNeuName2LineEdit")->setText("d");
        QVERIFY(press(find<QPushButton>(*w, "spielerHinzufuegenButton")).isEmpty());
        QCOMPARE(fileContent(other), autumn);
        QCOMPARE(DbPeek(copy).value("SELECT group_concat(dartn_name) FROM tv_spieler"), "Anna,Bert,Carl,Dora");

        // Copying onto an existing file replaces it and leaves no other file.
        QVERIFY(chooseFile(*w, "datenbankSpeichernAction", other).isEmpty());
        QCOMPARE(fileContent(other), fileContent(copy));
        QCOMPARE(folderEntries(env->root() + "/Ligen"), QStringList({"herbst.db", "notiz.db"}));
        QVERIFY(at(other));
    }

    void nothingChanges_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("target"); // empty: the dialog is cancelled
        QTest::addColumn<int>("icon");       // of the one message box expected, NoIcon for none
        QTest::newRow("connect cancelled") << "datenbankVerbindenAction" << QString() << int(QMessageBox::NoIcon);
        QTest::newRow("copy cancelled") << "datenbankSpeichernAction" << QString() << int(QMessageBox::NoIcon);
        QTest::newRow("copy onto itself, other spelling") << "datenbankSpeichernAction"
                                                          << "<dir>/./tavorin.db" << int(QMessageBox::NoIcon);
        // Tests run as root, who may write anywhere: a "folder" that is a regular file stops the copy.
        QTest::newRow("copy fails") << "datenbankSpeichernAction"
                                    << "<root>/notiz.txt/kopie.db" << int(QMessageBox::Critical);
    }

    void nothingChanges() {
        QFETCH(QString, action);
        QFETCH(QString, target);
        QFETCH(int, icon);
        target.replace("<dir>", env->dir()).replace("<root>", env->root());
        writeFile(env->root() + "/notiz.txt", "Notiz\n");
        auto w = startWindow();
        const QString own = env->defaultDatabase();
        const QByteArray before = fileContent(own), config = fileContent(env->configPath());
        const QStringList entries = folderEntries(env->dir());

        const QList<SeenMessage> seen = chooseFile(*w, action.toUtf8().constData(), target);
        QCOMPARE(icons(seen), icon ? QList({QMessageBox::Icon(icon)}) : QList<QMessageBox::Icon>());
        if (icon == QMessageBox::Critical) // the path and the reason follow
            QCOMPARE(seen[0].text, "  Die Datenbank konnte nicht kopiert werden!  \n" + target +
                                       ": Datei oder Ordner nicht gefunden");
        QCOMPARE(fileContent(own), before);
        QCOMPARE(fileContent(env->configPath()), config);
        QCOMPARE(folderEntries(env->dir()), entries);
        QCOMPARE(fileContent(env->root() + "/notiz.txt"), QByteArray("Notiz\n"));
        QCOMPARE(w->windowTitle(), titleBase + own);
        QCOMPARE(tavorin::db::currentDatabase(), own);
    }

    void copyFailuresLeaveTheTarget() {
        using tavorin::db::copyDatabaseFile;
        const QString source = env->defaultDatabase(), folder = env->root() + "/Ziel";
        const QString asFolder = folder + "/ordner.db", existing = folder + "/alt.db";
        QVERIFY(QDir().mkpath(asFolder + "/inhalt"));
        writeFile(existing, "alter Stand");

        tavorin::db::Result r = copyDatabaseFile(source, asFolder); // a folder is neither replaced nor filled
        QVERIFY(!r.ok && !r.error.isEmpty());
        QCOMPARE(folderEntries(asFolder), QStringList({"inhalt"}));
        r = copyDatabaseFile(env->root() + "/fehlt.db", existing); // the target is not deleted first
        QVERIFY(!r.ok && r.error.contains("fehlt.db"));
        QCOMPARE(fileContent(existing), QByteArray("alter Stand"));
        QCOMPARE(folderEntries(folder), QStringList({"alt.db", "ordner.db"}));

        const QByteArray before = fileContent(source);
        QVERIFY(copyDatabaseFile(source, source).ok);
        QCOMPARE(fileContent(source), before);
    }

    void failureReasons_data() {
        QTest::addColumn<int>("errorNumber");
        QTest::addColumn<QString>("systemText");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, int number, const char* system, const QString& reason) {
            QTest::newRow(name) << number << system << reason;
        };
        row("disk full", ENOSPC, "Unknown error", QString::fromUtf8("nicht genügend Speicherplatz"));
        row("no permission", EACCES, "Permission denied", "keine Berechtigung");
        row("read-only file system", EROFS, "", "keine Berechtigung");
        row("not found", ENOENT, "", "Datei oder Ordner nicht gefunden");
        row("other: the system's text", EIO, "Unknown error", QString::fromLocal8Bit(strerror(EIO)));
    }
    void failureReasons() {
        QFETCH(int, errorNumber);
        QFETCH(QString, systemText);
        QFETCH(QString, reason);
        QCOMPARE(tavorin::db::fileErrorReason(errorNumber, systemText), reason);
    }

    void duplicateKeepRule_data() {
        QTest::addColumn<QString>("rows"); // (id, match, player), in insertion order
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* name, const char* rows, const QString& report, const char* kept) {
            QTest::newRow(name) << rows << report << kept;
        };
        row("none, one row is no duplicate", "(1,1,1), (2,1,2), (3,2,1)", noneFound, "1 2 3");
        // Match 17: two rows. Match 23: home, guest, home again. Match 5: two rows per player.
        row("three and four rows",
            "(1,17,1), (2,17,2), (3,23,1), (4,23,2), (5,23,1), (6,5,3), (7,5,4), (8,5,3), (9,5,4)",
            "2 Doppelung/en gefunden ID5 ID23 ", "1 2 3 4 6 7");
        // The first row of the match is kept, and the first row of another player.
        const QString found9 = "1 Doppelung/en gefunden ID9 ";
        row("guest first", "(1,9,2), (2,9,2), (3,9,1), (4,9,1), (100,8,1), (101,8,2)", found9, "1 3 100 101");
        row("mixed order", "(4,9,1), (7,9,1), (9,9,2), (12,9,2), (15,9,1), (100,8,1), (101,8,2)", found9,
            "4 9 100 101");
        row("one player", "(1,9,1), (2,9,1), (3,9,1), (100,8,1), (101,8,2)", found9, "1 100 101");
        row("other player last", "(1,9,1), (2,9,1), (3,9,1), (4,9,1), (5,9,2)", found9, "1 5");
    }

    void duplicateKeepRule() {
        QFETCH(QString, rows);
        QFETCH(QString, report);
        QFETCH(QString, kept);
        QVERIFY(env->run(insertResults + rows));
        const QStringList found = tavorin::db::findDuplicateMatches();
        QCOMPARE(tavorin::db::duplicateReport(found), report);
        QList<tavorin::db::Statement> deletions;
        QVERIFY(tavorin::db::duplicateDeletions(found, deletions).ok);
        QVERIFY(tavorin::db::writeAll(deletions).ok);
        QCOMPARE(env->value(resultIds), kept);
    }

    void duplicateButtons() {
        QVERIFY(env->run(insertResults + "(1,3,1), (2,3,2), (3,3,1), (4,4,1), (5,4,2), (6,4,2)"));
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
            QCOMPARE(icons(press(remove)), {QMessageBox::Warning});
            QCOMPARE(duplicates(*w), found);
        }
        // Writing fails: the deletion can be tried again.
        makeDatabaseReadOnly();
        QCOMPARE(icons(press(remove)), {QMessageBox::Critical});
        QCOMPARE(duplicates(*w), found);
        makeDatabaseReadOnly(false);
        QCOMPARE(env->value(resultIds), "1 2 3 4 5 6");

        QVERIFY(press(remove).isEmpty());
        QCOMPARE(duplicates(*w), "2 Doppelung/en gefunden ID3 ID4 | ready"); // the label keeps the last report
        QCOMPARE(env->value(resultIds), "1 2 4 5");
        QVERIFY(press(check).isEmpty());
        QCOMPARE(duplicates(*w), noneFound + "| ready");
    }

private:
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestDatabaseFiles)
#include "tst_database_files.moc"
