// A match day from pasted text: the links found, the games fetched from servers of the test's own on
// 127.0.0.1 (at most four at a time, cancellable), and each matched to the schedule or told why not.
#include "import/batchfetch.h"
#include "import/batchimport.h"
#include "testserver.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

using namespace tavorin;
using namespace tavorin::batchimport;

namespace {

QByteArray lidartsGame(const char* first, int legs1, const char* second, int legs2, int finish = 0) {
    return QStringLiteral(R"({"p1_name":"%1","p2_name":"%2","p1_legs_won":%3,"p2_legs_won":%4,"p1_high_finish":%5,)"
                          R"("p1_darts_thrown_double":9,"p2_darts_thrown_double":9})")
        .arg(QLatin1StringView(first), QLatin1StringView(second))
        .arg(legs1)
        .arg(legs2)
        .arg(finish)
        .toUtf8();
}

// Lidarts games by id; "slow" is never answered.
QByteArray lidartsResponse(const LocalHttpServer::Request& request) {
    const QByteArray id = request.path.mid(request.path.lastIndexOf('/') + 1);
    const QHash<QByteArray, QByteArray> games = {
        {"g1", lidartsGame("anna", 3, "bert", 1)},    {"g2", lidartsGame("Bert", 2, "ANNA", 3)},
        {"g3", lidartsGame("anna", 3, "bert", 0)},    {"zz", lidartsGame("xaver", 3, "yvonne", 1)},
        {"cd", lidartsGame("carl", 3, "dora", 1)},    {"old", lidartsGame("anna", 3, "bert", 1)},
        {"bad", lidartsGame("anna", 3, "bert", 1, 1)}};
    if (id == "slow")
        return {};
    return games.contains(id) ? LocalHttpServer::response(200, games.value(id)) : LocalHttpServer::response(404, "{}");
}

QByteArray relayResponse(const LocalHttpServer::Request& request) {
    if (request.body != "wert=4711")
        return LocalHttpServer::response(500, "");
    return LocalHttpServer::response(200, "erik\n2" + QByteArray(14, '\n') + "fred\n1" + QByteArray(13, '\n'),
                                     "text/plain");
}

// Anna-Bert on day 1 and back on day 2, Carl-Dora played on day 1, Erik-Fred on day 2; game "old" stored.
LeagueView league() {
    const auto match = [](Id id, int day, const char* home, const char* away, bool played = false) {
        Match m{id, day, id * 10, id * 10 + 1, home, QString(home).toLower(), away, QString(away).toLower()};
        m.played = played;
        return m;
    };
    return {1,
            {match(1, 1, "Anna", "Bert"), match(2, 1, "Carl", "Dora", true), match(3, 2, "Bert", "Anna"),
             match(4, 2, "Erik", "Fred")},
            {{"lidarts", "old"}},
            false};
}

QStringList shown(const QList<ReviewRow>& rows) {
    QStringList out;
    for (const ReviewRow& r : rows)
        out << (r.player1 + ' ' + r.legs + ' ' + r.player2 + " | " + r.outcome).trimmed();
    return out;
}

} // namespace

