// The league database file: creation and upgrade, the check of a file to connect, the owner's reads and
// writes, copies and backups of the file, the duplicate rule and the demo league file.
#include "app/demoleague.h"
#include "db/backups.h"
#include "db/duplicates.h"
#include "db/filecommands.h"
#include "db/schema.h"
#include "db/sqlitestore.h"
#include "seed.h"
#include "testenv.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace tavorin;
using tavorin::Id;

namespace {

// The results table as releases before game links and the "171+" band wrote it, with two rows.
const QStringList olderResults = {
    "CREATE TABLE tv_ergebnisse (id INTEGER PRIMARY KEY AUTOINCREMENT, spieltag_id INTEGER, spieler_id INTEGER, "
    "gewonnen INTEGER, remis INTEGER, verloren INTEGER, legs_won INTEGER, legs_lost INTEGER, pkt INTEGER, ave "
    "DOUBLE, f9ave DOUBLE, m20 INTEGER, p20 INTEGER, p40 INTEGER, p60 INTEGER, p80 INTEGER, p100 INTEGER, p140 "
    "INTEGER, p180 INTEGER, hf INTEGER, douba INTEGER, doubb INTEGER, bestleg INTEGER)",
    "INSERT INTO tv_ergebnisse (legs_won, ave) VALUES (6, 55.5), (4, 48.25)"};

QStringList folderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void init() { owner = std::make_unique<db::SqliteStore>(); }
    void cleanup() { owner.reset(); }

    // Opening prepares a file at start-up; connecting prepares a league database alike.
    void prepareTheFile_data() {
        QTest::addColumn<bool>("connect");
        QTest::addColumn<QStringList>("statements"); // that make the file; none: there is no file
        QTest::addColumn<QString>("check");          // a query on the file afterwards
        QTest::addColumn<QString>("result");
        const QStringList older = db::createStatements().mid(0, 4) + olderResults;
        QStringList upper = older; // SQLite matches column names without regard to case: no second "hash"
        upper[4].replace("bestleg INTEGER", "bestleg INTEGER, HASH TEXT");
        QTest::newRow("open: new file") << false << QStringList() << "SELECT COUNT(*) FROM sqlite_master"
                                        << "17"; // seven tables, SQLite's sequence table, nine indexes
        QTest::newRow("open: older file")
            << false << older
            << "SELECT group_concat(legs_won || ave || quote(hash) || quote(plat) || quote(p171)) FROM tv_ergebnisse"
            << "655.5NULLNULLNULL,448.25NULLNULLNULL";
        QTest::newRow("open: column in other case")
            << false << upper << "SELECT group_concat(name) FROM pragma_table_info('tv_ergebnisse') WHERE cid > 22"
            << "HASH,plat,p171";
        // Upgraded and indexed: the nine indexes, the results table with the column "p171", the withdrawals and
        // seasons.
        QTest::newRow("connect: older league file") << true << older
                                                    << "SELECT COUNT(*) FROM sqlite_master WHERE name LIKE 'ix_%' OR "
                                                       "sql LIKE '%p171%' OR name IN ('tv_rueckzug', 'tv_saison')"
                                                    << "12";
    }

    void prepareTheFile() {
        QFETCH(bool, connect);
        QFETCH(QStringList, statements);
        QFETCH(QString, check);
        QFETCH(QString, result);
        const QString file = dir.filePath(QTest::currentDataTag() + QString(".db"));
        QVERIFY(owner->open(dir.filePath("home.db")).ok);
        make(file, statements);
        QVERIFY(connect ? owner->connectTo(file).ok : owner->open(file).ok);
        QCOMPARE(owner->location(), file);
        QCOMPARE(DbPeek(file).value(check), result);
        const QByteArray prepared = fileContent(file);
        owner->open(file); // a prepared file is left as it is
        QCOMPARE(fileContent(file), prepared);
    }

