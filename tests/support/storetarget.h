#pragma once

#include "db/postgresstore.h"
#include "db/sqlitestore.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The kind of league a store test works on: a league file, or (when the test command has started the private
// PostgreSQL server and named its socket folder in TAVORIN_TEST_PGHOST) a new database on that server. The
// same cases then run on both kinds.
class StoreTarget {
public:
    static QString serverHost() { return qEnvironmentVariable("TAVORIN_TEST_PGHOST"); }
    static bool onServer() { return !serverHost().isEmpty(); }

    // A server address of a database `name` on the private server, as user `user`.
    static tavorin::db::ServerAddress address(const QString& name, const QString& user = QStringLiteral("tavorin")) {
        tavorin::db::ServerAddress a;
        a.host = serverHost();
        a.database = name;
        a.user = user;
        return a;
    }

    // Runs `statements` one by one as the server's superuser on database `database`; false on failure (the
    // error is printed).
    static bool admin(const QStringList& statements, const QString& database = QStringLiteral("postgres")) {
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("admin"));
            db.setHostName(serverHost());
            db.setDatabaseName(database);
            db.setUserName(QStringLiteral("tavorin"));
            ok = db.open();
            for (const QString& sql : statements) {
                QSqlQuery q(db);
                ok = ok && q.exec(sql);
                if (!ok) {
                    qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text() + db.lastError().text()));
                    break;
                }
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("admin"));
        return ok;
    }

    // A new, empty league of name `name` (a file in `dir`, or a database on the server) with its five tables,
    // and `seed` run on it. Explicit ids in the seed are followed by the server's id sequences.
    std::unique_ptr<tavorin::db::SqlStore> make(const QTemporaryDir& dir, const QString& name,
                                                const QStringList& seed) {
        std::unique_ptr<tavorin::db::SqlStore> store;
        peek.reset();
        if (onServer()) {
            const QString database =
                name.toLower().replace(QRegularExpression(QStringLiteral("[^a-z0-9]")), QStringLiteral("_"));
            if (!admin({QStringLiteral("SET client_min_messages = warning"),
                        QStringLiteral("DROP DATABASE IF EXISTS ") + database + QStringLiteral(" WITH (FORCE)"),
                        QStringLiteral("CREATE DATABASE ") + database}))
                return nullptr;
            auto server = std::make_unique<tavorin::db::PostgresStore>(address(database));
            if (!server->createTables())
                return nullptr;
            peek = std::make_unique<Peek>(QStringLiteral("QPSQL"), serverHost(), database);
            store = std::move(server);
        } else {
            const QString file = dir.filePath(name + QStringLiteral(".db"));
            QFile::remove(file);
            auto local = std::make_unique<tavorin::db::SqliteStore>();
            if (!local->open(file))
                return nullptr;
            peek = std::make_unique<Peek>(QStringLiteral("QSQLITE"), QString(), file);
            store = std::move(local);
        }
        for (const QString& sql : seed) {
            if (!run(sql))
                return nullptr;
        }
        if (onServer()) {
            for (const char* table : {"tv_spieler", "tv_ligen", "tv_zuordnung", "tv_spieltage", "tv_ergebnisse"})
                run(QStringLiteral("SELECT setval(pg_get_serial_sequence('%1', 'id'), COALESCE((SELECT MAX(id) FROM "
                                   "%1), 0) + 1, false)")
                        .arg(QLatin1StringView(table)));
        }
        return store;
    }

    // Opens the league again, as the program does at start-up (best legs of 0 become none, for example).
    static bool reopen(tavorin::db::SqlStore& store) {
        if (auto* server = qobject_cast<tavorin::db::PostgresStore*>(&store)) {
            tavorin::db::PostgresStore::Content content;
            return server->connectToServer(&content).ok && content == tavorin::db::PostgresStore::Content::League;
        }
        auto* file = qobject_cast<tavorin::db::SqliteStore*>(&store);
        return file && file->open(file->location()).ok;
    }

    // Reads and writes on the league through a connection of the test's own.
    bool run(const QString& sql) const {
        QSqlQuery q(peek->db());
        if (!q.exec(sql))
            qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q.isActive();
    }
    QStringList column(const QString& sql) const {
        QSqlQuery q(peek->db());
        QStringList out;
        if (q.exec(sql))
            while (q.next())
                out << q.value(0).toString();
        return out;
    }

private:
    class Peek {
    public:
        Peek(const QString& driver, const QString& host, const QString& database) {
            QSqlDatabase db = QSqlDatabase::addDatabase(driver, QStringLiteral("peek"));
            db.setHostName(host);
            db.setDatabaseName(database);
            if (!host.isEmpty())
                db.setUserName(QStringLiteral("tavorin"));
            db.open();
        }
        ~Peek() {
            db().close();
            QSqlDatabase::removeDatabase(QStringLiteral("peek"));
        }
        QSqlDatabase db() const { return QSqlDatabase::database(QStringLiteral("peek"), false); }
    };
    std::unique_ptr<Peek> peek;
};
