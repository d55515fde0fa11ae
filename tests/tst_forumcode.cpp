// The forum-code builders of the three export windows (league table, statistics, schedule) in HTML and BB-Code,
// the preview of BB-Code, the CSV files and the head-to-head order of the league table.
#include "export/forumcode.h"
#include "export/tableexport.h"

#include <QTest>

#include <functional>

using namespace tavorin;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavorin::TableCodeOptions)
Q_DECLARE_METATYPE(tavorin::ScheduleCodeOptions)
Q_DECLARE_METATYPE(tavorin::LeagueTableRow)
Q_DECLARE_METATYPE(tavorin::StatisticsRow)
Q_DECLARE_METATYPE(tavorin::ScheduleMatch)
Q_DECLARE_METATYPE(tavorin::MatchPoints)

namespace {

// Written out in full, for thickness 1, colour #000000 and width 100 %: the league table of Anna alone with
// names left and values centred, the statistics without members, and the schedule of one open match with
// both names. The other expected texts are put together from the pieces below.
const QString leagueOfAnna =
    u"<table cellspacing=\"0\" style=\"width:100%; border-top:1px solid #000000; border-left:1px solid #000000; "
    u"margin-top:10px; margin-bottom:10px;\"><tbody><tr><th style=\"background-color:#dddddd; padding:5px "
    u";border-bottom:1px solid #000000; border-right:1px solid #000000; \">Platz</th><th "
    u"style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000; "
    u"\">Name</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px "
    u"solid #000000; \">Spiele</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; "
    u"border-right:1px solid #000000; \">G</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px "
    u"solid #000000; border-right:1px solid #000000; \">U</th><th style=\"background-color:#dddddd; padding:5px "
    u";border-bottom:1px solid #000000; border-right:1px solid #000000; \">V</th><th style=\"background-color:#dddddd; "
    u"padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000; \">Legs</th><th "
    u"style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000; "
    u"\">Punkte</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; "
    u"border-right:1px solid #000000; \">AVG</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px "
    u"solid #000000; border-right:1px solid #000000; \">Doppelquote</th></tr>\n<tr><td style=\"border-bottom:1px solid "
    u"#000000; border-right:1px solid #000000; padding:5px;  text-align:center; \">1</td><td style=\"border-bottom:1px "
    u"solid #000000; border-right:1px solid #000000; padding:5px;  text-align:left; \">Anna</td><td "
    u"style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; "
    u"\">3</td><td style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; padding:5px;  "
    u"text-align:center; \">2</td><td style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; "
    u"padding:5px;  text-align:center; \">1</td><td style=\"border-bottom:1px solid #000000; border-right:1px solid "
    u"#000000; padding:5px;  text-align:center; \">0</td><td style=\"border-bottom:1px solid #000000; border-right:1px "
    u"solid #000000; padding:5px;  text-align:center; \">7:3</td><td style=\"border-bottom:1px solid #000000; "
    u"border-right:1px solid #000000; padding:5px;  text-align:center; \">5</td><td style=\"border-bottom:1px solid "
    u"#000000; border-right:1px solid #000000; padding:5px;  text-align:center; \">45.50</td><td "
    u"style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; "
    u"\">33.33% (1/3)</td></tr>\n</tbody></table>"_s;
const QString statisticsWithoutMembers =
    u"<table cellspacing=\"0\" style=\"width:100%; border-top:1px solid #000000; border-left:1px solid #000000; "
    u"margin-top:10px; margin-bottom:10px;\"><tbody><tr><th style=\"background-color:#dddddd; padding:5px "
    u";border-bottom:1px solid #000000; border-right:1px solid #000000;\">Platz</th><th "
    u"style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px solid "
    u"#000000;\">Name</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; "
    u"border-right:1px solid #000000;\">20-</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px "
    u"solid #000000; border-right:1px solid #000000;\">20+</th><th style=\"background-color:#dddddd; padding:5px "
    u";border-bottom:1px solid #000000; border-right:1px solid #000000;\">40+</th><th "
    u"style=\"background-color:#dddddd; "
    u"padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000;\">60+</th><th "
    u"style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px solid "
    u"#000000;\">80+</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; "
    u"border-right:1px solid #000000;\">100+</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px "
    u"solid #000000; border-right:1px solid #000000;\">140+</th><th style=\"background-color:#dddddd; padding:5px "
    u";border-bottom:1px solid #000000; border-right:1px solid #000000;\">171+</th><th "
    u"style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px solid "
    u"#000000;\">180</th><th style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; "
    u"border-right:1px solid #000000;\">Highest Finish</th><th style=\"background-color:#dddddd; padding:5px "
    u";border-bottom:1px solid #000000; border-right:1px solid #000000;\"> Best Leg</th></tr>\n</tbody></table>"_s;
const QString openScheduleWithBothNames =
    u"<table cellspacing=\"0\" style=\"width:100%; border-top:1px solid #000000; border-left:1px solid #000000; "
    u"margin-top:10px; margin-bottom:10px;\">\n \n<tr>\n<th colspan=\"12\" style=\"background-color:#dddddd; "
    u"padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000; \">Spieltag: 1</th>\n</tr>\n    "
    u"<tr><td colspan=\"5\" style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; padding:5px; "
    u"width:45%; text-align:right; font-weight:bold; color:#bb0000;\">Anna (anna_l)</td>\n   <td colspan=\"2\" "
    u"style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; padding:5px; text-align:center; "
    u"font-weight:bold; color:#bb0000; \">offen</td>\n   <td colspan=\"5\" style=\"border-bottom:1px solid #000000; "
    u"border-right:1px solid #000000; padding:5px; width:45%; text-align:left; font-weight:bold; color:#bb0000; "
    u"\">Bert "
    u"(bert_l)</td></tr>\n </table>\n "_s;

const QString tableEnd = u"</tbody></table>"_s;
const QString leagueHeader = leagueOfAnna.left(leagueOfAnna.indexOf(u"<tr><td"_s));
const QString statHeader = statisticsWithoutMembers.chopped(tableEnd.size());
const QString scheduleStart = openScheduleWithBothNames.left(openScheduleWithBothNames.indexOf(u"   <tr>"_s));
const QString scheduleEnd = u"</table>\n "_s;
const QString leagueBBTag = u"[table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']\n"_s;
const QString statBBTag = u"[table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,Highest Finish, Best Leg']\n"_s;
const QString borders = u"border-bottom:1px solid #000000; border-right:1px solid #000000;"_s;
const QString dateLine =
    uR"(<div style="font-size:0.8em; font-weight:bold;">aktualisiert am: 01.02.2024 um: 09:05 Uhr</div>)"_s;
const QString left = u" text-align:left; "_s;
const QString centre = u" text-align:center; "_s;

// The text with another width ("600px", "" ...) and another line ("0px solid #abcdef").
QString restyled(QString text, const QString& width, const QString& line = u"1px solid #000000"_s) {
    return text.replace(u"width:100%;"_s, u"width:"_s + width + u';').replace(u"1px solid #000000"_s, line);
}

QString td(const QString& style, const QString& attributes = QString()) {
    return u"<td "_s + attributes + u"style=\""_s + borders + u" padding:5px; "_s + style + u"\">"_s;
}

QString htmlRow(const QString& valueAlign, const QString& nameAlign, const QString& place, const QString& name,
                const QStringList& values) {
    QString row = u"<tr>"_s + td(valueAlign) + place + u"</td>"_s + td(nameAlign) + name + u"</td>"_s;
    for (const QString& v : values)
        row += td(valueAlign) + v + u"</td>"_s;
    return row + u"</tr>\n"_s;
}

TableCodeOptions tableOptions(CodeFormat format, CellAlignment alignment) {
    TableCodeOptions o;
    o.format = format;
    o.alignment = alignment;
    o.today = u"01.02.2024"_s;
    o.currentTime = u"09:05"_s;
    return o;
}

template <typename O> O names(O o, bool first, bool second) {
    o.firstName = first;
    o.secondName = second;
    return o;
}

template <typename O>
O look(O o, const QString& width, WidthUnit unit, const QString& thickness, const QString& colour, bool dated) {
    o.width = width;
    o.widthUnit = unit;
    o.lineThickness = thickness;
    o.lineColour = colour;
    o.showDate = dated;
    return o;
}

// Distinct figures, so that a swapped column shows.
StatisticsRow statRow(const QString& name1, const QString& name2) {
    return {name1, name2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 121, 15};
}
const QStringList statCells{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"121"_s, u"15"_s};

// A later match day: a new table with the first table's opening (line 0) and header (lines 3 on), for the stored day.
QString dayBreak(const QString& day) {
    return u"</table>\n\n<!-- Tabellenzwischenraum -->\n\n\n\n\n"_s + scheduleStart.section(u'\n', 0, 0) +
           u"\n<tr>\n"_s + scheduleStart.section(u'\n', 3).replace(u"Spieltag: 1<"_s, u"Spieltag: "_s + day + u'<');
}

const QString colspan5 = u"colspan=\"5\" "_s;

QString openBlock(const QString& home, const QString& away) {
    return u"   <tr>"_s + td(u"width:45%; text-align:right; font-weight:bold; color:#bb0000;"_s, colspan5) + home +
           u"</td>\n   "_s + td(u"text-align:center; font-weight:bold; color:#bb0000; "_s, u"colspan=\"2\" "_s) +
           u"offen</td>\n   "_s + td(u"width:45%; text-align:left; font-weight:bold; color:#bb0000; "_s, colspan5) +
           away + u"</td></tr>\n "_s;
}

QString smallCells(const QStringList& texts) {
    QString text;
    for (const QString& t : texts)
        text += td(u" text-align:center; font-size: 0.6em;"_s) + t + u"</td>\n "_s;
    return text;
}

// Score cells hold the background and the score (with its link); figures run home 180, SL, HF, DQ, AVG, then
// away AVG, DQ, HF, SL, 180.
QString playedBlock(const QString& home, const QString& away, const QString& homeBackground,
                    const QString& awayBackground, const QString& homeScore, const QString& awayScore,
                    const QStringList& figures) {
    const QString score = u"text-align:center; font-size: 2em; "_s;
    const QString rowspan3 = u"rowspan=\"3\" "_s;
    QString figureCells = smallCells(figures);
    figureCells.chop(1);
    return u"<tr> "_s + td(u"width:45%; text-align:right; font-weight:bold; color:#009900; "_s, colspan5) + home +
           u"</td>\n "_s + td(score + homeBackground, rowspan3) + u"\n"_s + homeScore + u"</td>\n "_s +
           td(score + awayBackground, rowspan3) + u"\n"_s + awayScore + u"</td>\n "_s +
           td(u"width:45%; text-align:left; font-weight:bold; color:#009900; "_s, colspan5) + away +
           u"</td>\n </tr>\n  <tr> "_s + td(u" text-align:center; font-size: 0.6em; "_s) + u"180</td>\n "_s +
           smallCells({u"SL"_s, u"HF"_s, u"DQ"_s, u"AVG"_s, u"AVG"_s, u"DQ"_s, u"HF"_s, u"SL"_s, u"180"_s}) +
           u"</tr>\n <tr>  "_s + figureCells + u"</tr> "_s;
}

QString linked(const QString& href, const QString& score) {
    return uR"( <a style="text-decoration: none; color:inherit ; display:block;" href=")"_s + href +
           uR"(" target="blank" title="zum Spiel" >)"_s + score + u"</a>"_s;
}