    // Every way to make a file current, and restoring a backup, refuses a file that is no whole league
    // database, before anything is written to it. A link to a league file is taken, but not as a backup.
    void hostileFilesAreRefused_data() {
        QTest::addColumn<QString>("kind"); // "file" with the content, "link" to a file with it, or another thing
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason"); // part of the error; none: taken, but not as a backup
        const QByteArray league = leagueBytes(400), text = "Dies ist keine Datenbank.\n";
        QByteArray damaged = league, noise(4096, 0);
        damaged.replace(3 * 4096, 4096, QByteArray(4096, '\xa5')); // a page of the players' table
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = char(i * 7919 % 251);
        const auto row = [](const char* name, const char* kind, const QByteArray& content, const QString& reason) {
            QTest::newRow(name) << kind << content << reason;
        };
        row("empty", "file", "", "keine Liga-Datenbank (Tabelle tv_ergebnisse fehlt)");
        row("text", "file", text, "keine SQLite-Datenbank");
        row("random bytes", "file", noise, "keine SQLite-Datenbank");
        row("half a league file", "file", league.left(league.size() / 2), QString::fromUtf8("beschädigt"));
        row("damaged pages", "file", damaged, QString::fromUtf8("beschädigt"));
        row("results table only", "file", sqliteBytes({"CREATE TABLE tv_ergebnisse (id INTEGER, legs_won INTEGER)"}),
            "keine Liga-Datenbank (Spalte");
        QStringList view = db::createStatements();
        view[1] = "CREATE VIEW tv_ligen AS SELECT 1 AS id, 'Nord' AS liga_name";
        row("a view for a table", "file", sqliteBytes(view), "Tabelle tv_ligen fehlt");
        QStringList noName = db::createStatements();
        noName[0] = "CREATE TABLE tv_spieler (id INTEGER PRIMARY KEY, dartn_name TEXT)";
        row("a column missing", "file", sqliteBytes(noName), "Spalte tv_spieler.prodarter_name fehlt");
        row("folder", "folder", {}, "ein Ordner, keine Datei");
        row("pipe", "pipe", {}, QString::fromUtf8("keine gewöhnliche Datei"));
        row("loop of links", "loop", {}, QString::fromUtf8("Verknüpfung, die zu keiner Datei führt"));
        row("link to a text file", "link", text, "keine SQLite-Datenbank");
        row("link to a league file", "link", league, "");
    }

    void hostileFilesAreRefused() {
        QFETCH(QString, kind);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        const QString home = dir.filePath("home.db"), folder = dir.filePath("Sicherungen");
        const QString file = folder + "/home-20260101-000000.db";
        QVERIFY(QDir(folder).removeRecursively() && QDir().mkpath(folder) && owner->open(home).ok);
        if (kind == "file" || kind == "link")
            writeFile(kind == "file" ? file : file + ".ziel", content);
        if (kind == "link" || kind == "loop")
            QVERIFY(QFile::link(kind == "link" ? file + ".ziel" : file + ".b", file) && QFile::link(file, file + ".b"));
        if (kind == "folder")
            QVERIFY(QDir().mkpath(file + "/inhalt"));
        if (kind == "pipe")
            QVERIFY(mkfifo(QFile::encodeName(file).constData(), 0600) == 0);
        const QByteArray before = fileContent(home), bytes = QFileInfo(file).isFile() ? fileContent(file) : "";
        const QStringList entries = folderEntries(folder);
        const bool linkedLeague = reason.isEmpty(), link = kind == "link" || kind == "loop";

        const db::Result restored = db::restoreBackup(folder, {file, {}, 0, {}, {}}, home);
        QVERIFY2(!restored.ok && restored.error.contains(link ? QString::fromUtf8("Verknüpfung") : reason),
                 qPrintable(restored.error));
        for (const db::Result& r : {owner->connectTo(file), owner->open(file)})
            QVERIFY2(r.ok == linkedLeague && r.error.contains(reason), qPrintable(r.error));
        QCOMPARE(fileContent(home), before);
        if (!linkedLeague) {
            QCOMPARE(folderEntries(folder), entries); // nor a journal beside it
            QCOMPARE(QFileInfo(file).isFile() ? fileContent(file) : "", bytes);
        }
        QCOMPARE(owner->location(), linkedLeague ? file : QString()); // a refused file is not current
        QCOMPARE(owner->hasFile(), linkedLeague);
    }

