// The league database file: creation, upgrade of older files, the column test, the write helper and the
// demo league file.
#include "app/demoleague.h"
#include "db/connection.h"
#include "db/leaguedatabase.h"
#include "db/schema.h"
#include "dbpeek.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

using namespace tavorin;

namespace {

QByteArray fileHash(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

// The results table as releases before game links and the "171+" band wrote it.
const char* const olderResults =
    "CREATE TABLE tv_ergebnisse (id INTEGER PRIMARY KEY AUTOINCREMENT, spieltag_id INTEGER, "
    "spieler_id INTEGER, gewonnen INTEGER, remis INTEGER, verloren INTEGER, legs_won "
    "INTEGER, legs_lost INTEGER, pkt INTEGER, ave DOUBLE, f9ave DOUBLE, m20 INTEGER, p20 "
    "INTEGER, p40 INTEGER, p60 INTEGER, p80 INTEGER, p100 INTEGER, p140 INTEGER, p180 "
    "INTEGER, hf INTEGER, douba INTEGER, doubb INTEGER, bestleg INTEGER)";

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir.isValid()); }
    void cleanup() { db::useDatabase(QString()); }

    void newFileGetsTheFiveTables();
    void olderFileIsUpgraded();
    void columnInOtherLetterCase();
    void currentFileIsLeftUntouched();
    void emptyFileIsNotRepaired();
    void columnTest_data();
    void columnTest();
    void fileThatCannotBeCreated();
    void writesAreAllOrNothing();
    void failedWriteReportsTheDatabaseError();
    void guardsNest();
    void connectChecksTheFile_data();
    void connectChecksTheFile();
    void changesAreAnnounced();
    void failedReadsAreReportedOnce();
    void lockIsReportedSoon();
    void demoLeagueIsAnOrdinaryLeagueFile();

private:
    QString path(const char* name) const { return dir.filePath(QLatin1StringView(name)); }
    QTemporaryDir dir;
};

void TestDatabase::newFileGetsTheFiveTables() {
    const QString file = path("new.db");
    QVERIFY(db::LeagueDatabase::instance().open(file).ok);
    QCOMPARE(db::currentDatabase(), file);
    QVERIFY(QFile::exists(file));

    DbPeek peek(file);
    QCOMPARE(peek.column("SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'tv_%' ORDER BY rowid"),
             QStringList({"tv_spieler", "tv_ligen", "tv_zuordnung", "tv_spieltage", "tv_ergebnisse"}));
    QCOMPARE(peek.column("SELECT sql FROM sqlite_master WHERE name = 'tv_spieler'"),
             QStringList("CREATE TABLE tv_spieler (id INTEGER  PRIMARY KEY AUTOINCREMENT, dartn_name TEXT (30), "
                         "prodarter_name TEXT (30) )"));
    QCOMPARE(peek.columnsOf("tv_zuordnung"), QStringList({"id", "id_spieler", "id_liga"}));
    QCOMPARE(peek.columnsOf("tv_spieltage"), QStringList({"id", "liga", "spieltag", "heim", "gast"}));
    QCOMPARE(peek.columnsOf("tv_ergebnisse"),
             QStringList({"id",        "spieltag_id", "spieler_id", "gewonnen", "remis", "verloren", "legs_won",
                          "legs_lost", "pkt",         "ave",        "f9ave",    "m20",   "p20",      "p40",
                          "p60",       "p80",         "p100",       "p140",     "p171",  "p180",     "hf",
                          "douba",     "doubb",       "bestleg",    "hash",     "plat"}));
    QCOMPARE(peek.column("SELECT type FROM pragma_table_info('tv_ergebnisse') WHERE name = 'ave'"),
             QStringList("DOUBLE"));
    QCOMPARE(peek.value("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'ix_%'"), "9");
}

void TestDatabase::olderFileIsUpgraded() {
    const QString file = path("older.db");
    {
        DbPeek peek(file);
        QVERIFY(peek.run(QLatin1StringView(olderResults)));
        QVERIFY(peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, ave, bestleg) "
                         "VALUES (7, 1, 6, 55.5, 21), (7, 2, 4, 48.25, 0)"));
    }
    QVERIFY(db::LeagueDatabase::instance().open(file).ok);

    DbPeek peek(file);
    const QStringList columns = peek.columnsOf("tv_ergebnisse");
    QCOMPARE(columns.mid(columns.size() - 3), QStringList({"hash", "plat", "p171"}));
    QCOMPARE(peek.column("SELECT type FROM pragma_table_info('tv_ergebnisse') WHERE name = 'p171'"),
             QStringList("INTEGER"));
    QCOMPARE(peek.column("SELECT spieltag_id || '|' || spieler_id || '|' || legs_won || '|' || ave || '|' || bestleg "
                         "|| '|' || quote(hash) || quote(plat) || quote(p171) FROM tv_ergebnisse ORDER BY id"),
             QStringList({"7|1|6|55.5|21|NULLNULLNULL", "7|2|4|48.25|0|NULLNULLNULL"}));
}

