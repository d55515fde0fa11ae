// The forum code of the three export windows (league table, statistics, schedule) in HTML and BB-Code, the
// preview of BB-Code, the CSV files, names in every output and the remembered format.
#include "app/textescape.h"
#include "export/bbpreview.h"
#include "export/forumcode.h"
#include "export/tableexport.h"
#include "testenv.h"

#include <QTest>

using namespace tavorin;
using namespace Qt::StringLiterals;

namespace {

// Written out by hand, with abbreviations: "$H" a header cell's opening up to its borders, "$C" a centred
// value cell's opening, "$S" a small figure cell's opening, "$B" a cell's bottom and right border.
QString golden(QString text) {
    return text.replace(u"$H"_s, u"<th style=\"background-color:#dddddd; padding:5px ;$B"_s)
        .replace(u"$C"_s, u"<td style=\"$B padding:5px;  text-align:center; \">"_s)
        .replace(u"$S"_s, u"<td style=\"$B padding:5px;  text-align:center; font-size: 0.6em;\">"_s)
        .replace(u"$B"_s, u"border-bottom:1px solid #000000; border-right:1px solid #000000;"_s);
}

const QString tableStart =
    u"<table cellspacing=\"0\" style=\"width:100%; border-top:1px solid #000000; border-left:1px solid #000000; "
    u"margin-top:10px; margin-bottom:10px;\">"_s;

// Anna with names left and values centred.
const QString leagueOfAnna = golden(
    tableStart +
    u"<tbody><tr>$H \">Platz</th>$H \">Name</th>$H \">Spiele</th>$H \">G</th>$H \">U</th>$H \">V</th>$H \">Legs</th>"
    u"$H \">Punkte</th>$H \">AVG</th>$H \">Doppelquote</th></tr>\n<tr>$C1</td><td style=\"$B padding:5px;  "
    u"text-align:left; \">Anna</td>$C3</td>$C2</td>$C1</td>$C0</td>$C7:3</td>$C5</td>$C45.50</td>$C33.33% "
    u"(1/3)</td></tr>\n</tbody></table>"_s);

const QString statisticsWithoutMembers = golden(
    tableStart +
    u"<tbody><tr>$H\">Platz</th>$H\">Name</th>$H\">20-</th>$H\">20+</th>$H\">40+</th>$H\">60+</th>$H\">80+</th>$H\">"
    u"100+</th>$H\">140+</th>$H\">171+</th>$H\">180</th>$H\">Highest Finish</th>$H\"> Best Leg</th></tr>\n"
    u"</tbody></table>"_s);

const QString lidartsAbc = u"<a style=\"text-decoration: none; color:inherit ; display:block;\" href=\""
                           u"https://lidarts.org/game/abc\" target=\"blank\" title=\"zum Spiel\" >"_s;

// Anna and Bert draw 3:3 on day 1 with a Lidarts link; Carl and Dora have not played on day 2.
const QString drawThenOpenHtml = golden(
    tableStart +
    u"\n \n<tr>\n<th colspan=\"12\" style=\"background-color:#dddddd; padding:5px ;$B \">Spieltag: 1</th>\n</tr>\n "
    u"<tr> <td colspan=\"5\" style=\"$B padding:5px; width:45%; text-align:right; font-weight:bold; "
    u"color:#009900; \">Anna</td>\n <td rowspan=\"3\" style=\"$B padding:5px; text-align:center; font-size: "
    u"2em;  background-color:#ffffdd; \">\n "_s +
    lidartsAbc +
    u"3</a></td>\n <td rowspan=\"3\" style=\"$B padding:5px; text-align:center; font-size: 2em;  "
    u"background-color:#ffffdd; \">\n "_s +
    lidartsAbc +
    u"3</a></td>\n <td colspan=\"5\" style=\"$B padding:5px; width:45%; text-align:left; font-weight:bold; "
    u"color:#009900; \">Bert</td>\n </tr>\n  <tr> <td style=\"$B padding:5px;  text-align:center; font-size: "
    u"0.6em; \">180</td>\n $SSL</td>\n $SHF</td>\n $SDQ</td>\n $SAVG</td>\n $SAVG</td>\n $SDQ</td>\n $SHF</td>\n"
    u" $SSL</td>\n $S180</td>\n </tr>\n <tr>  $S2</td>\n $S18</td>\n $S101</td>\n $S33.33 %</td>\n $S50.25</td>\n"
    u" $S48.00</td>\n $S-</td>\n $S-</td>\n $S-</td>\n $S-</td>\n</tr> </table>\n\n<!-- Tabellenzwischenraum -->"
    u"\n\n\n\n\n"_s +
    tableStart +
    u"\n<tr>\n<th colspan=\"12\" style=\"background-color:#dddddd; padding:5px ;$B \">Spieltag: 2</th>\n</tr>\n    "
    u"<tr><td colspan=\"5\" style=\"$B padding:5px; width:45%; text-align:right; font-weight:bold; "
    u"color:#bb0000;\">Carl</td>\n   <td colspan=\"2\" style=\"$B padding:5px; text-align:center; "
    u"font-weight:bold; color:#bb0000; \">offen</td>\n   <td colspan=\"5\" style=\"$B padding:5px; width:45%; "
    u"text-align:left; font-weight:bold; color:#bb0000; \">Dora</td></tr>\n </table>\n "_s);

template <typename O, typename F> O with(O o, F change) {
    change(o);
    return o;
}

TableCodeOptions table(CodeFormat format = CodeFormat::Html,
                       CellAlignment alignment = CellAlignment::NamesLeftValuesCentred) {
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
O lines(O o, const QString& width, WidthUnit unit, const QString& thickness, const QString& colour) {
    o.width = width;
    o.widthUnit = unit;
    o.lineThickness = thickness;
    o.lineColour = colour;
    return o;
}

ScheduleCodeOptions schedule(CodeFormat format = CodeFormat::Html) {
    ScheduleCodeOptions o;
    static_cast<ExportOptions&>(o) = table(format);
    return o;
}

const PlatformAddresses web; // the default addresses

const LeagueTableRow anna{u"Anna"_s, u"anna_l"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3};
const StatisticsRow annaStats{u"Anna"_s, u"anna_l"_s, 1, 2, 3, 4, 5, 6, 7, 8, 9, 121, 15};

ScheduleMatch match(const QString& day, const QString& home, const QString& away, const QString& won = {},
                    const QString& lost = {}, const MatchRecord& homeRecord = {}) {
    return {day, home, home.toLower() + u"_l"_s, away, away.toLower() + u"_l"_s, won, lost, homeRecord, {}};
}
MatchRecord linked(const QString& hash, const QString& platform) {
    return {0.0f, 0, 0, QString(), hash, platform, 0, 0};
}

QList<ScheduleMatch> drawThenOpen() {
    const MatchRecord anna{50.25f, 2, 101, u"18"_s, u"abc"_s, u"lidarts"_s, 1, 3};
    ScheduleMatch draw = match(u"1"_s, u"Anna"_s, u"Bert"_s, u"3"_s, u"3"_s, anna);
    draw.away = {48.0f, 0, 100, u"19"_s, QString(), QString(), 0, 0};
    return {draw, match(u"2"_s, u"Carl"_s, u"Dora"_s)};
}

} // namespace

class TestForumCode : public QObject {
    Q_OBJECT

private slots:
    void exactCode_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("expected");
        const auto bb = [](CellAlignment a) { return table(CodeFormat::BBCode, a); };
        const QString tableTag = u"[table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']\n"_s;