QString background(const QString& colour) {
    return u" background-color:"_s + colour + u"; "_s;
}

MatchRecord linkRecord(const QString& hash, const QString& platform, float average = 0.0f) {
    return {average, 0, 0, QString(), hash, platform, 0, 0};
}

ScheduleMatch match(const QString& day, const QString& home, const QString& away, const QString& legsWon = QString(),
                    const QString& legsLost = QString(), const MatchRecord& homeRecord = MatchRecord(),
                    const MatchRecord& awayRecord = MatchRecord()) {
    return {day,        home,      home.toLower() + u"_l"_s, away, away.toLower() + u"_l"_s, legsWon, legsLost,
            homeRecord, awayRecord};
}

ScheduleCodeOptions scheduleOptions(CodeFormat format, bool boldDays = true, bool underlinedDays = true,
                                    bool boldScore = true) {
    ScheduleCodeOptions o;
    static_cast<ExportOptions&>(o) = tableOptions(format, CellAlignment::None);
    o.boldMatchDays = boldDays;
    o.underlinedMatchDays = underlinedDays;
    o.boldScore = boldScore;
    return o;
}

PlatformAddresses testPlatforms() {
    PlatformAddresses p;
    p.lidartsWeb = u"http://lidarts.test"_s;
    p.prodarterWeb = u"http://prodarter.test"_s;
    return p;
}

