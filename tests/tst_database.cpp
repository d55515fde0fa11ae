// The league database file: creation, upgrade of older files, the column test and the write helper.
#include "db/connection.h"
#include "db/schema.h"
#include "dbpeek.h"

#include <QCryptographicHash>
#include <QFile>
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

private:
    QString path(const char* name) const { return dir.filePath(QLatin1StringView(name)); }
    QTemporaryDir dir;
};

void TestDatabase::newFileGetsTheFiveTables() {
    const QString file = path("new.db");
    QVERIFY(db::createOrUpgrade(file).ok);
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
}

void TestDatabase::olderFileIsUpgraded() {
    const QString file = path("older.db");
    {
        DbPeek peek(file);
        QVERIFY(peek.run(QLatin1StringView(olderResults)));
        QVERIFY(peek.run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, ave, bestleg) "
                         "VALUES (7, 1, 6, 55.5, 21), (7, 2, 4, 48.25, 0)"));
    }
    QVERIFY(db::createOrUpgrade(file).ok);

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
    QVERIFY(!db::hasColumn("tv_ergebnisse", "hash"));
    QVERIFY(db::hasColumn("tv_ergebnisse", "HASH"));

    QVERIFY(db::createOrUpgrade(file).ok); // the refused ALTER does not count as a failure
    DbPeek peek(file);
    QCOMPARE(peek.columnsOf("tv_ergebnisse"), QStringList({"id", "HASH", "spieler_id", "plat", "p171"}));
}

void TestDatabase::currentFileIsLeftUntouched() {
    const QString file = path("current.db");
    QVERIFY(db::createOrUpgrade(file).ok);
    const QByteArray before = fileHash(file);
    QVERIFY(db::createOrUpgrade(file).ok);
    QCOMPARE(fileHash(file), before);
}

void TestDatabase::emptyFileIsNotRepaired() {
    const QString file = path("empty.db");
    QFile(file).open(QIODevice::WriteOnly);
    QVERIFY(db::createOrUpgrade(file).ok);
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
                                << "Liga_Name" << false;
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
    QVERIFY(db::createOrUpgrade(path("columns.db")).ok);
    QCOMPARE(db::hasColumn(table, column), expected);
}

void TestDatabase::fileThatCannotBeCreated() {
    // A path below a plain file cannot be created, not even by root.
    QFile(path("plain")).open(QIODevice::WriteOnly);
    const db::Result r = db::createOrUpgrade(path("plain/tavorin.db"));
    QVERIFY(!r.ok);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(db::currentDatabase(), path("plain/tavorin.db"));
    QVERIFY(!db::hasColumn("tv_spieler", "id"));
}

void TestDatabase::writesAreAllOrNothing() {
    const QString file = path("atomic.db");
    QVERIFY(db::createOrUpgrade(file).ok);
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
    QVERIFY(db::createOrUpgrade(file).ok);
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
    QVERIFY(db::createOrUpgrade(path("nest.db")).ok);
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

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
