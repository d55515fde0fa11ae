// Fetching a match's figures from Lidarts and through the Pro-Darter relay, with servers of the test's
// own on 127.0.0.1, and taking them over into the result form.
#include "guitest.h"
#include "testenv.h"
#include "testserver.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSslConfiguration>
#include <QTextEdit>

#include <functional>

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
QByteArray lidartsGame(const char* first, const char* second, const char* status = "completed", int legs1 = 3,
                       int legs2 = 2) {
    return QStringLiteral(
               R"({"status":"%1","p1_name":"%2","p2_name":"%3","p1_legs_won":%4,"p2_legs_won":%5,)"
               R"("p1_match_avg":65.4,"p2_match_avg":50.126,"p1_first9_avg":70,"p2_first9_avg":55.5,)"
               R"("p1_20":5,"p1_60":3,"p1_100":2,"p1_140":1,"p1_171":1,"p1_180":1,"p2_0":1,"p2_20":7,)"
               R"("p1_high_finish":100,"p2_high_finish":40,"p1_doubles":33.333,"p2_doubles":20,)"
               R"("p1_darts_thrown_double":9,"p2_darts_thrown_double":10,"p1_short_leg":15,"p2_short_leg":21,)"
               R"("begin":"2026-12-01T19:00:00","hashid":"q7Rk2xLp","bo_sets":1,"extra":{"x":[1,2]}})")
        .arg(QLatin1StringView(status), QLatin1StringView(first), QLatin1StringView(second))
        .arg(legs1)
        .arg(legs2)
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
    explicit Dialog(QWidget* d)
        : dialog(d), link(d->findChild<QLineEdit*>("linkLineEdit")), fetch(d->findChild<QPushButton*>("importButton")),
          left(d->findChild<QTextEdit*>("werteLinksTextEdit")), right(d->findChild<QTextEdit*>("werteRechtsTextEdit")),
          takeOver(d->findChild<QPushButton*>("uebernehmenButton")),
          cancel(d->findChild<QPushButton*>("abbrechenButton")) {}
    void import(const QString& url) {
        link->setText(url);
        fetch->click();
    }
    QWidget* dialog;
    QLineEdit* link;
    QPushButton* fetch;
    QTextEdit *left, *right;
    QPushButton *takeOver, *cancel;
};

QStringList formValues(const MainWindow& w, const char* field) {
    const QByteArray left = QByteArray("ergebnisLinks") + field + "LineEdit";
    const QByteArray right = QByteArray("ergebnisRechts") + field + "LineEdit";
    return {find<QLineEdit>(w, left.constData())->text(), find<QLineEdit>(w, right.constData())->text()};
}

} // namespace

class TestImport : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void lidartsGameTakenOverAndStored();
    void crossedAndMismatchedNames();
    void failedLidartsFetches_data();
    void failedLidartsFetches();
    void emptyLinkAndEmptyGame();
    void relayFetch();
    void relayFailures();

private:
    // Clicks match `row` and opens the import dialog from `button`; `script` drives the dialog and
    // should close it. Returns the message boxes shown meanwhile.
    QList<SeenMessage> withDialog(int row, const char* button, const std::function<void(Dialog&)>& script);
    void configure(const QString& key, const QVariant& value) {
        QSettings s(env->configPath(), QSettings::IniFormat);
        s.setValue("plattformen/" + key, value);
    }

    std::unique_ptr<TempSettings> env;
    std::unique_ptr<LocalHttpServer> lidarts;
    std::unique_ptr<LocalHttpServer> relay;
    std::unique_ptr<MainWindow> window;
    QSslConfiguration systemTls;
};

