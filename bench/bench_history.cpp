// How the window's cost grows with a league file's history. Two files built the same way every time:
// one season (20 leagues of 20 members, 2,000 more players in the pool, 15,200 result rows) and ten
// seasons (200 leagues of 20 members, 16,000 more players, 152,000 result rows). For each: start-up to
// an idle window against a bare QMainWindow with seven tabs, and the peak memory above it (each in a
// process of its own); a full reload; and every view fill against its bare statements on the same file.
// Then the ten seasons are moved to a PostgreSQL server on this machine (the tests' private one, on a Unix
// socket) the way "Liga auf den Server übertragen..." moves them, and every fill is measured again on the
// server against the bare server statements. Without PostgreSQL that part is skipped.
// `bench_history --build FILE LEAGUES POOL` writes such a file (leagues of 20 members) for a look of
// one's own, and points config.ini at it.
#include "app/mainwindow.h"
#include "app/settings.h"
#include "db/leaguesession.h"
#include "db/postgresstore.h"
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
#include <QSqlError>
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

constexpr int repeats = 50;
constexpr int starts = 5;

// A statement run bare: prepare, bind, step through every row reading each column. A league file is opened
// for the statements and closed after them, as the program opens it for each round of reads; a server
// connection stays open, as the program's does.
struct Bare {
    QString sql;
    db::Bindings values;
};
void runBare(const QString& connection, const QList<Bare>& statements) {
    QSqlDatabase dbc = QSqlDatabase::database(connection, false);
    const bool reopen = dbc.driverName() == QLatin1String("QSQLITE");
    if (reopen || !dbc.isOpen())
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
    if (reopen)
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

// A fill against its bare statements, the best of `repeats` runs of each, taken in turns so that both meet the
// same load of the machine.
void reportFill(const char* what, const std::function<void()>& fill, const std::function<void()>& bare) {
    double best[2] = {-1, -1};
    for (int i = 0; i < 2 * repeats; ++i) {
        const double ms = bestOf(1, i % 2 ? bare : fill);
        best[i % 2] = best[i % 2] < 0 ? ms : qMin(best[i % 2], ms);
    }
    report(what, best[0], best[1]);
}

// Every view fill of `window` against its bare statements on the Qt SQL connection `connection` to the same
// league, and the full reload.
void measureFills(MainWindow& window, const QString& connection) {
    window.findChild<QAction*>(QStringLiteral("verwaltungAction"))->trigger(); // the player lists refill too
    const auto* store = window.findChild<db::LeagueSession*>()->storeAs<db::SqlStore>();
    const auto sql = [store](db::SqlStore::Query q) { return store->queryText(q); };
    using Q = db::SqlStore::Query;
    const auto combo = [&](const char* name) { return window.findChild<QComboBox*>(QLatin1StringView(name)); };
    const QVariant league = combo("tabelleLigaComboBox")->currentData();
    const QVariant player = combo("einzelSpielerComboBox")->currentData();
    const QVariant day = combo("spieltagComboBox")->currentData();
    const auto slot = [&](const char* name) { return [&window, name] { QMetaObject::invokeMethod(&window, name); }; };
    const auto bareOf = [connection](const QList<Bare>& s) { return [connection, s] { runBare(connection, s); }; };
    const QString lgid = QStringLiteral(":lgid"), liga = QStringLiteral(":liga");

    const Bare table{sql(Q::LeagueTable), {{lgid, league}}}, statistics{sql(Q::Statistics), {{lgid, league}}};
    const Bare byDay{sql(Q::MatchesOfDay), {{liga, league}, {QStringLiteral(":tag"), day}}};
    const Bare days{sql(Q::MatchDays), {{liga, league}}}, choices{sql(Q::MembersByFirstName), {{liga, league}}};
    const Bare count{sql(Q::MemberCount), {{QStringLiteral(":idliga"), league}}};
    const Bare matches{sql(Q::Schedule), {{liga, league}}}, members{sql(Q::Members), {{lgid, league}}};
    const Bare byPlayer{sql(Q::MatchesOfPlayer), {{QStringLiteral(":spieler"), player}}};
    auto* choose = window.findChild<QPushButton*>(QStringLiteral("spieleAuswaehlenButton"));

    reportFill("league table", slot("tabelleTabelleFullen"), bareOf({table}));
    reportFill("statistics", slot("tabelleStatistikFuellen"), bareOf({statistics}));
    reportFill("results by match day", slot("tabelleNachSpielstandFuellen"), bareOf({byDay}));
    reportFill(
        "results by player", [&] { choose->click(); }, bareOf({byPlayer}));
    reportFill("schedule and member count", slot("ComboBoxAAuswahl"), bareOf({count, matches}));
    reportFill("members of the league", slot("LigaZuordnungFuellen"), bareOf({members}));
    reportFill("league selectors and what follows them", slot("ComboLigaFuellen"),
               bareOf({{sql(Q::Leagues), {}}, count, matches, members, days, byDay, choices, table, statistics}));
    std::printf("  %-38s %8.2f ms (aim at most 500)\n", "full reload, all tabs shown",
                bestOf(repeats, slot("AllesNeuLaden")));
}

// The tests' private PostgreSQL server (tests/pg_server.sh) in a folder of its own, stopped again at the end.
class LocalServer {
public:
    LocalServer() = default;
    LocalServer(const LocalServer&) = delete;
    LocalServer& operator=(const LocalServer&) = delete;
    ~LocalServer() {
        if (running)
            QProcess::execute(script(), {QStringLiteral("stop"), folder.path()});
    }
    // Starts it; otherwise `why` says why not.
    bool start(QString* why) {
        QProcess run;
        run.start(script(), {QStringLiteral("start"), folder.path()});
        running = run.waitForFinished(120000) && run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0;
        const QString told = QString::fromLocal8Bit(run.readAllStandardError()).trimmed();
        if (!running)
            *why = told.isEmpty() ? run.errorString() : told.section(QLatin1Char('\n'), 0, 0);
        return running;
    }
    // The address of database `name` on it, as the superuser "tavorin".
    db::ServerAddress address(const QString& name) const {
        db::ServerAddress a;
        a.host = folder.path();
        a.user = QStringLiteral("tavorin");
        a.database = name;
        return a;
    }
    // Creates the empty database `name`.
    bool create(const QString& name) const {
        bool made = false;
        {
            QSqlDatabase admin = connect(QStringLiteral("admin"), address(QStringLiteral("postgres")));
            made = admin.open() && QSqlQuery(admin).exec(QStringLiteral("CREATE DATABASE ") + name);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("admin"));
        return made;
    }
    // A Qt SQL connection `connection` to `address`, not yet opened.
    static QSqlDatabase connect(const QString& connection, const db::ServerAddress& address) {
        QSqlDatabase dbc = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
        dbc.setHostName(address.host);
        dbc.setPort(address.port);
        dbc.setDatabaseName(address.database);
        dbc.setUserName(address.user);
        return dbc;
    }

private:
    static QString script() { return QStringLiteral(TAVORIN_PG_SERVER); }
    QTemporaryDir folder; // not inside the benchmark's home: the server may run as another user
    bool running = false;
};

// Moves the league file `file` to the empty database at `address` as "Liga auf den Server übertragen..." does
// once the server is chosen: connecting, the check for doubled results, then the tables and every row in one
// transaction. `seconds` is its time.
db::Result moveToServer(const QString& file, const db::ServerAddress& address, double* seconds) {
    db::SqliteStore source;
    if (db::Result r = source.open(file); !r)
        return r;
    db::PostgresStore target(address);
    QElapsedTimer timer;
    timer.start();
    auto content = db::PostgresStore::Content::Other;
    if (db::Result r = target.connectToServer(&content); !r || content != db::PostgresStore::Content::Empty)
        return r ? db::Result::failure(QStringLiteral("the database is not empty")) : r;
    if (!source.doubledResults().isEmpty())
        return db::Result::failure(QStringLiteral("doubled results"));
    const db::Result moved = target.transaction([&] {
        const db::Result made = target.createTables();
        return made ? target.copyAllFrom(source) : made;
    });
    *seconds = timer.nsecsElapsed() / 1e9;
    return moved;
}

// The ten seasons of `file` moved to the local server, and every fill on it with the window connected there
// (config.ini at `config` names the server, as after a move).
void measureServer(const QString& file, const QString& config) {
    std::printf("the ten seasons on a PostgreSQL server on this machine (Unix socket)\n");
    LocalServer server;
    QString why;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        why = QStringLiteral("Qt's QPSQL driver is missing");
    if (!why.isEmpty() || !server.start(&why)) {
        std::printf("  server part skipped: %s\n", qPrintable(why));
        return;
    }
    const db::ServerAddress address = server.address(QStringLiteral("liga"));
    double seconds = 0;
    const db::Result moved = server.create(address.database) ? moveToServer(file, address, &seconds)
                                                             : db::Result::failure(QStringLiteral("no database"));
    if (!moved) {
        std::printf("  server part failed: %s\n", qPrintable(moved.error));
        return;
    }
    {
        QSqlDatabase bare = LocalServer::connect(QStringLiteral("bareServer"), address);
        bare.open();
        QSqlQuery rows(bare);
        rows.exec(QStringLiteral("SELECT COUNT(*) FROM tv_ergebnisse"));
        rows.next();
        std::printf("  %-38s %8.2f s    aim under 60 s (%lld result rows on the server)\n",
                    "moving the file to the server", seconds, rows.value(0).toLongLong());
        storeServerConnection(config, address.uri());
        MainWindow window;
        if (window.findChild<db::LeagueSession*>()->storeAs<db::PostgresStore>())
            measureFills(window, QStringLiteral("bareServer"));
        else
            std::printf("  the window did not connect to the server\n");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bareServer"));
}

void measureFile(const char* title, int leagues, int poolPlayers, bool alsoOnServer) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
    const QString path = home.filePath(QStringLiteral("liga.db"));
    buildSeason(path, leagues, 20, poolPlayers);
    const QString config = configFilePath(settingsDirectory());
    writeDefaultConfig(config, path);

    std::printf("%s\n", title);
    const Start bare = bestStart("--bare");
    const Start program = bestStart("--start");
    report("start-up to an idle window (aim 10 / 3)", program.ms, bare.ms);
    std::printf("  %-38s %8.1f MiB above the bare window's %.1f MiB (aim at most 40)\n", "peak memory",
                (program.kib - bare.kib) / 1024.0, bare.kib / 1024.0);
    {
        MainWindow window;
        QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bare")).setDatabaseName(path);
        measureFills(window, QStringLiteral("bare"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bare"));
    if (alsoOnServer)
        measureServer(path, config);
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
    measureFile("one season: 20 leagues of 20 members, 2,000 more players, 15,200 result rows", 20, 2000, false);
    measureFile("ten seasons: 200 leagues of 20 members, 16,000 more players, 152,000 result rows", 200, 16000, true);
    return 0;
}
