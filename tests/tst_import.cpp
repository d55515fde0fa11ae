// Fetching a match's figures from Lidarts and through the Pro-Darter relay, with servers of the test's
// own on 127.0.0.1, and taking them over into the result form.
#include "guitest.h"
#include "testserver.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSslConfiguration>
#include <QTextEdit>
#include <QTimer>

Q_DECLARE_METATYPE(std::function<void()>)

using namespace guitest;

namespace {

// Anna (platform name "anna") at home against Bert ("bert") on day 1, Carl against Dora on day 2.
const QStringList seedData = leagueSeed({"Anna", "Bert", "Carl", "Dora"}, {"1:1:2", "2:3:4"});

// A finished game as Lidarts describes it: extra keys, and score bands with a count of 0 left out.
QByteArray lidartsGame(const QString& first, const QString& second, const QString& status = "completed",
                       const QString& legs1 = "3", const QString& legs2 = "2") {
    return QStringLiteral(
               R"({"status":"%1","p1_name":"%2","p2_name":"%3","p1_legs_won":%4,"p2_legs_won":%5,)"
               R"("p1_match_avg":65.4,"p2_match_avg":50.126,"p1_first9_avg":70,"p2_first9_avg":55.5,)"
               R"("p1_20":5,"p1_60":3,"p1_100":2,"p1_140":1,"p1_171":1,"p1_180":1,"p2_0":1,"p2_20":7,)"
               R"("p1_high_finish":100,"p2_high_finish":40,"p1_doubles":33.333,"p2_doubles":20,)"
               R"("p1_darts_thrown_double":9,"p2_darts_thrown_double":10,"p1_short_leg":15,"p2_short_leg":21,)"
               R"("begin":"2026-12-01T19:00:00","hashid":"q7Rk2xLp","bo_sets":1,"extra":{"x":[1,2]}})")
        .arg(status, first, second, legs1, legs2)
        .toUtf8();
}

// A relay reply: 15 lines per player (name, legs, average, first nine, doubles, finish, best leg, 180,
// 140+, 100+, 80+, 60+, 40+, 20+, 0 to 19).
QByteArray relayReply(const QString& first, const QString& second, int lines = 30) {
    QStringList out = {
        first,  "4", "58.20", "61.00", "40.00% (4/10)", "96", "17", "2", "3", "5", "6", "7", "8", "9", "1",
        second, "2", "49.90", "52.10", "25.00% (2/8)",  "40", "23", "0", "1", "2", "3", "4", "5", "6", "2"};
    return out.mid(0, lines).join('\n').toUtf8();
}

const QString noConnection = QString::fromUtf8("  Keine Verbindung möglich!  ");
const QString noData = QString::fromUtf8("  Für diesen Link wurden keine Spieldaten gefunden!  ");
const QString mismatch = QString::fromUtf8("  Die Spielernamen stimmen nicht überein!  ");

struct Dialog {
    QWidget* dialog;
    QLineEdit* link = find<QLineEdit>(*dialog, "linkLineEdit");
    QPushButton* fetch = find<QPushButton>(*dialog, "importButton");
    QTextEdit* left = find<QTextEdit>(*dialog, "werteLinksTextEdit");
    QTextEdit* right = find<QTextEdit>(*dialog, "werteRechtsTextEdit");
    QPushButton* takeOver = find<QPushButton>(*dialog, "uebernehmenButton");
    QPushButton* cancel = find<QPushButton>(*dialog, "abbrechenButton");
    void import(const QString& url) {
        link->setText(url);
        fetch->click();
    }
};

// The result form's left and right values of each field, as "left:right" joined by spaces.
QString form(const MainWindow& w, const QStringList& fields) {
    QStringList out;
    for (const QString& f : fields)
        out << w.findChild<QLineEdit*>("ergebnisLinks" + f + "LineEdit")->text() + ':' +
                   w.findChild<QLineEdit*>("ergebnisRechts" + f + "LineEdit")->text();
    return out.join(' ');
}

// The single message box shown, as "<icon>|<text>"; empty when none was shown.
QString one(const QList<SeenMessage>& seen) {
    if (seen.size() > 1)
        return QString::number(seen.size()) + " messages";
    return seen.isEmpty() ? QString() : QString::number(seen[0].icon) + '|' + seen[0].text;
}
QString info(const QString& text) {
    return QString::number(QMessageBox::Information) + '|' + text;
}
QString critical(const QString& text, const QString& reason) {
    return QString::number(QMessageBox::Critical) + '|' + text + '\n' + reason;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env = std::make_unique<LeagueTestEnv>(seedData);
        lidarts = std::make_unique<LocalHttpServer>(true);
        relay = std::make_unique<LocalHttpServer>();
        startWindow(); // writes config.ini
        configure("lidarts_api", lidarts->base());
        configure("prodarter_relay", relay->base() + "/");
        configure("zeitlimit", 2);
        restart();
        // The test certificate is trusted like a real one; TLS verification stays on.
        systemTls = QSslConfiguration::defaultConfiguration();
        QSslConfiguration trusting = systemTls;
        trusting.addCaCertificate(LocalHttpServer::certificate());
        QSslConfiguration::setDefaultConfiguration(trusting);
    }
    void cleanup() {
        QSslConfiguration::setDefaultConfiguration(systemTls);
        window.reset();
        lidarts.reset();
        relay.reset();
        other.reset();
        env.reset();
    }

