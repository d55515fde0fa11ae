#pragma once

// The pieces the forum-code builders of table, statistics and schedule share: names and figures made
// harmless for each format, the checked options, and the table's opening, borders, date line and alignment.
#include "export/forumcode.h"

#include <QLatin1StringView>
#include <QString>

namespace tavorin::codeparts {

// A stored text in HTML: safe to show (safeName) and escaped.
QString htmlText(const QString& text);
QString htmlName(const QString& name1, const QString& name2, const ExportOptions& o);
// A stored text in BB-Code: safe to show (safeName), its square brackets as full-width ones, so that it
// cannot open or close a tag.
QString bbText(const QString& text);
QString bbName(const QString& name1, const QString& name2, const ExportOptions& o);
// A stored figure (legs, match day, best leg): a whole number written as a number, any other text made
// harmless for the format (`html` true: escaped, else as bbText).
QString storedFigure(const QString& text, bool html);
// The schedule options as the HTML code may use them: every value that goes into a style checked, the
// rest escaped.
ScheduleCodeOptions checkedOptions(const ScheduleCodeOptions& o);
// The table's width in its style: the width with its unit, nothing when there is none.
QString htmlWidth(const ExportOptions& o);
// The bottom and right border of a cell, to be put after "border-bottom:".
QString cellBorders(const ExportOptions& o);
// The opening of a table up to its style's end: width and the top and left border.
QString tableOpening(const ExportOptions& o);
QString dateLine(const ExportOptions& o);

// Alignment of the name cells and of all other cells in HTML.
struct HtmlAlignment {
    QLatin1StringView names;
    QLatin1StringView values;
};
HtmlAlignment htmlAlignment(CellAlignment a);

// The BB-Code align tags around the whole table and around each name.
struct BBAlignment {
    QLatin1StringView open, close, nameOpen, nameClose;
};
BBAlignment bbAlignment(CellAlignment a);

} // namespace tavorin::codeparts
