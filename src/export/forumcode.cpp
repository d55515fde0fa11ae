#include "export/forumcode.h"
#include "app/textescape.h"
#include "export/forumcodeparts.h"
#include "results/numbers.h"

#include <algorithm>
#include <type_traits>
#include <utility>

namespace tavorin {

using namespace Qt::StringLiterals;

QString chosenName(const QString& name1, const QString& name2, bool first, bool second) {
    if (first && second)
        return name1 + " ("_L1 + name2 + u')';
    if (second)
        return name2;
    return name1;
}

namespace codeparts {

// A stored text in HTML: safe to show (safeName) and escaped.
QString htmlText(const QString& text) {
    return safeName(text).toHtmlEscaped();
}

QString htmlName(const QString& name1, const QString& name2, const ExportOptions& o) {
    return htmlText(chosenName(name1, name2, o.firstName, o.secondName));
}

// A stored text in BB-Code: safe to show (safeName), its square brackets as full-width ones, so that it
// cannot open or close a tag.
QString bbText(const QString& text) {
    return safeName(text).replace(u'[', QChar(0xFF3B)).replace(u']', QChar(0xFF3D));
}

QString bbName(const QString& name1, const QString& name2, const ExportOptions& o) {
    return bbText(chosenName(name1, name2, o.firstName, o.secondName));
}

// A stored figure (legs, match day, best leg): a whole number written as a number, any other text made
// harmless for the format (`html` true: escaped, else as bbText).
QString storedFigure(const QString& text, bool html) {
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok);
    if (ok)
        return QString::number(number);
    return html ? htmlText(text) : bbText(text);
}

// The options as the HTML code may use them (see checkedOptions).
template <typename Options> Options checked(Options o) {
    const Options defaults;
    if (!isColourName(o.lineColour))
        o.lineColour = defaults.lineColour;
    if (!isLineThickness(o.lineThickness))
        o.lineThickness = defaults.lineThickness;
    o.width = widthNumber(o.width);
    o.today = o.today.toHtmlEscaped();
    o.currentTime = o.currentTime.toHtmlEscaped();
    if constexpr (std::is_same_v<Options, ScheduleCodeOptions>) {
        for (QString ScheduleCodeOptions::*colour :
             {&ScheduleCodeOptions::drawnColour, &ScheduleCodeOptions::wonColour, &ScheduleCodeOptions::lostColour}) {
            if (!isColourName(o.*colour))
                o.*colour = defaults.*colour;
        }
    }
    return o;
}

// The table's width in its style: the width with its unit, nothing when there is none.
QString htmlWidth(const ExportOptions& o) {
    if (o.width.isEmpty())
        return QString();
    switch (o.widthUnit) {
    case WidthUnit::Percent:
        return o.width + u'%';
    case WidthUnit::Pixel:
        return o.width + "px"_L1;
    case WidthUnit::None:
        break;
    }
    return QString();
}

// The bottom and right border of a cell, to be put after "border-bottom:".
QString cellBorders(const ExportOptions& o) {
    const QString line = o.lineThickness + "px solid "_L1 + o.lineColour;
    return line + "; border-right:"_L1 + line;
}

// The opening of a table up to its style's end: width and the top and left border.
QString tableOpening(const ExportOptions& o) {
    const QString line = o.lineThickness + "px solid "_L1 + o.lineColour;
    return R"(<table cellspacing="0" style="width:)"_L1 + htmlWidth(o) + "; border-top:"_L1 + line +
           "; border-left:"_L1 + line;
}

QString dateLine(const ExportOptions& o) {
    if (!o.showDate)
        return QString();
    return R"(<div style="font-size:0.8em; font-weight:bold;">aktualisiert am: )"_L1 + o.today + " um: "_L1 +
           o.currentTime + " Uhr</div>"_L1;
}

HtmlAlignment htmlAlignment(CellAlignment a) {
    switch (a) {
    case CellAlignment::Left:
        return {" text-align:left; "_L1, " text-align:left; "_L1};
    case CellAlignment::Centred:
        return {" text-align:center; "_L1, " text-align:center; "_L1};
    case CellAlignment::NamesLeftValuesCentred:
        return {" text-align:left; "_L1, " text-align:center; "_L1};
    case CellAlignment::None:
        break;
    }
    return {};
}

BBAlignment bbAlignment(CellAlignment a) {
    switch (a) {
    case CellAlignment::Left:
        return {"[align=left]"_L1, "[/align]"_L1, {}, {}};
    case CellAlignment::Centred:
        return {"[align=center]"_L1, "[/align]"_L1, {}, {}};
    case CellAlignment::NamesLeftValuesCentred:
        return {"[align=center]"_L1, "[/align]"_L1, "[align=left]"_L1, "[/align]"_L1};
    case CellAlignment::None:
        break;
    }
    return {};
}

ScheduleCodeOptions checkedOptions(const ScheduleCodeOptions& o) {
    return checked(o);
}

} // namespace codeparts

using namespace codeparts;

