#include "schema.h"

#include <QMap>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace tavorin::db {

QStringList createStatements() {
    return {
        QStringLiteral("CREATE TABLE tv_spieler (id INTEGER  PRIMARY KEY AUTOINCREMENT, dartn_name TEXT (30), "
                       "prodarter_name TEXT (30) ); "),
        QStringLiteral("CREATE TABLE tv_ligen (id INTEGER  PRIMARY KEY AUTOINCREMENT, liga_name TEXT (50) ); "),
        QStringLiteral("CREATE TABLE tv_zuordnung (id INTEGER  PRIMARY KEY AUTOINCREMENT, id_spieler INTEGER, "
                       "id_liga INTEGER ); "),
        QStringLiteral("CREATE TABLE tv_spieltage (id INTEGER  PRIMARY KEY AUTOINCREMENT, liga INTEGER, spieltag "
                       "INTEGER, heim INTEGER, gast INTEGER ); "),
        QStringLiteral(
            "CREATE TABLE tv_ergebnisse ( id          INTEGER PRIMARY KEY AUTOINCREMENT, spieltag_id INTEGER, "
            "spieler_id  INTEGER, gewonnen    INTEGER, remis       INTEGER, verloren    INTEGER, legs_won    "
            "INTEGER, legs_lost   INTEGER, pkt         INTEGER, ave         DOUBLE, f9ave       DOUBLE, m20       "
            "  INTEGER, p20         INTEGER, p40         INTEGER, p60         INTEGER, p80         INTEGER, p100 "
            "       INTEGER, p140        INTEGER, p171        INTEGER, p180        INTEGER, hf          INTEGER, "
            "douba       INTEGER, doubb       INTEGER, bestleg     INTEGER, hash        TEXT(30),plat        "
            "TEXT(30) ); "),
    };
}

QStringList laterTableStatements() {
    return {
        QStringLiteral("CREATE TABLE tv_rueckzug (id INTEGER  PRIMARY KEY AUTOINCREMENT, id_liga INTEGER, "
                       "id_spieler INTEGER, ab_spieltag INTEGER, regel INTEGER ); "),
        QStringLiteral("CREATE TABLE tv_saison (id INTEGER  PRIMARY KEY AUTOINCREMENT, id_liga_alt INTEGER, "
                       "id_liga_neu INTEGER ); "),
    };
}

QList<UpgradeStep> upgradeSteps() {
    return {
        {"tv_ergebnisse", "hash", "ALTER TABLE 'tv_ergebnisse' ADD column 'hash' TEXT (30); "},
        {"tv_ergebnisse", "plat", "ALTER TABLE 'tv_ergebnisse' ADD column 'plat' TEXT (30); "},
        {"tv_ergebnisse", "p171", "ALTER TABLE 'tv_ergebnisse' ADD column 'p171' INTEGER NULL ; "},
    };
}

