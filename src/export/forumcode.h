#pragma once

#include "app/settings.h"

#include <QList>
#include <QString>

namespace tavorin {

// The code builders of the three export windows: the league table (window 1), the statistics (window 2) and
// the schedule with its results (window 3), each as HTML or BB-Code. They take the rows that the window's
// queries delivered and the state of the window's option widgets, and return the text for the code field.
// Nothing here reads the database or the widgets.
//
// In HTML every finished player name, the game id of a link and the width text are HTML-escaped, so that a
// name holding "<", "&" or a double quote cannot break the pasted table. BB-Code gets them as they are.

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
    QString width = QStringLiteral("100"); // the width field as typed; an empty field gives no width at all
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

// One row of the standings query, in standings order. Sums of a member without results are 0 (NULL read as 0).
struct LeagueTableRow {
    QString name1; // dartn_name
    QString name2; // prodarter_name
    int won = 0;   // gewSpiele
    int drawn = 0; // unenSpiele
    int lost = 0;  // verlSpiele
    int legsWon = 0;
    int legsLost = 0;
    int points = 0;        // gesamtpunkte
    float average = 0.0f;  // sumav, read as a single-precision number
    int doublesHit = 0;    // doppA
    int doublesThrown = 0; // doppB
};

// One row of the statistics query, in its ranking order. Every figure is the query value as a whole number.
struct StatisticsRow {
    QString name1;         // dartn_name
    QString name2;         // prodarter_name
    int minus20 = 0;       // sm20
    int plus20 = 0;        // sp20
    int plus40 = 0;        // sp40
    int plus60 = 0;        // sp60
    int plus80 = 0;        // sp80
    int plus100 = 0;       // sp100
    int plus140 = 0;       // sp140
    int plus171 = 0;       // sp171
    int count180 = 0;      // sp180
    int highestFinish = 0; // maxhf
    int bestLeg = 0;       // minbestleg, 0 when the player has none
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
};

QString leagueTableCode(const QList<LeagueTableRow>& rows, const TableCodeOptions& options);
QString statisticsCode(const QList<StatisticsRow>& rows, const TableCodeOptions& options);
// Game links lead to the Lidarts game page or the Pro-Darter match page of the home record's hash.
QString scheduleCode(const QList<ScheduleMatch>& matches, const ScheduleCodeOptions& options,
                     const PlatformAddresses& platforms);

// A single-precision figure in fixed notation with exactly two decimals ("45.00").
QString twoDecimals(float value);

// The league table's double quote: "0" without darts at a double, else the quote (100 / thrown x hit in
// single precision) with two decimals, "% (", hit, "/", thrown and ")", for example "33.33% (1/3)".
QString doublesQuoteWithCounts(int hit, int thrown);

} // namespace tavorin
