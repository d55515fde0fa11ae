#include "import/platformreplies.h"

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