    void columnTest() {
        QVERIFY(owner->open(dir.filePath("columns.db")).ok);
        const QList<bool> found = {owner->hasColumn("tv_spieler", "prodarter_name"),
                                   owner->hasColumn("tv_ligen", "Liga_Name"), owner->hasColumn("tv_ergebnisse", "has"),
                                   owner->hasColumn("tv_nichts", "id")};
        QCOMPARE(found, QList<bool>({true, true, false, false})); // other case, prefix only, missing table
    }

    // A write that the file refuses changes nothing and announces nothing. Root may write any file, so the
    // read-only file is made by the driver's own option.
    void refusedWrite() {
        QVERIFY(owner->open(dir.filePath("readonly.db")).ok);
        QSqlDatabase::database(owner->connectionName(), false).setConnectOptions("QSQLITE_OPEN_READONLY");
        int changes = 0;
        connect(owner.get(), &db::LeagueStore::changed, this, [&] { ++changes; });
        const db::Result r = owner->transaction([&] {
            owner->addLeague("Herbst");
            return owner->addPlayer("A", "a");
        });
        QVERIFY2(!r.ok && r.error.contains("readonly", Qt::CaseInsensitive), qPrintable(r.error));
        QCOMPARE(changes, 0);
        QCOMPARE(DbPeek(dir.filePath("readonly.db")).value("SELECT COUNT(*) FROM tv_ligen"), "0");
    }

