// Moving a whole league from one store into another: a league file to a server and back, and the copies of
// a server league kept as league files.
#include "sqlstore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tavorin::db {

namespace {

const char* const tables[] = {"tv_spieler",    "tv_ligen",    "tv_zuordnung", "tv_spieltage",
                              "tv_ergebnisse", "tv_rueckzug", "tv_saison"};

// Results the server would refuse: two rows of one player for one match.
const Sql doubledResultsSql{QStringLiteral(
    "SELECT spieltag_id FROM tv_ergebnisse GROUP BY spieltag_id, spieler_id HAVING COUNT(*) > 1 ORDER BY spieltag_id")};

} // namespace

QList<Id> SqlStore::doubledResults() {
    QList<Id> matches;
    read(doubledResultsSql, {}, [&](const Row& q) {
        const Id id = q.value(0).toLongLong();
        if (!matches.contains(id))
            matches.append(id);
    });
    return matches;
}

Result SqlStore::copyAllFrom(SqlStore& source) {
    const Hold from(source);
    if (!from.result())
        return from.result();
    return write([&](StoreChange& change) {
        for (const char* table : tables) {
            if (Result r = copyTable(source, QLatin1StringView(table)); !r)
                return r;
        }
        change = {StoreChange::Players | StoreChange::Leagues | StoreChange::Members | StoreChange::Schedule |
                      StoreChange::Results,
                  {},
                  {},
                  {},
                  true};
        const Result restarted = restartIds();
        return restarted ? analyzeTables() : restarted;
    });
}

Result SqlStore::copyTable(SqlStore& source, const QString& table) {
    QSqlQuery clear(database());
    // The table names are the program's own, never user input.
    if (!clear.exec(QStringLiteral("DELETE FROM ") + table))
        return Result::failure(clear.lastError());
    QSqlQuery in(source.database());
    in.setForwardOnly(true);
    if (!in.exec(QStringLiteral("SELECT * FROM ") + table + QStringLiteral(" ORDER BY id")))
        return Result::failure(in.lastError());
    const QSqlRecord columns = in.record();
    QStringList names, holders;
    for (int i = 0; i < columns.count(); ++i) {
        names << columns.fieldName(i).toLower();
        holders << QStringLiteral("?");
    }
    QSqlQuery out(database());
    if (!out.prepare(QStringLiteral("INSERT INTO ") + table + QStringLiteral(" (") + names.join(QLatin1Char(',')) +
                     QStringLiteral(") VALUES (") + holders.join(QLatin1Char(',')) + QLatin1Char(')')))
        return Result::failure(out.lastError());
    const int bestLeg = int(names.indexOf(QStringLiteral("bestleg")));
    while (in.next()) {
        for (int i = 0; i < columns.count(); ++i)
            out.bindValue(i, i == bestLeg ? storedBestLeg(in.value(i)) : in.value(i));
        if (!out.exec())
            return Result::failure(out.lastError());
    }
    return in.lastError().isValid() ? Result::failure(in.lastError()) : Result();
}

QVariant SqlStore::storedBestLeg(const QVariant& value) const {
    // None is the empty text in a league file and NULL on a server.
    const bool none = value.isNull() || value.toString().isEmpty() || value.toString() == QLatin1String("0");
    if (!none)
        return value;
    return dialect == Dialect::Postgres ? QVariant(QMetaType::fromType<int>()) : QVariant(QStringLiteral(""));
}

Result SqlStore::restartIds() {
    if (dialect != Dialect::Postgres)
        return {};
    QSqlQuery q(database());
    for (const char* table : tables) {
        const QString t = QLatin1StringView(table);
        if (!q.exec(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), COALESCE((SELECT MAX(id) FROM "
                                   "%1), 0) + 1, false)")
                        .arg(t)))
            return Result::failure(q.lastError());
    }
    return {};
}

Result SqlStore::analyzeTables() {
    if (dialect != Dialect::Postgres)
        return {};
    // Until the server has looked at the copied rows, its planner takes every table for small and reads all
    // results of every season for one league's table; its own look (autovacuum) may come only minutes later.
    // A user who does not own the tables gets a warning, not an error, and the server looks later by itself.
    QSqlQuery q(database());
    for (const char* table : tables) {
        if (!q.exec(QStringLiteral("ANALYZE ") + QLatin1StringView(table)))
            return Result::failure(q.lastError());
    }
    return {};
}

} // namespace tavorin::db
