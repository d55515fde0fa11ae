#pragma once

#include "connection.h"

#include <QList>
#include <QString>
#include <QStringList>

// Finding and removing surplus result rows: a match with a result has exactly two rows in tv_ergebnisse,
// one per player; more rows would be counted twice by the league table and the statistics.
namespace tavorin::db {

// The match ids (spieltag_id as text) that have more than two result rows, in the order SQLite returns
// their groups. A database that cannot be read gives none.
QStringList findDuplicateMatches();

// The text that reports a check: the count, " Doppelung/en gefunden ", then "ID" + id + " " for each
// match, e.g. "2 Doppelung/en gefunden ID17 ID23 ".
QString duplicateReport(const QStringList& matchIds);

// The deletions that reduce each of `matchIds` to two rows: the first row SQLite returns for the match
// (A) and the first row of another player (B) are kept, every other row of the match is deleted. When all
// rows belong to one player there is no B, and only A is kept. Reads the rows to keep now and puts the
// statements into `deletions`, to be run together in one transaction. When a read fails, `deletions`
// stays empty and the result carries the error: a row to keep that could not be read must not make its
// match lose every row.
Result duplicateDeletions(const QStringList& matchIds, QList<Statement>& deletions);

} // namespace tavorin::db
