// Refreshing the result views on a full season: 20 leagues of 20 members, each with a double round
// robin and both result rows of every match, 2,000 more players in the pool. The window's fills of the
// league table, the statistics and the results table by player, against their bare queries run
// directly in the same run.
#include "app/mainwindow.h"
#include "db/connection.h"
#include "db/schema.h"
#include "league/schedule.h"
#include "results/resultlist.h"
#include "results/standings.h"
#include "season.h"

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
    buildSeason(path, leagues, perLeague, poolPlayers);
    writeDefaultConfig(configFilePath(settingsDirectory()), path);

    MainWindow window;
    auto* liga = window.findChild<QComboBox*>(QStringLiteral("tabelleLigaComboBox"));
    const QString league = liga->currentData().toString();
    auto* einzel = window.findChild<QComboBox*>(QStringLiteral("einzelSpielerComboBox"));
    const QString player = einzel->currentData().toString();
    auto* auswaehlen = window.findChild<QPushButton*>(QStringLiteral("spieleAuswaehlenButton"));

    const double table = bestOf(repeats, [&] { QMetaObject::invokeMethod(&window, "tabelleTabelleFullen"); });
    const double statistics = bestOf(repeats, [&] { QMetaObject::invokeMethod(&window, "tabelleStatistikFuellen"); });
    const double results = bestOf(repeats, [&] { auswaehlen->click(); });

    const QString lgid = QStringLiteral(":lgid");
    std::printf("season of %d leagues x %d members, double round robin, %d pool players; best of %d runs\n", leagues,
                perLeague, poolPlayers, repeats);
    report("league table (tabelleTabelleFullen)", table, bestOf(repeats, bare(leagueTableQuery(), lgid, league)));
    report("statistics (tabelleStatistikFuellen)", statistics, bestOf(repeats, bare(statisticsQuery(), lgid, league)));
    report("results by player (tabelleErgSTFuellen)", results,
           bestOf(repeats, bare(resultlist::matchesOfPlayerQuery(), QStringLiteral(":spieler"), player)));
    std::printf("  (aim: each ratio at most 2)\n");
    return 0;
}
