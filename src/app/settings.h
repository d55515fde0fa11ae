#pragma once

#include "export/exportsettings.h"

#include <QByteArray>
#include <QString>

namespace tavorin {

// Captions of the player names and sides and the display choice (group "bezeichnungen"). The values
// here are the built-in ones that stay in effect for the whole first run, before config.ini exists.
struct Captions {
    QString name1 = QStringLiteral("dart'n-Forum Name");
    QString name2 = QStringLiteral("Lidarts Name");
    QString heim = QStringLiteral("Spieler 1");
    QString gast = QStringLiteral("Spieler 2");
    bool anzeige = false; // true: the result views show the second names
};

// How the league table orders players level on points (group "punkte", key "Reihenfolge").
enum class TieBreak {
    LegDifference = 0, // leg difference, then legs won
    HeadToHead = 1,    // points of their matches against each other, then leg difference, then legs won
};

// League points for a win, a draw and a loss (group "punkte"), and the order of players level on points.
struct Points {
    int gewonnen = 2;
    int remis = 1;
    int verloren = 0;
    TieBreak reihenfolge = TieBreak::LegDifference;
    // Legs of a match won without a game, winner's first (key "KampflosLegs", "3:0"; not in a new file).
    int walkoverWon = 3;
    int walkoverLost = 0;
};

// Addresses of the two online platforms (group "plattformen"). An empty or missing key means its default;
// the Pro-Darter relay has no public default and stays empty while it is not configured.
struct PlatformAddresses {
    static constexpr const char* defaultLidartsApi = "https://lidarts.org";
    static constexpr const char* defaultLidartsWeb = "https://lidarts.org";
    static constexpr const char* defaultProdarterRelay = "";
    static constexpr const char* defaultProdarterWeb = "http://www.pro-darter.com";

    QString lidartsApi = QLatin1StringView(defaultLidartsApi);
    QString lidartsWeb = QLatin1StringView(defaultLidartsWeb);
    QString prodarterRelay = QLatin1StringView(defaultProdarterRelay);
    QString prodarterWeb = QLatin1StringView(defaultProdarterWeb);
    // How long one fetch and the reading of its reply may take at most, in seconds (key "zeitlimit", 1 to
    // 3600; not written by default).
    int timeoutSeconds = 15;

    QString lidartsGameRequest(const QString& gameId) const; // API request for one game
    QString lidartsGameLink(const QString& hash) const;      // page of a game
    QString prodarterRelayRequest() const;                   // empty while the relay is not configured
    QString prodarterMatchLink(const QString& hash) const;   // page of a match
};

// Everything config.ini holds, as the program uses it.
struct ProgramSettings {
    QString dbpfad;
    Captions captions;
    Points points;
    ExportSettings exports;
    PlatformAddresses platforms;
    // Group "spielplan", key "HeimrechtAusgleichen" (not in a new file): computed schedules balance home and away.
    bool balanceHomeAway = false;
    // Group "server", key "verbindung" (not in a new file): the league on a PostgreSQL server, as a libpq
    // connection URI without password; empty means the league file of dbpfad.
    QString server;
};

// The directory of the per-user INI settings of organisation "Tavorin", application "application".
// config.ini and the default league database lie in it.
QString settingsDirectory();
QString configFilePath(const QString& settingsDir);
QString defaultDatabasePath(const QString& settingsDir);

// Writes a complete new config.ini: groups dateipfad, bezeichnungen, punkte, exportfenster, plattformen,
// each key with its first-creation value, in this order. Creates the directory when needed.
bool writeDefaultConfig(const QString& configPath, const QString& databasePath);

// Reads an existing config.ini as start-up does: captions and points without defaults (a missing text
// is empty, a missing or empty number 0; a missing tie-break order is the leg difference), export keys only
// when not empty. A value that cannot be read
// as what its key holds falls back to that key's default: points that are no whole number from -999 to
// 999, a flag other than "true" or "false", an export option as readExportSettings says, a platform
// address that is no http or https URL, a time limit other than 1 to 3600 seconds.
ProgramSettings readConfig(const QString& configPath);

// The start-up rule: with no config.ini, write the defaults and keep the built-in values for this run;
// otherwise read the file. A missing or empty dbpfad becomes the default file and is written back.
ProgramSettings loadStartupSettings(const QString& settingsDir);

// Remembers the path of the connected league database (group "dateipfad", key "dbpfad").
void storeDatabasePath(const QString& configPath, const QString& databasePath);

// Remembers the server league (group "server", key "verbindung"); an empty `uri` goes back to the league file.
void storeServerConnection(const QString& configPath, const QString& uri);

// Remembers the choice "Heimrecht ausgleichen" (group "spielplan", key "HeimrechtAusgleichen").
void storeHomeAwayBalance(const QString& configPath, bool balance);

// What the settings dialog stores; the points are stored as typed.
struct DialogValues {
    QString name1, name2, heim, gast;
    bool anzeige = false;
    QString gewonnen, remis, verloren;
    TieBreak reihenfolge = TieBreak::LegDifference;
};
void storeDialogValues(const QString& configPath, const DialogValues& values);

// How the window was left (group "fenster", written when the window closes): its geometry as the window
// saves it, and whether the administration tabs were shown.
struct WindowState {
    QByteArray geometry;
    bool administration = false;
};
WindowState readWindowState(const QString& configPath);
// Replaces the group "fenster" at the end of config.ini and leaves every other line as it is, so that the
// documented order of the other groups stays.
bool storeWindowState(const QString& configPath, const WindowState& state);

// The text QSettings writes for a string value in an INI file, so that a hand-written file reads back
// exactly as QSettings would have written it.
QString iniValueText(const QString& value);

} // namespace tavorin