void TestDatabase::columnInOtherLetterCase() {
    const QString file = path("mixed.db");
    {
        DbPeek peek(file);
        QVERIFY(peek.run("CREATE TABLE tv_ergebnisse (id INTEGER PRIMARY KEY, HASH TEXT, spieler_id INTEGER)"));
    }
    db::useDatabase(file);
    QVERIFY(db::hasColumn("tv_ergebnisse", "hash")); // as SQLite matches column names

    QVERIFY(db::LeagueDatabase::instance().open(file).ok); // no ALTER for "hash" is tried
    DbPeek peek(file);
    QCOMPARE(peek.columnsOf("tv_ergebnisse"), QStringList({"id", "HASH", "spieler_id", "plat", "p171"}));
}

void TestDatabase::currentFileIsLeftUntouched() {
    const QString file = path("current.db");
    QVERIFY(db::LeagueDatabase::instance().open(file).ok);
    const QByteArray before = fileHash(file);
    QVERIFY(db::LeagueDatabase::instance().open(file).ok);
    QCOMPARE(fileHash(file), before);
}

void TestDatabase::emptyFileIsNotRepaired() {
    const QString file = path("empty.db");
    QFile(file).open(QIODevice::WriteOnly);
    const db::Result r = db::LeagueDatabase::instance().open(file); // the upgrade finds no results table
    QVERIFY2(!r.ok && r.error.contains("tv_ergebnisse"), qPrintable(r.error));
    DbPeek peek(file);
    QCOMPARE(peek.column("SELECT name FROM sqlite_master"), QStringList());
}

void TestDatabase::columnTest_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("column");
    QTest::addColumn<bool>("expected");
    QTest::newRow("present") << "tv_spieler"
                             << "prodarter_name" << true;
    QTest::newRow("first column") << "tv_ligen"
                                  << "id" << true;
    QTest::newRow("other case") << "tv_ligen"
                                << "Liga_Name" << true;
    QTest::newRow("prefix only") << "tv_ergebnisse"
                                 << "has" << false;
    QTest::newRow("longer name") << "tv_ergebnisse"
                                 << "hashes" << false;
    QTest::newRow("missing column") << "tv_spieler"
                                    << "hash" << false;
    QTest::newRow("missing table") << "tv_nichts"
                                   << "id" << false;
}

void TestDatabase::columnTest() {
    QFETCH(QString, table);
    QFETCH(QString, column);
    QFETCH(bool, expected);
    QVERIFY(db::LeagueDatabase::instance().open(path("columns.db")).ok);
    QCOMPARE(db::hasColumn(table, column), expected);
}

void TestDatabase::fileThatCannotBeCreated() {
    // A path below a plain file cannot be created, not even by root.
    QFile(path("plain")).open(QIODevice::WriteOnly);
    const db::Result r = db::LeagueDatabase::instance().open(path("plain/tavorin.db"));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(db::currentDatabase(), path("plain/tavorin.db"));
    QVERIFY(!db::hasColumn("tv_spieler", "id"));
}

void TestDatabase::writesAreAllOrNothing() {
    const QString file = path("atomic.db");
    QVERIFY(db::LeagueDatabase::instance().open(file).ok);
    const db::Result r = db::writeAll({
        {"INSERT INTO tv_ligen (id, liga_name) VALUES (NULL, :name)", {{":name", "Herbst"}}},
        {"INSERT INTO tv_unbekannt (x) VALUES (1)", {}},
    });
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains("tv_unbekannt"), qPrintable(r.error));
    DbPeek peek(file);
    QCOMPARE(peek.column("SELECT COUNT(*) FROM tv_ligen"), QStringList("0"));

    QVERIFY(db::writeAll({
                             {"INSERT INTO tv_ligen (id, liga_name) VALUES (NULL, :name)", {{":name", "Herbst"}}},
                             {"INSERT INTO tv_ligen (id, liga_name) VALUES (NULL, :name)", {{":name", "Winter"}}},
                         })
                .ok);
    QCOMPARE(peek.column("SELECT liga_name FROM tv_ligen ORDER BY id"), QStringList({"Herbst", "Winter"}));
}

