// How the window's cost grows with a league file's history. Two files built the same way every time:
// one season (20 leagues of 20 members, 2,000 more players in the pool, 15,200 result rows) and ten
// seasons (200 leagues of 20 members, 16,000 more players, 152,000 result rows). For each: start-up to
// an idle window against a bare QMainWindow with seven tabs, and the peak memory above it (each in a
// process of its own); a full reload; and every view fill against its bare statements on the same file.
// `bench_history --build FILE LEAGUES POOL` writes such a file (leagues of 20 members) for a look of
// one's own, and points config.ini at it.
#include "app/mainwindow.h"
#include "app/settings.h"
#include "db/leaguesession.h"
#include "db/sqlitestore.h"
#include "season.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

using namespace tavorin;

namespace {

constexpr int repeats = 10;
constexpr int starts = 5;

// A statement run bare: open, prepare, bind, step through every row reading each column, close.
struct Bare {
    QString sql;
    db::Bindings values;
};
void runBare(const QList<Bare>& statements) {
    QSqlDatabase dbc = QSqlDatabase::database(QStringLiteral("bare"), false);
    dbc.open();
    for (const Bare& b : statements) {
        QSqlQuery q(dbc);
        q.setForwardOnly(true);
        q.prepare(b.sql);
        for (const auto& [name, value] : b.values)
            q.bindValue(name, value);
        q.exec();
        const int columns = q.record().count();
        while (q.next()) {
            for (int c = 0; c < columns; ++c)
                q.value(c);
        }
    }
    dbc.close();
}

// The peak resident memory of this process's own address space (getrusage would also count what the
// parent held when it started this process).
long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// In a child process: the time to an idle window and the peak memory, printed as "ms KiB".
int measureStart(bool bare) {
    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        auto* tabs = new QTabWidget;
        for (int i = 0; i < 7; ++i)
            tabs->addTab(new QWidget, QStringLiteral("  Seite %1  ").arg(i));
        window->setCentralWidget(tabs);
        window->show();
    } else {
        window = std::make_unique<MainWindow>();
    }
    QCoreApplication::processEvents();
    std::printf("%.3f %ld\n", timer.nsecsElapsed() / 1e6, peakKiB());
    return 0;
}

struct Start {
    double ms = -1;
    long kib = 0;
};
Start bestStart(const char* mode) {
    Start best;
    for (int i = 0; i < starts; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(mode)});
        child.waitForFinished(120000);
        const QStringList out = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
        const double ms = out.value(0).toDouble();
        if (best.ms < 0 || ms < best.ms)
            best = {ms, out.value(1).trimmed().toLong()};
    }
    return best;
}

void report(const char* what, double window, double bare) {
    std::printf("  %-38s %8.2f ms   bare %8.2f ms   ratio %5.2f\n", what, window, bare, window / bare);
}

void measureFile(const char* title, int leagues, int poolPlayers) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    const QString path = home.filePath(QStringLiteral("liga.db"));
    buildSeason(path, leagues, 20, poolPlayers);
    writeDefaultConfig(configFilePath(settingsDirectory()), path);

    std::printf("%s\n", title);
    const Start bare = bestStart("--bare");
    const Start program = bestStart("--start");
    report("start-up to an idle window (aim 10 / 3)", program.ms, bare.ms);
    std::printf("  %-38s %8.1f MiB above the bare window's %.1f MiB (aim at most 40)\n", "peak memory",
                (program.kib - bare.kib) / 1024.0, bare.kib / 1024.0);

    // The fills and the reload with the administration tabs shown, so that the player lists refill too.
    MainWindow window;
    window.findChild<QAction*>(QStringLiteral("verwaltungAction"))->trigger();
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bare")).setDatabaseName(path);
    const auto* store = window.findChild<db::LeagueSession*>()->storeAs<db::SqliteStore>();
    const auto sql = [store](db::SqlStore::Query q) { return store->queryText(q); };
    using Q = db::SqlStore::Query;
    const auto combo = [&](const char* name) { return window.findChild<QComboBox*>(QLatin1StringView(name)); };
    const QVariant league = combo("tabelleLigaComboBox")->currentData();
    const QVariant player = combo("einzelSpielerComboBox")->currentData();
    const QVariant day = combo("spieltagComboBox")->currentData();
    const auto slot = [&](const char* name) { return [&window, name] { QMetaObject::invokeMethod(&window, name); }; };
    const auto bareOf = [](const QList<Bare>& s) { return [s] { runBare(s); }; };
    const QString lgid = QStringLiteral(":lgid"), liga = QStringLiteral(":liga");

    const Bare table{sql(Q::LeagueTable), {{lgid, league}}}, statistics{sql(Q::Statistics), {{lgid, league}}};
    const Bare byDay{sql(Q::MatchesOfDay), {{liga, league}, {QStringLiteral(":tag"), day}}};
    const Bare days{sql(Q::MatchDays), {{liga, league}}}, choices{sql(Q::MembersByFirstName), {{liga, league}}};
    const Bare count{sql(Q::MemberCount), {{QStringLiteral(":idliga"), league}}};
    const Bare matches{sql(Q::Schedule), {{liga, league}}}, members{sql(Q::Members), {{lgid, league}}};
    const Bare byPlayer{sql(Q::MatchesOfPlayer), {{QStringLiteral(":spieler"), player}}};
    auto* choose = window.findChild<QPushButton*>(QStringLiteral("spieleAuswaehlenButton"));

    report("league table", bestOf(repeats, slot("tabelleTabelleFullen")), bestOf(repeats, bareOf({table})));
    report("statistics", bestOf(repeats, slot("tabelleStatistikFuellen")), bestOf(repeats, bareOf({statistics})));
    report("results by match day", bestOf(repeats, slot("tabelleNachSpielstandFuellen")),
           bestOf(repeats, bareOf({byDay})));
    report("results by player", bestOf(repeats, [&] { choose->click(); }), bestOf(repeats, bareOf({byPlayer})));
    report("schedule and member count", bestOf(repeats, slot("ComboBoxAAuswahl")),
           bestOf(repeats, bareOf({count, matches})));
    report("members of the league", bestOf(repeats, slot("LigaZuordnungFuellen")), bestOf(repeats, bareOf({members})));
    report("league selectors and what follows them", bestOf(repeats, slot("ComboLigaFuellen")),
           bestOf(repeats,
                  bareOf({{sql(Q::Leagues), {}}, count, matches, members, days, byDay, choices, table, statistics})));
    std::printf("  %-38s %8.2f ms (aim at most 500)\n", "full reload, all tabs shown",
                bestOf(repeats, slot("AllesNeuLaden")));
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc > 4 && std::strcmp(argv[1], "--build") == 0) {
        buildSeason(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]), 20, std::atoi(argv[4]));
        writeDefaultConfig(configFilePath(settingsDirectory()), QString::fromLocal8Bit(argv[2]));
        return 0;
    }
    if (argc > 1)
        return measureStart(std::strcmp(argv[1], "--bare") == 0);
    std::printf("best of %d starts and %d fills; aims for the ten-season file\n", starts, repeats);
    measureFile("one season: 20 leagues of 20 members, 2,000 more players, 15,200 result rows", 20, 2000);
    measureFile("ten seasons: 200 leagues of 20 members, 16,000 more players, 152,000 result rows", 200, 16000);
    return 0;
}
