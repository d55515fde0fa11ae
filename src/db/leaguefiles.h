#pragma once

#include "app/pagecontext.h"

#include <QObject>

class QMainWindow;
namespace tavorin::db {
class SqliteStore;
}

// The league the window works on, as the menu "Datei" handles it: opening the remembered league file at
// start-up (and what to do when it is refused), connecting another file, copying it, the automatic
// backups and their restore, and the window title that names the league.
class LeagueFiles : public QObject {
    Q_OBJECT

public:
    // `path`: the league file of this run (dbpfad, or the demo file).
    LeagueFiles(PageContext& context, QMainWindow* window, const QString& titleBase, const QString& path);

    // At start-up: opens the league file. A file that cannot be used is left untouched, and the organiser
    // creates a new league file, chooses another one (checked alike) or goes on without one.
    void openAtStart();
    void connectFile();  // DatenbankImportieren
    void saveCopy();     // DatenbankSpeichern
    void restore();      // "Sicherung wiederherstellen..."
    // A backup of the league before a command that deletes or overwrites stored data; false (reported)
    // when it failed. The backup `keep` is spared by the removal of old ones.
    bool backup(const QString& reason, const QString& keep = QString());
    // The folder where files made from the league are proposed: the league file's.
    QString fileFolder() const;
    // Whether `table` of the league file has a column `column` (DBaufSpaltePruefen).
    bool hasColumn(const QString& table, const QString& column) const;

signals:
    // Another league became current, or the league was replaced: every view shows it anew.
    void reloadNeeded();

private:
    tavorin::db::SqliteStore* file() const; // the league file, while the league is one
    void dailyBackup();
    bool reopen();
    // Shows `path` in the title and remembers it in config.ini.
    void remember(const QString& path);
    QString replaceRefused(const QString& path, const tavorin::db::Result& reason);
    QString chooseNewFile();
    void reportRefused(const QString& path, const tavorin::db::Result& reason);

    PageContext& context;
    QMainWindow* window;
    const QString titleBase;
    QString path;
};