void TestDatabase::failedWriteReportsTheDatabaseError() {
    const QString file = path("readonly.db");
    QVERIFY(db::LeagueDatabase::instance().open(file).ok);
    // Root may write any file, so the read-only case is made by the driver's own option.
    QSqlDatabase::database(QLatin1StringView(QSqlDatabase::defaultConnection), false)
        .setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    const db::Result r = db::writeAll({{"INSERT INTO tv_ligen (id, liga_name) VALUES (NULL, 'x')", {}}});
    QSqlDatabase::database(QLatin1StringView(QSqlDatabase::defaultConnection), false).setConnectOptions();
    QVERIFY(!r.ok);
    QVERIFY2(r.error.contains("readonly", Qt::CaseInsensitive), qPrintable(r.error));
    DbPeek peek(file);
    QCOMPARE(peek.column("SELECT COUNT(*) FROM tv_ligen"), QStringList("0"));
}

void TestDatabase::guardsNest() {
    QVERIFY(db::LeagueDatabase::instance().open(path("nest.db")).ok);
    const auto isOpen = [] {
        return QSqlDatabase::database(QLatin1StringView(QSqlDatabase::defaultConnection), false).isOpen();
    };
    QVERIFY(!isOpen()); // closed between operations
    {
        db::ConnectionGuard outer;
        QVERIFY(outer.isOpen());
        { db::ConnectionGuard inner; }
        QVERIFY(isOpen());
        QVERIFY(db::hasColumn("tv_ligen", "liga_name"));
        QVERIFY(isOpen());
    }
    QVERIFY(!isOpen());
}

void TestDatabase::connectChecksTheFile_data() {
    QTest::addColumn<QByteArray>("content"); // of the file; null: made by the statements
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<bool>("accepted");
    QByteArray noise(4096, '\0');
    for (char& c : noise)
        c = char(QRandomGenerator::global()->bounded(256));
    QStringList older = db::createStatements().mid(0, 4);
    older << QString::fromLatin1(olderResults) << "INSERT INTO tv_ergebnisse (spieltag_id, legs_won) VALUES (1, 3)";
    QStringList noName = db::createStatements();
    noName[0] = "CREATE TABLE tv_spieler (id INTEGER PRIMARY KEY, dartn_name TEXT)";
    QTest::newRow("zero bytes") << QByteArray("") << QStringList() << false;
    QTest::newRow("random bytes") << noise << QStringList() << false;
    QTest::newRow("text file") << QByteArray("Dies ist keine Datenbank.\n") << QStringList() << false;
    QTest::newRow("SQLite without the tables") << QByteArray() << QStringList("CREATE TABLE x (y)") << false;
    QTest::newRow("a column missing") << QByteArray() << noName << false;
    QTest::newRow("older league file") << QByteArray() << older << true;
}

void TestDatabase::connectChecksTheFile() {
    QFETCH(QByteArray, content);
    QFETCH(QStringList, statements);
    QFETCH(bool, accepted);
    const QString home = path("home.db"), file = dir.filePath(QTest::currentDataTag() + QString(".db"));
    QVERIFY(db::LeagueDatabase::instance().open(home).ok);
    if (content.isNull()) {
        DbPeek peek(file, "make");
        for (const QString& sql : statements)
            QVERIFY2(peek.run(sql), qPrintable(sql));
    } else {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }
    const QByteArray before = fileHash(file);

    const db::Result r = db::LeagueDatabase::instance().connectTo(file);
    QCOMPARE(r.ok, accepted);
    QCOMPARE(r.notLeague, !accepted);
    QCOMPARE(db::currentDatabase(), accepted ? file : home);
    if (!accepted) {
        QCOMPARE(fileHash(file), before);
        return;
    }
    // Upgraded like at start-up, so a result with a game link can be saved.
    QVERIFY(
        db::writeAll({{"INSERT INTO tv_ergebnisse (spieltag_id, hash, plat, p171) VALUES (2, 'g7', 'lidarts', 1)", {}}})
            .ok);
    QCOMPARE(DbPeek(file).column("SELECT spieltag_id || quote(hash) FROM tv_ergebnisse ORDER BY id"),
             QStringList({"1NULL", "2'g7'"}));
    QCOMPARE(DbPeek(file).value("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name LIKE 'ix_%'"), "9");
}

