// Fetching a game from servers of the test's own on 127.0.0.1: every way a reply can fail ends the fetch once,
// with its outcome and German reason.
#include "import/platformfetch.h"
#include "testserver.h"

#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTest>

using namespace tavorin;

Q_DECLARE_METATYPE(tavorin::ImportOutcome)

namespace {

const QByteArray game = R"({"p1_name":"anna","p2_name":"bert","p1_legs_won":1,"p1_darts_thrown_double":3})";
const QByteArray relayLines = "anna\n1\n\n\n(1/3)\n\n\n\n\n\n\n\n\n\n\nbert" + QByteArray(14, '\n');

} // namespace

class TestPlatformFetch : public QObject {
    Q_OBJECT

private slots:
    // The test certificate is trusted like a real one; TLS verification stays on.
    void initTestCase() { trusting.addCaCertificate(LocalHttpServer::certificate()); }
    void init() { QSslConfiguration::setDefaultConfiguration(trusting); }

    void outcomes_data() {
        QTest::addColumn<QString>("setUp"); // how the servers behave, see outcomes()
        QTest::addColumn<ImportOutcome>("outcome");
        QTest::addColumn<QString>("reason");
        const auto row = [](const char* name, const char* setUp, ImportOutcome outcome, const char* reason) {
            QTest::newRow(name) << setUp << outcome << QString::fromUtf8(reason);
        };
        using O = ImportOutcome;
        const char* incomplete = "Die Antwort des Servers ist unvollständig.";
        const char* elsewhere = "Der Server leitet zu einer anderen Adresse über.";
        row("a redirect on the same server is followed", "redirect", O::Ok, "");
        row("unknown game", "404", O::NotFound, "Der Server antwortete mit dem HTTP-Status 404.");
        row("server error", "500", O::NoConnection, "Der Server antwortete mit dem HTTP-Status 500.");
        row("not a JSON object", "html", O::NoGameData, "Die Antwort ist kein JSON-Objekt.");
        row("reply over 1 MiB", "large", O::NotFound, "Die Antwort des Servers ist größer als 1 MiB.");
        row("no answer in time", "quiet", O::TimedOut, "Das Zeitlimit von 2 Sekunden ist erreicht.");
        row("untrusted certificate", "untrusted", O::NoConnection,
            "Das Zertifikat des Servers ist nicht vertrauenswürdig.");
        row("connection refused", "refused", O::NoConnection, "Der Server hat die Verbindung abgelehnt.");
        row("redirect to another port", "other port", O::NoConnection, elsewhere);
        row("relay redirect that would send the form again", "relay redirect", O::NoConnection, elsewhere);
        row("redirect loop", "loop", O::NoConnection, "Der Server leitet im Kreis weiter.");
        row("endless chain of redirects", "chain", O::NoConnection, "Der Server leitet öfter als 5-mal weiter.");
        row("relay: a byte short of Content-Length", "relay short", O::NoConnection, incomplete);
        row("relay: reset mid-reply", "relay reset", O::NoConnection, incomplete);
        row("no relay address: nothing is sent", "no relay", O::NoConnection,
            "Für Pro-Darter ist kein Relay-Dienst eingerichtet (config.ini, Gruppe plattformen, prodarter_relay).");
    }

    void outcomes() {
        QFETCH(QString, setUp);
        QFETCH(ImportOutcome, outcome);
        QFETCH(QString, reason);
        LocalHttpServer lidarts(true);
        LocalHttpServer relay;
        LocalHttpServer other(true);
        PlatformAddresses addresses;
        addresses.lidartsApi = lidarts.base();
        addresses.prodarterRelay = setUp == "no relay" ? QString() : relay.base();
        addresses.timeoutSeconds = 2;
        const QHash<QString, int> statuses = {{"404", 404}, {"500", 500}};
        lidarts.reply(statuses.value(setUp, 200), setUp == "html" ? "<html>Wartung</html>" : game);
        relay.reply(200, relayLines, "text/plain",
                    setUp == "relay short"   ? LocalHttpServer::Cut::Short
                    : setUp == "relay reset" ? LocalHttpServer::Cut::Reset
                                             : LocalHttpServer::Cut::Whole);
        if (setUp == "redirect")
            lidarts.redirectNext(lidarts.base().toUtf8() + "/api/game/q8");
        else if (setUp == "large")
            lidarts.reply(200, QByteArray(maxReplyBytes + 1, ' '));
        else if (setUp == "quiet")
            lidarts.stayQuiet();
        else if (setUp == "untrusted")
            QSslConfiguration::setDefaultConfiguration(systemTls);
        else if (setUp == "refused")
            addresses.lidartsApi = "https://127.0.0.1:1";
        else if (setUp == "other port")
            lidarts.redirectNext(other.base().toUtf8() + "/api/game/q7");
        else if (setUp == "relay redirect")
            relay.redirectNext(relay.base().toUtf8() + "/service/prodarter.php", 307);
        else if (setUp == "loop" || setUp == "chain")
            lidarts.redirectAlways(setUp == "loop");

        const ImportedValues result = fetched(setUp.contains("relay"), addresses);
        QCOMPARE(result.outcome, outcome);
        QCOMPARE(result.reason, reason);
        QCOMPARE(result.first.size(), outcome == ImportOutcome::Ok ? 16 : 0);
        QCOMPARE(relay.requests(), setUp.startsWith("relay") ? 1 : 0);
        QCOMPARE(other.requests(), 0);
        if (setUp == "loop" || setUp == "chain") // the request, and each redirect followed
            QCOMPARE(lidarts.requests(), setUp == "loop" ? 1 : 1 + maxRedirects);
    }

private:
    // The result of one fetch of `gameId`, which must end exactly once.
    static ImportedValues fetched(bool relay, const PlatformAddresses& addresses, const QString& gameId = "q7") {
        QNetworkAccessManager manager;
        PlatformFetch fetch(&manager);
        QSignalSpy finished(&fetch, &PlatformFetch::finished);
        fetch.start(relay ? ImportPlatform::Prodarter : ImportPlatform::Lidarts, addresses, gameId);
        if (!finished.wait(5000) || finished.count() != 1 || fetch.isRunning())
            return {ImportOutcome::NoGameData, "did not end once", {}, {}, {}, {}};
        return finished.at(0).at(0).value<ImportedValues>();
    }

    const QSslConfiguration systemTls = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = systemTls;
};

QTEST_GUILESS_MAIN(TestPlatformFetch)
#include "tst_platform_fetch.moc"
