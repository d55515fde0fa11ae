// A league on the private PostgreSQL server, as the window works with it: connecting (an empty database gets
// the tables), moving a league file there and saving it back as a file, the refusals, a connection that
// breaks and comes back. Runs only against the server the test command starts.
#include "guitest.h"
#include "storetarget.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTableView>

using namespace guitest;

namespace {

// Anna and Bert in "Nord" with one played match (3:1), Carl free.
const QStringList seedData =
    leagueSeed({"Anna:a", "Bert:b"}, {"1:1:2"}) +
    QStringList{
        "INSERT INTO tv_spieler (id, dartn_name, prodarter_name) VALUES (3, 'Carl', 'c')",
        "INSERT INTO tv_ergebnisse (spieltag_id, spieler_id, gewonnen, verloren, legs_won, legs_lost, pkt, ave, "
        "bestleg) VALUES (1, 1, 1, 0, 3, 1, 2, 55.25, 18), (1, 2, 0, 1, 1, 3, 0, 40.5, '')"};

const QString everyRow =
    "SELECT 's' || id || dartn_name || prodarter_name FROM tv_spieler UNION ALL SELECT 'l' || id "
    "|| liga_name FROM tv_ligen UNION ALL SELECT 'z' || id || id_spieler || id_liga FROM "
    "tv_zuordnung UNION ALL SELECT 't' || id || liga || spieltag || heim || gast FROM tv_spieltage "
    "UNION ALL SELECT 'e' || id || spieltag_id || spieler_id || legs_won || legs_lost || pkt || ave "
    "FROM tv_ergebnisse ORDER BY 1";

// Answers the server dialog with `database` and `user` (and `password`); a second dialog is cancelled.
std::function<void(QWidget*)> server(const QString& database, const QString& user = "tavorin",
                                     const QString& password = QString()) {
    return [=, count = 0](QWidget* dialog) mutable {
        if (++count > 1) {
            find<QPushButton>(*dialog, "verbindenButton")->parentWidget()->findChildren<QPushButton*>().last()->click();
            return;
        }
        find<QLineEdit>(*dialog, "serverHostLineEdit")->setText(StoreTarget::serverHost());
        find<QLineEdit>(*dialog, "serverDatenbankLineEdit")->setText(database);
        find<QLineEdit>(*dialog, "serverBenutzerLineEdit")->setText(user);
        find<QLineEdit>(*dialog, "serverPasswortLineEdit")->setText(password);
        find<QPushButton>(*dialog, "verbindenButton")->click();
    };
}

QList<SeenMessage> trigger(const MainWindow& w, const char* action, const std::function<void(QWidget*)>& dialog,
                           QMessageBox::StandardButton answer = QMessageBox::Yes) {
    return answerModals([&] { find<QAction>(w, action)->trigger(); }, dialog, answer);
}

// A new, empty database on the server.
void emptyDatabase(const QString& name) {
    QVERIFY(StoreTarget::admin({"SET client_min_messages = warning",
                                "DROP DATABASE IF EXISTS " + name + " WITH (FORCE)", "CREATE DATABASE " + name}));
}

QStringList rows(const QString& database) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QPSQL", "rows");
    db.setHostName(StoreTarget::serverHost());
    db.setDatabaseName(database);
    db.setUserName("tavorin");
    QStringList out;
    {
        QSqlQuery q(db);
        if (db.open() && q.exec(everyRow))
            while (q.next())
                out << q.value(0).toString();
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase("rows");
    return out;
}

QString tableShown(const MainWindow& w) {
    return columnTexts(find<QTableView>(w, "ligaTabelleTableWidget"), 0).join(',') + '|' +
           columnTexts(find<QTableView>(w, "ligaTabelleTableWidget"), 6).join(',');
}

// The league store of the window, on the server.
tavorin::db::LeagueStore& leagueOf(const QObject& window) {
    return window.findChild<tavorin::db::LeagueSession*>()->store();
}

} // namespace