    // A failed read is reported once, after one wait for a lock, and tried again in the next turn of the
    // event loop; connecting and writing are not kept waiting either.
    void failedReads() {
        const QString file = dir.filePath("locked.db");
        QVERIFY(owner->open(file).ok);
        QList<db::Result> reported;
        connect(owner.get(), &db::LeagueStore::readFailed, this, [&](const db::Result& r) { reported << r; });
        const auto read = [&] { // true when the read succeeded
            owner->leagues();
            return !owner->readsFailing();
        };
        DbPeek other(file, "other");
        QVERIFY(other.run("BEGIN EXCLUSIVE"));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!read() && !read() && clock.elapsed() < 3000);
        QVERIFY(reported.size() == 1 && reported.first().locked);
        // Nor does a write wait for the lock again.
        QVERIFY(owner->addLeague("L").locked && clock.elapsed() < 3000);
        QVERIFY(owner->connectTo(file).locked && clock.elapsed() < 5000);
        QVERIFY(other.run("COMMIT"));
        QVERIFY(!read());
        QCoreApplication::processEvents();
        QVERIFY(read());
        // A file locked when it is opened stays current, and is checked once it can be read.
        QVERIFY(other.run("BEGIN EXCLUSIVE") && owner->open(file).locked && owner->hasFile());
        QVERIFY(other.run("COMMIT"));
        QCoreApplication::processEvents();
        QVERIFY(read());
    }

    void copyFailuresLeaveTheTarget() {
        const QString source = dir.filePath("quelle.db"), folder = dir.filePath("Ziel");
        const QString asFolder = folder + "/ordner.db", existing = folder + "/alt.db";
        QVERIFY(owner->open(source).ok);
        QVERIFY(QDir().mkpath(asFolder + "/inhalt"));
        writeFile(existing, "alter Stand");

        db::Result r = db::copyDatabaseFile(source, asFolder); // a folder is neither replaced nor filled
        QVERIFY(!r.ok && !r.error.isEmpty());
        QCOMPARE(folderEntries(asFolder), QStringList({"inhalt"}));
        r = db::copyDatabaseFile(dir.filePath("fehlt.db"), existing); // the target is not deleted first
        QVERIFY(!r.ok && r.error.contains("fehlt.db"));
        QCOMPARE(fileContent(existing), QByteArray("alter Stand"));
        // A write that fails halfway, at a file size limit as at a full disk, leaves the target as it was.
        rlimit limit;
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0 && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR);
        const rlimit small{4096, limit.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        r = db::copyDatabaseFile(source, existing);
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        QVERIFY(!r.ok && fileContent(existing) == "alter Stand");
        QCOMPARE(folderEntries(folder), QStringList({"alt.db", "ordner.db"}));

        const QByteArray before = fileContent(source);
        QVERIFY(db::copyDatabaseFile(source, source).ok);
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
        row("quota full", EDQUOT, "", QString::fromUtf8("nicht genügend Speicherplatz"));
        row("file size limit", EFBIG, "Unknown error",
            QString::fromUtf8("die Datei würde größer, als das System erlaubt"));
        row("no permission", EACCES, "Permission denied", "keine Berechtigung");
        row("not permitted", EPERM, "", "keine Berechtigung");
        row("read-only file system", EROFS, "", QString::fromUtf8("der Datenträger ist schreibgeschützt"));
        row("not found", ENOENT, "", "Datei oder Ordner nicht gefunden");
        row("folder not found", ENOTDIR, "", "Datei oder Ordner nicht gefunden");
        const QString io = QString::fromLocal8Bit(strerror(EIO));
        row("other: the system's text", EIO, "Unknown error", "Fehler beim Zugriff auf die Datei (" + io + ")");
        row("no number: Qt's text", 0, "Some error", "Fehler beim Zugriff auf die Datei (Some error)");
        row("no reason at all", 0, "Unknown error", "das System hat keinen Grund genannt");
    }
    void failureReasons() {
        QFETCH(int, errorNumber);
        QFETCH(QString, systemText);
        QFETCH(QString, reason);
        QCOMPARE(db::fileErrorReason(errorNumber, systemText), reason);
    }

    void duplicateKeepRule_data() {
        QTest::addColumn<QString>("rows"); // (id, match, player), in insertion order
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* name, const char* rows, const char* report, const char* kept) {
            QTest::newRow(name) << rows << report << kept;
        };
        row("none, one row is no duplicate", "(1,1,1), (2,1,2), (3,2,1)", "0 Doppelung/en gefunden ", "1 2 3");
        // Match 17: two rows. Match 23: home, guest, home again. Match 5: two rows per player.
        row("three and four rows",
            "(1,17,1), (2,17,2), (3,23,1), (4,23,2), (5,23,1), (6,5,3), (7,5,4), (8,5,3), (9,5,4)",
            "2 Doppelung/en gefunden ID5 ID23 ", "1 2 3 4 6 7");
        // The first row of the match is kept, and the first row of another player.
        const char* const found9 = "1 Doppelung/en gefunden ID9 ";
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
        const QString file = dir.filePath(QTest::currentDataTag() + QString(".db"));
        seedLeagueDatabase(file, {"INSERT INTO tv_ergebnisse (id, spieltag_id, spieler_id) VALUES " + rows});
        QVERIFY(owner->open(file).ok);
        const QList<Id> found = owner->duplicateMatches();
        QCOMPARE(db::duplicateReport(found), report);
        QVERIFY(owner->deleteDuplicateResults(found).ok);
        QCOMPARE(DbPeek(file).value("SELECT group_concat(id, ' ') FROM (SELECT id FROM tv_ergebnisse ORDER BY id)"),
                 kept);
    }

    // Backups belong to one league file, also beside another of the same name. Those of earlier releases,
    // which did not note their file, are listed for both and removed for neither.
    void backupsNamedKeptAndPruned() {
        const QString file = dir.filePath("tavorin.db"), twin = dir.filePath("Zwilling/tavorin.db");
        const QString folder = dir.filePath("Ablage"), older = folder + "/tavorin-20200101-000000.db";
        const QDateTime start(QDate(2026, 12, 6), QTime(9, 0));
        seedLeagueDatabase(twin, {});
        QVERIFY(owner->open(twin).ok && db::writeBackup(folder, twin, "Zwilling", start, copy()).ok);
        writeFile(older, fileContent(twin));
        seedLeagueDatabase(file, {"INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')"});
        QVERIFY(owner->open(file).ok);
        QString written;
        for (int i = 0; i < db::keptBackups + 2; ++i)
            QVERIFY(
                db::writeBackup(folder, file, QString("Lauf %1").arg(i), start.addSecs(i / 2), copy(), &written).ok);
        // Two in one second get a number; the newest 20 stay, each with its reason and league file.
        QCOMPARE(QFileInfo(written).fileName(), "tavorin-20261206-090010-2.db");
        const QList<db::Backup> kept = db::backupsOf(folder, file), twins = db::backupsOf(folder, twin);
        QCOMPARE(kept.size(), db::keptBackups + 1);
        QCOMPARE(kept.first().reason + ", " + kept[db::keptBackups - 1].reason + ", " + kept.last().path,
                 "Lauf 21, Lauf 2, " + older);
        QVERIFY(kept.first().leagueFile == file && kept.last().leagueFile.isEmpty());
        QCOMPARE(twins.first().reason + ", " + twins.last().path, "Zwilling, " + older);
        QCOMPARE(QDir(folder).entryList({"*.db"}).size(), db::keptBackups + 2);
        QCOMPARE(DbPeek(written, "copy").value("SELECT liga_name FROM tv_ligen"), "Nord");
    }

    // A backup that fails (at a file size limit as at a full disk) leaves nothing that looks like one; what
    // an interrupted one left goes at the next start.
    void failedBackupsLeaveNothing() {
        const QString file = dir.filePath("voll.db"), folder = dir.filePath("Voll");
        seedLeagueDatabase(file, {});
        QVERIFY(owner->open(file).ok);
        writeFile(folder + "/voll-20260101-000000.db.part", "halb");
        db::removeUnfinishedBackups(folder);
        QCOMPARE(folderEntries(folder), QStringList());
        rlimit limit;
        QVERIFY(getrlimit(RLIMIT_FSIZE, &limit) == 0 && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR);
        const rlimit small{16384, limit.rlim_max};
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        const db::Result r = db::writeBackup(folder, file, "voll", QDateTime::currentDateTime(), copy());
        QVERIFY(setrlimit(RLIMIT_FSIZE, &limit) == 0);
        QVERIFY2(!r.ok && r.error.contains(QString::fromUtf8("größer")), qPrintable(r.error));
        QCOMPARE(folderEntries(folder), QStringList());
    }

    void demoLeagueIsAnOrdinaryLeagueFile() {
        const QString file = dir.filePath("demo.db");
        QVERIFY(writeDemoLeague(file).ok);
        QVERIFY(owner->connectTo(file).ok);
        // 2 leagues x 14 days x 4 matches, half of them played, with two result rows each.
        QCOMPARE(DbPeek(file).value("SELECT COUNT(*) || ' ' || (SELECT COUNT(*) FROM tv_ergebnisse) || ' ' || "
                                    "(SELECT COUNT(DISTINCT spieltag_id) FROM tv_ergebnisse) FROM tv_spieltage"),
                 "112 112 56");
        const QByteArray before = fileContent(file);
        QVERIFY(!writeDemoLeague(file).ok); // an existing file is never overwritten
        QCOMPARE(fileContent(file), before);
    }

private:
    // The backups' copy of the open league file.
    db::BackupCopy copy() const {
        return [this](const QString& target) { return owner->copyTo(target); };
    }
    // A database made by `statements` at `file`, or no file at all.
    static void make(const QString& file, const QStringList& statements) {
        if (statements.isEmpty())
            return;
        DbPeek peek(file, "make");
        for (const QString& sql : QStringList{"BEGIN"} + statements + QStringList{"COMMIT"})
            QVERIFY2(peek.run(sql), qPrintable(sql));
    }
    // The bytes of a database made by `statements`.
    QByteArray sqliteBytes(const QStringList& statements) {
        const QString file = dir.filePath(QString("made%1.db").arg(++made));
        make(file, statements);
        return fileContent(file);
    }
    // The bytes of a league file with `players` players, which fill several pages.
    QByteArray leagueBytes(int players) {
        QStringList statements = db::createStatements();
        for (int i = 0; i < players; ++i)
            statements
                << QString("INSERT INTO tv_spieler (dartn_name, prodarter_name) VALUES ('Spieler %1', 's%1')").arg(i);
        return sqliteBytes(statements);
    }
    QTemporaryDir dir;
    int made = 0;
    std::unique_ptr<db::SqliteStore> owner;
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
