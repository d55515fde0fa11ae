#pragma once

#include "export/forumcode.h"

#include <QByteArray>
#include <QString>

// The export windows' tables beyond the forum: the rendered preview of BB-Code, the CSV file and the page
// that is printed or saved as PDF.
namespace tavorin {

// BB-Code as HTML for the preview: [table='captions'] with its rows of "[*]" cells (a line feed ends a
// row), [tr], [td], [th], [b], [i], [u], [s], [color=...], [url] and [url=...], [align=left|center|right].
// Every text is HTML-escaped; a tag that is not understood, or whose value is not allowed, stays text.
QString bbCodeToHtml(const QString& code);

// The page of a printed table: the league name and the date as its title, then the table's HTML code.
QString printHtml(const QString& leagueName, const QString& date, const QString& tableHtml);

// The CSV files of the three windows, as German spreadsheet programs open them: UTF-8 with a byte-order
// mark, semicolons between the fields, a decimal comma, a header row and one row per table row, lines
// ended by CR LF. Names follow the window's name check boxes; a name that a spreadsheet would take for a
// formula (beginning with =, +, - or @) gets an apostrophe in front.
QByteArray leagueTableCsv(const QList<LeagueTableRow>& rows, const ExportOptions& options);
QByteArray statisticsCsv(const QList<StatisticsRow>& rows, const ExportOptions& options);
QByteArray scheduleCsv(const QList<ScheduleMatch>& matches, const ExportOptions& options);

} // namespace tavorin
