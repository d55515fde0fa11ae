// Fetching a match's figures from Lidarts and through the Pro-Darter relay, from servers of the test's own
// on 127.0.0.1, and taking them over into the result form (the replies' parsing is in tst_import_parsers).
#include "guitest.h"
#include "testserver.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

using namespace guitest;

namespace {

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
QByteArray relayReply(const QString& first, const QString& second) {
    return (first + "\n4\n58.20\n61.00\n40.00% (4/10)\n96\n17\n2\n3\n5\n6\n7\n8\n9\n1\n" + second +
            "\n2\n49.90\n52.10\n25.00% (2/8)\n40\n23\n0\n1\n2\n3\n4\n5\n6\n2")
        .toUtf8();
}

// Messages as shown() gives them; a critical one (3) says why on its second line, an informing one is 1.
const QString noConnection = QString::fromUtf8("3|  Keine Verbindung möglich!  \n");
const QString noData = QString::fromUtf8("|  Für diesen Link wurden keine Spieldaten gefunden!  ");
const QString mismatch = QString::fromUtf8("1|  Die Spielernamen stimmen nicht überein!  ");
const QString status = "\nDer Server antwortete mit dem HTTP-Status ";
const QString redirect = QString::fromUtf8("Der Server leitet zu einer anderen Adresse über.");

struct Dialog {
    QWidget* dialog;
    QPushButton* fetch = find<QPushButton>(*dialog, "importButton");
    QTextEdit* left = find<QTextEdit>(*dialog, "werteLinksTextEdit");
    QPushButton* takeOver = find<QPushButton>(*dialog, "uebernehmenButton");
    QPushButton* cancel = find<QPushButton>(*dialog, "abbrechenButton");
    void import(const QString& url) {
        find<QLineEdit>(*dialog, "linkLineEdit")->setText(url);
        fetch->click();
    }
};

// The result form's left and right values of each field, as "left:right" joined by spaces.
QString form(const MainWindow& w, const QStringList& fields) {
    QStringList out;
    for (const QString& f : fields)
        out << find<QLineEdit>(w, "ergebnisLinks" + f + "LineEdit")->text() + ':' +
                   find<QLineEdit>(w, "ergebnisRechts" + f + "LineEdit")->text();
    return out.join(' ');
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    // Anna (platform name "anna") at home against Bert ("bert") on day 1, Carl against Dora on day 2.
    void init() {
        env = std::make_unique<LeagueTestEnv>(leagueSeed({"Anna", "Bert", "Carl", "Dora"}, {"1:1:2", "2:3:4"}));
        lidarts = std::make_unique<LocalHttpServer>(true);
        relay = std::make_unique<LocalHttpServer>();
        startWindow(); // writes config.ini
        env->setConfig("plattformen/lidarts_api", lidarts->base());
        env->setConfig("plattformen/prodarter_relay", relay->base() + "/");
        env->setConfig("plattformen/zeitlimit", 2);
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

    void lidartsGameTakenOverAndStored() {
        lidarts->reply(200, lidartsGame("anna", "bert"));
        lidarts->redirectNext(lidarts->base().toUtf8() + "/api/game/q7Rk2xLp"); // same server: followed
        const QString seen = withDialog("lidartsButton", [&](Dialog& d) {
            d.import("https://lidarts.org/game/q7Rk2xLp/dark");
            QCOMPARE(lidarts->lastRequest().method + ' ' + lidarts->lastRequest().path, "GET /api/game/q7Rk2xLp");
            d.takeOver->click();
        });
        QCOMPARE(seen, QString());
        QCOMPARE(form(*window, {"Legs", "Avg", "Minus20", "Plus171", "DoublesHit", "DoublesThrown", "BestLeg"}),
                 "3:2 65.40:50.13 0:1 1:0 3:2 9:10 15:21");
        // The save stores the game; another match's result does not.
        QCOMPARE(save(), QString());
        find<QComboBox>(*window, "spieltagComboBox")->setCurrentIndex(1);
        clickCell(find<QTableWidget>(*window, "ergebnisseTableWidget"), 0, 1);
        find<QLineEdit>(*window, "ergebnisLinksLegsLineEdit")->setText("1");
        QCOMPARE(save(), QString());
        QCOMPARE(env->query("SELECT spieltag_id||':'||legs_won||':'||hash||':'||plat FROM tv_ergebnisse ORDER BY id"),
                 QStringList({"1:3:q7Rk2xLp:lidarts", "1:2:q7Rk2xLp:lidarts", "2:1::", "2:0::"}));
    }
    void namesCompared_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("values"); // legs and averages after taking over, "44" typed as the left average
        // The platform names belong to the match's players, also when both have the same forum name.
        QTest::newRow("crossed: taken over crosswise") << lidartsGame("bert", "anna") << QString() << "2:3 50.13:65.40";
        QTest::newRow("0:0 on the platform: nothing taken over")
            << lidartsGame("anna", "bert", "completed", "0", "0") << QString() << ": 44:";
    }
    void namesCompared() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        QFETCH(QString, values);
        QVERIFY(env->run("UPDATE tv_spieler SET dartn_name = 'Anna' WHERE id = 2"));
        lidarts->reply(200, reply);
        const QString seen = withDialog("lidartsButton", [&](Dialog& d) {
            d.import("https://lidarts.org/game/abc_-1");
            find<QLineEdit>(*window, "ergebnisLinksAvgLineEdit")->setText("44");
            d.takeOver->click();
        });
        QCOMPARE(seen, message);
        QCOMPARE(form(*window, {"Legs", "Avg"}), values);
    }
    // Each failure is reported once, and the dialog offers nothing to take over but another fetch.
    void failedFetches_data() {
        QTest::addColumn<QString>("setUp"); // how the servers behave, see failedFetches()
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        const auto lidartsReply = [](const char* name, int status, const QByteArray& reply, const QString& message) {
            QTest::newRow(name) << "reply" << status << reply << message;
        };
        const auto row = [](const char* name, const QString& setUp, const QString& message) {
            QTest::newRow(name) << setUp << 0 << QByteArray() << message;
        };
        lidartsReply("unknown game", 404, "<html>Not found</html>", "3" + noData + status + "404.");
        lidartsReply("not a JSON object", 200, "<html>Wartung</html>", "1" + noData);
        lidartsReply("game still running", 200, lidartsGame("anna", "bert", "started"),
                     QString::fromUtf8("1|  Das Spiel ist noch nicht abgeschlossen!  "));
        lidartsReply("server error", 500, "{}", noConnection + status.mid(1) + "500.");
        lidartsReply("reply over 1 MiB", 200, "{\"p1_name\":\"" + QByteArray(1024 * 1024 + 10, 'x') + "\"}",
                     "3" + noData + QString::fromUtf8("\nDie Antwort des Servers ist größer als 1 MiB."));
        row("empty link", "empty", "2|  Keine Adresse angegeben!  ");
        row("no answer in time", "quiet", noConnection + "Das Zeitlimit von 2 Sekunden ist erreicht.");
        row("untrusted certificate", "untrusted",
            noConnection + QString::fromUtf8("Das Zertifikat des Servers ist nicht vertrauenswürdig."));
        row("connection refused", "refused", noConnection + "Der Server hat die Verbindung abgelehnt.");
        row("redirect to another port", "redirect", noConnection + redirect);
        row("relay redirect that would send the form again", "relay redirect", noConnection + redirect);
        row("no relay address: nothing is sent", "no relay",
            noConnection + QString::fromUtf8("Für Pro-Darter ist kein Relay-Dienst eingerichtet (config.ini, Gruppe "
                                             "plattformen, prodarter_relay)."));
    }
    void failedFetches() {
        QFETCH(QString, setUp);
        QFETCH(int, status);
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        lidarts->reply(status, reply);
        relay->reply(200, relayReply("anna", "bert"), "text/plain");
        if (setUp == "quiet")
            lidarts->stayQuiet();
        else if (setUp == "untrusted")
            QSslConfiguration::setDefaultConfiguration(systemTls);
        else if (setUp == "refused")
            lidarts.reset(); // nothing listens on the port any more
        else if (setUp == "redirect") {
            other = std::make_unique<LocalHttpServer>(true);
            other->reply(200, lidartsGame("anna", "bert"));
            lidarts->redirectNext(other->base().toUtf8() + "/api/game/q7");
        } else if (setUp == "relay redirect")
            relay->redirectNext(relay->base().toUtf8() + "/service/prodarter.php", 307);
        else if (setUp == "no relay") {
            env->setConfig("plattformen/prodarter_relay", QString());
            restart();
        }
        const bool viaRelay = setUp.contains("relay");
        const QString seen = withDialog(viaRelay ? "prodarterButton" : "lidartsButton", [&](Dialog& d) {
            d.import(setUp == "empty" ? "" : viaRelay ? "x?match=1" : "https://lidarts.org/game/q7");
            QCOMPARE(d.left->toPlainText(), QString());
            QVERIFY(!d.takeOver->isEnabled() && d.fetch->isEnabled());
        });
        QCOMPARE(seen, message);
        QCOMPARE(relay->requests(), setUp == "relay redirect" ? 1 : 0);
        QCOMPARE(other ? other->requests() : 0, 0);
    }
    void relayFetch() {
        relay->reply(200, relayReply("<b>anna</b>", "bert"), "text/plain; charset=utf-8");
        const QString seen = withDialog("prodarterButton", [&](Dialog& d) {
            d.import(QString::fromUtf8("http://pro-darter.com/match-history.php?match=a b&c/ä"));
            const LocalHttpServer::Request& r = relay->lastRequest();
            QCOMPARE(r.method + ' ' + r.path, "POST /service/prodarter.php");
            QCOMPARE(r.headers.value("content-type"), "application/x-www-form-urlencoded");
            QCOMPARE(r.body, "wert=a%20b%26c%2F%C3%A4");
            // Shown as plain text; the name check saw the markup.
            QCOMPARE(d.left->toPlainText(), "anna\n4\n58.20\n61.00\n1\n9\n8\n7\n6\n5\n3\n2\n96\n40.00% (4/10)\n17\n");
            d.takeOver->click();
        });
        QCOMPARE(seen, mismatch);
        // The relay has no 171+.
        QCOMPARE(form(*window, {"Legs", "Plus171", "DoublesHit", "DoublesThrown", "Minus20"}), "4:2 : 4:2 10:8 1:2");
    }
    void importStateIsForgotten_data() {
        QTest::addColumn<bool>("fetchFails");
        QTest::newRow("a later fetch fails") << true;
        QTest::newRow("the window closes without taking over") << false;
    }
    // A game id is stored only with the values it came with.
    void importStateIsForgotten() {
        QFETCH(bool, fetchFails);
        lidarts->reply(200, lidartsGame("anna", "bert"));
        importAndTakeOver("https://lidarts.org/game/q7Rk2xLp");
        lidarts->reply(500, "{}");
        withDialog("lidartsButton", [&](Dialog& d) {
            if (fetchFails)
                d.import("https://lidarts.org/game/anders");
        });
        QCOMPARE(save(), QString());
        QCOMPARE(env->query("SELECT DISTINCT quote(hash) || quote(plat) FROM tv_ergebnisse"), QStringList("''''"));
    }
    void cancelWhileFetching() {
        lidarts->stayQuiet();
        bool busy = false;
        QElapsedTimer clock;
        clock.start();
        const QString seen = withDialog("lidartsButton", [&](Dialog& d) {
            QTimer::singleShot(100, d.cancel, [&] {
                busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
                d.cancel->click();
            });
            d.import("https://lidarts.org/game/q7Rk2xLp");
            QVERIFY(!d.dialog->isVisible());
        });
        QCOMPARE(seen, QString());
        QVERIFY(busy);
        QVERIFY(clock.elapsed() < 1500); // well before the time limit of 2 seconds
        QVERIFY(!QApplication::overrideCursor());
    }
    void gameStoredForAnotherMatch() {
        QVERIFY(env->run("INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, legs_won, hash, plat) VALUES "
                         "(2, 3, 3, 'q7Rk2xLp', 'lidarts'), (2, 4, 2, 'q7Rk2xLp', 'lidarts')"));
        lidarts->reply(200, lidartsGame("anna", "bert"));
        const QString question = QString::fromUtf8("4|Dieses Spiel ist schon bei Spieltag 2 (Carl – Dora) eingetragen. "
                                                   "Trotzdem übernehmen?");
        // "Nein", the default, takes nothing over, and a result typed afterwards is stored without the game.
        const QString seen = withDialog("lidartsButton", [](Dialog& d) {
            d.import("https://lidarts.org/game/q7Rk2xLp");
            d.takeOver->click();
        });
        QCOMPARE(seen, question);
        QCOMPARE(form(*window, {"Legs"}), ":");
        find<QLineEdit>(*window, "ergebnisLinksLegsLineEdit")->setText("1");
        QCOMPARE(save(), QString());
        QCOMPARE(env->query("SELECT quote(hash) FROM tv_ergebnisse WHERE spieltag_id = 1"), QStringList({"''", "''"}));
        importAndTakeOver("https://lidarts.org/game/q7Rk2xLp", QMessageBox::Yes);
        QCOMPARE(form(*window, {"Legs"}), "3:2");
    }

private:
    // A new window with the first match clicked.
    void restart() {
        window = startWindow();
        clickCell(find<QTableWidget>(*window, "ergebnisseTableWidget"), 0, 1);
    }
    // Opens the import dialog from `button`; `script` drives the dialog, which is cancelled if still open.
    // Returns the message boxes shown meanwhile, answered with `answer`, as shown() gives them.
    QString withDialog(const QString& button, const std::function<void(Dialog&)>& script,
                       QMessageBox::StandardButton answer = QMessageBox::NoButton) {
        return shown(answerModals([&] { find<QPushButton>(*window, button)->click(); },
                                  [&](QWidget* d) {
                                      Dialog dialog{d};
                                      script(dialog);
                                      if (d->isVisible())
                                          dialog.cancel->click();
                                  },
                                  answer));
    }
    void importAndTakeOver(const QString& url, QMessageBox::StandardButton answer = QMessageBox::NoButton) {
        withDialog(
            "lidartsButton",
            [&](Dialog& d) {
                d.import(url);
                d.takeOver->click();
            },
            answer);
    }
    QString save() { return shown(press(find<QPushButton>(*window, "ergebnisEintragenButton"))); }

    std::unique_ptr<LeagueTestEnv> env;
    std::unique_ptr<LocalHttpServer> lidarts, relay, other;
    std::unique_ptr<MainWindow> window;
    QSslConfiguration systemTls;
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
