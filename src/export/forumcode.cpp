#include "export/forumcode.h"
#include "app/textescape.h"
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

namespace {

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

// The options as the HTML code may use them: every value that goes into a style checked, the rest escaped.
template <typename Options> Options checkedOptions(Options o) {
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

// Alignment of the name cells and of all other cells in HTML.
struct HtmlAlignment {
    QLatin1StringView names;
    QLatin1StringView values;
};

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

// The BB-Code align tags around the whole table and around each name.
struct BBAlignment {
    QLatin1StringView open, close, nameOpen, nameClose;
};

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
        return tableHtml(entries, layout, checkedOptions(o));
    case CodeFormat::BBCode:
        return tableBB(entries, layout, o);
    case CodeFormat::None:
        break;
    }
    return QString();
}

// The schedule's doubles quote: "-" without darts at a double, else the quote followed by " %".
QString scheduleDoublesQuote(const MatchRecord& r) {
    if (r.doublesThrown <= 0)
        return QStringLiteral("-");
    return twoDecimals(doublesRate(r.doublesHit, r.doublesThrown)) + " %"_L1;
}

// A player's five figures in the order of the home side: 180, SL, HF, DQ, AVG.
QStringList matchFigures(const MatchRecord& r) {
    return {r.count180 > 0 ? QString::number(r.count180) : QStringLiteral("-"),
            r.bestLeg.toInt() > 18 ? QStringLiteral("-") : storedFigure(r.bestLeg, true),
            r.highFinish > 100 ? QString::number(r.highFinish) : QStringLiteral("-"), scheduleDoublesQuote(r),
            twoDecimals(r.average)};
}

// The game page of the home record, HTML-escaped for the href; empty when there is none.
QString gameLink(const MatchRecord& home, const PlatformAddresses& platforms) {
    if (home.hash.isEmpty())
        return QString();
    if (home.platform == "lidarts"_L1)
        return htmlText(platforms.lidartsGameLink(home.hash));
    if (home.platform == "prodarter"_L1)
        return htmlText(platforms.prodarterMatchLink(home.hash));
    return QString();
}

QString scoreBackground(const QString& colour) {
    return " background-color:"_L1 + colour + "; "_L1;
}

// "+:-" when the home player wins without a game, "-:+" when the away player does.
QString walkoverScore(withdrawal::Outcome outcome) {
    return outcome == withdrawal::Outcome::HomeWins ? u"+:-"_s : u"-:+"_s;
}

class ScheduleHtml {
public:
    ScheduleHtml(const ScheduleCodeOptions& options, const PlatformAddresses& addresses)
        : o(options), platforms(addresses), borders(cellBorders(options)) {}