class TestServer : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(StoreTarget::onServer(), "the test command starts the private server"); }
    void init() { env = std::make_unique<LeagueTestEnv>(seedData); }
    void cleanup() { env.reset(); }

    // An empty database gets the tables after a question; config.ini remembers the server without password;
    // "Datenbank verbinden" goes back to a league file.
    void connectAndBack() {
        emptyDatabase("leer");
        auto w = startWindow();
        const QList<SeenMessage> asked = trigger(*w, "serverVerbindenAction", server("leer"));
        QVERIFY(asked.size() == 1 && asked[0].text.contains("ist leer"));
        QVERIFY2(w->windowTitle().endsWith(" - postgresql://tavorin@/leer"), qPrintable(w->windowTitle()));
        QCOMPARE(find<QComboBox>(*w, "tabelleLigaComboBox")->count(), 0);
        QVERIFY(env->config("server/verbindung").startsWith("postgresql://tavorin@/leer?host="));

        w.reset();
        w = startWindow(); // the next start connects to the server again
        QVERIFY(w->windowTitle().endsWith("/leer"));
        const FileAnswer file(env->defaultDatabase());
        QVERIFY(answerModals([&] { find<QAction>(*w, "datenbankVerbindenAction")->trigger(); }).isEmpty());
        QCOMPARE(env->config("server/verbindung"), "");
        QCOMPARE(tableShown(*w), "Anna (a),Bert (b)|2,0");
    }

    // A league file moves to an empty database with its ids, shows the same table, and comes back as a file
    // with the same rows. Deleting on the server first keeps a league file as its backup.
    void moveAndBack() {
        emptyDatabase("umzug");
        auto w = startWindow();
        const QString before = tableShown(*w);
        const QStringList fileRows = DbPeek(env->defaultDatabase()).column(everyRow);
        QVERIFY(trigger(*w, "serverUebertragenAction", server("umzug")).isEmpty());
        QCOMPARE(rows("umzug"), fileRows);
        QCOMPARE(tableShown(*w), before);
        QVERIFY(w->windowTitle().endsWith("/umzug"));

        const QString copy = env->root() + "/zurueck.db";
        const FileAnswer file(copy);
        QVERIFY(answerModals([&] { find<QAction>(*w, "datenbankSpeichernAction")->trigger(); }).isEmpty());
        QCOMPARE(DbPeek(copy, "copy").column(everyRow), fileRows);
        QVERIFY(w->windowTitle().endsWith("/umzug")); // the league stays on the server
    }

    void refusals_data() {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("message");
        QTest::newRow("no league database") << "fremd"
                                            << "tavorin"
                                            << "Die Datenbank ist keine Liga-Datenbank:";
        QTest::newRow("missing database") << "gibtsnicht"
                                          << "tavorin"
                                          << "Die Datenbank gibt es auf dem Liga-Server nicht.";
        QTest::newRow("wrong password") << "postgres"
                                        << "geheim"
                                        << "Benutzer oder Passwort stimmen nicht.";
    }
    void refusals() {
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, message);
        emptyDatabase("fremd");
        QVERIFY(StoreTarget::admin({"CREATE TABLE x (y INTEGER)"}, "fremd"));
        StoreTarget::admin({"DROP ROLE IF EXISTS geheim", "CREATE ROLE geheim LOGIN PASSWORD 'richtig'"});
        auto w = startWindow();
        const QString title = w->windowTitle();
        const QList<SeenMessage> seen = trigger(*w, "serverVerbindenAction", server(database, user, "falsch"));
        QVERIFY2(seen.size() == 1 && seen[0].text.contains(message), qPrintable(shown(seen)));
        QCOMPARE(w->windowTitle(), title); // the league file stays connected
        QVERIFY(!fileContent(env->configPath()).contains("falsch"));
    }

    // A connection that breaks is reported once; the views keep what they show, a write is refused, and the
    // program connects again by itself.
    void lostAndBack() {
        emptyDatabase("wackel");
        auto w = startWindow();
        QVERIFY(trigger(*w, "serverUebertragenAction", server("wackel")).isEmpty());
        const QString before = tableShown(*w);
        QVERIFY(
            StoreTarget::admin({"SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE datname = 'wackel'"}));
        auto* name = find<QLineEdit>(*w, "ligaNeuLineEdit");
        name->setText("West");
        const QList<SeenMessage> seen = answerModals([&] { find<QPushButton>(*w, "ligaHinzufuegenButton")->click(); });
        QVERIFY2(seen.size() == 2 && seen[0].text.contains("Verbindung zum Liga-Server ist unterbrochen") &&
                     seen[1].text.contains("nicht gespeichert"),
                 qPrintable(shown(seen)));
        QCOMPARE(tableShown(*w), before);
        QCOMPARE(name->text(), "West"); // kept for another try
        QTRY_VERIFY_WITH_TIMEOUT(w->statusBar()->currentMessage().contains("wiederhergestellt"), 10000);
        QVERIFY(answerModals([&] { find<QPushButton>(*w, "ligaHinzufuegenButton")->click(); }).isEmpty());
        QCOMPARE(rows("wackel").filter(QRegularExpression("^l\\d+West$")).size(), 1);
    }

    // A second program on the same league: its saves reach the window's views without a click, and a save
    // of figures typed before it is refused with what happened and the typed figures, and the form reloaded.
    void twoOrganisers() {
        emptyDatabase("zwei");
        auto w = startWindow();
        QVERIFY(trigger(*w, "serverUebertragenAction", server("zwei")).isEmpty());
        tavorin::db::PostgresStore other(StoreTarget::address("zwei"));
        tavorin::db::PostgresStore::Content content;
        QVERIFY(other.connectToServer(&content).ok);
        auto* list = find<QTableView>(*w, "ergebnisseTableWidget");
        QList<qint64> delays;
        for (int legs = 4; legs < 24; ++legs) {
            QElapsedTimer clock;
            clock.start();
            QVERIFY(other.saveResult({true, 1, 1, 2, {}, {}}, {QString::number(legs)}, {"1"}, tavorin::Points{}).ok);
            const QString expected = QString::number(legs) + ":1";
            QTRY_VERIFY_WITH_TIMEOUT(columnTexts(list, 6).value(0) == expected, 1000);
            delays << clock.elapsed();
        }
        QCOMPARE(w->statusBar()->currentMessage(), QString::fromUtf8("Ergebnis von Spieltag 1 geändert"));
        std::sort(delays.begin(), delays.end());
        qInfo("save to view: median %lld ms, worst %lld ms of %lld", delays[delays.size() / 2], delays.last(),
              qint64(delays.size()));

        clickCell(list, 0, 1);
        auto* legs = find<QLineEdit>(*w, "ergebnisLinksLegsLineEdit");
        legs->clear();
        QTest::keyClicks(legs, "2");
        QVERIFY(other.saveResult({true, 1, 1, 2, {}, {}}, {"5"}, {"3"}, tavorin::Points{}).ok);
        QTest::qWait(300); // the announcement arrives and leaves the typed figures alone
        QCOMPARE(legs->text(), "2");
        const QList<SeenMessage> seen = answerModals([&] { find<QPushButton>(*w, "ergebnisAendernButton")->click(); });
        QVERIFY2(seen.size() == 1 && seen[0].text.contains("nicht gespeichert") &&
                     seen[0].text.contains(QString::fromUtf8("wurde inzwischen geändert")) &&
                     seen[0].text.contains("Anna: Legs 2, AVG"),
                 qPrintable(shown(seen)));
        QCOMPARE(legs->text(), "5");
        const QList<tavorin::resultentry::StoredSide> stored = leagueOf(*w).results(1);
        QCOMPARE(stored.size(), 2);
        QCOMPARE(stored[stored[0].playerId == "1" ? 0 : 1].texts[tavorin::resultentry::Legs], "5"); // the other's
    }

    // A user who may only read gets a window that writes nothing; an organiser's role as the guide grants it
    // may save.
    void rights() {
        emptyDatabase("rechte");
        auto w = startWindow();
        QVERIFY(trigger(*w, "serverUebertragenAction", server("rechte")).isEmpty());
        const QString tables =
            "tv_spieler, tv_ligen, tv_zuordnung, tv_spieltage, tv_ergebnisse, tv_rueckzug, tv_saison";
        QVERIFY(StoreTarget::admin({"DROP ROLE IF EXISTS leser", "CREATE ROLE leser LOGIN", "DROP ROLE IF EXISTS orga1",
                                    "CREATE ROLE orga1 LOGIN"}));
        QVERIFY(StoreTarget::admin({"GRANT SELECT ON " + tables + " TO leser",
                                    "GRANT SELECT, INSERT, UPDATE, DELETE ON " + tables + " TO orga1",
                                    "GRANT USAGE ON ALL SEQUENCES IN SCHEMA public TO orga1"},
                                   "rechte"));
        QVERIFY(trigger(*w, "serverVerbindenAction", server("rechte", "leser")).isEmpty());
        QVERIFY(find<QLabel>(*w, "nurLesenLabel")->isVisible());
        for (const char* control : {"spielerHinzufuegenButton", "ligaHinzufuegenButton", "spielplanBerechnenButton",
                                    "rueckzugButton", "linksImportierenButton", "ergebnisEintragenButton"})
            QVERIFY2(!find<QWidget>(*w, control)->isEnabled(), control);
        QVERIFY(find<QLineEdit>(*w, "ergebnisLinksLegsLineEdit")->isReadOnly());
        QCOMPARE(tableShown(*w), "Anna (a),Bert (b)|2,0");
        const tavorin::db::Result refused = leagueOf(*w).addLeague("West");
        QVERIFY2(!refused.ok && refused.error.startsWith(QString::fromUtf8("Dieser Benutzer darf die Liga")) &&
                     refused.error.contains("permission denied"),
                 qPrintable(refused.error));

        const QList<SeenMessage> asOrganiser = trigger(*w, "serverVerbindenAction", server("rechte", "orga1"));
        QVERIFY2(asOrganiser.isEmpty(), qPrintable(shown(asOrganiser)));
        QVERIFY(!find<QLabel>(*w, "nurLesenLabel")->isVisible() &&
                find<QWidget>(*w, "spielerHinzufuegenButton")->isEnabled());
        QVERIFY(leagueOf(*w).addLeague("West").ok && leagueOf(*w).deleteSchedule(1).ok);
    }

private:
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestServer)
#include "tst_server.moc"
