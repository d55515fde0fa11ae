// Fetching a match's figures from Lidarts and through the Pro-Darter relay, from servers of the test's own
// on 127.0.0.1, and taking them over into the result form (the replies' parsing is in tst_import_parsers).
#include "guitest.h"
#include "testserver.h"

#include "db/backups.h"

#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
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

// Messages as shown() gives them: the icon (1 information, 2 warning, 3 critical), the text, the reason.
const QString noConnection = QString::fromUtf8("3|  Keine Verbindung möglich!  \n");
const QString noData = QString::fromUtf8("|  Für diesen Link wurden keine Spieldaten gefunden!  \n");
const QString mismatch = QString::fromUtf8("1|  Die Spielernamen stimmen nicht überein!  ");

struct Dialog {
    QWidget* dialog;
    QPushButton* fetch = find<QPushButton>(*dialog, "importButton");
    QAbstractItemModel* values = find<QTableView>(*dialog, "werteTableView")->model();
    QPushButton* takeOver = find<QPushButton>(*dialog, "uebernehmenButton");
    QPushButton* cancel = find<QPushButton>(*dialog, "abbrechenButton");
    // Pastes `url`, presses "Import" and waits until the fetch has ended.
    void import(const QString& url) {
        find<QLineEdit>(*dialog, "linkLineEdit")->setText(url);
        fetch->click();
        QTRY_VERIFY_WITH_TIMEOUT(fetch->isEnabled(), 5000);
    }
    // The values shown for the form's left (0) or right (1) player, top to bottom.
    QString shown(int side) const {
        QStringList column;
        for (int row = 0; row < values->rowCount(); ++row)
            column << values->index(row, side).data().toString();
        return column.join('|');
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
        env.reset();
    }

