// The forum-code builders of the three export windows: league table, statistics and schedule, each in HTML and
// BB-Code. Expected texts are written out piece by piece as the export windows are meant to produce them.
#include "export/forumcode.h"

#include <QTest>

using namespace tavorin;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(tavorin::TableCodeOptions)
Q_DECLARE_METATYPE(tavorin::ScheduleCodeOptions)
Q_DECLARE_METATYPE(tavorin::LeagueTableRow)
Q_DECLARE_METATYPE(tavorin::StatisticsRow)
Q_DECLARE_METATYPE(tavorin::ScheduleMatch)

namespace {

// --- Shared pieces, for thickness 1, colour #000000 and width 100 % ---

const QString tableOpen =
    uR"(<table cellspacing="0" style="width:100%; border-top:1px solid #000000; border-left:1px solid #000000; margin-top:10px; margin-bottom:10px;"><tbody><tr>)"_s;
const QString dateLine =
    uR"(<div style="font-size:0.8em; font-weight:bold;">aktualisiert am: 01.02.2024 um: 09:05 Uhr</div>)"_s;
const QString alignLeft = u" text-align:left; "_s;
const QString alignCentre = u" text-align:center; "_s;

QString td(const QString& align) {
    return uR"(<td style="border-bottom:1px solid #000000; border-right:1px solid #000000; padding:5px; )"_s + align +
           uR"(">)"_s;
}

// "<tr>", the place and the name, then the values, each cell closed, and the row closed by a line feed.
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
    o.firstName = true;
    o.secondName = false;
    o.width = u"100"_s;
    o.widthUnit = WidthUnit::Percent;
    o.lineThickness = u"1"_s;
    o.lineColour = u"#000000"_s;
    o.showDate = false;
    o.today = u"01.02.2024"_s;
    o.currentTime = u"09:05"_s;
    return o;
}

// --- League table ---

const QString leagueTh =
    uR"(<th style="background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000; ">)"_s;
const QString leagueHeader = tableOpen + leagueTh + u"Platz</th>"_s + leagueTh + u"Name</th>"_s + leagueTh +
                             u"Spiele</th>"_s + leagueTh + u"G</th>"_s + leagueTh + u"U</th>"_s + leagueTh +
                             u"V</th>"_s + leagueTh + u"Legs</th>"_s + leagueTh + u"Punkte</th>"_s + leagueTh +
                             u"AVG</th>"_s + leagueTh + u"Doppelquote</th></tr>\n"_s;
const QString leagueEnd = u"</tbody></table>"_s;
const QString leagueBBTag = u"[table='Platz,Name,Spiele,G,U,V,Legs,Punkte,AVG,Doppelquote']\n"_s;

LeagueTableRow leagueRow(const QString& name1, const QString& name2, int won, int drawn, int lost, int legsWon,
                         int legsLost, int points, float average, int hit, int thrown) {
    LeagueTableRow r;
    r.name1 = name1;
    r.name2 = name2;
    r.won = won;
    r.drawn = drawn;
    r.lost = lost;
    r.legsWon = legsWon;
    r.legsLost = legsLost;
    r.points = points;
    r.average = average;
    r.doublesHit = hit;
    r.doublesThrown = thrown;
    return r;
}

// Anna: 2 won, 1 drawn, 0 lost, legs 7:3, 5 points, average 45.5, 1 double of 3.
LeagueTableRow anna() {
    return leagueRow(u"Anna"_s, u"anna_l"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3);
}
const QStringList annaCells{u"3"_s, u"2"_s, u"1"_s, u"0"_s, u"7:3"_s, u"5"_s, u"45.50"_s, u"33.33% (1/3)"_s};

// --- Statistics ---

const QString statTh =
    uR"(<th style="background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000;">)"_s;
const QString statHeader = tableOpen + statTh + u"Platz</th>"_s + statTh + u"Name</th>"_s + statTh + u"20-</th>"_s +
                           statTh + u"20+</th>"_s + statTh + u"40+</th>"_s + statTh + u"60+</th>"_s + statTh +
                           u"80+</th>"_s + statTh + u"100+</th>"_s + statTh + u"140+</th>"_s + statTh + u"171+</th>"_s +
                           statTh + u"180</th>"_s + statTh + u"Highest Finish</th>"_s + statTh +
                           u" Best Leg</th></tr>\n"_s;
const QString statBBTag = u"[table='Platz,Name,20-,20+,40+,60+,80+,100+,140+,171+,180,Highest Finish, Best Leg']\n"_s;

