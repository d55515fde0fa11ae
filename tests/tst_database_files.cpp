// The menu "Datei" (connecting another league database, copying the connected one) and the duplicate check.
#include "db/duplicates.h"
#include "db/filecommands.h"
#include "guitest.h"
#include "testenv.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
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

QString rememberedPath(const TempSettings& env) {
    return QSettings(env.configPath(), QSettings::IniFormat).value("dateipfad/dbpfad").toString();
}

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

void insertResults(const QString& database, const QString& rows) { // "id:match:player ..."
    DbPeek peek(database);
    for (const QString& row : rows.split(' ')) {
        const QStringList p = row.split(':');
        QVERIFY(peek.run(QString("INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES (%1, %2, %3)")
                             .arg(p[0], p[1], p[2])));
    }
}

QString resultIds(const QString& database) {
    return DbPeek(database).column("SELECT id FROM tv_ergebnisse ORDER BY id").join(' ');
}

void answerFileDialog(QWidget* modal, const QString& path) {
    auto* d = qobject_cast<QFileDialog*>(modal);
    if (!d || path.isEmpty()) {
        modal->close();
        return;
    }
    if (QWidget* focus = d->focusWidget()) // a focused name field ignores selectFile
        focus->clearFocus();
    d->selectFile(path);
    static_cast<QDialog*>(d)->accept(); // QFileDialog's own accept, which checks the name
    if (d->isVisible()) {
        d->reject();
        QFAIL("the file dialog did not take the name");
    }
}

