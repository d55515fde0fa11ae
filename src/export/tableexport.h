#pragma once

#include "export/forumcode.h"

#include <QByteArray>
#include <QString>

// The export windows' tables beyond the forum: the CSV file and the page that is printed or saved as PDF.
namespace tavorin {

// The page of a printed table: the league name and the date as its title, then the table's HTML code.
QString printHtml(const QString& leagueName, const QString& date, const QString& tableHtml);

// The CSV files of the three windows, as German spreadsheet programs open them: UTF-8 with a byte-order
// mark, semicolons between the fields, a decimal comma, a header row and one row per table row, lines
// ended by CR LF. Names follow the window's name check boxes. Names and stored texts pass through
// safeName(); one that a spreadsheet would take for a formula (beginning with =, +, -, @, a tab or a line
// break) gets an apostrophe in front.
QByteArray leagueTableCsv(const QList<LeagueTableRow>& rows, const ExportOptions& options);
QByteArray statisticsCsv(const QList<StatisticsRow>& rows, const ExportOptions& options);
QByteArray scheduleCsv(const QList<ScheduleMatch>& matches, const ExportOptions& options);

} // namespace tavorin