// Distinct figures, so that a swapped column shows: 20- 1, 20+ 2, ... 171+ 8, 180 9, finish 121, best leg 15.
StatisticsRow statRow(const QString& name1, const QString& name2) {
    StatisticsRow r;
    r.name1 = name1;
    r.name2 = name2;
    r.minus20 = 1;
    r.plus20 = 2;
    r.plus40 = 3;
    r.plus60 = 4;
    r.plus80 = 5;
    r.plus100 = 6;
    r.plus140 = 7;
    r.plus171 = 8;
    r.count180 = 9;
    r.highestFinish = 121;
    r.bestLeg = 15;
    return r;
}
const QStringList statCells{u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"121"_s, u"15"_s};
const QStringList zeroStatCells{u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0"_s};

// --- Schedule ---

const QString scheduleStart =
    u"<table cellspacing=\"0\" style=\"width:100%; border-top:1px solid #000000; border-left:1px solid #000000; "
    u"margin-top:10px; margin-bottom:10px;\">\n \n<tr>\n<th colspan=\"12\" style=\"background-color:#dddddd; "
    u"padding:5px ;border-bottom:1px solid #000000; border-right:1px solid #000000; \">Spieltag: 1</th>\n</tr>\n "_s;
const QString scheduleEnd = u"</table>\n "_s;

QString dayBreak(const QString& day) {
    return u"</table>\n\n<!-- Tabellenzwischenraum -->\n\n\n\n\n<table cellspacing=\"0\" style=\"width:100%; "
           u"border-top:1px solid #000000; border-left:1px solid #000000; margin-top:10px; margin-bottom:10px;\">\n"
           u"<tr>\n<th colspan=\"12\" style=\"background-color:#dddddd; padding:5px ;border-bottom:1px solid #000000; "
           u"border-right:1px solid #000000; \">Spieltag: "_s +
           day + u"</th>\n</tr>\n "_s;
}

QString openBlock(const QString& home, const QString& away) {
    return u"   <tr><td colspan=\"5\" style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; "
           u"padding:5px; width:45%; text-align:right; font-weight:bold; color:#bb0000;\">"_s +
           home +
           u"</td>\n   <td colspan=\"2\" style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; "
           u"padding:5px; text-align:center; font-weight:bold; color:#bb0000; \">offen</td>\n   <td colspan=\"5\" "
           u"style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; padding:5px; width:45%; "
           u"text-align:left; font-weight:bold; color:#bb0000; \">"_s +
           away + u"</td></tr>\n "_s;
}

const QString captionRow =
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: 0.6em; "
    u"\">180</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">SL</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">HF</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">DQ</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">AVG</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">AVG</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">DQ</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">HF</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
    u"0.6em;\">SL</td>\n <td style=\"border-bottom:"
    u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: 0.6em;\">180</td>\n </tr>\n <tr>  <td style=\"border-bottom:"_s;

// A played match: names, the two score-cell backgrounds, the two score contents (with their link pieces) and
// the ten figures home 180, SL, HF, DQ, AVG, away AVG, DQ, HF, SL, 180.
QString playedBlock(const QString& home, const QString& away, const QString& homeBackground,
                    const QString& awayBackground, const QString& homeScore, const QString& awayScore,
                    const QStringList& figures) {
    QString text = u"<tr> <td colspan=\"5\" style=\"border-bottom:1px solid #000000; border-right:1px solid #000000; "
                   u"padding:5px; width:45%; text-align:right; font-weight:bold; color:#009900; \">"_s +
                   home +
                   u"</td>\n <td rowspan=\"3\" style=\"border-bottom:1px solid #000000; border-right:1px solid "
                   u"#000000; padding:5px; text-align:center; font-size: 2em; "_s +
                   homeBackground + u"\">\n"_s + homeScore +
                   u"</td>\n <td rowspan=\"3\" style=\"border-bottom:1px solid #000000; border-right:1px solid "
                   u"#000000; padding:5px; text-align:center; font-size: 2em; "_s +
                   awayBackground + u"\">\n"_s + awayScore +
                   u"</td>\n <td colspan=\"5\" style=\"border-bottom:1px solid #000000; border-right:1px solid "
                   u"#000000; padding:5px; width:45%; text-align:left; font-weight:bold; color:#009900; \">"_s +
                   away + u"</td>\n </tr>\n  <tr> <td style=\"border-bottom:"_s + captionRow;
    for (int k = 0; k < figures.size(); ++k) {
        text += u"1px solid #000000; border-right:1px solid #000000; padding:5px;  text-align:center; font-size: "
                u"0.6em;\">"_s +
                figures[k];
        text += k < figures.size() - 1 ? u"</td>\n <td style=\"border-bottom:"_s : u"</td>\n</tr> "_s;
    }
    return text;
}

QString linked(const QString& href, const QString& score) {
    return uR"( <a style="text-decoration: none; color:inherit ; display:block;" href=")"_s + href +
           uR"(" target="blank" title="zum Spiel" >)"_s + score + u"</a>"_s;
}

