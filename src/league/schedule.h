#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tavorin {

// One match of a league's schedule as it is stored in tv_spieltage: the match day (counted from 1) and the
// ids of the home and the away player.
struct ScheduleRow {
    int matchDay = 0;
    QString home;
    QString away;

    friend bool operator==(const ScheduleRow& a, const ScheduleRow& b) {
        return a.matchDay == b.matchDay && a.home == b.home && a.away == b.away;
    }
    friend bool operator!=(const ScheduleRow& a, const ScheduleRow& b) { return !(a == b); }
};

// Match days of one round for a league of memberCount members: memberCount - 1 when the count is even,
// memberCount when it is odd (one member sits out each day). A league without members has 0.
int firstRoundMatchDays(int memberCount);

// The round-robin of the given members by the circle method, in the order the rows are to be inserted.
// The members are paired in the order given; nothing is sorted. Before each match day the list is rotated
// one step to the right (even count: position 0 stays put; odd count: the whole list turns and whoever
// ends up last has a bye), then position i plays position M - i at home, M being the last playing
// position. With a return round, each pair's mirrored row (home and away exchanged, on match day R + d)
// follows that pair's row directly. Fewer than two members give no rows.
//
// `balanceHomeAway` keeps the same pairs on the same days but chooses who plays at home so that every
// member alternates as far as a round robin allows: with an odd count strictly (the bye left aside), with
// an even count nobody has more than two home or two away matches in a row within one round, and the
// member at position 0 alternates from a home match on day 1. Without it, the lower position is at home.
QList<ScheduleRow> generateSchedule(const QStringList& members, bool withReturnRound, bool balanceHomeAway = false);

} // namespace tavorin