// Anna and Bert draw 3:3 on day 1 (Lidarts game "abc"); Anna's best leg 18 and finish 101 are shown, Bert's 19
// and 100 are not. Carl and Dora on day 2 have not played.
QList<ScheduleMatch> drawThenOpen() {
    const MatchRecord anna{50.25f, 2, 101, u"18"_s, u"abc"_s, u"lidarts"_s, 1, 3};
    const MatchRecord bert{48.0f, 0, 100, u"19"_s, QString(), QString(), 0, 0};
    return {match(u"1"_s, u"Anna"_s, u"Bert"_s, u"3"_s, u"3"_s, anna, bert), match(u"2"_s, u"Carl"_s, u"Dora"_s)};
}
const QStringList missingFigures{u"-"_s, u""_s, u"-"_s, u"-"_s, u"0.00"_s, u"0.00"_s, u"-"_s, u"-"_s, u""_s, u"-"_s};

} // namespace

class TestForumCode : public QObject {
    Q_OBJECT

private slots:
    void leagueTable_data();
    void leagueTable() {
        compare([](auto rows, auto o) { return leagueTableCode(rows, o); }, QList<LeagueTableRow>());
    }
    void statistics_data();
    void statistics() {
        compare([](auto rows, auto o) { return statisticsCode(rows, o); }, QList<StatisticsRow>());
    }
    void scheduleHtml_data();
    void scheduleHtml() { compareSchedule(); }
    void scheduleBBCode_data();
    void scheduleBBCode() { compareSchedule(); }
    void hostileHtmlValues();
    void bbPreview_data();
    void bbPreview();
    void csvFiles();
    void headToHead_data();
    void headToHead();

private:
    template <typename Code, typename Rows> void compare(Code code, Rows) {
        QFETCH(TableCodeOptions, options);
        QFETCH(Rows, rows);
        QFETCH(QString, expected);
        QCOMPARE(code(rows, options), expected);
    }
    void compareSchedule() {
        QFETCH(ScheduleCodeOptions, options);
        QFETCH(QList<ScheduleMatch>, matches);
        QFETCH(QString, expected);
        QCOMPARE(scheduleCode(matches, options, testPlatforms()), expected);
    }
};

