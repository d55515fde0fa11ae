#pragma once

#include "db/connection.h"

#include <QString>

namespace tavorin {

// Writes a demo league into the new file `path`: two leagues of eight players each and two more players in
// the pool; every league with the schedule with return round (14 match days) computed by the program's own
// round-robin, and the results of the first half of the season (match days 1 to 7), with statistics as
// real matches could have given them (the same every time). It is an ordinary league file, written through
// the program's own statements with the default points. An existing file is refused and left untouched;
// a file that could not be written completely is removed again.
db::Result writeDemoLeague(const QString& path);

} // namespace tavorin