QString background(const QString& colour) {
    return u" background-color:"_s + colour + u"; "_s;
}

MatchRecord record(float average, int count180, int highFinish, const QString& bestLeg, int hit, int thrown,
                   const QString& hash = QString(), const QString& platform = QString()) {
    MatchRecord r;
    r.average = average;
    r.count180 = count180;
    r.highFinish = highFinish;
    r.bestLeg = bestLeg;
    r.doublesHit = hit;
    r.doublesThrown = thrown;
    r.hash = hash;
    r.platform = platform;
    return r;
}

ScheduleMatch match(const QString& day, const QString& home, const QString& away, const QString& legsWon = QString(),
                    const QString& legsLost = QString(), const MatchRecord& homeRecord = MatchRecord(),
                    const MatchRecord& awayRecord = MatchRecord()) {
    ScheduleMatch m;
    m.matchDay = day;
    m.homeName1 = home;
    m.homeName2 = home.toLower() + u"_l"_s;
    m.awayName1 = away;
    m.awayName2 = away.toLower() + u"_l"_s;
    m.legsWon = legsWon;
    m.legsLost = legsLost;
    m.home = homeRecord;
    m.away = awayRecord;
    return m;
}

ScheduleCodeOptions scheduleOptions(CodeFormat format) {
    ScheduleCodeOptions o;
    static_cast<ExportOptions&>(o) = tableOptions(format, CellAlignment::None);
    o.drawnColour = u"#ffffdd"_s;
    o.wonColour = u"#ddffdd"_s;
    o.lostColour = u"#ffdddd"_s;
    o.boldMatchDays = true;
    o.underlinedMatchDays = true;
    o.boldScore = true;
    return o;
}

PlatformAddresses testPlatforms() {
    PlatformAddresses p;
    p.lidartsWeb = u"http://lidarts.test"_s;
    p.prodarterWeb = u"http://prodarter.test"_s;
    return p;
}

// Anna and Bert draw 3:3 on day 1 (imported from Lidarts as "abc"); Carl and Dora on day 2 have not played.
// Anna: 2 180s, best leg 18 (shown), finish 101 (shown), 1 double of 3. Bert: best leg 19 and finish 100
// (both "-"), no 180 and no double attempt.
QList<ScheduleMatch> drawThenOpen() {
    return {match(u"1"_s, u"Anna"_s, u"Bert"_s, u"3"_s, u"3"_s,
                  record(50.25f, 2, 101, u"18"_s, 1, 3, u"abc"_s, u"lidarts"_s), record(48.0f, 0, 100, u"19"_s, 0, 0)),
            match(u"2"_s, u"Carl"_s, u"Dora"_s)};
}
const QStringList drawFigures{u"2"_s,     u"18"_s, u"101"_s, u"33.33 %"_s, u"50.25"_s,
                              u"48.00"_s, u"-"_s,  u"-"_s,   u"-"_s,       u"-"_s};
// Both records missing: no 180, the empty best leg, no finish, no double attempt, average 0.00.
const QStringList missingFigures{u"-"_s, u""_s, u"-"_s, u"-"_s, u"0.00"_s, u"0.00"_s, u"-"_s, u"-"_s, u""_s, u"-"_s};

} // namespace

class TestForumCode : public QObject {
    Q_OBJECT

private slots:
    void leagueTable_data();
    void leagueTable();
    void statistics_data();
    void statistics();
    void scheduleHtml_data();
    void scheduleHtml();
    void scheduleBBCode_data();
    void scheduleBBCode();
    void doublesQuote_data();
    void doublesQuote();
};