namespace {

// Every view reads one league, one match day, one match or one player; these keep its cost to what it
// reads, however many seasons the file holds.
const char* const indexStatements[] = {
    "CREATE INDEX IF NOT EXISTS ix_spieler_name ON tv_spieler (prodarter_name COLLATE NOCASE)",
    "CREATE INDEX IF NOT EXISTS ix_zuordnung_liga ON tv_zuordnung (id_liga)",
    "CREATE INDEX IF NOT EXISTS ix_zuordnung_spieler ON tv_zuordnung (id_spieler)",
    "CREATE INDEX IF NOT EXISTS ix_spieltage_liga ON tv_spieltage (liga, spieltag)",
    "CREATE INDEX IF NOT EXISTS ix_spieltage_heim ON tv_spieltage (heim)",
    "CREATE INDEX IF NOT EXISTS ix_spieltage_gast ON tv_spieltage (gast)",
    "CREATE INDEX IF NOT EXISTS ix_ergebnisse_spiel ON tv_ergebnisse (spieltag_id, spieler_id)",
    "CREATE INDEX IF NOT EXISTS ix_ergebnisse_spieler ON tv_ergebnisse (spieler_id)",
    "CREATE INDEX IF NOT EXISTS ix_ergebnisse_bestleg ON tv_ergebnisse (bestleg)",
};

// The column names of `table`, in lower case; none for a missing table.
Result columnsOf(QSqlDatabase& db, const QString& table, QStringList& columns) {
    columns.clear();
    QSqlQuery query(db);
    // The table name is one of the program's own, never user input.
    if (!query.exec(QStringLiteral("PRAGMA table_info('") + table + QStringLiteral("')")))
        return Result::failure(query.lastError());
    while (query.next())
        columns << query.value(1).toString().toLower();
    return {};
}

QString tableName(const QString& createStatement) {
    return createStatement.section(QLatin1Char(' '), 2, 2);
}

bool laterTable(const QString& table) {
    for (const QString& sql : laterTableStatements()) {
        if (tableName(sql) == table)
            return true;
    }
    return false;
}

bool addedByUpgrade(const QString& table, const QString& column) {
    for (const UpgradeStep& step : upgradeSteps()) {
        if (table == QLatin1StringView(step.table) && column == QLatin1StringView(step.column))
            return true;
    }
    return false;
}

// Every table of a new league database with its columns, read once from a database made in memory.
const QMap<QString, QStringList>& currentTables() {
    static const QMap<QString, QStringList> tables = [] {
        QMap<QString, QStringList> out;
        const QString name = QStringLiteral("tavorin_schema");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
            db.setDatabaseName(QStringLiteral(":memory:"));
            db.open();
            createTables(db);
            for (const QString& sql : createStatements() + laterTableStatements()) {
                const QString table = tableName(sql);
                columnsOf(db, table, out[table]);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
        return out;
    }();
    return tables;
}

} // namespace

bool hasColumnIn(QSqlDatabase& db, const QString& table, const QString& column) {
    QStringList columns;
    return columnsOf(db, table, columns) && columns.contains(column.toLower());
}

Result createTables(QSqlDatabase& db) {
    if (!db.transaction())
        return Result::failure(db.lastError());
    for (const QString& sql : createStatements() + laterTableStatements()) {
        QSqlQuery query(db);
        if (!query.exec(sql)) {
            const Result failed = Result::failure(query.lastError());
            db.rollback();
            return failed;
        }
    }
    if (!db.commit())
        return Result::failure(db.lastError());
    return {};
}

Result upgradeTables(QSqlDatabase& db) {
    for (const UpgradeStep& step : upgradeSteps()) {
        QStringList columns;
        if (const Result r = columnsOf(db, QLatin1StringView(step.table), columns); !r)
            return r;
        if (columns.contains(QLatin1StringView(step.column)))
            continue;
        QSqlQuery query(db);
        if (!query.exec(QLatin1StringView(step.alter)))
            return Result::failure(query.lastError());
    }
    return {};
}

Result addLaterTables(QSqlDatabase& db) {
    for (const QString& sql : laterTableStatements()) {
        QStringList columns;
        if (const Result r = columnsOf(db, tableName(sql), columns); !r)
            return r;
        QSqlQuery query(db);
        if (columns.isEmpty() && !query.exec(sql))
            return Result::failure(query.lastError());
    }
    return {};
}

Result createIndexes(QSqlDatabase& db) {
    for (const char* sql : indexStatements) {
        QSqlQuery query(db);
        if (!query.exec(QLatin1StringView(sql)))
            return Result::failure(query.lastError());
    }
    return {};
}

Result checkLeagueTables(QSqlDatabase& db) {
    const auto notLeague = [](const QString& reason) {
        Result r = Result::failure(QStringLiteral("keine Liga-Datenbank (%1)").arg(reason));
        r.notLeague = true;
        return r;
    };
    QStringList tables; // a view of the same name is no table
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT lower(name) FROM sqlite_master WHERE type = 'table'")))
        return Result::failure(query.lastError());
    while (query.next())
        tables << query.value(0).toString();
    for (auto table = currentTables().cbegin(); table != currentTables().cend(); ++table) {
        QStringList columns;
        if (Result r = columnsOf(db, table.key(), columns); !r)
            return r;
        if (!tables.contains(table.key()) && laterTable(table.key()))
            continue; // an older file, upgraded when it is opened
        if (!tables.contains(table.key()))
            return notLeague(QStringLiteral("Tabelle %1 fehlt").arg(table.key()));
        for (const QString& column : table.value()) {
            if (!columns.contains(column) && !addedByUpgrade(table.key(), column))
                return notLeague(QStringLiteral("Spalte %1.%2 fehlt").arg(table.key(), column));
        }
    }
    return {};
}

} // namespace tavorin::db