    void lidartsGameTakenOverAndStored() {
        lidarts->reply(200, lidartsGame("anna", "bert"));
        const QString seen = withDialog("lidartsButton", [&](Dialog& d) {
            d.import("https://lidarts.org/game/q7Rk2xLp/dark");
            QCOMPARE(lidarts->lastRequest().path, "/api/game/q7Rk2xLp");
            // Each value under the form's player it goes to, in a row with its caption.
            QCOMPARE(d.values->headerData(0, Qt::Horizontal).toString() +
                         d.values->headerData(11, Qt::Vertical).toString(),
                     "Anna171+");
            QCOMPARE(d.shown(0), "anna|3|65.40|70.00|0|5|0|3|0|2|1|1|1|100|33.33% (3/9)|15");
            d.takeOver->click();
        });
        QCOMPARE(seen, QString());
        QCOMPARE(form(*window, {"Legs", "Avg", "Minus20", "Plus171", "DoublesHit", "DoublesThrown", "BestLeg"}),
                 "3:2 65.40:50.13 0:1 1:0 3:2 9:10 15:21");
        // The save stores the game; another match's result does not.
        QCOMPARE(save(), QString());
        find<QComboBox>(*window, "spieltagComboBox")->setCurrentIndex(1);
        clickCell(find<QTableView>(*window, "ergebnisseTableWidget"), 0, 1);
        find<QLineEdit>(*window, "ergebnisLinksLegsLineEdit")->setText("1");
        QCOMPARE(save(), QString());
        QCOMPARE(env->query("SELECT spieltag_id||':'||legs_won||':'||hash||':'||plat FROM tv_ergebnisse ORDER BY id"),
                 QStringList({"1:3:q7Rk2xLp:lidarts", "1:2:q7Rk2xLp:lidarts", "2:1::", "2:0::"}));
    }
    void namesCompared_data() {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("left");   // name and legs shown for the form's left player
        QTest::addColumn<QString>("values"); // legs and averages after taking over, "44" typed as the left average
        // The platform names belong to the match's players, also when both have the same forum name.
        QTest::newRow("crossed: taken over crosswise") << lidartsGame("bert", "anna") << QString() << "anna|2"
                                                       << "2:3 50.13:65.40";
        QTest::newRow("0:0 on the platform: nothing taken over")
            << lidartsGame("anna", "bert", "completed", "0", "0") << QString() << "anna|0"
            << ": 44:";
        QTest::newRow("names differ: shown, but nothing can be taken over")
            << lidartsGame("anna", "Bert") << mismatch << "anna|3"
            << ": 44:";
    }
    void namesCompared() {
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        QFETCH(QString, left);
        QFETCH(QString, values);
        QVERIFY(env->run("UPDATE tv_spieler SET dartn_name = 'Anna' WHERE id = 2"));
        lidarts->reply(200, reply);
        const QString seen = withDialog("lidartsButton", [&](Dialog& d) {
            d.import("https://lidarts.org/game/abc_-1");
            QCOMPARE(d.shown(0).section('|', 0, 1), left);
            find<QLineEdit>(*window, "ergebnisLinksAvgLineEdit")->setText("44");
            d.takeOver->click();
        });
        QCOMPARE(seen, message);
        QCOMPARE(form(*window, {"Legs", "Avg"}), values);
    }
    // Each outcome is told once, and the window offers nothing to take over but another fetch. What each way
    // of failing is told is the fetch's own test; here only how the window passes it on.
    void failedFetches_data() {
        QTest::addColumn<QString>("link");
        QTest::addColumn<int>("status"); // 0: the server stays quiet
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        const auto row = [](const char* name, const QString& link, int status, const QByteArray& reply,
                            const QString& message) { QTest::newRow(name) << link << status << reply << message; };
        const QString game = "https://lidarts.org/game/q7";
        row("empty link", "", 200, {}, "2|  Keine Adresse angegeben!  ");
        row("no link: nothing is sent", "hallo welt", 200, {},
            QString::fromUtf8("2|Der Text enthält keinen Link zu einem Spiel."));
        row("unknown game", game, 404, "{}", "3" + noData + "Der Server antwortete mit dem HTTP-Status 404.");
        row("not a JSON object", game, 200, "<html>Wartung</html>", "1" + noData + "Die Antwort ist kein JSON-Objekt.");
        row("game still running", game, 200, lidartsGame("anna", "bert", "started"),
            QString::fromUtf8("1|  Das Spiel ist noch nicht abgeschlossen!  "));
        row("no answer in time", game, 0, {}, noConnection + "Das Zeitlimit von 2 Sekunden ist erreicht.");
    }
    void failedFetches() {
        QFETCH(QString, link);
        QFETCH(int, status);
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        lidarts->reply(200, lidartsGame("anna", "bert"));
        const QString seen = withDialog("lidartsButton", [&](Dialog& d) {
            d.import("https://lidarts.org/game/q7"); // values of an earlier fetch are not offered any more
            status ? lidarts->reply(status, reply) : lidarts->stayQuiet();
            d.import(link);
            QCOMPARE(d.shown(0), QString(15, '|'));
            QVERIFY(!d.takeOver->isEnabled() && d.fetch->isEnabled());
        });
        QCOMPARE(seen, message);
        QCOMPARE(lidarts->requests(), link.startsWith("https") ? 2 : 1);
    }
    void relayFetch() {
        relay->reply(200, relayReply("anna", "bert").replace("\n4\n", "\n<b>4</b>\n"), "text/plain; charset=utf-8");
        const QString seen = withDialog("prodarterButton", [&](Dialog& d) {
            d.import(QString::fromUtf8("http://pro-darter.com/match-history.php?match=4711"));
            QCOMPARE(relay->lastRequest().body, "wert=4711");
            QCOMPARE(relay->lastRequest().headers.value("content-type"), "application/x-www-form-urlencoded");
            // Shown as plain text; the relay has no 171+.
            QCOMPARE(d.shown(0), "anna|4|58.20|61.00|1|9|8|7|6|5|3||2|96|40.00% (4/10)|17");
            d.takeOver->click();
        });
        QCOMPARE(seen, QString());
        QCOMPARE(form(*window, {"Legs", "Plus171", "DoublesHit", "DoublesThrown", "Minus20"}), "4:2 : 4:2 10:8 1:2");
    }
    // A game id is stored only with the values it came with: a new import window forgets it.
    void importStateIsForgotten() {
        lidarts->reply(200, lidartsGame("anna", "bert"));
        importAndTakeOver("https://lidarts.org/game/q7Rk2xLp");
        withDialog("lidartsButton", [](Dialog&) {});
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
    // A name of 512 KiB of markup once froze the window for a minute: now the window keeps answering, and
    // the reply is refused within the time limit and 1.5 seconds.
    void hostileReplyKeepsWindowAnswering() {
        lidarts->reply(200, lidartsGame(QStringLiteral("<b>x</b>").repeated(64 * 1024), "bert"));
        QElapsedTimer clock;
        qint64 longestPause = 0;
        const QString seen = withDialog("lidartsButton", [&](Dialog& d) {
            QTimer tick; // counts how long the window does not answer
            qint64 last = 0;
            tick.callOnTimeout(
                [&] { longestPause = qMax(longestPause, clock.elapsed() - std::exchange(last, clock.elapsed())); });
            tick.start(20);
            clock.start();
            d.import("https://lidarts.org/game/q7");
        });
        QVERIFY(clock.elapsed() < 3500);
        QVERIFY2(longestPause < 500, qPrintable(QString::number(longestPause)));
        QCOMPARE(seen, "1" + noData + QString::fromUtf8("„Name“ von Spieler 1 ist länger als 200 Zeichen."));
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

    // Many links at once, from the button and from the menu: closing the window writes nothing; "Übernehmen"
    // saves the checked games after a backup, and the status bar tells how many.
    void batchImport() {
        lidarts->respondBy([](const LocalHttpServer::Request& r) {
            return LocalHttpServer::response(200, r.path.endsWith("q2") ? lidartsGame("dora", "carl")
                                                                        : lidartsGame("anna", "bert"));
        });
        const QString reason = QString::fromUtf8("Ergebnisse aus Links importieren");
        for (const bool save : {false, true}) {
            answerModals(
                [&] {
                    save ? find<QAction>(*window, "linksImportierenAction")->trigger()
                         : find<QPushButton>(*window, "linksImportierenButton")->click();
                },
                [&](QWidget* d) {
                    [&] {
                        find<QPlainTextEdit>(*d, "linksPlainTextEdit")
                            ->setPlainText("Anna: lidarts.org/game/q1, q2: https://lidarts.org/game/q2");
                        find<QPushButton>(*d, "abrufenButton")->click();
                        auto* table = find<QTableView>(*d, "pruefungTableView");
                        QTRY_COMPARE_WITH_TIMEOUT(
                            columnTexts(table, 4).join(", "),
                            QString::fromUtf8("1. Spieltag: Anna – Bert, 2. Spieltag: Carl – Dora"), 5000);
                        QCOMPARE(find<QProgressBar>(*d, "fortschrittProgressBar")->text(), "2 von 2");
                        QCOMPARE(table->verticalHeader()->count(), 2); // the view shows the rows
                        table->model()->setData(table->model()->index(1, 0), Qt::Unchecked, Qt::CheckStateRole);
                        find<QPushButton>(*d, save ? "uebernehmenButton" : "schliessenButton")->click();
                    }();
                    if (d->isVisible())
                        d->close(); // a failed step leaves the window open
                });
            const QList<tavorin::db::Backup> backups =
                tavorin::db::backupsOf(tavorin::db::backupFolder(env->dir()), env->defaultDatabase());
            QCOMPARE(!backups.isEmpty() && backups.first().reason == reason, save);
            QCOMPARE(env->query("SELECT spieltag_id || ':' || legs_won || ':' || hash FROM tv_ergebnisse ORDER BY id"),
                     save ? QStringList({"1:3:q1", "1:2:q1"}) : QStringList());
        }
        QCOMPARE(window->statusBar()->currentMessage(), "1 Ergebnisse gespeichert, 1 ausgelassen");
        QCOMPARE(find<QLineEdit>(*window, "ergebnisLinksLegsLineEdit")->text(), "3"); // the form follows
    }

private:
    // A new window with the first match clicked.
    void restart() {
        window = startWindow();
        clickCell(find<QTableView>(*window, "ergebnisseTableWidget"), 0, 1);
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
    std::unique_ptr<LocalHttpServer> lidarts, relay;
    std::unique_ptr<MainWindow> window;
    QSslConfiguration systemTls;
};

QTEST_MAIN(TestImport)
#include "tst_import.moc"
