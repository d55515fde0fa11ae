#pragma once

#include "app/settings.h"
#include "results/standings.h"
#include "results/withdrawal.h"

#include <QList>
#include <QString>

namespace tavorin {

// The code builders of the three export windows: the league table (window 1), the statistics (window 2) and
// the schedule with its results (window 3), each as HTML or BB-Code. They take the rows that the window's
// queries delivered and the state of the window's option widgets, and return the text for the code field.
// Nothing here reads the database or the widgets.
//
// Nothing that reaches the HTML code can open a tag or an attribute of its own: player names, the game
// link and the date line are HTML-escaped; a colour that is no colour name ("#" and six hexadecimal
// digits) is replaced by that option's default, and so is a line thickness other than "0" to "9"; the
// width is its leading whole number (widthNumber); leg counts, match-day numbers and best legs that are
// whole numbers are written as numbers, other stored texts escaped. In BB-Code every "[" and "]" of a
// name or a stored text becomes the full-width bracket U+FF3B or U+FF3D, which no forum reads as a tag.
// Names and stored texts pass through safeName() first in both formats: no control character or bidi
// control reaches the code, and a line break in a name becomes a blank. Valid options and names without
// brackets or such characters pass through unchanged.

// The format radio buttons "html-Code" and "BB-Code"; None (neither checked) gives an empty text.
enum class CodeFormat { None, Html, BBCode };

// The "%" and "Px" radio buttons of "Tabellenbreite" ("%" wins when both are set, as the window tests it first).
enum class WidthUnit { None, Percent, Pixel };

// The three alignment radio buttons of the table and statistics windows, or none checked.
enum class CellAlignment { None, Left, Centred, NamesLeftValuesCentred };

// What every export window offers.
struct ExportOptions {
    CodeFormat format = CodeFormat::Html;
    bool firstName = true;                 // first name check box: the forum name (dartn_name)
    bool secondName = false;               // second name check box: the platform name (prodarter_name)
    QString width = QStringLiteral("100"); // the width field; an empty field gives no width at all
    WidthUnit widthUnit = WidthUnit::Percent;
    QString lineThickness = QStringLiteral("1"); // current text of the thickness selector ("0" to "8")
    QString lineColour = QStringLiteral("#000000");
    bool showDate = false; // "Aktualisierungsdatum anzeigen"
    QString today;         // the program's start-up date, "dd.MM.yyyy"
    QString currentTime;   // the time of generation, "hh:mm"
};

// Options of the league-table and the statistics window.
struct TableCodeOptions : ExportOptions {
    CellAlignment alignment = CellAlignment::Left;
};

// Options of the schedule window: the score colours and the BB-Code formatting boxes on top.
struct ScheduleCodeOptions : ExportOptions {
    QString drawnColour = QStringLiteral("#ffffdd"); // "unentschieden"
    QString wonColour = QStringLiteral("#ddffdd");   // "gewonnen"
    QString lostColour = QStringLiteral("#ffdddd");  // "verloren"
    bool boldMatchDays = true;                       // "Spieltage fett"
    bool underlinedMatchDays = true;                 // "Spieltage unterstrichen"
    bool boldScore = true;                           // "Spielstand fett"
};

// One player's stored result record of a match. A missing record is the default value: average 0.00,
// no best leg, no game link.
struct MatchRecord {
    float average = 0.0f;  // ave, single precision
    int count180 = 0;      // p180
    int highFinish = 0;    // hf
    QString bestLeg;       // bestleg as stored: digits, or empty once a 0 has been rewritten
    QString hash;          // game id of the import
    QString platform;      // "lidarts" or "prodarter"
    int doublesHit = 0;    // douba
    int doublesThrown = 0; // doubb
};

// One match of the schedule query, in query order, with the result records of both players. The leg texts
// come from the home player's record and are both empty while no result is stored.
struct ScheduleMatch {
    QString matchDay; // spieltag as stored
    QString homeName1, homeName2;
    QString awayName1, awayName2;
    QString legsWon, legsLost;
    MatchRecord home, away;
    withdrawal::Outcome outcome = withdrawal::Outcome::Counts; // struck through, or won without a game
};

// The name a row shows: both names as "forum (platform)", the platform name alone, or the forum name
// (first box alone, and also when neither box is checked).
QString chosenName(const QString& name1, const QString& name2, bool first, bool second);

QString leagueTableCode(const QList<LeagueTableRow>& rows, const TableCodeOptions& options);
QString statisticsCode(const QList<StatisticsRow>& rows, const TableCodeOptions& options);
// Game links lead to the Lidarts game page or the Pro-Darter match page of the home record's hash.
QString scheduleCode(const QList<ScheduleMatch>& matches, const ScheduleCodeOptions& options,
                     const PlatformAddresses& platforms);

} // namespace tavorin
