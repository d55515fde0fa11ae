#pragma once

#include "app/pagecontext.h"
#include "db/serveraddress.h"

#include <QObject>

class QMainWindow;
namespace tavorin::db {
class PostgresStore;
class SqliteStore;
} // namespace tavorin::db

// The league the window works on, as the menu "Datei" handles it: a league file (opening the remembered one
// at start-up and what to do when it is refused, connecting another file, copying it) or a league on a
// PostgreSQL server (connecting to it, moving a league file there, saving it as a league file); the
// automatic backups of either and their restore; and the window title that names the league.
class LeagueFiles : public QObject {
    Q_OBJECT

public:
    // `path`: the league file of this run (dbpfad, or the demo file); `server`: the remembered server league
    // (an URI), which comes first when it is given.
    LeagueFiles(PageContext& context, QMainWindow* window, const QString& titleBase, const QString& path,
                const QString& server);

    // At start-up: opens the league. A file that cannot be used is left untouched, and the organiser creates a
    // new league file, chooses another one (checked alike) or goes on without one.
    void openAtStart();
    void connectFile();   // DatenbankImportieren
    void saveCopy();      // DatenbankSpeichern
    void restore();       // "Sicherung wiederherstellen..."
    void connectServer(); // "Mit Liga-Server verbinden..."
    void moveToServer();  // "Liga auf den Server übertragen..."
    // A backup of the league before a command that deletes or overwrites stored data; false (reported)
    // when it failed. The backup `keep` is spared by the removal of old ones.
    bool backup(const QString& reason, const QString& keep = QString());
    // The folder where files made from the league are proposed: the league file's.
    QString fileFolder() const;
    // Whether `table` of the league has a column `column` (DBaufSpaltePruefen).
    bool hasColumn(const QString& table, const QString& column) const;
    bool onServer() const { return server.isValid(); }

signals:
    // Another league became current, or the league was replaced: every view shows it anew.
    void reloadNeeded();

private:
    tavorin::db::SqliteStore* file() const; // the league file, while the league is one
    tavorin::db::PostgresStore* serverStore() const;
    // The league's key for its backups and config.ini: the file's path or the server's address.
    QString location() const;
    tavorin::db::Result copyInto(const QString& target) const; // the backup's copy
    void dailyBackup();
    bool reopen();
    void showTitle();
    // Shows `path` in the title and remembers it in config.ini.
    void remember(const QString& path);
    QString replaceRefused(const QString& path, const tavorin::db::Result& reason);
    QString chooseNewFile();
    void reportRefused(const QString& path, const tavorin::db::Result& reason);
    // Makes a league file current again (after a server league).
    bool useFile(const QString& path);

    // The server's side (db/leaguefiles_server.cpp).
    // Asks where the server league lies (with `reason` as the last failure) and connects; nothing when cancelled.
    std::unique_ptr<tavorin::db::PostgresStore> askForServer(const tavorin::db::ServerAddress& proposed, bool forMove);
    // Connects to `address`; reports a failure (false). `forMove`: the database must be empty.
    std::unique_ptr<tavorin::db::PostgresStore> openServer(const tavorin::db::ServerAddress& address,
                                                           const QString& password, bool forMove, bool* retry);
    void useServer(std::unique_ptr<tavorin::db::PostgresStore> store, const QString& password);
    void watchConnection(tavorin::db::PostgresStore* store);
    void restoreOnServer(const QString& backupPath, const QString& when);
    bool saveServerCopy(const QString& target);

    PageContext& context;
    QMainWindow* window;
    const QString titleBase;
    QString path;
    tavorin::db::ServerAddress server; // valid while the league is on a server
    QString password;                  // of the server league, in memory only
    QString rememberedServer;
};
