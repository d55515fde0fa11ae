// The schedule as forum code: one table per match day in HTML, one list in BB-Code.
#include "export/forumcode.h"
#include "export/forumcodeparts.h"
#include "results/numbers.h"

namespace tavorin {

using namespace Qt::StringLiterals;
using namespace codeparts;

namespace {

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