    void lidartsGameTakenOverAndStored();
    void namesCompared_data();
    void namesCompared();
    void failedFetches_data();
    void failedFetches();
    void relayFetch();
    void importStateIsForgotten_data();
    void importStateIsForgotten();
    void cancelWhileFetching();
    void gameStoredForAnotherMatch();

private:
    // A new window with the first match clicked.
    void restart() {
        window = startWindow();
        clickCell(find<QTableWidget>(*window, "ergebnisseTableWidget"), 0, 1);
    }
    // Opens the import dialog from `button`; `script` drives the dialog, which is cancelled if still open.
    // Returns the message boxes shown meanwhile, answered with `answer`.
    QList<SeenMessage> withDialog(const char* button, const std::function<void(Dialog&)>& script,
                                  QMessageBox::StandardButton answer = QMessageBox::NoButton) {
        return answerModals([&] { find<QPushButton>(*window, button)->click(); },
                            [&](QWidget* d) {
                                Dialog dialog{d};
                                script(dialog);
                                if (d->isVisible())
                                    dialog.cancel->click();
                            },
                            answer);
    }
    void configure(const QString& key, const QVariant& value) {
        QSettings(env->configPath(), QSettings::IniFormat).setValue("plattformen/" + key, value);
    }
    QList<SeenMessage> save() { return press(find<QPushButton>(*window, "ergebnisEintragenButton")); }

    std::unique_ptr<LeagueTestEnv> env;
    std::unique_ptr<LocalHttpServer> lidarts, relay, other;
    std::unique_ptr<MainWindow> window;
    QSslConfiguration systemTls;
};

void TestImport::lidartsGameTakenOverAndStored() {
    lidarts->reply(200, lidartsGame("anna", "bert"));
    lidarts->redirectNext(lidarts->base().toUtf8() + "/api/game/q7Rk2xLp"); // same server: followed
    const QList<SeenMessage> seen = withDialog("lidartsButton", [&](Dialog& d) {
        QCOMPARE(find<QLabel>(*d.dialog, "linkLabel")->text(), "Lidarts Link: ");
        d.import("https://lidarts.org/game/q7Rk2xLp/dark");
        QCOMPARE(lidarts->lastRequest().method + ' ' + lidarts->lastRequest().path, "GET /api/game/q7Rk2xLp");
        QCOMPARE(d.left->toPlainText(), "anna\n3\n65.40\n70.00\n0\n5\n0\n3\n0\n2\n1\n1\n1\n100\n33.33% (3/9)\n15\n");
        QVERIFY(d.right->toPlainText().startsWith("bert\n2\n50.13\n55.50\n1\n7\n"));
        d.takeOver->click();
    });
    QVERIFY(seen.isEmpty());
    QCOMPARE(form(*window, {"Legs", "Avg", "Minus20", "Plus171", "DoublesHit", "DoublesThrown", "BestLeg"}),
             "3:2 65.40:50.13 0:1 1:0 3:2 9:10 15:21");
    // The save stores the game; another match's result does not.
    QVERIFY(save().isEmpty());
    find<QComboBox>(*window, "spieltagComboBox")->setCurrentIndex(1);
    clickCell(find<QTableWidget>(*window, "ergebnisseTableWidget"), 0, 1);
    find<QLineEdit>(*window, "ergebnisLinksLegsLineEdit")->setText("1");
    QVERIFY(save().isEmpty());
    QCOMPARE(env->query("SELECT spieltag_id||':'||legs_won||':'||hash||':'||plat FROM tv_ergebnisse ORDER BY id"),
             QStringList({"1:3:q7Rk2xLp:lidarts", "1:2:q7Rk2xLp:lidarts", "2:1::", "2:0::"}));
}

void TestImport::namesCompared_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("values"); // legs and averages after taking over, with "44" typed as the left average
    // The platform names belong to the match's players, also when both have the same forum name.
    QTest::newRow("crossed: taken over crosswise") << lidartsGame("bert", "anna") << QString() << "2:3 50.13:65.40";
    QTest::newRow("compared exactly: offered all the same")
        << lidartsGame("Anna", "bert") << info(mismatch) << "3:2 65.40:50.13";
    QTest::newRow("0:0 on the platform: nothing taken over")
        << lidartsGame("anna", "bert", "completed", "0", "0") << QString() << ": 44:";
}

