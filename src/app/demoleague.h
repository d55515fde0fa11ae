#pragma once

#include "db/connection.h"

#include <QString>

namespace tavorin {

// What the demo league holds: two leagues of eight players each, every league with a schedule with
// return round (14 match days), of which the first round (match days 1 to 7) has been played.
struct DemoLeagueShape {
    static constexpr int leagues = 2;
    static constexpr int playersPerLeague = 8;
    static constexpr int matchDays = 2 * (playersPerLeague - 1);
    static constexpr int playedMatchDays = playersPerLeague - 1;
    static constexpr int matchesPerDay = playersPerLeague / 2;
};

// Writes a demo league into the new file `path`: players, leagues, membership, the schedules computed by
// the program's own round-robin and the results of the first half of the season, with statistics as real
// matches could have given them (the same every time). It is an ordinary league file, written through
// the program's own statements with the default points. An existing file is refused and left untouched;
// a file that could not be written completely is removed again. Afterwards `path` is the program's
// current league database.
db::Result writeDemoLeague(const QString& path);

} // namespace tavorin
