#include "postgresstore.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>

#include <atomic>

namespace tavorin::db {

namespace {

std::atomic<int> connections{0}; // stores may be made in several threads

// The channel on which the programs on one server league tell each other what they changed.
constexpr char channel[] = "tavorin_liga";

// Players withdrawn from a league and leagues finished by a new season, added to an older league database.
const QList<QPair<QString, QString>> laterTables = {
    {QStringLiteral("tv_rueckzug"), QStringLiteral("CREATE TABLE tv_rueckzug (id SERIAL PRIMARY KEY, id_liga INTEGER, "
                                                   "id_spieler INTEGER, ab_spieltag INTEGER, regel INTEGER)")},
    {QStringLiteral("tv_saison"),
     QStringLiteral("CREATE TABLE tv_saison (id SERIAL PRIMARY KEY, id_liga_alt INTEGER, id_liga_neu INTEGER)")},
};

// The five tables as the league file has them. Texts compare byte for byte, as in SQLite; results are unique
// per match and player, so that two organisers cannot both store a match's result.
const QStringList createStatements = {
    QStringLiteral("CREATE TABLE tv_spieler (id SERIAL PRIMARY KEY, dartn_name TEXT COLLATE \"C\", prodarter_name "
                   "TEXT COLLATE \"C\")"),
    QStringLiteral("CREATE TABLE tv_ligen (id SERIAL PRIMARY KEY, liga_name TEXT COLLATE \"C\")"),
    QStringLiteral("CREATE TABLE tv_zuordnung (id SERIAL PRIMARY KEY, id_spieler INTEGER, id_liga INTEGER)"),
    QStringLiteral("CREATE TABLE tv_spieltage (id SERIAL PRIMARY KEY, liga INTEGER, spieltag INTEGER, heim INTEGER, "
                   "gast INTEGER)"),
    QStringLiteral("CREATE TABLE tv_ergebnisse (id SERIAL PRIMARY KEY, spieltag_id INTEGER, spieler_id INTEGER, "
                   "gewonnen INTEGER, remis INTEGER, verloren INTEGER, legs_won INTEGER, legs_lost INTEGER, pkt "
                   "INTEGER, ave DOUBLE PRECISION, f9ave DOUBLE PRECISION, m20 INTEGER, p20 INTEGER, p40 INTEGER, p60 "
                   "INTEGER, p80 INTEGER, p100 INTEGER, p140 INTEGER, p180 INTEGER, hf INTEGER, douba INTEGER, doubb "
                   "INTEGER, bestleg INTEGER, hash TEXT COLLATE \"C\", plat TEXT COLLATE \"C\", p171 INTEGER)"),
};

// Columns of later releases, added to an older league database.
const QList<QPair<QString, QString>> upgradeSteps = {
    {QStringLiteral("hash"), QStringLiteral("ALTER TABLE tv_ergebnisse ADD COLUMN hash TEXT COLLATE \"C\"")},
    {QStringLiteral("plat"), QStringLiteral("ALTER TABLE tv_ergebnisse ADD COLUMN plat TEXT COLLATE \"C\"")},
    {QStringLiteral("p171"), QStringLiteral("ALTER TABLE tv_ergebnisse ADD COLUMN p171 INTEGER")},
};

// The indexes of the league file, by name; the results' index also keeps them unique.
const QList<QPair<QString, QString>> indexStatements = {
    {QStringLiteral("ix_spieler_name"),
     QStringLiteral("CREATE INDEX ix_spieler_name ON tv_spieler (lower(prodarter_name))")},
    {QStringLiteral("ix_zuordnung_liga"), QStringLiteral("CREATE INDEX ix_zuordnung_liga ON tv_zuordnung (id_liga)")},
    {QStringLiteral("ix_zuordnung_spieler"),
     QStringLiteral("CREATE INDEX ix_zuordnung_spieler ON tv_zuordnung (id_spieler)")},
    {QStringLiteral("ix_spieltage_liga"),
     QStringLiteral("CREATE INDEX ix_spieltage_liga ON tv_spieltage (liga, spieltag)")},
    {QStringLiteral("ix_spieltage_heim"), QStringLiteral("CREATE INDEX ix_spieltage_heim ON tv_spieltage (heim)")},
    {QStringLiteral("ix_spieltage_gast"), QStringLiteral("CREATE INDEX ix_spieltage_gast ON tv_spieltage (gast)")},
    {QStringLiteral("ix_ergebnisse_spiel"),
     QStringLiteral("CREATE UNIQUE INDEX ix_ergebnisse_spiel ON tv_ergebnisse (spieltag_id, spieler_id)")},
    {QStringLiteral("ix_ergebnisse_spieler"),
     QStringLiteral("CREATE INDEX ix_ergebnisse_spieler ON tv_ergebnisse (spieler_id)")},
    {QStringLiteral("ix_ergebnisse_bestleg"),
     QStringLiteral("CREATE INDEX ix_ergebnisse_bestleg ON tv_ergebnisse (bestleg)")},
};

// The columns every league database has, also one of an older release.
const QList<QPair<QString, QStringList>> requiredColumns = {
    {QStringLiteral("tv_spieler"), {"id", "dartn_name", "prodarter_name"}},
    {QStringLiteral("tv_ligen"), {"id", "liga_name"}},
    {QStringLiteral("tv_zuordnung"), {"id", "id_spieler", "id_liga"}},
    {QStringLiteral("tv_spieltage"), {"id", "liga", "spieltag", "heim", "gast"}},
    {QStringLiteral("tv_ergebnisse"),
     {"id",   "spieltag_id", "spieler_id", "gewonnen", "remis", "verloren", "legs_won", "legs_lost",
      "pkt",  "ave",         "f9ave",      "m20",      "p20",   "p40",      "p60",      "p80",
      "p100", "p140",        "p180",       "hf",       "douba", "doubb",    "bestleg"}},
};

const QString tablesSql = QStringLiteral(
    "SELECT table_name, column_name FROM information_schema.columns WHERE table_schema = current_schema()");
const QString writeRightsSql = QStringLiteral(
    "SELECT bool_and(has_table_privilege(t, 'INSERT') AND has_table_privilege(t, 'UPDATE') AND "
    "has_table_privilege(t, 'DELETE')) FROM unnest(ARRAY['tv_spieler', 'tv_ligen', 'tv_zuordnung', 'tv_spieltage', "
    "'tv_ergebnisse', 'tv_rueckzug', 'tv_saison']) AS t WHERE to_regclass(t) IS NOT NULL");
const QString indexesSql =
    QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() AND indexname LIKE 'ix_%'");
const QString zeroBestLegs = QStringLiteral("UPDATE tv_ergebnisse SET bestleg = NULL WHERE bestleg = 0");

} // namespace

PostgresStore::PostgresStore(const ServerAddress& address, const QString& password, QObject* parent)
    : SqlStore(Dialect::Postgres, QStringLiteral("tavorin_server_%1").arg(++connections), parent), address(address),
      password(password) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
    db.setHostName(address.host);
    db.setPort(address.port);
    db.setDatabaseName(address.database);
    db.setUserName(address.user);
    db.setPassword(password);
    // A server that does not answer is reported after a short wait, not waited out.
    QString options = QStringLiteral("connect_timeout=5");
    if (!address.sslMode.isEmpty())
        options += QStringLiteral(";sslmode=") + address.sslMode;
    db.setConnectOptions(options);
    retry = new QTimer(this);
    retry->setInterval(3000);
    connect(retry, &QTimer::timeout, this, &PostgresStore::tryAgain);
}