void TestForumCode::leagueTable_data() {
    QTest::addColumn<TableCodeOptions>("options");
    QTest::addColumn<QList<LeagueTableRow>>("rows");
    QTest::addColumn<QString>("expected");

    const LeagueTableRow anna{u"Anna"_s, u"anna_l"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3};
    const QStringList annaCells{u"3"_s, u"2"_s, u"1"_s, u"0"_s, u"7:3"_s, u"5"_s, u"45.50"_s, u"33.33% (1/3)"_s};
    const auto annaTable = [&](const QString& values, const QString& names, const QString& name = u"Anna"_s) {
        return leagueHeader + htmlRow(values, names, u"1"_s, name, annaCells) + tableEnd;
    };
    const QList<LeagueTableRow> one{anna};
    const QList<LeagueTableRow> odd{{u"<A&\"B>"_s, u"x&y"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3}};
    const auto html = [](CellAlignment a) { return tableOptions(CodeFormat::Html, a); };
    const auto bb = [](CellAlignment a) { return tableOptions(CodeFormat::BBCode, a); };

    QTest::newRow("html, names left, values centred")
        << html(CellAlignment::NamesLeftValuesCentred) << one << leagueOfAnna;
    QTest::newRow("html, left, date, no name box, places and a member without results")
        << look(names(html(CellAlignment::Left), false, false), u"100"_s, WidthUnit::Percent, u"1"_s, u"#000000"_s,
                true)
        << QList<LeagueTableRow>{anna, {u"Bert"_s, u"bert_l"_s}}
        << dateLine + leagueHeader + htmlRow(left, left, u"1"_s, u"Anna"_s, annaCells) +
               htmlRow(left, left, u"2"_s, u"Bert"_s,
                       {u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0:0"_s, u"0"_s, u"0.00"_s, u"0"_s}) +
               tableEnd;
    QTest::newRow("html, centred, leading number of the width in px, thickness 0 and a colour")
        << look(html(CellAlignment::Centred), u"06\"0"_s, WidthUnit::Pixel, u"0"_s, u"#12ab00"_s, false) << one
        << restyled(annaTable(centre, centre), u"6px"_s, u"0px solid #12ab00"_s);
    QTest::newRow("html, no alignment, no width unit, escaped names")
        << names(look(html(CellAlignment::None), u"100"_s, WidthUnit::None, u"1"_s, u"#000000"_s, false), true, true)
        << odd << restyled(annaTable(QString(), QString(), u"&lt;A&amp;&quot;B&gt; (x&amp;y)"_s), QString());
    QTest::newRow("html, empty width with px, second name only")
        << names(look(html(CellAlignment::Left), QString(), WidthUnit::Pixel, u"1"_s, u"#000000"_s, false), false, true)
        << one << restyled(annaTable(left, left, u"anna_l"_s), QString());

    const QString annaBB = u"[*]1[*]Anna[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n"_s;
    QTest::newRow("bb, all left")
        << bb(CellAlignment::Left) << one
        << u"[align=left][table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']\n"
           u"[*]1[*]Anna[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n[/table][/align]"_s;
    // The doubles quote: "0" without darts at a double, else 100 / thrown * hit with two decimals.
    const QString noGames = u"[*]0[*]0[*]0[*]0[*]0:0[*]0[*]0.00[*]"_s;
    QTest::newRow("bb, centred, doubles quotes")
        << bb(CellAlignment::Centred)
        << QList<LeagueTableRow>{anna,
                                 {u"Bert"_s, u"b"_s, 0, 0, 0, 0, 0, 0, 0.0f, 2, 0},
                                 {u"Carl"_s, u"c"_s, 0, 0, 0, 0, 0, 0, 0.0f, 2, 3},
                                 {u"Dora"_s, u"d"_s, 0, 0, 0, 0, 0, 0, 0.0f, 4, 4}}
        << u"[align=center]"_s + leagueBBTag + annaBB + u"[*]2[*]Bert"_s + noGames + u"0\n[*]3[*]Carl"_s + noGames +
               u"66.67% (2/3)\n[*]4[*]Dora"_s + noGames + u"100.00% (4/4)\n[/table][/align]"_s;
    QTest::newRow("bb, no members") << bb(CellAlignment::Left) << QList<LeagueTableRow>()
                                    << u"[align=left]"_s + leagueBBTag + u"[/table][/align]"_s;
    QTest::newRow("bb, names left, values centred")
        << bb(CellAlignment::NamesLeftValuesCentred) << one
        << u"[align=center]"_s + leagueBBTag + QString(annaBB).replace(u"Anna"_s, u"[align=left]Anna[/align]"_s) +
               u"[/table][/align]"_s;
    QTest::newRow("bb, no alignment, HTML-only options, unescaped names")
        << names(look(bb(CellAlignment::None), u"600"_s, WidthUnit::Pixel, u"3"_s, u"#ff0000"_s, true), true, true)
        << odd << leagueBBTag + u"[*]1[*]<A&\"B> (x&y)[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n[/table]"_s;
    QTest::newRow("bb, brackets in names become full-width")
        << names(bb(CellAlignment::None), true, true)
        << QList<LeagueTableRow>{{u"Kai [b]\u00d6hler"_s, u"[/table][*]"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3}}
        << leagueBBTag + u"[*]1[*]Kai \uff3bb\uff3d\u00d6hler (\uff3b/table\uff3d\uff3b*\uff3d)"
                         u"[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n[/table]"_s;
    // Found by fuzzing: the number of games overflowed.
    QTest::newRow("bb, games beyond int")
        << bb(CellAlignment::None) << QList<LeagueTableRow>{{u"X"_s, u"x"_s, INT_MIN, INT_MIN, 0, 0, 0, 0, 0.0f, 0, 0}}
        << leagueBBTag + u"[*]1[*]X[*]-4294967296[*]-2147483648[*]-2147483648[*]0[*]0:0[*]0[*]0.00[*]0\n[/table]"_s;
    QTest::newRow("no format") << tableOptions(CodeFormat::None, CellAlignment::Left) << one << QString();
}

void TestForumCode::statistics_data() {
    QTest::addColumn<TableCodeOptions>("options");
    QTest::addColumn<QList<StatisticsRow>>("rows");
    QTest::addColumn<QString>("expected");

    const QList<StatisticsRow> one{statRow(u"Anna"_s, u"anna_l"_s)};
    const auto html = [](CellAlignment a) { return tableOptions(CodeFormat::Html, a); };

    QTest::newRow("html, no members") << html(CellAlignment::Left) << QList<StatisticsRow>()
                                      << statisticsWithoutMembers;
    QTest::newRow("html, names left, values centred, escaped second name only")
        << names(html(CellAlignment::NamesLeftValuesCentred), false, true)
        << QList<StatisticsRow>{statRow(u"Anna"_s, u"<&\""_s)}
        << statHeader + htmlRow(centre, left, u"1"_s, u"&lt;&amp;&quot;"_s, statCells) + tableEnd;
    QTest::newRow("html, centred, date, no name box, member without results last")
        << look(names(html(CellAlignment::Centred), false, false), u"100"_s, WidthUnit::Percent, u"1"_s, u"#000000"_s,
                true)
        << QList<StatisticsRow>{one[0], StatisticsRow{u"Bert"_s, u"bert_l"_s}}
        << dateLine + statHeader + htmlRow(centre, centre, u"1"_s, u"Anna"_s, statCells) +
               htmlRow(centre, centre, u"2"_s, u"Bert"_s, QStringList(11, u"0"_s)) + tableEnd;
    QTest::newRow("html, no alignment, both names with an empty second")
        << names(html(CellAlignment::None), true, true) << QList<StatisticsRow>{statRow(u"Anna"_s, QString())}
        << statHeader + htmlRow(QString(), QString(), u"1"_s, u"Anna ()"_s, statCells) + tableEnd;

    QTest::newRow("bb, all left") << tableOptions(CodeFormat::BBCode, CellAlignment::Left) << one
                                  << u"[align=left][table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,Highest "
                                     u"Finish, Best Leg']\n[*]1[*]Anna[*]1[*]2[*]3[*]4[*]5[*]6[*]7[*]8[*]9[*]121[*]15\n"
                                     u"[/table][/align]"_s;
    QTest::newRow("bb, names left, values centred, no date, unescaped names")
        << look(names(tableOptions(CodeFormat::BBCode, CellAlignment::NamesLeftValuesCentred), true, true), u"100"_s,
                WidthUnit::Percent, u"1"_s, u"#000000"_s, true)
        << QList<StatisticsRow>{statRow(u"<A>"_s, u"&\""_s)}
        << u"[align=center]"_s + statBBTag +
               u"[*]1[*][align=left]<A> (&\")[/align][*]1[*]2[*]3[*]4[*]5[*]6[*]7[*]8[*]9[*]121[*]15\n"
               u"[/table][/align]"_s;
    QTest::newRow("no format") << tableOptions(CodeFormat::None, CellAlignment::Left) << one << QString();
}

void TestForumCode::scheduleHtml_data() {
    QTest::addColumn<ScheduleCodeOptions>("options");
    QTest::addColumn<QList<ScheduleMatch>>("matches");
    QTest::addColumn<QString>("expected");

    const ScheduleCodeOptions html = scheduleOptions(CodeFormat::Html);
    QTest::newRow("open match, both names")
        << names(html, true, true) << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s)}
        << openScheduleWithBothNames;

    const QString lidartsAbc = u"http://lidarts.test/game/abc"_s;
    QTest::newRow("3:3 with a Lidarts link, then an open match on the next day")
        << html << drawThenOpen()
        << scheduleStart +
               playedBlock(
                   u"Anna"_s, u"Bert"_s, background(u"#ffffdd"_s), background(u"#ffffdd"_s), linked(lidartsAbc, u"3"_s),
                   linked(lidartsAbc, u"3"_s),
                   {u"2"_s, u"18"_s, u"101"_s, u"33.33 %"_s, u"50.25"_s, u"48.00"_s, u"-"_s, u"-"_s, u"-"_s, u"-"_s}) +
               dayBreak(u"2"_s) + openBlock(u"Carl"_s, u"Dora"_s) + scheduleEnd;

    // The first header reads "Spieltag: 1" whatever the first stored day; later headers carry the stored day.
    ScheduleCodeOptions colours = html;
    colours.wonColour = u"#00ff00"_s;
    colours.lostColour = u"#ff0000"_s;
    const QString prodarter77 = u"http://prodarter.test/match-history.php?match=77"_s;
    const QString inherit = u" background-color:inherit; "_s;
    QTest::newRow("day 3: 10:9 with a Pro-Darter link, 2:5 on another platform, chosen colours; day 4: 0:0")
        << colours
        << QList<ScheduleMatch>{match(u"3"_s, u"Anna"_s, u"Bert"_s, u"10"_s, u"9"_s,
                                      linkRecord(u"77"_s, u"prodarter"_s)),
                                match(u"3"_s, u"Carl"_s, u"Dora"_s, u"2"_s, u"5"_s,
                                      linkRecord(u"x1"_s, u"dartsforum"_s)),
                                match(u"4"_s, u"Eva"_s, u"Finn"_s, u"0"_s, u"0"_s)}
        << scheduleStart +
               playedBlock(u"Anna"_s, u"Bert"_s, background(u"#00ff00"_s), background(u"#ff0000"_s),
                           linked(prodarter77, u"10"_s), linked(prodarter77, u"9"_s), missingFigures) +
               playedBlock(u"Carl"_s, u"Dora"_s, background(u"#ff0000"_s), background(u"#00ff00"_s), u"2"_s, u"5"_s,
                           missingFigures) +
               dayBreak(u"4"_s) + playedBlock(u"Eva"_s, u"Finn"_s, inherit, inherit, u"0"_s, u"0"_s, missingFigures) +
               scheduleEnd;

    ScheduleMatch escaped =
        match(u"1"_s, u"<A&\"B>"_s, u"C&D"_s, u"1"_s, u"0"_s, linkRecord(u"a\"b<c&"_s, u"lidarts"_s));
    escaped.homeName2 = u"x\"y"_s;
    const QString escapedLink = u"http://lidarts.test/game/a&quot;b&lt;c&amp;"_s;
    QTest::newRow("escaped names and game id")
        << names(html, true, true) << QList<ScheduleMatch>{escaped}
        << scheduleStart +
               playedBlock(u"&lt;A&amp;&quot;B&gt; (x&quot;y)"_s, u"C&amp;D (c&amp;d_l)"_s, background(u"#ddffdd"_s),
                           background(u"#ffdddd"_s), linked(escapedLink, u"1"_s), linked(escapedLink, u"0"_s),
                           missingFigures) +
               scheduleEnd;
    QTest::newRow("date, width in px, thickness 0, second name only")
        << names(look(html, u"600"_s, WidthUnit::Pixel, u"0"_s, u"#abcdef"_s, true), false, true)
        << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s), match(u"2"_s, u"Carl"_s, u"Dora"_s)}
        << dateLine + restyled(scheduleStart + openBlock(u"anna_l"_s, u"bert_l"_s) + dayBreak(u"2"_s) +
                                   openBlock(u"carl_l"_s, u"dora_l"_s) + scheduleEnd,
                               u"600px"_s, u"0px solid #abcdef"_s);
    QTest::newRow("no schedule, empty width")
        << look(html, QString(), WidthUnit::Percent, u"1"_s, u"#000000"_s, false) << QList<ScheduleMatch>()
        << restyled(scheduleStart + scheduleEnd, QString());
    QTest::newRow("no format") << scheduleOptions(CodeFormat::None) << drawThenOpen() << QString();
}

