#pragma once

#include <QString>

namespace tavorin::db {

// Where a league on a PostgreSQL server lives, as config.ini remembers it (group "server", key "verbindung"):
// a libpq connection URI without password, such as
// "postgresql://orga1@liga.example.org:5432/herbstliga?sslmode=verify-full". A host that is a folder (a
// Unix socket) is given as the query parameter "host".
struct ServerAddress {
    QString host; // a name, an address, or the folder of a Unix socket
    int port = 5432;
    QString database;
    QString user;
    QString sslMode; // libpq's sslmode; empty: libpq's default

    bool isValid() const { return !host.isEmpty() && !database.isEmpty(); }
    // The URI, never with a password.
    QString uri() const;
    // How the window title names it: "postgresql://user@host/database".
    QString title() const;
    // An URI that is no postgresql:// or postgres:// address gives an invalid address; a password in it is
    // dropped.
    static ServerAddress fromUri(const QString& uri);

    friend bool operator==(const ServerAddress& a, const ServerAddress& b) {
        return a.host == b.host && a.port == b.port && a.database == b.database && a.user == b.user &&
               a.sslMode == b.sslMode;
    }
};

} // namespace tavorin::db