Result PostgresStore::announce(const StoreChange& change) {
    // A notification holds at most 8000 bytes; a long list of matches is told as "anything in these leagues".
    QByteArray payload = change.toPayload();
    if (payload.size() > 7000) {
        StoreChange coarse = change;
        coarse.matches.clear();
        coarse.players.clear();
        coarse.allLeagues = coarse.allLeagues || coarse.leagues.size() > 500;
        if (coarse.allLeagues)
            coarse.leagues.clear();
        payload = coarse.toPayload();
    }
    QSqlQuery q(database());
    return exec(q, QStringLiteral("SELECT pg_notify(:channel, :payload)"),
                {{QStringLiteral(":channel"), QString::fromLatin1(channel)},
                 {QStringLiteral(":payload"), QString::fromUtf8(payload)}});
}

void PostgresStore::listen() {
    QSqlDriver* driver = database().driver();
    if (!driver->subscribedToNotifications().contains(QLatin1StringView(channel)))
        driver->subscribeToNotification(QLatin1StringView(channel));
    // The driver stays the same when the connection is opened again.
    connect(driver, &QSqlDriver::notification, this, &PostgresStore::received, Qt::UniqueConnection);
}

void PostgresStore::received(const QString& name, QSqlDriver::NotificationSource source, const QVariant& payload) {
    // A program's own writes have been announced to it already.
    if (name != QLatin1StringView(channel) || source == QSqlDriver::SelfSource)
        return;
    StoreChange change = StoreChange::fromPayload(payload.toString().toUtf8());
    change.remote = true;
    emit changed(change);
}

Result PostgresStore::openConnection() {
    QSqlDatabase db = database();
    if (db.isOpen())
        return {};
    if (!db.open()) {
        Result r = Result::failure(db.lastError().text());
        r.offline = lost;
        return r;
    }
    listen();
    if (std::exchange(lost, false)) {
        retry->stop();
        emit connectionRestored();
    }
    return {};
}

