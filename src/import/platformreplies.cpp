#include "import/platformreplies.h"

#include <QHash>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <utility>

namespace tavorin {

namespace {

// The order in which the dialog lists a player's values: 171+ sits between 140+ and 180.
constexpr int displayOrder[] = {PosName, PosLegs,       PosAverage, PosFirst9Average, PosBelow20, Pos20,
                                Pos40,   Pos60,         Pos80,      Pos100,           Pos140,     Pos171,
                                Pos180,  PosHighFinish, PosDoubles, PosBestLeg};

// The relay line (of the first player; the second player's is 15 further on) for value positions 0 to 14.
constexpr int relayLineOfPosition[relayLinesPerPlayer] = {0, 1, 2, 3, 14, 13, 12, 11, 10, 9, 8, 7, 5, 4, 6};

// Positions of the value lists for the result form's fields; the doubles are split from PosDoubles.
constexpr struct {
    resultentry::Field field;
    int position;
} formPositions[] = {
    {resultentry::Legs, PosLegs},
    {resultentry::Average, PosAverage},
    {resultentry::First9Average, PosFirst9Average},
    {resultentry::Minus20, PosBelow20},
    {resultentry::Plus20, Pos20},
    {resultentry::Plus40, Pos40},
    {resultentry::Plus60, Pos60},
    {resultentry::Plus80, Pos80},
    {resultentry::Plus100, Pos100},
    {resultentry::Plus140, Pos140},
    {resultentry::Plus171, Pos171},
    {resultentry::Count180, Pos180},
    {resultentry::HighestFinish, PosHighFinish},
    {resultentry::BestLeg, PosBestLeg},
};

bool possibleFigures(const QStringList& values) {
    return resultentry::firstImpossibleField(importedSide(values)) == resultentry::FieldCount;
}

// What a parser gives back for a reply it gives up on: the outcome alone.
ImportedValues givenUp(ImportOutcome outcome) {
    ImportedValues none;
    none.outcome = outcome;
    return none;
}

// One line per value that the list holds; the doubles text brings its own line break, which is not doubled.
QString displayText(const QStringList& values) {
    QString text;
    for (int position : displayOrder) {
        if (position >= values.size())
            continue;
        QString value = values.at(position);
        if (value.endsWith(QLatin1Char('\n')))
            value.chop(1);
        text += value + QLatin1Char('\n');
    }
    return text;
}

QString jsonCount(const QJsonObject& game, const QString& key) {
    return QString::number(game.value(key).toInteger(0));
}

QString jsonDecimal(const QJsonObject& game, const QString& key) {
    return QString::number(game.value(key).toDouble(0), 'f', 2);
}

QStringList lidartsPlayerValues(const QJsonObject& game, const QString& prefix) {
    const auto key = [&prefix](const char* name) { return prefix + QLatin1String(name); };
    QStringList values(ImportPositionCount);
    values[PosName] = game.value(key("name")).toString();
    values[PosLegs] = jsonCount(game, key("legs_won"));
    values[PosAverage] = jsonDecimal(game, key("match_avg"));
    values[PosFirst9Average] = jsonDecimal(game, key("first9_avg"));
    values[PosBelow20] = jsonCount(game, key("0"));
    values[Pos20] = jsonCount(game, key("20"));
    values[Pos40] = jsonCount(game, key("40"));
    values[Pos60] = jsonCount(game, key("60"));
    values[Pos80] = jsonCount(game, key("80"));
    values[Pos100] = jsonCount(game, key("100"));
    values[Pos140] = jsonCount(game, key("140"));
    values[Pos180] = jsonCount(game, key("180"));
    values[PosHighFinish] = jsonCount(game, key("high_finish"));
    // Every leg won was won with a double, so the legs won stand for the doubles hit.
    values[PosDoubles] = jsonDecimal(game, key("doubles")) + QLatin1String("% (") + values[PosLegs] + QLatin1Char('/') +
                         jsonCount(game, key("darts_thrown_double")) + QLatin1String(")\n");
    values[PosBestLeg] = jsonCount(game, key("short_leg"));
    values[Pos171] = jsonCount(game, key("171"));
    return values;
}

// --- markup to plain text ---

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

void ImportedValues::swapSides() {
    std::swap(first, second);
    std::swap(firstText, secondText);
    std::swap(firstName, secondName);
}

QString lidartsGameId(const QString& link) {
    const QStringList segments = QUrl(link).path(QUrl::FullyEncoded).split(QLatin1Char('/'));
    const qsizetype game = segments.indexOf(QStringLiteral("game"));
    if (game >= 0)
        return QUrl::fromPercentEncoding(segments.value(game + 1).toUtf8());
    return link.split(QLatin1Char('/')).constLast();
}

QString prodarterGameId(const QString& link) {
    return link.split(QLatin1Char('=')).constLast();
}

QUrl lidartsRequestUrl(const PlatformAddresses& addresses, const QString& gameId) {
    return QUrl(addresses.lidartsGameRequest(QString::fromLatin1(QUrl::toPercentEncoding(gameId))));
}

QUrl relayRequestUrl(const PlatformAddresses& addresses) {
    const QString address = addresses.prodarterRelayRequest();
    return address.isEmpty() ? QUrl() : QUrl(address);
}

QByteArray relayFormBody(const QString& gameId) {
    return QByteArrayLiteral("wert=") + QUrl::toPercentEncoding(gameId);
}

ImportedValues parseLidartsReply(const QByteArray& body, QDeadlineTimer deadline) {
    if (body.size() > maxReplyBytes)
        return givenUp(ImportOutcome::NoGameData);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    if (deadline.hasExpired())
        return givenUp(ImportOutcome::TimedOut);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return givenUp(ImportOutcome::NoGameData);
    const QJsonObject game = document.object();
    const auto status = game.constFind(QLatin1String("status"));
    if (status != game.constEnd() && status->toString() != QLatin1String("completed"))
        return givenUp(ImportOutcome::NotFinished);
    ImportedValues result;
    result.first = lidartsPlayerValues(game, QStringLiteral("p1_"));
    result.second = lidartsPlayerValues(game, QStringLiteral("p2_"));
    if (!possibleFigures(result.first) || !possibleFigures(result.second))
        return givenUp(ImportOutcome::NoGameData);
    result.outcome = ImportOutcome::Ok;
    result.firstText = displayText(result.first);
    result.secondText = displayText(result.second);
    result.firstName = result.first.at(PosName);
    result.secondName = result.second.at(PosName);
    return result;
}

ImportedValues parseRelayReply(const QByteArray& body, QDeadlineTimer deadline) {
    if (body.size() > maxReplyBytes)
        return givenUp(ImportOutcome::NoGameData);
    QStringList lines = QString::fromUtf8(body).split(QLatin1Char('\n'));
    if (lines.size() < relayReplyLines)
        return givenUp(ImportOutcome::NoGameData);
    ImportedValues result;
    for (int position = 0; position < relayLinesPerPlayer; ++position) {
        if (deadline.hasExpired())
            return givenUp(ImportOutcome::TimedOut);
        for (QStringList* side : {&result.first, &result.second}) {
            QString& line = lines[relayLineOfPosition[position] + (side == &result.first ? 0 : relayLinesPerPlayer)];
            if (line.endsWith(QLatin1Char('\r')))
                line.chop(1);
            *side << markupToPlainText(line);
        }
    }
    if (deadline.hasExpired())
        return givenUp(ImportOutcome::TimedOut);
    if (!possibleFigures(result.first) || !possibleFigures(result.second))
        return givenUp(ImportOutcome::NoGameData);
    result.outcome = ImportOutcome::Ok;
    result.firstText = displayText(result.first);
    result.secondText = displayText(result.second);
    result.firstName = lines.at(0);
    result.secondName = lines.at(relayLinesPerPlayer);
    return result;
}

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

resultentry::SideTexts importedSide(const QStringList& values) {
    resultentry::SideTexts side;
    for (const auto& p : formPositions)
        side[p.field] = values.value(p.position);
    const DoublesFigures doubles = splitDoublesText(values.value(PosDoubles));
    side[resultentry::DoublesHit] = doubles.hit;
    side[resultentry::DoublesThrown] = doubles.thrown;
    return side;
}

bool redirectAllowed(const QUrl& from, const QUrl& to, bool sendsForm) {
    if (sendsForm || !to.isValid())
        return false;
    const auto defaultPort = [](const QUrl& url) { return url.scheme() == QLatin1String("https") ? 443 : 80; };
    return from.scheme() == to.scheme() && from.host() == to.host() && !to.host().isEmpty() &&
           from.port(defaultPort(from)) == to.port(defaultPort(to));
}

NameOrder checkNames(const QString& platformFirst, const QString& platformSecond, const QString& formLeft,
                     const QString& formRight) {
    if (platformFirst == formLeft && platformSecond == formRight)
        return NameOrder::InOrder;
    if (platformFirst == formRight && platformSecond == formLeft)
        return NameOrder::Crossed;
    return NameOrder::Mismatch;
}

DoublesFigures splitDoublesText(const QString& text) {
    const QStringList afterOpen = text.split(QLatin1Char('('));
    if (afterOpen.size() < 2)
        return {};
    const QString& piece = afterOpen.at(1);
    const qsizetype close = piece.indexOf(QLatin1Char(')'));
    if (close < 0)
        return {};
    const QStringList parts = piece.left(close).split(QLatin1Char('/'));
    if (parts.size() < 2)
        return {};
    return {parts.at(0), parts.at(1)};
}

qint64 importedLegTotal(const QStringList& first, const QStringList& second) {
    return qint64(first.value(PosLegs).toInt()) + second.value(PosLegs).toInt();
}

} // namespace tavorin
