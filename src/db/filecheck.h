#pragma once

#include "connection.h"

#include <QString>

// The one check of a file before it becomes the league database or takes its place: at start-up, when
// another file is connected, when a backup is restored, and for every backup just written.
namespace tavorin::db {

// Whether a symbolic link may stand for the file: organisers link their league file, but a backup is
// restored only from a file of its own.
enum class Links { Followed, Refused };

// Succeeds when `path` is a regular file (or, with Links::Followed, a link to one), reads as SQLite,
// passes SQLite's quick check and holds the five league tables with their columns (checkLeagueTables).
// Nothing is written to the file. Otherwise fails with the reason in German: `notLeague` when the file is
// no whole league database (also a folder, a pipe, a link that leads nowhere), `locked` when another
// program keeps it from being read; other failures (no permission, for example) set neither.
Result checkLeagueFile(const QString& path, Links links = Links::Followed);

} // namespace tavorin::db