void TestImport::init() {
    env = std::make_unique<TempSettings>();
    newLeagueDatabase(env->defaultDatabase(), seedData);
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

void TestImport::cleanup() {
    QSslConfiguration::setDefaultConfiguration(systemTls);
    window.reset();
    lidarts.reset();
    relay.reset();
    env.reset();
}

QList<SeenMessage> TestImport::withDialog(int row, const char* button, const std::function<void(Dialog&)>& script) {
    if (!window)
        window = startWindow();
    clickCell(find<QTableWidget>(*window, "ergebnisseTableWidget"), row, 1);
    return answerModals([&] { find<QPushButton>(*window, button)->click(); },
                        [&](QWidget* d) {
                            Dialog dialog(d);
                            script(dialog);
                            if (d->isVisible())
                                dialog.cancel->click();
                        });
}

void TestImport::lidartsGameTakenOverAndStored() {
    lidarts->reply(200, lidartsGame("anna", "bert"));
    const QList<SeenMessage> seen = withDialog(0, "lidartsButton", [&](Dialog& d) {
        QCOMPARE(d.dialog->size(), QSize(610, 350));
        QCOMPARE(d.dialog->findChild<QLabel*>("linkLabel")->text(), "Lidarts Link: ");
        QVERIFY(!d.takeOver->isEnabled());
        d.import("https://lidarts.org/game/q7Rk2xLp/dark");
        QCOMPARE(lidarts->lastRequest().method, "GET");
        QCOMPARE(lidarts->lastRequest().path, "/api/game/q7Rk2xLp");
        QCOMPARE(d.left->toPlainText(), "anna\n3\n65.40\n70.00\n0\n5\n0\n3\n0\n2\n1\n1\n1\n100\n33.33% (3/9)\n15\n");
        QVERIFY(d.right->toPlainText().startsWith("bert\n2\n50.13\n55.50\n1\n7\n"));
        QVERIFY(d.takeOver->isEnabled());
        d.takeOver->click();
    });
    QVERIFY(seen.isEmpty());

    const MainWindow& w = *window;
    QCOMPARE(formValues(w, "Legs"), QStringList({"3", "2"}));
    QCOMPARE(formValues(w, "Avg"), QStringList({"65.40", "50.13"}));
    QCOMPARE(formValues(w, "Minus20"), QStringList({"0", "1"}));
    QCOMPARE(formValues(w, "Plus171"), QStringList({"1", "0"}));
    QCOMPARE(formValues(w, "DoublesHit"), QStringList({"3", "2"}));
    QCOMPARE(formValues(w, "DoublesThrown"), QStringList({"9", "10"}));
    QCOMPARE(formValues(w, "BestLeg"), QStringList({"15", "21"}));

    // The save stores the game; a later typed result keeps it until the next import.
    QVERIFY(press(find<QPushButton>(w, "ergebnisEintragenButton")).isEmpty());
    auto* days = find<QComboBox>(w, "spieltagComboBox");
    days->setCurrentIndex(1);
    clickCell(find<QTableWidget>(w, "ergebnisseTableWidget"), 0, 1);
    find<QLineEdit>(w, "ergebnisLinksLegsLineEdit")->setText("1");
    QVERIFY(press(find<QPushButton>(w, "ergebnisEintragenButton")).isEmpty());
    DbPeek peek(env->defaultDatabase());
    QCOMPARE(
        peek.column("SELECT spieltag_id || ':' || legs_won || ':' || hash || ':' || plat FROM tv_ergebnisse "
                    "ORDER BY id"),
        QStringList({"1:3:q7Rk2xLp:lidarts", "1:2:q7Rk2xLp:lidarts", "2:1:q7Rk2xLp:lidarts", "2:0:q7Rk2xLp:lidarts"}));
}

void TestImport::crossedAndMismatchedNames() {
    lidarts->reply(200, lidartsGame("bert", "anna"));
    QList<SeenMessage> seen = withDialog(0, "lidartsButton", [&](Dialog& d) {
        d.import("https://lidarts.org/game/abc_-1");
        QVERIFY(d.left->toPlainText().startsWith("anna\n2\n50.13"));
        QVERIFY(d.right->toPlainText().startsWith("bert\n3\n65.40"));
        d.takeOver->click();
    });
    QVERIFY(seen.isEmpty());
    QCOMPARE(formValues(*window, "Legs"), QStringList({"2", "3"}));
    QCOMPARE(formValues(*window, "HighestFinish"), QStringList({"40", "100"}));

    // Names are compared exactly: "Anna" is not "anna". The values are offered all the same.
    lidarts->reply(200, lidartsGame("Anna", "bert"));
    seen = withDialog(0, "lidartsButton", [&](Dialog& d) {
        d.import("https://lidarts.org/game/abc");
        QVERIFY(d.left->toPlainText().startsWith("Anna\n3"));
        QVERIFY(d.takeOver->isEnabled());
    });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, mismatch);
    QCOMPARE(seen[0].icon, QMessageBox::Information);
}

void TestImport::failedLidartsFetches_data() {
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown game") << "404" << noData;
    QTest::newRow("not a JSON object") << "html" << noData;
    QTest::newRow("game still running") << "started"
                                        << QString::fromUtf8("  Das Spiel ist noch nicht abgeschlossen!  ");
    QTest::newRow("server error") << "500" << noConnection;
    QTest::newRow("connection refused") << "refused" << noConnection;
    QTest::newRow("no answer in time") << "quiet" << noConnection;
    QTest::newRow("untrusted certificate") << "untrusted" << noConnection;
    QTest::newRow("reply over 1 MiB") << "huge" << noData;
}