void PostgresStore::tryAgain() {
    if (lost && database().open() && std::exchange(lost, false)) {
        listen();
        retry->stop();
        emit connectionRestored();
    }
}

Result PostgresStore::runAll(const QStringList& statements) {
    QSqlQuery q(database());
    for (const QString& sql : statements) {
        if (!q.exec(sql))
            return Result::failure(q.lastError().text());
    }
    return {};
}

Result PostgresStore::connectToServer(Content* content, QString* reason) {
    const Hold open(*this);
    if (!open.result())
        return open.result();
    QSqlQuery q(database());
    if (!q.exec(tablesSql))
        return Result::failure(q.lastError().text());
    QHash<QString, QStringList> columns;
    int tables = 0;
    while (q.next()) {
        columns[q.value(0).toString()] << q.value(1).toString();
        ++tables;
    }
    *content = tables == 0 ? Content::Empty : Content::League;
    for (const auto& [table, wanted] : requiredColumns) {
        for (const QString& column : wanted) {
            if (*content == Content::League && !columns.value(table).contains(column)) {
                *content = Content::Other;
                if (reason)
                    *reason = QStringLiteral("no such column: ") + table + QLatin1Char('.') + column;
            }
        }
    }
    if (*content != Content::League)
        return {};
    QStringList missing;
    for (const auto& [column, alter] : upgradeSteps) {
        if (!columns.value(QStringLiteral("tv_ergebnisse")).contains(column))
            missing << alter;
    }
    QStringList later;
    for (const auto& [table, create] : laterTables) {
        if (!columns.contains(table))
            later << create;
    }
    return prepareLeague(missing, later);
}

Result PostgresStore::prepareLeague(const QStringList& upgrade, const QStringList& laterTables) {
    if (Result r = upgrade.isEmpty() ? Result() : transaction([&] { return runAll(upgrade); }); !r)
        return r;
    // Tables a user without the right to make them cannot add: the league is read without their rows.
    for (const QString& sql : laterTables)
        transaction([&] { return runAll({sql}); });
    // Indexes that another user's rights do not let this one make leave the league only slower.
    QSqlQuery q(database());
    QStringList indexes;
    if (q.exec(indexesSql))
        while (q.next())
            indexes << q.value(0).toString();
    for (const auto& [name, sql] : indexStatements) {
        if (!indexes.contains(name))
            transaction([&] { return runAll({sql}); });
    }
    // A user who may only read leaves best legs of 0 as they are.
    if (mayWrite())
        transaction([&] { return runAll({zeroBestLegs}); });
    return {};
}

void PostgresStore::failed(Result& failure) {
    if (lost) {
        failure.offline = true;
        return;
    }
    QSqlDatabase db = database();
    QSqlQuery probe(db);
    if (db.isOpen() && probe.exec(QStringLiteral("SELECT 1")))
        return; // the statement failed, not the connection
    db.close();
    lost = true;
    failure.offline = true;
    retry->start();
    emit connectionLost(failure.error);
}

QString PostgresStore::describeFailure(const QString& reason) {
    const auto has = [&](const char* text) { return reason.contains(QLatin1StringView(text), Qt::CaseInsensitive); };
    if (has("password") || has("authentication"))
        return QString::fromUtf8("Die Anmeldung am Liga-Server ist gescheitert: Benutzer oder Passwort stimmen nicht.");
    if (has("SSL") || has("certificate"))
        return QString::fromUtf8("Der Liga-Server hat die verschlüsselte Verbindung (TLS) abgelehnt.");
    if (has("does not exist") && has("database"))
        return QString::fromUtf8("Die Datenbank gibt es auf dem Liga-Server nicht.");
    if (has("permission denied") || has("not permitted"))
        return QString::fromUtf8("Der Benutzer hat keine Rechte an dieser Datenbank.");
    return QString::fromUtf8("Der Liga-Server ist nicht erreichbar.");
}

Result PostgresStore::createTables() {
    QStringList all = createStatements;
    for (const auto& table : laterTables)
        all << table.second;
    for (const auto& index : indexStatements)
        all << index.second;
    return transaction([&] { return runAll(all); });
}

bool PostgresStore::hasColumn(const QString& table, const QString& column) {
    return readNumber(Sql(QStringLiteral("SELECT COUNT(*) FROM information_schema.columns WHERE table_schema = "
                                         "current_schema() AND table_name = lower(:t) AND column_name = lower(:c)")),
                      {{QStringLiteral(":t"), table}, {QStringLiteral(":c"), column}}) > 0;
}

bool PostgresStore::mayWrite() {
    return readNumber(Sql(writeRightsSql), {}) != 0;
}

} // namespace tavorin::db