void TestForumCode::leagueTable_data() {
    QTest::addColumn<TableCodeOptions>("options");
    QTest::addColumn<QList<LeagueTableRow>>("rows");
    QTest::addColumn<QString>("expected");

    const QList<LeagueTableRow> one{anna()};
    const TableCodeOptions html = tableOptions(CodeFormat::Html, CellAlignment::Left);
    const QString annaLeft = leagueHeader + htmlRow(alignLeft, alignLeft, u"1"_s, u"Anna"_s, annaCells) + leagueEnd;

    QTest::newRow("html, all left") << html << one << annaLeft;
    QTest::newRow("html, all centred") << tableOptions(CodeFormat::Html, CellAlignment::Centred) << one
                                       << leagueHeader +
                                              htmlRow(alignCentre, alignCentre, u"1"_s, u"Anna"_s, annaCells) +
                                              leagueEnd;
    QTest::newRow("html, names left, values centred")
        << tableOptions(CodeFormat::Html, CellAlignment::NamesLeftValuesCentred) << one
        << leagueHeader + htmlRow(alignCentre, alignLeft, u"1"_s, u"Anna"_s, annaCells) + leagueEnd;
    QTest::newRow("html, no alignment") << tableOptions(CodeFormat::Html, CellAlignment::None) << one
                                        << leagueHeader + htmlRow(QString(), QString(), u"1"_s, u"Anna"_s, annaCells) +
                                               leagueEnd;

    QTest::newRow("html, no members") << html << QList<LeagueTableRow>() << leagueHeader + leagueEnd;

    // Places run on, also for a member without any result (all sums 0, average 0.00, quote "0").
    QTest::newRow("html, places and a member without results")
        << html << QList<LeagueTableRow>{anna(), leagueRow(u"Bert"_s, u"Bert"_s, 0, 0, 0, 0, 0, 0, 0.0f, 0, 0)}
        << leagueHeader + htmlRow(alignLeft, alignLeft, u"1"_s, u"Anna"_s, annaCells) +
               htmlRow(alignLeft, alignLeft, u"2"_s, u"Bert"_s,
                       {u"0"_s, u"0"_s, u"0"_s, u"0"_s, u"0:0"_s, u"0"_s, u"0.00"_s, u"0"_s}) +
               leagueEnd;

    TableCodeOptions o = html;
    o.width = u"600"_s;
    o.widthUnit = WidthUnit::Pixel;
    QTest::newRow("html, width in px") << o << one << QString(annaLeft).replace(u"width:100%;"_s, u"width:600px;"_s);
    o.width.clear();
    QTest::newRow("html, empty width with px") << o << one << QString(annaLeft).replace(u"width:100%;"_s, u"width:;"_s);
    o.widthUnit = WidthUnit::Percent;
    QTest::newRow("html, empty width with %") << o << one << QString(annaLeft).replace(u"width:100%;"_s, u"width:;"_s);
    o = html;
    o.widthUnit = WidthUnit::None;
    QTest::newRow("html, no width unit") << o << one << QString(annaLeft).replace(u"width:100%;"_s, u"width:;"_s);

    o = html;
    o.lineThickness = u"0"_s;
    o.lineColour = u"#12ab00"_s;
    QTest::newRow("html, thickness 0 and a colour")
        << o << one << QString(annaLeft).replace(u"1px solid #000000"_s, u"0px solid #12ab00"_s);

    o = html;
    o.showDate = true;
    QTest::newRow("html, date line") << o << one << dateLine + annaLeft;

    o = html;
    o.secondName = true;
    QTest::newRow("html, both names") << o << one << QString(annaLeft).replace(u">Anna<"_s, u">Anna (anna_l)<"_s);
    QTest::newRow("html, both names, empty second name")
        << o << QList<LeagueTableRow>{leagueRow(u"Anna"_s, QString(), 2, 1, 0, 7, 3, 5, 45.5f, 1, 3)}
        << QString(annaLeft).replace(u">Anna<"_s, u">Anna ()<"_s);
    o.firstName = false;
    QTest::newRow("html, second name only") << o << one << QString(annaLeft).replace(u">Anna<"_s, u">anna_l<"_s);
    o.secondName = false;
    QTest::newRow("html, no name box") << o << one << annaLeft;

    // The whole finished name is escaped, and so is the width text.
    o = html;
    o.secondName = true;
    o.width = u"1\"0"_s;
    QTest::newRow("html, escaped name and width")
        << o << QList<LeagueTableRow>{leagueRow(u"<A&\"B>"_s, u"x&y"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3)}
        << QString(annaLeft)
               .replace(u">Anna<"_s, u">&lt;A&amp;&quot;B&gt; (x&amp;y)<"_s)
               .replace(u"width:100%;"_s, u"width:1&quot;0%;"_s);

    const QString annaBB = u"[*]1[*]Anna[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n"_s;
    QTest::newRow("bb, all left") << tableOptions(CodeFormat::BBCode, CellAlignment::Left) << one
                                  << u"[align=left]"_s + leagueBBTag + annaBB + u"[/table][/align]"_s;
    QTest::newRow("bb, all centred") << tableOptions(CodeFormat::BBCode, CellAlignment::Centred) << one
                                     << u"[align=center]"_s + leagueBBTag + annaBB + u"[/table][/align]"_s;
    QTest::newRow("bb, names left, values centred")
        << tableOptions(CodeFormat::BBCode, CellAlignment::NamesLeftValuesCentred) << one
        << u"[align=center]"_s + leagueBBTag +
               u"[*]1[*][align=left]Anna[/align][*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n"_s +
               u"[/table][/align]"_s;
    QTest::newRow("bb, no alignment") << tableOptions(CodeFormat::BBCode, CellAlignment::None) << one
                                      << leagueBBTag + annaBB + u"[/table]"_s;
    QTest::newRow("bb, no members") << tableOptions(CodeFormat::BBCode, CellAlignment::Left) << QList<LeagueTableRow>()
                                    << u"[align=left]"_s + leagueBBTag + u"[/table][/align]"_s;

    // Date, width, thickness and colour are HTML only; names stay unescaped.
    o = tableOptions(CodeFormat::BBCode, CellAlignment::None);
    o.showDate = true;
    o.width = u"600"_s;
    o.widthUnit = WidthUnit::Pixel;
    o.lineThickness = u"3"_s;
    o.lineColour = u"#ff0000"_s;
    o.secondName = true;
    QTest::newRow("bb, no date, unescaped names")
        << o << QList<LeagueTableRow>{leagueRow(u"<A&\"B>"_s, u"x&y"_s, 2, 1, 0, 7, 3, 5, 45.5f, 1, 3)}
        << leagueBBTag + u"[*]1[*]<A&\"B> (x&y)[*]3[*]2[*]1[*]0[*]7:3[*]5[*]45.50[*]33.33% (1/3)\n[/table]"_s;

    QTest::newRow("no format") << tableOptions(CodeFormat::None, CellAlignment::Left) << one << QString();
}