    // The first header always reads "Spieltag: 1"; every later match day gets a table of its own, headed by
    // its stored number.
    QString build(const QList<ScheduleMatch>& matches) const {
        QString text = dateLine(o) + tableOpening(o) + "; margin-top:10px; margin-bottom:10px;\">\n \n<tr>\n"_L1 +
                       matchDayHeader(u"1"_s);
        for (qsizetype i = 0; i < matches.size(); ++i) {
            const ScheduleMatch& m = matches[i];
            if (i > 0 && m.matchDay != matches[i - 1].matchDay) {
                text += "</table>\n\n<!-- Tabellenzwischenraum -->\n\n\n\n\n"_L1 + tableOpening(o) +
                        "; margin-top:10px; margin-bottom:10px;\">\n<tr>\n"_L1 +
                        matchDayHeader(storedFigure(m.matchDay, true));
            }
            if (m.outcome != withdrawal::Outcome::Counts)
                text += withdrawnMatch(m);
            else
                text += m.legsWon.isEmpty() && m.legsLost.isEmpty() ? openMatch(m) : playedMatch(m);
        }
        return text + "</table>\n "_L1;
    }

private:
    QString matchDayHeader(const QString& day) const {
        return R"(<th colspan="12" style="background-color:#dddddd; padding:5px ;border-bottom:)"_L1 + borders +
               R"(; ">Spieltag: )"_L1 + day + "</th>\n</tr>\n "_L1;
    }

    QString openMatch(const ScheduleMatch& m) const {
        return singleRow(htmlName(m.homeName1, m.homeName2, o), u"offen"_s, htmlName(m.awayName1, m.awayName2, o),
                         "#bb0000"_L1);
    }

    // One row of names and a middle text, in `colour`.
    QString singleRow(const QString& home, const QString& middle, const QString& away, QLatin1StringView colour) const {
        return R"(   <tr><td colspan="5" style="border-bottom:)"_L1 + borders +
               "; padding:5px; width:45%; text-align:right; font-weight:bold; color:"_L1 + colour + ";\">"_L1 + home +
               "</td>\n   <td colspan=\"2\" style=\"border-bottom:"_L1 + borders +
               "; padding:5px; text-align:center; font-weight:bold; color:"_L1 + colour + "; \">"_L1 + middle +
               "</td>\n"_L1 + R"(   <td colspan="5" style="border-bottom:)"_L1 + borders +
               "; padding:5px; width:45%; text-align:left; font-weight:bold; color:"_L1 + colour + "; \">"_L1 + away +
               "</td></tr>\n "_L1;
    }

    // A match of a withdrawn player: struck through when annulled, else won without a game.
    QString withdrawnMatch(const ScheduleMatch& m) const {
        const QString home = htmlName(m.homeName1, m.homeName2, o), away = htmlName(m.awayName1, m.awayName2, o);
        if (m.outcome != withdrawal::Outcome::Annulled)
            return singleRow(home, walkoverScore(m.outcome) + " kampflos"_L1, away, "#009900"_L1);
        const bool open = m.legsWon.isEmpty() && m.legsLost.isEmpty();
        const QString score = open ? u"offen"_s : storedFigure(m.legsWon, true) + u':' + storedFigure(m.legsLost, true);
        return singleRow("<s>"_L1 + home + "</s>"_L1, "<s>"_L1 + score + "</s>"_L1, "<s>"_L1 + away + "</s>"_L1,
                         "#888888"_L1);
    }

    // Score colours of the home and the away cell: drawn when equal and at least 1, won and lost, or none
    // at 0:0.
    std::pair<QString, QString> scoreBackgrounds(const ScheduleMatch& m) const {
        const int won = m.legsWon.toInt();
        const int lost = m.legsLost.toInt();
        if (won == lost && won >= 1)
            return {scoreBackground(o.drawnColour), scoreBackground(o.drawnColour)};
        if (won > lost)
            return {scoreBackground(o.wonColour), scoreBackground(o.lostColour)};
        if (won < lost)
            return {scoreBackground(o.lostColour), scoreBackground(o.wonColour)};
        return {u" background-color:inherit; "_s, u" background-color:inherit; "_s};
    }

    QString playedMatch(const ScheduleMatch& m) const {
        const auto [homeBackground, awayBackground] = scoreBackgrounds(m);
        const QString link = gameLink(m.home, platforms);
        const QString linkOpen =
            link.isEmpty() ? QString()
                           : R"( <a style="text-decoration: none; color:inherit ; display:block;" href=")"_L1 + link +
                                 R"(" target="blank" title="zum Spiel" >)"_L1;
        const QString linkClose = link.isEmpty() ? QString() : u"</a>"_s;

        const QString scoreCell = "</td>\n <td rowspan=\"3\" style=\"border-bottom:"_L1 + borders +
                                  "; padding:5px; text-align:center; font-size: 2em; "_L1;
        QString text = R"(<tr> <td colspan="5" style="border-bottom:)"_L1 + borders +
                       R"(; padding:5px; width:45%; text-align:right; font-weight:bold; color:#009900; ">)"_L1 +
                       htmlName(m.homeName1, m.homeName2, o);
        text += scoreCell + homeBackground + "\">\n"_L1 + linkOpen + storedFigure(m.legsWon, true) + linkClose;
        text += scoreCell + awayBackground + "\">\n"_L1 + linkOpen + storedFigure(m.legsLost, true) + linkClose;
        text += "</td>\n <td colspan=\"5\" style=\"border-bottom:"_L1 + borders +
                R"(; padding:5px; width:45%; text-align:left; font-weight:bold; color:#009900; ">)"_L1 +
                htmlName(m.awayName1, m.awayName2, o) + "</td>\n </tr>\n  <tr> <td style=\"border-bottom:"_L1;

        // Captions and figures: the home player's five from the left, the away player's mirrored.
        const QString nextCell = "</td>\n <td style=\"border-bottom:"_L1;
        const QString small = R"(; padding:5px;  text-align:center; font-size: 0.6em;">)"_L1;
        const QLatin1StringView captions[] = {"180"_L1, "SL"_L1, "HF"_L1, "DQ"_L1, "AVG"_L1,
                                              "AVG"_L1, "DQ"_L1, "HF"_L1, "SL"_L1, "180"_L1};
        for (int k = 0; k < 10; ++k) {
            text += borders;
            // The first caption cell alone has a blank before its closing quote.
            text += k == 0 ? QString(R"(; padding:5px;  text-align:center; font-size: 0.6em; ">)"_L1) : small;
            text += captions[k];
            text += k < 9 ? nextCell : QString("</td>\n </tr>\n <tr>  <td style=\"border-bottom:"_L1);
        }
        QStringList figures = matchFigures(m.home);
        QStringList away = matchFigures(m.away);
        std::reverse(away.begin(), away.end());
        figures += away;
        for (int k = 0; k < 10; ++k) {
            text += borders + small + figures[k];
            text += k < 9 ? nextCell : QString("</td>\n</tr> "_L1);
        }
        return text;
    }

    const ScheduleCodeOptions o;
    const PlatformAddresses& platforms;
    const QString borders;
};