void TestForumCode::scheduleBBCode_data() {
    QTest::addColumn<ScheduleCodeOptions>("options");
    QTest::addColumn<QList<ScheduleMatch>>("matches");
    QTest::addColumn<QString>("expected");

    QList<ScheduleMatch> season = drawThenOpen();
    season[1].matchDay = u"1"_s;
    season << match(u"2"_s, u"Eva"_s, u"Finn"_s, u"2"_s, u"1"_s, linkRecord(QString(), QString(), 40.0f),
                    linkRecord(QString(), QString(), 41.5f));

    QTest::newRow("all formatting")
        << scheduleOptions(CodeFormat::BBCode) << season
        << u"[b][u]Spieltag: 1[/u][/b]\nAnna(50.25) [b]3:3[/b] Bert(48.00)\nCarl vs. Dora\n\n"
           u"[b][u]Spieltag: 2[/u][/b]\nEva(40.00) [b]2:1[/b] Finn(41.50)\n"_s;
    QTest::newRow("days bold only, score not bold")
        << scheduleOptions(CodeFormat::BBCode, true, false, false) << season
        << u"[b]Spieltag: 1[/b]\nAnna(50.25) 3:3 Bert(48.00)\nCarl vs. Dora\n\n[b]Spieltag: 2[/b]\nEva(40.00) 2:1 "
           u"Finn(41.50)\n"_s;
    QTest::newRow("days underlined only")
        << scheduleOptions(CodeFormat::BBCode, false, true, true) << season
        << u"[u]Spieltag: 1[/u]\nAnna(50.25) [b]3:3[/b] Bert(48.00)\nCarl vs. Dora\n\n[u]Spieltag: 2[/u]\nEva(40.00) "
           u"[b]2:1[/b] Finn(41.50)\n"_s;
    QTest::newRow("no formatting, no schedule")
        << scheduleOptions(CodeFormat::BBCode, false, false, false) << QList<ScheduleMatch>() << u"Spieltag: 1\n"_s;
    QTest::newRow("first stored day 3, played without records, HTML-only options, unescaped names")
        << names(look(scheduleOptions(CodeFormat::BBCode), u"600"_s, WidthUnit::Pixel, u"0"_s, u"#abcdef"_s, true),
                 true, true)
        << QList<ScheduleMatch>{match(u"3"_s, u"<A&\"B>"_s, u"Bert"_s, u"1"_s, u"0"_s,
                                      linkRecord(u"h\"1"_s, u"lidarts"_s, 30.0f)),
                                match(u"3"_s, u"Carl"_s, u"Dora"_s, u"0"_s, u"0"_s), match(u"4"_s, u"Eva"_s, u"Finn"_s)}
        << u"[b][u]Spieltag: 1[/u][/b]\n<A&\"B> (<a&\"b>_l)(30.00) [b]1:0[/b] Bert (bert_l)(0.00)\nCarl (carl_l)(0.00) "
           u"[b]0:0[/b] Dora (dora_l)(0.00)\n\n[b][u]Spieltag: 4[/u][/b]\nEva (eva_l) vs. Finn (finn_l)\n"_s;
}