void TestForumCode::leagueTable() {
    QFETCH(TableCodeOptions, options);
    QFETCH(QList<LeagueTableRow>, rows);
    QFETCH(QString, expected);
    QCOMPARE(leagueTableCode(rows, options), expected);
}

void TestForumCode::statistics_data() {
    QTest::addColumn<TableCodeOptions>("options");
    QTest::addColumn<QList<StatisticsRow>>("rows");
    QTest::addColumn<QString>("expected");

    const QList<StatisticsRow> one{statRow(u"Anna"_s, u"anna_l"_s)};
    const QString end = u"</tbody></table>"_s;

    QTest::newRow("html, all left") << tableOptions(CodeFormat::Html, CellAlignment::Left) << one
                                    << statHeader + htmlRow(alignLeft, alignLeft, u"1"_s, u"Anna"_s, statCells) + end;
    QTest::newRow("html, names left, values centred")
        << tableOptions(CodeFormat::Html, CellAlignment::NamesLeftValuesCentred) << one
        << statHeader + htmlRow(alignCentre, alignLeft, u"1"_s, u"Anna"_s, statCells) + end;
    QTest::newRow("html, no alignment") << tableOptions(CodeFormat::Html, CellAlignment::None) << one
                                        << statHeader + htmlRow(QString(), QString(), u"1"_s, u"Anna"_s, statCells) +
                                               end;
    QTest::newRow("html, no members") << tableOptions(CodeFormat::Html, CellAlignment::Left) << QList<StatisticsRow>()
                                      << statHeader + end;

    TableCodeOptions o = tableOptions(CodeFormat::Html, CellAlignment::Centred);
    o.firstName = false;
    o.showDate = true;
    QTest::newRow("html, date, no name box, member without results last")
        << o << QList<StatisticsRow>{statRow(u"Anna"_s, u"anna_l"_s), StatisticsRow{u"Bert"_s, u"bert_l"_s}}
        << dateLine + statHeader + htmlRow(alignCentre, alignCentre, u"1"_s, u"Anna"_s, statCells) +
               htmlRow(alignCentre, alignCentre, u"2"_s, u"Bert"_s, zeroStatCells) + end;

    o = tableOptions(CodeFormat::Html, CellAlignment::Left);
    o.firstName = false;
    o.secondName = true;
    QTest::newRow("html, escaped second name")
        << o << QList<StatisticsRow>{statRow(u"Anna"_s, u"<&\""_s)}
        << statHeader + htmlRow(alignLeft, alignLeft, u"1"_s, u"&lt;&amp;&quot;"_s, statCells) + end;

    const QString annaBB = u"[*]1[*]Anna[*]1[*]2[*]3[*]4[*]5[*]6[*]7[*]8[*]9[*]121[*]15\n"_s;
    QTest::newRow("bb, all left") << tableOptions(CodeFormat::BBCode, CellAlignment::Left) << one
                                  << u"[align=left]"_s + statBBTag + annaBB + u"[/table][/align]"_s;
    QTest::newRow("bb, names left, values centred")
        << tableOptions(CodeFormat::BBCode, CellAlignment::NamesLeftValuesCentred) << one
        << u"[align=center]"_s + statBBTag +
               u"[*]1[*][align=left]Anna[/align][*]1[*]2[*]3[*]4[*]5[*]6[*]7[*]8[*]9[*]121[*]15\n[/table][/align]"_s;

    o = tableOptions(CodeFormat::BBCode, CellAlignment::None);
    o.showDate = true;
    o.secondName = true;
    QTest::newRow("bb, no alignment, no date, unescaped names")
        << o << QList<StatisticsRow>{statRow(u"<A>"_s, u"&\""_s)}
        << statBBTag + u"[*]1[*]<A> (&\")[*]1[*]2[*]3[*]4[*]5[*]6[*]7[*]8[*]9[*]121[*]15\n[/table]"_s;

    QTest::newRow("no format") << tableOptions(CodeFormat::None, CellAlignment::Left) << one << QString();
}