void TestDatabase::changesAreAnnounced() {
    QCOMPARE(db::tablesWrittenBy("DELETE FROM tv_Ligen WHERE id = :id ;"), db::Table::Ligen);
    QCOMPARE(db::tablesWrittenBy(" UPDATE tv_ergebnisse SET bestleg = ''"), db::Table::Ergebnisse);
    QCOMPARE(db::tablesWrittenBy("SELECT * FROM tv_spieler"), db::Tables());
    QVERIFY(db::LeagueDatabase::instance().open(path("changes.db")).ok);
    QObject context;
    QList<db::Tables> announced;
    connect(&db::LeagueDatabase::instance(), &db::LeagueDatabase::changed, &context,
            [&](db::Tables t) { announced << t; });

    QVERIFY(db::writeAll({{"INSERT INTO tv_spieler (dartn_name) VALUES ('A')", {}},
                          {"INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1)", {}}})
                .ok);
    QVERIFY(db::writeAll({{"UPDATE tv_ligen SET liga_name = 'x' WHERE id = 9", {}}}).ok); // no row: no change
    QVERIFY(!db::writeAll({{"INSERT INTO tv_ligen (liga_name) VALUES ('L')", {}}, {"INSERT INTO nichts", {}}}).ok);
    QCOMPARE(announced, QList<db::Tables>({db::Table::Spieler | db::Table::Zuordnung}));
}

void TestDatabase::failedReadsAreReportedOnce() {
    auto& owner = db::LeagueDatabase::instance();
    QVERIFY(owner.open(path("reads.db")).ok);
    QObject context;
    QStringList reported;
    connect(&owner, &db::LeagueDatabase::readFailed, &context, [&](const db::Result& r) { reported << r.error; });
    const auto read = [] { return db::readRows("SELECT * FROM tv_spieler", {}, [](const db::Row&) {}); };
    QVERIFY(read().ok);
    QVERIFY(DbPeek(path("reads.db")).run("DROP TABLE tv_spieler"));

    QVERIFY(!read().ok);
    QVERIFY(!read().ok && owner.readsFailing());
    QCOMPARE(reported.size(), 1);
    QVERIFY2(reported[0].contains("tv_spieler"), qPrintable(reported[0]));
    QCoreApplication::processEvents(); // the next turn of the event loop tries again
    QVERIFY(!owner.readsFailing());
    QVERIFY(!read().ok);
    QCOMPARE(reported.size(), 2);
}

void TestDatabase::lockIsReportedSoon() {
    const QString file = path("locked.db");
    QVERIFY(db::LeagueDatabase::instance().open(file).ok);
    DbPeek other(file, "other");
    QVERIFY(other.run("BEGIN EXCLUSIVE"));
    QElapsedTimer clock;
    clock.start();
    const db::Result read = db::readRows("SELECT * FROM tv_ligen", {}, [](const db::Row&) {});
    const db::Result again = db::readRows("SELECT * FROM tv_spieler", {}, [](const db::Row&) {});
    QVERIFY2(!read.ok && read.locked && !again.ok && clock.elapsed() < 3000, qPrintable(read.error));
    QVERIFY(db::LeagueDatabase::instance().connectTo(path("locked.db")).locked);
    QVERIFY(db::writeAll({{"INSERT INTO tv_ligen (liga_name) VALUES ('L')", {}}}).locked);
    QVERIFY(clock.elapsed() < 8000);
    QVERIFY(other.run("COMMIT"));
    QCoreApplication::processEvents();
}

void TestDatabase::demoLeagueIsAnOrdinaryLeagueFile() {
    const QString file = path("demo.db");
    QVERIFY(writeDemoLeague(file).ok);
    QVERIFY(db::LeagueDatabase::instance().connectTo(file).ok);
    DbPeek peek(file);
    // Players, leagues, members, matches (2 x 14 days x 4), result rows, played matches, last played day.
    const QStringList counts = peek.column(
        "SELECT COUNT(*) FROM tv_spieler UNION ALL SELECT COUNT(*) FROM tv_ligen UNION ALL SELECT COUNT(*) FROM "
        "tv_zuordnung UNION ALL SELECT COUNT(*) FROM tv_spieltage UNION ALL SELECT COUNT(*) FROM tv_ergebnisse "
        "UNION ALL SELECT COUNT(DISTINCT spieltag_id) FROM tv_ergebnisse UNION ALL SELECT MAX(spieltag) FROM "
        "tv_spieltage JOIN tv_ergebnisse ON tv_ergebnisse.spieltag_id = tv_spieltage.id");
    QCOMPARE(counts, QStringList({"18", "2", "16", "112", "112", "56", "7"}));

    const QByteArray before = fileHash(file);
    QVERIFY(!writeDemoLeague(file).ok); // an existing file is never overwritten
    QCOMPARE(fileHash(file), before);
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
