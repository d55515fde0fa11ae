// Refreshing the result views on a full season: 20 leagues of 20 members, each with a double round
// robin and both result rows of every match, 2,000 more players in the pool. The window's fills of the
// league table, the statistics and the results table by player, against their bare queries run
// directly in the same run.
#include "app/mainwindow.h"
#include "db/connection.h"
#include "db/schema.h"
#include "league/schedule.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace tavorin;

namespace {

constexpr int leagues = 20;
constexpr int perLeague = 20;
constexpr int poolPlayers = 2000;
constexpr int repeats = 20;

void buildSeason(const QString& path) {
    db::createOrUpgrade(path);
    QList<db::Statement> s;
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
    db::writeAll(s);
}

// Best time of `repeats` runs, in milliseconds.
double best(const std::function<void()>& run) {
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

// The statement run bare: open, prepare, bind, step through every row reading each column, close.
std::function<void()> bare(const QString& sql, const QString& name, const QVariant& value) {
    return [=] {
        QSqlDatabase dbc = QSqlDatabase::database();
        dbc.open();
        {
            QSqlQuery q(dbc);
            q.prepare(sql);
            q.bindValue(name, value);
            q.exec();
            while (q.next()) {
                for (int c = 0; c < q.record().count(); ++c)
                    q.value(c);
            }
        }
        dbc.close();
    };
}

void report(const char* what, double window, double query) {
    std::printf("  %-34s window %7.2f ms   bare query %7.2f ms   ratio %5.2f\n", what, window, query, window / query);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());

    const QString path = home.filePath(QStringLiteral("season.db"));
    buildSeason(path);
    writeDefaultConfig(configFilePath(settingsDirectory()), path);

    MainWindow window;
    auto* liga = window.findChild<QComboBox*>(QStringLiteral("tabelleLigaComboBox"));
    const QString league = liga->currentData().toString();
    auto* einzel = window.findChild<QComboBox*>(QStringLiteral("einzelSpielerComboBox"));
    const QString player = einzel->currentData().toString();
    auto* auswaehlen = window.findChild<QPushButton*>(QStringLiteral("spieleAuswaehlenButton"));

    const double table = best([&] { QMetaObject::invokeMethod(&window, "tabelleTabelleFullen"); });
    const double statistics = best([&] { QMetaObject::invokeMethod(&window, "tabelleStatistikFuellen"); });
    const double results = best([&] { auswaehlen->click(); });

    const QString tableSql = QStringLiteral(
        "SELECT *, tv_spieler.dartn_name AS name1, tv_spieler.prodarter_name AS name2, SUM(gewonnen) AS gewSpiele, "
        "SUM(remis) AS unenSpiele, SUM(verloren) AS verlSpiele, SUM(pkt) AS gesamtpunkte, SUM(legs_won) AS "
        "gewonnene, SUM(legs_lost) AS verlorene , SUM(legs_won-legs_lost) AS differenz, AVG(CASE WHEN ave > 0 THEN "
        "ave ELSE NULL END) AS sumav, SUM(douba) AS doppA, SUM(doubb) AS doppB  FROM tv_spieler LEFT JOIN "
        "tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON "
        "tv_ergebnisse.spieler_id = tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid GROUP BY "
        "tv_zuordnung.id_spieler ORDER BY gesamtpunkte DESC, differenz DESC, gewonnene DESC ;");
    const QString statisticsSql = QStringLiteral(
        "SELECT *, tv_spieler.dartn_name AS name1, tv_spieler.prodarter_name AS name2, SUM(m20) AS sm20, SUM(p20) "
        "AS sp20, SUM(p40) AS sp40, SUM(p60) AS sp60, SUM(p80) AS sp80, SUM(p100) AS sp100, SUM(p140) AS sp140, "
        "SUM(p171) AS sp171, SUM(p180) AS sp180, MAX(hf) AS maxhf, MIN(bestleg) AS minbestleg FROM tv_spieler LEFT "
        "JOIN tv_zuordnung ON tv_spieler.id = tv_zuordnung.id_spieler LEFT JOIN tv_ergebnisse ON "
        "tv_ergebnisse.spieler_id = tv_zuordnung.id_spieler WHERE tv_zuordnung.id_liga = :lgid GROUP BY "
        "tv_zuordnung.id_spieler  ORDER BY CASE WHEN minbestleg > 0 THEN 0 ELSE 1 END, minbestleg ASC, maxhf DESC ;");
    const QString resultsSql = QStringLiteral(
        "SELECT spieltag, tv_spieltage.id AS ids, A.prodarter_name AS heimname, A.dartn_name AS dheimname, "
        "B.prodarter_name AS gastname, B.dartn_name AS dgastname, legs_won, legs_lost, heim, gast FROM tv_spieltage "
        "LEFT JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN tv_ergebnisse ON tv_ergebnisse.spieltag_id "
        "= tv_spieltage.id AND tv_ergebnisse.spieler_id = A.id LEFT JOIN tv_spieler AS B ON tv_spieltage.gast = "
        "B.id WHERE A.id = :spieler OR B.id = :spieler ORDER BY spieltag ASC ;");

    const QString lgid = QStringLiteral(":lgid");
    std::printf("season of %d leagues x %d members, double round robin, %d pool players; best of %d runs\n", leagues,
                perLeague, poolPlayers, repeats);
    report("league table (tabelleTabelleFullen)", table, best(bare(tableSql, lgid, league)));
    report("statistics (tabelleStatistikFuellen)", statistics, best(bare(statisticsSql, lgid, league)));
    report("results by player (tabelleErgSTFuellen)", results,
           best(bare(resultsSql, QStringLiteral(":spieler"), player)));
    std::printf("  (aim: each ratio at most 2)\n");
    return 0;
}
