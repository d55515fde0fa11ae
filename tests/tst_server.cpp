// A league on the private PostgreSQL server, as the window works with it: connecting (an empty database gets
// the tables), moving a league file there and saving it back as a file, the refusals, a connection that
// breaks and comes back. Runs only against the server the test command starts.
#include "guitest.h"
#include "storetarget.h"

#include <QComboBox>
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

private:
    std::unique_ptr<LeagueTestEnv> env;
};

QTEST_MAIN(TestServer)
#include "tst_server.moc"
