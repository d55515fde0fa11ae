#include "schema.h"

#include <QFileInfo>
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

QList<UpgradeStep> upgradeSteps() {
    return {
        {"tv_ergebnisse", "hash", "ALTER TABLE 'tv_ergebnisse' ADD column 'hash' TEXT (30); "},
        {"tv_ergebnisse", "plat", "ALTER TABLE 'tv_ergebnisse' ADD column 'plat' TEXT (30); "},
        {"tv_ergebnisse", "p171", "ALTER TABLE 'tv_ergebnisse' ADD column 'p171' INTEGER NULL ; "},
    };
}

bool hasColumn(const QString& table, const QString& column) {
    ConnectionGuard guard;
    QSqlQuery query;
    // The table name is one of the program's own, never user input.
    if (!exec(query, QStringLiteral("PRAGMA table_info('") + table + QStringLiteral("')")))
        return false;
    bool found = false;
    while (query.next()) {
        if (query.value(1).toString() == column)
            found = true;
    }
    return found;
}

Result createOrUpgrade(const QString& path) {
    const bool exists = QFileInfo::exists(path);
    useDatabase(path);
    ConnectionGuard guard;
    if (!guard.isOpen())
        return guard.status();
    if (!exists) {
        QList<Statement> creates;
        for (const QString& sql : createStatements())
            creates.append({sql, {}});
        return writeAll(creates);
    }
    for (const UpgradeStep& step : upgradeSteps()) {
        if (hasColumn(QLatin1StringView(step.table), QLatin1StringView(step.column)))
            continue;
        QSqlQuery query;
        exec(query, QLatin1StringView(step.alter)); // fails for a column in other letter case: ignored
    }
    return {};
}

} // namespace tavorin::db