QString scheduleBB(const QList<ScheduleMatch>& matches, const ScheduleCodeOptions& o) {
    const QString dayOpen = QString(o.boldMatchDays ? "[b]"_L1 : ""_L1) + (o.underlinedMatchDays ? "[u]"_L1 : ""_L1);
    const QString dayClose = QString(o.underlinedMatchDays ? "[/u]"_L1 : ""_L1) + (o.boldMatchDays ? "[/b]"_L1 : ""_L1);
    const QLatin1StringView scoreOpen = o.boldScore ? "[b]"_L1 : ""_L1;
    const QLatin1StringView scoreClose = o.boldScore ? "[/b]"_L1 : ""_L1;

    QString text = dayOpen + "Spieltag: 1"_L1 + dayClose + u'\n';
    for (qsizetype i = 0; i < matches.size(); ++i) {
        const ScheduleMatch& m = matches[i];
        if (i > 0 && m.matchDay != matches[i - 1].matchDay)
            text += dayOpen + "Spieltag: "_L1 + storedFigure(m.matchDay, false) + dayClose + u'\n';
        const QString home = bbName(m.homeName1, m.homeName2, o);
        const QString away = bbName(m.awayName1, m.awayName2, o);
        const bool annulled = m.outcome == withdrawal::Outcome::Annulled;
        if (annulled)
            text += "[s]"_L1;
        if (m.outcome == withdrawal::Outcome::HomeWins || m.outcome == withdrawal::Outcome::AwayWins) {
            text += home + u' ' + scoreOpen + walkoverScore(m.outcome) + scoreClose + u' ' + away + " (kampflos)"_L1;
        } else if (m.legsWon.isEmpty() && m.legsLost.isEmpty()) {
            text += home + " vs. "_L1 + away;
        } else {
            text += home + u'(' + twoDecimals(m.home.average) + ") "_L1 + scoreOpen + storedFigure(m.legsWon, false) +
                    u':' + storedFigure(m.legsLost, false) + scoreClose + u' ' + away + u'(' +
                    twoDecimals(m.away.average) + u')';
        }
        if (annulled)
            text += "[/s]"_L1;
        const bool dayEnds = i + 1 < matches.size() && matches[i + 1].matchDay != m.matchDay;
        text += dayEnds ? "\n\n"_L1 : "\n"_L1;
    }
    return text;
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

QString scheduleCode(const QList<ScheduleMatch>& matches, const ScheduleCodeOptions& options,
                     const PlatformAddresses& platforms) {
    switch (options.format) {
    case CodeFormat::Html:
        return ScheduleHtml(checkedOptions(options), platforms).build(matches);
    case CodeFormat::BBCode:
        return scheduleBB(matches, options);
    case CodeFormat::None:
        break;
    }
    return QString();
}

} // namespace tavorin
