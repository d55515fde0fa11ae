#pragma once

#include "leaguetypes.h"

#include <QByteArray>
#include <QFlags>
#include <QList>
#include <QMetaType>

namespace tavorin::db {

// What one committed write of the league store changed, told by the write itself: which kinds of data and
// which players, leagues and matches. Views refresh what shows any of it; on a server league the same
// announcement reaches the other programs connected to it.
struct StoreChange {
    enum Kind {
        Players = 0x01,  // players added, renamed or deleted
        Leagues = 0x02,  // leagues added, renamed or deleted
        Members = 0x04,  // assignments of players to leagues
        Schedule = 0x08, // matches computed, deleted, or their players changed
        Results = 0x10,  // results saved or deleted
    };
    Q_DECLARE_FLAGS(Kinds, Kind)

    // A match a write concerned, with its league and match day (0 when the match is gone).
    struct MatchRef {
        Id id = 0;
        Id league = 0;
        int day = 0;
        friend bool operator==(const MatchRef& a, const MatchRef& b) {
            return a.id == b.id && a.league == b.league && a.day == b.day;
        }
    };

    Kinds kinds;
    QList<Id> players;
    QList<Id> leagues; // leagues added, renamed, deleted, or whose members, schedule or results changed
    QList<MatchRef> matches;
    bool allLeagues = false; // every league is concerned (all results deleted, a league replaced)
    bool remote = false;     // written by another program on the same server league (not part of the payload)

    bool isEmpty() const { return !kinds; }
    bool concerns(Kinds any) const { return kinds & any; }
    // Whether the change may touch league `league`'s data of the kinds `any`.
    bool concernsLeague(Id league, Kinds any) const;
    bool concernsMatch(Id match) const;
    // Adds what `other` changed.
    void merge(const StoreChange& other);

    // What arrived, in German for the status bar ("Ergebnis von Spieltag 3 ge\u00e4ndert").
    QString describe() const;

    // A compact text form (JSON) for notifications between programs, and back; an unreadable text gives a
    // change of every kind in every league.
    QByteArray toPayload() const;
    static StoreChange fromPayload(const QByteArray& payload);

    friend bool operator==(const StoreChange& a, const StoreChange& b) {
        return a.kinds == b.kinds && a.players == b.players && a.leagues == b.leagues && a.matches == b.matches &&
               a.allLeagues == b.allLeagues;
    }
};
Q_DECLARE_OPERATORS_FOR_FLAGS(StoreChange::Kinds)

} // namespace tavorin::db

Q_DECLARE_METATYPE(tavorin::db::StoreChange)
