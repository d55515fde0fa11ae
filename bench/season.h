#pragma once

// A season for the benchmarks: leagues of equal size, each with a double round robin and both result
// rows of every match, and further players in the pool.
#include "db/connection.h"
#include "db/sqlitestore.h"
#include "league/schedule.h"

#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <functional>

namespace tavorin {

// One statement of the build: SQL text and its bound values.
struct SeedRow {
    QString sql;
    db::Bindings values;
};

// Runs the rows in one transaction on a connection of the benchmark's own.
inline void runSeed(const QString& path, const QList<SeedRow>& rows) {
    {
        QSqlDatabase dbc = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("seed"));
        dbc.setDatabaseName(path);
        dbc.open();
        dbc.transaction();
        QSqlQuery q(dbc);
        for (const SeedRow& row : rows)
            db::exec(q, row.sql, row.values);
        q.finish();
        dbc.commit();
        dbc.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("seed"));
}

inline void buildSeason(const QString& path, int leagues, int perLeague, int poolPlayers) {
    {
        db::SqliteStore file;
        file.open(path);
    }
    QList<SeedRow> s;
    const QString player =
        QStringLiteral("INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (:id, :d, :p)");
    int next = 1;
    for (int l = 1; l <= leagues; ++l) {
        s.append({QStringLiteral("INSERT INTO tv_ligen (id, liga_name) VALUES (:id, :n)"),
                  {{QStringLiteral(":id"), l}, {QStringLiteral(":n"), QStringLiteral("Liga %1").arg(l)}}});
        QStringList members;
        for (int m = 0; m < perLeague; ++m, ++next) {
            s.append({player,
                      {{QStringLiteral(":id"), next},
                       {QStringLiteral(":d"), QStringLiteral("Forum %1").arg(next)},
                       {QStringLiteral(":p"), QStringLiteral("online%1").arg(next)}}});
            s.append({QStringLiteral("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (:s, :l)"),
                      {{QStringLiteral(":s"), next}, {QStringLiteral(":l"), l}}});
            members << QString::number(next);
        }
        int match = (l - 1) * perLeague * (perLeague - 1);
        for (const ScheduleRow& r : generateSchedule(members, true)) {
            ++match;
            s.append({QStringLiteral("INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (:id, :l, "
                                     ":t, :h, :g)"),
                      {{QStringLiteral(":id"), match},
                       {QStringLiteral(":l"), l},
                       {QStringLiteral(":t"), r.matchDay},
                       {QStringLiteral(":h"), r.home},
                       {QStringLiteral(":g"), r.away}}});
            const int homeLegs = 3 + match % 4;
            const int awayLegs = 6 - match % 3;
            for (int side = 0; side < 2; ++side) {
                const int won = side == 0 ? homeLegs : awayLegs;
                const int lost = side == 0 ? awayLegs : homeLegs;
                s.append({QStringLiteral("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, remis, "
                                         "verloren, legs_won, legs_lost, pkt, ave, f9ave, m20, p20, p40, p60, p80, "
                                         "p100, p140, p171, p180, hf, douba, doubb, bestleg, hash, plat) VALUES (:m, "
                                         ":s, :w, :d, :l, :lw, :ll, :p, :a, :a, 1, 2, 3, 4, 5, 6, 7, 1, 1, :hf, 3, "
                                         ":db, :bl, '', '')"),
                          {{QStringLiteral(":m"), match},
                           {QStringLiteral(":s"), side == 0 ? r.home : r.away},
                           {QStringLiteral(":w"), won > lost ? 1 : 0},
                           {QStringLiteral(":d"), won == lost ? 1 : 0},
                           {QStringLiteral(":l"), won < lost ? 1 : 0},
                           {QStringLiteral(":lw"), won},
                           {QStringLiteral(":ll"), lost},
                           {QStringLiteral(":p"), won > lost ? 2 : (won == lost ? 1 : 0)},
                           {QStringLiteral(":a"), 40.0 + match % 30},
                           {QStringLiteral(":hf"), 40 + match % 100},
                           {QStringLiteral(":db"), 9 + match % 5},
                           {QStringLiteral(":bl"), match % 7 == 0 ? 0 : 15 + match % 20}}});
            }
        }
    }
    for (int p = 0; p < poolPlayers; ++p, ++next) {
        s.append({player,
                  {{QStringLiteral(":id"), next},
                   {QStringLiteral(":d"), QStringLiteral("Pool %1").arg(next)},
                   {QStringLiteral(":p"), QStringLiteral("pool%1").arg(next)}}});
    }
    runSeed(path, s);
}

// Best time of `repeats` runs of `run`, in milliseconds.
inline double bestOf(int repeats, const std::function<void()>& run) {
    qint64 fastest = -1;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer t;
        t.start();
        run();
        const qint64 ns = t.nsecsElapsed();
        if (fastest < 0 || ns < fastest)
            fastest = ns;
    }
    return fastest / 1e6;
}

} // namespace tavorin