        QTest::newRow("html table") << leagueTableCode({anna}, table()) << leagueOfAnna;
        QTest::newRow("html statistics without members") << statisticsCode({}, table()) << statisticsWithoutMembers;
        QTest::newRow("html schedule") << scheduleCode(drawThenOpen(), schedule(), web) << drawThenOpenHtml;
        QTest::newRow("no format") << leagueTableCode({anna}, table(CodeFormat::None)) +
                                          statisticsCode({}, table(CodeFormat::None)) +
                                          scheduleCode(drawThenOpen(), schedule(CodeFormat::None), web)
                                   << QString();

        // The doubles quote: "0" without darts at a double, else 100 / thrown * hit with two decimals.
        QTest::newRow("bb table, centred, doubles quotes, a member without results")
            << leagueTableCode({anna, {u"Carl"_s, u"c"_s, 0, 0, 0, 0, 0, 0, 0.0f, 2, 3}, {u"Dora"_s, u"d"_s}},
                               bb(CellAlignment::Centred))
            << u"[align=center]"_s + tableTag +
                   u"[*]1[*]Anna[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% "
                   u"(1/3)\n[*]2[*]Carl[*]0[*]0[*]0[*]0[*]0:0[*]0"
                   u"[*]0.00[*]66.67% (2/3)\n[*]3[*]Dora[*]0[*]0[*]0[*]0[*]0:0[*]0[*]0.00[*]0\n[/table][/align]"_s;
        // Names are not escaped, but their brackets become full-width; HTML-only options change nothing.
        QTest::newRow("bb table, names left, both names, HTML-only options")
            << leagueTableCode({{u"<K&\"ai [b]\u00d6hler"_s, u"[/table][*]"_s, 2, 1, 0, 7, 3, 5, 45.5f, 4, 4}},
                               with(lines(names(bb(CellAlignment::NamesLeftValuesCentred), true, true), u"600"_s,
                                          WidthUnit::Pixel, u"3"_s, u"#ff0000"_s),
                                    [](auto& o) { o.showDate = true; }))
            << u"[align=center]"_s + tableTag +
                   u"[*]1[*][align=left]<K&\"ai \uff3bb\uff3d\u00d6hler "
                   u"(\uff3b/table\uff3d\uff3b*\uff3d)[/align][*]3[*]2"
                   u"[*]1[*]0[*]7:3[*]5[*]45.50[*]100.00% (4/4)\n[/table][/align]"_s;
        // Found by fuzzing: the number of games overflowed.
        QTest::newRow("bb table, games beyond int")
            << leagueTableCode({{u"X"_s, u"x"_s, INT_MIN, INT_MIN, 0, 0, 0, 0, 0.0f, 0, 0}}, bb(CellAlignment::None))
            << tableTag + u"[*]1[*]X[*]-4294967296[*]-2147483648[*]-2147483648[*]0[*]0:0[*]0[*]0.00[*]0\n[/table]"_s;
        QTest::newRow("bb statistics, left, second name only")
            << statisticsCode({annaStats}, names(bb(CellAlignment::Left), false, true))
            << u"[align=left][table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,Highest Finish, Best Leg']\n"
               u"[*]1[*]anna_l[*]1[*]2[*]3[*]4[*]5[*]6[*]7[*]8[*]9[*]121[*]15\n[/table][/align]"_s;

