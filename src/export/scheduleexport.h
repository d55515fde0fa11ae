#pragma once

#include "export/forumcode.h"

#include <QList>
#include <QString>

namespace tavorin {

// A league's whole schedule for the schedule code, in match-day order, with both players' result
// records (a missing record stays at its default). The per-match statements are prepared once and the
// connection is opened once for the whole read.
QList<ScheduleMatch> scheduleForExport(const QString& leagueId);

// The schedule statement and the home player's record statement, for comparisons with the bare queries.
const QString& scheduleExportQuery();
const QString& homeRecordQuery();

} // namespace tavorin