class TestBatchImport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QSslConfiguration trusting = QSslConfiguration::defaultConfiguration();
        trusting.addCaCertificate(LocalHttpServer::certificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
        lidarts.respondBy(lidartsResponse);
        relay.respondBy(relayResponse);
        addresses.lidartsApi = lidarts.base();
        addresses.prodarterRelay = relay.base();
        addresses.timeoutSeconds = 1;
    }

    void review_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("rows");
        const QString firstLeg = QString::fromUtf8("anna 3:1 bert | 1. Spieltag: Anna – Bert");
        QTest::newRow("links in prose, either platform, return round")
            << QString::fromUtf8("Gegen Bert: https://lidarts.org/game/g1. Rückspiel (lidarts.org/game/g2/dark)! "
                                 "http://www.pro-darter.com/match-history.php?match=4711, kein Spiel: "
                                 "https://lidarts.org/tournament/x, xlidarts.org/game/y")
            << QStringList{firstLeg, QString::fromUtf8("Bert 2:3 ANNA | 2. Spieltag: Bert – Anna"),
                           QString::fromUtf8("erik 2:1 fred | 2. Spieltag: Erik – Fred")};
        QTest::newRow("duplicates and swapped sides")
            << "[url=https://lidarts.org/game/g2]x[/url] https://LIDARTS.org/game/g2 https://lidarts.org/game/g1 "
               "lidarts.org/game/g3"
            << QStringList{QString::fromUtf8("ANNA 3:2 Bert | 1. Spieltag: Anna – Bert"), "| zweimal im Text",
                           QString::fromUtf8("bert 1:3 anna | 2. Spieltag: Bert – Anna"),
                           "anna 3:0 bert | zweimal im Text"};
        QTest::newRow("unknown, played, imported, impossible, unknown game")
            << "lidarts.org/game/zz lidarts.org/game/cd lidarts.org/game/old lidarts.org/game/bad lidarts.org/game/nn"
            << QStringList{"xaver 3:1 yvonne | kein passendes Spiel in dieser Liga",
                           "carl 3:1 dora | Ergebnis schon eingetragen (1. Spieltag)",
                           "anna 3:1 bert | Spiel schon importiert",
                           QString::fromUtf8("| Der Wert „1“ bei „Highest Finish“ von Spieler 1 ist nicht möglich."),
                           QString::fromUtf8("| Für diesen Link wurden keine Spieldaten gefunden! Der Server "
                                             "antwortete mit dem HTTP-Status 404.")};
        QTest::newRow("a silent and a failing server do not hold up the others")
            << "lidarts.org/game/slow pro-darter.de/x.php?match=9 lidarts.org/game/g1"
            << QStringList{QString::fromUtf8("| Keine Verbindung möglich! Das Zeitlimit von 1 Sekunden ist erreicht."),
                           QString::fromUtf8("| Keine Verbindung möglich! Der Server antwortete mit dem HTTP-Status "
                                             "500."),
                           firstLeg};
    }
    void review() {
        QFETCH(QString, text);
        QFETCH(QStringList, rows);
        const QList<FoundLink> links = findGameLinks(text);
        QList<Fetched> fetched(links.size());
        BatchFetch fetch(&network);
        QSignalSpy finished(&fetch, &BatchFetch::finished);
        connect(&fetch, &BatchFetch::arrived, this,
                [&](int link, const ImportedValues& values) { fetched[link] = values; });
        fetch.start(links, addresses);
        QVERIFY(finished.wait(3000));
        QCOMPARE(shown(batchimport::review(links, fetched, league(), false)), rows);
    }

    // At most four at a time, half for each platform while both wait; "Abbrechen" keeps what has arrived.
    void cancelKeepsArrived() {
        LocalHttpServer slowLidarts(true);
        LocalHttpServer silentRelay;
        slowLidarts.respondBy(lidartsResponse, 300);
        silentRelay.respondBy([](const LocalHttpServer::Request&) { return QByteArray(); });
        PlatformAddresses both = addresses;
        both.lidartsApi = slowLidarts.base();
        both.prodarterRelay = silentRelay.base();
        const QList<FoundLink> links = findGameLinks("lidarts.org/game/g1 lidarts.org/game/g2 lidarts.org/game/g3 "
                                                     "pro-darter.com/?match=1 pro-darter.com/?match=2");
        BatchFetch fetch(&network);
        QSignalSpy arrived(&fetch, &BatchFetch::arrived);
        QSignalSpy finished(&fetch, &BatchFetch::finished);
        int requests = 0;
        connect(&fetch, &BatchFetch::arrived, &fetch, [&] {
            requests = slowLidarts.requests() * 10 + silentRelay.requests();
            fetch.cancel();
        });
        fetch.start(links, both);
        QVERIFY(finished.wait(3000));
        QTest::qWait(400);
        QCOMPARE(requests, 22);
        QCOMPARE(arrived.size() * 10 + finished.size(), 11);
        QList<Fetched> fetched(links.size());
        fetched[arrived[0][0].toInt()] = arrived[0][1].value<ImportedValues>();
        QCOMPARE(shown(batchimport::review(links, fetched, league(), false)).filter("(abgebrochen)").size(), 4);
    }

private:
    LocalHttpServer lidarts{true};
    LocalHttpServer relay;
    PlatformAddresses addresses;
    QNetworkAccessManager network;
};

QTEST_GUILESS_MAIN(TestBatchImport)
#include "tst_batch_import.moc"