void TestImport::namesCompared() {
    QFETCH(QByteArray, reply);
    QFETCH(QString, message);
    QFETCH(QString, values);
    QVERIFY(env->run("UPDATE tv_spieler SET dartn_name = 'Anna' WHERE id = 2"));
    lidarts->reply(200, reply);
    const QList<SeenMessage> seen = withDialog("lidartsButton", [&](Dialog& d) {
        d.import("https://lidarts.org/game/abc_-1");
        find<QLineEdit>(*window, "ergebnisLinksAvgLineEdit")->setText("44");
        d.takeOver->click();
    });
    QCOMPARE(one(seen), message);
    QCOMPARE(form(*window, {"Legs", "Avg"}), values);
}

// A failed fetch is critical and says why on a second line; a reply without usable data informs.
void TestImport::failedFetches_data() {
    QTest::addColumn<std::function<void()>>("setUp");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("relayRequests"); // -1: any
    const QString status = "Der Server antwortete mit dem HTTP-Status ";
    const QString redirect = QString::fromUtf8("Der Server leitet zu einer anderen Adresse über.");
    const auto row = [](const char* name, const std::function<void()>& setUp, const QString& message,
                        const QString& button = "lidartsButton", const QString& url = "https://lidarts.org/game/q7",
                        int relayRequests = -1) {
        QTest::newRow(name) << setUp << button << url << message << relayRequests;
    };
    row(
        "empty link", [] {}, QString::number(QMessageBox::Warning) + "|  Keine Adresse angegeben!  ", "lidartsButton",
        "");
    row(
        "unknown game", [this] { lidarts->reply(404, "<html>Not found</html>", "text/html"); },
        critical(noData, status + "404."));
    row(
        "not a JSON object", [this] { lidarts->reply(200, "<html>Wartung</html>", "text/html"); }, info(noData));
    row(
        "game still running", [this] { lidarts->reply(200, lidartsGame("anna", "bert", "started")); },
        info(QString::fromUtf8("  Das Spiel ist noch nicht abgeschlossen!  ")));
    row(
        "server error", [this] { lidarts->reply(500, "{}"); }, critical(noConnection, status + "500."));
    row(
        "no answer in time", [this] { lidarts->stayQuiet(); },
        critical(noConnection, "Das Zeitlimit von 2 Sekunden ist erreicht."));
    row(
        "untrusted certificate", [this] { QSslConfiguration::setDefaultConfiguration(systemTls); },
        critical(noConnection, QString::fromUtf8("Das Zertifikat des Servers ist nicht vertrauenswürdig.")));
    row(
        "reply over 1 MiB",
        [this] { lidarts->reply(200, "{\"p1_name\":\"" + QByteArray(1024 * 1024 + 10, 'x') + "\"}"); },
        critical(noData, QString::fromUtf8("Die Antwort des Servers ist größer als 1 MiB.")));
    row(
        "connection refused", [this] { lidarts.reset(); }, // nothing listens on the port any more
        critical(noConnection, "Der Server hat die Verbindung abgelehnt."));
    row(
        "redirect to another port",
        [this] {
            other = std::make_unique<LocalHttpServer>(true);
            other->reply(200, lidartsGame("anna", "bert"));
            lidarts->redirectNext(other->base().toUtf8() + "/api/game/q7");
        },
        critical(noConnection, redirect));
    row(
        "relay redirect that would send the form again",
        [this] {
            relay->reply(200, relayReply("anna", "bert"), "text/plain");
            relay->redirectNext(relay->base().toUtf8() + "/service/prodarter.php", 307);
        },
        critical(noConnection, redirect), "prodarterButton", "x?match=0", 1);
    row(
        "no relay address: nothing is sent",
        [this] {
            relay->reply(200, relayReply("anna", "bert"), "text/plain");
            configure("prodarter_relay", QString());
            restart();
        },
        critical(noConnection, QString::fromUtf8("Für Pro-Darter ist kein Relay-Dienst eingerichtet (config.ini, "
                                                 "Gruppe plattformen, prodarter_relay).")),
        "prodarterButton", "x?match=3", 0);
}

void TestImport::failedFetches() {
    QFETCH(std::function<void()>, setUp);
    QFETCH(QString, button);
    QFETCH(QString, url);
    QFETCH(QString, message);
    QFETCH(int, relayRequests);
    setUp();
    const QList<SeenMessage> seen = withDialog(qPrintable(button), [&](Dialog& d) {
        d.import(url);
        QCOMPARE(d.left->toPlainText(), QString());
        QVERIFY(!d.takeOver->isEnabled());
        QVERIFY(d.fetch->isEnabled());
    });
    QCOMPARE(one(seen), message);
    if (relayRequests >= 0)
        QCOMPARE(relay->requests(), relayRequests);
    if (other)
        QCOMPARE(other->requests(), 0);
}

