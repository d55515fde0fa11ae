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
const QString indexCount = "SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'ix_%'";

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QSqlDatabase::database(QSqlDatabase::defaultConnection, false).setConnectOptions(); }

    void openPreparesTheFile_data() {
        QTest::addColumn<QByteArray>("content"); // of the file; null: made by the statements
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<QString>("check"); // a query on the file afterwards
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("error"); // part of the error text; empty when the file opens
        QTest::newRow("new file") << QByteArray() << QStringList()
                                  << "SELECT COUNT(*) FROM sqlite_master WHERE name LIKE 'tv_%' OR name LIKE 'ix_%'"
                                  << "14"
                                  << "";
        QTest::newRow("older file") << QByteArray() << olderResults
                                    << "SELECT group_concat(legs_won || ave || quote(hash) || quote(plat) || "
                                       "quote(p171)) FROM tv_ergebnisse"
                                    << "655.5NULLNULLNULL,448.25NULLNULLNULL"
                                    << "";
        // SQLite matches column names without regard to case: no second "hash" is added.
        QTest::newRow("column in other case")
            << QByteArray() << QStringList("CREATE TABLE tv_ergebnisse (id INTEGER PRIMARY KEY, HASH TEXT)")
            << "SELECT group_concat(name) FROM pragma_table_info('tv_ergebnisse')"
            << "id,HASH,plat,p171"
            << "";
        QTest::newRow("empty file: not repaired")
            << QByteArray("") << QStringList() << "SELECT COUNT(*) FROM sqlite_master"
            << "0"
            << "tv_ergebnisse";
    }

    void openPreparesTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, statements);
        QFETCH(QString, check);
        QFETCH(QString, result);
        QFETCH(QString, error);
        const QString file = dir.filePath(QTest::currentDataTag() + QString(".db"));
        make(file, content, statements);
        const db::Result r = db::LeagueDatabase::instance().open(file);
        QVERIFY2(r.ok == error.isEmpty() && r.error.contains(error), qPrintable(r.error));
        QCOMPARE(DbPeek(file).value(check), result);
        const QByteArray before = fileHash(file);
        db::LeagueDatabase::instance().open(file); // a current file is left as it is
        QCOMPARE(fileHash(file), before);
    }

    void columnTest_data() {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("column");
        QTest::addColumn<bool>("expected");
        QTest::newRow("present") << "tv_spieler"
                                 << "prodarter_name" << true;
        QTest::newRow("other case") << "tv_ligen"
                                    << "Liga_Name" << true;
        QTest::newRow("prefix only") << "tv_ergebnisse"
                                     << "has" << false;
        QTest::newRow("missing table") << "tv_nichts"
                                       << "id" << false;
    }

    void columnTest() {
        QFETCH(QString, table);
        QFETCH(QString, column);
        QFETCH(bool, expected);
        QVERIFY(db::LeagueDatabase::instance().open(dir.filePath("columns.db")).ok);
        QCOMPARE(db::hasColumn(table, column), expected);
    }

    void connectChecksTheFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<bool>("accepted");
        QStringList noName = db::createStatements();
        noName[0] = "CREATE TABLE tv_spieler (id INTEGER PRIMARY KEY, dartn_name TEXT)";
        QTest::newRow("zero bytes") << QByteArray("") << QStringList() << false;
        QTest::newRow("text file") << QByteArray("Dies ist keine Datenbank.\n") << QStringList() << false;
        QTest::newRow("SQLite without the tables") << QByteArray() << QStringList("CREATE TABLE x (y)") << false;
        QTest::newRow("a column missing") << QByteArray() << noName << false;
        QTest::newRow("older league file") << QByteArray() << db::createStatements().mid(0, 4) + olderResults << true;
    }

    void connectChecksTheFile() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, statements);
        QFETCH(bool, accepted);
        const QString home = dir.filePath("home.db"), file = dir.filePath(QTest::currentDataTag() + QString(".db"));
        QVERIFY(db::LeagueDatabase::instance().open(home).ok);
        make(file, content, statements);
        const QByteArray before = fileHash(file);
        const db::Result r = db::LeagueDatabase::instance().connectTo(file);
        QCOMPARE(r.ok, accepted);
        QCOMPARE(r.notLeague, !accepted);
        QCOMPARE(db::currentDatabase(), accepted ? file : home);
        if (!accepted) {
            QCOMPARE(fileHash(file), before);
            return;
        }
        // Upgraded and indexed like at start-up.
        QVERIFY(db::writeAll({{"INSERT INTO tv_ergebnisse (hash, p171) VALUES ('g7', 1)", {}}}).ok);
        QCOMPARE(DbPeek(file).value(indexCount), "9");
    }

    void writes_data() {
        QTest::addColumn<QStringList>("statements");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("error"); // part of the error text; empty for success
        QTest::addColumn<QString>("leagues");
        QTest::addColumn<int>("announced");
        const QString herbst = "INSERT INTO tv_ligen (liga_name) VALUES ('Herbst')";
        QTest::newRow("together") << QStringList({herbst, "INSERT INTO tv_spieler (dartn_name) VALUES ('A')"}) << false
                                  << ""
                                  << "Herbst" << int(db::Table::Ligen | db::Table::Spieler);
        QTest::newRow("all or nothing") << QStringList({herbst, "INSERT INTO tv_unbekannt (x) VALUES (1)"}) << false
                                        << "tv_unbekannt"
                                        << "" << 0;
        // Root may write any file, so the read-only case is made by the driver's own option.
        QTest::newRow("read-only file") << QStringList(herbst) << true << "readonly"
                                        << "" << 0;
        QTest::newRow("no row changed") << QStringList("UPDATE tv_ligen SET liga_name = 'x' WHERE id = 9") << false
                                        << ""
                                        << "" << 0;
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

    void failedReadsAreReportedOnce() {
        auto& owner = db::LeagueDatabase::instance();
        QVERIFY(owner.open(dir.filePath("reads.db")).ok);
        QObject context;
        QStringList reported;
        connect(&owner, &db::LeagueDatabase::readFailed, &context, [&](const db::Result& r) { reported << r.error; });
        const auto read = [] { return db::readRows("SELECT * FROM tv_spieler", {}, [](const db::Row&) {}); };
        QVERIFY(DbPeek(dir.filePath("reads.db")).run("DROP TABLE tv_spieler"));
        QVERIFY(!read().ok && !read().ok);
        QCOMPARE(reported.size(), 1);
        QVERIFY2(reported[0].contains("tv_spieler"), qPrintable(reported[0]));
        QCoreApplication::processEvents(); // the next turn of the event loop tries again
        QVERIFY(!read().ok);
        QCOMPARE(reported.size(), 2);
    }

    void lockIsReportedSoon() {
        const QString file = dir.filePath("locked.db");
        QVERIFY(db::LeagueDatabase::instance().open(file).ok);
        DbPeek other(file, "other");
        QVERIFY(other.run("BEGIN EXCLUSIVE"));
        QElapsedTimer clock;
        clock.start();
        const db::Result read = db::readRows("SELECT * FROM tv_ligen", {}, [](const db::Row&) {});
        const db::Result again = db::readRows("SELECT * FROM tv_spieler", {}, [](const db::Row&) {});
        QVERIFY2(!read.ok && read.locked && !again.ok && clock.elapsed() < 3000, qPrintable(read.error));
        QVERIFY(db::LeagueDatabase::instance().connectTo(file).locked);
        QVERIFY(db::writeAll({{"INSERT INTO tv_ligen (liga_name) VALUES ('L')", {}}}).locked);
        QVERIFY(clock.elapsed() < 8000);
        QVERIFY(other.run("COMMIT"));
        QCoreApplication::processEvents();
    }

    void demoLeagueIsAnOrdinaryLeagueFile() {
        const QString file = dir.filePath("demo.db");
        QVERIFY(writeDemoLeague(file).ok);
        QVERIFY(db::LeagueDatabase::instance().connectTo(file).ok);
        // Players, leagues, members, matches (2 x 14 days x 4), result rows, played matches, last played day.
        QCOMPARE(DbPeek(file).column(
                     "SELECT COUNT(*) FROM tv_spieler UNION ALL SELECT COUNT(*) FROM tv_ligen UNION ALL SELECT "
                     "COUNT(*) FROM tv_zuordnung UNION ALL SELECT COUNT(*) FROM tv_spieltage UNION ALL SELECT "
                     "COUNT(*) FROM tv_ergebnisse UNION ALL SELECT COUNT(DISTINCT spieltag_id) FROM tv_ergebnisse "
                     "UNION ALL SELECT MAX(spieltag) FROM tv_spieltage JOIN tv_ergebnisse ON "
                     "tv_ergebnisse.spieltag_id = tv_spieltage.id"),
                 QStringList({"18", "2", "16", "112", "112", "56", "7"}));
        const QByteArray before = fileHash(file);
        QVERIFY(!writeDemoLeague(file).ok); // an existing file is never overwritten
        QCOMPARE(fileHash(file), before);
    }

private:
    // A file with `content`, or (when it is null) a database made by `statements`, or no file at all.
    static void make(const QString& file, const QByteArray& content, const QStringList& statements) {
        if (content.isNull() && statements.isEmpty())
            return;
        if (content.isNull()) {
            DbPeek peek(file, "make");
            for (const QString& sql : statements)
                QVERIFY2(peek.run(sql), qPrintable(sql));
            return;
        }
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }
    QTemporaryDir dir;
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