// Each hostile value gives the code of the harmless value beside it: a default, a number, an escaped text.
void TestForumCode::hostileHtmlValues() {
    using Change = std::function<void(ScheduleCodeOptions&, QList<ScheduleMatch>&, const QString&)>;
    const auto option = [](QString ExportOptions::*field) {
        return Change([field](ScheduleCodeOptions& o, QList<ScheduleMatch>&, const QString& v) { o.*field = v; });
    };
    const auto colour = [](QString ScheduleCodeOptions::*field) {
        return Change([field](ScheduleCodeOptions& o, QList<ScheduleMatch>&, const QString& v) { o.*field = v; });
    };
    const auto stored = [](QString ScheduleMatch::*field) {
        return Change([field](ScheduleCodeOptions&, QList<ScheduleMatch>& m, const QString& v) { m[1].*field = v; });
    };
    const QString script = u"\"><script>x()</script>"_s, escaped = u"&quot;&gt;&lt;script&gt;x()&lt;/script&gt;"_s;
    const struct {
        const char* name;
        Change change;
        QString hostile, harmless;
    } cases[] = {
        {"line colour", option(&ExportOptions::lineColour), u"red;background:url(x)"_s, u"#000000"_s},
        {"thickness", option(&ExportOptions::lineThickness), u"1px;x:y"_s, u"1"_s},
        {"thickness 10", option(&ExportOptions::lineThickness), u"10"_s, u"1"_s},
        {"width", option(&ExportOptions::width), u"80%\" onclick=\"x"_s, u"80"_s},
        {"date", option(&ExportOptions::today), script, escaped},
        {"time", option(&ExportOptions::currentTime), script, escaped},
        {"drawn colour", colour(&ScheduleCodeOptions::drawnColour), u"#fff\"a"_s, u"#ffffdd"_s},
        {"won colour", colour(&ScheduleCodeOptions::wonColour), script, u"#ddffdd"_s},
        {"lost colour", colour(&ScheduleCodeOptions::lostColour), u"#ffdddd;"_s, u"#ffdddd"_s},
        {"match day", stored(&ScheduleMatch::matchDay), script, escaped},
        {"match day with a zero", stored(&ScheduleMatch::matchDay), u"02"_s, u"2"_s},
        {"legs", stored(&ScheduleMatch::legsWon), script, escaped},
        {"best leg", [](ScheduleCodeOptions&, QList<ScheduleMatch>& m, const QString& v) { m[1].home.bestLeg = v; },
         script, escaped},
    };
    for (const auto& c : cases) {
        ScheduleCodeOptions o = scheduleOptions(CodeFormat::Html);
        o.showDate = true;
        QList<ScheduleMatch> matches = drawThenOpen();
        matches << match(u"3"_s, u"Eva"_s, u"Finn"_s, u"2"_s, u"1"_s)
                << match(u"3"_s, u"Gus"_s, u"Hal"_s, u"1"_s, u"1"_s);
        matches[1].legsWon = u"2"_s; // Carl beat Dora 2:0
        matches[1].legsLost = u"0"_s;
        ScheduleCodeOptions hostileOptions = o;
        QList<ScheduleMatch> hostileMatches = matches;
        c.change(hostileOptions, hostileMatches, c.hostile);
        // An escaped text is compared through a stand-in, which the builder leaves as it is.
        const bool text = c.harmless == escaped;
        c.change(o, matches, text ? u"STANDIN"_s : c.harmless);
        QString expected = scheduleCode(matches, o, testPlatforms());
        if (text)
            expected.replace(u"STANDIN"_s, escaped);
        QCOMPARE(c.name + u": "_s + scheduleCode(hostileMatches, hostileOptions, testPlatforms()),
                 c.name + u": "_s + expected);
    }
    // The table builders check their options the same way.
    TableCodeOptions table = tableOptions(CodeFormat::Html, CellAlignment::Left);
    table.lineColour = u"#00000g"_s;
    QCOMPARE(leagueTableCode({}, table), leagueHeader + tableEnd);
}

