#include "import/markup.h"

#include <QHash>
#include <QStringList>

namespace tavorin {

namespace {

bool isHtmlSpace(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\f');
}

bool isBlockElement(const QString& name) {
    static const QStringList blocks = {
        QStringLiteral("address"), QStringLiteral("blockquote"), QStringLiteral("center"), QStringLiteral("dd"),
        QStringLiteral("div"),     QStringLiteral("dl"),         QStringLiteral("dt"),     QStringLiteral("h1"),
        QStringLiteral("h2"),      QStringLiteral("h3"),         QStringLiteral("h4"),     QStringLiteral("h5"),
        QStringLiteral("h6"),      QStringLiteral("hr"),         QStringLiteral("li"),     QStringLiteral("ol"),
        QStringLiteral("p"),       QStringLiteral("pre"),        QStringLiteral("table"),  QStringLiteral("td"),
        QStringLiteral("th"),      QStringLiteral("tr"),         QStringLiteral("ul"),
    };
    return blocks.contains(name);
}

bool isHiddenElement(const QString& name) {
    return name == QLatin1String("head") || name == QLatin1String("script") || name == QLatin1String("style") ||
           name == QLatin1String("title");
}

// Named character references as they turn up in player names and figures.
const QHash<QString, char32_t>& namedEntities() {
    static const QHash<QString, char32_t> entities = {
        {QStringLiteral("amp"), U'&'},     {QStringLiteral("lt"), U'<'},      {QStringLiteral("gt"), U'>'},
        {QStringLiteral("quot"), U'"'},    {QStringLiteral("apos"), U'\''},   {QStringLiteral("nbsp"), 0xA0},
        {QStringLiteral("auml"), 0xE4},    {QStringLiteral("ouml"), 0xF6},    {QStringLiteral("uuml"), 0xFC},
        {QStringLiteral("Auml"), 0xC4},    {QStringLiteral("Ouml"), 0xD6},    {QStringLiteral("Uuml"), 0xDC},
        {QStringLiteral("szlig"), 0xDF},   {QStringLiteral("eacute"), 0xE9},  {QStringLiteral("egrave"), 0xE8},
        {QStringLiteral("aacute"), 0xE1},  {QStringLiteral("agrave"), 0xE0},  {QStringLiteral("oacute"), 0xF3},
        {QStringLiteral("ccedil"), 0xE7},  {QStringLiteral("ntilde"), 0xF1},  {QStringLiteral("oslash"), 0xF8},
        {QStringLiteral("aring"), 0xE5},   {QStringLiteral("Oslash"), 0xD8},  {QStringLiteral("Aring"), 0xC5},
        {QStringLiteral("copy"), 0xA9},    {QStringLiteral("reg"), 0xAE},     {QStringLiteral("deg"), 0xB0},
        {QStringLiteral("middot"), 0xB7},  {QStringLiteral("laquo"), 0xAB},   {QStringLiteral("raquo"), 0xBB},
        {QStringLiteral("ndash"), 0x2013}, {QStringLiteral("mdash"), 0x2014}, {QStringLiteral("hellip"), 0x2026},
        {QStringLiteral("euro"), 0x20AC},
    };
    return entities;
}

// Decodes the character reference starting at html[i] == '&'. On success returns its text and moves i
// past the ";"; otherwise returns a null string and leaves i alone.
// Only the few characters a reference can span are looked at, so that a line full of "&" stays linear.
QString decodeReference(const QString& html, qsizetype& i) {
    constexpr qsizetype longestReference = 12;
    const qsizetype semicolon =
        QStringView(html).mid(i + 1, longestReference).indexOf(QLatin1Char(';')) + (i + 1); // i when none
    if (semicolon <= i)
        return {};
    const QString body = html.mid(i + 1, semicolon - i - 1);
    char32_t code = 0;
    if (body.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const bool hex = body.size() > 1 && (body.at(1) == QLatin1Char('x') || body.at(1) == QLatin1Char('X'));
        const uint value = body.mid(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (!ok || value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return {};
        code = value;
    } else {
        const auto found = namedEntities().constFind(body);
        if (found == namedEntities().constEnd())
            return {};
        code = *found;
    }
    i = semicolon + 1;
    return QString::fromUcs4(&code, 1);
}

// The end (one past the ">") of the tag starting at html[i] == '<'; quoted attribute values may hold ">".
qsizetype tagEnd(const QString& html, qsizetype i) {
    QChar quote;
    for (qsizetype k = i + 1; k < html.size(); ++k) {
        const QChar c = html.at(k);
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('>')) {
            return k + 1;
        }
    }
    return html.size();
}

// Collects text into lines: white space collapses to one blank between words, nothing at a line's ends.
class LineCollector {
public:
    void addText(const QString& text) {
        if (pendingSpace && !line.isEmpty())
            line += QLatin1Char(' ');
        pendingSpace = false;
        line += text;
        afterBreak = false;
    }
    void addChar(QChar c) {
        if (pendingSpace && !line.isEmpty())
            line += QLatin1Char(' ');
        pendingSpace = false;
        line += c;
        afterBreak = false;
    }
    void addSpace() { pendingSpace = true; }
    void lineBreak() {
        lines << line;
        line.clear();
        pendingSpace = false;
        afterBreak = true;
    }
    void blockBoundary() {
        if (!line.isEmpty())
            lines << line;
        line.clear();
        pendingSpace = false;
        afterBreak = false;
    }
    QString result() {
        if (!line.isEmpty() || afterBreak)
            lines << line;
        return lines.join(QLatin1Char('\n')).replace(QChar(0xA0), QLatin1Char(' '));
    }

private:
    QStringList lines;
    QString line;
    bool pendingSpace = false;
    bool afterBreak = false;
};

} // namespace

QString markupToPlainText(const QString& html) {
    LineCollector out;
    qsizetype i = 0;
    while (i < html.size()) {
        const QChar c = html.at(i);
        if (c == QLatin1Char('<') && QStringView(html).mid(i, 4) == QLatin1String("<!--")) {
            const qsizetype close = html.indexOf(QLatin1String("-->"), i + 4);
            i = close < 0 ? html.size() : close + 3;
            continue;
        }
        const QChar next = i + 1 < html.size() ? html.at(i + 1) : QChar();
        if (c == QLatin1Char('<') &&
            (next.isLetter() || next == QLatin1Char('/') || next == QLatin1Char('!') || next == QLatin1Char('?'))) {
            const qsizetype end = tagEnd(html, i);
            qsizetype k = i + 1;
            const bool closing = k < html.size() && html.at(k) == QLatin1Char('/');
            if (closing)
                ++k;
            QString name;
            while (k < end && html.at(k).isLetterOrNumber())
                name += html.at(k++).toLower();
            i = end;
            if (isHiddenElement(name) && !closing) {
                const qsizetype close = html.indexOf(QLatin1String("</") + name, i, Qt::CaseInsensitive);
                i = close < 0 ? html.size() : tagEnd(html, close);
            } else if (name == QLatin1String("br")) {
                out.lineBreak();
            } else if (isBlockElement(name)) {
                out.blockBoundary();
            }
            continue;
        }
        if (isHtmlSpace(c)) {
            out.addSpace();
            ++i;
            continue;
        }
        if (c == QLatin1Char('&')) {
            const QString decoded = decodeReference(html, i);
            if (!decoded.isNull()) {
                out.addText(decoded);
                continue;
            }
        }
        out.addChar(c);
        ++i;
    }
    return out.result();
}

} // namespace tavorin
