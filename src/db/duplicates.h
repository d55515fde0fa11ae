#pragma once

#include "leaguetypes.h"

#include <QList>
#include <QString>
#include <QStringList>

// Surplus result rows: a match with a result has exactly two rows in tv_ergebnisse, one per player; more
// rows would be counted twice by the league table and the statistics. The league store finds and removes
// them; this is how the window reports them.
namespace tavorin::db {

// The text that reports a check: the count, " Doppelung/en gefunden ", then "ID" + id + " " for each
// match, e.g. "2 Doppelung/en gefunden ID17 ID23 ".
QString duplicateReport(const QList<Id>& matchIds);

} // namespace tavorin::db
