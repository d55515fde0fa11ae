#include "export/tableexport.h"
#include "results/numbers.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>

namespace tavorin {

using namespace Qt::StringLiterals;

namespace {

// The BB-Code of a text as it is converted: a tag, or the text between two tags.
class BBConverter {
public:
    QString convert(const QString& code) {
        static const QRegularExpression tag(uR"(\[(/?)([A-Za-z]+|\*)(?:=([^\]\n]*))?\])"_s);
        qsizetype pos = 0;
        for (auto it = tag.globalMatch(code); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            text(QStringView(code).mid(pos, m.capturedStart() - pos));
            pos = m.capturedEnd();
            if (!element(m.captured(1).isEmpty(), m.captured(2).toLower(), m.captured(3), code, pos))
                text(m.capturedView());
        }
        text(QStringView(code).mid(pos));
        if (inRow)
            html += "</td></tr>"_L1;
        return html;
    }

private:
    void text(QStringView t) {
        const QList<QStringView> lines = t.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0)
                lineFeed();
            html += lines[i].toString().toHtmlEscaped();
        }
    }

    // Inside a table a line feed ends the row of "[*]" cells; elsewhere it ends a line.
    void lineFeed() {
        if (inRow) {
            html += "</td></tr>"_L1;
            inRow = false;
        } else if (tables == 0) {
            html += "<br>"_L1;
        }
    }

    // Writes the element of a tag; false when the tag is not one, or its value is not allowed, or it closes
    // nothing that is open. For [url] without a value the address is the text from `pos` up to [/url].
    bool element(bool open, const QString& name, const QString& value, const QString& code, qsizetype pos) {
        static const QRegularExpression colour(u"^#?[0-9A-Za-z]{1,20}$"_s);
        static const QStringList simple = {u"b"_s, u"i"_s, u"u"_s, u"s"_s, u"tr"_s, u"td"_s, u"th"_s};
        if (name == "table"_L1)
            return table(open, value);
        if (!open) {
            if (openElements.value(name) == 0)
                return false;
            --openElements[name];
            html += name == "color"_L1   ? "</span>"_L1
                    : name == "align"_L1 ? "</div>"_L1
                    : name == "url"_L1   ? "</a>"_L1
                                         : "</"_L1 + name + u'>';
            return true;
        }
        if (name == "*"_L1) {
            if (tables == 0)
                return false;
            html += inRow ? "</td><td>"_L1 : "<tr><td>"_L1;
            inRow = true;
            return true;
        }
        if (simple.contains(name) && value.isEmpty()) {
            html += u'<' + name + u'>';
        } else if (name == "color"_L1 && colour.match(value).hasMatch()) {
            html += R"(<span style="color:)"_L1 + value + "\">"_L1;
        } else if (name == "align"_L1 && (value == "left"_L1 || value == "center"_L1 || value == "right"_L1)) {
            html += R"(<div align=")"_L1 + value + "\">"_L1;
        } else if (name == "url"_L1) {
            QString address = value;
            if (address.isEmpty()) {
                const qsizetype end = code.indexOf("[/url]"_L1, pos, Qt::CaseInsensitive);
                address = code.mid(pos, end < 0 ? -1 : end - pos);
            }
            html += R"(<a href=")"_L1 + address.toHtmlEscaped() + "\">"_L1;
        } else {
            return false;
        }
        ++openElements[name];
        return true;
    }

    bool table(bool open, QString captions) {
        if (!open) {
            if (tables == 0)
                return false;
            if (inRow)
                html += "</td></tr>"_L1;
            inRow = false;
            --tables;
            html += "</table>"_L1;
            return true;
        }
        if (captions.size() >= 2 && (captions.front() == u'\'' || captions.front() == u'"') &&
            captions.back() == captions.front())
            captions = captions.mid(1, captions.size() - 2);
        html += R"(<table border="1" cellspacing="0" cellpadding="4">)"_L1;
        if (!captions.isEmpty()) {
            html += "<tr>"_L1;
            for (const QString& caption : captions.split(u','))
                html += "<th>"_L1 + caption.toHtmlEscaped() + "</th>"_L1;
            html += "</tr>"_L1;
        }
        ++tables;
        return true;
    }

    QString html;
    QHash<QString, int> openElements; // by tag name
    int tables = 0;
    bool inRow = false;
};

// One field of a CSV line: quoted when it holds a separator, a quote or a line break.
QString csvField(QString field) {
    if (field.contains(u';') || field.contains(u'"') || field.contains(u'\n') || field.contains(u'\r'))
        field = u'"' + field.replace(u"\""_s, u"\"\""_s) + u'"';
    return field;
}

// A text from the league file, which a spreadsheet must not take for a formula.
QString csvText(const QString& text) {
    static const QString formulaStart = u"=+-@"_s;
    return !text.isEmpty() && formulaStart.contains(text.front()) ? u'\'' + text : text;
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

} // namespace

QString bbCodeToHtml(const QString& code) {
    return BBConverter().convert(code);
}

QString printHtml(const QString& leagueName, const QString& date, const QString& tableHtml) {
    return "<h2>"_L1 + leagueName.toHtmlEscaped() + "</h2>\n<p>Stand: "_L1 + date.toHtmlEscaped() + "</p>\n"_L1 +
           tableHtml;
}

QByteArray leagueTableCsv(const QList<LeagueTableRow>& rows, const ExportOptions& options) {
    QList<QStringList> lines = {{u"Platz"_s, u"Name"_s, u"Spiele"_s, u"Siege"_s, u"Remis"_s, u"Niederlagen"_s,
                                 u"Legs gewonnen"_s, u"Legs verloren"_s, u"Punkte"_s, u"AVG"_s, u"Doppelquote"_s,
                                 u"Doppel getroffen"_s, u"Doppel geworfen"_s}};
    int place = 0;
    for (const LeagueTableRow& r : rows) {
        lines.append({QString::number(++place), name(r.name1, r.name2, options), QString::number(games(r)),
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
        lines.append(QStringList{QString::number(++place), name(r.name1, r.name2, options)} + statisticsFigures(r));
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
