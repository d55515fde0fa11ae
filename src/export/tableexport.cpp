#include "export/tableexport.h"
#include "app/textescape.h"
#include "results/numbers.h"

#include <QStringList>

namespace tavorin {

using namespace Qt::StringLiterals;

namespace {

// One field of a CSV line: quoted when it holds a separator, a quote or a line break.
QString csvField(QString field) {
    if (field.contains(u';') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
        field = u'"' + field.replace(u"\""_s, u"\"\""_s) + u'"';
    return field;
}

// A text from the league file as safeName() gives it, which a spreadsheet must not take for a formula: one
// that begins with "=", "+", "-", "@", a tab or a line break gets an apostrophe in front, also when it
// begins so only before the cleaning.
QString csvText(const QString& text) {
    static const QString formulaStart = u"=+-@\t\r\n"_s;
    const QString safe = safeName(text);
    const auto formula = [](const QString& t) { return !t.isEmpty() && formulaStart.contains(t.front()); };
    return formula(text) || formula(safe) ? u'\'' + safe : safe;
}

QString decimalComma(float value) {
    return twoDecimals(value).replace(u'.', u',');
}

QByteArray csvFile(const QList<QStringList>& lines) {
    QString text;
    for (const QStringList& line : lines) {
        QStringList fields;
        for (const QString& field : line)
            fields << csvField(field);
        text += fields.join(u';') + "\r\n"_L1;
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString name(const QString& name1, const QString& name2, const ExportOptions& o) {
    return csvText(chosenName(name1, name2, o.firstName, o.secondName));
}

// The place of a ranked row, counting on; a withdrawn player has none.
template <typename Row> QString placeOf(const Row& r, int& place) {
    return r.withdrawn ? QString::fromUtf8("zurückgezogen") : QString::number(++place);
}

} // namespace

QString printHtml(const QString& leagueName, const QString& date, const QString& tableHtml) {
    return "<h2>"_L1 + safeName(leagueName).toHtmlEscaped() + "</h2>\n<p>Stand: "_L1 + date.toHtmlEscaped() +
           "</p>\n"_L1 + tableHtml;
}

QByteArray leagueTableCsv(const QList<LeagueTableRow>& rows, const ExportOptions& options) {
    QList<QStringList> lines = {{u"Platz"_s, u"Name"_s, u"Spiele"_s, u"Siege"_s, u"Remis"_s, u"Niederlagen"_s,
                                 u"Legs gewonnen"_s, u"Legs verloren"_s, u"Punkte"_s, u"AVG"_s, u"Doppelquote"_s,
                                 u"Doppel getroffen"_s, u"Doppel geworfen"_s}};
    int place = 0;
    for (const LeagueTableRow& r : rows) {
        lines.append({placeOf(r, place), name(r.name1, r.name2, options), QString::number(games(r)),
                      QString::number(r.won), QString::number(r.drawn), QString::number(r.lost),
                      QString::number(r.legsWon), QString::number(r.legsLost), QString::number(r.points),
                      decimalComma(r.average), decimalComma(doublesRate(r.doublesHit, r.doublesThrown)),
                      QString::number(r.doublesHit), QString::number(r.doublesThrown)});
    }
    return csvFile(lines);
}

QByteArray statisticsCsv(const QList<StatisticsRow>& rows, const ExportOptions& options) {
    QList<QStringList> lines = {{u"Platz"_s, u"Name"_s, u"20-"_s, u"20+"_s, u"40+"_s, u"60+"_s, u"80+"_s, u"100+"_s,
                                 u"140+"_s, u"171+"_s, u"180"_s, u"Highest Finish"_s, u"Best Leg"_s}};
    int place = 0;
    for (const StatisticsRow& r : rows) {
        lines.append(QStringList{placeOf(r, place), name(r.name1, r.name2, options)} + statisticsFigures(r));
    }
    return csvFile(lines);
}

QByteArray scheduleCsv(const QList<ScheduleMatch>& matches, const ExportOptions& options) {
    QList<QStringList> lines = {
        {u"Spieltag"_s, u"Heim"_s, u"Gast"_s, u"Legs Heim"_s, u"Legs Gast"_s, u"AVG Heim"_s, u"AVG Gast"_s}};
    for (const ScheduleMatch& m : matches) {
        const bool open = m.legsWon.isEmpty() && m.legsLost.isEmpty();
        lines.append({csvText(m.matchDay), name(m.homeName1, m.homeName2, options),
                      name(m.awayName1, m.awayName2, options), csvText(m.legsWon), csvText(m.legsLost),
                      open ? QString() : decimalComma(m.home.average),
                      open ? QString() : decimalComma(m.away.average)});
    }
    return csvFile(lines);
}

} // namespace tavorin
