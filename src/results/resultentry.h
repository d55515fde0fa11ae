#pragma once

#include "app/settings.h"

#include <QList>
#include <QString>

#include <array>

// One match's result as the result form holds it: two players' figures, the derived outcome, and the
// statements that store both result rows.
namespace tavorin::resultentry {

// The fields of one player's side of the form, top to bottom.
enum Field {
    Legs,
    Average,
    First9Average,
    Minus20,
    Plus20,
    Plus40,
    Plus60,
    Plus80,
    Plus100,
    Plus140,
    Plus171,
    Count180,
    HighestFinish,
    DoublesHit,
    DoublesThrown,
    BestLeg,
    FieldCount
};

// The texts of one side's fields, indexed by Field.
using SideTexts = std::array<QString, FieldCount>;

// The first field of one side whose text is no possible figure, or FieldCount when every field is
// possible. An empty field counts as 0. Legs 0 to 99; averages (a comma or a point before the decimals)
// 0 to 180; the score bands 0 to 999; highest finish 0 or 2 to 170; doubles hit and thrown whole numbers
// of at least 0, hit not more than thrown; best leg 0 or at least 9 darts. Whole numbers are digits only.
Field firstImpossibleField(const SideTexts& side);
// Whether `field` of `side` holds a possible figure, by the same rules. The hits are not blamed for an
// impossible count of darts thrown, which is its own field's fault.
bool possibleField(const SideTexts& side, Field field);

// Won, drawn and lost indicators and the league points of one player.
struct PlayerOutcome {
    int gewonnen = 0;
    int remis = 0;
    int verloren = 0;
    int punkte = 0;
};

struct MatchOutcome {
    PlayerOutcome left;
    PlayerOutcome right;
};

// The outcome of a match from the legs of both players and the points for a win, a draw and a loss.
MatchOutcome decideOutcome(int legsLeft, int legsRight, const Points& points);

// A stored result row of a match: whose it is and its figures as the form shows them (averages with two
// decimals, the other fields as stored, an SQL NULL as an empty field).
struct StoredSide {
    QString playerId;
    SideTexts texts;
};

// A match whose stored results hold an imported game (the league store finds it).
struct MatchWithGame {
    bool found = false;
    QString matchDay;
    QString home1, home2; // the home player's first and second name
    QString away1, away2;
};

// What a save stores besides the two sides' texts.
struct SaveContext {
    bool update = false; // rows exist: update them, else insert two new rows
    qint64 matchId = 0;
    qint64 leftPlayer = 0;
    qint64 rightPlayer = 0;
    QString hash; // game id and platform of the last online import
    QString plat;
};

// A result for a match without one, as a save of many stores it: the match's league and match day as they
// were read, its home player left and its away player right, and both sides' texts.
struct NewResult {
    SaveContext save;
    qint64 league = 0;
    int day = 0;
    SideTexts left;
    SideTexts right;
};

} // namespace tavorin::resultentry