void TestImport::failedLidartsFetches() {
    QFETCH(QString, situation);
    QFETCH(QString, message);
    if (situation == "404")
        lidarts->reply(404, "<html><body>Not found</body></html>", "text/html");
    else if (situation == "html")
        lidarts->reply(200, "<html>Wartung</html>", "text/html");
    else if (situation == "started")
        lidarts->reply(200, lidartsGame("anna", "bert", "started"));
    else if (situation == "500")
        lidarts->reply(500, "{}");
    else if (situation == "quiet")
        lidarts->stayQuiet();
    else if (situation == "huge")
        lidarts->reply(200, "{\"p1_name\":\"" + QByteArray(1024 * 1024 + 10, 'x') + "\"}");
    else if (situation == "untrusted")
        QSslConfiguration::setDefaultConfiguration(systemTls);
    if (situation == "refused") {
        const QString base = lidarts->base();
        lidarts.reset(); // nothing listens on the port any more
        configure("lidarts_api", base);
    }

    const QList<SeenMessage> seen = withDialog(0, "lidartsButton", [&](Dialog& d) {
        d.import("https://lidarts.org/game/q7Rk2xLp");
        QCOMPARE(d.left->toPlainText(), QString());
        QVERIFY(!d.takeOver->isEnabled());
        QVERIFY(d.fetch->isEnabled());
    });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, message);
    QCOMPARE(seen[0].icon, QMessageBox::Information);
}

void TestImport::emptyLinkAndEmptyGame() {
    lidarts->reply(200, lidartsGame("anna", "bert", "completed", 0, 0));
    find<QLineEdit>(*(window = startWindow()), "ergebnisLinksLegsLineEdit"); // window ready
    QList<SeenMessage> seen = withDialog(0, "lidartsButton", [&](Dialog& d) {
        d.import(QString());
        QVERIFY(!d.takeOver->isEnabled());
        d.import("https://lidarts.org/game/zero");
        find<QLineEdit>(*window, "ergebnisLinksAvgLineEdit")->setText("44");
        d.takeOver->click(); // 0:0 on the platform: nothing is taken over
    });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, "  Keine Adresse angegeben!  ");
    QCOMPARE(seen[0].icon, QMessageBox::Warning);
    QCOMPARE(formValues(*window, "Avg"), QStringList({"44", QString()}));
}

void TestImport::relayFetch() {
    relay->reply(200, relayReply("<b>anna</b>", "bert"), "text/plain; charset=utf-8");
    QList<SeenMessage> seen = withDialog(0, "prodarterButton", [&](Dialog& d) {
        QCOMPARE(d.dialog->findChild<QLabel*>("linkLabel")->text(), "Pro-Darter Link: ");
        d.import("http://www.pro-darter.com/match-history.php?match=4711");
        const LocalHttpServer::Request& r = relay->lastRequest();
        QCOMPARE(r.method, "POST");
        QCOMPARE(r.path, "/service/prodarter.php");
        QCOMPARE(r.headers.value("content-type"), "application/x-www-form-urlencoded");
        QCOMPARE(r.body, "wert=4711");
        // Shown as plain text; the name check saw the markup and reported a mismatch.
        QCOMPARE(d.left->toPlainText(), "anna\n4\n58.20\n61.00\n1\n9\n8\n7\n6\n5\n3\n2\n96\n40.00% (4/10)\n17\n");
        d.takeOver->click();
    });
    QCOMPARE(seen.size(), 1);
    QCOMPARE(seen[0].text, mismatch);
    QCOMPARE(formValues(*window, "Legs"), QStringList({"4", "2"}));
    QCOMPARE(formValues(*window, "Plus171"), QStringList({QString(), QString()})); // the relay has no 171+
    QCOMPARE(formValues(*window, "DoublesHit"), QStringList({"4", "2"}));
    QCOMPARE(formValues(*window, "DoublesThrown"), QStringList({"10", "8"}));
    QCOMPARE(formValues(*window, "Minus20"), QStringList({"1", "2"}));

    seen = withDialog(0, "prodarterButton",
                      [&](Dialog& d) { d.import("http://www.pro-darter.com/match-history.php?match=a b&c/ä"); });
    QCOMPARE(relay->lastRequest().body, "wert=a%20b%26c%2F%C3%A4");
}

void TestImport::relayFailures() {
    relay->reply(200, relayReply("anna", "bert", 29), "text/plain");
    QList<SeenMessage> seen = withDialog(0, "prodarterButton", [&](Dialog& d) {
        d.import("http://www.pro-darter.com/match-history.php?match=1");
        QVERIFY(!d.takeOver->isEnabled());
    });
    QCOMPARE(seen.value(0).text, noData);

    relay->reply(500, "kaputt", "text/plain");
    seen = withDialog(0, "prodarterButton", [&](Dialog& d) { d.import("x?match=2"); });
    QCOMPARE(seen.value(0).text, noConnection);

    // Without a relay address nothing is sent.
    window.reset();
    configure("prodarter_relay", QString());
    const int before = relay->requests();
    seen = withDialog(0, "prodarterButton", [&](Dialog& d) { d.import("x?match=3"); });
    QCOMPARE(seen.value(0).text, noConnection);
    QCOMPARE(relay->requests(), before);
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
