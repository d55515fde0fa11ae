// Fetching a match's figures from Lidarts and through the Pro-Darter relay, with servers of the test's
// own on 127.0.0.1, and taking them over into the result form.
#include "guitest.h"
#include "testenv.h"
#include "testserver.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSslConfiguration>
#include <QTextEdit>
#include <QTimer>

using namespace guitest;

namespace {

// Anna (platform name "anna") at home against Bert ("bert") on day 1, Carl against Dora on day 2.
const QStringList seedData = {
    "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (1, 'Anna', 'anna'), (2, 'Bert', 'bert'), "
    "(3, 'Carl', 'carl'), (4, 'Dora', 'dora')",
    "INSERT INTO tv_ligen (id, liga_name) VALUES (1, 'Nord')",
    "INSERT INTO tv_zuordnung (id_spieler, id_liga) VALUES (1, 1), (2, 1), (3, 1), (4, 1)",
    "INSERT INTO tv_spieltage (id, liga, spieltag, heim, gast) VALUES (1, 1, 1, 1, 2), (2, 1, 2, 3, 4)",
};

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

// The single message box shown, as "<icon>|<text>".
QString one(const QList<SeenMessage>& seen) {
    return seen.size() == 1 ? QString::number(seen[0].icon) + '|' + seen[0].text : QString::number(seen.size());
}
QString info(const QString& text) {
    return QString::number(QMessageBox::Information) + '|' + text;
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    void init() {
        env = std::make_unique<LeagueTestEnv>(seedData);
        lidarts = std::make_unique<LocalHttpServer>(LocalHttpServer::testCertificate(), LocalHttpServer::testKey());
        relay = std::make_unique<LocalHttpServer>();
        startWindow(); // writes config.ini
        configure("lidarts_api", lidarts->base());
        configure("prodarter_relay", relay->base() + "/");
        configure("zeitlimit", 2);
        // The test certificate is trusted like a real one; TLS verification stays on.
        systemTls = QSslConfiguration::defaultConfiguration();
        QSslConfiguration trusting = systemTls;
        trusting.addCaCertificate(LocalHttpServer::testCertificate());
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

    void lidartsGamesTakenOverAndStored();
    void failedLidartsFetches();
    void relayFetch();
    void importStateIsForgotten_data() {
        QTest::addColumn<bool>("fetchFails");
        QTest::newRow("a later fetch fails") << true;
        QTest::newRow("the window closes without taking over") << false;
    }
    void importStateIsForgotten() {
        QFETCH(bool, fetchFails);
        lidarts->reply(200, lidartsGame("anna", "bert"));
        withDialog("lidartsButton", [](Dialog& d) {
            d.import("https://lidarts.org/game/q7Rk2xLp");
            d.takeOver->click();
        });
        if (fetchFails)
            lidarts->reply(500, "{}");
        answerModals([&] { find<QPushButton>(*window, "lidartsButton")->click(); },
                     [&](QWidget* dialog) {
                         Dialog d{dialog};
                         if (fetchFails)
                             d.import("https://lidarts.org/game/anders");
                         d.cancel->click();
                     });
        QVERIFY(press(find<QPushButton>(*window, "ergebnisEintragenButton")).isEmpty());
        QCOMPARE(env->query("SELECT DISTINCT quote(hash) || quote(plat) FROM tv_ergebnisse"), QStringList("''''"));
    }
    void cancelWhileFetching();
    void gameStoredForAnotherMatch();

private:
    // Clicks the first match and opens the import dialog from `button`; `script` drives the dialog, which
    // is cancelled if still open. Returns the message boxes shown meanwhile, answered with `answer`.
    QList<SeenMessage> withDialog(const char* button, const std::function<void(Dialog&)>& script,
                                  QMessageBox::StandardButton answer = QMessageBox::NoButton) {
        if (!window)
            window = startWindow();
        clickCell(find<QTableWidget>(*window, "ergebnisseTableWidget"), 0, 1);
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

    std::unique_ptr<LeagueTestEnv> env;
    std::unique_ptr<LocalHttpServer> lidarts, relay, other;
    std::unique_ptr<MainWindow> window;
    QSslConfiguration systemTls;
};

void TestImport::lidartsGamesTakenOverAndStored() {
    lidarts->reply(200, lidartsGame("anna", "bert"));
    lidarts->redirectNext(lidarts->base().toUtf8() + "/api/game/q7Rk2xLp"); // same server: followed
    QList<SeenMessage> seen = withDialog("lidartsButton", [&](Dialog& d) {
        QCOMPARE(d.dialog->findChild<QLabel*>("linkLabel")->text(), "Lidarts Link: ");
        QVERIFY(!d.takeOver->isEnabled());
        d.import("https://lidarts.org/game/q7Rk2xLp/dark");
        QCOMPARE(lidarts->lastRequest().method + ' ' + lidarts->lastRequest().path, "GET /api/game/q7Rk2xLp");
        QCOMPARE(d.left->toPlainText(), "anna\n3\n65.40\n70.00\n0\n5\n0\n3\n0\n2\n1\n1\n1\n100\n33.33% (3/9)\n15\n");
        QVERIFY(d.right->toPlainText().startsWith("bert\n2\n50.13\n55.50\n1\n7\n"));
        QVERIFY(d.takeOver->isEnabled());
        d.takeOver->click();
    });
    QVERIFY(seen.isEmpty());
    const MainWindow& w = *window;
    QCOMPARE(form(w, {"Legs", "Avg", "Minus20", "Plus171", "DoublesHit", "DoublesThrown", "BestLeg"}),
             "3:2 65.40:50.13 0:1 1:0 3:2 9:10 15:21");
    // The save stores the game; another match's result does not.
    QVERIFY(press(find<QPushButton>(w, "ergebnisEintragenButton")).isEmpty());
    find<QComboBox>(w, "spieltagComboBox")->setCurrentIndex(1);
    clickCell(find<QTableWidget>(w, "ergebnisseTableWidget"), 0, 1);
    find<QLineEdit>(w, "ergebnisLinksLegsLineEdit")->setText("1");
    QVERIFY(press(find<QPushButton>(w, "ergebnisEintragenButton")).isEmpty());
    QCOMPARE(DbPeek(env->defaultDatabase())
                 .column("SELECT spieltag_id||':'||legs_won||':'||hash||':'||plat FROM tv_ergebnisse ORDER BY id"),
             QStringList({"1:3:q7Rk2xLp:lidarts", "1:2:q7Rk2xLp:lidarts", "2:1::", "2:0::"}));

    // Crossed names are taken over crosswise (on a fresh database, as does every later part). The
    // platform names belong to the match's players, also when both have the same forum name.
    cleanup();
    init();
    QVERIFY(env->run("UPDATE tv_spieler SET dartn_name = 'Anna' WHERE id = 2"));
    lidarts->reply(200, lidartsGame("bert", "anna"));
    seen = withDialog("lidartsButton", [&](Dialog& d) {
        d.import("https://lidarts.org/game/abc_-1");
        QVERIFY(d.left->toPlainText().startsWith("anna\n2\n50.13"));
        QVERIFY(d.right->toPlainText().startsWith("bert\n3\n65.40"));
        d.takeOver->click();
    });
    QVERIFY(seen.isEmpty());
    QCOMPARE(form(*window, {"Legs", "HighestFinish"}), "2:3 40:100");

    // Names are compared exactly: "Anna" is not "anna". The values are offered all the same.
    lidarts->reply(200, lidartsGame("Anna", "bert"));
    seen = withDialog("lidartsButton", [&](Dialog& d) {
        d.import("https://lidarts.org/game/abc");
        QVERIFY(d.left->toPlainText().startsWith("Anna\n3"));
        QVERIFY(d.takeOver->isEnabled());
    });
    QCOMPARE(one(seen), info(mismatch));

    // An empty link is refused; a 0:0 game on the platform takes nothing over.
    cleanup();
    init();
    lidarts->reply(200, lidartsGame("anna", "bert", "completed", "0", "0"));
    seen = withDialog("lidartsButton", [&](Dialog& d) {
        d.import(QString());
        QVERIFY(!d.takeOver->isEnabled());
        d.import("https://lidarts.org/game/zero");
        find<QLineEdit>(*window, "ergebnisLinksAvgLineEdit")->setText("44");
        d.takeOver->click();
    });
    QCOMPARE(one(seen), QString::number(QMessageBox::Warning) + "|  Keine Adresse angegeben!  ");
    QCOMPARE(form(*window, {"Avg"}), "44:");
}

void TestImport::failedLidartsFetches() {
    // A failed fetch is critical and says why on a second line; a reply without usable data informs.
    struct Case {
        QString name, message, reason;
        std::function<void()> setUp;
        const char* button = "lidartsButton";
        QString url = "https://lidarts.org/game/q7Rk2xLp";
    };
    const QString status = "Der Server antwortete mit dem HTTP-Status ";
    const QList<Case> cases = {
        {"unknown game", noData, status + "404.",
         [&] { lidarts->reply(404, "<html><body>Not found</body></html>", "text/html"); }},
        {"not a JSON object", noData, "", [&] { lidarts->reply(200, "<html>Wartung</html>", "text/html"); }},
        {"game still running", QString::fromUtf8("  Das Spiel ist noch nicht abgeschlossen!  "), "",
         [&] { lidarts->reply(200, lidartsGame("anna", "bert", "started")); }},
        {"server error", noConnection, status + "500.", [&] { lidarts->reply(500, "{}"); }},
        {"no answer in time", noConnection, "Das Zeitlimit von 2 Sekunden ist erreicht.",
         [&] { lidarts->stayQuiet(); }},
        {"untrusted certificate", noConnection,
         QString::fromUtf8("Das Zertifikat des Servers ist nicht vertrauenswürdig."),
         [&] { QSslConfiguration::setDefaultConfiguration(systemTls); }},
        {"reply over 1 MiB", noData, QString::fromUtf8("Die Antwort des Servers ist größer als 1 MiB."),
         [&] { lidarts->reply(200, "{\"p1_name\":\"" + QByteArray(1024 * 1024 + 10, 'x') + "\"}"); }},
        {"connection refused", noConnection, "Der Server hat die Verbindung abgelehnt.",
         [&] {
             const QString base = lidarts->base();
             lidarts.reset(); // nothing listens on the port any more
             configure("lidarts_api", base);
         }},
        {"redirect to another port", noConnection,
         QString::fromUtf8("Der Server leitet zu einer anderen Adresse über."),
         [&] {
             other = std::make_unique<LocalHttpServer>(LocalHttpServer::testCertificate(), LocalHttpServer::testKey());
             other->reply(200, lidartsGame("anna", "bert"));
             lidarts->redirectNext(other->base().toUtf8() + "/api/game/q7Rk2xLp");
         }},
        {"relay redirect that would send the form again", noConnection,
         QString::fromUtf8("Der Server leitet zu einer anderen Adresse über."),
         [&] {
             relay->reply(200, relayReply("anna", "bert"), "text/plain");
             relay->redirectNext(relay->base().toUtf8() + "/service/prodarter.php", 307);
         },
         "prodarterButton", "x?match=0"},
        {"relay reply too short", noData, "", [&] { relay->reply(200, relayReply("anna", "bert", 29), "text/plain"); },
         "prodarterButton", "x?match=1"},
        {"relay error", noConnection, status + "500.", [&] { relay->reply(500, "kaputt", "text/plain"); },
         "prodarterButton", "x?match=2"},
        {"no relay address: nothing is sent", noConnection,
         QString::fromUtf8("Für Pro-Darter ist kein Relay-Dienst eingerichtet (config.ini, Gruppe plattformen, "
                           "prodarter_relay)."),
         [&] {
             relay->reply(200, relayReply("anna", "bert"), "text/plain");
             configure("prodarter_relay", QString());
         },
         "prodarterButton", "x?match=3"}};
    for (const Case& c : cases) {
        cleanup();
        init();
        c.setUp();
        const QList<SeenMessage> seen = withDialog(c.button, [&](Dialog& d) {
            d.import(c.url);
            QCOMPARE(d.left->toPlainText(), QString());
            QVERIFY(!d.takeOver->isEnabled());
            QVERIFY(d.fetch->isEnabled());
        });
        const QString expected = c.reason.isEmpty()
                                     ? info(c.message)
                                     : QString::number(QMessageBox::Critical) + '|' + c.message + '\n' + c.reason;
        QCOMPARE(c.name + ": " + one(seen), c.name + ": " + expected);
        if (c.name.startsWith("no relay") || c.name.startsWith("relay redirect"))
            QCOMPARE(relay->requests(), c.name.startsWith("no relay") ? 0 : 1);
        if (other)
            QCOMPARE(other->requests(), 0);
    }
}

void TestImport::relayFetch() {
    relay->reply(200, relayReply("<b>anna</b>", "bert"), "text/plain; charset=utf-8");
    QList<SeenMessage> seen = withDialog("prodarterButton", [&](Dialog& d) {
        QCOMPARE(d.dialog->findChild<QLabel*>("linkLabel")->text(), "Pro-Darter Link: ");
        d.import("http://www.pro-darter.com/match-history.php?match=4711");
        const LocalHttpServer::Request& r = relay->lastRequest();
        QCOMPARE(r.method + ' ' + r.path, "POST /service/prodarter.php");
        QCOMPARE(r.headers.value("content-type"), "application/x-www-form-urlencoded");
        QCOMPARE(r.body, "wert=4711");
        // Shown as plain text; the name check saw the markup and reported a mismatch.
        QCOMPARE(d.left->toPlainText(), "anna\n4\n58.20\n61.00\n1\n9\n8\n7\n6\n5\n3\n2\n96\n40.00% (4/10)\n17\n");
        d.takeOver->click();
    });
    QCOMPARE(one(seen), info(mismatch));
    // The relay has no 171+.
    QCOMPARE(form(*window, {"Legs", "Plus171", "DoublesHit", "DoublesThrown", "Minus20"}), "4:2 : 4:2 10:8 1:2");

    withDialog("prodarterButton", [](Dialog& d) { d.import("http://pro-darter.com/match-history.php?match=a b&c/ä"); });
    QCOMPARE(relay->lastRequest().body, "wert=a%20b%26c%2F%C3%A4");
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
    QVERIFY(press(find<QPushButton>(*window, "ergebnisEintragenButton")).isEmpty());
    QCOMPARE(env->query("SELECT quote(hash) FROM tv_ergebnisse WHERE spieltag_id = 1"), QStringList({"''", "''"}));
    QCOMPARE(one(takeOver(QMessageBox::Yes)), question);
    QCOMPARE(form(*window, {"Legs"}), "3:2");
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
