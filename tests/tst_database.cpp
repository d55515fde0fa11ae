// The league database file: creation and upgrade, the check of a file to connect, the owner's reads and
// writes, and the demo league file.
#include "app/demoleague.h"
#include "db/leaguedatabase.h"
#include "db/schema.h"
#include "dbpeek.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorin;

namespace {

QByteArray fileHash(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The results table as releases before game links and the "171+" band wrote it, with two rows.
const QStringList olderResults = {
    "CREATE TABLE tv_ergebnisse (id INTEGER PRIMARY KEY AUTOINCREMENT, spieltag_id INTEGER, spieler_id INTEGER, "
    "gewonnen INTEGER, remis INTEGER, verloren INTEGER, legs_won INTEGER, legs_lost INTEGER, pkt INTEGER, ave "
    "DOUBLE, f9ave DOUBLE, m20 INTEGER, p20 INTEGER, p40 INTEGER, p60 INTEGER, p80 INTEGER, p100 INTEGER, p140 "
    "INTEGER, p180 INTEGER, hf INTEGER, douba INTEGER, doubb INTEGER, bestleg INTEGER)",
    "INSERT INTO tv_ergebnisse (legs_won, ave) VALUES (6, 55.5), (4, 48.25)"};

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QSqlDatabase::database(QSqlDatabase::defaultConnection, false).setConnectOptions(); }

    // Opening prepares a file at start-up; connecting takes only a league database and prepares it alike.
    void prepareTheFile_data() {
        QTest::addColumn<bool>("connect");
        QTest::addColumn<QByteArray>("content"); // of the file; null: made by the statements
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("error"); // part of the error text; empty when the file is taken
        QTest::addColumn<QString>("check"); // a query on the file afterwards
        QTest::addColumn<QString>("result");
        const auto row = [](const char* name, bool connect, const QByteArray& content, const QStringList& statements,
                            const char* error, const char* check, const char* result) {
            QTest::newRow(name) << connect << content << statements << error << check << result;
        };
        const char* const tables = "SELECT COUNT(*) FROM sqlite_master";
        row("open: new file", false, {}, {}, "", tables, "15"); // five tables, SQLite's sequence table, nine indexes
        row("open: older file", false, {}, olderResults, "",
            "SELECT group_concat(legs_won || ave || quote(hash) || quote(plat) || quote(p171)) FROM tv_ergebnisse",
            "655.5NULLNULLNULL,448.25NULLNULLNULL");
        // SQLite matches column names without regard to case: no second "hash" is added.
        row("open: column in other case", false, {}, {"CREATE TABLE tv_ergebnisse (id INTEGER PRIMARY KEY, HASH TEXT)"},
            "", "SELECT group_concat(name) FROM pragma_table_info('tv_ergebnisse')", "id,HASH,plat,p171");
        row("open: empty file is not repaired", false, "", {}, "tv_ergebnisse", tables, "0");
        row("connect: text file", true, "Dies ist keine Datenbank.\n", {}, "not a database", "", "");
        row("connect: SQLite without the tables", true, {}, {"CREATE TABLE x (y)"}, "no such table", tables, "1");
        QStringList noName = db::createStatements();
        noName[0] = "CREATE TABLE tv_spieler (id INTEGER PRIMARY KEY, dartn_name TEXT)";
        row("connect: a column missing", true, {}, noName, "no such column", tables, "6");
        // Upgraded and indexed: the nine indexes and the results table with the column "p171".
        row("connect: older league file", true, {}, db::createStatements().mid(0, 4) + olderResults, "",
            "SELECT COUNT(*) FROM sqlite_master WHERE name LIKE 'ix_%' OR sql LIKE '%p171%'", "10");
    }

    void prepareTheFile() {
        QFETCH(bool, connect);
        QFETCH(QByteArray, content);
        QFETCH(QStringList, statements);
        QFETCH(QString, error);
        QFETCH(QString, check);
        QFETCH(QString, result);
        auto& owner = db::LeagueDatabase::instance();
        const QString home = dir.filePath("home.db"), file = dir.filePath(QTest::currentDataTag() + QString(".db"));
        QVERIFY(owner.open(home).ok);
        make(file, content, statements);
        const QByteArray before = fileHash(file);
        const db::Result r = connect ? owner.connectTo(file) : owner.open(file);
        QVERIFY2(r.ok == error.isEmpty() && r.error.contains(error), qPrintable(r.error));
        QCOMPARE(r.notLeague, connect && !r.ok);
        QCOMPARE(db::currentDatabase(), connect && !r.ok ? home : file);
        QCOMPARE(DbPeek(file).value(check), result);
        if (r.notLeague)
            QCOMPARE(fileHash(file), before);
        const QByteArray prepared = fileHash(file);
        owner.open(file); // a prepared file is left as it is
        QCOMPARE(fileHash(file), prepared);
    }

    void columnTest() {
        QVERIFY(db::LeagueDatabase::instance().open(dir.filePath("columns.db")).ok);
        const QList<bool> found = {db::hasColumn("tv_spieler", "prodarter_name"),
                                   db::hasColumn("tv_ligen", "Liga_Name"), db::hasColumn("tv_ergebnisse", "has"),
                                   db::hasColumn("tv_nichts", "id")};
        QCOMPARE(found, QList<bool>({true, true, false, false})); // other case, prefix only, missing table
    }