// Triggers `action` and answers its file dialog with `path` (cancels it when empty), Qt's question whether
// to replace a file with yes.
QList<SeenMessage> chooseFile(const MainWindow& w, const char* action, const QString& path) {
    QAction* entry = find<QAction>(w, action);
    return answerModals([entry] { entry->trigger(); }, [path](QWidget* modal) { answerFileDialog(modal, path); },
                        QMessageBox::Yes);
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

struct Duplicates {
    explicit Duplicates(const MainWindow& w)
        : check(find<QPushButton>(w, "datenbankPruefenButton")), remove(find<QPushButton>(w, "doppelteLoeschenButton")),
          label(find<QLabel>(w, "doppelteErgebnisLabel")) {}
    // The report, then "ready" (check enabled, delete hidden) or "found" (check disabled, delete shown).
    QString state() const {
        const bool ready = check->isEnabled() && remove->isHidden(), found = !check->isEnabled() && !remove->isHidden();
        return label->text() + (ready ? "| ready" : found ? "| found" : "| mixed");
    }
    QPushButton *check, *remove;
    QLabel* label;
};

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

    void connectAnotherFile() {
        const QString other = env->root() + "/Ligen/herbst.db", text = env->root() + "/Ligen/notiz.db";
        newLeagueDatabase(other, autumnData);
        writeFile(text, "Dies ist keine Datenbank.\n");
        const QByteArray before = fileContent(other);
        auto w = startWindow();

        // A file that is no league database is refused; everything stays with the connected file.
        const QString own = views(*w);
        const QList<SeenMessage> refused = chooseFile(*w, "datenbankVerbindenAction", text);
        QCOMPARE(refused.size(), 1);
        QCOMPARE(refused[0].text, "Die Datei ist keine Liga-Datenbank:\n" + text);
        QCOMPARE(w->windowTitle(), titleBase + env->defaultDatabase());
        QCOMPARE(rememberedPath(*env), env->defaultDatabase());
        QCOMPARE(views(*w), own);

        QVERIFY(chooseFile(*w, "datenbankVerbindenAction", other).isEmpty());
        QCOMPARE(w->windowTitle(), titleBase + other);
        QCOMPARE(rememberedPath(*env), other);
        QCOMPARE(views(*w), "a,b,c | Herbst,Winter | c | a,b | Anna,Bert | Anna (a),Bert (b) | Anna | "
                            "Anna (a),Bert (b) | Herbst,Winter | Herbst,Winter | Herbst,Winter | Herbst,Winter | "
                            "Herbst,Winter | 1. Spieltag,2. Spieltag");
        QCOMPARE(fileContent(other), before);
    }

    void saveCopiesAndWorksOnTheCopy() {
        const QString original = env->defaultDatabase(), copy = env->root() + "/Sicherung/saison.db";
        const QString existing = env->root() + "/Ligen/herbst.db";
        newLeagueDatabase(existing, autumnData);
        QVERIFY(QDir().mkpath(env->root() + "/Sicherung"));
        const QByteArray before = fileContent(original);
        auto w = startWindow();

        QVERIFY(chooseFile(*w, "datenbankSpeichernAction", copy).isEmpty());
        QCOMPARE(fileContent(copy), before);
        QCOMPARE(folderEntries(env->root() + "/Sicherung"), QStringList({"saison.db"}));
        QCOMPARE(w->windowTitle(), titleBase + copy);
        QCOMPARE(rememberedPath(*env), copy);

        // A new player goes into the copy only.
        find<QLineEdit>(*w, "spielerNeuName1LineEdit")->setText("Neu");
        find<QLineEdit>(*w, "spielerNeuName2LineEdit")->setText("neu_l");
        QVERIFY(press(find<QPushButton>(*w, "spielerHinzufuegenButton")).isEmpty());
        QCOMPARE(fileContent(original), before);
        QCOMPARE(DbPeek(copy).column("SELECT dartn_name FROM tv_spieler ORDER BY id"), QStringList({"Heimo", "Neu"}));

        // Copying onto an existing file replaces it; only Qt asks whether to.
        QCOMPARE(icons(chooseFile(*w, "datenbankSpeichernAction", existing)), {QMessageBox::Warning});
        QCOMPARE(fileContent(existing), fileContent(copy));
        QCOMPARE(folderEntries(env->root() + "/Ligen"), QStringList({"herbst.db"}));
        QCOMPARE(rememberedPath(*env), existing);
        QCOMPARE(columnTexts(find<QTableWidget>(*w, "spielerTableWidget"), 1), QStringList({"Heimo", "Neu"}));
    }

    void nothingChanges_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("target"); // empty: the dialog is cancelled
        QTest::addColumn<int>("icon");       // of the one message box expected, NoIcon for none
        QTest::newRow("connect cancelled") << "datenbankVerbindenAction" << QString() << int(QMessageBox::NoIcon);
        QTest::newRow("copy cancelled") << "datenbankSpeichernAction" << QString() << int(QMessageBox::NoIcon);
        // Qt asks whether to replace the file; the program itself does nothing.
        QTest::newRow("copy onto itself, other spelling") << "datenbankSpeichernAction"
                                                          << "<dir>/./tavorin.db" << int(QMessageBox::Warning);
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
        QVERIFY(!copyDatabaseFile(source, folder + "/gibtsnicht/neu.db").ok);
        QVERIFY(!QFileInfo::exists(folder + "/gibtsnicht"));

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
        row("other: Qt's text", EIO, "Lesefehler", "Lesefehler");
        row("other: the system's text", EIO, "Unknown error", QString::fromLocal8Bit(strerror(EIO)));
    }
    void failureReasons() {
        QFETCH(int, errorNumber);
        QFETCH(QString, systemText);
        QFETCH(QString, reason);
        QCOMPARE(tavorin::db::fileErrorReason(errorNumber, systemText), reason);
    }

    void duplicateKeepRule_data() {
        QTest::addColumn<QString>("rows"); // "id:match:player", in insertion order
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("kept");
        QTest::newRow("none, one row is no duplicate") << "1:1:1 2:1:2 3:2:1" << noneFound << "1 2 3";
        // Match 17: two rows. Match 23: home, guest, home again. Match 5: two rows per player.
        QTest::newRow("three and four rows") << "1:17:1 2:17:2 3:23:1 4:23:2 5:23:1 6:5:3 7:5:4 8:5:3 9:5:4"
                                             << "2 Doppelung/en gefunden ID5 ID23 "
                                             << "1 2 3 4 6 7";
        // The first row of the match is kept, and the first row of another player.
        const QString found9 = "1 Doppelung/en gefunden ID9 ";
        QTest::newRow("guest first") << "1:9:2 2:9:2 3:9:1 4:9:1 100:8:1 101:8:2" << found9 << "1 3 100 101";
        QTest::newRow("mixed order") << "4:9:1 7:9:1 9:9:2 12:9:2 15:9:1 100:8:1 101:8:2" << found9 << "4 9 100 101";
        QTest::newRow("one player") << "1:9:1 2:9:1 3:9:1 100:8:1 101:8:2" << found9 << "1 100 101";
        QTest::newRow("other player last") << "1:9:1 2:9:1 3:9:1 4:9:1 5:9:2" << found9 << "1 5";
    }

    void duplicateKeepRule() {
        QFETCH(QString, rows);
        QFETCH(QString, report);
        QFETCH(QString, kept);
        insertResults(env->defaultDatabase(), rows);
        const QStringList found = tavorin::db::findDuplicateMatches();
        QCOMPARE(tavorin::db::duplicateReport(found), report);
        QList<tavorin::db::Statement> deletions;
        QVERIFY(tavorin::db::duplicateDeletions(found, deletions).ok);
        QVERIFY(tavorin::db::writeAll(deletions).ok);
        QCOMPARE(resultIds(env->defaultDatabase()), kept);
    }

    void duplicateButtons() {
        insertResults(env->defaultDatabase(), "1:3:1 2:3:2 3:3:1 4:4:1 5:4:2 6:4:2");
        auto w = startWindow();
        Duplicates d(*w);
        QCOMPARE(d.state(), "| ready");
        QVERIFY(press(d.check).isEmpty());
        const QString found = "2 Doppelung/en gefunden ID3 ID4 | found";
        QCOMPARE(d.state(), found);

        // While the file cannot be read the rows to keep are unknown; nothing is deleted.
        {
            DbPeek other(env->defaultDatabase(), "other");
            QVERIFY(other.run("BEGIN EXCLUSIVE"));
            QCOMPARE(icons(press(d.remove)), {QMessageBox::Warning});
            QCOMPARE(d.state(), found);
        }
        // Writing fails: the deletion can be tried again.
        makeDatabaseReadOnly();
        QCOMPARE(icons(press(d.remove)), {QMessageBox::Critical});
        QCOMPARE(d.state(), found);
        makeDatabaseReadOnly(false);
        QCOMPARE(resultIds(env->defaultDatabase()), "1 2 3 4 5 6");

        QVERIFY(press(d.remove).isEmpty());
        QCOMPARE(d.state(), "2 Doppelung/en gefunden ID3 ID4 | ready"); // the label keeps the last report
        QCOMPARE(resultIds(env->defaultDatabase()), "1 2 4 5");
        QVERIFY(press(d.check).isEmpty());
        QCOMPARE(d.state(), noneFound + "| ready");
    }

private:
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestDatabaseFiles)
#include "tst_database_files.moc"
