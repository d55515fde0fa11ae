// Generating the HTML schedule code of a league of 20 members with double round robin and every result
// stored (380 matches): the program's read and generator, against the bare schedule query plus the bare
// record query of both players of every match, executed directly in the same run.
#include "export/forumcode.h"
#include "export/scheduleexport.h"
#include "season.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>

#include <cstdio>

using namespace tavorin;

namespace {

constexpr int repeats = 20;

const QString scheduleSql = QStringLiteral(
    "SELECT  spieltag, tv_spieltage.id AS ids, A.dartn_name AS heimname, tv_spieltage.heim AS heim_nr, "
    "tv_spieltage.gast AS gast_nr,A.prodarter_name AS heim2, legs_won, legs_lost, B.dartn_name AS gastname, "
    "B.prodarter_name AS gast2 FROM tv_spieltage LEFT JOIN tv_spieler AS A ON tv_spieltage.heim = A.id LEFT JOIN "
    "tv_spieler AS B ON tv_spieltage.gast = B.id LEFT JOIN tv_ergebnisse ON tv_spieltage.id = tv_ergebnisse "
    ".spieltag_id AND tv_spieltage.heim = tv_ergebnisse.spieler_id WHERE tv_spieltage.liga = :liga ORDER BY "
    "spieltag ASC ;");
const QString recordSql =
    QStringLiteral("SELECT  ave , p180, hf, bestleg, hash, plat, douba, doubb FROM tv_ergebnisse WHERE "
                   "tv_ergebnisse.spieltag_id = :tag AND tv_ergebnisse.spieler_id = :spieler LIMIT 1 ;");

void readAll(QSqlQuery& q) {
    while (q.next()) {
        for (int c = 0; c < q.record().count(); ++c)
            q.value(c);
    }
}

void bareQueries() {
    QSqlDatabase dbc = QSqlDatabase::database();
    dbc.open();
    {
        QSqlQuery schedule(dbc);
        schedule.prepare(scheduleSql);
        schedule.bindValue(QStringLiteral(":liga"), 1);
        schedule.exec();
        QList<QPair<int, QPair<int, int>>> matches;
        while (schedule.next()) {
            matches.append({schedule.value(1).toInt(), {schedule.value(3).toInt(), schedule.value(4).toInt()}});
        }
        QSqlQuery record(dbc);
        record.prepare(recordSql);
        for (const auto& m : matches) {
            for (int player : {m.second.first, m.second.second}) {
                record.bindValue(QStringLiteral(":tag"), m.first);
                record.bindValue(QStringLiteral(":spieler"), player);
                record.exec();
                readAll(record);
            }
        }
    }
    dbc.close();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("season.db"));
    buildSeason(path, 1, 20, 0);
    db::useDatabase(path);

    ScheduleCodeOptions options;
    options.today = QStringLiteral("06.12.2026");
    options.currentTime = QStringLiteral("12:00");
    const PlatformAddresses platforms;
    qsizetype length = 0;
    const double program = bestOf(
        repeats, [&] { length = scheduleCode(scheduleForExport(QStringLiteral("1")), options, platforms).size(); });
    const double bare = bestOf(repeats, bareQueries);

    std::printf("HTML schedule code of 20 members, double round robin, every result stored (380 matches)\n");
    std::printf("  program's read and generator: %8.2f ms (%lld characters)\n", program,
                static_cast<long long>(length));
    std::printf("  bare queries:                 %8.2f ms\n", bare);
    std::printf("  ratio:                        %8.2f (aim: at most 2)\n", program / bare);
    return 0;
}