void TestForumCode::statistics() {
    QFETCH(TableCodeOptions, options);
    QFETCH(QList<StatisticsRow>, rows);
    QFETCH(QString, expected);
    QCOMPARE(statisticsCode(rows, options), expected);
}

void TestForumCode::scheduleHtml_data() {
    QTest::addColumn<ScheduleCodeOptions>("options");
    QTest::addColumn<QList<ScheduleMatch>>("matches");
    QTest::addColumn<QString>("expected");

    const ScheduleCodeOptions html = scheduleOptions(CodeFormat::Html);
    const QString lidartsAbc = u"http://lidarts.test/game/abc"_s;

    QTest::newRow("no schedule") << html << QList<ScheduleMatch>() << scheduleStart + scheduleEnd;

    QTest::newRow("3:3 with a Lidarts link, then an open match on the next day")
        << html << drawThenOpen()
        << scheduleStart +
               playedBlock(u"Anna"_s, u"Bert"_s, background(u"#ffffdd"_s), background(u"#ffffdd"_s),
                           linked(lidartsAbc, u"3"_s), linked(lidartsAbc, u"3"_s), drawFigures) +
               dayBreak(u"2"_s) + openBlock(u"Carl"_s, u"Dora"_s) + scheduleEnd;

    const QString inherit = u" background-color:inherit; "_s;
    QTest::newRow("0:0 without records and without link")
        << html << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s, u"0"_s, u"0"_s)}
        << scheduleStart + playedBlock(u"Anna"_s, u"Bert"_s, inherit, inherit, u"0"_s, u"0"_s, missingFigures) +
               scheduleEnd;

    MatchRecord prodarter = MatchRecord();
    prodarter.hash = u"77"_s;
    prodarter.platform = u"prodarter"_s;
    const QString prodarter77 = u"http://prodarter.test/match-history.php?match=77"_s;
    QTest::newRow("10:9 with a Pro-Darter link")
        << html << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s, u"10"_s, u"9"_s, prodarter)}
        << scheduleStart +
               playedBlock(u"Anna"_s, u"Bert"_s, background(u"#ddffdd"_s), background(u"#ffdddd"_s),
                           linked(prodarter77, u"10"_s), linked(prodarter77, u"9"_s), missingFigures) +
               scheduleEnd;

    ScheduleCodeOptions colours = html;
    colours.wonColour = u"#00ff00"_s;
    colours.lostColour = u"#ff0000"_s;
    MatchRecord otherPlatform = MatchRecord();
    otherPlatform.hash = u"x1"_s;
    otherPlatform.platform = u"dartsforum"_s;
    QTest::newRow("2:5 with chosen colours, unknown platform without link")
        << colours << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s, u"2"_s, u"5"_s, otherPlatform)}
        << scheduleStart +
               playedBlock(u"Anna"_s, u"Bert"_s, background(u"#ff0000"_s), background(u"#00ff00"_s), u"2"_s, u"5"_s,
                           missingFigures) +
               scheduleEnd;

    // The first header reads "Spieltag: 1" whatever the first stored day; later headers carry the stored day.
    QTest::newRow("first stored day 3") << html
                                        << QList<ScheduleMatch>{match(u"3"_s, u"Anna"_s, u"Bert"_s),
                                                                match(u"3"_s, u"Carl"_s, u"Dora"_s),
                                                                match(u"4"_s, u"Eva"_s, u"Finn"_s)}
                                        << scheduleStart + openBlock(u"Anna"_s, u"Bert"_s) +
                                               openBlock(u"Carl"_s, u"Dora"_s) + dayBreak(u"4"_s) +
                                               openBlock(u"Eva"_s, u"Finn"_s) + scheduleEnd;

    ScheduleCodeOptions names = html;
    names.secondName = true;
    QTest::newRow("both names") << names << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s)}
                                << scheduleStart + openBlock(u"Anna (anna_l)"_s, u"Bert (bert_l)"_s) + scheduleEnd;
    names.firstName = false;
    QTest::newRow("second name only") << names << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s)}
                                      << scheduleStart + openBlock(u"anna_l"_s, u"bert_l"_s) + scheduleEnd;

    // Escaped: the finished names and the game id inside the link.
    ScheduleMatch escaped = match(u"1"_s, u"<A&\"B>"_s, u"C&D"_s, u"1"_s, u"0"_s,
                                  record(0.0f, 0, 0, QString(), 0, 0, u"a\"b<c&"_s, u"lidarts"_s));
    escaped.homeName2 = u"x\"y"_s;
    const QString escapedLink = u"http://lidarts.test/game/a&quot;b&lt;c&amp;"_s;
    names = html;
    names.secondName = true;
    QTest::newRow("escaped names and game id")
        << names << QList<ScheduleMatch>{escaped}
        << scheduleStart +
               playedBlock(u"&lt;A&amp;&quot;B&gt; (x&quot;y)"_s, u"C&amp;D (c&amp;d_l)"_s, background(u"#ddffdd"_s),
                           background(u"#ffdddd"_s), linked(escapedLink, u"1"_s), linked(escapedLink, u"0"_s),
                           missingFigures) +
               scheduleEnd;

    ScheduleCodeOptions look = html;
    look.showDate = true;
    look.width = u"600"_s;
    look.widthUnit = WidthUnit::Pixel;
    look.lineThickness = u"0"_s;
    look.lineColour = u"#abcdef"_s;
    QTest::newRow("date, width in px, thickness 0")
        << look << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s), match(u"2"_s, u"Carl"_s, u"Dora"_s)}
        << dateLine + QString(scheduleStart + openBlock(u"Anna"_s, u"Bert"_s) + dayBreak(u"2"_s) +
                              openBlock(u"Carl"_s, u"Dora"_s) + scheduleEnd)
                          .replace(u"width:100%;"_s, u"width:600px;"_s)
                          .replace(u"1px solid #000000"_s, u"0px solid #abcdef"_s);
    look = html;
    look.width.clear();
    QTest::newRow("empty width") << look << QList<ScheduleMatch>()
                                 << QString(scheduleStart + scheduleEnd).replace(u"width:100%;"_s, u"width:;"_s);

    QTest::newRow("no format") << scheduleOptions(CodeFormat::None) << drawThenOpen() << QString();
}

