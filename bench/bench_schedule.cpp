// Storing a computed schedule: a league of 100 members with return round (9,900 matches) written by
// the program's own code, and computed in the window by "Spielplan berechnen" with the refresh of every
// view that follows, against the same rows inserted with one prepared statement in one transaction,
// the floor any implementation can reach.
#include "app/mainwindow.h"
#include "app/settings.h"
#include "db/sqlitestore.h"
#include "league/schedule.h"
#include "season.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

#include <cstdio>

using namespace tavorin;

namespace {

constexpr int members = 100;
constexpr int rounds = 5;

QString prepareDatabase(const QTemporaryDir& dir, int run) {
    const QString path = dir.filePath(QStringLiteral("bench%1.db").arg(run));
    {
        db::SqliteStore file;
        file.open(path);
    }
    QList<SeedRow> seed = {{QStringLiteral("INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Liga')"), {}}};
    for (int p = 1; p <= members; ++p) {
        seed.append({QStringLiteral("INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (:id, :n, :n)"),
                     {{QStringLiteral(":id"), p}, {QStringLiteral(":n"), QStringLiteral("Spieler %1").arg(p)}}});
        seed.append({QStringLiteral("INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (:id, 1)"),
                     {{QStringLiteral(":id"), p}}});
    }
    runSeed(path, seed);
    return path;
}

// What "Spielplan berechnen" does for the league, without the table refresh.
qint64 programsOwnCode(const QString& path) {
    db::SqliteStore store;
    store.open(path);
    QElapsedTimer timer;
    timer.start();
    QStringList ids;
    for (Id id : store.memberIdsInOrder(1))
        ids << QString::number(id);
    const QList<ScheduleRow> rows = generateSchedule(ids, true);
    qsizetype progress = 0;
    store.storeSchedule(1, rows, [&](qsizetype i) { progress = i; });
    if (rows.size() != members * (members - 1) || progress != rows.size() - 1)
        std::fprintf(stderr, "unexpected row count %lld\n", static_cast<long long>(rows.size()));
    return timer.nsecsElapsed();
}

// "Spielplan berechnen" in a window started on the prepared file (the start is not timed).
qint64 windowCompute(const QString& path) {
    writeDefaultConfig(configFilePath(settingsDirectory()), path);
    MainWindow window;
    window.findChild<QCheckBox*>(QStringLiteral("rueckrundeCheckBox"))->setChecked(true);
    auto* compute = window.findChild<QPushButton*>(QStringLiteral("spielplanBerechnenButton"));
    QElapsedTimer timer;
    timer.start();
    compute->click();
    return timer.nsecsElapsed();
}

// The same rows, one prepared INSERT, one transaction, values bound directly.
qint64 bareInserts(const QString& path, const QList<ScheduleRow>& rows) {
    qint64 elapsed = 0;
    {
        QSqlDatabase dbc = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bare"));
        dbc.setDatabaseName(path);
        QElapsedTimer timer;
        timer.start();
        dbc.open();
        dbc.transaction();
        QSqlQuery q(dbc);
        q.prepare(QStringLiteral("INSERT INTO tv_spieltage (liga, spieltag, heim, gast) VALUES (?, ?, ?, ?)"));
        for (const ScheduleRow& r : rows) {
            q.bindValue(0, 1);
            q.bindValue(1, r.matchDay);
            q.bindValue(2, r.home);
            q.bindValue(3, r.away);
            q.exec();
        }
        dbc.commit();
        q.finish();
        dbc.close();
        elapsed = timer.nsecsElapsed();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bare"));
    return elapsed;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
    QApplication app(argc, argv);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QStringList ids;
    for (int p = 1; p <= members; ++p)
        ids << QString::number(p);
    const QList<ScheduleRow> rows = generateSchedule(ids, true);

    qint64 best[3] = {-1, -1, -1};
    const auto keep = [&](int i, qint64 ns) {
        if (best[i] < 0 || ns < best[i])
            best[i] = ns;
    };
    for (int run = 0; run < rounds; ++run) {
        keep(0, programsOwnCode(prepareDatabase(dir, 3 * run)));
        keep(1, bareInserts(prepareDatabase(dir, 3 * run + 1), rows));
        keep(2, windowCompute(prepareDatabase(dir, 3 * run + 2)));
    }
    std::printf("schedule of %d members with return round (%lld rows), best of %d runs\n", members,
                static_cast<long long>(rows.size()), rounds);
    std::printf("  program's own code:            %8.2f ms\n", best[0] / 1e6);
    std::printf("  bare prepared INSERTs, 1 tx:   %8.2f ms\n", best[1] / 1e6);
    std::printf("  ratio:                         %8.2f (aim: at most 3)\n", double(best[0]) / double(best[1]));
    std::printf("  window, with its refresh:      %8.2f ms\n", best[2] / 1e6);
    std::printf("  ratio:                         %8.2f (aim: at most 2)\n", double(best[2]) / double(best[1]));
    return 0;
}