void TestForumCode::bbPreview_data() {
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("html");
    QTest::newRow("table with captions, rows and aligned names")
        << u"[align=center][table='Platz,Name']\n[*]1[*][align=left]A<b[/align]\n[/table][/align]"_s
        << u"<div align=\"center\"><table border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr><th>Platz</th>"
           u"<th>Name</th></tr><tr><td>1</td><td><div align=\"left\">A&lt;b</div></td></tr></table></div>"_s;
    QTest::newRow("bold and underlined lines") << u"[b][u]Spieltag: 1[/u][/b]\nA(50.00) [B]3:1[/B] B\n"_s
                                               << u"<b><u>Spieltag: 1</u></b><br>A(50.00) <b>3:1</b> B<br>"_s;
    QTest::newRow("colour and links")
        << u"[color=#ff0000]rot[/color] [url=http://x.test/?a=1&b=\"2]Spiel[/url] [url]http://y.test[/url]"_s
        << u"<span style=\"color:#ff0000\">rot</span> <a href=\"http://x.test/?a=1&amp;b=&quot;2\">Spiel</a> "
           u"<a href=\"http://y.test\">http://y.test</a>"_s;
    QTest::newRow("what is not understood stays text") << u"[color=red;x:y]a[/color] [/b][*][foo][align=top]"_s
                                                       << u"[color=red;x:y]a[/color] [/b][*][foo][align=top]"_s;
}