void TestForumCode::scheduleHtml() {
    QFETCH(ScheduleCodeOptions, options);
    QFETCH(QList<ScheduleMatch>, matches);
    QFETCH(QString, expected);
    QCOMPARE(scheduleCode(matches, options, testPlatforms()), expected);
}

void TestForumCode::scheduleBBCode_data() {
    QTest::addColumn<ScheduleCodeOptions>("options");
    QTest::addColumn<QList<ScheduleMatch>>("matches");
    QTest::addColumn<QString>("expected");

    // Day 1: Anna and Bert 3:3, Carl and Dora open; day 2: Eva beats Finn 2:1.
    QList<ScheduleMatch> season = drawThenOpen();
    season[1].matchDay = u"1"_s;
    season << match(u"2"_s, u"Eva"_s, u"Finn"_s, u"2"_s, u"1"_s, record(40.0f, 0, 0, QString(), 0, 0),
                    record(41.5f, 0, 0, QString(), 0, 0));

    const ScheduleCodeOptions bb = scheduleOptions(CodeFormat::BBCode);
    QTest::newRow("all formatting")
        << bb << season
        << u"[b][u]Spieltag: 1[/u][/b]\nAnna(50.25) [b]3:3[/b] Bert(48.00)\nCarl vs. Dora\n\n"
           u"[b][u]Spieltag: 2[/u][/b]\nEva(40.00) [b]2:1[/b] Finn(41.50)\n"_s;

    ScheduleCodeOptions o = bb;
    o.boldScore = false;
    QTest::newRow("score not bold") << o << season
                                    << u"[b][u]Spieltag: 1[/u][/b]\nAnna(50.25) 3:3 Bert(48.00)\nCarl vs. Dora\n\n"
                                       u"[b][u]Spieltag: 2[/u][/b]\nEva(40.00) 2:1 Finn(41.50)\n"_s;
    o = bb;
    o.boldMatchDays = false;
    QTest::newRow("days underlined only")
        << o << season
        << u"[u]Spieltag: 1[/u]\nAnna(50.25) [b]3:3[/b] Bert(48.00)\nCarl vs. Dora\n\n"
           u"[u]Spieltag: 2[/u]\nEva(40.00) [b]2:1[/b] Finn(41.50)\n"_s;
    o = bb;
    o.underlinedMatchDays = false;
    QTest::newRow("days bold only") << o << season
                                    << u"[b]Spieltag: 1[/b]\nAnna(50.25) [b]3:3[/b] Bert(48.00)\nCarl vs. Dora\n\n"
                                       u"[b]Spieltag: 2[/b]\nEva(40.00) [b]2:1[/b] Finn(41.50)\n"_s;
    o.boldMatchDays = false;
    o.boldScore = false;
    QTest::newRow("no formatting") << o << season
                                   << u"Spieltag: 1\nAnna(50.25) 3:3 Bert(48.00)\nCarl vs. Dora\n\n"
                                      u"Spieltag: 2\nEva(40.00) 2:1 Finn(41.50)\n"_s;

    QTest::newRow("no schedule") << bb << QList<ScheduleMatch>() << u"[b][u]Spieltag: 1[/u][/b]\n"_s;
    QTest::newRow("first stored day 3")
        << bb << QList<ScheduleMatch>{match(u"3"_s, u"Anna"_s, u"Bert"_s), match(u"4"_s, u"Carl"_s, u"Dora"_s)}
        << u"[b][u]Spieltag: 1[/u][/b]\nAnna vs. Bert\n\n[b][u]Spieltag: 4[/u][/b]\nCarl vs. Dora\n"_s;
    QTest::newRow("played without records")
        << bb << QList<ScheduleMatch>{match(u"1"_s, u"Anna"_s, u"Bert"_s, u"0"_s, u"0"_s)}
        << u"[b][u]Spieltag: 1[/u][/b]\nAnna(0.00) [b]0:0[/b] Bert(0.00)\n"_s;

    // Date line, widths, lines and links are HTML only; names stay as they are.
    o = bb;
    o.showDate = true;
    o.width = u"600"_s;
    o.widthUnit = WidthUnit::Pixel;
    o.lineThickness = u"0"_s;
    o.secondName = true;
    ScheduleMatch unescaped = match(u"1"_s, u"<A&\"B>"_s, u"Bert"_s, u"1"_s, u"0"_s,
                                    record(30.0f, 0, 0, QString(), 0, 0, u"h\"1"_s, u"lidarts"_s));
    QTest::newRow("no date, no link, unescaped names")
        << o << QList<ScheduleMatch>{unescaped}
        << u"[b][u]Spieltag: 1[/u][/b]\n<A&\"B> (<a&\"b>_l)(30.00) [b]1:0[/b] Bert (bert_l)(0.00)\n"_s;
}