    void writes_data() {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("error"); // part of the error text; empty for success
        QTest::addColumn<QString>("leagues");
        QTest::addColumn<int>("announced");
        const auto row = [](const char* name, const QStringList& statements, bool readOnly, const char* error,
                            const char* leagues, db::Tables announced) {
            QTest::newRow(name) << statements << readOnly << error << leagues << int(announced);
        };
        const QString herbst = "INSERT INTO tv_ligen (liga_name) VALUES ('Herbst')";
        row("together", {herbst, "INSERT INTO tv_spieler (dartn_name) VALUES ('A')"}, false, "", "Herbst",
            db::Table::Ligen | db::Table::Spieler);
        row("all or nothing", {herbst, "INSERT INTO tv_unbekannt (x) VALUES (1)"}, false, "tv_unbekannt", "", {});
        // Root may write any file, so the read-only case is made by the driver's own option.
        row("read-only file", {herbst}, true, "readonly", "", {});
        row("no row changed", {"UPDATE tv_ligen SET liga_name = 'x' WHERE id = 9"}, false, "", "", {});
    }

    void writes() {
        QFETCH(QStringList, statements);
        QFETCH(bool, readOnly);
        QFETCH(QString, error);
        QFETCH(QString, leagues);
        QFETCH(int, announced);
        const QString file = dir.filePath(QTest::currentDataTag() + QString(".db"));
        QVERIFY(db::LeagueDatabase::instance().open(file).ok);
        if (readOnly)
            QSqlDatabase::database(QSqlDatabase::defaultConnection, false).setConnectOptions("QSQLITE_OPEN_READONLY");
        QObject context;
        int changes = 0;
        connect(&db::LeagueDatabase::instance(), &db::LeagueDatabase::changed, &context,
                [&](db::Tables t) { changes |= int(t); });
        QList<db::Statement> write;
        for (const QString& sql : statements)
            write.append({sql, {}});
        const db::Result r = db::writeAll(write);
        QVERIFY2(r.ok == error.isEmpty() && r.error.contains(error, Qt::CaseInsensitive), qPrintable(r.error));
        QCOMPARE(DbPeek(file).column("SELECT liga_name FROM tv_ligen").join(','), leagues);
        QCOMPARE(changes, announced);
    }

    // A failed read is reported once, after one wait for a lock, and tried again in the next turn of the
    // event loop; connecting and writing are not kept waiting either.
    void failedReads() {
        auto& owner = db::LeagueDatabase::instance();
        const QString file = dir.filePath("locked.db");
        QVERIFY(owner.open(file).ok);
        QObject context;
        int reported = 0;
        connect(&owner, &db::LeagueDatabase::readFailed, &context, [&] { ++reported; });
        const auto read = [] { return db::readRows("SELECT * FROM tv_ligen", {}, [](const db::Row&) {}); };
        DbPeek other(file, "other");
        QVERIFY(other.run("BEGIN EXCLUSIVE"));
        QElapsedTimer clock;
        clock.start();
        const db::Result first = read();
        QVERIFY2(!first.ok && first.locked && !read().ok && clock.elapsed() < 3000, qPrintable(first.error));
        QCOMPARE(reported, 1);
        QVERIFY(owner.connectTo(file).locked);
        QVERIFY(db::writeAll({{"INSERT INTO tv_ligen (liga_name) VALUES ('L')", {}}}).locked);
        QVERIFY(clock.elapsed() < 8000);
        QVERIFY(other.run("COMMIT"));
        QVERIFY(!read().ok);
        QCoreApplication::processEvents();
        QVERIFY(read().ok);
    }

    void demoLeagueIsAnOrdinaryLeagueFile() {
        const QString file = dir.filePath("demo.db");
        QVERIFY(writeDemoLeague(file).ok);
        QVERIFY(db::LeagueDatabase::instance().connectTo(file).ok);
        // 2 leagues x 14 days x 4 matches, half of them played, with two result rows each.
        QCOMPARE(DbPeek(file).value("SELECT COUNT(*) || ' ' || (SELECT COUNT(*) FROM tv_ergebnisse) || ' ' || "
                                    "(SELECT COUNT(DISTINCT spieltag_id) FROM tv_ergebnisse) FROM tv_spieltage"),
                 "112 112 56");
        const QByteArray before = fileHash(file);
        QVERIFY(!writeDemoLeague(file).ok); // an existing file is never overwritten
        QCOMPARE(fileHash(file), before);
    }

private:
    // A file with `content`, or (when it is null) a database made by `statements`, or no file at all.
    static void make(const QString& file, const QByteArray& content, const QStringList& statements) {
        QFile f(file);
        if (!content.isNull())
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        if (statements.isEmpty())
            return;
        DbPeek peek(file, "make");
        for (const QString& sql : statements)
            QVERIFY2(peek.run(sql), qPrintable(sql));
    }
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