void TestForumCode::bbPreview() {
    QFETCH(QString, code);
    QFETCH(QString, html);
    QCOMPARE(bbCodeToHtml(code), html);
}

void TestForumCode::csvFiles() {
    ExportOptions o;
    QList<LeagueTableRow> table{{u"Anna"_s, u"a"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3}, {u"=Bert;x"_s, u"b"_s}};
    QCOMPARE(leagueTableCsv(table, o),
             "\xEF\xBB\xBFPlatz;Name;Spiele;Siege;Remis;Niederlagen;Legs gewonnen;Legs verloren;Punkte;AVG;"
             "Doppelquote;Doppel getroffen;Doppel geworfen\r\n1;Anna;3;2;1;0;7;3;5;45,50;33,33;1;3\r\n"
             "2;\"'=Bert;x\";0;0;0;0;0;0;0;0,00;0,00;0;0\r\n");
    o.secondName = true;
    const MatchRecord anna{50.25f, 0, 0, QString(), QString(), QString(), 0, 0};
    const MatchRecord bert{40.0f, 0, 0, QString(), QString(), QString(), 0, 0};
    QCOMPARE(scheduleCsv({match(u"1"_s, u"Anna"_s, u"Bert"_s, u"3"_s, u"1"_s, anna, bert),
                          match(u"2"_s, u"Carl"_s, u"Dora \"D\""_s)},
                         o),
             "\xEF\xBB\xBFSpieltag;Heim;Gast;Legs Heim;Legs Gast;AVG Heim;AVG Gast\r\n"
             "1;Anna (anna_l);Bert (bert_l);3;1;50,25;40,00\r\n2;Carl (carl_l);\"Dora \"\"D\"\" (dora "
             "\"\"d\"\"_l)\";;;;\r\n");
}

void TestForumCode::headToHead_data() {
    QTest::addColumn<QList<LeagueTableRow>>("rows"); // in the order of the standings query
    QTest::addColumn<QList<MatchPoints>>("matches");
    QTest::addColumn<QString>("order");
    // Player `id` with points, leg difference and legs won.
    const auto row = [](const char* id, int points, int difference, int legsWon, bool results = true) {
        LeagueTableRow r;
        r.name1 = r.playerId = QLatin1StringView(id);
        r.points = points;
        r.legDifference = difference;
        r.legsWon = legsWon;
        r.hasResults = results;
        return r;
    };
    QTest::newRow("three level on points, ranked by their matches")
        << QList<LeagueTableRow>{row("A", 4, 6, 10), row("B", 4, 2, 8), row("C", 4, -1, 7), row("D", 2, 0, 5)}
        << QList<MatchPoints>{{u"C"_s, u"A"_s, 2, 0},
                              {u"B"_s, u"C"_s, 0, 2},
                              {u"B"_s, u"A"_s, 2, 0},
                              {u"D"_s, u"A"_s, 0, 2}}
        << u"C B A D"_s;
    QTest::newRow("level against each other: leg difference, then legs won")
        << QList<LeagueTableRow>{row("C", 4, 3, 9), row("B", 4, 3, 6), row("A", 4, 1, 5)}
        << QList<MatchPoints>{{u"A"_s, u"B"_s, 1, 1}, {u"B"_s, u"C"_s, 1, 1}, {u"C"_s, u"A"_s, 1, 1}} << u"C B A"_s;
    QTest::newRow("partly level: points against each other first")
        << QList<LeagueTableRow>{row("C", 4, 3, 9), row("B", 4, 3, 6), row("A", 4, 1, 5)}
        << QList<MatchPoints>{{u"A"_s, u"B"_s, 2, 0}, {u"B"_s, u"C"_s, 1, 1}, {u"C"_s, u"A"_s, 2, 0}} << u"C A B"_s;
    QTest::newRow("no results is not level with 0 points; alike in all keeps the order")
        << QList<LeagueTableRow>{row("B", 1, 0, 2), row("A", 1, 0, 2), row("E", 0, -3, 2), row("F", 0, 0, 0, false)}
        << QList<MatchPoints>{{u"A"_s, u"B"_s, 1, 1}} << u"B A E F"_s;
}

void TestForumCode::headToHead() {
    QFETCH(QList<LeagueTableRow>, rows);
    QFETCH(QList<MatchPoints>, matches);
    QFETCH(QString, order);
    QStringList names;
    for (const LeagueTableRow& r : rankHeadToHead(rows, matches))
        names << r.name1;
    QCOMPARE(names.join(u' '), order);
}

QTEST_GUILESS_MAIN(TestForumCode)
#include "tst_forumcode.moc"