namespace {

// A table with one header row and one row per entry, shared by the league table and the statistics: the
// two windows differ only in their captions, their cell values and the end of the header-cell opening.
struct TableLayout {
    QList<QLatin1StringView> captions; // header cells after "Platz" and "Name"; the last one is given whole
    QLatin1StringView headerCellEnd;   // the last piece of a header cell's opening
    QLatin1StringView bbCaptions;      // the BB-Code table tag
};

struct TableEntry {
    QString name1, name2;
    QStringList values; // the cells after the name
    bool withdrawn = false;
};

// The names of the withdrawn players for the line below the table, each made harmless by `name`.
template <typename Name>
QString withdrawnNames(const QList<TableEntry>& entries, const TableCodeOptions& o, Name name) {
    QStringList names;
    for (const TableEntry& e : entries) {
        if (e.withdrawn)
            names << name(e.name1, e.name2, o);
    }
    return withdrawal::withdrawnLine(names);
}

QString tableHtml(const QList<TableEntry>& entries, const TableLayout& layout, const TableCodeOptions& o) {
    const QString borders = cellBorders(o);
    const QString th =
        R"(<th style="background-color:#dddddd; padding:5px ;border-bottom:)"_L1 + borders + layout.headerCellEnd;
    const HtmlAlignment align = htmlAlignment(o.alignment);
    const QString tdStart = R"(<td style="border-bottom:)"_L1 + borders + "; padding:5px; "_L1;
    const QString tdName = tdStart + align.names + "\">"_L1;
    const QString tdValue = tdStart + align.values + "\">"_L1;

    QString text = dateLine(o) + tableOpening(o) + R"(; margin-top:10px; margin-bottom:10px;"><tbody><tr>)"_L1;
    text += th + "Platz</th>"_L1 + th + "Name</th>"_L1;
    for (QLatin1StringView caption : layout.captions)
        text += th + caption + "</th>"_L1;
    text += "</tr>\n"_L1;

    int place = 0;
    for (const TableEntry& e : entries) {
        if (e.withdrawn)
            continue;
        text += "<tr>"_L1 + tdValue + QString::number(++place) + "</td>"_L1;
        text += tdName + htmlName(e.name1, e.name2, o) + "</td>"_L1;
        for (const QString& value : e.values)
            text += tdValue + value + "</td>"_L1;
        text += "</tr>\n"_L1;
    }
    text += "</tbody></table>"_L1;
    const QString withdrawn = withdrawnNames(entries, o, htmlName);
    return withdrawn.isEmpty() ? text : text + R"(<div style="font-size:0.8em;">)"_L1 + withdrawn + "</div>"_L1;
}

QString tableBB(const QList<TableEntry>& entries, const TableLayout& layout, const TableCodeOptions& o) {
    const BBAlignment align = bbAlignment(o.alignment);
    QString text = align.open + layout.bbCaptions + u'\n';
    int place = 0;
    for (const TableEntry& e : entries) {
        if (e.withdrawn)
            continue;
        text += "[*]"_L1 + QString::number(++place) + "[*]"_L1 + align.nameOpen + bbName(e.name1, e.name2, o) +
                align.nameClose;
        for (const QString& value : e.values)
            text += "[*]"_L1 + value;
        text += u'\n';
    }
    text += "[/table]"_L1 + align.close;
    const QString withdrawn = withdrawnNames(entries, o, bbName);
    return withdrawn.isEmpty() ? text : text + u'\n' + withdrawn;
}

QString tableCode(const QList<TableEntry>& entries, const TableLayout& layout, const TableCodeOptions& o) {
    switch (o.format) {
    case CodeFormat::Html:
        return tableHtml(entries, layout, checked(o));
    case CodeFormat::BBCode:
        return tableBB(entries, layout, o);
    case CodeFormat::None:
        break;
    }
    return QString();
}

} // namespace

QString leagueTableCode(const QList<LeagueTableRow>& rows, const TableCodeOptions& options) {
    static const TableLayout layout{
        {"Spiele"_L1, "G"_L1, "U"_L1, "V"_L1, "Legs"_L1, "Punkte"_L1, "AVG"_L1, "Doppelquote"_L1},
        R"(; ">)"_L1,
        "[table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']"_L1};
    QList<TableEntry> entries;
    entries.reserve(rows.size());
    for (const LeagueTableRow& r : rows)
        entries.append({r.name1, r.name2, leagueTableFigures(r), r.withdrawn});
    return tableCode(entries, layout, options);
}

QString statisticsCode(const QList<StatisticsRow>& rows, const TableCodeOptions& options) {
    // The last caption begins with a blank, in HTML and in BB-Code alike.
    static const TableLayout layout{
        {"20-"_L1, "20+"_L1, "40+"_L1, "60+"_L1, "80+"_L1, "100+"_L1, "140+"_L1, "171+"_L1, "180"_L1,
         "Highest Finish"_L1, " Best Leg"_L1},
        R"(;">)"_L1,
        "[table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,Highest Finish, Best Leg']"_L1};
    QList<TableEntry> entries;
    entries.reserve(rows.size());
    for (const StatisticsRow& r : rows)
        entries.append({r.name1, r.name2, statisticsFigures(r), r.withdrawn});
    return tableCode(entries, layout, options);
}

} // namespace tavorin
