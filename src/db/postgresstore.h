#pragma once

#include "serveraddress.h"
#include "sqlstore.h"

#include <QSqlDriver>

class QTimer;

namespace tavorin::db {

// A league in a database on a PostgreSQL server, shared by several organisers. The connection stays open;
// one that breaks is reported once and opened again by the next operation once the server answers.
class PostgresStore : public SqlStore {
    Q_OBJECT

public:
    // `password` is kept in memory only; without one libpq reads its own sources (~/.pgpass, PGPASSWORD).
    explicit PostgresStore(const ServerAddress& address, const QString& password = QString(),
                           QObject* parent = nullptr);

    QString location() const override { return address.title(); }
    const ServerAddress& serverAddress() const { return address; }

    // What connecting found in the database.
    enum class Content { League, Empty, Other };
    // Connects and looks at the database: a league database (upgraded like a file, its indexes made), an
    // empty one, or something else (`reason` says what is missing). Fails when the server cannot be reached.
    Result connectToServer(Content* content, QString* reason = nullptr);
    // Creates the five tables and their indexes in an empty database, together or not at all.
    Result createTables();
    // Whether the connected user may change the league (INSERT, UPDATE, DELETE on each of its tables).
    bool mayWrite() override;
    bool isOffline() const { return lost; }
    bool hasColumn(const QString& table, const QString& column) override;

    // What went wrong with connecting, in one German sentence: not reachable, wrong password, TLS refused,
    // database missing, no rights; `reason` (the server's or libpq's text) follows it on a line of its own.
    static QString describeFailure(const QString& reason);

signals:
    // The connection broke (told once), or is there again.
    void connectionLost(const QString& reason);
    void connectionRestored();

protected:
    Result announce(const StoreChange& change) override;
    Result openConnection() override;
    void closeConnection() override {}
    void failed(Result& failure) override;

private:
    // Adds the columns `upgrade` adds, the indexes and best legs of 0 stored as none.
    Result prepareLeague(const QStringList& upgrade, const QStringList& laterTables);
    Result runAll(const QStringList& statements);

    // While the connection is broken: tries to connect again now and then.
    void tryAgain();
    // Listens to the announcements of the other programs on this league; once per opened connection.
    void listen();
    void received(const QString& name, QSqlDriver::NotificationSource source, const QVariant& payload);

    const ServerAddress address;
    const QString password;
    bool lost = false;
    QTimer* retry = nullptr;
};

} // namespace tavorin::db
