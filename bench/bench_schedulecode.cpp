// Generating the HTML schedule code of a league of 20 members with double round robin and every result
// stored (380 matches): the program's read and generator, against the bare schedule query plus the bare
// record query of both players of every match, executed directly in the same run.
#include "db/sqlitestore.h"
#include "export/forumcode.h"
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

void readAll(QSqlQuery& q) {
    while (q.next()) {
        for (int c = 0; c < q.record().count(); ++c)
            q.value(c);
    }
}

void bareQueries(const db::SqlStore& store) {
    QSqlDatabase dbc = QSqlDatabase::database(QStringLiteral("bare"), false);
    dbc.open();
    {
        QSqlQuery schedule(dbc);
        schedule.prepare(store.queryText(db::SqlStore::Query::ScheduleExport));
        schedule.bindValue(QStringLiteral(":liga"), 1);
        schedule.exec();
        QList<QPair<int, QPair<int, int>>> matches;
        while (schedule.next()) {
            matches.append({schedule.value(1).toInt(), {schedule.value(3).toInt(), schedule.value(4).toInt()}});
        }
        QSqlQuery record(dbc);
        record.prepare(store.queryText(db::SqlStore::Query::HomeRecord));
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
    db::SqliteStore store;
    store.open(path);
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bare")).setDatabaseName(path);

    ScheduleCodeOptions options;
    options.today = QStringLiteral("06.12.2026");
    options.currentTime = QStringLiteral("12:00");
    const PlatformAddresses platforms;
    qsizetype length = 0;
    const double program =
        bestOf(repeats, [&] { length = scheduleCode(store.scheduleForExport(1), options, platforms).size(); });
    const double bare = bestOf(repeats, [&] { bareQueries(store); });

    std::printf("HTML schedule code of 20 members, double round robin, every result stored (380 matches)\n");
    std::printf("  program's read and generator: %8.2f ms (%lld characters)\n", program,
                static_cast<long long>(length));
    std::printf("  bare queries:                 %8.2f ms\n", bare);
    std::printf("  ratio:                        %8.2f (aim: at most 2)\n", program / bare);
    return 0;
}
