// Several organisers saving into one server league at the same time, each a program of its own (a thread with
// its own connection, league session and table): nothing is lost or stored twice, every refusal reaches its
// client, and every client's table ends as the server's. Runs only against the server the test command starts.
#include "league/schedule.h"
#include "models/standingsmodel.h"
#include "seed.h"
#include "storetarget.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSemaphore>
#include <QThread>

using namespace tavorin;

namespace {

constexpr int savesEach = 500;

// One client's matches and figures, and what became of its saves.
struct Client {
    QList<Id> matches;
    QString legs;
    int saved = 0;
    int refused = 0;
    QSet<Id> inserted;  // matches whose first result this client stored
    QSet<Id> succeeded; // matches this client saved
    QStringList failures;
    QStringList table;       // its table view at the end
    QStringList serverTable; // the same table read afresh
};

QStringList cells(const QAbstractItemModel& model) {
    QStringList out;
    for (int row = 0; row < model.rowCount(); ++row)
        for (int column = 0; column < model.columnCount(); ++column)
            out << model.index(row, column).data().toString();
    return out;
}

// Saves the client's matches one after another, each checked against the state read just before, as the
// result form does; then waits for the others and for their announcements.
void run(Client& c, const QString& database, QSemaphore& done, int clients) {
    db::LeagueSession session;
    auto owned = std::make_unique<db::PostgresStore>(StoreTarget::address(database));
    db::PostgresStore::Content content;
    if (!owned->connectToServer(&content)) {
        c.failures << QStringLiteral("no connection");
        done.release();
        return;
    }
    db::LeagueStore& store = *owned;
    session.replace(std::move(owned));
    models::StandingsModel table(session, models::StandingsModel::Kind::LeagueTable, {QStringLiteral("Name")});
    table.setLeague(1);
    for (Id match : c.matches) {
        MatchState seen = store.matchState(match);
        const bool update = !seen.results.isEmpty();
        const db::Result r = store.saveResult({update, int(match), int(seen.home), int(seen.away), {}, {}}, {c.legs},
                                              {"1"}, Points{}, &seen);
        if (r) {
            ++c.saved;
            c.succeeded << match;
            if (!update)
                c.inserted << match;
        } else if (r.conflict) {
            ++c.refused;
        } else {
            c.failures << r.error;
        }
        QCoreApplication::processEvents();
    }
    done.release();
    while (done.available() < clients) // the others' last saves are announced after they end
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    // Until no announcement has come for 1.5 s (a loaded machine may still be working through them).
    QElapsedTimer quiet, total;
    quiet.start();
    total.start();
    QObject::connect(&session, &db::LeagueSession::changed, &session, [&quiet] { quiet.restart(); });
    while (quiet.elapsed() < 1500 && total.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    c.table = cells(table);
    models::StandingsModel fresh(session, models::StandingsModel::Kind::LeagueTable, {QStringLiteral("Name")});
    fresh.setLeague(1);
    c.serverTable = cells(fresh);
}

} // namespace

class TestConcurrent : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(StoreTarget::onServer(), "the test command starts the private server"); }

    // Four clients, 500 saves each: two on matches of their own, two on the same matches.
    void manyAtOnce() {
        QTemporaryDir dir;
        StoreTarget target;
        QStringList players;
        for (int i = 1; i <= 40; ++i)
            players << QStringLiteral("Spieler%1").arg(i);
        auto store = target.make(dir, QStringLiteral("viele"), leagueSeed(players));
        QVERIFY(store);
        QStringList ids;
        for (int i = 1; i <= 40; ++i)
            ids << QString::number(i);
        QVERIFY(store->storeSchedule(1, generateSchedule(ids, true)).ok);
        const QList<Match> schedule = store->schedule(1);
        QVERIFY(schedule.size() >= 3 * savesEach);

        std::array<Client, 4> clients;
        for (int i = 0; i < 4; ++i) {
            const int first = qMin(i, 2) * savesEach;
            for (int m = first; m < first + savesEach; ++m)
                clients[i].matches << schedule[m].id;
            clients[i].legs = QString::number(3 + i);
        }
        QSemaphore done;
        QElapsedTimer clock;
        clock.start();
        QList<QThread*> threads;
        for (Client& c : clients)
            threads << QThread::create([&c, &done] { run(c, QStringLiteral("viele"), done, 4); });
        for (QThread* t : threads)
            t->start();
        for (QThread* t : threads) {
            QVERIFY(t->wait(170000));
            delete t;
        }
        const qint64 ms = clock.elapsed();

        // Every stored match holds one result of one client that saved it, first stored by exactly one.
        const QStringList stored = target.column(
            "SELECT spieltag_id || ':' || COUNT(*) || ':' || MAX(CASE WHEN spieler_id = (SELECT heim FROM tv_spieltage "
            "WHERE id = spieltag_id) THEN legs_won END) FROM tv_ergebnisse GROUP BY spieltag_id ORDER BY spieltag_id");
        for (const Client& c : clients) {
            QVERIFY2(c.failures.isEmpty(),
                     qPrintable(QString::number(c.failures.size()) + c.failures.mid(0, 4).join("\n---\n")));
            QCOMPARE(c.saved + c.refused, savesEach);
            QCOMPARE(c.table, c.serverTable);
        }
        QSet<Id> matchesSaved;
        for (const QString& line : stored) {
            const QStringList parts = line.split(':');
            const Id match = parts[0].toLongLong();
            QCOMPARE(parts[1], "2");
            int firsts = 0;
            bool bySaver = false;
            for (const Client& c : clients) {
                firsts += c.inserted.contains(match);
                bySaver = bySaver || (c.succeeded.contains(match) && c.legs == parts[2]);
            }
            QVERIFY2(firsts == 1 && bySaver, qPrintable(line));
            matchesSaved << match;
        }
        for (const Client& c : clients)
            QVERIFY(matchesSaved.contains(c.succeeded));
        qInfo("4 clients x %d saves in %lld ms: saved %d/%d/%d/%d, refused %d/%d/%d/%d, %lld matches stored", savesEach,
              ms, clients[0].saved, clients[1].saved, clients[2].saved, clients[3].saved, clients[0].refused,
              clients[1].refused, clients[2].refused, clients[3].refused, qint64(matchesSaved.size()));
    }
};

QTEST_GUILESS_MAIN(TestConcurrent)
#include "tst_concurrent.moc"