        // BB-Code: the first header reads "Spieltag: 1" whatever the first stored day.
        QList<ScheduleMatch> season = drawThenOpen();
        season[0].matchDay = season[1].matchDay = u"3"_s;
        season << match(u"4"_s, u"Eva"_s, u"Finn"_s, u"2"_s, u"1"_s) << match(u"4"_s, u"<G&>"_s, u"[b]"_s);
        QTest::newRow("bb schedule, all formatting") << scheduleCode(season, schedule(CodeFormat::BBCode), web)
                                                     << u"[b][u]Spieltag: 1[/u][/b]\nAnna(50.25) [b]3:3[/b] "
                                                        u"Bert(48.00)\nCarl vs. Dora\n\n[b][u]Spieltag: 4[/u][/b]\n"
                                                        u"Eva(0.00) [b]2:1[/b] Finn(0.00)\n<G&> vs. \uff3bb\uff3d\n"_s;
        QTest::newRow("bb schedule, days bold only, score plain, both names")
            << scheduleCode(season.mid(0, 1),
                            with(names(schedule(CodeFormat::BBCode), true, true),
                                 [](auto& o) { o.underlinedMatchDays = o.boldScore = false; }),
                            web)
            << u"[b]Spieltag: 1[/b]\nAnna (anna_l)(50.25) 3:3 Bert (bert_l)(48.00)\n"_s;
        // Withdrawn players: listed below the table, their matches struck through or won without a game.
        LeagueTableRow dora{u"Dora"_s, u"d"_s};
        dora.withdrawn = true;
        QTest::newRow("html table, a withdrawn player")
            << leagueTableCode({anna, dora}, table())
            << leagueOfAnna + u"<div style=\"font-size:0.8em;\">zur\u00fcckgezogen: Dora</div>"_s;
        QTest::newRow("bb table, a withdrawn player")
            << leagueTableCode({dora, anna}, bb(CellAlignment::Centred))
            << u"[align=center]"_s + tableTag +
                   u"[*]1[*]Anna[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n[/table][/align]\n"
                   u"zur\u00fcckgezogen: Dora"_s;
        QList<ScheduleMatch> withdrawn = drawThenOpen();
        withdrawn[0].outcome = withdrawal::Outcome::Annulled;
        withdrawn[1].outcome = withdrawal::Outcome::AwayWins;
        QTest::newRow("bb schedule, annulled and walkover")
            << scheduleCode(withdrawn, schedule(CodeFormat::BBCode), web)
            << u"[b][u]Spieltag: 1[/u][/b]\n[s]Anna(50.25) [b]3:3[/b] Bert(48.00)[/s]\n\n[b][u]Spieltag: 2[/u][/b]\n"
               u"Carl [b]-:+[/b] Dora (kampflos)\n"_s;
        QTest::newRow("bb schedule, days underlined only, no matches")
            << scheduleCode({}, with(schedule(CodeFormat::BBCode), [](auto& o) { o.boldMatchDays = false; }), web)
            << u"[u]Spieltag: 1[/u]\n"_s;
    }
    void exactCode() {
        QFETCH(QString, code);
        QFETCH(QString, expected);
        QCOMPARE(code, expected);
    }
    void htmlOptions_data() {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("part");
        const QString left = leagueTableCode({anna, {u"<A&\"B>"_s, u"x&y"_s}},
                                             with(lines(names(table(CodeFormat::Html, CellAlignment::Left), true, true),
                                                        u"06\"0"_s, WidthUnit::Pixel, u"0"_s, u"#12ab00"_s),
                                                  [](auto& o) { o.showDate = true; }));
        QTest::newRow("date, leading number of the width in px, thickness 0 and a colour")
            << left << u"09:05 Uhr</div><table cellspacing=\"0\" style=\"width:6px; border-top:0px solid #12ab00;"_s;
        QTest::newRow("all left") << left
                                  << u"border-bottom:0px solid #12ab00; border-right:0px solid #12ab00; padding:5px;  "
                                     u"text-align:left; \">1</td>"_s;
        QTest::newRow("both names escaped") << left << u"\">&lt;A&amp;&quot;B&gt; (x&amp;y)</td>"_s;
        QTest::newRow("all centred") << leagueTableCode({anna}, table(CodeFormat::Html, CellAlignment::Centred))
                                     << u"padding:5px;  text-align:center; \">Anna</td>"_s;
        const QString plain = leagueTableCode(
            {anna}, lines(table(CodeFormat::Html, CellAlignment::None), u"1"_s, WidthUnit::None, u"1"_s, u"#000000"_s));
        QTest::newRow("no alignment") << plain << u"#000000; padding:5px; \">Anna</td>"_s;
        QTest::newRow("no width unit") << plain << u"style=\"width:; border-top:"_s;
        QTest::newRow("statistics, names left and values centred, second name escaped")
            << statisticsCode({{u"Anna"_s, u"<&\""_s, 1}}, names(table(), false, true))
            << golden(u"padding:5px;  text-align:left; \">&lt;&amp;&quot;</td><td style=\"$B padding:5px;  text-align:"
                      u"center; \">1</td>"_s);

        // Scores: won and lost colours as chosen, none at 0:0; a link only to Lidarts and Pro-Darter.
        ScheduleCodeOptions colours = schedule();
        colours.wonColour = u"#00ff00"_s;
        colours.lostColour = u"#ff0000"_s;
        const QString coloured =
            scheduleCode({match(u"3"_s, u"Anna"_s, u"Bert"_s, u"10"_s, u"9"_s, linked(u"77"_s, u"prodarter"_s)),
                          match(u"3"_s, u"Carl"_s, u"Dora"_s, u"2"_s, u"5"_s, linked(u"x1"_s, u"dartsforum"_s)),
                          match(u"4"_s, u"Eva"_s, u"Finn"_s, u"0"_s, u"0"_s)},
                         colours, web);
        QTest::newRow("won, Pro-Darter link")
            << coloured
            << u"font-size: 2em;  background-color:#00ff00; \">\n <a style="
               u"\"text-decoration: none; color:inherit ; display:block;\" href=\""
               u"http://www.pro-darter.com/match-history.php?match=77\" target=\"blank\" "
               u"title=\"zum Spiel\" >10</a></td>"_s;
        QTest::newRow("lost, no link") << coloured << u"font-size: 2em;  background-color:#ff0000; \">\n2</td>"_s;
        QTest::newRow("0:0") << coloured << u"font-size: 2em;  background-color:inherit; \">\n0</td>"_s;
        QTest::newRow("first day shown as 1") << coloured << u"\">Spieltag: 1</th>"_s;
        QTest::newRow("later day as stored") << coloured << u"\">Spieltag: 4</th>"_s;

        ScheduleMatch escaped = match(u"1"_s, u"<A&\"B>"_s, u"C"_s, u"1"_s, u"0"_s, linked(u"a\"b<c&"_s, u"lidarts"_s));
        escaped.homeName2 = u"x\"y"_s;
        const QString both =
            scheduleCode({escaped, match(u"1"_s, u"D"_s, u"E"_s, u"1"_s, u"0"_s, linked(u"d\"e"_s, u"prodarter"_s))},
                         names(schedule(), true, true), web);
        QTest::newRow("escaped game id") << both << u"href=\"https://lidarts.org/game/a&quot;b&lt;c&amp;\""_s;
        QTest::newRow("escaped match number") << both << u"match-history.php?match=d&quot;e\""_s;
        QTest::newRow("escaped names") << both << u"\">&lt;A&amp;&quot;B&gt; (x&quot;y)</td>"_s;
        const QString styled =
            scheduleCode(drawThenOpen(),
                         with(lines(names(schedule(), false, true), u"600"_s, WidthUnit::Pixel, u"0"_s, u"#abcdef"_s),
                              [](auto& o) { o.showDate = true; }),
                         web);
        QTest::newRow("schedule: date, px, thickness 0")
            << styled
            << u"<div style=\"font-size:0.8em; font-weight:bold;\">aktualisiert am: 01.02.2024 um: 09:05 "
               u"Uhr</div><table cellspacing=\"0\" style=\"width:600px; border-top:0px solid #abcdef;"_s;
        QTest::newRow("schedule: second name only") << styled << u"color:#bb0000; \">dora_l</td>"_s;
        QList<ScheduleMatch> withdrawn = drawThenOpen();
        withdrawn[0].outcome = withdrawal::Outcome::Annulled;
        withdrawn[1].outcome = withdrawal::Outcome::HomeWins;
        const QString marked = scheduleCode(withdrawn, schedule(), web);
        QTest::newRow("annulled: struck through") << marked << u"color:#888888; \"><s>3:3</s></td>"_s;
        QTest::newRow("walkover") << marked << u"color:#009900;\">Carl</td>"_s;
        QTest::newRow("walkover score") << marked << u"color:#009900; \">+:- kampflos</td>"_s;
    }
    void htmlOptions() {
        QFETCH(QString, code);
        QFETCH(QString, part);
        QVERIFY2(code.contains(part), qPrintable(code));
    }
    // Every value that reaches the HTML is checked or escaped: the hostile values give the code of harmless ones
    // (a default, a number, an escaped text, compared through a stand-in that the builder leaves as it is).
    void hostileHtmlValues() {
        const QString script = u"\"><script>x()</script>"_s, escaped = u"&quot;&gt;&lt;script&gt;x()&lt;/script&gt;"_s;
        ScheduleCodeOptions hostile = with(schedule(), [](auto&o) { o.showDate = true; }), harmless = hostile;
        hostile.lineColour = u"red;background:url(x)"_s;
        hostile.lineThickness = u"1px;x:y"_s;
        hostile.drawnColour = u"#fff\"a"_s;
        hostile.wonColour = script;
        hostile.lostColour = u"#ffdddd;"_s;
        hostile.width = u"80%\" onclick=\"x"_s;
        harmless.width = u"80"_s;
        hostile.today = hostile.currentTime = script;
        harmless.today = harmless.currentTime = u"STANDIN"_s;
        QList<ScheduleMatch> harmlessMatches = drawThenOpen() << match(u"3"_s, u"Eva"_s, u"Finn"_s, u"2"_s, u"1"_s)
                                                              << match(u"3"_s, u"Gus"_s, u"Hal"_s, u"2"_s, u"3"_s)
                                                              << match(u"4"_s, u"Ina"_s, u"Jan"_s);
        QList<ScheduleMatch> hostileMatches = harmlessMatches;
        hostileMatches[4].matchDay = u"04"_s;
        for (auto [m, text] : {std::pair{&hostileMatches, script}, {&harmlessMatches, u"STANDIN"_s}}) {
            (*m)[1].matchDay = (*m)[1].legsWon = (*m)[1].home.bestLeg = text;
            (*m)[1].legsLost = u"0"_s;
        }
        QCOMPARE(scheduleCode(hostileMatches, hostile, web),
                 scheduleCode(harmlessMatches, harmless, web).replace(u"STANDIN"_s, escaped));
        // The table builders check their options the same way.
        QCOMPARE(leagueTableCode({anna}, with(table(), [](auto& o) { o.lineColour = u"#00000g"_s; })), leagueOfAnna);
    }
    void bbPreview_data() {
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
        // Links to anything but web pages, and a [url] without its end, stay text; the rest is not copied.
        QTest::newRow("links that stay text")
            << u"[url=javascript:x()]a[/url][url=data:b]b[/url][URL=file:///c]c[/url][url]http://d [url]e"_s
            << u"[url=javascript:x()]a[/url][url=data:b]b[/url][URL=file:///c]c[/url][url]http://d [url]e"_s;
        // Elements close in the order they were opened; what closes nothing open stays text.
        QTest::newRow("crossed, unclosed, and a line feed in a row")
            << u"[b][i]x[/b][/i]\n[table][*][s]a\n[u]y"_s
            << u"<b><i>x</i></b>[/i]<br><table border=\"1\" cellspacing=\"0\" cellpadding=\"4\"><tr><td><s>a</s>"
               u"</td></tr><u>y</u></table>"_s;
    }
    void bbPreview() {
        QFETCH(QString, code);
        QFETCH(QString, html);
        QCOMPARE(bbCodeToHtml(code), html);
        QVERIFY(html.size() <= bbPreviewGrowth * code.size());
    }
    // Names in every output: no control character or bidi control, a line break a blank.
    void safeNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("safe");
        QTest::newRow("letters, marks and symbols stay")
            << u"J\u00f6rg \u05d0 \u0645 \U0001F3AF [x]"_s << u"J\u00f6rg \u05d0 \u0645 \U0001F3AF [x]"_s;
        QTest::newRow("controls go") << u"\u0000A\u0001\u001f\u007f\u0080\u009fB"_s << u"AB"_s;
        QTest::newRow("bidi controls go")
            << u"\u202eA\u202a\u202b\u202c\u202d\u2066\u2067\u2068\u2069\u200e\u200f\u061cB"_s << u"AB"_s;
        QTest::newRow("line breaks and tabs become blanks")
            << u"A\nB\r\nC\tD\u000b\u000c\u0085\u2028\u2029E"_s << u"A B  C D     E"_s;
    }
    void safeNames() {
        QFETCH(QString, name);
        QFETCH(QString, safe);
        QCOMPARE(safeName(name), safe);
    }
    // Each output shows names as safeName() gives them.
    void safeNamesInEveryOutput() {
        const QString name = u"Anna\u202e\n\u0000"_s;
        QCOMPARE(scheduleCode({match(u"1"_s, name, u"Bert"_s, u"3"_s, u"2"_s)}, schedule(CodeFormat::BBCode), web),
                 u"[b][u]Spieltag: 1[/u][/b]\nAnna (0.00) [b]3:2[/b] Bert(0.00)\n"_s);
        QVERIFY(leagueTableCode({{name, u"a"_s}}, table()).contains(u"\">Anna </td>"_s));
        QVERIFY(printHtml(name, u"1.1.2024"_s, QString()).startsWith(u"<h2>Anna </h2>"_s));
        // A name that begins with a tab or a line break is no formula either.
        QCOMPARE(statisticsCsv({{u"\t=1"_s, u"t"_s}, {u"\r\u202e=2"_s, u"r"_s}, {u"\u0000@3"_s, u"n"_s}}, {}),
                 "\xEF\xBB\xBFPlatz;Name;20-;20+;40+;60+;80+;100+;140+;171+;180;Highest Finish;Best Leg\r\n"
                 "1;' =1;0;0;0;0;0;0;0;0;0;0;0\r\n2;' =2;0;0;0;0;0;0;0;0;0;0;0\r\n3;'@3;0;0;0;0;0;0;0;0;0;0;0\r\n");
    }
    // The format a window opens with: "html" or "bbcode" in any letter case, anything else HTML.
    void formatKeys() {
        TempSettings env;
        writeFile(env.configPath(), "[exportfenster]\nformat1=BBCode\nformat2=pdf\nformat3=\n");
        QSettings file(env.configPath(), QSettings::IniFormat);
        ExportSettings read;
        readExportSettings(file, read);
        QCOMPARE(QStringList({read.format1, read.format2, read.format3}), QStringList({"bbcode", "html", "html"}));
    }
    void csvFiles() {
        ExportOptions o;
        // A name that a spreadsheet would run as a formula starts with an apostrophe.
        QCOMPARE(
            leagueTableCsv({anna, {u"=Bert;x"_s, u"b"_s}, {u"+C"_s, u"c"_s}, {u"-D"_s, u"d"_s}, {u"@E"_s, u"e"_s}}, o),
            "\xEF\xBB\xBFPlatz;Name;Spiele;Siege;Remis;Niederlagen;Legs gewonnen;Legs verloren;Punkte;AVG;"
            "Doppelquote;Doppel getroffen;Doppel geworfen\r\n1;Anna;3;2;1;0;7;3;5;45,50;33,33;1;3\r\n"
            "2;\"'=Bert;x\";0;0;0;0;0;0;0;0,00;0,00;0;0\r\n3;'+C;0;0;0;0;0;0;0;0,00;0,00;0;0\r\n"
            "4;'-D;0;0;0;0;0;0;0;0,00;0,00;0;0\r\n5;'@E;0;0;0;0;0;0;0;0,00;0,00;0;0\r\n");
        o.secondName = true;
        QList<ScheduleMatch> matches = drawThenOpen();
        matches[1].awayName1 = u"Dora \"D\""_s;
        QCOMPARE(scheduleCsv(matches, o), "\xEF\xBB\xBFSpieltag;Heim;Gast;Legs Heim;Legs Gast;AVG Heim;AVG Gast\r\n"
                                          "1;Anna (anna_l);Bert (bert_l);3;3;50,25;48,00\r\n"
                                          "2;Carl (carl_l);\"Dora \"\"D\"\" (dora_l)\";;;;\r\n");
    }
};

QTEST_GUILESS_MAIN(TestForumCode)
#include "tst_forumcode.moc"
