#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The league data in the program's own terms, as the league store reads and writes it.
namespace tavorin {

// The id of a player, league, assignment or match (the tables' integer primary keys); 0 is none.
using Id = qint64;

// A player of the register: the forum name (first name) and the online-platform name (second name).
struct Player {
    Id id = 0;
    QString name1;
    QString name2;
    friend bool operator==(const Player& a, const Player& b) {
        return a.id == b.id && a.name1 == b.name1 && a.name2 == b.name2;
    }
};

struct League {
    Id id = 0;
    QString name;
    friend bool operator==(const League& a, const League& b) { return a.id == b.id && a.name == b.name; }
};

// A player's assignment to a league.
struct Member {
    Id assignment = 0;
    Id player = 0;
    QString name1;
    QString name2;
    friend bool operator==(const Member& a, const Member& b) {
        return a.assignment == b.assignment && a.player == b.player && a.name1 == b.name1 && a.name2 == b.name2;
    }
};

// A match of a league's schedule as the schedule and result lists show it. A player row that is gone
// gives empty names. `played`: the home player's stored legs add up to more than 0.
struct Match {
    Id id = 0;
    int day = 0;
    Id home = 0;
    Id away = 0;
    QString home1, home2; // the home player's first and second name
    QString away1, away2;
    bool played = false;
    int homeLegs = 0; // the home player's stored legs, won and lost
    int awayLegs = 0;
    friend bool operator==(const Match& a, const Match& b) {
        return a.id == b.id && a.day == b.day && a.home == b.home && a.away == b.away && a.home1 == b.home1 &&
               a.home2 == b.home2 && a.away1 == b.away1 && a.away2 == b.away2 && a.played == b.played &&
               a.homeLegs == b.homeLegs && a.awayLegs == b.awayLegs;
    }
};

// A game stored with a result: its platform as stored ("lidarts" or "prodarter") and its game id.
struct ImportedGame {
    QString platform;
    QString gameId;
    friend bool operator==(const ImportedGame& a, const ImportedGame& b) {
        return a.platform == b.platform && a.gameId == b.gameId;
    }
};

// What a match is at one moment: its league, match day, players, and its stored result rows (each as one
// text). An organiser who loaded a match sees by it whether another one changed it meanwhile.
struct MatchState {
    bool exists = false;
    Id league = 0;
    int day = 0;
    Id home = 0;
    Id away = 0;
    QStringList results;
    friend bool operator==(const MatchState& a, const MatchState& b) {
        return a.exists == b.exists && a.league == b.league && a.day == b.day && a.home == b.home && a.away == b.away &&
               a.results == b.results;
    }
    friend bool operator!=(const MatchState& a, const MatchState& b) { return !(a == b); }
};
// What happened to a match between `before` and `now`, as a German sentence for the organiser.
QString describeMatchChange(const MatchState& before, const MatchState& now);

// Where a player still takes part in the leagues' matches. His matches and results refer to him by id:
// without his row they would show an empty name and still count for his opponents.
struct PlayerUse {
    QStringList scheduledIn;     // existing leagues whose schedule holds a match of his, by name
    QStringList resultsIn;       // existing leagues with a stored result of his, by name
    int resultsWithoutMatch = 0; // his stored results whose match was deleted with its schedule
};

} // namespace tavorin