void TestImport::relayFetch() {
    relay->reply(200, relayReply("<b>anna</b>", "bert"), "text/plain; charset=utf-8");
    const QList<SeenMessage> seen = withDialog("prodarterButton", [&](Dialog& d) {
        QCOMPARE(find<QLabel>(*d.dialog, "linkLabel")->text(), "Pro-Darter Link: ");
        d.import("http://www.pro-darter.com/match-history.php?match=a b&c/ä");
        const LocalHttpServer::Request& r = relay->lastRequest();
        QCOMPARE(r.method + ' ' + r.path, "POST /service/prodarter.php");
        QCOMPARE(r.headers.value("content-type"), "application/x-www-form-urlencoded");
        QCOMPARE(r.body, "wert=a%20b%26c%2F%C3%A4");
        // Shown as plain text; the name check saw the markup and reported a mismatch.
        QCOMPARE(d.left->toPlainText(), "anna\n4\n58.20\n61.00\n1\n9\n8\n7\n6\n5\n3\n2\n96\n40.00% (4/10)\n17\n");
        d.takeOver->click();
    });
    QCOMPARE(one(seen), info(mismatch));
    // The relay has no 171+.
    QCOMPARE(form(*window, {"Legs", "Plus171", "DoublesHit", "DoublesThrown", "Minus20"}), "4:2 : 4:2 10:8 1:2");
}

void TestImport::importStateIsForgotten_data() {
    QTest::addColumn<bool>("fetchFails");
    QTest::newRow("a later fetch fails") << true;
    QTest::newRow("the window closes without taking over") << false;
}

void TestImport::importStateIsForgotten() {
    QFETCH(bool, fetchFails);
    lidarts->reply(200, lidartsGame("anna", "bert"));
    withDialog("lidartsButton", [](Dialog& d) {
        d.import("https://lidarts.org/game/q7Rk2xLp");
        d.takeOver->click();
    });
    if (fetchFails)
        lidarts->reply(500, "{}");
    withDialog("lidartsButton", [&](Dialog& d) {
        if (fetchFails)
            d.import("https://lidarts.org/game/anders");
    });
    QVERIFY(save().isEmpty());
    QCOMPARE(env->query("SELECT DISTINCT quote(hash) || quote(plat) FROM tv_ergebnisse"), QStringList("''''"));
}

void TestImport::cancelWhileFetching() {
    lidarts->stayQuiet();
    bool busy = false;
    QElapsedTimer clock;
    clock.start();
    const QList<SeenMessage> seen = withDialog("lidartsButton", [&](Dialog& d) {
        QTimer::singleShot(100, d.cancel, [&] {
            busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
            d.cancel->click();
        });
        d.import("https://lidarts.org/game/q7Rk2xLp");
        QVERIFY(!d.dialog->isVisible());
    });
    QVERIFY(seen.isEmpty());
    QVERIFY(busy);
    QVERIFY(clock.elapsed() < 1500); // well before the time limit of 2 seconds
    QVERIFY(!QApplication::overrideCursor());
}

void TestImport::gameStoredForAnotherMatch() {
    QVERIFY(env->run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, hash, plat) VALUES "
                     "(2, 3, 3, 'q7Rk2xLp', 'lidarts'), (2, 4, 2, 'q7Rk2xLp', 'lidarts')"));
    const QString question = QString::number(QMessageBox::Question) + '|' +
                             QString::fromUtf8("Dieses Spiel ist schon bei Spieltag 2 (Carl – Dora) eingetragen. "
                                               "Trotzdem übernehmen?");
    const auto takeOver = [&](QMessageBox::StandardButton answer) {
        lidarts->reply(200, lidartsGame("anna", "bert"));
        return withDialog(
            "lidartsButton",
            [](Dialog& d) {
                d.import("https://lidarts.org/game/q7Rk2xLp");
                d.takeOver->click();
            },
            answer);
    };
    // "Nein", the default, takes nothing over, and a result typed afterwards is stored without the game.
    QCOMPARE(one(takeOver(QMessageBox::NoButton)), question);
    QCOMPARE(form(*window, {"Legs"}), ":");
    find<QLineEdit>(*window, "ergebnisLinksLegsLineEdit")->setText("1");
    QVERIFY(save().isEmpty());
    QCOMPARE(env->query("SELECT quote(hash) FROM tv_ergebnisse WHERE spieltag_id = 1"), QStringList({"''", "''"}));
    QCOMPARE(one(takeOver(QMessageBox::Yes)), question);
    QCOMPARE(form(*window, {"Legs"}), "3:2");
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