void TestForumCode::scheduleBBCode() {
    QFETCH(ScheduleCodeOptions, options);
    QFETCH(QList<ScheduleMatch>, matches);
    QFETCH(QString, expected);
    QCOMPARE(scheduleCode(matches, options, testPlatforms()), expected);
}

// The league table's quote in single precision: 100 / thrown first, then times hit.
void TestForumCode::doublesQuote_data() {
    QTest::addColumn<int>("hit");
    QTest::addColumn<int>("thrown");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none thrown") << 0 << 0 << u"0"_s;
    QTest::newRow("hit without thrown") << 2 << 0 << u"0"_s;
    QTest::newRow("one of three") << 1 << 3 << u"33.33% (1/3)"_s;
    QTest::newRow("two of three") << 2 << 3 << u"66.67% (2/3)"_s;
    QTest::newRow("five of twenty") << 5 << 20 << u"25.00% (5/20)"_s;
    QTest::newRow("all hit") << 4 << 4 << u"100.00% (4/4)"_s;
}

void TestForumCode::doublesQuote() {
    QFETCH(int, hit);
    QFETCH(int, thrown);
    QFETCH(QString, expected);
    QCOMPARE(doublesQuoteWithCounts(hit, thrown), expected);
}

QTEST_GUILESS_MAIN(TestForumCode)
#include "tst_forumcode.moc"
